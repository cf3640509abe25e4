// The drawing object's base behaviour, the render state record, the packed colour and the image description.

#include <gtest/gtest.h>
#include <numbers>
#include <string>
#include <tinyxml.h>
#include <vector>

#include "graphics/draw_object.h"
#include "graphics/render_state.h"
#include "graphics/static_image.h"

namespace {

// Overrides only the two-axis scale, as image-like classes do.
class AxisScaled : public DrawObject {
public:
    void SetScaleXY(float sx, float sy) override {
        ++calls;
        DrawObject::SetScaleXY(sx, sy);
    }
    int calls = 0;
};

TEST(DrawObjectTest, UniformScaleGoesThroughTheTwoAxisScale) {
    AxisScaled object;
    DrawObject& base = object;
    base.SetScale(2);
    EXPECT_EQ(object.calls, 1);
    EXPECT_FLOAT_EQ(base.GetScaleX(), 2);
    EXPECT_FLOAT_EQ(base.GetScaleY(), 2);
}

TEST(DrawObjectTest, BasePositionIsWhatTheObjectReports) {
    DrawObject object;
    object.SetPosition(3, 4, true);
    EXPECT_FLOAT_EQ(object.GetX(), 3);
    EXPECT_FLOAT_EQ(object.GetY(), 4);
    EXPECT_FLOAT_EQ(object.mX, 3);
    EXPECT_FALSE(object.Update(1));
    EXPECT_FALSE(object.IsFinished());

    StaticImage image;
    image.SetPosition(5, 6, false);
    EXPECT_FLOAT_EQ(image.mX, 0) << "images keep only the base position";
    EXPECT_FLOAT_EQ(image.GetX(), 5);
}

TEST(RenderStateTest, InitScalesUniformlyAndPlacesTheTranslation) {
    struct Case {
        float scale;
        float axis;
    };
    for (const Case& c : std::vector<Case>{{1, 1}, {0.5f, 0.5f}, {3, 3}}) {
        TRenderState state;
        state.angle = 1;
        state.blend = 0;
        state.Init(7, 8, 0.25f, c.scale, TRenderState::kFlipVertical);
        EXPECT_FLOAT_EQ(state.GetScaleX(), c.axis);
        EXPECT_FLOAT_EQ(state.GetScaleY(), c.axis);
        EXPECT_FLOAT_EQ(state.transform.m[0][1], 0);
        EXPECT_FLOAT_EQ(state.GetTranslationX(), 7);
        EXPECT_FLOAT_EQ(state.GetTranslationY(), 8);
        EXPECT_FLOAT_EQ(state.alpha, 0.25f);
        EXPECT_EQ(state.flags, TRenderState::kFlipVertical);
        EXPECT_FLOAT_EQ(state.angle, 0);
        EXPECT_EQ(state.blend, TRenderState::kBlendAlpha);
        EXPECT_EQ(state.color, TColor());
    }
}

TEST(RenderStateTest, PackedColourKeepsLowBytes) {
    struct Case {
        int r, g, b, a;
        uint32_t packed;
    };
    for (const Case& c :
         std::vector<Case>{{256, 255, 0, 128, 0x8000FF00u}, {1, 2, 3, 4, 0x04010203u}, {-1, 0, 0, 255, 0xFFFF0000u}}) {
        EXPECT_EQ(TColorArgb(c.r, c.g, c.b, c.a).value, c.packed);
    }
}

TEST(ImageDescriptionTest, AttributesApplyToTheImage) {
    TiXmlDocument document;
    document.Parse(R"(<images>
        <image filename="ui/knob" x="10+5" y="-4" pos_is_center="1" angle="90" alpha="0.5" v="0"
               trancex="3" trancey="-2" scx="2" scy="0.5" tcx="4" tcy="6" additive="true"/>
        <image image="ui/plain" scx="2" tcx="4" additive=""/>
        <image filename="" image="ui/second" additive="0"/>
    </images>)");
    ASSERT_FALSE(document.Error()) << document.ErrorDesc();
    std::vector<const TiXmlElement*> elements;
    for (const TiXmlElement* e = document.RootElement()->FirstChildElement(); e != nullptr;
         e = e->NextSiblingElement()) {
        elements.push_back(e);
    }
    ASSERT_EQ(elements.size(), 3u);

    StaticImage full;
    LoadStaticImageFromXml(full, elements[0], "art/");
    EXPECT_EQ(full.mImageName, "art/ui/knob");
    EXPECT_FALSE(full.mTexture) << "the texture is not loaded here";
    EXPECT_FLOAT_EQ(full.mBaseX, 15);
    EXPECT_FLOAT_EQ(full.mBaseY, -4);
    EXPECT_TRUE(full.mCentred);
    EXPECT_NEAR(full.mAngle, std::numbers::pi / 2, 1e-6);
    EXPECT_FLOAT_EQ(full.mAlpha, 0.5f);
    EXPECT_FALSE(full.IsVisible());
    EXPECT_FLOAT_EQ(full.mOffsetX, 3);
    EXPECT_FLOAT_EQ(full.mOffsetY, -2);
    EXPECT_FLOAT_EQ(full.GetScaleX(), 2);
    EXPECT_FLOAT_EQ(full.GetScaleY(), 0.5f);
    EXPECT_TRUE(full.mCustomCentre);
    EXPECT_FLOAT_EQ(full.mRenderState.centreX, 4);
    EXPECT_FLOAT_EQ(full.mRenderState.centreY, 6);
    EXPECT_NE(full.mRenderState.flags & TRenderState::kCentre, 0);
    EXPECT_EQ(full.mRenderState.blend, TRenderState::kBlendAdd);

    // Half-given pairs change nothing; an empty "additive" keeps the blend mode.
    StaticImage partial;
    partial.mRenderState.blend = 0;
    LoadStaticImageFromXml(partial, elements[1], "");
    EXPECT_EQ(partial.mImageName, "ui/plain");
    EXPECT_FLOAT_EQ(partial.GetScaleX(), 1);
    EXPECT_FALSE(partial.mCustomCentre);
    EXPECT_EQ(partial.mRenderState.blend, 0);
    EXPECT_TRUE(partial.IsVisible());
    EXPECT_FLOAT_EQ(partial.mAlpha, 1);

    StaticImage second;
    second.mRenderState.blend = TRenderState::kBlendAdd;
    LoadStaticImageFromXml(second, elements[2], "");
    EXPECT_EQ(second.mImageName, "ui/second");
    EXPECT_EQ(second.mRenderState.blend, TRenderState::kBlendAlpha);

    StaticImage untouched;
    untouched.mImageName = "kept";
    LoadStaticImageFromXml(untouched, nullptr, "x/");
    EXPECT_EQ(untouched.mImageName, "kept");
}

} // namespace
