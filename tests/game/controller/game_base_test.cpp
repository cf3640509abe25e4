#include <gtest/gtest.h>

#include "controller/game_base.h"

namespace {

class CountingGame : public TGameBase {
public:
    void OnFirstActivate() override {
        ++firstActivations;
        if (activateAgain) {
            activateAgain = false;
            Activate();
        }
    }
    int firstActivations = 0;
    bool activateAgain = false;
};

TEST(GameBaseTest, FirstActivationRunsOnceHoweverOftenActivated) {
    for (bool reentrant : {false, true}) {
        CountingGame game;
        game.activateAgain = reentrant;
        EXPECT_EQ(game.GetKind(), 0);
        game.Activate();
        game.Activate();
        game.Activate();
        EXPECT_EQ(game.firstActivations, 1) << reentrant;
        EXPECT_EQ(game.GetActivationCount(), reentrant ? 4 : 3);
    }
}

} // namespace
