// Hit tests against the object's rectangle, its image's alpha and its children, and what a press, a move
// and a release over the object mean: clicks and tool uses counted against their limits, enter and leave.

#include <cmath>
#include <cstdint>

#include "media/sound_manager.h"
#include "objects/object.h"
#include "objects/object_listener.h"
#include "objects/object_services.h"
#include "windows/mouse_event.h"

bool TObject::HitTestSelf(int x, int y) {
    if (!mVisible || !(mAlpha > 0)) {
        return false;
    }
    const bool boundsOnly = mCheckOnlyBounds || mHitAlphaThreshold == 0;
    if (mAngle != 0) {
        // The image knows how it is turned; a bounds-only object has no alpha map, so only its turned
        // rectangle can tell.
        return mImage && mImage->HitTest(x, y, boundsOnly ? 0 : StaticImage::kHitAlpha);
    }
    const float drawX = GetX(), drawY = GetY();
    const float px = static_cast<float>(x), py = static_cast<float>(y);
    const bool inside = drawX <= px && px < drawX + mW && drawY <= py && py < drawY + mH;
    if (boundsOnly || !inside) {
        return inside;
    }
    return IsAlphaHit(x, y, drawX, drawY);
}

// The point taken into the image's source pixels: unscaled, and inside the current frame.
bool TObject::IsAlphaHit(int x, int y, float drawX, float drawY) const {
    if (!mImage) {
        return false;
    }
    float localX = static_cast<float>(x - static_cast<int>(drawX));
    float localY = static_cast<float>(y - static_cast<int>(drawY));
    if (mScaleX > 0) {
        localX /= mScaleX;
    }
    if (mScaleY > 0) {
        localY /= mScaleY;
    }
    const TRenderState& state = mImage->mRenderState;
    // A point a tiny scale or a huge source offset carries beyond any picture is a miss (and beyond int).
    constexpr float kBeyondAnyPicture = 1e9f;
    for (float value : {localX, localY, state.srcX, state.srcY}) {
        if (!(std::fabs(value) < kBeyondAnyPicture)) {
            return false;
        }
    }
    int column = static_cast<int>(std::floor(localX));
    int row = static_cast<int>(std::floor(localY));
    if ((state.flags & TRenderState::kSourceRect) != 0) {
        column += static_cast<int>(state.srcX);
        row += static_cast<int>(state.srcY);
    }
    return mImage->IsOpaqueAt(column, row, mHitAlphaThreshold);
}

bool TObject::HitTest(int x, int y, bool respectLock) {
    mHitChild = nullptr;
    mLastSelfHit = false;
    if ((!mVisible && !mCheckOnlyBounds) || (respectLock && mLocked)) {
        return false;
    }
    mLastSelfHit = HitTestSelf(x, y);
    if (mLastSelfHit) {
        return true;
    }
    for (auto it = mChildren.rbegin(); it != mChildren.rend(); ++it) {
        if ((*it)->HitTest(x, y, respectLock)) {
            mHitChild = (*it)->GetHitObject();
            return true;
        }
    }
    return false;
}

bool TObject::GetLastHitResult(int x, int y, bool respectLock) {
    if ((!mVisible && !mCheckOnlyBounds) || (respectLock && mLocked)) {
        return false;
    }
    return mLastSelfHit;
}

TObject* TObject::GetHitObject() {
    return mHitChild != nullptr ? mHitChild : this;
}

// Topmost child first, as drawn; hidden and (when asked) locked children hide their subtree.
TObject* TObject::FindChildAt(int x, int y, bool respectLock) {
    for (auto it = mChildren.rbegin(); it != mChildren.rend(); ++it) {
        TObject* child = it->get();
        if (!child->HitTest(x, y, respectLock)) {
            continue;
        }
        TObject* deeper = child->FindChildAt(x, y, respectLock);
        return deeper != nullptr ? deeper : child;
    }
    return nullptr;
}

// ---- counters ----

bool TObject::AdvanceCounter(int& counter, int maximum) {
    if (static_cast<int64_t>(counter) >= static_cast<int64_t>(maximum) - 1) {
        return false;
    }
    ++counter;
    return true;
}

bool TObject::AreClicksUsedUp() const {
    if (!mNeededTools.empty()) {
        return static_cast<int64_t>(mToolClickCounter) >= static_cast<int64_t>(mMaxToolClicks) - 1;
    }
    return static_cast<int64_t>(mClickCounter) >= static_cast<int64_t>(mMaxClicks) - 1;
}

void TObject::UseUpClicks() {
    if (!mNeededTools.empty()) {
        mToolClickCounter = mMaxToolClicks;
    } else {
        mClickCounter = mMaxClicks;
    }
}

void TObject::ResetClicks() {
    mVisible = true;
    mClickCounter = kNotCounted;
    mToolClickCounter = kNotCounted;
}

// The counter itself keeps counting towards "maxclicks"; only the lists stop at the freeze.
int TObject::GetClickGroup() const {
    const int64_t lastGroup = static_cast<int64_t>(mFreezeClicks) - 1;
    return mClickCounter > lastGroup ? static_cast<int>(lastGroup) : mClickCounter;
}

// ---- pointer input ----

TMouseEvent TObject::WithToolOffset(const TMouseEvent& event) {
    TMouseEvent moved = event;
    if (event.tool != nullptr) {
        moved.x += event.tool->mOffsetX;
        moved.y += event.tool->mOffsetY;
    }
    return moved;
}

bool TObject::OnMouseDown(const TMouseEvent& event) {
    mWrongTool = false;
    int x = event.x, y = event.y;
    if (event.tool != nullptr && event.tool->mHoldState == 1) {
        x += event.tool->mOffsetX;
        y += event.tool->mOffsetY;
    }
    const bool hit = HitTest(x, y, true);
    if (!hit || (mClickExecuter != nullptr && !mClickExecuter->OnPress(this, event))) {
        return false;
    }
    if (mClickDelayLeft > 0) {
        return false;
    }
    if (event.tool != nullptr) {
        if (PressWithTool(event, event.tool)) {
            return true;
        }
    } else {
        PressWithoutTool(event);
    }
    if (mListener != nullptr) {
        mListener->OnObjectPressed(this, event);
    }
    return true;
}

// A tool that opens the object's pocket or minigame reports the object clicked and pressed, and the press
// ends there (true); any other accepted tool is applied while tool uses are left.
bool TObject::PressWithTool(const TMouseEvent& event, TTool* tool) {
    if (!NeedsTool() || !AcceptsTool(tool)) {
        mWrongTool = true;
        return false;
    }
    if (!tool->IsComplete()) {
        return false;
    }
    if (ToolOpensPocket(tool) || ToolOpensMinigame(tool)) {
        if (mListener != nullptr) {
            mListener->OnObjectClicked(this);
            mListener->OnObjectPressed(this, event);
        }
        return true;
    }
    if (AdvanceCounter(mToolClickCounter, mMaxToolClicks)) {
        ApplyTool(event);
    }
    return false;
}

void TObject::PressWithoutTool(const TMouseEvent& event) {
    if (mAcceptsClicks && (mAllowClickWithTool || mNeededTools.empty()) && AdvanceCounter(mClickCounter, mMaxClicks)) {
        OnClick(event);
    }
    if (!mNeededTools.empty() && !AreClicksUsedUp()) {
        PlaySpaceSound(mSoundNeedTool);
    }
}

void TObject::OnClick(const TMouseEvent& event) {
    const int group = GetClickGroup();
    DoClickAction(group + 1, event.x, event.y);
    ApplyAfterClick(event.x, event.y);
    if (mClickExecuter != nullptr) {
        mClickExecuter->RunClick(this, event);
    }
    if (mListener != nullptr) {
        mListener->OnObjectClicked(this);
    }
    if (mHideOnClick) {
        SetVisible(false);
    }
    PlaySpaceSound(mSound);
    if (group >= 0) {
        ApplyFlags(group, mFlags[kAfterClick]);
        ApplyStates(group, mStates[kAfterClick]);
    }
}

void TObject::ApplyTool(const TMouseEvent& event) {
    if (mToolPower >= 0 && event.tool != nullptr) {
        event.tool->SetPower(mToolPower);
    }
    if (event.tool != nullptr) {
        event.tool->Apply(event.x, event.y, mToolClickCounter);
    }
    if (!mSoundTool.empty()) {
        TSoundManager::GetInstance()->PlaySound(mSoundTool);
    }
    mToolApplied = true;
    Activate(mToolClickCounter + 1, event.x, event.y);
    ApplyAfterTool(event.x, event.y);
    if (mClickExecuter != nullptr) {
        mClickExecuter->RunAfterTool(this, event);
    }
    if (mListener != nullptr) {
        mListener->OnToolApplied(this, event.tool, 1);
    }
    if (mToolClickCounter >= 0) {
        ApplyFlags(mToolClickCounter, mFlags[kAfterTool]);
        ApplyStates(mToolClickCounter, mStates[kAfterTool]);
    }
}

bool TObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    const TMouseEvent moved = WithToolOffset(event);
    const bool hit = HitTest(moved.x, moved.y, true);
    if (hit && mClickExecuter != nullptr) {
        mClickExecuter->OnMove(this, moved);
    }
    if (hit != mPointerInside) {
        mPointerInside = hit;
        if (mListener != nullptr && hit) {
            mListener->OnMouseEnterObject(this, moved);
            OnMouseEnter(moved.x, moved.y);
        } else if (mListener != nullptr) {
            mListener->OnMouseLeaveObject(this, moved);
            OnMouseLeave(moved.x, moved.y);
        }
    }
    mHovered = false;
    if (hit && firstHover != nullptr && !*firstHover) {
        if (mListener != nullptr) {
            mListener->OnFirstHover(this, moved);
        }
        mHovered = true;
        *firstHover = true;
    }
    return hit;
}

bool TObject::OnMouseUp(const TMouseEvent& event) {
    const TMouseEvent moved = WithToolOffset(event);
    const bool hit = HitTest(moved.x, moved.y, true);
    if (hit && mClickExecuter != nullptr) {
        mClickExecuter->OnRelease(this, moved);
    }
    if (mListener != nullptr) {
        mListener->OnObjectReleased(this, moved);
    }
    return hit;
}

void TObject::OnMouseEnter(int x, int y) {
    PlaySpaceSound(mSoundMouseEnter);
}

void TObject::OnMouseLeave(int x, int y) {
    PlaySpaceSound(mSoundMouseLeave);
}

void TObject::Activate(int index, int x, int y) {
    mActive = true;
    for (const std::string& sound : mActivationSounds) {
        PlaySpaceSound(sound);
    }
}

void TObject::Deactivate(int index, int x, int y) {
    mActive = false;
    for (const std::string& sound : mActivationSounds) {
        TSoundManager::GetInstance()->StopSound(sound);
    }
}
