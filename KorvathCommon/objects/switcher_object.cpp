#include "objects/switcher_object.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"

TSwitcherObject::TSwitcherObject() {
    mAcceptsClicks = false;
    mDelayTimer.SetValue(0);
    mFadeTween.SetValue(0);
}

namespace {

std::optional<std::pair<int, int>> ParsePosition(const std::string& text) {
    std::vector<std::string> parts;
    if (SplitString(text.c_str(), ',', parts) != 2) {
        return std::nullopt;
    }
    char* end = nullptr;
    const long x = std::strtol(parts[0].c_str(), &end, 10);
    if (end == parts[0].c_str()) {
        return std::nullopt;
    }
    const char* second = parts[1].c_str();
    const long y = std::strtol(second, &end, 10);
    if (end == second) {
        return std::nullopt;
    }
    return std::pair<int, int>(static_cast<int>(x), static_cast<int>(y));
}

} // namespace

void TSwitcherObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    ReadXmlStringList(element, "names", ';', mNames);
    mImageCount = static_cast<int>(mNames.size());
    const int start = ReadXmlInt(element, "startcadr", 0);
    mStartIndex = mImageCount > 0 ? std::clamp(start, 0, mImageCount - 1) : 0;
    if (start != mStartIndex) {
        TLogFile::Get()->Printf("switcher %s: start image %d outside its %d images", mName.c_str(), start, mImageCount);
    }
    mCurrentIndex = mNextIndex = mStartIndex;
    mAcceptsClicks = ReadXmlBool(element, "onclick", false);
    std::vector<std::string> positions;
    ReadXmlStringList(element, "poss", ';', positions);
    mPositions.clear();
    for (const std::string& text : positions) {
        mPositions.push_back(ParsePosition(text));
        if (!mPositions.back()) {
            TLogFile::Get()->Printf("switcher %s: position %s is not two numbers", mName.c_str(), text.c_str());
        }
    }
    mFadeSeconds = ReadXmlFloat(element, "speed", 0);
    mDelaySeconds = ReadXmlFloat(element, "delay", 0);
    const std::string looped = ReadXmlString(element, "animtype", "");
    mLooped = looped.empty() || looped == "looped";
    const std::string run = ReadXmlString(element, "runtype", "");
    mRun = run.empty() || run == "run";
    mActivateOnShow = ReadXmlBool(element, "activate", false);
}

const std::pair<int, int>* TSwitcherObject::PositionOf(int index) const {
    if (index < 0 || index >= static_cast<int>(mPositions.size()) || !mPositions[static_cast<size_t>(index)]) {
        return nullptr;
    }
    return &*mPositions[static_cast<size_t>(index)];
}

StaticImage* TSwitcherObject::ImageAt(int index) const {
    return index >= 0 && index < static_cast<int>(mImages.size()) ? mImages[static_cast<size_t>(index)].get() : nullptr;
}

void TSwitcherObject::StepImage() {
    if (mImageCount <= 0) {
        return;
    }
    if (++mNextIndex >= mImageCount) {
        mNextIndex = mLooped ? 0 : mImageCount - 1;
    }
}

// Without a fade the next image shows at once; with one the shown image follows when the fade ends.
void TSwitcherObject::StartSwitch() {
    if (mDelaySeconds != 0 && mRun) {
        mDelayTimer.Start(mDelaySeconds);
    }
    StepImage();
    if (mFadeSeconds != 0) {
        mFadeTween.Set(1, 0, std::fabs(mFadeSeconds), true);
        mFading = true;
    } else {
        mCurrentIndex = mNextIndex;
    }
}

void TSwitcherObject::Activate(int index, int x, int y) {
    if (mLooped || !mStarted) {
        mStarted = true;
        mClickDelayLeft = mClickDelay;
        StartSwitch();
    }
}

void TSwitcherObject::DoClickAction(int clickNumber, int x, int y) {
    if (mAcceptsClicks && (mLooped || !mStarted)) {
        StartSwitch();
    }
}

void TSwitcherObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    if (mActivateOnShow) {
        StartSwitch();
    }
}

bool TSwitcherObject::Update(float seconds) {
    // The click delay runs down here too, or a "delayclick" would block clicks for good.
    if (mClickDelayLeft > 0) {
        mClickDelayLeft -= seconds;
    }
    if (mDelayTimer.running && mDelayTimer.Update(seconds) && mRun) {
        StartSwitch();
    }
    if (mFading && mFadeTween.Update(seconds)) {
        mFading = false;
        mCurrentIndex = mNextIndex;
    }
    if (const std::pair<int, int>* position = PositionOf(mCurrentIndex)) {
        SetPosition(static_cast<float>(position->first), static_cast<float>(position->second), true);
    }
    return false;
}

void TSwitcherObject::DrawImages() {
    StaticImage* current = ImageAt(mCurrentIndex);
    if (current == nullptr) {
        return;
    }
    mW = current->mTexture ? static_cast<float>(current->mTexture->GetWidth()) : 0.0f;
    mH = current->mTexture ? static_cast<float>(current->mTexture->GetHeight()) : 0.0f;
    StaticImage* next = ImageAt(mNextIndex);
    if (mFading && next != nullptr) {
        current->mAlpha = mFadeTween.current;
        current->Draw(1.0f);
        next->mAlpha = 1.0f - mFadeTween.current;
        next->Draw(1.0f);
        return;
    }
    current->mAlpha = 1.0f;
    current->Draw(1.0f);
}

void TSwitcherObject::LoadImages(const std::string& folder) {
    mImages.clear();
    for (size_t i = 0; i < mNames.size(); ++i) {
        auto image = std::make_unique<StaticImage>();
        image->SetImage((folder.empty() ? std::string("textures/") : folder) + mNames[i]);
        const std::pair<int, int>* position = PositionOf(static_cast<int>(i));
        if (position != nullptr) {
            image->SetPosition(static_cast<float>(position->first), static_cast<float>(position->second), false);
        } else {
            image->SetPosition(GetX(), GetY(), false);
        }
        mImages.push_back(std::move(image));
    }
}

void TSwitcherObject::UnloadResources() {
    TObject::UnloadResources();
    mImages.clear();
}

void TSwitcherObject::ReleaseAll() {
    TObject::ReleaseAll();
    mImages.clear();
}

void TSwitcherObject::ResetState() {
    mCurrentIndex = mNextIndex = mStartIndex;
    mFading = false;
    mFadeTween.SetValue(0);
    mStarted = false;
    mDelayTimer.SetValue(0);
}
