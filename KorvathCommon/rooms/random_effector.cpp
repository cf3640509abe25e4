#include "rooms/random_effector.h"

#include <algorithm>

#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "rooms/repeater.h"

void TRandomEffector::LoadFromXml(const TiXmlElement* element) {
    TEffector::LoadFromXml(element);
    ReadRandomAttributes(element);
}

void TRandomEffector::ReadRandomAttributes(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    std::vector<std::string> ids;
    ReadXmlStringList(element, "tracks", ',', ids);
    mTrackList.clear();
    for (const std::string& id : ids) {
        const int track = TrackIndex(id);
        if (track >= 0) {
            mTrackList.push_back(track);
        }
    }
    ReadPairs(element, "minmax", mRanges);
    mChanges = ReadXmlInt(element, "changes", mChanges);
    mRegenerate = ReadXmlBool(element, "regen", true);
    mReturnToStart = ReadXmlBool(element, "rts", false);
    mRelative = ReadXmlBool(element, "relative", false);
    mStartAtRest = ReadXmlBool(element, "rst", false);
    mDuration = ReadXmlFloat(element, "dt", 0);
    mDurationRandom = ReadXmlFloat(element, "dtd", 0);
    mPause = ReadXmlFloat(element, "tbc", 0);
    mPauseRandom = ReadXmlFloat(element, "tbcd", 0);
    mRestPause = ReadXmlFloat(element, "tbr", mPause);
    mRestPauseRandom = ReadXmlFloat(element, "tbrd", mPauseRandom);
}

void TRandomEffector::ReadPairs(const TiXmlElement* element, const char* name,
                                std::vector<std::pair<float, float>>& pairs) {
    pairs.clear();
    ReadXmlFloatPairs(element, name, pairs);
    if (pairs.size() < mTrackList.size()) {
        TLogFile::Get()->Printf("warning: effector %s: %d tracks without a \"%s\" pair dropped", mName.c_str(),
                                static_cast<int>(mTrackList.size() - pairs.size()), name);
        mTrackList.resize(pairs.size());
    }
}

void TRandomEffector::SetOwner(DrawObject* owner) {
    mOwner = owner;
    CaptureStartValues();
    GenerateKeys();
    if (mPlaying) {
        Start();
    }
}

void TRandomEffector::CaptureStartValues() {
    if (mOwner == nullptr) {
        return;
    }
    for (size_t i = mStartValues.size(); i < mTrackList.size(); ++i) {
        mStartValues.push_back(ReadProperty(mOwner, mTrackList[i]));
    }
}

void TRandomEffector::GenerateKeys() {
    const float pause = DrawUniform(mPause, mPause + mPauseRandom);
    const float rest = DrawUniform(mRestPause, mRestPause + mRestPauseRandom);
    const size_t count = std::min({mTrackList.size(), mStartValues.size(), mRanges.size()});
    float time = mStartAtRest ? rest : 0;
    for (size_t j = 0; j < count; ++j) {
        AddKey(mTrackList[j], time, mStartValues[j]);
    }
    for (int32_t i = 0; i < mChanges; ++i) {
        const bool last = i == mChanges - 1;
        time += DrawUniform(mDuration, mDuration + mDurationRandom);
        const float hold = last ? rest : pause;
        for (size_t j = 0; j < count; ++j) {
            float value;
            if (last && mReturnToStart) {
                value = mStartValues[j];
            } else if (!mRelative) {
                value = DrawUniform(mRanges[j].first, mRanges[j].second);
            } else {
                const float current = mOwner != nullptr ? ReadProperty(mOwner, mTrackList[j]) : mStartValues[j];
                value = DrawUniform(current + mRanges[j].first, current + mRanges[j].second);
            }
            AddKey(mTrackList[j], time, value);
            AddKey(mTrackList[j], time + hold, value);
        }
        time += hold;
    }
    mTotalTime = time;
}

void TRandomEffector::Start() {
    TEffector::Start();
    if (mRegenerate && mTotalTime > 0) {
        mRegenTimer.Start(mTotalTime);
    }
}

void TRandomEffector::Update(float seconds) {
    TEffector::Update(seconds);
    if (!mRegenTimer.IsRunning()) {
        return;
    }
    if (mRegenTimer.Update(seconds)) {
        RefreshStartValues();
        Stop();
        ClearKeys();
        GenerateKeys();
        Start();
    }
}

void TRandomEffector::CopyRandomTo(TRandomEffector& clone) const {
    CopyTo(clone);
    clone.mTrackList = mTrackList;
    clone.mRanges = mRanges;
    clone.mStartValues = mStartValues;
    clone.mChanges = mChanges;
    clone.mRegenerate = mRegenerate;
    clone.mReturnToStart = mReturnToStart;
    clone.mRelative = mRelative;
    clone.mStartAtRest = mStartAtRest;
    clone.mPause = mPause;
    clone.mPauseRandom = mPauseRandom;
    clone.mRestPause = mRestPause;
    clone.mRestPauseRandom = mRestPauseRandom;
    clone.mDuration = mDuration;
    clone.mDurationRandom = mDurationRandom;
    clone.mRegenTimer = mRegenTimer;
    clone.mTotalTime = mTotalTime;
}

std::unique_ptr<TEffector> TRandomEffector::Clone() const {
    auto clone = std::make_unique<TRandomEffector>();
    CopyRandomTo(*clone);
    return clone;
}

void TRandomEffectorOwnSV::LoadFromXml(const TiXmlElement* element) {
    TRandomEffector::LoadFromXml(element);
    if (element != nullptr) {
        ReadPairs(element, "sminmax", mStartRanges);
    }
}

void TRandomEffectorOwnSV::CaptureStartValues() {
    mStartValues.clear();
    for (size_t i = 0; i < mTrackList.size() && i < mStartRanges.size(); ++i) {
        mStartValues.push_back(DrawUniform(mStartRanges[i].first, mStartRanges[i].second));
    }
}

std::unique_ptr<TEffector> TRandomEffectorOwnSV::Clone() const {
    auto clone = std::make_unique<TRandomEffectorOwnSV>();
    CopyRandomTo(*clone);
    clone->mStartRanges = mStartRanges;
    return clone;
}
