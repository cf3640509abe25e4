// A long stepped run of the real game: the play script on the largest shipped level, replayed every
// cycle, must leave as many live effects, windows, cached textures and queued messages after 10,000
// updates as after 1,000.

#include <gtest/gtest.h>

#include <memory>

#include "app/user_info.h"
#include "data/rewards.h"
#include "data/user_records.h"
#include "game/growth/play_script.h"
#include "game/growth/play_script_fixture.h"
#include "game_seams.h"
#include "harness/harness.h"
#include "shell/startup_seams.h"

namespace {

// Every update runs; one frame in this many is drawn too. The software renderer's drawing is nearly all
// of a frame's cost, and what grows is made by the updates; the drawn frames still run every draw path.
constexpr long kDrawEvery = 10;

class GrowthTest : public PlayScriptTest {
protected:
    // Frames at 60 a second on the stepped clock: 16 or 17 ms each, 1000 ms every 60.
    void StepFrame(harness::RunningGame& game, playscript::TPlayScript& script) {
        ++mFrame;
        mClock.Advance(static_cast<uint32_t>(mFrame * 1000 / 60 - (mFrame - 1) * 1000 / 60));
        script.BeforeFrame();
        if (mFrame % kDrawEvery == 0) {
            game.Step();
        } else {
            game.StepWithoutDrawing();
        }
    }

    harness::SteppedClock mClock;
    long mFrame = 0;
};

TEST_F(GrowthTest, PlayScriptLeavesTheSameCountsAfterTenThousandUpdatesAsAfterOneThousand) {
    // Both samples fall at the same frame of a cycle, on drawn frames.
    static_assert((10000 - 1000) % playscript::TPlayScript::kCycleFrames == 0);
    static_assert(1000 % kDrawEvery == 0);
    harness::RunningGame game;
    ASSERT_EQ(game.GetStartResult(), 0);
    harness::UseDesignSizedWindow();
    playscript::TPlayScript script;
    const playscript::TLevelChoice level = playscript::FindLargestLevel();
    ASSERT_GT(level.cells, 0);
    ASSERT_TRUE(script.Open(level));

    while (mFrame < 1000) {
        StepFrame(game, script);
    }
    const playscript::TLiveCounts early = playscript::CountLive();
    const int strokesEarly = script.GetStrokesMade();
    while (mFrame < 10000) {
        StepFrame(game, script);
    }
    const playscript::TLiveCounts late = playscript::CountLive();

    // The script really played: the first level's windows were closed by their buttons, strokes reached
    // the board, every finished cycle solved the level and replayed it from the results window, and the
    // hint button gave hints.
    const int cycles = static_cast<int>(mFrame / playscript::TPlayScript::kCycleFrames);
    EXPECT_GT(strokesEarly, 10);
    EXPECT_GT(script.GetStrokesMade(), 3 * strokesEarly);
    EXPECT_EQ(script.GetStrokesSkipped(), 0);
    EXPECT_EQ(script.GetLevelsSolved(), cycles);
    EXPECT_EQ(script.GetUnsolvedCycles(), 0);
    EXPECT_EQ(script.GetHintsTaken(), cycles);
    // Each start's level intro, and once the help page and two tips.
    EXPECT_EQ(script.GetDialogsClosed(), cycles + 1 + 3);
    EXPECT_GT(early.effects, 0);
    EXPECT_GT(early.windows, 0);
    EXPECT_GT(early.textures, 0);
    EXPECT_EQ(late, early);
}

} // namespace
