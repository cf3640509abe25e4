// The text label of a text object is drawn in the developer view only, where the object stands.

#include "objects/text_objects.h"
#include "windows/controls_fixture.h"
#include "windows/text_label.h"

namespace {

class TextObjectDrawingTest : public wintest::ControlsTest {};

// The tiny font draws "AB" on a 20 x 10 label at (x, y) from column x, rows y + 2 to y + 5, left aligned.
TEST_F(TextObjectDrawingTest, DrawAllShowsTheLabelThatFollowsTheObject) {
    TiXmlDocument document;
    document.Parse(R"(<object id="score"><object name="text" type="imagetext" x="2" y="2" w="20" h="10" font="tiny"
        flags="2" color="255.255.255.255"/></object>)");
    TTextObject text;
    text.LoadFromXml(document.RootElement(), "");
    ASSERT_NE(text.GetLabel(), nullptr);
    ASSERT_EQ(text.GetLabel()->GetX(), 2);
    text.SetText("AB");
    BeginCanvas();
    text.Draw(1.0f);
    ExpectPixels({{2, 4, kBlack}, {4, 7, kBlack}});
    BeginCanvas();
    text.DrawAll();
    ExpectPixels({{2, 4, kWhitePixel}, {4, 7, kWhitePixel}, {1, 5, kBlack}, {2, 3, kBlack}});
    text.SetPosition(10, 12, true);
    BeginCanvas();
    text.DrawAll();
    ExpectPixels({{2, 4, kBlack}, {10, 14, kWhitePixel}, {12, 17, kWhitePixel}});
    text.SetVisible(false);
    BeginCanvas();
    text.DrawAll();
    ExpectPixels({{10, 14, kBlack}});
}

} // namespace
