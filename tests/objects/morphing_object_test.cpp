// Morphing objects: the fade and pause timelines, activation, the cross-fading own image, the pair of
// images that take turns, their boxes for hit tests and their drawing.

#include <functional>

#include "object_test_support.h"
#include "objects/morphing_object.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;

class MorphTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("textures/red.png", 4, 4, kRed);
        WriteSolidImage("textures/green.png", 4, 4, kGreen);
    }

    static std::vector<float> At(TObject& object, const std::vector<float>& moments,
                                 const std::function<float()>& value) {
        return objtest::SampleAt(object, moments, value);
    }

    static void ExpectNear(const std::vector<float>& actual, const std::vector<float>& expected) {
        objtest::ExpectNearAll(actual, expected, 0.02f);
    }
};

TEST_F(MorphTest, FadesAndPausesInTurn) {
    struct Case {
        const char* attributes;
        std::vector<float> moments;
        std::vector<float> alphas;
    };
    const std::vector<Case> cases = {
        // 1 s at the minimum, 2 s up, 3 s at the maximum, 2 s down, and again.
        {R"(pause="1" pause2="3")", {0.5f, 2.0f, 4.0f, 7.0f, 8.5f, 10.0f}, {0, 0.5f, 1, 0.5f, 0, 0.5f}},
        // Without "pause2" both waits are "pause".
        {R"(pause="1")", {0.5f, 2.0f, 3.5f, 5.0f, 6.5f}, {0, 0.5f, 1, 0.5f, 0}},
        {R"(pause="1" min_alpha="0.2" max_alpha="0.6" time="1")", {0.5f, 1.5f, 2.5f, 3.5f}, {0.2f, 0.4f, 0.6f, 0.4f}},
        // Without pauses it swings at once.
        {R"(time="1")", {0.5f, 1.5f, 2.5f}, {0.5f, 0.5f, 0.5f}},
        {R"(time="1" active="0")", {3.0f}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto morph = Load<TMorphingObject>(c.attributes);
        ExpectNear(At(*morph, c.moments, [&] { return morph->mMorphImage.mAlpha; }), c.alphas);
    }
}

TEST_F(MorphTest, ActivationStartsTheFadeUpAtOnce) {
    auto morph = Load<TMorphingObject>(R"(x="5" y="6" mx="40" my="50" active="0" pause="9" time="2")");
    At(*morph, {2.0f}, [] { return 0.0f; });
    EXPECT_EQ(morph->mMorphImage.mAlpha, 0.0f);
    EXPECT_EQ(morph->mMorphImage.mBaseX, 40.0f);
    morph->ActivateDefault();
    ExpectNear(At(*morph, {1.0f}, [&] { return morph->mMorphImage.mAlpha; }), {0.5f});
    // While active the morph image follows the object.
    EXPECT_EQ(morph->mMorphImage.mBaseX, 5.0f);
    EXPECT_EQ(morph->mMorphImage.mBaseY, 6.0f);
    // Activating an active object changes nothing.
    morph->ActivateDefault();
    ExpectNear(At(*morph, {0.5f}, [&] { return morph->mMorphImage.mAlpha; }), {0.75f});
}

TEST_F(MorphTest, DoubleMorphFadesItsOwnImageTheOtherWay) {
    auto morph = Load<TDoubleMorphingObject>(R"(name="red.png" pause="1" time="2")");
    morph->LoadResources();
    const auto own = [&] { return morph->GetImage()->mAlpha; };
    // Shown at the maximum during the first pause, then crossing over.
    ExpectNear(At(*morph, {0.5f, 2.0f, 3.0f, 4.5f, 5.0f}, own), {1, 0.5f, 0, 0.25f, 0.5f});
    EXPECT_NEAR(morph->mMorphImage.mAlpha, 0.5f, 0.02f);
}

TEST_F(MorphTest, PairsTakeTurns) {
    struct Case {
        const char* attributes;
        std::vector<float> moments;
        std::vector<float> first;
        std::vector<float> second;
    };
    const std::vector<Case> cases = {
        {R"(time="1" pause="1")", {0.5f, 1.5f, 2.5f, 3.5f}, {0.5f, 0, 0, 0.5f}, {0, 0.5f, 0.5f, 0}},
        // Without a pause the two cross-fade and one is always showing.
        {R"(time="1" pause="0")",
         {0.25f, 1.25f, 2.25f, 5.75f},
         {0.75f, 0.25f, 0.75f, 0.75f},
         {0.25f, 0.75f, 0.25f, 0.25f}},
        // The first image rests fully shown, so the turns begin even when not active.
        {R"(time="1" pause="1" active="0")", {0.5f}, {0.5f}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto pair = Load<TMorphingObject2>(c.attributes);
        std::vector<float> second;
        const std::vector<float> first = At(*pair, c.moments, [&] {
            second.push_back(pair->mImages[1].mAlpha);
            return pair->mImages[0].mAlpha;
        });
        ExpectNear(first, c.first);
        ExpectNear(second, c.second);
    }
}

TEST_F(MorphTest, HitBoxesHoldBothImages) {
    auto morph = Load<TMorphingObject>(R"(name="red.png" mname="textures/green.png" mx="10" my="10" active="0")");
    morph->LoadResources();
    auto pair = Load<TMorphingObject2>(R"(mname1="textures/red.png" mname2="textures/green.png" x1="0" y1="0"
        x2="10" y2="10")");
    pair->LoadResources();
    EXPECT_EQ(pair->mW, 4.0f);
    EXPECT_EQ(pair->mX, 0.0f);
    struct Case {
        int x, y;
        bool hit;
    };
    const Case cases[] = {{1, 1, true}, {7, 7, true}, {13, 13, true}, {14, 13, false}, {13, 14, false}, {-1, 0, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(morph->HitTestSelf(c.x, c.y), c.hit) << c.x << "," << c.y;
        EXPECT_EQ(pair->HitTestSelf(c.x, c.y), c.hit) << c.x << "," << c.y;
    }
    // The object's size comes from the morph image when it has none of its own.
    auto bare = Load<TMorphingObject>(R"(mname="textures/green.png")");
    bare->LoadResources();
    EXPECT_EQ(bare->mW, 4.0f);
    EXPECT_EQ(bare->mH, 4.0f);
}

TEST_F(MorphTest, DrawnOverTheObject) {
    auto morph = Load<TMorphingObject>(R"(name="red.png" mname="textures/green.png" x="2" y="2" time="1" pause2="5")");
    morph->LoadResources();
    BeginCanvas();
    morph->Draw(1.0f);
    ExpectPixels({{3, 3, kRedPixel}});
    At(*morph, {1.1f}, [] { return 0.0f; });
    BeginCanvas();
    morph->Draw(1.0f);
    ExpectPixels({{3, 3, kGreenPixel}});
    morph->mVisible = false;
    BeginCanvas();
    morph->Draw(1.0f);
    ExpectPixels({{3, 3, kBlack}});

    auto pair = Load<TMorphingObject2>(R"(mname1="textures/red.png" mname2="textures/green.png" x1="2" y1="2"
        x2="8" y2="2" active="0" pause="5")");
    pair->LoadResources();
    BeginCanvas();
    pair->Draw(1.0f);
    ExpectPixels({{3, 3, kBlack}});
    pair->DrawMorph();
    ExpectPixels({{3, 3, kRedPixel}, {9, 3, kBlack}});
}

} // namespace
