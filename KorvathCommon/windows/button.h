#pragma once
// The push button and check box: one frame of an image strip chosen by its state (normal, over, down,
// disabled), an optional caption, and presses, releases and clicks reported to a listener. A click is a
// press released while the pointer stayed on the button.

#include "app/weak_ref.h"
#include <memory>

#include "graphics/point_mover.h"
#include "graphics/static_image.h"
#include "windows/text_label.h"
#include "windows/window.h"

class TMyButton;
class TUIMyButton;

// Most operations receive the parent's window id (-1 without a parent), the parent window, the button's
// window id and the button.
class TMyButtonListener : public TWeakTarget {
public:
    virtual ~TMyButtonListener() = default;
    virtual int GetListenerType() const { return 0; }
    // Asked before a click; clearing the flag cancels it.
    virtual void OnButtonMayClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button, bool& mayClick) {
        mayClick = true;
    }
    virtual void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) {}
    // A release over a button that was disabled after its press.
    virtual void OnDisabledButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) {}
    // True makes a disabled button ignore the pointer's move.
    virtual bool IgnoreMoveWhenDisabled(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) {
        return true;
    }
    virtual void OnButtonDown(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) {}
    virtual void OnButtonEnter(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) {}
    virtual void OnButtonLeave(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) {}
    virtual void OnButtonMoveFinished(TMyButton* button) {}
    virtual void OnButtonMoveStarted(TMyButton* button) {}
    // Every release, press and move that reaches the button, before any test.
    virtual void OnButtonRawUp(TMyButton* button) {}
    virtual void OnButtonRawDown(TMyButton* button) {}
    virtual void OnButtonRawMove(TMyButton* button) {}
    // May impose the visual state; false leaves it to the button.
    virtual bool GetButtonState(TMyButton* button, int& state) { return false; }
};

class TMyButton : public TMyWindow {
public:
    enum TVisualState : int { kNormal = 0, kOver = 1, kDown = 2, kDisabled = 3, kStateCount = 4 };

    explicit TMyButton(TMyWindowContainer* parent = nullptr);

    // A new button made a child of the window, configured by the box.
    static TMyButton* Create(TUIMyButton* box, TMyWindow* window);

    int GetType() const override { return kWindowKindButton; }
    // Moves the button along its slide; a button never asks to be closed.
    bool Update(float dt) override;
    void ReleaseTextures() override;
    void DrawSelf() override;
    void OnMouseDown(const TMouseEvent& event) override;
    void OnMouseMove(const TMouseEvent& event) override;
    void OnMouseUp(const TMouseEvent& event) override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;
    // The rectangle, enlarged to the hit box and scaled from the top-left corner.
    bool ContainsPoint(int px, int py) override;
    // With a minimum alpha, points on the image must be that opaque.
    bool AcceptsPoint(int lx, int ly) override;

    // Draws the frame of a state; a width other than 0 replaces the frame's width.
    virtual void DrawFrame(int state, int widthOverride);
    // Pressed, hovered and enabled.
    virtual bool IsPressedInside() const;
    virtual void SetForcedDown(bool down) { mForcedDown = down; }
    virtual bool IsForcedDown() const { return mForcedDown; }
    virtual void StartMove(int x, int y, float seconds);
    virtual void StartMoveHome(float seconds);
    virtual void ApplyMovePosition();
    virtual int GetVisualState();

    void ApplyDescription(TUIMyButton* box);
    // Home position, rectangle and the frames of a vertical strip of rows h high.
    void SetupFrames(int x, int y, int w, int h, int states);
    void CreateCaption(TUIMyButton* box);
    TSimpleTextImage* GetCaption() const { return mCaption.get(); }

    StaticImage mImage;
    bool mPressed = false;
    bool mForcedDown = false;
    bool mCheckbox = false;
    bool mChecked = false;
    int mHomeX = 0;
    int mHomeY = 0;
    TWindowRect mStateRects[kStateCount];
    TWeakRef<TMyButtonListener> mButtonListener;
    // Added to the caption's position while pressed.
    int mPressedTextOffset = 0;
    // The caption shows only while the pointer is over the button.
    bool mTextAsHint = false;
    int mHintX = 0;
    int mHintY = 0;
    int mCaptionOffX = 0;
    int mCaptionOffY = 0;
    TWindowRect mTextRect;
    int mCaptionFlags = 0;
    TPointMover mMover;
    // 0: every point of the rectangle hits.
    float mMinAlpha = 0;
    int mHitWidth = 0;
    int mHitHeight = 0;
    float mScale = 1.0f;

private:
    int ParentId() const;
    void PlaceCaption();

    // Not a child window: the button places and draws it.
    std::unique_ptr<TSimpleTextImage> mCaption;
};
