#pragma once
// The interactive scene object: an image, a tree of owned children, click and tool counters, locks and the
// reaction lists it hands to its space after a click, a tool use or an event of its own. Objects report
// to their space only through TObjectListener and never change another object directly.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/draw_object.h"
#include "graphics/static_image.h"
#include "objects/object_records.h"

class TBaseBuffer;
class TExecuter;
class TObjectEffector;
class TObjectSpace;
class THintExecuter;
class TObjectListener;
class TTool;
class TiXmlElement;
struct TMouseEvent;

// The 28 reaction lists, in the order the loader reads their names.
enum TReaction {
    kUnlockAfterEvent,
    kUnlockAfterTool,
    kUnlockAfterClick,
    kDeactivateAfterEvent,
    kDeactivateAfterTool,
    kDeactivateAfterClick,
    kActivateAfterEvent,
    kActivateAfterTool,
    kActivateAfterClick,
    kVisibleAfterEvent,
    kVisibleAfterTool,
    kVisibleAfterClick,
    kHideAfterEvent,
    kHideAfterTool,
    kHideAfterClick,
    kVisibleAfterToolCf,
    kVisibleAfterClickCf,
    kHideAfterToolCf,
    kHideAfterClickCf,
    kLockAfterEvent,
    kLockAfterTool,
    kLockAfterClick,
    kEffAfterTool,
    kEffAfterClick,
    kEffAfterEvent,
    kEffsAfterEvent,
    kEffsAfterTool,
    kEffsAfterClick,
    kReactionCount
};

// Click, tool and event task lists and their removal lists.
enum TTaskKind { kTasksClick, kTasksTool, kTasksClickRemove, kTasksToolRemove, kTasksEvent, kTasksEventRemove };
// Object-name lists: activate, remove and c-lists after a click, a tool use and an event.
enum TNameListKind {
    kAobjAfterClick,
    kAobjAfterTool,
    kAobjAfterEvent,
    kRobjAfterClick,
    kRobjAfterTool,
    kRobjAfterEvent,
    kCobjAfterClick,
    kCobjAfterTool,
    kCobjAfterEvent
};
// Flag and state lists: after a click, a tool use and an event.
enum TListMoment { kAfterClick, kAfterTool, kAfterEvent };
// Targets opened after a click ("room", ...) or after a tool use ("roomaftertool", ...).
enum TTarget { kTargetRoom, kTargetRoomXo, kTargetPocket, kTargetMiniGame, kTargetDialog, kTargetDialog2 };

class TObject : public DrawObject {
public:
    // A click or tool-click maximum that never runs out.
    static constexpr int kUnlimited = 99999999;
    // A counter that has counted nothing yet.
    static constexpr int kNotCounted = -1;
    static constexpr int kDrawTopLeft = 0;
    static constexpr int kDrawCentred = 1;
    static constexpr int kAnimNone = 0;
    static constexpr int kAnimLoop = 1;
    static constexpr int kAnimNoLoop = 2;
    static constexpr int kHintDefault = 0;
    static constexpr int kHintNever = 1;
    static constexpr int kHintAlways = 2;

    TObject();
    ~TObject() override;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;

    void Draw(float alpha) override;
    // Always false: a scene object never finishes by itself.
    bool Update(float seconds) override;
    void SetPosition(float x, float y, bool moveChildren) override;
    // Hiding drops the hint effect.
    void SetVisible(bool visible) override;
    // The draw position: the logical one anchored by the draw type, plus the rotation-centre and owner offsets.
    float GetX() override;
    float GetY() override;

    virtual int GetTypeId() const { return 0; }
    virtual bool OnMouseDown(const TMouseEvent& event);
    // firstHover is shared by the objects of one pass; only the first hit object is hovered.
    virtual bool OnMouseMove(const TMouseEvent& event, bool* firstHover);
    virtual bool OnMouseUp(const TMouseEvent& event);
    virtual bool OnMouseDrag(const TMouseEvent& event) { return false; }
    virtual void LoadResources();
    virtual void UnloadResources();
    virtual void OnRoomBroadcast(int value) {}
    virtual void PropagateSignalA(int value);
    virtual void RestoreState(TBaseBuffer& reader);
    virtual void LoadFromXml(const TiXmlElement* element, const std::string& folder);
    virtual void OnLoaded() {}
    virtual void PropagateSignalB(int value);
    virtual void SaveState(TBaseBuffer& writer);
    virtual void OnSpaceFirstShow();
    virtual void OnSpaceShow();
    virtual void OnSpaceHide();
    virtual void Activate(int index, int x, int y);
    virtual void ActivateDefault() { Activate(0, 0, 0); }
    virtual void Deactivate(int index, int x, int y);
    virtual void DeactivateDefault() { Deactivate(0, 0, 0); }
    virtual bool IsActive() const { return mActive; }
    // A subclass's own reaction to an accepted click.
    virtual void DoClickAction(int clickNumber, int x, int y) {}
    virtual void Unlock() { mLocked = false; }
    virtual void Lock();
    virtual bool IsLocked() const { return mLocked; }
    virtual void OnMouseEnter(int x, int y);
    virtual void OnMouseLeave(int x, int y);
    virtual void PropagateSignalC(int value);
    virtual void PropagateSignalD(int value);
    virtual void ApplyAfterTool(int x, int y);
    virtual void ApplyAfterClick(int x, int y);
    virtual void ApplyAfterEvent(int event);
    virtual void ResetState() {}
    virtual void ResetClicks();
    virtual bool HitTestSelf(int x, int y);
    // The deepest descendant under the point, the topmost child first; null when none.
    virtual TObject* FindChildAt(int x, int y, bool respectLock);
    virtual bool HitTest(int x, int y, bool respectLock);
    virtual bool GetLastHitResult(int x, int y, bool respectLock);
    virtual void DrawSelf(float alpha);
    virtual void DrawOverlay() {}
    virtual void DrawDebugBounds();
    virtual bool NeedsTool() const;
    virtual bool AcceptsTool(TTool* tool);
    virtual TObject* FindChildAcceptingTool(TTool* tool);
    virtual bool ToolOpensPocket(TTool* tool) const;
    virtual bool ToolOpensMinigame(TTool* tool) const;
    virtual TObject* FindObjectForTool(const std::string& toolName);
    virtual void CollectHintCandidates(std::vector<TObject*>& list);
    virtual void MoveBy(int dx, int dy);
    // Deletes the hint effect, the image and every child.
    virtual void ReleaseAll();
    // Held to the int range: a size or position read from data, or moved by effects, may be any float.
    virtual int GetWidth() const { return SizeToInt(mW); }
    virtual int GetHeight() const { return SizeToInt(mH); }
    virtual int GetCenterX() const;
    virtual int GetCenterY() const;
    virtual bool HasGivenTool(const std::string& toolName) const;
    virtual bool AreAllToolsGiven() const;
    // Marks record index of the list given once; false for a bad index or a record given before.
    virtual bool GiveTool(int index, std::vector<TGivenTool>& list);
    virtual bool ShouldShowXoHint() const;
    virtual bool IsHintBlinkEnabled() const;
    virtual void CreateXoHintEffect();
    virtual bool IsMovable() const { return !mEffectorName.empty() || mMovable; }
    virtual std::string GetWrongToolHint(TTool* tool);
    // Takes ownership and sets the parent. Refuses (the caller keeps the object) null, this object, an
    // ancestor, an object already below this one and an object that has a parent.
    virtual bool AddChild(TObject* object);
    // Takes the object out of the subtree without deleting it; the caller then owns it.
    virtual bool RemoveChild(TObject* object);
    // Ignored outside 0..1.
    virtual void SetAlpha(float alpha);
    virtual void MakeCentred();
    virtual void StartEffector();
    virtual void StopEffector();
    virtual void OnEffectorTrackFinished(int track) {}
    // Draw x, draw y, w, h.
    virtual void GetRect(float rect[4]);
    virtual bool IsPlainDecor() const;
    virtual bool IsSolved() const { return mSolved; }
    virtual void ApplyTool(const TMouseEvent& event);
    virtual void OnClick(const TMouseEvent& event);
    virtual void GetHintText(std::string& text, int number);
    // The hint strategy's text for the pointer event (its tool decides the wrong-tool hints).
    void GetHintText(std::string& text, const TMouseEvent& event);
    virtual void RemoveXoHint();
    // The deepest descendant the last HitTest hit, or this object.
    virtual TObject* GetHitObject();

    // The id preceded by the names of the spaces from the outermost one, each followed by ".".
    std::string BuildSaveKey() const;
    TObjectSpace* GetRootSpace() const;
    // For the whole subtree.
    void SetListener(TObjectListener* listener);
    // Keeps an effector whose name is the object's "effector", else offers it to the children; true when taken.
    bool AttachEffector(TObjectEffector* effector);
    TObject* FindChildById(const std::string& id);
    bool ContainsChild(const TObject* object) const;
    TObject* FindParentOf(const TObject* object);
    float GetOwnerOffsetX() const;
    float GetOwnerOffsetY() const;
    // Copies the display state into the image.
    void SyncImage();
    bool AreClicksUsedUp() const;
    void UseUpClicks();
    // The group of the click lists for the current click: the click counter, held at "freezeclicks" - 1.
    int GetClickGroup() const;
    void ApplyFlags(int index, const TFlagList& list);
    void ApplyStates(int index, const TStateList& list);
    void CollectAcceptedTools(std::vector<std::string>& names, bool skipLocked) const;
    bool IsHintable() const;
    // Counts one more unless the counter stands one below the maximum.
    static bool AdvanceCounter(int& counter, int maximum);
    // Plays a sound through the outermost space; nothing for an empty name or without a space.
    void PlaySpaceSound(const std::string& name) const;
    // Through the outermost space as every object sound; straight through the sound manager without a space.
    void PlayObjectSound(const std::string& name) const;
    TObject* GetParent() const { return mParent; }
    const std::vector<std::unique_ptr<TObject>>& GetChildren() const { return mChildren; }
    StaticImage* GetImage() const { return mImage.get(); }
    DrawObject* GetHintEffect() const { return mHintEffect.get(); }
    // Owner of effects made elsewhere; replaces the one held.
    void SetHintEffect(std::unique_ptr<DrawObject> effect) { mHintEffect = std::move(effect); }

    TObjectListener* mListener = nullptr;
    int mCachedDrawX = 0;
    int mCachedDrawY = 0;
    bool mMovable = false;
    std::string mCursorName;
    std::string mTypeName;
    std::string mSaveKey;
    bool mHideAfterTakeTool = true;
    bool mLocked = false;
    bool mActive = false;
    bool mAcceptsClicks = true;
    bool mDummy = false;
    int mClickCounter = kNotCounted;
    int mToolClickCounter = kNotCounted;
    int mFreezeClicks = kUnlimited;
    int mFreezeToolClicks = 1;
    int mMaxClicks = kUnlimited;
    int mMaxToolClicks = kUnlimited;
    int mDrawType = kDrawTopLeft;
    // Image alpha 0..255 a hit needs; 0 tests the rectangle only.
    int mHitAlphaThreshold = 25;
    std::vector<std::string> mNeededTools;
    bool mSolved = false;
    bool mCheckOnlyBounds = false;
    bool mCacheColor = false;
    bool mCanBeWrongClickXo = true;
    bool mToolApplied = false;
    int mHoldToolAfterUse = 0;
    bool mSetVisibleAfterTempTool = true;
    int mBlendMode = 1;
    TObjectSpace* mSpace = nullptr;
    bool mIgnoreSubObjects = false;
    bool mHovered = false;
    // The pointer is over the object: enter and leave are sent once per crossing.
    bool mPointerInside = false;
    std::array<TReactionList, kReactionCount> mReactions;
    std::string mImageName;
    std::vector<std::string> mHintKeys;
    std::vector<std::string> mLockedHintKeys;
    std::vector<std::string> mToolHintKeys;
    std::vector<TWrongToolHint> mWrongToolHints;
    // Carried through the state record unchanged.
    int16_t mReserved[2] = {0, 0};
    std::vector<TGivenTool> mGivenTools;
    std::vector<TGivenTool> mGivenToolsAfterEvent;
    std::array<std::string, 6> mTargets;
    std::array<std::string, 6> mToolTargets;
    std::array<TTaskList, 6> mTasks;
    std::array<std::vector<std::string>, 9> mNameLists;
    std::vector<std::string> mPocketTools;
    std::vector<std::string> mMiniGameTools;
    bool mHideOnClick = false;
    std::array<TFlagList, 3> mFlags;
    std::array<TStateList, 3> mStates;
    float mHintBlinkTimer = 0;
    // Which "hint" text comes next.
    int mHintCounter = 0;
    int mBlinkOffsetX = 0;
    int mBlinkOffsetY = 0;
    bool mLastSelfHit = false;
    TExecuter* mClickExecuter = nullptr;
    THintExecuter* mHintExecuter = nullptr;
    float mToolPower = -1.0f;
    bool mWrongTool = false;
    std::string mParam1;
    std::string mParam2;
    std::string mSound;
    std::string mSoundTool = "drop_tool";
    std::string mSoundNeedTool = "need_tool";
    std::string mSoundMouseEnter;
    std::string mSoundMouseLeave;
    std::vector<std::string> mActivationSounds;
    std::string mEffectorName;
    TObjectEffector* mEffector = nullptr;
    float mClickDelay = 0;
    float mClickDelayLeft = 0;
    int mCentreOffsetX = 0;
    int mCentreOffsetY = 0;
    std::vector<TFrameBounds> mFrames;
    float mFrameDelay = 0;
    int mCurrentFrame = 0;
    float mFrameTimer = 0;
    int mAnimMode = kAnimNone;
    bool mHintableOnShow = true;
    int mHintMode = kHintDefault;
    bool mDebugOutline = false;
    int mHintPointX = 0;
    int mHintPointY = 0;
    bool mSkipOwnerOffset = false;
    TRect mClipRect;
    bool mCanRunXoEffect = false;
    bool mDrawChildrenFirst = false;
    int mDrawLayer = 0;
    bool mAllowClickWithTool = false;

protected:
    static int SizeToInt(float size) {
        if (!(size > -2147483648.0f)) {
            return size != size ? 0 : INT32_MIN;
        }
        return size >= 2147483648.0f ? INT32_MAX : static_cast<int>(size);
    }
    // The image's width and height for anchoring: source rectangle, else texture, else the logical size.
    float GetImageWidth() const;
    float GetImageHeight() const;
    void RefreshCachedDrawPosition();
    // The current frame becomes the image's source rectangle.
    void ApplyFrameToImage();
    bool IsUsingFrames() const { return mAnimMode != kAnimNone && !mFrames.empty(); }
    // The held tool's offset added to a copy of the event, for moves and releases.
    static TMouseEvent WithToolOffset(const TMouseEvent& event);

    TObject* mParent = nullptr;
    TObject* mHitChild = nullptr;

private:
    void LoadFrames(const TiXmlElement* element);
    void UpdateHintBlink(float seconds);
    void UpdateFrames(float seconds);
    bool IsAlphaHit(int x, int y, float drawX, float drawY) const;
    bool PressWithTool(const TMouseEvent& event, TTool* tool);
    void PressWithoutTool(const TMouseEvent& event);
    // The fifteen hand-overs after a click or a tool use.
    void ApplyAfterCounter(int index, bool afterTool);
    bool IsHintableWithoutTool() const;

    std::unique_ptr<StaticImage> mImage;
    std::unique_ptr<DrawObject> mHintEffect;
    std::vector<std::unique_ptr<TObject>> mChildren;
};

// Every tool record handed out during the run, in order.
std::vector<TGivenTool>& GetHandedOutTools();

// Restores an object's record held in its own nested buffer. A record the object tree does not read exactly
// (a failed read, a read past its end, bytes left over) is refused with a log line and the object keeps
// the state it had.
bool RestoreObjectState(TObject& object, TBaseBuffer& record);
