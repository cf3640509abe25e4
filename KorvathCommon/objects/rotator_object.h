#pragma once
// The rotator turns an image of its own by a set number of turns at each activation, then reports
// after-event 0. The turning is a small owned effect that tells its listener when it is done.

#include <memory>
#include <string>
#include <vector>

#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "objects/object.h"

// Small owned objects updated every frame and deleted once done.
class TSimpleObject {
public:
    TSimpleObject() = default;
    TSimpleObject(const TSimpleObject&) = delete;
    TSimpleObject& operator=(const TSimpleObject&) = delete;
    virtual ~TSimpleObject() = default;
    virtual void Update(float seconds) {}
    virtual void Reset() {}

    std::string mName;
    // Posted as an interface message when the effect is done; empty posts nothing.
    std::string mMessageName;
    bool mDone = false;
};

class TSimpleObjectList {
public:
    TSimpleObject* Find(const std::string& name) const;
    // Every effect hears the update, then the done ones are deleted in list order.
    void Update(float seconds);
    void Clear() { mObjects.clear(); }
    void Add(std::unique_ptr<TSimpleObject> object) { mObjects.push_back(std::move(object)); }
    size_t Size() const { return mObjects.size(); }

private:
    std::vector<std::unique_ptr<TSimpleObject>> mObjects;
};

class TRotationEffectListener {
public:
    virtual ~TRotationEffectListener() = default;
    virtual void OnRotationDone(const std::string& name) {}
};

// Turns an image it does not own from its angle to a target angle (radians).
class TRotationEffect : public TSimpleObject {
public:
    TRotationEffect(const std::string& name, StaticImage* image, float target, float seconds,
                    TRotationEffectListener* listener);
    void Update(float seconds) override;

    StaticImage* mImage;
    IncValue mTween;
    TRotationEffectListener* mListener;
};

class TRotatorObject : public TObject, public TRotationEffectListener {
public:
    static constexpr float kTurn = 6.2831855f;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 46; }
    void LoadResources() override;
    void UnloadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The running flag, then the image's angle (at the end of a running turn), so a restored rotator shows
    // the turn it was making.
    void SaveState(TBaseBuffer& writer) override;
    // Ignored while a rotation runs.
    void Activate(int index, int x, int y) override;
    void OnRotationDone(const std::string& name) override;
    // The object, then its rotating image: a view rooms never use.
    virtual void DrawAll();

    float mTurns = 0;
    float mTime = -1;
    bool mDonePending = false;
    StaticImage mRotImage;
    TSimpleObjectList mEffects;
};
