// The image control: sizes from the description or the texture, fit mode, the checked and second
// images, alpha maps on request, and the pointer.

#include "controls_fixture.h"
#include "windows/image_control.h"
#include "windows/ui_image_box.h"

namespace {

using wintest::LeftDown;
using wintest::Move;
using wintest::Send;

class ImageControlTest : public wintest::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        WriteSolidImage("i/sq.png", 100, 100, kRed);
        WriteSolidImage("i/tall.png", 100, 200, kRed);
        WriteSolidImage("i/small.png", 4, 4, kRed);
        WriteSolidImage("i/mark.png", 2, 2, kGreen);
        WriteSolidImage("i/dot.png", 1, 1, kBlue);
    }

    TMyImage* MakeImage(const std::string& attributes, const std::string& name = "image") {
        LoadBoxes("<object name='" + name + "' type='image' " + attributes + "/>");
        return TMyImage::Create(Box<TUIMyImage>(name), mScreen);
    }
};

TEST_F(ImageControlTest, TheSizeComesFromTheBoxElseTheTexture) {
    struct Case {
        const char* attributes;
        int x, y, w, h;
    };
    const std::vector<Case> cases = {
        {"x='10' y='20' image='i/sq'", 10, 20, 100, 100},
        {"x='10' y='20' w='30' h='40' image='i/sq'", 10, 20, 30, 40},
        {"x='110' y='120' image='i/tall' halign='0' valign='1'", 60, -80, 100, 200},
        {"x='10' y='20' image='i/none'", 10, 20, 0, 0},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        TMyImage* image = MakeImage(c.attributes, "i" + std::to_string(index++));
        EXPECT_EQ(image->GetX(), c.x);
        EXPECT_EQ(image->GetY(), c.y);
        EXPECT_EQ(image->GetWidth(), c.w);
        EXPECT_EQ(image->GetHeight(), c.h);
        image->mShown = false;
    }
    EXPECT_EQ(TMyImage::Create(nullptr, mScreen), nullptr);
}

TEST_F(ImageControlTest, AnImageWithoutTextureIsNeverHit) {
    MakeImage("x='10' y='20' image='i/none'");
    Send({LeftDown(10, 20)});
    ASSERT_NE(TMyWindowManager::Get()->GetPressed(), nullptr);
    EXPECT_EQ(TMyWindowManager::Get()->GetPressed()->mName, "screen");
}

TEST_F(ImageControlTest, FitModeScalesByTheSmallerFactorAndCentres) {
    struct Case {
        const char* attributes;
        float scale;
        int offsetX, offsetY;
    };
    const std::vector<Case> cases = {
        {"w='200' h='100' image='i/sq' drawmode='1'", 1.0f, 50, 0},
        {"w='50' h='50' image='i/tall' drawmode='1'", 0.25f, 12, 0},
        {"w='100' h='300' image='i/sq' drawmode='1'", 1.0f, 0, 100},
        {"w='50' h='50' image='i/tall' drawmode='0'", 1.0f, 0, 0},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        TMyImage* image = MakeImage(c.attributes, std::string("f").append(std::to_string(index++)));
        BeginCanvas();
        image->Draw();
        EXPECT_FLOAT_EQ(image->mMainImage.mScaleX, c.scale);
        EXPECT_EQ(image->mFitOffsetX, c.offsetX);
        EXPECT_EQ(image->mFitOffsetY, c.offsetY);
        image->mShown = false;
    }
}

TEST_F(ImageControlTest, TheCheckedAndSecondImagesDrawOverTheMainOneWhenShown) {
    // A 4 x 4 red image fitted into 16 x 8: scale 2, centred at x 4; the 2 x 2 green mark 1 pixel right of
    // the main image's corner, scaled too; the blue dot 4 pixels right of it.
    TMyImage* image = MakeImage("w='16' h='8' image='i/small' imagechecked='i/mark' checkedx='1' image2='i/dot' "
                                "draw2x='4' drawmode='1'");
    BeginCanvas();
    mScreen->Draw();
    ExpectPixels({{4, 0, kRedPixel}, {11, 7, kRedPixel}, {3, 0, kBlack}, {12, 0, kBlack}, {5, 0, kRedPixel}});
    image->mShowChecked = true;
    image->mShowSecond = true;
    BeginCanvas();
    mScreen->Draw();
    ExpectPixels({{4, 0, kRedPixel},
                  {5, 0, kGreenPixel},
                  {7, 3, kGreenPixel},
                  {10, 0, kRedPixel},
                  {5, 4, kRedPixel},
                  {8, 0, kBluePixel},
                  {9, 1, kBluePixel},
                  {10, 1, kRedPixel}});
}

TEST_F(ImageControlTest, FitModeWithoutAMainTextureDrawsNothing) {
    TMyImage* image = MakeImage("w='16' h='8' image='i/none' imagechecked='i/mark' checked='1' drawmode='1'");
    BeginCanvas();
    mScreen->Draw();
    ExpectPixels({{0, 0, kBlack}, {1, 1, kBlack}});
    EXPECT_EQ(image->mFitOffsetX, 0);
    // In natural size the checked image still shows.
    image->mDrawMode = 0;
    BeginCanvas();
    mScreen->Draw();
    ExpectPixels({{0, 0, kGreenPixel}, {1, 1, kGreenPixel}, {2, 2, kBlack}});
}

TEST_F(ImageControlTest, TheMainImageKeepsItsAlphaMapOnlyWhenAsked) {
    for (bool keep : {false, true}) {
        SCOPED_TRACE(keep);
        WriteSolidImage(keep ? "i/kept.png" : "i/dropped.png", 2, 2, kRed);
        TMyImage image;
        image.mKeepAlphaMap = keep;
        image.SetImage(keep ? "i/kept" : "i/dropped");
        ASSERT_TRUE(image.mMainImage.mTexture);
        EXPECT_EQ(image.mMainImage.mTexture->HasAlphaMap(), keep);
        EXPECT_TRUE(gBuildAlphaMaps);
    }
}

TEST_F(ImageControlTest, HoveringChangesTheCursorOnlyWithTheHandFlag) {
    MakeImage("x='10' y='10' image='i/small' cursorover='glass'", "still");
    MakeImage("x='30' y='10' image='i/small' cursorover='glass' dofinger='1'", "finger");
    Send({Move(11, 11)});
    EXPECT_EQ(CursorName(), "default");
    Send({Move(31, 11)});
    // The image asks for its own cursor; its hand flag then makes the manager show "hand".
    EXPECT_EQ(CursorName(), "hand");
    Send({Move(100, 100)});
    EXPECT_EQ(CursorName(), "default");
}

} // namespace
