#include "objects/clock_objects.h"

#include <cmath>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "media/sound_manager.h"
#include "objects/object_listener.h"
#include "objects/object_services.h"
#include "objects/whole_pixels.h"
#include "windows/game_cursors.h"
#include "windows/mouse_event.h"

namespace {

constexpr float kDegreesPerRadian = 57.2957763671875f;
constexpr float kRadiansPerDegree = 0.017453292f;

// Whole degrees 0..359 of any angle in degrees, counting toward zero as turning does.
int WholeDegrees(double degrees) {
    if (!std::isfinite(degrees)) {
        return 0;
    }
    // A thousandth of a degree absorbs the rounding of whole degrees stored in radians, so a hand picked up
    // and put down without turning keeps its angle instead of losing a degree.
    const double whole = std::fmod(std::trunc(std::fabs(degrees) + 0.001), 360.0);
    // Just under a degree short of 0 is still 0, never 360.
    return degrees < 0 ? static_cast<int>(std::fmod(360.0 - whole, 360.0)) : static_cast<int>(whole);
}

// How far apart two angles in degrees are the short way round the circle: 0..180.
double CircleDistance(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

} // namespace

// ---- clock hand ----

void TClockArrowObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    if (!ReadXmlAttribute(element, "rightangle").empty()) {
        mRightAngle = ReadXmlFloat(element, "rightangle", 0) * kRadiansPerDegree;
    } else {
        // Aimed from the point the hand turns about: its draw position, which already holds the rotation
        // centre (the loader took the offset out of the logical position).
        const int cx = WholePixels(GetX());
        const int cy = WholePixels(GetY());
        const float rx = ReadXmlFloat(element, "rx", 0);
        const float ry = ReadXmlFloat(element, "ry", 0);
        mRightAngle = static_cast<float>(std::atan2(ry - static_cast<float>(cy), rx - static_cast<float>(cx)) -
                                         std::atan2(0.0, 100.0));
    }
    mSlideSound = ReadXmlString(element, "slide_sound", "");
}

void TClockArrowObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFixed1000(writer, mAngle);
    WriteFixed1000(writer, mRightAngle);
}

void TClockArrowObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const float angle = ReadFixed1000(reader);
    const float rightAngle = ReadFixed1000(reader);
    if (reader.IsFailed()) {
        return;
    }
    mAngle = angle;
    mRightAngle = rightAngle;
    mDragging = false;
    SyncImage();
}

bool TClockArrowObject::HitTest(int x, int y, bool respectLock) {
    return mDragging || TObject::HitTest(x, y, respectLock);
}

float TClockArrowObject::ComputeDragAngle(int x, int y) {
    const int cx = WholePixels(GetX());
    const int cy = WholePixels(GetY());
    const auto a0 = static_cast<float>(std::atan2(static_cast<double>(mGrabY - cy), static_cast<double>(mGrabX - cx)));
    const auto a1 = static_cast<float>(std::atan2(static_cast<double>(y - cy), static_cast<double>(x - cx)));
    const float degrees = (mGrabAngle - (a0 - a1)) * kDegreesPerRadian;
    return static_cast<float>(WholeDegrees(degrees)) * kRadiansPerDegree;
}

bool TClockArrowObject::IsNearRightAngle() const {
    // A thousandth of a degree absorbs the rounding of whole degrees stored in radians.
    return CircleDistance(static_cast<double>(mAngle) * kDegreesPerRadian,
                          static_cast<double>(mRightAngle) * kDegreesPerRadian) <= kSnapDegrees + 0.001;
}

void TClockArrowObject::StartDrag(int x, int y) {
    mGrabX = x;
    mGrabY = y;
    mGrabAngle = mAngle;
}

void TClockArrowObject::RotateTo(int x, int y) {
    mAngle = ComputeDragAngle(x, y);
    SyncImage();
}

void TClockArrowObject::SetSolved() {
    mAngle = mRightAngle;
    SyncImage();
    mSolved = true;
    ApplyAfterEvent(0);
}

bool TClockArrowObject::OnMouseDown(const TMouseEvent& event) {
    mWrongTool = false;
    return mDragging ? PutDown(event) : PickUp(event);
}

bool TClockArrowObject::PickUp(const TMouseEvent& event) {
    TTool* tool = event.tool;
    const bool hit = (tool != nullptr && mSolved) || TObject::HitTest(event.x, event.y, false);
    if (!hit || (mClickExecuter != nullptr && !mClickExecuter->OnPress(this, event))) {
        return false;
    }
    if (mClickDelayLeft > 0) {
        return false;
    }
    bool advanced = false;
    if (tool != nullptr) {
        if (!NeedsTool()) {
            return hit;
        }
        if (!AcceptsTool(tool)) {
            mWrongTool = true;
            return hit;
        }
        if (!mPocketTools.empty()) {
            if (mListener != nullptr) {
                mListener->OnObjectClicked(this);
            }
            return true;
        }
        advanced = AdvanceCounter(mToolClickCounter, mMaxToolClicks);
    } else {
        advanced = AdvanceCounter(mClickCounter, mMaxClicks);
    }
    if (advanced && !mDragging && !mSolved) {
        mDragging = true;
        StartDrag(event.x, event.y);
    }
    return hit;
}

bool TClockArrowObject::PutDown(const TMouseEvent& event) {
    if (event.tool != nullptr) {
        // A tool the hand does not take leaves it held.
        if (!NeedsTool() || !AcceptsTool(event.tool)) {
            return true;
        }
        mDragging = false;
        if (IsNearRightAngle()) {
            SetSolved();
            ApplyTool(event);
        }
        return true;
    }
    mDragging = false;
    if (IsNearRightAngle()) {
        SetSolved();
        OnClick(event);
    }
    return TObject::HitTest(event.x, event.y, true);
}

void TClockArrowObject::TurnWithPointer(const TMouseEvent& event) {
    TSoundManager* sounds = TSoundManager::GetInstance();
    if (sounds != nullptr && !sounds->IsSoundPlaying(mSlideSound)) {
        sounds->PlaySound(mSlideSound);
    }
    RotateTo(event.x, event.y);
}

bool TClockArrowObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    if (!mDragging) {
        return TObject::OnMouseMove(event, firstHover);
    }
    TurnWithPointer(event);
    return true;
}

// ---- limited hand ----

void TLimitedArrowObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TClockArrowObject::LoadFromXml(element, folder);
    mLowerBound = ReadXmlInt(element, "lbound", 0);
    mUpperBound = ReadXmlInt(element, "ubound", 359);
}

// The plain object's move on purpose, skipping the clock hand's: the knob turns by drags only.
bool TLimitedArrowObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    return TObject::OnMouseMove(event, firstHover); // NOLINT(bugprone-parent-virtual-call)
}

bool TLimitedArrowObject::OnMouseUp(const TMouseEvent& event) {
    mDragging = false;
    return false;
}

bool TLimitedArrowObject::OnMouseDrag(const TMouseEvent& event) {
    if (!mDragging) {
        return false;
    }
    TurnWithPointer(event);
    return true;
}

void TLimitedArrowObject::RotateTo(int x, int y) {
    // Whole degrees by construction: rounded back, not cut, so 30 degrees in radians stays 30.
    const int v = static_cast<int>(std::lround(ComputeDragAngle(x, y) * kDegreesPerRadian));
    const int lb = mLowerBound, ub = mUpperBound;
    const bool inside = (lb < ub && lb <= v && v <= ub) || (ub < lb && ((lb <= v && v < 360) || (0 <= v && v <= ub)));
    if (inside) {
        mAngle = static_cast<float>(v) * kRadiansPerDegree;
    } else {
        // The nearer bound the short way round, so a hand just past 0 of a range across 0 stays near it.
        const double h = std::round(static_cast<double>(mAngle) * kDegreesPerRadian);
        const int bound = CircleDistance(h, lb) < CircleDistance(h, ub) ? lb : ub;
        mAngle = static_cast<float>(bound) * kRadiansPerDegree;
    }
    SyncImage();
}

// ---- clock ----

void TClockObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mKeepOrder = ReadXmlBool(element, "keeporder", false);
    mOnClick = ReadXmlBool(element, "onclick", true);
}

// Only plain clock hands count: other kinds may share a base or an id, so both the class and the id decide.
TClockArrowObject* TClockObject::AsHand(TObject* child) {
    auto* hand = dynamic_cast<TClockArrowObject*>(child);
    return hand != nullptr && hand->GetTypeId() == TClockArrowObject::kTypeId ? hand : nullptr;
}

bool TClockObject::AreAllHandsSolved() const {
    for (const auto& child : GetChildren()) {
        if (AsHand(child.get()) != nullptr && !child->IsSolved()) {
            return false;
        }
    }
    return true;
}

bool TClockObject::HaveAllChildrenHadTools() const {
    for (const auto& child : GetChildren()) {
        if (!child->mToolApplied) {
            return false;
        }
    }
    return true;
}

bool TClockObject::NeedsTool() const {
    for (const auto& child : GetChildren()) {
        if (child->NeedsTool()) {
            return true;
        }
    }
    return false;
}

bool TClockObject::AcceptsTool(TTool* tool) {
    for (const auto& child : GetChildren()) {
        if (child->AcceptsTool(tool)) {
            return true;
        }
        if (mKeepOrder && child->NeedsTool() && !child->mToolApplied) {
            return false;
        }
    }
    return false;
}

bool TClockObject::OnMouseDown(const TMouseEvent& event) {
    if (mLocked) {
        return event.tool == nullptr ? TObject::HitTest(event.x, event.y, true) : false;
    }
    const bool hit = TObject::HitTest(event.x, event.y, false);
    if (!hit || mSolved) {
        return false;
    }
    if (TGameCursors* cursors = TGameCursors::FindInstance()) {
        cursors->Select("active");
    }
    return event.tool != nullptr ? PressWithTool(event, hit) : PressWithoutTool(event, hit);
}

bool TClockObject::PressWithTool(const TMouseEvent& event, bool hit) {
    if (!NeedsTool()) {
        return hit;
    }
    if (!AcceptsTool(event.tool)) {
        mWrongTool = true;
        return hit;
    }
    for (const auto& child : GetChildren()) {
        if (!child->AcceptsTool(event.tool)) {
            continue;
        }
        if (child->OnMouseDown(event) && AsHand(child.get()) != nullptr && child->IsSolved()) {
            mSolved = HaveAllChildrenHadTools();
            if (mSolved) {
                ApplyAfterEvent(0);
                ApplyTool(event);
            }
        }
        break;
    }
    return hit;
}

bool TClockObject::PressWithoutTool(const TMouseEvent& event, bool hit) {
    if (!mOnClick) {
        return false;
    }
    if (!AdvanceCounter(mClickCounter, mMaxClicks)) {
        return hit;
    }
    bool held = false;
    for (const auto& child : GetChildren()) {
        const TClockArrowObject* hand = dynamic_cast<TClockArrowObject*>(child.get());
        held = held || (hand != nullptr && hand->mDragging);
    }
    for (const auto& child : GetChildren()) {
        const bool heldBefore = held;
        child->OnMouseDown(event);
        LogDebug("Mouse down: %s", child->mName.c_str());
        auto* hand = dynamic_cast<TClockArrowObject*>(child.get());
        if (heldBefore) {
            // One press drops a held hand or picks one up, never both.
            if (hand != nullptr) {
                hand->mDragging = false;
            }
        } else {
            held = hand != nullptr && hand->mDragging;
        }
        if (AsHand(child.get()) != nullptr && child->IsSolved()) {
            mSolved = AreAllHandsSolved();
            if (mSolved) {
                return FinishByClick(event);
            }
        }
    }
    return hit;
}

bool TClockObject::FinishByClick(const TMouseEvent& event) {
    ApplyAfterEvent(0);
    OnClick(event);
    // Handed out as every object hands its records out, so a record is never given twice (a "tools" list
    // also brings the giving click executer, which may have handed it out during the click already).
    if (mClickCounter >= 0 && mClickCounter < static_cast<int>(mGivenTools.size())) {
        GiveTool(mClickCounter, mGivenTools);
        Lock();
        if (mHideOnClick) {
            SetVisible(false);
        }
        return true;
    }
    if (mListener != nullptr) {
        mListener->OnObjectClicked(this);
    }
    return true;
}

bool TClockObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    bool handled = false;
    for (const auto& child : GetChildren()) {
        const TClockArrowObject* hand = AsHand(child.get());
        if (hand != nullptr && hand->mDragging) {
            handled = child->OnMouseMove(event, firstHover) || handled;
        }
    }
    if (handled) {
        return true;
    }
    for (const auto& child : GetChildren()) {
        const TClockArrowObject* hand = AsHand(child.get());
        if ((hand == nullptr || !hand->mDragging) && child->OnMouseMove(event, firstHover)) {
            return true;
        }
    }
    return false;
}

bool TClockObject::OnMouseUp(const TMouseEvent& event) {
    bool any = false;
    for (const auto& child : GetChildren()) {
        any = child->OnMouseUp(event) || any;
    }
    return any;
}
