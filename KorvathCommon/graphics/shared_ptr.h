#pragma once
// A shared pointer that keeps no count beside the pointer: every live object of type T is registered in
// one process-wide map from object to its number of holders. Objects die through their virtual destructor.
// Not thread-safe.

#include <cassert>
#include <map>

template <typename T> class SharedPtr {
public:
    SharedPtr() = default;
    explicit SharedPtr(T* object) : mObject(object) { AddRef(mObject); }
    SharedPtr(const SharedPtr& other) : mObject(other.mObject) { AddRef(mObject); }
    SharedPtr& operator=(const SharedPtr& other) {
        // Taking the new reference first keeps an object alive when it is assigned to its own holder.
        T* previous = mObject;
        mObject = other.mObject;
        AddRef(mObject);
        Release(previous);
        return *this;
    }
    ~SharedPtr() { Release(mObject); }

    void Reset() { *this = SharedPtr(); }

    T* Get() const { return mObject; }
    T* operator->() const { return mObject; }
    T& operator*() const { return *mObject; }
    explicit operator bool() const { return mObject != nullptr; }

    // Holders of an object; 0 when it is not registered.
    static int RefCount(const T* object) {
        auto it = mAllPtrs.find(const_cast<T*>(object));
        return it == mAllPtrs.end() ? 0 : it->second;
    }

    // Every object held by a SharedPtr of this type, with its number of holders.
    static inline std::map<T*, int> mAllPtrs;

private:
    static void AddRef(T* object) {
        if (object != nullptr) {
            ++mAllPtrs[object];
        }
    }

    // The entry goes before the destructor runs, so a destructor that makes or drops other holders of
    // this type sees a consistent map.
    static void Release(T* object) {
        if (object == nullptr) {
            return;
        }
        auto it = mAllPtrs.find(object);
        assert(it != mAllPtrs.end());
        assert(it->second > 0);
        if (it == mAllPtrs.end() || --it->second > 0) {
            return;
        }
        mAllPtrs.erase(it);
        delete object;
    }

    T* mObject = nullptr;
};
