#include "rooms/trajectory_effector.h"

#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"

TTrajectoryMover::TTrajectoryMover() = default;
TTrajectoryMover::~TTrajectoryMover() = default;

void TTrajectoryMover::LoadFromXml(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    mTrajectoryFile = ReadXmlString(element, "trajfile", "");
    mCalcAngle = ReadXmlBool(element, "calc_angle", mCalcAngle);
    mPathIndex = ReadXmlInt(element, "trajindex", mPathIndex);
    if (mTrajectoryFile != "ellipse") {
        mPaths.Load(mTrajectoryFile);
    } else {
        const int x1 = ReadXmlInt(element, "elipsex1", 0);
        const int y1 = ReadXmlInt(element, "elipsey1", 0);
        mPaths.AddEllipse(x1, y1, x1 + ReadXmlInt(element, "elipsew", 0), y1 + ReadXmlInt(element, "elipseh", 0),
                          static_cast<float>(ReadXmlInt(element, "amplituda", 0)));
    }
    if (ReadXmlBool(element, "normalize", false)) {
        const int x = ReadXmlInt(element, "x", 0);
        const int y = ReadXmlInt(element, "y", 0);
        for (uint32_t i = 0; i < mPaths.GetCount(); ++i) {
            mPaths.GetPath(i)->SetOrigin(x, y);
        }
    }
    std::vector<std::string> pieces;
    ReadXmlStringList(element, "time", ';', pieces);
    mTimes.assign(mPaths.GetCount(), 0.0f);
    // Pieces beyond the paths have no path to time.
    for (size_t i = 0; i < pieces.size() && i < mTimes.size(); ++i) {
        mTimes[i] = static_cast<float>(std::atof(pieces[i].c_str()));
    }
    for (size_t i = 1; i < mTimes.size(); ++i) {
        if (mTimes[i] == 0) {
            mTimes[i] = mTimes[0];
        }
    }
    if (mPaths.GetCount() > 0 && (mPathIndex < 0 || static_cast<uint32_t>(mPathIndex) >= mPaths.GetCount())) {
        TLogFile::Get()->Printf("warning: trajectory %s: path %d of %u, the first taken", mTrajectoryFile.c_str(),
                                mPathIndex, mPaths.GetCount());
        mPathIndex = 0;
    }
    if (mPaths.GetCount() > 0 && mTimes[static_cast<size_t>(mPathIndex)] <= 0) {
        TLogFile::Get()->Printf("warning: trajectory %s: no time for path %d, it never moves", mTrajectoryFile.c_str(),
                                mPathIndex);
    }
}

void TTrajectoryMover::Start() {
    if (mMoving || mPaths.GetCount() == 0) {
        return;
    }
    TSplinePath* path = mPaths.GetPath(static_cast<uint32_t>(mPathIndex));
    const size_t index = static_cast<size_t>(mPathIndex);
    if (path == nullptr || index >= mTimes.size() || mTimes[index] <= 0) {
        return;
    }
    mMoving = true;
    mMotion = std::make_unique<MoveObj_t>(path->ComputeLength() / mTimes[index], path);
    mMotion->mFixedAngle = !mCalcAngle;
    mMotion->Restart();
}

void TTrajectoryMover::Update(float seconds) {
    if (!mMoving || !mMotion) {
        return;
    }
    mMotion->Update(seconds);
    if (mMotion->IsDone()) {
        mMoving = false;
    }
}

float TTrajectoryMover::GetX() const {
    return mMotion ? mMotion->GetX() : 0.0f;
}

float TTrajectoryMover::GetY() const {
    return mMotion ? mMotion->GetY() : 0.0f;
}

float TTrajectoryMover::GetAngle() const {
    return mMotion ? -mMotion->mAngle : 0.0f;
}

void TTrajectoryMover::Stop() {
    mMotion.reset();
    mMoving = false;
}

void TTrajectoryMover::Reset() {
    Stop();
    mPaths.Clear();
}

void TTrajectoryMover::CopyDescription(const TTrajectoryMover& other) {
    Reset();
    for (uint32_t i = 0; i < other.mPaths.GetCount(); ++i) {
        mPaths.Add(std::make_unique<TSplinePath>(*other.mPaths.GetPath(i)));
    }
    mPathIndex = other.mPathIndex;
    mTrajectoryFile = other.mTrajectoryFile;
    mTimes = other.mTimes;
    mCalcAngle = other.mCalcAngle;
}

// ---- the effector ----

void TTrajectoryEffector::LoadFromXml(const TiXmlElement* element) {
    if (element != nullptr) {
        mHideAtEnd = ReadXmlBool(element, "hide", mHideAtEnd);
        mMover.LoadFromXml(element);
    }
    TEffector::LoadFromXml(element);
}

void TTrajectoryEffector::Start() {
    mMover.Start();
    if (mHideAtEnd && mOwner != nullptr) {
        mOwner->SetVisible(true);
    }
}

void TTrajectoryEffector::Stop() {
    mMover.Stop();
}

void TTrajectoryEffector::Update(float seconds) {
    if (mOwner == nullptr) {
        return;
    }
    TEffector::Update(seconds);
    if (!mMover.IsMoving()) {
        return;
    }
    mMover.Update(seconds);
    mOwner->SetPosition(mMover.GetX(), mMover.GetY(), true);
    mOwner->mAngle = mMover.GetAngle();
    if (!mMover.IsMoving()) {
        if (mLoop == TKeyTrack::kEndless) {
            mMover.Start();
        } else if (mHideAtEnd) {
            mOwner->SetVisible(false);
        }
    }
}

std::unique_ptr<TEffector> TTrajectoryEffector::Clone() const {
    auto clone = std::make_unique<TTrajectoryEffector>();
    CopyTo(*clone);
    clone->mHideAtEnd = mHideAtEnd;
    clone->mMover.CopyDescription(mMover);
    if (mMover.IsMoving()) {
        clone->mMover.Start();
    }
    return clone;
}
