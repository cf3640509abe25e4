// The clock and light-button demonstration rooms played through the viewer's host: what each step makes the
// room report, the hands', knob's, buttons' and ticking hand's state at chosen moments, completion, and the
// same ending after a save and a restore into a fresh host in the middle.

#include <cmath>

#include "objects/clock_objects.h"
#include "objects/light_button_objects.h"
#include "objects/moving_clock_arrow.h"
#include "room_table_fixture.h"

namespace {

using roomtable::TStep;

int Degrees(float radians) {
    return static_cast<int>(std::lround(radians * 180.0 / 3.14159265358979323846));
}

// Actions go to the host as they stand; the restored host's greeting is not checked.
class ClockRoomsTest : public roomtable::RoomTableTest {
protected:
    std::string Resolve(TRoomHost&, const std::string& action) override { return action; }
    void Restored(TRoomHost& fresh) override { fresh.TakeTranscript(); }

    // The object of that id and kind; null (and a failure) when the room has none.
    template <typename T> static T* Object(TRoomHost& host, const std::string& id) {
        auto* object = dynamic_cast<T*>(host.GetRoom()->FindObjectById(id));
        EXPECT_NE(object, nullptr) << id;
        return object;
    }
};

TEST_F(ClockRoomsTest, ClockFace) {
    // The hand's angle in whole degrees, whether it is held and whether it is solved.
    const auto hand = [](const char* id, int degrees, bool held, bool solved) {
        return [=](TRoomHost& host) {
            auto* arrow = Object<TClockArrowObject>(host, id);
            ASSERT_NE(arrow, nullptr);
            EXPECT_EQ(Degrees(arrow->mAngle), degrees) << id;
            EXPECT_EQ(arrow->mDragging, held) << id;
            EXPECT_EQ(arrow->IsSolved(), solved) << id;
        };
    };
    const auto knob = [](int degrees, bool held) {
        return [=](TRoomHost& host) {
            auto* arrow = Object<TLimitedArrowObject>(host, "knob");
            ASSERT_NE(arrow, nullptr);
            EXPECT_EQ(Degrees(arrow->mAngle), degrees);
            EXPECT_EQ(arrow->mDragging, held);
            EXPECT_FALSE(arrow->IsSolved());
        };
    };
    const auto clock = [](bool solved) {
        return [=](TRoomHost& host) {
            auto* face = Object<TClockObject>(host, "clock");
            ASSERT_NE(face, nullptr);
            EXPECT_EQ(face->IsSolved(), solved);
            EXPECT_EQ(host.GetRoom()->FindObjectById("chest")->IsLocked(), !solved);
        };
    };
    const std::vector<TStep> steps = {
        {"click 570 449", {}, hand("minute", 150, true, false)},
        {"click 833 384", {}, hand("minute", 0, false, false)},
        {"wait 100", {}, clock(false)},
        {"click 813 386", {}, hand("minute", 0, true, false)},
        {"move 685 534", {}, hand("minute", 88, true, false)},
        {"click 685 534", {}, hand("minute", 90, false, true)},
        {"wait 100", {}, clock(false)},
        {"save", {"saved"}, nullptr},
        {"click 735 414", {}, hand("hour", 30, true, false)},
        {"move 722 239", {}, hand("hour", 286, true, false)},
        // Both hands are right: the clock's after-event 0 unlocks the chest.
        {"click 722 239", {"unlock chest"}, hand("hour", 285, false, true)},
        {"wait 100", {}, clock(true)},
        {"press 300 387", {}, knob(0, true)},
        {"move 290 420", {}, knob(38, true)},
        {"move 260 480", {}, knob(80, true)},
        // Asked for 116 degrees, it stops at its upper bound.
        {"move 200 470", {}, knob(90, true)},
        {"release 200 470", {}, knob(90, false)},
        {"wait 100", {}, nullptr},
        {"click 1150 550", {}, nullptr},
        {"wait 300", {"event complete", "completed clockface"}, nullptr},
    };
    PlayRoom("roomview/clockface.xml", steps);
}

TEST_F(ClockRoomsTest, LightPanel) {
    const auto lamps = [](bool first, bool second, bool chestLocked) {
        return [=](TRoomHost& host) {
            auto* lamp1 = Object<TLightCheckButtonObject>(host, "lamp1");
            auto* lamp2 = Object<TLCBResetOnUnlockObject>(host, "lamp2");
            ASSERT_TRUE(lamp1 != nullptr && lamp2 != nullptr);
            EXPECT_EQ(lamp1->mPushed, first);
            EXPECT_EQ(lamp2->mPushed, second);
            EXPECT_EQ(host.GetRoom()->FindObjectById("chest")->IsLocked(), chestLocked);
        };
    };
    const std::vector<TStep> steps = {
        // The first push unlocks the second button, which releases it.
        {"click 450 350", {"unlock lamp2"}, lamps(true, false, true)},
        {"click 450 350", {}, lamps(false, false, true)},
        {"wait 600", {}, lamps(false, false, true)},
        {"click 450 350", {}, lamps(true, false, true)},
        {"wait 200", {}, lamps(true, false, true)},
        {"wait 400", {"unlock chest"}, lamps(false, false, false)},
        {"save", {"saved"}, nullptr},
        {"click 1150 550", {}, nullptr},
        {"wait 300", {"event complete", "completed lightpanel"}, nullptr},
    };
    PlayRoom("roomview/lightpanel.xml", steps);
}

TEST_F(ClockRoomsTest, TickingClock) {
    const auto ticked = [](int divisions, bool locked) {
        return [=](TRoomHost& host) {
            auto* hand = Object<TMovingClockArrowObject>(host, "hand");
            ASSERT_NE(hand, nullptr);
            EXPECT_EQ(hand->mCurrent, divisions);
            EXPECT_EQ(hand->mPhase, TMovingClockArrowObject::kPhasePausing);
            EXPECT_EQ(Degrees(hand->GetHandAngle()), divisions * 30);
            EXPECT_EQ(hand->IsLocked(), locked);
        };
    };
    const std::vector<TStep> steps = {
        {"wait 150", {}, ticked(1, false)},
        {"wait 650", {}, ticked(3, false)},
        {"click 230 370", {"lock hand"}, ticked(3, true)},
        {"save", {"saved"}, nullptr},
        {"wait 500", {}, ticked(3, true)},
        {"click 1150 550", {}, nullptr},
        {"wait 300", {"event complete", "completed tickingclock"}, nullptr},
    };
    PlayRoom("roomview/tickingclock.xml", steps);
}

} // namespace
