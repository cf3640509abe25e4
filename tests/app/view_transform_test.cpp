// The design space on windows of other sizes: one scale for both axes, centred between black bars, and
// every way of drawing (fills, clips, a zoomed viewport and the way back from it) lands inside it.

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/display_modes.h"
#include "app/renderer.h"
#include "app/view_transform.h"
#include "graphics/graphics_fixture.h"
#include "harness/harness.h"
#include "objects/scoped_clip.h"
#include "windows/viewport.h"

namespace {

constexpr int kDesignWidth = 1366;
constexpr int kDesignHeight = 768;
constexpr TRgba kGrey{128, 128, 128, 255};

// Every size here is wider than the design's height allows, so the width sets the scale.
struct TWindowCase {
    int width;
    int height;
    // Output rows above the design area, and the rows the design area covers.
    int top;
    int rows;
};

const TWindowCase kWindows[] = {
    {1366, 768, 0, 768},   {1024, 600, 12, 576},   {800, 600, 75, 450},
    {1920, 1080, 0, 1080}, {1280, 1024, 152, 720}, {3840, 2160, 0, 2159},
};

TRgba ReadPixel(int x, int y) {
    uint32_t pixel = 0;
    const SDL_Rect rect{x, y, 1, 1};
    EXPECT_EQ(SDL_RenderReadPixels(GetSDLRenderer(), &rect, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0);
    return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF), 255};
}

// The output pixel holding the middle of a design unit.
TRgba DesignPixel(const TViewTransform& view, float x, float y) {
    return ReadPixel(static_cast<int>(view.ToOutputX(x + 0.5f)), static_cast<int>(view.ToOutputY(y + 0.5f)));
}

// How many pixels of one colour run along a row or a column from a start pixel.
int RunLength(int x, int y, int dx, int dy, const TRgba& color) {
    int length = 0;
    while (NearColor(ReadPixel(x + dx * length, y + dy * length), color, 8)) {
        ++length;
    }
    return length;
}

TEST(ViewTransform, FitsTheDesignWithOneScaleCentredAndEveryDrawingLandsInIt) {
    for (const TWindowCase& c : kWindows) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const TViewTransform view = FitDesignToOutput(kDesignWidth, kDesignHeight, c.width, c.height);
        EXPECT_FLOAT_EQ(view.scale, static_cast<float>(c.width) / kDesignWidth);
        EXPECT_EQ(view.offsetX, 0);
        EXPECT_EQ(view.width, c.width);
        EXPECT_EQ(view.offsetY, c.top);
        EXPECT_EQ(view.height, c.rows);
        // Centred: the bars differ by one row at most.
        EXPECT_LE(std::abs((c.height - c.top - c.rows) - c.top), 1);

        harness::HeadlessRenderer window(c.width, c.height);
        ASSERT_TRUE(window.IsReady());
        SDL_Renderer* renderer = GetSDLRenderer();
        GetDisplay().mDesignWidth = kDesignWidth;
        GetDisplay().mDesignHeight = kDesignHeight;
        GetDisplay().mView = view;
        TRenderer* record = GetRenderer();
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        ApplyViewTransform(renderer, view);
        // Fills reaching past the design area stop at its edges; the bars stay black.
        record->FillRect(-100, -100, kDesignWidth + 200, kDesignHeight + 200, {0.5f, 0.5f, 0.5f, 1});
        record->FillRect(600, 300, 100, 100, {1, 0, 0, 1});
        {
            TScopedClip clip(TRect{100, 100, 50, 40});
            record->FillRect(0, 0, kDesignWidth, kDesignHeight, {0, 0, 1, 1});
        }
        // A zoomed view: design (1000, 500) is its origin and a unit there is two.
        SetScaledViewport(1000.0f, 500.0f, 2.0f, 2.0f);
        record->FillRect(0, 0, 20, 10, {0, 1, 0, 1});
        ResetViewport();
        record->FillRect(0, 0, 10, 10, {1, 1, 1, 1});
        SDL_RenderSetViewport(renderer, nullptr);

        const int middle = c.width / 2;
        if (c.top > 0) {
            EXPECT_TRUE(NearColor(ReadPixel(middle, c.top - 1), kBlack)) << "top bar";
            EXPECT_TRUE(NearColor(ReadPixel(middle, c.top + c.rows), kBlack)) << "bottom bar";
        }
        EXPECT_TRUE(NearColor(ReadPixel(middle, c.top), kGrey)) << "first row of the design area";
        EXPECT_TRUE(NearColor(ReadPixel(middle, c.top + c.rows - 1), kGrey)) << "last row of the design area";
        EXPECT_TRUE(NearColor(DesignPixel(view, 1365, 767), kGrey)) << "last design unit";
        // The square stays square.
        const int squareX = static_cast<int>(view.ToOutputX(650.0f));
        const int squareY = static_cast<int>(view.ToOutputY(350.0f));
        const int across = RunLength(squareX, squareY, 1, 0, kRedPixel) + RunLength(squareX, squareY, -1, 0, kRedPixel);
        const int down = RunLength(squareX, squareY, 0, 1, kRedPixel) + RunLength(squareX, squareY, 0, -1, kRedPixel);
        EXPECT_NEAR(across, 100.0f * view.scale, 2.0f);
        EXPECT_NEAR(down, 100.0f * view.scale, 2.0f);
        EXPECT_TRUE(NearColor(DesignPixel(view, 101, 101), kBluePixel)) << "inside the clip";
        // SDL rounds a clip's origin and size down at fractional scales, so its far edges may lose up to two
        // pixels: three units in from the corner.
        EXPECT_TRUE(NearColor(DesignPixel(view, 146, 136), kBluePixel)) << "inside the clip's far corner";
        EXPECT_TRUE(NearColor(DesignPixel(view, 152, 120), kGrey)) << "right of the clip";
        EXPECT_TRUE(NearColor(DesignPixel(view, 120, 142), kGrey)) << "below the clip";
        EXPECT_TRUE(NearColor(DesignPixel(view, 1001, 501), kGreenPixel)) << "zoomed view's first unit";
        EXPECT_TRUE(NearColor(DesignPixel(view, 1038, 518), kGreenPixel)) << "zoomed view's last unit";
        EXPECT_TRUE(NearColor(DesignPixel(view, 1042, 510), kGrey)) << "right of the zoomed fill";
        EXPECT_TRUE(NearColor(DesignPixel(view, 1020, 522), kGrey)) << "below the zoomed fill";
        EXPECT_TRUE(NearColor(DesignPixel(view, 1, 1), kWhitePixel)) << "back at the frame's view";
        EXPECT_TRUE(NearColor(DesignPixel(view, 12, 5), kGrey)) << "the frame's view at scale one";
    }
}

TEST(ViewTransform, APointerMapsToTheDesignUnitDrawnUnderIt) {
    for (const TWindowCase& c : kWindows) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const TViewTransform view = FitDesignToOutput(kDesignWidth, kDesignHeight, c.width, c.height);
        // The corners and the middle of the design area, and a pixel of each bar.
        const int columns[] = {0, c.width / 2, c.width - 1};
        const int rows[] = {c.top, c.top + c.rows / 2, c.top + c.rows - 1};
        for (int x : columns) {
            const int designX = view.ToDesignX(x);
            EXPECT_LE(view.ToOutputX(static_cast<float>(designX)), static_cast<float>(x)) << x;
            EXPECT_GT(view.ToOutputX(static_cast<float>(designX + 1)), static_cast<float>(x)) << x;
        }
        for (int y : rows) {
            const int designY = view.ToDesignY(y);
            EXPECT_LE(view.ToOutputY(static_cast<float>(designY)), static_cast<float>(y)) << y;
            EXPECT_GT(view.ToOutputY(static_cast<float>(designY + 1)), static_cast<float>(y)) << y;
        }
        EXPECT_EQ(view.ToDesignX(0), 0);
        EXPECT_EQ(view.ToDesignY(c.top), 0);
        if (c.top > 0) {
            EXPECT_LT(view.ToDesignY(c.top - 1), 0) << "top bar";
            EXPECT_GE(view.ToDesignY(c.top + c.rows), kDesignHeight) << "bottom bar";
        }
    }
}

TEST(ViewTransform, NoOutputSizeLeavesTheDesignAsItIs) {
    const int sizes[][4] = {{1366, 768, 0, 600}, {1366, 768, 800, 0}, {0, 768, 800, 600}, {1366, -1, 800, 600}};
    for (const auto& size : sizes) {
        const TViewTransform view = FitDesignToOutput(size[0], size[1], size[2], size[3]);
        EXPECT_EQ(view.scale, 1.0f);
        EXPECT_EQ(view.offsetX, 0);
        EXPECT_EQ(view.offsetY, 0);
        EXPECT_EQ(view.ToDesignX(321), 321);
    }
}

} // namespace
