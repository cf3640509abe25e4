// Kinds that count their place in whole pixels, loaded from a file that puts them beyond any screen or at
// infinity: each whole-pixel place is held within 2^29 pixels, on the side the file gave, so the sums the
// kind makes with it stay inside int; a place on screen is counted toward zero as before.

#include <cmath>

#include "object_test_support.h"
#include "objects/cadr_object.h"
#include "objects/clock_objects.h"
#include "objects/flexible_objects.h"
#include "objects/ghost_object.h"
#include "objects/infrared_object.h"
#include "objects/labyrinth_object.h"
#include "objects/mover_objects.h"

namespace {

using objtest::Load;
using objtest::ObjectTest;
using objtest::TXml;

constexpr int kReach = 536870912;

class FarPositionsTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        TObjectFactory::CreateInstance();
    }
};

struct Place {
    const char* attributes;
    int x;
    int y;
};

const std::vector<Place> kPlaces = {
    {R"(x="1e300" y="-1e300")", kReach, -kReach},
    {R"(x="-3e9" y="3e9")", -kReach, kReach},
    {R"(x="12.9" y="-7.9")", 12, -7},
};

TEST_F(FarPositionsTest, StartsAndTargetsOfFleeingAndMovingKinds) {
    for (const Place& place : kPlaces) {
        SCOPED_TRACE(place.attributes);
        const std::string attributes = std::string(R"(id="o" )") + place.attributes;
        auto ghost = Load<TGhostObject>(attributes);
        EXPECT_EQ(ghost->mStartX, place.x);
        EXPECT_EQ(ghost->mStartY, place.y);
        auto infrared = Load<TInfraredObject>(attributes);
        EXPECT_EQ(infrared->mStartX, place.x);
        EXPECT_EQ(infrared->mStartY, place.y);
        // The target's first position is where it stands; the next one is its reach to the right.
        auto target = Load<TTargetObject>(attributes + R"( maxradius="45")");
        ASSERT_GE(target->mPositions.size(), 2u);
        EXPECT_EQ(target->mPositions[0], (std::pair<int, int>{place.x, place.y}));
        EXPECT_EQ(target->mPositions[1], (std::pair<int, int>{place.x + 45, place.y}));
    }
}

TEST_F(FarPositionsTest, CellsStripsAndStretchesStartAtTheHeldPlace) {
    for (const Place& place : kPlaces) {
        SCOPED_TRACE(place.attributes);
        const std::string attributes = std::string(R"(id="o" )") + place.attributes;
        TXml maze(R"(<object id="m" )" + std::string(place.attributes) +
                  R"( rows="1" cols="2"><rect width="10" height="10"/></object>)");
        TLabyrinthObject labyrinth;
        labyrinth.LoadFromXml(maze.Root(), "");
        ASSERT_EQ(labyrinth.mCells.size(), 2u);
        EXPECT_EQ(labyrinth.mCells[0].x, place.x);
        EXPECT_EQ(labyrinth.mCells[1].x, place.x + 10);
        EXPECT_EQ(labyrinth.mCells[0].y, place.y);

        auto frames = Load<TCadrObject>(attributes + R"( w="4" h="4" frames="2")");
        ASSERT_TRUE(frames->mAnimation);
        EXPECT_EQ(frames->mAnimation->mImage.mBaseX, static_cast<float>(place.x));
        EXPECT_EQ(frames->mAnimation->mImage.mBaseY, static_cast<float>(place.y));

        auto flexible = Load<TUDFlexibleObject>(attributes);
        flexible->OnSpaceShow();
        EXPECT_EQ(flexible->mBaseRect.x, place.x);
        EXPECT_EQ(flexible->mBaseRect.y, place.y);
    }
}

// A hand aimed at a point turns about its own place: far away, the aim still gives a real angle.
TEST_F(FarPositionsTest, ClockHandsAimFromTheHeldPlace) {
    for (const Place& place : kPlaces) {
        SCOPED_TRACE(place.attributes);
        auto hand = Load<TClockArrowObject>(std::string(R"(id="h" rx="0" ry="0" )") + place.attributes);
        EXPECT_TRUE(std::isfinite(hand->mRightAngle));
        const double expected = std::atan2(static_cast<double>(-place.y), static_cast<double>(-place.x));
        EXPECT_NEAR(hand->mRightAngle, expected, 1e-5);
    }
}

} // namespace
