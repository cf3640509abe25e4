#pragma once
// Items lists: the things a room asks the player to find. Each entry stands for scene objects of the room;
// a fixed number are shown at a time with the rest held in reserve, and the list's own reaction lists are
// applied when every shown entry is found. Entries are of a kind the host supplies, through its factory.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "objects/object_records.h"
#include "rooms/game_space.h"

class ItemsList;
class TObject;
class TiXmlElement;

// One thing to find. A host derives its own kind, with its drawing and found animation.
class ItemsListItem {
public:
    virtual ~ItemsListItem() = default;
    virtual void LoadFromXml(const TiXmlElement* element, const std::string& folder) {}
    // True once the entry is finished (found).
    virtual bool Update(float seconds) { return found >= needed; }
    virtual void LoadImages() {}
    virtual void UnloadImages() {}
    bool IsDone() const { return found == needed; }
    bool StandsFor(const TObject* object) const;

    std::vector<TObject*> objects;
    // The ids of the objects, linked to the room's objects after loading.
    std::vector<std::string> objectIds;
    int found = 0;
    int needed = 1;
    TGivenTool tool;
    bool toolHandedOut = false;
    bool reserve = false;
    bool active = true;
};

// Makes entries by type name. Without an installed factory, lists with entries cannot be loaded.
class ItemsListItemFactory {
public:
    virtual ~ItemsListItemFactory() = default;
    // Null for an unknown type.
    virtual std::unique_ptr<ItemsListItem> Create(const std::string& type) = 0;

    static ItemsListItemFactory* GetInstance();
    // Not owned; null removes it.
    static void SetInstance(ItemsListItemFactory* factory);
};

class TItemsListListener {
public:
    virtual ~TItemsListListener() = default;
    virtual void OnToolFound(const TGivenTool& tool) {}
    virtual void OnListComplete(ItemsList* list) {}
};

class ItemsList {
public:
    ItemsList() = default;
    ~ItemsList();
    ItemsList(const ItemsList&) = delete;
    ItemsList& operator=(const ItemsList&) = delete;

    virtual void LoadImages();
    virtual void UnloadImages();

    void LoadFromXml(const TiXmlElement* element);
    void Clear();
    // Hands out the tools of finished entries; tells the listener once when the list becomes complete.
    void Update(float seconds);
    bool IsComplete();
    bool ContainsObject(const TObject* object) const;
    ItemsListItem* FindItemOfObject(const TObject* object) const;
    // Every entry's object ids become the room's objects of those ids.
    void LinkObjects(TGameSpace& room);
    bool IsEmpty() const { return mItems.empty(); }
    size_t GetShownCount() const { return mItems.size(); }
    ItemsListItem* GetShown(size_t index) const { return index < mItems.size() ? mItems[index].get() : nullptr; }
    size_t GetAllCount() const { return mAllItems.size(); }

    TItemsListListener* mListener = nullptr;
    std::string mTool;
    std::string mSubTool;
    // Unlock, lock, visible, hide, activate, deactivate: applied on completion.
    std::array<TReactionList, kPathKinds> mGroups;
    TFlagList mFlags;
    TStateList mStates;
    TTaskList mTasks;
    TTaskList mTasksRemoved;
    TTaskList mDirections;
    bool mCloseAfterComplete = true;
    int mRows = 3;
    int mCols = 4;
    int mSpaceRows = 0;
    int mSpaceCols = 0;
    int mOffX = -100;
    int mOffY = -100;
    bool mRunEffect = true;
    std::vector<std::string> mConnectedItems;

private:
    std::vector<std::unique_ptr<ItemsListItem>> mItems;
    std::vector<ItemsListItem*> mAllItems;
    bool mCompleteReported = false;
};
