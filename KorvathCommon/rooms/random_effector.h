#pragma once
// Effectors that make their own keys by chance within ranges and make them again in a cycle.

#include <utility>
#include <vector>

#include "app/timer.h"
#include "rooms/effector.h"

class TRandomEffector : public TEffector {
public:
    void Update(float seconds) override;
    void SetOwner(DrawObject* owner) override;
    void LoadFromXml(const TiXmlElement* element) override;
    void Start() override;
    std::unique_ptr<TEffector> Clone() const override;

    // Appends the keys of one cycle to the listed tracks.
    virtual void GenerateKeys();
    virtual void CaptureStartValues();
    virtual void RefreshStartValues() {}

    // Track indices, in the order of "tracks"; each has its range and start value at the same place.
    std::vector<int> mTrackList;
    std::vector<std::pair<float, float>> mRanges;
    std::vector<float> mStartValues;
    int32_t mChanges = 0;
    bool mRegenerate = true;
    bool mReturnToStart = false;
    bool mRelative = false;
    bool mStartAtRest = false;
    float mPause = 0;
    float mPauseRandom = 0;
    float mRestPause = 0;
    float mRestPauseRandom = 0;
    float mDuration = 0;
    float mDurationRandom = 0;
    TTimer mRegenTimer;
    float mTotalTime = 0;

protected:
    void ReadRandomAttributes(const TiXmlElement* element);
    void CopyRandomTo(TRandomEffector& clone) const;
    // Reads pairs for the listed tracks; tracks without a pair are dropped with a log line.
    void ReadPairs(const TiXmlElement* element, const char* name, std::vector<std::pair<float, float>>& pairs);
};

// Each cycle begins at a value drawn from "sminmax" instead of the owner's own.
class TRandomEffectorOwnSV : public TRandomEffector {
public:
    TRandomEffectorOwnSV() { mChanges = 1; }
    void LoadFromXml(const TiXmlElement* element) override;
    std::unique_ptr<TEffector> Clone() const override;
    void CaptureStartValues() override;
    void RefreshStartValues() override { CaptureStartValues(); }

    std::vector<std::pair<float, float>> mStartRanges;
};
