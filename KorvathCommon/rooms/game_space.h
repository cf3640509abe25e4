#pragma once
// A game space: a named scene with its own tree of scene objects, their key-track animators, its sounds and
// music settings, its reaction lists, three draw layers inside an optional clip rectangle, pointer routing to
// its objects and a saved state. Rooms derive from it; in this game a room is the animated scene behind the
// main menu or the level map.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "graphics/draw_object.h"
#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "objects/object_listener.h"
#include "objects/object_records.h"
#include "objects/object_space.h"

class TBaseBuffer;
class TEffector;
class TGameSpace;
class TObject;
class TTool;
class TiXmlElement;
struct TMouseEvent;

// What the owner of a space hears. Nothing in the engine owns spaces; every operation is empty.
class TGameSpaceListener {
public:
    virtual ~TGameSpaceListener() = default;
    virtual void OnSpaceClosing(TGameSpace* space) {}
    virtual void OnSpaceFirstShown(TGameSpace* space) {}
    virtual void OnSpaceShown(TGameSpace* space) {}
    virtual void OnSpaceHidden(TGameSpace* space) {}
    virtual void OnSpaceCompleted(TGameSpace* space) {}
    virtual void ActivateObjects(const TObjectPathGroup& group) {}
    virtual void DeactivateObjects(const TObjectPathGroup& group) {}
    virtual void ShowObjects(const TObjectPathGroup& group) {}
    virtual void HideObjects(const TObjectPathGroup& group) {}
    virtual void LockObjects(const TObjectPathGroup& group) {}
    virtual void UnlockObjects(const TObjectPathGroup& group) {}
    virtual void AddTasks(const std::vector<std::string>& tasks) {}
    virtual void RemoveTasks(const std::vector<std::string>& tasks) {}
    virtual void PassAobjList(const std::vector<std::string>& names) {}
    virtual void PassRobjList(const std::vector<std::string>& names) {}
    virtual void PassCobjList(const std::vector<std::string>& names) {}
    virtual void RunEffects(const TObjectPathGroup& group, TObject* object) {}
    virtual void RunEffectSets(const TObjectPathGroup& group, TObject* object) {}
    virtual void OnToolGiven(const std::vector<TGivenTool>& tools, TObject* object, float delay) {}
    virtual void OnMouseEnterObject(TObject* object, const TMouseEvent& event) {}
    virtual void OnMouseLeaveObject(TObject* object, const TMouseEvent& event) {}
    virtual void OnFirstHover(TObject* object, const TMouseEvent& event) {}
    virtual void OnObjectPressed(TObject* object, const TMouseEvent& event) {}
    virtual void GoToRoom(const std::string& room, TGameSpace* space, bool flag) {}
    virtual void GoToRoomXo(const std::string& room, TGameSpace* space) {}
    virtual void OnObjectFound(TObject* object, TGameSpace* space) {}
    virtual void OnWrongClick(TObject* object, TGameSpace* space) {}
    virtual void OnInteractionFound(TObject* object, TGameSpace* space) {}
    virtual void ApplyToolAfterUse(int value) {}
    virtual void OnToolApplied(TGameSpace* space, TObject* object, TTool* tool) {}
    // Sets keep when the tool stays held after use.
    virtual void CheckToolAfterUse(int maxClicks, int holdAfterUse, bool& keep) {}
    virtual void OnToolFound(const std::string& tool) {}
    virtual void ForwardNotice() {}
    virtual void ForwardToOwner(int value) {}
    virtual void OnRoomUpdate(TGameSpace* space) {}
};

// The six object-path lists, in the order they are applied.
enum TPathListKind { kPathUnlock, kPathLock, kPathVisible, kPathHide, kPathActivate, kPathDeactivate, kPathKinds };

// What a space does on completion, on every show and on every hide.
struct TSpaceReactionLists {
    std::array<TReactionList, kPathKinds> onComplete;
    std::array<TReactionList, kPathKinds> onShow;
    std::array<TReactionList, kPathKinds> onHide;
    TStateList statesShow;
    TStateList states;
    TStateList statesHide;
    TTaskList tasksHide;
    TTaskList tasksShow;
    TTaskList tasksRemoved;
    TTaskList tasksShowRemove;
    TFlagList flagsShow;
    TFlagList flags;
    TFlagList flagsHide;
    std::vector<std::string> aobj, robj, cobj;
    std::vector<std::string> aobjShow, robjShow, cobjShow;
    bool freeze = false;
    bool freezeHide = false;
};

struct TItemToFind {
    std::string id;
    StaticImage image;
};

class TGameSpace : public TObjectSpace, public TObjectListener {
public:
    TGameSpace();
    ~TGameSpace() override;
    TGameSpace(const TGameSpace&) = delete;
    TGameSpace& operator=(const TGameSpace&) = delete;

    void PlaySound(const std::string& name) override;
    void PlayOwnSounds() override;

    virtual void Reset(bool deleteContent);
    virtual void UnloadResources();
    virtual void LoadResources();
    virtual void ReadState(TBaseBuffer& reader);
    virtual void Load(const std::string& file) {}
    // The space's settings from its Common element; a null element changes nothing.
    virtual void LoadFromXml(const TiXmlElement* element);
    virtual void ReadObjectStates(TBaseBuffer& reader);
    // Makes one object per "object" child (through the object factory when there is one), loads it with the
    // space's folder, links it under the parent (at top level without one) and recurses. An unknown type
    // skips the element and its nested objects with a warning line.
    virtual void LoadObjectsFromXml(const TiXmlElement* element, TObject* parent);
    // Top-level objects with the folder given, then every object reports to this space.
    void LoadObjectsFromXml(const TiXmlElement* element, const std::string& folder);
    virtual void LoadReactionListsFromXml(const TiXmlElement* element);
    virtual void WriteObjectStates(TBaseBuffer& writer);
    virtual void OnLoaded() {}
    virtual void Show();
    virtual void Hide();
    virtual void Complete() {}
    virtual void OnFirstShow();
    virtual void CloseMinigame();
    // Layer 0.
    virtual void Draw();
    virtual void DrawLayer1() { DrawLayer(1); }
    virtual void DrawLayer2() { DrawLayer(2); }
    virtual void DrawHintEffects();
    virtual void AddTime(float seconds) { mElapsed += seconds; }
    virtual void WriteState(TBaseBuffer& writer);
    virtual bool OnMouseDown(const TMouseEvent& event);
    virtual bool OnMouseMove(const TMouseEvent& event);
    virtual bool OnMouseUp(const TMouseEvent& event);
    virtual bool OnMouseDrag(const TMouseEvent& event) { return false; }
    virtual void LoadImages(bool flag);
    virtual void UnloadImages();
    virtual bool ShowHint();
    bool IsHintActive() const { return mHintActive; }
    // Every top-level object hears the value; a room passes it to its pockets too.
    virtual void RoomBroadcast(int value) {}
    // A room passes the value to its owner.
    virtual void ForwardToOwner(int value) {}
    virtual bool CanBeOpened() const { return mCanBeOpened; }
    // Whether the open sub-space asks to be closed.
    virtual bool ReservedQueryC() { return false; }
    // Debug outlines on the objects that lead somewhere; only with the process-wide option on.
    virtual void SetDebugDraw(bool flag) {}
    virtual void RemoveXoHints() {}
    void CollectHintCandidates(std::vector<TObject*>& candidates);
    virtual void LoadMusicFromXml(const TiXmlElement* element);
    virtual void LoadSounds();
    virtual void LoadSoundsFromXml(const TiXmlElement* element);
    virtual void UnloadSounds();
    virtual void MoveObjectsBy(int dx, int dy) {}
    virtual void PropagateSignalC(int value);
    virtual void PropagateSignalD(int value);
    virtual TObject* GetHoveredObject();
    virtual TObject* ObjectAt(int x, int y) { return HitTopObject(x, y); }
    virtual TObject* ReleaseTargetAt(int x, int y) { return HitTopObject(x, y); }
    virtual TObject* FindObjectForTool(const std::string& toolName);
    virtual TEffector* GetEffector(size_t index);
    virtual size_t GetEffectorCount() const { return mEffectors.size(); }
    virtual bool GetCursorNameAt(int x, int y, std::string& name);
    virtual void StopOwnSounds();
    TObject* FindObjectById(const std::string& id) override;
    bool HoldsObject(const TObject* object) const override;
    // The top-level objects, in drawing order.
    const std::vector<std::unique_ptr<TObject>>& GetObjects() const { return mObjects; }
    bool ContainsPoint(int x, int y) const;
    // Only the path, the folder and the name of a description; an unnamed space gets a random number.
    virtual void LoadDescription(const std::string& file);
    virtual void LockInput() { mInputLocked = true; }
    virtual void UnlockInput() { mInputLocked = false; }
    virtual void LoadEffectorsFromXml(const TiXmlElement* element);
    virtual void AttachEffectors();
    // Each object of the list (or its first descendant) naming one of this space's effectors gets it.
    void AttachEffectorsTo(const std::vector<std::unique_ptr<TObject>>& objects);
    // The update of the drawing state: tweens, objects (plain spaces only) and hint effects. Always false.
    virtual bool Update(float seconds);

    // The reaction lists' hand-overs: the owner hears them when one is set.
    void OnToolGiven(const std::vector<TGivenTool>& tools, TObject* object, float delay) override;
    void UnlockObjects(const TObjectPathGroup& group) override;
    void LockObjects(const TObjectPathGroup& group) override;
    void ActivateObjects(const TObjectPathGroup& group) override;
    void DeactivateObjects(const TObjectPathGroup& group) override;
    void ShowObjects(const TObjectPathGroup& group) override;
    void HideObjects(const TObjectPathGroup& group) override;
    void RunEffects(const TObjectPathGroup& group, TObject* object) override;
    void RunEffectSets(const TObjectPathGroup& group, TObject* object) override;
    void AddTasks(const std::vector<std::string>& tasks, TObject* object) override;
    void RemoveTasks(const std::vector<std::string>& tasks, TObject* object) override;
    void PassAobjList(const std::vector<std::string>& names, TObject* object) override;
    void PassRobjList(const std::vector<std::string>& names, TObject* object) override;
    void PassCobjList(const std::vector<std::string>& names, TObject* object) override;

    std::string GetSpacePath() const;
    std::string GetRootName() const;
    void ReleaseObjects(bool deleteOwned);
    TObject* HitTopObject(int x, int y);
    void DrawLayer(int layer);
    TObject* FindParentOf(const TObject* object);
    void SetObjectsListener();
    void LoadItemsToFind(const TiXmlElement* element);
    void ApplyFlagGroup(int index, const TFlagList& list);
    void ApplyStateGroup(int index, const TStateList& list);
    bool AnyObjectHasGivenTool(const std::string& toolName) const;
    // The name the space's sound list is kept under, apart from the game's own lists.
    std::string GetSoundListName() const { return "room:" + mName; }

    int mX = 0;
    int mY = 0;
    int mW = 0;
    int mH = 0;
    bool mFileLoad = false;
    int mShowCount = 0;
    bool mOpened = false;
    bool mInputLocked = false;
    std::string mTransientText;
    std::string mRules;
    std::string mFilePath;
    float mElapsed = 0;
    bool mMark = false;
    bool mHintUsed = false;
    bool mClosing = false;
    bool mResetButton = false;
    std::vector<std::string> mOwnSounds;
    std::vector<std::string> mMusic;
    bool mStartMusicNow = true;
    int mStartMusicAfterShowCount = 0;
    bool mStopPreviousMusic = true;
    std::string mFolder;
    std::array<bool, 3> mNeighbours = {false, false, false};
    std::array<std::string, 3> mNeighbourRooms;
    std::vector<std::unique_ptr<TEffector>> mEffectors;
    // The "effector" names of the loaded objects, for the effector loader.
    std::vector<std::string*> mEffectorReferences;
    TGameSpaceListener* mOwner = nullptr;
    mutable std::string mPath;
    std::string mSavedText;
    bool mImagesLoaded = false;
    bool mSaved = false;
    std::string mHelpFontName = "default16";
    int mHintPoints[4] = {0, 0, 0, 0};
    TTool* mHeldTool = nullptr;
    TObject* mPressed = nullptr;
    TSpaceReactionLists mLists;
    std::vector<std::unique_ptr<TObject>> mObjects;
    std::vector<std::unique_ptr<TItemToFind>> mItemsToFind;
    TRect mClip;
    int mVirtualWidth = 0;
    int mVirtualHeight = 0;
    IncValue mOffsetTweenX;
    IncValue mOffsetTweenY;
    IncValue mThirdTween;
    std::string mShowSound;
    std::string mHideSound;
    bool mUpdateObjects = true;
    bool mHintActive = false;
    std::array<std::unique_ptr<DrawObject>, 3> mHintEffects;
    // Zooms a pocket in and out; pockets only.
    std::unique_ptr<TEffector> mAppearEffector;
    // The space's own position and scale, which the zoom of an opening pocket drives.
    DrawObject mDrawState;
    bool mCanBeOpened = true;
    std::vector<std::string> mConnectedRoomNames;
    std::vector<TGameSpace*> mConnectedRooms;
    bool mCanShowBackHint = false;
    bool mSetToolsToOpenPocketAuto = false;

protected:
    void ApplyPathGroups(const std::array<TReactionList, kPathKinds>& lists, int index);
    void PassFirstShowLists();
    void SetClip() const;
    void ClearClip() const;
};
