// The window tree: hit testing, alpha, alignment, ownership, key offering, sounds and drawing at depth.

#include <memory>

#include <tinyxml.h>

#include "app/missing_names.h"
#include "app/renderer.h"
#include "graphics/graphics_fixture.h"
#include "windows_fixture.h"

namespace {

using wintest::TEventLog;
using wintest::TProbeWindow;

// A root at (100, 50) of 200 x 100 with A (0, 0, 100 x 100), B (50, 0, 100 x 100) over A's right half,
// and Bc (10, 10, 20 x 20) inside B. In design coordinates B covers x 150..249, Bc x 160..179, y 60..79.
struct TTree {
    TProbeWindow root{"R", 100, 50, 200, 100};
    TProbeWindow* a = new TProbeWindow("A", 0, 0, 100, 100, &root);
    TProbeWindow* b = new TProbeWindow("B", 50, 0, 100, 100, &root);
    TProbeWindow* bc = new TProbeWindow("Bc", 10, 10, 20, 20, b);
};

class RefusingListener : public TMyWindowListener {
public:
    bool AcceptsPoint(TMyWindow*, int, int) override { return false; }
};

TEST(WindowTreeTest, HitTestFindsTheDeepestInteractiveWindowUnderThePoint) {
    RefusingListener refuse;
    struct Case {
        const char* what;
        std::function<void(TTree&)> setup;
        int x, y;
        const char* expected; // "" for no window
        int localX, localY;
    };
    const std::vector<Case> cases = {
        {"left and top edges belong to the window", [](TTree&) {}, 100, 50, "A", 0, 0},
        {"the right edge is outside", [](TTree&) {}, 300, 60, "", 0, 0},
        {"the bottom edge is outside", [](TTree&) {}, 110, 150, "", 0, 0},
        {"the later of two overlapping children", [](TTree&) {}, 155, 55, "B", 5, 5},
        {"a grandchild beats its parent", [](TTree&) {}, 165, 65, "Bc", 5, 5},
        {"the root where no child is", [](TTree&) {}, 290, 140, "R", 190, 90},
        {"brought to front, the earlier child wins", [](TTree& t) { t.a->BringToFront(); }, 155, 55, "A", 55, 5},
        {"a hidden child is skipped with its subtree", [](TTree& t) { t.b->mShown = false; }, 165, 65, "A", 65, 15},
        {"alpha 0 is skipped", [](TTree& t) { t.b->mAlpha = 0; }, 165, 65, "A", 65, 15},
        {"alpha 0.001 is hit", [](TTree& t) { t.b->mAlpha = 0.001f; }, 165, 65, "Bc", 5, 5},
        {"a non-interactive child is skipped", [](TTree& t) { t.b->mInteractive = false; }, 165, 65, "A", 65, 15},
        {"a child of width 0 is never hit", [](TTree& t) { t.a->SetWidth(0); }, 120, 60, "R", 20, 10},
        {"a listener that refuses the child", [&](TTree& t) { t.b->SetListener(&refuse); }, 155, 55, "A", 55, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TTree tree;
        c.setup(tree);
        int localX = -1;
        int localY = -1;
        TMyWindow* hit = tree.root.HitTest(c.x, c.y, localX, localY);
        if (c.expected[0] == '\0') {
            EXPECT_EQ(hit, nullptr);
            continue;
        }
        ASSERT_NE(hit, nullptr);
        EXPECT_EQ(hit->mName, c.expected);
        EXPECT_EQ(localX, c.localX);
        EXPECT_EQ(localY, c.localY);
    }
}

TEST(WindowTreeTest, DrawnAlphaIsTheProductOfTheAncestors) {
    TTree tree;
    tree.root.SetAlpha(0.5f);
    tree.b->SetAlpha(0.5f);
    tree.bc->SetAlpha(0.8f);
    EXPECT_FLOAT_EQ(tree.root.GetParentAlpha(), 1.0f);
    EXPECT_FLOAT_EQ(tree.b->GetParentAlpha(), 0.5f);
    // The window's own alpha is not part of it.
    EXPECT_FLOAT_EQ(tree.bc->GetParentAlpha(), 0.25f);
}

TEST(WindowTreeTest, AlignmentPlacesTheAnchor) {
    struct Case {
        int hAlign, vAlign, x, y, w, h;
        int storedX, storedY;
    };
    const std::vector<Case> cases = {
        {0, -1, 100, 40, 51, 10, 75, 40},  {1, -1, 100, 40, 51, 10, 49, 40},   {-1, -1, 100, 40, 51, 10, 100, 40},
        {7, -1, 100, 40, 51, 10, 100, 40}, {-1, 0, 100, 100, 10, 31, 100, 85}, {-1, 1, 100, 100, 10, 31, 100, 69},
        {0, 0, -10, -10, 5, 5, -12, -12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "align " << c.hAlign << "," << c.vAlign);
        TMyWindow window;
        window.mHAlign = c.hAlign;
        window.mVAlign = c.vAlign;
        window.SetRect(c.x, c.y, c.w, c.h);
        EXPECT_EQ(window.GetX(), c.storedX);
        EXPECT_EQ(window.GetY(), c.storedY);
    }
}

TEST(WindowTreeTest, ResizingKeepsTheAnchorWhileMovesAndWidthsDoNotRealign) {
    TMyWindow window;
    window.mHAlign = TMyWindow::kAlignCentre;
    window.mVAlign = TMyWindow::kAlignFar;
    window.SetRect(100, 100, 50, 20);
    ASSERT_EQ(window.GetX(), 75);
    ASSERT_EQ(window.GetY(), 80);
    for (int repeat = 0; repeat < 3; ++repeat) {
        window.SetSize(60, 30);
        EXPECT_EQ(window.GetX(), 70);
        EXPECT_EQ(window.GetY(), 70);
    }
    window.SetSize(50, 20);
    EXPECT_EQ(window.GetX(), 75);
    EXPECT_EQ(window.GetY(), 80);
    window.MoveBy(5, -5);
    window.SetWidth(10);
    EXPECT_EQ(window.GetX(), 80);
    EXPECT_EQ(window.GetY(), 75);
    EXPECT_EQ(window.GetCenterX(), 85);
}

TEST(WindowTreeTest, ChildrenAreOwnedByTheirParent) {
    int deleted = 0;
    auto* root = new TProbeWindow("R", 0, 0, 10, 10);
    auto* a = new TProbeWindow("A", 0, 0, 5, 5, root);
    auto* b = new TProbeWindow("B", 0, 0, 5, 5, root);
    auto* grandchild = new TProbeWindow("G", 0, 0, 5, 5, a);
    for (TProbeWindow* window : {root, a, b, grandchild}) {
        window->mDeleted = &deleted;
    }
    root->AddChild(a); // already there: stays once
    EXPECT_EQ(root->mChildren.size(), 2u);
    EXPECT_TRUE(root->ContainsDescendant(grandchild));
    EXPECT_FALSE(a->ContainsDescendant(b));

    root->RemoveAllChildren(false, true);
    EXPECT_TRUE(root->mChildren.empty());
    EXPECT_TRUE(a->mChildren.empty());
    EXPECT_EQ(a->mParent, nullptr);
    EXPECT_EQ(grandchild->mParent, nullptr);
    EXPECT_EQ(deleted, 0);

    a->AddChild(grandchild);
    root->AddChild(a);
    root->AddChild(b);
    delete root;
    EXPECT_EQ(deleted, 4);
}

TEST(WindowTreeTest, FindingChildrenAndDisablingDescendants) {
    TTree tree;
    tree.b->mId = 7;
    EXPECT_EQ(tree.root.FindChildByName("B"), tree.b);
    EXPECT_EQ(tree.root.FindChildByName("Bc"), nullptr); // direct children only
    EXPECT_EQ(tree.root.FindChildByName("b"), nullptr);
    EXPECT_EQ(tree.root.FindChildById(7), tree.b);
    EXPECT_EQ(tree.root.FindChildById(8), nullptr);
    tree.root.SetDisabledRecursive(true);
    EXPECT_FALSE(tree.root.mDisabled);
    EXPECT_TRUE(tree.a->mDisabled);
    EXPECT_TRUE(tree.bc->mDisabled);
    int x = 0;
    int y = 0;
    tree.bc->GetAbsolutePosition(x, y);
    EXPECT_EQ(x, 160);
    EXPECT_EQ(y, 60);
}

TEST(WindowTreeTest, KeysStopAtTheFirstTakerWhileCharactersReachEveryChild) {
    TEventLog log;
    TMyWindow root;
    auto* first = new TProbeWindow("first", 0, 0, 1, 1, &root, &log);
    new TProbeWindow("second", 0, 0, 1, 1, &root, &log);

    EXPECT_FALSE(root.OnKeyDown(TKeyEvent{65, 0}));
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"first key 65", "second key 65"}));
    first->mTakesKeys = true;
    EXPECT_TRUE(root.OnKeyDown(TKeyEvent{66, 0}));
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"first key 66"}));
    root.OnChar(0x416);
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"first char 1046", "second char 1046"}));
}

TEST(WindowTreeTest, ShownFlagsOfChildren) {
    TTree tree;
    tree.b->mMouseOver = true;
    TEventLog log;
    tree.b->mLog = &log;
    tree.root.SetChildShown("nobody", false);
    EXPECT_TRUE(tree.a->mShown);
    EXPECT_TRUE(tree.b->mShown);
    tree.root.SetChildShown("B", false);
    EXPECT_FALSE(tree.b->mShown);
    EXPECT_FALSE(tree.b->mMouseOver);
    EXPECT_TRUE(log.lines.empty()); // no leave event
    tree.root.Hide();
    EXPECT_FALSE(tree.root.mShown);
    EXPECT_TRUE(tree.a->mShown); // children keep their own flags
}

TEST(WindowTreeTest, ShowDelayRunsOutOnlyWhenPositive) {
    struct Case {
        float delay;
        std::vector<float> ticks;
        std::vector<bool> over;
    };
    const std::vector<Case> cases = {
        {0.5f, {0.3f, 0.3f}, {false, true}},
        {0.0f, {0.1f}, {true}},
        {-1.0f, {5.0f, 5.0f}, {false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delay);
        TMyWindow window;
        window.mShowDelay = c.delay;
        for (size_t i = 0; i < c.ticks.size(); ++i) {
            EXPECT_EQ(window.TickShowDelay(c.ticks[i]), c.over[i]) << "tick " << i;
        }
    }
}

// The pointer handlers tell the listener, play the window's sounds and pass events up when asked.
class RecordingListener : public TMyWindowListener {
public:
    void OnWindowMouseEnter(TMyWindow* window) override { lines.push_back(window->mName + " enter"); }
    void OnWindowMouseLeave(TMyWindow* window) override { lines.push_back(window->mName + " leave"); }
    void OnWindowMouseDown(TMyWindow* window, const TMouseEvent& e) override {
        lines.push_back(FormatString("%s down %d,%d", window->mName.c_str(), e.x, e.y));
    }
    void OnWindowMouseUp(TMyWindow* window, const TMouseEvent& e) override {
        lines.push_back(FormatString("%s up %d,%d", window->mName.c_str(), e.x, e.y));
    }
    void OnWindowMouseMove(TMyWindow* window, const TMouseEvent& e) override {
        lines.push_back(FormatString("%s move %d,%d", window->mName.c_str(), e.x, e.y));
    }
    std::vector<std::string> lines;
};

TEST(WindowTreeTest, PointerHandlersTellTheListenerPlaySoundsAndPassEventsUp) {
    RecordingListener listener;
    TMyWindow parent;
    parent.mName = "parent";
    parent.SetListener(&listener);
    auto* child = new TMyWindow(&parent);
    child->mName = "child";
    child->SetListener(&listener);
    child->mSoundEnter = "snd_enter";
    child->mSoundLeave = "snd_leave";
    child->mSoundDown = "snd_down";
    child->mPassThrough = TMyWindow::kPassDown | TMyWindow::kPassUp;
    TMouseEvent event;
    event.x = 3;
    event.y = 4;

    child->OnMouseEnter();
    EXPECT_TRUE(child->mMouseOver);
    child->OnMouseDown(event);
    child->OnMouseMove(event);
    child->OnMouseUp(event);
    child->OnMouseLeave();
    EXPECT_FALSE(child->mMouseOver);
    EXPECT_EQ(listener.lines,
              (std::vector<std::string>{"child enter", "child down 3,4", "parent down 3,4", "child move 3,4",
                                        "child up 3,4", "parent up 3,4", "child leave"}));
    std::vector<std::string> sounds;
    for (const TMissingName& missing : GetMissingNames()) {
        if (missing.kind == "sound") {
            sounds.push_back(missing.name);
        }
    }
    EXPECT_EQ(sounds, (std::vector<std::string>{"snd_enter", "snd_down", "snd_leave"}));
}

class WindowCursorTest : public wintest::WindowsTest {};

TEST_F(WindowCursorTest, DeletingAHoveredWindowPutsTheDefaultCursorBack) {
    TiXmlDocument document;
    document.Parse("<cursors><cursor name='default'/><cursor name='hand'/></cursors>");
    TGameCursors* cursors = TGameCursors::Get();
    cursors->LoadFromXml(document.RootElement());
    auto* window = new TMyWindow();
    window->mHand = true;
    window->SetHandCursor(true);
    ASSERT_EQ(cursors->GetCurrent()->mName, "hand");
    window->mMouseOver = true;
    delete window;
    ASSERT_NE(cursors->GetCurrent(), nullptr);
    EXPECT_EQ(cursors->GetCurrent()->mName, "default");
}

// Windows draw where they are hit, however deep they sit.
class WindowDrawTest : public GraphicsTest {};

TEST_F(WindowDrawTest, EveryDepthDrawsAtItsAccumulatedPosition) {
    const auto fill = [](TColor color) {
        return [color](TProbeWindow& window) {
            GetRenderer()->FillRect(window.mDrawOffsetX + window.mX, window.mDrawOffsetY + window.mY, window.mWidth,
                                    window.mHeight, color);
        };
    };
    TProbeWindow root("root", 4, 4, 24, 24);
    auto* child = new TProbeWindow("child", 3, 3, 16, 16, &root);
    auto* grandchild = new TProbeWindow("grandchild", 2, 2, 4, 4, child);
    grandchild->mOnDraw = fill({1, 0, 0, 1});
    auto* pinned = new TProbeWindow("pinned", 20, 0, 3, 3, child);
    pinned->mAbsolute = true;
    pinned->mOnDraw = fill({0, 1, 0, 1});
    auto* undrawn = new TProbeWindow("undrawn", 0, 0, 2, 2, child);
    undrawn->mDrawn = false;
    undrawn->mOnDraw = fill({0, 0, 1, 1});

    BeginCanvas();
    root.Draw();
    ExpectPixels({{9, 9, kRedPixel},
                  {12, 12, kRedPixel},
                  {8, 8, kBlack},
                  {13, 13, kBlack},
                  {5, 5, kBlack}, // where a one-level offset would have put it
                  {20, 0, kGreenPixel},
                  {22, 2, kGreenPixel},
                  {7, 7, kBlack}});
    // The offsets are only set while drawing.
    EXPECT_EQ(grandchild->mDrawOffsetX, 0);
    EXPECT_EQ(pinned->mDrawOffsetY, 0);

    BeginCanvas();
    child->mShown = false;
    root.Draw();
    ExpectPixels({{9, 9, kBlack}, {20, 0, kBlack}});
}

} // namespace
