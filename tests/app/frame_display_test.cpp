#include <gtest/gtest.h>

#include <SDL.h>
#include <string>
#include <vector>

#include "app/display_modes.h"

namespace {

struct Size {
    int width;
    int height;
};

bool operator==(const Size& a, const Size& b) {
    return a.width == b.width && a.height == b.height;
}

std::ostream& operator<<(std::ostream& out, const Size& size) {
    return out << size.width << "x" << size.height;
}

TDisplayModeSet MakeModes(const std::vector<Size>& sizes) {
    TDisplayModeSet modes;
    for (const Size& size : sizes) {
        modes.Add(static_cast<unsigned>(size.width), static_cast<unsigned>(size.height), SDL_PIXELFORMAT_RGB888);
    }
    return modes;
}

std::vector<Size> SizesOf(const TDisplayModeSet& modes) {
    std::vector<Size> sizes;
    for (const TDisplayMode& mode : modes.GetModes()) {
        sizes.push_back({static_cast<int>(mode.width), static_cast<int>(mode.height)});
    }
    return sizes;
}

TDisplayValues StartValues(Size desktop) {
    TDisplayValues display;
    display.mDesignWidth = 1366;
    display.mDesignHeight = 768;
    display.mWidthBeforeStart = desktop.width;
    display.mHeightBeforeStart = desktop.height;
    return display;
}

TEST(FrameDisplay, ModeSetOrdersByAreaAndKeepsEachSizeOnce) {
    struct Added {
        Size size;
        uint32_t format;
    };
    struct Case {
        const char* name;
        std::vector<Added> added;
        std::vector<Size> expected;
    };
    const uint32_t rgb = SDL_PIXELFORMAT_RGB888;
    const Case cases[] = {
        {"ascending area",
         {{{1920, 1080}, rgb}, {{800, 600}, rgb}, {{1366, 768}, rgb}},
         {{800, 600}, {1366, 768}, {1920, 1080}}},
        {"a size listed again (another refresh rate)", {{{1024, 768}, rgb}, {{1024, 768}, rgb}}, {{1024, 768}}},
        {"other pixel formats skipped", {{{1024, 768}, SDL_PIXELFORMAT_ARGB2101010}, {{800, 600}, rgb}}, {{800, 600}}},
        {"equal areas of different sizes both kept",
         {{{1280, 720}, rgb}, {{960, 960}, rgb}, {{1152, 800}, rgb}},
         {{960, 960}, {1152, 800}, {1280, 720}}},
        {"empty sizes skipped", {{{0, 768}, rgb}, {{1024, 0}, rgb}}, {}},
    };
    for (const Case& c : cases) {
        TDisplayModeSet modes;
        for (const Added& added : c.added) {
            modes.Add(static_cast<unsigned>(added.size.width), static_cast<unsigned>(added.size.height), added.format);
        }
        EXPECT_EQ(SizesOf(modes), c.expected) << c.name;
    }
}

// One desktop and mode list through the scan and the display update, windowed and full screen.
TEST(FrameDisplay, ChoosesRealAndWindowedSizes) {
    struct Case {
        const char* name;
        Size desktop;
        std::vector<Size> modes;
        Size scanReal;
        bool portrait;
        Size windowed;
        Size realWindowed;
        Size realFullscreen;
    };
    const Case cases[] = {
        {"1920 x 1080 with its own mode",
         {1920, 1080},
         {{800, 600}, {1024, 768}, {1280, 720}, {1366, 768}, {1920, 1080}},
         {1366, 768},
         false,
         {1280, 720},
         {1920, 1080},
         {1920, 1080}},
        {"first mode near the design aspect",
         {1920, 1080},
         {{800, 600}, {1024, 768}, {1280, 720}, {1366, 768}},
         {1366, 768},
         false,
         {1280, 720},
         {1920, 1080},
         {1920, 1080}},
        {"only 4:3 modes: the smallest that fits",
         {1920, 1080},
         {{1600, 1200}, {1024, 768}, {800, 600}},
         {1366, 768},
         false,
         {800, 600},
         {1920, 1080},
         {1920, 1080}},
        {"nothing fits the design size",
         {2560, 1440},
         {{1920, 1080}, {2560, 1440}},
         {1366, 768},
         false,
         {800, 600},
         {2560, 1440},
         {2560, 1440}},
        {"a mode as large as the desktop is not windowed",
         {1366, 768},
         {{1366, 768}, {1024, 576}},
         {1366, 768},
         false,
         {1024, 576},
         {1024, 600},
         {1366, 768}},
        {"1024 x 768 landscape desktop",
         {1024, 768},
         {{1024, 768}},
         {1024, 768},
         false,
         {800, 600},
         {1024, 600},
         {1024, 768}},
        {"desktop smaller than the fallbacks",
         {640, 480},
         {{640, 480}},
         {640, 480},
         false,
         {640, 480},
         {640, 480},
         {640, 480}},
        {"no modes listed", {1280, 1024}, {}, {1280, 768}, false, {800, 600}, {1280, 1024}, {1280, 1024}},
        {"portrait desktop",
         {768, 1366},
         {{768, 1366}, {600, 800}},
         {768, 768},
         true,
         {768, 600},
         {768, 1366},
         {768, 1366}},
        {"small portrait desktop",
         {600, 1024},
         {{600, 1024}, {480, 640}},
         {768, 600},
         true,
         {480, 640},
         {600, 1024},
         {600, 1024}},
    };
    for (const Case& c : cases) {
        const TDisplayModeSet modes = MakeModes(c.modes);
        TDisplayValues scanned = StartValues(c.desktop);
        ScanDisplayModes(scanned, modes);
        EXPECT_EQ((Size{scanned.mRealResolutionWidth, scanned.mRealResolutionHeight}), c.scanReal) << c.name;
        EXPECT_EQ(scanned.mPortrait, c.portrait) << c.name;
        EXPECT_EQ((Size{scanned.mWindowedResolutionWidth, scanned.mWindowedResolutionHeight}), c.windowed) << c.name;

        for (bool fullscreen : {false, true}) {
            TDisplayValues display = StartValues(c.desktop);
            const TWindowSize window = ChooseDisplaySize(display, modes, fullscreen);
            const Size real{display.mRealResolutionWidth, display.mRealResolutionHeight};
            EXPECT_EQ(real, fullscreen ? c.realFullscreen : c.realWindowed) << c.name << " full screen " << fullscreen;
            EXPECT_EQ((Size{window.width, window.height}), fullscreen ? c.realFullscreen : c.windowed)
                << c.name << " full screen " << fullscreen;
            EXPECT_LE(window.width, c.desktop.width) << c.name;
            EXPECT_LE(window.height, c.desktop.height) << c.name;
        }
    }
}

} // namespace
