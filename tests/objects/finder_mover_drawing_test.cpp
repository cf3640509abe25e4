// The found-counter mover draws its picture where it stands and its count beside it, the count following it
// as it moves.

#include "objects/counter_movers.h"
#include "objects/text_objects.h"
#include "windows/controls_fixture.h"
#include "windows/text_label.h"

namespace {

// '1' and '3' are 3 pixels wide and advance 4, '/' is 2 wide and advances 3: "1/3" covers columns 0-2, 4-5
// and 7-9 from the label's left edge, rows 2 to 5 below its top on a label 10 high.
constexpr const char* kDigits = "SetDefaultPointSize 8;\n"
                                "CreateLayer Main;\n"
                                "LayerSetImage Main 'tiny.png';\n"
                                "LayerSetAscent Main 3;\n"
                                "LayerSetImageMap Main ('1' '/' '3') ((0 0 3 4) (3 0 2 4) (0 0 3 4));\n"
                                "LayerSetCharWidths Main ('1' '/' '3') (4 3 4);\n";

class FinderMoverDrawingTest : public wintest::ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        ASSERT_TRUE(harness::WriteFile(Root() + "/assets/fonts/digits.txt", kDigits));
        TiXmlDocument fonts;
        fonts.Parse("<fonts><font id='digits' name='fonts/digits.txt'/></fonts>");
        TFontRegistry::GetInstance()->LoadXml(fonts.RootElement());
        WriteSolidImage("textures/boat.png", 6, 6, kRed);
    }
};

// The count's glyphs with the label's top left at (x, y), and the gaps between them.
std::vector<TProbe> CountAt(int x, int y) {
    return {{x, y + 3, kWhitePixel},     {x + 3, y + 3, kBlack},  {x + 4, y + 3, kWhitePixel}, {x + 6, y + 3, kBlack},
            {x + 9, y + 3, kWhitePixel}, {x + 10, y + 3, kBlack}, {x + 1, y + 1, kBlack}};
}

TEST_F(FinderMoverDrawingTest, CountIsDrawnBesideTheMoverAndFollowsIt) {
    TiXmlDocument document;
    document.Parse(R"(<object id="boat" name="boat.png" poss="2,2;18,2" time="1" count="3" curcount="1" textx="0"
        texty="8"/>)");
    TFinderMoverObject boat;
    boat.LoadFromXml(document.RootElement(), "");
    TiXmlDocument count;
    count.Parse(R"(<object id="tally"><object name="text" type="imagetext" x="0" y="0" w="20" h="10" font="digits"
        flags="2" color="255.255.255.255"/></object>)");
    auto* text = new TTextObject();
    text->LoadFromXml(count.RootElement(), "");
    boat.AddChild(text);
    boat.LoadResources();
    boat.OnSpaceShow();
    boat.OnSpaceFirstShow();
    ASSERT_EQ(boat.mText, text);

    auto draw = [&] {
        BeginCanvas();
        boat.Draw(1.0f);
        text->DrawAll();
    };
    draw();
    std::vector<TProbe> expected = CountAt(2, 10);
    expected.insert(expected.end(), {{2, 2, kRedPixel}, {7, 7, kRedPixel}, {8, 5, kBlack}});
    ExpectPixels(expected);

    // Half way to the second place the count stands at the same offset from the boat.
    boat.Activate(0, 0, 0);
    for (int i = 0; i < 50; ++i) {
        boat.Update(0.01f);
    }
    ASSERT_NEAR(boat.GetX(), 10, 1.0f);
    const int x = static_cast<int>(boat.GetX());
    draw();
    expected = CountAt(x, 10);
    expected.insert(expected.end(), {{x, 2, kRedPixel}, {x + 5, 7, kRedPixel}, {x - 1, 5, kBlack}, {2, 13, kBlack}});
    ExpectPixels(expected);
}

} // namespace
