// The game screen draws its background and board from a cached layer while the board is shown: over the
// play script on the largest level every frame must show what the plain frame shows, also the frame a
// stroke lands on (the cache drawn again only where the stroke changed it), and between strokes the
// frames come from the cache.

#include <gtest/gtest.h>

#include <memory>

#include "app/user_info.h"
#include "data/rewards.h"
#include "data/user_records.h"
#include "game/growth/play_script.h"
#include "game/growth/play_script_fixture.h"
#include "game_seams.h"
#include "harness/harness.h"
#include "harness/screen_checks.h"
#include "shell/startup_seams.h"

namespace {

class BoardLayersTest : public PlayScriptTest {
protected:
    // Frames at 60 a second on the stepped clock, with the script's strokes.
    void Advance(playscript::TPlayScript& script) {
        ++mFrame;
        mClock.Advance(static_cast<uint32_t>(mFrame * 1000 / 60 - (mFrame - 1) * 1000 / 60));
        script.BeforeFrame();
    }

    harness::SteppedClock mClock;
    long mFrame = 0;
};

TEST_F(BoardLayersTest, PlayScriptFramesShowThePlainFrameAndComeFromTheCacheBetweenStrokes) {
    harness::RunningGame game;
    ASSERT_EQ(game.GetStartResult(), 0);
    harness::UseDesignSizedWindow();
    playscript::TPlayScript script;
    const playscript::TLevelChoice level = playscript::FindLargestLevel();
    ASSERT_GT(level.cells, 0);
    ASSERT_TRUE(script.Open(level));

    // Up to just before the first stroke without drawing: the level intro and tips are closed by then.
    const long firstStroke = playscript::TPlayScript::kFirstStrokeFrame;
    while (mFrame < firstStroke - 5) {
        Advance(script);
        game.StepWithoutDrawing();
    }
    const int strokesBefore = script.GetStrokesMade();
    long copied = 0;
    long refreshed = 0;
    long patched = 0;
    long compared = 0;
    // Ten stroke slots: the first stroke, the pause after it, then a stroke in each.
    constexpr int kSlots = 10;
    while (mFrame < firstStroke + kSlots * playscript::kFramesPerStroke) {
        Advance(script);
        const int strokes = script.GetStrokesMade();
        const long step = (mFrame - 1 - firstStroke) % playscript::kFramesPerStroke;
        if (mFrame > firstStroke && (step == 1 || step == 2)) {
            // The frames a stroke presses on its first cell and drags over the rest, compared before the
            // loop draws them: the cache still holds the board as it was.
            game.StepWithoutDrawing();
            const harness::FrameDifference difference = harness::CompareWithPlainFrame();
            EXPECT_EQ(difference.failure, "");
            EXPECT_EQ(difference.largest, 0)
                << "frame " << mFrame << ", " << strokes << " strokes: " << difference.pixels
                << " pixels differ, the first at (" << difference.firstX << ", " << difference.firstY << ")";
            ++compared;
            continue;
        }
        game.Step();
        const TBoardMahjong* board = TBoardMahjong::Get();
        ASSERT_NE(board, nullptr);
        const TLayerCache::TOutcome outcome = board->GetBoardLayers().GetLastOutcome();
        copied += outcome == TLayerCache::kCopied ? 1 : 0;
        refreshed += outcome == TLayerCache::kRefreshed ? 1 : 0;
        patched += outcome == TLayerCache::kPatched ? 1 : 0;
    }
    const int strokesMade = script.GetStrokesMade() - strokesBefore;
    EXPECT_EQ(strokesMade, 7);
    EXPECT_EQ(compared, 2 * kSlots);
    // Most frames come from the cache, which is filled whole again only now and then.
    EXPECT_GT(copied, 3 * (refreshed + patched))
        << copied << " copied, " << refreshed << " refreshed, " << patched << " patched";
    EXPECT_GT(refreshed, 0);
    // A stroke changes a few cells and clues: only their part of the cache is drawn again.
    EXPECT_GE(patched, strokesMade);
}

} // namespace
