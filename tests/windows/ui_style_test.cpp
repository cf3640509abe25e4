#include <gtest/gtest.h>

#include "ui_fields.h"

namespace {

using uitest::ExpectStyleCases;

using uitest::Doc;

const std::string kUnset = "2147483647";

TEST(UIStyle, ReadsEachStyleClass) {
    ExpectStyleCases({
        // Width and height read as 0 when absent; the alignments stay unset.
        {Doc(R"(<style name="b"/>)"),
         {{"w", "0"},
          {"h", "0"},
          {"valign", kUnset},
          {"halign", kUnset},
          {"color", "0.0.0.0"},
          {"font", ""},
          {"flags", "0"},
          {"dofinger", "0"},
          {"soundmouseenter", ""},
          {"soundmouseleave", ""},
          {"soundmousedown", ""}}},
        {Doc(R"(<style name="b" w="10" h="20" color="1.2.3.4" dofinger="1" font="f" flags="3" soundmouseenter="a"
             soundmouseleave="b" soundmousedown="c" valign="0" halign="2"/>)"),
         {{"w", "10"},
          {"h", "20"},
          {"color", "1.2.3.4"},
          {"dofinger", "1"},
          {"font", "f"},
          {"flags", "3"},
          {"soundmouseenter", "a"},
          {"soundmouseleave", "b"},
          {"soundmousedown", "c"},
          {"valign", "0"},
          {"halign", "2"}}},
        {Doc(R"(<style name="b" type="text" color="0.0.0.255"/>)"),
         {{"wrapped", "0"}, {"overcolor", "0.0.0.255"}, {"selectedcolor", "0.0.0.255"}}},
        {Doc(R"(<style name="b" type="text" overcolor="1.1.1.1" selectedcolor="2.2.2.2" wrapped="1"/>)"),
         {{"wrapped", "1"}, {"overcolor", "1.1.1.1"}, {"selectedcolor", "2.2.2.2"}}},
        {Doc(R"(<style name="b" type="button"/>)"),
         {{"image", ""},
          {"normalrect", "0.0.0.0"},
          {"disabledrect", "0.0.0.0"},
          {"states", "3"},
          {"captionoffx", "0"},
          {"captionoffy", "0"},
          {"textrect", "0.0.0.0"},
          {"minalpha", "0"},
          {"vh", "0"},
          {"vw", "0"},
          {"downtextoff", "2"},
          {"checkbox", "0"},
          {"wrapped", "0"},
          {"scale", "1"}}},
        {Doc(R"(<style name="b" type="button" image="ui/b" normalrect="0.0.9.9" overrect="0.9.9.9"
             downrect="0.18.9.9" disabledrect="0.27.-1.9" states="6" captionoffx="1" captionoffy="2"
             textrect="3.4.5" minalpha="0.1" vh="6" vw="7" downtextoff="8" checkbox="1" wrapped="1" scale="2"/>)"),
         {{"image", "ui/b"},
          {"normalrect", "0.0.9.9"},
          {"overrect", "0.9.9.9"},
          {"downrect", "0.18.9.9"},
          {"disabledrect", "0.27.-1.9"},
          {"states", "3"},
          {"captionoffx", "1"},
          {"captionoffy", "2"},
          {"textrect", "3.4.5.0"},
          {"minalpha", "0.1"},
          {"vh", "6"},
          {"vw", "7"},
          {"downtextoff", "8"},
          {"checkbox", "1"},
          {"wrapped", "1"},
          {"scale", "2"}}},
        {Doc(R"(<style name="b" type="button" normalrect="0.0.9.9" disabledrect="0.27.0.9"/>)"), {{"states", "4"}}},
        {Doc(R"(<style name="b" type="button" normalrect="0.0.9.9"/>)"), {{"states", "4"}}},
        {Doc(R"(<style name="b" type="button" normalrect="0.0.10" overrect="1.1.1.1" states="2"/>)"),
         {{"normalrect", "0.0.10.0"}, {"overrect", "0.0.0.0"}, {"states", "2"}}},
        {Doc(R"(<style name="b" type="slider"/>)"),
         {{"image", ""},
          {"tumb", ""},
          {"yoffset", "0"},
          {"xoffset", "0"},
          {"value", "0"},
          {"ytumboffset", "0"},
          {"tumbw", "0"},
          {"tumbh", "0"}}},
        {Doc(R"(<style name="b" type="slider" image="t" tumb="k" yoffset="1" xoffset="2" value="0.75"
             ytumboffset="3" tumbw="4" tumbh="5"/>)"),
         {{"image", "t"},
          {"tumb", "k"},
          {"yoffset", "1"},
          {"xoffset", "2"},
          {"value", "0.75"},
          {"ytumboffset", "3"},
          {"tumbw", "4"},
          {"tumbh", "5"}}},
    });
}

} // namespace
