#include "objects/sequence_objects.h"

#include <cmath>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "media/sound_manager.h"

// ---- show sequence ----

void TShowSequenceObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mShowTime = ReadXmlFloat(element, "showtime", 1.0f);
    mGapTime = ReadXmlFloat(element, "delaytime", 0.5f);
    mPassesWanted = ReadXmlInt(element, "count", 1);
    mStartActive = ReadXmlBool(element, "active", false);
    if (mStartActive) {
        ActivateDefault();
    }
}

void TShowSequenceObject::ActivateDefault() {
    if (mLocked) {
        return;
    }
    mPassesDone = 0;
    Start();
}

void TShowSequenceObject::Start() {
    mCurrentIndex = 0;
    mPhase = kShowing;
    mPhaseTween.Set(0, 1, std::fabs(mShowTime), true);
    ShowOnly(0);
}

void TShowSequenceObject::ShowOnly(int index) {
    const auto& children = GetChildren();
    if (index >= 0 && index < static_cast<int>(children.size())) {
        for (const std::string& sound : mActivationSounds) {
            PlaySpaceSound(sound);
        }
    }
    for (size_t i = 0; i < children.size(); ++i) {
        children[i]->SetVisible(static_cast<int>(i) == index);
    }
}

bool TShowSequenceObject::Update(float seconds) {
    if (mPhase == kShowing && mPhaseTween.running && mPhaseTween.Update(seconds)) {
        ShowOnly(-1);
        mPhaseTween.Set(0, 1, std::fabs(mGapTime), true);
        mPhase = kGap;
    }
    if (mPhase == kGap && mPhaseTween.running && mPhaseTween.Update(seconds)) {
        ++mCurrentIndex;
        ShowOnly(mCurrentIndex);
        bool stopped = false;
        if (mCurrentIndex >= static_cast<int>(GetChildren().size())) {
            ++mPassesDone;
            mCurrentIndex = 0;
            if (mPassesDone >= mPassesWanted && mPassesWanted != -1) {
                mPhase = kIdle;
                stopped = true;
            } else {
                ShowOnly(0);
            }
        }
        if (!stopped) {
            mPhase = kShowing;
            mPhaseTween.Start(std::fabs(mShowTime));
        }
    }
    TObject::Update(seconds);
    return false;
}

void TShowSequenceObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    writer.WriteInt32(mPhase);
    writer.WriteInt32(mCurrentIndex);
    writer.WriteInt32(mPassesDone);
    mPhaseTween.Write(writer);
}

void TShowSequenceObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const int phase = reader.ReadInt32();
    const int index = reader.ReadInt32();
    mPassesDone = reader.ReadInt32();
    mPhaseTween.Read(reader);
    if (phase < kIdle || phase > kGap || index < -1 || index > static_cast<int>(GetChildren().size())) {
        TLogFile::Get()->Printf("show sequence %s: saved phase %d at child %d refused", mName.c_str(), phase, index);
        mPhase = kIdle;
        mCurrentIndex = -1;
        return;
    }
    mPhase = phase;
    mCurrentIndex = index;
}

// ---- frame items ----

void TCadrItemsObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mSpeed = ReadXmlFloat(element, "speed", 0);
    mPassesWanted = ReadXmlInt(element, "count", 1);
    mShowOnFirstEnter = ReadXmlBool(element, "dovisibleonfirstenter", true);
    mCurrentFrame = 0;
}

void TCadrItemsObject::ShowOnly(int index) {
    const auto& children = GetChildren();
    for (size_t i = 0; i < children.size(); ++i) {
        children[i]->SetVisible(static_cast<int>(i) == index);
    }
}

void TCadrItemsObject::Draw(float alpha) {
    if (mVisible) {
        TObject::Draw(alpha);
    }
}

void TCadrItemsObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    mActive = true;
    mPassesDone = 0;
    mFrameTween.Set(0, 1, std::fabs(mSpeed), true);
    ShowOnly(mCurrentFrame);
}

void TCadrItemsObject::Deactivate(int index, int x, int y) {
    TObject::Deactivate(index, x, y);
    mActive = false;
    if (!mActivationSounds.empty()) {
        TSoundManager::GetInstance()->StopSound(mActivationSounds.front());
    }
}

bool TCadrItemsObject::Update(float seconds) {
    if (!mActive) {
        return false;
    }
    TObject::Update(seconds);
    if (!mFrameTween.Update(seconds)) {
        return false;
    }
    ++mCurrentFrame;
    if (mCurrentFrame >= static_cast<int>(GetChildren().size())) {
        ++mPassesDone;
        mCurrentFrame = 0;
        if (mPassesDone == mPassesWanted && mPassesWanted != -1) {
            // The last frame stays on show.
            mFrameTween.SetValue(0);
            mActive = false;
            ApplyAfterEvent(0);
            return false;
        }
    }
    mFrameTween.Set(0, 1, std::fabs(mSpeed), true);
    ShowOnly(mCurrentFrame);
    return false;
}

void TCadrItemsObject::OnSpaceFirstShow() {
    if (IsActive()) {
        Activate(0, 0, 0);
    } else if (mShowOnFirstEnter) {
        ShowOnly(mCurrentFrame);
    }
}

void TCadrItemsObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    writer.WriteInt32(mCurrentFrame);
    writer.WriteInt32(mPassesDone);
}

void TCadrItemsObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const int frame = reader.ReadInt32();
    const int passes = reader.ReadInt32();
    if (frame < 0 || frame >= std::max<int>(1, static_cast<int>(GetChildren().size()))) {
        TLogFile::Get()->Printf("frame items %s: saved frame %d of %d refused", mName.c_str(), frame,
                                static_cast<int>(GetChildren().size()));
        mCurrentFrame = 0;
    } else {
        mCurrentFrame = frame;
    }
    if (mActive) {
        // The run goes on from the saved frame. Which frame shows is in the frames' own records, already read:
        // an object whose first showing never reached it (inside an idle container) still shows all of them.
        TObject::Activate(0, 0, 0);
        mFrameTween.Set(0, 1, std::fabs(mSpeed), true);
    }
    mPassesDone = passes;
}
