// The mystery-land board's scene: every kind of scene element the layout file can hold, where each is
// placed and how it is scaled over grids of different sizes, the generators that restart the objects of
// their id, the key-track animators given to the objects that name them, and the drawing clipped to the
// grid (hand-derived pixels).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/mystery_land_board.h"
#include "game/data_fixture.h"
#include "graphics/cadr_image.h"
#include "graphics/font_test_support.h"
#include "graphics/move_obj.h"
#include "objects/clouds_object.h"
#include "objects/hidden_object.h"
#include "objects/morphing_object.h"
#include "rooms/effector.h"

namespace {

uint32_t Argb(int r, int g, int b) {
    return 0xFF000000u | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b);
}

// A grid of rows x columns whose first cell alone is coloured.
std::string Grid(int rows, int cols, int cellWidth, int cellHeight) {
    std::string text = "<info rows=\"" + std::to_string(rows) + "\" cols=\"" + std::to_string(cols) +
                       "\" collwidth=\"" + std::to_string(cellWidth) + "\" collheight=\"" + std::to_string(cellHeight) +
                       "\"/>";
    for (int row = 0; row < rows; ++row) {
        text += "<line line=\"" + std::string(row == 0 ? "1" : "0") + std::string(cols - 1, '0') + "\"/>";
    }
    return text;
}

// One element of every kind, in the order the file gives them; an unknown kind and typed generators and
// animators that the board leaves out.
const char* const kEveryKind = R"(
<object type="cadr2" time="0.6" id="3"><item name="s/f1"/><item name="s/f2"/><item name="s/f3"/></object>
<object filename="s/sky" z="-1"/>
<object type="cloud" imgback="s/back" imgclouds="s/cloud" speed="10" rect="1,2,3,4"/>
<object type="hiddenwater" name="s/water" mname="s/water2" time="1"/>
<object type="usual" name="s/rock" x="10" y="5" effector="sway"/>
<object type="hidden" name="s/rock" x="2" y="3" active="0"/>
<object type="cadr" filename="s/strip" frames="2" speed="0.1" cadrw="8" cadrh="8"/>
<object type="cloudobj" imgback="s/back" rect="0,0,8,8"/>
<object type="animation" filename="s/strip" path="none"/>
<object type="cadr2" time="0.6" id="4"><item name="s/f1"/><item name="s/f2"/><item name="s/f3"/></object>
<object type="spaceship"/>
<object filename="s/picture" z="1"/>
<gener time="1" count="-1" id="3"/>
<gener type="timer" time="1" id="4"/>
<effector name="sway"><key id="o" time="0" value="1"/><key id="o" time="2" value="0"/></effector>
<effector type="cadr" name="sway"/>
)";

class MysteryLandSceneTest : public GameDataTest {
protected:
    void SetUp() override {
        GameDataTest::SetUp();
        ASSERT_TRUE(mRenderer.IsReady());
        for (const char* frame : {"s/f1.png", "s/f2.png", "s/f3.png"}) {
            WriteSolidImage(frame, 20, 10, Argb(200, 200, 0));
        }
        WriteSolidImage("s/sky.png", 10, 5, Argb(0, 0, 255));
        WriteSolidImage("textures/s/back.png", 16, 16, Argb(90, 90, 90));
        WriteSolidImage("textures/s/cloud.png", 16, 16, Argb(250, 250, 250));
        WriteSolidImage("textures/s/water.png", 30, 15, Argb(0, 90, 160));
        // The water's second image is named without the image folder.
        WriteSolidImage("s/water2.png", 30, 15, Argb(0, 120, 200));
        WriteSolidImage("textures/s/rock.png", 6, 6, Argb(120, 80, 40));
        WriteSolidImage("s/strip.png", 16, 8, Argb(10, 200, 10));
        WriteSolidImage("s/picture.png", 120, 80, Argb(0, 200, 0));
    }

    fonttest::HeadlessRenderer mRenderer{240, 160};
};

template <class T> T* Nth(const MosaicLayoutMysteryLand_t::TSceneList& list, size_t index) {
    return index < list.size() ? dynamic_cast<T*>(list[index].get()) : nullptr;
}

TEST_F(MysteryLandSceneTest, EveryKindIsLoadedIntoItsPlace) {
    WriteData("levels/all.xml", "<level>" + Grid(2, 3, 40, 40) + kEveryKind + "</level>");
    MosaicLayoutMysteryLand_t board;
    board.SetGridOrigin(40, 30);
    ASSERT_TRUE(board.Load("levels/all.xml", false));
    // Under the grid: the sky only. Over it, in file order: the key frames, the room objects, the frame
    // strip, the cloud layer, the path animation, the second key frames and the picture.
    const auto& under = board.GetSceneUnder();
    const auto& over = board.GetSceneOver();
    ASSERT_EQ(under.size(), 1u);
    ASSERT_EQ(over.size(), 8u);
    EXPECT_NE(Nth<StaticImage>(under, 0), nullptr);
    EXPECT_NE(Nth<TCadrImage2>(over, 0), nullptr);
    EXPECT_NE(Nth<TObject>(over, 1), nullptr);
    EXPECT_NE(Nth<THiddenObject>(over, 2), nullptr);
    EXPECT_NE(Nth<TCadrImage>(over, 3), nullptr);
    EXPECT_NE(Nth<TCloudsObject>(over, 4), nullptr);
    EXPECT_NE(Nth<TrajectoryMoverCadrImage2>(over, 5), nullptr);
    EXPECT_NE(Nth<TCadrImage2>(over, 6), nullptr);
    ASSERT_NE(Nth<StaticImage>(over, 7), nullptr);
    EXPECT_EQ(board.GetPicture(), Nth<StaticImage>(over, 7));
    EXPECT_EQ(over[7]->mTag, 1.0f);
    EXPECT_EQ(under[0]->mTag, -1.0f);
    // The frame animations run; the hidden object is shown.
    EXPECT_TRUE(Nth<TCadrImage>(over, 3)->mPlaying);
    EXPECT_TRUE(Nth<TCadrImage2>(over, 6)->mPlaying);
    EXPECT_TRUE(Nth<THiddenObject>(over, 2)->IsActive());
    // The cloud and water objects stand apart from both lists.
    ASSERT_NE(board.GetClouds(), nullptr);
    ASSERT_NE(board.GetWater(), nullptr);
    EXPECT_EQ(board.GetAnimatedPicture(), Nth<TCadrImage2>(over, 0));
    ASSERT_EQ(board.GetGenerators().size(), 1u);
    EXPECT_EQ(board.GetGenerators()[0]->mId, 3);
    ASSERT_EQ(board.GetEffectors().size(), 1u);
    EXPECT_EQ(board.GetEffectors()[0]->mOwner, over[1].get());
    EXPECT_EQ(CountLogLines("levels/all.xml: scene object of unknown type spaceship skipped"), 1);
    // Only coloured cells show the picture.
    EXPECT_TRUE(static_cast<MysteryMosaicItem_t*>(board.GetItem(0, 0))->HasPicture());
    EXPECT_FALSE(static_cast<MysteryMosaicItem_t*>(board.GetItem(0, 1))->HasPicture());
}

TEST_F(MysteryLandSceneTest, TheSceneIsFittedToGridsOfEverySize) {
    struct Case {
        int originX, originY, rows, cols, cellWidth, cellHeight;
    };
    const Case cases[] = {{40, 30, 2, 3, 40, 40}, {100, 60, 3, 5, 24, 20}, {0, 0, 1, 2, 7, 9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cols) + "x" + std::to_string(c.rows));
        WriteData("levels/fit.xml",
                  "<level>" + Grid(c.rows, c.cols, c.cellWidth, c.cellHeight) + kEveryKind + "</level>");
        MosaicLayoutMysteryLand_t board;
        board.SetGridOrigin(c.originX, c.originY);
        ASSERT_TRUE(board.Load("levels/fit.xml", false));
        const auto ox = static_cast<float>(c.originX);
        const auto oy = static_cast<float>(c.originY);
        const auto gw = static_cast<float>(c.cols * c.cellWidth);
        const auto gh = static_cast<float>(c.rows * c.cellHeight);
        ASSERT_EQ(board.GetBoard().GetPixelWidth(), c.cols * c.cellWidth);
        // The sky (10 x 5) stretched over the grid from its origin.
        const StaticImage* sky = Nth<StaticImage>(board.GetSceneUnder(), 0);
        ASSERT_NE(sky, nullptr);
        EXPECT_FLOAT_EQ(sky->mBaseX, ox);
        EXPECT_FLOAT_EQ(sky->mBaseY, oy);
        EXPECT_FLOAT_EQ(sky->mScaleX, gw / 10);
        EXPECT_FLOAT_EQ(sky->mScaleY, gh / 5);
        // The animated picture scaled by its first frame (20 x 10).
        TCadrImage2* animated = board.GetAnimatedPicture();
        ASSERT_NE(animated, nullptr);
        EXPECT_FLOAT_EQ(animated->mBaseX, ox);
        EXPECT_FLOAT_EQ(animated->mBaseY, oy);
        EXPECT_FLOAT_EQ(animated->mScaleX, gw / 20);
        EXPECT_FLOAT_EQ(animated->mScaleY, gh / 10);
        // The clouds fill the grid whatever rectangle the file gave; the running rectangle follows.
        const TCloudsObject* clouds = board.GetClouds();
        const std::vector<int> grid{c.originX, c.originY, c.cols * c.cellWidth, c.rows * c.cellHeight};
        EXPECT_EQ(std::vector<int>({clouds->mRect.x, clouds->mRect.y, clouds->mRect.w, clouds->mRect.h}), grid);
        EXPECT_EQ(std::vector<int>(
                      {clouds->mRunningRect.x, clouds->mRunningRect.y, clouds->mRunningRect.w, clouds->mRunningRect.h}),
                  grid);
        // The water (30 x 15) stretched over the grid, its second image with it, and running.
        TMorphingObject* water = board.GetWater();
        EXPECT_FLOAT_EQ(water->mX, ox);
        EXPECT_FLOAT_EQ(water->mY, oy);
        EXPECT_FLOAT_EQ(water->mScaleX, gw / 30);
        EXPECT_FLOAT_EQ(water->mScaleY, gh / 15);
        EXPECT_FLOAT_EQ(water->mMorphImage.mBaseX, ox);
        EXPECT_FLOAT_EQ(water->mMorphImage.mScaleY, gh / 15);
        EXPECT_TRUE(water->IsActive());
        // Room objects count their coordinates from the grid origin.
        const TObject* rock = Nth<TObject>(board.GetSceneOver(), 1);
        EXPECT_FLOAT_EQ(rock->mX, ox + 10);
        EXPECT_FLOAT_EQ(rock->mY, oy + 5);
        const TObject* hidden = Nth<TObject>(board.GetSceneOver(), 2);
        EXPECT_FLOAT_EQ(hidden->mX, ox + 2);
        EXPECT_FLOAT_EQ(hidden->mY, oy + 3);
        // Each cell's part of the picture.
        const auto* last = static_cast<MysteryMosaicItem_t*>(board.GetItem(c.rows - 1, c.cols - 1));
        EXPECT_EQ(last->GetPicturePart().x, (c.cols - 1) * c.cellWidth);
        EXPECT_EQ(last->GetPicturePart().y, (c.rows - 1) * c.cellHeight);
    }
}

// Without an animated picture first, a frame-less one, clouds or water, those steps are skipped.
TEST_F(MysteryLandSceneTest, MissingOrEmptyElementsAreSkipped) {
    WriteData("levels/bare.xml", "<level>" + Grid(2, 2, 10, 10) +
                                     "<object type=\"cadr2\"/><object type=\"hiddenwater\"/>"
                                     "<object filename=\"s/nowhere\" z=\"-1\"/></level>");
    MosaicLayoutMysteryLand_t board;
    ASSERT_TRUE(board.Load("levels/bare.xml", false));
    ASSERT_NE(board.GetAnimatedPicture(), nullptr);
    EXPECT_FLOAT_EQ(board.GetAnimatedPicture()->mScaleX, 1.0f);
    EXPECT_FLOAT_EQ(board.GetSceneUnder()[0]->mScaleX, 1.0f);
    EXPECT_EQ(board.GetPicture(), nullptr);
    EXPECT_EQ(board.GetClouds(), nullptr);
    ASSERT_NE(board.GetWater(), nullptr);
    EXPECT_FLOAT_EQ(board.GetWater()->mScaleX, 1.0f);
    board.Update(0.5f);
    board.DrawCells();
    // A reset forgets the whole scene.
    board.Reset();
    EXPECT_TRUE(board.GetSceneOver().empty());
    EXPECT_EQ(board.GetAnimatedPicture(), nullptr);
    EXPECT_EQ(board.GetWater(), nullptr);
    board.Update(0.5f);
    board.DrawCells();
}

TEST_F(MysteryLandSceneTest, AGeneratorRestartsTheObjectsOfItsIdOncePlayStarts) {
    WriteData("levels/all.xml", "<level>" + Grid(2, 3, 40, 40) + kEveryKind + "</level>");
    MosaicLayoutMysteryLand_t board;
    ASSERT_TRUE(board.Load("levels/all.xml", false));
    const auto* three = Nth<TCadrImage2>(board.GetSceneOver(), 0);
    const auto* four = Nth<TCadrImage2>(board.GetSceneOver(), 6);
    // Frames of 0.6 s, one step per update at most: a second in, an animation left alone shows its
    // second frame.
    struct Step {
        float seconds;
        int frameOfThree, frameOfFour;
    };
    // Not started: nothing restarts.
    board.Update(0.5f);
    board.Update(0.5f);
    EXPECT_EQ(three->mCurrentFrame, 1);
    EXPECT_EQ(four->mCurrentFrame, 1);
    board.ResetSelection();
    // Started: a second later the animation of id 3 starts over; the one of id 4 runs on.
    const Step steps[] = {{0.5f, 1, 1}, {0.5f, 0, 2}, {0.5f, 0, 2}};
    for (const Step& step : steps) {
        board.Update(step.seconds);
        EXPECT_EQ(three->mCurrentFrame, step.frameOfThree);
        EXPECT_EQ(four->mCurrentFrame, step.frameOfFour);
    }
}

TEST_F(MysteryLandSceneTest, AKeyTrackAnimatorMovesTheObjectNamingIt) {
    WriteData("levels/all.xml", "<level>" + Grid(2, 3, 40, 40) + kEveryKind + "</level>");
    MosaicLayoutMysteryLand_t board;
    ASSERT_TRUE(board.Load("levels/all.xml", false));
    const TObject* rock = Nth<TObject>(board.GetSceneOver(), 1);
    board.Update(1.0f);
    EXPECT_NEAR(rock->mAlpha, 0.5f, 0.01f);
    board.Update(0.5f);
    EXPECT_NEAR(rock->mAlpha, 0.25f, 0.01f);
    // A second load brings its own animators; the old ones went with their objects.
    ASSERT_TRUE(board.Load("levels/all.xml", false));
    ASSERT_EQ(board.GetEffectors().size(), 1u);
    EXPECT_EQ(board.GetEffectors()[0]->mOwner, board.GetSceneOver()[1].get());
}

// Drawn on a dark frame: the grid is (40, 30) to (160, 110); only its coloured first cell shows its part of
// the picture (green). The sky (blue) lies under the whole grid; a red strip over the grid runs far past
// both its sides; a white strip of "z" 5 is never drawn.
TEST_F(MysteryLandSceneTest, TheSceneIsDrawnInsideTheGridOnly) {
    WriteSolidImage("s/strip.png", 200, 20, Argb(255, 0, 0));
    WriteSolidImage("s/moon.png", 200, 10, Argb(255, 255, 255));
    WriteData("levels/clip.xml", "<level>" + Grid(2, 3, 40, 40) +
                                     "<object filename=\"s/sky\" z=\"-1\"/>"
                                     "<object filename=\"s/strip\" x=\"0\" y=\"80\"/>"
                                     "<object filename=\"s/moon\" x=\"0\" y=\"95\" z=\"5\"/>"
                                     "<object filename=\"s/picture\" x=\"0\" y=\"0\" z=\"1\"/></level>");
    MosaicLayoutMysteryLand_t board;
    board.SetGridOrigin(40, 30);
    ASSERT_TRUE(board.Load("levels/clip.xml", false));
    mRenderer.Clear(32, 32, 32);
    board.DrawCells();
    struct Probe {
        const char* what;
        int x, y;
        std::vector<int> rgb;
    };
    const std::vector<int> dark{32, 32, 32}, blue{0, 0, 255}, red{255, 0, 0}, green{0, 200, 0};
    const Probe probes[] = {
        {"the coloured cell's corner", 40, 30, green},
        {"sky at the top right corner", 159, 30, blue},
        {"left of the grid", 39, 75, dark},
        {"above the grid", 121, 29, dark},
        {"sky at the bottom left corner", 40, 109, blue},
        {"sky at the bottom right corner", 159, 109, blue},
        {"right of the grid", 160, 100, dark},
        {"below the grid", 100, 110, dark},
        {"the coloured cell's part", 60, 50, green},
        {"an empty cell: the sky", 100, 50, blue},
        {"the strip inside the grid", 41, 85, red},
        {"the strip at the grid's right edge", 159, 85, red},
        {"the strip left of the grid", 20, 85, dark},
        {"the strip right of the grid", 170, 85, dark},
        {"the z 5 strip is not drawn", 100, 100, blue},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(mRenderer.PixelAt(p.x, p.y), p.rgb) << p.what;
    }
    // Hidden: nothing at all.
    mRenderer.Clear(32, 32, 32);
    board.SetVisible(false);
    board.DrawCells();
    EXPECT_EQ(mRenderer.PixelAt(100, 50), dark);
}

} // namespace
