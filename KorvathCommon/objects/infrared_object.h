#pragma once
// The infrared object: a still image that shows only where the ghost catcher's lens mask is opaque. The
// room hands it the lens mask and the part of it under the lens; it rebuilds an overlay of its image cut
// by the mask. With the right tool it flees the pointer (when it has a speed) and a press catches it.

#include <memory>

#include "graphics/point_mover.h"
#include "graphics/texture.h"
#include "objects/ghost_object.h"
#include "objects/object.h"

class TInfraredObject : public TObject {
public:
    TInfraredObject();
    ~TInfraredObject() override;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 23; }
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    void LoadResources() override;
    void UnloadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    void PropagateSignalD(int value) override;
    virtual void DrawAll();

    void SetMask(int x, int y, const TTextureHandle& mask);
    void ClearMask();
    TFleePoint PickFleeTarget();
    // Clears the overlay, then copies the image pixels under the view rectangle with the alpha cut by the
    // mask; nothing outside the overlay or the image is read or written.
    void RebuildOverlay(const TTextureHandle& overlay);
    void ClearOverlay(const TTextureHandle& overlay);
    TPointMover* GetMover() const { return mMover.get(); }
    const TTextureHandle& GetOverlay() const { return mOverlay; }

    bool mShown = false;
    bool mCaught = false;
    bool mCanBeCatched = true;
    float mSpeed = 0;
    // The part of the object under the lens, in screen coordinates.
    float mViewX = 0;
    float mViewY = 0;
    float mViewW = 0;
    float mViewH = 0;
    bool mAlphaVisible = false;
    int mStartX = 0;
    int mStartY = 0;
    int mMaskOffsetX = 0;
    int mMaskOffsetY = 0;
    TTextureHandle mMask;

private:
    std::unique_ptr<TPointMover> mMover;
    TTextureHandle mOverlay;
};
