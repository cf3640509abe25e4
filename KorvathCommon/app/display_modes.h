#pragma once
// The display rules: which window sizes the game uses full screen and windowed, chosen from the
// desktop size and the display modes, and the process-wide display values that the window, the
// drawing and the pointer conversion read.

#include <cstdint>
#include <vector>

#include "app/screen_offset.h"
#include "app/view_transform.h"

struct TDisplayMode {
    unsigned width = 0;
    unsigned height = 0;
    uint32_t format = 0;
    // max(width, height) / min(width, height)
    float aspect = 0.0f;
};

// The modes of one display in ascending area (equal areas by width). Only SDL_PIXELFORMAT_RGB888
// modes are kept, each size once (SDL lists a size again for every refresh rate).
class TDisplayModeSet {
public:
    void Add(unsigned width, unsigned height, uint32_t format);
    const std::vector<TDisplayMode>& GetModes() const { return mModes; }

private:
    std::vector<TDisplayMode> mModes;
};

struct TDisplayValues {
    int mDesignWidth = 1280;
    int mDesignHeight = 768;
    // The desktop size, read when the application object is built.
    int mWidthBeforeStart = 0;
    int mHeightBeforeStart = 0;
    int mMaxModeWidth = 1280;
    int mMaxModeHeight = 768;
    // The window size full screen (also the size the window is created with).
    int mRealResolutionWidth = 1280;
    int mRealResolutionHeight = 768;
    int mWindowedResolutionWidth = 800;
    int mWindowedResolutionHeight = 600;
    bool mPortrait = false;
    // The design space on the renderer's output: one scale for both axes, centred.
    TViewTransform mView;
};

struct TWindowSize {
    int width = 0;
    int height = 0;
};

// The process-wide display values, and their start values again (start-up and tests).
TDisplayValues& GetDisplay();
void ResetDisplay();

// Largest mode size, the real resolution (the design size at most), the portrait flag and the
// windowed resolution, from the desktop size held in the values and the mode set. Logs every mode.
void ScanDisplayModes(TDisplayValues& display, const TDisplayModeSet& modes);
// The windowed resolution: the first mode near the design aspect, else the first 4:3 mode, that fits
// inside the desktop and the design size; else 800 x 600 (never larger than the desktop).
void ChooseWindowedSize(TDisplayValues& display, const TDisplayModeSet& modes);
// The display update up to the switch of the window: scans the modes, takes the desktop size as the
// real resolution (1024 x 600 windowed on a small landscape desktop) and returns the window size
// for the requested mode.
TWindowSize ChooseDisplaySize(TDisplayValues& display, const TDisplayModeSet& modes, bool fullscreen);

// The display update of the settings object on the game's window: the modes of display 0, the sizes
// above and, when apply is set, the window switched and the view fitted to the size it really got.
// Logs the result.
void UpdateDisplay(bool fullscreen, bool apply);

// The view from the renderer's real output size; unchanged while there is no renderer.
void RefreshRenderScale();

// Whether the game's window is full screen now.
bool IsWindowFullscreen();
