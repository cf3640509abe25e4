// The object core: the child tree, the draw position, moving, loading images, frame animation and drawing.

#include <cmath>

#include "object_test_support.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;

class CoreTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("textures/wide.png", 100, 50, kRed);
        WriteSolidImage("textures/red.png", 4, 4, kRed);
        WriteSolidImage("textures/green.png", 4, 4, kGreen);
        WriteImage("textures/frames.png", 16, 4, [](int x, int) { return x < 4 ? kRed : (x < 8 ? kGreen : kBlue); });
    }

    // Loaded with its images and placed, as its space would before the first draw.
    std::unique_ptr<TObject> Ready(const std::string& attributes) {
        auto object = Load(attributes);
        object->LoadResources();
        return object;
    }
};

TEST_F(CoreTest, AddChildRefusesWhatWouldBreakTheTree) {
    auto root = std::make_unique<TObject>();
    auto* child = new TObject();
    auto* grandchild = new TObject();
    ASSERT_TRUE(root->AddChild(child));
    ASSERT_TRUE(child->AddChild(grandchild));
    EXPECT_EQ(child->GetParent(), root.get());
    EXPECT_EQ(grandchild->GetParent(), child);

    TObject other;
    auto* owned = new TObject();
    ASSERT_TRUE(other.AddChild(owned));
    struct Case {
        const char* what;
        TObject* parent;
        TObject* object;
    };
    const Case cases[] = {
        {"nothing", root.get(), nullptr},
        {"the object itself", child, child},
        {"its parent", child, root.get()},
        {"an ancestor further up", grandchild, root.get()},
        {"a grandchild already below", root.get(), grandchild},
        {"a child of another object", root.get(), owned},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(c.parent->AddChild(c.object)) << c.what;
    }
    EXPECT_EQ(root->GetChildren().size(), 1u);
    EXPECT_EQ(child->GetChildren().size(), 1u);
    EXPECT_EQ(grandchild->GetChildren().size(), 0u);
    EXPECT_EQ(owned->GetParent(), &other);
    EXPECT_TRUE(root->ContainsChild(grandchild));
    EXPECT_EQ(root->FindParentOf(grandchild), child);

    // Taken out, the grandchild belongs to the caller and can go elsewhere.
    ASSERT_TRUE(root->RemoveChild(grandchild));
    EXPECT_EQ(grandchild->GetParent(), nullptr);
    EXPECT_FALSE(root->ContainsChild(grandchild));
    EXPECT_FALSE(root->RemoveChild(grandchild));
    EXPECT_TRUE(other.AddChild(grandchild));
}

TEST_F(CoreTest, FindChildByIdDepthFirst) {
    auto root = Load(R"(id="root")");
    auto* a = Load(R"(id="a")").release();
    auto* deep = Load(R"(id="twin")").release();
    auto* twin = Load(R"(id="twin")").release();
    root->AddChild(a);
    a->AddChild(deep);
    root->AddChild(twin);
    EXPECT_EQ(root->FindChildById("twin"), deep);
    EXPECT_EQ(root->FindChildById("a"), a);
    EXPECT_EQ(root->FindChildById("root"), nullptr);
    EXPECT_EQ(root->FindChildById("none"), nullptr);
}

TEST_F(CoreTest, DrawPosition) {
    struct Case {
        const char* attributes;
        bool inSpace;
        float x;
        float y;
    };
    // The image is 100 x 50; the space's draw offset is (7, 3).
    const Case cases[] = {
        {R"(x="300" y="200" h="50")", false, 300, 200},
        {R"(x="300" y="200" h="50" drawtype="1" scale="2")", false, 200, 175},
        {R"(x="300" y="200" w="60" drawtype="2" scale="2")", false, 300 + 60 - 120, 200 - 100},
        {R"(x="300" y="200" drawtype="4" scale="2")", false, 200, 100},
        {R"(x="300" y="200" tcx="10" tcy="5")", false, 300, 200},
        {R"(x="300" y="200")", true, 307, 203},
        {R"(x="300" y="200" skipowneroffset="1")", true, 300, 200},
    };
    objtest::TRecordingSpace space;
    space.mDrawOffsetX = 7;
    space.mDrawOffsetY = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto object = Load(std::string(R"(name="wide.png" )") + c.attributes);
        object->mSpace = c.inSpace ? &space : nullptr;
        object->LoadResources();
        EXPECT_FLOAT_EQ(object->GetX(), c.x);
        EXPECT_FLOAT_EQ(object->GetY(), c.y);
        float rect[4];
        object->GetRect(rect);
        EXPECT_FLOAT_EQ(rect[0], c.x);
        EXPECT_FLOAT_EQ(rect[1], c.y);
        EXPECT_EQ(object->GetImage()->GetX(), c.x);
    }
}

TEST_F(CoreTest, LoadedImageSizeAndAlphaMaps) {
    auto plain = Ready(R"(name="red.png")");
    EXPECT_EQ(plain->mW, 4.0f);
    EXPECT_EQ(plain->mH, 4.0f);
    EXPECT_TRUE(plain->GetImage()->mTexture->HasAlphaMap());
    auto sized = Ready(R"(name="green.png" w="9" cob="1")");
    EXPECT_EQ(sized->mW, 9.0f);
    EXPECT_EQ(sized->mH, 4.0f);
    EXPECT_FALSE(sized->GetImage()->mTexture->HasAlphaMap());
    EXPECT_TRUE(gBuildAlphaMaps);
    EXPECT_FALSE(gBuildColorMaps);
    auto missing = Ready(R"(name="none.png")");
    EXPECT_EQ(missing->mW, 0.0f);
    missing->UnloadResources();
    EXPECT_EQ(missing->GetImage(), nullptr);
}

TEST_F(CoreTest, MovingTheSubtree) {
    objtest::TRecordingSpace space;
    space.mDrawOffsetX = 50;
    auto root = Load(R"(x="10" y="20")");
    auto* centred = Load(R"(x="30" y="40" w="10" h="10" drawtype="1")").release();
    auto* leaf = Load(R"(x="1" y="2" tcx="3")").release();
    root->AddChild(centred);
    centred->AddChild(leaf);
    centred->mSpace = &space;

    root->MoveBy(5, -3);
    EXPECT_EQ(root->mX, 15.0f);
    EXPECT_EQ(centred->mX, 35.0f);
    EXPECT_EQ(centred->mY, 37.0f);
    EXPECT_EQ(leaf->mX, 3.0f);
    EXPECT_EQ(leaf->mY, -1.0f);
    EXPECT_EQ(centred->mCachedDrawX, 35 - 5 + 50);

    // Children keep their anchors and offsets: each logical position moves by the delta, the whole way down.
    root->SetPosition(115, 117, true);
    EXPECT_EQ(centred->mX, 135.0f);
    EXPECT_EQ(centred->mY, 137.0f);
    EXPECT_EQ(leaf->mX, 103.0f);
    EXPECT_EQ(leaf->mY, 99.0f);
    root->SetPosition(115, 117, true);
    EXPECT_EQ(centred->mX, 135.0f);
    root->SetPosition(0, 0, false);
    EXPECT_EQ(centred->mX, 135.0f);
}

TEST_F(CoreTest, CentringAndAlpha) {
    auto object = Load(R"(x="10" y="20" w="40" h="30")");
    object->MakeCentred();
    EXPECT_EQ(object->mDrawType, 1);
    EXPECT_EQ(object->GetCenterX(), 30);
    EXPECT_EQ(object->GetCenterY(), 35);
    object->MakeCentred();
    EXPECT_EQ(object->mX, 30.0f);
    for (float bad : {-0.1f, 1.5f, std::nanf("")}) {
        object->SetAlpha(bad);
        EXPECT_EQ(object->mAlpha, 1.0f) << bad;
    }
    object->SetAlpha(0.25f);
    EXPECT_EQ(object->mAlpha, 0.25f);
}

TEST_F(CoreTest, FrameAnimation) {
    struct Case {
        const char* mode;
        std::vector<int> frames;
    };
    const Case cases[] = {
        {"noloop", {1, 2, 3, 3, 3}},
        {"loop", {1, 2, 3, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        auto object = Ready(std::string(R"(name="frames.png" texrects="0.0.4.4" frames="4" texw="16" framedelay="0.1"
            animmode=")") + c.mode +
                            "\"");
        std::vector<int> frames;
        for (size_t i = 0; i < c.frames.size(); ++i) {
            object->Update(0.05f);
            object->Update(0.05f);
            frames.push_back(object->mCurrentFrame);
        }
        EXPECT_EQ(frames, c.frames);
        EXPECT_EQ(object->GetImage()->mRenderState.srcX, static_cast<float>(4 * c.frames.back()));
        EXPECT_EQ(object->GetImage()->mRenderState.srcW, 4.0f);
    }
}

TEST_F(CoreTest, HiddenParentsStillUpdateTheirChildren) {
    auto parent = Ready(R"(v="0")");
    auto* child = Load(R"(texrects="0.0.4.4" frames="2" texw="8" framedelay="0.1" animmode="loop")").release();
    parent->AddChild(child);
    parent->Update(0.1f);
    EXPECT_EQ(child->mCurrentFrame, 1);
}

TEST_F(CoreTest, DrawOrderVisibilityAndClip) {
    struct Case {
        const char* parent;
        std::vector<TProbe> probes;
    };
    // The red parent covers 2..5, the green child 4..7.
    const std::vector<Case> cases = {
        {R"(name="red.png" x="2" y="2")", {{3, 3, kRedPixel}, {5, 5, kGreenPixel}, {7, 7, kGreenPixel}}},
        {R"(name="red.png" x="2" y="2" drawchildsfirst="1")", {{3, 3, kRedPixel}, {5, 5, kRedPixel}}},
        {R"(name="red.png" x="2" y="2" v="0")", {{3, 3, kBlack}, {5, 5, kBlack}, {7, 7, kBlack}}},
        {R"(name="red.png" x="2" y="2" d="1")", {{3, 3, kBlack}, {5, 5, kGreenPixel}}},
        // The clip holds the parent's own image only.
        {R"(name="red.png" x="2" y="2" cliprect="2.2.2.2")",
         {{3, 3, kRedPixel}, {4, 4, kGreenPixel}, {2, 4, kBlack}, {7, 7, kGreenPixel}}},
        {R"(name="red.png" x="2" y="2" cliprect="2.2.0.2")", {{2, 4, kRedPixel}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parent);
        auto parent = Load(c.parent);
        parent->AddChild(Load(R"(name="green.png" x="4" y="4")").release());
        parent->LoadResources();
        BeginCanvas();
        parent->Draw(1.0f);
        ExpectPixels(c.probes);
    }
}

TEST_F(CoreTest, ClipOfAnObjectRestoresTheOneBefore) {
    auto object = Ready(R"(name="red.png" cliprect="0.0.2.2")");
    BeginCanvas();
    SDL_Renderer* renderer = GetSDLRenderer();
    const SDL_Rect outer{1, 1, 20, 20};
    SDL_RenderSetClipRect(renderer, &outer);
    object->Draw(1.0f);
    SDL_Rect after{0, 0, 0, 0};
    SDL_RenderGetClipRect(renderer, &after);
    EXPECT_TRUE(SDL_RenderIsClipEnabled(renderer));
    EXPECT_EQ(after.x, 1);
    EXPECT_EQ(after.w, 20);
    SDL_RenderSetClipRect(renderer, nullptr);
    object->Draw(1.0f);
    EXPECT_FALSE(SDL_RenderIsClipEnabled(renderer));
}

TEST_F(CoreTest, SaveKeysAndRootSpace) {
    TGameSpace outer, inner;
    outer.mName = "C";
    inner.mName = "B";
    inner.mParent = &outer;
    auto object = Load(R"(id="A")");
    EXPECT_EQ(object->BuildSaveKey(), "A");
    EXPECT_EQ(object->GetRootSpace(), nullptr);
    object->mSpace = &inner;
    EXPECT_EQ(object->BuildSaveKey(), "C.B.A");
    EXPECT_EQ(object->GetRootSpace(), &outer);
}

TEST_F(CoreTest, EffectorsFindTheirObject) {
    class Effector : public TEffector {
    public:
        void Update(float seconds) override { mSeconds += seconds; }
        void Start() override { ++mStarts; }
        float mSeconds = 0;
        int mStarts = 0;
    };
    auto root = Load(R"(id="root")");
    auto* swinging = Load(R"(id="gate" effector="swing")").release();
    root->AddChild(swinging);
    Effector unnamed, swing;
    swing.mName = "swing";
    EXPECT_FALSE(root->AttachEffector(&unnamed));
    EXPECT_TRUE(root->AttachEffector(&swing));
    EXPECT_EQ(swing.mOwner, swinging);
    root->Update(0.25f);
    swinging->StartEffector();
    EXPECT_EQ(swing.mSeconds, 0.25f);
    EXPECT_EQ(swing.mStarts, 1);
    root->StartEffector();
    EXPECT_EQ(swing.mStarts, 1);
}

TEST_F(CoreTest, UnloadedObjectsStillCountClicks) {
    // Never loaded from an element, an object still has its freeze limits.
    TObject object;
    object.mW = object.mH = 10;
    object.mCheckOnlyBounds = true;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(object.OnMouseDown(objtest::At(5, 5)));
        EXPECT_EQ(object.GetClickGroup(), i);
    }
}

} // namespace
