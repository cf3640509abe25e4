// The board drawn by the software renderer: hand-derived pixels of a small board in the middle of a
// game, the clue area per "setnumbersnow", a hidden or fading board, and where the clue backgrounds go.

#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/xml_reader.h"
#include "board/mosaic_layout.h"
#include "data/tilesets.h"
#include "data/user_records.h"
#include "game/data_fixture.h"
#include "graphics/font_test_support.h"

namespace {

struct Rgb {
    int r, g, b;
};

constexpr Rgb kClear{32, 32, 32};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kCyan{0, 255, 255};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRowBack{200, 200, 255};
constexpr Rgb kColumnBack{200, 255, 200};
constexpr Rgb kLine{100, 0, 0};
// The numbers' ink.
constexpr Rgb kInk{60, 48, 40};

uint32_t Argb(const Rgb& c, int alpha = 255) {
    return static_cast<uint32_t>(alpha) << 24 | static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 |
           static_cast<uint32_t>(c.b);
}

// src over dst at an alpha byte, as alpha blending computes it.
Rgb Over(const Rgb& src, const Rgb& dst, int alpha) {
    auto mix = [alpha](int s, int d) { return (s * alpha + d * (255 - alpha) + 127) / 255; };
    return {mix(src.r, dst.r), mix(src.g, dst.g), mix(src.b, dst.b)};
}

// The line highlight: white at 0.3 of the board alpha (a modulation byte of 76).
Rgb Lit(const Rgb& under) {
    return Over(kWhite, under, 76);
}

// A crossed clue number: the ink at half alpha.
Rgb Dimmed(const Rgb& under) {
    return Over(kInk, under, 128);
}

struct Probe {
    const char* what;
    int x, y;
    Rgb rgb;
};

// The number atlases: frame n (20 high) holds an ink block 4 wide at x = 4 x (n - 1), y 6 to 14, so a
// pixel tells which number was drawn.
uint32_t AtlasPixel(int x, int y) {
    const int n = y / 20 + 1;
    const int inFrame = y % 20;
    return x >= 4 * (n - 1) && x < 4 * n && inFrame >= 6 && inFrame < 14 ? Argb(kInk) : 0u;
}

// Three rows, six columns of 40 x 40 at (70, 50): columns start at x 70, 110, 150, 190, 230 and, after
// the gap of 2, 272; rows at y 50, 90, 130. Colour 1 holds rows 0 and 2; row 1 has none; the hidden
// reward is the cell of row 2, column 0.
const char* const kLevel = R"(<level><info name="mid" rows="3" cols="6" rewards="1,3"/>
<line line="110201"/><line line="000000"/><line line="100010"/></level>)";

class BoardDrawTest : public GameDataTest {
protected:
    static constexpr int kOriginX = 70;
    static constexpr int kOriginY = 50;

    void SetUp() override {
        GameDataTest::SetUp();
        ASSERT_TRUE(mRenderer.IsReady());
        mSetNumbersNow = GetProfileDifficulty().mSetNumbersNow;
        WriteTileset();
        WriteBoardImages();
        WriteData("levels/mid.xml", kLevel);
        mBoard.SetGridOrigin(kOriginX, kOriginY);
        ASSERT_TRUE(mBoard.Load("levels/mid.xml", false));
    }

    void TearDown() override {
        // Textures go before the renderer.
        ClearTilesets();
        GetProfileDifficulty().mSetNumbersNow = mSetNumbersNow;
    }

    void WriteTileset() {
        WriteData("tilesets/tilesets.xml", R"(<t><tileset path="tilesets/t.xml" name="t"/></t>)");
        WriteData("tilesets/t.xml", R"(<t><tile sprite="k/open"/><tile sprite="k/c1" mast="1"/>
<tile sprite="k/c2" mast="2"/><tile sprite="k/out" type="-1"/><tile sprite="k/cross" type="-2"/></t>)");
        WriteSolidImage("k/open.png", 40, 40, Argb(kGrey));
        WriteSolidImage("k/c1.png", 40, 40, Argb(kRed));
        WriteSolidImage("k/c2.png", 40, 40, Argb({0, 255, 0}));
        WriteSolidImage("k/out.png", 40, 40, Argb(kBlue));
        WriteSolidImage("k/cross.png", 40, 40, Argb(kYellow));
        LoadTilesets("tilesets/tilesets.xml");
        LoadTilesetTextures(0);
    }

    // Marks: the hover mark is a white 4 x 4 corner, the reward overlay the lower right quarter, the
    // clue crosses a cyan 2 x 2 corner; everything else of them is transparent.
    void WriteBoardImages() {
        auto corner = [](int size, const Rgb& colour) {
            return [size, colour](int x, int y) { return x < size && y < size ? Argb(colour) : 0u; };
        };
        WriteImage("textures/tilesets/over.png", 40, 40, corner(4, kWhite));
        WriteSolidImage("textures/tilesets/highlight.png", 40, 40, Argb(kWhite));
        WriteImage("textures/tilesets/numbercrosshorz.png", 28, 20, corner(2, kCyan));
        WriteImage("textures/tilesets/numbercrossvert.png", 40, 20, corner(2, kCyan));
        WriteImage("textures/items/rewardover.png", 40, 40,
                   [](int x, int y) { return x >= 20 && y >= 20 ? Argb(kMagenta) : 0u; });
        WriteSolidImage("textures/gui/gamescreen/rowback.png", 66, 40, Argb(kRowBack));
        WriteSolidImage("textures/gui/gamescreen/colback.png", 40, 50, Argb(kColumnBack));
        WriteSolidImage("textures/gui/gamescreen/rowbackline.png", 66, 2, Argb(kLine));
        WriteSolidImage("textures/gui/gamescreen/colbackline.png", 2, 50, Argb(kLine));
        WriteImage("textures/tilesets/basenumberslines.png", 28, 100, AtlasPixel);
        WriteImage("textures/tilesets/basenumbers.png", 40, 100, AtlasPixel);
        WriteImage("textures/tilesets/overnumbers.png", 40, 100, AtlasPixel);
    }

    int CentreX(int column) const { return mBoard.GetBoard().GetCell(0, column).x + 20; }
    int CentreY(int row) const { return mBoard.GetBoard().GetCell(row, 0).y + 20; }

    void Click(int row, int column) {
        mBoard.OnMouseDown(CentreX(column), CentreY(row), TMosaicBoard::kLeftButton);
        mBoard.OnMouseUp(CentreX(column), CentreY(row), TMosaicBoard::kLeftButton);
    }

    // Three releases: row 0 columns 0 and 1 painted, a wrong click on the empty cell of row 0, column
    // 4, the hidden reward cell painted; then a stroke held from row 2, column 4 to column 5.
    void PlayToTheMiddle() {
        mBoard.OnMouseDown(CentreX(0), CentreY(0), TMosaicBoard::kLeftButton);
        mBoard.OnMouseDrag(CentreX(1), CentreY(0), TMosaicBoard::kLeftButton);
        mBoard.OnMouseUp(CentreX(1), CentreY(0), TMosaicBoard::kLeftButton);
        Click(0, 4);
        Click(2, 0);
        mBoard.OnMouseDown(CentreX(4), CentreY(2), TMosaicBoard::kLeftButton);
        mBoard.OnMouseDrag(CentreX(4), CentreY(2), TMosaicBoard::kLeftButton);
        mBoard.OnMouseDrag(CentreX(5), CentreY(2), TMosaicBoard::kLeftButton);
    }

    void Draw() {
        mRenderer.Clear(static_cast<uint8_t>(kClear.r), static_cast<uint8_t>(kClear.g), static_cast<uint8_t>(kClear.b));
        mBoard.DrawClues();
        mBoard.DrawCells();
    }

    void ExpectPixels(const std::vector<Probe>& probes, const std::string& label) {
        for (const Probe& p : probes) {
            const std::vector<int> got = mRenderer.PixelAt(p.x, p.y);
            const int want[3] = {p.rgb.r, p.rgb.g, p.rgb.b};
            for (size_t i = 0; i < 3; ++i) {
                EXPECT_LE(std::abs(got[i] - want[i]), 2) << label << ": " << p.what << " at (" << p.x << ", " << p.y
                                                         << ") channel " << i << " is " << got[i];
            }
        }
    }

    fonttest::HeadlessRenderer mRenderer{320, 180};
    MosaicLayout_t mBoard;
    int mSetNumbersNow = 1;
};

TEST_F(BoardDrawTest, MidGameGridShowsTilesMarksAndStrokeNumbers) {
    PlayToTheMiddle();
    ASSERT_EQ(mBoard.GetBoard().GetMistakes(), 1);
    Draw();
    // Row 2 and column 5 are highlighted (the pointer is over row 2, column 5).
    ExpectPixels({{"painted", 90, 70, kRed},
                  {"error cross", 250, 70, kYellow},
                  {"row without the colour ruled out", 170, 110, kBlue},
                  {"gap after the fifth column", 271, 70, kClear},
                  {"highlighted column", 290, 70, Lit(kGrey)},
                  {"highlighted column, ruled out", 290, 110, Lit(kBlue)},
                  {"highlighted row, column without the colour", 170, 150, Lit(kBlue)},
                  {"hidden reward cell painted", 80, 140, Lit(kRed)},
                  {"its reward overlay", 100, 160, Lit(kMagenta)},
                  {"highlighted row, open", 260, 165, Lit(kGrey)},
                  {"stroke number 1", 231, 149, Lit(kInk)},
                  {"where 2 would be in cell 1", 235, 149, Lit(kGrey)},
                  {"stroke number 2", 277, 149, Lit(kInk)},
                  {"where 1 would be in cell 2", 273, 149, Lit(kGrey)},
                  {"below the stroke number", 231, 155, Lit(kGrey)},
                  {"hover mark", 273, 131, kWhite},
                  {"beside the hover mark", 277, 135, Lit(kGrey)}},
                 "mid-game");
}

TEST_F(BoardDrawTest, ClueNumbersAreCrossedPerSetNumbersNow) {
    struct Case {
        int setNumbersNow;
        // Row 0's first run and row 2's first run are done, but not the rest of their rows.
        Rgb doneRunOfOpenRow;
        Rgb rowCrossCorner;
    };
    const Case cases[] = {{1, Dimmed(kRowBack), kCyan}, {0, kInk, kRowBack}};
    for (const Case& c : cases) {
        GetProfileDifficulty().mSetNumbersNow = c.setNumbersNow;
        PlayToTheMiddle();
        Draw();
        const std::string label = "setnumbersnow " + std::to_string(c.setNumbersNow);
        // Row clues 28 wide end 10 pixels left of the grid and stand 2 pixels high; row 0 reads 2 1.
        ExpectPixels({{"row 0, run 1 (a 2)", 9, 67, c.doneRunOfOpenRow},
                      {"row 0, run 1 not a 1", 5, 67, kRowBack},
                      {"row 0, run 1 cross", 4, 60, c.rowCrossCorner},
                      {"row 0, run 2 open (a 1)", 33, 67, kInk},
                      {"row 0, run 2 not a 2", 37, 67, kRowBack},
                      {"row 2, run 1 (a 1)", 5, 147, c.doneRunOfOpenRow},
                      // Column 1's only run is done: crossed in both modes.
                      {"column 1 (a 1)", 111, 27, Dimmed(kColumnBack)},
                      {"column 1 cross", 110, 20, kCyan},
                      {"column 4 open (a 1)", 231, 27, kInk},
                      {"column 4 above its number", 231, 23, kColumnBack},
                      {"row back", 8, 100, kRowBack},
                      {"row line", 30, 89, kLine},
                      {"column line after the gap", 271, 40, kLine},
                      {"between column backs", 270, 40, kClear}},
                     label);
        // Back to the start for the next case.
        ASSERT_TRUE(mBoard.Load("levels/mid.xml", false));
    }
}

TEST_F(BoardDrawTest, HiddenOrFadingBoardStillDrawsItsCluesWhole) {
    struct Case {
        const char* name;
        bool visible;
        int fadeSteps;
        Rgb cell;
    };
    // Five steps of 0.1 from 0 give alpha 0.5 (a modulation byte of 127).
    const Case cases[] = {{"hidden", false, 0, kClear}, {"half faded in", true, 5, Over(kGrey, kClear, 127)}};
    for (const Case& c : cases) {
        mBoard.SetVisible(c.visible);
        if (c.fadeSteps > 0) {
            mBoard.mAlpha = 0.0f;
            mBoard.SetMode(MosaicLayout_t::kModeFadingIn);
            for (int i = 0; i < c.fadeSteps; ++i) {
                mBoard.Update(0.016f);
            }
        }
        Draw();
        ExpectPixels(
            {{"open cell", 250, 70, c.cell}, {"row 0 open clue", 33, 67, kInk}, {"row back", 8, 100, kRowBack}},
            c.name);
    }
}

TEST_F(BoardDrawTest, ClueBackgroundsLeanOnTheGridWithTheGap) {
    struct Case {
        MosaicLayout_t::TClueBack list;
        size_t count;
        // Places of the first entry, the sixth (after the gap, when there is one) and the last.
        std::vector<std::pair<float, float>> places;
        std::vector<size_t> indices;
    };
    const Case cases[] = {
        {MosaicLayout_t::kRowBacks, 3, {{4, 50}, {4, 130}}, {0, 2}},
        {MosaicLayout_t::kColumnBacks, 6, {{70, 0}, {272, 0}}, {0, 5}},
        {MosaicLayout_t::kRowLines, 4, {{4, 49}, {4, 169}}, {0, 3}},
        {MosaicLayout_t::kColumnLines, 7, {{69, 0}, {271, 0}, {311, 0}}, {0, 5, 6}},
    };
    for (const Case& c : cases) {
        const std::vector<StaticImage>& list = mBoard.GetClueBacks(c.list);
        ASSERT_EQ(list.size(), c.count) << c.list;
        for (size_t i = 0; i < c.indices.size(); ++i) {
            StaticImage image = list[c.indices[i]];
            EXPECT_EQ(std::make_pair(image.GetX(), image.GetY()), c.places[i]) << c.list << " #" << c.indices[i];
        }
    }
}

} // namespace

namespace {

TEST_F(BoardDrawTest, DeveloperViewsMarkHiddenCellsOpenCellsAndSparks) {
    // Hidden-cell marks: the reward overlay on the reward cell (row 2, column 0) before it is found, and a
    // blue square in its corner.
    mBoard.ShowHiddenCellMarks(true);
    Draw();
    ExpectPixels({{"reward overlay", 100, 160, kMagenta},
                  {"blue corner", 72, 132, kBlue},
                  {"rest of the reward cell", 80, 140, kGrey},
                  {"an open cell, not highlighted", 80, 60, kGrey}},
                 "hidden-cell marks");
    mBoard.ShowHiddenCellMarks(false);

    // The highlight lights every open cell of the current colour; a spark outlines 16 x 16 from a centre.
    mBoard.SetDeveloperHighlight(true);
    mBoard.GetItem(0, 1)->mSpark = true;
    Draw();
    ExpectPixels({{"open cell of colour 1", 80, 60, Lit(kGrey)},
                  {"cell of colour 2, ruled out in this view", 200, 70, kBlue},
                  {"spark's top edge", 138, 70, kRed},
                  {"spark's left edge", 130, 78, kRed},
                  {"inside the spark", 138, 78, Lit(kGrey)},
                  {"reward cell without marks", 100, 160, Lit(kGrey)}},
                 "developer highlight");
    mBoard.SetDeveloperHighlight(false);
    Draw();
    ExpectPixels({{"open cell of colour 1", 80, 60, kGrey}, {"no spark", 138, 70, kGrey}}, "highlight off");
}

} // namespace
