#pragma once
// One step of the main loop: every pending SDL event translated and handled, the game updated with
// the elapsed time and one frame drawn.

#include <cstdint>

struct TInputEvent;

struct TLoopState {
    // The loop runs while this is false; nothing sets it back.
    bool mQuitRequested = false;
    // The tick of the previous step.
    uint32_t mLastLoopTicks = 0;
    bool mHasFocus = true;
    // A step has run to its end (the first frame is presented, when steps draw).
    bool mStepsEnded = false;
    // The next step has read what start-up left for after the first frame.
    bool mLoadedAfterFirstFrame = false;
};

TLoopState& GetLoopState();

// The id of the pause window shown while the game has no focus.
constexpr int kPauseWindowId = 304;

void RunLoopStep();
// The application's handling of one event: pointer converted into design coordinates, quit, focus,
// full-screen toggle and cursor, then the window manager. False only for a quit.
bool DispatchInputEvent(const TInputEvent& event);
void UpdateFrame(float dt);
void DrawFrame();
// The frame as the step draws it, short of the present: the output cleared (or, when the first draw
// covers the picture opaquely, only the bars outside it filled black), then DrawFrame.
void DrawWholeFrame();
// Keeps the screen saver off while the game runs full screen with the focus.
void KeepDisplayAwake();

// Without vertical sync the loop waits after each frame so it runs near 60 frames a second.
// Milliseconds to wait when the frame took elapsedUs microseconds.
uint32_t FramePacingDelay(uint64_t elapsedUs);
// Tests that step many frames turn the wait off.
void SetFramePacing(bool enabled);
// Tests that step many frames for what the updates do may leave the drawing (and the present) out.
void SetFrameDrawing(bool enabled);
