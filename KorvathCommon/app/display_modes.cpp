#include "app/display_modes.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>

#include "app/app_config.h"
#include "app/log.h"
#include "app/renderer.h"

TScreenOffset gScreenOffset;

namespace {

TDisplayValues gDisplay;

constexpr int kFallbackWindowedWidth = 800;
constexpr int kFallbackWindowedHeight = 600;
constexpr int kSmallDesktopWidth = 1024;
constexpr int kSmallDesktopHeight = 800;
constexpr int kSmallDesktopWindowWidth = 1024;
constexpr int kSmallDesktopWindowHeight = 600;
constexpr float kAspectTolerance = 0.1f;

bool DesktopKnown(const TDisplayValues& display) {
    return display.mWidthBeforeStart > 0 && display.mHeightBeforeStart > 0;
}

// A fixed fallback size, cut to the desktop so the window never extends past the screen.
TWindowSize FitDesktop(const TDisplayValues& display, int width, int height) {
    if (!DesktopKnown(display)) {
        return {width, height};
    }
    return {std::min(width, display.mWidthBeforeStart), std::min(height, display.mHeightBeforeStart)};
}

bool FitsWindowed(const TDisplayValues& display, const TDisplayMode& mode) {
    const auto width = static_cast<int>(mode.width);
    const auto height = static_cast<int>(mode.height);
    return width < display.mWidthBeforeStart && height < display.mHeightBeforeStart && width <= display.mDesignWidth &&
           height <= display.mDesignHeight;
}

const TDisplayMode* FindWindowedMode(const TDisplayValues& display, const TDisplayModeSet& modes,
                                     bool (*aspectMatches)(float aspect, float designAspect)) {
    const float designAspect = static_cast<float>(display.mDesignWidth) / static_cast<float>(display.mDesignHeight);
    for (const TDisplayMode& mode : modes.GetModes()) {
        if (aspectMatches(mode.aspect, designAspect) && FitsWindowed(display, mode)) {
            return &mode;
        }
    }
    return nullptr;
}

bool NearDesignAspect(float aspect, float designAspect) {
    return std::fabs(aspect - designAspect) <= kAspectTolerance;
}

bool IsFourThree(float aspect, float /*designAspect*/) {
    return aspect == 4.0f / 3.0f;
}

// The largest width and the largest height among the modes. Without any mode the desktop stands in
// (else the design size), so the result never exceeds what the screen can show.
void FindLargestMode(TDisplayValues& display, const TDisplayModeSet& modes) {
    display.mMaxModeWidth = 0;
    display.mMaxModeHeight = 0;
    for (const TDisplayMode& mode : modes.GetModes()) {
        display.mMaxModeWidth = std::max(display.mMaxModeWidth, static_cast<int>(mode.width));
        display.mMaxModeHeight = std::max(display.mMaxModeHeight, static_cast<int>(mode.height));
        TLogFile::Get()->Printf("screen resolution %d %d", mode.width, mode.height);
    }
    if (modes.GetModes().empty()) {
        const bool known = DesktopKnown(display);
        display.mMaxModeWidth = known ? display.mWidthBeforeStart : display.mDesignWidth;
        display.mMaxModeHeight = known ? display.mHeightBeforeStart : display.mDesignHeight;
    }
}

} // namespace

void TDisplayModeSet::Add(unsigned width, unsigned height, uint32_t format) {
    if (format != SDL_PIXELFORMAT_RGB888 || width == 0 || height == 0) {
        return;
    }
    const auto area = [](unsigned w, unsigned h) { return static_cast<uint64_t>(w) * h; };
    const auto before = [&](const TDisplayMode& mode) {
        const uint64_t modeArea = area(mode.width, mode.height);
        const uint64_t newArea = area(width, height);
        return modeArea < newArea || (modeArea == newArea && mode.width < width);
    };
    auto at = std::find_if_not(mModes.begin(), mModes.end(), before);
    if (at != mModes.end() && at->width == width && at->height == height) {
        return;
    }
    TDisplayMode mode;
    mode.width = width;
    mode.height = height;
    mode.format = format;
    mode.aspect = static_cast<float>(std::max(width, height)) / static_cast<float>(std::min(width, height));
    mModes.insert(at, mode);
}

TDisplayValues& GetDisplay() {
    return gDisplay;
}

void ResetDisplay() {
    gDisplay = TDisplayValues();
    gScreenOffset = TScreenOffset();
}

void ScanDisplayModes(TDisplayValues& display, const TDisplayModeSet& modes) {
    FindLargestMode(display, modes);
    display.mRealResolutionWidth = std::min(display.mMaxModeWidth, display.mDesignWidth);
    display.mRealResolutionHeight = std::min(display.mMaxModeHeight, display.mDesignHeight);
    display.mPortrait = display.mWidthBeforeStart < display.mHeightBeforeStart;
    if (display.mPortrait) {
        TLogFile::Get()->Printf("portrait mode");
        std::swap(display.mRealResolutionWidth, display.mRealResolutionHeight);
    }
    TLogFile::Get()->Printf("mRealResolutionWidth =  %d  mRealResolutionHeight = %d", display.mRealResolutionWidth,
                            display.mRealResolutionHeight);
    ChooseWindowedSize(display, modes);
}

void ChooseWindowedSize(TDisplayValues& display, const TDisplayModeSet& modes) {
    const TDisplayMode* mode = FindWindowedMode(display, modes, &NearDesignAspect);
    if (mode == nullptr) {
        mode = FindWindowedMode(display, modes, &IsFourThree);
    }
    TWindowSize size = mode != nullptr ? TWindowSize{static_cast<int>(mode->width), static_cast<int>(mode->height)}
                                       : FitDesktop(display, kFallbackWindowedWidth, kFallbackWindowedHeight);
    display.mWindowedResolutionWidth = size.width;
    display.mWindowedResolutionHeight = size.height;
}

TWindowSize ChooseDisplaySize(TDisplayValues& display, const TDisplayModeSet& modes, bool fullscreen) {
    ScanDisplayModes(display, modes);
    TLogFile::Get()->Printf("mWidthBeforeStart %d  mHeightBeforeStart %d", display.mWidthBeforeStart,
                            display.mHeightBeforeStart);
    if (DesktopKnown(display)) {
        display.mRealResolutionWidth = display.mWidthBeforeStart;
        display.mRealResolutionHeight = display.mHeightBeforeStart;
    }
    const bool smallDesktop =
        display.mWidthBeforeStart <= kSmallDesktopWidth || display.mHeightBeforeStart <= kSmallDesktopHeight;
    if (!display.mPortrait && !fullscreen && smallDesktop) {
        TWindowSize size = FitDesktop(display, kSmallDesktopWindowWidth, kSmallDesktopWindowHeight);
        display.mRealResolutionWidth = size.width;
        display.mRealResolutionHeight = size.height;
    }
    if (fullscreen) {
        return {display.mRealResolutionWidth, display.mRealResolutionHeight};
    }
    return {display.mWindowedResolutionWidth, display.mWindowedResolutionHeight};
}

void UpdateDisplay(bool fullscreen, bool apply) {
    TDisplayModeSet modes;
    TAppConfig::Get()->ListDisplayModes(modes);
    TDisplayValues& display = GetDisplay();
    const TWindowSize size = ChooseDisplaySize(display, modes, fullscreen);
    if (apply) {
        TAppConfig::Get()->SetDisplayMode(size.width, size.height, fullscreen);
        // The system may give the window another size than asked for: the view fits the one it got.
        display.mView = FitDesignToOutput(display.mDesignWidth, display.mDesignHeight, size.width, size.height);
        SDL_PumpEvents();
        RefreshRenderScale();
    }
    const TViewTransform& view = display.mView;
    TLogFile::Get()->Printf("update display fullscreen = %d mRealResolutionWidth =  %d  mRealResolutionHeight = %d  "
                            "mWindowedResolutionWidth =  %d  mWindowedResolutionHeight = %d offsetx = %d  offsety = %d",
                            fullscreen ? 1 : 0, display.mRealResolutionWidth, display.mRealResolutionHeight,
                            display.mWindowedResolutionWidth, display.mWindowedResolutionHeight, view.offsetX,
                            view.offsetY);
    TLogFile::Get()->Printf("scalex=%f scaley=%f", view.scale, view.scale);
}

void RefreshRenderScale() {
    SDL_Renderer* renderer = GetSDLRenderer();
    int width = 0;
    int height = 0;
    if (renderer == nullptr || SDL_GetRendererOutputSize(renderer, &width, &height) != 0 || width <= 0 || height <= 0) {
        return;
    }
    TDisplayValues& display = GetDisplay();
    display.mView = FitDesignToOutput(display.mDesignWidth, display.mDesignHeight, width, height);
}

bool IsWindowFullscreen() {
    SDL_Window* window = TAppConfig::Get()->GetWindow();
    return window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
}
