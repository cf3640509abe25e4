#pragma once
// Rooms: a space read from a room description file, which updates its own objects, plays its music
// settings on show, keeps room effects and saves its visits. A room routes pointer input to its open
// pocket first, follows its objects' links, hands out tools, completes, and points at what is left to do.

#include <memory>
#include <string>
#include <vector>

#include "app/xml_reader.h"
#include "graphics/fader.h"
#include "graphics/objects_manager.h"
#include "rooms/game_space.h"
#include "rooms/items_list.h"
#include "rooms/show_pocket_effector.h"

class TPocket;
class TToolList;
class TiXmlElement;

// The overlap of two rectangles (x, y, w, h); all four 0 when they do not overlap.
std::array<float, 4> IntersectRects(const std::array<float, 4>& a, const std::array<float, 4>& b);

class TBaseRoom : public TGameSpace, public TItemsListListener, public TShowPocketEffectorListener {
public:
    TBaseRoom();
    ~TBaseRoom() override;

    int GetKindFlags() const override { return kKindRoom; }
    void LoadFromXml(const TiXmlElement* element) override;
    void Show() override;
    void Hide() override;
    bool Update(float seconds) override;
    void Draw() override;
    void Reset(bool deleteContent) override;
    void WriteObjectStates(TBaseBuffer& writer) override;
    void ReadObjectStates(TBaseBuffer& reader) override;
    void OnToolFound(const TGivenTool& tool) override;
    void OnListComplete(ItemsList* list) override;
    void OnFlag(const TFlagItem& item, TObject* object) override;
    void ForwardToOwner(int value) override;

    // The list at the current index; null when the index is outside the lists.
    ItemsList* GetCurrentList() const;

    // Ghosts and infrared objects are updated only under the ghost-catcher's lens.
    void UpdateGhostUnderLens(TObject* object, float seconds);
    void UpdateInfraredUnderLens(TObject* object, float seconds);
    bool IsGhostDrawn(TObject& ghost) const;

    float mCountdown = 0;
    int mCurrentListIndex = -1;
    bool mHasLists = false;
    std::vector<std::unique_ptr<ItemsList>> mItemsLists;
    std::string mCloseFlag;
    std::string mTool;
    std::string mSubTool;
    std::string mHintOnShow;
    bool mDuplicatedCursor = false;
    ObjectsManager mRoomEffects;
};

class TRoom : public TBaseRoom {
public:
    static constexpr int kGhostTypeId = 22;
    static constexpr int kInfraredTypeId = 23;
    static constexpr int kAnimFileTypeId = 39;

    TRoom();
    ~TRoom() override;
    bool IsRoom() const override { return true; }
    TRoom(const TRoom&) = delete;
    TRoom& operator=(const TRoom&) = delete;

    // Reads the room description file; a file that cannot be read leaves the room empty.
    void Load(const std::string& file) override;
    // The same for a description already in memory (its name is the room's file path).
    void LoadSource(const TXmlSource& source);
    void LoadFromXml(const TiXmlElement* element) override;
    void Show() override;
    void Hide() override;
    bool Update(float seconds) override;
    void Draw() override;
    void OnFirstShow() override;
    void LoadImages(bool flag) override;
    void UnloadImages() override;
    void Reset(bool deleteContent) override;
    void WriteState(TBaseBuffer& writer) override;
    void ReadState(TBaseBuffer& reader) override;
    void MoveObjectsBy(int dx, int dy) override;
    TObject* FindObjectById(const std::string& id) override;

    void Complete() override;
    void DrawLayer1() override;
    void DrawHintEffects() override;
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event) override;
    bool OnMouseUp(const TMouseEvent& event) override;
    bool OnMouseDrag(const TMouseEvent& event) override;
    bool GetCursorNameAt(int x, int y, std::string& name) override;
    TObject* ObjectAt(int x, int y) override;
    TObject* ReleaseTargetAt(int x, int y) override;
    TObject* GetHoveredObject() override;
    bool ReservedQueryC() override;
    void RoomBroadcast(int value) override;
    void SetDebugDraw(bool flag) override;
    bool ShowHint() override;
    void RemoveXoHints() override;
    bool HasSomethingToDo() override;
    bool HasHintCandidates() override;

    void OnObjectClicked(TObject* object) override;
    void OnToolApplied(TObject* object, TTool* tool, int value) override;
    void OnToolGiven(const std::vector<TGivenTool>& tools, TObject* object, float delay) override;
    void UnlockObjects(const TObjectPathGroup& group) override;
    void LockObjects(const TObjectPathGroup& group) override;
    void OnShowPocketEffectorListenerDone(TShowPocketEffector* effector) override;

    virtual void UnloadPocketImages();
    virtual void PlaceFrame(const TiXmlElement* element) {}
    virtual void SetOwnerListener(TGameSpaceListener* owner);
    TObjectSpace* FindPocket(const std::string& name) override;
    virtual bool CloseSubSpace(bool flag);
    virtual void ShowBackHint();
    virtual std::unique_ptr<TPocket> CreatePocket(const std::string& name, const std::string& type);
    virtual void CollectPocketTools();
    virtual void CollectMinigameTools();

    void LoadPocketsFromXml(const TiXmlElement* element);
    // The room's effectors drive the objects of its pockets (nested ones too) as well as its own.
    void AttachEffectors() override;
    void AttachPocketEffectors(const TRoom& space);
    // Adds the pockets' effector names to the room's, so an effector named by several objects of the room
    // and its pockets is copied once per object.
    void AddPocketEffectorReferences(const TRoom& space);
    void LoadItemsLists(const TiXmlElement* element);
    void LoadGlobalTools(const TiXmlElement* element);
    void MarkListObjects();
    void OpenPocket(int x, int y, TRoom* pocket);
    bool CloseOpenPocket(bool all);
    void ShowShadow();
    bool IsShadowShown() const;
    bool AreAllToolsTaken();
    void CollectNeededTools(TRoom* pocket, std::vector<std::string>& list);
    void ResetPockets(bool deleteContent);
    void RestoreRenderScale();
    // Targets of the tools the candidates hand out, one per candidate (null for none).
    bool FindToolTargets(const std::vector<TObject*>& candidates, std::vector<TObject*>& targets);
    TRoom* GetOpenSubSpace() const { return mOpenSubSpace; }
    const std::vector<std::unique_ptr<TPocket>>& GetPockets() const { return mPockets; }
    TFaderShadow* GetShadow() const { return mShadow.get(); }
    TToolList* GetGlobalTools() const { return mGlobalTools.get(); }

    void LoadAnimFiles(const std::vector<const TiXmlElement*>& roots);
    void ResolveObjectLinks();

    std::vector<std::string> mToolsToClose;
    bool mCloseAfterAllToolsTaken = false;
    bool mCloseAfterAllToolsTakenUpdate = false;
    bool mReserved = false;
    bool mFirstShowPending = true;
    bool mVisiting = false;
    bool mAskingToDo = false;
    int mBackHintX = 0;
    int mBackHintY = 0;
    std::vector<std::string> mObjectsNeedingLock;
    std::vector<TObject*> mObjectsNeedingLockFound;

protected:
    // A pocket's own first step of a press.
    bool RoomMouseDown(const TMouseEvent& event);
    void FollowLink(TObject* object, const std::array<std::string, 6>& targets, int x, int y);
    void PostClosePocket(bool forced);

    std::vector<std::unique_ptr<TPocket>> mPockets;
    TRoom* mOpenSubSpace = nullptr;
    std::unique_ptr<TFaderShadow> mShadow;
    std::unique_ptr<TToolList> mGlobalTools;
};

// Process-wide switch for the objects' debug outlines; off unless a developer tool turns it on.
bool& DebugOutlineOption();
