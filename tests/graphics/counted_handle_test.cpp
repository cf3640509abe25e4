// Strong handles with weak copies, and the registry-counted SharedPtr.

#include <gtest/gtest.h>
#include <vector>

#include "graphics/counted_handle.h"
#include "graphics/shared_ptr.h"

namespace {

// Counts its deletions, so a test sees an object die exactly once and when.
class Tracked {
public:
    explicit Tracked(int* deaths) : mDeaths(deaths) {}
    virtual ~Tracked() { ++*mDeaths; }

private:
    int* mDeaths;
};

using Handle = CountedHandle<Tracked>;

TEST(CountedHandleTest, ObjectDiesWithItsLastStrongHandle) {
    int deaths = 0;
    auto* copy = new Handle();
    {
        Handle first(new Tracked(&deaths));
        *copy = first;
        EXPECT_EQ(first.UseCount(), 2);
        EXPECT_EQ(first.BlockCount(), 2);
    }
    EXPECT_EQ(deaths, 0) << "the copy still holds it";
    EXPECT_EQ(copy->UseCount(), 1);
    delete copy;
    EXPECT_EQ(deaths, 1);
}

TEST(CountedHandleTest, AssigningTheSameObjectChangesNoCount) {
    int deaths = 0;
    Handle a(new Tracked(&deaths));
    Handle b(a);
    struct Case {
        const char* what;
        Handle* target;
        const Handle* source;
    };
    for (const Case& c : std::vector<Case>{{"itself", &a, &a}, {"another holder", &b, &a}}) {
        SCOPED_TRACE(c.what);
        c.target->Assign(*c.source);
        *c.target = *c.source;
        EXPECT_EQ(a.UseCount(), 2);
        EXPECT_EQ(a.BlockCount(), 2);
    }
    EXPECT_EQ(deaths, 0);
}

TEST(CountedHandleTest, ReassignmentAndResetDropTheOldObject) {
    int deathsA = 0, deathsB = 0;
    Handle a(new Tracked(&deathsA));
    Handle b(new Tracked(&deathsB));
    a = b;
    EXPECT_EQ(deathsA, 1);
    EXPECT_EQ(b.UseCount(), 2);
    b.Reset();
    EXPECT_FALSE(b);
    EXPECT_EQ(b.BlockCount(), 0);
    EXPECT_EQ(a.UseCount(), 1);
    a.Reset();
    EXPECT_EQ(deathsB, 1);
}

TEST(CountedHandleTest, NullWrapIsEmptyWithoutBlock) {
    Handle empty(nullptr);
    EXPECT_FALSE(empty);
    EXPECT_EQ(empty.UseCount(), 0);
    EXPECT_EQ(empty.BlockCount(), 0);
    Handle copy(empty); // NOLINT(performance-unnecessary-copy-initialization): the copy is under test
    EXPECT_FALSE(copy);
    EXPECT_EQ(copy.BlockCount(), 0);
}

TEST(CountedHandleTest, WeakCopyLocksOnlyWhileTheObjectLives) {
    int deaths = 0;
    auto* strong = new Handle(new Tracked(&deaths));
    WeakHandle<Tracked> weak(*strong);
    EXPECT_EQ(strong->UseCount(), 1) << "a weak copy adds no use";
    EXPECT_EQ(strong->BlockCount(), 2) << "but refers to the block";
    {
        Handle locked = weak.Lock();
        ASSERT_TRUE(locked);
        EXPECT_EQ(locked.Get(), strong->Get());
        EXPECT_EQ(strong->UseCount(), 2);
        EXPECT_EQ(strong->BlockCount(), 3);
    }
    delete strong;
    EXPECT_EQ(deaths, 1) << "the weak copy does not keep it alive";
    EXPECT_FALSE(weak.IsAlive());
    EXPECT_EQ(weak.BlockCount(), 1) << "the use count outlives the object for the weak copy";
    EXPECT_FALSE(weak.Lock());
    EXPECT_EQ(deaths, 1);
    // Destroying the weak copy frees the block (the leak checker sees it otherwise).
}

class Node {
public:
    Node(int* deaths, const SharedPtr<Node>& next) : mDeaths(deaths), mNext(next) {}
    virtual ~Node() {
        ++*mDeaths;
        // The registry forgets an object before its destructor runs.
        EXPECT_EQ(SharedPtr<Node>::mAllPtrs.count(this), 0u);
    }

    int* mDeaths;
    SharedPtr<Node> mNext;
};

TEST(SharedPtrTest, HoldersOfOneRawPointerShareOneEntry) {
    int deaths = 0;
    auto* node = new Node(&deaths, SharedPtr<Node>());
    auto* first = new SharedPtr<Node>(node);
    {
        SharedPtr<Node> second(node);
        EXPECT_EQ(SharedPtr<Node>::RefCount(node), 2);
        SharedPtr<Node> third(second);
        third = *first; // the same object: still counted once per holder
        const SharedPtr<Node>& alias = third;
        third = alias; // assigned to itself
        EXPECT_EQ(SharedPtr<Node>::RefCount(node), 3);
    }
    EXPECT_EQ(deaths, 0);
    delete first;
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(SharedPtr<Node>::RefCount(node), 0);
    EXPECT_EQ(SharedPtr<Node>::mAllPtrs.count(node), 0u);
}

TEST(SharedPtrTest, AssigningAnotherObjectReleasesTheFirst) {
    int deaths = 0;
    SharedPtr<Node> a(new Node(&deaths, SharedPtr<Node>()));
    SharedPtr<Node> b(new Node(&deaths, SharedPtr<Node>()));
    a = b;
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(SharedPtr<Node>::RefCount(b.Get()), 2);
    a.Reset();
    b.Reset();
    EXPECT_EQ(deaths, 2);
    EXPECT_TRUE(SharedPtr<Node>::mAllPtrs.empty());
}

// A destructor that releases another holder of the same type runs after its own entry is gone, so a chain
// of nodes unwinds through the map without touching a freed entry.
TEST(SharedPtrTest, ChainUnwindsThroughDestructors) {
    int deaths = 0;
    SharedPtr<Node> tail(new Node(&deaths, SharedPtr<Node>()));
    SharedPtr<Node> middle(new Node(&deaths, tail));
    auto* head = new SharedPtr<Node>(new Node(&deaths, middle));
    tail.Reset();
    middle.Reset();
    EXPECT_EQ(SharedPtr<Node>::mAllPtrs.size(), 3u);
    delete head;
    EXPECT_EQ(deaths, 3);
    EXPECT_TRUE(SharedPtr<Node>::mAllPtrs.empty());
}

} // namespace
