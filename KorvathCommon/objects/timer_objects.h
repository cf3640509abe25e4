#pragma once
// Invisible logic objects that react to activation: a timer that clicks itself some seconds later, a
// counter that fires after a number of activations, a sound that plays while its space is shown and a
// sound that plays after each of a list of delays.

#include <string>
#include <vector>

#include "app/timer.h"
#include "objects/object.h"

// Waiting is the object's active flag.
class TTimerObject : public TObject {
public:
    bool Update(float seconds) override;
    // A timer has no image.
    void LoadResources() override {}
    void UnloadResources() override {}
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    // Starts the wait unless it already waits or has been started "maxactive" times.
    void Activate(int index, int x, int y) override;
    void ResetState() override;

    float mWait = 0;
    float mElapsed = 0;
    int mActivations = 0;
    int mMaxActivations = 1;
};

// After-event 0 and its first tool at exactly the "count"-th activation.
class TActivateCounter : public TObject {
public:
    int GetTypeId() const override { return 48; }
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    void Activate(int index, int x, int y) override;

    int mCount = 1;
};

// The sound named like the object plays while its space is shown and it is unlocked.
class TSoundObject : public TObject {
public:
    int GetTypeId() const override { return 54; }
    void OnSpaceShow() override;
    void OnSpaceHide() override;
    void Unlock() override;
    void Lock() override;
};

// Plays "sound" after each delay of "delays" in turn; after the last, after-event 0, or from the start again
// with "loop" -1. A delay of 0 or less ends the chain.
class TDelayLoopsSoundObject : public TObject, public TTimerListener {
public:
    TDelayLoopsSoundObject();

    bool Update(float seconds) override;
    void Restart() override;
    int GetTypeId() const override { return 62; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void Activate(int index, int x, int y) override;
    void OnTimerDone() override;

    std::vector<float> mDelays;
    size_t mNextDelay = 0;
    std::string mSoundName;
    TTimer mTimer;
    int mLoop = 1;
};
