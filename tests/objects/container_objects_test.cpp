// Containers: which children hear a press or a move and in what order, what the group shares with its
// children, and when a found group reports that every child is used up.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/container_objects.h"

namespace {

using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TXml;
using Strings = std::vector<std::string>;

class RoutingContainerTest : public ObjectTest {
protected:
    // A 10 x 10 container "box" holding a and b over it and c away at (20, 20), every one hit by its bounds.
    std::unique_ptr<TObject> Make(const std::string& type, const std::string& boxAttributes = "") {
        TObjectFactory::CreateInstance();
        TXml xml(R"(<scene><object id="box" type=")" + type + R"(" w="10" h="10" cob="1" )" + boxAttributes + R"(>
            <object id="a" w="10" h="10" cob="1"/>
            <object id="b" w="10" h="10" cob="1"/>
            <object id="c" x="20" y="20" w="10" h="10" cob="1"/>
        </object></scene>)");
        mSpace = std::make_unique<TGameSpace>();
        mSpace->LoadObjectsFromXml(xml.Root(), "");
        EXPECT_EQ(mSpace->mObjects.size(), 1u);
        std::unique_ptr<TObject> box = std::move(mSpace->mObjects[0]);
        mSpace->mObjects.clear();
        box->SetListener(&mListener);
        return box;
    }

    static std::string Order(const TObject& box) {
        std::string names;
        for (const auto& child : box.GetChildren()) {
            names += child->mName;
        }
        return names;
    }

    // The "pressed" reports only.
    Strings Pressed() {
        Strings pressed;
        for (const std::string& call : mListener.Take()) {
            if (call.rfind("pressed ", 0) == 0) {
                pressed.push_back(call.substr(8, call.find(' ', 8) - 8));
            }
        }
        return pressed;
    }

    std::unique_ptr<TGameSpace> mSpace;
    TRecordingListener mListener;
};

TEST_F(RoutingContainerTest, PressRouting) {
    struct Case {
        const char* type;
        int x, y;
        bool taken;
        Strings pressed;
        const char* order;
    };
    const Case cases[] = {
        // Own handling, then the topmost child that takes it.
        {"transp", 5, 5, true, {"box", "b"}, "abc"},
        {"group", 5, 5, true, {"box", "b"}, "abc"},
        {"fgroup", 5, 5, true, {"box", "b"}, "abc"},
        // The child that took the press goes to the top.
        {"bring_to_top", 5, 5, true, {"box", "b"}, "acb"},
        // The container's own hit test counts its children, so its own press runs too.
        {"bring_to_top", 25, 25, true, {"box", "c"}, "abc"},
        {"bring_to_top", 50, 50, false, {}, "abc"},
        // The first child in list order, nothing of its own.
        {"animfile", 5, 5, true, {"a"}, "abc"},
        {"animfile", 25, 25, true, {"c"}, "abc"},
        {"animfile", 50, 50, false, {}, "abc"},
        // Everyone under the pointer.
        {"me_group", 5, 5, true, {"box", "a", "b"}, "abc"},
        {"me_group", 25, 25, true, {"box", "c"}, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " at " + std::to_string(c.x) + "," + std::to_string(c.y));
        auto box = Make(c.type);
        EXPECT_EQ(box->OnMouseDown(At(c.x, c.y)), c.taken);
        EXPECT_EQ(Pressed(), c.pressed);
        EXPECT_EQ(Order(*box), c.order);
    }
}

TEST_F(RoutingContainerTest, BringToTopKeepsMovingThePressedChildUp) {
    auto box = Make("bring_to_top");
    box->FindChildById("c")->SetPosition(0, 0, true);
    // a, b and c now overlap: the topmost takes each press, so pressing again keeps the order.
    EXPECT_TRUE(box->OnMouseDown(At(5, 5)));
    EXPECT_EQ(Order(*box), "abc");
    box->FindChildById("c")->mVisible = false;
    box->FindChildById("b")->mVisible = false;
    EXPECT_TRUE(box->OnMouseDown(At(5, 5)));
    EXPECT_EQ(Order(*box), "bca");
    EXPECT_EQ(box->FindChildById("a")->GetParent(), box.get());
}

// The record keeps each child's state with that child after a press reordered them: read into the same
// container, and into a freshly loaded one whose children stand in the loaded order.
TEST_F(RoutingContainerTest, BringToTopRecordKeepsEachChildsStateWithIt) {
    auto box = Make("bring_to_top");
    EXPECT_TRUE(box->OnMouseDown(At(5, 5)));
    ASSERT_EQ(Order(*box), "acb");
    // Shows which record each child read: a locked, c solved, b at a quarter alpha.
    const auto state = [](TObject& container) {
        std::string text;
        for (const char* id : {"a", "b", "c"}) {
            TObject* child = container.FindChildById(id);
            text += std::string(id) + (child->IsLocked() ? "L" : "") + (child->mSolved ? "S" : "") +
                    (child->mAlpha < 1 ? "q" : "") + " ";
        }
        return text;
    };
    box->FindChildById("a")->mLocked = true;
    box->FindChildById("c")->mSolved = true;
    box->FindChildById("b")->mAlpha = 0.25f;
    TBaseBuffer saved;
    box->SaveState(saved);
    const std::vector<uint8_t> bytes = saved.GetBytes();
    auto again = [&bytes] {
        TBaseBuffer record;
        for (uint8_t b : bytes) {
            record.WriteByte(b);
        }
        return record;
    };

    auto fresh = Make("bring_to_top");
    TBaseBuffer first = again();
    ASSERT_TRUE(RestoreObjectState(*fresh, first));
    EXPECT_EQ(Order(*fresh), "abc");
    EXPECT_EQ(state(*fresh), "aL bq cS ");

    box->FindChildById("a")->mLocked = false;
    box->FindChildById("c")->mSolved = false;
    box->FindChildById("b")->mAlpha = 1;
    TBaseBuffer second = again();
    ASSERT_TRUE(RestoreObjectState(*box, second));
    EXPECT_EQ(Order(*box), "acb");
    EXPECT_EQ(state(*box), "aL bq cS ");
}

TEST_F(RoutingContainerTest, InvisibleContainersPassNothing) {
    for (const char* type : {"transp", "group", "fgroup"}) {
        SCOPED_TRACE(type);
        auto box = Make(type);
        box->mVisible = false;
        EXPECT_FALSE(box->OnMouseDown(At(5, 5)));
        bool hover = false;
        EXPECT_FALSE(box->OnMouseMove(At(5, 5), &hover));
        EXPECT_FALSE(box->OnMouseUp(At(5, 5)));
        EXPECT_TRUE(mListener.Take().empty());
    }
}

TEST_F(RoutingContainerTest, MovesReachEveryChildOfAMouseEventsGroupButOneOfAnAnimFile) {
    const std::pair<const char*, Strings> cases[] = {
        {"me_group", {"enter box", "enter a", "enter b"}},
        {"animfile", {"enter a"}},
    };
    for (const auto& [type, entered] : cases) {
        SCOPED_TRACE(type);
        auto box = Make(type);
        bool hover = false;
        EXPECT_TRUE(box->OnMouseMove(At(5, 5), &hover));
        Strings enters;
        for (const std::string& call : mListener.Take()) {
            if (call.rfind("enter ", 0) == 0) {
                enters.push_back(call);
            }
        }
        EXPECT_EQ(enters, entered);
    }
}

TEST_F(RoutingContainerTest, GroupSharesHintsCursorAndLifeCycle) {
    auto group = Make("group", R"(hint="h1" hintlocked="hl" hinttool="ht" cursor="hand")");
    TObject* a = group->FindChildById("a");
    EXPECT_EQ(a->mHintKeys, Strings{"h1"});
    EXPECT_EQ(a->mLockedHintKeys, Strings{"hl"});
    EXPECT_EQ(a->mToolHintKeys, Strings{"ht"});
    EXPECT_EQ(a->mCursorName, "hand");

    auto toolGroup = Make("group", R"(tool="key" cursor="hand" maxclickstool="1")");
    for (const auto& child : toolGroup->GetChildren()) {
        EXPECT_EQ(child->mCursorName, "tool");
    }

    group->Lock();
    EXPECT_TRUE(a->IsLocked());
    group->Unlock();
    EXPECT_FALSE(group->FindChildById("c")->IsLocked());
    group->Activate(1, 0, 0);
    EXPECT_TRUE(group->FindChildById("b")->IsActive());
    group->SetVisible(false);
    EXPECT_FALSE(group->FindChildById("c")->mVisible);
    group->SetVisible(true);
    EXPECT_TRUE(a->mVisible);
}

TEST_F(RoutingContainerTest, HintOfAGroupIsItsFirstChild) {
    auto group = Make("group", R"(hint_mod="show_hint")");
    std::vector<TObject*> candidates;
    group->CollectHintCandidates(candidates);
    EXPECT_EQ(candidates, std::vector<TObject*>{group->FindChildById("a")});
    group->Lock();
    candidates.clear();
    group->CollectHintCandidates(candidates);
    EXPECT_TRUE(candidates.empty());
}

TEST_F(RoutingContainerTest, ToolUseThatUsesUpTheGroupClearsTheChildrensCursors) {
    objtest::TTestTool key("key");
    auto group = Make("group", R"(tool="key" maxclickstool="2")");
    const std::pair<TTool*, const char*> presses[] = {{nullptr, "tool"}, {&key, "tool"}, {&key, ""}};
    for (const auto& [tool, cursor] : presses) {
        SCOPED_TRACE(group->mToolClickCounter);
        EXPECT_TRUE(group->OnMouseDown(At(5, 5, tool)));
        for (const auto& child : group->GetChildren()) {
            EXPECT_EQ(child->mCursorName, cursor) << child->mName;
        }
    }
}

// Children allow one click each; after-event 0 comes with the press that uses up the last of them, also
// when the group was saved and restored into a fresh one between the presses.
TEST_F(RoutingContainerTest, FoundGroupReportsWhenEveryChildIsUsedUp) {
    auto make = [this] {
        auto group = Make("fgroup", R"(uae="door" eflags="open")");
        for (const auto& child : group->GetChildren()) {
            child->mMaxClicks = 1;
        }
        return group;
    };
    struct Step {
        int x, y;
        Strings calls;
    };
    const Step steps[] = {
        {5, 5, {}},
        {25, 25, {}},
        {5, 5, {"unlock //door", "flag open 0", "flagsapplied"}},
    };
    for (const bool withSave : {false, true}) {
        auto group = make();
        mListener.Take();
        for (size_t i = 0; i < std::size(steps); ++i) {
            SCOPED_TRACE(std::string(withSave ? "saved " : "") + std::to_string(i));
            if (withSave && i == 2) {
                TBaseBuffer saved;
                group->SaveState(saved);
                group = make();
                ASSERT_TRUE(RestoreObjectState(*group, saved));
                mListener.Take();
            }
            // b takes the first press (a stays under it), c the second; a is uncovered once b is hidden.
            if (i == 2) {
                group->FindChildById("b")->mVisible = false;
            }
            group->OnMouseDown(At(steps[i].x, steps[i].y));
            Strings reactions;
            for (const std::string& call : mListener.Take()) {
                if (call.rfind("unlock", 0) == 0 || call.rfind("flag", 0) == 0) {
                    reactions.push_back(call);
                }
            }
            EXPECT_EQ(reactions, steps[i].calls);
        }
    }
}

} // namespace
