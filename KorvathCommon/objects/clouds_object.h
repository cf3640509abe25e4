#pragma once
// Scenery: a fixed background and up to two cloud layers, each repeated edge to edge and scrolled at its own
// speed, across or up and down, inside a rectangle that can clip the drawing. It takes no input.

#include <array>
#include <string>

#include "graphics/static_image.h"
#include "objects/object.h"

class TCloudsObject : public TObject {
public:
    static constexpr int kLayers = 2;

    void Draw(float alpha) override;
    bool Update(float seconds) override;
    // The loaded rectangle, speeds and direction become the running ones (owners may change those).
    void Reset() override;
    void LoadResources() override;
    void UnloadResources() override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;

    // The layer's tile length along its direction: its texture's width, or height when vertical; 0 without one.
    int GetTileSize(int layer) const;

    std::string mBackgroundName;
    std::array<std::string, kLayers> mCloudNames;
    std::array<float, kLayers> mSpeeds = {0, 0};
    bool mVertical = false;
    TRect mRect;
    StaticImage mBackground;
    std::array<StaticImage, kLayers> mClouds;
    TRect mRunningRect;
    std::array<float, kLayers> mRunningSpeeds = {0, 0};
    bool mRunningVertical = false;
    // Within [0, tile) once updated.
    std::array<float, kLayers> mOffsets = {0, 0};
    bool mClip = true;

private:
    void DrawLayer(int layer, float alpha);
};
