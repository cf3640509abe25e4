#pragma once
// The dialog that flies in from a start point to its place, stays, and flies out to an end point
// (optionally fading), then reports that it closed with a result; a click on any of its buttons closes
// it with that button's id. It ignores the pointer while it flies.

#include "app/weak_ref.h"
#include <string>

#include "graphics/inc_value.h"
#include "windows/classic_window.h"

class TFlyWindow;
class TUIFlyWindow;

// Told of every stage of a fly window by the object that opened it.
class TFlyWindowListener : public TWeakTarget {
public:
    virtual ~TFlyWindowListener() = default;
    virtual void OnFlyWindowLoaded(TFlyWindow* window, int windowId) {}
    virtual void OnFlyInDone(TFlyWindow* window, int windowId) {}
    virtual void OnFlyWindowClosed(TFlyWindow* window, int windowId, int result) {}
    virtual void OnFlyWindowButtonClick(int windowId, TMyWindow* window, int buttonId, TMyButton* button) {}
    virtual void OnFlyOutStarted(TFlyWindow* window, int windowId) {}
    virtual void OnFlyWindowShown(TFlyWindow* window, int windowId) {}
    virtual void OnFlyWindowHidden(TFlyWindow* window, int windowId) {}
};

class TFlyWindow : public TClassicWindow {
public:
    enum TFlyState : int { kStart = 0, kFlyingIn = 1, kShown = 2, kFlyingOut = 3, kClosed = 4 };

    // With load set the file is read (classic part, then the flight); window id 0, owned by the manager.
    TFlyWindow(TFlyWindowListener* listener, bool load, const std::string& file);

    int GetType() const override { return kWindowKindFly; }
    int GetListenerType() const override { return kWindowKindFly; }
    bool Update(float dt) override;
    void OnShow() override;
    void OnHide() override;
    // Only while it rests in its place.
    bool IsInteractive() const override;
    void Load(const std::string& file, bool loadClassicPart) override;
    // Stores the result and starts the fly-out; a window that has already closed stays closed.
    void Close(int result) override;
    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;

    virtual void StartFlyOut();
    // Hooks for subclasses, called beside the listener's operations.
    virtual void OnFlyInDone(TMyWindow* window, int windowId) {}
    virtual void OnFlyOutDone(TMyWindow* window, int windowId, int result) {}
    virtual void OnButtonClicked(int windowId, TMyWindow* window, int buttonId, TMyButton* button) {}
    virtual void OnLoaded(TMyWindow* window, int windowId) {}
    virtual void OnFlyOutStarted(TMyWindow* window, int windowId) {}

    int GetState() const { return mState; }
    // The tweened centre.
    float GetFlyX() const { return mXTween.current; }
    float GetFlyY() const { return mYTween.current; }

protected:
    // Centres the background on the window's centre.
    void PlaceBackground() override;
    // The state a freshly set-up flight starts in, with the stay time and the close request cleared.
    void ResetFlight();
    // The x tween, then (once it has finished) the y tween; true when both have finished.
    bool AdvanceTweens(float dt);
    void PlaceAtTweens();
    void EndFlyIn();
    // Raises the close request and tells the listener the result.
    void EndFlyOut();

    TWeakRef<TFlyWindowListener> mFlyListener;
    IncValue mXTween;
    IncValue mYTween;
    TUIFlyWindow* mFlyDescription = nullptr;
    int mState = kShown;
    std::string mFlyInSound = "flywindow";
    std::string mFlyOutSound = "flywindow";
};
