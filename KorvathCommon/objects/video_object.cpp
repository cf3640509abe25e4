#include "objects/video_object.h"

#include <algorithm>
#include <cmath>

#include "app/buffer.h"
#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "graphics/random15.h"
#include "graphics/render_state.h"
#include "graphics/saved_flags.h"
#include "objects/object_listener.h"
#include "objects/object_services.h"
#include "windows/mouse_event.h"

#include <tinyxml.h>

namespace {

float RandomBetween(float low, float high) {
    return low + (high - low) * static_cast<float>(Rand15()) / 32767.0f;
}

} // namespace

void PostVideoEvent(const std::string& name, const std::string& argument) {
    TInterfaceEvents::Get().Post(TInterfaceEvent(name, 0, argument));
}

TVideoObject::TVideoObject() = default;

TVideoObject::~TVideoObject() {
    CloseVideo();
}

void TVideoObject::CloseVideo() {
    mWindow.reset();
    mFrameTexture.Reset();
}

void TVideoObject::ParseCueList(const std::string& text, std::vector<TVideoCue>& cues) {
    cues.clear();
    std::vector<std::string> items;
    SplitString(text.c_str(), ';', items);
    for (const std::string& item : items) {
        std::vector<std::string> pieces;
        SplitString(item.c_str(), ',', pieces);
        TVideoCue cue;
        if (pieces.size() == 2) {
            cue.name = pieces[0];
            cue.time = static_cast<float>(std::atof(pieces[1].c_str()));
        }
        cues.push_back(cue);
    }
}

void TVideoObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mMaxCountActive = ReadXmlInt(element, "maxcountactive", -1);
    mLoop = ReadXmlInt(element, "loop", 1);
    mWithAlpha = ReadXmlBool(element, "withalpha", false);
    mStretch = ReadXmlBool(element, "stretch", false);
    mFpsAttribute = ReadXmlFloat(element, "fps", 0);
    mGetFirstFrameOnLoad = ReadXmlBool(element, "getfirstframeonload", true);
    mHideInterf = ReadXmlBool(element, "hideinterf", false);
    mRestoreInterf = ReadXmlBool(element, "restoreinterf", true);
    mShowFrame = ReadXmlBool(element, "showframe", mHideInterf);
    mHideFrame = ReadXmlBool(element, "hideframe", true);
    mLoadIfPlayed = ReadXmlBool(element, "loadifplayed", true);
    mLockLocation = ReadXmlBool(element, "locklocation", false);
    mUnlockLocation = ReadXmlBool(element, "unlocklocation", true);
    mRepeatTime = ReadXmlFloat(element, "repeattime", 0);
    mRepeatRand = ReadXmlFloat(element, "repeatrand", 0);
    mCheckCoords = ReadXmlBool(element, "checkcoords", false);
    ParseCueList(ReadXmlString(element, "monologs", ""), mMonologs);
    ParseCueList(ReadXmlString(element, "sounds", ""), mSounds);
    if (element != nullptr && element->Attribute("testalpha") != nullptr) {
        mCheckCoords = true;
    } else {
        mHitAlphaThreshold = 0;
    }
}

void TVideoObject::OpenVideo(const std::string& file, bool stretch, int loops, bool withAlpha) {
    if (mFrameTexture) {
        return;
    }
    mWindow = std::make_unique<TVideoWindow>();
    mWindow->mListener = this;
    mWithAlpha = withAlpha;
    mWindow->mAlphaMode = withAlpha;
    mLoop = loops;
    mWindow->mPassLimit = loops;
    mClickDelayLeft = 0;
    const float fileFps = mWindow->Open(file);
    // The file's own rate is the least: a lower "fps" would drop frames.
    float fps = mFpsAttribute != 0 ? mFpsAttribute : fileFps;
    if (fileFps > 0 && fps < fileFps) {
        fps = fileFps;
    }
    if (!(fps > 0) || std::isinf(fps) || !mWindow->mPlaying) {
        LogDebug("Failed to initialize movie: %s", file.c_str());
        TLogFile::Get()->Printf("video %s not played", file.c_str());
        mWindow.reset();
        return;
    }
    mFrameInterval = 1.0f / fps;
    if (mW == 0) {
        mW = static_cast<float>(mWindow->GetFrameWidth());
    }
    if (mH == 0) {
        mH = static_cast<float>(mWindow->GetPictureHeight());
    }
    mFrameTexture = CreateBlankTexture(static_cast<int>(mWindow->GetFrameWidth()),
                                       static_cast<int>(mWindow->GetPictureHeight()), TTexture::kAccessStreaming);
    if (mFrameTexture) {
        mStopped = false;
    } else {
        mWindow.reset();
    }
}

void TVideoObject::WriteFrame() {
    const bool fill = mCheckCoords && mHitAlphaThreshold > 0;
    if (mWithAlpha) {
        mWindow->WriteFrameWithAlpha(mFrameTexture, fill);
    } else {
        mWindow->WriteFrameOpaque(mFrameTexture, fill);
    }
}

void TVideoObject::ShowFirstFrame() {
    if (mFrameTexture && mWindow && mWindow->Advance(0)) {
        WriteFrame();
    }
}

void TVideoObject::LoadResources() {
    if (mLoadIfPlayed || !mPlayed) {
        OpenVideo(mImageName, mStretch, mLoop, mWithAlpha);
        if (mGetFirstFrameOnLoad) {
            ShowFirstFrame();
        }
    }
    for (const auto& child : GetChildren()) {
        child->LoadResources();
    }
}

void TVideoObject::UnloadResources() {
    CloseVideo();
    mPlayStarted = false;
    for (const auto& child : GetChildren()) {
        child->UnloadResources();
    }
}

void TVideoObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    if (mMaxCountActive != -1 && mActivations > mMaxCountActive) {
        // Refused: a video opened for its first frame must not play either.
        CloseVideo();
        mPlayStarted = false;
        return;
    }
    // Activated again during a play: the play starts over, so the decoder and the cues agree.
    if (mPlayStarted) {
        CloseVideo();
    }
    OpenVideo(mImageName, mStretch, mLoop, mWithAlpha);
    mOpenFailed = !mFrameTexture;
    if (mHideInterf) {
        PostVideoEvent("hideinterf");
    }
    if (mLockLocation) {
        PostVideoEvent("locklocation");
    }
    if (mShowFrame) {
        PostVideoEvent("showframe");
    }
    mActive = true;
    mPlayTime = 0;
    mClickDelayLeft = 0;
    mTimeSinceFrame = 0;
    ++mActivations;
    mNextMonolog = 0;
    mNextSound = 0;
    mPlayStarted = true;
}

void TVideoObject::PostCues() {
    if (mNextSound >= 0 && mNextSound < static_cast<int>(mSounds.size()) &&
        mPlayTime >= mSounds[static_cast<size_t>(mNextSound)].time) {
        PostVideoEvent("play_sound", mSounds[static_cast<size_t>(mNextSound)].name);
        ++mNextSound;
    }
    if (mNextMonolog >= 0 && mNextMonolog < static_cast<int>(mMonologs.size()) &&
        mPlayTime >= mMonologs[static_cast<size_t>(mNextMonolog)].time) {
        PostVideoEvent("videomonolog", mMonologs[static_cast<size_t>(mNextMonolog)].name);
        ++mNextMonolog;
    }
}

bool TVideoObject::Update(float seconds) {
    TObject::Update(seconds);
    if (!mVisible) {
        return false;
    }
    if (mActive) {
        if (!mFrameTexture) {
            // A play that could not start still finishes, so whatever waits for it goes on.
            if (mOpenFailed) {
                mOpenFailed = false;
                mPlayStarted = false;
                mStopped = true;
                FinishPlayback();
            }
        } else {
            mPlayTime += seconds;
            PostCues();
            mTimeSinceFrame += seconds;
            if (mTimeSinceFrame >= mFrameInterval) {
                // The remainder is kept, so steps come at the frame rate; a long stall is not made up.
                mTimeSinceFrame -= mFrameInterval;
                if (mTimeSinceFrame >= mFrameInterval) {
                    mTimeSinceFrame = 0;
                }
                const bool ok = mWindow->Advance(mPlayTime);
                if (mLockLocation) {
                    PostVideoEvent("locklocation");
                }
                if (mWindow->mRestarted) {
                    // Each pass has its own time line and its own cues.
                    mPlayTime = 0;
                    mNextMonolog = 0;
                    mNextSound = 0;
                    mWindow->mRestarted = false;
                }
                if (!ok || !mWindow->mPlaying) {
                    CloseVideo();
                    mFrameReady = false;
                    mStopped = true;
                    mPlayStarted = false;
                    FinishPlayback();
                } else {
                    WriteFrame();
                    mFrameReady = true;
                }
            }
        }
    } else if (mRepeatTime > 0 && !mReplayTimer.running && mPlayed) {
        mReplayTimer.Set(0, 1, mRepeatTime + RandomBetween(-mRepeatRand, mRepeatRand), true);
    }
    if (mReplayTimer.running && mReplayTimer.Update(seconds)) {
        Activate(0, 0, 0);
    }
    return false;
}

void TVideoObject::FinishPlayback() {
    if (mHideInterf && mRestoreInterf) {
        PostVideoEvent("showinterf");
    }
    if (mLockLocation && mUnlockLocation) {
        PostVideoEvent("unlocklocation");
    }
    if (mHideFrame) {
        PostVideoEvent("hideframe");
    }
    if (mVideoListener != nullptr) {
        mVideoListener->OnVideoFinished();
    }
    if (mClickCounter >= mMaxClicks - 1) {
        return;
    }
    ++mClickCounter;
    mPlayed = true;
    mPlayTime = 0;
    mClickDelayLeft = 0;
    mTimeSinceFrame = 0;
    mActive = false;
    GiveTool(mClickCounter, mGivenToolsAfterEvent);
    ApplyAfterEvent(0);
    if (mClickExecuter != nullptr) {
        mClickExecuter->RunClick(this, TMouseEvent());
    }
    if (mListener != nullptr) {
        mListener->OnObjectClicked(this);
    }
    ++mClickCounter;
}

void TVideoObject::OnLoopFinished(int passes) {
    if (mVideoListener != nullptr) {
        mVideoListener->OnVideoLoop(passes);
    }
}

void TVideoObject::DrawFrameTexture() {
    TRenderState state;
    state.Init(GetX() + static_cast<float>(gScreenOffset.x), GetY() + static_cast<float>(gScreenOffset.y), mAlpha, 1.0f,
               0);
    if (mStretch && mWindow->GetFrameWidth() > 0 && mWindow->GetPictureHeight() > 0) {
        state.SetScale(mW / static_cast<float>(mWindow->GetFrameWidth()),
                       mH / static_cast<float>(mWindow->GetPictureHeight()));
    }
    mFrameTexture->Draw(state);
}

void TVideoObject::DrawFrame() {
    if (mVisible && mActive && mFrameTexture && mWindow && mWindow->mFrameWritten) {
        DrawFrameTexture();
    }
}

bool TVideoObject::HitTestSelf(int x, int y) {
    if (!mCheckCoords || !mVisible || !(mAlpha > 0)) {
        return false;
    }
    const float left = GetX(), top = GetY();
    const float px = static_cast<float>(x), py = static_cast<float>(y);
    if (px < left || px >= left + mW || py < top || py >= top + mH) {
        return false;
    }
    if (mHitAlphaThreshold == 0) {
        return true;
    }
    if (!mWindow) {
        return false;
    }
    float localX = static_cast<float>(x - static_cast<int>(left));
    float localY = static_cast<float>(y - static_cast<int>(top));
    if (mStretch && mW > 0 && mH > 0) {
        localX *= static_cast<float>(mWindow->GetFrameWidth()) / mW;
        localY *= static_cast<float>(mWindow->GetPictureHeight()) / mH;
    }
    return mWindow->AlphaAt(static_cast<int>(localX), static_cast<int>(localY)) > mHitAlphaThreshold;
}

void TVideoObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mReservedFlag);
    WriteFlag(writer, mStopped);
    WriteFlag(writer, mPlayed);
    writer.WriteInt16(mActivations);
    writer.WriteInt16(mNextMonolog);
    writer.WriteInt16(mNextSound);
    WriteFixed1000(writer, mPlayTime);
    WriteFixed1000(writer, mTimeSinceFrame);
    WriteFixed1000(writer, mFrameInterval);
    mReplayTimer.Write(writer);
}

void TVideoObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mReservedFlag = ReadFlag(reader);
    mStopped = ReadFlag(reader);
    mPlayed = ReadFlag(reader);
    mActivations = reader.ReadInt16();
    mNextMonolog = reader.ReadInt16();
    mNextSound = reader.ReadInt16();
    mPlayTime = ReadFixed1000(reader);
    mTimeSinceFrame = ReadFixed1000(reader);
    mFrameInterval = ReadFixed1000(reader);
    mReplayTimer.Read(reader);
}
