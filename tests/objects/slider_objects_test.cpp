// Sliders: loading, the thumb following presses, moves and drags, the spring back, saved state and the
// developer view that draws the track and thumb.

#include <cmath>
#include <limits>

#include "app/buffer.h"
#include "harness/harness.h"
#include "object_test_support.h"
#include "objects/slider_objects.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TXml;

// The object sits at (10, 10) with a 20-pixel track: a 24 x 4 track image and a 4 x 4 thumb, both centred.
constexpr const char* kBase = R"(id="s" x="10" y="10" length="20" slider="track.png" thumb="thumb.png" )";

class SliderTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("track.png", 24, 4, kGreen);
        WriteSolidImage("thumb.png", 4, 4, kRed);
    }

    template <typename T> std::unique_ptr<T> Make(const std::string& attributes) {
        auto slider = Load<T>(kBase + attributes);
        slider->LoadResources();
        slider->SetListener(&mListener);
        return slider;
    }

    int Clicks() {
        int count = 0;
        for (const std::string& call : mListener.Take()) {
            count += call == "clicked s" ? 1 : 0;
        }
        return count;
    }

    TRecordingListener mListener;
};

TEST_F(SliderTest, LoadsItsAttributes) {
    struct Case {
        const char* attributes;
        int length;
        float value;
        float defaultValue;
        bool horizontal;
        float thumbX, thumbY;
    };
    const Case cases[] = {
        {R"(id="a" x="10" y="10")", 0, 0, 0, true, 10, 10},
        {R"(id="a" x="10.7" y="5.9" length="40" val="0.25" def_val="0.5")", 40, 0.25f, 0.5f, true, 20, 5},
        {R"(id="a" x="10" y="10" length="40" val="0.5" horiz="0")", 40, 0.5f, 0, false, 10, 30},
        // Out of range: the value stays 0 and the thumb where the loader put it.
        {R"(id="a" x="10" y="10" length="40" val="1.5")", 40, 0, 0, true, 10, 10},
        {R"(id="a" x="10" y="10" length="40" val="-0.1")", 40, 0, 0, true, 10, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto slider = Load<TSliderObject>(c.attributes);
        EXPECT_EQ(slider->mLength, c.length);
        EXPECT_FLOAT_EQ(slider->GetValue(), c.value);
        EXPECT_FLOAT_EQ(slider->mDefaultValue, c.defaultValue);
        EXPECT_EQ(slider->mHorizontal, c.horizontal);
        EXPECT_FALSE(slider->IsDragging());
        EXPECT_FLOAT_EQ(slider->mThumb.mBaseX, c.thumbX);
        EXPECT_FLOAT_EQ(slider->mThumb.mBaseY, c.thumbY);
        EXPECT_TRUE(slider->mThumb.mCentred);
    }
    auto spring = Load<TSpringedObject>(
        R"(id="b" x="3" y="4" slide_sound="glide" slider="t.png" thumb="k.png" time="-2")", "rooms/r/");
    EXPECT_EQ(spring->mSlideSound, "glide");
    EXPECT_EQ(spring->mTrack.mImageName, "rooms/r/t.png");
    EXPECT_EQ(spring->mThumb.mImageName, "rooms/r/k.png");
    EXPECT_FLOAT_EQ(spring->mTrack.mBaseX, 3);
    EXPECT_FLOAT_EQ(spring->mTrack.mBaseY, 4);
    EXPECT_FLOAT_EQ(spring->mSpringTime, -2);
    EXPECT_FLOAT_EQ(Load<TSpringedObject>(R"(id="c")")->mSpringTime, 0.1f);
    EXPECT_TRUE(spring->IsMovable());
}

struct Step {
    // "down", "move", "drag", "up", "wait", "lock", "set" (value in x) or "save".
    const char* action;
    float x, y;
    float value;
    bool dragging;
    float thumbX, thumbY;
    int clicks;
    // What the pointer call returned; -1 when not checked.
    int result = -1;
};

template <typename T>
void RunSteps(SliderTest& test, const std::string& attributes, const std::vector<Step>& steps,
              const std::function<std::unique_ptr<T>()>& make, const std::function<int()>& clicks) {
    for (const bool withSaves : {false, true}) {
        auto slider = make();
        for (size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            const std::string action = step.action;
            SCOPED_TRACE(attributes + (withSaves ? " saved" : "") + " step " + std::to_string(i) + " " + action);
            const TMouseEvent event = At(static_cast<int>(step.x), static_cast<int>(step.y));
            int result = -1;
            if (action == "down") {
                result = slider->OnMouseDown(event);
            } else if (action == "move") {
                result = slider->OnMouseMove(event, nullptr);
            } else if (action == "drag") {
                result = slider->OnMouseDrag(event);
            } else if (action == "up") {
                result = slider->OnMouseUp(event);
            } else if (action == "wait") {
                Advance(*slider, step.x, 0.01f);
            } else if (action == "lock") {
                slider->Lock();
            } else if (action == "set") {
                slider->SetValue(step.x);
            } else if (withSaves) {
                TBaseBuffer saved;
                slider->SaveState(saved);
                slider = make();
                ASSERT_TRUE(RestoreObjectState(*slider, saved));
            }
            EXPECT_NEAR(slider->GetValue(), step.value, 0.011f);
            EXPECT_EQ(slider->IsDragging(), step.dragging);
            EXPECT_NEAR(slider->mThumb.mBaseX, step.thumbX, 0.5f);
            EXPECT_NEAR(slider->mThumb.mBaseY, step.thumbY, 0.5f);
            EXPECT_EQ(clicks(), step.clicks);
            if (step.result != -1) {
                EXPECT_EQ(result, step.result);
            }
        }
    }
}

// One press picks the thumb up, plain moves carry it, the next press anywhere puts it down.
TEST_F(SliderTest, PressedThumbFollowsMovesUntilTheNextPress) {
    struct Case {
        const char* attributes;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"",
         {{"move", 20, 10, 0, false, 10, 10, 0},
          // On the thumb: picked up with the grab offset 1; the track takes the click.
          {"down", 11, 10, 0, true, 10, 10, 1, 1},
          {"move", 21, 30, 0.5f, true, 20, 10, 0},
          {"move", 40, 10, 1, true, 30, 10, 0},
          {"move", 0, 10, 0, true, 10, 10, 0},
          {"move", 16, 50, 0.25f, true, 15, 10, 0},
          // Anywhere: put down.
          {"down", 30, 30, 0.25f, false, 15, 10, 0, 0},
          {"save", 0, 0, 0.25f, false, 15, 10, 0},
          {"move", 25, 10, 0.25f, false, 15, 10, 0},
          // On the track off the thumb: a click, nothing picked up.
          {"down", 19, 10, 0.25f, false, 15, 10, 1, 1},
          {"move", 29, 10, 0.25f, false, 15, 10, 0},
          {"down", 15, 10, 0.25f, true, 15, 10, 1, 1},
          {"move", 26, 10, 0.8f, true, 26, 10, 0},
          {"down", 26, 10, 0.8f, false, 26, 10, 1, 1},
          // Locked: the thumb cannot be picked up.
          {"lock", 0, 0, 0.8f, false, 26, 10, 0},
          {"down", 26, 10, 0.8f, false, 26, 10, 0, 0},
          {"move", 12, 10, 0.8f, false, 26, 10, 0}}},
        {R"(horiz="0")",
         {{"down", 10, 11, 0, true, 10, 10, 1, 1},
          {"move", 0, 21, 0.5f, true, 10, 20, 0},
          {"move", 0, 60, 1, true, 10, 30, 0},
          {"down", 0, 0, 1, false, 10, 30, 0},
          {"save", 0, 0, 1, false, 10, 30, 0},
          {"set", 0.1f, 0, 0.1f, false, 10, 12, 0}}},
    };
    for (const Case& c : cases) {
        RunSteps<TSliderObject>(
            *this, c.attributes, c.steps, [&] { return Make<TSliderObject>(c.attributes); }, [&] { return Clicks(); });
    }
    // A right press neither picks up nor puts down.
    auto slider = Make<TSliderObject>("");
    TMouseEvent right = At(10, 10);
    right.buttons = TMouseEvent::kRight;
    slider->OnMouseDown(right);
    EXPECT_FALSE(slider->IsDragging());
    slider->OnMouseDown(At(10, 10));
    ASSERT_TRUE(slider->IsDragging());
    slider->OnMouseDown(right);
    EXPECT_TRUE(slider->IsDragging());
}

// Drags move the thumb and the release puts it down; releasing a spring sends it back to the default value.
TEST_F(SliderTest, DraggedThumbFollowsTheDragAndSpringsBack) {
    const std::vector<Step> drag = {
        {"down", 10, 10, 0, true, 10, 10, 1, 1},
        // Plain moves leave a drag slider's thumb alone.
        {"move", 20, 10, 0, true, 10, 10, 0},
        {"drag", 20, 10, 0.5f, true, 20, 10, 0, 1},
        {"drag", 45, 3, 1, true, 30, 10, 0, 1},
        {"drag", 24, 3, 0.7f, true, 24, 10, 0, 1},
        // The release is a second press over the thumb: a second click.
        {"up", 24, 10, 0.7f, false, 24, 10, 1, 1},
        {"drag", 12, 10, 0.7f, false, 24, 10, 0, 0},
        {"up", 24, 10, 0.7f, false, 24, 10, 0, 0},
        {"save", 0, 0, 0.7f, false, 24, 10, 0},
        {"down", 24, 10, 0.7f, true, 24, 10, 1, 1},
        // Released away from the object: put down without a click.
        {"drag", 12, 10, 0.1f, true, 12, 10, 0, 1},
        {"up", 12, 30, 0.1f, false, 12, 10, 0, 0},
    };
    RunSteps<TDragSliderObject>(
        *this, "drag", drag, [&] { return Make<TDragSliderObject>(""); }, [&] { return Clicks(); });

    const std::string spring = R"(val="0.2" def_val="0.2" time="-0.5")";
    const std::vector<Step> springs = {
        {"down", 14, 10, 0.2f, true, 14, 10, 1, 1},
        {"drag", 26, 10, 0.8f, true, 26, 10, 0, 1},
        {"wait", 1, 0, 0.8f, true, 26, 10, 0},
        {"up", 26, 10, 0.8f, false, 26, 10, 1, 1},
        // Sampled between whole pixels: the thumb's place is truncated.
        {"wait", 0.24f, 0, 0.512f, false, 20, 10, 0},
        {"save", 0, 0, 0.512f, false, 20, 10, 0},
        {"wait", 0.16f, 0, 0.32f, false, 16, 10, 0},
        {"wait", 0.15f, 0, 0.2f, false, 14, 10, 0},
        // Released without a drag: the spring starts all the same.
        {"set", 1, 0, 1, false, 30, 10, 0},
        {"up", 0, 0, 1, false, 30, 10, 0, 0},
        {"wait", 0.24f, 0, 0.616f, false, 22, 10, 0},
        {"wait", 0.3f, 0, 0.2f, false, 14, 10, 0},
    };
    RunSteps<TSpringedObject>(
        *this, spring, springs, [&] { return Make<TSpringedObject>(spring); }, [&] { return Clicks(); });
}

TEST_F(SliderTest, SavedStateIsTheValueInThousandthsThenTheSpring) {
    auto slider = Make<TSliderObject>(R"(val="0.375")");
    TBaseBuffer plain, saved;
    slider->TObject::SaveState(plain);
    slider->SaveState(saved);
    ASSERT_EQ(saved.GetSize(), plain.GetSize() + 4);
    // 375 = 0x177, low byte first.
    EXPECT_EQ(std::vector<uint8_t>(saved.GetBytes().end() - 4, saved.GetBytes().end()),
              (std::vector<uint8_t>{0x77, 0x01, 0, 0}));

    auto spring = Make<TSpringedObject>(R"(def_val="0.25" val="0.75" time="2")");
    spring->OnMouseUp(At(0, 0));
    Advance(*spring, 1.0f, 0.01f);
    TBaseBuffer springPlain, springSaved;
    spring->TObject::SaveState(springPlain);
    spring->SaveState(springSaved);
    ASSERT_EQ(springSaved.GetSize(), springPlain.GetSize() + 4 + 24);
    const std::vector<uint8_t> bytes(springSaved.GetBytes().begin() + springPlain.GetSize(),
                                     springSaved.GetBytes().end());
    // Value 0.5, then the tween: current 0.5, from 0.75, to 0.25, 2 seconds, 1 elapsed, running.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4), (std::vector<uint8_t>{0xF4, 0x01, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 8, bytes.begin() + 24),
              (std::vector<uint8_t>{0xEE, 0x02, 0, 0, 0xFA, 0, 0, 0, 0xD0, 0x07, 0, 0, 0xE8, 0x03, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 24, bytes.end()), (std::vector<uint8_t>{0, 1, 0, 1}));

    // A moved slider keeps its place through the record.
    slider->SetPosition(4, 6, true);
    TBaseBuffer moved;
    slider->SaveState(moved);
    auto restored = Make<TSliderObject>("");
    ASSERT_TRUE(RestoreObjectState(*restored, moved));
    EXPECT_FLOAT_EQ(restored->GetX(), 4);
    EXPECT_FLOAT_EQ(restored->GetValue(), 0.375f);
    EXPECT_FLOAT_EQ(restored->mThumb.mBaseX, 4 + 7);
}

// A track of no length never divides: the thumb stays at the start wherever it is carried.
TEST_F(SliderTest, ZeroLengthAndBadValuesAreRefused) {
    auto slider = Load<TSliderObject>(R"(id="z" x="10" y="10" thumb="thumb.png")");
    EXPECT_TRUE(harness::LogContains("slider z: length 0, the thumb stays at the start"));
    slider->LoadResources();
    slider->OnMouseDown(At(10, 10));
    ASSERT_TRUE(slider->IsDragging());
    for (const int x : {10, 9, 11}) {
        slider->OnMouseMove(At(x, 10), nullptr);
        EXPECT_FLOAT_EQ(slider->GetValue(), x > 10 ? 1.0f : 0.0f) << x;
        EXPECT_FLOAT_EQ(slider->mThumb.mBaseX, 10) << x;
    }
    auto other = Make<TSliderObject>(R"(val="0.5")");
    for (const float bad : {std::numeric_limits<float>::quiet_NaN(), 1.01f, -0.01f}) {
        other->SetValue(bad);
        EXPECT_FLOAT_EQ(other->GetValue(), 0.5f) << bad;
        EXPECT_FLOAT_EQ(other->mThumb.mBaseX, 20) << bad;
    }
}

// A track as long as int reaches, and a pointer at int's ends: the thumb's place is worked out without
// overflow, the value within 0..1.
TEST_F(SliderTest, TrackAndPointerAtIntsEnds) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    auto slider = Load<TSliderObject>(R"(id="w" x="10" y="10" length="2147483647" thumb="thumb.png")");
    slider->LoadResources();
    // Picked up one pixel right of the thumb's place: the grab offset is 1.
    slider->OnMouseDown(At(11, 10));
    ASSERT_TRUE(slider->IsDragging());
    struct Case {
        int x;
        float value;
        float thumbX;
    };
    const std::vector<Case> cases = {
        {1011, 1000.0f / static_cast<float>(kMax), 1010},
        {kMin, 0, 10},
        // The pointer at int's end is still inside the track, a pixel short of its far end less the start.
        {kMax, static_cast<float>(kMax - 11) / static_cast<float>(kMax), static_cast<float>(kMax - 1)},
    };
    for (const Case& c : cases) {
        slider->OnMouseMove(At(c.x, 10), nullptr);
        EXPECT_FLOAT_EQ(slider->GetValue(), c.value) << c.x;
        EXPECT_FLOAT_EQ(slider->mThumb.mBaseX, c.thumbX) << c.x;
    }
}

TEST_F(SliderTest, HiddenOrLockedTrackTakesNoPress) {
    auto slider = Make<TSliderObject>("");
    EXPECT_TRUE(slider->HitTest(20, 10, true));
    EXPECT_FALSE(slider->HitTest(20, 13, true));
    slider->Lock();
    EXPECT_FALSE(slider->HitTest(20, 10, true));
    EXPECT_TRUE(slider->HitTest(20, 10, false));
    slider->Unlock();
    slider->mVisible = false;
    EXPECT_FALSE(slider->HitTest(20, 10, false));
    EXPECT_FALSE(slider->OnMouseDown(At(10, 10)));
    EXPECT_FALSE(slider->IsDragging());
}

TEST_F(SliderTest, ResetReturnsToTheDefaultUnlessHeld) {
    auto slider = Make<TSliderObject>(R"(def_val="0.25" val="1")");
    slider->OnMouseDown(At(30, 10));
    ASSERT_TRUE(slider->IsDragging());
    slider->Reset();
    EXPECT_FLOAT_EQ(slider->GetValue(), 1);
    slider->OnMouseDown(At(30, 10));
    slider->Reset();
    EXPECT_FLOAT_EQ(slider->GetValue(), 0.25f);
    EXPECT_FLOAT_EQ(slider->mThumb.mBaseX, 15);
}

// Rooms show only the object; the developer view adds the track and the thumb at its value.
TEST_F(SliderTest, DrawAllShowsTrackAndThumb) {
    auto slider = Make<TSliderObject>(R"(val="0.5")");
    BeginCanvas();
    slider->Draw(1.0f);
    ExpectPixels({{19, 9, kBlack}, {13, 9, kBlack}});
    BeginCanvas();
    slider->DrawAll();
    // Thumb centred at (20, 10): 18..21 x 8..11; the track 24 x 4 centred at (10, 10): -2..21 x 8..11.
    ExpectPixels({{18, 8, kRedPixel},
                  {21, 11, kRedPixel},
                  {17, 9, kGreenPixel},
                  {0, 8, kGreenPixel},
                  {10, 9, kGreenPixel},
                  {22, 9, kBlack},
                  {19, 12, kBlack},
                  {19, 7, kBlack}});
    slider->SetValue(0);
    BeginCanvas();
    slider->DrawAll();
    ExpectPixels({{10, 9, kRedPixel}, {19, 9, kGreenPixel}});
    slider->mVisible = false;
    BeginCanvas();
    slider->DrawAll();
    ExpectPixels({{10, 9, kBlack}, {19, 9, kBlack}});
}

} // namespace
