// The list grammars, and which groups an object hands to its space after clicks, tool uses and events.

#include "object_test_support.h"

namespace {

using objtest::At;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TTestTool;

using Strings = std::vector<std::string>;

std::string Render(const TReactionList& list) {
    std::string text;
    for (size_t i = 0; i < list.size(); ++i) {
        text += (i == 0 ? "[" : " [") + objtest::PathText(list[i]) + "]";
    }
    return text;
}

TEST(ReactionListGrammar, GroupsItemsAndParts) {
    struct Case {
        const char* text;
        const char* parsed;
    };
    const Case cases[] = {
        {"a;b,c", "[//a] [//b //c]"},
        // An empty group keeps its place: nothing on the first click, the door on the second.
        {";door", "[] [//door]"},
        {"a;;b", "[//a] [] [//b]"},
        {"a;", "[//a] []"},
        {"room1.door", "[room1//door]"},
        {"pocket.box.lid", "[pocket/box/lid]"},
        {"a.b.c.d", "[//]"},
        {" a , , b ", "[//a //b]"},
        {"", ""},
        {"   ", ""},
    };
    for (const Case& c : cases) {
        TReactionList list = {{{"old", "", "x"}}};
        ParseReactionList(c.text, list);
        EXPECT_EQ(Render(list), c.parsed) << "'" << c.text << "'";
    }
}

TEST(ReactionListGrammar, TaskFlagAndStateItems) {
    TTaskList tasks = {{"kept"}};
    ParseTaskList("", tasks);
    EXPECT_EQ(tasks, (TTaskList{{"kept"}}));
    ParseTaskList("t1, t2;;t3", tasks);
    EXPECT_EQ(tasks, (TTaskList{{"t1", "t2"}, {}, {"t3"}}));

    struct FlagCase {
        const char* text;
        TFlagItem item;
    };
    const FlagCase flags[] = {
        {"door.5", {"door", 5, ""}},    {"door.open", {"door", 0, "open"}},
        {"door.3.x", {"door", 3, "x"}}, {"door", {"door", 0, ""}},
        {"door.0", {"door", 0, "0"}},   {"door.7abc", {"door", 7, ""}},
        {"door.-2", {"door", -2, ""}},  {"a.b.c.d", {}},
    };
    for (const FlagCase& c : flags) {
        TFlagList list;
        ParseFlagList(c.text, list);
        ASSERT_EQ(list.size(), 1u) << c.text;
        ASSERT_EQ(list[0].size(), 1u) << c.text;
        EXPECT_EQ(list[0][0], c.item) << c.text;
    }
    TFlagList keptFlags = {{{"kept", 1, ""}}};
    ParseFlagList("", keptFlags);
    EXPECT_EQ(keptFlags.size(), 1u);

    TStateList states;
    ParseStateList("k.v, lone, a.b.c; x.y", states);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[0], (std::vector<TStateItem>{{"k", "v"}, {}, {}}));
    EXPECT_EQ(states[1], (std::vector<TStateItem>{{"x", "y"}}));
}

// The calls of one object as the space hears them, without the presses and clicks every press reports.
class ReactionTest : public ObjectTest {
protected:
    std::unique_ptr<TObject> Make(const std::string& attributes) {
        auto object = Load(R"(id="o" w="10" h="10" cob="1" )" + attributes);
        object->SetListener(&mListener);
        return object;
    }

    Strings Reactions() {
        Strings calls;
        for (const std::string& call : mListener.Take()) {
            if (call.rfind("pressed", 0) != 0 && call.rfind("clicked", 0) != 0 && call.rfind("toolapplied", 0) != 0) {
                calls.push_back(call);
            }
        }
        return calls;
    }

    // The reactions of each of n presses.
    std::vector<Strings> Presses(TObject& object, int n, TTool* tool = nullptr) {
        std::vector<Strings> all;
        for (int i = 0; i < n; ++i) {
            object.OnMouseDown(At(5, 5, tool));
            all.push_back(Reactions());
        }
        return all;
    }

    TRecordingListener mListener;
};

TEST_F(ReactionTest, ClickGroupsFollowTheCounter) {
    struct Case {
        const char* attributes;
        std::vector<Strings> presses;
    };
    const std::vector<Case> cases = {
        {R"(vac="a;b,c")", {{"show //a"}, {"show //b //c"}, {}}},
        {R"(vac=";door")", {{}, {"show //door"}}},
        // Clicks past the freeze repeat the last group; the limit still counts every click.
        {R"(vac="a;b;c" freezeclicks="2")", {{"show //a"}, {"show //b"}, {"show //b"}, {"show //b"}}},
        {R"(vac="a;b;c" freezeclicks="2" maxclicks="3")", {{"show //a"}, {"show //b"}, {"show //b"}, {}}},
        {R"(vac="a;b" freezeclicks="0")", {{}, {}}},
        // A list of two names still goes on the click after its last name, and stops after that.
        {R"(robjafterclick="x,y")", {{"robj x y"}, {"robj x y"}, {"robj x y"}, {}}},
        {R"(flags="f1.5,blocked;f2.word")", {{"flag f1 5", "flagsapplied"}, {"flag f2 0 word", "flagsapplied"}, {}}},
        {R"(flags="blocked")", {{}}},
        {R"(vac="a" maxclicks="1")", {{"show //a"}, {}}},
    };
    TInterfaceEvents::Get().mBlockedNames = {"blocked"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto object = Make(c.attributes);
        EXPECT_EQ(Presses(*object, static_cast<int>(c.presses.size())), c.presses);
    }
}

TEST_F(ReactionTest, HandOverOrder) {
    auto clicked = Make(R"(lac="l" uac="u" vac="v" hac="h" vaccf="vc" haccf="hc" aac="a" dac="d" tasks="t"
        tasksr="tr" esac="es" eac="e" robjafterclick="r" cobjafterclick="c" aobjafterclick="ao" flags="f")");
    EXPECT_EQ(Presses(*clicked, 1)[0],
              (Strings{"lock //l", "unlock //u", "show //v", "hide //h", "show //vc", "hide //hc", "activate //a",
                       "deactivate //d", "addtasks t", "removetasks tr", "effectsets //es", "effects //e", "robj r",
                       "cobj c", "aobj ao", "flag f 0", "flagsapplied"}));

    TTestTool key("key");
    auto tooled = Make(R"(tool="key" lat="l" uat="u" vat="v" hat="h" vatcf="vc" hatcf="hc" aat="a" dat="d"
        ttasks="t" ttasksr="tr" esat="es" eat="e" robjaftertool="r" cobjaftertool="c" aobjaftertool="ao" tflags="f")");
    EXPECT_EQ(Presses(*tooled, 1, &key)[0],
              (Strings{"lock //l", "unlock //u", "show //v", "hide //h", "show //vc", "hide //hc", "activate //a",
                       "deactivate //d", "addtasks t", "removetasks tr", "effectsets //es", "effects //e", "robj r",
                       "cobj c", "aobj ao", "flag f 0", "flagsapplied"}));

    auto evented = Make(R"(aae="a" dae="d" lae="l" uae="u" vae="v" hae="h" eae="e" esae="es" etasks="t"
        etasksr="tr" robjafterevent="r" cobjafterevent="c" aobjafterevent="ao" eflags="f")");
    evented->ApplyAfterEvent(0);
    EXPECT_EQ(Reactions(), (Strings{"activate //a", "deactivate //d", "lock //l", "unlock //u", "show //v", "hide //h",
                                    "effects //e", "effectsets //es", "addtasks t", "removetasks tr", "robj r",
                                    "cobj c", "aobj ao", "flag f 0", "flagsapplied"}));
}

TEST_F(ReactionTest, ToolAndEventNameListsStopAtTheirLastName) {
    TTestTool key("key");
    auto tooled = Make(R"(tool="key" maxclickstool="4" robjaftertool="x,y")");
    EXPECT_EQ(Presses(*tooled, 3, &key), (std::vector<Strings>{{"robj x y"}, {"robj x y"}, {}}));

    auto evented = Make(R"(cobjafterevent="x,y" vae="a;b")");
    const std::pair<int, Strings> events[] = {
        {0, {"show //a", "cobj x y"}}, {1, {"show //b", "cobj x y"}}, {2, {}}, {-1, {}}};
    for (const auto& [event, calls] : events) {
        evented->ApplyAfterEvent(event);
        EXPECT_EQ(Reactions(), calls) << event;
    }
}

TEST_F(ReactionTest, NothingReachesAMissingListener) {
    auto object = Load(R"(w="10" h="10" cob="1" vac="a" flags="f" tasks="t" robjafterclick="r")");
    EXPECT_TRUE(object->OnMouseDown(At(5, 5)));
    object->ApplyAfterEvent(0);
    EXPECT_EQ(object->mClickCounter, 0);
    EXPECT_TRUE(mListener.Take().empty());
}

class SignalRecorder : public TObject {
public:
    void PropagateSignalA(int value) override { mSignals.push_back("A" + std::to_string(value)); }
    void PropagateSignalB(int value) override { mSignals.push_back("B" + std::to_string(value)); }
    void PropagateSignalC(int value) override { mSignals.push_back("C" + std::to_string(value)); }
    void PropagateSignalD(int value) override { mSignals.push_back("D" + std::to_string(value)); }

    Strings mSignals;
};

TEST(ObjectSignals, PassDownTheWholeTree) {
    TObject root;
    auto* middle = new TObject();
    auto* leaf = new SignalRecorder();
    ASSERT_TRUE(root.AddChild(middle));
    ASSERT_TRUE(middle->AddChild(leaf));
    root.PropagateSignalA(1);
    root.PropagateSignalB(2);
    root.PropagateSignalC(3);
    root.PropagateSignalD(4);
    EXPECT_EQ(leaf->mSignals, (Strings{"A1", "B2", "C3", "D4"}));
}

} // namespace
