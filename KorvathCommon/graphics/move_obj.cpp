#include "graphics/move_obj.h"

#include <cmath>

#include "app/log.h"
#include "app/xml_reader.h"

namespace {
constexpr float kRadiansPerDegree = 0.017453292f;
// Turned half way round, so a sprite drawn facing up looks along its path.
constexpr float kHalfTurn = 3.1415927f;
// Parameter step to the point that gives the direction along the curve.
constexpr float kDirectionStep = 0.1f;
} // namespace

MoveObj_t::MoveObj_t(float speed, TSplinePath* path) : mSpeed(speed) {
    SetPath(path);
}

bool MoveObj_t::Update(float seconds) {
    Move(seconds);
    return IsDone();
}

void MoveObj_t::SetPath(TSplinePath* path) {
    mPath = path;
    mCubicsX.clear();
    mCubicsY.clear();
    mPointCount = path != nullptr ? path->GetPointCount() : 0;
    if (mPointCount >= 2) {
        std::vector<int32_t> xs, ys;
        for (const TSplinePoint& point : path->mPoints) {
            xs.push_back(point.x);
            ys.push_back(point.y);
        }
        mCubicsX = SolveNaturalCubicSpline(mPointCount - 1, xs);
        mCubicsY = SolveNaturalCubicSpline(mPointCount - 1, ys);
    }
    if (mPointCount >= 1) {
        DrawObject::SetPosition(static_cast<float>(path->mPoints[0].x), static_cast<float>(path->mPoints[0].y), false);
    }
}

void MoveObj_t::Restart() {
    mElapsed = 0;
    mDone = false;
    if (mPath != nullptr && !mPath->mPoints.empty()) {
        DrawObject::SetPosition(static_cast<float>(mPath->mPoints[0].x), static_cast<float>(mPath->mPoints[0].y),
                                false);
    }
}

// A mover without a path neither moves nor finishes.
void MoveObj_t::Move(float seconds) {
    if (mPath == nullptr) {
        return;
    }
    mElapsed += seconds;
    float distance = mSpeed * mElapsed;
    if (distance > mPath->mTotalLength) {
        distance = mPath->mTotalLength;
        mDone = true;
        if (mListener != nullptr) {
            mListener->OnMoveFinished(this);
        }
    }
    if (mCubicsX.empty() || mCubicsY.empty()) {
        return;
    }
    const size_t segments = std::min(mCubicsX.size(), mPath->mPoints.size() - 1);
    for (size_t i = 0; i < segments; ++i) {
        const float length = mPath->mPoints[i].length;
        distance -= length;
        if (distance <= 0) {
            // A segment of no length is passed at its end.
            PlaceOnSegment(i, length > 0 ? 1.0f - std::fabs(distance) / length : 1.0f);
            return;
        }
    }
}

void MoveObj_t::PlaceOnSegment(size_t segment, float t) {
    const TCubic& cx = mCubicsX[segment];
    const TCubic& cy = mCubicsY[segment];
    const float x = cx.At(t), y = cy.At(t);
    DrawObject::SetPosition(x, y, false);
    const TSplinePoint& from = mPath->mPoints[segment];
    const TSplinePoint& to = mPath->mPoints[segment + 1];
    if (!mFixedAngle) {
        const float direction = std::atan2(cx.At(t + kDirectionStep) - x, cy.At(t + kDirectionStep) - y) + kHalfTurn;
        mAngle = (to.angle - from.angle) * t * from.angleFactor + from.angle + direction;
    }
    mScaleX = mScaleY = (to.scale - from.scale) * t * from.scaleFactor + from.scale;
}

TrajectoryMoverCadrImage2::TrajectoryMoverCadrImage2() : mMover(1.0f, nullptr) {}

void TrajectoryMoverCadrImage2::LoadFromXml(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    // Textures are always loaded with the description; "loadtex" is read for its place in the vocabulary.
    ReadXmlBool(element, "loadtex", true);
    mUsesStrip = element->NoChildren();
    if (mUsesStrip) {
        mStrip.LoadFromXml(element, true, "");
    } else {
        mKeyFrames.LoadFromXml(element, true);
    }
    const std::string pathName = ReadXmlString(element, "tr", "");
    TSplinePath* path = FindSplinePath(pathName);
    mPathOffsetY = ReadXmlInt(element, "offy", 0);
    mPathOffsetX = ReadXmlInt(element, "offx", 0);
    mScale = ReadXmlFloat(element, "scale", 1.0f);
    mId = ReadXmlInt(element, "id", 0);
    const float speed = ReadXmlFloat(element, "movetime", 0);
    mAddedAngle = ReadXmlFloat(element, "addangle", 0) * kRadiansPerDegree;
    mRestartPause = ReadXmlFloat(element, "startagaintime", 0);
    mMover.mFixedAngle = !ReadXmlBool(element, "enablerotate", true);
    const bool active = ReadXmlBool(element, "active", true);
    if (path != nullptr) {
        mMover.SetPath(path);
        mMover.mSpeed = speed;
    } else {
        TLogFile::Get()->Printf("trajectory not found %s", pathName.c_str());
    }
    mMover.mListener = this;
    if (active) {
        Restart();
    }
}

bool TrajectoryMoverCadrImage2::Update(float seconds) {
    const bool done = mMover.Update(seconds);
    // Without a path the animation stays where it was put.
    const bool placed = mMover.mPath != nullptr;
    const float x = mMover.GetX() + static_cast<float>(mPathOffsetX);
    const float y = mMover.GetY() + static_cast<float>(mPathOffsetY);
    const float angle = mAddedAngle - mMover.mAngle;
    if (mUsesStrip) {
        mStrip.Update(seconds);
        if (placed) {
            mStrip.mImage.SetPosition(static_cast<float>(static_cast<int>(x)), static_cast<float>(static_cast<int>(y)),
                                      true);
        }
        mStrip.SetScale(mScale);
        mStrip.SetAngleAboutFrameCentre(angle);
    } else {
        mKeyFrames.Update(seconds);
        if (placed) {
            mKeyFrames.SetPosition(x, y, true);
        }
        mKeyFrames.SetScaleXY(mScale, mScale);
        mKeyFrames.mAngle = angle;
    }
    if (mRestartTween.running) {
        mRestartTween.Update(seconds);
    }
    return done;
}

void TrajectoryMoverCadrImage2::Draw(float parentAlpha) {
    if (mUsesStrip) {
        mStrip.Draw(parentAlpha);
    } else {
        mKeyFrames.Draw(parentAlpha);
    }
}

void TrajectoryMoverCadrImage2::SetPosition(float x, float y, bool /*centred*/) {
    if (mUsesStrip) {
        mStrip.mImage.SetPosition(static_cast<float>(static_cast<int>(x)), static_cast<float>(static_cast<int>(y)),
                                  false);
    } else {
        mKeyFrames.SetPosition(x, y, false);
    }
}

void TrajectoryMoverCadrImage2::Restart() {
    if (mUsesStrip) {
        mStrip.Play(TCadrImage::kEndless);
    } else {
        mKeyFrames.Restart();
    }
    mMover.Restart();
}

void TrajectoryMoverCadrImage2::LoadImages() {
    if (mUsesStrip) {
        mStrip.mImage.SetImage(mStrip.mImageName);
    } else {
        mKeyFrames.LoadImages();
    }
}

void TrajectoryMoverCadrImage2::ReleaseImages() {
    if (mUsesStrip) {
        mStrip.mImage.ReleaseImage();
    } else {
        mKeyFrames.ReleaseImages();
    }
}

void TrajectoryMoverCadrImage2::OnMoveFinished(MoveObj_t* /*mover*/) {
    if (mRestartPause > 0 && !mRestartTween.running) {
        mRestartTween.listener = this;
        mRestartTween.Start(mRestartPause);
    }
}

void TrajectoryMoverCadrImage2::OnIncValueFinished(IncValue& value) {
    value.SetValue(0);
    Restart();
}

TImageLineMoving::TImageLineMoving(const StaticImage& image, int fromX, int fromY, int toX, int toY, float seconds)
    : mImage(image) {
    mImage.SetPosition(static_cast<float>(fromX), static_cast<float>(fromY), image.mCentred);
    mMover.MoveTo(fromX, fromY, toX, toY, seconds);
}

bool TImageLineMoving::Update(float seconds) {
    mMover.Update(seconds);
    mImage.SetPosition(mMover.currentX, mMover.currentY, mImage.mCentred);
    if (mMover.done) {
        mFinished = true;
        if (mListener != nullptr) {
            mListener->OnLineMoveFinished(this);
        }
    }
    return mMover.done;
}
