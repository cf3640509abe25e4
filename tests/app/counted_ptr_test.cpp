#include <gtest/gtest.h>

#include "app/counted_ptr.h"

namespace {

// Counts its own deletions, so a test sees exactly when and how often an object dies.
struct Tracked {
    explicit Tracked(int* deaths) : mDeaths(deaths) {}
    ~Tracked() { ++*mDeaths; }
    int* mDeaths;
};

using Ptr = CountedPtr<Tracked>;

TEST(CountedPtr, LastHolderDeletesOnce) {
    int deaths = 0;
    auto* first = new Ptr(new Tracked(&deaths));
    auto* copy = new Ptr(*first);
    EXPECT_EQ(copy->Get(), first->Get());
    EXPECT_EQ(first->UseCount(), 2);
    delete first;
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(copy->UseCount(), 1);
    delete copy;
    EXPECT_EQ(deaths, 1);
}

TEST(CountedPtr, SelfAndSameObjectAssignmentChangeNoCount) {
    int deaths = 0;
    Ptr a(new Tracked(&deaths));
    Ptr b(a);
    Ptr& alias = a;
    a = alias;
    a = b;
    b.Assign(a);
    EXPECT_EQ(a.UseCount(), 2);
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(a.Get(), b.Get());
}

TEST(CountedPtr, ResetWithTheHeldPointerKeepsTheCount) {
    int deaths = 0;
    Ptr a(new Tracked(&deaths));
    Ptr b(a);
    Ptr c(a);
    a.Reset(a.Get());
    EXPECT_EQ(a.UseCount(), 3);
    EXPECT_EQ(deaths, 0);
    // Had the count been reset to 1, the object would die here while b still holds it.
    a.Release();
    c.Release();
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(b.UseCount(), 1);
}

TEST(CountedPtr, ResetAndAssignReleaseTheOldObject) {
    int firstDeaths = 0;
    int secondDeaths = 0;
    Ptr a(new Tracked(&firstDeaths));
    Ptr shared(a);
    a.Reset(new Tracked(&secondDeaths));
    EXPECT_EQ(firstDeaths, 0) << "still held by another";
    EXPECT_EQ(shared.UseCount(), 1);
    EXPECT_EQ(a.UseCount(), 1);
    shared = a;
    EXPECT_EQ(firstDeaths, 1);
    EXPECT_EQ(a.UseCount(), 2);
    a.Reset();
    shared.Reset(nullptr);
    EXPECT_EQ(secondDeaths, 1);
    EXPECT_FALSE(a);
    EXPECT_EQ(shared.UseCount(), 0);
}

TEST(CountedPtr, EmptyHoldersShareNothing) {
    int deaths = 0;
    Ptr empty;
    Ptr other;
    empty.Release();
    empty = other;
    EXPECT_EQ(empty.Get(), nullptr);
    EXPECT_EQ(empty.UseCount(), 0);
    // Assigning an empty holder over a full one releases the object.
    Ptr full(new Tracked(&deaths));
    full = empty;
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(full.Get(), nullptr);
    Ptr fromNull(nullptr);
    EXPECT_EQ(fromNull.UseCount(), 0);
}

} // namespace
