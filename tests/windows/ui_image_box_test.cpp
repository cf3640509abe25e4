#include <gtest/gtest.h>

#include "ui_fields.h"

namespace {

using uitest::ExpectBoxCases;

using uitest::Doc;

TEST(UIImageBox, ImageAndSliderAttributes) {
    ExpectBoxCases({
        {Doc(R"(<object name="b" type="image"/>)"),
         {{"kind", "16"},
          {"image", ""},
          {"image2", ""},
          {"dofinger", "0"},
          {"cursorover", "handspot"},
          {"drawmode", "0"},
          {"a", "1"},
          {"needcache", "0"},
          {"imagechecked", ""},
          {"checkedx", "0"},
          {"checkedy", "0"},
          {"draw2x", "0"},
          {"draw2y", "0"},
          {"draw1x", "0"},
          {"draw1y", "0"},
          {"checked", "0"},
          {"draw2", "0"}}},
        {Doc(R"(<object name="b" type="image" image="ui/a" image2="ui/b" dofinger="1" cursorover="" drawmode="1"
             a="0.5" needcache="1" imagechecked="ui/c" checkedx="1" checkedy="2" draw2x="3" draw2y="4"
             draw1x="5" draw1y="6" checked="1" draw2="true"/>)"),
         {{"image", "ui/a"},
          {"image2", "ui/b"},
          {"dofinger", "1"},
          {"cursorover", ""},
          {"drawmode", "1"},
          {"a", "0.5"},
          {"needcache", "1"},
          {"imagechecked", "ui/c"},
          {"checkedx", "1"},
          {"checkedy", "2"},
          {"draw2x", "3"},
          {"draw2y", "4"},
          {"draw1x", "5"},
          {"draw1y", "6"},
          {"checked", "1"},
          {"draw2", "1"}}},
        {Doc(R"(<object name="b" type="slider"/>)"),
         {{"kind", "14"},
          {"image", ""},
          {"tumb", ""},
          {"yoffset", "0"},
          {"xoffset", "0"},
          {"value", "0"},
          {"ytumboffset", "0"},
          {"tumbw", "0"},
          {"tumbh", "0"}}},
        {Doc(R"(<object name="b" type="slider" image="ui/track" tumb="ui/knob" yoffset="1" xoffset="2"
             value="0.5" ytumboffset="3" tumbw="20" tumbh="30"/>)"),
         {{"image", "ui/track"},
          {"tumb", "ui/knob"},
          {"yoffset", "1"},
          {"xoffset", "2"},
          {"value", "0.5"},
          {"ytumboffset", "3"},
          {"tumbw", "20"},
          {"tumbh", "30"}}},
    });
}

TEST(UIImageBox, TakesStyleValues) {
    const std::string styles = R"(
        <style name="plain" w="64" dofinger="1" color="0.255.0.255" soundmouseenter="ping"/>
        <style name="knob" type="slider" w="200" valign="0" color="0.255.0.255" soundmouseenter="ping"
               image="ui/track" yoffset="4" tumbw="16"/>
        <style name="bare" type="slider"/>)";
    ExpectBoxCases({
        // An image takes the common rules only: the style's hand cursor does not reach it.
        {Doc(styles + R"(<object name="b" type="image" style="plain"/>)"),
         {{"w", "64"}, {"dofinger", "0"}, {"color", "0.255.0.255"}, {"soundmouseenter", "ping"}}},
        // A slider takes no size, alignment, colour or sound from its style.
        {Doc(styles + R"(<object name="b" type="slider" style="knob" value="0.5" tumb="ui/own" yoffset="9"
             tumbw="8" tumbh="7" image="ui/mine"/>)"),
         {{"w", "0"},
          {"valign", "-1"},
          {"color", "0.0.0.0"},
          {"soundmouseenter", "btnmouseenter"},
          {"image", "ui/track"},
          {"tumb", "ui/own"},
          {"yoffset", "4"},
          {"tumbw", "16"},
          {"tumbh", "0"},
          {"value", "0"}}},
        {Doc(styles + R"(<object name="b" type="slider" style="bare" image="ui/mine" xoffset="5"/>)"),
         {{"image", "ui/mine"}, {"xoffset", "0"}}},
        // A style of another class has nothing a slider takes.
        {Doc(styles + R"(<object name="b" type="slider" style="plain" value="0.5" xoffset="5"/>)"),
         {{"w", "0"}, {"color", "0.0.0.0"}, {"value", "0.5"}, {"xoffset", "5"}}},
    });
}

} // namespace
