// The animation kinds' demonstration rooms played through the viewer's host: frame strips pausing and
// flying, map locations taking their rooms' state and opening them, a stopwatch running out, a found-counter
// mover carrying its count, turning stars and a pressed spring, each checked at chosen times, with the same
// ending after a save and a restore into a fresh host in the middle.

#include <cmath>
#include <cstdio>

#include "objects/anim_objects.h"
#include "objects/ball_objects.h"
#include "objects/counter_movers.h"
#include "objects/flexible_objects.h"
#include "objects/map_object.h"
#include "objects/slider_objects.h"
#include "objects/text_objects.h"
#include "room_table_fixture.h"
#include "rooms/space_manager.h"
#include "windows/text_label.h"

namespace {

using roomtable::TStep;

class AnimationRoomsTest : public roomtable::RoomTableTest {};

// An object of a room the host has loaded, shown or not.
template <typename T> T* Kind(const char* room, const char* id) {
    auto* space = dynamic_cast<TRoom*>(TGameSpaceManager::FindSpace(room));
    EXPECT_NE(space, nullptr) << room;
    auto* object = space != nullptr ? dynamic_cast<T*>(space->FindObjectById(id)) : nullptr;
    EXPECT_NE(object, nullptr) << id;
    return object;
}

std::string Near5(float v) {
    return std::to_string(static_cast<int>(std::lround(v / 5.0f)) * 5);
}

// A strip's object as "a p w m i0 f2": active, playing, waiting, moving ("-" for each not set), the step
// index and the strip's frame.
std::string StripState(const TAnimObject& anim) {
    return std::string(anim.IsActive() ? "a" : "-") + (anim.mPlaying ? "p" : "-") + (anim.mWaiting ? "w" : "-") +
           (anim.mMoving ? "m" : "-") + " i" + std::to_string(anim.mStepIndex) + " f" +
           std::to_string(anim.mStrip.mCurrentFrame);
}

// "reel | bird x,y | door": the reel's and the bird's state, where the bird's strip is (nearest 5 pixels)
// and whether the door is locked.
std::function<void(TRoomHost&)> Strips(const std::string& expected) {
    return [expected](TRoomHost&) {
        auto* reel = Kind<TAnimObject>("strips", "reel");
        auto* bird = Kind<TLineMovingAnimObject>("strips", "bird");
        auto* door = Kind<TObject>("strips", "door");
        ASSERT_TRUE(reel && bird && door);
        const std::string text = StripState(*reel) + " | " + StripState(*bird) + " " +
                                 Near5(bird->mStrip.mImage.GetX()) + "," + Near5(bird->mStrip.mImage.GetY()) +
                                 (door->IsLocked() ? " | L" : " | -");
        EXPECT_EQ(text, expected);
    };
}

TEST_F(AnimationRoomsTest, ReelWaitsForTheLeverAndTheBirdFliesOutAndBack) {
    const std::vector<TStep> steps = {
        // The reel's first pause was begun at load and is held while it is inactive. The bird ("test") is
        // active from the start, so the room's first show activates it and its wings beat; it waits out its
        // first pause where it stands.
        {"wait 10", {}, Strips("--w- i0 f0 | apw- i0 f0 300,450 | L")},
        {"wait 280", {}, Strips("--w- i0 f0 | apw- i0 f0 300,450 | L")},
        // The pause over, it crosses in 0.6 s, its strip started again from the first frame (a frame takes
        // just over 0.1 s of 10 ms frames).
        {"wait 20", {}, Strips("--w- i0 f0 | ap-m i0 f0 310,450 | L")},
        {"wait 150", {}, Strips("--w- i0 f0 | ap-m i0 f1 460,450 | L")},
        {"wait 150", {}, Strips("--w- i0 f0 | ap-m i0 f0 610,450 | L")},
        {"save", {"saved"}, nullptr},
        // At the right end the second step's pause keeps the wings beating ("dont_move" 0).
        {"wait 320", {}, Strips("--w- i0 f0 | apw- i1 f1 900,450 | L")},
        {"wait 300", {}, Strips("--w- i0 f0 | ap-m i1 f0 880,450 | L")},
        // The lever starts the reel, which waits out its half-second pause before its frames move.
        {"click lever", {"unlock door", "activate reel"}, Strips("apw- i0 f0 | ap-m i1 f0 880,450 | -")},
        {"wait 250", {}, Strips("apw- i0 f1 | ap-m i1 f0 630,450 | -")},
        // Its pause over, the reel's strip starts again and plays for good: a plain strip has no move and
        // no next step. The bird is nearly home.
        {"wait 300", {}, Strips("ap-- i0 f0 | ap-m i1 f1 330,450 | -")},
        // Home, the bird's first pause stills its wings again; then it sets out once more.
        {"wait 70", {}, Strips("ap-- i0 f0 | a-w- i0 f1 300,450 | -")},
        {"wait 330", {}, Strips("ap-- i0 f2 | ap-m i0 f0 360,450 | -")},
        // A whole cycle is 1.8 s: out, pause, back, pause.
        {"wait 1000", {}, Strips("ap-- i0 f3 | ap-m i1 f1 750,450 | -")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed strips"}, nullptr},
    };
    PlayRoom("roomview/strips.xml", steps);
}

// Each location as "c u t>target": current, unavailable, something to do ("-" for each not set) and its
// room target.
std::function<void(TRoomHost&)> Locations(const std::string& expected) {
    return [expected](TRoomHost&) {
        std::string text;
        for (const char* id : {"atlas", "harbour"}) {
            auto* map = Kind<TMapObject>("atlas", id);
            ASSERT_NE(map, nullptr);
            text += std::string(text.empty() ? "" : " | ") + (map->mCurrent ? "c" : "-") +
                    (map->mUnavailable ? "u" : "-") + (map->mHasTask ? "t" : "-") + ">" + map->mTargets[kTargetRoom];
        }
        EXPECT_EQ(text, expected);
    };
}

TEST_F(AnimationRoomsTest, MapLocationsOpenOnlyRoomsTheGameKnowsAndNotTheCurrentOne) {
    const std::vector<TStep> steps = {
        {"wait 100", {}, Locations("c-->harbour | -u->")},
        // The harbour is not known yet: its location stays unavailable and its click opens nothing.
        {"click harbour", {}, Locations("c-->harbour | -u->")},
        // A click on the current location clears the room it names, so nothing opens.
        {"click atlas", {}, Locations("c--> | -u->")},
        {"save", {"saved"}, nullptr},
        {"click boat", {"room harbour"}, nullptr},
        {"wait 100", {}, nullptr},
        // Back on the map the harbour is known: available, with its chest still to open.
        {"click pier", {"room atlas"}, Locations("c--> | --t>")},
        {"wait 100", {}, nullptr},
        {"click harbour", {"room harbour"}, Locations("c--> | --t>harbour")},
        {"wait 100", {}, nullptr},
        {"click chest", {}, nullptr},
        {"wait 300", {"event complete", "completed harbour"}, nullptr},
    };
    PlayRoom("roomview/atlas.xml", steps);
}

// "run f2 r1.5 | L": whether the watch counts as active, its frame, the time left and the door.
std::function<void(TRoomHost&)> Watch(const std::string& expected) {
    return [expected](TRoomHost& host) {
        auto* watch = Kind<TDoubleHOCadrObject>("stopwatch", "watch");
        ASSERT_TRUE(watch && watch->mAnimation);
        char left[16];
        std::snprintf(left, sizeof left, "%.1f", watch->mRemaining);
        EXPECT_EQ(std::string(watch->IsActive() ? "run" : "stop") + " f" +
                      std::to_string(watch->mAnimation->mCurrentFrame) + " r" + left,
                  expected);
    };
}

TEST_F(AnimationRoomsTest, StopwatchRunsItsTwoSecondsThenFreezesAndTheBrakeStopsIt) {
    const std::vector<TStep> steps = {
        {"wait 100", {}, Watch("stop f0 r0.0")},
        {"click bell", {"activate watch"}, Watch("run f0 r2.0")},
        // A frame every 0.3 s (and a 10 ms frame's rounding).
        {"wait 330", {}, Watch("run f1 r1.7")},
        {"wait 670", {}, Watch("run f3 r1.0")},
        {"save", {"saved"}, nullptr},
        {"wait 920", {}, Watch("run f2 r0.1")},
        // Two seconds after the bell: frozen on the frame it reached (6 frames in: the third).
        {"wait 130", {}, Watch("stop f2 r0.0")},
        {"wait 450", {}, Watch("stop f2 r0.0")},
        // Rung again it starts over; the brake stops it at once.
        {"click bell", {"activate watch"}, Watch("run f0 r2.0")},
        {"wait 500", {}, Watch("run f1 r1.5")},
        {"click brake", {"deactivate watch"}, Watch("stop f1 r0.0")},
        {"wait 500", {}, Watch("stop f1 r0.0")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed stopwatch"}, nullptr},
    };
    PlayRoom("roomview/stopwatch.xml", steps);
}

// "x,y~ 1/3@x,y buoy L": the boat's place with "~" while it moves, the count's text and place, then whether
// the buoy shows and the door is locked.
std::function<void(TRoomHost&)> Boat(const std::string& expected) {
    return [expected](TRoomHost&) {
        auto* boat = Kind<TFinderMoverObject>("finders", "boat");
        auto* buoy = Kind<TObject>("finders", "buoy");
        auto* door = Kind<TObject>("finders", "door");
        ASSERT_TRUE(boat && buoy && door);
        ASSERT_TRUE(boat->mText != nullptr && boat->mText->GetLabel() != nullptr);
        const TSimpleTextImage& label = *boat->mText->GetLabel();
        const std::string count(label.mText.begin(), label.mText.end());
        const std::string text = Near5(boat->GetX()) + "," + Near5(boat->GetY()) + (boat->mMoving ? "~ " : " ") +
                                 count + "@" + Near5(static_cast<float>(label.GetX())) + "," +
                                 Near5(static_cast<float>(label.GetY())) + (buoy->mVisible ? " buoy" : " -") +
                                 (door->IsLocked() ? " L" : " -");
        EXPECT_EQ(text, expected);
    };
}

TEST_F(AnimationRoomsTest, LampMovesTheBoatWithItsCountAndTheLastPlaceOpensTheDoor) {
    const std::vector<TStep> steps = {
        // The count shows at its offset from the boat once the room is first shown.
        {"wait 10", {}, Boat("150,500 1/3@180,460 - L")},
        // A click on the boat is only a click: it does not step.
        {"click boat", {}, Boat("150,500 1/3@180,460 - L")},
        {"wait 500", {}, Boat("150,500 1/3@180,460 - L")},
        {"click lamp", {"activate boat"}, Boat("150,500~ 1/3@180,460 - L")},
        {"wait 200", {}, Boat("325,500~ 1/3@355,460 - L")},
        // Each place reached runs after-event 0, which shows the buoy.
        {"wait 220", {"show buoy"}, Boat("500,500 1/3@530,460 buoy L")},
        {"wait 280", {}, Boat("500,500 1/3@530,460 buoy L")},
        {"save", {"saved"}, nullptr},
        {"click lamp", {"activate boat"}, Boat("500,500~ 1/3@530,460 buoy L")},
        // The last place runs after-event 1 as well, which unlocks the door.
        {"wait 420", {"show buoy", "unlock door"}, Boat("850,500 1/3@880,460 buoy -")},
        {"wait 80", {}, Boat("850,500 1/3@880,460 buoy -")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed finders"}, nullptr},
    };
    PlayRoom("roomview/finders.xml", steps);
}

// "star wheel | top h value": the stars' angles in whole degrees (nearest 5), the spring's top and height and
// the handle's value in tenths.
std::function<void(TRoomHost&)> Springs(const std::string& expected) {
    return [expected](TRoomHost&) {
        auto* star = Kind<TObject>("springs", "star");
        auto* wheel = Kind<TObject>("springs", "wheel");
        auto* spring = Kind<TUDFlexibleObject>("springs", "spring");
        auto* handle = Kind<TSpringedObject>("springs", "handle");
        ASSERT_TRUE(star && wheel && spring && handle);
        auto degrees = [](const TObject* object) {
            return Near5(std::fmod(object->mAngle / 0.017453292f + 360.0f, 360.0f));
        };
        char value[16];
        std::snprintf(value, sizeof value, "%.1f", handle->mValue);
        const std::string text = degrees(star) + " " + degrees(wheel) + " | " + std::to_string(spring->mCurrentRect.y) +
                                 " " + std::to_string(spring->mCurrentRect.h) + " " + value;
        EXPECT_EQ(text, expected);
    };
}

TEST_F(AnimationRoomsTest, StarsTurnForEverAndTheHandlePressesTheSpringOverItsBottom) {
    const std::vector<TStep> steps = {
        {"wait 100", {}, Springs("0 0 | 500 200 0.0")},
        {"click lamp", {"activate star,wheel"}, Springs("0 0 | 500 200 0.0")},
        // Half a second: the star an eighth of its two-second turn clockwise, the wheel half of its
        // one-second turn the other way.
        {"wait 250", {}, Springs("45 270 | 500 200 0.0")},
        {"wait 250", {}, Springs("90 180 | 500 200 0.0")},
        {"save", {"saved"}, nullptr},
        // The handle pulled to its end (ten frames) presses the spring to a fifth of its height; its bottom
        // stays at 700. Let go, the handle springs up over half a second and the spring grows back with it.
        // The stars turn on: the wheel a full turn a second, so a second later it stands where it stood.
        {"drag 900 500 900 650", {}, Springs("110 145 | 660 40 1.0")},
        {"wait 250", {}, Springs("155 55 | 600 100 0.5")},
        {"wait 300", {}, Springs("205 310 | 500 200 0.0")},
        {"wait 1000", {}, Springs("25 315 | 500 200 0.0")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed springs"}, nullptr},
    };
    PlayRoom("roomview/springs.xml", steps);
}

} // namespace
