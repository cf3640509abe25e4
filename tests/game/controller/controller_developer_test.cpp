// The controller's developer views (hidden cells, highlight, solution), its shape pickers on a board
// without shapes, and the clue highlights a colour change leaves behind.

#include "controller_fixture.h"
#include "windows/image_control.h"

namespace controllertest {
namespace {

// The fixture's controls plus the shape pickers; level a of two colours side by side.
constexpr const char* kShapeControls = R"(
<object name="imageshape" type="image" x="120" y="100" w="40" h="40"/>
<object name="mosaicshape1" type="image" x="120" y="150" w="40" h="40"/>
<object name="mosaicshape2" type="image" x="120" y="200" w="40" h="40"/>
</root>)";
constexpr const char* kTwoColours = R"(<l><info rows="2" cols="4"/><line line="1122"/><line line="1122"/></l>)";

class ControllerDeveloperTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        std::string interface = kInterface;
        interface.replace(interface.rfind("</root>"), 7, kShapeControls);
        WriteData("ui/interface.xml", interface);
        ASSERT_TRUE(TUIInfoHolder::GetGlobal()->LoadFromFile("ui/interface.xml"));
        WriteData("levels/a.xml", kTwoColours);
    }

    std::vector<int> Players() const {
        std::vector<int> values;
        for (const TMosaicCell& cell : mController->GetActiveLayout().GetBoard().GetCells()) {
            values.push_back(cell.player);
        }
        return values;
    }

    harness::ScopedEnv mDeveloper{"VERDANEL_DEVELOPER", "1"};
};

TEST_F(ControllerDeveloperTest, DeveloperKeysShowHiddenCellsHighlightAndSolution) {
    Play(0, 1);
    MosaicLayout_t& board = mController->GetActiveLayout();
    const MosaicItem_t& reward = *board.GetItem(1, 1);
    ASSERT_TRUE(reward.GetCell().hiddenReward);
    const std::vector<int> untouched = Players();

    // Outside the developer mode the view keys do nothing.
    for (int key : {SDLK_c, SDLK_x}) {
        mController->OnKeyUp(key);
    }
    EXPECT_FALSE(board.GetDeveloperHighlight());
    EXPECT_EQ(Players(), untouched);

    mController->OnKeyUp(SDLK_BACKQUOTE);
    EXPECT_TRUE(mController->IsDeveloperMode());
    EXPECT_TRUE(reward.mDeveloperMark);
    EXPECT_FALSE(board.GetItem(0, 0)->mDeveloperMark);

    mController->OnKeyUp(SDLK_x);
    EXPECT_TRUE(board.GetDeveloperHighlight());
    EXPECT_EQ(Players(), (std::vector<int>{1, 1, 1, -1, -1, 1, 1, 1}));
    mController->OnKeyUp(SDLK_x);
    EXPECT_FALSE(board.GetDeveloperHighlight());
    EXPECT_EQ(Players(), std::vector<int>(8, 0));
    mController->OnKeyUp(SDLK_c);
    EXPECT_TRUE(board.GetDeveloperHighlight());
    EXPECT_TRUE(mController->IsDeveloperHighlight());
    EXPECT_EQ(Players(), std::vector<int>(8, 0));

    // The highlight goes with the controller to the next level's board; the marks leave with the mode.
    mController->OnKeyUp(SDLK_BACKQUOTE);
    EXPECT_FALSE(reward.mDeveloperMark);
    mController->StartLevel(0, 0);
    EXPECT_TRUE(mController->GetActiveLayout().GetDeveloperHighlight());
}

TEST_F(ControllerDeveloperTest, ShapePickersStayHiddenOnABoardWithoutShapes) {
    Play(0, 0);
    ASSERT_EQ(mController->GetShapeButtons().size(), 2u);
    ASSERT_NE(mController->GetShapeIndicator(), nullptr);
    EXPECT_EQ(CountShown(mController->GetShapeButtons()), 0);
    EXPECT_FALSE(mController->GetShapeIndicator()->mShown);
    EXPECT_EQ(mController->GetCurrentShape(), 0);
    TMouseEvent event;
    mController->OnWindowMouseDown(mController->GetShapeIndicator(), event);
    mController->OnWindowMouseDown(mController->GetShapeButtons()[1], event);
    EXPECT_EQ(mController->GetCurrentShape(), 0);
    EXPECT_EQ(CountChecked(mController->GetShapeButtons()), 0);
    // A stroke re-checks the shapes and finds none.
    Stroke(0, 0, 1);
    EXPECT_EQ(CountShown(mController->GetShapeButtons()), 0);
    EXPECT_EQ(mController->GetCurrentShape(), 0);
    EXPECT_EQ(std::string(TBoardMahjong::kShapePreviews[2]), "textures/tilesets/prev6big");
}

TEST_F(ControllerDeveloperTest, AColourChangeClearsTheClueHighlightsOfEveryColour) {
    Play(0, 0);
    const TMosaicBoard& rules = mController->GetActiveLayout().GetBoard();
    ASSERT_EQ(rules.GetCurrentColourIndex(), 0);
    const TMosaicNumberItem& number = rules.GetColourRecords()[0].numbers[kRows][0][0];
    TMouseEvent over;
    over.x = over.gameX = number.rect.x + 2;
    over.y = over.gameY = number.rect.y + 2;
    mController->OnMouseMove(over);
    ASSERT_TRUE(number.hover);

    mController->OnWindowMouseDown(mController->GetColourButtons()[1], over);
    ASSERT_EQ(rules.GetCurrentColourIndex(), 1);
    EXPECT_FALSE(number.hover);

    // The same for the colour indicator.
    mController->OnMouseMove(over);
    mController->OnWindowMouseDown(mController->GetColourButtons()[0], over);
    mController->OnMouseMove(over);
    ASSERT_TRUE(number.hover);
    ASSERT_NE(mController->GetColourIndicator(), nullptr);
    mController->OnWindowMouseDown(mController->GetColourIndicator(), over);
    ASSERT_EQ(rules.GetCurrentColourIndex(), 1);
    EXPECT_FALSE(number.hover);
}

} // namespace
} // namespace controllertest
