// Weak references: they read as the object while it lives and as null from its deletion on, through
// every interface an object listens by.

#include <gtest/gtest.h>

#include <memory>

#include "app/weak_ref.h"

namespace {

class TFirstListener : public TWeakTarget {
public:
    virtual ~TFirstListener() = default;
    virtual int First() { return 1; }
};

class TSecondListener : public TWeakTarget {
public:
    virtual ~TSecondListener() = default;
    virtual int Second() { return 2; }
};

// Listens by two interfaces, as a window that is also a dialog's listener does.
class TBoth : public TFirstListener, public TSecondListener {
public:
    int First() override { return 10; }
    int Second() override { return 20; }
};

TEST(WeakRefTest, EveryInterfacesReferenceReadsAsTheObjectUntilItIsDeleted) {
    auto* both = new TBoth();
    TWeakRef<TFirstListener> first = both;
    TWeakRef<TSecondListener> second = both;
    const TWeakRef<TSecondListener> copy = second;
    ASSERT_EQ(first.Get(), static_cast<TFirstListener*>(both));
    ASSERT_EQ(second.Get(), static_cast<TSecondListener*>(both));
    EXPECT_EQ(first->First(), 10);
    EXPECT_EQ(copy->Second(), 20);
    delete both;
    EXPECT_EQ(first.Get(), nullptr);
    EXPECT_EQ(second.Get(), nullptr);
    EXPECT_EQ(copy.Get(), nullptr);
    EXPECT_FALSE(first);
    EXPECT_TRUE(second == nullptr);
}

TEST(WeakRefTest, AReferenceFollowsItsLatestObjectOnly) {
    auto gone = std::make_unique<TBoth>();
    auto kept = std::make_unique<TBoth>();
    TWeakRef<TFirstListener> ref = gone.get();
    ref = kept.get();
    gone.reset();
    EXPECT_EQ(ref.Get(), static_cast<TFirstListener*>(kept.get()));
    ref = nullptr;
    EXPECT_EQ(ref.Get(), nullptr);
    // Null from the start, and null again after an object came and went.
    TWeakRef<TSecondListener> empty;
    EXPECT_EQ(empty.Get(), nullptr);
    {
        TBoth brief;
        empty = &brief;
        EXPECT_NE(empty.Get(), nullptr);
    }
    EXPECT_EQ(empty.Get(), nullptr);
}

TEST(WeakRefTest, ACopiedObjectHasItsOwnLifeAndEndLifeCutsReferencesEarly) {
    TBoth original;
    TWeakRef<TFirstListener> toOriginal = &original;
    {
        TBoth copy = original;
        TWeakRef<TFirstListener> toCopy = &copy;
        copy.TFirstListener::EndLife();
        EXPECT_EQ(toCopy.Get(), nullptr);
        EXPECT_EQ(toOriginal.Get(), static_cast<TFirstListener*>(&original));
    }
    EXPECT_EQ(toOriginal.Get(), static_cast<TFirstListener*>(&original));
    // A reference taken after EndLife reads as the object again until it is deleted.
    original.TFirstListener::EndLife();
    EXPECT_EQ(toOriginal.Get(), nullptr);
    toOriginal = &original;
    EXPECT_EQ(toOriginal.Get(), static_cast<TFirstListener*>(&original));
}

} // namespace
