// Rooms at play: pointer input routed to the open pocket first, links followed, pockets opened, nested,
// zoomed and closed, handed-out tools closing a pocket, completion, and hints pointing at what is left.

#include "app/user_info.h"
#include "room_play_support.h"
#include "rooms/inventory_panel.h"
#include "rooms/room_hint_effects.h"
#include "rooms/space_manager.h"
#include "rooms/tip_panel.h"

namespace {

using roomtest::RoomPlayTest;

// Objects 100 x 100 from box.png; the drawer's objects lie inside its box (400, 300, 300, 300).
const char* const kHall = R"(<scene>
  <Common name="hall" folder="scenes/test/" back_hint_x="40" back_hint_y="700"/>
  <Objects>
    <object id="back" name="back.png" x="1360" y="760"/>
    <object id="chest" name="box.png" x="100" y="100" pocket="drawer" room="attic"/>
    <object id="door" name="box.png" x="250" y="100" room="attic"/>
    <object id="xodoor" name="box.png" x="400" y="100" roomxo="cellar"/>
    <object id="note" name="box.png" x="550" y="100" dialog="letter"/>
    <object id="game" name="box.png" x="700" y="100" minigame="chess"/>
    <object id="face" name="box.png" x="850" y="100" dialog2="ann"/>
    <object id="nowhere" name="box.png" x="1000" y="100" pocket="missing"/>
  </Objects>
  <pockets>
    <pocket name="drawer" x="400" y="300" w="300" h="300" startx="150" starty="160" appeartime="0"
            disappeartime="0">
      <object id="lid" name="box.png" x="420" y="320" pocket="box"/>
      <object id="cloth" name="box.png" x="560" y="320"/>
      <pocket name="box" x="420" y="450" w="250" h="120" toolstoclosepocket="gem,pearl" appeartime="0"
              disappeartime="0">
        <object id="gem" name="box.png" x="430" y="460" tools="gem"/>
        <object id="pearl" name="box.png" x="560" y="460" tools="pearl"/>
      </pocket>
    </pocket>
  </pockets>
</scene>)";

TEST_F(RoomPlayTest, AClickFollowsTheObjectsFirstLink) {
    auto room = Play(kHall);
    struct Case {
        int x, y;
        std::vector<std::string> heard;
    };
    const Case cases[] = {
        {260, 150, {"goto attic"}},
        {410, 150, {"gotoxo cellar"}},
        {560, 150, {"event dialog letter"}},
        {710, 150, {"event runminigame chess"}},
        {860, 150, {"event dialog2 personages/ann"}},
        // A pocket that does not exist opens nothing.
        {1010, 150, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_TRUE(Click(*room, c.x, c.y));
        Wait(*room, 400);
        EXPECT_EQ(mOwner.Take(), c.heard);
        EXPECT_EQ(room->GetOpenSubSpace(), nullptr);
    }
    EXPECT_TRUE(TUserInfo::Get()->HasPair("IHelpShown", "WAS_ENTER_ROOM"));
    EXPECT_TRUE(harness::LogContains("warning: room hall: pocket missing not found"));
}

TEST_F(RoomPlayTest, PocketsOpenTakeTheInputAndCloseDeepestFirst) {
    auto room = Play(kHall);
    auto* drawer = dynamic_cast<TPocket*>(room->FindPocket("drawer"));
    auto* box = dynamic_cast<TPocket*>(room->FindPocket("box"));
    ASSERT_NE(drawer, nullptr);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->mParent, drawer);

    // "pocket" wins over "room": the drawer opens and nobody is sent anywhere.
    EXPECT_TRUE(Click(*room, 150, 150));
    EXPECT_EQ(room->GetOpenSubSpace(), drawer);
    EXPECT_TRUE(drawer->mOpened);
    EXPECT_NE(room->GetShadow(), nullptr);
    EXPECT_TRUE(TUserInfo::Get()->HasPair("IHelpShown", "WAS_SHOW_POCKET"));
    Wait(*room, 200);
    EXPECT_EQ(mOwner.Take(), std::vector<std::string>{});

    // While the drawer is open the chest is out of reach: the press is refused and asks to close.
    EXPECT_FALSE(Click(*room, 150, 150));
    EXPECT_EQ(room->GetOpenSubSpace(), drawer);
    Wait(*room, 200);
    EXPECT_EQ(mOwner.Take(), std::vector<std::string>{"event undoneclosepocket"});
    EXPECT_EQ(room->ObjectAt(150, 150), nullptr);
    EXPECT_EQ(room->ObjectAt(570, 330), room->FindObjectById("cloth"));

    // The box opens inside the drawer; the hall's shadow already darkens the screen.
    EXPECT_TRUE(Click(*room, 430, 330));
    EXPECT_EQ(drawer->GetOpenSubSpace(), box);
    EXPECT_EQ(drawer->GetShadow(), nullptr);
    EXPECT_EQ(room->ObjectAt(440, 470), room->FindObjectById("gem"));

    room->Hide();
    EXPECT_EQ(mOwner.Take(), (std::vector<std::string>{"hidden box", "hidden drawer", "hidden hall"}));
    EXPECT_EQ(room->GetOpenSubSpace(), nullptr);
    EXPECT_FALSE(drawer->mOpened);
    EXPECT_FALSE(box->mOpened);
    EXPECT_EQ(room->GetShadow(), nullptr);
    EXPECT_TRUE(TUserInfo::Get()->HasPair("PH", "hall.drawer"));
    EXPECT_TRUE(TUserInfo::Get()->HasPair("PH", "drawer.box"));
}

TEST_F(RoomPlayTest, APocketClosesOnlyWhenEveryToolItNamesIsHandedOut) {
    auto room = Play(kHall);
    Click(*room, 150, 150);
    Click(*room, 430, 330);
    mOwner.Take();
    EXPECT_TRUE(Click(*room, 440, 470));
    Wait(*room, 400);
    EXPECT_EQ(mOwner.Take(), std::vector<std::string>{"given gem"});
    EXPECT_TRUE(Click(*room, 570, 470));
    Wait(*room, 400);
    EXPECT_EQ(mOwner.Take(), (std::vector<std::string>{"given pearl", "event closepocket"}));
}

TEST_F(RoomPlayTest, CompletionAppliesTheListsOnceAndTellsTheOwner) {
    auto room = Play(R"(<scene><Common name="hall" visible="lamp"/><pockets>
        <pocket name="drawer" x="10" y="10" w="50" h="50" flags="opened.50"/></pockets></scene>)");
    room->Complete();
    EXPECT_EQ(mOwner.Take(), std::vector<std::string>{"completed hall"});
    auto* drawer = dynamic_cast<TPocket*>(room->FindPocket("drawer"));
    room->OpenPocket(0, 0, drawer);
    EXPECT_TRUE(room->CloseSubSpace(false));
    EXPECT_EQ(mOwner.Take(), std::vector<std::string>{"completed drawer"});
    Wait(*room, 100);
    EXPECT_EQ(mOwner.Take(), std::vector<std::string>{"event opened"});
    EXPECT_TRUE(TUserInfo::Get()->HasPair("PD", "hall.drawer"));
}

// The pocket grows from its start point, or from its box centre when none is given, at the same place on
// every renderer. Opened by a click, it grows from the clicked object's centre unless it names a point.
TEST_F(RoomPlayTest, PocketsZoomFromTheirStartPointOrTheirBoxCentre) {
    struct Case {
        const char* start;
        float fromX, fromY;
        float clickX, clickY;
    };
    const Case cases[] = {
        {R"(startx="150" starty="160")", 150, 160, 150, 160},
        {"", 550, 450, 700, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        auto room = Play(std::string(R"(<scene><Common name="hall"/><pockets><pocket name="p" x="400" y="300"
            w="300" h="300" appeartime="0.5" )") +
                         c.start + "/></pockets></scene>");
        auto* pocket = dynamic_cast<TPocket*>(room->FindPocket("p"));
        auto* zoom = dynamic_cast<TShowPocketEffector*>(pocket->mAppearEffector.get());
        ASSERT_NE(zoom, nullptr);
        pocket->Show();
        EXPECT_EQ(zoom->mFromX, c.fromX);
        EXPECT_EQ(zoom->mFromY, c.fromY);
        pocket->Hide();

        room->OpenPocket(700, 100, pocket);
        EXPECT_EQ(zoom->mFromX, c.clickX);
        EXPECT_EQ(zoom->mFromY, c.clickY);
        EXPECT_EQ(zoom->mToX, 400);
        EXPECT_EQ(zoom->mToY, 300);
        EXPECT_FLOAT_EQ(pocket->mDrawState.GetScaleX(), 0.2f);
        Wait(*room, 250);
        room->Draw();
        EXPECT_GT(pocket->mDrawState.GetScaleX(), 0.5f);
        EXPECT_LT(pocket->mDrawState.GetScaleX(), 0.7f);
        Wait(*room, 300);
        EXPECT_FLOAT_EQ(pocket->mDrawState.GetScaleX(), 1.0f);
        // Closing shrinks the pocket away; the room forgets it when the zoom ends.
        room->CloseOpenPocket(true);
        EXPECT_EQ(room->GetOpenSubSpace(), pocket);
        Wait(*room, 400);
        EXPECT_EQ(room->GetOpenSubSpace(), nullptr);
        EXPECT_NEAR(pocket->mDrawState.GetScaleX(), 0.2f, 0.01f);
    }
}

TEST_F(RoomPlayTest, IntersectRectsGivesTheOverlapOrNothing) {
    using Rect = std::array<float, 4>;
    const std::tuple<Rect, Rect, Rect> cases[] = {
        {{0, 0, 10, 10}, {5, 5, 10, 10}, {5, 5, 5, 5}},
        {{0, 0, 10, 10}, {2, 3, 4, 5}, {2, 3, 4, 5}},
        {{0, 0, 10, 10}, {10, 0, 5, 5}, {0, 0, 0, 0}},
        {{0, 0, 10, 10}, {20, 20, 5, 5}, {0, 0, 0, 0}},
    };
    for (const auto& [a, b, overlap] : cases) {
        EXPECT_EQ(IntersectRects(a, b), overlap);
        EXPECT_EQ(IntersectRects(b, a), overlap);
    }
}

// ---- hints ----

TEST_F(RoomPlayTest, HintsPointAtTheCandidateAndTheObjectTakingItsTool) {
    objtest::TTestTool unfinished("key", false);
    TToolList::GetPlayerTools().Add(&unfinished);
    auto room = Play(R"(<scene><Common name="hall" folder="scenes/test/"/><Objects>
    <object id="back" name="back.png" x="1360" y="760"/>
        <object id="shelf" name="box.png" x="100" y="100" tools="key" hpx="5" hpy="-5"/>
        <object id="door" name="box.png" x="400" y="100" tool="key"/></Objects></scene>)");
    EXPECT_TRUE(room->ShowHint());
    EXPECT_TRUE(room->mHintUsed);
    EXPECT_TRUE(room->IsHintActive());
    auto* first = dynamic_cast<EffectHint*>(room->mHintEffects[0].get());
    auto* second = dynamic_cast<EffectHint*>(room->mHintEffects[1].get());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->GetTarget(), room->FindObjectById("shelf"));
    EXPECT_EQ(first->mX, 155);
    EXPECT_EQ(first->mY, 145);
    EXPECT_EQ(second->GetTarget(), room->FindObjectById("door"));

    // The sparkles are drawn and end by themselves.
    Wait(*room, 100);
    EXPECT_NE(room->mHintEffects[0], nullptr);
    room->Draw();
    Wait(*room, 3000);
    EXPECT_EQ(room->mHintEffects[0], nullptr);
}

// An object or hint point a broken file puts beyond any screen: the sparkles stand within 2^29 pixels, where
// their sums stay inside int, and keep the side the object is on.
TEST_F(RoomPlayTest, HintsAtPointsBeyondIntAreHeldInReach) {
    objtest::TTestTool unfinished("key", false);
    TToolList::GetPlayerTools().Add(&unfinished);
    struct Case {
        const char* shelf;
        int x;
        int y;
    };
    const std::vector<Case> cases = {
        {R"(x="3e9" y="100")", 536870912, 150},
        {R"(x="100" y="-3e9")", 150, -536870912},
        // The centre (150, 150) plus a hint point at int's ends.
        {R"(x="100" y="100" hpx="2147483647" hpy="-2147483648")", 536870912, -536870912},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shelf);
        auto room = Play(std::string(R"(<scene><Common name="hall" folder="scenes/test/"/><Objects>
            <object id="back" name="back.png" x="1360" y="760"/>
            <object id="shelf" name="box.png" tools="key" )") +
                         c.shelf + "/></Objects></scene>");
        ASSERT_TRUE(room->ShowHint());
        auto* hint = dynamic_cast<EffectHint*>(room->mHintEffects[0].get());
        ASSERT_NE(hint, nullptr);
        EXPECT_EQ(hint->GetTarget(), room->FindObjectById("shelf"));
        EXPECT_EQ(hint->mX, c.x);
        EXPECT_EQ(hint->mY, c.y);
        EXPECT_EQ(room->mHintPoints[0], c.x);
        EXPECT_EQ(room->mHintPoints[1], c.y);
        Wait(*room, 100);
        room->Draw();
    }
}

TEST_F(RoomPlayTest, WithNothingToPointAtTheRoomMayPointBack) {
    for (const bool canPointBack : {false, true}) {
        SCOPED_TRACE(canPointBack);
        auto room = Play(std::string(R"(<scene><Common name="hall" back_hint_x="40" back_hint_y="700" )") +
                         "canshowbackhint=\"" + (canPointBack ? "1" : "0") + "\"/></scene>");
        EXPECT_EQ(room->ShowHint(), canPointBack);
        EXPECT_FALSE(room->IsHintActive());
        auto* arrow = dynamic_cast<TEffectBackHint*>(room->mHintEffects[0].get());
        EXPECT_EQ(arrow != nullptr, canPointBack);
        if (arrow != nullptr) {
            EXPECT_EQ(arrow->GetImage().mImageName, "textures/gui/backarrow");
            room->Draw();
            Wait(*room, 5900);
            EXPECT_NE(room->mHintEffects[0], nullptr);
            Wait(*room, 200);
            EXPECT_EQ(room->mHintEffects[0], nullptr);
        }
    }
}

// Rooms whose candidates lead into each other are each asked once.
TEST_F(RoomPlayTest, RoomsLinkedBothWaysAnswerWithoutEndlessRecursion) {
    TGameSpaceManager::CreateInstance();
    auto east = Play(R"(<scene><Common name="east" folder="scenes/test/" connectedroomsformap="west"/><Objects>
    <object id="back" name="back.png" x="1360" y="760"/>
        <object id="toWest" name="box.png" room="west" hint_mod="show_hint"/></Objects></scene>)");
    auto west = Play(R"(<scene><Common name="west" folder="scenes/test/" connectedroomsformap="east"/><Objects>
    <object id="back" name="back.png" x="1360" y="760"/>
        <object id="toEast" name="box.png" room="east" hint_mod="show_hint"/></Objects></scene>)");
    TGameSpaceManager::GetInstance()->mSpaces = {east.get(), west.get()};
    EXPECT_TRUE(east->HasHintCandidates());
    EXPECT_FALSE(east->HasSomethingToDo());
    EXPECT_FALSE(west->HasSomethingToDo());
    ASSERT_EQ(east->mConnectedRooms.size(), 1u);
    EXPECT_EQ(east->mConnectedRooms[0], west.get());
    // A hint on a link into a room with candidates does not count as active.
    EXPECT_TRUE(east->ShowHint());
    EXPECT_FALSE(east->IsHintActive());

    // Something to do in the west makes both answer yes.
    TObject* toEast = west->FindObjectById("toEast");
    toEast->mGivenTools.emplace_back("coin", 0, "", toEast);
    toEast->mTargets[kTargetRoom].clear();
    EXPECT_TRUE(west->HasSomethingToDo());
    EXPECT_TRUE(east->HasSomethingToDo());
    TGameSpaceManager::DestroyInstance();
}

TEST_F(RoomPlayTest, TheInventoryHintMarksTheSlotOfAToolACandidateTakes) {
    objtest::TTestTool key("key");
    TToolList tools;
    tools.Add(&key);
    TInventoryPanel panel;
    panel.mTools = &tools;
    panel.SetSlotCounts(3, 0);
    panel.Rebuild(false);
    panel.mMainRow[0].x = 100;
    panel.mMainRow[0].y = 680;
    panel.mMainRow[0].w = 60;
    panel.mMainRow[0].h = 40;
    panel.mMainRow[0].offsetY = 4;
    TInventoryPanel::SetInstance(&panel);
    TToolList::GetPlayerTools().Add(&key);
    auto room = Play(R"(<scene><Common name="hall" folder="scenes/test/"/><Objects>
    <object id="back" name="back.png" x="1360" y="760"/>
        <object id="door" name="box.png" x="400" y="100" tool="key"/></Objects></scene>)");
    EXPECT_TRUE(room->ShowHint());
    auto* slotHint = dynamic_cast<EffectHint*>(room->mHintEffects[2].get());
    ASSERT_NE(slotHint, nullptr);
    EXPECT_EQ(slotHint->mX, 130);
    EXPECT_EQ(slotHint->mY, 704);
    EXPECT_EQ(slotHint->GetTarget(), nullptr);
    auto* doorHint = dynamic_cast<EffectHint*>(room->mHintEffects[0].get());
    ASSERT_NE(doorHint, nullptr);
    EXPECT_EQ(doorHint->GetTarget(), room->FindObjectById("door"));
    TInventoryPanel::SetInstance(nullptr);
}

TEST_F(RoomPlayTest, BroadcastsDebugOutlinesAndTheFirstHideLine) {
    auto room = Play(kHall);
    DebugOutlineOption() = true;
    room->SetDebugDraw(true);
    EXPECT_TRUE(room->FindObjectById("chest")->mDebugOutline);
    room->SetDebugDraw(false);
    EXPECT_FALSE(room->FindObjectById("chest")->mDebugOutline);
    DebugOutlineOption() = false;
    room->SetDebugDraw(true);
    EXPECT_FALSE(room->FindObjectById("chest")->mDebugOutline);

    THopaBaseUserInfo profile;
    profile.mPlaySeconds[0] = 3725.9f;
    SetHopaUserInfo(&profile);
    room->Hide();
    EXPECT_TRUE(harness::LogContains("==============  hall First Hide : 1 hours, 2 minutes, 5 secundes"));
    SetHopaUserInfo(nullptr);
}

} // namespace
