// The XML vocabulary of one image.

#include "app/xml_reader.h"
#include "graphics/static_image.h"

namespace {
constexpr float kRadiansPerDegree = 0.017453292f;
constexpr float kUnset = -1.0f;
} // namespace

void LoadStaticImageFromXml(StaticImage& image, const TiXmlElement* element, const std::string& prefix) {
    if (element == nullptr) {
        return;
    }
    std::string file = ReadXmlString(element, "filename", "");
    if (file.empty()) {
        file = ReadXmlString(element, "image", "");
    }
    image.mImageName = prefix + file;
    image.SetPosition(static_cast<float>(ReadXmlInt(element, "x", 0)), static_cast<float>(ReadXmlInt(element, "y", 0)),
                      ReadXmlBool(element, "pos_is_center", false));
    image.mAngle = static_cast<float>(ReadXmlInt(element, "angle", 0)) * kRadiansPerDegree;
    image.mAlpha = ReadXmlFloat(element, "alpha", 1.0f);
    image.SetVisible(ReadXmlBool(element, "visible", true, "v"));
    // The translation is kept as the offset the draw adds to the base position.
    image.mOffsetX = static_cast<float>(ReadXmlInt(element, "trancex", 0));
    image.mOffsetY = static_cast<float>(ReadXmlInt(element, "trancey", 0));
    const float scaleX = ReadXmlFloat(element, "scx", kUnset), scaleY = ReadXmlFloat(element, "scy", kUnset);
    if (scaleX != kUnset && scaleY != kUnset) {
        image.SetScaleXY(scaleX, scaleY);
    }
    const int centreX = ReadXmlInt(element, "tcx", -1), centreY = ReadXmlInt(element, "tcy", -1);
    if (centreX != -1 && centreY != -1) {
        image.mRenderState.centreX = static_cast<float>(centreX);
        image.mRenderState.centreY = static_cast<float>(centreY);
        image.mRenderState.flags |= TRenderState::kCentre;
        image.mCustomCentre = true;
    }
    if (!ReadXmlAttribute(element, "additive").empty()) {
        image.mRenderState.blend =
            ReadXmlBool(element, "additive", false) ? TRenderState::kBlendAdd : TRenderState::kBlendAlpha;
    }
}
