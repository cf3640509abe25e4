#include "rooms/items_list.h"

#include <tinyxml.h>

#include <algorithm>
#include <deque>

#include "app/log.h"
#include "app/xml_reader.h"
#include "objects/object.h"
#include "rooms/interface_events.h"

namespace {

ItemsListItemFactory* gItemFactory = nullptr;

} // namespace

bool ItemsListItem::StandsFor(const TObject* object) const {
    return object != nullptr && std::find(objects.begin(), objects.end(), object) != objects.end();
}

ItemsListItemFactory* ItemsListItemFactory::GetInstance() {
    return gItemFactory;
}

void ItemsListItemFactory::SetInstance(ItemsListItemFactory* factory) {
    gItemFactory = factory;
}

ItemsList::~ItemsList() {
    for (ItemsListItem* item : mAllItems) {
        item->UnloadImages();
    }
}

void ItemsList::Clear() {
    mItems.clear();
    mAllItems.clear();
    mCompleteReported = false;
}

void ItemsList::LoadFromXml(const TiXmlElement* element) {
    Clear();
    if (element == nullptr) {
        return;
    }
    mTool = ReadXmlString(element, "tool", "");
    mSubTool = ReadXmlString(element, "subtool", "");
    const std::string type = ReadXmlString(element, "type", "");
    mCloseAfterComplete = ReadXmlBool(element, "closeaftercomplete", true);
    mRunEffect = ReadXmlBool(element, "runeffect", mRunEffect);
    ParseReactionList(ReadXmlAttribute(element, "unlock"), mGroups[kPathUnlock]);
    ParseReactionList(ReadXmlAttribute(element, "activate"), mGroups[kPathActivate]);
    ParseReactionList(ReadXmlAttribute(element, "deactivate"), mGroups[kPathDeactivate]);
    ParseReactionList(ReadXmlAttribute(element, "visible"), mGroups[kPathVisible]);
    ParseReactionList(ReadXmlAttribute(element, "hide"), mGroups[kPathHide]);
    ParseReactionList(ReadXmlAttribute(element, "lock"), mGroups[kPathLock]);
    ParseTaskList(ReadXmlAttribute(element, "directions"), mDirections);
    ParseTaskList(ReadXmlAttribute(element, "tasks"), mTasks);
    ParseTaskList(ReadXmlAttribute(element, "tasksr"), mTasksRemoved);
    ParseFlagList(ReadXmlAttribute(element, "flags"), mFlags);
    ParseStateList(ReadXmlAttribute(element, "states"), mStates);
    mConnectedItems.clear();
    ReadXmlStringList(element, "connecteditems", ',', mConnectedItems);
    const std::string folder = ReadXmlString(element, "folder", "");
    const int count = ReadXmlInt(element, "count", 12);
    mRows = ReadXmlInt(element, "rows", 3);
    mCols = ReadXmlInt(element, "cols", 4);
    const int places = (mRows == 0 && mCols == 0) ? count : mRows * mCols;
    mSpaceRows = ReadXmlInt(element, "spacerows", 0);
    mSpaceCols = ReadXmlInt(element, "spacecols", 0);
    mOffX = ReadXmlInt(element, "offx", -100);
    mOffY = ReadXmlInt(element, "offy", -100);
    std::deque<std::unique_ptr<ItemsListItem>> reserve;
    for (const TiXmlElement* child = element->FirstChildElement("item"); child != nullptr;
         child = child->NextSiblingElement("item")) {
        // Entries are a host's kind: without its factory they are skipped, not guessed at.
        ItemsListItemFactory* factory = ItemsListItemFactory::GetInstance();
        std::unique_ptr<ItemsListItem> item = factory != nullptr ? factory->Create(type) : nullptr;
        if (item == nullptr) {
            TLogFile::Get()->Printf("items list: no item of type '%s', entry skipped", type.c_str());
            continue;
        }
        item->LoadFromXml(child, folder);
        mAllItems.push_back(item.get());
        if (item->reserve) {
            reserve.push_back(std::move(item));
        } else {
            mItems.push_back(std::move(item));
        }
    }
    while (static_cast<int>(mItems.size()) < places && !reserve.empty()) {
        mItems.push_back(std::move(reserve.front()));
        reserve.pop_front();
    }
    for (const auto& left : reserve) {
        mAllItems.erase(std::remove(mAllItems.begin(), mAllItems.end(), left.get()), mAllItems.end());
    }
}

void ItemsList::Update(float seconds) {
    for (const auto& item : mItems) {
        if (!item->Update(seconds) || item->toolHandedOut || item->tool.name.empty()) {
            continue;
        }
        item->toolHandedOut = true;
        GetHandedOutTools().push_back(item->tool);
        PostInterfaceEvent("findtool", 500, "", nullptr, false);
        if (mListener != nullptr) {
            mListener->OnToolFound(item->tool);
        }
    }
    // The room hears of completion once, when the last entry is found.
    if (!mCompleteReported && !mItems.empty() &&
        std::all_of(mItems.begin(), mItems.end(), [](const auto& item) { return item->IsDone(); })) {
        mCompleteReported = true;
        if (mListener != nullptr) {
            mListener->OnListComplete(this);
        }
    }
}

bool ItemsList::IsComplete() {
    Update(0);
    return std::all_of(mItems.begin(), mItems.end(), [](const auto& item) { return item->IsDone(); });
}

bool ItemsList::ContainsObject(const TObject* object) const {
    return FindItemOfObject(object) != nullptr;
}

ItemsListItem* ItemsList::FindItemOfObject(const TObject* object) const {
    for (const auto& item : mItems) {
        if (item->StandsFor(object)) {
            return item.get();
        }
    }
    return nullptr;
}

void ItemsList::LinkObjects(TGameSpace& room) {
    for (ItemsListItem* item : mAllItems) {
        item->objects.clear();
        for (const std::string& id : item->objectIds) {
            if (TObject* object = room.FindObjectById(id)) {
                item->objects.push_back(object);
            }
        }
    }
}

void ItemsList::LoadImages() {
    for (ItemsListItem* item : mAllItems) {
        item->LoadImages();
    }
}

void ItemsList::UnloadImages() {
    for (ItemsListItem* item : mAllItems) {
        item->UnloadImages();
    }
}
