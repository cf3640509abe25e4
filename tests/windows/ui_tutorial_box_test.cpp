#include <gtest/gtest.h>

#include "ui_fields.h"

namespace {

using uitest::ExpectBoxCases;

using uitest::Doc;

TEST(UITutorialBox, StepsAndArrows) {
    ExpectBoxCases({
        {Doc(R"(<object name="b" type="tutorial"/>)"),
         {{"kind", "11"},
          {"statestr", ""},
          {"text1", ""},
          {"text2", ""},
          {"clicktocontinue", "1"},
          {"showskipbtn", "1"},
          {"finalize", "0"},
          {"hide_fast", "0"},
          {"scale", "0"},
          {"arrows", "0"},
          {"soundmouseenter", "btnmouseenter"}}},
        {Doc(R"(<object name="b" type="tutorial" x="683" y="560" statestr="tut_a" text1="T1" text2="T2"
             clicktocontinue="0" showskipbtn="false" finalize="1" hide_fast="true" scale="1"/>)"),
         {{"x", "683"},
          {"y", "560"},
          {"statestr", "tut_a"},
          {"text1", "T1"},
          {"text2", "T2"},
          {"clicktocontinue", "0"},
          {"showskipbtn", "0"},
          {"finalize", "1"},
          {"hide_fast", "1"},
          {"scale", "1"}}},
        // Only direct "arrow" children count, in document order.
        {Doc(R"(<object name="b" type="tutorial">
               <arrow x="1" image="first"/><note><arrow x="99"/></note>
               <arrow x="2" y="3" cx="-1" cy="16" a="30" scale="0.5" scalemin="0.8" scalemax="1.2"
                      scaletime="0.5" alphamin="0.6" alphamax="1" alphatime="0.4" image="ui/arrow"/>
               <arrow x="3"/>
             </object>)"),
         {{"arrows", "3"},
          {"arrow0.x", "1"},
          {"arrow0.image", "first"},
          {"arrow0.cx", "0"},
          {"arrow0.cy", "0"},
          {"arrow0.hascenter", "1"},
          {"arrow0.a", "0"},
          {"arrow0.scale", "1"},
          {"arrow0.scalemin", "-1"},
          {"arrow0.scalemax", "-1"},
          {"arrow0.scaletime", "0.2"},
          {"arrow0.alphamin", "-1"},
          {"arrow0.alphamax", "-1"},
          {"arrow0.alphatime", "0.2"},
          {"arrow1.x", "2"},
          {"arrow1.y", "3"},
          {"arrow1.cx", "-1"},
          {"arrow1.cy", "16"},
          {"arrow1.hascenter", "0"},
          {"arrow1.a", "30"},
          {"arrow1.scale", "0.5"},
          {"arrow1.scalemin", "0.8"},
          {"arrow1.scalemax", "1.2"},
          {"arrow1.scaletime", "0.5"},
          {"arrow1.alphamin", "0.6"},
          {"arrow1.alphamax", "1"},
          {"arrow1.alphatime", "0.4"},
          {"arrow1.image", "ui/arrow"},
          {"arrow2.x", "3"}}},
        {Doc(R"(<object name="b" type="tutorial"><arrow cx="5" cy="-1"/></object>)"), {{"arrow0.hascenter", "0"}}},
        // The tutorial window reads none of the common attributes, so no style reaches it either.
        {Doc(R"(<style name="s" w="80" color="255.255.255.255"/>
             <object name="b" type="tutorialwindow" rect="1.2.3.4" x="5" style="s" id="9" x1="10" y1="11"
                     w2="300" h2="120" x2="12" y2="13" font="tut" fs1="14" fs2="15"/>)"),
         {{"kind", "10"},
          {"x", "0"},
          {"w", "0"},
          {"id", "0"},
          {"style", ""},
          {"color", "0.0.0.0"},
          {"soundmouseenter", ""},
          {"valign", "-1"},
          {"x1", "10"},
          {"y1", "11"},
          {"w1", "300"},
          {"h1", "120"},
          {"x2", "12"},
          {"y2", "13"},
          {"w2", "300"},
          {"h2", "120"},
          {"font", "tut"},
          {"fs1", "14"},
          {"fs2", "15"}}},
        {Doc(R"(<object name="b" type="tutorialwindow" w1="50" h1="60"/>)"),
         {{"w1", "0"}, {"h1", "0"}, {"w2", "0"}, {"h2", "0"}, {"font", ""}}},
        // A step takes its style by the common rules.
        {Doc(R"(<style name="s" w="80" valign="0"/><object name="b" type="tutorial" style="s"/>)"),
         {{"w", "80"}, {"valign", "0"}}},
    });
}

} // namespace
