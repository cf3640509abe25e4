#pragma once
// The engine's plain reference-counted pointer: an object pointer and a separately allocated count
// shared by every holder. Not thread-safe: counts are plain ints.

template <typename T> class CountedPtr {
public:
    CountedPtr() = default;
    explicit CountedPtr(T* object) { Reset(object); }
    CountedPtr(const CountedPtr& other) { Assign(other); }
    CountedPtr& operator=(const CountedPtr& other) {
        Assign(other);
        return *this;
    }
    ~CountedPtr() { Release(); }

    // Takes ownership of a new object with a count of 1; holding the same object already changes nothing.
    void Reset(T* object = nullptr) {
        if (object == mObject) {
            return;
        }
        Release();
        if (object != nullptr) {
            mObject = object;
            mCount = new int(1);
        }
    }

    // Shares other's object; a holder of the same object changes no count.
    void Assign(const CountedPtr& other) {
        if (other.mObject == mObject) {
            return;
        }
        Release();
        mObject = other.mObject;
        if (mObject == nullptr) {
            return;
        }
        // A holder that has never been shared gets its count on first share.
        if (other.mCount == nullptr) {
            other.mCount = new int(1);
        }
        mCount = other.mCount;
        ++*mCount;
    }

    // Drops this holder's share; the last holder deletes the count and then the object. The holder is
    // emptied first, so an object whose destructor reaches this holder finds it empty.
    void Release() {
        T* object = mObject;
        int* count = mCount;
        mObject = nullptr;
        mCount = nullptr;
        if (count != nullptr && --*count > 0) {
            return;
        }
        delete count;
        delete object;
    }

    T* Get() const { return mObject; }
    T* operator->() const { return mObject; }
    T& operator*() const { return *mObject; }
    explicit operator bool() const { return mObject != nullptr; }
    // Number of holders of the object; 0 when empty.
    int UseCount() const { return mObject == nullptr ? 0 : (mCount != nullptr ? *mCount : 1); }

private:
    T* mObject = nullptr;
    mutable int* mCount = nullptr;
};
