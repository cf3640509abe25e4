// The board object over the rules: loading into drawn items, pointer events routed by mode, what the
// rules report reaching the listener with the board's own items, and the cell hooks reaching them.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "board/mosaic_layout.h"
#include "game/data_fixture.h"

namespace {

std::string NameOf(const MosaicItem_t* item) {
    if (item == nullptr) {
        return "none";
    }
    std::string name = "r";
    name += std::to_string(item->GetCell().row) + "c" + std::to_string(item->GetCell().column);
    return name;
}

// Writes down every event with the item it names, checking that the item is the board's own.
class Recorder : public MosaicLayoutListener {
public:
    explicit Recorder(MosaicLayout_t& board) : mBoard(board) {}

    void OnLayoutSolved() override { mEvents.push_back("solved"); }
    void OnCellVisited(MosaicItem_t* cell) override { Add("visited", cell); }
    void OnCellFilled(MosaicItem_t* cell) override { Add("filled", cell); }
    void OnCellWrong(MosaicItem_t* cell) override { Add("wrong", cell); }
    void OnMistakes(int count) override { mEvents.push_back("mistakes " + std::to_string(count)); }
    void OnCellHover(MosaicItem_t* cell) override { Add("hover", cell); }
    void OnCellsPainted(int count) override { mEvents.push_back("painted " + std::to_string(count)); }
    void OnHiddenCellFound(MosaicItem_t* cell) override { Add("found", cell); }

    std::vector<std::string> Take() { return std::exchange(mEvents, {}); }

private:
    void Add(const char* event, MosaicItem_t* item) {
        const bool own = item != nullptr && mBoard.GetItem(item->GetCell().row, item->GetCell().column) == item;
        mEvents.push_back(std::string(event) + " " + NameOf(item) + (own ? "" : " (not the board's item)"));
    }

    MosaicLayout_t& mBoard;
    std::vector<std::string> mEvents;
};

// Cells that count what the rules tell them.
class CountingItem : public MosaicItem_t {
public:
    using MosaicItem_t::MosaicItem_t;
    void OnColourSet() override { ++colourSet; }
    void OnRunCompleted() override { ++runCompleted; }
    void OnLayoutSolved() override { ++layoutSolved; }

    int colourSet = 0;
    int runCompleted = 0;
    int layoutSolved = 0;
};

class CountingBoard : public MosaicLayout_t {
public:
    CountingItem& Item(int row, int column) { return static_cast<CountingItem&>(*GetItem(row, column)); }

protected:
    std::unique_ptr<MosaicItem_t> CreateCell(const TMosaicCell& cell) override {
        return std::make_unique<CountingItem>(cell, mPainter);
    }

private:
    TNumberPainter mPainter;
};

// Two rows of four, colour 1 only; the hidden reward in row 0, column 0.
const char* const kLevel = R"(<level><info rows="2" cols="4" rewards="1,1"/>
<line line="1101"/><line line="1001"/></level>)";

class BoardObjectTest : public GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        WriteData("levels/two.xml", kLevel);
        WriteData("levels/square.xml", R"(<l><info rows="2" cols="2"/><line line="12"/><line line="21"/></l>)");
        WriteData("levels/gap.xml", R"(<l><info rows="1" cols="2"/><line line="13"/></l>)");
        ASSERT_TRUE(mBoard.Load("levels/two.xml", false));
        mBoard.SetListener(&mRecorder);
    }

    int X(int column) const { return mBoard.GetBoard().GetCell(0, column).x + 20; }
    int Y(int row = 0) const { return mBoard.GetBoard().GetCell(row, 0).y + 20; }

    // Left button: pressed on the first cell, dragged over the others, released on the last.
    void Stroke(const std::vector<std::pair<int, int>>& cells) {
        mBoard.OnMouseDown(X(cells.front().second), Y(cells.front().first), TMosaicBoard::kLeftButton);
        for (size_t i = 1; i < cells.size(); ++i) {
            mBoard.OnMouseDrag(X(cells[i].second), Y(cells[i].first), TMosaicBoard::kLeftButton);
        }
        mBoard.OnMouseUp(X(cells.back().second), Y(cells.back().first), TMosaicBoard::kLeftButton);
    }

    CountingBoard mBoard;
    Recorder mRecorder{mBoard};
};

TEST_F(BoardObjectTest, LoadBuildsOneItemPerCellAtTheGrid) {
    const TMosaicBoard& rules = mBoard.GetBoard();
    ASSERT_EQ(mBoard.GetItems().size(), 8u);
    for (const TMosaicCell& cell : rules.GetCells()) {
        EXPECT_EQ(&mBoard.GetItem(cell.row, cell.column)->GetCell(), &cell) << cell.row << "," << cell.column;
    }
    for (auto [row, column] : {std::pair(2, 0), std::pair(0, 4), std::pair(-1, 0), std::pair(0, -1)}) {
        EXPECT_EQ(mBoard.GetItem(row, column), nullptr) << row << "," << column;
    }
    // The object sits at the grid origin with the grid's pixel size.
    EXPECT_EQ(std::vector<float>({mBoard.mX, mBoard.mY, mBoard.mW, mBoard.mH}),
              std::vector<float>({312, 155, 160, 80}));
    EXPECT_EQ(mBoard.GetItem(0, 0)->mOverlayImage.mImageName, MosaicItem_t::kRewardOverlay);
    EXPECT_EQ(mBoard.GetItem(0, 1)->mOverlayImage.mImageName, "");
    EXPECT_EQ(mBoard.GetTypeId(), 4);
}

TEST_F(BoardObjectTest, FailedLoadKeepsTheBoardAndItsItems) {
    const MosaicItem_t* first = mBoard.GetItem(0, 0);
    for (const char* file : {"levels/none.xml", "levels/gap.xml"}) {
        EXPECT_FALSE(mBoard.Load(file, false)) << file;
        EXPECT_EQ(mBoard.GetItem(0, 0), first) << file;
        EXPECT_EQ(mBoard.GetBoard().GetCols(), 4) << file;
    }
    ASSERT_TRUE(mBoard.Load("levels/square.xml", false));
    EXPECT_EQ(mBoard.GetItems().size(), 4u);
    EXPECT_EQ(mBoard.GetItem(0, 2), nullptr);
    EXPECT_EQ(&mBoard.GetItem(1, 1)->GetCell(), &mBoard.GetBoard().GetCell(1, 1));
}

TEST_F(BoardObjectTest, PointerCountsOnlyWhileTheBoardIsShown) {
    struct Case {
        int mode;
        bool taken;
    };
    for (const Case& c : {Case{MosaicLayout_t::kModeFadingIn, false}, Case{MosaicLayout_t::kModeFadingOut, false},
                          Case{MosaicLayout_t::kModeShown, true}}) {
        ASSERT_TRUE(mBoard.Load("levels/two.xml", false));
        mBoard.SetMode(c.mode);
        EXPECT_EQ(mBoard.OnMouseMove(X(1), Y()), c.taken) << c.mode;
        EXPECT_EQ(mBoard.GetBoard().GetHoverColumn(), c.taken ? 1 : -1) << c.mode;
        EXPECT_EQ(mBoard.OnMouseDown(X(0), Y(), TMosaicBoard::kLeftButton), c.taken) << c.mode;
        EXPECT_EQ(mBoard.OnMouseDrag(X(1), Y(), TMosaicBoard::kLeftButton), c.taken) << c.mode;
        EXPECT_EQ(mBoard.OnMouseUp(X(1), Y(), TMosaicBoard::kLeftButton), c.taken) << c.mode;
        const int painted = c.taken ? 1 : 0;
        EXPECT_EQ(mBoard.GetBoard().GetCell(0, 0).player, painted) << c.mode;
        EXPECT_EQ(mBoard.GetBoard().GetCell(0, 1).player, painted) << c.mode;
    }
    // A press out of the shown mode still clears what the last press visited.
    mRecorder.Take();
    mBoard.OnMouseDown(X(2), Y(), TMosaicBoard::kRightButton);
    ASSERT_TRUE(mBoard.GetBoard().GetCell(0, 2).visited);
    mBoard.SetMode(MosaicLayout_t::kModeFadingOut);
    EXPECT_FALSE(mBoard.OnMouseDown(X(3), Y(), TMosaicBoard::kRightButton));
    EXPECT_FALSE(mBoard.GetBoard().GetCell(0, 2).visited);
    EXPECT_EQ(mRecorder.Take(), std::vector<std::string>({"hover r0c2"}));
}

TEST_F(BoardObjectTest, ListenerHearsTheRulesWithTheBoardsItems) {
    struct Step {
        const char* name;
        std::vector<std::pair<int, int>> cells;
        std::vector<std::string> events;
    };
    const Step steps[] = {
        {"wrong click", {{1, 1}}, {"visited r1c1", "wrong r1c1", "mistakes 1", "painted 0"}},
        {"stroke along row 0",
         {{0, 0}, {0, 0}, {0, 1}},
         {"hover r0c0", "hover r0c1", "visited r0c0", "filled r0c0", "visited r0c1", "filled r0c1", "painted 2"}},
        {"release on the painted reward cell", {{0, 0}}, {"found r0c0", "visited r0c0", "painted 0"}},
        {"stroke down column 3",
         {{0, 3}, {1, 3}},
         {"hover r1c3", "visited r0c3", "filled r0c3", "visited r1c3", "filled r1c3", "painted 2"}},
        {"last cell", {{1, 0}}, {"visited r1c0", "filled r1c0", "painted 1"}},
    };
    for (const Step& step : steps) {
        Stroke(step.cells);
        EXPECT_EQ(mRecorder.Take(), step.events) << step.name;
    }
    EXPECT_TRUE(mBoard.IsSolved());
    EXPECT_TRUE(mBoard.IsSolved());
    EXPECT_EQ(mRecorder.Take(), std::vector<std::string>({"solved"}));
}

TEST_F(BoardObjectTest, RulesReachTheItemsOfTheirCells) {
    Stroke({{0, 0}, {0, 1}});
    // Ruling out commits no colour.
    mBoard.OnMouseDown(X(2), Y(), TMosaicBoard::kRightButton);
    mBoard.OnMouseUp(X(2), Y(), TMosaicBoard::kRightButton);
    struct Expected {
        int colourSet;
        int runCompleted;
    };
    // Row 0's run of two is done; column 1's run of one lies inside it and is told once.
    const Expected row0[] = {{1, 1}, {1, 1}, {0, 0}, {0, 0}};
    for (int column = 0; column < 4; ++column) {
        const CountingItem& item = mBoard.Item(0, column);
        EXPECT_EQ(item.colourSet, row0[column].colourSet) << column;
        EXPECT_EQ(item.runCompleted, row0[column].runCompleted) << column;
        EXPECT_EQ(item.layoutSolved, 0) << column;
    }
    Stroke({{0, 3}, {1, 3}});
    Stroke({{1, 0}});
    ASSERT_TRUE(mBoard.IsSolved());
    for (const auto& item : mBoard.GetItems()) {
        EXPECT_EQ(static_cast<const CountingItem&>(*item).layoutSolved, 1) << NameOf(item.get());
    }
    EXPECT_EQ(mBoard.Item(1, 3).colourSet, 1);
    EXPECT_EQ(mBoard.Item(1, 1).colourSet, 0);
}

TEST_F(BoardObjectTest, ModeFadesTheBoardAlphaOneStepPerUpdate) {
    struct Case {
        int mode;
        float startAlpha;
        int updates;
        float alpha;
        int modeAfter;
    };
    const Case cases[] = {
        {MosaicLayout_t::kModeFadingIn, 0.0f, 3, 0.3f, MosaicLayout_t::kModeFadingIn},
        {MosaicLayout_t::kModeFadingIn, 0.0f, 10, 1.0f, MosaicLayout_t::kModeShown},
        {MosaicLayout_t::kModeFadingIn, 0.95f, 1, 1.0f, MosaicLayout_t::kModeShown},
        {MosaicLayout_t::kModeFadingOut, 1.0f, 4, 0.6f, MosaicLayout_t::kModeFadingOut},
        {MosaicLayout_t::kModeFadingOut, 0.05f, 1, 0.0f, MosaicLayout_t::kModeShown},
        {MosaicLayout_t::kModeShown, 0.4f, 5, 0.4f, MosaicLayout_t::kModeShown},
    };
    for (const Case& c : cases) {
        mBoard.SetMode(c.mode);
        mBoard.mAlpha = c.startAlpha;
        for (int i = 0; i < c.updates; ++i) {
            // The step is per call, whatever the time passed.
            mBoard.Update(i % 2 == 0 ? 0.5f : 0.001f);
        }
        EXPECT_NEAR(mBoard.mAlpha, c.alpha, 1e-5) << c.mode << " from " << c.startAlpha;
        EXPECT_EQ(mBoard.GetMode(), c.modeAfter) << c.mode << " from " << c.startAlpha;
    }
}

} // namespace
