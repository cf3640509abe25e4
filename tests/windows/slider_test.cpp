// Sliders driven through the window manager: values from presses and drags, reports, the range, the
// cursor over the thumb, a slider with no usable track, and where the thumb is drawn.

#include <cmath>

#include "controls_fixture.h"
#include "windows/slider.h"
#include "windows/ui_image_box.h"

namespace {

using wintest::LeftDown;
using wintest::LeftUp;
using wintest::Move;
using wintest::Send;
using Lines = std::vector<std::string>;

class TSliderRecorder : public TBaseSliderListener {
public:
    void OnSliderChanged(int id, float value, TBaseSlider*) override {
        lines.push_back(FormatString("changed %d %.4f", id, value));
    }
    void OnSliderReleased(int id, float value, TBaseSlider*) override {
        lines.push_back(FormatString("released %d %.4f", id, value));
    }
    Lines lines;
};

// A slider at (20, 30) with a 200 x 10 track, a 10 x 10 thumb and a margin of 10: the thumb's centre runs
// over local x 10..190.
class SliderTest : public wintest::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        WriteSolidImage("s/track.png", 200, 10, kGreen);
        WriteSolidImage("s/short.png", 20, 10, kGreen);
        WriteSolidImage("s/thumb.png", 10, 10, kRed);
    }

    TBaseSlider* MakeSlider(const std::string& attributes, const std::string& name = "slider") {
        LoadBoxes("<object name='" + name + "' type='slider' id='4' " + attributes + "/>");
        TBaseSlider* slider = TBaseSlider::Create(Box<TUIBaseSlider>(name), mScreen);
        slider->mSliderListener = &mRecorder;
        return slider;
    }

    TBaseSlider* MakeStandard() { return MakeSlider("x='20' y='30' image='s/track' tumb='s/thumb' xoffset='10'"); }

    TSliderRecorder mRecorder;
};

TEST_F(SliderTest, TheDescriptionSizesTheSliderByItsTrack) {
    TBaseSlider* slider = MakeSlider("x='20' y='30' w='5' h='5' halign='0' image='s/track' tumb='s/thumb' "
                                     "xoffset='10' yoffset='2' ytumboffset='3' value='1.5'");
    EXPECT_EQ(slider->GetX(), 20); // no alignment
    EXPECT_EQ(slider->GetWidth(), 200);
    EXPECT_EQ(slider->GetHeight(), 10);
    EXPECT_EQ(slider->mMargin, 10);
    EXPECT_EQ(slider->mTrackOffsetY, 2);
    EXPECT_EQ(slider->mThumbOffsetY, 3);
    EXPECT_FLOAT_EQ(slider->mValue, 1.5f); // kept as read until set
    EXPECT_EQ(slider->mId, 4);
    EXPECT_EQ(slider->GetType(), kWindowKindPlain);
    const std::vector<std::pair<float, float>> values = {{1.5f, 1.0f}, {-0.5f, 0.0f}, {0.25f, 0.25f}};
    for (const auto& [given, stored] : values) {
        slider->SetValue(given);
        EXPECT_FLOAT_EQ(slider->mValue, stored) << given;
    }
    EXPECT_TRUE(mRecorder.lines.empty());
}

TEST_F(SliderTest, PressesDragsAndReleasesReportTheValue) {
    struct Case {
        const char* what;
        std::function<void(TBaseSlider*)> setup;
        std::vector<TInputEvent> inputs;
        Lines reports;
        float value;
    };
    const std::vector<Case> cases = {
        // (110 - 10) / (200 - 20) = 0.5556; the press itself tells nobody.
        {"a press on the track",
         [](TBaseSlider*) {},
         {LeftDown(130, 35), LeftUp(130, 35)},
         {"changed 4 0.5556", "released 4 0.5556"},
         100.0f / 180.0f},
        {"drags past the ends report each change once",
         [](TBaseSlider*) {},
         {LeftDown(130, 35), Move(520, 35, 1), Move(620, 35, 1), Move(30, 35, 1), Move(-30, 35, 1), LeftUp(-30, 35)},
         {"changed 4 1.0000", "changed 4 0.0000", "changed 4 0.0000", "released 4 0.0000"},
         0.0f},
        {"a press on the thumb keeps the value, in the range's units",
         [](TBaseSlider* s) {
             s->SetValue(0.25f);
             s->mRangeMax = 100;
         },
         {LeftDown(20 + 55, 35), LeftUp(20 + 55, 35)},
         {"changed 4 25.0000", "released 4 25.0000"},
         0.25f},
        {"dragging follows the pointer whether or not the thumb was grabbed",
         [](TBaseSlider* s) { s->SetValue(0.5f); },
         {LeftDown(20 + 100, 35), Move(20 + 190, 40, 1), LeftUp(20 + 190, 40)},
         {"changed 4 1.0000", "changed 4 1.0000", "released 4 1.0000"},
         1.0f},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBaseSlider* slider =
            MakeSlider("x='20' y='30' image='s/track' tumb='s/thumb' xoffset='10'", "s" + std::to_string(index++));
        mRecorder.lines.clear();
        c.setup(slider);
        Send(c.inputs);
        EXPECT_EQ(mRecorder.lines, c.reports);
        EXPECT_NEAR(slider->mValue, c.value, 1e-6);
        EXPECT_FALSE(slider->mGrabbed);
        slider->mShown = false;
    }
}

TEST_F(SliderTest, TheThumbShowsTheDragCursorAndKeepsItWhileGrabbed) {
    TBaseSlider* slider = MakeStandard();
    Send({Move(60, 35)});
    EXPECT_EQ(CursorName(), "default");
    Send({Move(30, 35)}); // local 10: the thumb's centre
    EXPECT_EQ(CursorName(), "drag");
    Send({Move(40, 35)});
    EXPECT_EQ(CursorName(), "default");
    Send({Move(34, 35), LeftDown(34, 35)});
    EXPECT_TRUE(slider->mGrabbed);
    EXPECT_EQ(CursorName(), "drag");
    Send({Move(34, 100, 1)});
    EXPECT_EQ(CursorName(), "drag");
    Send({LeftUp(34, 100)});
    EXPECT_EQ(CursorName(), "default");
}

TEST_F(SliderTest, NoUsableTrackIgnoresThePointerAndNeverReportsNaN) {
    // Width 20 with margin 10 leaves nothing for the thumb to travel.
    TBaseSlider* slider = MakeSlider("x='20' y='30' image='s/short' tumb='s/thumb' xoffset='10'");
    Send({LeftDown(25, 35), Move(35, 35, 1), LeftUp(35, 35)});
    EXPECT_FALSE(std::isnan(slider->mValue));
    EXPECT_EQ(mRecorder.lines, (Lines{"changed 4 0.0000", "released 4 0.0000"}));
}

TEST_F(SliderTest, TheThumbIsDrawnAlongTheTrack) {
    WriteSolidImage("s/small.png", 30, 4, kGreen);
    WriteSolidImage("s/knob.png", 6, 6, kRed);
    // Margin 3, value 0.5: travel (30 - 6) x 0.5 = 12, centre at 15.
    struct Case {
        const char* thumbSize;
        std::vector<TProbe> probes;
    };
    const std::vector<Case> cases = {
        // Half the texture width: x 12..17, rows 10..15.
        {"",
         {{12, 12, kRedPixel}, {17, 15, kRedPixel}, {11, 10, kGreenPixel}, {18, 10, kGreenPixel}, {11, 14, kBlack}}},
        // A 4 x 2 source rectangle: x 13..16, rows 10..11.
        {"tumbw='4' tumbh='2'",
         {{13, 10, kRedPixel}, {16, 11, kRedPixel}, {12, 10, kGreenPixel}, {13, 12, kGreenPixel}}},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.thumbSize);
        TBaseSlider* slider = MakeSlider(std::string("x='0' y='10' image='s/small' tumb='s/knob' xoffset='3' "
                                                     "value='0.5' ") +
                                             c.thumbSize,
                                         "d" + std::to_string(index++));
        BeginCanvas();
        mScreen->Draw();
        ExpectPixels(c.probes);
        slider->mShown = false;
    }
}

} // namespace
