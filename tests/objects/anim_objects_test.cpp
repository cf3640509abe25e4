// Frame-strip animations: pauses, moves along lines, the strip's play state, and what is drawn.

#include <cstdlib>

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/anim_objects.h"

namespace {

using objtest::Advance;
using objtest::ObjectTest;
using objtest::TXml;

template <typename T> std::unique_ptr<T> Make(const std::string& text) {
    TXml xml(text);
    auto object = std::make_unique<T>();
    object->LoadFromXml(xml.Root(), "");
    return object;
}

struct Step {
    // "activate", "wait" or "save".
    const char* action;
    float seconds;
    bool playing, waiting, moving;
    int stepIndex;
    std::pair<int, int> strip;
};

template <typename T> void Play(const std::string& text, const std::vector<Step>& steps) {
    for (const bool withSaves : {false, true}) {
        auto object = Make<T>(text);
        for (size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            const std::string action = step.action;
            SCOPED_TRACE(std::string(withSaves ? "saved " : "") + "step " + std::to_string(i) + " " + action);
            if (action == "activate") {
                object->Activate(0, 0, 0);
            } else if (action == "wait") {
                Advance(*object, step.seconds, 0.001f);
            } else if (withSaves) {
                TBaseBuffer saved;
                object->SaveState(saved);
                object = Make<T>(text);
                ASSERT_TRUE(RestoreObjectState(*object, saved));
            }
            EXPECT_EQ(object->mPlaying, step.playing);
            EXPECT_EQ(object->mStrip.mPlaying, step.playing);
            EXPECT_EQ(object->mWaiting, step.waiting);
            EXPECT_EQ(object->mMoving, step.moving);
            EXPECT_EQ(object->mStepIndex, step.stepIndex);
            EXPECT_NEAR(object->mStrip.mImage.GetX(), step.strip.first, 1.0f);
            EXPECT_NEAR(object->mStrip.mImage.GetY(), step.strip.second, 1.0f);
        }
    }
}

constexpr const char* kStrip = R"(filename="strip.png" frames="2" cadr_width="4" cadr_height="4" speed="0.5" tw="8")";

TEST_F(ObjectTest, AnimRunsOnePauseOnceActivated) {
    Play<TAnimObject>(std::string("<object x=\"3\" y=\"4\" ") + kStrip + R"(><movedat pause="1"/></object>)",
                      {
                          // The first pause, begun at load, waits for the activation.
                          {"wait", 2.0f, false, true, false, 0, {3, 4}},
                          {"activate", 0, true, true, false, 0, {3, 4}},
                          // The pause under way is not saved: saved before it counts, it runs whole.
                          {"save", 0, true, true, false, 0, {3, 4}},
                          {"wait", 0.5f, true, true, false, 0, {3, 4}},
                          // The pause ends; a plain anim has no move, so its sequence stops there.
                          {"wait", 0.6f, true, false, false, 0, {3, 4}},
                          {"wait", 3.0f, true, false, false, 0, {3, 4}},
                      });
}

TEST_F(ObjectTest, LineMoverCyclesThroughItsSteps) {
    const std::string text = std::string("<object x=\"0\" y=\"0\" play=\"1\" ") + kStrip + R"(>
        <movedat pause="0.5" startX="0" startY="0" endX="10" endY="0" time="1" dont_move="0"/>
        <movedat pause="0.5" sflp="1" endX="10" endY="10" time="1"/></object>)";
    Play<TLineMovingAnimObject>(text, {
                                          {"activate", 0, true, true, false, 0, {0, 0}},
                                          {"wait", 1.0f, true, false, true, 0, {5, 0}},
                                          {"save", 0, true, false, true, 0, {5, 0}},
                                          {"wait", 0.505f, false, true, false, 1, {10, 0}},
                                          {"wait", 1.0f, true, false, true, 1, {10, 5}},
                                          // Round to the first step again.
                                          {"wait", 0.505f, true, true, false, 0, {10, 10}},
                                          {"wait", 1.0f, true, false, true, 0, {5, 0}},
                                      });
    auto chained = Make<TLineMovingAnimObject>(text);
    ASSERT_EQ(chained->mSteps.size(), 2u);
    EXPECT_EQ(chained->mSteps[1].startX, 10);
    EXPECT_EQ(chained->mSteps[1].startY, 0);
    EXPECT_TRUE(chained->mSteps[1].stopDuringPause);
    EXPECT_FALSE(chained->mSteps[0].stopDuringPause);
}

TEST_F(ObjectTest, AnimPauseSpreadsAroundItsValue) {
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
        std::srand(seed);
        auto anim = Make<TAnimObject>(R"(<object><movedat pause="2" diff="0.5"/></object>)");
        EXPECT_GE(anim->mPauseTween.duration, 1.5f);
        EXPECT_LE(anim->mPauseTween.duration, 2.5f);
    }
    // The first chained step starts where the strip stands.
    auto first = Make<TAnimObject>(R"(<object x="7" y="9"><movedat sflp="1" endX="1" endY="2"/></object>)");
    EXPECT_EQ(first->mSteps[0].startX, 7);
    EXPECT_EQ(first->mSteps[0].startY, 9);
}

TEST_F(ObjectTest, AnimTestFlagAndRestoreChecks) {
    auto test = Make<TAnimObject>(std::string("<object test=\"1\" play=\"1\" ") + kStrip + "/>");
    EXPECT_TRUE(test->IsActive());
    EXPECT_FALSE(test->mPlaying);
    EXPECT_FALSE(test->mStrip.mPlaying);
    test->Restart();
    EXPECT_TRUE(test->mStrip.mPlaying);

    auto played = Make<TAnimObject>(std::string("<object play=\"1\" ") + kStrip + "/>");
    EXPECT_TRUE(played->mStrip.mPlaying);
    EXPECT_FALSE(played->IsActive());

    auto anim = Make<TAnimObject>(R"(<object id="a"><movedat pause="1"/></object>)");
    anim->mStepIndex = 4;
    TBaseBuffer saved;
    anim->SaveState(saved);
    auto restored = Make<TAnimObject>(R"(<object id="a"><movedat pause="1"/></object>)");
    ASSERT_TRUE(RestoreObjectState(*restored, saved));
    EXPECT_EQ(restored->mStepIndex, -1);
    EXPECT_TRUE(harness::LogContains("anim a: saved step 4 of 1 refused"));
    // A step index of -1 survives the 16-bit record.
    auto none = Make<TAnimObject>(R"(<object id="n"/>)");
    TBaseBuffer idle;
    none->SaveState(idle);
    auto back = Make<TAnimObject>(R"(<object id="n"/>)");
    back->mStepIndex = 0;
    ASSERT_TRUE(RestoreObjectState(*back, idle));
    EXPECT_EQ(back->mStepIndex, -1);
}

// The record after the object's own: the step index in 16 bits, then playing, moving, waiting and active; the
// line mover appends its point mover. A pause saved half-way runs on with the restoring object's own tween.
TEST_F(ObjectTest, AnimRecordHoldsTheStepAndFourFlags) {
    const std::string text =
        std::string("<object id=\"a\" ") + kStrip + R"(><movedat pause="1" startX="0" endX="10" time="1"/></object>)";
    auto bare = Make<TAnimObject>(R"(<object id="a"/>)");
    TBaseBuffer objectOnly;
    bare->TObject::SaveState(objectOnly);
    const size_t base = objectOnly.GetBytes().size();

    auto anim = Make<TAnimObject>(text);
    anim->Activate(0, 0, 0);
    objtest::Advance(*anim, 0.5f, 0.01f);
    TBaseBuffer saved;
    anim->SaveState(saved);
    ASSERT_EQ(saved.GetBytes().size(), base + 6);
    EXPECT_EQ(std::vector<uint8_t>(saved.GetBytes().begin() + static_cast<long>(base), saved.GetBytes().end()),
              (std::vector<uint8_t>{0, 0, 1, 0, 1, 1}));
    auto restored = Make<TAnimObject>(text);
    ASSERT_TRUE(RestoreObjectState(*restored, saved));
    EXPECT_TRUE(restored->mWaiting);
    EXPECT_TRUE(restored->IsActive());
    // The restored object's pause has not counted yet: after the half second the saved one had left it still
    // waits, and ends a second after the restore.
    objtest::Advance(*restored, 0.6f, 0.01f);
    EXPECT_TRUE(restored->mWaiting);
    objtest::Advance(*restored, 0.45f, 0.01f);
    EXPECT_FALSE(restored->mWaiting);

    // A step index of -1 is written as 0xFFFF, low byte first.
    auto idle = Make<TAnimObject>(R"(<object id="a"/>)");
    TBaseBuffer none;
    idle->SaveState(none);
    ASSERT_EQ(none.GetBytes().size(), base + 6);
    EXPECT_EQ(none.GetBytes()[base], 0xFF);
    EXPECT_EQ(none.GetBytes()[base + 1], 0xFF);

    // The line mover is movable: its own object record holds its place as well.
    auto line = Make<TLineMovingAnimObject>(text);
    TBaseBuffer lineObject;
    line->TObject::SaveState(lineObject);
    TBaseBuffer lineSaved;
    line->SaveState(lineSaved);
    TBaseBuffer mover;
    line->mLineMover.Write(mover);
    ASSERT_EQ(lineSaved.GetBytes().size(), lineObject.GetBytes().size() + 6 + mover.GetBytes().size());
    EXPECT_EQ(std::vector<uint8_t>(lineSaved.GetBytes().end() - static_cast<long>(mover.GetBytes().size()),
                                   lineSaved.GetBytes().end()),
              mover.GetBytes());
}

// The room view draws no strip; the developer view draws the current frame while active.
TEST_F(ObjectTest, AnimDrawsItsStripOnlyInTheAnimationView) {
    WriteImage("strip.png", 8, 4, [](int x, int) { return x < 4 ? kRed : kGreen; });
    auto anim =
        Make<TAnimObject>(std::string("<object x=\"2\" y=\"2\" name=\"strip.png\" play=\"1\" ") + kStrip + "/>");
    anim->LoadResources();
    anim->OnSpaceShow();
    BeginCanvas();
    anim->DrawAnimation();
    ExpectPixels({{3, 3, kBlack}});
    anim->Activate(0, 0, 0);
    BeginCanvas();
    anim->Draw(1.0f);
    ExpectPixels({{3, 3, kBlack}});
    BeginCanvas();
    anim->DrawAnimation();
    ExpectPixels({{3, 3, kRedPixel}, {7, 3, kBlack}});
    Advance(*anim, 0.6f, 0.01f);
    BeginCanvas();
    anim->DrawAnimation();
    ExpectPixels({{3, 3, kGreenPixel}, {7, 3, kBlack}});
    anim->SetVisible(false);
    BeginCanvas();
    anim->DrawAnimation();
    ExpectPixels({{3, 3, kBlack}});
}

// A room draws a strip's object as any object: its own image is never loaded, so only its children show.
TEST_F(ObjectTest, AnimShowsOnlyItsChildrenInTheRoomView) {
    WriteImage("strip.png", 8, 4, [](int x, int) { return x < 4 ? kRed : kGreen; });
    WriteSolidImage("textures/plate.png", 4, 2, kBlue);
    auto anim =
        Make<TAnimObject>(std::string("<object x=\"2\" y=\"2\" name=\"strip.png\" test=\"1\" ") + kStrip + "/>");
    TXml plate(R"(<object name="plate.png" x="2" y="8"/>)");
    auto* child = new TObject();
    child->LoadFromXml(plate.Root(), "");
    anim->AddChild(child);
    anim->LoadResources();
    anim->OnSpaceShow();
    anim->Restart();
    BeginCanvas();
    anim->Draw(1.0f);
    ExpectPixels({{3, 3, kBlack}, {3, 9, kBluePixel}, {6, 9, kBlack}});
    // A new strip drops the old strip's texture only; it shows once loaded.
    WriteSolidImage("other.png", 4, 4, kGreen);
    anim->SetAnimation("other.png", 1, 0.5f, 4, 4);
    EXPECT_EQ(anim->mStrip.mImageName, "other.png");
    BeginCanvas();
    anim->Draw(1.0f);
    anim->DrawAnimation();
    ExpectPixels({{3, 3, kBlack}, {3, 9, kBluePixel}});
    anim->LoadResources();
    anim->Restart();
    BeginCanvas();
    anim->DrawAnimation();
    ExpectPixels({{3, 3, kGreenPixel}, {3, 9, kBlack}});
    anim->UnloadResources();
    BeginCanvas();
    anim->Draw(1.0f);
    ExpectPixels({{3, 9, kBlack}});
}

// A place a broken file puts beyond int keeps the strip and its chained steps on the same side, well inside it.
TEST_F(ObjectTest, AnimPlaceBeyondIntStaysOnItsSide) {
    auto anim = Make<TAnimObject>(R"(<object x="3e38" y="-3e38"><movedat sflp="1" endX="5" endY="6"/></object>)");
    EXPECT_EQ(anim->mStrip.mImage.GetX(), 536870912.0f);
    EXPECT_EQ(anim->mStrip.mImage.GetY(), -536870912.0f);
    ASSERT_EQ(anim->mSteps.size(), 1u);
    EXPECT_EQ(anim->mSteps[0].startX, 536870912);
    EXPECT_EQ(anim->mSteps[0].startY, -536870912);
}

// The line mover draws its strip where its line has brought it.
TEST_F(ObjectTest, LineMoverDrawsItsStripAlongTheLine) {
    WriteImage("strip.png", 8, 4, [](int x, int) { return x < 4 ? kRed : kGreen; });
    auto line =
        Make<TLineMovingAnimObject>(std::string("<object x=\"0\" y=\"2\" test=\"1\" ") + kStrip +
                                    R"(><movedat startX="0" startY="2" endX="20" endY="2" time="1"/></object>)");
    line->LoadResources();
    line->OnSpaceShow();
    Advance(*line, 0.4f, 0.01f);
    ASSERT_TRUE(line->mMoving);
    BeginCanvas();
    line->DrawAnimation();
    // Two fifths along, at x 7 or 8: the first frame (0.5 s a frame) four columns wide from there.
    ExpectPixels({{6, 3, kBlack}, {9, 3, kRedPixel}, {10, 3, kRedPixel}, {12, 3, kBlack}, {1, 3, kBlack}});
}

} // namespace
