// The mini-puzzle rooms played through the viewer's host: the sliding tiles solved by their action table,
// the scales tipped to their total, the combination lock set; each puzzle's reaction shows the object that
// completes the room, and a save and a restore into a fresh host in the middle give the same ending.

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "objects/object.h"
#include "objects/slide_rotator.h"
#include "objects/tag_object.h"
#include "objects/weight_system.h"
#include "room_table_fixture.h"

namespace {

using roomtable::Lines;
using roomtable::TStep;

// Plays the rooms' own action tables: every action goes to the host as it stands.
class MiniPuzzleRoomsTest : public roomtable::RoomTableTest {
protected:
    std::string Resolve(TRoomHost&, const std::string& action) override { return action; }

    // The room's own action table, each line a step that hears nothing unless the table below says so.
    static std::vector<TStep> ActionsOf(const std::string& room) {
        std::ifstream file(std::string(ROOMVIEW_ROOMS_DIR) + "/" + room + ".actions");
        std::vector<TStep> steps;
        std::string line;
        while (std::getline(file, line)) {
            // Pictures are the viewer's business, not the host's.
            if (!line.empty() && line[0] != '#' && line.rfind("shot ", 0) != 0) {
                steps.push_back({line, {}, nullptr});
            }
        }
        return steps;
    }

    static std::function<void(TRoomHost&)> Visible(const char* id, bool shown) {
        return [=](TRoomHost& host) { EXPECT_EQ(Object(host, id)->mVisible, shown) << id; };
    }
    // What the last step of that action hears and leaves.
    static void Expect(std::vector<TStep>& steps, const std::string& action, Lines heard,
                       std::function<void(TRoomHost&)> check = nullptr) {
        for (size_t i = steps.size(); i-- > 0;) {
            if (steps[i].action == action) {
                steps[i].heard = std::move(heard);
                steps[i].check = std::move(check);
                return;
            }
        }
        ADD_FAILURE() << "no step " << action;
    }
};

TEST_F(MiniPuzzleRoomsTest, SlidingTiles) {
    // The table was worked out from the board a fresh process shuffles.
    std::srand(1);
    std::vector<TStep> steps = ActionsOf("tiles");
    ASSERT_GT(steps.size(), 20u);
    Expect(steps, "click 950 270", {"unlock board", "hide lever"},
           [](TRoomHost& host) { EXPECT_FALSE(Object(host, "board")->IsLocked()); });
    Expect(steps, "save", {"saved"},
           [](TRoomHost& host) { EXPECT_FALSE(dynamic_cast<TTagObject*>(Object(host, "board"))->IsSolvedBoard()); });
    // The last slide ends: the board is won and shows the medal.
    const size_t last = steps.size() - 4;
    ASSERT_EQ(steps[last].action, "wait 100");
    steps[last].heard = {"show medal"};
    steps[last].check = [](TRoomHost& host) {
        EXPECT_TRUE(dynamic_cast<TTagObject*>(Object(host, "board"))->IsSolvedBoard());
        EXPECT_TRUE(Object(host, "medal")->mVisible);
    };
    Expect(steps, "wait 300", {"event complete", "completed tiles"});
    PlayRoom("roomview/tiles.xml", steps);
}

TEST_F(MiniPuzzleRoomsTest, Scales) {
    const auto beam = [](float degrees, bool solved) {
        return [=](TRoomHost& host) {
            auto* scales = dynamic_cast<TWeightSystemObject*>(Object(host, "scales"));
            EXPECT_NEAR(scales->mAngle * 57.29578f, degrees, 0.1f);
            EXPECT_EQ(scales->IsSolved(), solved);
        };
    };
    const auto on = [](const char* id, const char* holder) {
        return [=](TRoomHost& host) { EXPECT_EQ(Object(host, id)->GetParent(), Object(host, holder)); };
    };
    std::vector<TStep> steps = ActionsOf("scales");
    Expect(steps, "click 490 640", {"given apple"}, on("apple", "shelf"));
    Expect(steps, "save", {"saved"});
    Expect(steps, "take apple", {"holds apple"});
    Expect(steps, "click 523 312", {}, on("apple", "left"));
    // Only the left pan carries weight: the beam swings fully left.
    Expect(steps, "wait 500", {}, beam(-20, false));
    Expect(steps, "click 690 640", {"given pear"});
    Expect(steps, "take pear", {"holds pear"});
    Expect(steps, "click 949 236", {}, on("pear", "right"));
    // 10 against 20 of at most 45: the beam rests 20 x 10 / 45 degrees right, the total 30 solves it.
    Expect(steps, "wait 1500", {"show ribbon", "applied  scales"}, beam(20.0f * 10 / 45, true));
    Expect(steps, "wait 300", {"event complete", "completed scales"});
    PlayRoom("roomview/scales.xml", steps);
}

TEST_F(MiniPuzzleRoomsTest, CombinationLock) {
    const auto wheels = [](int a, int b, int c) {
        return [=](TRoomHost& host) {
            const int expected[] = {a, b, c};
            for (int i = 0; i < 3; ++i) {
                auto* wheel = dynamic_cast<TSlideImageRotator*>(Object(host, "wheel" + std::to_string(i + 1)));
                EXPECT_EQ(wheel->mCurrent, expected[i]) << i;
            }
        };
    };
    std::vector<TStep> steps = ActionsOf("locks");
    Expect(steps, "save", {"saved"}, wheels(2, 0, 0));
    // The last wheel turns to its digit: the key when its slide ends, the gem half a second later.
    Expect(steps, "wait 100", {}, wheels(2, 0, 1));
    Expect(steps, "wait 200", {"show key"}, Visible("gem", false));
    Expect(steps, "wait 600", {"show gem"}, Visible("gem", true));
    Expect(steps, "wait 300", {"event complete", "completed locks"});
    PlayRoom("roomview/locks.xml", steps);
}

} // namespace
