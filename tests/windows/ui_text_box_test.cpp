#include <gtest/gtest.h>

#include "ui_fields.h"

namespace {

using uitest::ExpectBoxCases;

using uitest::Doc;

TEST(UITextBox, TextImageTextAndEditAttributes) {
    ExpectBoxCases({
        {Doc(R"(<object name="b" type="text"/>)"),
         {{"kind", "8"}, {"font", ""}, {"flags", "0"}, {"text", ""}, {"dofinger", "0"}}},
        {Doc(R"(<object name="b" type="text" font="body" flags="4" text="Hello" dofinger="1"/>)"),
         {{"font", "body"}, {"flags", "4"}, {"text", "Hello"}, {"dofinger", "1"}}},
        {Doc(R"(<object name="b" type="imagetext"/>)"),
         {{"kind", "9"}, {"wrapped", "0"}, {"overcolor", "0.0.0.0"}, {"selectedcolor", "0.0.0.0"}}},
        // Both extra colours default to the box's own colour.
        {Doc(R"(<object name="b" type="imagetext" color="255.255.255.255" text="Cap"/>)"),
         {{"overcolor", "255.255.255.255"}, {"selectedcolor", "255.255.255.255"}, {"text", "Cap"}}},
        {Doc(R"(<object name="b" type="imagetext" color="255.255.255.255" overcolor="255.0.0.255"
             selectedcolor="0.255.0.255" wrapped="1"/>)"),
         {{"overcolor", "255.0.0.255"}, {"selectedcolor", "0.255.0.255"}, {"wrapped", "1"}}},
        {Doc(R"(<object name="b" type="edit" color="10.20.30.255"/>)"),
         {{"kind", "15"},
          {"backcolor", "0.0.0.0"},
          {"outlinecolor", "0.0.0.0"},
          {"textcolor", "10.20.30.255"},
          {"hilitecolor", "0.0.0.0"},
          {"hilitetextcolor", "0.0.0.0"},
          {"drawoutline", "1"}}},
        {Doc(R"(<object name="b" type="edit" backcolor="1.2.3.4" outlinecolor="5.6.7.8" hilitecolor="9.10.11.12"
             hilitetextcolor="13.14.15.16" drawoutline="0" font="entry"/>)"),
         {{"backcolor", "1.2.3.4"},
          {"outlinecolor", "5.6.7.8"},
          {"hilitecolor", "9.10.11.12"},
          {"hilitetextcolor", "13.14.15.16"},
          {"drawoutline", "0"},
          {"font", "entry"},
          {"textcolor", "0.0.0.0"}}},
    });
}

TEST(UITextBox, TakesTextStyleValues) {
    const std::string styles = R"(
        <style name="plain" font="body" flags="8" dofinger="1" w="40" color="0.0.255.255"/>
        <style name="txt" type="text" font="caption" flags="8" color="0.0.255.255" overcolor="255.230.120.255"
               wrapped="1"/>
        <style name="bare" type="text"/>
        <style name="knob" type="slider" font="knob" wrapped="1"/>)";
    ExpectBoxCases({
        {Doc(styles + R"(<object name="b" type="text" style="plain" flags="4" font="own"/>)"),
         {{"flags", "4"}, {"font", "body"}, {"dofinger", "1"}, {"w", "40"}, {"color", "0.0.255.255"}}},
        {Doc(styles + R"(<object name="b" type="text" style="plain"/>)"), {{"flags", "8"}}},
        // A style never clears the hand cursor, and an empty style font keeps the box's own.
        {Doc(styles + R"(<object name="b" type="text" style="bare" dofinger="1" font="own"/>)"),
         {{"dofinger", "1"}, {"font", "own"}}},
        {Doc(styles + R"(<object name="b" type="imagetext" style="txt" color="255.255.255.255"
             selectedcolor="1.1.1.255"/>)"),
         {{"color", "0.0.255.255"},
          {"overcolor", "255.230.120.255"},
          {"selectedcolor", "0.0.255.255"},
          {"wrapped", "1"},
          {"font", "caption"}}},
        // A text style without colours or "wrapped": the box keeps its colours, its wrapping is cleared.
        {Doc(styles + R"(<object name="b" type="imagetext" style="bare" wrapped="1" overcolor="9.9.9.255"/>)"),
         {{"wrapped", "0"}, {"overcolor", "9.9.9.255"}, {"selectedcolor", "0.0.0.0"}}},
        // Styles of other classes give only the common style fields.
        {Doc(styles + R"(<object name="b" type="imagetext" style="plain" wrapped="1" overcolor="9.9.9.255"/>)"),
         {{"wrapped", "1"}, {"overcolor", "9.9.9.255"}, {"font", "body"}, {"flags", "8"}, {"dofinger", "1"}}},
        {Doc(styles + R"(<object name="b" type="imagetext" style="knob" wrapped="1"/>)"),
         {{"wrapped", "1"}, {"font", "knob"}}},
        // The text colour is the element's own; a style colour reaches only the box's colour.
        {Doc(styles + R"(<object name="b" type="edit" style="txt" color="255.0.0.255" flags="2"/>)"),
         {{"color", "0.0.255.255"}, {"textcolor", "255.0.0.255"}, {"font", "caption"}, {"flags", "2"}}},
    });
}

} // namespace
