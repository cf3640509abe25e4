// Multi-tool objects: which child a held tool reaches, when the object completes and runs its own tool
// reaction, what it refuses, its saved byte, and the group mode that passes the pointer to its children.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/multitool_object.h"
#include "rooms/game_space.h"

namespace {

using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TTestTool;
using objtest::TXml;
using Strings = std::vector<std::string>;

class MultiToolTest : public ObjectTest {
protected:
    // A panel without a size of its own over lock a at (0, 0), lock b at (20, 0) and a plain knob at
    // (40, 0), each 10 x 10 and hit by its bounds; completing unlocks the door.
    std::unique_ptr<TMultyToolObject> Make(const std::string& attributes) {
        TObjectFactory::CreateInstance();
        TXml xml(R"(<scene><object id="panel" type="multytool" uat="door" )" + attributes + R"(>
            <object id="locka" w="10" h="10" cob="1" tool="a"/>
            <object id="lockb" x="20" w="10" h="10" cob="1" tool="b"/>
            <object id="knob" x="40" w="10" h="10" cob="1"/>
        </object></scene>)");
        // The objects keep pointing at their space: it lives as long as the test.
        mSpaces.push_back(std::make_unique<TGameSpace>());
        TGameSpace& space = *mSpaces.back();
        space.LoadObjectsFromXml(xml.Root(), "");
        EXPECT_EQ(space.mObjects.size(), 1u);
        auto* panel = dynamic_cast<TMultyToolObject*>(space.mObjects[0].get());
        EXPECT_NE(panel, nullptr);
        space.mObjects[0].release();
        space.mObjects.clear();
        std::unique_ptr<TMultyToolObject> owned(panel);
        owned->SetListener(&mListener);
        return owned;
    }

    TTool* Tool(const std::string& id) {
        if (id == "a") {
            return &mA;
        }
        return id == "b" ? &mB : id == "c" ? &mC : nullptr;
    }

    std::vector<std::unique_ptr<TGameSpace>> mSpaces;
    TRecordingListener mListener;
    TTestTool mA{"a"};
    TTestTool mB{"b"};
    TTestTool mC{"c"};
};

// A press with the tool ("" none) at (x, y); what the listener hears, complete and the wrong-tool flag.
struct Press {
    const char* tool;
    int x, y;
    bool result;
    Strings heard;
    bool complete, wrong;
};

const Strings kDone = {"toolapplied lockb", "unlock //door", "toolapplied panel"};

TEST_F(MultiToolTest, ToolsReachTheChildrenThatNeedThem) {
    struct Case {
        const char* attributes;
        std::vector<Press> presses;
        // Saved and restored into a fresh panel after this many presses.
        size_t saveAfter;
    };
    const Case cases[] = {
        {"",
         {{"a", 5, 5, true, {"toolapplied locka"}, false, false},
          {"b", 25, 5, true, kDone, true, false},
          // Complete: presses are ignored.
          {"a", 5, 5, false, {}, true, false}},
         1},
        {"",
         {{"b", 25, 5, true, {"toolapplied lockb"}, false, false},
          {"a", 5, 5, true, {"toolapplied locka", "unlock //door", "toolapplied panel"}, true, false}},
         1},
        // Any point of the panel will do: tool a pressed on the knob reaches lock a.
        {"",
         {{"a", 45, 5, true, {"toolapplied locka"}, false, false},
          {"c", 5, 5, true, {}, false, true},
          {"b", 5, 5, true, kDone, true, false}},
         2},
        // In order: b is refused while a still waits for its tool.
        {R"(keeporder="1")",
         {{"b", 25, 5, true, {}, false, true},
          {"a", 5, 5, true, {"toolapplied locka"}, false, false},
          {"b", 25, 5, true, kDone, true, false}},
         1},
        // Under the pointer only: a pressed on lock b is accepted but reaches nothing.
        {R"(checkcoords="1")",
         {{"a", 25, 5, true, {}, false, false},
          {"a", 5, 5, true, {"toolapplied locka"}, false, false},
          {"b", 45, 5, true, {}, false, false},
          {"b", 25, 5, true, kDone, true, false}},
         3},
        // A miss does nothing at all.
        {"", {{"a", 15, 5, false, {}, false, false}, {"a", 5, 5, true, {"toolapplied locka"}, false, false}}, 1},
    };
    for (const Case& c : cases) {
        for (const bool withSave : {false, true}) {
            SCOPED_TRACE(std::string(c.attributes) + (withSave ? " saved" : ""));
            auto panel = Make(c.attributes);
            for (size_t i = 0; i < c.presses.size(); ++i) {
                SCOPED_TRACE(i);
                if (withSave && i == c.saveAfter) {
                    TBaseBuffer saved;
                    panel->SaveState(saved);
                    panel = Make(c.attributes);
                    ASSERT_TRUE(RestoreObjectState(*panel, saved));
                }
                const Press& p = c.presses[i];
                EXPECT_EQ(panel->OnMouseDown(At(p.x, p.y, Tool(p.tool))), p.result);
                EXPECT_EQ(mListener.Take(), p.heard);
                EXPECT_EQ(panel->mComplete, p.complete);
                EXPECT_EQ(panel->IsSolved(), p.complete);
                EXPECT_EQ(panel->mWrongTool, p.wrong);
            }
        }
    }
}

TEST_F(MultiToolTest, SavedRecordEndsWithTheCompleteByte) {
    auto panel = Make("");
    for (const bool complete : {false, true}) {
        panel->mComplete = complete;
        TBaseBuffer saved, plain;
        panel->SaveState(saved);
        panel->TObject::SaveState(plain);
        ASSERT_EQ(saved.GetSize(), plain.GetSize() + 1);
        EXPECT_EQ(saved.GetBytes().back(), complete ? 1 : 0);
        auto fresh = Make("");
        ASSERT_TRUE(RestoreObjectState(*fresh, saved));
        EXPECT_EQ(fresh->mComplete, complete);
    }
}

TEST_F(MultiToolTest, ToolsStillMissingPartsAreNotApplied) {
    auto panel = Make("");
    TTestTool unfinished("a", false);
    EXPECT_TRUE(panel->OnMouseDown(At(5, 5, &unfinished)));
    EXPECT_TRUE(mListener.Take().empty());
    EXPECT_FALSE(panel->mWrongTool);
    EXPECT_FALSE(panel->GetChildren()[0]->mToolApplied);
}

TEST_F(MultiToolTest, ClickWithoutToolHandsOutItsToolsAndVanishes) {
    auto panel = Make(R"(tools="key" flags="opened")");
    EXPECT_TRUE(panel->OnMouseDown(At(45, 5)));
    EXPECT_EQ(mListener.Take(), (Strings{"flag opened 0", "flagsapplied", "toolgiven key", "clicked panel"}));
    EXPECT_FALSE(panel->mVisible);
    EXPECT_TRUE(panel->IsLocked());
    ASSERT_EQ(GetHandedOutTools().size(), 1u);
    EXPECT_EQ(GetHandedOutTools()[0].name, "key");
    // Without tools to give, a click is only reported; a second record past the list is never read.
    auto plain = Make(R"(maxclicks="2")");
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(plain->OnMouseDown(At(5, 5)));
        EXPECT_EQ(mListener.Take(), (Strings{"clicked panel"}));
    }
    EXPECT_EQ(plain->mClickCounter, 1);
    // The counter is held at the freeze, and a freeze of 0 or less from data leaves it uncounted.
    struct Freeze {
        const char* attributes;
        int counter;
    };
    const Freeze freezes[] = {
        {R"(freezeclicks="2")", 1}, {R"(freezeclicks="0")", -1}, {R"(freezeclicks="-2147483648")", -1}};
    for (const Freeze& f : freezes) {
        SCOPED_TRACE(f.attributes);
        auto frozen = Make(f.attributes);
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(frozen->OnMouseDown(At(45, 5)));
        }
        EXPECT_EQ(frozen->mClickCounter, f.counter);
        mListener.Take();
    }
}

// The panel draws its children; once it hands out its tool it vanishes with them.
TEST_F(MultiToolTest, DrawsItsChildrenUntilItHandsOutItsTool) {
    WriteSolidImage("textures/a.png", 4, 4, kRed);
    WriteSolidImage("textures/b.png", 4, 4, kGreen);
    TObjectFactory::CreateInstance();
    TXml xml(R"(<scene><object id="panel" type="multytool" tools="key">
        <object id="a" name="a.png" cob="1"/><object id="b" name="b.png" x="8" y="8" cob="1"/></object></scene>)");
    TGameSpace space;
    space.LoadObjectsFromXml(xml.Root(), "");
    ASSERT_EQ(space.mObjects.size(), 1u);
    TObject& panel = *space.mObjects[0];
    panel.SetListener(&mListener);
    panel.LoadResources();
    for (const auto& child : panel.GetChildren()) {
        child->LoadResources();
    }
    panel.OnSpaceShow();
    BeginCanvas();
    panel.Draw(1.0f);
    ExpectPixels({{1, 1, kRedPixel}, {9, 9, kGreenPixel}, {5, 5, kBlack}});
    EXPECT_TRUE(panel.OnMouseDown(At(9, 9)));
    BeginCanvas();
    panel.Draw(1.0f);
    ExpectPixels({{1, 1, kBlack}, {9, 9, kBlack}});
}

TEST_F(MultiToolTest, GroupPassesThePointerToItsChildren) {
    auto group = Make(R"(group="1")");
    // The press reaches the topmost child under the pointer; a group is never solved.
    EXPECT_TRUE(group->OnMouseDown(At(45, 5)));
    EXPECT_EQ(mListener.Take(), (Strings{"clicked panel", "clicked knob", "pressed knob 45,5"}));
    EXPECT_FALSE(group->IsSolved());
    // With a tool the panel itself is the target.
    EXPECT_TRUE(group->OnMouseDown(At(5, 5, &mA)));
    EXPECT_EQ(mListener.Take()[0], "unlock //door");
    EXPECT_FALSE(group->mComplete);
}

TEST_F(MultiToolTest, RectangleAndReset) {
    struct Case {
        const char* attributes;
        float rect[4];
    };
    const Case cases[] = {
        // Only the children, not reaching the origin.
        {R"(x="100")", {0, 0, 50, 10}},
        {R"(x="100" y="7" w="3" h="4")", {100, 7, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto panel = Make(c.attributes);
        float rect[4];
        panel->GetRect(rect);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(rect[i], c.rect[i]) << i;
        }
    }
    auto panel = Make(R"(keeporder="1" checkcoords="1" group="1")");
    panel->mComplete = true;
    panel->ResetState();
    EXPECT_FALSE(panel->mComplete);
    EXPECT_FALSE(panel->mCheckCoords);
    EXPECT_FALSE(panel->mGroup);
    EXPECT_TRUE(panel->mKeepOrder);
}

} // namespace
