#include <gtest/gtest.h>

#include "ui_fields.h"
#include "windows/ui_info_holder.h"

namespace {

using uitest::ExpectBoxCases;

using uitest::Doc;
TEST(UIBaseBox, CommonAttributesAndTheirDefaults) {
    ExpectBoxCases({
        {Doc(R"(<object name="b"/>)"),
         {{"kind", "17"},
          {"x", "0"},
          {"y", "0"},
          {"w", "0"},
          {"h", "0"},
          {"id", "0"},
          {"color", "0.0.0.0"},
          {"valign", "-1"},
          {"halign", "-1"},
          {"style", ""},
          {"param", ""},
          {"float_param", "0"},
          {"soundmouseenter", "btnmouseenter"},
          {"soundmouseleave", ""},
          {"soundmousedown", "btnmousedown"},
          {"create", "1"},
          {"allowmousereaction", "1"}}},
        {Doc(R"(<object name="b" rect="10.20.300.40" x="5" y="6"/>)"),
         {{"x", "10"}, {"y", "20"}, {"w", "300"}, {"h", "40"}}},
        {Doc(R"(<object name="b" rect="10.20.300" x="5"/>)"), {{"x", "5"}, {"y", "0"}, {"w", "0"}, {"h", "0"}}},
        {Doc(R"(<object name="b" x="100+20" y="50-8" w="7" h="abc"/>)"),
         {{"x", "120"}, {"y", "42"}, {"w", "7"}, {"h", "0"}}},
        {Doc(R"(<object name="b" soundmouseenter="" soundmouseleave="leave" soundmousedown="press"/>)"),
         {{"soundmouseenter", ""}, {"soundmouseleave", "leave"}, {"soundmousedown", "press"}}},
        {Doc(R"(<object name="b" create="yes" allowmousereaction="true" valign="top" halign="2"/>)"),
         {{"create", "0"}, {"allowmousereaction", "1"}, {"valign", "0"}, {"halign", "2"}}},
        {Doc(R"(<object name="b" create="" valign="" color=""/>)"),
         {{"create", "1"}, {"valign", "-1"}, {"color", "0.0.0.0"}}},
        {Doc(R"(<object name="b" color="255.0.0.255" id="7" param="next" float_param="2.5" style="s"/>)"),
         {{"color", "255.0.0.255"}, {"id", "7"}, {"param", "next"}, {"float_param", "2.5"}, {"style", "s"}}},
        {Doc(R"(<object name="b" color="80FF0000"/>)"), {{"color", "255.0.0.128"}}},
    });
}

// A box's own size wins over its style's; the style's alignments, colour and sounds win where set.
TEST(UIBaseBox, TakesTheCommonStyleValues) {
    const std::string styles = R"(<style name="wide" w="80" h="30" valign="2" color="0.0.255.255"
        soundmouseenter="ping" soundmousedown="clack"/><style name="bare"/>)";
    ExpectBoxCases({
        {Doc(styles + R"(<object name="b" style="wide" w="50"/>)"), {{"w", "50"}, {"h", "30"}}},
        {Doc(styles + R"(<object name="b" style="wide"/>)"), {{"w", "80"}, {"h", "30"}}},
        {Doc(styles + R"(<object name="b" style="wide" valign="1" halign="1"/>)"), {{"valign", "2"}, {"halign", "1"}}},
        {Doc(styles + R"(<object name="b" style="bare" valign="1" color="255.0.0.255"/>)"),
         {{"valign", "1"}, {"color", "255.0.0.255"}, {"w", "0"}}},
        {Doc(styles + R"(<object name="b" style="wide" color="255.0.0.255"/>)"), {{"color", "0.0.255.255"}}},
        {Doc(styles + R"(<object name="b" style="wide" soundmouseleave="out"/>)"),
         {{"soundmouseenter", "ping"}, {"soundmouseleave", "out"}, {"soundmousedown", "clack"}}},
        {Doc(styles + R"(<object name="b" style="bare"/>)"),
         {{"soundmouseenter", "btnmouseenter"}, {"soundmousedown", "btnmousedown"}}},
        {Doc(styles + R"(<object name="b" style="missing" w="3"/>)"), {{"w", "3"}, {"valign", "-1"}}},
    });
}

TEST(UIBaseBox, WindowDescriptions) {
    ExpectBoxCases({
        {Doc(R"(<object name="b" type="window"/>)"),
         {{"kind", "12"}, {"fade", "0"}, {"image", ""}, {"alphatime", "0"}}},
        {Doc(R"(<object name="b" type="window" fade="1" image="ui/back" alphatime="0.3" x="683"/>)"),
         {{"fade", "1"}, {"image", "ui/back"}, {"alphatime", "0.3"}, {"x", "683"}}},
        {Doc(R"(<object name="b" type="flywindow"/>)"),
         {{"kind", "13"},
          {"x", "0"},
          {"restx", "-1"},
          {"resty", "-1"},
          {"x1", "0"},
          {"y2", "0"},
          {"time", "0"},
          {"stay", "0"},
          {"flyinsound", "flywindow"},
          {"flyoutsound", "flywindow"},
          {"fade", "0"}}},
        {Doc(R"(<object name="b" type="flywindow" x="300" y="200" x1="1" y1="2" x2="3" y2="4" time="1.5"
             stay="-1" flyinsound="whoosh" flyoutsound="" fade="1"/>)"),
         {{"x", "300"},
          {"restx", "300"},
          {"y", "200"},
          {"resty", "200"},
          {"x1", "1"},
          {"y1", "2"},
          {"x2", "3"},
          {"y2", "4"},
          {"time", "1.5"},
          {"stay", "-1"},
          {"flyinsound", "whoosh"},
          {"flyoutsound", ""},
          {"fade", "1"}}},
        // The rectangle takes "rect"; the rest position still reads "x" and "y".
        {Doc(R"(<object name="b" type="flywindow" rect="10.20.30.40" x="99"/>)"),
         {{"x", "10"}, {"restx", "99"}, {"resty", "-1"}}},
    });
}

TEST(UIBaseBox, PanelDescriptions) {
    ExpectBoxCases({
        {Doc(R"(<object name="b" type="listbox"/>)"),
         {{"kind", "4"}, {"rows", "0"}, {"cols", "0"}, {"tx", "0"}, {"ty", "0"}, {"time", "1"}, {"font", ""}}},
        {Doc(R"(<object name="b" type="listbox" rows="3" cols="2" tx="5" ty="6" time="0.5" font="small"/>)"),
         {{"rows", "3"}, {"cols", "2"}, {"tx", "5"}, {"ty", "6"}, {"time", "0.5"}, {"font", "small"}}},
        {Doc(R"(<object name="b" type="toolholder"/>)"),
         {{"kind", "5"}, {"slotcount", "0"}, {"activebox", "0.0.0.0"}, {"uptime", "0.25"}, {"hidetime", "1.5"}}},
        {Doc(R"(<object name="b" type="toolholder" slotcount="6" offy="4" cellw="64" cellh="70" maxy="500"
             activebox="1.2.3.4" uptime="1" hidetime="2" font="tools"/>)"),
         {{"slotcount", "6"},
          {"offy", "4"},
          {"cellw", "64"},
          {"cellh", "70"},
          {"maxy", "500"},
          {"activebox", "1.2.3.4"},
          {"uptime", "1"},
          {"hidetime", "2"},
          {"font", "tools"}}},
        // A short "activebox" sets only its leading fields.
        {Doc(R"(<object name="b" type="toolholder" activebox="7.8"/>)"), {{"activebox", "7.8.0.0"}}},
        {Doc(R"(<object name="b" type="hintbox" tx="3" ty="4" font="hint"/>)"),
         {{"kind", "17"}, {"tx", "3"}, {"ty", "4"}, {"font", "hint"}}},
        {Doc(R"(<object name="b" type="backbox" image="ui/panel" x="9"/>)"),
         {{"kind", "17"}, {"image", "ui/panel"}, {"x", "9"}}},
        {Doc(R"(<object name="b" type="taskbox" font="task"/>)"), {{"kind", "17"}, {"font", "task"}}},
        {Doc(R"(<object name="b" type="rect" create="false" id="3"/>)"), {{"kind", "17"}, {"create", "0"}}},
    });
}

} // namespace
