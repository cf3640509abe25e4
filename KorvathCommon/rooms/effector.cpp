#include "rooms/effector.h"

#include <algorithm>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/cadr_image.h"
#include "graphics/saved_flags.h"
#include "objects/cadr_object.h"
#include "objects/object.h"
#include "rooms/random_effector.h"
#include "rooms/repeater.h"
#include "rooms/trajectory_effector.h"

namespace {

constexpr const char* kTrackIds[TEffector::kTrackCount] = {"x", "y", "a", "o", "s", "sx", "sy"};

std::unique_ptr<TBaseEffectorsFactory> gEffectorsFactory;

} // namespace

TEffector::TEffector() = default;
TEffector::~TEffector() = default;

int TEffector::TrackIndex(const std::string& id) {
    for (int i = 0; i < kTrackCount; ++i) {
        if (id == kTrackIds[i]) {
            return i;
        }
    }
    return -1;
}

// Scene objects keep a logical position apart from where they are drawn: tracks read and write the
// logical one, so one axis's track never drags the other by the draw anchor.
float TEffector::ReadProperty(DrawObject* owner, int track) {
    auto* object = dynamic_cast<TObject*>(owner);
    switch (track) {
    case kX:
        return object != nullptr ? object->mX : owner->GetX();
    case kY:
        return object != nullptr ? object->mY : owner->GetY();
    case kAngle:
        return owner->mAngle;
    case kAlpha:
        return owner->mAlpha;
    case kScale:
    case kScaleX:
        return owner->GetScaleX();
    case kScaleY:
        return owner->GetScaleY();
    default:
        return 0;
    }
}

void TEffector::WriteProperty(DrawObject* owner, int track, float value) {
    switch (track) {
    case kX:
        owner->SetPosition(value, ReadProperty(owner, kY), true);
        break;
    case kY:
        owner->SetPosition(ReadProperty(owner, kX), value, true);
        break;
    case kAngle:
        owner->mAngle = value;
        break;
    case kAlpha:
        owner->mAlpha = std::clamp(value, 0.0f, 1.0f);
        break;
    case kScale:
        owner->SetScale(value);
        break;
    case kScaleX:
        owner->SetScaleXY(value, owner->GetScaleY());
        break;
    case kScaleY:
        owner->SetScaleXY(owner->GetScaleX(), value);
        break;
    default:
        break;
    }
}

void TEffector::AddKey(int track, float time, float value) {
    if (track < 0 || track >= kTrackCount) {
        return;
    }
    TEffectorTrack& t = mTracks[static_cast<size_t>(track)];
    t.keys.times.push_back(time);
    t.keys.values.push_back(value);
    t.keyed = true;
}

void TEffector::SetOwner(DrawObject* owner) {
    mOwner = owner;
}

void TEffector::LoadFromXml(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    mName = ReadXmlString(element, "name", "");
    mPlaying = ReadXmlBool(element, "play", mPlaying);
    mLoop = ReadXmlInt(element, "loop", mLoop);
    for (const TiXmlElement* key = element->FirstChildElement("key"); key != nullptr;
         key = key->NextSiblingElement("key")) {
        AddKey(TrackIndex(ReadXmlString(key, "id", "")), ReadXmlFloat(key, "time", 0), ReadXmlFloat(key, "value", 0));
    }
    ReadRepeater(element->FirstChildElement("repeater"));
    if (mPlaying && !mRepeater) {
        Start();
    }
}

void TEffector::ReadRepeater(const TiXmlElement* element) {
    if (element != nullptr) {
        mRepeater = CreateRepeater(element, this);
    }
}

void TEffector::Start() {
    for (TEffectorTrack& track : mTracks) {
        if (!track.keyed) {
            continue;
        }
        TKeyTrack& keys = track.keys;
        keys.repeats = mLoop;
        keys.segment = 0;
        keys.finished = false;
        if (keys.values.size() >= 2 && keys.times.size() >= 2) {
            keys.StartSegment(0);
        } else if (!keys.values.empty()) {
            // A lone key is a value to set once, not a segment.
            keys.tween.SetValue(keys.values[0]);
        }
        track.running = true;
    }
    mPlaying = true;
    if (mListener != nullptr) {
        mListener->OnStarted(this);
    }
}

void TEffector::Stop() {
    for (TEffectorTrack& track : mTracks) {
        track.keys.tween.SetValue(track.keys.tween.current);
        track.keys.finished = true;
        track.running = false;
    }
    mPlaying = false;
    if (mListener != nullptr) {
        mListener->OnStopped(this);
    }
}

void TEffector::Update(float seconds) {
    if (!mPlaying || mOwner == nullptr) {
        return;
    }
    for (int i = 0; i < kTrackCount; ++i) {
        TEffectorTrack& track = mTracks[static_cast<size_t>(i)];
        if (!track.running) {
            continue;
        }
        const bool ended = track.keys.Update(seconds);
        if (ended) {
            track.running = false;
        }
        WriteProperty(mOwner, i, track.keys.tween.current);
        if (ended) {
            OnTrackFinished(i);
        }
    }
    if (mRepeater) {
        mRepeater->Update(seconds);
    }
}

bool TEffector::IsBusy() const {
    return std::any_of(mTracks.begin(), mTracks.end(), [](const TEffectorTrack& t) { return t.running; });
}

void TEffector::OnTrackFinished(int track) {
    if (auto* object = dynamic_cast<TObject*>(mOwner)) {
        object->OnEffectorTrackFinished(track);
    }
    if (mListener != nullptr) {
        mListener->OnTrackFinished(this, track);
    }
}

void TEffector::ClearKeys() {
    for (TEffectorTrack& track : mTracks) {
        track.keys.values.clear();
        track.keys.times.clear();
        track.keys.tween.SetValue(track.keys.tween.current);
        track.running = false;
        track.keyed = false;
    }
}

void TEffector::CopyTo(TEffector& clone) const {
    clone.mName = mName;
    clone.mListener = mListener;
    clone.mOwner = mOwner;
    clone.mLoop = mLoop;
    clone.mPlaying = mPlaying;
    clone.mTracks = mTracks;
    if (mRepeater) {
        clone.mRepeater = mRepeater->CloneFor(&clone);
    }
}

std::unique_ptr<TEffector> TEffector::Clone() const {
    auto clone = std::make_unique<TEffector>();
    CopyTo(*clone);
    return clone;
}

void TEffector::WriteState(TBaseBuffer& buffer) const {
    WriteFlag(buffer, mPlaying);
    for (const TEffectorTrack& track : mTracks) {
        WriteFlag(buffer, track.running);
        WriteFlag(buffer, track.keyed);
        track.keys.Write(buffer);
    }
    if (mRepeater) {
        mRepeater->WriteState(buffer);
    }
}

void TEffector::ReadState(TBaseBuffer& buffer) {
    mPlaying = ReadFlag(buffer);
    for (TEffectorTrack& track : mTracks) {
        track.running = ReadFlag(buffer);
        track.keyed = ReadFlag(buffer);
        track.keys.Read(buffer);
        if (buffer.IsFailed()) {
            return;
        }
    }
    if (mRepeater) {
        mRepeater->ReadState(buffer);
    }
}

// ---- frame strips and parent signals ----

void TCadrEffector::LoadFromXml(const TiXmlElement* element) {
    TEffector::LoadFromXml(element);
    if (element == nullptr) {
        return;
    }
    mFrameWidth = ReadXmlInt(element, "cadr_width", -1);
    mFrameHeight = ReadXmlInt(element, "cadr_height", -1);
    mFrames = ReadXmlInt(element, "frames", -1);
    mSpeed = ReadXmlFloat(element, "speed", 0);
    mTextureWidth = ReadXmlInt(element, "tw", 0);
    mTextureHeight = ReadXmlInt(element, "th", 0);
}

void TCadrEffector::SetOwner(DrawObject* owner) {
    mOwner = owner;
    auto* cadr = dynamic_cast<TCadrObject*>(owner);
    if (cadr == nullptr || cadr->mAnimation.Get() == nullptr) {
        return;
    }
    TCadrImage* image = cadr->mAnimation.Get();
    image->mTextureWidth = mTextureWidth;
    image->mTextureHeight = mTextureHeight;
    image->SetFrames(mSpeed, mFrames, mFrameWidth, mFrameHeight);
    image->SetScale(owner->GetScaleX());
}

std::unique_ptr<TEffector> TCadrEffector::Clone() const {
    auto clone = std::make_unique<TCadrEffector>();
    CopyTo(*clone);
    clone->mFrameWidth = mFrameWidth;
    clone->mFrameHeight = mFrameHeight;
    clone->mFrames = mFrames;
    clone->mSpeed = mSpeed;
    clone->mTextureWidth = mTextureWidth;
    clone->mTextureHeight = mTextureHeight;
    return clone;
}

void TParentSignalEffector::OnTrackFinished(int track) {
    auto* object = dynamic_cast<TObject*>(mOwner);
    if (object != nullptr && object->GetParent() != nullptr) {
        object->GetParent()->OnEffectorTrackFinished(track);
    }
    if (mListener != nullptr) {
        mListener->OnTrackFinished(this, track);
    }
}

std::unique_ptr<TEffector> TParentSignalEffector::Clone() const {
    auto clone = std::make_unique<TParentSignalEffector>();
    CopyTo(*clone);
    return clone;
}

// ---- making them ----

std::unique_ptr<TEffector> CreateEffector(const std::string& type) {
    if (type.empty()) {
        return std::make_unique<TEffector>();
    }
    if (type == "cadr") {
        return std::make_unique<TCadrEffector>();
    }
    if (type == "parent_signal") {
        return std::make_unique<TParentSignalEffector>();
    }
    if (type == "random") {
        return std::make_unique<TRandomEffector>();
    }
    if (type == "randomsv") {
        return std::make_unique<TRandomEffectorOwnSV>();
    }
    if (type == "trajectory") {
        return std::make_unique<TTrajectoryEffector>();
    }
    return nullptr;
}

TBaseEffectorsFactory* TEffectorsFactory::GetInstance() {
    return gEffectorsFactory.get();
}

void TEffectorsFactory::CreateInstance() {
    if (!gEffectorsFactory) {
        gEffectorsFactory = std::make_unique<TEffectorsFactory>();
    }
}

void TEffectorsFactory::DestroyInstance() {
    gEffectorsFactory.reset();
}

std::unique_ptr<TEffector> TEffectorsFactory::Create(const std::string& type) {
    CreateInstance();
    return CreateEffector(type);
}
