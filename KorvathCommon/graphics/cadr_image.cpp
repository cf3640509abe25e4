#include "graphics/cadr_image.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"

namespace {
constexpr float kRadiansPerDegree = 0.017453292f;
// Far more frames than any strip has; a larger count in a description is cut to it.
constexpr int32_t kMaxFrames = 4096;
} // namespace

void TCadrImage::Draw(float parentAlpha) {
    mImage.Draw(parentAlpha);
}

void TCadrImage::LoadFromXml(const TiXmlElement* element, bool loadTextures, const std::string& folder) {
    if (element == nullptr) {
        return;
    }
    const std::string name = folder + ReadXmlString(element, "filename", "");
    const int x = ReadXmlInt(element, "x", 0), y = ReadXmlInt(element, "y", 0);
    const int frames = ReadXmlInt(element, "frames", 0);
    const float speed = ReadXmlFloat(element, "speed", 0);
    const int frameWidth = ReadXmlInt(element, "cadrw", 0), frameHeight = ReadXmlInt(element, "cadrh", 0);
    mTextureWidth = ReadXmlInt(element, "tw", 0);
    mTextureHeight = ReadXmlInt(element, "th", 0);
    mStartFrame = ReadXmlInt(element, "startcadr", 0);
    mImage.SetPosition(static_cast<float>(x), static_cast<float>(y), false);
    mImageName = name;
    mImage.mImageName = name;
    if (loadTextures) {
        mImage.SetImage(name);
    }
    SetFrames(speed, frames, frameWidth, frameHeight);

    mImage.mRenderState.blend =
        ReadXmlBool(element, "additive", false) ? TRenderState::kBlendAdd : TRenderState::kBlendAlpha;
    const float scale = ReadXmlFloat(element, "scale", 1.0f);
    if (scale != 0) {
        mImage.SetScale(scale);
    } else {
        mImage.SetScaleXY(ReadXmlFloat(element, "scalex", 1.0f), ReadXmlFloat(element, "scaley", 1.0f));
    }
    mImage.mAngle = ReadXmlFloat(element, "angle", 0) * kRadiansPerDegree;
    const int centreX = ReadXmlInt(element, "centerx", 0), centreY = ReadXmlInt(element, "centery", 0);
    if (centreX > 0 || centreY > 0) {
        mImage.mRenderState.centreX = static_cast<float>(centreX);
        mImage.mRenderState.centreY = static_cast<float>(centreY);
        mImage.mRenderState.flags |= TRenderState::kCentre;
        mImage.mCustomCentre = true;
    }
}

void TCadrImage::SetFrames(float secondsPerFrame, int32_t frameCount, int32_t frameWidth, int32_t frameHeight) {
    if (frameCount < 0 || frameCount > kMaxFrames) {
        TLogFile::Get()->Printf("frame strip %s: %d frames, using %d", mImageName.c_str(), frameCount,
                                frameCount < 0 ? 0 : kMaxFrames);
        frameCount = frameCount < 0 ? 0 : kMaxFrames;
    }
    mSecondsPerFrame = secondsPerFrame;
    mFrameCount = frameCount;
    mFrameWidth = frameWidth;
    mFrameHeight = frameHeight;
    mElapsed = 0;
    mPlaying = false;
    BuildFrames(mFrameCount);
    mCurrentFrame = ValidFrame(mStartFrame);
    ShowFrame(mCurrentFrame);
}

void TCadrImage::BuildFrames(int32_t count) {
    mFrames.clear();
    for (int32_t i = 0; i < count; ++i) {
        mFrames.push_back(GetFrameRect(i));
    }
}

TFrameRect TCadrImage::GetFrameRect(int32_t index) const {
    if (mFrameWidth == 0 || mFrameHeight == 0) {
        return {0, 0, mFrameWidth, mFrameHeight};
    }
    const int32_t width =
        mImage.mTexture && mImage.mTexture->GetWidth() > 0 ? mImage.mTexture->GetWidth() : mTextureWidth;
    // A frame wider than the known width (or no width known) still makes one column.
    int32_t columns = width / mFrameWidth;
    if (columns < 1) {
        columns = 1;
    }
    // Far-fetched sizes in a description must not overflow the row offset.
    const int64_t y = std::clamp<int64_t>(static_cast<int64_t>(mFrameHeight) * (index / columns), INT32_MIN, INT32_MAX);
    return {mFrameWidth * (index % columns), static_cast<int>(y), mFrameWidth, mFrameHeight};
}

int32_t TCadrImage::ValidFrame(int32_t index) const {
    return index >= 0 && index < static_cast<int32_t>(mFrames.size()) ? index : 0;
}

void TCadrImage::ShowFrame(int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(mFrames.size())) {
        return;
    }
    const TFrameRect& rect = mFrames[static_cast<size_t>(index)];
    TRenderState& state = mImage.mRenderState;
    state.srcX = static_cast<float>(rect.x);
    state.srcY = static_cast<float>(rect.y);
    state.srcW = static_cast<float>(rect.w);
    state.srcH = static_cast<float>(rect.h);
    state.flags |= TRenderState::kSourceRect;
}

void TCadrImage::SetFrame(int32_t index) {
    mCurrentFrame = index;
    if (mFrames.empty()) {
        BuildFrames(mFrameCount);
    }
    ShowFrame(index);
}

void TCadrImage::SetAngleAboutFrameCentre(float angle) {
    mImage.mAngle = angle;
    TRenderState& state = mImage.mRenderState;
    if (state.srcW > 0) {
        state.centreX = static_cast<float>(static_cast<int>(state.srcW * 0.5f + state.srcX));
        state.centreY = static_cast<float>(static_cast<int>(state.srcH * 0.5f + state.srcY));
        state.flags |= TRenderState::kCentre;
        mImage.mCustomCentre = true;
    }
}

void TCadrImage::Play(int32_t loops) {
    if (mFrames.empty()) {
        return;
    }
    if (mPaused) {
        mPaused = false;
    } else {
        mCurrentFrame = ValidFrame(mStartFrame);
        mElapsed = 0;
        ShowFrame(mCurrentFrame);
        mLoopCount = loops;
        mLoopsDone = 0;
    }
    mPlaying = true;
}

bool TCadrImage::Update(float seconds) {
    if (!mPlaying) {
        return true;
    }
    mElapsed += seconds;
    if (mElapsed < mSecondsPerFrame) {
        return false;
    }
    ++mCurrentFrame;
    mElapsed = 0;
    if (mCurrentFrame >= mFrameCount) {
        EndPass();
    }
    ShowFrame(mCurrentFrame);
    return false;
}

// Passes rewind to frame 0; only the very last one may stay on the last frame.
void TCadrImage::EndPass() {
    if (mListener != nullptr) {
        mListener->OnLoopEnd(this);
    }
    bool last = false;
    if (mLoopCount != kEndless) {
        ++mLoopsDone;
        last = mLoopsDone >= mLoopCount;
        if (last) {
            mLoopsDone = 0;
            mPlaying = false;
        }
    }
    mCurrentFrame = last && mStayOnLast && mFrameCount > 0 ? mFrameCount - 1 : 0;
}

void TCadrImage::SaveState(TBaseBuffer& buffer) {
    WriteFlag(buffer, mPlaying);
    WriteFixed1000(buffer, mElapsed);
    buffer.WriteInt32(mCurrentFrame);
    buffer.WriteInt32(mLoopsDone);
    buffer.WriteInt32(mLoopCount);
}

void TCadrImage::RestoreState(TBaseBuffer& buffer) {
    mPlaying = ReadFlag(buffer);
    mElapsed = ReadFixed1000(buffer);
    mCurrentFrame = ValidFrame(buffer.ReadInt32());
    mLoopsDone = buffer.ReadInt32();
    mLoopCount = buffer.ReadInt32();
    if (mPlaying) {
        ShowFrame(mCurrentFrame);
    }
}

void TTimeCadrImage::LoadTimes(const TiXmlElement* element) {
    std::vector<std::string> pieces;
    ReadXmlStringList(element, "ctime", ',', pieces);
    for (const std::string& piece : pieces) {
        mTimes.push_back(static_cast<float>(std::atof(piece.c_str())));
    }
    mTimeCursor = 0;
}

void TTimeCadrImage::StartTimer(size_t timeIndex) {
    if (timeIndex < mTimes.size() && mTimes[timeIndex] > 0) {
        mFrameTimer.Start(mTimes[timeIndex]);
    }
}

void TTimeCadrImage::Play(int32_t loops) {
    mTimeCursor = 0;
    mFrameCounter = 0;
    mLoopsLeft = loops;
    mTimePlaying = true;
    SetFrame(0);
    StartTimer(0);
}

bool TTimeCadrImage::Update(float seconds) {
    if (!mTimePlaying) {
        return true;
    }
    if (mFrameTimer.IsRunning() && !mFrameTimer.Update(seconds)) {
        return false;
    }
    if (++mTimeCursor >= mTimes.size()) {
        // Any count but -1 ends when it runs out, so 0 plays one pass, as the plain strip does.
        if (mLoopsLeft != kEndless && --mLoopsLeft <= 0) {
            Stop();
            return true;
        }
        mTimeCursor = 0;
    }
    if (++mFrameCounter >= static_cast<int32_t>(mFrames.size())) {
        mFrameCounter = 0;
    }
    SetFrame(mFrameCounter);
    StartTimer(mTimeCursor);
    return false;
}

void TTimeCadrImage::SaveState(TBaseBuffer& buffer) {
    TCadrImage::SaveState(buffer);
    buffer.WriteInt32(mFrameCounter);
    buffer.WriteInt32(mLoopsLeft);
    WriteFlag(buffer, mTimePlaying);
    buffer.WriteInt32(static_cast<int32_t>(mTimeCursor));
}

void TTimeCadrImage::RestoreState(TBaseBuffer& buffer) {
    TCadrImage::RestoreState(buffer);
    mFrameCounter = ValidFrame(buffer.ReadInt32());
    mLoopsLeft = buffer.ReadInt32();
    mTimePlaying = ReadFlag(buffer);
    const int32_t cursor = buffer.ReadInt32();
    mTimeCursor = cursor >= 0 && static_cast<size_t>(cursor) < mTimes.size() ? static_cast<size_t>(cursor) : 0;
    if (mTimePlaying) {
        ShowFrame(mFrameCounter);
        StartTimer(static_cast<size_t>(mFrameCounter));
    }
}

void TCadrImage2::LoadFromXml(const TiXmlElement* element, bool loadTextures) {
    if (element == nullptr) {
        return;
    }
    mSecondsPerFrame = ReadXmlFloat(element, "time", kDefaultFrameSeconds);
    const int x = ReadXmlInt(element, "x", 0), y = ReadXmlInt(element, "y", 0);
    const float scaleX = ReadXmlFloat(element, "scalex", 1.0f), scaleY = ReadXmlFloat(element, "scaley", 1.0f);
    mAlpha = ReadXmlFloat(element, "a", 1.0f);
    mAngle = ReadXmlFloat(element, "angle", 0) * kRadiansPerDegree;
    std::vector<TiXmlElement*> items;
    CollectXmlChildren(element, "item", items);
    mFrames.clear();
    for (const TiXmlElement* item : items) {
        auto frame = std::make_unique<TCadrImage2Frame>();
        frame->name = ReadXmlString(item, "name", "");
        frame->image.mImageName = frame->name;
        frame->x = ReadXmlInt(item, "x", 0);
        frame->y = ReadXmlInt(item, "y", 0);
        mFrames.push_back(std::move(frame));
    }
    mFrameCount = static_cast<int32_t>(mFrames.size());
    if (loadTextures) {
        LoadImages();
    }
    SetPosition(static_cast<float>(x), static_cast<float>(y), false);
    SetScaleXY(scaleX, scaleY);
    SetAdditive(ReadXmlBool(element, "additive", false));
}

void TCadrImage2::Load(const std::string& fileName, bool loadTextures) {
    if (const TiXmlElement* root = LoadXmlRoot(fileName)) {
        TXmlRootWalk walk;
        LoadFromXml(root, loadTextures);
    }
    ReleaseXmlRoot();
}

void TCadrImage2::LoadImages() {
    for (auto& frame : mFrames) {
        frame->image.SetImage(frame->name);
    }
}

void TCadrImage2::ReleaseImages() {
    for (auto& frame : mFrames) {
        frame->image.ReleaseImage();
    }
}

void TCadrImage2::SetAdditive(bool additive) {
    for (auto& frame : mFrames) {
        frame->image.mRenderState.blend = additive ? TRenderState::kBlendAdd : TRenderState::kBlendAlpha;
    }
}

void TCadrImage2::SetPosition(float x, float y, bool centred) {
    mX = mBaseX = x;
    mY = mBaseY = y;
    for (auto& frame : mFrames) {
        frame->positionX = static_cast<int32_t>(x);
        frame->positionY = static_cast<int32_t>(y);
        frame->centred = centred;
    }
}

void TCadrImage2::SetScaleXY(float scaleX, float scaleY) {
    DrawObject::SetScaleXY(scaleX, scaleY);
    for (auto& frame : mFrames) {
        frame->image.SetScaleXY(scaleX, scaleY);
    }
}

void TCadrImage2::Restart() {
    mElapsed = 0;
    mCurrentFrame = 0;
    mPlaying = true;
}

bool TCadrImage2::Update(float seconds) {
    if (!mPlaying) {
        return true;
    }
    const int32_t count = static_cast<int32_t>(mFrames.size());
    if (count == 0) {
        return false;
    }
    mElapsed += seconds;
    if (mElapsed >= mSecondsPerFrame) {
        mElapsed = 0;
        if (++mCurrentFrame >= count) {
            mCurrentFrame = mStayOnLast ? count - 1 : 0;
        }
    }
    if (mCurrentFrame < 0 || mCurrentFrame >= count) {
        mCurrentFrame = 0;
    }
    mFrames[static_cast<size_t>(mCurrentFrame)]->angle = mAngle;
    return false;
}

void TCadrImage2::Draw(float parentAlpha) {
    if (!mPlaying || mCurrentFrame < 0 || mCurrentFrame >= static_cast<int32_t>(mFrames.size())) {
        return;
    }
    TCadrImage2Frame& frame = *mFrames[static_cast<size_t>(mCurrentFrame)];
    frame.image.mAngle = frame.angle;
    frame.image.SetPosition(static_cast<float>(frame.positionX + frame.x),
                            static_cast<float>(frame.positionY + frame.y), frame.centred);
    frame.image.Draw(mAlpha * parentAlpha);
}
