#include "objects/collection_objects.h"

#include <algorithm>
#include <cstdint>

#include "app/log.h"
#include "app/xml_reader.h"
#include "media/sound_manager.h"
#include "objects/object_services.h"
#include "windows/mouse_event.h"

namespace {

std::unique_ptr<TCollectionsRegistry> gRegistry;
TCollectionEffectRunner* gEffectRunner = nullptr;

// A collection item or a note collection still to find shows at this share of its alpha.
constexpr float kUncollectedFactor = 0.3f;

// Position plus half the size, held to the int range (both may be anything data says).
int Centre(float position, int size) {
    const float held = position != position ? 0.0f : std::clamp(position, -2147483648.0f, 2147483520.0f);
    const int64_t centre = static_cast<int64_t>(held) + size / 2;
    return static_cast<int>(std::clamp<int64_t>(centre, INT32_MIN, INT32_MAX));
}

} // namespace

// ---- registry ----

TCollectionsRegistry* TCollectionsRegistry::GetInstance() {
    return gRegistry.get();
}

TCollectionsRegistry* TCollectionsRegistry::CreateInstance() {
    if (!gRegistry) {
        gRegistry = std::make_unique<TCollectionsRegistry>();
    }
    return gRegistry.get();
}

void TCollectionsRegistry::DestroyInstance() {
    gRegistry.reset();
}

TCollectionItem* TCollectionsRegistry::FindItem(const std::string& name) {
    for (TCollection& collection : mCollections) {
        for (TCollectionItem& item : collection.items) {
            if (item.name == name) {
                return &item;
            }
        }
    }
    return nullptr;
}

TCollection* TCollectionsRegistry::FindCollection(const std::string& name) {
    for (TCollection& collection : mCollections) {
        if (collection.name == name) {
            return &collection;
        }
    }
    return nullptr;
}

bool TCollectionsRegistry::AnyCollected(const TCollection& collection) {
    return std::any_of(collection.items.begin(), collection.items.end(),
                       [](const TCollectionItem& item) { return item.collected; });
}

void TCollectionsRegistry::LoadFromXml(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    std::vector<TiXmlElement*> collections;
    CollectXmlChildren(element, "collection", collections);
    for (const TiXmlElement* child : collections) {
        TCollection collection;
        collection.name = ReadXmlString(child, "name", "");
        collection.pictureName = ReadXmlString(child, "picture", "");
        if (collection.name.empty()) {
            TLogFile::Get()->Printf("collections: collection without a name skipped");
            continue;
        }
        std::vector<TiXmlElement*> items;
        CollectXmlChildren(child, "item", items);
        for (const TiXmlElement* entry : items) {
            TCollectionItem item;
            item.name = ReadXmlString(entry, "name", "");
            item.pictureName = ReadXmlString(entry, "picture", "");
            item.number = ReadXmlInt(entry, "number", 0);
            item.collected = ReadXmlBool(entry, "collected", false);
            if (item.name.empty()) {
                TLogFile::Get()->Printf("collections: item without a name in %s skipped", collection.name.c_str());
                continue;
            }
            collection.items.push_back(item);
        }
        mCollections.push_back(std::move(collection));
    }
}

void SetCollectionEffectRunner(TCollectionEffectRunner* runner) {
    gEffectRunner = runner;
}

TCollectionEffectRunner* GetCollectionEffectRunner() {
    return gEffectRunner;
}

// ---- collection item ----

void TCollectionItemObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mItemId = ReadXmlString(element, "iid", "");
    TMyMessageManager::Get()->Subscribe(this, MessageName());
    mCursorName = "active";
}

bool TCollectionItemObject::OnMouseDown(const TMouseEvent& event) {
    if (!TObject::OnMouseDown(event) || event.tool != nullptr) {
        return false;
    }
    TCollectionsRegistry* registry = TCollectionsRegistry::GetInstance();
    TCollectionItem* item = registry != nullptr ? registry->FindItem(mItemId) : nullptr;
    if (item == nullptr) {
        return false;
    }
    item->collected = true;
    if (THopaBaseUserInfo* profile = GetHopaUserInfo()) {
        profile->AddToCounter(item->number);
    }
    TSoundManager::GetInstance()->PlaySound("collection_item_catch");
    const int centreX = Centre(mX, GetWidth());
    const int centreY = Centre(mY, GetHeight());
    if (gEffectRunner != nullptr) {
        gEffectRunner->RunCollectionEffect(centreX, centreY, mImageName, kEffectScale, MessageName(), item->number,
                                           mItemId);
    } else {
        TLogFile::Get()->Printf("collection_item %s: no collection effect to show %s", mName.c_str(), mItemId.c_str());
    }
    SetVisible(false);
    return true;
}

void TCollectionItemObject::OnMessage(SharedPtr<TMyMessage> message) {
    if (message && message->GetName() == MessageName() && gEffectRunner != nullptr) {
        gEffectRunner->OnCollectionEffectDone(mItemId);
    }
}

// ---- note collection ----

void TNoteCollectionObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mGivenAlpha = mAlpha;
    TCollectionsRegistry* registry = TCollectionsRegistry::GetInstance();
    const TCollection* collection = registry != nullptr ? registry->FindCollection(mName) : nullptr;
    if (collection == nullptr) {
        TLogFile::Get()->Printf("note_collection %s: no collection of that name, shown as it is", mName.c_str());
        return;
    }
    mImageName = collection->pictureName;
    mAlphaFactor = TCollectionsRegistry::AnyCollected(*collection) ? 1.0f : kUncollectedFactor;
}

void TNoteCollectionObject::SetAlpha(float alpha) {
    const float value = mAlphaFactor * alpha;
    if (value >= 0.0f && value <= 1.0f) {
        mGivenAlpha = alpha;
        TObject::SetAlpha(value);
    }
}

// From the alpha last given, not the dimmed one: loading the pictures again must not dim them further.
void TNoteCollectionObject::LoadResources() {
    TObject::LoadResources();
    SetAlpha(mGivenAlpha);
}
