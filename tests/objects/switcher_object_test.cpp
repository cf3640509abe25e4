// Switchers: which image is shown after starts, fades and delays, where the switcher stands, and the images
// its owner loads and draws.

#include "object_test_support.h"
#include "objects/switcher_object.h"

namespace {

using objtest::At;
using objtest::Load;
using objtest::ObjectTest;

using Indices = std::vector<std::pair<int, int>>;

class SwitcherTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("textures/red.png", 4, 4, kRed);
        WriteSolidImage("textures/green.png", 4, 4, kGreen);
        WriteSolidImage("scenes/blue.png", 4, 4, kBlue);
    }

    static std::unique_ptr<TSwitcherObject> Make(const std::string& attributes) {
        return Load<TSwitcherObject>(R"(id="s" w="10" h="10" cob="1" )" + attributes);
    }

    // (current, next) after each start.
    static Indices Starts(TSwitcherObject& switcher, int count) {
        Indices seen;
        for (int i = 0; i < count; ++i) {
            switcher.StartSwitch();
            seen.emplace_back(switcher.mCurrentIndex, switcher.mNextIndex);
        }
        return seen;
    }
};

TEST_F(SwitcherTest, StartsStepThroughTheImages) {
    struct Case {
        const char* attributes;
        Indices seen;
    };
    const std::vector<Case> cases = {
        {R"(names="a;b;c")", {{1, 1}, {2, 2}, {0, 0}, {1, 1}}},
        {R"(names="a;b;c" animtype="looped")", {{1, 1}, {2, 2}, {0, 0}, {1, 1}}},
        {R"(names="a;b;c" animtype="once")", {{1, 1}, {2, 2}, {2, 2}, {2, 2}}},
        {R"(names="a;b;c" startcadr="2")", {{0, 0}, {1, 1}}},
        // With a fade the shown image follows when the fade ends.
        {R"(names="a;b;c" speed="1")", {{0, 1}, {0, 2}}},
        {R"(names="")", {{0, 0}, {0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto switcher = Make(c.attributes);
        EXPECT_EQ(Starts(*switcher, static_cast<int>(c.seen.size())), c.seen);
    }
}

TEST_F(SwitcherTest, StartImageIsHeldInsideTheList) {
    auto switcher = Make(R"(names="a;b" startcadr="5")");
    EXPECT_EQ(switcher->mCurrentIndex, 1);
    EXPECT_EQ(Make(R"(names="a;b" startcadr="-2")")->mCurrentIndex, 0);
    EXPECT_TRUE(harness::LogContains("switcher s: start image 5 outside its 2 images"));
}

TEST_F(SwitcherTest, ActivationsClicksShowsAndDelays) {
    auto once = Make(R"(names="a;b;c" animtype="once")");
    once->ActivateDefault();
    once->ActivateDefault();
    EXPECT_EQ(once->mCurrentIndex, 1);
    EXPECT_FALSE(once->IsActive());

    auto deaf = Make(R"(names="a;b")");
    deaf->OnMouseDown(At(5, 5));
    EXPECT_EQ(deaf->mCurrentIndex, 0);
    auto clicked = Make(R"(names="a;b" onclick="1")");
    clicked->OnMouseDown(At(5, 5));
    EXPECT_EQ(clicked->mCurrentIndex, 1);

    auto shown = Make(R"(names="a;b" activate="1")");
    shown->OnSpaceShow();
    EXPECT_EQ(shown->mCurrentIndex, 1);

    struct Case {
        const char* attributes;
        std::vector<int> shownAt;
    };
    // The image shown at 1, 3, 5 and 7 s after the first start.
    const Case delays[] = {
        {R"(names="a;b;c" delay="2")", {1, 2, 0, 1}},
        {R"(names="a;b;c" delay="2" runtype="once")", {1, 1, 1, 1}},
    };
    for (const Case& c : delays) {
        SCOPED_TRACE(c.attributes);
        auto switcher = Make(c.attributes);
        switcher->ActivateDefault();
        std::vector<int> shownAt;
        for (int second = 0; second < 8; ++second) {
            if (second % 2 == 1) {
                shownAt.push_back(switcher->mCurrentIndex);
            }
            for (int i = 0; i < 100; ++i) {
                switcher->Update(0.01f);
            }
        }
        EXPECT_EQ(shownAt, c.shownAt);
    }
}

TEST_F(SwitcherTest, ClickDelayRunsDown) {
    auto switcher = Make(R"(names="a;b;c" onclick="1" delayclick="0.5")");
    switcher->ActivateDefault();
    EXPECT_FALSE(switcher->OnMouseDown(At(5, 5)));
    switcher->Update(0.3f);
    EXPECT_FALSE(switcher->OnMouseDown(At(5, 5)));
    switcher->Update(0.3f);
    EXPECT_TRUE(switcher->OnMouseDown(At(5, 5)));
    EXPECT_EQ(switcher->mCurrentIndex, 2);
}

TEST_F(SwitcherTest, PositionsMoveTheSwitcherAndItsChildren) {
    auto placed = Make(R"(names="a;b;c" poss="10,20; 30,40; x")");
    auto* child = Load(R"(x="15" y="25")").release();
    placed->AddChild(child);
    placed->Update(0.01f);
    EXPECT_EQ(placed->mX, 10.0f);
    EXPECT_EQ(child->mX, 25.0f);
    placed->StartSwitch();
    for (int i = 0; i < 5; ++i) {
        placed->Update(0.01f);
    }
    EXPECT_EQ(placed->mY, 40.0f);
    EXPECT_EQ(child->mX, 45.0f);
    EXPECT_EQ(child->mY, 65.0f);
    // The third position does not read as two numbers: the switcher stays where it was.
    placed->StartSwitch();
    placed->Update(0.01f);
    EXPECT_EQ(placed->mX, 30.0f);
    EXPECT_TRUE(harness::LogContains("switcher s: position x is not two numbers"));

    objtest::TRecordingSpace space;
    space.mDrawOffsetX = 100;
    auto unplaced = Make(R"(names="a;b" x="7")");
    unplaced->mSpace = &space;
    auto* anchored = Load(R"(x="50" y="60" drawtype="1" w="10" h="10")").release();
    anchored->mSpace = &space;
    unplaced->AddChild(anchored);
    for (int i = 0; i < 10; ++i) {
        unplaced->StartSwitch();
        unplaced->Update(0.01f);
    }
    EXPECT_EQ(unplaced->mX, 7.0f);
    EXPECT_EQ(anchored->mX, 50.0f);
    EXPECT_EQ(anchored->mY, 60.0f);
}

TEST_F(SwitcherTest, OwnerLoadsAndDrawsTheImages) {
    auto switcher = Make(R"(names="red.png;green.png" poss="2,2;2,2" speed="1")");
    auto* child = new TObject();
    switcher->AddChild(child);
    switcher->LoadImages("");
    ASSERT_EQ(switcher->mImages.size(), 2u);
    BeginCanvas();
    switcher->DrawImages();
    ExpectPixels({{3, 3, kRedPixel}, {7, 7, kBlack}});
    EXPECT_EQ(switcher->mW, 4.0f);

    switcher->StartSwitch();
    for (int i = 0; i < 50; ++i) {
        switcher->Update(0.01f);
    }
    BeginCanvas();
    switcher->DrawImages();
    ExpectPixels({{3, 3, {64, 128, 0, 255}}});
    for (int i = 0; i < 60; ++i) {
        switcher->Update(0.01f);
    }
    BeginCanvas();
    switcher->DrawImages();
    ExpectPixels({{3, 3, kGreenPixel}});

    // Unloading drops the images and keeps the children.
    switcher->UnloadResources();
    EXPECT_TRUE(switcher->mImages.empty());
    ASSERT_EQ(switcher->GetChildren().size(), 1u);
    EXPECT_EQ(switcher->GetChildren()[0].get(), child);
    BeginCanvas();
    switcher->DrawImages();
    ExpectPixels({{3, 3, kBlack}});

    auto inFolder = Make(R"(names="blue.png" poss="2,2")");
    inFolder->LoadImages("scenes/");
    BeginCanvas();
    inFolder->DrawImages();
    ExpectPixels({{3, 3, kBluePixel}});
}

TEST_F(SwitcherTest, ResetKeepsTheDescription) {
    auto switcher = Make(R"(names="a;b;c" animtype="once" startcadr="1" onclick="1" speed="1")");
    switcher->ActivateDefault();
    switcher->ResetState();
    EXPECT_EQ(switcher->mCurrentIndex, 1);
    EXPECT_EQ(switcher->mNextIndex, 1);
    EXPECT_FALSE(switcher->mFading);
    EXPECT_FALSE(switcher->mLooped);
    EXPECT_EQ(switcher->mImageCount, 3);
    // Not started any more: the one-way switcher switches once again.
    switcher->ActivateDefault();
    EXPECT_EQ(switcher->mNextIndex, 2);
}

} // namespace
