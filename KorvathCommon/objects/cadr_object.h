#pragma once
// A scene object that plays a frame strip over itself while it is active, with an optional sound; active from
// the start unless the description says otherwise, so it plays from its space's first show.

#include <cstdint>
#include <string>

#include "graphics/cadr_image.h"
#include "graphics/shared_ptr.h"
#include "objects/object.h"

class TCadrObject : public TObject {
public:
    TCadrObject();

    // The object, then the strip over it at the object's alpha.
    void Draw(float alpha) override;
    bool Update(float seconds) override;
    void SetPosition(float x, float y, bool moveChildren) override;
    int GetTypeId() const override { return 18; }
    // Loads the strip's texture too and lays its frames out over the real texture size.
    void LoadResources() override;
    void UnloadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    void Activate(int index, int x, int y) override;
    void Deactivate(int index, int x, int y) override;

    // Frames of w x h that a strip of width x height holds, row by row; at least one.
    static int32_t CountFrames(int width, int height, int frameWidth, int frameHeight);

    // Shared with the key-track animators that reconfigure it.
    SharedPtr<TCadrImage> mAnimation;
    std::string mAnimationSound;
    int32_t mLoopCount = 1;
    // "frames" as described; 0 or less means every frame the strip holds.
    int32_t mDescribedFrames = -1;

private:
    void LayOutFrames();
    void PlaceStrip(float x, float y);
};
