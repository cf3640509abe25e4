#pragma once
// The room viewer's host: what the hidden-object game would be around one room. It owns the room (and
// the rooms its links lead to), applies the objects' reaction paths, delivers interface events, keeps the
// tools handed out with the one held, supplies a plain items-list entry kind, and keeps a transcript of
// everything the room told it. Developer tool only: neither the engine nor the game links it.

#include <memory>
#include <string>
#include <vector>

#include "collections_host.h"
#include "objects/tool.h"
#include "rooms/inventory_panel.h"
#include "rooms/items_list.h"
#include "rooms/room.h"

// An entry found when every object it stands for has been hidden (found objects hide themselves).
class TViewItem : public ItemsListItem {
public:
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    bool Update(float seconds) override;
};

class TViewItemFactory : public ItemsListItemFactory {
public:
    std::unique_ptr<ItemsListItem> Create(const std::string& type) override;
};

class TRoomHost : public TGameSpaceListener, public TInterfaceEventListener {
public:
    TRoomHost();
    ~TRoomHost() override;
    TRoomHost(const TRoomHost&) = delete;
    TRoomHost& operator=(const TRoomHost&) = delete;

    // Loads a room file (relative to the data root's "assets"), its images, and shows it.
    bool Open(const std::string& file);
    // One action line: "click X Y", "press X Y", "move X Y", "release X Y", "drag X0 Y0 X1 Y1",
    // "take TOOL", "drop", "wait MS", "hint", "save", "restore". False for a line it cannot read.
    bool Run(const std::string& action);
    void Update(float seconds);
    void Draw(int pointerX, int pointerY);
    void Press(int x, int y);
    void Move(int x, int y);
    void Release(int x, int y);
    // Press at the first point, move there in ten steps a frame apart, release at the second.
    void Drag(int x0, int y0, int x1, int y1);
    void Save();
    void Restore();
    // The room's saved state as bytes; the bytes Restore reads.
    std::vector<uint8_t> SavedState() const;
    void SetSaved(const std::vector<uint8_t>& bytes) { mSaved = bytes; }

    TRoom* GetRoom() const { return mRoom; }
    TTool* GetHeldTool() const { return mHeld; }
    // Where the pointer was last moved, pressed or released.
    int GetPointerX() const { return mPointerX; }
    int GetPointerY() const { return mPointerY; }
    bool IsCompleted() const { return mCompleted; }
    // The developer view: after the room, every object's added drawing operations (added_draws.h).
    void SetAddedDraws(bool on) { mAddedDraws = on; }
    // Everything heard since the last call, one line each.
    std::vector<std::string> TakeTranscript();

    // Owner notices.
    void OnSpaceCompleted(TGameSpace* space) override;
    void ActivateObjects(const TObjectPathGroup& group) override;
    void DeactivateObjects(const TObjectPathGroup& group) override;
    void ShowObjects(const TObjectPathGroup& group) override;
    void HideObjects(const TObjectPathGroup& group) override;
    void LockObjects(const TObjectPathGroup& group) override;
    void UnlockObjects(const TObjectPathGroup& group) override;
    void GoToRoom(const std::string& room, TGameSpace* space, bool flag) override;
    void OnObjectFound(TObject* object, TGameSpace* space) override;
    void OnWrongClick(TObject* object, TGameSpace* space) override;
    void OnInteractionFound(TObject* object, TGameSpace* space) override;
    void OnToolApplied(TGameSpace* space, TObject* object, TTool* tool) override;
    void OnToolGiven(const std::vector<TGivenTool>& tools, TObject* object, float delay) override;
    void OnToolFound(const std::string& tool) override;
    void OnInterfaceEvent(TInterfaceEvent event, std::string name) override;

private:
    void Add(const std::string& line) { mTranscript.push_back(line); }
    // The pointer moves, and the held tool's slot with it (the lens of a ghost catcher follows it).
    void PointAt(int x, int y);
    void Hold(TTool* tool);
    TRoom* LoadRoom(const std::string& file);
    void ShowRoom(TRoom* room);
    TObject* FindObject(const TObjectPath& path);
    void ForEach(const TObjectPathGroup& group, const char* what, void (*apply)(TObject&));
    // The tool of a handed-out id: the room's own tools first, then the game-wide list.
    TTool* FindTool(const std::string& id) const;
    std::vector<TTool*> RoomTools() const;

    std::vector<std::unique_ptr<TRoom>> mRooms;
    TRoom* mRoom = nullptr;
    std::string mFolder;
    TTool* mHeld = nullptr;
    std::vector<std::string> mInventory;
    std::vector<std::string> mTranscript;
    std::vector<uint8_t> mSaved;
    bool mCompleted = false;
    bool mAddedDraws = false;
    // Between a press and its release: moves are drags too.
    bool mButtonDown = false;
    TViewItemFactory mItems;
    // Filled from each room file before its objects load.
    TViewCollections mCollections{[this](const std::string& line) { Add(line); }};
    // One slot: the held tool, in use, at the pointer.
    TInventoryPanel mPanel;
    int mPointerX = 0;
    int mPointerY = 0;
    bool mOwnsObjectFactory = false;
    // Read from the data root's "fonts.xml" when the first room opened.
    bool mOwnsFonts = false;
};
