// The mini-puzzle rooms played through the viewer's host: the sliding tiles solved by their action table,
// the scales tipped to their total (a weight put on after a save goes back to its shelf with the restore),
// the combination lock set; each puzzle's reaction shows the object that completes the room, and a save
// and a restore into a fresh host in the middle give the same ending.

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
        return [=](TRoomHost& host) { EXPECT_EQ(Object(host, id)->GetParent(), Object(host, holder)) << id; };
    };
    const auto both = [](std::function<void(TRoomHost&)> a, std::function<void(TRoomHost&)> b) {
        return [=](TRoomHost& host) {
            a(host);
            b(host);
        };
    };
    const auto plumLoaded = [](TRoomHost& host) {
        EXPECT_EQ(Object(host, "plum")->mX, 300);
        EXPECT_EQ(Object(host, "plum")->mY, 530);
    };
    std::vector<TStep> steps = ActionsOf("scales");
    // The right pan is pressed twice at one point: by the plum before the restore and by the pear after it.
    const std::pair<std::string, TStep> table[] = {
        {"click 490 640", {"", {"given apple"}, on("apple", "shelf")}},
        {"take apple", {"", {"holds apple"}, nullptr}},
        {"click 523 312", {"", {}, on("apple", "left")}},
        // Only the left pan carries weight: the beam swings fully left.
        {"wait 500", {"", {}, beam(-20, false)}},
        {"save", {"", {"saved"}, nullptr}},
        {"click 890 625", {"", {"given plum"}, nullptr}},
        {"take plum", {"", {"holds plum"}, nullptr}},
        {"click 949 236", {"", {}, on("plum", "right")}},
        // 10 against 5 turns the beam back toward -20 x 5 / 45 degrees; half a second is not enough.
        {"wait 500",
         {"",
          {},
          [](TRoomHost& host) {
              auto* scales = dynamic_cast<TWeightSystemObject*>(Object(host, "scales"));
              EXPECT_GT(scales->mAngle * 57.29578f, -19);
              EXPECT_LT(scales->mAngle * 57.29578f, -3);
              EXPECT_FALSE(scales->mBeam.finished);
              EXPECT_FALSE(scales->IsSolved());
          }}},
        // Back as saved: the plum on the shelf where it was loaded, the apple on its pan, the beam resting fully
        // left.
        {"restore",
         {"", {"restored"}, both(both(on("plum", "shelf"), on("apple", "left")), both(beam(-20, false), plumLoaded))}},
        {"click 690 640", {"", {"given pear"}, on("pear", "shelf")}},
        {"take pear", {"", {"holds pear"}, nullptr}},
        {"click 949 236", {"", {}, both(on("pear", "right"), on("plum", "shelf"))}},
        // 10 against 20 of at most 45: the beam rests 20 x 10 / 45 degrees right, the total 30 solves it.
        {"wait 1500", {"", {"show ribbon", "applied  scales"}, beam(20.0f * 10 / 45, true)}},
        {"wait 300", {"", {"event complete", "completed scales"}, nullptr}},
    };
    // Each entry fills the first step of its action after the one the entry before it filled.
    size_t next = 0;
    for (const auto& [action, expected] : table) {
        while (next < steps.size() && steps[next].action != action) {
            ++next;
        }
        ASSERT_LT(next, steps.size()) << "no step " << action;
        steps[next].heard = expected.heard;
        steps[next].check = expected.check;
        ++next;
    }
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
