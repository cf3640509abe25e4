// Tools an object needs and hands out, and its answers to the room's hint questions.

#include "object_test_support.h"
#include "objects/hint_effects.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TTestTool;

using Strings = std::vector<std::string>;

TEST_F(ObjectTest, AcceptedTools) {
    class Refuses : public TExecuter {
    public:
        bool CanUseTool(TObject*, const std::string&) override { return false; }
    } refuses;
    struct Case {
        const char* attributes;
        bool refused;
        bool needs;
        bool accepts;
    };
    const Case cases[] = {
        {R"(tool="key")", false, true, true},
        {R"(tool="key" tooltoopenpocket="key")", false, true, true},
        {R"(tooltoopenminigame="key")", false, true, true},
        {R"(tooltoopenpocket="rope")", false, true, false},
        {R"(tool="rope")", false, true, false},
        {"", false, false, false},
        {R"(tool="key")", true, true, false},
    };
    TTestTool key("key");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto object = Load(c.attributes);
        object->mClickExecuter = c.refused ? &refuses : nullptr;
        EXPECT_EQ(object->NeedsTool(), c.needs);
        EXPECT_EQ(object->AcceptsTool(&key), c.accepts);
        EXPECT_FALSE(object->AcceptsTool(nullptr));
    }
}

TEST_F(ObjectTest, ToolSearchesInTheTree) {
    auto root = Load(R"(id="root" tool="key")");
    auto* locked = Load(R"(id="locked" tool="saw" l="1")").release();
    auto* middle = Load(R"(id="middle")").release();
    auto* leaf = Load(R"(id="leaf" tool="rope")").release();
    root->AddChild(locked);
    root->AddChild(middle);
    middle->AddChild(leaf);
    locked->AddChild(Load(R"(id="under" tool="nail")").release());

    TTestTool key("key"), rope("rope");
    EXPECT_EQ(root->FindChildAcceptingTool(&key), nullptr);
    EXPECT_EQ(root->FindChildAcceptingTool(&rope), leaf);
    EXPECT_EQ(root->FindObjectForTool("key"), root.get());
    EXPECT_EQ(root->FindObjectForTool("rope"), middle);
    EXPECT_EQ(root->FindObjectForTool("glue"), nullptr);
    Strings all, unlocked;
    root->CollectAcceptedTools(all, false);
    root->CollectAcceptedTools(unlocked, true);
    EXPECT_EQ(all, (Strings{"key", "saw", "nail", "rope"}));
    EXPECT_EQ(unlocked, (Strings{"key", "nail", "rope"}));
}

TEST_F(ObjectTest, GivingTools) {
    TRecordingListener listener;
    auto object = Load(R"(id="chest" tools="lamp; rope,false" toolsae="oil,true")");
    object->SetListener(&listener);
    EXPECT_TRUE(Load("")->AreAllToolsGiven());
    EXPECT_FALSE(object->AreAllToolsGiven());
    EXPECT_FALSE(object->GiveTool(2, object->mGivenTools));
    EXPECT_FALSE(object->GiveTool(-1, object->mGivenTools));
    EXPECT_TRUE(listener.Take().empty());

    EXPECT_TRUE(object->GiveTool(0, object->mGivenTools));
    EXPECT_EQ(listener.Take(), (Strings{"toolgiven lamp", "clicked chest"}));
    EXPECT_TRUE(object->GiveTool(1, object->mGivenTools));
    EXPECT_EQ(listener.Take(), (Strings{"clicked chest"}));
    // A tool is handed out once.
    EXPECT_FALSE(object->GiveTool(0, object->mGivenTools));
    EXPECT_TRUE(listener.Take().empty());
    ASSERT_EQ(GetHandedOutTools().size(), 2u);
    EXPECT_EQ(GetHandedOutTools()[0].name, "lamp");
    EXPECT_TRUE(object->HasGivenTool("rope"));
    EXPECT_FALSE(object->HasGivenTool("oil"));
    EXPECT_FALSE(object->AreAllToolsGiven());

    // Without a listener the record is still marked and kept.
    object->SetListener(nullptr);
    EXPECT_TRUE(object->GiveTool(0, object->mGivenToolsAfterEvent));
    EXPECT_EQ(GetHandedOutTools().size(), 3u);
    EXPECT_TRUE(object->AreAllToolsGiven());

    auto parent = Load(R"(id="room")");
    auto* child = Load(R"(tools="key")").release();
    parent->AddChild(child);
    EXPECT_FALSE(parent->AreAllToolsGiven());
    child->GiveTool(0, child->mGivenTools);
    EXPECT_TRUE(parent->HasGivenTool("key"));
    EXPECT_TRUE(parent->AreAllToolsGiven());
}

TEST_F(ObjectTest, Hintable) {
    TTestTool ready("key"), unfinished("rope", false);
    TToolList::GetPlayerTools().Add(&ready);
    TToolList::GetPlayerTools().Add(&unfinished);
    struct Case {
        const char* attributes;
        bool hintable;
    };
    const Case cases[] = {
        {"", false},
        {R"(room="hall")", false},
        {R"(pocket="drawer")", false},
        {R"(minigame="puzzle")", false},
        {R"(tools="lamp")", true},
        {R"(roomxo="hall")", true},
        {R"(dialog="talk")", true},
        {R"(dialog2="talk")", true},
        {R"(hint_mod="show_hint")", true},
        {R"(hint_mod="no_hint" tools="lamp")", false},
        {R"(hint_mod="show_hint" l="1")", false},
        {R"(hint_mod="show_hint" v="0")", false},
        {R"(tool="key")", true},
        {R"(tool="rope")", false},
        {R"(tool="glue, key")", true},
        {R"(tool="glue")", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto object = Load(c.attributes);
        EXPECT_EQ(object->IsHintable(), c.hintable);
        std::vector<TObject*> candidates;
        object->CollectHintCandidates(candidates);
        EXPECT_EQ(candidates.size(), c.hintable ? 1u : 0u);
    }
}

TEST_F(ObjectTest, PlainDecoration) {
    struct Case {
        const char* attributes;
        bool plain;
    };
    const Case cases[] = {
        {"", true},
        {R"(room="hall")", true},
        {R"(d="1")", false},
        {R"(minigame="m")", false},
        {R"(pocket="p")", false},
        {R"(dialog="d")", false},
        {R"(dialog2="d")", false},
        {R"(roomxo="r")", false},
        {R"(tools="lamp")", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Load(c.attributes)->IsPlainDecor(), c.plain) << c.attributes;
    }
}

TEST_F(ObjectTest, HintTexts) {
    class Hints : public THintExecuter {
    public:
        void GetHintText(TObject* object, std::string& text, const TMouseEvent& event) override {
            text = object->mName + std::to_string(event.x);
        }
    } hints;
    auto object = Load(R"(id="door")");
    std::string text = "old";
    object->GetHintText(text, objtest::At(2, 0));
    EXPECT_EQ(text, "");
    object->mHintExecuter = &hints;
    object->GetHintText(text, objtest::At(2, 0));
    EXPECT_EQ(text, "door2");

    TTestTool key("key");
    class Catcher : public TTestTool {
    public:
        Catcher() : TTestTool("net") {}
        int GetKind() const override { return TTool::kGhostCatcher; }
    } ghostCatcher;
    object->mWrongTool = true;
    EXPECT_EQ(object->GetWrongToolHint(&ghostCatcher), "");
    EXPECT_TRUE(object->mWrongTool);
    EXPECT_EQ(object->GetWrongToolHint(&key), "WrongTool1");
    EXPECT_FALSE(object->mWrongTool);
}

TEST_F(ObjectTest, HintEffectsEndWithTheObjectsVisibility) {
    // Without a hidden-object profile no object raises a hint effect by itself.
    auto object = Load(R"(id="door" roomxo="hall" canrunxoeffect="1" x="0" y="0" w="200" h="200")");
    object->OnSpaceShow();
    object->Update(10.0f);
    EXPECT_FALSE(object->ShouldShowXoHint());
    EXPECT_FALSE(object->IsHintBlinkEnabled());
    EXPECT_EQ(object->GetHintEffect(), nullptr);

    const std::function<void(TObject&)> enders[] = {
        [](TObject& o) { o.SetVisible(false); },
        [](TObject& o) { o.Lock(); },
        [](TObject& o) { o.RemoveXoHint(); },
        [](TObject& o) { o.ReleaseAll(); },
    };
    for (const auto& end : enders) {
        auto parent = Load(R"(id="p")");
        auto* child = Load(R"(id="c")").release();
        parent->AddChild(child);
        parent->CreateXoHintEffect();
        child->CreateXoHintEffect();
        end(*parent);
        EXPECT_EQ(parent->GetHintEffect(), nullptr);
    }
    auto parent = Load(R"(id="p")");
    auto* child = Load(R"(id="c")").release();
    parent->AddChild(child);
    child->CreateXoHintEffect();
    parent->RemoveXoHint();
    EXPECT_EQ(child->GetHintEffect(), nullptr);
}

} // namespace
