#pragma once
// Key-track animators: an effector drives one object's position, angle, alpha and scales from lists of
// (time, value) keys, one track per property, and may be restarted again and again by a repeater. Made by
// type name, read from "effector" elements and attached to the object that names them.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/key_track.h"
#include "objects/object_services.h"

class DrawObject;
class TBaseBuffer;
class TEffector;
class TRepeater;
class TiXmlElement;

class TEffectorListener {
public:
    virtual ~TEffectorListener() = default;
    virtual void OnStarted(TEffector* effector) {}
    virtual void OnStopped(TEffector* effector) {}
    virtual void OnTrackFinished(TEffector* effector, int track) {}
};

struct TEffectorTrack {
    bool running = false;
    bool keyed = false;
    TKeyTrack keys;
};

class TEffector : public TObjectEffector {
public:
    enum TTrackId { kX, kY, kAngle, kAlpha, kScale, kScaleX, kScaleY, kTrackCount };

    TEffector();
    ~TEffector() override;
    TEffector(const TEffector&) = delete;
    TEffector& operator=(const TEffector&) = delete;

    const std::string& GetName() const override { return mName; }
    void Update(float seconds) override;
    void SetOwner(DrawObject* owner) override;
    virtual void ReadState(TBaseBuffer& buffer);
    virtual void LoadFromXml(const TiXmlElement* element);
    void Start() override;
    void Stop() override;
    virtual void OnTrackFinished(int track);
    virtual void ClearKeys();
    // Same class, description and play state; a repeater of its own, bound to the clone.
    virtual std::unique_ptr<TEffector> Clone() const;
    virtual void WriteState(TBaseBuffer& buffer) const;
    // Whether anything still moves: a repeater whose wait is zero restarts the effector only when not.
    virtual bool IsBusy() const;

    // The track index of a key id ("x", "y", "a", "o", "s", "sx", "sy"), -1 for any other.
    static int TrackIndex(const std::string& id);
    // The owner's value of a track's property, in the coordinates the track writes.
    static float ReadProperty(DrawObject* owner, int track);
    static void WriteProperty(DrawObject* owner, int track, float value);
    void AddKey(int track, float time, float value);

    std::string mName;
    TEffectorListener* mListener = nullptr;
    DrawObject* mOwner = nullptr;
    int32_t mLoop = TKeyTrack::kEndless;
    bool mPlaying = true;
    std::array<TEffectorTrack, kTrackCount> mTracks;
    std::unique_ptr<TRepeater> mRepeater;

protected:
    // Copies the base fields (not the repeater) into a new effector of a subclass.
    void CopyTo(TEffector& clone) const;
    // The repeater of the element, bound to this effector; none for an unknown type.
    void ReadRepeater(const TiXmlElement* element);
};

// Frame strips: the owner's strip animation gets the frame layout.
class TCadrEffector : public TEffector {
public:
    void SetOwner(DrawObject* owner) override;
    void LoadFromXml(const TiXmlElement* element) override;
    std::unique_ptr<TEffector> Clone() const override;

    int32_t mFrameWidth = -1;
    int32_t mFrameHeight = -1;
    int32_t mFrames = -1;
    float mSpeed = 0;
    int32_t mTextureWidth = 0;
    int32_t mTextureHeight = 0;
};

// Track ends go to the owner's parent object.
class TParentSignalEffector : public TEffector {
public:
    void OnTrackFinished(int track) override;
    std::unique_ptr<TEffector> Clone() const override;
};

// A new effector of the type name's class; null for an unknown type.
std::unique_ptr<TEffector> CreateEffector(const std::string& type);

class TBaseEffectorsFactory {
public:
    virtual ~TBaseEffectorsFactory() = default;
    virtual std::unique_ptr<TEffector> Create(const std::string& type) = 0;
};

class TEffectorsFactory : public TBaseEffectorsFactory {
public:
    // The process's factory; null until created.
    static TBaseEffectorsFactory* GetInstance();
    static void CreateInstance();
    static void DestroyInstance();
    // Makes the process's factory when missing, then the effector.
    std::unique_ptr<TEffector> Create(const std::string& type) override;
};
