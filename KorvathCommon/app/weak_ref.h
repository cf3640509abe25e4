#pragma once
// References that read as null once their object is gone. Every window, control and listener interface
// derives from TWeakTarget; whoever keeps the address of one past the current call keeps it in a
// TWeakRef, so a window or listener deleted elsewhere (a screen replaced during a fade, a dialog closed
// with its screen) can no longer be reached through it. Main thread only.

#include <cstddef>
#include <memory>
#include <type_traits>

class TWeakTarget {
public:
    TWeakTarget() = default;
    // A copy is a new object with a life of its own.
    TWeakTarget(const TWeakTarget&) {}
    TWeakTarget& operator=(const TWeakTarget&) { return *this; }
    ~TWeakTarget() { EndLife(); }

    // From now on every reference to this object reads as null: for an object that is being taken down
    // in its own destructor and must not be called back while it goes.
    void EndLife() {
        if (mLife != nullptr) {
            *mLife = false;
            mLife.reset();
        }
    }

    // The flag the references share; made when the first one is taken.
    const std::shared_ptr<bool>& GetLife() const {
        if (mLife == nullptr) {
            mLife = std::make_shared<bool>(true);
        }
        return mLife;
    }

private:
    mutable std::shared_ptr<bool> mLife;
};

// The target of an object that derives from TWeakTarget once. A class that derives from it more than
// once (a window that is also a listener) names its target with an overload taking its own kind; the
// windows do so in window.h.
template <typename T, std::enable_if_t<std::is_convertible_v<const T*, const TWeakTarget*>, int> = 0>
const TWeakTarget* WeakTargetOf(const T* object) {
    return object;
}

// T has a target through WeakTargetOf. Reads like a plain pointer: assignment from T*, conversion to T*.
template <typename T> class TWeakRef {
public:
    TWeakRef() = default;
    TWeakRef(std::nullptr_t) {}
    TWeakRef(T* object) { Reset(object); }
    TWeakRef& operator=(T* object) {
        Reset(object);
        return *this;
    }
    TWeakRef& operator=(std::nullptr_t) {
        Reset(nullptr);
        return *this;
    }

    // Null once the object has been deleted.
    T* Get() const { return mLife != nullptr && *mLife ? mObject : nullptr; }
    operator T*() const { return Get(); }
    T* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }

    void Reset(T* object) {
        mObject = object;
        if (object == nullptr) {
            mLife.reset();
        } else {
            mLife = WeakTargetOf(static_cast<const T*>(object))->GetLife();
        }
    }

private:
    T* mObject = nullptr;
    std::shared_ptr<bool> mLife;
};
