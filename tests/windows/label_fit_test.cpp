// The check the screen tours use to find cut texts: labels measured in their own font against their box.

#include "controls_fixture.h"
#include "harness/screen_checks.h"
#include "windows/button.h"
#include "windows/text_label.h"
#include "windows/ui_button_box.h"
#include "windows/ui_text_box.h"

namespace {

class LabelFitTest : public wintest::ControlsTest {
protected:
    TSimpleTextImage* MakeLabel(const std::string& name, const std::string& attributes) {
        LoadBoxes("<object name='" + name + "' type='imagetext' font='tiny' " + attributes + "/>");
        return TSimpleTextImage::Create(Box<TUIImageText>(name), mScreen);
    }
};

TEST_F(LabelFitTest, OnlyShownLabelsWiderOrTallerThanTheirBoxAreReported) {
    // "AB A" is 4 + 3 + 2 + 4 = 13 pixels in the tiny font.
    MakeLabel("exact", "text='AB A' w='13' h='10'");
    MakeLabel("narrow", "text='AB A' w='12' h='10'");
    MakeLabel("pointlike", "text='AB A' w='0' h='10'");
    MakeLabel("hidden", "text='AB A' w='2' h='10'")->mShown = false;
    TSimpleTextImage* wrappedLow = MakeLabel("wrappedlow", "text='AB A AB A AB A' w='14' h='1'");
    wrappedLow->mWrapped = true;
    TSimpleTextImage* wrappedTall = MakeLabel("wrappedtall", "text='AB A AB A AB A' w='14' h='200'");
    wrappedTall->mWrapped = true;

    const std::vector<std::string> found = harness::LabelsThatDoNotFit(mScreen);
    ASSERT_EQ(found.size(), 2u) << ::testing::PrintToString(found);
    EXPECT_NE(found[0].find("/narrow: \"AB A\" is 13 px wide, the box 12"), std::string::npos) << found[0];
    EXPECT_NE(found[1].find("/wrappedlow: "), std::string::npos) << found[1];
}

// A button draws its caption in the caption's own box: the button's size, or its "textrect" (a check
// box's label beside it). A caption cut by its box is reported like a label.
TEST_F(LabelFitTest, ButtonCaptionsAreMeasuredInTheirOwnBox) {
    LoadBoxes("<object name='plain' type='button' font='tiny' text='AB A' x='0' y='0' w='10' h='10'/>"
              "<object name='beside' type='button' font='tiny' text='AB A' x='0' y='20' w='10' h='10' "
              "textrect='12.0.13.10'/>"
              "<object name='wide' type='button' font='tiny' text='AB A' x='0' y='40' w='20' h='10'/>");
    for (const char* name : {"plain", "beside", "wide"}) {
        ASSERT_NE(TMyButton::Create(Box<TUIMyButton>(name), mScreen), nullptr) << name;
    }

    const std::vector<std::string> found = harness::LabelsThatDoNotFit(mScreen);
    ASSERT_EQ(found.size(), 1u) << ::testing::PrintToString(found);
    EXPECT_NE(found[0].find("/plain/caption: \"AB A\" is 13 px wide, the box 10"), std::string::npos) << found[0];
}

} // namespace
