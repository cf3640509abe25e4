#pragma once
// The owned list of short-lived drawing objects (effects, flying pieces, particles), each with its own start
// delay: updated and drawn in list order, deleted when it reports itself finished.

#include <memory>
#include <string>
#include <vector>

#include "graphics/draw_object.h"

class ObjectsManager;

class ObjectsManagerListener {
public:
    virtual ~ObjectsManagerListener() = default;
    virtual void OnObjectAdded(DrawObject* object) {}
    virtual void OnObjectRemoved(DrawObject* object) {}
    virtual void OnObjectsEmpty(ObjectsManager* manager) {}
};

class ObjectsManager {
public:
    struct Item {
        float elapsed = 0;
        float delay = 0;
        std::unique_ptr<DrawObject> object;
        bool started = false;
    };

    ObjectsManager() = default;
    ObjectsManager(const ObjectsManager&) = delete;
    ObjectsManager& operator=(const ObjectsManager&) = delete;
    // Owned objects die with the manager.
    ~ObjectsManager() = default;

    // Takes the object; it starts at once when the delay is 0.
    void Add(float delay, DrawObject* object);
    // Hands an object back to the caller without deleting it; false when it is not in the list.
    bool Remove(DrawObject* object);
    // The first object of this name, or null.
    DrawObject* FindByName(const std::string& name) const;
    // Counts delays down and updates the started objects; with delete finished set, a finished object is
    // announced, deleted and taken out.
    void Update(float seconds);
    // Draws the started objects in list order.
    void Draw();
    // Deletes every object, without listener calls.
    void Clear() { mItems.clear(); }
    size_t GetCount() const { return mItems.size(); }

    bool mDeleteFinished = false;
    ObjectsManagerListener* mListener = nullptr;

private:
    void TakeOut(size_t index);

    std::vector<Item> mItems;
};
