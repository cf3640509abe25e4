#include <gtest/gtest.h>

#include <algorithm>

#include "harness/harness.h"
#include "ui_fields.h"

namespace {

using uitest::ExpectBoxCases;

using uitest::Doc;

TEST(UIButtonBox, AttributesStatesAndKinds) {
    ExpectBoxCases({
        {Doc(R"(<object name="b" type="button"/>)"),
         {{"kind", "0"},
          {"image", ""},
          {"disabled", "0"},
          {"visible", "1"},
          {"normalrect", "0.0.0.0"},
          {"disabledrect", "0.0.0.0"},
          {"states", "3"},
          {"text", ""},
          {"font", ""},
          {"downtextoff", "2"},
          {"checkbox", "0"},
          {"textrect", "0.0.0.0"},
          {"textashint", "0"},
          {"hintx", "0"},
          {"hinty", "0"},
          {"captionoffx", "0"},
          {"captionoffy", "0"},
          {"minalpha", "0"},
          {"vh", "0"},
          {"vw", "0"},
          {"flags", "0"},
          {"wrapped", "0"},
          {"scale", "1"}}},
        {Doc(R"(<object name="b" type="button" image="ui/btn" disabled="1" visible="0" text="BtnOk" font="cap"
             downtextoff="3" checkbox="true" textrect="1.2.3.4" textashint="1" hintx="5" hinty="6"
             captionoffx="7" captionoffy="8" minalpha="0.5" vh="9" vw="10" flags="4" wrapped="1" scale="1.5"/>)"),
         {{"image", "ui/btn"},
          {"disabled", "1"},
          {"visible", "0"},
          {"text", "BtnOk"},
          {"font", "cap"},
          {"downtextoff", "3"},
          {"checkbox", "1"},
          {"textrect", "1.2.3.4"},
          {"textashint", "1"},
          {"hintx", "5"},
          {"hinty", "6"},
          {"captionoffx", "7"},
          {"captionoffy", "8"},
          {"minalpha", "0.5"},
          {"vh", "9"},
          {"vw", "10"},
          {"flags", "4"},
          {"wrapped", "1"},
          {"scale", "1.5"}}},
        // A complete normal rectangle: the other three are read and "states" is not.
        {Doc(R"(<object name="b" type="button" normalrect="0.0.200.60" overrect="0.60.200.60"
             downrect="0.120.200.60" states="7"/>)"),
         {{"normalrect", "0.0.200.60"},
          {"overrect", "0.60.200.60"},
          {"downrect", "0.120.200.60"},
          {"disabledrect", "0.0.0.0"},
          {"states", "4"}}},
        {Doc(R"(<object name="b" type="button" normalrect="0.0.200.60" disabledrect="0.0.-1.0"/>)"),
         {{"states", "3"}, {"disabledrect", "0.0.-1.0"}}},
        {Doc(R"(<object name="b" type="button" normalrect="0.0.200.60" disabledrect="0.180.0.60"/>)"),
         {{"states", "4"}}},
        {Doc(R"(<object name="b" type="button" states="2" overrect="1.1.1.1"/>)"),
         {{"states", "2"}, {"normalrect", "0.0.0.0"}, {"overrect", "0.0.0.0"}}},
        // A short normal rectangle sets its leading fields; "states" then decides.
        {Doc(R"(<object name="b" type="button" normalrect="0.0.10" overrect="1.1.1.1" states="5"/>)"),
         {{"normalrect", "0.0.10.0"}, {"overrect", "0.0.0.0"}, {"states", "5"}}},
        {Doc(R"(<object name="b" type="regenerbutton2" image="ui/r" offx="3" offy="4"/>)"),
         {{"kind", "6"}, {"image", "ui/r"}, {"offx", "3"}, {"offy", "4"}, {"time1", "5"}, {"time2", "30"}}},
        // One attribute sets both times.
        {Doc(R"(<object name="b" type="regenerbutton2" time1="12" time2="40"/>)"), {{"time1", "12"}, {"time2", "12"}}},
        {Doc(R"(<object name="b" type="regenervideobutton2" states="2"/>)"),
         {{"kind", "0"}, {"states", "2"}, {"fill", ""}, {"blockedy", "0"}, {"fillalpha", "1"}}},
        {Doc(R"(<object name="b" type="regenervideobutton2" fill="f" top="t" back="k" over2="o2" over="o"
             blocked="x" over2x="1" over2y="2" overx="3" overy="4" topx="5" topy="6" backx="7" backy="8"
             blockedx="9" blockedy="10" fillalpha="0.5"/>)"),
         {{"fill", "f"},
          {"top", "t"},
          {"back", "k"},
          {"over2", "o2"},
          {"over", "o"},
          {"blocked", "x"},
          {"over2x", "1"},
          {"over2y", "2"},
          {"overx", "3"},
          {"overy", "4"},
          {"topx", "5"},
          {"topy", "6"},
          {"backx", "7"},
          {"backy", "8"},
          {"blockedx", "9"},
          {"blockedy", "10"},
          {"fillalpha", "0.5"}}},
        {Doc(R"(<object name="b" type="lockinterfbtn" image="ui/lock" states="1"/>)"),
         {{"kind", "18"}, {"image", "ui/lock"}, {"states", "1"}}},
    });
}

// A button style gives its states, alpha, check box, flags, wrapping, scale and pressed offset even
// over the box's own; its font, image, rectangles, caption offsets and hit box only where it has them.
TEST(UIButtonBox, TakesAButtonStyle) {
    const std::string styles = R"(
        <style name="full" type="button" image="ui/std" font="cap" normalrect="0.0.100.30"
               overrect="0.30.100.30" downrect="0.60.100.30" disabledrect="0.90.100.30" captionoffx="4"
               minalpha="0.25" vw="60" vh="20" downtextoff="5" flags="8" wrapped="1" scale="2" w="80"
               color="0.0.255.255" soundmouseenter="ping"/>
        <style name="plain" type="button"/>)";
    ExpectBoxCases({
        {Doc(styles + R"(<object name="b" type="button" style="full"/>)"),
         {{"image", "ui/std"},
          {"font", "cap"},
          {"normalrect", "0.0.100.30"},
          {"disabledrect", "0.90.100.30"},
          {"states", "4"},
          {"captionoffx", "4"},
          {"minalpha", "0.25"},
          {"vw", "60"},
          {"vh", "20"},
          {"downtextoff", "5"},
          {"flags", "8"},
          {"wrapped", "1"},
          {"scale", "2"},
          {"w", "80"},
          {"color", "0.0.255.255"},
          {"soundmouseenter", "ping"}}},
        {Doc(styles + R"(<object name="b" type="button" style="full" vw="40" captionoffx="9" captionoffy="3"
             normalrect="5.5.50.50" image="ui/own" font="own" text="BtnOk" disabled="1" textrect="1.1.1.1"/>)"),
         {{"vw", "40"},
          {"vh", "20"},
          {"captionoffx", "4"},
          {"captionoffy", "3"},
          {"normalrect", "0.0.100.30"},
          {"image", "ui/std"},
          {"font", "cap"},
          {"text", "BtnOk"},
          {"disabled", "1"},
          {"textrect", "1.1.1.1"}}},
        {Doc(styles + R"(<object name="b" type="button" style="plain" checkbox="1" states="2" minalpha="0.5"
             scale="3" wrapped="1" flags="4" downtextoff="9" normalrect="5.5.50.50"
             overrect="5.55.50.50" image="ui/own" font="own"/>)"),
         {{"checkbox", "0"},
          {"states", "3"},
          {"minalpha", "0"},
          {"scale", "1"},
          {"wrapped", "0"},
          {"flags", "0"},
          {"downtextoff", "2"},
          {"normalrect", "5.5.50.50"},
          {"overrect", "5.55.50.50"},
          {"image", "ui/own"},
          {"font", "own"}}},
        {Doc(styles + R"(<object name="b" type="regenerbutton2" style="full" time1="3"/>)"),
         {{"kind", "6"}, {"image", "ui/std"}, {"time1", "3"}}},
        {Doc(styles + R"(<object name="b" type="lockinterfbtn" style="full"/>)"),
         {{"kind", "18"}, {"image", "ui/std"}}},
    });
}

TEST(UIButtonBox, RefusesAStyleOfAnotherClass) {
    const std::string styles = R"(<style name="txt" type="text" font="cap" color="0.0.255.255" w="80"
        flags="8" valign="2"/><style name="common" w="90" soundmouseenter="ping"/>)";
    std::vector<uitest::FieldCase> cases;
    for (const std::string styleName : {"txt", "common"}) {
        cases.push_back({Doc(styles + R"(<object name="b" type="button" font="own" color="255.0.0.255" style=")" +
                             styleName + R"("/>)"),
                         {{"font", "own"},
                          {"color", "255.0.0.255"},
                          {"w", "0"},
                          {"flags", "0"},
                          {"valign", "-1"},
                          {"soundmouseenter", "btnmouseenter"}}});
    }
    ExpectBoxCases(cases);
    std::vector<std::string> lines = harness::LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "TUIMyButton  wrong style conversion"), 2);
}

} // namespace
