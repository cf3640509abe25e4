#include "difficulty_window.h"

#include <initializer_list>

#include "app/settings.h"
#include "app/string_utils.h"
#include "app/user_info.h"
#include "data/game_settings.h"
#include "data/user_records.h"
#include "windows/text_label.h"

namespace {

const char* const kPresetBoxNames[] = {"casualcb", "normalcb", "expertcb", "customcb"};
const char* const kUsualPrefixes[] = {"dif_casual", "dif_normal", "dif_expert"};

// The slider position of a value in the range; 0 for a range without width.
float PositionInRange(int value, int min, int max) {
    return max == min ? 0.0f : static_cast<float>(value - min) / static_cast<float>(max - min);
}

// The value of a slider position in the range; the minimum for a range without width.
float ValueInRange(float position, int min, int max) {
    return max == min ? static_cast<float>(min) : static_cast<float>(min) + static_cast<float>(max - min) * position;
}

void SetShown(TMyWindow* window, bool shown) {
    if (window != nullptr) {
        window->mShown = shown;
        window->mMouseOver = window->mMouseOver && shown;
    }
}

void SetChecked(TMyButton* button, bool checked) {
    if (button != nullptr) {
        button->mChecked = checked;
    }
}

} // namespace

TSelectDifficultyModeWindow::TSelectDifficultyModeWindow(TFlyWindowListener* listener)
    : TFlyWindow(listener, true, kFile) {
    mId = kWindowId;
    mSettings = GetProfileDifficulty();
    const int choice = TUserInfo::Get()->GetDifficultyChoice();
    for (int i = 0; i < 4; ++i) {
        mPresetBoxes[i] = FindButton(kPresetBoxNames[i]);
    }
    for (int k = 1;; ++k) {
        auto* label = dynamic_cast<TSimpleTextImage*>(FindChildByName(FormatString("usual%d", k)));
        if (label == nullptr) {
            break;
        }
        mUsualLabels.push_back(label);
    }
    mUsualCaption = dynamic_cast<TSimpleTextImage*>(FindChildByName("usualcaption"));
    mHintBox = FindButton("hintbtn");
    mHintSlider = dynamic_cast<TBaseSlider*>(FindChildByName("hintsld"));
    mHintLabel = dynamic_cast<TSimpleTextImage*>(FindChildByName("hintlbl"));
    mErrorsSlider = dynamic_cast<TBaseSlider*>(FindChildByName("errorssld"));
    mErrorsValueLabel = dynamic_cast<TSimpleTextImage*>(FindChildByName("errorlblvle"));
    mErrorsCaption = dynamic_cast<TSimpleTextImage*>(FindChildByName("errorlbl"));
    mTimerBox = FindButton("usetimerbtn");
    mBonusTimeBox = FindButton("showbonustimebtn");
    mRadio[0] = FindButton("mosaicadvanced");
    mRadio[1] = FindButton("mosaiccasual");

    const TMosaicGameSettings& game = TMosaicGameSettings::Get();
    if (mHintSlider != nullptr) {
        mHintSlider->mRangeMin = static_cast<float>(game.mHintMin);
        mHintSlider->mRangeMax = static_cast<float>(game.mHintMax);
    }
    if (mErrorsSlider != nullptr) {
        mErrorsSlider->mRangeMin = static_cast<float>(game.mErrorsMin);
        mErrorsSlider->mRangeMax = static_cast<float>(game.mErrorsMax);
    }
    if (choice < 0 || choice >= TUserInfo::kDifficultyNotChosen) {
        mSelected = 0;
        FillCustomControls(game.GetPreset(kCustom));
    } else {
        mSelected = choice;
        FillCustomControls(mSettings);
    }
    UpdatePresetBoxes();
    UpdateGroups();
    UpdateUsualLabels();
}

TMyButton* TSelectDifficultyModeWindow::FindButton(const char* name) const {
    return dynamic_cast<TMyButton*>(FindChildByName(name));
}

void TSelectDifficultyModeWindow::ShowValue(TSimpleTextImage* label, float value) {
    if (label == nullptr) {
        return;
    }
    const int shown = static_cast<int>(value);
    if (shown != 0) {
        label->SetText(FormatString("%d", shown));
    } else {
        label->SetTextKey("off_txt");
        label->RefreshText();
    }
}

void TSelectDifficultyModeWindow::FillCustomControls(const TBaseMosaicSettings& settings) {
    const TMosaicGameSettings& game = TMosaicGameSettings::Get();
    SetChecked(mHintBox, settings.mHintRecharge > 0);
    if (mHintSlider != nullptr) {
        mHintSlider->SetValue(PositionInRange(settings.mHintRecharge, game.mHintMin, game.mHintMax));
    }
    ShowValue(mHintLabel, static_cast<float>(settings.mHintRecharge));
    SetChecked(mTimerBox, settings.mUseTimer);
    SetChecked(mBonusTimeBox, settings.mShowBonusTime);
    SetChecked(mRadio[0], settings.mSetNumbersNow == 0);
    SetChecked(mRadio[1], settings.mSetNumbersNow == 1);
    if (mErrorsSlider != nullptr) {
        mErrorsSlider->SetValue(PositionInRange(settings.mMaxErrors, game.mErrorsMin, game.mErrorsMax));
    }
    ShowValue(mErrorsValueLabel, static_cast<float>(settings.mMaxErrors));
}

void TSelectDifficultyModeWindow::ReadCustomControls(TBaseMosaicSettings& settings) const {
    const TMosaicGameSettings& game = TMosaicGameSettings::Get();
    const bool hints = mHintBox != nullptr && mHintBox->mChecked;
    settings.mHintRecharge = hints && mHintSlider != nullptr
                                 ? static_cast<int>(ValueInRange(mHintSlider->mValue, game.mHintMin, game.mHintMax))
                                 : 0;
    if (mErrorsSlider != nullptr) {
        settings.mMaxErrors = static_cast<int>(ValueInRange(mErrorsSlider->mValue, game.mErrorsMin, game.mErrorsMax));
    }
    settings.mUseTimer = mTimerBox != nullptr && mTimerBox->mChecked;
    if (mBonusTimeBox != nullptr) {
        settings.mShowBonusTime = mBonusTimeBox->mChecked;
    }
    for (int index = 0; index < 2; ++index) {
        if (mRadio[index] != nullptr && mRadio[index]->mChecked) {
            settings.mSetNumbersNow = index;
            break;
        }
    }
}

void TSelectDifficultyModeWindow::UpdatePresetBoxes() {
    for (TMyButton* box : mPresetBoxes) {
        if (box != nullptr) {
            box->mChecked = box->mId == mSelected + 1;
        }
    }
}

void TSelectDifficultyModeWindow::UpdateGroups() {
    const bool custom = mSelected == kCustom;
    for (TMyWindow* control :
         std::initializer_list<TMyWindow*>{mHintBox, mHintSlider, mHintLabel, mErrorsSlider, mErrorsValueLabel,
                                           mErrorsCaption, mTimerBox, mBonusTimeBox, mRadio[0], mRadio[1]}) {
        SetShown(control, custom);
    }
    for (TSimpleTextImage* label : mUsualLabels) {
        SetShown(label, !custom);
    }
    SetShown(mUsualCaption, !custom);
}

void TSelectDifficultyModeWindow::UpdateUsualLabels() {
    if (mSelected < 0 || mSelected >= kCustom) {
        return;
    }
    for (size_t k = 0; k < mUsualLabels.size(); ++k) {
        mUsualLabels[k]->SetTextKey(FormatString("%s%d", kUsualPrefixes[mSelected], static_cast<int>(k) + 1));
        mUsualLabels[k]->RefreshText();
    }
}

void TSelectDifficultyModeWindow::OnButtonClick(int, TMyWindow*, int buttonId, TMyButton* button) {
    mResult = buttonId;
    if (buttonId >= 1 && buttonId <= 4) {
        mSelected = buttonId - 1;
        UpdatePresetBoxes();
        UpdateGroups();
        UpdateUsualLabels();
    } else if (buttonId == kHintBox && mHintBox != nullptr) {
        const bool on = mHintBox->mChecked;
        SetShown(mHintSlider, on);
        if (on && mHintSlider != nullptr) {
            const TMosaicGameSettings& game = TMosaicGameSettings::Get();
            ShowValue(mHintLabel, ValueInRange(mHintSlider->mValue, game.mHintMin, game.mHintMax));
        } else {
            ShowValue(mHintLabel, 0);
        }
    } else if (buttonId == kCancel) {
        Close(kCancel);
    } else if (buttonId == kConfirm) {
        Close(kConfirm);
        Apply();
    }
    for (int index = 0; index < 2; ++index) {
        if (button != nullptr && button == mRadio[index]) {
            SetChecked(mRadio[index], true);
            SetChecked(mRadio[1 - index], false);
        }
    }
}

void TSelectDifficultyModeWindow::Apply() {
    if (mSelected == kCustom) {
        ReadCustomControls(GetProfileDifficulty());
        // The running game copies the new limits in at once.
        TUserInfo::Get()->NotifySettingsChanged();
    } else {
        SetProfileDifficulty(TMosaicGameSettings::Get().GetPreset(mSelected));
    }
    TUserInfo::Get()->SetDifficultyChoice(mSelected);
    if (TSettings* settings = TSettings::Get()) {
        settings->SaveProfile();
    }
}

void TSelectDifficultyModeWindow::OnSliderChanged(int, float, TBaseSlider* slider) {
    // Mapped here rather than by the slider, so a range without width reads as its minimum.
    const TMosaicGameSettings& game = TMosaicGameSettings::Get();
    if (slider == nullptr) {
        return;
    }
    if (slider == mHintSlider) {
        ShowValue(mHintLabel, ValueInRange(slider->mValue, game.mHintMin, game.mHintMax));
    } else if (slider == mErrorsSlider) {
        ShowValue(mErrorsValueLabel, ValueInRange(slider->mValue, game.mErrorsMin, game.mErrorsMax));
    }
}
