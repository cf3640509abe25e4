// Movers along spline paths and straight lines, the trajectory animation, and the effect list.

#include <cmath>
#include <filesystem>
#include <tinyxml.h>
#include <vector>

#include "graphics/move_obj.h"
#include "graphics/objects_manager.h"
#include "graphics_fixture.h"
#include "path_file.h"

namespace {

// A path through points {x, y, segment length}, with lengths as a file would store them.
TSplinePath PathThrough(const std::vector<std::vector<float>>& points) {
    TSplinePath path;
    for (const std::vector<float>& p : points) {
        TSplinePoint point;
        point.x = static_cast<int32_t>(p[0]);
        point.y = static_cast<int32_t>(p[1]);
        point.length = p[2];
        path.mPoints.push_back(point);
    }
    path.ComputeLength();
    return path;
}

struct FinishCounter : TMoveObjListener {
    int calls = 0;
    void OnMoveFinished(MoveObj_t*) override { ++calls; }
};

TEST(MoveObjTest, MovesAlongThePathAtItsSpeed) {
    TSplinePath twoPoints = PathThrough({{0, 0, 100}, {100, 0, 0}});
    MoveObj_t mover(100, &twoPoints);
    mover.mFixedAngle = false;
    mover.Update(0.5f);
    EXPECT_NEAR(mover.GetX(), 50, 1e-3);
    EXPECT_NEAR(mover.GetY(), 0, 1e-3);
    // Along +x the direction is atan2(10, 0) + pi.
    EXPECT_NEAR(mover.mAngle, 4.712389f, 1e-4);
    EXPECT_FALSE(mover.IsDone());
}

TEST(MoveObjTest, FinishesPastTheEndAndReportsEveryUpdate) {
    TSplinePath path = PathThrough({{0, 0, 100}, {100, 0, 150}, {100, 150, 0}});
    FinishCounter counter;
    MoveObj_t mover(100, &path);
    mover.mListener = &counter;
    struct Step {
        float dt;
        bool done;
        float x, y;
        int calls;
    };
    // 250 units at 100 per second: done after 2.5 s, resting on the last point. At 2 s the mover is 50 into
    // the 150 of the second segment: t = 2/3 on its cubics x = 100 + 50t - 75t^2 + 25t^3 and
    // y = 75t + 112.5t^2 - 37.5t^3 (the natural spline through x 0, 100, 100 and y 0, 0, 150).
    for (const Step& s : std::vector<Step>{{1, false, 100, 0, 0},
                                           {1, false, 107.407f, 88.889f, 0},
                                           {0.5f, false, 100, 150, 0},
                                           {0.25f, true, 100, 150, 1},
                                           {0.25f, true, 100, 150, 2}}) {
        EXPECT_EQ(mover.Update(s.dt), s.done);
        EXPECT_NEAR(mover.GetX(), s.x, 2e-3);
        EXPECT_NEAR(mover.GetY(), s.y, 2e-3);
        EXPECT_EQ(counter.calls, s.calls);
    }
    mover.Restart();
    EXPECT_FALSE(mover.IsDone());
    EXPECT_FLOAT_EQ(mover.GetX(), 0);
}

TEST(MoveObjTest, ScaleFollowsThePointScales) {
    TSplinePath path = PathThrough({{0, 0, 100}, {100, 0, 0}});
    path.mPoints[0].scale = 1;
    path.mPoints[1].scale = 2;
    path.mPoints[0].scaleFactor = 0.5f;
    MoveObj_t mover(100, &path);
    mover.Update(0.5f);
    EXPECT_FLOAT_EQ(mover.GetScaleX(), 1.25f);
    EXPECT_FLOAT_EQ(mover.GetScaleY(), 1.25f);
}

TEST(MoveObjTest, DegeneratePathsNeverGiveNaN) {
    TSplinePath zeroLength = PathThrough({{5, 5, 0}, {5, 5, 0}});
    TSplinePath single = PathThrough({{7, 0, 0}});
    TSplinePath empty;
    struct Case {
        const char* what;
        TSplinePath* path;
        float speed;
        float x, y;
        bool done;
    };
    for (const Case& c : std::vector<Case>{{"zero-length segment", &zeroLength, 0, 5, 5, false},
                                           {"zero-length segment, moving", &zeroLength, 10, 5, 5, true},
                                           {"one point", &single, 10, 7, 0, true},
                                           {"no points", &empty, 10, 0, 0, true},
                                           {"no path", nullptr, 10, 0, 0, false}}) {
        SCOPED_TRACE(c.what);
        MoveObj_t mover(c.speed, c.path);
        mover.mFixedAngle = false;
        for (int i = 0; i < 3; ++i) {
            mover.Update(0.5f);
        }
        EXPECT_FLOAT_EQ(mover.GetX(), c.x);
        EXPECT_FLOAT_EQ(mover.GetY(), c.y);
        EXPECT_FALSE(std::isnan(mover.mAngle));
        EXPECT_FALSE(std::isnan(mover.GetScaleX()));
        EXPECT_EQ(mover.IsDone(), c.done);
    }
}

class TrajectoryTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        // "line": (0, 0) to (100, 0), 100 long.
        const TSplinePoint start{0, 0, 1, 0, 1, 1, 100};
        const TSplinePoint end{100, 0, 1, 0, 1, 1, 0};
        ASSERT_TRUE(harness::WriteFile(Root() + "/assets/trajectories.dat",
                                       TPathFile().Count(1).Path("line", {start, end}).Bytes()));
        ASSERT_TRUE(GetGlobalPathSet().Load("trajectories.dat"));
        WriteImage("fx/bird.png", 8, 4, [](int x, int) { return x < 4 ? kRed : kGreen; });
    }
    void TearDown() override {
        GetGlobalPathSet().Clear();
        GraphicsTest::TearDown();
    }
    void Load(TrajectoryMoverCadrImage2& mover, const char* xml) {
        TiXmlDocument document;
        document.Parse(xml);
        ASSERT_FALSE(document.Error());
        mover.LoadFromXml(document.RootElement());
    }
};

TEST_F(TrajectoryTest, StripRunsThePathAndRestartsAfterItsPause) {
    TrajectoryMoverCadrImage2 mover;
    Load(mover, R"(<object tr="line" movetime="50" filename="fx/bird" frames="2" speed="0.5" cadrw="4" cadrh="4"
                   startagaintime="2" enablerotate="0" id="7" offy="10"/>)");
    EXPECT_TRUE(mover.mUsesStrip);
    EXPECT_EQ(mover.mId, 7);
    EXPECT_TRUE(mover.mStrip.mPlaying) << "active by default";
    struct Step {
        float dt;
        bool finished;
        float x; // of the strip's image; below 0: not checked
    };
    // 100 units at 50 per second: the end after 2 s, past it after 2.5 s; the restart 2 s after that.
    const std::vector<Step> steps = {{1, false, 50}, {1, false, 100}, {0.5f, true, 100},
                                     {1, true, 100}, {1, true, -1},   {0.5f, false, 25}};
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(mover.Update(steps[i].dt), steps[i].finished) << "update " << i;
        if (steps[i].x >= 0) {
            EXPECT_FLOAT_EQ(mover.mStrip.mImage.mBaseX, steps[i].x) << "update " << i;
            EXPECT_FLOAT_EQ(mover.mStrip.mImage.mBaseY, 10) << "update " << i;
        }
    }
    EXPECT_TRUE(mover.mStrip.mImage.mCentred);
}

TEST_F(TrajectoryTest, WithoutPauseItStaysAtTheEnd) {
    TrajectoryMoverCadrImage2 mover;
    Load(mover, R"(<object tr="line" movetime="100"><item name="fx/bird" x="0" y="0"/></object>)");
    EXPECT_FALSE(mover.mUsesStrip);
    for (int i = 0; i < 5; ++i) {
        mover.Update(1.0f);
    }
    EXPECT_TRUE(mover.mMover.IsDone());
    EXPECT_FLOAT_EQ(mover.mKeyFrames.GetX(), 100);
    // Turning along the path: the key frames get the added angle minus the path's direction.
    EXPECT_NEAR(mover.mKeyFrames.mAngle, -4.712389f, 1e-4);
}

TEST_F(TrajectoryTest, UnknownPathStaysPutWithOneLogLine) {
    TrajectoryMoverCadrImage2 mover;
    Load(mover, R"(<object tr="nowhere" movetime="100" filename="fx/bird" frames="2" speed="0.5" cadrw="4"
                   cadrh="4"/>)");
    mover.SetPosition(20, 24, false);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(mover.Update(1.0f));
    }
    EXPECT_FLOAT_EQ(mover.mStrip.mImage.mBaseX, 20);
    EXPECT_FLOAT_EQ(mover.mStrip.mImage.mBaseY, 24);
    int lines = 0;
    for (const std::string& line : harness::LogLines()) {
        lines += line == "trajectory not found nowhere" ? 1 : 0;
    }
    EXPECT_EQ(lines, 1);
    BeginCanvas();
    mover.Draw(1.0f);
    // The strip turns about its frame's middle, so the 4 x 4 frame is drawn with its middle on the point.
    ExpectPixels({{18, 22, kRedPixel}, {21, 25, kRedPixel}, {17, 22, kBlack}, {22, 24, kBlack}, {20, 26, kBlack}});
}

TEST_F(TrajectoryTest, ImageAlongALine) {
    struct Listener : TImageLineMovingListener {
        int calls = 0;
        void OnLineMoveFinished(TImageLineMoving*) override { ++calls; }
    };
    Listener listener;
    StaticImage image;
    image.SetImage("fx/bird");
    TImageLineMoving line(image, 0, 0, 20, 10, 1.0f);
    line.mListener = &listener;
    EXPECT_FALSE(line.Update(0.5f));
    BeginCanvas();
    line.Draw(1.0f);
    ExpectPixels({{10, 5, kRedPixel}, {14, 5, kGreenPixel}, {9, 5, kBlack}});
    EXPECT_TRUE(line.Update(0.5f));
    EXPECT_TRUE(line.IsFinished());
    EXPECT_TRUE(line.Update(0.5f));
    EXPECT_EQ(listener.calls, 2);
    EXPECT_FLOAT_EQ(line.mImage.mBaseX, 20);
}

// An effect that finishes after a number of updates and counts its deaths.
class Effect : public DrawObject {
public:
    Effect(int updates, int* deaths, std::vector<std::string>* log = nullptr, const char* name = "")
        : mUpdatesLeft(updates), mDeaths(deaths), mLog(log) {
        mName = name;
    }
    ~Effect() override { ++*mDeaths; }
    bool Update(float) override {
        if (mLog != nullptr) {
            mLog->push_back("update " + mName);
        }
        mFinished = --mUpdatesLeft <= 0;
        return mFinished;
    }
    void Draw(float) override {
        if (mLog != nullptr) {
            mLog->push_back("draw " + mName);
        }
    }

private:
    int mUpdatesLeft;
    int* mDeaths;
    std::vector<std::string>* mLog;
};

struct ManagerLog : ObjectsManagerListener {
    std::vector<std::string>* log;
    explicit ManagerLog(std::vector<std::string>* target) : log(target) {}
    void OnObjectAdded(DrawObject* o) override { log->push_back("added " + o->mName); }
    void OnObjectRemoved(DrawObject* o) override { log->push_back("removed " + o->mName); }
    void OnObjectsEmpty(ObjectsManager*) override { log->push_back("empty"); }
};

TEST(ObjectsManagerTest, DelaysUpdatesAndDeletion) {
    std::vector<std::string> log;
    ManagerLog listener(&log);
    int deaths = 0;
    {
        ObjectsManager manager;
        manager.mDeleteFinished = true;
        manager.mListener = &listener;
        manager.Add(0, new Effect(2, &deaths, &log, "a"));
        manager.Add(1.0f, new Effect(1, &deaths, &log, "b"));
        manager.Add(0, new Effect(2, &deaths, &log, "c"));
        const std::vector<std::vector<std::string>> frames = {
            // b waits its second: neither updated nor drawn.
            {"update a", "update c", "draw a", "draw c"},
            // a and c finish in the same update: both go, each announced.
            {"update a", "removed a", "update c", "removed c", "draw b"},
            // b's delay is over: its first update finishes it, and the list is empty.
            {"update b", "removed b", "empty"},
        };
        for (size_t f = 0; f < frames.size(); ++f) {
            log.clear();
            manager.Update(0.5f);
            manager.Draw();
            EXPECT_EQ(log, frames[f]) << "frame " << f;
        }
        EXPECT_EQ(deaths, 3);
        EXPECT_EQ(manager.GetCount(), 0u);
    }
    EXPECT_EQ(deaths, 3);
}

TEST(ObjectsManagerTest, RemoveFindAndOwnership) {
    std::vector<std::string> log;
    ManagerLog listener(&log);
    int deaths = 0;
    auto* kept = new Effect(1, &deaths, nullptr, "twin");
    {
        ObjectsManager manager; // delete finished not set: finished objects stay
        manager.mListener = &listener;
        manager.Add(0, kept);
        manager.Add(0, new Effect(1, &deaths, nullptr, "twin"));
        manager.Add(0.5f, new Effect(1, &deaths, nullptr, "other"));
        EXPECT_EQ(manager.FindByName("twin"), kept) << "the first of two";
        EXPECT_EQ(manager.FindByName("none"), nullptr);
        manager.Update(1);
        EXPECT_EQ(manager.GetCount(), 3u);
        log.clear();
        int stranger = 0;
        Effect outside(1, &stranger);
        EXPECT_FALSE(manager.Remove(&outside));
        EXPECT_TRUE(log.empty());
        EXPECT_TRUE(manager.Remove(kept));
        EXPECT_EQ(log, (std::vector<std::string>{"removed twin"}));
        EXPECT_EQ(deaths, 0) << "a removed object goes back to the caller";
    }
    EXPECT_EQ(deaths, 2) << "the manager deletes what it still owns";
    delete kept;
    EXPECT_EQ(deaths, 3);

    ObjectsManager cleared;
    cleared.mListener = &listener;
    cleared.Add(0, new Effect(1, &deaths));
    log.clear();
    cleared.Clear();
    EXPECT_EQ(deaths, 4);
    EXPECT_TRUE(log.empty()) << "Clear calls no listener";
}

} // namespace
