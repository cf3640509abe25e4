// The scene pieces' demonstration rooms played through the viewer's host: each step's reactions in order,
// the state of the timed and counting kinds at chosen times, the reactions their after-events run,
// completion, and the same ending after a save and a restore into a fresh host in the middle.

#include <algorithm>
#include <cstdio>

#include "objects/light_objects.h"
#include "objects/mover_objects.h"
#include "objects/rotator_object.h"
#include "objects/sequence_objects.h"
#include "objects/timer_objects.h"
#include "room_table_fixture.h"

namespace {

using roomtable::TStep;

class ScenePiecesRoomsTest : public roomtable::RoomTableTest {
protected:
    // A light's level is random by design and its swing is not saved, so a restored light swings from its
    // loaded level: the endings are compared with every light parked at its full level.
    void BeforeEnding(TRoomHost& host) override {
        for (const auto& object : host.GetRoom()->GetObjects()) {
            if (dynamic_cast<TLightObject*>(object.get()) != nullptr) {
                object->mAlpha = 1.0f;
            }
        }
    }
};

template <typename T> T* Kind(TRoomHost& host, const char* id) {
    auto* object = dynamic_cast<T*>(host.GetRoom()->FindObjectById(id));
    EXPECT_NE(object, nullptr) << id;
    return object;
}

// The clock's waiting flag and starts, the tally's count left, whether the chime's timer runs, and whether
// the lamp is shown and the door and the hum are locked, as "W2 t1 C+ lamp door hum" ("-" for not shown or
// unlocked).
std::function<void(TRoomHost&)> Timers(const std::string& expected) {
    return [expected](TRoomHost& host) {
        auto* clock = Kind<TTimerObject>(host, "clock");
        auto* tally = Kind<TActivateCounter>(host, "tally");
        auto* chime = Kind<TDelayLoopsSoundObject>(host, "chime");
        auto* hum = Kind<TSoundObject>(host, "hum");
        TObject* lamp = host.GetRoom()->FindObjectById("lamp");
        TObject* door = host.GetRoom()->FindObjectById("door");
        ASSERT_TRUE(clock && tally && chime && hum && lamp && door);
        const std::string text = std::string(clock->IsActive() ? "W" : "R") + std::to_string(clock->mActivations) +
                                 " t" + std::to_string(tally->mCount) + " C" + (chime->mTimer.IsRunning() ? "+" : "-") +
                                 (lamp->mVisible ? " lamp" : " -") + (door->IsLocked() ? " door" : " -") +
                                 (hum->IsLocked() ? " hum" : " -");
        EXPECT_EQ(text, expected);
    };
}

TEST_F(ScenePiecesRoomsTest, ClockCountsTwoRingsAndTheChimeOpensTheDoor) {
    const std::vector<TStep> steps = {
        {"click bell", {"activate clock"}, Timers("W1 t2 C- - door hum")},
        // A second ring while the clock waits neither restarts nor extends its half second.
        {"wait 300", {}, Timers("W1 t2 C- - door hum")},
        {"click bell", {"activate clock"}, Timers("W1 t2 C- - door hum")},
        {"wait 300", {"show lamp", "activate tally"}, Timers("R1 t1 C- lamp door hum")},
        {"click lamp", {"unlock hum"}, Timers("R1 t1 C- lamp door -")},
        // The chime keeps no saved timer, so the save is taken before it starts.
        {"save", {"saved"}, nullptr},
        {"click bell", {"activate clock"}, Timers("W2 t1 C- lamp door -")},
        {"wait 490", {}, Timers("W2 t1 C- lamp door -")},
        // The tally's second count: its after-event 0 starts the chime.
        {"wait 20", {"show lamp", "activate chime", "activate tally"}, Timers("R2 t0 C+ lamp door -")},
        {"wait 300", {}, Timers("R2 t0 C+ lamp door -")},
        {"wait 280", {}, Timers("R2 t0 C+ lamp door -")},
        // The chime plays after 0.3 s and after 0.3 s more (a frame's rounding each), then its after-event 0
        // unlocks the door.
        {"wait 60", {"unlock door"}, Timers("R2 t0 C- lamp - -")},
        // The clock was started twice, its limit: a third start is refused.
        {"click bell", {"activate clock"}, Timers("R2 t0 C- lamp - -")},
        {"wait 600", {}, Timers("R2 t0 C- lamp - -")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed timers"}, nullptr},
    };
    PlayRoom("roomview/timers.xml", steps);
}

// The children shown, as "red green blue | frame1 frame2 frame3 frame4" ("-" for a hidden one), then the
// parade's phase and the reel's frame with "*" while it runs, and whether the door is locked.
std::function<void(TRoomHost&)> Sequences(const std::string& expected) {
    return [expected](TRoomHost& host) {
        auto* parade = Kind<TShowSequenceObject>(host, "parade");
        auto* reel = Kind<TCadrItemsObject>(host, "reel");
        TObject* door = host.GetRoom()->FindObjectById("door");
        ASSERT_TRUE(parade && reel && door);
        std::string text;
        for (const char* id : {"red", "green", "blue", "|", "frame1", "frame2", "frame3", "frame4"}) {
            TObject* child = std::string(id) == "|" ? nullptr : host.GetRoom()->FindObjectById(id);
            text += std::string(text.empty() ? "" : " ") + (child == nullptr ? "|" : child->mVisible ? id : "-");
        }
        text += " p" + std::to_string(parade->mPhase) + " f" + std::to_string(reel->mCurrentFrame) +
                (reel->IsActive() ? "*" : "") + (door->IsLocked() ? " door" : " -");
        EXPECT_EQ(text, expected);
    };
}

TEST_F(ScenePiecesRoomsTest, ParadeShowsEachBannerOnceAndTheReelOpensTheDoor) {
    const std::vector<TStep> steps = {
        // Before anything starts the reel shows its first frame, the banners are hidden.
        {"wait 10", {}, Sequences("- - - | frame1 - - - p0 f0 door")},
        {"click horn", {"activate parade"}, Sequences("red - - | frame1 - - - p1 f0 door")},
        {"wait 290", {}, Sequences("red - - | frame1 - - - p1 f0 door")},
        {"wait 50", {}, Sequences("- - - | frame1 - - - p2 f0 door")},
        {"wait 100", {}, Sequences("- green - | frame1 - - - p1 f0 door")},
        {"save", {"saved"}, nullptr},
        {"wait 400", {}, Sequences("- - blue | frame1 - - - p1 f0 door")},
        // One pass wanted: after the last banner's gap the parade stops with all hidden.
        {"wait 400", {}, Sequences("- - - | frame1 - - - p0 f0 door")},
        {"wait 500", {}, Sequences("- - - | frame1 - - - p0 f0 door")},
        {"click crank", {"activate reel"}, Sequences("- - - | frame1 - - - p0 f0* door")},
        {"wait 150", {}, Sequences("- - - | - frame2 - - p0 f1* door")},
        {"wait 100", {}, Sequences("- - - | - - frame3 - p0 f2* door")},
        {"wait 100", {}, Sequences("- - - | - - - frame4 p0 f3* door")},
        // The pass is done: after-event 0 unlocks the door and the last frame stays up.
        {"wait 100", {"unlock door"}, Sequences("- - - | - - - frame4 p0 f0 -")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed sequences"}, nullptr},
    };
    PlayRoom("roomview/sequences.xml", steps);
}

// The needle's angle in quarter turns (one decimal), "~" while a rotation runs, and whether the door is
// locked.
std::function<void(TRoomHost&)> Dial(const std::string& expected) {
    return [expected](TRoomHost& host) {
        auto* dial = Kind<TRotatorObject>(host, "dial");
        TObject* door = host.GetRoom()->FindObjectById("door");
        ASSERT_TRUE(dial && door);
        char quarters[16];
        std::snprintf(quarters, sizeof quarters, "%.1f", dial->mRotImage.mAngle / 1.5707964f);
        const std::string text = std::string(quarters) + (dial->mEffects.Find("rotator") != nullptr ? "~" : "") +
                                 (door->IsLocked() ? " door" : " -");
        EXPECT_EQ(text, expected);
    };
}

TEST_F(ScenePiecesRoomsTest, LeverTurnsTheDialByQuartersAndEachQuarterUnlocksTheDoor) {
    const std::vector<TStep> steps = {
        {"click lever", {"activate dial"}, Dial("0.0~ door")},
        {"wait 250", {}, Dial("0.5~ door")},
        // A pull while the dial turns starts nothing more.
        {"click lever", {"activate dial"}, Dial("0.5~ door")},
        {"wait 240", {}, Dial("1.0~ door")},
        {"wait 20", {"unlock door"}, Dial("1.0 -")},
        {"wait 200", {}, Dial("1.0 -")},
        // The next pull turns on from where the dial stands.
        {"click lever", {"activate dial"}, Dial("1.0~ -")},
        {"wait 250", {}, Dial("1.5~ -")},
        {"save", {"saved"}, nullptr},
        {"wait 260", {"unlock door"}, Dial("2.0 -")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed rotators"}, nullptr},
    };
    PlayRoom("roomview/rotators.xml", steps);
}

// Places to the nearest 5 pixels (a step's last frame may fall a pixel short), the cart's place "x,y" with "~" while it
// moves, the target's place and whether it counts as solved ("+"), the moon's place with "~" while it runs, then which
// of flag, sun and door ("L" locked) are shown.
std::function<void(TRoomHost&)> Movers(const std::string& expected) {
    return [expected](TRoomHost& host) {
        auto* cart = Kind<TMoverObject>(host, "cart");
        auto* target = Kind<TTargetObject>(host, "target");
        auto* moon = Kind<TArcMoverObject>(host, "moon");
        TObject* flag = host.GetRoom()->FindObjectById("flag");
        TObject* sun = host.GetRoom()->FindObjectById("sun");
        TObject* door = host.GetRoom()->FindObjectById("door");
        ASSERT_TRUE(cart && target && moon && flag && sun && door);
        auto near5 = [](float v) { return std::to_string((static_cast<int>(v) + 2) / 5 * 5); };
        auto place = [&](TObject* object) { return near5(object->GetX()) + "," + near5(object->GetY()); };
        const std::string text = place(cart) + (cart->mMoving ? "~" : "") + " " + place(target) +
                                 (target->IsSolved() ? "+" : "") + " " + place(moon) + (moon->mArc.running ? "~" : "") +
                                 (flag->mVisible ? " flag" : " -") + (sun->mVisible ? " sun" : " -") +
                                 (door->IsLocked() ? " L" : " -");
        EXPECT_EQ(text, expected);
    };
}

TEST_F(ScenePiecesRoomsTest, CartStepsToItsLastPlaceTargetWobblesAndTheMoonArcs) {
    const std::vector<TStep> steps = {
        {"wait 10", {}, Movers("100,650 700,560+ 300,300 - - L")},
        {"click cart", {}, Movers("100,650~ 700,560+ 300,300 - - L")},
        {"wait 150", {}, Movers("200,650~ 700,560+ 300,300 - - L")},
        // Each step's end runs after-event 0, which shows the flag.
        {"wait 160", {"show flag"}, Movers("300,650 700,560+ 300,300 flag - L")},
        {"click cart", {}, Movers("300,650~ 700,560+ 300,300 flag - L")},
        // The last place runs after-event 0 and then after-event 1, which unlocks the door.
        {"wait 310", {"show flag", "unlock door"}, Movers("500,650 700,560+ 300,300 flag - -")},
        {"save", {"saved"}, nullptr},
        // Staying at the last place: one more click is a jump onto itself with no event.
        {"click cart", {}, Movers("500,650 700,560+ 300,300 flag - -")},
        {"wait 20", {}, Movers("500,650 700,560+ 300,300 flag - -")},
        // The target's first step goes out to its maximum radius, where it is not solved; the next comes back.
        {"click target", {}, nullptr},
        {"wait 120", {}, Movers("500,650 745,560 300,300 flag - -")},
        {"click target", {}, nullptr},
        {"wait 120", {}, Movers("500,650 700,560+ 300,300 flag - -")},
        // The moon starts at the left end of its ellipse and runs half of it clockwise over the top.
        {"click lamp", {"activate moon"}, Movers("500,650 700,560+ 300,300~ flag - -")},
        {"wait 250", {}, Movers("500,650 700,560+ 500,100~ flag - -")},
        // Its frames of 10 ms add up to just under half a second, so the pass ends one frame past the right end.
        {"wait 270", {"show sun"}, Movers("500,650 700,560+ 700,210 flag sun -")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed movers"}, nullptr},
    };
    PlayRoom("roomview/movers.xml", steps);
}

// The band a light swings into: "L" when its target lies in the lower half of its range, else "H". On the
// way its level stays between where the swing began and the target, and each swing takes its fixed time.
std::string Band(TLightObject& light) {
    const float low = std::min(light.mStartAlpha, light.mTargetAlpha) - 1e-4f;
    const float high = std::max(light.mStartAlpha, light.mTargetAlpha) + 1e-4f;
    EXPECT_GE(light.mAlpha, low) << light.mName;
    EXPECT_LE(light.mAlpha, high) << light.mName;
    EXPECT_FLOAT_EQ(light.mDuration, light.mMinTime) << light.mName;
    const float middle = (light.mMinAlpha + light.mMaxAlpha) / 2;
    const bool lower = light.mTargetAlpha < middle;
    // The target lies within one step of the band's end.
    const float end = lower ? light.mMinAlpha : light.mMaxAlpha - light.mStep;
    EXPECT_GE(light.mTargetAlpha, end - 1e-4f) << light.mName;
    EXPECT_LE(light.mTargetAlpha, end + light.mStep + 1e-4f) << light.mName;
    return lower ? "L" : "H";
}

// The veil's alpha in tenths, "~" while it fades, whether the door is locked, then the bands the lamp and
// the candle swing into, as "1.0 door | L H".
std::function<void(TRoomHost&)> Veil(const std::string& expected) {
    return [expected](TRoomHost& host) {
        auto* veil = Kind<TFocuserObject>(host, "veil");
        auto* lamp = Kind<TLightObject>(host, "lamp");
        auto* candle = Kind<TLightObject>(host, "candle");
        TObject* door = host.GetRoom()->FindObjectById("door");
        ASSERT_TRUE(veil && lamp && candle && door);
        char tenths[16];
        std::snprintf(tenths, sizeof tenths, "%.1f", veil->mAlpha);
        const std::string text = std::string(tenths) + (veil->mAlphaTween.running ? "~" : "") +
                                 (door->IsLocked() ? " door" : " -") + " | " + Band(*lamp) + " " + Band(*candle);
        EXPECT_EQ(text, expected);
    };
}

// The lamp swings 0.4 s at a time from its full level, down first; the candle 0.3 s, between 0.5..0.6 and
// 0.9..1.0 (the middle of its range decides which way it goes, so it keeps alternating). A swing ends on
// the first 10 ms frame that reaches its time (41 and 31 frames); the checks stand well inside swings.
TEST_F(ScenePiecesRoomsTest, VeilCatchesThePressMeantForTheDoorWhileTheLightsSwing) {
    const std::vector<TStep> steps = {
        // A transparent veil lets presses through: the locked door takes this one and nothing happens.
        {"click door", {}, Veil("0.0 door | L L")},
        {"click gong", {"activate veil"}, Veil("0.0~ door | L L")},
        {"wait 150", {}, Veil("0.5~ door | L L")},
        {"wait 200", {}, Veil("1.0 door | L H")},
        // Saved while it stands shown: a restored fade would start its whole time again from where it was.
        {"save", {"saved"}, nullptr},
        // The veil shows: the press on the door lands on it, unlocks the door and fades it out.
        {"click door", {"unlock door", "activate veil"}, Veil("1.0~ - | L H")},
        {"wait 150", {}, Veil("0.5~ - | H H")},
        {"wait 200", {}, Veil("0.0 - | H L")},
        {"wait 300", {}, Veil("0.0 - | L H")},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed lights"}, Veil("0.0 - | H L")},
    };
    PlayRoom("roomview/lights.xml", steps);
}

} // namespace
