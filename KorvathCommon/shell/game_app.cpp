#include "shell/game_app.h"

#include <SDL.h>

#include "app/clock.h"
#include "app/display_modes.h"
#include "app/log.h"
#include "shell/main_loop.h"
#include "shell/startup_seams.h"

namespace {
std::unique_ptr<TGameApp> gGameApp;
// Schedules this far behind are resynchronised instead of caught up.
constexpr int32_t kStallMs = 1000;
} // namespace

TMyTask::TMyTask() : mNextRun(GetTicks()) {}

bool TMyTask::IsDue() const {
    return mNextRun != kNever && static_cast<int32_t>(GetTicks() - mNextRun) >= 0;
}

bool TMyTask::Run() {
    const uint32_t now = GetTicks();
    if (static_cast<int32_t>(now - mNextRun) > kStallMs) {
        mNextRun = now;
    }
    bool result = false;
    do {
        mNextRun = mFromNow ? now + static_cast<uint32_t>(mPeriod) : mNextRun + static_cast<uint32_t>(mPeriod);
        result = Execute();
    } while (result && mCatchUp && mNextRun < now);
    return result;
}

TMyAppTask::TMyAppTask() : mPreviousTick(GetTicks()) {}

bool TMyAppTask::Execute() {
    const uint32_t now = GetTicks();
    mLastElapsed = static_cast<float>(now - mPreviousTick) / 1000.0f;
    GetSeams().UpdateWindows(mLastElapsed);
    mPreviousTick = now;
    return true;
}

TGameAppBase::TGameAppBase() {
    TDisplayValues& display = GetDisplay();
    display.mView = TViewTransform();
    GetLoopState().mHasFocus = true;
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        display.mWidthBeforeStart = desktop.w;
        display.mHeightBeforeStart = desktop.h;
    }
    display.mRealResolutionWidth = display.mMaxModeWidth = display.mDesignWidth;
    display.mRealResolutionHeight = display.mMaxModeHeight = display.mDesignHeight;
    TLogFile::Get()->Printf("mWidthBeforeStart =  %d  mHeightBeforeStart = %d", display.mWidthBeforeStart,
                            display.mHeightBeforeStart);
}

void TGameAppBase::Update(float /*ignored*/) {
    if (!mFrameTask) {
        mFrameTask = std::make_unique<TMyAppTask>();
        mFrameTask->SetPeriod(kFramePeriodMs);
        mFrameTask->SetFromNow(true);
        mFrameTask->SetCatchUp(false);
        mFrameTask->SetNextRun(GetTicks() + kFramePeriodMs);
    }
    if (mFrameTask->IsDue()) {
        mFrameTask->Run();
    }
}

TGameApp* CreateGameApp() {
    gGameApp.reset();
    gGameApp = std::make_unique<TGameApp>();
    return gGameApp.get();
}

TGameApp* GetGameApp() {
    return gGameApp.get();
}

void DestroyGameApp() {
    gGameApp.reset();
}
