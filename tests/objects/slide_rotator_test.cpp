// Wheels slide through a strip of pictures one step per click and wrap back to the first; the lock opens
// when every wheel shows its digit of the combination and raises its second event after the delay.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/slide_rotator.h"
#include "rooms/game_space.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TXml;
using Strings = std::vector<std::string>;

class SlideRotatorTest : public ObjectTest {
protected:
    // The first object of a scene, loaded through a space so that children and OnLoaded run as in a room.
    std::unique_ptr<TObject> LoadScene(const std::string& objects) {
        TObjectFactory::CreateInstance();
        TXml xml("<scene>" + objects + "</scene>");
        // Objects keep a pointer to their space: every space lives as long as the test.
        mSpaces.push_back(std::make_unique<TGameSpace>());
        TGameSpace& space = *mSpaces.back();
        space.LoadObjectsFromXml(xml.Root(), "");
        EXPECT_EQ(space.mObjects.size(), 1u);
        std::unique_ptr<TObject> object = std::move(space.mObjects[0]);
        space.mObjects.clear();
        object->SetListener(&mListener);
        return object;
    }

    std::vector<std::unique_ptr<TGameSpace>> mSpaces;
    TRecordingListener mListener;
};

struct TWheelStep {
    // "click X", "wait S" or "save".
    std::string action;
    float value;
    int current;
    int windowY;
    bool sliding;
};

// A wheel of ten 4-pixel pictures: steps forward in rtime, wraps back through the strip in a third of
// the strip's time, and ignores a click while sliding.
TEST_F(SlideRotatorTest, WheelStepsAndWraps) {
    const std::string wheel =
        R"(<object id="w" type="slide_rotator" w="10" h="10" cob="1" num_of_images="10" cur_image="8" vis_rect="0.0.4.4"/>)";
    const std::vector<TWheelStep> steps = {
        {"click", 0, 9, 32, true},     {"wait", 0.076f, 9, 34, true}, {"click", 0, 9, 34, true},
        {"wait", 0.08f, 9, 36, false}, {"click", 0, 0, 36, true},     {"wait", 0.25f, 0, 18, true},
        {"save", 0, 0, 18, true},      {"wait", 0.26f, 0, 0, false},  {"click", 0, 1, 0, true},
        {"wait", 0.16f, 1, 4, false},
    };
    for (const bool withSave : {false, true}) {
        auto object = LoadScene(wheel);
        for (size_t i = 0; i < steps.size(); ++i) {
            const TWheelStep& step = steps[i];
            SCOPED_TRACE(step.action + " step " + std::to_string(i) + (withSave ? " saved" : ""));
            if (step.action == "click") {
                EXPECT_TRUE(object->OnMouseDown(At(5, 5)));
            } else if (step.action == "wait") {
                Advance(*object, step.value);
            } else if (withSave) {
                TBaseBuffer saved;
                object->SaveState(saved);
                object = LoadScene(wheel);
                ASSERT_TRUE(RestoreObjectState(*object, saved));
            }
            auto& rotator = dynamic_cast<TSlideImageRotator&>(*object);
            EXPECT_EQ(rotator.mCurrent, step.current);
            EXPECT_NEAR(rotator.mWindow[1], step.windowY, 1);
            EXPECT_EQ(rotator.mSliding, step.sliding);
        }
    }
}

TEST_F(SlideRotatorTest, WheelRefusesAStartOutsideItsStrip) {
    struct Case {
        const char* attributes;
        int current;
        int windowY;
    };
    const Case cases[] = {
        {R"(num_of_images="3" cur_image="2" vis_rect="0.0.4.4")", 2, 8},
        {R"(num_of_images="3" cur_image="3" vis_rect="0.0.4.4")", 0, 0},
        {R"(num_of_images="3" cur_image="-2" vis_rect="0.0.4.4")", 0, 0},
        // No pictures at all: a click wraps to 0 at once.
        {R"(num_of_images="0" vis_rect="0.0.4.4")", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto wheel = objtest::Load<TSlideImageRotator>(std::string(R"(w="10" h="10" cob="1" )") + c.attributes);
        EXPECT_EQ(wheel->mCurrent, c.current);
        EXPECT_EQ(wheel->mWindow[1], c.windowY);
        wheel->OnMouseDown(At(5, 5));
        Advance(*wheel, 1.0f);
        EXPECT_GE(wheel->mCurrent, 0);
        EXPECT_LT(wheel->mCurrent, std::max(wheel->mCount, 1));
        EXPECT_FALSE(wheel->mSliding);
    }
}

TEST_F(SlideRotatorTest, WheelSavesTweenWindowIndexAndSlidingFlag) {
    auto wheel = objtest::Load<TSlideImageRotator>(
        R"(w="10" h="10" cob="1" num_of_images="3" cur_image="1" vis_rect="2.0.4.5" rtime="0.1")");
    TBaseBuffer plain, saved;
    wheel->TObject::SaveState(plain);
    wheel->OnMouseDown(At(5, 5));
    wheel->SaveState(saved);
    ASSERT_EQ(saved.GetSize(), plain.GetSize() + 24 + 10 + 1);
    // Window 2, 5, 4, 5 and index 2 as 16-bit values low byte first, then sliding.
    EXPECT_EQ(std::vector<uint8_t>(saved.GetBytes().end() - 11, saved.GetBytes().end()),
              (std::vector<uint8_t>{2, 0, 5, 0, 4, 0, 5, 0, 2, 0, 1}));
}

struct TLockCase {
    const char* lockAttributes;
    // "click a", "click b", "wait S", "save"; the reports expected after each.
    std::vector<std::pair<std::string, Strings>> steps;
};

TEST_F(SlideRotatorTest, LockOpensOnItsCombination) {
    const std::vector<TLockCase> cases = {
        {R"(combination="1,2" delay="1.5")",
         {{"click b", {}},
          {"wait 0.15", {}},
          {"click b", {}},
          {"wait 0.15", {}},
          // The last wheel reaches its digit: after-event 0 when its slide ends.
          {"click a", {}},
          {"wait 0.15", {"unlock //open"}},
          {"wait 1.0", {}},
          {"save", {}},
          {"wait 0.6", {"unlock //later"}},
          {"wait 2.0", {}}}},
        // No delay: only the first event.
        {R"(combination="1,0" delay="0")",
         {{"click a", {}}, {"save", {}}, {"wait 0.15", {"unlock //open"}}, {"wait 2.0", {}}}},
        // A wheel passing through the right digit while the other matches opens the lock then.
        {R"(combination="0,2")",
         {{"click a", {}},
          {"wait 0.15", {}},
          {"click b", {}},
          {"click b", {}},
          {"wait 0.15", {}},
          {"click b", {}},
          {"save", {}},
          {"wait 0.15", {}},
          {"click a", {}},
          {"wait 0.15", {}},
          {"click a", {}},
          {"wait 0.15", {"unlock //open"}},
          {"wait 0.5", {}},
          {"wait 0.55", {"unlock //later"}}}},
        // Fewer entries than wheels: the second wheel can never match, so the lock stays shut.
        {R"(combination="1")", {{"click a", {}}, {"save", {}}, {"wait 0.15", {}}, {"click b", {}}, {"wait 3", {}}}},
    };
    for (const TLockCase& c : cases) {
        const std::string scene =
            std::string(R"(<object id="lock" type="case_lock" uae="open;later" )") + c.lockAttributes + R"(>
            <object id="a" type="slide_rotator" w="10" h="10" cob="1" num_of_images="3" rtime="0.1" vis_rect="0.0.4.4"/>
            <object id="plain" x="40" w="10" h="10" cob="1"/>
            <object id="b" type="slide_rotator" x="20" w="10" h="10" cob="1" num_of_images="3" rtime="0.1" vis_rect="0.0.4.4"/>
            </object>)";
        for (const bool withSave : {false, true}) {
            auto lock = LoadScene(scene);
            for (size_t i = 0; i < c.steps.size(); ++i) {
                const std::string& action = c.steps[i].first;
                SCOPED_TRACE(std::string(c.lockAttributes) + " step " + std::to_string(i) + " " + action +
                             (withSave ? " saved" : ""));
                if (action == "click a" || action == "click b") {
                    EXPECT_TRUE(lock->OnMouseDown(At(action == "click a" ? 5 : 25, 5)));
                } else if (action.rfind("wait ", 0) == 0) {
                    Advance(*lock, std::stof(action.substr(5)));
                } else if (withSave) {
                    TBaseBuffer saved;
                    lock->SaveState(saved);
                    lock = LoadScene(scene);
                    ASSERT_TRUE(RestoreObjectState(*lock, saved));
                }
                Strings unlocks;
                for (const std::string& call : mListener.Take()) {
                    if (call.rfind("unlock", 0) == 0) {
                        unlocks.push_back(call);
                    }
                }
                EXPECT_EQ(unlocks, c.steps[i].second);
            }
        }
    }
}

TEST_F(SlideRotatorTest, LockingTheLockLocksItsWheels) {
    auto lock = LoadScene(R"(<object id="lock" type="case_lock" combination="1">
        <object id="a" type="slide_rotator" w="10" h="10" cob="1" num_of_images="3" vis_rect="0.0.4.4"/></object>)");
    auto& wheel = dynamic_cast<TSlideImageRotator&>(*lock->GetChildren()[0]);
    lock->Lock();
    EXPECT_TRUE(wheel.IsLocked());
    lock->OnMouseDown(At(5, 5));
    EXPECT_EQ(wheel.mCurrent, 0);
    EXPECT_FALSE(wheel.mSliding);
    lock->Unlock();
    EXPECT_FALSE(lock->IsLocked());
    EXPECT_TRUE(lock->OnMouseDown(At(5, 5)));
    EXPECT_EQ(wheel.mCurrent, 1);
}

// Rooms show only the wheel; the developer view adds the strip through its window.
TEST_F(SlideRotatorTest, DrawAllShowsTheStripThroughTheWindow) {
    WriteImage("strip.png", 4, 12, [](int, int y) { return y < 4 ? kRed : y < 8 ? kGreen : kBlue; });
    TXml xml(R"(<object w="10" h="10" cob="1" num_of_images="3" vis_rect="0.0.4.4" rtime="0.1">
        <img filename="strip.png" x="8" y="8"/></object>)");
    TSlideImageRotator wheel;
    wheel.LoadFromXml(xml.Root(), "");
    wheel.LoadResources();
    wheel.OnSpaceShow();
    BeginCanvas();
    wheel.Draw(1.0f);
    ExpectPixels({{9, 9, kBlack}});
    BeginCanvas();
    wheel.DrawAll();
    // Only the first picture, one window high.
    ExpectPixels({{9, 9, kRedPixel}, {11, 11, kRedPixel}, {9, 12, kBlack}, {12, 9, kBlack}});
    wheel.OnMouseDown(At(5, 5));
    Advance(wheel, 0.06f, 0.06f);
    BeginCanvas();
    wheel.DrawAll();
    // Half way: the lower half of red over the upper half of green.
    ExpectPixels({{9, 9, kRedPixel}, {9, 10, kGreenPixel}, {9, 11, kGreenPixel}, {9, 12, kBlack}});
    Advance(wheel, 0.06f, 0.06f);
    BeginCanvas();
    wheel.DrawAll();
    ExpectPixels({{9, 8, kGreenPixel}, {11, 11, kGreenPixel}, {9, 12, kBlack}});
    wheel.mVisible = false;
    BeginCanvas();
    wheel.DrawAll();
    ExpectPixels({{9, 9, kBlack}});
}

} // namespace
