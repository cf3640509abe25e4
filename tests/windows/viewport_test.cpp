// The scaled viewport: where the design origin lands and how large things are drawn at a frame render
// scale other than 1, and the way back to the frame's own view.

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>

#include "app/display_modes.h"
#include "app/renderer.h"
#include "graphics/graphics_fixture.h"
#include "harness/harness.h"
#include "windows/viewport.h"

namespace {

TRgba ReadPixel(int x, int y) {
    uint32_t pixel = 0;
    const SDL_Rect rect{x, y, 1, 1};
    EXPECT_EQ(SDL_RenderReadPixels(GetSDLRenderer(), &rect, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0);
    return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF), 255};
}

TEST(ScaledViewport, PutsTheDesignOriginAtItsOffsetAndScalesOnTopOfTheFrameScale) {
    harness::HeadlessRenderer window(200, 100);
    ASSERT_TRUE(window.IsReady());
    SDL_Renderer* renderer = GetSDLRenderer();
    TDisplayValues& display = GetDisplay();
    display.mView = FitDesignToOutput(100, 50, 200, 100);
    struct Case {
        const char* name;
        std::function<void()> before;
    };
    // The result does not depend on a view set before.
    const Case cases[] = {
        {"from the frame's view", [] {}},
        {"over another scaled view", [] { SetScaledViewport(3, 7, 4, 0.5f); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SDL_RenderSetScale(renderer, 2.0f, 2.0f);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        c.before();
        SetScaledViewport(10.7f, 5.9f, 1.5f, 1.5f);
        EXPECT_EQ(GetRenderer()->GetViewportOffsetX(), 10);
        EXPECT_EQ(GetRenderer()->GetViewportOffsetY(), 5);
        // Design (0, 0) lands at 10 x 2, 5 x 2 window pixels; one design unit is 2 x 1.5 pixels.
        GetRenderer()->FillRect(0, 0, 4, 4, {1, 0, 0, 1});
        GetRenderer()->FillRect(4, 2, 2, 2, {0, 1, 0, 1});
        ResetViewport();
        EXPECT_EQ(GetRenderer()->GetViewportOffsetX(), 0);
        EXPECT_EQ(GetRenderer()->GetViewportOffsetY(), 0);
        float scaleX = 0;
        float scaleY = 0;
        SDL_RenderGetScale(renderer, &scaleX, &scaleY);
        EXPECT_FLOAT_EQ(scaleX, 2.0f);
        EXPECT_FLOAT_EQ(scaleY, 2.0f);
        // Back at the frame's view a design unit is 2 pixels from the window's corner.
        GetRenderer()->FillRect(0, 0, 2, 2, {0, 0, 1, 1});
        const TProbe probes[] = {
            {20, 10, kRedPixel}, {31, 21, kRedPixel},   {19, 15, kBlack},      {25, 9, kBlack},
            {31, 22, kBlack},    {32, 16, kGreenPixel}, {37, 21, kGreenPixel}, {38, 21, kBlack},
            {32, 15, kBlack},    {3, 3, kBluePixel},    {4, 4, kBlack},        {0, 0, kBluePixel},
        };
        for (const TProbe& probe : probes) {
            EXPECT_TRUE(NearColor(ReadPixel(probe.x, probe.y), probe.color)) << "at " << probe.x << ", " << probe.y;
        }
    }
}

} // namespace
