#pragma once
// Collectable items of hidden-object play and the registry that lists them: an item in a scene the player
// picks up, and a note collection that shows a collection's picture, dimmed until something of it has been
// collected. The registry is process-wide; whoever hosts the rooms creates and fills it.

#include <memory>
#include <string>
#include <vector>

#include "objects/object.h"
#include "windows/messages.h"

struct TCollectionItem {
    std::string name;
    std::string pictureName;
    int number = 0;
    bool collected = false;
};

struct TCollection {
    std::string name;
    std::vector<TCollectionItem> items;
    std::string pictureName;
};

class TCollectionsRegistry {
public:
    // The process's registry; null until created.
    static TCollectionsRegistry* GetInstance();
    static TCollectionsRegistry* CreateInstance();
    static void DestroyInstance();

    // The first item of that exact name, the collections and their items in order; null when none.
    TCollectionItem* FindItem(const std::string& name);
    TCollection* FindCollection(const std::string& name);
    static bool AnyCollected(const TCollection& collection);

    // Appends the "collection" children of the element ("name", "picture"), each with its "item" children
    // ("name", "picture", "number", "collected"). A collection or item without a name is skipped with a
    // log line.
    void LoadFromXml(const TiXmlElement* element);

    std::vector<TCollection> mCollections;
};

// What shows an item flying to its collection. The game has none yet; without one an item is only hidden.
class TCollectionEffectRunner {
public:
    virtual ~TCollectionEffectRunner() = default;
    // Posts the message when the effect is over.
    virtual void RunCollectionEffect(int x, int y, const std::string& imageName, float scale,
                                     const std::string& message, int number, const std::string& itemId) = 0;
    virtual void OnCollectionEffectDone(const std::string& itemId) = 0;
};

// Not owned; null removes it.
void SetCollectionEffectRunner(TCollectionEffectRunner* runner);
TCollectionEffectRunner* GetCollectionEffectRunner();

class TCollectionItemObject : public TObject, public TMyMessageListener {
public:
    static constexpr const char* kEffectDoneMessage = "CollectionEffectDone";
    static constexpr float kEffectScale = 0.5f;

    int GetTypeId() const override { return 64; }
    // Picks the item up: collected, counted on the profile, the effect started, the object hidden.
    bool OnMouseDown(const TMouseEvent& event) override;
    // Subscribes to the end of its own effect; the cursor is always "active".
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void OnMessage(SharedPtr<TMyMessage> message) override;

    std::string MessageName() const { return kEffectDoneMessage + mItemId; }

    std::string mItemId;
};

class TNoteCollectionObject : public TObject {
public:
    int GetTypeId() const override { return 65; }
    void LoadResources() override;
    // Takes the picture of the collection named by the id, dimmed while nothing of it is collected.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The alpha times the factor; ignored when that leaves 0..1.
    void SetAlpha(float alpha) override;

    // The alpha last given, before the factor.
    float mGivenAlpha = 1.0f;
    float mAlphaFactor = 1.0f;
};
