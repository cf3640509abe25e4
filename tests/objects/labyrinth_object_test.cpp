// The sliding-ball labyrinth: which clicks move the ball, how long it glides, when it is solved, and
// descriptions that do not fit their grid.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/labyrinth_object.h"

namespace {

using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TRecordingSpace;
using objtest::TXml;

using Strings = std::vector<std::string>;

// Cells of 10 x 10 from (100, 50); (0, 2) is blocked; the end is (0, 3).
constexpr const char* kMaze = R"(<scene>
    <object type="labyrinth_object" id="maze" x="100" y="50" w="40" h="20" cob="1" rows="2" cols="4" ballobj="ball"
            vae="gate" hint="blocked_hint,other">
        <rect width="10" height="10"/>
        <map_desc start_i="0" start_j="0" end_i="0" end_j="3">
            <map row="0 0 1 0"/>
            <map row="0 0 0 0"/>
        </map_desc>
        <object id="ball" w="4" h="4"/>
    </object></scene>)";

class LabyrinthTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        TObjectFactory::CreateInstance();
    }

    TLabyrinthObject* Build(const char* scene = kMaze) {
        TXml xml(scene);
        mSpace.LoadObjectsFromXml(xml.Root(), "");
        auto* maze = dynamic_cast<TLabyrinthObject*>(mSpace.mObjects.back().get());
        EXPECT_NE(maze, nullptr);
        maze->SetListener(&mListener);
        mSpace.Show();
        return maze;
    }

    // Presses the middle of cell (i, j) of the maze at (100, 50).
    static bool Click(TLabyrinthObject& maze, int i, int j, int buttons = 1) {
        TMouseEvent event = At(105 + 10 * j, 55 + 10 * i);
        event.buttons = buttons;
        return maze.OnMouseDown(event);
    }

    static void Run(TLabyrinthObject& maze, float seconds) { objtest::Advance(maze, seconds); }

    Strings Sounds() { return mSpace.mSounds.Take(); }

    TRecordingSpace mSpace;
    TRecordingListener mListener;
};

TEST_F(LabyrinthTest, BallGlidesAlongFreeRowsAndColumns) {
    TLabyrinthObject* maze = Build();
    TObject* ball = maze->GetBall();
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(ball->mX, 105.0f);
    EXPECT_EQ(ball->mY, 55.0f);

    EXPECT_TRUE(Click(*maze, 0, 1));
    EXPECT_EQ(Sounds(), (Strings{"move"}));
    EXPECT_TRUE(ball->IsActive());
    Run(*maze, 0.05f);
    EXPECT_NEAR(ball->mX, 110.0f, 1.0f);
    Run(*maze, 0.051f);
    EXPECT_EQ(ball->mX, 115.0f);
    EXPECT_FALSE(ball->IsActive());

    // Three cells take 0.3 s.
    Click(*maze, 1, 1);
    Run(*maze, 0.11f);
    Click(*maze, 1, 0);
    Run(*maze, 0.11f);
    Click(*maze, 1, 3);
    Run(*maze, 0.25f);
    EXPECT_LT(ball->mX, 135.0f);
    Run(*maze, 0.06f);
    EXPECT_EQ(ball->mX, 135.0f);
    EXPECT_EQ(ball->mY, 65.0f);
}

TEST_F(LabyrinthTest, BlockedClicks) {
    TLabyrinthObject* maze = Build();
    struct Case {
        const char* what;
        int i, j;
    };
    const Case cases[] = {
        {"beyond a blocked cell", 0, 3},
        {"onto a blocked cell", 0, 2},
        {"the ball's own cell", 0, 0},
        {"a diagonal cell", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(Click(*maze, c.i, c.j));
        EXPECT_EQ(Sounds(), (Strings{"need_tool"}));
        EXPECT_EQ(maze->GetStatusHint(), "blocked_hint");
        Run(*maze, 0.2f);
        EXPECT_EQ(maze->GetBall()->mX, 105.0f);
    }
    Click(*maze, 1, 0);
    EXPECT_EQ(maze->GetStatusHint(), "");
}

TEST_F(LabyrinthTest, OtherButtonsAndLocks) {
    TLabyrinthObject* maze = Build();
    EXPECT_TRUE(Click(*maze, 0, 1, 2));
    EXPECT_TRUE(Sounds().empty());
    EXPECT_EQ(maze->mClickCounter, 0);
    maze->Lock();
    EXPECT_FALSE(Click(*maze, 0, 1));
    EXPECT_EQ(maze->mClickCounter, 0);
    Run(*maze, 0.2f);
    EXPECT_EQ(maze->GetBall()->mX, 105.0f);
}

TEST_F(LabyrinthTest, SolvedOnTheFirstArrivalOnly) {
    TLabyrinthObject* maze = Build();
    const std::pair<int, int> route[] = {{1, 0}, {1, 3}, {0, 3}, {1, 3}, {0, 3}};
    for (const auto& [i, j] : route) {
        Click(*maze, i, j);
        Run(*maze, 0.4f);
    }
    EXPECT_TRUE(maze->IsSolved());
    Strings reports;
    for (const std::string& call : mListener.Take()) {
        if (call.rfind("show", 0) == 0) {
            reports.push_back(call);
        }
    }
    EXPECT_EQ(reports, (Strings{"show //gate"}));

    TBaseBuffer record;
    maze->SaveState(record);
    EXPECT_EQ(record.GetSize(), 21 + 21);
}

TEST_F(LabyrinthTest, CellsStayWhereTheyWereLoaded) {
    TLabyrinthObject* maze = Build();
    maze->MoveBy(50, 0);
    Click(*maze, 0, 1);
    EXPECT_EQ(Sounds(), (Strings{"move"}));
}

TEST_F(LabyrinthTest, DescriptionsThatDoNotFitTheirGrid) {
    TLabyrinthObject* maze = Build(R"(<scene>
        <object type="labyrinth_object" id="odd" x="100" y="50" w="20" h="20" cob="1" rows="2" cols="2"
                ballobj="nothing">
            <rect width="10" height="10"/>
            <map_desc start_i="5" start_j="0" end_i="-1" end_j="9">
                <map row="0 1 1 1 1"/><map row="1 0"/><map row="1 1"/>
            </map_desc>
        </object></scene>)");
    EXPECT_TRUE(harness::LogContains("labyrinth odd: start cell 5,0 outside its grid"));
    EXPECT_TRUE(harness::LogContains("labyrinth odd: end cell -1,9 outside its grid"));
    EXPECT_TRUE(harness::LogContains("labyrinth odd: map row 0 does not fit 2 x 2"));
    EXPECT_TRUE(harness::LogContains("labyrinth odd: map row 2 does not fit 2 x 2"));
    EXPECT_EQ(maze->mBallRow, 0);
    EXPECT_FALSE(maze->IsBlocked(0, 0));
    EXPECT_TRUE(maze->IsBlocked(0, 1));
    EXPECT_TRUE(maze->IsBlocked(1, 0));
    EXPECT_FALSE(maze->IsBlocked(1, 1));
    // Without a ball the clicks are judged all the same, and nothing is ever solved.
    EXPECT_TRUE(Click(*maze, 1, 0));
    EXPECT_EQ(Sounds(), (Strings{"need_tool"}));
    EXPECT_FALSE(maze->CanMoveTo(5, 0));
    EXPECT_FALSE(maze->CanMoveTo(-1, 0));
    maze->MoveBallTo(9, 9);
    EXPECT_EQ(maze->mBallRow, 0);
    Run(*maze, 0.5f);
    EXPECT_FALSE(maze->IsSolved());

    Build(R"(<scene><object type="labyrinth_object" id="huge" rows="1000" cols="1000"/></scene>)");
    EXPECT_TRUE(harness::LogContains("labyrinth huge: 1000 x 1000 cells refused"));

    // Cells so large the grid reaches past 2^29 pixels would overflow int: the cell size is refused, and the
    // cells collapse onto the grid's corner.
    TLabyrinthObject* wide = Build(R"(<scene>
        <object type="labyrinth_object" id="wide" x="10" y="20" rows="2" cols="3">
            <rect width="2147483647" height="5"/></object></scene>)");
    EXPECT_TRUE(harness::LogContains("labyrinth wide: cells of 2147483647 x 5 refused"));
    ASSERT_EQ(wide->mCells.size(), 6u);
    EXPECT_EQ(wide->mCells[5].x, 10);
    EXPECT_EQ(wide->mCells[5].y, 20);
    EXPECT_EQ(wide->mCells[5].w, 0);
    // The widest grid within reach keeps its cells.
    TLabyrinthObject* reach = Build(R"(<scene>
        <object type="labyrinth_object" id="reach" x="10" y="20" rows="1" cols="2">
            <rect width="268435456" height="5"/></object></scene>)");
    ASSERT_EQ(reach->mCells.size(), 2u);
    EXPECT_EQ(reach->mCells[1].x, 10 + 268435456);
}

} // namespace
