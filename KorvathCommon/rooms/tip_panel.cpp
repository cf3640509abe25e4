#include "rooms/tip_panel.h"

#include <cmath>

#include "graphics/terms.h"
#include "media/sound_manager.h"
#include "objects/object_services.h"
#include "windows/text_label.h"

namespace {

TTipPanel* gTipPanel = nullptr;

} // namespace

TTipPanel* TTipPanel::GetInstance() {
    return gTipPanel;
}

void TTipPanel::SetInstance(TTipPanel* panel) {
    gTipPanel = panel;
}

void TTipPanel::ShowTip(const std::string& key, float seconds) {
    const THopaBaseUserInfo* profile = GetHopaUserInfo();
    if (profile == nullptr || !profile->mTipsEnabled) {
        return;
    }
    if (key.empty() && mState == kHidden) {
        mTipAsked = true;
    }
    if (mState != kShown) {
        return;
    }
    bool appear = false;
    if (key.empty()) {
        if (mShown) {
            Hide();
        }
    } else {
        if (seconds != 0) {
            mDisplay.Set(0, 1, std::fabs(seconds), true);
        } else {
            mDisplay.SetValue(0);
        }
        mTipAsked = false;
        if (!mShown) {
            HideNow();
        } else {
            mSecondFade.Set(0, 1, mFadeInTime, true);
            appear = true;
        }
    }
    mKey = key;
    TTerms* terms = TTerms::GetInstance();
    mText = terms != nullptr ? terms->GetText(key) : key;
    if (mLabel != nullptr) {
        mLabel->SetTextKey(key);
    }
    if (appear) {
        Appear(mFadeInTime);
    }
    if (!mKey.empty()) {
        PlaySoundByName("tip");
    }
}

void TTipPanel::HideNow() {
    mShown = false;
    mState = kHidden;
    mFirstFade.Set(0, 1, mFadeInTime, true);
    mSecondFade.SetValue(0);
}

void TTipPanel::Hide() {
    if (!mShown) {
        return;
    }
    mDisplay.SetValue(0);
    mState = kHiding;
    mText.clear();
    mKey.clear();
    if (mLabel != nullptr) {
        mLabel->SetText("");
    }
    mSecondFade.SetValue(0);
    mEffect.reset();
    mFirstFade.Set(mFirstFade.current, 0, mFadeOutTime, true);
}
