#pragma once
// The real game started in-process over the shipped assets: the player's clicks and keys pushed as SDL
// events at design coordinates, frames stepped with the test clock, and the screens read back from the
// window manager.

#include "shell/startup.h"
#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_events.h"
#include "app/missing_names.h"
#include "app/renderer.h"
#include "app/settings.h"
#include "app/user_info.h"
#include "controller/board_mahjong.h"
#include "controller/controller_windows.h"
#include "data/game_settings.h"
#include "data/level_layout_file.h"
#include "data/rewards.h"
#include "data/stages.h"
#include "data/user_records.h"
#include "game_seams.h"
#include "harness/harness.h"
#include "harness/screen_checks.h"
#include "screens/room_window.h"
#include "screens/screen_openers.h"
#include "shell/startup_seams.h"
#include "windows/fly_window.h"
#include "windows/image_control.h"
#include "windows/tutorial_window.h"
#include "windows/window_manager.h"

class MapScreensTest : public testing::Test {
protected:
    // An eighth of a second: exact in binary, so times add up without rounding.
    static constexpr uint32_t kFrameMs = 125;
    static constexpr int kFramesPerSecond = 8;
    // Long enough for a screen change through the fader to end.
    static constexpr int kFaderFrames = 16;

    void SetUp() override { SetSeams(std::make_unique<TGameSeams>()); }

    void TearDown() override {
        mGame.reset();
        ReleaseProcessState();
    }

    void Start(harness::RunningGame::TSplash splash = harness::RunningGame::kSkipSplash) {
        mGame = std::make_unique<harness::RunningGame>(splash);
        ASSERT_EQ(mGame->GetStartResult(), 0);
        harness::UseDesignSizedWindow();
        Frames(kFaderFrames);
    }

    // Started, with a player whose profile the test then shapes, and a menu made for that player (the
    // name window the first menu asked for taken away).
    void StartWithPlayer(const std::string& name = "Anna") {
        Start();
        TSettings::Get()->AddUser(name);
        FreshMenu();
    }

    void Frames(int count) {
        for (int frame = 0; frame < count; ++frame) {
            mClock.Advance(kFrameMs);
            mGame->Step();
        }
    }

    void Seconds(float seconds) { Frames(static_cast<int>(seconds * kFramesPerSecond + 0.5f)); }

    static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1); }

    void PressAt(int x, int y) {
        Push(MotionEvent(0, x, y));
        Push(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, x, y));
        Frames(1);
    }

    void ReleaseAt(int x, int y) {
        Push(MotionEvent(SDL_BUTTON_LMASK, x, y));
        Push(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, x, y));
        Frames(1);
    }

    void ClickAt(int x, int y) {
        PressAt(x, y);
        ReleaseAt(x, y);
    }

    void KeyUp(SDL_Keycode key) {
        Push(KeyEvent(SDL_KEYUP, key, KMOD_NONE));
        Frames(1);
    }

    template <class T> static T* TopScreen() {
        const auto& screens = TMyWindowManager::Get()->GetScreens();
        return screens.empty() ? nullptr : dynamic_cast<T*>(screens.back());
    }

    static size_t LogMark() { return harness::LogLines().size(); }

    static int CountLogLinesSince(size_t mark, const std::string& text) {
        const std::vector<std::string> lines = harness::LogLines();
        int count = 0;
        for (size_t i = mark; i < lines.size(); ++i) {
            count += lines[i].find(text) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    // Whether a window opener was called since the mark: its window is present, or its stand-in said it
    // is not built.
    static bool OpenedSince(size_t mark, const std::string& window, int windowId) {
        return (windowId != 0 && TMyWindowManager::Get()->FindById(windowId) != nullptr) ||
               CountLogLinesSince(mark, window + " not built yet") > 0;
    }

    // Every popup taken away (the tutorial stays with the manager) and a new main menu shown.
    void FreshMenu() {
        TMyWindowManager* manager = TMyWindowManager::Get();
        std::vector<TMyWindow*> popups = manager->GetPopups();
        popups.insert(popups.end(), manager->GetWaitingPopups().begin(), manager->GetWaitingPopups().end());
        for (TMyWindow* popup : popups) {
            if (popup != TMyTutorialWindow::FindInstance()) {
                manager->Remove(popup);
            }
        }
        ShowMainMenuScreen();
        Frames(kFaderFrames);
    }

    static size_t PopupCount() {
        size_t count = 0;
        for (const TMyWindow* popup : TMyWindowManager::Get()->GetPopups()) {
            count += popup != TMyTutorialWindow::FindInstance() ? 1 : 0;
        }
        return count + TMyWindowManager::Get()->GetWaitingPopups().size();
    }

    static int CountLogLines(const std::string& text) {
        int count = 0;
        for (const std::string& line : harness::LogLines()) {
            count += line.find(text) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    // The map's tips as already seen, so that none covers the plates.
    static void MarkMapTipsSeen() {
        for (const char* tip : {"TipMapClickToPlay", "TipMapClickToNextStage"}) {
            TUserInfo::Get()->AddPair(TMyTutorialWindow::kShownKey, tip);
        }
    }

    static const TMyTutorialWindow* ShowingTip() {
        const TMyTutorialWindow* tutorial = TMyTutorialWindow::FindInstance();
        return tutorial != nullptr && tutorial->IsShowingStep() ? tutorial : nullptr;
    }

    static std::string ShowingTipName() {
        const TMyTutorialWindow* tutorial = ShowingTip();
        return tutorial != nullptr ? tutorial->GetStateText() : "";
    }

    // A point of the map that no plate, button or reward place covers.
    static constexpr int kQuietX = 1100;
    static constexpr int kQuietY = 300;

    static void CentreOf(const TMyWindow& window, int& x, int& y) {
        window.GetAbsolutePosition(x, y);
        x += window.mWidth / 2;
        y += window.mHeight / 2;
    }

    // Frames until the condition holds, at most the given seconds; whether it came to hold.
    bool WaitFor(const std::function<bool()>& condition, float seconds = 10.0f) {
        for (int frame = 0; frame < static_cast<int>(seconds * kFramesPerSecond); ++frame) {
            if (condition()) {
                return true;
            }
            Frames(1);
        }
        return condition();
    }

    // The fly window of that id once it rests in its place.
    template <class T> T* WaitForDialog(int id) {
        T* window = nullptr;
        WaitFor([&] {
            window = dynamic_cast<T*>(TMyWindowManager::Get()->FindById(id));
            return window != nullptr && window->GetState() == TFlyWindow::kShown;
        });
        return window != nullptr && window->GetState() == TFlyWindow::kShown ? window : nullptr;
    }

    void ClickControl(const TMyWindow& window, const char* name) {
        const TMyWindow* control = window.FindChildByName(name);
        ASSERT_NE(control, nullptr) << name;
        int x = 0;
        int y = 0;
        CentreOf(*control, x, y);
        ClickAt(x, y);
    }

    // A tip that came up is answered with a click where it does nothing else.
    void DismissTip() {
        if (ShowingTip() != nullptr) {
            ClickAt(kQuietX, kQuietY);
            WaitFor([] { return ShowingTip() == nullptr; });
        }
    }

    static TBoardMahjong* Controller() {
        auto* screen = dynamic_cast<TRoomWindow*>(TMyWindowManager::Get()->FindById(kGameScreenId));
        return screen != nullptr ? dynamic_cast<TBoardMahjong*>(screen->GetController()) : nullptr;
    }

    bool WaitForPlay() {
        return WaitFor([this] {
            DismissTipNow();
            return Controller() != nullptr && Controller()->GetPlayState() == TBoardMahjong::kStatePlaying;
        });
    }

    // What the game puts in front of the board when a level starts: tips, and the help page of the
    // level's kind, which the player closes.
    void DismissTipNow() {
        if (ShowingTip() != nullptr) {
            HideTutorial();
        }
        auto* help = dynamic_cast<TFlyWindow*>(TMyWindowManager::Get()->FindById(kHelpWindowId));
        if (help != nullptr && help->GetState() == TFlyWindow::kShown) {
            ClickControl(*help, "help_close");
            WaitFor([] { return TMyWindowManager::Get()->FindById(kHelpWindowId) == nullptr; });
        }
    }

    // Paints every run of each colour of the level's file, colour by colour, row by row.
    void SolveFromLayoutFile(const TLevelInfoMosaic& level) {
        TLevelLayoutData data;
        ASSERT_TRUE(ReadLevelLayoutFile(level.mFileName, data));
        TBoardMahjong* controller = Controller();
        ASSERT_NE(controller, nullptr);
        const TMosaicBoard& board = controller->GetActiveLayout().GetBoard();
        ASSERT_EQ(board.GetRows(), data.rows);
        ASSERT_EQ(board.GetCols(), data.cols);
        char picked = 0;
        ForEachColourRun(data, [&](char colour, int row, int from, int to) {
            if (picked != colour) {
                PickColour(colour - '1');
                picked = colour;
            }
            Stroke(board.GetCell(row, from), board.GetCell(row, to));
        });
    }

    // Calls paint(colour, row, from, to) for every run of one colour ('1' to '9') in the level file's
    // rows: colour by colour, then row by row, left to right.
    template <typename Paint> static void ForEachColourRun(const TLevelLayoutData& data, Paint paint) {
        for (char colour = '1'; colour <= '9'; ++colour) {
            for (int row = 0; row < data.rows; ++row) {
                const std::string& line = data.lines.at(static_cast<size_t>(row));
                for (int from = 0; from < data.cols;) {
                    if (line[static_cast<size_t>(from)] != colour) {
                        ++from;
                        continue;
                    }
                    int to = from;
                    while (to + 1 < data.cols && line[static_cast<size_t>(to + 1)] == colour) {
                        ++to;
                    }
                    paint(colour, row, from, to);
                    from = to + 1;
                }
            }
        }
    }

    void PickColour(int index) {
        DismissTipNow();
        TBoardMahjong* controller = Controller();
        ASSERT_LT(index, static_cast<int>(controller->GetColourButtons().size()));
        int x = 0;
        int y = 0;
        CentreOf(*controller->GetColourButtons()[static_cast<size_t>(index)], x, y);
        ClickAt(x, y);
        Frames(2);
        DismissTipNow();
        EXPECT_EQ(controller->GetActiveLayout().GetBoard().GetCurrentColourIndex(), index);
    }

    void Stroke(const TMosaicCell& first, const TMosaicCell& last) {
        DismissTipNow();
        PressAt(first.x + first.w / 2, first.y + first.h / 2);
        Push(MotionEvent(SDL_BUTTON_LMASK, last.x + last.w / 2, last.y + last.h / 2));
        Frames(1);
        ReleaseAt(last.x + last.w / 2, last.y + last.h / 2);
        Frames(2);
    }

    // A stop of the screen tour: the picture saved when asked, every label's text fitting its box, and no
    // name the screens asked for missing from the shipped data.
    // The frame as the window shows it, one ARGB value per pixel.
    std::vector<uint32_t> Picture() {
        SDL_RenderClear(GetSDLRenderer());
        TMyWindowManager::Get()->Draw();
        int w = 0;
        int h = 0;
        SDL_GetRendererOutputSize(GetSDLRenderer(), &w, &h);
        std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
        SDL_RenderReadPixels(GetSDLRenderer(), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4);
        mPictureWidth = w;
        return pixels;
    }

    // How many pixels of the rectangle (x, y, w, h, in the picture's pixels) differ between two pictures.
    int ChangedPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, const SDL_Rect& rect) const {
        int changed = 0;
        for (int y = rect.y; y < rect.y + rect.h; ++y) {
            for (int x = rect.x; x < rect.x + rect.w; ++x) {
                const size_t i = static_cast<size_t>(y) * static_cast<size_t>(mPictureWidth) + static_cast<size_t>(x);
                if (i < a.size() && i < b.size() && a[i] != b[i]) {
                    ++changed;
                }
            }
        }
        return changed;
    }

    void ExpectLooksRight(const char* shot) {
        SDL_RenderClear(GetSDLRenderer());
        TMyWindowManager::Get()->Draw();
        EXPECT_TRUE(harness::SaveShotIfAsked(shot)) << shot;
        EXPECT_EQ(harness::LabelsThatDoNotFit(), std::vector<std::string>{}) << shot;
        for (const TMissingName& missing : GetMissingNames()) {
            ADD_FAILURE() << shot << ": " << missing.kind << " not found " << missing.name;
        }
        ExpectDrawnAsPlainFrame(shot);
    }

    // The frame the loop draws, with its left-out clear and cached layers, shows what the plain frame
    // shows: the same pixels at the design size, and at most 2 apart per channel at a scaled output
    // (the dummy display's 1024 x 768, whose picture has bars).
    static void ExpectDrawnAsPlainFrame(const char* shot) {
        struct Output {
            int width;
            int height;
            int tolerance;
        };
        for (const Output output : {Output{1366, 768, 0}, Output{1024, 768, 2}}) {
            if (output.width != 1366) {
                harness::UseWindowSized(output.width, output.height);
            }
            const harness::FrameDifference difference = harness::CompareWithPlainFrame();
            EXPECT_EQ(difference.failure, "") << shot;
            EXPECT_LE(difference.largest, output.tolerance)
                << shot << " at " << output.width << " x " << output.height << ": " << difference.pixels
                << " pixels differ, the first at (" << difference.firstX << ", " << difference.firstY << ")";
        }
        harness::UseDesignSizedWindow();
    }

    harness::SteppedClock mClock;
    std::unique_ptr<harness::RunningGame> mGame;
    int mPictureWidth = 0;
};
