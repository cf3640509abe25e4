#pragma once
// The interactive help: one popup shows every tutorial step. A step (a "tutorial" object of
// "ui/interface.xml") puts a panel with one or two texts over the screen and animated pointers at what it
// explains; the panel's look comes from "ui/tutorial.xml". While a step shows, the popup takes the whole
// pointer input, passes it on to the controls of a target window below, and the first release anywhere
// ends the step. Steps completed with record-as-shown set are remembered in the player's profile.

#include "app/weak_ref.h"
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/static_image.h"
#include "graphics/value_cycler.h"
#include "windows/fly_window.h"

class TUITutorial;
struct TUITutorialArrow;

// One animated pointer image of a step: its alpha and scale pulse for ever.
struct TTutorialPointer {
    explicit TTutorialPointer(const TUITutorialArrow& arrow);
    void Update(float dt);
    void Draw(float parentAlpha);
    float GetAlpha() const { return alphaCycler.tween.current; }
    float GetScale() const { return scaleCycler.tween.current; }

    int x = 0;
    int y = 0;
    int cx = -1;
    int cy = -1;
    int angle = 0;
    float scale = 1.0f;
    float scaleMin = 1.0f;
    float scaleMax = 1.0f;
    float scaleTime = 0;
    float alphaMin = 1.0f;
    float alphaMax = 1.0f;
    float alphaTime = 0;
    TValueCycler alphaCycler;
    TValueCycler scaleCycler;
    StaticImage image;
    std::string imageName;
};

class TMyTutorialWindowListener : public TWeakTarget {
public:
    virtual ~TMyTutorialWindowListener() = default;
    // The step of that state text has ended and the window is gone, so another step may show.
    virtual void OnTutorialFinished(const std::string& stateText) {}
};

class TMyTutorialWindow : public TFlyWindow, public TFlyWindowListener, public TMyWindowListener {
public:
    static constexpr int kWindowId = 26;
    static constexpr const char* kFile = "ui/tutorial.xml";
    static constexpr const char* kShownKey = "IHelpShown";

    // The window, built hidden on first use. The window manager deletes it when it goes.
    static TMyTutorialWindow* Get();
    // The window when it exists, without building it.
    static TMyTutorialWindow* FindInstance();

    ~TMyTutorialWindow() override;

    bool Update(float dt) override;
    void Draw() override;
    void DrawSelf() override;
    void OnMouseDown(const TMouseEvent& event) override;
    void OnMouseMove(const TMouseEvent& event) override;
    void OnMouseUp(const TMouseEvent& event) override;
    void OnShow() override;
    void OnHide() override;
    bool OnKeyUp(const TKeyEvent& event) override { return false; }
    // The whole design space is the tutorial's: a click anywhere ends the step.
    bool ContainsPoint(int px, int py) override { return true; }
    using TMyWindowListener::AcceptsPoint;
    bool AcceptsPoint(int lx, int ly) override { return true; }
    void Close(int result) override;

    // The skip button's click closes the step.
    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;
    void OnFlyWindowClosed(TFlyWindow* window, int windowId, int result) override;
    // Pointer events on the texts act as events on the tutorial.
    void OnWindowMouseDown(TMyWindow* window, const TMouseEvent& event) override;
    void OnWindowMouseUp(TMyWindow* window, const TMouseEvent& event) override;
    void OnWindowMouseMove(TMyWindow* window, const TMouseEvent& event) override;

    // Prepares the panel, texts and pointers for a step; null sets up none.
    virtual void Setup(const TUITutorial* step);
    // Sets the shown flag without OnShow or OnHide.
    virtual void SetVisible(bool shown, bool force);

    // The steps' entry points (below) share these.
    bool IsShowingStep() const;
    void ShowStep(const TUITutorial* step, const std::string& name, bool recordAsShown, int targetId);
    // Invisible at once and out of the manager's lists, so a later step shows normally.
    void HideNow(bool forgetTarget);

    TWeakRef<TMyTutorialWindowListener> mTutorialListener;
    bool mRecordAsShown = true;

    const std::vector<std::unique_ptr<TTutorialPointer>>& GetPointers() const { return mPointers; }
    const std::string& GetStateText() const { return mStateText; }
    TSimpleTextImage* GetFirstText() const { return mFirstText; }
    TSimpleTextImage* GetSecondText() const { return mSecondText; }
    TMyButton* GetSkipButton() const { return mSkipButton; }
    bool IsDone() const { return mDone; }

private:
    TMyTutorialWindow();

    // The target's window under the design point, null when the target has left the manager.
    TMyWindow* FindTarget() const;
    TMyWindow* TargetHit(TMyWindow* target, int x, int y, TMouseEvent& local, const TMouseEvent& event) const;
    // The record for the skip button and the target: the pointer as x, y.
    static TMouseEvent PointerRecord(const TMouseEvent& event);
    bool IsOverSkipButton(int x, int y);
    bool IsOverPanel(int x, int y);
    void MovePath(const TUITutorial& step);
    void ShowPart(TMyWindow* part, bool shown);
    void EndStep();
    void RecordStep();
    // Tells the listener once per step.
    void FinishStep();

    std::vector<std::unique_ptr<TTutorialPointer>> mPointers;
    TWeakRef<TSimpleTextImage> mFirstText;
    TWeakRef<TSimpleTextImage> mSecondText;
    TWeakRef<TMyButton> mSkipButton;
    std::optional<int> mTargetId;
    bool mDone = false;
    bool mFinalize = false;
    bool mHideFast = false;
    bool mScreenSpace = false;
    std::string mStateText;
    // The step's object name: the profile record and the show-once check use it.
    std::string mStepName;
    // A step was shown and its end is still to be told.
    bool mStepPending = false;
};

// Shows the step of that name from the global description, unless a step is showing, the profile
// already holds ("IHelpShown", name) or there is no such step. Target -1 means the game screen (id 4).
void ShowTutorial(const std::string& name, bool recordAsShown, int targetId);
// Ends the showing step at once (its listener is told) and, with the flag, forgets the target window.
void HideTutorial(bool forgetTarget = false);
void SetTutorialListener(TMyTutorialWindowListener* listener);
