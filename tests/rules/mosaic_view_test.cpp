#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_test_util.h"
#include "rules/mosaic_board.h"

namespace {

using namespace boardtest;

struct ViewCheck {
    int colour; // chosen with restore before looking
    std::vector<std::string> shown;
    std::vector<std::string> player;
};

struct ViewCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<Action> actions;
    std::vector<ViewCheck> checks; // in order
};

TEST(MosaicView, EachColourSeesTheBoardItsOwnWay) {
    const ViewCase cases[] = {
        {"painted cells keep their colour; a ruled-out cell stays ruled out only for its colour",
         {"12", "21"},
         {LeftClick(0, 0), RightClick(0, 1)},
         {{1, {"1x", "x."}, {"1x", "x."}}, {2, {"1.", ".."}, {"1.", ".."}}, {1, {"1x", "x."}, {"1x", "x."}}}},
        {"a cross shows only in the view of the colour it was made with",
         {"12", "21"},
         {ChooseColour(2), LeftClick(0, 0)},
         {{2, {"#.", ".."}, {"#.", ".."}}, {1, {"..", ".."}, {"#.", ".."}}, {2, {"#.", ".."}, {"#.", ".."}}}},
        {"a line without the colour is ruled out, and so is all outside its box",
         {"1", "2", "1"},
         {},
         {{1, {".", "x", "."}, {".", "x", "."}}, {2, {"x", ".", "x"}, {"x", ".", "x"}}}},
        {"committed cells keep their value when a stroke redraws the view",
         {"111", "101"},
         {RightClick(1, 1), LeftClick(1, 0)},
         {{1, {"...", "1x."}, {"...", "1x."}}}},
        {"a colour without a record leaves the view alone",
         {"12", "21"},
         {LeftClick(0, 0)},
         {{5, {"1x", "x."}, {"1x", "x."}}}},
    };
    for (const ViewCase& c : cases) {
        SCOPED_TRACE(c.name);
        TMosaicBoard board;
        ASSERT_TRUE(board.Load(Layout(c.lines), false));
        for (const Action& action : c.actions) {
            Perform(board, action);
        }
        for (const ViewCheck& check : c.checks) {
            Perform(board, ChooseColour(check.colour));
            EXPECT_EQ(ShownGrid(board), check.shown) << "colour " << check.colour;
            EXPECT_EQ(PlayerGrid(board), check.player) << "colour " << check.colour;
        }
    }
}

} // namespace
