#pragma once
// Light buttons: two-state push buttons with their own released ("normal") and pushed images. A click
// toggles the button; a pushed button may spring back after a time and then report after-event 0.

#include <string>

#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "objects/object.h"

class TLightCheckButtonObject : public TObject {
public:
    static constexpr int kTypeId = 27;

    // Springs a pushed button back when its unpush time is over.
    bool Update(float seconds) override;
    // Released, with no spring-back pending.
    void Reset() override;
    int GetTypeId() const override { return kTypeId; }
    // Toggles the button when the pointer is on the image of its current state.
    bool OnMouseDown(const TMouseEvent& event) override;
    void LoadResources() override;
    void UnloadResources() override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The pushed flag and the spring-back after the object's record, so a restored button shows its state
    // and still springs back.
    void SaveState(TBaseBuffer& writer) override;
    void RestoreState(TBaseBuffer& reader) override;
    // The rectangle of the current state's image, left and top edges included.
    bool HitTestSelf(int x, int y) override;
    // The object, then the image of the current state: a view rooms never use.
    virtual void DrawAll();

    StaticImage* GetStateImage() { return mPushed ? &mPushedImage : &mNormalImage; }

    StaticImage mNormalImage;
    StaticImage mPushedImage;
    // Seconds; 0 keeps the button pushed until it is clicked again.
    float mUnpushTime = 0;
    IncValue mUnpushTween;
    bool mPushed = false;
};

// Unlocking also releases the button.
class TLCBResetOnUnlockObject : public TLightCheckButtonObject {
public:
    static constexpr int kTypeId = 28;

    int GetTypeId() const override { return kTypeId; }
    void Unlock() override;
};
