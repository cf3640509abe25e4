#pragma once
// The horizontal slider: a track image and a thumb image, and a value 0..1 that places the thumb along
// the track. Its receiver hears the value, mapped to an optional range, while it is dragged and when it
// is released.

#include "app/weak_ref.h"
#include "graphics/static_image.h"
#include "windows/window.h"

class TBaseSlider;
class TUIBaseSlider;

class TBaseSliderListener : public TWeakTarget {
public:
    virtual ~TBaseSliderListener() = default;
    virtual void OnSliderChanged(int id, float value, TBaseSlider* slider) {}
    virtual void OnSliderReleased(int id, float value, TBaseSlider* slider) {}
};

class TBaseSlider : public TMyWindow {
public:
    explicit TBaseSlider(TMyWindowContainer* parent = nullptr);

    // A new slider made a child of the window, configured by the box.
    static TBaseSlider* Create(TUIBaseSlider* box, TMyWindow* window);

    void DrawSelf() override;
    void OnMouseDown(const TMouseEvent& event) override;
    void OnMouseMove(const TMouseEvent& event) override;
    void OnMouseUp(const TMouseEvent& event) override;
    void OnMouseDrag(const TMouseEvent& event) override;
    void OnMouseLeave() override;
    // Stores the value clamped to 0..1; no listener is told.
    virtual void SetValue(float value);

    void ApplyDescription(TUIBaseSlider* box);
    // The value mapped to the range (the value itself when the range is empty).
    float GetReportedValue() const;

    TWeakRef<TBaseSliderListener> mSliderListener;
    float mValue = 0;
    int mTrackOffsetY = 0;
    // The thumb's centre runs from the margin to the width minus the margin.
    int mMargin = 0;
    int mThumbOffsetY = 0;
    StaticImage mTrack;
    StaticImage mThumb;
    // A press landed on the thumb and the button is still held.
    bool mGrabbed = false;
    float mRangeMin = 0;
    float mRangeMax = 0;
    int mThumbWidth = 0;
    int mThumbHeight = 0;

private:
    // The part of the width the thumb's centre travels; nothing reacts to the pointer while it is 0 or less.
    int UsableTrack() const;
    // The thumb's offset from the margin.
    int ThumbTravel() const;
    int ThumbDrawnWidth() const;
    bool IsOverThumb(int x, int y) const;
    float ValueAt(int x) const;
};
