// The picture boards: the scene a layout file gives the mystery-land board (images under and over the
// grid, the picture and each cell's part of it), the tiles it draws over unpainted cells, and the picture
// board's reveal: every tile fading out once solved, the level complete only after one more release or
// a minute, and its saved record that of the plain board.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/buffer.h"
#include "app/xml_reader.h"
#include "board/picture_board.h"
#include "data/tilesets.h"
#include "game/data_fixture.h"
#include "graphics/font_test_support.h"

namespace {

class PaintedRecorder : public MosaicLayoutListener {
public:
    void OnLayoutSolved() override { mEvents.push_back("solved"); }
    void OnCellsPainted(int count) override { mEvents.push_back("painted " + std::to_string(count)); }
    std::vector<std::string> Take() { return std::exchange(mEvents, {}); }

private:
    std::vector<std::string> mEvents;
};

// Two rows of three: colour 1 in a diagonal stair, the other cells empty. The scene: a sky under the grid,
// a plain image over it, one with "z" 5, a frame animation (not a plain image), and the picture last.
std::string SceneLevel(int cellWidth, int cellHeight) {
    return "<level><info rows=\"2\" cols=\"3\" collwidth=\"" + std::to_string(cellWidth) + "\" collheight=\"" +
           std::to_string(cellHeight) +
           "\"/><line line=\"110\"/><line line=\"011\"/>"
           "<object filename=\"textures/scene/sky\" z=\"-1\"/>"
           "<object filename=\"textures/scene/hill\"/>"
           "<object filename=\"textures/scene/moon\" z=\"5\"/>"
           "<object type=\"cadr2\" filename=\"textures/scene/bird\"/>"
           "<object filename=\"textures/scene/picture\"/></level>";
}

class PictureBoardTest : public GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        ASSERT_TRUE(mRenderer.IsReady());
        WriteSolidImage("textures/scene/sky.png", 10, 5, 0xFF3366CCu);
        WriteSolidImage("textures/scene/hill.png", 8, 8, 0xFF33AA33u);
        WriteSolidImage("textures/scene/moon.png", 8, 8, 0xFFEEEEEEu);
        WriteSolidImage("textures/scene/picture.png", 120, 80, 0xFFCC8844u);
        WriteData("levels/scene.xml", SceneLevel(40, 40));
        WriteData("levels/wide.xml", SceneLevel(50, 30));
        WriteData("levels/bare.xml", R"(<level><info rows="2" cols="3"/><line line="110"/><line line="011"/></level>)");
        // Tiles of the values the board shows: untouched 0, colour 1, ruled out -1, crossed -2.
        mTileset.mTiles.resize(4);
        mTileset.mTiles[2].mType = -1;
        mTileset.mTiles[3].mType = -2;
    }

    template <class Board> void Stroke(Board& board, int row, int from, int to, int button) {
        const TMosaicCell& first = board.GetBoard().GetCell(row, from);
        const TMosaicCell& last = board.GetBoard().GetCell(row, to);
        board.OnMouseDown(first.x + 5, first.y + 5, button);
        board.OnMouseDrag(last.x + 5, last.y + 5, button);
        board.OnMouseUp(last.x + 5, last.y + 5, button);
    }

    // Paints the picture: both runs of colour 1.
    template <class Board> void Solve(Board& board) {
        Stroke(board, 0, 0, 1, TMosaicBoard::kLeftButton);
        Stroke(board, 1, 1, 2, TMosaicBoard::kLeftButton);
    }

    // Large enough to hold the small levels' grids where the board places them.
    fonttest::HeadlessRenderer mRenderer{480, 240};
    TTileset mTileset{TXmlSource{}};
};

// A board drawn with the test's tileset.
template <class Base> class TestBoard : public Base {
public:
    explicit TestBoard(const TTileset& tileset) : mTileset(tileset) {}
    const TTileset* GetTileset() const override { return &mTileset; }
    MysteryMosaicItem_t& Cell(int row, int column) {
        return static_cast<MysteryMosaicItem_t&>(*this->GetItem(row, column));
    }

private:
    const TTileset& mTileset;
};

TEST_F(PictureBoardTest, TheSceneLiesUnderAndOverTheGridAndEachColouredCellShowsItsPart) {
    struct Case {
        const char* file;
        int cellWidth, cellHeight;
    };
    for (const Case& c : {Case{"levels/scene.xml", 40, 40}, Case{"levels/wide.xml", 50, 30}}) {
        SCOPED_TRACE(c.file);
        TestBoard<MosaicLayoutMysteryLand_t> board(mTileset);
        ASSERT_TRUE(board.Load(c.file, false));
        // The sky alone lies under the grid; the frame animation lies over it but is no plain image, so the
        // picture is the last object.
        ASSERT_EQ(board.GetSceneUnder().size(), 1u);
        ASSERT_EQ(board.GetSceneOver().size(), 4u);
        EXPECT_EQ(board.GetSceneOver()[1]->mTag, 5.0f);
        EXPECT_EQ(board.GetAnimatedPicture(), nullptr);
        ASSERT_NE(board.GetPicture(), nullptr);
        EXPECT_EQ(board.GetPicture()->mImageName, "textures/scene/picture");
        // The sky covers the grid exactly, from its origin: 3 x 2 cells, no gaps between them.
        const TGridGeometry& geometry = board.GetBoard().GetGeometry();
        const auto& sky = static_cast<const StaticImage&>(*board.GetSceneUnder()[0]);
        EXPECT_FLOAT_EQ(sky.mBaseX, static_cast<float>(geometry.originX));
        EXPECT_FLOAT_EQ(sky.mBaseY, static_cast<float>(geometry.originY));
        EXPECT_FLOAT_EQ(sky.mScaleX, 3.0f * c.cellWidth / 10.0f);
        EXPECT_FLOAT_EQ(sky.mScaleY, 2.0f * c.cellHeight / 5.0f);
        EXPECT_EQ(board.GetBoard().GetCell(1, 2).x - board.GetBoard().GetCell(1, 0).x, 2 * c.cellWidth);
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 3; ++column) {
                MysteryMosaicItem_t& cell = board.Cell(row, column);
                EXPECT_EQ(cell.HasPicture(), cell.GetCell().solution >= 1) << row << "," << column;
                const MysteryMosaicItem_t::TPicturePart& part = cell.GetPicturePart();
                EXPECT_EQ(std::vector<int>({part.x, part.y, part.w, part.h}),
                          std::vector<int>({column * c.cellWidth, row * c.cellHeight, c.cellWidth, c.cellHeight}))
                    << row << "," << column;
            }
        }
    }
}

TEST_F(PictureBoardTest, ALayoutWithoutSceneLeavesTheCellsWithoutPicture) {
    TestBoard<MosaicLayoutMysteryLand_t> board(mTileset);
    ASSERT_TRUE(board.Load("levels/scene.xml", false));
    ASSERT_TRUE(board.Load("levels/bare.xml", false));
    EXPECT_TRUE(board.GetSceneUnder().empty());
    EXPECT_TRUE(board.GetSceneOver().empty());
    EXPECT_EQ(board.GetPicture(), nullptr);
    EXPECT_FALSE(board.Cell(0, 0).HasPicture());
}

// A level handed over as bytes, with no file of its name: its grid and scene load as from a file, and a
// broken document leaves the board and scene of the level before.
TEST_F(PictureBoardTest, ALevelInMemoryLoadsItsGridAndSceneAndABrokenOneKeepsThePreviousLevel) {
    TestBoard<MosaicLayoutShowImage_t> board(mTileset);
    const std::string level = SceneLevel(50, 30);
    ASSERT_TRUE(board.LoadSource(TXmlSource{"levels/in_memory.xml", level, nullptr}, false));
    EXPECT_EQ(board.GetBoard().GetCols(), 3);
    EXPECT_EQ(board.GetBoard().GetCell(1, 2).x - board.GetBoard().GetCell(1, 0).x, 100);
    EXPECT_EQ(board.GetSceneUnder().size(), 1u);
    EXPECT_EQ(board.GetSceneOver().size(), 4u);
    ASSERT_NE(board.GetPicture(), nullptr);
    EXPECT_EQ(board.GetPicture()->mImageName, "textures/scene/picture");
    EXPECT_TRUE(board.Cell(0, 0).HasPicture());

    const std::string broken = level.substr(0, level.size() / 2);
    EXPECT_FALSE(board.LoadSource(TXmlSource{"levels/broken.xml", broken, nullptr}, false));
    EXPECT_EQ(board.GetBoard().GetCols(), 3);
    EXPECT_EQ(board.GetSceneUnder().size(), 1u);
    EXPECT_EQ(board.GetSceneOver().size(), 4u);
    ASSERT_NE(board.GetPicture(), nullptr);
}

// A painted cell of the mystery-land board shows its picture part bare; the picture board keeps its tile
// over it until the solve. Ruled-out and untouched cells show their tiles on both.
TEST_F(PictureBoardTest, TilesCoverWhatThePlayerHasNotPaintedAndOnThePictureBoardEverything) {
    TestBoard<MosaicLayoutMysteryLand_t> mystery(mTileset);
    TestBoard<MosaicLayoutShowImage_t> picture(mTileset);
    ASSERT_TRUE(mystery.Load("levels/scene.xml", false));
    ASSERT_TRUE(picture.Load("levels/scene.xml", false));
    for (MosaicLayout_t* board : {static_cast<MosaicLayout_t*>(&mystery), static_cast<MosaicLayout_t*>(&picture)}) {
        const TMosaicCell& painted = board->GetBoard().GetCell(0, 0);
        const TMosaicCell& ruledOut = board->GetBoard().GetCell(0, 2);
        board->OnMouseDown(painted.x + 5, painted.y + 5, TMosaicBoard::kLeftButton);
        board->OnMouseUp(painted.x + 5, painted.y + 5, TMosaicBoard::kLeftButton);
        board->OnMouseDown(ruledOut.x + 5, ruledOut.y + 5, TMosaicBoard::kRightButton);
        board->OnMouseUp(ruledOut.x + 5, ruledOut.y + 5, TMosaicBoard::kRightButton);
        board->DrawCells();
    }
    struct Case {
        int row, column;
        bool mysteryTile, pictureTile;
    };
    const Case cases[] = {{0, 0, false, true}, {0, 2, true, true}, {1, 0, true, true}, {1, 1, true, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(mystery.Cell(c.row, c.column).HasOverlayTile(), c.mysteryTile) << c.row << "," << c.column;
        EXPECT_EQ(picture.Cell(c.row, c.column).HasOverlayTile(), c.pictureTile) << c.row << "," << c.column;
    }
    EXPECT_EQ(mystery.GetBoard().GetCell(0, 0).player, 1);
    EXPECT_EQ(mystery.GetBoard().GetCell(0, 2).player, -1);
}

TEST_F(PictureBoardTest, SolvedTheTilesFadeAndTheLevelWaitsForAReleaseOrAMinute) {
    struct Case {
        const char* name;
        // Seconds after the solve before the release; negative: no release.
        float releaseAfter;
        float completedAt;
    };
    const Case cases[] = {
        {"a release a second later", 1.0f, 1.0f},
        {"no release", -1.0f, MosaicLayoutShowImage_t::kCompletionSeconds},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestBoard<MosaicLayoutShowImage_t> board(mTileset);
        PaintedRecorder recorder;
        ASSERT_TRUE(board.Load("levels/scene.xml", false));
        board.SetListener(&recorder);
        EXPECT_TRUE(board.GetHighlightLines());
        EXPECT_TRUE(board.GetShowHoverMark());
        Solve(board);
        EXPECT_FALSE(board.IsSolved());
        EXPECT_EQ(recorder.Take(), std::vector<std::string>({"painted 2", "painted 2", "solved"}));
        EXPECT_FALSE(board.GetHighlightLines());
        EXPECT_FALSE(board.GetShowHoverMark());
        float elapsed = 0;
        bool released = false;
        while (!board.IsCompleted() && elapsed < 100.0f) {
            if (c.releaseAfter >= 0 && !released && elapsed >= c.releaseAfter - 0.001f) {
                // Anywhere on the board, even on an empty cell.
                const TMosaicCell& empty = board.GetBoard().GetCell(0, 2);
                EXPECT_TRUE(board.OnMouseUp(empty.x + 5, empty.y + 5, TMosaicBoard::kLeftButton));
                released = true;
                continue;
            }
            // Every tile, painted or not, fades together: gone after two seconds.
            for (auto [row, column] : {std::pair(0, 0), std::pair(0, 2), std::pair(1, 0)}) {
                const auto& cell = static_cast<MosaicItemShowImage_t&>(board.Cell(row, column));
                EXPECT_NEAR(cell.mOverlayFade.current, std::max(0.0f, 1.0f - elapsed / 2.0f), 0.01f) << elapsed;
            }
            board.Update(0.25f);
            elapsed += 0.25f;
        }
        EXPECT_NEAR(elapsed, c.completedAt, 0.01f);
        EXPECT_TRUE(board.IsSolved());
        EXPECT_EQ(recorder.Take(), std::vector<std::string>({"painted 0"}));
        // Completion is told once: a later release or the rest of the minute add nothing.
        board.OnMouseUp(board.GetBoard().GetCell(0, 0).x + 5, board.GetBoard().GetCell(0, 0).y + 5,
                        TMosaicBoard::kLeftButton);
        board.Update(MosaicLayoutShowImage_t::kCompletionSeconds);
        EXPECT_TRUE(recorder.Take().empty());
        // The next level plays again.
        ASSERT_TRUE(board.Load("levels/scene.xml", false));
        EXPECT_FALSE(board.IsCompleted());
        EXPECT_FALSE(board.GetCompletionTimer().running);
    }
}

TEST_F(PictureBoardTest, AReleaseBeforeTheSolveIsAnOrdinaryStroke) {
    TestBoard<MosaicLayoutShowImage_t> board(mTileset);
    PaintedRecorder recorder;
    ASSERT_TRUE(board.Load("levels/scene.xml", false));
    board.SetListener(&recorder);
    Stroke(board, 0, 0, 1, TMosaicBoard::kLeftButton);
    EXPECT_EQ(recorder.Take(), std::vector<std::string>({"painted 2"}));
    EXPECT_FALSE(board.IsCompleted());
    EXPECT_FALSE(board.GetCompletionTimer().running);
    board.Update(MosaicLayoutShowImage_t::kCompletionSeconds + 1.0f);
    EXPECT_FALSE(board.IsCompleted());
    EXPECT_FLOAT_EQ(static_cast<MosaicItemShowImage_t&>(board.Cell(0, 0)).mOverlayFade.current, 1.0f);
}

// The picture board saves what the plain board saves: the same bytes for the same play, and a board
// restored in mid-play goes on to its reveal.
TEST_F(PictureBoardTest, InMidPlayItSavesAndRestoresThePlainBoardsRecord) {
    TestBoard<MosaicLayoutShowImage_t> picture(mTileset);
    MosaicLayout_t plain;
    ASSERT_TRUE(picture.Load("levels/scene.xml", false));
    ASSERT_TRUE(plain.Load("levels/bare.xml", false));
    Stroke(picture, 0, 0, 1, TMosaicBoard::kLeftButton);
    Stroke(plain, 0, 0, 1, TMosaicBoard::kLeftButton);
    TBaseBuffer pictureRecord;
    TBaseBuffer plainRecord;
    picture.SaveState(pictureRecord);
    plain.SaveState(plainRecord);
    EXPECT_EQ(pictureRecord.GetBytes(), plainRecord.GetBytes());

    TestBoard<MosaicLayoutShowImage_t> restored(mTileset);
    ASSERT_TRUE(restored.Load("levels/scene.xml", false));
    restored.RestoreState(pictureRecord);
    EXPECT_EQ(restored.GetBoard().GetCell(0, 0).player, 1);
    EXPECT_EQ(restored.GetBoard().GetCell(0, 1).player, 1);
    EXPECT_EQ(restored.GetBoard().GetCell(1, 1).player, 0);
    Stroke(restored, 1, 1, 2, TMosaicBoard::kLeftButton);
    EXPECT_FALSE(restored.IsSolved());
    EXPECT_TRUE(restored.GetCompletionTimer().running);
}

} // namespace

namespace {

// The developer highlight lights the open cells of the current colour over the tiles, on the picture board
// as on the plain one; other cells stay as they are.
TEST_F(PictureBoardTest, TheDeveloperHighlightLightsOpenCellsOfTheCurrentColour) {
    WriteSolidImage("textures/tilesets/highlight.png", 40, 40, 0xFFFFFFFFu);
    TestBoard<MosaicLayoutShowImage_t> picture(mTileset);
    ASSERT_TRUE(picture.Load("levels/bare.xml", false));
    const TMosaicCell& open = picture.GetBoard().GetCell(0, 0);
    const TMosaicCell& other = picture.GetBoard().GetCell(0, 2);
    ASSERT_NE(picture.GetBoard().GetCurrentColourRecord(), nullptr);
    ASSERT_EQ(open.solution, picture.GetBoard().GetCurrentColourRecord()->colour);
    ASSERT_NE(other.solution, open.solution);
    auto draw = [&](bool highlight) {
        picture.SetDeveloperHighlight(highlight);
        mRenderer.Clear(0, 0, 0);
        picture.DrawCells();
        return std::make_pair(mRenderer.PixelAt(open.x + 2, open.y + 2), mRenderer.PixelAt(other.x + 2, other.y + 2));
    };
    const auto [openOff, otherOff] = draw(false);
    const auto [openOn, otherOn] = draw(true);
    // White at 0.3 over what the cell shows.
    for (int channel = 0; channel < 3; ++channel) {
        EXPECT_NEAR(openOn[channel], openOff[channel] + (255 - openOff[channel]) * 0.3, 3) << channel;
    }
    EXPECT_EQ(otherOn, otherOff);
}

} // namespace
