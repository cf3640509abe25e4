#pragma once
// A scene object whose visibility is its alpha: on activation or on an accepted click it fades once, swings
// between two alphas, flashes once or flashes again and again, and reports the end of a one-shot run as its
// after-event 0.

#include <string>
#include <vector>

#include "graphics/inc_value.h"
#include "graphics/value_cycler.h"
#include "objects/object.h"

class THiddenObject : public TObject {
public:
    static constexpr int kFlipFlop = 0;
    static constexpr int kFadeOnce = 1;
    static constexpr int kFlash = 2;
    static constexpr int kFlashRepeat = 3;

    THiddenObject();

    bool Update(float seconds) override;
    int GetTypeId() const override { return 1; }
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    void Activate(int index, int x, int y) override;
    void DoClickAction(int clickNumber, int x, int y) override;
    void ResetState() override;

    // One run of the object's kind from its current alpha; keepTarget runs towards the target it has.
    void StartAlphaAnimation(bool keepTarget);

    int mKind = kFlipFlop;
    float mDuration = 0;
    bool mStarted = false;
    IncValue mAlphaTween;
    TValueCycler mFlash;
    float mTarget = 0;
    float mMaxAlpha = 1.0f;
    float mMinAlpha = 0;
    float mPause = 0;
    IncValue mPauseTimer;
    std::vector<std::string> mStepSounds;

private:
    bool IsFlashing() const { return mKind == kFlash || mKind == kFlashRepeat; }
    // A fade-once object runs a single time.
    bool IsSpent() const { return mKind == kFadeOnce && mStarted; }
    // The end of one run: repeating kinds go again (after the pause), the others report.
    void EndRun(bool repeats);
    void PlayStepSounds() const;
};
