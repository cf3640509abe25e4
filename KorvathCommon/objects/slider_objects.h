#pragma once
// Value sliders: a track image and a thumb image, the thumb placed along the track by a value 0..1. The
// plain slider is picked up by one press and put down by the next; the drag slider follows a held drag; the
// springed slider springs back to its default value once released. Other objects set the value directly.

#include <string>

#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "objects/object.h"

class TSliderObject : public TObject {
public:
    ~TSliderObject() override = default;

    // Back to the default value unless the thumb is held.
    void Reset() override;
    int GetTypeId() const override { return 35; }
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    void LoadResources() override;
    void UnloadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    // The object, else the track, else the thumb.
    bool HitTest(int x, int y, bool respectLock) override;
    // Always movable, so the saved record carries the position.
    bool IsMovable() const override { return true; }
    // The object, then the track and the thumb: a view rooms never use.
    virtual void DrawAll();

    // Values outside 0..1 (and NaN) are ignored.
    void SetValue(float value);
    float GetValue() const { return mValue; }
    bool IsDragging() const { return mDragging; }

    std::string mSlideSound;
    int mGrabOffset = 0;
    int mLength = 0;
    float mValue = 0;
    float mDefaultValue = 0;
    bool mDragging = false;
    bool mHorizontal = true;
    StaticImage mTrack;
    StaticImage mThumb;

protected:
    // The thumb follows the pointer while held, pinned to the track's ends.
    void MoveThumb(const TMouseEvent& event);
};

class TDragSliderObject : public TSliderObject {
public:
    ~TDragSliderObject() override = default;

    int GetTypeId() const override { return 36; }
    // Plain moves do not move the thumb.
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    // Puts the held thumb down through a second press.
    bool OnMouseUp(const TMouseEvent& event) override;
    bool OnMouseDrag(const TMouseEvent& event) override;
    bool IsMovable() const override { return true; }
};

class TSpringedObject : public TDragSliderObject {
public:
    ~TSpringedObject() override = default;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 37; }
    // Every release starts the spring back to the default value.
    bool OnMouseUp(const TMouseEvent& event) override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    bool IsMovable() const override { return true; }

    IncValue mSpring;
    float mSpringTime = 0.1f;
};
