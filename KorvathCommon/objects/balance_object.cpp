#include "objects/balance_object.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"
#include "objects/clock_objects.h"
#include "objects/slider_objects.h"
#include "windows/mouse_event.h"

namespace {

constexpr float kDegreesPerRadian = 57.2957763671875f;
constexpr float kRadiansPerDegree = 0.017453292f;
constexpr float kKnobTolerance = 15.0f;
constexpr float kTweenSeconds = 0.5f;

const char* const kMagnetIds[] = {"magnet1", "magnet2", "magnet3"};

// The knob's parts the balance reads: its angle, its bounds, whether it is held, its right angle.
float KnobDegrees(const TLimitedArrowObject& knob) {
    return knob.mAngle * kDegreesPerRadian;
}

// Counted in 64 bits: bounds a broken file puts at int's two ends are still apart by their true span.
int64_t KnobSpan(const TLimitedArrowObject& knob) {
    return static_cast<int64_t>(knob.mUpperBound) - knob.mLowerBound;
}

// One term of the position, toward zero. A product a broken "values" list or knob carries past int is held
// at int's end and one that is not a number counts as 0, so the sum of the four terms stays exact.
int64_t WholeTerm(float product) {
    if (std::isnan(product)) {
        return 0;
    }
    return static_cast<int64_t>(
        std::clamp(static_cast<double>(product), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

} // namespace

void TBalanceObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    std::vector<std::string> entries;
    ReadXmlStringList(element, "values", ',', entries);
    mValues.clear();
    for (const std::string& entry : entries) {
        mValues.push_back(std::atoi(entry.c_str()));
    }
}

namespace {

template <typename Kind> Kind* FindPart(TObject& owner, const std::string& id) {
    for (const auto& child : owner.GetChildren()) {
        if (child->mName == id) {
            auto* part = dynamic_cast<Kind*>(child.get());
            if (part == nullptr) {
                TLogFile::Get()->Printf("balance %s: part %s is not of its kind, skipped", owner.mName.c_str(),
                                        id.c_str());
            }
            return part;
        }
    }
    TLogFile::Get()->Printf("balance %s: part %s missing", owner.mName.c_str(), id.c_str());
    return nullptr;
}

} // namespace

void TBalanceObject::FindParts() {
    for (int i = 0; i < 3; ++i) {
        mMagnets[i] = FindPart<TSliderObject>(*this, kMagnetIds[i]);
    }
    mKnob = FindPart<TLimitedArrowObject>(*this, "magnet4");
    mLeft = FindPart<TSliderObject>(*this, "balance_left");
    mRight = FindPart<TSliderObject>(*this, "balance_right");
    mBall = FindPart<TObject>(*this, "ball");
}

bool TBalanceObject::HasParts() const {
    return mMagnets[0] != nullptr && mMagnets[1] != nullptr && mMagnets[2] != nullptr && mKnob != nullptr &&
           mLeft != nullptr && mRight != nullptr;
}

void TBalanceObject::OnSpaceShow() {
    FindParts();
    if (static_cast<int>(mValues.size()) < kValueCount) {
        TLogFile::Get()->Printf("balance %s: %d values, %d needed: not computed", mName.c_str(),
                                static_cast<int>(mValues.size()), kValueCount);
    } else if (mValues[4] == 0) {
        TLogFile::Get()->Printf("balance %s: full scale 0 refused: not computed", mName.c_str());
    } else if (mKnob != nullptr && KnobSpan(*mKnob) == 0) {
        TLogFile::Get()->Printf("balance %s: knob bounds %d..%d refused: not computed", mName.c_str(),
                                mKnob->mLowerBound, mKnob->mUpperBound);
    }
    Compute(false);
}

bool TBalanceObject::CanCompute() const {
    return HasParts() && static_cast<int>(mValues.size()) >= kValueCount && mValues[4] != 0 && KnobSpan(*mKnob) != 0;
}

std::optional<int> TBalanceObject::ComputePosition() const {
    if (!CanCompute()) {
        return std::nullopt;
    }
    const float knob = 1.0f - KnobDegrees(*mKnob) / static_cast<float>(KnobSpan(*mKnob));
    int64_t position = WholeTerm(knob * static_cast<float>(mValues[3]));
    for (int i = 0; i < 3; ++i) {
        position += WholeTerm(static_cast<float>(mValues[static_cast<size_t>(i)]) * mMagnets[i]->mValue);
    }
    if (position < INT_MIN || position > INT_MAX) {
        return position < 0 ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(position);
}

void TBalanceObject::Compute(bool animate) {
    const std::optional<int> computed = ComputePosition();
    if (!computed) {
        return;
    }
    const int position = *computed;
    if ((position == INT_MIN || position == INT_MAX) && !mReportedHeldPosition) {
        mReportedHeldPosition = true;
        TLogFile::Get()->Printf("balance %s: position beyond int held at %d", mName.c_str(), position);
    }
    const float d = static_cast<float>(position) / static_cast<float>(mValues[4]);
    if (position == mValues[4] / 2 && !mMiddleReached) {
        ApplyAfterEvent(0);
        mMiddleReached = true;
    }
    if (animate) {
        mBalanceTween.Set(mRight->mValue, d, kTweenSeconds, true);
    } else {
        ShowOnIndicators(d);
    }
}

void TBalanceObject::ShowOnIndicators(float value) {
    mRight->SetValue(value);
    mLeft->SetValue(1.0f - value);
}

void TBalanceObject::Activate(int index, int x, int y) {
    mArmed = true;
    if (mKnob != nullptr) {
        mKnob->mRightAngle = static_cast<float>(mKnob->mUpperBound) * kRadiansPerDegree;
    }
}

void TBalanceObject::OnEffectorTrackFinished(int track) {
    ApplyAfterEvent(1);
}

bool TBalanceObject::IsKnobAtRightAngle() const {
    float difference = std::fmod(std::fabs(mKnob->mAngle - mKnob->mRightAngle) * kDegreesPerRadian, 360.0f);
    if (difference > 180.0f) {
        difference = 360.0f - difference;
    }
    return difference < kKnobTolerance;
}

bool TBalanceObject::Update(float seconds) {
    TObject::Update(seconds);
    if (!mBalanceTween.finished && mLeft != nullptr && mRight != nullptr) {
        mBalanceTween.Update(seconds);
        ShowOnIndicators(mBalanceTween.current);
    }
    if (mArmed && mKnob != nullptr && !mKnob->mDragging && IsKnobAtRightAngle()) {
        mArmed = false;
        ApplyAfterEvent(2);
    }
    return false;
}

bool TBalanceObject::OnMouseDown(const TMouseEvent& event) {
    Compute(true);
    for (const auto& child : GetChildren()) {
        if (child.get() == mLeft || child.get() == mRight) {
            continue;
        }
        if (child->OnMouseDown(event)) {
            return true;
        }
    }
    // The balance's own handling only: the container's would offer the event to the parts again.
    return TObject::OnMouseDown(event); // NOLINT(bugprone-parent-virtual-call)
}

bool TBalanceObject::OnMouseUp(const TMouseEvent& event) {
    Compute(true);
    for (const auto& child : GetChildren()) {
        if (child->OnMouseUp(event)) {
            return true;
        }
    }
    // The balance's own handling only: the container's would offer the event to the parts again.
    return TObject::OnMouseUp(event); // NOLINT(bugprone-parent-virtual-call)
}

bool TBalanceObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    for (const auto& child : GetChildren()) {
        if (child->OnMouseMove(event, firstHover)) {
            return true;
        }
    }
    // The balance's own handling only: the container's would offer the event to the parts again.
    return TObject::OnMouseMove(event, firstHover); // NOLINT(bugprone-parent-virtual-call)
}

void TBalanceObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mArmed);
    WriteFlag(writer, mMiddleReached);
    mBalanceTween.Write(writer);
    mBallMover.Write(writer);
}

void TBalanceObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mArmed = ReadFlag(reader);
    mMiddleReached = ReadFlag(reader);
    mBalanceTween.Read(reader);
    mBallMover.Read(reader);
}
