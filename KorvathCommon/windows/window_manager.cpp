#include "windows/window_manager.h"

#include <algorithm>
#include <iterator>

#include "app/log.h"
#include "windows/messages.h"

namespace {
std::unique_ptr<TMyWindowManager> gWindowManager;

bool Holds(const std::vector<TMyWindow*>& list, const TMyWindow* window) {
    return std::find(list.begin(), list.end(), window) != list.end();
}

// Takes the first occurrence out; true when there was one.
bool Erase(std::vector<TMyWindow*>& list, const TMyWindow* window) {
    auto it = std::find(list.begin(), list.end(), window);
    if (it == list.end()) {
        return false;
    }
    list.erase(it);
    return true;
}

void AddOnce(std::vector<TMyWindow*>& list, TMyWindow* window) {
    if (window != nullptr && !Holds(list, window)) {
        list.push_back(window);
    }
}

using TOwners = std::vector<std::unique_ptr<TMyWindow>>;

TOwners::iterator FindOwner(TOwners& owners, const TMyWindow* window) {
    return std::find_if(owners.begin(), owners.end(),
                        [window](const std::unique_ptr<TMyWindow>& owner) { return owner.get() == window; });
}

// Hands the window's ownership out of the list; null when the list does not hold it.
std::unique_ptr<TMyWindow> TakeOut(TOwners& owners, const TMyWindow* window) {
    auto it = FindOwner(owners, window);
    if (it == owners.end()) {
        return nullptr;
    }
    std::unique_ptr<TMyWindow> owner = std::move(*it);
    owners.erase(it);
    return owner;
}

// Forgets the ownership of a window that is already being deleted, so it is not deleted twice.
void Disown(TOwners& owners, const TMyWindow* window) {
    std::unique_ptr<TMyWindow> owner = TakeOut(owners, window);
    static_cast<void>(owner.release());
}

// Deletes first to last, so the order the windows go in is the order of the list.
void DeleteInOrder(TOwners& owners) {
    TOwners doomed;
    doomed.swap(owners);
    for (std::unique_ptr<TMyWindow>& window : doomed) {
        window.reset();
    }
}
} // namespace

TMyWindowManager* TMyWindowManager::Get() {
    if (!gWindowManager) {
        gWindowManager.reset(new TMyWindowManager());
    }
    return gWindowManager.get();
}

TMyWindowManager* TMyWindowManager::FindInstance() {
    return gWindowManager.get();
}

void TMyWindowManager::Release() {
    // The slot is empty while the windows die, so their destructors find no manager to tell.
    std::unique_ptr<TMyWindowManager> manager = std::move(gWindowManager);
}

TMyWindowManager::~TMyWindowManager() {
    DeleteDoomed();
    // The owned windows go in the order of the lists, each once though a window may sit in two lists:
    // screens bottom to top, popups, waiting popups, then screens handed over for a swap that never came.
    std::vector<TMyWindow*> order;
    for (const std::vector<TMyWindow*>* list : {&mScreens, &mPopups}) {
        for (TMyWindow* window : *list) {
            AddOnce(order, window);
        }
    }
    for (auto it = mWaitingPopups.rbegin(); it != mWaitingPopups.rend(); ++it) {
        AddOnce(order, *it);
    }
    AddOnce(order, mPendingScreen);
    for (const TScreenRequest& request : mQueuedScreens) {
        AddOnce(order, request.window);
    }
    TOwners windows;
    for (TMyWindow* window : order) {
        std::unique_ptr<TMyWindow> owner = TakeOut(mOwned, window);
        if (owner == nullptr) {
            owner = TakeOut(mKeptUntilShutdown, window);
        }
        if (owner != nullptr) {
            windows.push_back(std::move(owner));
        }
    }
    for (TOwners* rest : {&mOwned, &mKeptUntilShutdown}) {
        std::move(rest->begin(), rest->end(), std::back_inserter(windows));
        rest->clear();
    }
    mScreens.clear();
    mPopups.clear();
    mWaitingPopups.clear();
    mQueuedScreens.clear();
    mHovered = mPressed = mPendingScreen = mReplacedScreen = nullptr;
    DeleteInOrder(windows);
}

bool TMyWindowManager::IsScreen(const TMyWindow* window) const {
    return Holds(mScreens, window);
}

bool TMyWindowManager::IsPopup(const TMyWindow* window) const {
    return Holds(mPopups, window);
}

bool TMyWindowManager::IsAwaitingSwap(const TMyWindow* window) const {
    if (window == mPendingScreen) {
        return true;
    }
    return std::any_of(mQueuedScreens.begin(), mQueuedScreens.end(),
                       [window](const TScreenRequest& request) { return request.window == window; });
}

bool TMyWindowManager::Owns(const TMyWindow* window) const {
    return std::any_of(mOwned.begin(), mOwned.end(),
                       [window](const std::unique_ptr<TMyWindow>& owner) { return owner.get() == window; });
}

void TMyWindowManager::DeleteLater(std::unique_ptr<TMyWindow> window) {
    if (window != nullptr) {
        mDoomed.push_back(std::move(window));
    }
}

void TMyWindowManager::DeleteDoomed() {
    DeleteInOrder(mDoomed);
}

void TMyWindowManager::CloseLeftDialogs() {
    std::vector<TMyWindow*> dialogs = mPopups;
    dialogs.insert(dialogs.end(), mWaitingPopups.begin(), mWaitingPopups.end());
    for (TMyWindow* dialog : dialogs) {
        // A borrowed popup (the tutorial) is closed by its owner when it leaves.
        if (Owns(dialog) && (IsPopup(dialog) || Holds(mWaitingPopups, dialog))) {
            CloseRoot(dialog);
        }
    }
}

void TMyWindowManager::CloseRoot(TMyWindow* window) {
    std::unique_ptr<TMyWindow> owned = Remove(window);
    window->Hide();
    DropHoverIfGone();
    DeleteLater(std::move(owned));
}

void TMyWindowManager::Update(float dt) {
    const std::vector<TMyWindow*> screens = mScreens;
    for (auto it = screens.rbegin(); it != screens.rend(); ++it) {
        TMyWindow* screen = *it;
        if (IsScreen(screen) && !screen->IsFrozen() && screen->Update(dt)) {
            CloseRoot(screen);
        }
    }
    const std::vector<TMyWindow*> waiting = mWaitingPopups;
    for (auto it = waiting.rbegin(); it != waiting.rend(); ++it) {
        TMyWindow* popup = *it;
        if (Holds(mWaitingPopups, popup) && popup->TickShowDelay(dt)) {
            Erase(mWaitingPopups, popup);
            PlacePopup(popup);
        }
    }
    const std::vector<TMyWindow*> popups = mPopups;
    for (TMyWindow* popup : popups) {
        if (!IsPopup(popup) || (popup->mUpdateFlags & TMyWindowContainer::kUpdatePopup) == 0 || popup->IsFrozen()) {
            continue;
        }
        if (popup->Update(dt)) {
            CloseRoot(popup);
        }
    }
    // The only dispatch of the frame, so delays run at the frame's pace.
    if (TMyMessageManager* messages = TMyMessageManager::FindInstance()) {
        messages->Dispatch(dt);
    }
    if (mActiveFader != nullptr) {
        mActiveFader->Update(dt);
    }
    DeleteDoomed();
}

void TMyWindowManager::Draw() {
    for (TMyWindow* screen : mScreens) {
        if (screen->mDrawn) {
            screen->Draw();
        }
    }
    for (TMyWindow* popup : mPopups) {
        if (popup->mDrawn) {
            popup->Draw();
        }
    }
    if (mActiveFader != nullptr) {
        mActiveFader->Draw();
    }
}

void TMyWindowManager::HandleEvent(const TInputEvent& input) {
    TMouseEvent event;
    event.x = event.gameX = input.x;
    event.y = event.gameY = input.y;
    event.buttons = input.param;
    switch (input.kind) {
    case kInputLeftDown:
        event.buttons = TMouseEvent::kLeft;
        OnMouseDown(event);
        break;
    case kInputRightButton:
        event.buttons = TMouseEvent::kRight;
        if (input.param == 1) {
            OnMouseDown(event);
        } else if (input.param == 0) {
            OnMouseUp(event);
        }
        break;
    case kInputLeftUp:
        OnMouseUp(event);
        break;
    case kInputMove:
        OnMouseMove(event);
        break;
    case kInputKeyDown:
        OnKeyDown(TKeyEvent{input.param, input.mods});
        break;
    case kInputKeyUp:
        OnKeyUp(TKeyEvent{input.param, input.mods});
        break;
    case kInputText:
        OnChar(input.param);
        break;
    case kInputFocus:
        // The release of a button held while the focus went is never reported.
        if (input.param == 0) {
            ReleaseHeldButtons();
        }
        break;
    default:
        break;
    }
    DeleteDoomed();
}

TMouseEvent TMyWindowManager::MakeRelativeEvent(const TMyWindow* window, const TMouseEvent& event) const {
    int originX = 0;
    int originY = 0;
    window->GetAbsolutePosition(originX, originY);
    TMouseEvent relative;
    relative.x = event.gameX - originX;
    relative.y = event.gameY - originY;
    relative.gameX = event.gameX;
    relative.gameY = event.gameY;
    relative.buttons = event.buttons;
    return relative;
}

bool TMyWindowManager::OnMouseDown(const TMouseEvent& event) {
    int localX = 0;
    int localY = 0;
    TMyWindow* window = HitTest(event.gameX, event.gameY, localX, localY);
    mButtonsHeld = event.buttons;
    mPressed = window;
    if (window != nullptr) {
        TMouseEvent local = event;
        local.x = localX;
        local.y = localY;
        local.tool = nullptr;
        window->OnMouseDown(local);
    }
    return true;
}

bool TMyWindowManager::OnMouseMove(const TMouseEvent& event) {
    if (mButtonsHeld != 0 && event.buttons == 0) {
        // A release happened where it could not be seen (outside the window).
        ReleaseHeldButtons();
    }
    if (mButtonsHeld == 0) {
        UpdateHover(event.gameX, event.gameY);
        return true;
    }
    mButtonsHeld = event.buttons;
    UpdateHover(event.gameX, event.gameY);
    return OnMouseDrag(event);
}

bool TMyWindowManager::OnMouseDrag(const TMouseEvent& event) {
    mLastPointerX = event.gameX;
    mLastPointerY = event.gameY;
    if (mHovered != nullptr && mHovered != mPressed) {
        DropHover();
    }
    if (mPressed == nullptr) {
        return true;
    }
    if (IsInTree(mPressed)) {
        mPressed->OnMouseDrag(MakeRelativeEvent(mPressed, event));
    } else {
        mPressed = nullptr;
    }
    int localX = 0;
    int localY = 0;
    TMyWindow* window = HitTest(event.gameX, event.gameY, localX, localY);
    if (window != nullptr && window == mPressed) {
        HoverPressed();
    } else {
        DropHover();
    }
    return true;
}

void TMyWindowManager::HoverPressed() {
    if (mHovered != nullptr) {
        return;
    }
    mHovered = mPressed;
    mHovered->mMouseOver = true;
    mHovered->OnMouseEnter();
    if (mHovered != nullptr && mHovered->mHand) {
        mHovered->SetHandCursor(true);
    }
}

bool TMyWindowManager::OnMouseUp(const TMouseEvent& event) {
    if (mPressed != nullptr && (event.buttons & mButtonsHeld) != 0) {
        mButtonsHeld &= ~event.buttons;
        TMyWindow* window = mPressed;
        if (mButtonsHeld == 0) {
            mPressed = nullptr;
        }
        if (IsInTree(window)) {
            window->OnMouseUp(MakeRelativeEvent(window, event));
        }
    } else {
        mButtonsHeld &= ~event.buttons;
    }
    UpdateHover(event.gameX, event.gameY);
    return true;
}

void TMyWindowManager::ReleaseHeldButtons() {
    mButtonsHeld = 0;
    mPressed = nullptr;
}

void TMyWindowManager::UpdateHover(int x, int y) {
    const int previousX = mLastPointerX;
    const int previousY = mLastPointerY;
    mLastPointerX = x;
    mLastPointerY = y;
    int localX = 0;
    int localY = 0;
    TMyWindow* window = HitTest(x, y, localX, localY);
    // While a button is held only the pressed window can be hovered.
    if (mButtonsHeld != 0 && window != mPressed) {
        window = nullptr;
    }
    TMouseEvent event;
    event.x = localX;
    event.y = localY;
    event.gameX = x;
    event.gameY = y;
    event.buttons = mButtonsHeld;
    if (window != mHovered) {
        DropHover();
        mHovered = window;
        if (window == nullptr) {
            return;
        }
        window->mMouseOver = true;
        window->OnMouseEnter();
        if (window->mHand) {
            window->SetHandCursor(true);
        }
        window->OnMouseMove(event);
    } else if (window != nullptr && (x != previousX || y != previousY)) {
        window->OnMouseMove(event);
    }
}

void TMyWindowManager::DropHover() {
    TMyWindow* old = mHovered;
    mHovered = nullptr;
    if (old == nullptr || !IsInTree(old)) {
        return;
    }
    old->mMouseOver = false;
    old->OnMouseLeave();
    if (old->mHand) {
        old->SetHandCursor(false);
    }
}

void TMyWindowManager::DropHoverIfGone() {
    if (mHovered != nullptr && !IsInTree(mHovered)) {
        mHovered = nullptr;
    }
}

TMyWindow* TMyWindowManager::GetTarget() const {
    if (TMyWindow* popup = GetTopActivePopup()) {
        return popup;
    }
    return mScreens.empty() ? nullptr : mScreens.back();
}

void TMyWindowManager::OnKeyDown(const TKeyEvent& event) {
    if (TMyWindow* target = GetTarget()) {
        target->OnKeyDown(event);
    }
}

void TMyWindowManager::OnKeyUp(const TKeyEvent& event) {
    if (TMyWindow* target = GetTarget()) {
        target->OnKeyUp(event);
    }
}

void TMyWindowManager::OnChar(int c) {
    if (TMyWindow* target = GetTarget()) {
        target->OnChar(c);
    }
}

TMyWindow* TMyWindowManager::GetTopActivePopup() const {
    for (auto it = mPopups.rbegin(); it != mPopups.rend(); ++it) {
        const TMyWindow* popup = *it;
        if (popup->mShown && !popup->mDisabled && popup->mAlpha > 0) {
            return *it;
        }
    }
    return nullptr;
}

TMyWindow* TMyWindowManager::HitTest(int x, int y, int& localX, int& localY) const {
    // A root that does not take input (a window flying in or out) hides its whole tree from the pointer.
    if (TMyWindow* popup = GetTopActivePopup()) {
        return popup->IsInteractive() ? popup->HitTest(x, y, localX, localY) : nullptr;
    }
    for (auto it = mScreens.rbegin(); it != mScreens.rend(); ++it) {
        if (!(*it)->IsInteractive()) {
            continue;
        }
        if (TMyWindow* window = (*it)->HitTest(x, y, localX, localY)) {
            return window;
        }
    }
    return nullptr;
}

bool TMyWindowManager::IsInTree(const TMyWindow* window) const {
    if (window == nullptr) {
        return false;
    }
    for (const std::vector<TMyWindow*>* list : {&mScreens, &mPopups}) {
        for (const TMyWindow* root : *list) {
            if (root == window || root->ContainsDescendant(window)) {
                return true;
            }
        }
    }
    return false;
}

void TMyWindowManager::ShowPopup(std::unique_ptr<TMyWindow> window) {
    if (window == nullptr) {
        return;
    }
    mOwned.push_back(std::move(window));
    PlacePopup(mOwned.back().get());
}

void TMyWindowManager::ShowBorrowedPopup(TMyWindow* window) {
    if (window != nullptr) {
        PlacePopup(window);
    }
}

void TMyWindowManager::PlacePopup(TMyWindow* window) {
    if (!window->IsShowDelayOver()) {
        AddOnce(mWaitingPopups, window);
        return;
    }
    if (IsPopup(window)) {
        return;
    }
    window->Show();
    mPopups.push_back(window);
    if (window->mListener != nullptr) {
        window->mListener->OnShownByManager(window);
    }
}

void TMyWindowManager::AddFader(std::unique_ptr<TFader> fader) {
    if (fader != nullptr) {
        mFaders.push_back(std::move(fader));
    }
}

void TMyWindowManager::ShowScreen(std::unique_ptr<TMyWindow> window, bool replaceTop, int faderIndex) {
    if (window == nullptr) {
        return;
    }
    mOwned.push_back(std::move(window));
    PlaceScreen(mOwned.back().get(), replaceTop, faderIndex);
}

void TMyWindowManager::PlaceScreen(TMyWindow* window, bool replaceTop, int faderIndex) {
    if (IsScreen(window) || IsAwaitingSwap(window)) {
        return;
    }
    if (mActiveFader != nullptr) {
        mQueuedScreens.push_back({window, replaceTop, faderIndex});
        return;
    }
    if (faderIndex == 0) {
        SwapScreenNow(window, replaceTop);
        return;
    }
    const bool known = faderIndex >= 1 && faderIndex <= static_cast<int>(mFaders.size());
    auto* shadow = known ? dynamic_cast<TFaderShadow*>(mFaders[static_cast<size_t>(faderIndex - 1)].get()) : nullptr;
    if (shadow == nullptr) {
        TLogFile::Get()->Printf("window manager: no fader %d, screen shown at once", faderIndex);
        SwapScreenNow(window, replaceTop);
        return;
    }
    mActiveFader = shadow;
    mPendingScreen = window;
    mReplacedScreen = replaceTop && !mScreens.empty() ? mScreens.back() : nullptr;
    shadow->mListener = this;
    shadow->Start();
}

void TMyWindowManager::SwapScreenNow(TMyWindow* window, bool replaceTop) {
    if (replaceTop && !mScreens.empty()) {
        CloseLeftDialogs();
        CloseRoot(mScreens.back());
    }
    mScreens.push_back(window);
    if (window->mListener != nullptr) {
        window->mListener->OnShownByManager(window);
    }
    window->Show();
}

void TMyWindowManager::OnFaderMiddle(TFader* fader) {
    // Either screen may have left the manager during the fade; the swap then skips it.
    TMyWindow* pending = mPendingScreen;
    TMyWindow* replaced = mReplacedScreen;
    mPendingScreen = nullptr;
    mReplacedScreen = nullptr;
    if (pending != nullptr) {
        mScreens.push_back(pending);
        if (pending->mListener != nullptr) {
            pending->mListener->OnShownByManager(pending);
        }
    }
    if (replaced != nullptr) {
        CloseLeftDialogs();
        replaced->Hide();
    }
    if (pending != nullptr) {
        pending->Show();
    }
    if (replaced != nullptr) {
        DeleteLater(Remove(replaced));
    }
    DropHoverIfGone();
}

void TMyWindowManager::OnFaderEnd(TFader* fader) {
    mActiveFader = nullptr;
    StartQueuedScreens();
}

void TMyWindowManager::StartQueuedScreens() {
    while (mActiveFader == nullptr && !mQueuedScreens.empty()) {
        const TScreenRequest request = mQueuedScreens.front();
        mQueuedScreens.erase(mQueuedScreens.begin());
        PlaceScreen(request.window, request.replaceTop, request.faderIndex);
    }
}

std::unique_ptr<TMyWindow> TMyWindowManager::CloseById(int id) {
    TMyWindow* window = FindById(id);
    return window != nullptr ? Remove(window) : nullptr;
}

std::unique_ptr<TMyWindow> TMyWindowManager::Remove(TMyWindow* window) {
    if (window == nullptr) {
        return nullptr;
    }
    // A screen that leaves before its swap is not swapped in or out.
    if (mPendingScreen == window) {
        mPendingScreen = nullptr;
    }
    if (mReplacedScreen == window) {
        mReplacedScreen = nullptr;
    }
    std::erase_if(mQueuedScreens, [window](const TScreenRequest& request) { return request.window == window; });
    if (Erase(mScreens, window) || Erase(mPopups, window) || Erase(mWaitingPopups, window)) {
        if (window->mListener != nullptr) {
            window->mListener->OnRemovedByManager(window);
        }
    }
    return TakeOut(mOwned, window);
}

void TMyWindowManager::KeepUntilShutdown(std::unique_ptr<TMyWindow> window) {
    if (window != nullptr) {
        mKeptUntilShutdown.push_back(std::move(window));
    }
}

void TMyWindowManager::ForgetWindow(TMyWindow* window) {
    for (TOwners* owners : {&mOwned, &mDoomed, &mKeptUntilShutdown}) {
        Disown(*owners, window);
    }
    Erase(mScreens, window);
    Erase(mPopups, window);
    Erase(mWaitingPopups, window);
    std::erase_if(mQueuedScreens, [window](const TScreenRequest& request) { return request.window == window; });
    for (TMyWindow** slot : {&mHovered, &mPressed, &mPendingScreen, &mReplacedScreen}) {
        if (*slot == window) {
            *slot = nullptr;
        }
    }
}

void TMyWindowManager::NotifyAllWindows() {
    for (TMyWindow* window : mScreens) {
        window->NotifyAll();
    }
    for (TMyWindow* window : mPopups) {
        window->NotifyAll();
    }
}

TMyWindow* TMyWindowManager::FindById(int id) const {
    for (const std::vector<TMyWindow*>* list : {&mScreens, &mPopups, &mWaitingPopups}) {
        for (TMyWindow* window : *list) {
            if (window->mId == id) {
                return window;
            }
        }
    }
    return nullptr;
}

void TMyWindowManager::BringPopupToTop(TMyWindow* window) {
    if (window == nullptr) {
        return;
    }
    Erase(mPopups, window);
    mPopups.push_back(window);
}

void TMyWindowManager::SetAllFrozen(bool frozen) {
    for (TMyWindow* window : mScreens) {
        window->SetFrozen(frozen);
    }
    for (TMyWindow* window : mPopups) {
        window->SetFrozen(frozen);
    }
}
