// The game screen around the board: what the controller's activation starts (level music, the map
// frames' pictures, the tutorial tips' listener), the particles behind the board, the developer keys
// that only a developer's environment allows, and levels too large for the screen.

#include "controller_fixture.h"
#include "graphics/particle_system.h"
#include "media/sound_manager.h"
#include "media/sound_test_support.h"

namespace controllertest {
namespace {

// Stage 1 of the fixture with a frame of its own; three tunes in the level music list.
constexpr const char* kFramedStages = R"(<root>
<frames><frame id="wood" x="100" y="50" frame="fr/wood" xback="110" yback="60" back="fr/woodback"/></frames>
<stages folder="levels/">
<stage frame="wood"><level filename="a.xml" stars="0error,90time,0hint" maxerrors="2"/>
<level filename="b.xml" stars="0error,90time,0hint"/></stage></stages></root>)";
constexpr const char* kSounds = R"(<sounds><music1 id="first" name="tune"/><music1 id="second" name="tune"/>
<music1 id="last" name="tune"/></sounds>)";

class ControllerScreenTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        WriteData("stages.xml", kFramedStages);
        FreeStages();
        LoadStages();
        WriteSolidImage("fr/wood.png", 8, 8, 0xFF806040u);
        WriteSolidImage("fr/woodback.png", 8, 8, 0xFF302010u);
        ASSERT_TRUE(sound_test::WriteOggVorbis(mFolder + "/assets/tune.ogg", sound_test::MakeTone(1.0)));
        WriteData("sounds.xml", kSounds);
        TSoundManager::CreateInstance(false)->Load("sounds.xml");
    }

    void TearDown() override {
        ControllerTest::TearDown();
        TSoundManager::DestroyInstance();
    }

    static const std::string& CurrentTune() {
        static const std::string none;
        const TMusicPlayList* list = TSoundManager::GetInstance()->FindMusicList("music1");
        return list != nullptr && list->GetCurrent() ? list->GetCurrent()->GetId() : none;
    }

    void ActivateOn(int stage, int level) {
        TModeProgress& progress = GetCurrentModeProgress();
        progress.mStage = stage;
        progress.mLevel = level;
        mController->Activate();
    }
};

TEST_F(ControllerScreenTest, ActivationPlaysLevelMusicLoadsTheFramesAndListensToTips) {
    TSoundManager::GetInstance()->PlayMusic("first");
    ActivateOn(0, 0);
    // The first level always opens with the first tune.
    EXPECT_EQ(CurrentTune(), "first");
    EXPECT_TRUE(TSoundManager::GetInstance()->IsMusicPlaying("first"));
    EXPECT_EQ(TMyTutorialWindow::Get()->mTutorialListener, mController.get());
    EXPECT_EQ(mController->GetActivationCount(), 1);

    // The frame of the level's stage stands around the board with its pictures.
    Play(0, 0);
    EXPECT_TRUE(mController->GetFrameImage().mTexture);
    EXPECT_TRUE(mController->GetFrameBackImage().mTexture);
    EXPECT_FLOAT_EQ(mController->GetFrameImage().mBaseX, 100.0f);
    EXPECT_FLOAT_EQ(mController->GetFrameBackImage().mBaseY, 60.0f);
    // Off the game screen the frame's pictures are let go; the next level places them again.
    mController->Leave();
    EXPECT_FALSE(mController->GetFrameImage().mTexture);
    EXPECT_FALSE(mController->GetFrameBackImage().mTexture);
    Play(0, 0);
    EXPECT_TRUE(mController->GetFrameImage().mTexture);
    EXPECT_TRUE(mController->GetFrameBackImage().mTexture);

    // Any other level picks at random among the tunes before the last.
    std::set<std::string> tunes;
    for (int i = 0; i < 40; ++i) {
        ActivateOn(0, 1);
        // The tune before fades out first.
        TSoundManager::GetInstance()->Update(3.0f);
        tunes.insert(CurrentTune());
    }
    EXPECT_EQ(tunes, (std::set<std::string>{"first", "second"}));
}

TEST_F(ControllerScreenTest, TutorialTipsFollowEachOther) {
    Play(0, 0);
    mWindows.mShownTips.clear();
    mController->OnTutorialFinished("TipMixColorsMode");
    mController->OnTutorialFinished("TipMixColorsButton");
    mController->OnTutorialFinished("TipHint");
    EXPECT_EQ(mWindows.mShownTips, (std::vector<std::string>{"TipMixColorsButton", "TipMixColorsMode2"}));

    // The labyrinth tip's follower waits 0.3 seconds of play.
    mController->OnTutorialFinished("TipLabirythmMode");
    Step(250);
    EXPECT_EQ(mWindows.mShownTips.size(), 2u);
    Step(100);
    EXPECT_EQ(mWindows.mShownTips.back(), "TipLabirythmModeMove");
}

TEST_F(ControllerScreenTest, SceneParticlesRiseBehindTheBoard) {
    WriteSolidImage("fx/dot.png", 4, 4, 0xFFFFFFFFu);
    WriteData("fx/dots.ini", "[Default]\nnEmission=600\nfParticleLifeMin=5\nfParticleLifeMax=5\nfLifetime=-1\n"
                             "fSizeStart=1\nfSizeEnd=1\nImageFile=fx/dot\nTextureRect0=0,0,4,4\n");
    WriteData("ui/mainback.xml",
              R"(<m><object type="particle" particle="fx/dots.ini" x="32" y="16" w="64" h="32" active="1"/></m>)");
    mController = std::make_unique<TBoardMahjong>(&mWindows);
    EXPECT_EQ(mController->GetSceneParticles().mDescription, "fx/dots.ini");
    EXPECT_TRUE(mController->GetSceneParticles().IsActive());
    Play(0, 0);
    // The controller's own update runs them: a system is started and emits.
    ASSERT_NE(mController->GetSceneParticles().GetSystem(), nullptr);
    EXPECT_GT(mController->GetSceneParticles().GetSystem()->mParticleCount, 0);

    // Without the file there is no scene, and nothing breaks.
    WriteData("ui/mainback.xml", "");
    mController = std::make_unique<TBoardMahjong>(&mWindows);
    EXPECT_TRUE(mController->GetSceneParticles().mDescription.empty());
    Play(0, 0);
    EXPECT_EQ(mController->GetSceneParticles().GetSystem(), nullptr);
}

TEST_F(ControllerScreenTest, DeveloperKeysWorkOnlyInADevelopersGame) {
    for (const char* value : {static_cast<const char*>(nullptr), "0", "1"}) {
        SCOPED_TRACE(value != nullptr ? value : "unset");
        harness::ScopedEnv environment("VERDANEL_DEVELOPER", value);
        Play(0, 0);
        mController->OnKeyUp(SDLK_BACKQUOTE);
        mController->OnKeyUp(SDLK_DELETE);
        Step(6000);
        const bool developer = value != nullptr && std::string(value) == "1";
        // Delete solves the level with every star; a player's game plays on.
        ASSERT_EQ(mWindows.mOpen.count(kResultsWindowId), developer ? 1u : 0u);
        EXPECT_EQ(mController->GetPlayState() == TBoardMahjong::kStatePlaying, !developer);
        if (developer) {
            EXPECT_EQ(mWindows.mResult.mStars, 3);
        }
        mWindows.mOpen.clear();
        mController = std::make_unique<TBoardMahjong>(&mWindows);
    }
}

TEST_F(ControllerScreenTest, ALevelLargerThanTheScreenIsRefusedWithItsSize) {
    // 30 columns of 40 pixels from x 312 reach past 1366.
    WriteData("levels/a.xml", R"(<l><info name="wide" rows="2" cols="30"/><line line="111111111111111111111111111111"/>
<line line="011111111111111111111111111111"/></l>)");
    TModeProgress& progress = GetCurrentModeProgress();
    progress.mStage = 0;
    progress.mLevel = 0;
    mController->Enter();
    EXPECT_EQ(CountLogLines("level levels/a.xml \"wide\" 30 x 2 (1212 x 80 pixels at 312, 155) does not fit the "
                            "1366 x 768 screen: the grid cells reach x 312 to 1524"),
              1);
    EXPECT_EQ(CountLogLines("level 1-1 cannot be loaded: back to the map"), 1);
    EXPECT_EQ(mWindows.mCalls.back(), "map");
    EXPECT_NE(mController->GetPlayState(), TBoardMahjong::kStateSetUp);
}

} // namespace
} // namespace controllertest
