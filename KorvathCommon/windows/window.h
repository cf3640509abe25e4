#pragma once
// The window tree: every screen, dialog and control is a node that owns its children, updates them,
// draws them over itself, finds the deepest child under a point and offers keys to them.

#include "app/weak_ref.h"
#include <atomic>
#include <string>
#include <vector>

#include "windows/mouse_event.h"

class TTool;
class TMyWindow;

struct TKeyEvent {
    // SDL key code.
    int key = 0;
    // SDL key modifier bits.
    int mods = 0;
};

// Window kind codes returned by GetType.
enum TWindowKind : int {
    kWindowKindPlain = 0,
    kWindowKindButton = 1,
    kWindowKindClassic = 2,
    kWindowKindLabel = 4,
    kWindowKindFly = 6,
    kWindowKindImage = 7,
};

// Follows one window's pointer events without deriving from it. Not owned by the window.
class TMyWindowListener : public TWeakTarget {
public:
    virtual ~TMyWindowListener() = default;
    virtual void OnWindowMouseEnter(TMyWindow* window) {}
    virtual void OnWindowMouseLeave(TMyWindow* window) {}
    virtual void OnWindowMouseDown(TMyWindow* window, const TMouseEvent& event) {}
    virtual void OnWindowMouseUp(TMyWindow* window, const TMouseEvent& event) {}
    virtual void OnWindowMouseMove(TMyWindow* window, const TMouseEvent& event) {}
    // For a child under test the point is in its parent's coordinates; for the window the hit test
    // started on it is window-local.
    virtual bool AcceptsPoint(TMyWindow* window, int x, int y) { return true; }
    virtual void OnShownByManager(TMyWindow* window) {}
    virtual void OnRemovedByManager(TMyWindow* window) {}
};

struct TWindowRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

class TMyWindowContainer : public TWeakTarget {
public:
    // Update flag bit 0: the manager updates a popup only while it is set.
    static constexpr int kUpdatePopup = 1;
    // Children with the fixed-step flag are updated with this dt whatever the frame time.
    static constexpr float kFixedStep = 0.016f;

    TMyWindowContainer() { ++sLiveCount; }
    TMyWindowContainer(const TMyWindowContainer&) = delete;
    TMyWindowContainer& operator=(const TMyWindowContainer&) = delete;
    // Deletes the children left in the list.
    virtual ~TMyWindowContainer();

    virtual int GetType() const { return kWindowKindPlain; }
    // Updates every child; returns the window's own close request.
    virtual bool Update(float dt);
    // Sets the shown flag of the first direct child of that name without OnShow or OnHide.
    virtual void SetChildShown(const std::string& name, bool shown);
    virtual void SetAlpha(float alpha) { mAlpha = alpha; }
    // Product of the alphas of all ancestors.
    virtual float GetParentAlpha() const;
    virtual bool IsShowDelayOver() const { return mShowDelay == 0; }
    // Lowers a positive delay; a negative one never runs out.
    virtual bool TickShowDelay(float dt);
    virtual void NotifyAll();
    virtual void ReleaseTextures();

    // Windows and controls alive in the process: what a long run must not let grow.
    static long GetLiveCount() { return sLiveCount.load(std::memory_order_relaxed); }

    TMyWindow* FindChildByName(const std::string& name) const;
    TMyWindow* FindChildById(int id) const;
    // Position in design coordinates: the sum over the window and its ancestors.
    void GetAbsolutePosition(int& x, int& y) const;
    // Every descendant; the window's own flag stays.
    void SetDisabledRecursive(bool disabled);
    bool ContainsDescendant(const TMyWindowContainer* window) const;
    // Takes every child out (optionally emptying it first) and deletes it when asked.
    void RemoveAllChildren(bool deleteChildren, bool recurse);
    // Appends the child and becomes its parent; a child already in the list keeps its place.
    void AddChild(TMyWindow* child);

    std::string mName;
    int mId = -1;
    // Relative to the parent's top-left corner; design coordinates for a root.
    int mX = 0;
    int mY = 0;
    int mWidth = 0;
    int mHeight = 0;
    // Set by the parent only while it draws this window.
    int mDrawOffsetX = 0;
    int mDrawOffsetY = 0;
    // Drawn without the parent's offset.
    bool mAbsolute = false;
    TMyWindowContainer* mParent = nullptr;
    // Owned; drawing order, hit testing from the last.
    std::vector<TMyWindow*> mChildren;
    bool mShown = true;
    bool mDisabled = false;
    bool mCloseRequest = false;
    // Seconds a popup waits before the manager shows it.
    float mShowDelay = 0;
    float mAlpha = 1.0f;
    bool mDrawn = true;
    bool mMouseOver = false;
    bool mFixedStep = false;
    int mUpdateFlags = 7;

private:
    static inline std::atomic<long> sLiveCount{0};
};

// A window that also listens by an interface is referred to through its window part, the last to go.
inline const TWeakTarget* WeakTargetOf(const TMyWindowContainer* window) {
    return window;
}

class TMyWindow : public TMyWindowContainer {
public:
    // Pass-through bits: the event also goes to the parent's handler.
    static constexpr int kPassMove = 1;
    static constexpr int kPassDown = 2;
    static constexpr int kPassUp = 4;
    // Alignment values; any other value is the near edge.
    static constexpr int kAlignCentre = 0;
    static constexpr int kAlignFar = 1;

    TMyWindow() = default;
    // Becomes the parent's last child.
    explicit TMyWindow(TMyWindowContainer* parent);
    // Deletes the children; a hovered window puts the default cursor back.
    ~TMyWindow() override;

    virtual void SetListener(TMyWindowListener* listener) { mListener = listener; }
    virtual void Draw();
    virtual void DrawSelf() {}
    // The shown children in order, each placed by this window's drawn position.
    void DrawChildren();
    // Drawn after the children.
    virtual void DrawOver() {}
    virtual void OnMouseDown(const TMouseEvent& event);
    virtual void OnMouseMove(const TMouseEvent& event);
    virtual void OnMouseUp(const TMouseEvent& event);
    virtual void OnMouseDrag(const TMouseEvent& event) {}
    virtual void OnMouseEnter();
    virtual void OnMouseLeave();
    // True shows the cursor "hand", false the default one.
    virtual void SetHandCursor(bool hand);
    virtual void OnShow();
    virtual void OnHide();
    virtual void Show();
    virtual void Hide();
    // Offered to the children in order until one takes it.
    virtual bool OnKeyDown(const TKeyEvent& event);
    virtual bool OnKeyUp(const TKeyEvent& event);
    // Given to every child.
    virtual void OnChar(int c);
    // Point in the parent's coordinates.
    virtual bool ContainsPoint(int px, int py);
    // Point in window-local coordinates.
    virtual bool AcceptsPoint(int lx, int ly) { return true; }
    virtual bool IsHit(int px, int py);
    // The point is the anchor the alignment names.
    virtual void SetPosition(int x, int y);
    // Keeps the anchor of the current rectangle.
    virtual void SetSize(int w, int h);
    virtual int GetX() const { return mX; }
    virtual int GetY() const { return mY; }
    virtual int GetCenterX() const { return mWidth / 2 + mX; }
    virtual int GetCenterY() const { return mHeight / 2 + mY; }
    virtual int GetWidth() const { return mWidth; }
    virtual int GetHeight() const { return mHeight; }
    virtual void SetHeight(int h) { mHeight = h; }
    virtual void SetWidth(int w) { mWidth = w; }
    virtual void SetFrozen(bool frozen) { mFrozen = frozen; }
    virtual bool IsFrozen() const { return mFrozen; }
    virtual void MoveBy(int dx, int dy);
    virtual void MoveTo(int x, int y) { SetPosition(x, y); }
    virtual void SetBounds(const TWindowRect& rect) { SetRect(rect.x, rect.y, rect.w, rect.h); }
    virtual void SetRect(int x, int y, int w, int h);
    virtual void RefreshText() {}
    // Children no longer under the point (in this window's parent coordinates) lose the hover.
    virtual void ClearChildrenHover(int px, int py);
    // Drawn last and hit first among its siblings.
    virtual void BringToFront();
    virtual bool IsInteractive() const;
    // Top-left corner of the window whose anchor is (x, y).
    virtual void ApplyAlignment(int x, int y, int& outX, int& outY) const;

    // The deepest window under the point (in this window's parent coordinates) and its local point;
    // null when none.
    TMyWindow* HitTest(int px, int py, int& localX, int& localY);
    // The parent when it is a window, else null.
    TMyWindow* GetParentWindow() const;

    // While hovered the cursor "hand" is shown.
    bool mHand = false;
    // The manager skips the update of a frozen root.
    bool mFrozen = false;
    bool mInteractive = true;
    TWeakRef<TMyWindowListener> mListener;
    int mPassThrough = 0;
    std::string mSoundEnter;
    std::string mSoundLeave;
    std::string mSoundDown;
    int mVAlign = -1;
    int mHAlign = -1;

private:
    bool IsHitTestCandidate() const;
};
