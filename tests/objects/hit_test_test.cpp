// Hit tests against the rectangle, the image's alpha (scaled, framed and turned images) and the children.

#include "object_test_support.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;

class HitTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        // 10 x 10: the left half transparent, the right half opaque except (7, 2) with alpha 30.
        WriteImage("textures/hit.png", 10, 10, [](int x, int y) {
            if (x < 5) {
                return 0x00FFFFFFu;
            }
            return x == 7 && y == 2 ? 0x1EFFFFFFu : kWhite;
        });
        // Two 10 x 10 frames: the first transparent, the second opaque.
        WriteImage("textures/strip.png", 20, 10, [](int x, int) { return x < 10 ? 0x00FFFFFFu : kWhite; });
    }

    // An object at (100, 50) with its image loaded and synchronised as its space would.
    std::unique_ptr<TObject> Placed(const std::string& attributes) {
        auto object = Load(R"(x="100" y="50" )" + attributes);
        object->LoadResources();
        object->Update(0);
        return object;
    }
};

TEST_F(HitTest, ObjectItself) {
    struct Case {
        const char* attributes;
        int x;
        int y;
        bool hit;
    };
    const Case cases[] = {
        {R"(name="hit.png")", 107, 55, true},
        {R"(name="hit.png")", 102, 55, false},
        {R"(name="hit.png")", 99, 55, false},
        {R"(name="hit.png")", 110, 55, false},
        {R"(name="hit.png")", 109, 59, true},
        {R"(name="hit.png")", 109, 60, false},
        // Alpha 30 is below the default 25 % but reaches 10 %.
        {R"(name="hit.png")", 107, 52, false},
        {R"(name="hit.png" testalpha="10")", 107, 52, true},
        {R"(name="hit.png" testalpha="0")", 102, 55, true},
        {R"(name="hit.png" cob="1")", 102, 55, true},
        {R"(name="hit.png" v="0")", 107, 55, false},
        {R"(name="hit.png" a="0")", 107, 55, false},
        // The rectangle is the logical size; beyond the image there is no alpha to hit.
        {R"(name="hit.png" w="20")", 115, 55, false},
        {R"(name="hit.png" w="20" cob="1")", 115, 55, true},
        {R"(w="20" h="10")", 105, 55, false},
        {R"(w="20" h="10" cob="1")", 105, 55, true},
        // Centred on (100, 50): the image covers 95..104 x 45..54, transparent up to 99.
        {R"(name="hit.png" drawtype="1")", 102, 50, true},
        {R"(name="hit.png" drawtype="1")", 97, 50, false},
        {R"(name="hit.png" drawtype="1")", 105, 50, false},
        // Doubled, the transparent half covers 100..109 of the (unscaled) rectangle.
        {R"(name="hit.png" scale="2")", 107, 55, false},
        {R"(name="hit.png" scale="2" w="20" h="20")", 112, 55, true},
        // The shown frame is tested, not the strip's first one.
        {R"(name="strip.png" texrects="0.0.10.10" frames="2" texw="20" startframe="1" framedelay="9" animmode="loop")",
         105, 55, true},
        {R"(name="strip.png" texrects="0.0.10.10" frames="2" texw="20" framedelay="9" animmode="loop")", 105, 55,
         false},
        // Turned a quarter about its corner, the image covers x 90..99, y 50..59; its right half lies below.
        {R"(name="hit.png" angle="90")", 95, 55, true},
        {R"(name="hit.png" angle="90")", 98, 52, false},
        {R"(name="hit.png" angle="90")", 105, 55, false},
        {R"(name="hit.png" angle="90" cob="1")", 98, 52, true},
        {R"(name="hit.png" angle="90" testalpha="0")", 98, 52, true},
        {R"(name="hit.png" angle="90" cob="1")", 105, 55, false},
        {R"(angle="90" w="10" h="10" cob="1")", 95, 55, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attributes << " at " << c.x << ", " << c.y);
        auto object = Placed(c.attributes);
        EXPECT_EQ(object->HitTestSelf(c.x, c.y), c.hit);
        EXPECT_EQ(object->HitTest(c.x, c.y, true), c.hit);
    }
}

TEST_F(HitTest, LocksAndInvisibleContainers) {
    struct Case {
        const char* parent;
        bool respectLock;
        bool hit;
        bool selfHit;
        bool childHit;
    };
    const Case cases[] = {
        {R"(w="10" h="10" cob="1")", true, true, true, false},
        {R"(w="10" h="10" cob="1" locked="1")", true, false, false, false},
        {R"(w="10" h="10" cob="1" locked="1")", false, true, true, false},
        // An invisible object is not hit itself, but with "checkonlybounds" its children still are.
        {R"(w="10" h="10" v="0")", true, false, false, false},
        {R"(w="10" h="10" v="0" cob="1")", true, true, false, true},
        {R"(w="0" h="0" cob="1")", true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parent);
        auto parent = Load(std::string(R"(x="100" y="50" )") + c.parent);
        TObject* child = new TObject();
        child->mX = 100;
        child->mY = 50;
        child->mW = child->mH = 5;
        child->mCheckOnlyBounds = true;
        ASSERT_TRUE(parent->AddChild(child));
        EXPECT_EQ(parent->HitTest(102, 52, c.respectLock), c.hit);
        EXPECT_EQ(parent->GetLastHitResult(102, 52, c.respectLock), c.selfHit);
        EXPECT_EQ(parent->GetHitObject(), c.childHit ? child : parent.get());
    }
}

// Three children of an empty container: "low" under "high", and "deep" inside "nest".
class ChildHitTest : public HitTest {
protected:
    void BuildTree() {
        mRoot = Load(R"(id="root" w="0" h="0")");
        mLow = AddBox(mRoot.get(), "low", 0, 0, 20);
        mHigh = AddBox(mRoot.get(), "high", 10, 0, 20);
        mNest = AddBox(mRoot.get(), "nest", 100, 0, 0);
        mDeep = AddBox(mNest, "deep", 100, 0, 10);
    }

    static TObject* AddBox(TObject* parent, const char* id, int x, int y, int size) {
        auto* box = new TObject();
        box->mName = id;
        box->mX = static_cast<float>(x);
        box->mY = static_cast<float>(y);
        box->mW = box->mH = static_cast<float>(size);
        box->mCheckOnlyBounds = true;
        EXPECT_TRUE(parent->AddChild(box));
        return box;
    }

    static std::string Name(const TObject* object) { return object != nullptr ? object->mName : "none"; }

public:
    std::unique_ptr<TObject> mRoot;
    TObject* mLow = nullptr;
    TObject* mHigh = nullptr;
    TObject* mNest = nullptr;
    TObject* mDeep = nullptr;
};

TEST_F(ChildHitTest, TopmostAndDeepestChild) {
    struct Case {
        const char* what;
        int x;
        bool respectLock;
        std::function<void(ChildHitTest&)> change;
        const char* hitObject;
        const char* childAt;
    };
    const std::vector<Case> cases = {
        {"only the lower child", 5, true, [](ChildHitTest&) {}, "low", "low"},
        {"the later child lies on top", 15, true, [](ChildHitTest&) {}, "high", "high"},
        {"a hidden top child lets the lower one through", 15, true, [](ChildHitTest& t) { t.mHigh->mVisible = false; },
         "low", "low"},
        {"a locked top child lets the lower one through", 15, true, [](ChildHitTest& t) { t.mHigh->Lock(); }, "low",
         "low"},
        {"locks are ignored when asked", 15, false, [](ChildHitTest& t) { t.mHigh->Lock(); }, "high", "high"},
        {"the deepest descendant", 105, true, [](ChildHitTest&) {}, "deep", "deep"},
        {"a hidden child hides its subtree", 105, true,
         [](ChildHitTest& t) {
             t.mNest->mVisible = false;
             t.mNest->mCheckOnlyBounds = false;
         },
         "root", "none"},
        {"nothing under the point", 50, true, [](ChildHitTest&) {}, "root", "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BuildTree();
        c.change(*this);
        const bool hit = mRoot->HitTest(c.x, 5, c.respectLock);
        EXPECT_EQ(hit, std::string(c.childAt) != "none");
        EXPECT_EQ(Name(mRoot->GetHitObject()), c.hitObject);
        EXPECT_EQ(Name(mRoot->FindChildAt(c.x, 5, c.respectLock)), c.childAt);
    }
}

} // namespace
