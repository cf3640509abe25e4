// Rooms read from their description files: every root child, effectors attached to their objects, the
// reaction lists of shows and hides, drawing by layer inside the clip and the saved state.

#include <SDL.h>

#include <cstdlib>
#include <set>

#include "../objects/object_test_support.h"
#include "app/buffer.h"
#include "app/user_info.h"
#include "media/sound_manager.h"
#include "objects/tool.h"
#include "rooms/pocket.h"
#include "rooms/space_manager.h"

namespace {

using objtest::ObjectTest;

// Every hand-over of the room, one line each.
class TRecordingOwner : public TGameSpaceListener {
public:
    static std::string Names(const TObjectPathGroup& group) {
        std::string text;
        for (const TObjectPath& path : group) {
            text += (text.empty() ? "" : ",") + path.space + "." + path.subSpace + "." + path.object;
        }
        return text;
    }
    void ShowObjects(const TObjectPathGroup& group) override { mCalls.push_back("show " + Names(group)); }
    void HideObjects(const TObjectPathGroup& group) override { mCalls.push_back("hide " + Names(group)); }
    void UnlockObjects(const TObjectPathGroup& group) override { mCalls.push_back("unlock " + Names(group)); }
    void PassRobjList(const std::vector<std::string>& names) override { mCalls.push_back("robj " + names[0]); }
    void AddTasks(const std::vector<std::string>& tasks) override { mCalls.push_back("task " + tasks[0]); }
    void OnSpaceShown(TGameSpace* space) override { mCalls.push_back("shown"); }
    void OnSpaceFirstShown(TGameSpace* space) override { mCalls.push_back("first"); }
    void OnSpaceHidden(TGameSpace* space) override { mCalls.push_back("hidden"); }
    std::vector<std::string> Take() {
        std::vector<std::string> calls;
        calls.swap(mCalls);
        return calls;
    }
    std::vector<std::string> mCalls;
};

class RoomTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        TObjectFactory::CreateInstance();
        WriteSolidImage("scenes/test/red.png", 32, 32, kRed);
        WriteSolidImage("scenes/test/green.png", 4, 4, kGreen);
    }

    void Write(const std::string& name, const std::string& text) {
        ASSERT_TRUE(harness::WriteFile(Root() + "/assets/" + name, text));
    }

    std::unique_ptr<TRoom> LoadRoom(const std::string& file) {
        auto room = std::make_unique<TRoom>();
        room->Load(file);
        return room;
    }
};

const char* const kFullRoom = R"(<?xml version="1.0"?>
<scene>
  <Common name="yard" folder="scenes/test/" animfiles="anim1.xml, anim2.xml, missing.xml" rules="find"
          runsounds="wind" showsound="bell" StopPrevMusic="0" back_hint_x="4" x="1" y="2"/>
  <Objects>
    <object id="back" name="red.png"/>
    <object id="holder" type="animfile"/>
    <object id="boat" x="10" effector="bob"/>
    <object id="buoy" x="20" effector="bob"/>
    <object id="ghost" type="ghost" effector="nameless"/>
    <object id="odd" type="Boat"><object id="lost"/></object>
    <object id="tree"><object id="bird" effector="fly"/></object>
  </Objects>
  <pockets><pocket name="p1"/></pockets>
  <lists><list name="l1"><item id="x"/></list></lists>
  <tools><tool id="key"/></tools>
  <globaltools><tools><tool id="lamp"/></tools></globaltools>
  <sound id="bell" file="sounds/bell.ogg"/>
  <effector name="bob" loop="1"><key id="y" time="0" value="0"/><key id="y" time="1" value="10"/></effector>
  <effector loop="1"><key id="x" time="0" value="0"/><key id="x" time="1" value="500"/></effector>
  <effector name="fly" type="teleport"/>
  <itemtofind id="cup" name="green.png"/>
</scene>)";

TEST_F(RoomTest, LoadsEveryRootChild) {
    Write("yard.xml", kFullRoom);
    Write("anim1.xml", R"(<anim><object id="flag" effector="wave"/><effector name="wave" loop="1">
        <key id="a" time="0" value="0"/><key id="a" time="1" value="1"/></effector></anim>)");
    Write("anim2.xml", R"(<anim><object id="smoke"/></anim>)");
    auto room = LoadRoom("yard.xml");

    EXPECT_EQ(room->mName, "yard");
    EXPECT_EQ(room->mFilePath, "yard.xml");
    EXPECT_EQ(room->mRules, "find");
    EXPECT_EQ(room->mOwnSounds, std::vector<std::string>{"wind"});
    EXPECT_EQ(room->mBackHintX, 4);
    EXPECT_EQ(room->mX, 1);
    EXPECT_FALSE(room->mStopPreviousMusic);
    std::vector<std::string> ids;
    for (const auto& object : room->mObjects) {
        ids.push_back(object->mName);
    }
    // The unknown type is dropped with its subtree; the second anim file has no holder left and goes on top.
    EXPECT_EQ(ids, (std::vector<std::string>{"back", "holder", "boat", "buoy", "ghost", "tree", "smoke"}));
    EXPECT_TRUE(room->mObjects[0]->mCheckOnlyBounds);
    EXPECT_FALSE(room->mObjects[2]->mCheckOnlyBounds);
    ASSERT_NE(room->FindObjectById("flag"), nullptr);
    EXPECT_EQ(room->FindObjectById("flag")->GetParent(), room->mObjects[1].get());
    EXPECT_EQ(room->FindObjectById("back")->mSaveKey, "yard.back");
    EXPECT_EQ(room->FindObjectById("flag")->mListener, room.get());

    // Two objects name "bob": the first listed gets a clone "bob_2". The unnamed effector and the unknown
    // type are dropped; the anim file's effector reaches its object.
    std::vector<std::string> effectors;
    for (size_t i = 0; i < room->GetEffectorCount(); ++i) {
        effectors.push_back(room->GetEffector(i)->mName);
    }
    EXPECT_EQ(effectors, (std::vector<std::string>{"bob_2", "bob", "wave"}));
    EXPECT_EQ(room->FindObjectById("boat")->mEffectorName, "bob_2");
    EXPECT_EQ(room->GetEffector(0)->mOwner, room->FindObjectById("boat"));
    EXPECT_EQ(room->GetEffector(1)->mOwner, room->FindObjectById("buoy"));
    EXPECT_EQ(room->GetEffector(2)->mOwner, room->FindObjectById("flag"));
    EXPECT_EQ(room->FindObjectById("ghost")->mEffector, nullptr);
    EXPECT_EQ(room->FindObjectById("bird")->mEffector, nullptr);

    ASSERT_EQ(room->mItemsToFind.size(), 1u);
    EXPECT_EQ(room->mItemsToFind[0]->id, "cup");
    EXPECT_NE(room->GetSoundListName(), "yard");
    EXPECT_NE(TSoundManager::GetInstance()->FindSoundList(room->GetSoundListName()), nullptr);

    for (const char* line : {"warning: space yard: object type Boat unknown, skipped",
                             "warning: space yard: effector without a name skipped",
                             "warning: space yard: effector type teleport unknown, skipped",
                             "items list: no item of type '', entry skipped"}) {
        EXPECT_TRUE(harness::LogContains(line)) << line;
    }
    // The pocket, the list (its entry has no item kind installed), the room's tool tagged with the room and
    // the room's own tool with its one collected part.
    ASSERT_EQ(room->GetPockets().size(), 1u);
    EXPECT_EQ(room->FindPocket("p1"), room->GetPockets()[0].get());
    EXPECT_EQ(room->GetPockets()[0]->mParent, room.get());
    ASSERT_EQ(room->mItemsLists.size(), 1u);
    EXPECT_TRUE(room->mItemsLists[0]->IsEmpty());
    const TTool* key = TToolList::GetPlayerTools().FindById("key");
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->mRoomTool);
    EXPECT_EQ(key->mRoomName, "yard");
    ASSERT_NE(room->GetGlobalTools(), nullptr);
    ASSERT_NE(room->GetGlobalTools()->FindById("lamp"), nullptr);
    EXPECT_EQ(room->GetGlobalTools()->FindById("lamp")->GetCollected(), 1);

    // Both copies of "bob" play: each object moves on its own.
    room->LoadImages(false);
    room->Show();
    for (int i = 0; i < 50; ++i) {
        room->Update(0.01f);
    }
    EXPECT_NEAR(room->FindObjectById("boat")->mY, 5.0f, 0.2f);
    EXPECT_NEAR(room->FindObjectById("buoy")->mY, 5.0f, 0.2f);
    EXPECT_NEAR(room->FindObjectById("flag")->mAngle, 0.5f, 0.02f);
}

TEST_F(RoomTest, PocketObjectsAreDrivenByTheRoomsEffectorsEachByItsOwnCopy) {
    // "sway" is named by a room object and a pocket object; "glow" only inside a nested pocket.
    Write("den.xml", R"(<scene>
  <Common name="den" folder="scenes/test/"/>
  <Objects><object id="lamp" x="10" effector="sway"/></Objects>
  <pockets>
    <pocket name="drawer" x="400" y="300" w="300" h="300">
      <object id="cloth" x="420" effector="sway"/>
      <pocket name="box" x="420" y="450" w="250" h="120"><object id="gem" effector="glow"/></pocket>
    </pocket>
  </pockets>
  <effector name="sway" loop="1"><key id="x" time="0" value="0"/><key id="x" time="1" value="500"/></effector>
  <effector name="glow" loop="1"><key id="a" time="0" value="0"/><key id="a" time="1" value="1"/></effector>
</scene>)");
    auto room = LoadRoom("den.xml");
    struct Case {
        const char* id;
        const char* effector;
    };
    const Case cases[] = {{"lamp", "sway_2"}, {"cloth", "sway"}, {"gem", "glow"}};
    std::set<const TObjectEffector*> effectors;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        TObject* object = room->FindObjectById(c.id);
        ASSERT_NE(object, nullptr);
        ASSERT_NE(object->mEffector, nullptr);
        EXPECT_EQ(object->mEffectorName, c.effector);
        EXPECT_EQ(static_cast<TEffector*>(object->mEffector)->mOwner, object);
        effectors.insert(object->mEffector);
    }
    EXPECT_EQ(effectors.size(), 3u);

    // The pocket object's copy runs with it alone; the room object's copy is not moved by it.
    TObject* cloth = room->FindObjectById("cloth");
    for (int i = 0; i < 50; ++i) {
        cloth->Update(0.01f);
    }
    EXPECT_NEAR(cloth->mX, 250.0f, 10.0f);
    EXPECT_EQ(room->FindObjectById("lamp")->mX, 10.0f);
}

TEST_F(RoomTest, MusicIsLeftAloneUnlessTheRoomNamesSome) {
    const struct {
        const char* common;
        bool startNow;
        bool stopPrevious;
    } cases[] = {
        {R"(<Common name="a"/>)", false, false},
        {R"(<Common name="a" StopPrevMusic="1"/>)", false, true},
        {R"(<Common name="a" music="calm, storm"/>)", true, true},
        {R"(<Common name="a" music="calm" StartMusicNow="0" StopPrevMusic="0"/>)", false, false},
        {R"(<Common name="a" StartMusicNow="1"/>)", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.common);
        Write("music.xml", std::string("<scene>") + c.common + "</scene>");
        auto room = LoadRoom("music.xml");
        EXPECT_EQ(room->mStartMusicNow, c.startNow);
        EXPECT_EQ(room->mStopPreviousMusic, c.stopPrevious);
    }
}

TEST_F(RoomTest, ShowDeletesTheRoomEffectNamed909090) {
    Write("effects.xml", R"(<scene><Common name="fx"/></scene>)");
    auto room = LoadRoom("effects.xml");
    auto* doomed = new DrawObject();
    doomed->mName = "909090";
    auto* kept = new DrawObject();
    kept->mName = "glow";
    room->mRoomEffects.Add(0, doomed);
    room->mRoomEffects.Add(0, kept);
    const long live = DrawObject::GetLiveCount();
    room->Show();
    EXPECT_EQ(room->mRoomEffects.GetCount(), 1u);
    EXPECT_EQ(room->mRoomEffects.FindByName("glow"), kept);
    EXPECT_EQ(DrawObject::GetLiveCount(), live - 1);
}

TEST_F(RoomTest, DescriptionsGiveOnlyThePathFolderAndName) {
    Write("named.xml",
          R"(<scene><Common name="cellar" folder="scenes/c/"/><Objects><object id="a"/></Objects></scene>)");
    Write("unnamed.xml", R"(<scene><Common folder="x/"/></scene>)");
    TGameSpace named;
    named.LoadDescription("named.xml");
    EXPECT_EQ(named.mName, "cellar");
    EXPECT_EQ(named.mFolder, "scenes/c/");
    EXPECT_EQ(named.mFilePath, "named.xml");
    EXPECT_TRUE(named.mObjects.empty());
    TGameSpace unnamed;
    unnamed.LoadDescription("unnamed.xml");
    EXPECT_FALSE(unnamed.mName.empty());
    EXPECT_EQ(unnamed.mName.find_first_not_of("0123456789"), std::string::npos);
}

TEST_F(RoomTest, MissingOrBrokenFilesLeaveTheRoomEmpty) {
    Write("broken.xml", "<scene><Common name=\"x\"");
    for (const char* file : {"nothing.xml", "broken.xml"}) {
        SCOPED_TRACE(file);
        auto room = LoadRoom(file);
        EXPECT_TRUE(room->mObjects.empty());
        EXPECT_TRUE(room->mFilePath.empty());
        room->LoadImages(false);
        room->Show();
        room->Update(0.1f);
        room->Draw();
        room->Hide();
    }
}

TEST_F(RoomTest, ReactionListsFollowTheVisits) {
    Write("lists.xml", R"(<scene><Common name="hall" visibleshow="a;b" hideshow="c" hidehide="d;e"
        unlockshow="room2.p1.key,door" robjshow="r" tasksshow="t0;t1" statesshow="door.open"/></scene>)");
    auto room = LoadRoom("lists.xml");
    TRecordingOwner owner;
    room->SetOwnerListener(&owner);
    // A hide before any show ends no visit.
    room->Hide();
    EXPECT_EQ(owner.Take(), std::vector<std::string>{"hidden"});
    room->Show();
    EXPECT_EQ(owner.Take(), (std::vector<std::string>{"first", "robj r", "unlock room2.p1.key,..door", "show ..a",
                                                      "hide ..c", "shown", "task t0"}));
    EXPECT_TRUE(TUserInfo::Get()->HasPair("door", "open"));
    room->Hide();
    EXPECT_EQ(owner.Take(), (std::vector<std::string>{"hide ..d", "hidden"}));
    room->Show();
    EXPECT_EQ(owner.Take(), (std::vector<std::string>{"show ..b", "shown", "task t1"}));
    room->Hide();
    EXPECT_EQ(owner.Take(), (std::vector<std::string>{"hide ..e", "hidden"}));
    room->Show();
    room->Hide();
    EXPECT_EQ(owner.Take(), (std::vector<std::string>{"shown", "hidden"}));

    Write("frozen.xml", R"(<scene><Common name="hall" visibleshow="a;b" freeze="1"/></scene>)");
    auto frozen = LoadRoom("frozen.xml");
    frozen->SetOwnerListener(&owner);
    frozen->Show();
    frozen->Show();
    EXPECT_EQ(owner.Take(), (std::vector<std::string>{"first", "show ..a", "shown", "show ..a", "shown"}));
}

TEST_F(RoomTest, DrawsLayerZeroInsideItsClip) {
    Write("clip.xml", R"(<scene><Common name="c" folder="scenes/test/" cliprect="4.4.8.8"/><Objects>
        <object id="back" name="red.png"/><object id="top" name="green.png" x="6" y="6" drawz="3"/>
        </Objects></scene>)");
    auto room = LoadRoom("clip.xml");
    room->LoadImages(false);
    EXPECT_EQ(room->mW, 32);
    room->Show();
    room->Update(0.01f);
    BeginCanvas();
    room->Draw();
    ExpectPixels({{2, 2, kBlack}, {5, 5, kRedPixel}, {11, 11, kRedPixel}, {12, 12, kBlack}, {7, 7, kRedPixel}});
    EXPECT_FALSE(SDL_RenderIsClipEnabled(GetSDLRenderer()));

    // A clip of the screen around the room stays in force after it.
    const SDL_Rect outer{0, 0, 6, 6};
    SDL_RenderSetClipRect(GetSDLRenderer(), &outer);
    BeginCanvas();
    SDL_RenderSetClipRect(GetSDLRenderer(), &outer);
    room->Draw();
    SDL_Rect after;
    SDL_RenderGetClipRect(GetSDLRenderer(), &after);
    EXPECT_EQ(after.w, 6);
    SDL_RenderSetClipRect(GetSDLRenderer(), nullptr);
}

TEST_F(RoomTest, SavedStateRoundTripsByteForByte) {
    Write("saved.xml", R"(<scene><Common name="attic" visibleshow="a;b;c;d"/><Objects>
        <object id="box" x="3" effector="slide"/><object id="lamp" moveable="1" x="7"/></Objects>
        <effector name="slide"><key id="x" time="0" value="0"/><key id="x" time="4" value="40"/></effector>
        </scene>)");
    auto room = LoadRoom("saved.xml");
    for (int i = 0; i < 3; ++i) {
        room->Show();
    }
    for (int i = 0; i < 100; ++i) {
        room->Update(0.01f);
    }
    room->AddTime(12.3456f);
    room->mHintUsed = true;
    room->FindObjectById("lamp")->mX = 70;
    TBaseBuffer saved;
    room->WriteState(saved);

    auto restored = LoadRoom("saved.xml");
    restored->ReadState(saved);
    EXPECT_FALSE(saved.IsFailed());
    // The object states are in the record once: the reader ends exactly at its end.
    EXPECT_TRUE(saved.IsReadComplete());
    EXPECT_EQ(restored->mShowCount, 3);
    EXPECT_TRUE(restored->mHintUsed);
    EXPECT_FALSE(restored->mFirstShowPending);
    EXPECT_NEAR(restored->mElapsed, 12.345f, 0.0005f);
    EXPECT_EQ(restored->FindObjectById("lamp")->mX, 70.0f);
    TBaseBuffer again;
    restored->WriteState(again);
    EXPECT_EQ(again.GetBytes(), saved.GetBytes());

    // The next show is the fourth visit.
    TRecordingOwner owner;
    restored->SetOwnerListener(&owner);
    restored->Show();
    EXPECT_EQ(owner.Take(), (std::vector<std::string>{"show ..d", "shown"}));
    // The effector goes on from the saved moment.
    restored->Update(0.01f);
    room->Update(0.01f);
    EXPECT_NEAR(restored->FindObjectById("box")->mX, room->FindObjectById("box")->mX, 0.01f);

    // A cut record leaves the rest as loaded and says so.
    TBaseBuffer cut;
    for (size_t i = 0; i < 12; ++i) {
        cut.WriteByte(saved.GetBytes()[i]);
    }
    auto damaged = LoadRoom("saved.xml");
    damaged->ReadState(cut);
    EXPECT_EQ(damaged->FindObjectById("lamp")->mX, 7.0f);
    EXPECT_TRUE(harness::LogContains("room attic: saved state ends early"));
}

TEST_F(RoomTest, SpacesByNameAndThePlayTimeText) {
    EXPECT_EQ(TGameSpaceManager::FindSpace(""), nullptr);
    TGameSpaceManager::CreateInstance();
    TGameSpace first, second, unnamed;
    first.mName = "room1";
    second.mName = "Room1";
    TGameSpaceManager::GetInstance()->mSpaces = {&unnamed, &first, &second};
    TGameSpaceManager::GetInstance()->mCurrent = &second;
    EXPECT_EQ(TGameSpaceManager::FindSpace(""), &second);
    EXPECT_EQ(TGameSpaceManager::FindSpace("Room1"), &second);
    EXPECT_EQ(TGameSpaceManager::FindSpace("room1"), &first);
    EXPECT_EQ(TGameSpaceManager::FindSpace("room"), nullptr);
    EXPECT_EQ(FindObjectSpace("room1"), &first);
    TGameSpaceManager::DestroyInstance();
    EXPECT_EQ(FindObjectSpace("room1"), nullptr);

    const std::pair<float, const wchar_t*> cases[] = {
        {3725.9f, L"1 hours, 2 minutes, 5 secundes"},
        {59.0f, L"0 hours, 0 minutes, 59 secundes"},
        {90061.0f, L"25 hours, 1 minutes, 1 secundes"},
    };
    for (const auto& [seconds, text] : cases) {
        TTimeCounter counter;
        counter.seconds = seconds;
        EXPECT_EQ(BuildPlayTimeText(counter), text);
    }
}

} // namespace
