// The level map in the running game: plates with their stars and pictures, the ring, paging and its
// gate, the tips, starting a level, the developer keys, and its frames drawn from a cached layer.

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>

#include "app/renderer.h"
#include "controller/controller_windows.h"
#include "data/level_info.h"
#include "data/stages.h"
#include "harness/screen_checks.h"
#include "map/main_menu.h"
#include "map/map_window.h"
#include "map_fixture.h"
#include "screens/room_window.h"
#include "shell/main_loop.h"

namespace {

// ui/map.xml: plates of 220 x 200 from (90, 150), 30 apart; stars of 32 from (54, 158) in a plate, 8 apart.
constexpr int kBoardX = 90;
constexpr int kBoardY = 150;
constexpr int kPlateW = 220;
constexpr int kPlateH = 200;
constexpr int kGap = 30;

int PlateX(int index) {
    return kBoardX + (kPlateW + kGap) * (index % 3);
}
int PlateY(int index) {
    return kBoardY + (kPlateH + kGap) * (index / 3);
}

struct TPixel {
    int r, g, b;
};

TPixel PixelAt(int x, int y) {
    uint32_t pixel = 0;
    const SDL_Rect rect{x, y, 1, 1};
    EXPECT_EQ(SDL_RenderReadPixels(GetSDLRenderer(), &rect, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0);
    return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF)};
}

void SetStageDone(TModeProgress& record, int levels) {
    for (int i = 0; i < levels; ++i) {
        record.mLevels.at(static_cast<size_t>(i)).mBestScore = 100;
        record.mLevels.at(static_cast<size_t>(i)).mBestStars = 1;
    }
}

} // namespace

class MapWindowTest : public MapScreensTest {
protected:
    TMapWindow* OpenMap() {
        ShowMapScreen();
        Frames(kFaderFrames);
        return TopScreen<TMapWindow>();
    }
};

TEST_F(MapWindowTest, PlatesShowTheBestStarsAndThePictureOnceALevelHasAStar) {
    StartWithPlayer();
    MarkMapTipsSeen();
    TModeProgress& record = TUserInfo::Get()->GetModeProgress(0);
    record.mLevels.at(0).mBestStars = 1;
    record.mLevels.at(1).mBestStars = 3;
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    const TStageList& set = GetStageList(kMainLevelSet);
    ASSERT_EQ(map->GetPlates().size(), set.mStages.at(0)->mLevels.size());
    const auto& plates = map->GetPlates();
    for (size_t i = 0; i < plates.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(plates[i]->x, PlateX(static_cast<int>(i)));
        EXPECT_EQ(plates[i]->y, PlateY(static_cast<int>(i)));
        EXPECT_EQ(plates[i]->width, kPlateW);
        EXPECT_EQ(plates[i]->height, kPlateH);
        const std::string& base = set.mStages[0]->mLevels[i]->mBaseName;
        EXPECT_EQ(plates[i]->picture.mImageName, i < 2 ? "textures/layouts/" + base : "textures/map/prevtreecolor");
        EXPECT_TRUE(plates[i]->picture.mTexture);
    }
    EXPECT_EQ(plates[0]->bestStars, 1);
    EXPECT_EQ(plates[1]->bestStars, 3);

    // Drawn: the first plate's first star gold (250, 204, 72), its second and third unearned, a dark hollow
    // (22, 38, 52) inside a pale rim; the second plate's third star gold. Probed at each star's middle.
    SDL_SetRenderDrawColor(GetSDLRenderer(), 0, 0, 0, 255);
    SDL_RenderClear(GetSDLRenderer());
    TMyWindowManager::Get()->Draw();
    harness::SaveShotIfAsked("map_plates");
    auto star = [](int plate, int k) { return PixelAt(PlateX(plate) + 54 + k * 40 + 16, PlateY(plate) + 158 + 18); };
    struct Probe {
        int plate, k;
        bool gold;
    };
    for (const Probe& probe :
         {Probe{0, 0, true}, Probe{0, 1, false}, Probe{0, 2, false}, Probe{1, 2, true}, Probe{2, 0, false}}) {
        SCOPED_TRACE(testing::Message() << "plate " << probe.plate << " star " << probe.k);
        const TPixel pixel = star(probe.plate, probe.k);
        const TPixel wanted = probe.gold ? TPixel{250, 204, 72} : TPixel{22, 38, 52};
        EXPECT_NEAR(pixel.r, wanted.r, 6);
        EXPECT_NEAR(pixel.g, wanted.g, 6);
        EXPECT_NEAR(pixel.b, wanted.b, 6);
    }
}

TEST_F(MapWindowTest, APlateShowsTheLevelsPictureOrItsGameTypesPreview) {
    struct Case {
        int gameType;
        int bestStars;
        bool unlockAll;
        const char* picture;
    };
    const Case cases[] = {
        {0, 0, false, "textures/map/prevtreecolor"}, {3, 0, false, "textures/map/prevtreecolor"},
        {5, 0, false, "textures/map/prevrome"},      {6, 0, false, "textures/map/prevlabyrinth"},
        {7, 0, false, "textures/map/prevmystery"},   {8, 0, false, "textures/map/prevchangecolor"},
        {9, 0, false, "textures/map/prevtreecolor"}, {5, 1, false, "textures/layouts/owl"},
        {0, 3, false, "textures/layouts/owl"},       {7, 0, true, "textures/layouts/owl"},
    };
    TLevelInfoMosaic level;
    level.mBaseName = "owl";
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.gameType << " " << test.bestStars << " " << test.unlockAll);
        level.mGameType = test.gameType;
        EXPECT_EQ(PlatePictureName(level, test.bestStars, test.unlockAll), test.picture);
    }
}

TEST_F(MapWindowTest, TheRingMarksTheFirstLevelWithoutStars) {
    struct Case {
        const char* what;
        int starred;
        int ringPlate;
    };
    const Case cases[] = {{"nothing played", 0, 0}, {"two starred", 2, 2}, {"whole stage starred", 6, -1}};
    StartWithPlayer();
    MarkMapTipsSeen();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        TModeProgress& record = TUserInfo::Get()->GetModeProgress(0);
        record = TModeProgress();
        record.Reset(kMainLevelSet);
        SetStageDone(record, test.starred);
        TMapWindow* map = OpenMap();
        ASSERT_NE(map, nullptr);
        EXPECT_EQ(map->GetRingPlate(), test.ringPlate);
        EXPECT_EQ(map->GetEffects().GetCount(), test.ringPlate >= 0 ? 1u : 0u);
    }
}

TEST_F(MapWindowTest, PagingIsGatedByTheFirstStageOnly) {
    struct Case {
        const char* what;
        int firstStageDone;
        bool unlockAll;
        int startPage;
        int button;
        int page;
        bool lockedTip;
    };
    StartWithPlayer();
    MarkMapTipsSeen();
    const int last = static_cast<int>(GetStageList(kMainLevelSet).mStages.size()) - 1;
    ASSERT_GE(last, 2);
    const Case cases[] = {
        {"next, first stage open", 5, false, 0, TMapWindow::kNextButton, 0, true},
        {"next, first stage done", 6, false, 0, TMapWindow::kNextButton, 1, false},
        {"next, later stage", 6, false, 1, TMapWindow::kNextButton, 2, false},
        {"next, all unlocked", 0, true, 0, TMapWindow::kNextButton, 1, false},
        {"next on the last page", 6, false, last, TMapWindow::kNextButton, last, false},
        {"previous", 0, false, 1, TMapWindow::kPrevButton, 0, false},
        {"previous on the first page", 0, false, 0, TMapWindow::kPrevButton, 0, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        TModeProgress& record = TUserInfo::Get()->GetModeProgress(0);
        record.Reset(kMainLevelSet);
        SetStageDone(record, test.firstStageDone);
        record.mStage = test.startPage;
        TMapWindow* map = OpenMap();
        ASSERT_NE(map, nullptr);
        ASSERT_EQ(map->GetPage(), test.startPage);
        if (test.unlockAll) {
            harness::ScopedEnv developer("VERDANEL_DEVELOPER", "1");
            KeyUp(SDLK_BACKQUOTE);
            ASSERT_TRUE(map->IsUnlockAll());
        }
        map->OnButtonClick(-1, nullptr, test.button, map->GetButton(test.button));
        Frames(2);
        EXPECT_EQ(map->GetPage(), test.page);
        EXPECT_EQ(ShowingTipName(), test.lockedTip ? "TipMapLockedCities" : "");
        EXPECT_EQ(map->GetButton(TMapWindow::kPrevButton)->mDisabled, test.page == 0);
        EXPECT_EQ(map->GetButton(TMapWindow::kNextButton)->mDisabled, test.page == last);
        HideTutorial();
        Frames(2);
        // The locked tip is not remembered: it shows on every press.
        if (test.lockedTip) {
            map->OnButtonClick(-1, nullptr, test.button, map->GetButton(test.button));
            EXPECT_EQ(ShowingTipName(), "TipMapLockedCities");
            HideTutorial();
            Frames(2);
        }
    }
}

TEST_F(MapWindowTest, PagesFollowTheCurrentModesLevelSet) {
    StartWithPlayer();
    MarkMapTipsSeen();
    TUserInfo::Get()->SetCurrentMode(1);
    TModeProgress& record = TUserInfo::Get()->GetModeProgress(1);
    record.mLevels.at(1).mBestStars = 2;
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    const TStageList& second = GetStageList(kSecondLevelSet);
    ASSERT_EQ(map->GetPlates().size(), second.mStages.at(0)->mLevels.size());
    EXPECT_EQ(map->GetPlates()[1]->bestStars, 2);
    EXPECT_EQ(map->GetPlates()[1]->picture.mImageName, "textures/layouts/" + second.mStages[0]->mLevels[1]->mBaseName);
    // The second set has one stage: no further page.
    EXPECT_TRUE(map->GetButton(TMapWindow::kNextButton)->mDisabled);
}

// A profile whose mode byte is out of range, read at start-up, plays the main set: its map, and its
// level when a plate is clicked, with a log line for the mended mode.
TEST_F(MapWindowTest, AProfileWithAnOutOfRangeModePlaysTheMainSet) {
    StartWithPlayer();
    MarkMapTipsSeen();
    TUserInfo::Get()->SetDifficultyChoice(0);
    TUserInfo::Get()->SetCurrentMode(255);
    ASSERT_TRUE(TSettings::Get()->SaveProfile());
    mGame.reset();
    ReleaseProcessState();
    GetLoopState() = TLoopState();
    Start();
    // Start-up reads the profile twice (again once the rewards are known); each read says so.
    EXPECT_GE(CountLogLines("profile: mode 255 out of range, 0 used"), 1);
    EXPECT_EQ(TUserInfo::Get()->GetCurrentMode(), 0);
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    const TStageList& main = GetStageList(kMainLevelSet);
    ASSERT_EQ(map->GetPlates().size(), main.mStages.at(0)->mLevels.size());
    const TMapLevelPlate& plate = *map->GetPlates().at(0);
    ClickAt(plate.x + plate.width / 2, plate.y + plate.height / 2);
    ASSERT_TRUE(WaitForPlay());
    const TBoardMahjong* controller = Controller();
    EXPECT_EQ(controller->GetLevelRecord(), main.mStages[0]->mLevels.at(0).get());
    EXPECT_GT(controller->GetActiveLayout().GetBoard().GetRows(), 0);
}

TEST_F(MapWindowTest, ReleasingOverAPlateStartsThatLevel) {
    struct Case {
        const char* what;
        int page;
        int pressed;
        int released;
    };
    const Case cases[] = {
        {"click", 0, 4, 4}, {"pressed on one, released on another", 0, 1, 5}, {"later page", 2, 0, 0}};
    StartWithPlayer();
    MarkMapTipsSeen();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        TModeProgress& record = TUserInfo::Get()->GetModeProgress(0);
        record.mStage = test.page;
        record.mLevel = -1;
        TMapWindow* map = OpenMap();
        ASSERT_NE(map, nullptr);
        PressAt(PlateX(test.pressed) + kPlateW / 2, PlateY(test.pressed) + kPlateH / 2);
        EXPECT_TRUE(map->GetPlates()[static_cast<size_t>(test.pressed)]->pressed);
        ReleaseAt(PlateX(test.released) + kPlateW / 2, PlateY(test.released) + kPlateH / 2);
        EXPECT_EQ(record.mStage, test.page);
        EXPECT_EQ(record.mLevel, test.released);
        for (const auto& plate : map->GetPlates()) {
            EXPECT_FALSE(plate->pressed);
        }
        // The game screen replaces the map through the fader.
        Frames(kFaderFrames);
        EXPECT_NE(dynamic_cast<TRoomWindow*>(TMyWindowManager::Get()->FindById(kGameScreenId)), nullptr);
        EXPECT_EQ(TMyWindowManager::Get()->FindById(TMapWindow::kWindowId), nullptr);
        FreshMenu();
    }
}

TEST_F(MapWindowTest, AClickBesideThePlatesStartsNothing) {
    StartWithPlayer();
    MarkMapTipsSeen();
    TModeProgress& record = TUserInfo::Get()->GetModeProgress(0);
    record.mLevel = -1;
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    // Between two plates, and just past the last column's right edge.
    ClickAt(PlateX(0) + kPlateW + kGap / 2, PlateY(0) + 50);
    ClickAt(PlateX(2) + kPlateW, PlateY(2) + 50);
    Frames(kFaderFrames);
    EXPECT_EQ(record.mLevel, -1);
    EXPECT_EQ(TMyWindowManager::Get()->FindById(kGameScreenId), nullptr);
    EXPECT_EQ(TopScreen<TMapWindow>(), map);
}

TEST_F(MapWindowTest, TheTipsComeAfterAMomentAndTheNextStageTipOnlyAfterFiveLevels) {
    struct Case {
        const char* what;
        bool clickTipSeen;
        int levelsDone;
        const char* tip;
    };
    const Case cases[] = {
        {"first visit", false, 6, "TipMapClickToPlay"},
        {"five levels done", true, 5, "TipMapClickToNextStage"},
        {"four levels done", true, 4, ""},
    };
    StartWithPlayer();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        TSettings::Get()->ResetAndSaveProfile();
        TUserInfo::Get()->SetDifficultyChoice(1);
        if (test.clickTipSeen) {
            TUserInfo::Get()->AddPair(TMyTutorialWindow::kShownKey, "TipMapClickToPlay");
        }
        SetStageDone(TUserInfo::Get()->GetModeProgress(0), test.levelsDone);
        ShowMapScreen();
        // The fader takes a second; the tips wait one and a half after the map shows.
        Frames(kFramesPerSecond);
        EXPECT_EQ(ShowingTipName(), "");
        Seconds(2.0f);
        EXPECT_EQ(ShowingTipName(), test.tip);
        HideTutorial();
        FreshMenu();
    }
}

TEST_F(MapWindowTest, BackquoteUnlocksEveryPictureOnlyForDevelopersAndMenuGoesBack) {
    StartWithPlayer();
    MarkMapTipsSeen();
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    for (const char* value : {static_cast<const char*>(nullptr), "0", ""}) {
        harness::ScopedEnv player("VERDANEL_DEVELOPER", value);
        KeyUp(SDLK_BACKQUOTE);
        EXPECT_FALSE(map->IsUnlockAll()) << (value != nullptr ? value : "unset");
    }
    harness::ScopedEnv developer("VERDANEL_DEVELOPER", "1");
    KeyUp(SDLK_BACKQUOTE);
    EXPECT_TRUE(map->IsUnlockAll());
    map->BuildPage(0);
    for (const auto& plate : map->GetPlates()) {
        EXPECT_EQ(plate->picture.mImageName.rfind("textures/layouts/", 0), 0u) << plate->picture.mImageName;
    }
    KeyUp(SDLK_BACKQUOTE);
    EXPECT_FALSE(map->IsUnlockAll());
    map->OnButtonClick(-1, nullptr, TMapWindow::kMenuButton, map->GetButton(TMapWindow::kMenuButton));
    Frames(kFaderFrames);
    EXPECT_NE(TopScreen<TMainMenu>(), nullptr);
}

// While the map stands still its background and plates come from the cached layer, the ring, the
// controls (a reward's flight among them) and the scene drawn over the copy; whatever moves, every frame
// shows what the plain frame shows.
TEST_F(MapWindowTest, EveryFrameShowsThePlainFrameAndStillFramesComeFromTheCachedLayer) {
    struct Step {
        const char* what;
        std::function<void()> action;
        int frames;
        // What the last of the frames drew from.
        TLayerCache::TOutcome outcome;
    };
    StartWithPlayer();
    MarkMapTipsSeen();
    TMapWindow* map = OpenMap();
    ASSERT_NE(map, nullptr);
    ASSERT_EQ(map->GetRingPlate(), 0);
    TReward& reward = *GetRewardList().at(0);
    const auto still = [] {};
    const Step steps[] = {
        {"the ring growing over the still map", still, 6, TLayerCache::kCopied},
        // A plate's hover look changes that plate alone: its place is drawn again in the cache.
        {"the pointer onto a plate", [] { Push(MotionEvent(0, PlateX(1) + 20, PlateY(1) + 20)); }, 1,
         TLayerCache::kPatched},
        {"the pointer resting on the plate", still, 3, TLayerCache::kCopied},
        {"the pointer onto the ring's plate", [] { Push(MotionEvent(0, PlateX(0) + 20, PlateY(0) + 20)); }, 1,
         TLayerCache::kPatched},
        {"the pointer off the plates", [] { Push(MotionEvent(0, kQuietX, kQuietY)); }, 2, TLayerCache::kCopied},
        {"a reward found since the last visit flying in",
         [map, &reward] {
             reward.mObtained = true;
             reward.mNew = true;
             map->CreateRewardPlaces();
         },
         4, TLayerCache::kCopied},
        {"the reward at its place", still, 8 * kFramesPerSecond, TLayerCache::kCopied},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.action();
        Frames(step.frames);
        EXPECT_EQ(map->GetLayers().GetLastOutcome(), step.outcome);
        const harness::FrameDifference difference = harness::CompareWithPlainFrame();
        EXPECT_EQ(difference.failure, "");
        EXPECT_EQ(difference.largest, 0) << difference.pixels << " pixels differ, the first at (" << difference.firstX
                                         << ", " << difference.firstY << ")";
    }
}
