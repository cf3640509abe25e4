#pragma once
// Clock hands the player turns with the pointer until each points at its right angle, the limited hand (a
// knob kept inside a range of degrees while the button is held) and the clock that collects hands and is
// solved when all of them are. Hands draw as any object, their image turned by the hand's angle about the
// draw position, which is also the centre they turn about.

#include <string>

#include "objects/object.h"

class TClockArrowObject : public TObject {
public:
    static constexpr int kTypeId = 20;
    // A hand put down this close to its right angle snaps to it.
    static constexpr float kSnapDegrees = 15.0f;

    int GetTypeId() const override { return kTypeId; }
    // Picks the hand up, or puts a held hand down (and solves it when it is close enough).
    bool OnMouseDown(const TMouseEvent& event) override;
    // A held hand follows the pointer and plays its slide sound.
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    bool OnMouseUp(const TMouseEvent& event) override { return false; }
    // The angle and the right angle after the object's record; a held hand is not held after restoring.
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    // Always hit while held, so the pointer may wander off the image.
    bool HitTest(int x, int y, bool respectLock) override;
    // The position is always saved: a hand may be moved by its owner.
    bool IsMovable() const override { return true; }

    // Snaps to the right angle, marks the hand solved and reports after-event 0.
    virtual void SetSolved();
    virtual void StartDrag(int x, int y);
    virtual void RotateTo(int x, int y);

    // The angle the pointer at x, y asks for: the grab angle turned by the pointer's turn about the draw
    // position since the grab, in whole degrees 0..359, returned in radians.
    float ComputeDragAngle(int x, int y);
    // Within the snap distance of the right angle, measured the short way round the circle.
    bool IsNearRightAngle() const;

    // Radians.
    float mRightAngle = 0;
    bool mDragging = false;
    int mGrabX = 0;
    int mGrabY = 0;
    float mGrabAngle = 0;
    std::string mSlideSound;

protected:
    // The turning move of a held hand: its slide sound, then the turn.
    void TurnWithPointer(const TMouseEvent& event);

private:
    bool PickUp(const TMouseEvent& event);
    bool PutDown(const TMouseEvent& event);
};

// The hand turned while the button is held; it has nothing of its own.
class TDragClockArrowObject : public TClockArrowObject {};

class TLimitedArrowObject : public TDragClockArrowObject {
public:
    static constexpr int kTypeId = 29;

    int GetTypeId() const override { return kTypeId; }
    // A plain object's move: the limited hand turns only while dragged.
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    // Releasing always ends the hold, so a limited hand is never put down by a press.
    bool OnMouseUp(const TMouseEvent& event) override;
    bool OnMouseDrag(const TMouseEvent& event) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // Turns within the bounds; a turn outside them stops at the bound nearer the hand.
    void RotateTo(int x, int y) override;

    // Whole degrees; the range runs from the lower bound up through 360 when the upper bound is smaller.
    int mLowerBound = 0;
    int mUpperBound = 359;
};

class TClockObject : public TObject {
public:
    static constexpr int kTypeId = 21;

    int GetTypeId() const override { return kTypeId; }
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    bool OnMouseUp(const TMouseEvent& event) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    bool NeedsTool() const override;
    bool AcceptsTool(TTool* tool) override;

    // The clock's own, apart from the object's: whether presses without a tool reach the hands.
    // Zero until loaded, as every field the factory does not preset; the loader's default is true.
    bool mOnClick = false;
    bool mKeepOrder = false;

private:
    // The children that count as hands: plain clock hands only.
    static TClockArrowObject* AsHand(TObject* child);
    bool PressWithTool(const TMouseEvent& event, bool hit);
    bool PressWithoutTool(const TMouseEvent& event, bool hit);
    bool AreAllHandsSolved() const;
    bool HaveAllChildrenHadTools() const;
    // After-event 0, the click, and the tool record of this click when there is one.
    bool FinishByClick(const TMouseEvent& event);
};
