// The button and ball rooms played through the viewer's host: what the host hears at each step, the state
// of the puzzle and mechanism objects at chosen moments, completion, and the same ending after a save and
// a restore into a fresh host in the middle.

#include "objects/ball_objects.h"
#include "objects/button_objects.h"
#include "objects/object.h"
#include "room_table_fixture.h"

namespace {

using roomtable::TStep;

// Actions go to the host as they stand; the restored host's greeting is not checked.
class BallButtonRoomsTest : public roomtable::RoomTableTest {
protected:
    std::string Resolve(TRoomHost&, const std::string& action) override { return action; }
    void Restored(TRoomHost& fresh) override { fresh.TakeTranscript(); }

    template <typename T = TObject> static T* Object(TRoomHost& host, const std::string& id) {
        auto* object = dynamic_cast<T*>(host.GetRoom()->FindObjectById(id));
        EXPECT_NE(object, nullptr) << id;
        return object;
    }
};

// The buttons locked, in panel order ("-" for an unlocked one).
std::function<void(TRoomHost&)> Keys(const std::string& locked, bool chestLocked) {
    return [=](TRoomHost& host) {
        std::string now;
        for (const char* id : {"red", "green", "blue"}) {
            now += host.GetRoom()->FindObjectById(id)->IsLocked() ? id[0] : '-';
        }
        EXPECT_EQ(now, locked);
        EXPECT_EQ(host.GetRoom()->FindObjectById("chest")->IsLocked(), chestLocked);
    };
}

TEST_F(BallButtonRoomsTest, Buttons) {
    const auto bell = [](bool pressed) {
        return [pressed](TRoomHost& host) { EXPECT_EQ(Object<TClickButtonObject>(host, "bell")->mPressed, pressed); };
    };
    const std::vector<TStep> steps = {
        {"press 260 610", {}, bell(true)},
        {"wait 100", {}, bell(true)},
        {"release 260 610", {}, bell(false)},
        {"click 490 300", {}, Keys("--b", true)},
        {"click 230 300", {}, Keys("r-b", true)},
        {"click 360 300", {}, Keys("rgb", true)},
        {"wait 400", {}, Keys("rgb", true)},
        {"wait 200", {}, Keys("---", true)},
        // The record holds no half-made attempt, so the state is saved between attempts.
        {"save", {"saved"}, nullptr},
        {"click 230 300", {}, Keys("r--", true)},
        {"click 360 300", {}, Keys("rg-", true)},
        {"click 490 300", {"unlock chest"}, Keys("rgb", false)},
        {"wait 100", {}, nullptr},
        {"click 1000 370", {}, nullptr},
        {"wait 300", {"event complete", "completed buttons"}, nullptr},
    };
    PlayRoom("roomview/buttons.xml", steps);
}

TEST_F(BallButtonRoomsTest, Balls) {
    const auto shutter = [](int state, int x, int ballY) {
        return [=](TRoomHost& host) {
            auto* object = Object<TShutterObject>(host, "shutter");
            EXPECT_EQ(object->mState, state);
            EXPECT_EQ(static_cast<int>(object->mX), x);
            EXPECT_EQ(static_cast<int>(Object(host, "sh_ball")->mY), ballY);
        };
    };
    const auto gun = [](int state, int y) {
        return [=](TRoomHost& host) {
            auto* object = Object<TGunBallObject>(host, "gun");
            EXPECT_EQ(object->mState, state);
            if (y >= 0) {
                EXPECT_EQ(static_cast<int>(object->mY), y);
            }
        };
    };
    const auto shooter = [](int state) {
        return [=](TRoomHost& host) { EXPECT_EQ(Object<TBallShooterObject>(host, "shooter")->mState, state); };
    };
    const std::vector<TStep> steps = {
        // The launcher's ball has rolled onto the spring by the time the shutter is done.
        {"click 70 130", {"activate shutter"}, shutter(TShutterObject::kOpening, 120, 110)},
        {"wait 700", {"show lamp", "unlock fire"}, shutter(TShutterObject::kDone, 10, 310)},
        {"click 485 720", {"activate gun"}, gun(TGunBallObject::kFlyingOut, -1)},
        {"wait 1000", {}, gun(TGunBallObject::kFlyingOut, -1)},
        {"click 900 310", {}, nullptr},
        // Caught on its way back: standing on the barrier at 300.
        {"wait 700", {}, gun(TGunBallObject::kRiding, 270)},
        {"wait 0", {}, shooter(TBallShooterObject::kOnSpring)},
        {"click 470 310", {}, nullptr},
        {"wait 1700",
         {"show trophy"},
         [](TRoomHost& host) {
             EXPECT_EQ(Object<TGunBallObject>(host, "gun")->mState, TGunBallObject::kDone);
             EXPECT_FALSE(Object(host, "gun")->mVisible);
             EXPECT_FALSE(Object(host, "barrier")->IsLocked());
             EXPECT_TRUE(Object(host, "trophy")->IsLocked());
         }},
        {"save", {"saved"}, nullptr},
        {"wait 100", {}, shooter(TBallShooterObject::kOnSpring)},
        {"drag 820 580 820 730", {}, shooter(TBallShooterObject::kFlying)},
        {"wait 2500",
         {"unlock trophy"},
         [](TRoomHost& host) {
             EXPECT_TRUE(Object(host, "shooter")->IsLocked());
             EXPECT_EQ(static_cast<int>(Object(host, "sball")->mX), 1250);
             EXPECT_EQ(static_cast<int>(Object(host, "sball")->mY), 180);
         }},
        {"click 1270 660", {}, nullptr},
        {"wait 300", {"event complete", "completed balls"}, nullptr},
    };
    PlayRoom("roomview/balls.xml", steps);
}

} // namespace
