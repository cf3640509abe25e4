// The splash screen in the running game: which images it finds, the timing of each image, a click that
// skips to the fade-out, and the hand-over to the main menu.

#include <gtest/gtest.h>

#include <SDL_image.h>
#include <filesystem>

#include "app/app_config.h"
#include "map/logos_window.h"
#include "map/main_menu.h"
#include "map_fixture.h"

namespace {

// A data root whose assets are the shipped ones with the given branding images (10 x 10 PNGs or JPGs) in
// place of the shipped ones.
class TBrandedAssets {
public:
    explicit TBrandedAssets(const std::vector<std::string>& images) {
        const std::filesystem::path shipped = std::filesystem::path(GetExecutableFolder()) / "assets";
        const std::filesystem::path assets = std::filesystem::path(mFolder) / "assets";
        std::filesystem::create_directories(assets);
        for (const auto& entry : std::filesystem::directory_iterator(shipped)) {
            if (entry.path().filename() == "branding") {
                continue;
            }
            std::filesystem::create_symlink(std::filesystem::canonical(entry.path()), assets / entry.path().filename());
        }
        for (const std::string& image : images) {
            EXPECT_TRUE(harness::WriteImageFile((assets / "branding" / image).string(), 10, 10,
                                                [](int, int) { return 0xFF336699u; }));
        }
    }

    const std::string& GetFolder() const { return mFolder; }

private:
    std::string mFolder = harness::MakeTempFolder();
    harness::ScopedDataRoot mRoot{mFolder};
};

} // namespace

class LogosWindowTest : public MapScreensTest {
protected:
    // Starts the game over the branded assets; returns the splash screen once its first frame is drawn.
    TLogosWindow* StartWithSplash(const std::vector<std::string>& images) {
        mAssets = std::make_unique<TBrandedAssets>(images);
        mGame = std::make_unique<harness::RunningGame>(harness::RunningGame::kKeepSplash);
        EXPECT_EQ(mGame->GetStartResult(), 0);
        harness::UseDesignSizedWindow();
        // The splash comes in through the fader; from its first update on, time is the splash's own.
        for (int frame = 0; frame < 40 && TopScreen<TLogosWindow>() == nullptr; ++frame) {
            Frames(1);
        }
        return TopScreen<TLogosWindow>();
    }

    // Frames until the splash has run that many seconds since its first image started.
    void RunSplashTo(TLogosWindow* splash, float seconds) {
        while (splash->GetIndex() == TLogosWindow::kBeforeFirst) {
            Frames(1);
            mSplashTime = kFrameMs / 1000.0f;
        }
        while (mSplashTime < seconds - 0.001f) {
            Frames(1);
            mSplashTime += kFrameMs / 1000.0f;
        }
    }

    void TearDown() override {
        MapScreensTest::TearDown();
        mAssets.reset();
    }

    std::unique_ptr<TBrandedAssets> mAssets;
    float mSplashTime = 0;
};

TEST_F(LogosWindowTest, TheListTakesJpgBeforePngAndEndsAtTheFirstGap) {
    struct Case {
        const char* what;
        std::vector<std::string> files;
        std::vector<std::string> list;
    };
    const Case cases[] = {
        {"none", {}, {}},
        {"one png", {"splash1.png"}, {"branding/splash1.png"}},
        {"jpg before png", {"splash1.png", "splash1.jpg"}, {"branding/splash1.jpg"}},
        {"mixed", {"splash1.jpg", "splash2.png"}, {"branding/splash1.jpg", "branding/splash2.png"}},
        {"a gap ends it", {"splash1.png", "splash3.png"}, {"branding/splash1.png"}},
        {"no first", {"splash2.png"}, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        TBrandedAssets assets(test.files);
        // Start-up would make the data root the working folder.
        std::filesystem::current_path(assets.GetFolder());
        std::vector<std::string> names;
        for (const TSplashEntry& entry : TLogosWindow::BuildList()) {
            names.push_back(entry.image);
            EXPECT_FLOAT_EQ(entry.seconds, 2.0f);
        }
        EXPECT_EQ(names, test.list);
    }
}

// Each image fades in over 1 s, stays 2 s (growing after the first second), fades out over 1 s, and the
// next one follows half a second later. A phase's time counts from the frame the previous one ended in, so
// with frames of 1/8 s each phase after a fade ends one frame early; a later image starts its fade-in
// in the frame after it was chosen.
TEST_F(LogosWindowTest, EachImageFadesInStaysFadesOutAndPauses) {
    TLogosWindow* splash = StartWithSplash({"splash1.png", "splash2.jpg"});
    ASSERT_NE(splash, nullptr);
    struct Stop {
        float time;
        int state;
        int index;
        bool growing;
    };
    const Stop stops[] = {
        {0.5f, TLogosWindow::kFadingIn, 0, false},   {1.5f, TLogosWindow::kShowing, 0, false},
        {2.5f, TLogosWindow::kShowing, 0, true},     {3.5f, TLogosWindow::kFadingOut, 0, true},
        {4.125f, TLogosWindow::kPause, 0, true},     {4.75f, TLogosWindow::kFadingIn, 1, false},
        {7.875f, TLogosWindow::kFadingOut, 1, true},
    };
    for (const Stop& stop : stops) {
        SCOPED_TRACE(stop.time);
        RunSplashTo(splash, stop.time);
        EXPECT_EQ(splash->GetState(), stop.state);
        EXPECT_EQ(splash->GetIndex(), stop.index);
        EXPECT_EQ(splash->GetImage().mScaleX > 1.0f, stop.growing);
        EXPECT_LE(splash->GetImage().mScaleX, 1.1f);
        EXPECT_EQ(splash->GetImage().mImageName, stop.index == 0 ? "branding/splash1.png" : "branding/splash2.jpg");
    }
    // After the last image the menu follows the fade-out at once, without the pause.
    RunSplashTo(splash, 8.0f);
    EXPECT_EQ(splash->GetIndex(), 1);
    RunSplashTo(splash, 8.125f);
    EXPECT_EQ(splash->GetIndex(), TLogosWindow::kEnded);
    Frames(kFaderFrames);
    EXPECT_NE(TopScreen<TMainMenu>(), nullptr);
    EXPECT_TRUE(harness::LogContains("add mainmenu"));
}

TEST_F(LogosWindowTest, AClickSkipsToTheFadeOutOnlyWhileTheImageComesInOrStays) {
    struct Case {
        const char* what;
        float clickAt;
        int stateAfter;
        // When the second image starts.
        float secondImageAt;
    };
    const Case cases[] = {
        {"during the fade-in", 0.5f, TLogosWindow::kFadingOut, 1.375f},
        {"while it stays", 2.0f, TLogosWindow::kFadingOut, 2.875f},
        {"during the fade-out", 3.5f, TLogosWindow::kFadingOut, 4.25f},
        {"during the pause", 4.125f, TLogosWindow::kPause, 4.25f},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        TLogosWindow* splash = StartWithSplash({"splash1.png", "splash2.png"});
        ASSERT_NE(splash, nullptr);
        RunSplashTo(splash, test.clickAt);
        TMouseEvent click;
        click.x = click.gameX = 683;
        click.y = click.gameY = 384;
        click.buttons = TMouseEvent::kLeft;
        splash->OnMouseDown(click);
        EXPECT_EQ(splash->GetState(), test.stateAfter);
        RunSplashTo(splash, test.secondImageAt - 0.125f);
        EXPECT_EQ(splash->GetIndex(), 0);
        RunSplashTo(splash, test.secondImageAt);
        EXPECT_EQ(splash->GetIndex(), 1);
        TearDown();
        mSplashTime = 0;
        SetUp();
    }
}

TEST_F(LogosWindowTest, WithoutBrandingTheMenuComesFirst) {
    StartWithSplash({});
    EXPECT_NE(TopScreen<TMainMenu>(), nullptr);
    EXPECT_FALSE(harness::LogContains("LogosWindow start constructor"));
}

// The shipped pictures: each fills the design screen, and a start over the shipped data shows them in
// turn before the main menu.
TEST_F(LogosWindowTest, TheShippedPicturesShowBeforeTheMenu) {
    // Start-up would make the data root the working folder.
    std::filesystem::current_path(GetExecutableFolder());
    const std::vector<TSplashEntry> list = TLogosWindow::BuildList();
    ASSERT_GE(list.size(), 2u);
    for (const TSplashEntry& entry : list) {
        SDL_Surface* picture = IMG_Load(("assets/" + entry.image).c_str());
        ASSERT_NE(picture, nullptr) << entry.image;
        EXPECT_EQ(picture->w, 1366) << entry.image;
        EXPECT_EQ(picture->h, 768) << entry.image;
        SDL_FreeSurface(picture);
    }

    mGame = std::make_unique<harness::RunningGame>(harness::RunningGame::kKeepSplash);
    ASSERT_EQ(mGame->GetStartResult(), 0);
    harness::UseDesignSizedWindow();
    std::vector<int> shown;
    for (int frame = 0; frame < 200 && TopScreen<TMainMenu>() == nullptr; ++frame) {
        Frames(1);
        if (const TLogosWindow* splash = TopScreen<TLogosWindow>()) {
            if (splash->GetIndex() >= 0 && (shown.empty() || shown.back() != splash->GetIndex())) {
                shown.push_back(splash->GetIndex());
                EXPECT_EQ(splash->GetImage().mImageName, list[static_cast<size_t>(splash->GetIndex())].image);
            }
        }
    }
    std::vector<int> every(list.size());
    for (size_t i = 0; i < every.size(); ++i) {
        every[i] = static_cast<int>(i);
    }
    EXPECT_EQ(shown, every);
    EXPECT_NE(TopScreen<TMainMenu>(), nullptr);
}
