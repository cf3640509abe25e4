// Presses, moves and releases over scene objects: clicks and tool uses against their limits, sounds, the
// executer's veto, enter and leave, hovering, and containers that pass input to their children.

#include <algorithm>

#include "object_test_support.h"
#include "objects/transparent_object.h"

namespace {

using objtest::At;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TRecordingSpace;
using objtest::TTestTool;

using Strings = std::vector<std::string>;

class PointerTest : public ObjectTest {
protected:
    // A bounds-only 10 x 10 object at the origin, in the recording space.
    std::unique_ptr<TObject> Make(const std::string& attributes) {
        return Into(Load(R"(w="10" h="10" cob="1" )" + attributes));
    }

    template <typename T> std::unique_ptr<T> Into(std::unique_ptr<T> object) {
        object->mSpace = &mSpace;
        object->SetListener(&mListener);
        return object;
    }

    Strings Sounds() { return mSpace.mSounds.Take(); }

    TRecordingSpace mSpace;
    TRecordingListener mListener;
};

TEST_F(PointerTest, ClicksCountAgainstTheirLimit) {
    struct Case {
        const char* attributes;
        int presses;
        std::vector<int> counters;
        int clicks;
    };
    const std::vector<Case> cases = {
        {R"(id="o")", 3, {0, 1, 2}, 3},
        {R"(id="o" maxclicks="1")", 3, {0, 0, 0}, 1},
        {R"(id="o" maxclicks="3" freezeclicks="1")", 4, {0, 1, 2, 2}, 3},
        {R"(id="o" onclick="0")", 2, {-1, -1}, 0},
        // Needing a tool, the object takes no plain click unless it allows one.
        {R"(id="o" tool="key")", 2, {-1, -1}, 0},
        {R"(id="o" tool="key" allowclickwithtool="1")", 2, {0, 1}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto object = Make(c.attributes);
        std::vector<int> counters;
        int clicks = 0, presses = 0;
        for (int i = 0; i < c.presses; ++i) {
            EXPECT_TRUE(object->OnMouseDown(At(5, 5)));
            counters.push_back(object->mClickCounter);
            for (const std::string& call : mListener.Take()) {
                clicks += call == "clicked o";
                presses += call == "pressed o 5,5";
            }
        }
        EXPECT_EQ(counters, c.counters);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(presses, c.presses);
    }
}

TEST_F(PointerTest, MissesVetoesAndTheClickDelayReportNothing) {
    class Veto : public TExecuter {
    public:
        bool OnPress(TObject*, const TMouseEvent&) override { return false; }
    } veto;
    auto object = Make(R"(id="o")");
    EXPECT_FALSE(object->OnMouseDown(At(15, 5)));
    object->mClickExecuter = &veto;
    EXPECT_FALSE(object->OnMouseDown(At(5, 5)));
    object->mClickExecuter = nullptr;
    object->mClickDelayLeft = 0.5f;
    EXPECT_FALSE(object->OnMouseDown(At(5, 5)));
    object->Update(0.3f);
    EXPECT_FALSE(object->OnMouseDown(At(5, 5)));
    EXPECT_TRUE(mListener.Take().empty());
    object->Update(0.3f);
    EXPECT_TRUE(object->OnMouseDown(At(5, 5)));
    EXPECT_EQ(mListener.Take(), (Strings{"clicked o", "pressed o 5,5"}));
    object->Lock();
    EXPECT_FALSE(object->OnMouseDown(At(5, 5)));
}

TEST_F(PointerTest, AcceptedClickSoundsAndHides) {
    auto object = Make(R"(id="o" sound="creak" hideonclick="1")");
    EXPECT_TRUE(object->OnMouseDown(At(5, 5)));
    EXPECT_FALSE(object->mVisible);
    EXPECT_EQ(Sounds(), (Strings{"creak"}));
    // Without a space no object sound plays, and nothing fails.
    auto lone = Load(R"(w="10" h="10" cob="1" sound="creak")");
    EXPECT_TRUE(lone->OnMouseDown(At(5, 5)));
    EXPECT_TRUE(Sounds().empty());
}

TEST_F(PointerTest, NeededToolSoundsUntilItsUsesAreSpent) {
    TTestTool key("key");
    auto object = Make(R"(id="o" tool="key" maxclickstool="2")");
    object->OnMouseDown(At(5, 5));
    object->OnMouseDown(At(5, 5));
    EXPECT_EQ(Sounds(), (Strings{"need_tool", "need_tool"}));
    object->OnMouseDown(At(5, 5, &key));
    object->OnMouseDown(At(5, 5));
    EXPECT_EQ(Sounds(), (Strings{"need_tool"}));
    object->OnMouseDown(At(5, 5, &key));
    EXPECT_EQ(key.mApplied, (std::vector<int>{0, 1}));
    object->OnMouseDown(At(5, 5));
    object->OnMouseDown(At(5, 5, &key));
    EXPECT_TRUE(Sounds().empty());
    EXPECT_EQ(key.mApplied.size(), 2u);
}

TEST_F(PointerTest, ToolPresses) {
    struct Case {
        const char* what;
        const char* attributes;
        TTestTool tool;
        Strings calls;
        bool wrongTool;
        std::vector<int> applied;
    };
    const std::vector<Case> cases = {
        {"the needed tool is applied",
         R"(id="o" tool="key" toolpower="0.5")",
         TTestTool("key"),
         {"toolapplied o", "pressed o 5,5"},
         false,
         {0}},
        {"another tool is wrong", R"(id="o" tool="key")", TTestTool("rope"), {"pressed o 5,5"}, true, {}},
        {"an object needing no tool finds any tool wrong", R"(id="o")", TTestTool("key"), {"pressed o 5,5"}, true, {}},
        {"an incomplete tool does nothing",
         R"(id="o" tool="key")",
         TTestTool("key", false),
         {"pressed o 5,5"},
         false,
         {}},
        {"a tool opening the pocket reports a click",
         R"(id="o" tooltoopenpocket="key")",
         TTestTool("key"),
         {"clicked o", "pressed o 5,5"},
         false,
         {}},
        {"a tool opening the minigame reports a click",
         R"(id="o" tooltoopenminigame="key")",
         TTestTool("key"),
         {"clicked o", "pressed o 5,5"},
         false,
         {}},
        // The open-lists do not swallow the object's own tool.
        {"a needed tool beside a pocket tool is applied",
         R"(id="o" tool="saw" tooltoopenpocket="key")",
         TTestTool("saw"),
         {"toolapplied o", "pressed o 5,5"},
         false,
         {0}},
        {"one tool in both lists opens the pocket",
         R"(id="o" tool="key" tooltoopenpocket="key")",
         TTestTool("key"),
         {"clicked o", "pressed o 5,5"},
         false,
         {}},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.what);
        auto object = Make(c.attributes);
        EXPECT_TRUE(object->OnMouseDown(At(5, 5, &c.tool)));
        EXPECT_EQ(mListener.Take(), c.calls);
        EXPECT_EQ(object->mWrongTool, c.wrongTool);
        EXPECT_EQ(c.tool.mApplied, c.applied);
        EXPECT_EQ(object->mToolApplied, !c.applied.empty());
    }
}

TEST_F(PointerTest, AppliedToolPowersAndActivates) {
    TTestTool key("key");
    auto object = Make(R"(id="o" tool="key" toolpower="0.5" sounda="hum,buzz")");
    object->OnMouseDown(At(5, 5, &key));
    EXPECT_EQ(key.mPower, 0.5f);
    EXPECT_TRUE(object->IsActive());
    EXPECT_EQ(Sounds(), (Strings{"hum", "buzz"}));
    // Without a power the tool keeps its own.
    TTestTool plain("key");
    Make(R"(tool="key")")->OnMouseDown(At(5, 5, &plain));
    EXPECT_EQ(plain.mPower, -100.0f);
}

TEST_F(PointerTest, HeldToolOffset) {
    TTestTool held("key");
    held.mOffsetX = 10;
    struct Case {
        int holdState;
        bool pressHit;
    };
    // Presses use the offset only in hold state 1; moves and releases always.
    for (const Case& c : {Case{1, true}, Case{0, false}}) {
        held.mHoldState = c.holdState;
        auto object = Make(R"(id="o" tool="key")");
        EXPECT_EQ(object->OnMouseDown(At(-5, 5, &held)), c.pressHit) << c.holdState;
        EXPECT_TRUE(object->OnMouseUp(At(-5, 5, &held))) << c.holdState;
    }
    // One move event offered to two objects tests the same point for both: the offset is added once.
    auto first = Make(R"(id="a")");
    auto second = Make(R"(id="b")");
    const TMouseEvent move = At(-5, 5, &held);
    bool firstHover = false;
    EXPECT_TRUE(first->OnMouseMove(move, &firstHover));
    EXPECT_TRUE(second->OnMouseMove(move, &firstHover));
}

TEST_F(PointerTest, ReleasesAreReportedHitOrNot) {
    auto object = Make(R"(id="o")");
    EXPECT_TRUE(object->OnMouseUp(At(5, 5)));
    EXPECT_FALSE(object->OnMouseUp(At(50, 5)));
    EXPECT_EQ(mListener.Take(), (Strings{"released o 5,5", "released o 50,5"}));
}

TEST_F(PointerTest, EnterAndLeaveOncePerCrossing) {
    auto object = Make(R"(id="o" soundmouseenter="in" soundmouseleave="out")");
    const int path[] = {5, 6, 50, 60, 7, 8};
    for (int x : path) {
        bool firstHover = false;
        object->OnMouseMove(At(x, 5), &firstHover);
    }
    EXPECT_EQ(mListener.Take(), (Strings{"enter o", "firsthover o", "firsthover o", "leave o", "enter o",
                                         "firsthover o", "firsthover o"}));
    EXPECT_EQ(Sounds(), (Strings{"in", "out", "in"}));
}

TEST_F(PointerTest, OnlyTheFirstHitObjectOfAPassIsHovered) {
    auto top = Make(R"(id="top")");
    auto under = Make(R"(id="under")");
    for (int pass = 0; pass < 2; ++pass) {
        bool firstHover = false;
        top->OnMouseMove(At(5, 5), &firstHover);
        under->OnMouseMove(At(5, 5), &firstHover);
        EXPECT_TRUE(top->mHovered);
        EXPECT_FALSE(under->mHovered);
    }
    // Both are entered once; only the first hears it is hovered, on every pass.
    EXPECT_EQ(mListener.Take(), (Strings{"enter top", "firsthover top", "enter under", "firsthover top"}));
}

TEST_F(PointerTest, ActivationSounds) {
    auto object = Make(R"(sounda="hum")");
    object->ActivateDefault();
    EXPECT_TRUE(object->IsActive());
    EXPECT_EQ(Sounds(), (Strings{"hum"}));
    object->DeactivateDefault();
    EXPECT_FALSE(object->IsActive());
    EXPECT_TRUE(Sounds().empty());
}

class ContainerTest : public PointerTest {
protected:
    // A transparent container at the origin (not hit itself) with two overlapping children.
    void SetUp() override {
        PointerTest::SetUp();
        mContainer = Into(Load<TTransparentObject>(R"(id="box" w="0" h="0")"));
        mLow = Child(R"(id="low" w="10" h="10" cob="1")");
        mHigh = Child(R"(id="high" w="10" h="10" cob="1")");
        mContainer->SetListener(&mListener);
    }

    TObject* Child(const std::string& attributes) {
        TObject* child = Load(attributes).release();
        child->mSpace = &mSpace;
        EXPECT_TRUE(mContainer->AddChild(child));
        return child;
    }

    std::unique_ptr<TTransparentObject> mContainer;
    TObject* mLow = nullptr;
    TObject* mHigh = nullptr;
};

TEST_F(ContainerTest, PressesGoToTheTopmostChildOnly) {
    EXPECT_TRUE(mContainer->OnMouseDown(At(5, 5)));
    EXPECT_EQ(mHigh->mClickCounter, 0);
    EXPECT_EQ(mLow->mClickCounter, -1);
    EXPECT_EQ(mListener.Take(), (Strings{"clicked box", "pressed box 5,5", "clicked high", "pressed high 5,5"}));
    EXPECT_FALSE(mContainer->OnMouseDown(At(50, 5)));
    mContainer->mVisible = false;
    EXPECT_FALSE(mContainer->OnMouseDown(At(5, 5)));
    EXPECT_FALSE(mContainer->OnMouseUp(At(5, 5)));
    EXPECT_EQ(mHigh->mClickCounter, 0);
}

TEST_F(ContainerTest, EveryChildHearsMoves) {
    bool firstHover = false;
    EXPECT_TRUE(mContainer->OnMouseMove(At(5, 5), &firstHover));
    firstHover = false;
    EXPECT_FALSE(mContainer->OnMouseMove(At(50, 5), &firstHover));
    const Strings calls = mListener.Take();
    for (const char* expected : {"enter high", "enter low", "leave high", "leave low"}) {
        EXPECT_EQ(std::count(calls.begin(), calls.end(), expected), 1) << expected;
    }
}

TEST_F(ContainerTest, DragsReachOnlyTheChildren) {
    class Dragged : public TObject {
    public:
        bool OnMouseDrag(const TMouseEvent&) override { return ++mDrags > 0; }
        int mDrags = 0;
    };
    auto* dragged = new Dragged();
    ASSERT_TRUE(mContainer->AddChild(dragged));
    EXPECT_TRUE(mContainer->OnMouseDrag(At(5, 5)));
    EXPECT_EQ(dragged->mDrags, 1);
    mContainer->RemoveChild(dragged);
    delete dragged;
    EXPECT_FALSE(mContainer->OnMouseDrag(At(5, 5)));
}

} // namespace
