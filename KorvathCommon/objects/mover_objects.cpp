#include "objects/mover_objects.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/buffer.h"
#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"
#include "media/sound_manager.h"
#include "objects/whole_pixels.h"

namespace {

// A target's reach either side of it, at most: its place is held within 2^29 pixels, so sums stay inside int.
constexpr int kFarRadius = 536870912;

} // namespace

// ---- mover ----

void TMoverObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    std::vector<std::string> pieces;
    ReadXmlStringList(element, "poss", ';', pieces);
    mPositions.clear();
    for (const std::string& piece : pieces) {
        int x = 0, y = 0;
        if (std::sscanf(piece.c_str(), "%d,%d", &x, &y) != 2) {
            TLogFile::Get()->Printf("mover %s: position %s is not two numbers", mName.c_str(), piece.c_str());
            continue;
        }
        mPositions.emplace_back(x, y);
    }
    mPositionCount = static_cast<int>(mPositions.size());
    if (!mPositions.empty()) {
        mX = static_cast<float>(mPositions[0].first);
        mY = static_cast<float>(mPositions[0].second);
        RefreshCachedDrawPosition();
    }
    ReadXmlStringList(element, "time", ';', pieces);
    mTimes.assign(std::max(mPositions.size(), pieces.size()), 0.0f);
    for (size_t i = 0; i < pieces.size(); ++i) {
        float value = 0;
        if (std::sscanf(pieces[i].c_str(), "%f", &value) == 1) {
            mTimes[i] = value;
        }
    }
    for (size_t i = 1; i < mTimes.size(); ++i) {
        if (mTimes[i] == 0) {
            mTimes[i] = mTimes[0];
        }
    }
    const std::string anim = ReadXmlString(element, "animtype", "");
    mAnimType = anim.empty() || anim == "looped" ? kAnimWrap : kAnimStay;
    mOnClick = ReadXmlBool(element, "onclick", true);
    mContinueSteps = ReadXmlBool(element, "continuesteps", false);
    if (mPositions.empty()) {
        TLogFile::Get()->Printf("mover %s: no positions, it stays where it is", mName.c_str());
    }
    if (mActive) {
        Activate(0, 0, 0);
    }
}

void TMoverObject::NextIndex() {
    if (mPositionCount <= 0) {
        return;
    }
    if (mAnimType == kAnimStay) {
        mTargetIndex = std::min(mTargetIndex + 1, mPositionCount - 1);
    } else if (mAnimType == kAnimWrap) {
        mTargetIndex = mTargetIndex + 1 >= mPositionCount ? 0 : mTargetIndex + 1;
    }
}

void TMoverObject::PlaceAt(int index) {
    SetPosition(static_cast<float>(mPositions[static_cast<size_t>(index)].first),
                static_cast<float>(mPositions[static_cast<size_t>(index)].second), true);
}

bool TMoverObject::StartMove() {
    if (!HasPosition(mCurrentIndex) || !HasPosition(mTargetIndex)) {
        mMoving = false;
        mActive = false;
        return false;
    }
    const size_t current = static_cast<size_t>(mCurrentIndex);
    if (current < mTimes.size() && mTimes[current] != 0) {
        NextIndex();
        if (mTargetIndex != mCurrentIndex) {
            const auto& from = mPositions[current];
            const auto& to = mPositions[static_cast<size_t>(mTargetIndex)];
            mPointMover.StartSegment(static_cast<float>(from.first), static_cast<float>(from.second),
                                     static_cast<float>(to.first), static_cast<float>(to.second), mTimes[current], 0,
                                     true);
            mMoving = true;
        }
    } else {
        mMoving = false;
        NextIndex();
        mCurrentIndex = mTargetIndex;
        PlaceAt(mTargetIndex);
    }
    mActive = mMoving;
    return mMoving;
}

void TMoverObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    StartMove();
}

void TMoverObject::DoClickAction(int clickNumber, int x, int y) {
    if (!mOnClick) {
        return;
    }
    StartMove();
    if (!mSound.empty()) {
        PlaySpaceSound(mSound);
    }
}

bool TMoverObject::Update(float seconds) {
    if (mMoving) {
        const bool done = mPointMover.Update(seconds);
        if (mPointMover.moving) {
            SetPosition(mPointMover.currentX, mPointMover.currentY, true);
        }
        if (done || !mPointMover.moving) {
            mCurrentIndex = mTargetIndex;
            mActive = false;
            mMoving = false;
            PlaceAt(mCurrentIndex);
            ApplyAfterEvent(0);
            if (mCurrentIndex == mPositionCount - 1) {
                ApplyAfterEvent(1);
            }
            if (mContinueSteps) {
                StartMove();
            }
        }
    }
    TObject::Update(seconds);
    return false;
}

void TMoverObject::MoveBy(int dx, int dy) {
    TObject::MoveBy(dx, dy);
    for (auto& [x, y] : mPositions) {
        x += dx;
        y += dy;
    }
}

void TMoverObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    writer.WriteInt32(mCurrentIndex);
    writer.WriteInt32(mTargetIndex);
    writer.WriteInt32(mPositionCount);
    WriteFlag(writer, mMoving);
    writer.WriteInt32(static_cast<int>(mPositions.size()));
    for (const auto& [x, y] : mPositions) {
        writer.WriteInt32(x);
        writer.WriteInt32(y);
    }
    mPointMover.Write(writer);
}

void TMoverObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mCurrentIndex = reader.ReadInt32();
    mTargetIndex = reader.ReadInt32();
    mPositionCount = reader.ReadInt32();
    mMoving = ReadFlag(reader);
    const int count = reader.ReadInt32();
    // Each position takes 8 bytes; a count the record cannot hold is damage, not a list.
    if (count < 0 || count > reader.GetBytesLeft() / 8) {
        TLogFile::Get()->Printf("mover %s: saved position count %d refused", mName.c_str(), count);
        reader.SetFailed();
        return;
    }
    mPositions.resize(static_cast<size_t>(count));
    for (auto& [x, y] : mPositions) {
        x = reader.ReadInt32();
        y = reader.ReadInt32();
    }
    mPointMover.Read(reader);
    if (mPositionCount != count || !HasPosition(mCurrentIndex) || !HasPosition(mTargetIndex)) {
        TLogFile::Get()->Printf("mover %s: saved indices %d, %d of %d positions refused", mName.c_str(), mCurrentIndex,
                                mTargetIndex, count);
        mPositionCount = count;
        mCurrentIndex = mTargetIndex = 0;
        mMoving = false;
        mActive = false;
        return;
    }
    if (mActive && mMoving && !mPointMover.moving) {
        // The segment was saved as it ended: finish it on the next update.
        mPointMover.JumpTo(static_cast<float>(mPositions[static_cast<size_t>(mTargetIndex)].first),
                           static_cast<float>(mPositions[static_cast<size_t>(mTargetIndex)].second));
    }
}

// ---- target ----

void TTargetObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TMoverObject::LoadFromXml(element, folder);
    mTargetRadius = ReadXmlInt(element, "targetradius", 25);
    mMaxRadius = ReadXmlInt(element, "maxradius", 45);
    // Its positions lie this far either side of it: beyond any screen they would overflow int.
    if (mMaxRadius > kFarRadius || mMaxRadius < -kFarRadius) {
        TLogFile::Get()->Printf("target %s: max radius %d refused, 45 used", mName.c_str(), mMaxRadius);
        mMaxRadius = 45;
    }
    const float time = ReadXmlFloat(element, "time", 0);
    const int x = WholePixels(GetX()), y = WholePixels(GetY()), r = mMaxRadius;
    mPositions = {{x, y}, {x + r, y}, {x, y}, {x - r, y}, {x, y}, {x, y + r}, {x, y}, {x, y - r}};
    mPositionCount = 8;
    mTimes.assign(8, time);
}

bool TTargetObject::IsSolved() const {
    auto* self = const_cast<TTargetObject*>(this);
    const double dx = WholePixels(self->GetX()) - mCachedDrawX;
    const double dy = WholePixels(self->GetY()) - mCachedDrawY;
    self->mSolved = std::sqrt(dx * dx + dy * dy) <= mTargetRadius;
    return mSolved;
}

// ---- arc ----

void TArcMotion::Setup(bool play) {
    currentAngle = startAngle;
    elapsed = 0;
    running = play;
    finished = false;
    passes = 0;
    centreX = rectX + rectW / 2;
    centreY = rectY + rectH / 2;
    // Stands on the ellipse from the start, even when a pass of no time ends before its first step.
    if (rectW > 0 && rectH > 0) {
        PlacePoint();
    }
}

void TArcMotion::PlacePoint() {
    const double theta = currentAngle * M_PI / 180.0;
    // The polar radius of the ellipse with half-axes a along x and b along y, whichever is longer.
    const double a = rectW / 2.0, b = rectH / 2.0;
    const double c = std::cos(theta), s = std::sin(theta);
    const double rho = a * b / std::sqrt(b * b * c * c + a * a * s * s);
    x = static_cast<int>(centreX - c * rho);
    y = static_cast<int>(centreY - s * rho);
}

void TArcMotion::Step(float dt) {
    // A pass without time has nothing to divide by. A pass that has reached its time (a saved elapsed
    // time rounds to the thousandth) still ends through the loop rule below.
    if (!running || time <= 0) {
        running = false;
        finished = true;
        return;
    }
    if (clockwise) {
        float sweep = endAngle - startAngle;
        sweep += sweep < 0 ? 360.0f : 0.0f;
        currentAngle += sweep * dt / time;
    } else {
        float sweep = startAngle - endAngle;
        sweep += sweep < 0 ? 360.0f : 0.0f;
        currentAngle -= sweep * dt / time;
    }
    currentAngle = std::fmod(currentAngle, 360.0f);
    if (currentAngle < 0) {
        currentAngle += 360.0f;
    }
    PlacePoint();
    elapsed += dt;
    if (elapsed >= time) {
        ++passes;
        if (loop == -1 || passes < loop) {
            elapsed = 0;
        } else {
            running = false;
            finished = true;
        }
    }
}

void TArcMoverObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mArc.rectX = ReadXmlInt(element, "rectX", 0);
    mArc.rectY = ReadXmlInt(element, "rectY", 0);
    mArc.rectW = ReadXmlInt(element, "rectW", 0);
    mArc.rectH = ReadXmlInt(element, "rectH", 0);
    mArc.startAngle = ReadXmlFloat(element, "startAngle", 0);
    mArc.endAngle = ReadXmlFloat(element, "sweepAngle", 0);
    mArc.time = ReadXmlFloat(element, "time", 0);
    mArc.clockwise = ReadXmlBool(element, "clockwise", true);
    const bool play = ReadXmlBool(element, "play", false);
    mPlaySound = ReadXmlString(element, "play_sound", "");
    mArc.loop = ReadXmlInt(element, "loop", 1);
    mValidRect = mArc.rectW > 0 && mArc.rectH > 0;
    if (!mValidRect) {
        TLogFile::Get()->Printf("arc mover %s: rectangle %d x %d has no ellipse, it stays still", mName.c_str(),
                                mArc.rectW, mArc.rectH);
    }
    mArc.Setup(play && mValidRect);
    if (play) {
        Activate(0, 0, 0);
    }
}

void TArcMoverObject::Activate(int index, int x, int y) {
    if (!mValidRect) {
        return;
    }
    mArc.running = true;
    // A new run must not report the end of the previous one again.
    mArc.finished = false;
    mArc.passes = 0;
    mArc.elapsed = 0;
    PlaySpaceSound(mPlaySound);
}

void TArcMoverObject::Deactivate(int index, int x, int y) {
    TObject::Deactivate(index, x, y);
    TSoundManager::GetInstance()->StopSound(mPlaySound);
}

bool TArcMoverObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mArc.running) {
        mArc.Step(seconds);
        SetPosition(static_cast<float>(mArc.x), static_cast<float>(mArc.y), true);
        if (mArc.finished) {
            ApplyAfterEvent(0);
        }
    }
    return false;
}

void TArcMoverObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFixed1000(writer, mArc.currentAngle);
    WriteFixed1000(writer, mArc.elapsed);
    WriteFlag(writer, mArc.running);
    WriteFlag(writer, mArc.finished);
    // The passes made, so a restored arc runs only the passes it has left.
    writer.WriteInt32(mArc.passes);
}

void TArcMoverObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mArc.currentAngle = ReadFixed1000(reader);
    mArc.elapsed = ReadFixed1000(reader);
    mArc.running = ReadFlag(reader) && mValidRect;
    mArc.finished = ReadFlag(reader);
    mArc.passes = reader.ReadInt32();
}
