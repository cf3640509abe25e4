#pragma once
// The fixed play script that the frame benchmark and the growth test run over the real game: the
// largest shipped level on the game screen, one stroke every 30 frames taken from the level's
// solution (colour by colour, the colour picked on its button first), one hint, and the level replayed
// from the start every cycle. Every pointer action goes through SDL's event queue at design
// coordinates, so the window manager, the screen and the controller see what a player's hand makes.

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/settings.h"
#include "app/user_info.h"
#include "board_mahjong.h"
#include "game_settings.h"
#include "game_windows.h"
#include "graphics/draw_object.h"
#include "graphics/texture_cache.h"
#include "level_layout_file.h"
#include "stages.h"
#include "user_records.h"
#include "windows/image_control.h"
#include "windows/messages.h"
#include "windows/window_manager.h"

namespace playscript {

constexpr int kFramesPerStroke = 30;

// What a long run must not let grow.
struct TLiveCounts {
    long effects = 0;
    long windows = 0;
    long textures = 0;
    long messages = 0;

    bool operator==(const TLiveCounts&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TLiveCounts& counts) {
    return out << "effects " << counts.effects << ", windows " << counts.windows << ", cached textures "
               << counts.textures << ", queued messages " << counts.messages;
}

inline TLiveCounts CountLive() {
    TLiveCounts counts;
    counts.effects = DrawObject::GetLiveCount();
    counts.windows = TMyWindowContainer::GetLiveCount();
    counts.textures = static_cast<long>(TTextureCache::Get().GetLiveEntryCount());
    const TMyMessageManager* messages = TMyMessageManager::FindInstance();
    counts.messages = messages != nullptr ? static_cast<long>(messages->GetQueuedCount()) : 0;
    return counts;
}

struct TLevelChoice {
    int stage = -1;
    int level = -1;
    int cells = 0;
    std::string name;
};

// The level of the main set with the most cells; the first of equals.
inline TLevelChoice FindLargestLevel() {
    TLevelChoice best;
    const TStageList& list = GetStageList(kMainLevelSet);
    for (size_t stage = 0; stage < list.mStages.size(); ++stage) {
        const auto& levels = list.mStages[stage]->mLevels;
        for (size_t level = 0; level < levels.size(); ++level) {
            TLevelLayoutData data;
            if (!ReadLevelLayoutFile(levels[level]->mFileName, data) || data.rows * data.cols <= best.cells) {
                continue;
            }
            best = {static_cast<int>(stage), static_cast<int>(level), data.rows * data.cols, levels[level]->mName};
        }
    }
    return best;
}

struct TStroke {
    int colourIndex = 0;
    int row = 0;
    int fromColumn = 0;
    int toColumn = 0;
};

// One stroke per run of a colour along each row, all of the first colour, then the next.
inline std::vector<TStroke> SolutionStrokes(const TMosaicBoard& board) {
    std::vector<TStroke> strokes;
    for (int row = 0; row < board.GetRows(); ++row) {
        for (int column = 0; column < board.GetCols();) {
            const int colour = board.GetCell(row, column).solution;
            int end = column;
            while (end + 1 < board.GetCols() && board.GetCell(row, end + 1).solution == colour) {
                ++end;
            }
            if (colour > 0) {
                strokes.push_back({colour - 1, row, column, end});
            }
            column = end + 1;
        }
    }
    std::stable_sort(strokes.begin(), strokes.end(),
                     [](const TStroke& a, const TStroke& b) { return a.colourIndex < b.colourIndex; });
    return strokes;
}

inline void PushButton(int x, int y, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

inline void PushMotion(int x, int y, bool leftHeld) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.state = leftHeld ? SDL_BUTTON_LMASK : 0;
    event.motion.x = x;
    event.motion.y = y;
    SDL_PushEvent(&event);
}

inline void PushClick(int x, int y) {
    PushMotion(x, y, false);
    PushButton(x, y, true);
    PushButton(x, y, false);
}

inline void CentreOf(const TMyWindow& window, int& x, int& y) {
    window.GetAbsolutePosition(x, y);
    x += window.mWidth / 2;
    y += window.mHeight / 2;
}

// The controller's windows as the game opens them, noting which dialog the controller waits for.
class TScriptWindows : public TGameWindows {
public:
    void ShowLevelIntro(int stageNumber, int levelNumber, const TLevelInfoMosaic& level,
                        const TLevelStatistics& statistics, TControllerDialogListener* listener) override {
        mIntroAsked = true;
        TGameWindows::ShowLevelIntro(stageNumber, levelNumber, level, statistics, listener);
    }
    void ShowResults(const TLevelResult& result, const TLevelInfoMosaic& level, const TLevelStatistics& statistics,
                     bool nextLevelEnabled, TControllerDialogListener* listener) override {
        mResultsAsked = true;
        TGameWindows::ShowResults(result, level, statistics, nextLevelEnabled, listener);
    }

    bool mIntroAsked = false;
    bool mResultsAsked = false;
};

// The game screen until the game's own screen is connected: the controller's controls on window 4,
// its board under them, the pointer handed on to it.
class TStandInGameScreen : public TMyWindow {
public:
    explicit TStandInGameScreen(TBoardMahjong* controller) : mController(controller) {
        mId = kGameScreenId;
        // Shown while another screen's fade may still run, it can wait in the manager's queue: the manager
        // then deletes it.
        mOwnedByManager = true;
        mWidth = 1366;
        mHeight = 768;
    }
    bool Update(float dt) override {
        mController->Update(dt);
        return TMyWindow::Update(dt);
    }
    void Draw() override {
        mController->Draw();
        TMyWindow::Draw();
        mController->DrawOver();
    }
    void OnMouseDown(const TMouseEvent& event) override { mController->OnMouseDown(event); }
    void OnMouseMove(const TMouseEvent& event) override { mController->OnMouseMove(event); }
    void OnMouseUp(const TMouseEvent& event) override { mController->OnMouseUp(event); }
    void OnMouseDrag(const TMouseEvent& event) override { mController->OnMouseDrag(event); }

private:
    TBoardMahjong* mController;
};

// Runs the script one frame at a time over a started game: BeforeFrame pushes this frame's pointer
// events, the caller runs the loop step.
class TPlayScript {
public:
    // Frames from one start of the level to the next.
    static constexpr int kCycleFrames = 3000;

    // A player profile on the level, and the game screen opened on it.
    bool Open(const TLevelChoice& level) {
        if (level.stage < 0 || TSettings::Get() == nullptr) {
            return false;
        }
        mLevel = level;
        if (TSettings::Get()->GetUserCount() == 0) {
            // A new player as the first start makes one: named, on the first difficulty.
            TSettings::Get()->AddUser("Bench");
            TUserInfo::Get()->SetDifficultyChoice(0);
            GetProfileDifficulty() = TMosaicGameSettings::Get().GetPreset(0);
        }
        TModeProgress& progress = GetCurrentModeProgress();
        progress.mStage = level.stage;
        progress.mLevel = level.level;
        mController = std::make_unique<TBoardMahjong>(&mWindows);
        TMyWindowManager::Get()->ShowScreen(new TStandInGameScreen(mController.get()), true, 0);
        mController->Enter();
        mCycleFrame = 0;
        return mController->GetPlayState() == TBoardMahjong::kStateSetUp;
    }

    // Takes the controller down before the game shuts down.
    void Close() {
        if (mController == nullptr) {
            return;
        }
        mController->Leave();
        if (TMyWindowManager* manager = TMyWindowManager::FindInstance()) {
            delete manager->CloseById(kGameScreenId);
        }
        mController.reset();
    }

    void BeforeFrame() {
        if (mCycleFrame == kCycleFrames) {
            Restart();
        }
        ++mCycleFrame;
        if (mWindows.mIntroAsked) {
            mWindows.mIntroAsked = false;
            mController->OnDialogClosed(kLevelIntroId, 0);
        }
        if (mController->GetPlayState() != TBoardMahjong::kStatePlaying) {
            return;
        }
        if (mPlayFrame == 0) {
            mStrokes = SolutionStrokes(mController->GetActiveLayout().GetBoard());
            mHintStroke = HintStroke();
        }
        PlayFrame(mPlayFrame++);
    }

    TBoardMahjong& GetController() { return *mController; }
    const TLevelChoice& GetLevel() const { return mLevel; }
    int GetStrokesMade() const { return mStrokesMade; }
    int GetStrokesSkipped() const { return mStrokesSkipped; }
    int GetHintsTaken() const { return mHintsTaken; }
    int GetLevelsSolved() const { return mLevelsSolved; }

private:
    // The level from the start: the results window's replay when the level was solved, else the
    // controller's own restart.
    void Restart() {
        mCycleFrame = 0;
        mPlayFrame = 0;
        mNextStroke = 0;
        if (mWindows.mResultsAsked) {
            mWindows.mResultsAsked = false;
            ++mLevelsSolved;
            mController->OnDialogClosed(kResultsWindowId, TBoardMahjong::kResultReplay);
            return;
        }
        mController->StartLevel(mLevel.stage, mLevel.level);
    }

    // The hint comes with the first stroke of the last colour: few cells left to show.
    int HintStroke() const {
        for (size_t i = 0; i < mStrokes.size(); ++i) {
            if (mStrokes[i].colourIndex == mStrokes.back().colourIndex) {
                return static_cast<int>(i);
            }
        }
        return 0;
    }

    // Frame 0 of a stroke picks its colour (and takes the hint), 1 presses on the first cell, 2 drags
    // to the last, 3 lets go.
    void PlayFrame(int playFrame) {
        const int step = playFrame % kFramesPerStroke;
        if (mNextStroke >= mStrokes.size() || step > 3) {
            return;
        }
        const TStroke& stroke = mStrokes[mNextStroke];
        if (step == 0 && !PickColour(stroke.colourIndex)) {
            ++mStrokesSkipped;
            ++mNextStroke;
            return;
        }
        if (step == 0 && static_cast<int>(mNextStroke) == mHintStroke) {
            TakeHint();
        }
        const TMosaicBoard& board = mController->GetActiveLayout().GetBoard();
        const TMosaicCell& first = board.GetCell(stroke.row, stroke.fromColumn);
        const TMosaicCell& last = board.GetCell(stroke.row, stroke.toColumn);
        if (step == 1) {
            PushMotion(first.x + first.w / 2, first.y + first.h / 2, false);
            PushButton(first.x + first.w / 2, first.y + first.h / 2, true);
        } else if (step == 2) {
            PushMotion(last.x + last.w / 2, last.y + last.h / 2, true);
        } else if (step == 3) {
            PushButton(last.x + last.w / 2, last.y + last.h / 2, false);
            ++mStrokesMade;
            ++mNextStroke;
        }
    }

    // False when the colour cannot be picked: the screen has no button for it.
    bool PickColour(int index) {
        if (mController->GetActiveLayout().GetBoard().GetCurrentColourIndex() == index) {
            return true;
        }
        const std::vector<TMyImage*>& buttons = mController->GetColourButtons();
        if (index >= static_cast<int>(buttons.size())) {
            return false;
        }
        int x = 0;
        int y = 0;
        CentreOf(*buttons[static_cast<size_t>(index)], x, y);
        PushClick(x, y);
        return true;
    }

    void TakeHint() {
        const TMyWindow* button = mController->GetHintButton();
        if (button == nullptr) {
            return;
        }
        int x = 0;
        int y = 0;
        CentreOf(*button, x, y);
        PushClick(x, y);
        ++mHintsTaken;
    }

    TScriptWindows mWindows;
    std::unique_ptr<TBoardMahjong> mController;
    TLevelChoice mLevel;
    std::vector<TStroke> mStrokes;
    size_t mNextStroke = 0;
    int mHintStroke = 0;
    int mCycleFrame = 0;
    int mPlayFrame = 0;
    int mStrokesMade = 0;
    int mStrokesSkipped = 0;
    int mHintsTaken = 0;
    int mLevelsSolved = 0;
};

} // namespace playscript
