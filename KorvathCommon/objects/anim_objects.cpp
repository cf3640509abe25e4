#include "objects/anim_objects.h"

#include <cmath>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/random15.h"
#include "graphics/saved_flags.h"
#include "objects/whole_pixels.h"

void TAnimObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mPlaying = ReadXmlBool(element, "play", false);
    const std::string name = folder + ReadXmlString(element, "filename", "");
    const int frameWidth = ReadXmlInt(element, "cadr_width", -1);
    const int frameHeight = ReadXmlInt(element, "cadr_height", -1);
    const int frames = ReadXmlInt(element, "frames", -1);
    const float speed = ReadXmlFloat(element, "speed", 0);
    const int textureWidth = ReadXmlInt(element, "tw", 0);
    const int textureHeight = ReadXmlInt(element, "th", 0);
    const bool test = ReadXmlBool(element, "test", false);
    mStrip.mTextureWidth = textureWidth;
    mStrip.mTextureHeight = textureHeight;
    mStrip.mImageName = name;
    mStrip.SetFrames(speed, frames, frameWidth, frameHeight);
    SetAnimationPos(WholePixels(GetX()), WholePixels(GetY()));
    mStrip.mImage.SetScale(GetScaleX());
    mStrip.SetVisible(mVisible);
    if (test) {
        mPlaying = false;
        mActive = true;
    } else {
        mStrip.Play(TCadrImage::kEndless);
        if (!mPlaying) {
            mStrip.Stop();
        }
    }
    LoadMoveSteps(element);
    StartMoveSequence();
}

void TAnimObject::LoadMoveSteps(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    for (const TiXmlElement* child = element->FirstChildElement("movedat"); child != nullptr;
         child = child->NextSiblingElement("movedat")) {
        TAnimMoveStep step;
        step.pause = ReadXmlFloat(child, "pause", 0);
        step.spread = ReadXmlFloat(child, "diff", 0);
        if (ReadXmlBool(child, "sflp", false)) {
            // Chained: from where the previous move ended, or from the strip for the first.
            step.startX = mSteps.empty() ? static_cast<int>(mStrip.mImage.GetX()) : mSteps.back().endX;
            step.startY = mSteps.empty() ? static_cast<int>(mStrip.mImage.GetY()) : mSteps.back().endY;
        } else {
            step.startX = ReadXmlInt(child, "startX", 0);
            step.startY = ReadXmlInt(child, "startY", 0);
        }
        step.endX = ReadXmlInt(child, "endX", 0);
        step.endY = ReadXmlInt(child, "endY", 0);
        step.moveTime = ReadXmlFloat(child, "time", 0);
        step.stopDuringPause = ReadXmlBool(child, "dont_move", true);
        mSteps.push_back(step);
    }
}

void TAnimObject::Activate(int index, int x, int y) {
    mActive = true;
    Restart();
}

void TAnimObject::Restart() {
    mPlaying = true;
    mStrip.Play(TCadrImage::kEndless);
}

void TAnimObject::StopAnimation() {
    mPlaying = false;
    mStrip.Stop();
}

void TAnimObject::SetAnimationPos(int x, int y) {
    mStrip.mImage.SetPosition(static_cast<float>(x), static_cast<float>(y), false);
}

void TAnimObject::SetAnimation(const std::string& name, int frames, float secondsPerFrame, int frameWidth,
                               int frameHeight) {
    UnloadResources();
    mStrip.mImageName = name;
    mStrip.SetFrames(secondsPerFrame, frames, frameWidth, frameHeight);
}

void TAnimObject::SetVisible(bool visible) {
    TObject::SetVisible(visible);
    mStrip.SetVisible(visible);
}

void TAnimObject::LoadResources() {
    mStrip.mImage.SetImage(mStrip.mImageName);
}

void TAnimObject::UnloadResources() {
    mStrip.mImage.ReleaseImage();
}

void TAnimObject::DrawAnimation() {
    if (mActive) {
        mStrip.Draw(1.0f);
    }
}

void TAnimObject::StartMoveSequence() {
    if (!mSteps.empty() && !mMoving && !mWaiting) {
        mStepIndex = -1;
        NextMoveStep();
    }
}

void TAnimObject::NextMoveStep() {
    if (mSteps.empty()) {
        return;
    }
    mWaiting = true;
    mStepIndex = mStepIndex + 1 >= static_cast<int>(mSteps.size()) ? 0 : mStepIndex + 1;
    const TAnimMoveStep& step = mSteps[static_cast<size_t>(mStepIndex)];
    const float low = step.pause - step.spread, high = step.pause + step.spread;
    const float random = static_cast<float>(Rand15() % 32767) / 32767.0f;
    mPauseTween.Set(0, 1, std::fabs(low + random * (high - low)), true);
    if (step.stopDuringPause) {
        StopAnimation();
    }
}

void TAnimObject::ClearMoveFlags() {
    mMoving = false;
    mWaiting = false;
}

void TAnimObject::ResetMoveSequence() {
    ClearMoveFlags();
    mStepIndex = -1;
}

bool TAnimObject::Update(float seconds) {
    if (!mActive) {
        return false;
    }
    const bool hasStep = mStepIndex >= 0 && mStepIndex < static_cast<int>(mSteps.size());
    if (mWaiting && hasStep && mPauseTween.Update(seconds)) {
        mMoving = true;
        mWaiting = false;
        const TAnimMoveStep& step = mSteps[static_cast<size_t>(mStepIndex)];
        if (step.stopDuringPause) {
            Restart();
        }
        StartMoveStep(step.startX, step.startY, step.endX, step.endY, step.moveTime);
    }
    if (mMoving) {
        mMoving = UpdateMove(seconds);
    }
    mStrip.Update(seconds);
    return false;
}

void TAnimObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    writer.WriteInt16(mStepIndex);
    WriteFlag(writer, mPlaying);
    WriteFlag(writer, mMoving);
    WriteFlag(writer, mWaiting);
    WriteFlag(writer, mActive);
    // The pause under way, so a restored pause ends when the saved one would have.
    mPauseTween.Write(writer);
}

void TAnimObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const int index = static_cast<int16_t>(reader.ReadInt16());
    mPlaying = ReadFlag(reader);
    mMoving = ReadFlag(reader);
    mWaiting = ReadFlag(reader);
    mActive = ReadFlag(reader);
    mPauseTween.Read(reader);
    // The strip plays as the object says it does.
    if (mPlaying) {
        mStrip.Play(TCadrImage::kEndless);
    } else {
        mStrip.Stop();
    }
    if (index < -1 || index >= static_cast<int>(mSteps.size())) {
        TLogFile::Get()->Printf("anim %s: saved step %d of %d refused", mName.c_str(), index,
                                static_cast<int>(mSteps.size()));
        ResetMoveSequence();
        return;
    }
    mStepIndex = index;
}

// ---- line mover ----

void TLineMovingAnimObject::StartMoveStep(int startX, int startY, int endX, int endY, float seconds) {
    mLineMover.MoveTo(startX, startY, endX, endY, seconds);
}

bool TLineMovingAnimObject::UpdateMove(float seconds) {
    const bool done = mLineMover.Update(seconds);
    SetAnimationPos(static_cast<int>(mLineMover.currentX), static_cast<int>(mLineMover.currentY));
    if (done || !mLineMover.moving) {
        NextMoveStep();
        return false;
    }
    return true;
}

void TLineMovingAnimObject::SaveState(TBaseBuffer& writer) {
    TAnimObject::SaveState(writer);
    mLineMover.Write(writer);
}

void TLineMovingAnimObject::RestoreState(TBaseBuffer& reader) {
    TAnimObject::RestoreState(reader);
    mLineMover.Read(reader);
    if (mMoving) {
        SetAnimationPos(static_cast<int>(mLineMover.currentX), static_cast<int>(mLineMover.currentY));
    }
}
