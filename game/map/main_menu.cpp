#include "main_menu.h"

#include <SDL.h>

#include <algorithm>

#include "app/log.h"
#include "app/settings.h"
#include "app/user_info.h"
#include "data/rewards.h"
#include "map/map_openers.h"
#include "map/profile_changes.h"
#include "media/sound_manager.h"
#include "screens/screen_openers.h"
#include "windows/message_box.h"
#include "windows/text_label.h"
#include "windows/window_manager.h"

namespace {

// Set again by each start-up: the game's name is heard on the first menu of a run only.
bool gFirstShow = true;

template <class T> T* FindChild(const TMyWindow& window, const std::string& name) {
    return dynamic_cast<T*>(window.FindChildByName(name));
}

int UserCount() {
    return TSettings::Get() != nullptr ? TSettings::Get()->GetUserCount() : 0;
}

bool IsWindowPresent(int id) {
    return TMyWindowManager::Get()->FindById(id) != nullptr;
}

bool HasPlayedAnyLevel(const TModeProgress& progress) {
    return progress.mModePlayed || std::any_of(progress.mLevels.begin(), progress.mLevels.end(),
                                               [](const TLevelProgress& level) { return level.mBestScore != 0; });
}

} // namespace

bool IsProfileFresh() {
    TUserInfo* profile = TUserInfo::Get();
    for (int mode = 0; mode < TUserInfo::kModeCount; ++mode) {
        if (HasPlayedAnyLevel(profile->GetModeProgress(mode))) {
            return false;
        }
    }
    const TRewardList& rewards = GetRewardList();
    return std::none_of(rewards.begin(), rewards.end(), [](const auto& reward) { return reward->mObtained; });
}

void TMainMenu::ResetFirstShow() {
    gFirstShow = true;
}

TMainMenu::TMainMenu() : TClassicWindow(kFile, true) {
    TLogFile::Get()->Printf("mainmenu start constructor");
    mId = kWindowId;
    if (TSettings::Get() != nullptr) {
        SaveProfileIfChanged();
        TSettings::Get()->LoadProfile();
        RememberProfileState();
    }
    FindControls();
    mScene.Load(kSceneFile);
    mAnimation1.Load("but1.xml", true);
    mAnimation2.Load("but2.xml", true);
    mAnimation1.Restart();
    mAnimation2.Restart();
    TLogFile::Get()->Printf("mainmenu end constructor");
}

TMainMenu::~TMainMenu() {
    mAnimation1.ReleaseImages();
    mAnimation2.ReleaseImages();
}

void TMainMenu::FindControls() {
    mPlay = FindChild<TMyButton>(*this, "main_play");
    mHelp = FindChild<TMyButton>(*this, "main_help");
    mOptions = FindChild<TMyButton>(*this, "main_options");
    mExit = FindChild<TMyButton>(*this, "main_exit");
    mMoreGames = FindChild<TMyButton>(*this, "main_moregames");
    mProfiles = FindChild<TMyButton>(*this, "main_profiles");
    mNameLabel = FindChild<TSimpleTextImage>(*this, "namelbl");
    mNotYouLabel = FindChild<TSimpleTextImage>(*this, "notyoulbl");
    if (mNameLabel != nullptr) {
        mNameLabel->ClearText();
    }
    if (mNotYouLabel != nullptr) {
        mNotYouLabel->SetListener(this);
        mNotYouLabel->mHand = true;
    }
}

void TMainMenu::OnShow() {
    // The menu is at full opacity at once: no fade-in.
    TMyWindow::OnShow(); // NOLINT(bugprone-parent-virtual-call): the classic fade-in is skipped
    mFade.SetValue(1.0f);
    SetAlpha(mFade.current);
    if (gFirstShow) {
        PlaySoundByName("gamename");
        gFirstShow = false;
    }
    TLogFile::Get()->Printf("show main menu");
    PlayMenuMusic();
    mScene.Show();
}

bool TMainMenu::Update(float dt) {
    TClassicWindow::Update(dt);
    if (mOverlay) {
        mOverlay->Update(dt);
        if (mOverlay->mFinished) {
            mOverlay.reset();
        }
    }
    mScene.Update(dt);
    mAnimation1.Update(dt);
    mAnimation2.Update(dt);
    UpdateNameLabel();
    CheckFirstProfile();
    return false;
}

void TMainMenu::UpdateNameLabel() {
    if (mNameLabel == nullptr) {
        return;
    }
    if (UserCount() == 0) {
        mNameLabel->ClearText();
    } else {
        mNameLabel->SetText(TSettings::Get()->GetUserNameAt(TSettings::Get()->GetCurrentUser()));
    }
}

// Once per menu, as soon as no player exists and no profile window is open, the player is asked a name.
void TMainMenu::CheckFirstProfile() {
    if (!mProfileCheck || UserCount() != 0 || IsWindowPresent(kProfileNameId) || IsWindowPresent(kProfileListId)) {
        return;
    }
    mProfileCheck = false;
    OpenProfileNameWindow(this);
}

// The background covers the whole picture and stays the same while the menu rests; scaled to a smaller
// output it costs more than the rest of the menu, so it comes from a cached layer.
void TMainMenu::DrawSelf() {
    const auto background = [this] { TClassicWindow::DrawSelf(); };
    const auto nothing = [] {};
    if (!mBackgroundLayer.Draw(background, nothing, nothing)) {
        background();
    }
    mScene.Draw(mFade.current);
    mAnimation1.Draw(1.0f);
    mAnimation2.Draw(1.0f);
}

void TMainMenu::DrawOver() {
    if (mOverlay) {
        mOverlay->Draw();
    }
}

void TMainMenu::OnButtonClick(int /*parentId*/, TMyWindow* /*parent*/, int /*buttonId*/, TMyButton* button) {
    if (button == nullptr) {
        return;
    }
    if (button == mPlay) {
        Play();
    } else if (button == mOptions) {
        OpenOptionsWindow();
    } else if (button == mHelp) {
        OpenHelpWindow(this);
    } else if (button == mExit) {
        TMyWindowManager::Get()->ShowPopup(
            std::make_unique<TMessageBoxOkCancelWindow>(this, "quit", "sureexit", kQuitId));
    } else if (button == mProfiles) {
        OpenProfileListWindow(this);
    }
}

void TMainMenu::Play() {
    if (UserCount() == 0) {
        OpenProfileNameWindow(this);
        return;
    }
    TUserInfo::Get()->SetCurrentMode(0);
    if (TUserInfo::Get()->GetModeProgress(0).mModePlayed) {
        ShowMapScreen();
    } else {
        StartNewGame();
    }
}

void TMainMenu::StartNewGame() {
    TUserInfo* profile = TUserInfo::Get();
    profile->SetCurrentMode(0);
    ResetGameBackground();
    if (IsProfileFresh()) {
        TSettings::Get()->ResetAndSaveProfile();
        RememberProfileState();
    } else {
        TLogFile::Get()->Printf("profile has progress, new game keeps it");
    }
    if (profile->GetDifficultyChoice() != TUserInfo::kDifficultyNotChosen) {
        ShowMapScreen();
    } else if (!IsWindowPresent(kDifficultyId)) {
        OpenDifficultyWindow(this);
    }
}

void TMainMenu::OnFlyWindowClosed(TFlyWindow* window, int windowId, int result) {
    switch (windowId) {
    case kDifficultyId:
        if (result != kCancelled) {
            TUserInfo::Get()->AddPair("NewGame", "true");
            TSettings::Get()->SaveSettings();
            TMyWindowManager::Get()->ShowPopup(
                std::make_unique<TMessageBoxOkWindow>(this, "", "changedifficultytext", kDifficultyNoticeId));
        }
        break;
    case kQuitId:
        if (result == 1) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
        break;
    case kProfileNameId:
        if (result == 1) {
            TSettings::Get()->AddUser(GetEnteredProfileName(window));
            TSettings::Get()->LoadProfile();
            RememberProfileState();
            StartNewGame();
        }
        break;
    case kProfileListId:
        if (const int chosen = GetChosenProfile(window); chosen >= 0) {
            TSettings::Get()->SelectUser(chosen);
            RememberProfileState();
        }
        break;
    case kDifficultyNoticeId:
        ShowMapScreen();
        break;
    default:
        break;
    }
}

void TMainMenu::OnFlyWindowShown(TFlyWindow* window, int /*windowId*/) {
    mOverlayOwner = window;
    mOverlay = std::make_unique<TShadow>();
    mOverlay->mMaxAlpha = kOverlayAlpha;
    mOverlay->mHold = true;
    mOverlay->Show();
}

void TMainMenu::OnFlyWindowHidden(TFlyWindow* window, int /*windowId*/) {
    // A window hides only after its close was handled, and that may have opened the next dialog (the
    // difficulty window, its notice): the overlay then belongs to the new one and stays.
    if (mOverlay && window == mOverlayOwner) {
        mOverlay->Hide();
    }
}

void TMainMenu::OnWindowMouseUp(TMyWindow* window, const TMouseEvent& /*event*/) {
    if (window != nullptr && window == mNotYouLabel) {
        OpenProfileListWindow(this);
    }
}
