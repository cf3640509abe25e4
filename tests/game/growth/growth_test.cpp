// A long stepped run of the real game: the play script on the largest shipped level, replayed every
// cycle, must leave as many live effects, windows, cached textures and queued messages after 10,000
// updates as after 1,000.

#include <gtest/gtest.h>

#include <memory>

#include "app/startup_seams.h"
#include "app/user_info.h"
#include "game/growth/play_script.h"
#include "game_seams.h"
#include "harness/harness.h"
#include "rewards.h"
#include "user_records.h"

namespace {

class GrowthTest : public testing::Test {
protected:
    void SetUp() override { SetSeams(std::make_unique<TGameSeams>()); }
    void TearDown() override {
        TUserInfo::Release();
        RemoveUserRecords();
        TRewardConnector::Get() = TRewardConnector();
        GetProfileDifficulty() = TBaseMosaicSettings();
        SetSeams(nullptr);
    }

    // Frames at 60 a second on the stepped clock: 16 or 17 ms each, 1000 ms every 60.
    void StepFrame(harness::RunningGame& game, playscript::TPlayScript& script) {
        ++mFrame;
        mClock.Advance(static_cast<uint32_t>(mFrame * 1000 / 60 - (mFrame - 1) * 1000 / 60));
        script.BeforeFrame();
        game.Step();
    }

    harness::SteppedClock mClock;
    long mFrame = 0;
};

TEST_F(GrowthTest, PlayScriptLeavesTheSameCountsAfterTenThousandUpdatesAsAfterOneThousand) {
    // Both samples fall at the same frame of a cycle.
    static_assert((10000 - 1000) % playscript::TPlayScript::kCycleFrames == 0);
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

    // The script really played: strokes reached the board in every cycle.
    EXPECT_GT(strokesEarly, 10);
    EXPECT_GT(script.GetStrokesMade(), 3 * strokesEarly);
    EXPECT_GT(early.effects, 0);
    EXPECT_GT(early.windows, 0);
    EXPECT_GT(early.textures, 0);
    EXPECT_EQ(late, early);
    script.Close();
}

} // namespace
