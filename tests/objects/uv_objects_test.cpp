// Texture-coordinate objects: the pieces a range is cut into, where each is drawn, and the scrolling kind.

#include <cmath>

#include "object_test_support.h"
#include "objects/uv_objects.h"

namespace {

using objtest::Advance;
using objtest::Load;
using objtest::ObjectTest;

std::string Text(const std::vector<TUVPiece>& pieces) {
    std::string text;
    char buffer[64];
    for (const TUVPiece& p : pieces) {
        std::snprintf(buffer, sizeof buffer, "%s(%g,%g,%g,%g)", text.empty() ? "" : " ", p.u1, p.v1, p.u2, p.v2);
        text += buffer;
    }
    return text;
}

TEST_F(ObjectTest, UVRangesAreCutAtWholeNumbersStrictlyInside) {
    const std::pair<const char*, const char*> cases[] = {
        {R"(u1="0.5" u2="2.25")", "(0.5,0,1,1) (1,0,2,1) (2,0,2.25,1)"},
        {R"()", "(0,0,1,1)"},
        {R"(u2="0.5")", "(0,0,0.5,1)"},
        {R"(u1="1" u2="3")", "(1,0,2,1) (2,0,3,1)"},
        {R"(u1="-0.5" u2="0.5")", "(-0.5,0,0,1) (0,0,0.5,1)"},
        {R"(u1="0.5" u2="1.5" v1="0.5" v2="1.5")", "(0.5,0.5,1,1) (0.5,1,1,1.5) (1,0.5,1.5,1) (1,1,1.5,1.5)"},
        {R"(u1="1" u2="1")", ""},
        {R"(u1="2" u2="1")", ""},
        {R"(v1="0.3" v2="0.3")", ""},
        // Ranges a broken file stretches beyond any picture's repeats are not cut (nor counted out for ever).
        {R"(u2="1e30")", ""},
        {R"(id="wide" v1="-300" v2="0.5")", ""},
        {R"(u1="nan")", ""},
    };
    for (const auto& [attributes, pieces] : cases) {
        SCOPED_TRACE(attributes);
        EXPECT_EQ(Text(Load<TUVObject>(attributes)->SplitIntoPieces()), pieces);
    }
    EXPECT_TRUE(harness::LogContains("uv object wide: texture range 0..1, -300..0.5 repeats too often, not cut"));
    // The widest range still cut: 256 repeats in one piece each.
    EXPECT_EQ(Load<TUVObject>(R"(u1="-128" u2="128")")->SplitIntoPieces().size(), 256u);
}

TEST(UVPieceRectsTest, SourcesAndPlaces) {
    const std::vector<TUVPiece> pieces = {{0.5f, 0, 1, 1}, {1, 0, 2, 1}, {2, 0, 2.25f, 1}};
    const auto flat = BuildPieceRects(pieces, 10, 20, 8, 4, 10, 20, 0);
    ASSERT_EQ(flat.size(), 3u);
    const float expected[3][6] = {{4, 0, 4, 4, 10, 20}, {0, 0, 8, 4, 14, 20}, {0, 0, 2, 4, 22, 20}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const float got[6] = {flat[i].srcX, flat[i].srcY, flat[i].srcW, flat[i].srcH, flat[i].x, flat[i].y};
        for (int k = 0; k < 6; ++k) {
            EXPECT_NEAR(got[k], expected[i][k], 1e-4f) << k;
        }
    }
    // A quarter turn around the first piece's corner stacks the pieces downwards.
    const auto turned = BuildPieceRects(pieces, 10, 20, 8, 4, 10, 20, static_cast<float>(M_PI / 2));
    EXPECT_NEAR(turned[1].x, 10, 1e-4f);
    EXPECT_NEAR(turned[1].y, 24, 1e-4f);
    EXPECT_NEAR(turned[2].y, 32, 1e-4f);
    EXPECT_TRUE(BuildPieceRects({}, 0, 0, 8, 8, 0, 0, 0).empty());
}

// Left half red, right half green: from u 0.5 to 1.5 the green half comes first, then the red one.
TEST_F(ObjectTest, UVDrawAllRepeatsTheTexture) {
    WriteImage("textures/strip.png", 8, 4, [](int x, int) { return x < 4 ? kRed : kGreen; });
    auto uv = Load<TUVObject>(R"(name="strip.png" x="2" y="2" u1="0.5" u2="1.5")");
    uv->LoadResources();
    uv->OnSpaceShow();
    BeginCanvas();
    uv->DrawAll();
    ExpectPixels({{3, 3, kGreenPixel},
                  {5, 3, kGreenPixel},
                  {7, 3, kRedPixel},
                  {9, 3, kRedPixel},
                  {11, 3, kBlack},
                  {3, 7, kBlack}});
    // Afterwards the plain image is back as it was.
    BeginCanvas();
    uv->Draw(1.0f);
    ExpectPixels({{3, 3, kRedPixel}, {7, 3, kGreenPixel}, {9, 3, kGreenPixel}, {11, 3, kBlack}});
    // Twice the width repeats it.
    auto twice = Load<TUVObject>(R"(name="strip.png" u2="2")");
    twice->LoadResources();
    twice->OnSpaceShow();
    BeginCanvas();
    twice->DrawAll();
    ExpectPixels({{1, 1, kRedPixel}, {5, 1, kGreenPixel}, {9, 1, kRedPixel}, {13, 1, kGreenPixel}, {17, 1, kBlack}});
    // An empty range draws nothing.
    auto none = Load<TUVObject>(R"(name="strip.png" u1="1" u2="1")");
    none->LoadResources();
    BeginCanvas();
    none->DrawAll();
    ExpectPixels({{1, 1, kBlack}});
}

TEST_F(ObjectTest, UVSpinScrollsAfterItsDelay) {
    struct Case {
        const char* attributes;
        // v1 at 1 s, 2.5 s, 3.5 s and 4.25 s.
        std::vector<float> v1;
    };
    const Case cases[] = {
        {R"(v1="0.25" v2="1" stime="2" time="1")", {0.25f, 0.75f, 0.75f, 0.5f}},
        {R"(v1="0.25" v2="1" stime="2" time="1" asc="0")", {0.25f, -0.25f, -0.25f, 0.0f}},
        {R"(v1="0" v2="1" time="2")", {0.5f, 0.25f, 0.75f, 0.125f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto spin = Load<TUVSpinObject>(c.attributes);
        const auto values = objtest::SampleAt(*spin, {1.0f, 2.5f, 3.5f, 4.25f}, [&] { return spin->mV1; });
        objtest::ExpectNearAll(values, c.v1, 0.02f);
        EXPECT_NEAR(spin->mV2 - spin->mV1, spin->mBaseV2 - spin->mBaseV1, 1e-5f);
    }
}

// What each attribute loads into, and the values absent ones take.
TEST_F(ObjectTest, UVAttributesAndDefaults) {
    struct Case {
        const char* attributes;
        float u1, v1, u2, v2, time, delay;
        bool ascending;
    };
    const Case cases[] = {
        {"", 0, 0, 1, 1, 15, 0, true},
        {R"(u1="0.5" v1="-1" u2="2" v2="3" time="4" stime="1.5" asc="0")", 0.5f, -1, 2, 3, 4, 1.5f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto plain = Load<TUVObject>(c.attributes);
        auto spin = Load<TUVSpinObject>(c.attributes);
        for (TUVObject* uv : {static_cast<TUVObject*>(plain.get()), static_cast<TUVObject*>(spin.get())}) {
            EXPECT_FLOAT_EQ(uv->mU1, c.u1);
            EXPECT_FLOAT_EQ(uv->mV1, c.v1);
            EXPECT_FLOAT_EQ(uv->mU2, c.u2);
            EXPECT_FLOAT_EQ(uv->mV2, c.v2);
        }
        EXPECT_FLOAT_EQ(spin->mTime, c.time);
        EXPECT_FLOAT_EQ(spin->mStartDelay, c.delay);
        EXPECT_EQ(spin->mAscending, c.ascending);
        EXPECT_FLOAT_EQ(spin->mBaseV1, c.v1);
        EXPECT_FLOAT_EQ(spin->mBaseV2, c.v2);
        EXPECT_EQ(spin->mDelayTimer.IsRunning(), c.delay > 0);
    }
}

} // namespace
