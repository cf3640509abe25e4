#pragma once
// A combination lock made of wheels: each wheel shows one picture of a vertical strip through a window and
// slides to the next one when clicked, wrapping to the first after the last. The lock hears every
// finished slide and opens when each wheel shows its digit of the combination.

#include <string>
#include <vector>

#include "app/timer.h"
#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "objects/object.h"
#include "objects/transparent_object.h"

class TSlideImageRotator : public TObject {
public:
    bool Update(float seconds) override;
    int GetTypeId() const override { return 43; }
    // A hit starts a slide (unless one runs) and is reported handled.
    bool OnMouseDown(const TMouseEvent& event) override;
    void LoadResources() override;
    void UnloadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The slide tween, the window and the index as 16-bit values, then the sliding byte.
    void SaveState(TBaseBuffer& writer) override;
    // The object, then the strip through its window: a view rooms never use.
    virtual void DrawAll();

    // Shows picture i at rest; an index outside the strip is ignored.
    void SetIndex(int index);
    void StartSlide();

    StaticImage mStrip;
    float mSlideTime = 0.15f;
    IncValue mSlide;
    // x, y, w, h of the strip shown.
    int mWindow[4] = {0, 0, 0, 0};
    int mCurrent = 0;
    int mCount = 0;
    bool mSliding = false;
    TSlideRotatorListener* mSlideListener = nullptr;

private:
    void ApplyWindow();
};

class TCaseLockObject : public TTransparentObject, public TSlideRotatorListener {
public:
    bool Update(float seconds) override;
    int GetTypeId() const override { return 44; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // Every wheel among the children reports its slides to the lock.
    void OnLoaded() override;
    void Unlock() override;
    void Lock() override;
    // The common record, then the delay timer (running byte, duration and elapsed time in thousandths),
    // so a lock saved while counting still raises its second event after a restore.
    void SaveState(TBaseBuffer& writer) override;
    void RestoreState(TBaseBuffer& reader) override;
    void OnSlideFinished() override;

    // Each wheel, in child order, shows its entry of the combination.
    bool IsCombinationSet() const;

    std::vector<int> mCombination;
    float mDelay = 1.0f;
    TTimer mTimer;
};
