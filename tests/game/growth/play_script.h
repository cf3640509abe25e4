#pragma once
// The fixed play script that the frame benchmark and the growth test run over the real game: the
// largest shipped level on the real game screen, its level intro, first-level help page and tips
// closed through their own buttons, then one stroke every 30 frames taken from the level's solution
// (colour by colour, the colour picked on its button first), one hint through the hint button, and the
// level replayed from the start every cycle through the results window's replay button. Every pointer
// action goes through SDL's event queue at design coordinates, so the window manager, the screens and
// the controller see what a player's hand makes. Strokes fall on fixed frames of each cycle, so every
// cycle after the first repeats the first frame for frame once its one-time windows are gone.

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/settings.h"
#include "app/user_info.h"
#include "controller/board_mahjong.h"
#include "data/game_settings.h"
#include "data/level_layout_file.h"
#include "data/stages.h"
#include "data/user_records.h"
#include "graphics/draw_object.h"
#include "graphics/texture_cache.h"
#include "screens/screen_openers.h"
#include "windows/fly_window.h"
#include "windows/image_control.h"
#include "windows/messages.h"
#include "windows/tutorial_window.h"
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

// The window of that id when it rests in its place and takes the pointer; null otherwise.
inline TMyWindow* FindInteractive(int id) {
    TMyWindowManager* manager = TMyWindowManager::FindInstance();
    TMyWindow* window = manager != nullptr ? manager->FindById(id) : nullptr;
    return window != nullptr && window->IsInteractive() ? window : nullptr;
}

// A player profile, made as the first start makes one (named, on the first difficulty) when none exists,
// so no screen stops to ask for a name.
inline void EnsurePlayer() {
    if (TSettings::Get() == nullptr || TSettings::Get()->GetUserCount() != 0) {
        return;
    }
    TSettings::Get()->AddUser("Bench");
    TUserInfo::Get()->SetDifficultyChoice(0);
    GetProfileDifficulty() = TMosaicGameSettings::Get().GetPreset(0);
}

// A click on the named control of the window; false when it has no such control.
inline bool ClickControl(const TMyWindow& window, const char* name) {
    const TMyWindow* control = window.FindChildByName(name);
    if (control == nullptr) {
        return false;
    }
    int x = 0;
    int y = 0;
    CentreOf(*control, x, y);
    PushClick(x, y);
    return true;
}

// Runs the script one frame at a time over a started game: BeforeFrame pushes this frame's pointer
// events, the caller runs the loop step.
class TPlayScript {
public:
    // Frames from one start of the level to the next.
    static constexpr int kCycleFrames = 4500;
    // The first stroke of a cycle: the intro, the first level's help page and its tip are closed by then.
    static constexpr int kFirstStrokeFrame = 600;
    // Stroke slots left free after the first stroke: the first stroke ever brings up the hint tip.
    static constexpr int kPauseSlots = 3;

    // A player profile on the level, and the game screen opening on it through the fader.
    bool Open(const TLevelChoice& level) {
        if (level.stage < 0 || TSettings::Get() == nullptr) {
            return false;
        }
        mLevel = level;
        EnsurePlayer();
        TModeProgress& progress = GetCurrentModeProgress();
        progress.mStage = level.stage;
        progress.mLevel = level.level;
        ShowGameScreen();
        mCycleFrame = 0;
        return true;
    }

    void BeforeFrame() {
        if (mHintPending) {
            mHintPending = false;
            mHintsTaken += GetController().GetHintsUsed() > mHintsBefore ? 1 : 0;
        }
        if (mCycleFrame == kCycleFrames) {
            Restart();
        }
        const int frame = mCycleFrame++;
        if (!mButtonHeld && CloseShownDialog()) {
            return;
        }
        if (GetController().GetPlayState() != TBoardMahjong::kStatePlaying || frame < kFirstStrokeFrame) {
            return;
        }
        if (mStrokes.empty()) {
            mStrokes = SolutionStrokes(GetController().GetActiveLayout().GetBoard());
            mHintStroke = HintStroke();
        }
        PlayFrame(frame - kFirstStrokeFrame);
    }

    TBoardMahjong& GetController() { return *TBoardMahjong::Get(); }
    const TLevelChoice& GetLevel() const { return mLevel; }
    int GetStrokesMade() const { return mStrokesMade; }
    int GetStrokesSkipped() const { return mStrokesSkipped; }
    // Hint clicks that gave a hint.
    int GetHintsTaken() const { return mHintsTaken; }
    // Replays from the results window: each one a solved level.
    int GetLevelsSolved() const { return mLevelsSolved; }
    // Cycles that ended without the results window, restarted by the controller.
    int GetUnsolvedCycles() const { return mUnsolvedCycles; }
    int GetDialogsClosed() const { return mDialogsClosed; }

private:
    // The level from the start: the results window's replay button when the level was solved, else the
    // controller's own restart.
    void Restart() {
        mCycleFrame = 0;
        mStrokes.clear();
        if (TMyWindow* results = FindInteractive(kResultsWindowId);
            results != nullptr && ClickControl(*results, "repeat")) {
            ++mLevelsSolved;
            return;
        }
        ++mUnsolvedCycles;
        GetController().StartLevel(mLevel.stage, mLevel.level);
    }

    // One click on the dialog that waits for the player, through its own button: a tip, the level
    // intro, the help page. False when none waits.
    bool CloseShownDialog() {
        TMyTutorialWindow* tip = TMyTutorialWindow::FindInstance();
        if (tip != nullptr && tip->IsShowingStep() && tip->IsInteractive()) {
            // A click anywhere ends a tip; its skip button is where a player would click.
            int x = 0;
            int y = 0;
            CentreOf(tip->GetSkipButton() != nullptr ? *tip->GetSkipButton() : *static_cast<TMyWindow*>(tip), x, y);
            PushClick(x, y);
            ++mDialogsClosed;
            return true;
        }
        for (const auto& [id, button] : {std::pair{kLevelIntroId, "ok"}, std::pair{kHelpWindowId, "help_close"}}) {
            if (TMyWindow* dialog = FindInteractive(id); dialog != nullptr && ClickControl(*dialog, button)) {
                ++mDialogsClosed;
                return true;
            }
        }
        return false;
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

    // The stroke of a 30-frame slot after the first stroke: none in the pause after the first; -1 for none.
    static int StrokeOfSlot(int slot) {
        if (slot == 0) {
            return 0;
        }
        return slot > kPauseSlots ? slot - kPauseSlots : -1;
    }

    // Frame 0 of a stroke picks its colour (and takes the hint), 1 presses on the first cell, 2 drags
    // to the last, 3 lets go.
    void PlayFrame(int playFrame) {
        const int index = StrokeOfSlot(playFrame / kFramesPerStroke);
        const int step = playFrame % kFramesPerStroke;
        if (index < 0 || index >= static_cast<int>(mStrokes.size()) || step > 3) {
            return;
        }
        const TStroke& stroke = mStrokes[static_cast<size_t>(index)];
        if (step == 0 && !PickColour(stroke.colourIndex)) {
            ++mStrokesSkipped;
            return;
        }
        if (step == 0 && index == mHintStroke) {
            TakeHint();
        }
        const TMosaicBoard& board = GetController().GetActiveLayout().GetBoard();
        const TMosaicCell& first = board.GetCell(stroke.row, stroke.fromColumn);
        const TMosaicCell& last = board.GetCell(stroke.row, stroke.toColumn);
        if (step == 1) {
            PushMotion(first.x + first.w / 2, first.y + first.h / 2, false);
            PushButton(first.x + first.w / 2, first.y + first.h / 2, true);
            mButtonHeld = true;
        } else if (step == 2) {
            PushMotion(last.x + last.w / 2, last.y + last.h / 2, true);
        } else if (step == 3) {
            PushButton(last.x + last.w / 2, last.y + last.h / 2, false);
            mButtonHeld = false;
            ++mStrokesMade;
        }
    }

    // False when the colour cannot be picked: the screen has no button for it.
    bool PickColour(int index) {
        if (GetController().GetActiveLayout().GetBoard().GetCurrentColourIndex() == index) {
            return true;
        }
        const TControls& buttons = GetController().GetColourButtons();
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
        const TMyWindow* button = GetController().GetHintButton();
        if (button == nullptr) {
            return;
        }
        int x = 0;
        int y = 0;
        CentreOf(*button, x, y);
        PushClick(x, y);
        mHintsBefore = GetController().GetHintsUsed();
        mHintPending = true;
    }

    TLevelChoice mLevel;
    std::vector<TStroke> mStrokes;
    int mHintStroke = 0;
    int mCycleFrame = 0;
    bool mButtonHeld = false;
    bool mHintPending = false;
    int mHintsBefore = 0;
    int mStrokesMade = 0;
    int mStrokesSkipped = 0;
    int mHintsTaken = 0;
    int mLevelsSolved = 0;
    int mUnsolvedCycles = 0;
    int mDialogsClosed = 0;
};

} // namespace playscript
