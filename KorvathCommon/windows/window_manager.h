#pragma once
// The keeper of the root windows: a stack of screens, above it a stack of modal popups, the popups still
// waiting for their show delay and the screen faders. It owns every window handed to it as a unique_ptr
// and deletes it once it closes; a borrowed popup stays its owner's. Every frame it updates and draws them, and
// every input event reaches the windows only through it: it tracks the hovered and the pressed window and
// sends keys and text to the topmost active popup, else to the top screen.

#include <memory>
#include <vector>

#include "app/input_event.h"
#include "graphics/fader.h"
#include "windows/window.h"

class TMyWindowManager : public TFaderListener {
public:
    // The single manager, created empty on first use.
    static TMyWindowManager* Get();
    // The manager when it exists, without creating it.
    static TMyWindowManager* FindInstance();
    // Deletes the manager with the windows it holds.
    static void Release();

    TMyWindowManager(const TMyWindowManager&) = delete;
    TMyWindowManager& operator=(const TMyWindowManager&) = delete;
    // Deletes the faders and every window it owns or keeps until shutdown, in its lists or waiting.
    ~TMyWindowManager() override;

    void OnFaderStart(TFader* fader) override {}
    // The screen is covered: the pending screen replaces the old top.
    void OnFaderMiddle(TFader* fader) override;
    // Starts the screen change that waited for this fade.
    void OnFaderEnd(TFader* fader) override;

    virtual void Update(float dt);
    virtual void Draw();
    virtual bool OnMouseDown(const TMouseEvent& event);
    virtual bool OnMouseMove(const TMouseEvent& event);
    virtual bool OnMouseUp(const TMouseEvent& event);
    virtual bool OnMouseDrag(const TMouseEvent& event);
    virtual void OnKeyUp(const TKeyEvent& event);
    virtual void OnKeyDown(const TKeyEvent& event);
    virtual void OnChar(int c);
    // The entry from the main loop.
    virtual void HandleEvent(const TInputEvent& input);
    // Shows the window on top of the popups, or once its show delay has run out; the manager deletes it
    // once it closes.
    virtual void ShowPopup(std::unique_ptr<TMyWindow> window);
    // The same for a popup its caller keeps owning and may show again (the tutorial): the manager never
    // deletes it, and a screen change leaves it to its owner.
    virtual void ShowBorrowedPopup(TMyWindow* window);
    // The first fader added is fader 1.
    virtual void AddFader(std::unique_ptr<TFader> fader);
    // Fader 0 swaps at once; fader n swaps when fader n has covered the screen. While a fade runs the
    // request waits for its end. The manager deletes the screen once it is closed or replaced.
    virtual void ShowScreen(std::unique_ptr<TMyWindow> window, bool replaceTop, int faderIndex);
    // Takes the window of that id out of the lists, without hiding it; the caller owns what comes back
    // (null for no such window or one the manager did not own).
    virtual std::unique_ptr<TMyWindow> CloseById(int id);
    // Takes the window out of the first list holding it, without hiding it; ownership as for CloseById.
    virtual std::unique_ptr<TMyWindow> Remove(TMyWindow* window);
    virtual void NotifyAllWindows();

    // Screens bottom to top, then popups, then waiting popups.
    TMyWindow* FindById(int id) const;
    // The topmost popup that is shown, enabled and visible: the modal target of all input.
    TMyWindow* GetTopActivePopup() const;
    // The window under a design point and its local point; null when none.
    TMyWindow* HitTest(int x, int y, int& localX, int& localY) const;
    void UpdateHover(int x, int y);
    // A screen or popup, or a descendant of one.
    bool IsInTree(const TMyWindow* window) const;
    void BringPopupToTop(TMyWindow* window);
    void SetAllFrozen(bool frozen);
    // Drops every reference to a window that is being deleted, ownership included.
    void ForgetWindow(TMyWindow* window);
    // A window that lives as long as the manager, in its lists or not, and is shown borrowed (the tutorial
    // popup): deleted with the manager, never on close.
    void KeepUntilShutdown(std::unique_ptr<TMyWindow> window);

    const std::vector<TMyWindow*>& GetScreens() const { return mScreens; }
    const std::vector<TMyWindow*>& GetPopups() const { return mPopups; }
    const std::vector<TMyWindow*>& GetWaitingPopups() const { return mWaitingPopups; }
    TMyWindow* GetHovered() const { return mHovered; }
    TMyWindow* GetPressed() const { return mPressed; }
    int GetButtonsHeld() const { return mButtonsHeld; }
    // Non-null while a screen change with a fader runs.
    TFader* GetActiveFader() const { return mActiveFader; }

private:
    struct TScreenRequest {
        TMyWindow* window = nullptr;
        bool replaceTop = false;
        int faderIndex = 0;
    };

    TMyWindowManager() = default;

    bool IsScreen(const TMyWindow* window) const;
    bool IsPopup(const TMyWindow* window) const;
    bool IsAwaitingSwap(const TMyWindow* window) const;
    bool Owns(const TMyWindow* window) const;
    void PlacePopup(TMyWindow* window);
    void PlaceScreen(TMyWindow* window, bool replaceTop, int faderIndex);
    // Removes, hides and (when owned) deletes a root window at the end of the event or frame.
    void CloseRoot(TMyWindow* window);
    // The dialogs of a screen that is replaced go with it: every popup, shown or waiting, that the
    // manager owns.
    void CloseLeftDialogs();
    // Null does nothing.
    void DeleteLater(std::unique_ptr<TMyWindow> window);
    void DeleteDoomed();
    void DropHover();
    void DropHoverIfGone();
    void HoverPressed();
    void ReleaseHeldButtons();
    void SwapScreenNow(TMyWindow* window, bool replaceTop);
    void StartQueuedScreens();
    // A record for a window that gets the pointer relative to its position in design coordinates.
    TMouseEvent MakeRelativeEvent(const TMyWindow* window, const TMouseEvent& event) const;
    TMyWindow* GetTarget() const;

    std::vector<TMyWindow*> mScreens;
    std::vector<TMyWindow*> mPopups;
    TMyWindow* mHovered = nullptr;
    TMyWindow* mPressed = nullptr;
    TMyWindow* mPendingScreen = nullptr;
    TMyWindow* mReplacedScreen = nullptr;
    int mButtonsHeld = 0;
    TFader* mActiveFader = nullptr;
    std::vector<std::unique_ptr<TFader>> mFaders;
    std::vector<TMyWindow*> mWaitingPopups;
    int mLastPointerX = -1;
    int mLastPointerY = -1;
    // Screen changes asked for while a fade ran, oldest first.
    std::vector<TScreenRequest> mQueuedScreens;
    // The windows handed in to be deleted on close, in any of the lists above or waiting for a swap.
    std::vector<std::unique_ptr<TMyWindow>> mOwned;
    // Windows taken out and owned, deleted once nothing walks them any more.
    std::vector<std::unique_ptr<TMyWindow>> mDoomed;
    std::vector<std::unique_ptr<TMyWindow>> mKeptUntilShutdown;
};
