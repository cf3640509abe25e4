#include "objects/clouds_object.h"

#include <cmath>

#include "app/xml_reader.h"
#include "graphics/build_maps_scope.h"
#include "graphics/texture.h"
#include "objects/scoped_clip.h"

void TCloudsObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    int rect[4] = {mRect.x, mRect.y, mRect.w, mRect.h};
    ReadXmlFourInts(element, "rect", ",", rect);
    mRect = {rect[0], rect[1], rect[2], rect[3]};
    const std::string prefix = folder.empty() ? "textures/" : folder;
    auto named = [&](const char* attribute) {
        const std::string name = ReadXmlString(element, attribute, "");
        return name.empty() ? name : prefix + name;
    };
    mBackgroundName = named("imgback");
    mCloudNames[0] = named("imgclouds");
    mSpeeds[0] = ReadXmlFloat(element, "speed", 0);
    mCloudNames[1] = named("imgclouds2");
    mSpeeds[1] = ReadXmlFloat(element, "speed2", 0);
    mVertical = ReadXmlBool(element, "up", false);
    mClip = ReadXmlBool(element, "setcliprect", true);
    Reset();
}

void TCloudsObject::Reset() {
    mRunningRect = mRect;
    mRunningSpeeds = mSpeeds;
    mRunningVertical = mVertical;
}

void TCloudsObject::LoadResources() {
    mBackground.SetImage(mBackgroundName);
    mBackground.SetPosition(static_cast<float>(mRect.x), static_cast<float>(mRect.y), false);
    TBuildMapsScope maps(!mCheckOnlyBounds);
    for (int layer = 0; layer < kLayers; ++layer) {
        mClouds[layer].SetImage(mCloudNames[layer]);
    }
}

void TCloudsObject::UnloadResources() {
    mBackground.ReleaseImage();
    for (StaticImage& cloud : mClouds) {
        cloud.ReleaseImage();
    }
}

int TCloudsObject::GetTileSize(int layer) const {
    const TTextureHandle& texture = mClouds[layer].mTexture;
    if (!texture) {
        return 0;
    }
    return mRunningVertical ? texture->GetHeight() : texture->GetWidth();
}

// The offset is kept within one tile however long the frame, so the tiles never leave a gap.
bool TCloudsObject::Update(float seconds) {
    if (!mVisible) {
        return false;
    }
    for (int layer = 0; layer < kLayers; ++layer) {
        const int tile = GetTileSize(layer);
        if (tile <= 0) {
            continue;
        }
        float offset = std::fmod(mOffsets[layer] + mRunningSpeeds[layer] * seconds, static_cast<float>(tile));
        if (offset < 0) {
            offset += static_cast<float>(tile);
        }
        mOffsets[layer] = std::isfinite(offset) && offset < static_cast<float>(tile) ? offset : 0.0f;
    }
    return false;
}

void TCloudsObject::Draw(float alpha) {
    if (!mVisible) {
        return;
    }
    TScopedClip clip(mClip ? mRunningRect : TRect());
    if (mBackground.mTexture && mBackground.mTexture->GetWidth() > 0) {
        mBackground.Draw(1.0f);
    }
    for (int layer = 0; layer < kLayers; ++layer) {
        DrawLayer(layer, alpha);
    }
}

// Tiles from one tile before the rectangle's edge (plus the offset) up to its far edge.
void TCloudsObject::DrawLayer(int layer, float alpha) {
    const int tile = GetTileSize(layer);
    if (tile <= 0) {
        return;
    }
    StaticImage& image = mClouds[layer];
    image.mAlpha = mAlpha;
    image.mRenderState.blend = mBlendMode;
    const float edge = static_cast<float>(mRunningVertical ? mRunningRect.y : mRunningRect.x);
    const float farEdge = edge + static_cast<float>(mRunningVertical ? mRunningRect.h : mRunningRect.w);
    for (float at = edge + mOffsets[layer] - static_cast<float>(tile); at < farEdge; at += static_cast<float>(tile)) {
        if (mRunningVertical) {
            image.SetPosition(static_cast<float>(mRunningRect.x), at, false);
        } else {
            image.SetPosition(at, static_cast<float>(mRunningRect.y), false);
        }
        image.Draw(alpha);
    }
}
