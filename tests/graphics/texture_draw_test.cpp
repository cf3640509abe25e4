// Textured draws through TTexture::Draw into a render target, checked pixel by pixel.

#include <SDL_image.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "graphics/render_state.h"
#include "graphics/texture.h"
#include "graphics/texture_cache.h"
#include "graphics_fixture.h"

namespace {

class TextureDrawTest : public GraphicsTest {
protected:
    // A 4 x 2 image: the left half red, the right half green.
    TTextureHandle HalfAndHalf() {
        WriteImage("halves.png", 4, 2, [](int x, int) { return x < 2 ? kRed : kGreen; });
        return GetTexture("halves");
    }

    struct DrawCase {
        const char* what;
        TRenderState state;
        std::vector<TProbe> probes;
    };

    // Each case drawn alone on a black canvas.
    void RunDrawCases(const TTextureHandle& texture, const std::vector<DrawCase>& cases) {
        for (const DrawCase& c : cases) {
            SCOPED_TRACE(c.what);
            BeginCanvas();
            texture->Draw(c.state);
            ExpectPixels(c.probes);
        }
    }
};

TRenderState StateAt(float x, float y) {
    TRenderState state;
    state.Init(x, y, 1.0f, 1.0f, 0);
    return state;
}

TEST_F(TextureDrawTest, GeometryOfTheDrawFollowsTheState) {
    TRenderState scaled = StateAt(4, 4);
    scaled.SetScale(3, 2); // 12 x 4 pixels: red over x 4..9, green over x 10..15, y 4..7
    TRenderState turned = StateAt(10, 10);
    // A quarter turn clockwise about the corner: local (x, y) lands at (10 - y, 10 + x).
    turned.angle = static_cast<float>(std::numbers::pi / 2);
    turned.flags = TRenderState::kCentre;
    TRenderState turnedAboutCentre = StateAt(10, 10);
    // About the image's centre (2, 1): the 4 x 2 image becomes 2 x 4 around (12, 11).
    turnedAboutCentre.angle = static_cast<float>(std::numbers::pi / 2);
    turnedAboutCentre.centreX = 2;
    turnedAboutCentre.centreY = 1;
    turnedAboutCentre.flags = TRenderState::kCentre;
    TRenderState centreWithoutFlag = turnedAboutCentre;
    centreWithoutFlag.flags = 0; // the centre is ignored: the turn is about the corner
    TRenderState flippedX = StateAt(0, 0);
    flippedX.flags = TRenderState::kFlipHorizontal;
    TRenderState flippedY = StateAt(0, 0);
    flippedY.flags = TRenderState::kFlipVertical;
    TRenderState source = StateAt(20, 20);
    source.flags = TRenderState::kSourceRect;
    source.srcX = 2;
    source.srcY = 0;
    source.srcW = 2;
    source.srcH = 2;
    const std::vector<DrawCase> cases = {
        {"position",
         StateAt(5, 7),
         {{5, 7, kRedPixel},
          {6, 8, kRedPixel},
          {7, 7, kGreenPixel},
          {8, 8, kGreenPixel},
          {4, 7, kBlack},
          {9, 7, kBlack},
          {5, 6, kBlack},
          {5, 9, kBlack}}},
        {"scale",
         scaled,
         {{4, 4, kRedPixel},
          {9, 7, kRedPixel},
          {10, 4, kGreenPixel},
          {15, 7, kGreenPixel},
          {16, 4, kBlack},
          {4, 8, kBlack},
          {3, 4, kBlack}}},
        {"rotation about the corner",
         turned,
         {{9, 10, kRedPixel},
          {8, 11, kRedPixel},
          {9, 12, kGreenPixel},
          {8, 13, kGreenPixel},
          {10, 10, kBlack},
          {9, 14, kBlack},
          {7, 10, kBlack}}},
        {"rotation about the centre",
         turnedAboutCentre,
         {{11, 9, kRedPixel},
          {12, 10, kRedPixel},
          {11, 11, kGreenPixel},
          {12, 12, kGreenPixel},
          {10, 10, kBlack},
          {13, 10, kBlack},
          {11, 13, kBlack},
          {11, 8, kBlack}}},
        {"centre ignored without its flag", centreWithoutFlag, {{9, 10, kRedPixel}, {9, 13, kGreenPixel}}},
        {"horizontal flip", flippedX, {{0, 0, kGreenPixel}, {1, 1, kGreenPixel}, {2, 0, kRedPixel}, {3, 1, kRedPixel}}},
        {"vertical flip keeps columns", flippedY, {{0, 0, kRedPixel}, {3, 1, kGreenPixel}}},
        {"source rectangle",
         source,
         {{20, 20, kGreenPixel}, {21, 21, kGreenPixel}, {22, 20, kBlack}, {19, 20, kBlack}}},
    };
    TTextureHandle texture = HalfAndHalf();
    ASSERT_TRUE(texture);
    RunDrawCases(texture, cases);
}

TEST_F(TextureDrawTest, ColourAlphaAndBlendModes) {
    struct Case {
        const char* what;
        TColor color;
        float alpha;
        int blend;
        TRgba expected;
    };
    // Source (200, 50, 0) over a background of (100, 100, 100).
    const std::vector<Case> cases = {
        {"opaque blend", {1, 1, 1, 1}, 1.0f, TRenderState::kBlendAlpha, {200, 50, 0, 255}},
        // a = 127/255: 200a + 100(1 - a) = 150, 50a + 100(1 - a) = 75, 100(1 - a) = 50
        {"half alpha", {1, 1, 1, 1}, 0.5f, TRenderState::kBlendAlpha, {150, 75, 50, 255}},
        {"alpha above 1 is opaque", {1, 1, 1, 1}, 1.5f, TRenderState::kBlendAlpha, {200, 50, 0, 255}},
        // colour (1, 0.5, 0) -> modulation (255, 127, 0): 200, 25, 0
        {"colour modulation", {1, 0.5f, 0, 1}, 1.0f, TRenderState::kBlendAlpha, {200, 25, 0, 255}},
        {"the colour's own alpha is ignored", {1, 1, 1, 0}, 1.0f, TRenderState::kBlendAlpha, {200, 50, 0, 255}},
        // additive: 100 + 200a, 100 + 50a, 100 with a = 127/255
        {"additive", {1, 1, 1, 1}, 0.5f, TRenderState::kBlendAdd, {200, 125, 100, 255}},
        // modulate: source x background / 255
        {"modulate", {1, 1, 1, 1}, 1.0f, TRenderState::kBlendModulate, {78, 20, 0, 255}},
        {"no blending", {1, 1, 1, 1}, 0.5f, 0, {200, 50, 0, 127}},
    };
    // The same colour as a picture with an alpha channel and as one without (drawn at full alpha as a copy):
    // every draw must look the same.
    WriteSolidImage("ochre.png", 2, 2, 0xFFC83200u);
    WriteRgbImage("ochre_rgb.png", 2, 2, {200, 50, 0});
    for (const char* name : {"ochre", "ochre_rgb"}) {
        SCOPED_TRACE(name);
        TTextureHandle texture = GetTexture(name);
        ASSERT_TRUE(texture);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            BeginCanvas({100, 100, 100, 255});
            TRenderState state = StateAt(1, 1);
            state.color = c.color;
            state.alpha = c.alpha;
            state.blend = c.blend;
            texture->Draw(state);
            EXPECT_TRUE(NearColor(Pixel(1, 1), c.expected));
            EXPECT_TRUE(NearColor(Pixel(0, 0), {100, 100, 100, 255})) << "outside the image";
        }
    }
    Uint32 format = 0;
    SDL_QueryTexture(GetTexture("ochre_rgb")->GetSDLTexture(), &format, nullptr, nullptr, nullptr);
    EXPECT_FALSE(SDL_ISPIXELFORMAT_ALPHA(format)) << SDL_GetPixelFormatName(format);
}

TEST_F(TextureDrawTest, TranslucentPixelsBlendAtFullAlpha) {
    // Half-transparent ochre over grey: 200a + 100(1 - a), 50a + 100(1 - a), 100(1 - a) with a = 128/255.
    WriteSolidImage("glass.png", 2, 2, 0x80C83200u);
    TTextureHandle texture = GetTexture("glass");
    ASSERT_TRUE(texture);
    BeginCanvas({100, 100, 100, 255});
    texture->Draw(StateAt(1, 1));
    EXPECT_TRUE(NearColor(Pixel(1, 1), {150, 75, 50, 255}));
}

TEST_F(TextureDrawTest, NoAlphaOrNoTextureDrawsNothing) {
    WriteSolidImage("white.png", 2, 2, kWhite);
    TTextureHandle texture = GetTexture("white");
    ASSERT_TRUE(texture);
    BeginCanvas();
    for (float alpha : {0.0f, -1.0f, std::nanf("")}) {
        TRenderState state = StateAt(0, 0);
        state.alpha = alpha;
        texture->Draw(state);
    }
    TTexture empty;
    empty.Draw(StateAt(0, 0));
    EXPECT_TRUE(NearColor(Pixel(0, 0), kBlack));
    EXPECT_TRUE(NearColor(Pixel(1, 1), kBlack));
}

// Turned copies whose place, size or turning centre lies beyond any screen are not drawn: SDL's software
// renderer reads outside its buffers for corners past int. Near ones still draw.
TEST_F(TextureDrawTest, TurnedDrawsBeyondAnyScreenAreSkipped) {
    WriteSolidImage("white.png", 2, 2, kWhite);
    TTextureHandle texture = GetTexture("white");
    ASSERT_TRUE(texture);
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        float x, y, scale, centre;
    };
    const std::vector<Case> cases = {
        {"right of int", 3e9f, 1, 1, 0},
        {"left of int", -3e9f, 1, 1, 0},
        {"below int", 1, 3e9f, 1, 0},
        {"at infinity", inf, 1, 1, 0},
        {"not a number", std::nanf(""), 1, 1, 0},
        {"scaled past int", 1, 1, 1e10f, 0},
        {"centre past int", 1, 1, 1, 1e10f},
    };
    BeginCanvas();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TRenderState state = StateAt(c.x, c.y);
        state.SetScale(c.scale, c.scale);
        state.angle = 0.5f;
        state.centreX = state.centreY = c.centre;
        state.flags = TRenderState::kCentre;
        texture->Draw(state);
    }
    EXPECT_TRUE(NearColor(Pixel(1, 1), kBlack));
    EXPECT_TRUE(harness::LogContains("texture drawn beyond any screen"));
    // A copy 2^29 pixels away is still handed to the renderer; one on the canvas shows.
    TRenderState far = StateAt(536870912.0f, 1);
    far.angle = 0.5f;
    texture->Draw(far);
    texture->Draw(StateAt(4, 4));
    EXPECT_TRUE(NearColor(Pixel(4, 4), kWhitePixel));
    EXPECT_TRUE(NearColor(Pixel(1, 1), kBlack));
}

// A fractional source rectangle keeps its exact edges: four columns of blue, red, green, white; the source
// starts half way into the first column and is 2 columns wide, scaled 4 times, so the 8 drawn pixels show
// half a column of blue (2 pixels), a whole red column (4) and half a green one (2).
TEST_F(TextureDrawTest, FractionalSourceRectangleIsExact) {
    const uint32_t columns[4] = {kBlue, kRed, kGreen, kWhite};
    WriteImage("columns.png", 4, 1, [&columns](int x, int) { return columns[x]; });
    TTextureHandle texture = GetTexture("columns");
    ASSERT_TRUE(texture);
    TRenderState plain = StateAt(4, 4);
    plain.flags = TRenderState::kSourceRect;
    plain.srcX = 0.5f;
    plain.srcW = 2;
    plain.srcH = 1;
    plain.SetScale(4, 4);
    TRenderState flipped = plain;
    flipped.flags |= TRenderState::kFlipHorizontal;
    // A quarter turn about the corner at (16, 4): local (x, y) lands at (16 - y, 4 + x), so the strip stands
    // in columns 12..15 with blue in rows 4..5, red in 6..9 and green in 10..11.
    TRenderState turned = plain;
    turned.SetTranslation(16, 4);
    turned.angle = static_cast<float>(std::numbers::pi / 2);
    turned.flags |= TRenderState::kCentre;
    // Tinted magenta at half alpha: the modulation reaches the triangles too.
    TRenderState tinted = plain;
    tinted.color = {1, 0, 1, 1};
    tinted.alpha = 0.5f;
    const std::vector<DrawCase> cases = {
        {"plain",
         plain,
         {{4, 5, kBluePixel},
          {5, 5, kBluePixel},
          {6, 5, kRedPixel},
          {9, 5, kRedPixel},
          {10, 5, kGreenPixel},
          {11, 5, kGreenPixel},
          {12, 5, kBlack},
          {3, 5, kBlack},
          {6, 8, kBlack}}},
        {"flipped",
         flipped,
         {{4, 4, kGreenPixel},
          {5, 7, kGreenPixel},
          {6, 4, kRedPixel},
          {10, 4, kBluePixel},
          {11, 7, kBluePixel},
          {12, 4, kBlack}}},
        {"turned",
         turned,
         {{12, 4, kBluePixel},
          {15, 5, kBluePixel},
          {13, 6, kRedPixel},
          {14, 9, kRedPixel},
          {15, 10, kGreenPixel},
          {12, 11, kGreenPixel},
          {13, 12, kBlack},
          {16, 5, kBlack},
          {11, 5, kBlack}}},
        {"tinted", tinted, {{6, 5, {127, 0, 0, 255}}, {4, 5, {0, 0, 127, 255}}, {10, 5, kBlack}}},
    };
    RunDrawCases(texture, cases);

    // Texture coordinates that do not survive floating point (7 / 23 x 23 < 7) still land on their texel:
    // columns 0..6 red, the rest green; the source [6.5, 8.5) scaled 4 times shows 2 red pixels, then 6 green.
    WriteImage("odd.png", 23, 1, [](int x, int) { return x < 7 ? kRed : kGreen; });
    TTextureHandle odd = GetTexture("odd");
    ASSERT_TRUE(odd);
    TRenderState oddState = plain;
    oddState.srcX = 6.5f;
    RunDrawCases(
        odd, {{"odd",
               oddState,
               {{4, 5, kRedPixel}, {5, 5, kRedPixel}, {6, 5, kGreenPixel}, {11, 5, kGreenPixel}, {12, 5, kBlack}}}});
}

} // namespace
