#include "objects/slide_rotator.h"

#include <cmath>
#include <cstdlib>

#include "app/buffer.h"
#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "graphics/render_state.h"
#include "graphics/saved_flags.h"
#include "windows/mouse_event.h"

// ---- wheel ----

void TSlideImageRotator::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mSlideTime = ReadXmlFloat(element, "rtime", 0.15f);
    mCurrent = ReadXmlInt(element, "cur_image", 0);
    mCount = ReadXmlInt(element, "num_of_images", 0);
    const TiXmlElement* image = element != nullptr ? element->FirstChildElement("img") : nullptr;
    if (image != nullptr) {
        LoadStaticImageFromXml(mStrip, image, folder);
    }
    ReadXmlFourInts(element, "vis_rect", ".", mWindow);
    if (mCurrent < 0 || mCurrent >= mCount) {
        // A picture past the strip would show nothing and later step through negative indices.
        TLogFile::Get()->Printf("slide_rotator %s: cur_image %d of %d refused", mName.c_str(), mCurrent, mCount);
        mCurrent = 0;
    }
    SetIndex(mCurrent);
}

void TSlideImageRotator::SetIndex(int index) {
    if (index < 0 || index >= mCount) {
        return;
    }
    mCurrent = index;
    mWindow[1] = index * mWindow[3];
    ApplyWindow();
}

void TSlideImageRotator::ApplyWindow() {
    TRenderState& state = mStrip.mRenderState;
    state.srcX = static_cast<float>(mWindow[0]);
    state.srcY = static_cast<float>(mWindow[1]);
    state.srcW = static_cast<float>(mWindow[2]);
    state.srcH = static_cast<float>(mWindow[3]);
    state.flags |= TRenderState::kSourceRect;
}

void TSlideImageRotator::StartSlide() {
    if (mSliding) {
        return;
    }
    const float top = static_cast<float>(mWindow[1]);
    if (mCurrent + 1 < mCount) {
        ++mCurrent;
        mSlide.Set(top, top + static_cast<float>(mWindow[3]), std::fabs(mSlideTime), true);
    } else {
        // Back through the whole strip, three pictures in a step's time.
        mCurrent = 0;
        mSlide.Set(top, 0.0f, std::fabs(static_cast<float>(mCount) * mSlideTime / 3.0f), true);
    }
    mSliding = true;
}

bool TSlideImageRotator::OnMouseDown(const TMouseEvent& event) {
    if (!TObject::OnMouseDown(event)) {
        return false;
    }
    StartSlide();
    return true;
}

bool TSlideImageRotator::Update(float seconds) {
    TObject::Update(seconds);
    if (!mSliding) {
        return false;
    }
    mSlide.Update(seconds);
    mWindow[1] = static_cast<int>(mSlide.current);
    ApplyWindow();
    if (mSlide.finished) {
        mSliding = false;
        if (mSlideListener != nullptr) {
            mSlideListener->OnSlideFinished();
        }
    }
    return false;
}

void TSlideImageRotator::LoadResources() {
    TObject::LoadResources();
    mStrip.SetImage(mStrip.mImageName);
    SetIndex(mCurrent);
}

void TSlideImageRotator::UnloadResources() {
    TObject::UnloadResources();
    mStrip.ReleaseImage();
}

void TSlideImageRotator::DrawAll() {
    TObject::Draw(1.0f);
    if (mVisible) {
        mStrip.Draw(mAlpha);
    }
}

void TSlideImageRotator::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    mSlide.Write(writer);
    for (int value : mWindow) {
        writer.WriteInt16(value);
    }
    writer.WriteInt16(mCurrent);
    WriteFlag(writer, mSliding);
}

void TSlideImageRotator::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mSlide.Read(reader);
    int window[4];
    for (int& value : window) {
        value = reader.ReadInt16();
    }
    const int current = reader.ReadInt16();
    const bool sliding = ReadFlag(reader);
    if (reader.IsFailed()) {
        return;
    }
    for (int i = 0; i < 4; ++i) {
        mWindow[i] = window[i];
    }
    mCurrent = current;
    mSliding = sliding;
}

// ---- lock ----

void TCaseLockObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mDelay = ReadXmlFloat(element, "delay", 1.0f);
    std::vector<std::string> pieces;
    SplitString(ReadXmlString(element, "combination", "").c_str(), ',', pieces);
    mCombination.clear();
    for (const std::string& piece : pieces) {
        mCombination.push_back(std::atoi(piece.c_str()));
    }
}

void TCaseLockObject::OnLoaded() {
    int wheels = 0;
    for (const auto& child : GetChildren()) {
        if (auto* wheel = dynamic_cast<TSlideImageRotator*>(child.get())) {
            wheel->mSlideListener = this;
            ++wheels;
        }
    }
    if (wheels > static_cast<int>(mCombination.size())) {
        TLogFile::Get()->Printf("case_lock %s: %d wheels, %d combination entries; the lock cannot open", mName.c_str(),
                                wheels, static_cast<int>(mCombination.size()));
    }
}

bool TCaseLockObject::IsCombinationSet() const {
    size_t k = 0;
    for (const auto& child : GetChildren()) {
        const auto* wheel = dynamic_cast<const TSlideImageRotator*>(child.get());
        if (wheel == nullptr) {
            continue;
        }
        // A wheel without an entry never matches.
        if (k >= mCombination.size() || wheel->mCurrent != mCombination[k]) {
            return false;
        }
        ++k;
    }
    return true;
}

void TCaseLockObject::OnSlideFinished() {
    if (!IsCombinationSet()) {
        return;
    }
    ApplyAfterEvent(0);
    if (mDelay > 0) {
        mTimer.Start(mDelay);
    }
}

bool TCaseLockObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mTimer.IsRunning()) {
        mTimer.Update(seconds);
        if (!mTimer.IsRunning()) {
            ApplyAfterEvent(1);
        }
    }
    return false;
}

void TCaseLockObject::Lock() {
    SetHintEffect(nullptr);
    mLocked = true;
    for (const auto& child : GetChildren()) {
        child->Lock();
    }
}

void TCaseLockObject::Unlock() {
    mLocked = false;
    for (const auto& child : GetChildren()) {
        child->Unlock();
    }
}

void TCaseLockObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mTimer.IsRunning());
    WriteFixed1000(writer, mTimer.GetDuration());
    WriteFixed1000(writer, mTimer.GetElapsed());
}

void TCaseLockObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const bool running = ReadFlag(reader);
    const float duration = ReadFixed1000(reader);
    const float elapsed = ReadFixed1000(reader);
    if (reader.IsFailed()) {
        return;
    }
    mTimer = TTimer();
    if (running) {
        mTimer.Start(duration);
        // Whatever was left stays to count: a saved record never holds a timer already due.
        if (elapsed < duration) {
            mTimer.Update(elapsed);
        }
    }
}
