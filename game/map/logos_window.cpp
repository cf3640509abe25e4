#include "logos_window.h"

#include "app/file_object.h"
#include "app/log.h"
#include "app/string_utils.h"
#include "screens/screen_openers.h"

namespace {
constexpr int kDesignWidth = 1366;
constexpr int kDesignHeight = 768;
} // namespace

TLogosWindow::TLogosWindow() : TClassicWindow("", false) {
    TLogFile::Get()->Printf("LogosWindow start constructor");
    SetRect(0, 0, kDesignWidth, kDesignHeight);
    mList = BuildList();
    mScale.SetValue(1.0f);
    TLogFile::Get()->Printf("LogosWindow end constructor");
}

std::vector<TSplashEntry> TLogosWindow::BuildList() {
    std::vector<TSplashEntry> list;
    for (int n = 1;; ++n) {
        std::string name = FormatString("branding/splash%d.jpg", n);
        if (!FileExists(name)) {
            name = FormatString("branding/splash%d.png", n);
        }
        if (!FileExists(name)) {
            return list;
        }
        list.push_back({name, kDisplaySeconds});
    }
}

void TLogosWindow::DrawSelf() {
    mDrawnOnce = true;
    mImage.Draw(1.0f);
}

bool TLogosWindow::Update(float dt) {
    mScale.Update(dt);
    mImage.SetScale(mScale.current);
    if (!mDrawnOnce) {
        return false;
    }
    if (mState == kNotStarted) {
        ShowNext();
    }
    mImage.Update(dt);
    if (mImage.mAlphaTween.finished) {
        EndFade();
    }
    if (mState == kShowing) {
        UpdateShowing(dt);
    } else if (mState == kPause) {
        mPhaseTime += dt;
        if (mPhaseTime >= kPauseSeconds || IsLastEntry()) {
            ShowNext();
        }
    }
    return false;
}

void TLogosWindow::EndFade() {
    if (mState == kFadingIn) {
        mState = kShowing;
        mPhaseTime = 0;
    } else if (mState == kFadingOut) {
        mState = kPause;
        mPhaseTime = 0;
    }
}

void TLogosWindow::UpdateShowing(float dt) {
    const float seconds = mList[static_cast<size_t>(mIndex)].seconds;
    mPhaseTime += dt;
    if (mPhaseTime >= seconds / 2 && !mScale.running) {
        mScale.Set(1.0f, kEndScale, seconds, true);
    }
    if (mPhaseTime >= seconds) {
        mImage.FadeAlpha(1.0f, 0.0f, kFadeOutSeconds);
        mState = kFadingOut;
    }
}

void TLogosWindow::OnMouseDown(const TMouseEvent& event) {
    TClassicWindow::OnMouseDown(event);
    if (mState == kFadingIn || mState == kShowing) {
        mImage.FadeAlpha(1.0f, 0.0f, kSkipFadeSeconds);
        mState = kFadingOut;
    }
}

void TLogosWindow::ShowNext() {
    if (mIndex == kEnded) {
        return;
    }
    TLogFile::Get()->Printf("logos next %d", mIndex);
    ++mIndex;
    if (mIndex < static_cast<int>(mList.size())) {
        mImage.SetImage(mList[static_cast<size_t>(mIndex)].image);
        mImage.SetPosition(kDesignWidth / 2.0f, kDesignHeight / 2.0f, true);
        mImage.FadeAlpha(0.0f, 1.0f, kFadeInSeconds);
        mScale.SetValue(1.0f);
        mState = kFadingIn;
        return;
    }
    mIndex = kEnded;
    mImage.ReleaseImage();
    TLogFile::Get()->Printf("add mainmenu");
    ShowMainMenuScreen();
}
