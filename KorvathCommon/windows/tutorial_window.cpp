#include "windows/tutorial_window.h"

#include <cmath>

#include "app/log.h"
#include "app/user_info.h"
#include "windows/game_cursors.h"
#include "windows/text_label.h"
#include "windows/ui_info_holder.h"
#include "windows/ui_tutorial_box.h"
#include "windows/ui_window_box.h"
#include "windows/viewport.h"
#include "windows/window_manager.h"

namespace {
TMyTutorialWindow* gTutorial = nullptr;

constexpr float kRadiansPerDegree = 0.017453292f;
// A fly window of this id asks whether the player wants the interactive help.
constexpr int kHelpQuestionWindowId = 7;

// Both ends of a pulse, or the fallback for both when either end is not set.
void PulseRange(float low, float high, float fallback, float& outLow, float& outHigh) {
    const bool unset = low == -1 || high == -1;
    outLow = unset ? fallback : low;
    outHigh = unset ? fallback : high;
}

void StartPulse(TValueCycler& cycler, float low, float high, float seconds) {
    cycler.cycleLimit = TValueCycler::kEndless;
    cycler.Setup(low, (low + high) * 0.5f, high, seconds);
}

template <class T> T* ChildAs(TMyWindow* window, const std::string& name, int kind) {
    TMyWindow* child = window->FindChildByName(name);
    return child != nullptr && child->GetType() == kind ? dynamic_cast<T*>(child) : nullptr;
}
} // namespace

TTutorialPointer::TTutorialPointer(const TUITutorialArrow& arrow)
    : x(arrow.x), y(arrow.y), cx(arrow.cx), cy(arrow.cy), angle(arrow.angle), scale(arrow.scale),
      scaleTime(arrow.scaleTime), alphaTime(arrow.alphaTime), imageName(arrow.image) {
    PulseRange(arrow.scaleMin, arrow.scaleMax, scale, scaleMin, scaleMax);
    PulseRange(arrow.alphaMin, arrow.alphaMax, 1.0f, alphaMin, alphaMax);
    image.SetPosition(static_cast<float>(x), static_cast<float>(y), false);
    image.SetImage(imageName);
    if (arrow.HasCenter()) {
        // The image turns about this point, which lands on (x, y).
        image.mRenderState.centreX = static_cast<float>(cx);
        image.mRenderState.centreY = static_cast<float>(cy);
        image.mRenderState.flags |= TRenderState::kCentre;
        image.mCustomCentre = true;
    }
    image.SetScale(scale);
    image.mAngle = static_cast<float>(angle) * kRadiansPerDegree;
    StartPulse(alphaCycler, alphaMin, alphaMax, alphaTime);
    StartPulse(scaleCycler, scaleMin, scaleMax, scaleTime);
}

void TTutorialPointer::Update(float dt) {
    alphaCycler.Update(dt);
    scaleCycler.Update(dt);
}

void TTutorialPointer::Draw(float parentAlpha) {
    image.mAlpha = GetAlpha();
    image.SetScale(GetScale());
    image.Draw(parentAlpha);
}

TMyTutorialWindow* TMyTutorialWindow::Get() {
    if (gTutorial == nullptr) {
        // The constructor is private: the one window is made only here.
        std::unique_ptr<TMyTutorialWindow> tutorial(new TMyTutorialWindow());
        gTutorial = tutorial.get();
        TMyWindowManager::Get()->KeepUntilShutdown(std::move(tutorial));
        gTutorial->HideNow(false);
    }
    return gTutorial;
}

TMyTutorialWindow* TMyTutorialWindow::FindInstance() {
    return gTutorial;
}

TMyTutorialWindow::TMyTutorialWindow() : TFlyWindow(nullptr, true, kFile) {
    mId = kWindowId;
    mFirstText = ChildAs<TSimpleTextImage>(this, "tutorialtext1", kWindowKindLabel);
    mSecondText = ChildAs<TSimpleTextImage>(this, "tutorialtext2", kWindowKindLabel);
    mSkipButton = ChildAs<TMyButton>(this, "skiptutorial", kWindowKindButton);
}

TMyTutorialWindow::~TMyTutorialWindow() {
    if (gTutorial == this) {
        gTutorial = nullptr;
    }
}

bool TMyTutorialWindow::IsShowingStep() const {
    TMyWindowManager* manager = TMyWindowManager::FindInstance();
    return mShown && manager != nullptr && manager->IsInTree(this);
}

void TMyTutorialWindow::ShowStep(const TUITutorial* step, const std::string& name, bool recordAsShown, int targetId) {
    TMyWindowManager* manager = TMyWindowManager::Get();
    // A leftover entry in the lists would make the manager skip the show.
    manager->Remove(this);
    Setup(step);
    mStepName = name;
    mStepPending = true;
    manager->ShowBorrowedPopup(this);
    mRecordAsShown = recordAsShown;
    manager->BringPopupToTop(this);
    mTargetId = targetId == -1 ? kGlobalBoxWindowId : targetId;
}

void TMyTutorialWindow::HideNow(bool forgetTarget) {
    if (TMyWindowManager* manager = TMyWindowManager::FindInstance()) {
        manager->Remove(this);
    }
    // Invisible before the listener hears of it, so a step it shows in reply fades in as usual.
    mFade.SetValue(0.0f);
    SetAlpha(0.0f);
    if (forgetTarget) {
        mTargetId.reset();
    }
    if (mShown) {
        Hide();
    } else {
        FinishStep();
    }
}

void TMyTutorialWindow::Setup(const TUITutorial* step) {
    mPointers.clear();
    if (step != nullptr) {
        MovePath(*step);
        mStateText = step->mStateStr;
        if (mFirstText != nullptr) {
            mFirstText->SetTextKey(step->mText1);
            mFirstText->RefreshText();
        }
        if (mSecondText != nullptr) {
            mSecondText->SetTextKey(step->mText2);
            mSecondText->RefreshText();
        }
        for (const TUITutorialArrow& arrow : step->mArrows) {
            mPointers.push_back(std::make_unique<TTutorialPointer>(arrow));
        }
        mFinalize = step->mFinalize;
        mHideFast = step->mHideFast;
        mScreenSpace = step->mScale;
    }
    // Every step flies in afresh, whatever the previous one left.
    ResetFlight();
    ShowPart(mSkipButton, step != nullptr && step->mShowSkipButton);
    ShowPart(mSecondText, step != nullptr && step->mClickToContinue);
    for (TSimpleTextImage* text : {mFirstText, mSecondText}) {
        if (text != nullptr) {
            text->SetListener(this);
        }
    }
}

void TMyTutorialWindow::MovePath(const TUITutorial& step) {
    TUIFlyWindow* fly = mFlyDescription;
    if (fly == nullptr) {
        // No flight: the panel simply stands on the step's point.
        mXTween.SetValue(static_cast<float>(step.mX));
        mYTween.SetValue(static_cast<float>(step.mY));
        return;
    }
    const int dx = step.mX - fly->mX;
    const int dy = step.mY - fly->mY;
    fly->mX1 += dx;
    fly->mY1 += dy;
    fly->mX2 += dx;
    fly->mY2 += dy;
    fly->mX += dx;
    fly->mY += dy;
    const float legTime = std::fabs(fly->mTime * 0.5f);
    mXTween.Set(static_cast<float>(fly->mX1), static_cast<float>(step.mX), legTime, true);
    mYTween.Set(static_cast<float>(fly->mY1), static_cast<float>(step.mY), legTime, true);
}

void TMyTutorialWindow::ShowPart(TMyWindow* part, bool shown) {
    if (part == nullptr) {
        return;
    }
    part->mShown = shown;
    if (!shown) {
        part->mMouseOver = false;
    }
}

void TMyTutorialWindow::SetVisible(bool shown, bool force) {
    if (force || mShown != shown) {
        mShown = shown;
    }
}

bool TMyTutorialWindow::Update(float dt) {
    for (const std::unique_ptr<TTutorialPointer>& pointer : mPointers) {
        pointer->Update(dt);
    }
    const bool closed = TFlyWindow::Update(dt);
    return closed || mDone;
}

void TMyTutorialWindow::Draw() {
    if (!mScreenSpace) {
        TFlyWindow::Draw();
        return;
    }
    ResetViewport();
    TFlyWindow::Draw();
    ResetViewport();
}

void TMyTutorialWindow::DrawSelf() {
    for (const std::unique_ptr<TTutorialPointer>& pointer : mPointers) {
        pointer->Draw(mFade.current);
    }
    TFlyWindow::DrawSelf();
}

TMouseEvent TMyTutorialWindow::PointerRecord(const TMouseEvent& event) {
    TMouseEvent record;
    record.x = event.gameX;
    record.y = event.gameY;
    record.gameX = event.gameX;
    record.gameY = event.gameY;
    record.buttons = event.buttons;
    return record;
}

TMyWindow* TMyTutorialWindow::FindTarget() const {
    TMyWindowManager* manager = TMyWindowManager::FindInstance();
    if (!mTargetId || manager == nullptr) {
        return nullptr;
    }
    TMyWindow* target = manager->FindById(*mTargetId);
    return target != nullptr && target != this && manager->IsInTree(target) ? target : nullptr;
}

TMyWindow* TMyTutorialWindow::TargetHit(TMyWindow* target, int x, int y, TMouseEvent& local,
                                        const TMouseEvent& event) const {
    int localX = 0;
    int localY = 0;
    TMyWindow* found = target->HitTest(x, y, localX, localY);
    local = PointerRecord(event);
    local.x = localX;
    local.y = localY;
    return found;
}

bool TMyTutorialWindow::IsOverSkipButton(int x, int y) {
    if (mSkipButton == nullptr || !mSkipButton->mShown) {
        return false;
    }
    int originX = 0;
    int originY = 0;
    GetAbsolutePosition(originX, originY);
    return mSkipButton->IsHit(x - originX, y - originY);
}

bool TMyTutorialWindow::IsOverPanel(int x, int y) {
    int originX = 0;
    int originY = 0;
    GetAbsolutePosition(originX, originY);
    return originX <= x && x < originX + GetWidth() && originY <= y && y < originY + GetHeight();
}

void TMyTutorialWindow::OnMouseDown(const TMouseEvent& event) {
    TFlyWindow::OnMouseDown(event);
    const int x = event.gameX;
    const int y = event.gameY;
    if (IsOverSkipButton(x, y)) {
        mSkipButton->OnMouseDown(PointerRecord(event));
    }
    if (TMyWindow* target = FindTarget()) {
        TMouseEvent local;
        if (TMyWindow* found = TargetHit(target, x, y, local, event)) {
            found->OnMouseDown(local);
        }
    }
}

void TMyTutorialWindow::OnMouseMove(const TMouseEvent& event) {
    TFlyWindow::OnMouseMove(event);
    const int x = event.gameX;
    const int y = event.gameY;
    const TMouseEvent record = PointerRecord(event);
    const bool overSkip = IsOverSkipButton(x, y);
    if (overSkip) {
        mSkipButton->OnMouseMove(record);
    } else if (mSkipButton != nullptr && mSkipButton->mMouseOver) {
        mSkipButton->OnMouseLeave();
    }
    TMyWindow* target = FindTarget();
    bool targetMoved = false;
    if (!IsOverPanel(x, y)) {
        if (target != nullptr) {
            target->OnMouseMove(record);
            targetMoved = true;
        }
    } else {
        TGameCursors::Get()->Select("default");
    }
    if (target != nullptr) {
        TMouseEvent local;
        TMyWindow* found = TargetHit(target, x, y, local, event);
        // A window hears one move per move.
        if (found != nullptr && !(found == target && targetMoved)) {
            found->OnMouseMove(local);
        }
    }
    if (overSkip) {
        TGameCursors::Get()->Select("active");
    }
    if (target != nullptr) {
        target->ClearChildrenHover(x, y);
    }
}

void TMyTutorialWindow::OnMouseUp(const TMouseEvent& event) {
    TFlyWindow::OnMouseUp(event);
    const int x = event.gameX;
    const int y = event.gameY;
    const TMouseEvent record = PointerRecord(event);
    if (IsOverSkipButton(x, y)) {
        mSkipButton->OnMouseUp(record);
    }
    TMyWindow* target = FindTarget();
    TMouseEvent local;
    TMyWindow* found = target != nullptr ? TargetHit(target, x, y, local, event) : nullptr;
    // A window hears one release per click: the target gets the pointer's own record only when the
    // window under the pointer is another one.
    if (target != nullptr && found != target) {
        target->OnMouseUp(record);
    }
    EndStep();
    TMyWindowManager* manager = TMyWindowManager::FindInstance();
    if (found != nullptr && manager != nullptr && manager->IsInTree(found)) {
        found->OnMouseUp(local);
    }
}

void TMyTutorialWindow::EndStep() {
    if (mDone) {
        return;
    }
    if (mRecordAsShown) {
        RecordStep();
    }
    if (mFinalize) {
        Close(0);
    } else if (mHideFast) {
        HideNow(false);
    } else {
        mDone = true;
    }
}

void TMyTutorialWindow::RecordStep() {
    if (!mStepName.empty()) {
        TUserInfo::Get()->AddPair(kShownKey, mStepName);
    }
}

void TMyTutorialWindow::FinishStep() {
    if (!mStepPending) {
        return;
    }
    mStepPending = false;
    // The listener may set up the next step, which replaces the state text.
    const std::string stateText = mStateText;
    if (mTutorialListener != nullptr) {
        mTutorialListener->OnTutorialFinished(stateText);
    }
}

void TMyTutorialWindow::Close(int result) {
    TFlyWindow::Close(result);
    mDone = true;
}

void TMyTutorialWindow::OnShow() {
    TFlyWindow::OnShow();
    mDone = false;
}

void TMyTutorialWindow::OnHide() {
    TFlyWindow::OnHide();
    mDone = true;
    FinishStep();
}

void TMyTutorialWindow::OnButtonClick(int /*parentId*/, TMyWindow* /*parent*/, int /*buttonId*/, TMyButton* button) {
    if (button == nullptr || button != mSkipButton || mDone) {
        return;
    }
    if (mRecordAsShown) {
        RecordStep();
    }
    Close(0);
}

void TMyTutorialWindow::OnFlyWindowClosed(TFlyWindow* /*window*/, int windowId, int result) {
    if (windowId == kHelpQuestionWindowId && mRecordAsShown) {
        TUserInfo::Get()->AddPair("ShowingInteractiveHelp", result == 1 ? "true" : "false");
    }
}

namespace {
// The event of a text as an event of the tutorial: the pointer relative to the tutorial.
TMouseEvent AsEventOf(const TMyWindow& window, const TMouseEvent& event) {
    int originX = 0;
    int originY = 0;
    window.GetAbsolutePosition(originX, originY);
    TMouseEvent own = event;
    own.x = event.gameX - originX;
    own.y = event.gameY - originY;
    return own;
}
} // namespace

void TMyTutorialWindow::OnWindowMouseDown(TMyWindow* /*window*/, const TMouseEvent& event) {
    OnMouseDown(AsEventOf(*this, event));
}

void TMyTutorialWindow::OnWindowMouseUp(TMyWindow* /*window*/, const TMouseEvent& event) {
    OnMouseUp(AsEventOf(*this, event));
}

void TMyTutorialWindow::OnWindowMouseMove(TMyWindow* /*window*/, const TMouseEvent& event) {
    OnMouseMove(AsEventOf(*this, event));
}

void ShowTutorial(const std::string& name, bool recordAsShown, int targetId) {
    TMyTutorialWindow* window = TMyTutorialWindow::Get();
    if (window->IsShowingStep() || TUserInfo::Get()->HasPair(TMyTutorialWindow::kShownKey, name)) {
        return;
    }
    const TUITutorial* step = FindUIObject<TUITutorial>(*TUIInfoHolder::GetGlobal(), name);
    if (step == nullptr) {
        TLogFile::Get()->Printf("show tutorial %s: no such step, skipped", name.c_str());
        return;
    }
    TLogFile::Get()->Printf("show tutorial %s", name.c_str());
    window->ShowStep(step, name, recordAsShown, targetId);
}

void HideTutorial(bool forgetTarget) {
    // With no window there is nothing to hide; making one here would load it even while the game shuts
    // down, after the terms it needs are gone.
    if (TMyTutorialWindow* window = TMyTutorialWindow::FindInstance()) {
        window->HideNow(forgetTarget);
    }
}

void SetTutorialListener(TMyTutorialWindowListener* listener) {
    TMyTutorialWindow::Get()->mTutorialListener = listener;
}
