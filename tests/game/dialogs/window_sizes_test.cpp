// The running game in windows of other sizes than its design: the picture is fitted whole with one
// scale and centred, a tutorial step lands where it is laid out, and a click on a button where the
// button is drawn reaches that button.

#include "app/app_config.h"
#include "app/renderer.h"
#include "dialogs/options_window.h"
#include "dialogs_fixture.h"
#include "screens/screen_openers.h"
#include "windows/tutorial_window.h"

namespace dialogtest {
namespace {

struct TRgb {
    int r;
    int g;
    int b;
};

TRgb ReadOutputPixel(int x, int y) {
    SDL_Renderer* renderer = GetSDLRenderer();
    // The frame leaves the viewport on the design area; the bars are outside it.
    SDL_RenderSetViewport(renderer, nullptr);
    uint32_t pixel = 0;
    const SDL_Rect rect{x, y, 1, 1};
    EXPECT_EQ(SDL_RenderReadPixels(renderer, &rect, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0);
    return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF)};
}

testing::AssertionResult Near(const TRgb& got, const TRgb& want, int tolerance) {
    if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
        std::abs(got.b - want.b) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "got (" << got.r << ", " << got.g << ", " << got.b << ") want (" << want.r
                                       << ", " << want.g << ", " << want.b << ")";
}

class WindowSizesTest : public RunningDialogsTest {};

TEST_F(WindowSizesTest, TheViewFitsTheWindowAndClicksLandOnWhatIsDrawnThere) {
    struct Case {
        int width;
        int height;
        // The scale the design space is drawn with, and the output rows above it.
        float scale;
        int top;
    };
    const Case cases[] = {
        {1366, 768, 1.0f, 0},
        {1024, 600, 1024.0f / 1366.0f, 12},
        {800, 600, 800.0f / 1366.0f, 75},
        {1920, 1080, 1920.0f / 1366.0f, 0},
        {1280, 1024, 1280.0f / 1366.0f, 152},
        {3840, 2160, 3840.0f / 1366.0f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        TAppConfig::Get()->SetDisplayMode(c.width, c.height, false);
        Frame();
        // The frame took its view from the renderer's real output.
        const TViewTransform& view = GetDisplay().mView;
        EXPECT_FLOAT_EQ(view.scale, c.scale);
        EXPECT_EQ(view.offsetX, 0);
        EXPECT_EQ(view.offsetY, c.top);

        // A tutorial step: its panel's body (the dialogs' dark blue, 110 rows down its 180) where the
        // layout puts it, black above the design area.
        ShowTutorial("TipChangeColor", false, -1);
        Frame(8);
        TMyTutorialWindow* tutorial = TMyTutorialWindow::Get();
        ASSERT_EQ(tutorial->GetState(), TFlyWindow::kShown);
        const float bodyX = static_cast<float>(tutorial->GetX() + 20);
        const float bodyY = static_cast<float>(tutorial->GetY() + 110);
        EXPECT_TRUE(
            Near(ReadOutputPixel(static_cast<int>(view.ToOutputX(bodyX)), static_cast<int>(view.ToOutputY(bodyY))),
                 {26, 51, 70}, 6))
            << "panel body";
        if (c.top > 0) {
            EXPECT_TRUE(Near(ReadOutputPixel(c.width / 2, c.top - 1), {0, 0, 0}, 0)) << "top bar";
            EXPECT_TRUE(Near(ReadOutputPixel(c.width / 2, c.height - c.top), {0, 0, 0}, 0)) << "bottom bar";
        }
        // A click anywhere ends the step.
        ClickAt(683, 384);
        Settle();
        ASSERT_FALSE(tutorial->IsShowingStep());

        // The options window's "menu" button, clicked at its drawn centre, closes the window.
        OpenOptionsWindow();
        Settle();
        TMyWindow* options = FindWindow(TOptionsWindow::kWindowId);
        ASSERT_NE(options, nullptr);
        Click(FindButton(options, "menu"));
        Settle();
        EXPECT_EQ(FindWindow(TOptionsWindow::kWindowId), nullptr);
    }
}

} // namespace
} // namespace dialogtest
