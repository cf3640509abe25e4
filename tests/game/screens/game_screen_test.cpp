// The game screen, its pause notice, the level intro and the results window, driven with the real
// controller singleton over the small level set of the controller tests.

#include "app/frame_clear.h"
#include "app/input_event.h"
#include "board/board_background.h"
#include "board/board_effects.h"
#include "game/controller/controller_fixture.h"
#include "game_seams.h"
#include "screens/level_complete_window.h"
#include "screens/level_name_window.h"
#include "screens/pause_window.h"
#include "screens/room_window.h"
#include "windows/image_control.h"
#include "windows/message_box.h"
#include "windows/text_label.h"

namespace {

using controllertest::ControllerTest;

// Short flights, so a few frames bring each window in and out.
constexpr const char* kIntro = R"(<l>
<object name="window" type="flywindow" w="200" h="100" x1="100" y1="-100" x="100" y="100" x2="100" y2="900"
        time="0.2" stay="-1"/>
<object name="levelname_stage" type="imagetext" x="0" y="0" w="200" h="20"/>
<object name="levelname_gametype" type="imagetext" x="0" y="20" w="200" h="20"/>
<object name="star1_desc" type="imagetext" x="0" y="40" w="200" h="20" text="first"/>
<object name="star2_desc" type="imagetext" x="0" y="60" w="200" h="20" text="second"/>
<object name="star3_desc" type="imagetext" x="0" y="80" w="200" h="20" text="third"/></l>)";
constexpr const char* kResults = R"(<l>
<object name="window" type="flywindow" w="400" h="300" x1="300" y1="-300" x="300" y="200" x2="300" y2="900"
        time="0.2" stay="-1"/>
<object name="Star1" type="rect" x="100" y="40"/><object name="Star2" type="rect" x="200" y="30"/>
<object name="Star3" type="rect" x="300" y="40"/>
<object name="image" type="image" x="0" y="0" w="10" h="10"/><object name="imagebig" type="image" x="0" y="0"/>
<object name="imagebig15" type="image" x="0" y="0"/><object name="imageframebig15" type="image" x="0" y="0"/>
<object name="repeat" type="button" id="1" x="0" y="250" w="80" h="40"/>
<object name="mainmenu" type="button" id="2" x="100" y="250" w="80" h="40"/>
<object name="nextlevel" type="button" id="3" x="200" y="250" w="80" h="40"/></l>)";
constexpr const char* kPause = R"(<l><object name="window" type="window" w="300" h="200" x="683" y="384"/>
<object name="go" type="button" id="1" x="10" y="10" w="80" h="40"/></l>)";
constexpr const char* kMessage = R"(<l>
<object name="window" type="flywindow" w="300" h="200" x1="683" y1="-100" x="683" y="384" x2="683" y2="900"
        time="0.2" stay="-1"/><object name="mess" type="imagetext" x="10" y="60" w="200" h="40"/>
<object name="ok" type="button" id="1" x="10" y="10" w="80" h="40"/></l>)";

class GameScreenTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        // The real screen and the singleton replace the plain screen and the recording windows.
        mController.reset();
        TMyWindowManager::Get()->CloseById(kGameScreenId);
        mScreen = nullptr;
        WriteData("ui/levelname.xml", kIntro);
        WriteData("ui/levelcomplete.xml", kResults);
        WriteData("ui/pause.xml", kPause);
        WriteData("ui/mbok.xml", kMessage);
        // ui/interface.xml of the fixture has no "board" box: the screen then simply covers nothing.
    }

    void TearDown() override {
        TMyWindowManager::Release();
        TBoardMahjong::Release();
        ControllerTest::TearDown();
    }

    TRoomWindow* OpenScreen(int stage, int level) {
        TModeProgress& progress = GetCurrentModeProgress();
        progress.mStage = stage;
        progress.mLevel = level;
        auto owned = std::make_unique<TRoomWindow>();
        TRoomWindow* room = owned.get();
        TMyWindowManager::Get()->ShowScreen(std::move(owned), false, 0);
        return room;
    }

    // Frames of the window manager (and so of the screen and the controller) by the stepped clock.
    void Frames(int count, uint32_t ms = 50) {
        for (int i = 0; i < count; ++i) {
            mClock.Advance(ms);
            TMyWindowManager::Get()->Update(static_cast<float>(ms) / 1000.0f);
        }
    }

    TBoardMahjong* Game() { return TBoardMahjong::Get(); }

    TMouseEvent At(int row, int column, int button) {
        const TMosaicCell& cell = Game()->GetActiveLayout().GetBoard().GetCell(row, column);
        TMouseEvent event;
        event.x = event.gameX = cell.x + cell.w / 2;
        event.y = event.gameY = cell.y + cell.h / 2;
        event.buttons = button;
        return event;
    }

    template <class T> T* Find(int id) { return dynamic_cast<T*>(TMyWindowManager::Get()->FindById(id)); }

    // The intro flies in, is closed with its result, and the cells arrive.
    void PlayIntoLevel() {
        auto* intro = Find<TLevelNameWindow>(kLevelIntroId);
        ASSERT_NE(intro, nullptr);
        Frames(10);
        intro->Close(1);
        for (int i = 0; i < 200 && Game()->GetPlayState() != TBoardMahjong::kStatePlaying; ++i) {
            Frames(1, 20);
        }
        ASSERT_EQ(Game()->GetPlayState(), TBoardMahjong::kStatePlaying);
    }

    TLevelCompleteWindow* WinLevel() {
        PlayIntoLevel();
        auto stroke = [this](int row, int from, int to) {
            Game()->OnMouseDown(At(row, from, TMouseEvent::kLeft));
            Game()->OnMouseDrag(At(row, to, TMouseEvent::kLeft));
            Game()->OnMouseUp(At(row, to, TMouseEvent::kLeft));
        };
        stroke(0, 0, 2);
        stroke(1, 1, 3);
        for (int i = 0; i < 200 && Find<TLevelCompleteWindow>(kResultsWindowId) == nullptr; ++i) {
            Frames(1);
        }
        return Find<TLevelCompleteWindow>(kResultsWindowId);
    }

    static void Send(int kind, int param) {
        TInputEvent event;
        event.kind = kind;
        event.param = param;
        TMyWindowManager::Get()->HandleEvent(event);
    }
};

TEST_F(GameScreenTest, ScreenWithoutControllerHandlesKeyReleasesAndAsksNothing) {
    TRoomWindow room;
    EXPECT_TRUE(room.OnKeyUp(TKeyEvent{'a', 0}));
    EXPECT_FALSE(room.Update(0.1f));
    EXPECT_EQ(room.GetController(), nullptr);
    EXPECT_EQ(TBoardMahjong::FindInstance(), nullptr);
}

TEST_F(GameScreenTest, ShowActivatesOnceEnterEveryTimeAndHideLeaves) {
    TRoomWindow* room = OpenScreen(0, 0);
    ASSERT_EQ(room->GetController(), Game());
    EXPECT_TRUE(Game()->IsAttached());
    EXPECT_EQ(Game()->GetActivationCount(), 1);
    EXPECT_NE(Game()->GetHintButton(), nullptr) << "the controls come from the global description";
    EXPECT_EQ(Game()->GetListener(), room);
    room->Show();
    EXPECT_EQ(Game()->GetActivationCount(), 1) << "a second show only enters";
    EXPECT_EQ(Game()->GetPlayState(), TBoardMahjong::kStateSetUp);
    room->Hide();
    EXPECT_FALSE(Game()->IsAttached());
    EXPECT_EQ(Game()->GetHintButton(), nullptr) << "leaving drops the controls";
    EXPECT_TRUE(room->mChildren.empty());
    room->Show();
    EXPECT_EQ(Game()->GetActivationCount(), 2) << "the next hosting activates again";
}

TEST_F(GameScreenTest, ScreenForwardsFreezeAndKeepsUpdatingTheController) {
    OpenScreen(0, 0);
    PlayIntoLevel();
    TMyWindowManager::Get()->SetAllFrozen(true);
    EXPECT_TRUE(Game()->IsScreenFrozen());
    const float before = Game()->GetPlayTime();
    Frames(4);
    EXPECT_EQ(Game()->GetPlayTime(), before) << "a frozen controller keeps its clock";
    TMyWindowManager::Get()->SetAllFrozen(false);
    Frames(4);
    EXPECT_GT(Game()->GetPlayTime(), before);
}

TEST_F(GameScreenTest, NextLevelMovesTheProfileOnAndStartsItOnTheSameScreen) {
    struct Case {
        int stage;
        int level;
        int wantStage;
        int wantLevel;
    };
    for (const Case& c : {Case{-1, 0, 0, 1}, Case{0, 0, 0, 1}}) {
        TRoomWindow* room = OpenScreen(0, 0);
        GetCurrentModeProgress().mStage = c.stage;
        GetCurrentModeProgress().mLevel = c.level;
        room->OnNextLevel(Game());
        EXPECT_EQ(GetCurrentModeProgress().mStage, c.wantStage);
        EXPECT_EQ(GetCurrentModeProgress().mLevel, c.wantLevel);
        EXPECT_EQ(Game()->GetLevel(), c.wantLevel) << "the new current level starts";
        EXPECT_EQ(Game()->GetActivationCount(), 1);
        TMyWindowManager::Release();
        TBoardMahjong::Release();
    }
}

TEST_F(GameScreenTest, IntroNamesStageAndLevelAndFillsThreeStarPlacesOnly) {
    OpenScreen(0, 1);
    auto* intro = Find<TLevelNameWindow>(kLevelIntroId);
    ASSERT_NE(intro, nullptr);
    // No terms are loaded: the keys stand in.
    EXPECT_EQ(intro->GetCaption()->mText, L"Stage 1-Level 2");
    EXPECT_TRUE(intro->GetGameType()->mText.empty());
    for (TSimpleTextImage* label : intro->GetStarLabels()) {
        ASSERT_NE(label, nullptr);
        EXPECT_NE(label->mText, L"first");
        EXPECT_FALSE(label->mText.empty());
    }
    // A star list of another length leaves the labels as the file wrote them.
    TLevelNameWindow window(nullptr);
    TLevelInfoMosaic level;
    window.Setup(2, 5, "", level, TLevelStatistics());
    EXPECT_EQ(window.GetCaption()->mText, L"Stage 2-Level 5");
    EXPECT_EQ(window.GetStarLabels()[0]->mText, L"first");
}

TEST_F(GameScreenTest, PauseNoticeClosesOnSpaceOrEscapeAsKeysOrCharacters) {
    struct Case {
        int kind;
        int code;
        bool closes;
    };
    const Case cases[] = {{kInputKeyDown, ' ', true}, {kInputKeyDown, 27, true}, {kInputText, ' ', true},
                          {kInputText, 27, true},     {kInputText, 'a', false},  {kInputKeyDown, 'q', false}};
    TGameSeams seams;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " code " << c.code);
        seams.ShowPauseWindow();
        Frames(1);
        auto* pause = Find<TPauseWindow>(kPauseWindowId);
        ASSERT_NE(pause, nullptr);
        EXPECT_TRUE(pause->FindChildById(1)->mDisabled) << "its button is decoration";
        Send(c.kind, c.code);
        Frames(1);
        EXPECT_EQ(Find<TPauseWindow>(kPauseWindowId) == nullptr, c.closes);
        seams.ClosePauseWindow();
        EXPECT_EQ(Find<TPauseWindow>(kPauseWindowId), nullptr);
    }
}

TEST_F(GameScreenTest, ResultsAwardStarsOneByOneAfterTheFlyIn) {
    OpenScreen(0, 0);
    TLevelCompleteWindow* results = WinLevel();
    ASSERT_NE(results, nullptr);
    const int stars = Game()->GetResult().mStars;
    ASSERT_EQ(stars, 3) << "no mistake, no hint, well inside the time";
    // Frames from the one in which the fly-in ends.
    std::vector<int> shownAt;
    int flyInEnd = -1;
    for (int frame = 0; frame < 120; ++frame) {
        const int before = results->GetStarsShown();
        Frames(1, 20);
        if (flyInEnd < 0 && results->GetState() != TFlyWindow::kShown) {
            EXPECT_EQ(results->GetStarsShown(), 0) << "no star while flying in";
            continue;
        }
        flyInEnd = flyInEnd < 0 ? frame : flyInEnd;
        if (results->GetStarsShown() != before) {
            shownAt.push_back(frame - flyInEnd);
        }
    }
    EXPECT_EQ(shownAt, (std::vector<int>{0, 25, 50})) << "one star every 0.5 s from the first update";
    EXPECT_EQ(results->GetRings().GetCount(), 6u) << "two rings per star, repeating";
    EXPECT_EQ(results->GetAwardState(), TLevelCompleteWindow::kStateDone);
    results->Close(TLevelCompleteWindow::kReplay);
    Frames(1);
    EXPECT_EQ(results->GetRings().GetCount(), 0u) << "the rings go as it flies out";
}

TEST_F(GameScreenTest, ResultsWindowsThreeAnswersReachTheController) {
    struct Case {
        int result;
        int wantLevel; // the controller's level afterwards
        bool introOpen;
    };
    for (const Case& c : {Case{TLevelCompleteWindow::kReplay, 0, true}, Case{TLevelCompleteWindow::kNextLevel, 1, true},
                          Case{TLevelCompleteWindow::kMainMenu, 0, false}}) {
        SCOPED_TRACE(c.result);
        OpenScreen(0, 0);
        TLevelCompleteWindow* results = WinLevel();
        ASSERT_NE(results, nullptr);
        Frames(10);
        results->Close(c.result);
        Frames(10);
        EXPECT_EQ(Find<TLevelCompleteWindow>(kResultsWindowId), nullptr);
        EXPECT_EQ(Game()->GetLevel(), c.wantLevel);
        EXPECT_EQ(Find<TLevelNameWindow>(kLevelIntroId) != nullptr, c.introOpen);
        if (c.result == TLevelCompleteWindow::kMainMenu) {
            EXPECT_TRUE(harness::LogContains("main menu")) << "the map helper's opener is asked";
        }
        TMyWindowManager::Release();
        TBoardMahjong::Release();
    }
}

TEST_F(GameScreenTest, ResultsPictureFollowsTheSizeClass) {
    TLevelResult result;
    result.mStars = 0;
    result.mPreviewType = 2;
    TLevelInfoMosaic level;
    level.mBaseName = "a";
    TLevelCompleteWindow window(result, level, TLevelStatistics(), nullptr);
    EXPECT_FALSE(window.FindChildByName("image")->mShown);
    EXPECT_FALSE(window.FindChildByName("imagebig")->mShown);
    EXPECT_TRUE(window.FindChildByName("imagebig15")->mShown);
    auto* frame = dynamic_cast<TMyImage*>(window.FindChildByName("imageframebig15"));
    EXPECT_EQ(frame->mMainImage.mImageName, "textures/gui/levelcomplete/framebig15");
    auto* picture = dynamic_cast<TMyImage*>(window.FindChildByName("imagebig15"));
    EXPECT_EQ(picture->mMainImage.mImageName, "textures/biglayouts/a");
    // A won level with no star stays awarding and shows none.
    window.OnFlyInDone(&window, kResultsWindowId);
    for (int i = 0; i < 10; ++i) {
        window.Update(0.2f);
    }
    EXPECT_EQ(window.GetAwardState(), TLevelCompleteWindow::kStateAwarding);
    EXPECT_FALSE(window.IsStarShown(0));
}

TEST_F(GameScreenTest, LostLevelOpensTheMessageBoxAfterItsDelayThenRestarts) {
    struct Case {
        bool timeOver; // else the mistake limit
        const char* message;
    };
    for (const Case& c : {Case{false, "ToManyMistakesMosaic"}, Case{true, "timeisovermessageMosaic"}}) {
        SCOPED_TRACE(c.message);
        GetProfileDifficulty().mUseTimer = c.timeOver;
        OpenScreen(0, 0);
        PlayIntoLevel();
        if (c.timeOver) {
            Frames(static_cast<int>(Game()->GetCountdown().mValue / 0.05f) + 2);
        } else {
            for (int column : {0, 1, 2}) {
                Game()->OnMouseDown(At(0, column, TMouseEvent::kRight));
                Game()->OnMouseUp(At(0, column, TMouseEvent::kRight));
            }
        }
        ASSERT_EQ(Game()->GetPlayState(), TBoardMahjong::kStateLost);
        const std::vector<TMyWindow*>& waiting = TMyWindowManager::Get()->GetWaitingPopups();
        for (int i = 0; i < 200 && waiting.empty(); ++i) {
            Frames(1);
        }
        ASSERT_EQ(waiting.size(), 1u) << "it waits its delay before it shows";
        auto* box = dynamic_cast<TMessageBoxWindow*>(waiting.front());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->mId, kMessageBoxId);
        EXPECT_EQ(box->GetMessage()->mTextKey, c.message);
        Frames(18);
        EXPECT_EQ(waiting.size(), 1u);
        Frames(4);
        EXPECT_TRUE(waiting.empty()) << "shown after one second";
        EXPECT_EQ(TMyWindowManager::Get()->FindById(kMessageBoxId), box);
        EXPECT_TRUE(Game()->IsShadowShown()) << "an open dialog dims the screen";
        box->Close(1);
        Frames(10);
        EXPECT_EQ(TMyWindowManager::Get()->FindById(kMessageBoxId), nullptr);
        EXPECT_EQ(Game()->GetPlayState(), TBoardMahjong::kStateSetUp) << "the same level starts again";
        EXPECT_NE(Find<TLevelNameWindow>(kLevelIntroId), nullptr);
        TMyWindowManager::Release();
        TBoardMahjong::Release();
    }
}

TEST_F(GameScreenTest, ShutdownDeletesTheControllerWhichStopsListeningToTheProfile) {
    OpenScreen(0, 0);
    ASSERT_EQ(TUserInfo::Get()->GetListener(), Game());
    TMyWindowManager::Release();
    TGameSeams().DeleteController();
    EXPECT_EQ(TBoardMahjong::FindInstance(), nullptr);
    EXPECT_EQ(TUserInfo::Get()->GetListener(), nullptr);
}

} // namespace

namespace {

// The background cross-fade and the combo badge, over small pictures.
class ScreenEffectsTest : public GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        ASSERT_TRUE(mRenderer.IsReady());
        WriteSolidImage("textures/one.png", 4, 4, 0xff112233);
        WriteSolidImage("textures/two.png", 4, 4, 0xff445566);
    }

    fonttest::HeadlessRenderer mRenderer{64, 32};
};

TEST_F(ScreenEffectsTest, SwitchesOnlyAfterANewPictureHasLoaded) {
    struct Step {
        const char* picture;
        bool leave; // the game screen is left between the picture's load and the level's start
        bool switches;
        int stateAfter;
    };
    // The first picture shows at once; the same picture again or a missing one brings back nothing.
    // Leaving lets the faded-out picture go, yet a picture loaded for the next level still switches.
    const Step steps[] = {{"textures/one", false, false, TBoardBackground::kStateA},
                          {"textures/two", true, true, TBoardBackground::kStateB},
                          {"textures/two", true, false, TBoardBackground::kStateB},
                          {"textures/one", false, true, TBoardBackground::kStateA},
                          {"textures/missing", false, false, TBoardBackground::kStateA}};
    TBoardBackground background;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.picture);
        background.SetBackground(TStageBackground{step.picture, ""}, "");
        if (step.leave) {
            background.ReleaseUnseen();
        }
        background.RequestSwitch();
        EXPECT_EQ(background.IsSwitchPending(), step.switches);
        background.Update(TBoardBackground::kFadeTime + 0.1f);
        EXPECT_EQ(background.GetState(), step.stateAfter);
    }
    // After the last switch pair A is the one fully shown.
    EXPECT_FLOAT_EQ(background.GetMain(false).mAlpha, 1.0f);
    EXPECT_FLOAT_EQ(background.GetMain(true).mAlpha, 0.0f);
    background.Reset();
    EXPECT_EQ(background.GetState(), TBoardBackground::kStateNone);
    background.SetBackground(TStageBackground{"textures/one", ""}, "");
    EXPECT_EQ(background.GetName(), "textures/one") << "after a reset the same picture loads again";
}

// The cross-fade drawn from its composed texture shows what the two blended pictures show, at every step
// of the fade, also after the pair changed pictures; the composed copy covers what was there before.
TEST_F(ScreenEffectsTest, CrossFadeFromItsComposedPictureShowsTheBlendedPair) {
    // Pictures of the renderer's size without an alpha channel, as the screens' backgrounds are.
    const auto pattern = [](uint32_t seed) {
        return [seed](int x, int y) {
            return 0xff000000u | ((seed * 37u + static_cast<uint32_t>(x) * 4u) & 0xffu) << 16 |
                   ((seed * 91u + static_cast<uint32_t>(y) * 8u) & 0xffu) << 8 |
                   ((seed + static_cast<uint32_t>(x * y)) & 0xffu);
        };
    };
    WriteImage("textures/wide_one.jpg", 64, 32, pattern(1));
    WriteImage("textures/wide_two.jpg", 64, 32, pattern(2));
    WriteImage("textures/wide_three.jpg", 64, 32, pattern(3));
    const auto readAll = [] {
        std::vector<uint32_t> pixels(64 * 32);
        SDL_RenderReadPixels(GetSDLRenderer(), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), 64 * 4);
        return pixels;
    };
    TBoardBackground background;
    struct Step {
        const char* picture; // loaded into the hidden pair and switched to; null: the fade goes on
        float seconds;
        bool leave; // the game screen is left and entered again after the update
    };
    const Step steps[] = {{"textures/wide_one", 0.0f, false},
                          {"textures/wide_two", 0.01f, false},
                          {nullptr, 0.01f, false},
                          {nullptr, 2.5f, true},
                          {nullptr, 0.004f, false},
                          {nullptr, 5.0f, false},
                          {nullptr, 5.0f, true},
                          {"textures/wide_three", 1.0f, false},
                          {nullptr, 4.0f, false},
                          {nullptr, 6.0f, true},
                          {"textures/wide_one", 3.0f, false}};
    int blendedSteps = 0;
    for (const Step& step : steps) {
        if (step.picture != nullptr) {
            background.SetBackground(TStageBackground{step.picture, ""}, "");
            background.RequestSwitch();
        }
        background.Update(step.seconds);
        SCOPED_TRACE(testing::Message() << "A alpha " << background.GetMain(false).mAlpha << ", B alpha "
                                        << background.GetMain(true).mAlpha);
        if (step.leave) {
            background.ReleaseUnseen();
            // A picture still seen keeps its pixels; one faded out for good lets them go.
            for (const bool pairB : {false, true}) {
                const AlphaStaticImage& main = background.GetMain(pairB);
                EXPECT_EQ(static_cast<bool>(main.mTexture), main.mAlpha > 0.0f) << "pair " << pairB;
            }
        }
        SetDrawShortcuts(false);
        mRenderer.Clear(0, 0, 0);
        background.Draw();
        const std::vector<uint32_t> plain = readAll();
        SetDrawShortcuts(true);
        mRenderer.Clear(255, 0, 255);
        background.Draw();
        const std::vector<uint32_t> composed = readAll();
        long differing = 0;
        for (size_t i = 0; i < plain.size(); ++i) {
            differing += plain[i] != composed[i] ? 1 : 0;
        }
        EXPECT_EQ(differing, 0);
        const float alphaB = background.GetMain(true).mAlpha;
        blendedSteps += alphaB > 0.01f && alphaB < 0.99f ? 1 : 0;
    }
    EXPECT_GE(blendedSteps, 5) << "the steps must catch the fade part-way";
}

// The combo badge runs its frames once over the combo's life and starts again with every count.
TEST_F(ScreenEffectsTest, ComboBadgeRunsOnceOverTheLifeAndRestartsWithEachCount) {
    WriteSolidImage("textures/combo.png", 8, 2, 0xff00ff00);
    WriteData("ui/combo.xml", R"(<c filename="textures/combo" frames="4" cadrw="2" cadrh="2" tw="8" th="2"/>)");
    EffectBonusTime::TLayout layout;
    layout.life = 4.0f;
    EffectBonusTime effect(layout, nullptr);
    const TCadrImage& badge = effect.GetAnimation();
    ASSERT_EQ(badge.mFrameCount, 4);
    EXPECT_FLOAT_EQ(badge.mSecondsPerFrame, 1.0f);
    // The strip moves at most one frame per update: frames of 50 ms, as the game runs.
    auto run = [&effect](float seconds) {
        for (float t = 0; t < seconds; t += 0.05f) {
            effect.Update(0.05f);
        }
    };
    run(1.5f);
    EXPECT_GE(badge.mCurrentFrame, 1);
    effect.AddCount();
    EXPECT_EQ(badge.mCurrentFrame, 0);
    EXPECT_EQ(effect.GetCount(), EffectBonusTime::kFirstCount + 1);
    run(3.95f);
    EXPECT_EQ(badge.mCurrentFrame, 3) << "the last frame as the life runs out, without wrapping";
}

} // namespace
