#include "graphics/objects_manager.h"

void ObjectsManager::Add(float delay, DrawObject* object) {
    if (object == nullptr) {
        return;
    }
    Item item;
    item.delay = delay;
    item.object.reset(object);
    item.started = delay == 0;
    mItems.push_back(std::move(item));
    if (mListener != nullptr) {
        mListener->OnObjectAdded(object);
    }
}

bool ObjectsManager::Remove(DrawObject* object) {
    for (size_t i = 0; i < mItems.size(); ++i) {
        if (mItems[i].object.get() == object) {
            if (mListener != nullptr) {
                mListener->OnObjectRemoved(object);
            }
            static_cast<void>(mItems[i].object.release());
            mItems.erase(mItems.begin() + static_cast<std::ptrdiff_t>(i));
            if (mItems.empty() && mListener != nullptr) {
                mListener->OnObjectsEmpty(this);
            }
            return true;
        }
    }
    return false;
}

DrawObject* ObjectsManager::FindByName(const std::string& name) const {
    for (const Item& item : mItems) {
        if (item.object->mName == name) {
            return item.object.get();
        }
    }
    return nullptr;
}

void ObjectsManager::Update(float seconds) {
    for (size_t i = 0; i < mItems.size();) {
        Item& item = mItems[i];
        if (item.delay > 0 && item.delay > item.elapsed) {
            item.elapsed += seconds;
            if (item.elapsed >= item.delay) {
                item.started = true;
            }
            ++i;
            continue;
        }
        DrawObject* object = item.object.get();
        object->Update(seconds);
        if (mDeleteFinished && object->IsFinished()) {
            // Looked up again: an object's update may have added to the list.
            TakeOut(i);
            continue;
        }
        ++i;
    }
}

void ObjectsManager::TakeOut(size_t index) {
    std::unique_ptr<DrawObject> object = std::move(mItems[index].object);
    if (mListener != nullptr) {
        mListener->OnObjectRemoved(object.get());
    }
    mItems.erase(mItems.begin() + static_cast<std::ptrdiff_t>(index));
    object.reset();
    if (mItems.empty() && mListener != nullptr) {
        mListener->OnObjectsEmpty(this);
    }
}

void ObjectsManager::Draw() {
    for (const Item& item : mItems) {
        if (item.started) {
            item.object->Draw(1.0f);
        }
    }
}
