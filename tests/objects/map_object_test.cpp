// Map locations: the state they take from their room when the map is shown, what a click chooses to open,
// and the state images of the developer view.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/map_object.h"
#include "rooms/space_manager.h"
#include "windows/text_label.h"
#include "windows/window_manager.h"

namespace {

using objtest::At;
using objtest::ObjectTest;
using objtest::TXml;

class MapObjectTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        TGameSpaceManager::CreateInstance();
        mCellar.mName = "cellar";
        mHall.mName = "hall";
        TGameSpaceManager::GetInstance()->mSpaces = {&mHall, &mCellar};
        TGameSpaceManager::GetInstance()->mCurrent = &mHall;
    }
    void TearDown() override {
        TGameSpaceManager::DestroyInstance();
        ObjectTest::TearDown();
    }

    static std::unique_ptr<TMapObject> Make(const std::string& id, const std::string& more = "") {
        TXml xml(R"(<object id=")" + id + R"(" w="10" h="10" cob="1" room="elsewhere" )" + more + R"(>
            <cur_img filename="cur.png" x="1" y="1"/><unav_img filename="unav.png" x="1" y="1"/>
            <prev_img filename="prev.png" x="40" y="50"/></object>)");
        auto map = std::make_unique<TMapObject>();
        map->LoadFromXml(xml.Root(), "");
        return map;
    }

    TRoom mCellar;
    TRoom mHall;
};

TEST_F(MapObjectTest, StateAndClickTargets) {
    struct Case {
        const char* id;
        bool unavailable, current;
        // The room target after a click on the location.
        const char* target;
    };
    const Case cases[] = {
        {"cellar", false, false, "cellar"},
        {"hall", false, true, ""},
        // No such room: it stays unavailable and the click changes nothing.
        {"attic", true, false, "elsewhere"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        auto map = Make(c.id);
        EXPECT_TRUE(map->mUnavailable);
        map->OnSpaceShow();
        // Only the object's own record is saved; a restored location takes its room's state at the next show.
        TBaseBuffer saved;
        map->SaveState(saved);
        TBaseBuffer objectOnly;
        map->TObject::SaveState(objectOnly);
        EXPECT_EQ(saved.GetBytes(), objectOnly.GetBytes());
        map = Make(c.id);
        ASSERT_TRUE(RestoreObjectState(*map, saved));
        EXPECT_TRUE(map->mUnavailable);
        map->OnSpaceShow();
        EXPECT_EQ(map->mUnavailable, c.unavailable);
        EXPECT_EQ(map->mCurrent, c.current);
        EXPECT_FALSE(map->mHasTask);
        EXPECT_FALSE(map->mHidden);
        // A press beside it chooses nothing.
        map->OnMouseDown(At(50, 50));
        EXPECT_EQ(map->mTargets[kTargetRoom], "elsewhere");
        EXPECT_TRUE(map->OnMouseDown(At(5, 5)));
        EXPECT_EQ(map->mTargets[kTargetRoom], c.target);
        map->OnSpaceHide();
        EXPECT_TRUE(map->mHidden);
    }
    // Without a manager no room is found.
    TGameSpaceManager::DestroyInstance();
    auto lost = Make("cellar");
    lost->OnSpaceShow();
    EXPECT_TRUE(lost->mUnavailable);
}

// Whether something waits in the room is asked again each time the map is shown.
TEST_F(MapObjectTest, TakesTheTaskFromItsRoomAtEveryShow) {
    mCellar.LoadSource(TXmlSource{"inline.xml", R"(<scene><Common name="cellar" folder=""/><Objects>
        <object id="chest" x="20" y="20" w="10" h="10" hint_mod="show_hint"/></Objects></scene>)",
                                  nullptr});
    ASSERT_EQ(mCellar.mName, "cellar");
    auto cellar = Make("cellar");
    auto hall = Make("hall");
    cellar->OnSpaceShow();
    hall->OnSpaceShow();
    EXPECT_TRUE(cellar->mHasTask);
    EXPECT_FALSE(hall->mHasTask);
    // Nothing left to hint in the cellar: the next show clears the mark.
    mCellar.FindObjectById("chest")->Lock();
    cellar->OnSpaceHide();
    cellar->OnSpaceShow();
    EXPECT_FALSE(cellar->mHasTask);
    EXPECT_FALSE(cellar->mUnavailable);
}

// Window 6 is this game's level map: a map location never hides it.
TEST_F(MapObjectTest, ClicksLeaveTheLevelMapShown) {
    auto owned = std::make_unique<TMyWindow>();
    TMyWindow* screen = owned.get();
    screen->mId = 6;
    screen->SetRect(0, 0, 100, 100);
    TMyWindowManager::Get()->ShowScreen(std::move(owned), false, 0);
    ASSERT_EQ(TMyWindowManager::Get()->FindById(6), screen);
    for (const char* id : {"cellar", "hall"}) {
        auto map = Make(id);
        map->OnSpaceShow();
        EXPECT_TRUE(map->OnMouseDown(At(5, 5)));
        EXPECT_TRUE(screen->mShown) << id;
    }
    TMyWindowManager::Release();
}

TEST_F(MapObjectTest, LoadsSoundLabelAndImages) {
    auto map = Make("cellar");
    EXPECT_EQ(map->mSoundMouseEnter, "mapmouseenter");
    EXPECT_EQ(Make("cellar", R"(soundmouseenter="creak")")->mSoundMouseEnter, "creak");
    EXPECT_EQ(map->mCurrentImage.mImageName, "cur.png");
    EXPECT_EQ(map->mPreviousX, 40);
    EXPECT_EQ(map->mPreviousY, 50);
    ASSERT_NE(map->GetLabel(), nullptr);
    EXPECT_EQ(map->GetLabel()->mTextKey, "roomcellar");
    EXPECT_EQ(map->GetLabel()->GetX(), 55);
    EXPECT_EQ(map->GetLabel()->GetY(), 165);
    EXPECT_EQ(map->GetLabel()->mWidth, 174);
    EXPECT_EQ(map->GetLabel()->mAlpha, 0);
    map->SetAlpha(0.5f);
    EXPECT_EQ(map->mAlpha, 0.5f);
    EXPECT_EQ(map->mUnavailableImage.mAlpha, 0.5f);
    // Out of range: the object keeps its alpha, the state images still follow.
    map->SetAlpha(2.0f);
    EXPECT_EQ(map->mAlpha, 0.5f);
    EXPECT_EQ(map->mCurrentImage.mAlpha, 2.0f);
}

// A previous image a broken file puts beyond int keeps its label on the same side, well inside int.
TEST_F(MapObjectTest, LabelOfAPreviousImageBeyondIntStaysOnItsSide) {
    TXml xml(R"(<object id="far"><prev_img filename="prev.png" x="2147483647" y="-2147483647"/></object>)");
    TMapObject map;
    map.LoadFromXml(xml.Root(), "");
    EXPECT_EQ(map.mPreviousX, 536870912);
    EXPECT_EQ(map.mPreviousY, -536870912);
    EXPECT_EQ(map.GetLabel()->GetX(), 536870912 + TMapObject::kLabelOffsetX);
    EXPECT_EQ(map.GetLabel()->GetY(), -536870912 + TMapObject::kLabelOffsetY);
}

TEST_F(MapObjectTest, DrawAllMarksTheState) {
    WriteSolidImage("cur.png", 4, 4, kGreen);
    WriteSolidImage("unav.png", 4, 4, kRed);
    const std::pair<const char*, TRgba> cases[] = {{"attic", kRedPixel}, {"hall", kGreenPixel}, {"cellar", kBlack}};
    for (const auto& [id, colour] : cases) {
        SCOPED_TRACE(id);
        auto map = Make(id);
        map->LoadResources();
        map->OnSpaceShow();
        BeginCanvas();
        map->Draw(1.0f);
        ExpectPixels({{2, 2, kBlack}});
        BeginCanvas();
        map->DrawAll();
        ExpectPixels({{2, 2, colour}, {6, 6, kBlack}});
        // No profile asks for task marks in this game.
        BeginCanvas();
        map->DrawOverlay();
        ExpectPixels({{2, 2, kBlack}});
    }
}

} // namespace
