// The magnet balance's demonstration room played through the viewer's host: a magnet carried along its
// rail puts the ball in the middle, whose after-event 0 unlocks the chest; the chest arms the balance, and
// the knob dragged to its upper bound raises after-event 2, which unlocks the lamp that ends the room.

#include <cmath>

#include "objects/balance_object.h"
#include "objects/clock_objects.h"
#include "objects/slider_objects.h"
#include "room_table_fixture.h"

namespace {

using roomtable::TStep;

class BalanceRoomTest : public roomtable::RoomTableTest {};

TBalanceObject& Beam(TRoomHost& host) {
    return dynamic_cast<TBalanceObject&>(*host.GetRoom()->FindObjectById("beam"));
}

// The first magnet's value and the right indicator's.
std::function<void(TRoomHost&)> Values(float magnet, float right) {
    return [=](TRoomHost& host) {
        EXPECT_NEAR(Beam(host).mMagnets[0]->mValue, magnet, 0.001f);
        EXPECT_NEAR(Beam(host).mRight->mValue, right, 0.011f);
        EXPECT_NEAR(Beam(host).mLeft->mValue, 1.0f - right, 0.011f);
    };
}

TEST_F(BalanceRoomTest, MagnetAndKnob) {
    const std::vector<TStep> steps = {
        {"click 300 200", {}, [](TRoomHost& host) { EXPECT_TRUE(Beam(host).mMagnets[0]->IsDragging()); }},
        {"move 450 200", {}, Values(0.5f, 0.4f)},
        {"move 600 200", {}, Values(1.0f, 0.4f)},
        // Put down: 40 from the knob at its lower bound and 10 from the magnet, the middle of 100.
        {"click 600 200",
         {"unlock chest"},
         [](TRoomHost& host) {
             EXPECT_FALSE(Beam(host).mMagnets[0]->IsDragging());
             EXPECT_FALSE(host.GetRoom()->FindObjectById("chest")->IsLocked());
         }},
        {"wait 600", {}, Values(1.0f, 0.5f)},
        {"save", {"saved"}, nullptr},
        {"click chest", {"activate beam"}, [](TRoomHost& host) { EXPECT_TRUE(Beam(host).mArmed); }},
        {"drag 1000 262 900 362",
         {},
         [](TRoomHost& host) {
             TLimitedArrowObject* knob = Beam(host).mKnob;
             EXPECT_NEAR(knob->mAngle * 57.29578f, 88.0f, 0.5f);
             EXPECT_FALSE(knob->mDragging);
         }},
        // The knob near its upper bound once let go: after-event 2.
        {"wait 100",
         {"unlock lamp"},
         [](TRoomHost& host) {
             EXPECT_FALSE(Beam(host).mArmed);
             EXPECT_FALSE(host.GetRoom()->FindObjectById("lamp")->IsLocked());
         }},
        // 88 of 90 degrees leaves nothing of the knob's 40: the ball at 10 of 100.
        {"wait 500", {}, Values(1.0f, 0.1f)},
        {"click lamp", {}, nullptr},
        {"wait 300", {"event complete", "completed balance"}, nullptr},
    };
    PlayRoom("roomview/balance.xml", steps);
}

} // namespace
