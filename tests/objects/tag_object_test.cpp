// The sliding-tile board: a solvable shuffle at load with tile 13 hidden top right, tiles that slide
// into the gap next to them, the win when every tile stands in reading order, and the saved board.

#include <algorithm>
#include <cstdlib>

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/tag_object.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TRecordingSpace;
using objtest::TXml;
using Strings = std::vector<std::string>;
using Board = std::vector<int>;

// Cells 8 x 8 pixels, centres at (4 + 8 column, 4 + 8 row).
int CentreOf(int cell) {
    return 4 + 8 * cell;
}

std::string BoardXml(const std::string& attributes, int positions = 16, const std::vector<int>& values = {}) {
    std::string xml = R"(<object id="tag" uae="won" move_sound="slide" )" + attributes + ">";
    for (int k = 0; k < positions; ++k) {
        xml += "<pos x=\"" + std::to_string(CentreOf(k % 4)) + "\" y=\"" + std::to_string(CentreOf(k / 4)) + "\"/>";
    }
    Board list = values;
    if (list.empty()) {
        for (int v = 0; v < 16; ++v) {
            list.push_back(v);
        }
    }
    for (int v : list) {
        xml +=
            "<image val=\"" + std::to_string(v) + "\" filename=\"" + (v == 0 ? "" : "t" + std::to_string(v)) + "\"/>";
    }
    return xml + "</object>";
}

Board Values(const TTagObject& tag) {
    Board values;
    for (const TTagCell& cell : tag.mCells) {
        values.push_back(cell.value);
    }
    return values;
}

class TagObjectTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        for (int v = 1; v < 16; ++v) {
            WriteSolidImage("t" + std::to_string(v) + ".png", 8, 8,
                            v == 1    ? kRed
                            : v == 13 ? kWhite
                            : v == 2  ? kGreen
                                      : kBlue);
        }
    }

    std::unique_ptr<TTagObject> MakeBoard(const std::string& attributes = "") {
        TXml xml(BoardXml(attributes));
        auto tag = std::make_unique<TTagObject>();
        tag->LoadFromXml(xml.Root(), "");
        tag->mSpace = &mSpace;
        tag->SetListener(&mListener);
        tag->LoadResources();
        return tag;
    }

    // A saved board written field by field: the common record of a fresh board, the hint index, the
    // unlocked byte and one checked block per cell.
    static TBaseBuffer SavedBoard(TTagObject& fresh, const Board& values, int hintIndex, bool unlocked) {
        TBaseBuffer saved;
        fresh.TObject::SaveState(saved);
        saved.WriteInt32(hintIndex);
        saved.WriteByte(unlocked ? 1 : 0);
        for (int k = 0; k < 16; ++k) {
            TBaseBuffer block;
            block.WriteInt32(values[k]);
            if (values[k] != 0) {
                block.WriteString("t" + std::to_string(values[k]));
                block.WriteInt32(CentreOf(k % 4));
                block.WriteInt32(CentreOf(k / 4));
            }
            saved.WriteBuffer(block);
        }
        return saved;
    }

    TRecordingSpace mSpace;
    TRecordingListener mListener;
};

TEST_F(TagObjectTest, LoadShufflesIntoASolvableStart) {
    for (unsigned seed : {1u, 2u, 7u, 99u, 12345u}) {
        SCOPED_TRACE(seed);
        std::srand(seed);
        auto tag = MakeBoard(R"(locked="1")");
        const Board values = Values(*tag);
        Board sorted = values;
        std::sort(sorted.begin(), sorted.end());
        for (int v = 0; v < 16; ++v) {
            EXPECT_EQ(sorted[v], v);
        }
        EXPECT_EQ(values[15], 0);
        EXPECT_EQ(tag->mCells[15].image, nullptr);
        EXPECT_EQ(values[3], 13);
        EXPECT_FALSE(tag->mCells[3].image->mVisible);
        EXPECT_EQ(CountTagInversions(values.data(), 16) % 2, 0);
        for (int k = 0; k < 15; ++k) {
            EXPECT_EQ(tag->mCells[k].number, k + 1);
            EXPECT_EQ(tag->mCells[k].image->mImageName, "t" + std::to_string(values[k]));
            EXPECT_EQ(tag->mCells[k].image->mBaseX, CentreOf(k % 4));
            EXPECT_EQ(tag->mCells[k].image->mBaseY, CentreOf(k / 4));
        }
        EXPECT_EQ(tag->mCells[15].number, 0);
        // Locked: a click on any tile does nothing.
        const Board before = Values(*tag);
        for (int k = 0; k < 16; ++k) {
            EXPECT_FALSE(tag->OnMouseDown(At(CentreOf(k % 4), CentreOf(k / 4))));
        }
        Advance(*tag, 0.2f);
        EXPECT_EQ(Values(*tag), before);
    }
}

TEST(TagInversionsTest, CountsLaterSmallerTilesButNotTheGap) {
    struct Case {
        Board values;
        int inversions;
    };
    const Case cases[] = {
        {{1, 2, 3, 0}, 0}, {{2, 1, 3, 0}, 1}, {{3, 2, 1, 0}, 3}, {{0, 3, 2, 1}, 3}, {{3, 0, 2, 1}, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountTagInversions(c.values.data(), static_cast<int>(c.values.size())), c.inversions);
    }
}

// Lists of other sizes or values would index past the board or never be solvable: no tiles at all.
TEST_F(TagObjectTest, MalformedListsLeaveTheBoardEmpty) {
    struct Case {
        const char* what;
        int positions;
        Board values;
    };
    const Case cases[] = {
        {"15 positions", 15, {}},
        {"17 positions", 17, {}},
        {"15 images", 16, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {"17 images", 16, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 15}},
        {"no 13", 16, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 16, 14, 15}},
        {"two gaps", 16, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TXml xml(BoardXml("", c.positions, c.values));
        TTagObject tag;
        tag.LoadFromXml(xml.Root(), "");
        tag.LoadResources();
        EXPECT_EQ(Values(tag), Board(16, 0));
        tag.Unlock();
        tag.Activate(0, 0, 0);
        EXPECT_FALSE(tag.OnMouseDown(At(4, 4)));
        tag.Update(0.1f);
        EXPECT_FALSE(tag.IsSolvedBoard());
    }
}

struct TTagStep {
    // "click CELL", "wait S", "unlock", "activate" or "save".
    std::string action;
    Board values;
    Strings sounds;
    Strings reports;
};

TEST_F(TagObjectTest, TilesSlideIntoTheGapAndTheBoardIsWon) {
    const Board start = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0, 14, 15};
    const Board oneLeft = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15};
    const Board solved = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0};
    const std::vector<TTagStep> steps = {
        // Locked: nothing moves.
        {"click 14", start, {}, {}},
        {"unlock", start, {}, {}},
        // No empty neighbour.
        {"click 0", start, {"wrong"}, {}},
        {"click 14", oneLeft, {}, {}},
        // The tile is still on its way from cell 14: the cell it left is empty, but nothing moves.
        {"click 14", oneLeft, {}, {}},
        {"wait 0.1", oneLeft, {}, {}},
        {"save", oneLeft, {}, {}},
        {"click 15", solved, {}, {}},
        // The win is tested only when the slide has ended.
        {"wait 0.05", solved, {}, {}},
        {"wait 0.05", solved, {"onwin"}, {"unlock //won"}},
        // A solved board stays playable and wins again when solved again.
        {"click 0", solved, {"wrong"}, {}},
        {"click 14", oneLeft, {}, {}},
        {"wait 0.1", oneLeft, {}, {}},
        {"click 15", solved, {}, {}},
        {"wait 0.1", solved, {"onwin"}, {"unlock //won"}},
    };
    for (const bool withSave : {false, true}) {
        auto tag = MakeBoard(R"(locked="1")");
        TBaseBuffer arranged = SavedBoard(*tag, start, 0, false);
        ASSERT_TRUE(RestoreObjectState(*tag, arranged));
        for (size_t i = 0; i < steps.size(); ++i) {
            const TTagStep& step = steps[i];
            SCOPED_TRACE(step.action + " step " + std::to_string(i) + (withSave ? " saved" : ""));
            if (step.action.rfind("click ", 0) == 0) {
                const int cell = std::stoi(step.action.substr(6));
                tag->OnMouseDown(At(CentreOf(cell % 4), CentreOf(cell / 4)));
            } else if (step.action.rfind("wait ", 0) == 0) {
                Advance(*tag, std::stof(step.action.substr(5)));
            } else if (step.action == "unlock") {
                tag->Unlock();
            } else if (withSave) {
                TBaseBuffer saved;
                tag->SaveState(saved);
                tag = MakeBoard(R"(locked="1")");
                ASSERT_TRUE(RestoreObjectState(*tag, saved));
            }
            EXPECT_EQ(Values(*tag), step.values);
            EXPECT_EQ(mSpace.mSounds.Take(), step.sounds);
            Strings reports;
            for (const std::string& call : mListener.Take()) {
                if (call.rfind("pressed", 0) != 0 && call.rfind("clicked", 0) != 0) {
                    reports.push_back(call);
                }
            }
            EXPECT_EQ(reports, step.reports);
        }
        EXPECT_TRUE(tag->mUnlocked);
        EXPECT_FALSE(tag->IsLocked());
    }
}

// The record holds the values and the pictures' names and centres; restoring empties the cells stored
// empty and moves every picture to its stored place.
TEST_F(TagObjectTest, SavedBoardRoundTripsByteForByte) {
    std::srand(3);
    auto tag = MakeBoard(R"(locked="1")");
    Board values = {5, 1, 2, 13, 0, 6, 3, 4, 9, 10, 7, 8, 14, 11, 15, 12};
    TBaseBuffer arranged = SavedBoard(*tag, values, 2, true);
    ASSERT_TRUE(RestoreObjectState(*tag, arranged));
    EXPECT_EQ(Values(*tag), values);
    EXPECT_EQ(tag->mCells[4].image, nullptr);
    EXPECT_EQ(tag->mCells[15].image->mImageName, "t12");
    EXPECT_EQ(tag->mCells[15].image->mBaseX, CentreOf(3));
    EXPECT_EQ(tag->mCells[15].image->mBaseY, CentreOf(3));
    EXPECT_EQ(tag->mHintIndex, 2);
    EXPECT_TRUE(tag->mUnlocked);
    TBaseBuffer again;
    tag->SaveState(again);
    EXPECT_EQ(again.GetBytes(), arranged.GetBytes());
    // The restored values decide the moves: tile 6 in cell 5 slides left into the gap at cell 4.
    tag->Unlock();
    tag->OnMouseDown(At(CentreOf(1), CentreOf(1)));
    Advance(*tag, 0.1f);
    EXPECT_EQ(tag->mCells[4].value, 6);
    EXPECT_EQ(tag->mCells[5].value, 0);
}

// A broken file can put a cell far beyond int: its tile is saved held within reach of int, and the held
// board reads back to the same bytes.
TEST_F(TagObjectTest, ATileBeyondIntIsSavedHeldAndReadsBackTheSame) {
    std::srand(3);
    std::string xml = BoardXml("");
    const std::string far =
        "<pos x=\"" + std::to_string(CentreOf(3)) + "\" y=\"" + std::to_string(CentreOf(1)) + "\"/>";
    ASSERT_NE(xml.find(far), std::string::npos);
    xml.replace(xml.find(far), far.size(), R"(<pos x="9999999930" y="-9999999930"/>)");
    TXml document(xml);
    TTagObject tag;
    tag.LoadFromXml(document.Root(), "");
    tag.mSpace = &mSpace;
    tag.LoadResources();
    // Cell 7 stands far off; the shuffle of this seed leaves a tile there.
    ASSERT_NE(tag.mCells[7].image, nullptr);
    TBaseBuffer saved;
    tag.SaveState(saved);
    ASSERT_TRUE(RestoreObjectState(tag, saved));
    bool farTileHeld = false;
    for (const TTagCell& cell : tag.mCells) {
        if (cell.image && cell.image->mBaseX > 1.0e8f) {
            farTileHeld = cell.image->mBaseX == 536870912.0f && cell.image->mBaseY == -536870912.0f;
        }
    }
    EXPECT_TRUE(farTileHeld);
    TBaseBuffer again;
    tag.SaveState(again);
    EXPECT_EQ(again.GetBytes(), saved.GetBytes());
}

// A cell that takes a tile a second time slides it once, from where it stood, and then rests.
TEST_F(TagObjectTest, ACellSlidesEachTileItTakesOnce) {
    auto tag = MakeBoard();
    const Board start = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0, 14, 15};
    TBaseBuffer arranged = SavedBoard(*tag, start, 0, false);
    ASSERT_TRUE(RestoreObjectState(*tag, arranged));
    for (const int cell : {14, 13, 14, 13, 14}) {
        SCOPED_TRACE(cell);
        tag->OnMouseDown(At(CentreOf(cell % 4), CentreOf(cell / 4)));
        Advance(*tag, 0.1f);
        const int gap = cell == 14 ? 13 : 14;
        EXPECT_EQ(tag->mCells[gap].value, 14);
        EXPECT_FALSE(tag->mCells[gap].mover.moving);
        EXPECT_EQ(tag->mCells[gap].image->mBaseX, CentreOf(gap % 4));
    }
}

TEST_F(TagObjectTest, ActivateHidesTheBottomLeftTileAndStepsTheLockedHint) {
    auto tag = MakeBoard(R"(locked="1" hintlocked="first,second,third")");
    EXPECT_EQ(tag->GetLockedHint(), "first");
    tag->Activate(0, 0, 0);
    EXPECT_FALSE(tag->mCells[12].image->mVisible);
    EXPECT_EQ(tag->GetLockedHint(), "second");
    EXPECT_FALSE(tag->mActive);
    tag->Activate(0, 0, 0);
    tag->Activate(0, 0, 0);
    // Past the list: no hint rather than a read past its end.
    EXPECT_EQ(tag->GetLockedHint(), "");
    tag->Unlock();
    EXPECT_EQ(tag->GetLockedHint(), "");
    EXPECT_TRUE(tag->mCells[3].image->mVisible);
    // Shown again when the room shows again.
    tag->mCells[3].image->mVisible = false;
    tag->OnSpaceShow();
    EXPECT_TRUE(tag->mCells[3].image->mVisible);
}

// Rooms show only the board object; the developer view adds the tiles, tile 13 hidden while locked.
TEST_F(TagObjectTest, DrawAllShowsTheTilesWhereTheyStand) {
    auto tag = MakeBoard(R"(locked="1")");
    const Board start = {1, 2, 3, 13, 5, 6, 7, 8, 9, 10, 11, 12, 4, 14, 0, 15};
    TBaseBuffer arranged = SavedBoard(*tag, start, 0, false);
    ASSERT_TRUE(RestoreObjectState(*tag, arranged));
    tag->mCells[3].image->mVisible = false;
    tag->OnSpaceShow();
    BeginCanvas();
    tag->Draw(1.0f);
    ExpectPixels({{4, 4, kBlack}});
    BeginCanvas();
    tag->DrawAll();
    // Tile 1 red in cell 0, tile 2 green in cell 1, tile 13 hidden in cell 3, the gap in cell 14.
    ExpectPixels({{0, 0, kRedPixel},
                  {7, 7, kRedPixel},
                  {8, 7, kGreenPixel},
                  {15, 0, kGreenPixel},
                  {16, 0, kBluePixel},
                  {28, 4, kBlack},
                  {20, 28, kBlack},
                  {12, 28, kBluePixel}});
    tag->Unlock();
    BeginCanvas();
    tag->DrawAll();
    ExpectPixels({{28, 4, kWhitePixel}});
    // Tile 14 half way into the gap.
    tag->OnMouseDown(At(CentreOf(1), CentreOf(3)));
    Advance(*tag, 0.04f, 0.04f);
    BeginCanvas();
    tag->DrawAll();
    ExpectPixels({{11, 28, kBlack}, {12, 28, kBluePixel}, {19, 28, kBluePixel}, {20, 28, kBlack}});
}

} // namespace
