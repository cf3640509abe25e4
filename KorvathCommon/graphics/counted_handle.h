#pragma once
// Strong handles of shared resources (textures and the like) that also admit weak copies.
// A handle holds the object and a use block: a CountedPtr of the use count (strong handles), whose own
// count is the number of handles, strong and weak, still referring to it. The object dies with its last
// strong handle; the block lives while any handle refers to it, so a weak copy can tell the object is gone.
// Not thread-safe: counts are plain ints.

#include "app/counted_ptr.h"

template <typename T> class WeakHandle;

template <typename T> class CountedHandle {
public:
    CountedHandle() = default;
    // Wraps a new object: use count 1, block count 1. A null object gives an empty handle.
    explicit CountedHandle(T* object) {
        if (object != nullptr) {
            mObject = object;
            mBlock.Reset(new int(1));
        }
    }
    CountedHandle(const CountedHandle& other) : mObject(other.mObject), mBlock(other.mBlock) { AddUse(); }
    CountedHandle& operator=(const CountedHandle& other) {
        Assign(other);
        return *this;
    }
    ~CountedHandle() {
        Release();
        mBlock.Release();
    }

    // Shares other's object; a holder of the same object changes no count.
    void Assign(const CountedHandle& other) {
        if (other.mObject == mObject) {
            return;
        }
        Release();
        mObject = other.mObject;
        mBlock = other.mBlock;
        AddUse();
    }

    // Drops this holder's use: the last use deletes the object first, then this handle's block reference goes.
    void Release() {
        if (mObject == nullptr) {
            return;
        }
        T* object = mObject;
        mObject = nullptr;
        if (--*mBlock == 0) {
            delete object;
        }
        mBlock.Release();
    }

    void Reset() { Assign(CountedHandle()); }

    T* Get() const { return mObject; }
    T* operator->() const { return mObject; }
    T& operator*() const { return *mObject; }
    explicit operator bool() const { return mObject != nullptr; }
    // Strong handles of the object; 0 when empty.
    int UseCount() const { return mObject != nullptr ? *mBlock : 0; }
    // Handles, strong and weak, that refer to the use count; 0 without a block.
    int BlockCount() const { return mBlock.UseCount(); }

private:
    friend class WeakHandle<T>;

    void AddUse() {
        if (mObject != nullptr) {
            ++*mBlock;
        }
    }

    T* mObject = nullptr;
    CountedPtr<int> mBlock;
};

// A weak copy of a handle: the object pointer and one block reference, no use. It never keeps the
// object alive; Lock gives a strong handle while the object lives.
template <typename T> class WeakHandle {
public:
    WeakHandle() = default;
    explicit WeakHandle(const CountedHandle<T>& strong) : mObject(strong.mObject), mBlock(strong.mBlock) {}

    // A new strong handle while the object lives, else an empty handle. The weak copy is not changed.
    CountedHandle<T> Lock() const {
        CountedHandle<T> strong;
        if (IsAlive()) {
            strong.mObject = mObject;
            strong.mBlock = mBlock;
            ++*strong.mBlock;
        }
        return strong;
    }

    bool IsAlive() const { return mBlock && *mBlock > 0; }
    int BlockCount() const { return mBlock.UseCount(); }

private:
    T* mObject = nullptr;
    CountedPtr<int> mBlock;
};
