// The pieces of hidden-object play: inventory tools read from room descriptions, items lists with an item
// kind of the host's, the click strategies, the interface event channel, the hint sparkle and back arrow,
// the tip panel's states and the inventory panel's rows.

#include <tinyxml.h>

#include "app/buffer.h"
#include "room_play_support.h"
#include "rooms/executers.h"
#include "rooms/interface_events.h"
#include "rooms/inventory_panel.h"
#include "rooms/room_hint_effects.h"
#include "rooms/tip_panel.h"

namespace {

using roomtest::RoomPlayTest;

// A root holding one "tools" element with the given tool elements.
class ToolsDocument {
public:
    explicit ToolsDocument(const std::string& tools) {
        mDocument.Parse(("<room><tools>" + tools + "</tools></room>").c_str());
    }
    const TiXmlElement* Root() const { return mDocument.RootElement(); }

private:
    TiXmlDocument mDocument;
};

TEST_F(RoomPlayTest, ToolListsDropRepeatedIdsAndTagRoomTools) {
    ToolsDocument document(R"(<tool id="key"/><tool id="rope" parts="2"/><tool id="key" maxclicks="5"/>
        <tool id="net" type="ghostcatcher"/>)");
    TToolList room, own;
    room.LoadFromXml(document.Root(), true, "hall");
    own.LoadFromXml(document.Root(), false, "hall");
    ASSERT_EQ(room.GetCount(), 3u);
    EXPECT_EQ(room.FindById("key")->mMaxClicks, 1);
    EXPECT_TRUE(harness::LogContains("Duplicated tool key: skipped"));
    EXPECT_EQ(room.FindById("net")->GetKind(), TTool::kGhostCatcher);
    EXPECT_EQ(room.FindById("Key"), nullptr);
    // A room tool counts as complete; the same tool of a room's own list needs its parts.
    EXPECT_TRUE(room.FindById("rope")->IsComplete());
    EXPECT_EQ(room.FindById("rope")->mRoomName, "hall");
    EXPECT_FALSE(own.FindById("rope")->IsComplete());
    EXPECT_TRUE(own.FindById("rope")->mRoomName.empty());
}

TEST_F(RoomPlayTest, ToolsReadTheirAttributesStagesAndParts) {
    ToolsDocument document(R"(<tool id="lamp" folder="lamp" imginv="/off,/on" imgfly="/fly" hx="3" hy="4"
        handx="5" handy="6" miny="100" power="2" special="1" subtools="wick,w1,w2;glass,g1;oil,o1,o2">
        <tool id="lamp_lit" img="lamp/lit" imgfly="lamp/flylit" hx="7" hy="8"/></tool>)");
    TToolList list;
    list.LoadFromXml(document.Root(), false, "");
    TTool* lamp = list.GetAt(0);
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(lamp->mPanelImageName, "textures/tools/lamp/wnd");
    EXPECT_EQ(lamp->mInventoryImageNames,
              (std::vector<std::string>{"textures/tools/lamp/off", "textures/tools/lamp/on"}));
    EXPECT_EQ(lamp->mFlyImageNames, (std::vector<std::string>{"textures/tools/lamp/fly", "textures/lamp/flylit"}));
    EXPECT_EQ(lamp->ClampY(50), 100);
    EXPECT_EQ(lamp->ClampY(150), 150);
    EXPECT_EQ(lamp->GetPower(), 2.0f);
    EXPECT_TRUE(lamp->mSpecial);
    // The item of two pieces is no part.
    ASSERT_EQ(lamp->mPartList.size(), 2u);
    EXPECT_EQ(lamp->mPartList[1].name, "oil");
    EXPECT_EQ(lamp->mPartList[1].secondName, "textures/tools/lampo2");
    // The stage answers while the whole-tool flag is clear.
    EXPECT_EQ(lamp->GetCurrentId(), "lamp_lit");
    EXPECT_EQ(lamp->GetHotPoint(), std::make_pair(3, 4));
    lamp->mCurrentImage = 5;
    EXPECT_EQ(lamp->GetHotPoint(), std::make_pair(7, 8));
    lamp->mWholeTool = true;
    EXPECT_EQ(lamp->GetCurrentId(), "lamp");
    EXPECT_EQ(lamp->GetHandPoint(), std::make_pair(5, 6));
}

// Named parts count once each, and the last one missing completes the tool.
TEST_F(RoomPlayTest, ToolPartsCompleteTheToolOnce) {
    ToolsDocument document(R"(<tool id="rope" parts="3"/>
        <tool id="lamp" subpurtsdraw="1" imginv="own" subtools="wick,w1,w2;glass,g1,g2"/>)");
    TToolList list;
    list.LoadFromXml(document.Root(), false, "");
    TTool* rope = list.FindById("rope");
    const bool ropeAfter[][2] = {{false, false}, {false, true}, {true, true}};
    for (const auto& [complete, oneMore] : ropeAfter) {
        rope->AddPart("");
        EXPECT_EQ(rope->IsComplete(), complete);
        EXPECT_EQ(rope->IsCompleteAfterOneMore(), oneMore);
    }

    TTool* lamp = list.FindById("lamp");
    StaticImage* own = lamp->GetPartImage("");
    ASSERT_NE(own, nullptr);
    EXPECT_FALSE(lamp->IsCompleteAfterOneMore());
    lamp->AddPart("wick");
    lamp->AddPart("wick");
    EXPECT_EQ(lamp->GetCollected(), 1);
    EXPECT_EQ(lamp->GetPartImage(""), &lamp->mPartList[0].second);
    EXPECT_FALSE(lamp->IsComplete());
    EXPECT_TRUE(lamp->IsCompleteAfterOneMore());
    lamp->AddPart("glass");
    EXPECT_TRUE(lamp->IsComplete());
    EXPECT_EQ(lamp->GetPartImage(""), &lamp->mPartList[1].second);
    lamp->mCollected = 7;
    EXPECT_EQ(lamp->GetPartImage(""), own);

    TBaseBuffer saved;
    lamp->WriteState(saved);
    ToolsDocument again(R"(<tool id="lamp" subtools="wick,w1,w2;glass,g1,g2"/>)");
    TToolList restored;
    restored.LoadFromXml(again.Root(), false, "");
    restored.GetAt(0)->ReadState(saved);
    EXPECT_EQ(restored.GetAt(0)->GetCollected(), 7);
    EXPECT_TRUE(restored.GetAt(0)->mPartList[0].collected);
    TBaseBuffer shortRecord;
    shortRecord.WriteByte(1);
    restored.GetAt(0)->ReadState(shortRecord);
    EXPECT_EQ(restored.GetAt(0)->GetCollected(), 7);
}

// ---- items lists ----

class TTestItem : public ItemsListItem {
public:
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override {
        objectIds.push_back(ReadXmlString(element, "object", ""));
        reserve = ReadXmlBool(element, "reserve", false);
        tool.name = ReadXmlString(element, "give", "");
        needed = ReadXmlInt(element, "needed", 1);
        active = ReadXmlBool(element, "active", true);
    }
};

class TTestItemFactory : public ItemsListItemFactory {
public:
    std::unique_ptr<ItemsListItem> Create(const std::string& type) override {
        return type == "thing" ? std::make_unique<TTestItem>() : nullptr;
    }
};

class ItemsListTest : public RoomPlayTest {
protected:
    void SetUp() override {
        RoomPlayTest::SetUp();
        ItemsListItemFactory::SetInstance(&mFactory);
    }
    void TearDown() override {
        ItemsListItemFactory::SetInstance(nullptr);
        RoomPlayTest::TearDown();
    }
    std::unique_ptr<ItemsList> Load(const std::string& text) {
        TiXmlDocument document;
        document.Parse(text.c_str());
        auto list = std::make_unique<ItemsList>();
        list->LoadFromXml(document.RootElement());
        return list;
    }
    static std::string Items(const char* attributes, int plain, int reserve) {
        std::string text = std::string("<list type=\"thing\" ") + attributes + ">";
        for (int i = 0; i < plain + reserve; ++i) {
            text += "<item object=\"o" + std::to_string(i) + "\"" + (i >= plain ? " reserve=\"1\"" : "") + "/>";
        }
        return text + "</list>";
    }
    TTestItemFactory mFactory;
};

TEST_F(ItemsListTest, PlacesLimitOnlyHowManyReserveEntriesAreShown) {
    struct Case {
        const char* attributes;
        int plain, reserve;
        std::vector<std::string> shown;
        size_t kept;
    };
    const Case cases[] = {
        {"", 0, 0, {}, 0},
        {R"(rows="2" cols="3")", 9, 0, {"o0", "o1", "o2", "o3", "o4", "o5", "o6", "o7", "o8"}, 9},
        {R"(rows="0" cols="0" count="4")", 2, 5, {"o0", "o1", "o2", "o3"}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto list = Load(Items(c.attributes, c.plain, c.reserve));
        std::vector<std::string> shown;
        for (size_t i = 0; i < list->GetShownCount(); ++i) {
            shown.push_back(static_cast<TTestItem*>(list->GetShown(i))->objectIds.front());
        }
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(list->GetAllCount(), c.kept);
    }
    EXPECT_TRUE(Load(Items("", 0, 0))->IsComplete());

    // Without the host's factory, entries are skipped instead of made from nothing.
    ItemsListItemFactory::SetInstance(nullptr);
    auto bare = Load(Items("", 2, 0));
    EXPECT_TRUE(bare->IsEmpty());
    EXPECT_TRUE(harness::LogContains("items list: no item of type 'thing', entry skipped"));
}

TEST_F(ItemsListTest, AFinishedEntryHandsOutItsToolOnce) {
    auto list = Load(R"(<list type="thing"><item object="a" give="key"/><item object="b"/>
        <item object="c" needed="2"/></list>)");
    struct TListener : TItemsListListener {
        void OnToolFound(const TGivenTool& tool) override { heard.push_back("tool " + tool.name); }
        void OnListComplete(ItemsList* list) override { heard.push_back("complete"); }
        std::vector<std::string> heard;
    } listener;
    list->mListener = &listener;
    TInterfaceEvents::Get().mListener = nullptr;
    list->GetShown(0)->found = 1;
    list->GetShown(1)->found = 1;
    list->Update(0.1f);
    list->Update(0.1f);
    EXPECT_EQ(listener.heard, std::vector<std::string>{"tool key"});
    EXPECT_EQ(GetHandedOutTools().size(), 1u);
    EXPECT_TRUE(TInterfaceEvents::Get().IsPending("findtool"));
    EXPECT_EQ(TInterfaceEvents::Get().mPending.size(), 1u);
    EXPECT_FALSE(list->IsComplete());
    list->GetShown(2)->found = 2;
    EXPECT_TRUE(list->IsComplete());
    EXPECT_TRUE(list->IsComplete());
    EXPECT_EQ(listener.heard, (std::vector<std::string>{"tool key", "complete"}));
}

// ---- click strategies ----

TEST_F(ItemsListTest, EveryStrategyIsFoundByItsName) {
    EXPECT_EQ(GetExecuterNames(), (std::vector<std::string>{"xo", "xomiss", "xodouble", "tool", "toolaftertool",
                                                            "tooltool", "hint", "iteraction"}));
    for (const std::string& name : GetExecuterNames()) {
        EXPECT_NE(FindExecuter(name), nullptr) << name;
    }
    EXPECT_EQ(FindExecuter("XO"), nullptr);
    EXPECT_TRUE(harness::LogContains("Wrong executer XO"));
}

const char* const kFindRoom = R"(<scene><Common name="study" folder="scenes/test/"/><Objects>
    <object id="back" name="back.png" x="1360" y="760"/>
    <object id="cup" name="box.png" x="100" y="100" exe="xo" maxclicks="1"/>
    <object id="vase" name="box.png" x="250" y="100" exe="xo" maxclicks="1"/>
    <object id="lockedcup" name="box.png" x="400" y="100" exe="xo" locked="1"/>
    <object id="decoy" name="box.png" x="550" y="100" exe="xomiss"/>
    <object id="bonus" name="box.png" x="700" y="100" exe="xodouble" maxclicks="1"/>
    <object id="lever" name="box.png" x="850" y="100" exe="iteraction" maxclicks="1"/>
    <object id="stray" name="box.png" x="1000" y="100" exe="iteraction" maxclicks="1"/>
  </Objects>
  <lists><list type="thing"><item object="cup"/><item object="vase" active="0"/><item object="lockedcup"/>
    <item object="lever"/></list></lists></scene>)";

TEST_F(ItemsListTest, FindStrategiesCheckTheCurrentList) {
    auto room = Play(kFindRoom);
    struct Case {
        const char* id;
        std::vector<std::string> heard;
        bool visibleAfter;
    };
    const Case cases[] = {
        {"vase", {"miss vase"}, true}, {"lockedcup", {}, true},           {"decoy", {"miss decoy"}, true},
        {"cup", {"found cup"}, false}, {"bonus", {"found bonus"}, false}, {"lever", {"interaction lever"}, false},
        {"stray", {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        TObject* object = room->FindObjectById(c.id);
        room->mHintEffects[0] = std::make_unique<EffectHint>(0, 0, object);
        Click(*room, object->GetCenterX(), object->GetCenterY());
        EXPECT_EQ(mOwner.Take(), c.heard);
        EXPECT_EQ(object->mVisible, c.visibleAfter);
        // A found object takes the sparkle that points at it.
        EXPECT_EQ(room->mHintEffects[0] == nullptr, !c.visibleAfter);
    }
    // Without a current list nothing is found and nothing missed.
    auto other = Play(kFindRoom);
    other->mCurrentListIndex = -1;
    Click(*other, 150, 150);
    EXPECT_EQ(mOwner.Take(), std::vector<std::string>{});
    EXPECT_TRUE(other->FindObjectById("cup")->mVisible);
}

TEST_F(RoomPlayTest, HintTextsFollowTheirRules) {
    auto room = Play(R"(<scene><Common name="hall" folder="scenes/test/"/><Objects>
        <object id="back" name="back.png" x="1360" y="760"/>
        <object id="a" name="box.png" x="100" y="100" hint="A,B,C"/>
        <object id="one" name="box.png" x="250" y="100" hint="A"/>
        <object id="door" name="box.png" x="400" y="100" tool="key" hinttool="T" hintlocked="L">
          <wrongtoolhint tool="axe" hints="W1"/></object>
        <object id="shelf" name="box.png" x="550" y="100" hint="P"><object id="book" x="560" y="110" w="10"
          h="10"/></object></Objects></scene>)");
    const auto texts = [&](const char* id, int count, TTool* tool = nullptr) {
        std::vector<std::string> out;
        for (int i = 0; i < count; ++i) {
            std::string text;
            room->FindObjectById(id)->GetHintText(text, objtest::At(0, 0, tool));
            out.push_back(text);
        }
        return out;
    };
    EXPECT_EQ(texts("a", 6), (std::vector<std::string>{"A", "B", "C", "B", "C", "B"}));
    EXPECT_EQ(texts("one", 3), (std::vector<std::string>{"A", "A", "A"}));
    EXPECT_EQ(texts("door", 1), std::vector<std::string>{"T"});
    EXPECT_EQ(texts("book", 1), std::vector<std::string>{"P"});
    objtest::TTestTool axe("axe"), saw("saw");
    EXPECT_EQ(texts("door", 1, &axe), std::vector<std::string>{""});
    TObject* door = room->FindObjectById("door");
    door->mWrongTool = true;
    EXPECT_EQ(texts("door", 2, &axe), (std::vector<std::string>{"W1", "W1"}));
    EXPECT_EQ(texts("door", 1, &saw), std::vector<std::string>{"WrongTool1"});
    door->Lock();
    EXPECT_EQ(texts("door", 1), std::vector<std::string>{"L"});
}

TEST_F(RoomPlayTest, ToolStrategiesHandOutTheirRecords) {
    objtest::TTestTool key("key");
    auto room = Play(R"(<scene><Common name="hall" folder="scenes/test/"/><Objects>
        <object id="back" name="back.png" x="1360" y="760"/>
        <object id="box" name="box.png" x="100" y="100" tools="coin;ring" maxclicks="2"/>
        <object id="safe" name="box.png" x="250" y="100" tool="key" tools="gold;silver" exe="toolaftertool"
                freezetoolclicks="1" maxclickstool="5" hideaftertaketool="0"/></Objects></scene>)");
    Click(*room, 150, 150);
    EXPECT_TRUE(room->FindObjectById("box")->mVisible);
    Click(*room, 150, 150);
    EXPECT_FALSE(room->FindObjectById("box")->mVisible);
    EXPECT_EQ(mOwner.Take(), (std::vector<std::string>{"given coin", "given ring"}));
    Click(*room, 300, 150, &key);
    Click(*room, 300, 150, &key);
    EXPECT_EQ(mOwner.Take(), (std::vector<std::string>{"given gold", "applied key safe", "applied key safe"}));
    EXPECT_TRUE(room->FindObjectById("safe")->mVisible);
}

// ---- the event channel, the sparkle, the arrow ----

TEST_F(RoomPlayTest, PendingEventsBlockTheirNameUntilTheirTimeHasCome) {
    TInterfaceEvents& events = TInterfaceEvents::Get();
    events.mListener = nullptr;
    PostInterfaceEvent("findtool", 500, "", nullptr, false);
    PostInterfaceEvent("findtool", 500, "second", nullptr, false);
    EXPECT_EQ(events.mPending.size(), 1u);
    PostInterfaceEvent("findtool", 500, "forced", nullptr, true);
    EXPECT_EQ(events.mPending.size(), 2u);
    PostInterfaceEvent("now", 0, "", nullptr, false);
    EXPECT_FALSE(events.IsPending("now"));

    mClock.Advance(499);
    events.Update();
    EXPECT_TRUE(events.IsPending("findtool"));
    mClock.Advance(1);
    events.Update();
    EXPECT_FALSE(events.IsPending("findtool"));
    PostInterfaceEvent("findtool", 500, "later", nullptr, false);
    EXPECT_EQ(events.mPending.size(), 1u);

    // With a listener the due events are delivered in posting order.
    events.mListener = &mOwner;
    PostInterfaceEvent("goback", 100, "", nullptr, false);
    mClock.Advance(600);
    events.Update();
    EXPECT_EQ(mOwner.Take(), (std::vector<std::string>{"event findtool later", "event goback"}));
}

TEST_F(RoomPlayTest, TheSparkleEndsWithItsLastDotAndTheArrowWithItsTime) {
    EffectHint hint(300, 200, nullptr);
    for (int i = 0; i < EffectHint::kEmissionSteps; ++i) {
        EXPECT_FALSE(hint.Update(0.01f));
        EXPECT_EQ(hint.GetParticleCount(), static_cast<size_t>(6 * (i + 1)));
    }
    const auto& first = hint.GetParticles().front();
    EXPECT_NEAR(first->mX, 300 + 50 * (std::sin(first->GetAngle()) + std::cos(first->GetAngle())), 0.01);
    int updates = EffectHint::kEmissionSteps;
    while (!hint.Update(0.1f) && updates < 1000) {
        ++updates;
    }
    EXPECT_EQ(hint.GetParticleCount(), 0u);
    // The last dots were made at 0.19 s and live 2.5 s.
    EXPECT_GT(updates, EffectHint::kEmissionSteps + 20);
    EXPECT_LT(updates, EffectHint::kEmissionSteps + 30);

    TEffectBackHint arrow(40, 700, "textures/gui/backarrow", 6.0f);
    float smallest = 1.0f;
    bool finished = false;
    for (int i = 0; i < 599; ++i) {
        finished = arrow.Update(0.01f);
        smallest = std::min(smallest, arrow.GetPulse());
    }
    EXPECT_FALSE(finished);
    EXPECT_NEAR(smallest, 0.9f, 0.005f);
    // One and a half pulses: back at the bottom after six seconds.
    EXPECT_NEAR(arrow.GetPulse(), 0.9f, 0.01f);
    EXPECT_TRUE(arrow.Update(0.02f));
}

// ---- the tip panel and the inventory panel ----

TEST_F(RoomPlayTest, TipPanelStates) {
    TTipPanel panel;
    panel.ShowTip("tip_key", 2);
    EXPECT_TRUE(panel.mKey.empty()) << "without a hidden-object profile nothing shows";
    THopaBaseUserInfo profile;
    SetHopaUserInfo(&profile);
    struct Step {
        int state;
        bool shown;
        const char* key;
        int stateAfter;
        bool askedAfter;
        const char* keyAfter;
        bool fadingIn;
    };
    const Step steps[] = {
        {TTipPanel::kHidden, false, "", TTipPanel::kHidden, true, "", false},
        {TTipPanel::kHidden, false, "tip_key", TTipPanel::kHidden, false, "", false},
        {TTipPanel::kShown, false, "tip_key", TTipPanel::kHidden, false, "tip_key", false},
        {TTipPanel::kShown, true, "tip_key", TTipPanel::kShown, false, "tip_key", true},
        {TTipPanel::kShown, true, "", TTipPanel::kHiding, false, "", false},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.state) + s.key);
        TTipPanel tips;
        tips.mState = s.state;
        tips.mShown = s.shown;
        tips.mKey = "old";
        tips.ShowTip(s.key, 2);
        EXPECT_EQ(tips.mState, s.stateAfter);
        EXPECT_EQ(tips.mTipAsked, s.askedAfter);
        EXPECT_EQ(tips.mKey, s.state == TTipPanel::kShown ? s.keyAfter : "old");
        EXPECT_EQ(!tips.mSecondFade.finished, s.fadingIn);
    }
    profile.mTipsEnabled = false;
    TTipPanel off;
    off.mState = TTipPanel::kShown;
    off.ShowTip("tip_key", 0);
    EXPECT_EQ(off.mKey, "");
    SetHopaUserInfo(nullptr);
}

// Positions count in the main row only, whatever special tools come before.
TEST_F(RoomPlayTest, InventoryRowsScrollToATool) {
    objtest::TTestTool a("a"), b("b"), s("s"), c("c"), d("d");
    s.mSpecial = true;
    TToolList tools;
    for (TTool* tool : {static_cast<TTool*>(&a), static_cast<TTool*>(&s), static_cast<TTool*>(&b),
                        static_cast<TTool*>(&c), static_cast<TTool*>(&d)}) {
        tools.Add(tool);
    }
    TInventoryPanel panel;
    panel.mTools = &tools;
    panel.SetSlotCounts(2, 1);
    panel.Rebuild(true);
    EXPECT_EQ(panel.mScroll, 2);
    EXPECT_EQ(panel.mMainRow[0].tool, &c);
    EXPECT_EQ(panel.mSpecialRow[0].tool, &s);
    EXPECT_EQ(panel.FindSlotOfTool(&s), &panel.mSpecialRow[0]);
    EXPECT_EQ(panel.ScrollToTool(&d), 1);
    EXPECT_EQ(panel.ScrollToTool(&a), 0);
    EXPECT_EQ(panel.mScroll, 0);
    EXPECT_EQ(panel.ScrollToTool(&c), 1);
    EXPECT_EQ(panel.mScroll, 1);
    EXPECT_EQ(panel.mMainRow[1].tool, &c);
    EXPECT_EQ(panel.ScrollToTool(&s), -1);
    EXPECT_EQ(panel.FindGhostCatcherSlot(), nullptr);
}

} // namespace
