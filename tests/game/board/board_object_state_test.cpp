// The board as a scene object: its saved state with the cells' values, release and reset, the
// solution and hidden-cell views of the developer, the over-colours its tiles pick from the colour
// table, and the shape operations of a board without shapes.

#include <gtest/gtest.h>

#include "app/buffer.h"
#include "board/mosaic_layout.h"
#include "data/game_settings.h"
#include "data/tilesets.h"
#include "game/data_fixture.h"
#include "graphics/font_test_support.h"

namespace {

// Two rows of four in two colours; row 1, column 3 is empty. In colour 1's view the cells of columns 0
// to 2 are open (its box), column 3 is ruled out. The hidden reward is the cell of row 0, column 0.
const char* const kLevel = R"(<level><info rows="2" cols="4" rewards="1,1"/>
<line line="1212"/><line line="1120"/></level>)";

class BoardStateTest : public GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        ASSERT_TRUE(mRenderer.IsReady());
        WriteData("levels/two.xml", kLevel);
        ASSERT_TRUE(mBoard.Load("levels/two.xml", false));
    }

    void TearDown() override {
        ClearTilesets();
        TMosaicColorTable::Destroy();
    }

    int X(int column) const { return mBoard.GetBoard().GetCell(0, column).x + 20; }
    int Y(int row) const { return mBoard.GetBoard().GetCell(row, 0).y + 20; }

    void Click(int row, int column, int button = TMosaicBoard::kLeftButton) {
        mBoard.OnMouseDown(X(column), Y(row), button);
        mBoard.OnMouseUp(X(column), Y(row), button);
    }

    std::vector<int> Players() const {
        std::vector<int> values;
        for (const TMosaicCell& cell : mBoard.GetBoard().GetCells()) {
            values.push_back(cell.player);
        }
        return values;
    }

    std::vector<bool> Visible() const {
        std::vector<bool> values;
        for (const TMosaicCell& cell : mBoard.GetBoard().GetCells()) {
            values.push_back(cell.visible);
        }
        return values;
    }

    fonttest::HeadlessRenderer mRenderer{64, 32};
    MosaicLayout_t mBoard;
};

TEST_F(BoardStateTest, SavedStateHoldsEveryCellsValueAndVisibility) {
    Click(0, 0);                             // painted 1
    Click(0, 1);                             // wrong: the cross
    Click(1, 2, TMosaicBoard::kRightButton); // ruled out
    const std::vector<int> played = Players();
    ASSERT_EQ(played[0], 1);
    ASSERT_EQ(played[1], -2);
    ASSERT_EQ(played[6], -1);
    mBoard.mAlpha = 0.25f;
    TBaseBuffer buffer;
    mBoard.SaveState(buffer);

    // After the object record, each cell in row order: the value (int32 little-endian), then visible.
    const std::vector<uint8_t>& bytes = buffer.GetBytes();
    ASSERT_GE(bytes.size(), 8u * 5u);
    size_t at = bytes.size() - 8u * 5u;
    for (int value : played) {
        const auto bits = static_cast<uint32_t>(value);
        EXPECT_EQ(
            std::vector<uint8_t>(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at) + 5),
            (std::vector<uint8_t>{static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                                  static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24), 1}))
            << "at " << at;
        at += 5;
    }

    MosaicLayout_t restored;
    ASSERT_TRUE(restored.Load("levels/two.xml", false));
    restored.ReleaseAll();
    restored.RestoreState(buffer);
    EXPECT_FALSE(buffer.IsFailed());
    EXPECT_TRUE(buffer.IsReadComplete());
    std::vector<int> values;
    std::vector<bool> visible;
    for (const TMosaicCell& cell : restored.GetBoard().GetCells()) {
        values.push_back(cell.player);
        visible.push_back(cell.visible);
        EXPECT_EQ(cell.shown, cell.player);
    }
    EXPECT_EQ(values, played);
    EXPECT_EQ(visible, std::vector<bool>(8, true));
    EXPECT_FLOAT_EQ(restored.mAlpha, 0.25f);
}

TEST_F(BoardStateTest, ReleaseHidesEveryCellAndResetForgetsWhatWasPlayed) {
    Click(0, 0);
    Click(1, 3, TMosaicBoard::kRightButton);
    mBoard.ReleaseAll();
    EXPECT_EQ(Visible(), std::vector<bool>(8, false));
    // A hidden cell takes no stroke.
    Click(0, 1);
    EXPECT_EQ(mBoard.GetBoard().GetCell(0, 1).player, 0);

    ASSERT_TRUE(mBoard.Load("levels/two.xml", false));
    Click(0, 0);
    Click(0, 1);
    mBoard.GetItem(0, 1)->mSpark = true;
    mBoard.Reset();
    EXPECT_EQ(Players(), std::vector<int>(8, 0));
    for (const TMosaicCell& cell : mBoard.GetBoard().GetCells()) {
        EXPECT_EQ(cell.committed.colour, 0);
        EXPECT_FALSE(cell.hiddenReward);
    }
    EXPECT_FALSE(mBoard.GetItem(0, 1)->mSpark);
    // The memories of wrong colours stay.
    EXPECT_EQ(mBoard.GetBoard().GetCell(0, 1).wrongPairs[0].colour, 1);
}

TEST_F(BoardStateTest, SolutionViewShowsEveryVisibleCellsColourThenNothing) {
    Click(0, 0);
    mBoard.ShowSolution(true);
    EXPECT_EQ(Players(), (std::vector<int>{1, 2, 1, 2, 1, 1, 2, -1}));
    mBoard.ShowSolution(false);
    EXPECT_EQ(Players(), std::vector<int>(8, 0));
    // The view commits nothing: the painted cell is still remembered.
    EXPECT_EQ(mBoard.GetBoard().GetCell(0, 0).committed.colour, 1);
}

TEST_F(BoardStateTest, HiddenCellMarksFollowTheirFlagAndSurviveALoad) {
    mBoard.ShowHiddenCellMarks(true);
    for (const auto& item : mBoard.GetItems()) {
        EXPECT_EQ(item->mDeveloperMark, item->GetCell().hiddenReward) << item->GetCell().row << item->GetCell().column;
    }
    ASSERT_TRUE(mBoard.GetItem(0, 0)->mDeveloperMark);
    ASSERT_TRUE(mBoard.Load("levels/two.xml", false));
    EXPECT_TRUE(mBoard.GetItem(0, 0)->mDeveloperMark);
    mBoard.ShowHiddenCellMarks(false);
    EXPECT_FALSE(mBoard.GetItem(0, 0)->mDeveloperMark);
}

TEST_F(BoardStateTest, TilesPickTheirOverColoursFromTheColourTable) {
    // Colour 1's tile names base colour 1; colour 2's tile none, so a cell takes the colour named by the
    // sprite of the tile it shows.
    WriteData("tilesets/tilesets.xml", R"(<t><tileset path="tilesets/t.xml" name="t"/></t>)");
    WriteData("tilesets/t.xml", R"(<t><tile sprite="k/open"/><tile sprite="k/c1" mast="1" overcolor="1"/>
<tile sprite="k/c2" mast="2"/><tile sprite="k/out" type="-1"/></t>)");
    LoadTilesets("tilesets/tilesets.xml");
    LoadTilesetTextures(0);
    TiXmlDocument settings;
    settings.Parse(R"(<s><baseovercolor color="10.20.30.255"/><baseovercolor color="40.50.60.255"/>
<overcolor id="k/c2" color="70.80.90.255"/><overcolor id="k/out" color="1.2.3.255"/></s>)");
    TMosaicColorTable::Get().LoadFromXml(settings.RootElement());
    ASSERT_TRUE(mBoard.Load("levels/two.xml", false));
    const TMosaicColorTable& table = TMosaicColorTable::Get();

    mBoard.DrawCells();
    struct Case {
        int row, column;
        int index;
        TColor colour;
    };
    // Colour 1's view: column 3 shows the ruled-out tile.
    for (const Case& c : {Case{0, 0, 1, table.GetColorByIndex(1)}, Case{1, 1, 1, table.GetColorByIndex(1)},
                          Case{0, 3, -1, table.GetColorById("k/out")}, Case{1, 3, -1, table.GetColorById("k/out")}}) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
        const MosaicItem_t& item = *mBoard.GetItem(c.row, c.column);
        EXPECT_EQ(item.mOverColourIndex, c.index);
        EXPECT_EQ(item.mOverColour, c.colour);
    }
    EXPECT_NE(table.GetColorById("k/out"), table.GetColorByIndex(0));

    // Painted with colour 2, the cell shows colour 2's tile and takes that sprite's colour.
    mBoard.GetBoard().SetCurrentPair({2, 0});
    mBoard.GetBoard().ApplyColourLayer(true);
    Click(0, 3);
    mBoard.DrawCells();
    ASSERT_EQ(mBoard.GetBoard().GetCell(0, 3).player, 2);
    EXPECT_EQ(mBoard.GetItem(0, 3)->mOverColour, table.GetColorById("k/c2"));
}

TEST_F(BoardStateTest, ABoardWithoutShapesOffersNone) {
    EXPECT_EQ(mBoard.GetShapeCount(), 0);
    for (int shape = -1; shape < 3; ++shape) {
        EXPECT_FALSE(mBoard.IsShapeAvailable(shape, 0));
    }
}

} // namespace
