#include "options_window.h"

#include "app/display_modes.h"
#include "app/settings.h"
#include "app/user_info.h"
#include "media/sound_manager.h"
#include "windows/game_cursors.h"
#include "windows/message_box.h"
#include "windows/window_manager.h"

namespace {

bool IsFullscreenNow() {
    const TSettings* settings = TSettings::Get();
    return settings != nullptr && settings->IsFullscreen();
}

void SetChecked(TMyButton* button, bool checked) {
    if (button != nullptr) {
        button->mChecked = checked;
    }
}

} // namespace

TOptionsWindow::TOptionsWindow(const std::string& file, TFlyWindowListener* listener)
    : TFlyWindow(listener, true, file) {
    mId = kWindowId;
    mFullscreen = FindButton("fullscreen");
    mWidescreen = FindButton("widescreen");
    mCustomCursor = FindButton("customcursor");
    mMenu = FindButton("menu");
    mOk = FindButton("ok");
    mDifficulty = FindButton("difficulty");
    const TSettings* settings = TSettings::Get();
    SetChecked(mFullscreen, IsFullscreenNow());
    SetChecked(mWidescreen, settings != nullptr && !settings->IsWideScreenOff());
    SetChecked(mCustomCursor, settings != nullptr && settings->IsCustomCursor());
    const TUserInfo* profile = TUserInfo::Get();
    SetSliderValue(kMusicSlider, profile->GetMusicVolume());
    SetSliderValue(kSoundSlider, profile->GetGroupVolume(0));
    SetSliderValue(kVoiceSlider, profile->GetGroupVolume(1));
    SetSliderValue(kGroup2Slider, profile->GetGroupVolume(2));
}

TOptionsWindow::~TOptionsWindow() {
    if (mMusicStarted) {
        if (TSoundManager* sound = TSoundManager::FindInstance()) {
            sound->StopMusic();
        }
    }
}

TMyButton* TOptionsWindow::FindButton(const char* name) const {
    return dynamic_cast<TMyButton*>(FindChildByName(name));
}

void TOptionsWindow::SetSliderValue(int id, float value) {
    if (auto* slider = dynamic_cast<TBaseSlider*>(FindChildById(id))) {
        slider->SetValue(value);
    }
}

bool TOptionsWindow::Update(float dt) {
    const bool close = TFlyWindow::Update(dt);
    // The box mirrors the real display, whoever switched it.
    SetChecked(mFullscreen, IsFullscreenNow());
    return close;
}

void TOptionsWindow::OnButtonMayClick(int, TMyWindow*, int buttonId, TMyButton*, bool& mayClick) {
    mResult = buttonId;
    mayClick = true;
    if (buttonId == kFullscreenId && IsFullscreenNow() && GetDisplay().mHeightBeforeStart <= kSmallestWindowedDesktop) {
        mayClick = false;
        TMyWindowManager::Get()->ShowPopup(std::make_unique<TMessageBoxOkWindow>(nullptr, "", "wrongresolution", -1));
    }
}

void TOptionsWindow::OnButtonClick(int, TMyWindow*, int buttonId, TMyButton* button) {
    TSettings* settings = TSettings::Get();
    if (button == nullptr) {
        return;
    }
    if (button == mMenu) {
        Close(buttonId);
    } else if (button == mOk) {
        if (settings != nullptr) {
            settings->SaveProgress();
        }
        Close(mResult);
    } else if (button == mFullscreen) {
        if (settings != nullptr) {
            settings->ToggleFullscreen();
        }
    } else if (button == mCustomCursor) {
        TGameCursors::Get()->SetCustomCursors(button->mChecked);
        if (settings != nullptr) {
            settings->SetCustomCursor(button->mChecked);
        }
    }
}

void TOptionsWindow::OnSliderChanged(int id, float value, TBaseSlider*) {
    TUserInfo* profile = TUserInfo::Get();
    TSoundManager* sound = TSoundManager::FindInstance();
    switch (id) {
    case kMusicSlider:
        // So the player hears the level being set.
        if (sound != nullptr && !sound->IsAnyMusicPlaying()) {
            mMusicStarted = true;
            sound->PlayMusic("mainmenu");
        }
        profile->SetMusicVolume(value);
        if (sound != nullptr) {
            sound->SetMusicVolume(value);
        }
        break;
    case kSoundSlider:
    case kVoiceSlider:
    case kGroup2Slider: {
        const int group = id == kSoundSlider ? 0 : id == kVoiceSlider ? 1 : 2;
        profile->SetGroupVolume(group, value);
        if (sound != nullptr) {
            sound->SetGroupVolume(value, static_cast<TSoundGroup>(group));
        }
        break;
    }
    default:
        break;
    }
}
