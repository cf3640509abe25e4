#pragma once
// Images that breathe or blend into one another by fading alpha back and forth for ever, with pauses: a
// second image over the object, the same with the object's own image fading the other way, and a pair of
// images of their own that take turns.

#include <array>
#include <string>

#include "app/timer.h"
#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "objects/object.h"

class TMorphingObject : public TObject {
public:
    TMorphingObject();

    void Draw(float alpha) override;
    bool Update(float seconds) override;
    int GetTypeId() const override { return 51; }
    void LoadResources() override;
    void UnloadResources() override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void Activate(int index, int x, int y) override;
    // Anywhere in the box holding the object and its morph image, transparent pixels too.
    bool HitTestSelf(int x, int y) override;

    // The morph image rests at the minimum alpha.
    virtual void ResetMorph();
    // Up fades the morph image from the minimum to the maximum, down the other way.
    virtual void StartMorph(bool up);
    virtual void StartMorphForward() { StartMorph(true); }

    AlphaStaticImage mMorphImage;
    TTimer mPauseTimer;
    float mFadeSeconds = 2.0f;
    // The waits after each fade, taken in turn.
    std::array<float, 2> mPauses = {0, 0};
    int mNextPause = 0;
    float mMinAlpha = 0;
    float mMaxAlpha = 1.0f;

protected:
    // The morph image's fade and pauses; false while the object is inactive.
    void UpdateMorph(float seconds);
};

// The object's own image fades opposite to the morph image, so the two cross-fade.
class TDoubleMorphingObject : public TMorphingObject {
public:
    bool Update(float seconds) override;
    // The own image rests at the maximum until the first fade.
    void ResetMorph() override;
    void StartMorph(bool up) override;

    IncValue mOwnImageTween;
};

// Two images that take turns: the shown one fades out as soon as it is fully shown; after the pause the
// other fades in. With no pause both fade at once.
class TMorphingObject2 : public TObject {
public:
    bool Update(float seconds) override;
    int GetTypeId() const override { return 52; }
    void LoadResources() override;
    void UnloadResources() override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void Activate(int index, int x, int y) override;
    bool HitTestSelf(int x, int y) override;

    // For the owner: the object, then both images, at full alpha.
    virtual void DrawMorph();
    // Up fades the current image in; down fades it out and starts the pause (or swaps at once without one).
    virtual void StartMorph(bool up);

    std::array<AlphaStaticImage, 2> mImages;
    int mCurrent = 0;
    TTimer mPauseTimer;
    bool mStarted = true;
    float mFadeSeconds = 2.0f;
    float mPause = 1.0f;
    std::array<std::string, 2> mImageNames;
};
