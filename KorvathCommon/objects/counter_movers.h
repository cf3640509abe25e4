#pragma once
// Small kinds built on others: the found-counter mover carries a "current/total" text with it, the timed
// frame counter runs its animation for a limited time, and the path image puts a path-carried animation
// into a room.

#include "graphics/move_obj.h"
#include "objects/cadr_object.h"
#include "objects/mover_objects.h"

class TTextObject;

// Steps on activation only; its first text child shows the count and travels with it.
class TFinderMoverObject : public TMoverObject {
public:
    bool Update(float seconds) override;
    // The mover's record and then the current count, so a restored mover keeps its step too.
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    void OnSpaceFirstShow() override;

    // The count as text, the text put at the offset (its children along with it when asked).
    void ShowCount(bool moveChildren = true);

    TTextObject* mText = nullptr;
    int mTextOffsetX = 0;
    int mTextOffsetY = 0;
    int mTotal = 0;
    int mCurrent = 0;

private:
    TTextObject* FindText() const;
};

// Once activated, plays its animation and the clock ticking for "time" seconds, then freezes.
class TDoubleHOCadrObject : public TCadrObject {
public:
    static constexpr const char* kTickingSound = "clockticking";

    bool Update(float seconds) override;
    int GetTypeId() const override { return 69; }
    // The animation's record and the remaining time follow the object record.
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    void Activate(int index, int x, int y) override;
    // Stops the animation and its sound; a tick under way ends by itself.
    void Deactivate(int index, int x, int y) override;
    // Time remains.
    bool IsActive() const override { return mRemaining > 0; }
    // While running, the object and its animation: a view rooms never use.
    virtual void DrawAll();

    float mRemaining = 0;
    float mTime = 0;
};

// A decoration carried along a named path; none of the object attributes apply to it.
class TrajectoryMoverCadrImage2Object : public TObject, public TrajectoryMoverCadrImage2 {
public:
    // The path animation, whatever the visible flag says.
    void Draw(float alpha) override;
    bool Update(float seconds) override;
    // Only the path animation's own description.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
};
