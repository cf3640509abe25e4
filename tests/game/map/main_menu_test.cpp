// The main menu in the running game: its buttons, what it does when a dialog it opened closes, the
// first-profile check, the greeting, and that a player's profile is neither lost nor reset by it.

#include <SDL.h>
#include <gtest/gtest.h>

#include "app/file_object.h"
#include "map/main_menu.h"
#include "map/map_window.h"
#include "map_fixture.h"
#include "media/sound_manager.h"
#include "windows/message_box.h"

namespace {

// Button centres in ui/mainmenu.xml.
constexpr int kMenuX = 683;
constexpr int kPlayY = 300;
constexpr int kHelpY = 378;
constexpr int kOptionsY = 456;
constexpr int kProfilesY = 534;
constexpr int kExitY = 612;
constexpr int kNotYouY = 731;

bool QuitRequested() {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0;
}

} // namespace

using MainMenuTest = MapScreensTest;

TEST_F(MainMenuTest, EachButtonOpensItsWindow) {
    struct Case {
        const char* what;
        int y;
        const char* window;
        int windowId;
    };
    const Case cases[] = {
        {"help", kHelpY, "help window", 0},
        {"options", kOptionsY, "options window", 0},
        {"players", kProfilesY, "profile list window", TMainMenu::kProfileListId},
        {"not you", kNotYouY, "profile list window", TMainMenu::kProfileListId},
        {"quit", kExitY, "quit box", TMainMenu::kQuitId},
    };
    StartWithPlayer();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        FreshMenu();
        ASSERT_NE(TopScreen<TMainMenu>(), nullptr);
        ASSERT_EQ(PopupCount(), 0u);
        const size_t mark = LogMark();
        ClickAt(kMenuX, test.y);
        Frames(2);
        EXPECT_TRUE(PopupCount() > 0 || OpenedSince(mark, test.window, test.windowId));
    }
}

TEST_F(MainMenuTest, TheQuitBoxAsksWithItsTermsAndOnlyOkEndsTheGame) {
    StartWithPlayer();
    TMainMenu* menu = TopScreen<TMainMenu>();
    ASSERT_NE(menu, nullptr);
    ClickAt(kMenuX, kExitY);
    Frames(kFaderFrames);
    auto* box = dynamic_cast<TMessageBoxOkCancelWindow*>(TMyWindowManager::Get()->FindById(TMainMenu::kQuitId));
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->GetMessage(), nullptr);
    EXPECT_EQ(box->GetMessage()->mTextKey, "sureexit");
    // While the box is shown the menu is dimmed.
    ASSERT_NE(menu->GetOverlay(), nullptr);
    EXPECT_FALSE(QuitRequested());
    menu->OnFlyWindowClosed(box, TMainMenu::kQuitId, 2);
    EXPECT_FALSE(QuitRequested());
    menu->OnFlyWindowClosed(box, TMainMenu::kQuitId, 1);
    EXPECT_TRUE(QuitRequested());
    SDL_FlushEvent(SDL_QUIT);
}

// The difficulty window opens as the name window closes, and its notice as it closes itself: the window
// that goes hides only after the next is shown, and the menu stays dimmed under the new one.
TEST_F(MainMenuTest, ADialogOpenedAsAnotherClosesKeepsTheMenuDimmed) {
    Start();
    ASSERT_NE(WaitForDialog<TFlyWindow>(TMainMenu::kProfileNameId), nullptr);
    Push(TextEvent("Mira"));
    Frames(1);
    ClickControl(*TMyWindowManager::Get()->FindById(TMainMenu::kProfileNameId), "ok");
    TFlyWindow* difficulty = WaitForDialog<TFlyWindow>(TMainMenu::kDifficultyId);
    ASSERT_NE(difficulty, nullptr);
    ASSERT_TRUE(WaitFor([] { return TMyWindowManager::Get()->FindById(TMainMenu::kProfileNameId) == nullptr; }));
    TMainMenu* menu = TopScreen<TMainMenu>();
    ASSERT_NE(menu, nullptr);
    Seconds(1.5f);
    ASSERT_NE(menu->GetOverlay(), nullptr);
    EXPECT_NE(menu->GetOverlay()->mState, TShadow::kFalling);
    EXPECT_NEAR(menu->GetOverlay()->mCurrentAlpha, TMainMenu::kOverlayAlpha, 0.01f);

    ClickControl(*difficulty, "confirm");
    ASSERT_NE(WaitForDialog<TFlyWindow>(TMainMenu::kDifficultyNoticeId), nullptr);
    ASSERT_TRUE(WaitFor([] { return TMyWindowManager::Get()->FindById(TMainMenu::kDifficultyId) == nullptr; }));
    Seconds(1.5f);
    ASSERT_NE(menu->GetOverlay(), nullptr);
    EXPECT_NE(menu->GetOverlay()->mState, TShadow::kFalling);
    EXPECT_NEAR(menu->GetOverlay()->mCurrentAlpha, TMainMenu::kOverlayAlpha, 0.01f);
}

// What the menu does when a dialog it opened has closed, by the dialog's window id and result.
TEST_F(MainMenuTest, ClosingADialogActsByItsIdAndResult) {
    struct Case {
        const char* what;
        int windowId;
        int result;
        bool newGamePair;
        int popupId;
        bool map;
    };
    const Case cases[] = {
        {"difficulty chosen", TMainMenu::kDifficultyId, -1, true, TMainMenu::kDifficultyNoticeId, false},
        {"difficulty chosen with 0", TMainMenu::kDifficultyId, 0, true, TMainMenu::kDifficultyNoticeId, false},
        {"difficulty cancelled", TMainMenu::kDifficultyId, TMainMenu::kCancelled, false, 0, false},
        {"difficulty notice", TMainMenu::kDifficultyNoticeId, 1, false, 0, true},
        {"quit cancelled", TMainMenu::kQuitId, 2, false, 0, false},
        {"another window", 77, 1, false, 0, false},
    };
    StartWithPlayer();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        FreshMenu();
        TSettings::Get()->ResetAndSaveProfile();
        TMainMenu* menu = TopScreen<TMainMenu>();
        ASSERT_NE(menu, nullptr);
        menu->OnFlyWindowClosed(nullptr, test.windowId, test.result);
        Frames(kFaderFrames);
        EXPECT_EQ(TUserInfo::Get()->HasPair("NewGame", "true"), test.newGamePair);
        if (test.popupId != 0) {
            auto* notice = dynamic_cast<TMessageBoxOkWindow*>(TMyWindowManager::Get()->FindById(test.popupId));
            ASSERT_NE(notice, nullptr);
            ASSERT_NE(notice->GetMessage(), nullptr);
            EXPECT_EQ(notice->GetMessage()->mTextKey, "changedifficultytext");
        } else {
            EXPECT_EQ(TMyWindowManager::Get()->FindById(TMainMenu::kDifficultyNoticeId), nullptr);
        }
        EXPECT_EQ(TopScreen<TMapWindow>() != nullptr, test.map);
        EXPECT_EQ(TopScreen<TMainMenu>() != nullptr, !test.map);
        EXPECT_FALSE(QuitRequested());
    }
}

TEST_F(MainMenuTest, PlayGoesByTheProfilesProgressAndResetsOnlyAFreshOne) {
    struct Case {
        const char* what;
        bool modePlayed;
        int secondModeBest;
        bool rewardObtained;
        int difficulty;
        bool map;
        bool difficultyWindow;
        bool reset;
    };
    const Case cases[] = {
        {"fresh", false, 0, false, TUserInfo::kDifficultyNotChosen, false, true, true},
        {"fresh with a difficulty", false, 0, false, 1, false, true, true},
        {"played the main set", true, 0, false, TUserInfo::kDifficultyNotChosen, true, false, false},
        {"played only the second set", false, 150, false, 2, true, false, false},
        {"a reward, no difficulty", false, 0, true, TUserInfo::kDifficultyNotChosen, false, true, false},
    };
    StartWithPlayer();
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        TSettings::Get()->ResetAndSaveProfile();
        FreshMenu();
        TUserInfo* profile = TUserInfo::Get();
        profile->GetModeProgress(0).mModePlayed = test.modePlayed;
        profile->GetModeProgress(1).mLevels.at(0).mBestScore = test.secondModeBest;
        profile->SetDifficultyChoice(test.difficulty);
        profile->SetMusicVolume(0.25f);
        GetRewardList().front()->mObtained = test.rewardObtained;
        profile->SetCurrentMode(1);
        const size_t mark = LogMark();
        ClickAt(kMenuX, kPlayY);
        Frames(kFaderFrames);
        EXPECT_EQ(profile->GetCurrentMode(), 0);
        EXPECT_EQ(TopScreen<TMapWindow>() != nullptr, test.map);
        EXPECT_EQ(OpenedSince(mark, "difficulty window", TMainMenu::kDifficultyId), test.difficultyWindow);
        // A reset puts the volumes, progress and rewards back to their defaults.
        EXPECT_EQ(profile->GetMusicVolume() != 0.25f, test.reset);
        EXPECT_EQ(profile->GetModeProgress(1).mLevels.at(0).mBestScore, test.reset ? 0 : test.secondModeBest);
        EXPECT_EQ(GetRewardList().front()->mObtained, test.rewardObtained && !test.reset);
    }
}

TEST_F(MainMenuTest, PlayWithoutAPlayerAsksForAName) {
    Start();
    TMainMenu* menu = TopScreen<TMainMenu>();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(TSettings::Get()->GetUserCount(), 0);
    // The first frames already asked once, by the first-profile check.
    EXPECT_FALSE(menu->IsProfileCheckPending());
    EXPECT_TRUE(OpenedSince(0, "profile name window", TMainMenu::kProfileNameId));
    const size_t mark = LogMark();
    menu->OnButtonClick(-1, nullptr, 0, dynamic_cast<TMyButton*>(menu->FindChildByName("main_play")));
    EXPECT_TRUE(OpenedSince(mark, "profile name window", TMainMenu::kProfileNameId));
    EXPECT_EQ(TopScreen<TMainMenu>(), menu);
}

TEST_F(MainMenuTest, TheFirstProfileCheckWaitsForTheProfileWindowsAndAsksOnce) {
    StartWithPlayer();
    TMainMenu* menu = TopScreen<TMainMenu>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->IsProfileCheckPending());
    // The player list is open while its last player is deleted: the menu waits for the list to close.
    auto list = std::make_unique<TMyWindow>();
    list->mId = TMainMenu::kProfileListId;
    TMyWindowManager::Get()->ShowPopup(std::move(list));
    TSettings::Get()->DeleteUser(0);
    const size_t mark = LogMark();
    Frames(4);
    EXPECT_TRUE(menu->IsProfileCheckPending());
    EXPECT_FALSE(OpenedSince(mark, "profile name window", TMainMenu::kProfileNameId));
    TMyWindowManager::Get()->CloseById(TMainMenu::kProfileListId);
    Frames(4);
    EXPECT_FALSE(menu->IsProfileCheckPending());
    EXPECT_TRUE(OpenedSince(mark, "profile name window", TMainMenu::kProfileNameId));
    // Asked once: later frames do not ask again.
    const size_t later = LogMark();
    Frames(4);
    EXPECT_FALSE(CountLogLinesSince(later, "profile name window not built yet") > 0);
}

TEST_F(MainMenuTest, TheNameLabelShowsTheCurrentPlayer) {
    StartWithPlayer("Zoë");
    TMainMenu* menu = TopScreen<TMainMenu>();
    ASSERT_NE(menu, nullptr);
    auto* name = dynamic_cast<TSimpleTextImage*>(menu->FindChildByName("namelbl"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->mText, L"Zoë");
    TSettings::Get()->DeleteUser(0);
    Frames(1);
    EXPECT_EQ(name->mText, L"");
}

TEST_F(MainMenuTest, TheGameNameIsHeardOnTheFirstMenuOfARunOnly) {
    Start();
    ASSERT_NE(TopScreen<TMainMenu>(), nullptr);
    TSoundManager* sound = TSoundManager::FindInstance();
    ASSERT_NE(sound, nullptr);
    EXPECT_TRUE(sound->IsSoundPlaying("gamename"));
    EXPECT_TRUE(sound->IsMusicPlaying("mainmenu"));
    sound->StopSound("gamename");
    ShowMainMenuScreen();
    Frames(kFaderFrames);
    ASSERT_NE(TopScreen<TMainMenu>(), nullptr);
    EXPECT_FALSE(sound->IsSoundPlaying("gamename"));
    EXPECT_EQ(CountLogLines("show main menu"), 2);
}

TEST_F(MainMenuTest, ANewMenuKeepsWhatThePlayerChangedSinceTheProfileWasRead) {
    StartWithPlayer();
    TUserInfo::Get()->SetMusicVolume(0.9f);
    TUserInfo::Get()->GetModeProgress(0).mLevels.at(2).mBestStars = 2;
    ShowMainMenuScreen();
    Frames(kFaderFrames);
    ASSERT_NE(TopScreen<TMainMenu>(), nullptr);
    EXPECT_FLOAT_EQ(TUserInfo::Get()->GetMusicVolume(), 0.9f);
    EXPECT_EQ(TUserInfo::Get()->GetModeProgress(0).mLevels.at(2).mBestStars, 2);
    // And the file holds it: reading it again gives the same.
    TUserInfo::Get()->SetMusicVolume(0.1f);
    ASSERT_TRUE(TSettings::Get()->LoadProfile());
    EXPECT_FLOAT_EQ(TUserInfo::Get()->GetMusicVolume(), 0.9f);
}

TEST_F(MainMenuTest, AProfileSetAsideAsDamagedIsNotReplacedByDefaults) {
    StartWithPlayer();
    mGame.reset();
    TUserInfo::Release();
    const std::string profile = harness::UserFolder() + "/user1";
    ASSERT_TRUE(harness::PathExists(profile));
    ASSERT_TRUE(harness::WriteFile(profile, "not a profile at all"));
    std::remove((profile + ".bak").c_str());
    Start();
    ASSERT_NE(TopScreen<TMainMenu>(), nullptr);
    ASSERT_TRUE(harness::PathExists(profile + ".bad"));
    ASSERT_FALSE(harness::PathExists(profile));
    ShowMainMenuScreen();
    Frames(kFaderFrames);
    ASSERT_NE(TopScreen<TMainMenu>(), nullptr);
    EXPECT_FALSE(harness::PathExists(profile));
    EXPECT_EQ(harness::ReadFile(profile + ".bad"), "not a profile at all");
}

// The background is the menu's largest draw: while the menu rests it comes from its cached layer, at the
// design size and at a scaled output alike, and the frame still shows what the plain frame shows.
TEST_F(MainMenuTest, TheRestingMenusBackgroundComesFromItsCachedLayerAtEveryOutput) {
    struct Output {
        int width;
        int height;
        int tolerance;
    };
    StartWithPlayer();
    for (const Output output : {Output{1366, 768, 0}, Output{1024, 768, 2}}) {
        SCOPED_TRACE(output.width);
        harness::UseWindowSized(output.width, output.height);
        Frames(3);
        const TMainMenu* menu = TopScreen<TMainMenu>();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->GetBackgroundLayer().GetLastOutcome(), TLayerCache::kCopied);
        const harness::FrameDifference difference = harness::CompareWithPlainFrame();
        EXPECT_EQ(difference.failure, "");
        EXPECT_LE(difference.largest, output.tolerance) << difference.pixels << " pixels differ";
    }
    harness::UseDesignSizedWindow();
}
