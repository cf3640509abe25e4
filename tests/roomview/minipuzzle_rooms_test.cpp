// The mini-puzzle rooms of the sliders, spinners, image-cycling objects and weights, played through the
// viewer's host: what each step makes the room hear, the kinds' state at chosen moments, completion, and
// the same ending after a save and a restore into a fresh host in the middle.

#include "objects/cycling_objects.h"
#include "objects/object.h"
#include "objects/slider_objects.h"
#include "objects/spinner_objects.h"
#include "objects/weight_objects.h"
#include "room_table_fixture.h"
#include "rooms/pocket.h"

namespace {

using roomtable::TStep;

class MiniPuzzleRoomTest : public roomtable::RoomTableTest {};

template <typename T> T* Kind(TRoomHost& host, const std::string& id) {
    T* object = dynamic_cast<T*>(host.GetRoom()->FindObjectById(id));
    EXPECT_NE(object, nullptr) << id;
    return object;
}

std::function<void(TRoomHost&)> SliderAt(const char* id, float value, bool dragging) {
    return [=](TRoomHost& host) {
        auto* slider = Kind<TSliderObject>(host, id);
        ASSERT_NE(slider, nullptr);
        EXPECT_NEAR(slider->GetValue(), value, 0.02f) << id;
        EXPECT_EQ(slider->IsDragging(), dragging) << id;
    };
}

TEST_F(MiniPuzzleRoomTest, Sliders) {
    const std::vector<TStep> steps = {
        {"click 200 200", {}, SliderAt("pick", 0, true)},
        {"move 400 200", {}, SliderAt("pick", 0.5f, true)},
        {"wait 100", {}, nullptr},
        {"move 700 200", {}, SliderAt("pick", 1, true)},
        {"wait 100", {}, nullptr},
        // The pointer carries the thumb to 500 before the press puts it down there.
        {"click 500 200", {}, SliderAt("pick", 0.75f, false)},
        {"save", {"saved"}, nullptr},
        {"move 300 200", {}, SliderAt("pick", 0.75f, false)},
        {"wait 100", {}, nullptr},
        {"drag 200 400 500 400", {}, SliderAt("drag", 0.75f, false)},
        {"wait 100", {}, SliderAt("pick", 0.75f, false)},
        {"drag 300 600 520 600", {}, SliderAt("spring", 0.8f, false)},
        // Half of the spring's half second: half way back to 0.25.
        {"wait 250", {}, SliderAt("spring", 0.525f, false)},
        {"wait 400", {}, SliderAt("spring", 0.25f, false)},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed sliders"}, nullptr},
    };
    PlayRoom("roomview/sliders.xml", steps);
}

TEST_F(MiniPuzzleRoomTest, Spinners) {
    const auto shown = [](int first, int second, bool locked) {
        return [=](TRoomHost& host) {
            EXPECT_EQ(Kind<TSpinnerObject>(host, "s1")->GetShownIndex(), first);
            EXPECT_EQ(Kind<TSpinnerObject>(host, "s2")->GetShownIndex(), second);
            EXPECT_EQ(Object(host, "door")->IsLocked(), locked);
        };
    };
    const std::vector<TStep> steps = {
        {"click s1", {}, shown(0, 0, true)},
        {"wait 300", {}, shown(2, 0, true)},
        {"click s1", {}, nullptr},
        {"wait 300", {}, shown(1, 0, true)},
        {"save", {"saved"}, nullptr},
        {"click s2", {}, shown(1, 0, true)},
        {"wait 300", {"unlock door"}, shown(1, 2, false)},
        {"click door", {}, [](TRoomHost& host) { EXPECT_TRUE(Object(host, "lock")->IsLocked()); }},
        {"wait 300", {"event complete", "completed spinners"}, nullptr},
    };
    PlayRoom("roomview/spinners.xml", steps);
}

TEST_F(MiniPuzzleRoomTest, Cycling) {
    const auto tiles = [](int first, int second, bool chest) {
        return [=](TRoomHost& host) {
            EXPECT_EQ(Kind<TChangeOnClickObject>(host, "t1")->mCurrent, first);
            EXPECT_EQ(Kind<TChangeOnClickObject>(host, "t2")->mCurrent, second);
            EXPECT_EQ(Object(host, "chest")->mVisible, chest);
        };
    };
    const auto lamps = [](int first, int second, bool locked) {
        return [=](TRoomHost& host) {
            EXPECT_EQ(Kind<TChangeOnActivateObject>(host, "l1")->mCurrent, first);
            EXPECT_EQ(Kind<TChangeOnActivateObject>(host, "l2")->mCurrent, second);
            EXPECT_EQ(Object(host, "door")->IsLocked(), locked);
        };
    };
    const auto echo = [](int index) {
        return [=](TRoomHost& host) {
            auto* echo = Kind<TSpinnerEchoObject>(host, "echo");
            ASSERT_NE(echo->mSpinner, nullptr);
            EXPECT_EQ(echo->mSpinner, Kind<TSpinnerObject>(host, "sp"));
            EXPECT_EQ(echo->mSpinner->mCurrent, index);
        };
    };
    const std::vector<TStep> steps = {
        {"click t1", {}, tiles(1, 2, false)},
        {"wait 300", {}, nullptr},
        {"click t1", {}, tiles(2, 2, false)},
        {"wait 300", {}, nullptr},
        {"click t2", {"show chest"}, tiles(2, 0, true)},
        {"wait 500", {}, lamps(0, 0, true)},
        {"save", {"saved"}, nullptr},
        {"click b1", {"activate l1"}, lamps(0, 0, true)},
        {"wait 500", {}, lamps(1, 0, true)},
        {"click b2", {"activate l2"}, lamps(1, 0, true)},
        {"wait 500", {"unlock door"}, lamps(1, 1, false)},
        {"click sp", {}, echo(2)},
        {"wait 300", {}, echo(2)},
        {"click door", {}, nullptr},
        {"wait 300", {"event complete", "completed cycling"}, nullptr},
    };
    PlayRoom("roomview/cycling.xml", steps);
}

TEST_F(MiniPuzzleRoomTest, Weights) {
    const auto at = [](int a, int b, bool locked) {
        return [=](TRoomHost& host) {
            auto* wa = Kind<TConjunctWeightObject>(host, "wa");
            auto* wb = Kind<TConjunctWeightObject>(host, "wb");
            EXPECT_EQ(wa->mCurrentPos, a);
            EXPECT_EQ(wb->mCurrentPos, b);
            EXPECT_FALSE(wa->IsMoving());
            EXPECT_FLOAT_EQ(wa->mY, 200.0f + 120.0f * static_cast<float>(a));
            EXPECT_FLOAT_EQ(wb->mY, 200.0f + 120.0f * static_cast<float>(b));
            EXPECT_EQ(Object(host, "door")->IsLocked(), locked);
        };
    };
    const auto plate = [](TRoomHost& host) {
        // Two 60-wide weights centred on the 240-wide plate at x 200, standing on its line at y 500.
        EXPECT_FLOAT_EQ(Object(host, "w1")->mX, 260);
        EXPECT_FLOAT_EQ(Object(host, "w2")->mX, 320);
        EXPECT_FLOAT_EQ(Object(host, "w1")->mY, 440);
        EXPECT_EQ(Object(host, "w1")->GetParent(), Object(host, "pan"));
    };
    const std::vector<TStep> steps = {
        {"wait 100", {}, plate},
        {"save", {"saved"}, nullptr},
        {"click 630 230", {}, nullptr},
        {"wait 300", {}, at(1, 0, true)},
        {"click 790 230", {}, nullptr},
        {"wait 300", {}, at(1, 1, true)},
        {"click 630 350", {}, nullptr},
        {"wait 300", {"unlock door"}, at(2, 2, false)},
        {"click door", {}, [](TRoomHost& host) { EXPECT_TRUE(Object(host, "wa")->IsLocked()); }},
        {"wait 300", {"event complete", "completed weights"}, nullptr},
    };
    PlayRoom("roomview/weights.xml", steps);
}

} // namespace
