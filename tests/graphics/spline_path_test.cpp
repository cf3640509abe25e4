// Spline paths: the "trajectories.dat" layout, damaged files, the spline solver, arcs, loops and origins.

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

#include "app/app_config.h"
#include "graphics/spline_path.h"
#include "graphics_fixture.h"
#include "path_file.h"

namespace {

class SplinePathTest : public DataRootTest {
protected:
    void TearDown() override {
        GetGlobalPathSet().Clear();
        DataRootTest::TearDown();
    }
    void WritePaths(const std::string& bytes) {
        ASSERT_TRUE(harness::WriteFile(Root() + "/assets/trajectories.dat", bytes));
    }
};

TEST_F(SplinePathTest, FileLayoutAndLookupByName) {
    TSplinePoint a{0, 0, 1, 0, 1, 1, 10};
    TSplinePoint b{30, 40, 2, 0.5f, 1, 1, 20};
    TSplinePoint c{60, 0, 1, 0, 1, 1, 99};
    WritePaths(TPathFile()
                   .Count(4)
                   .Path("swoop", {a, b, c})
                   .Path("exactly20characters!", {a})
                   .Path("swoop", {c, a})
                   .Path("", {})
                   .Bytes());
    TSplinePathSet& set = GetGlobalPathSet();
    ASSERT_TRUE(set.Load("trajectories.dat"));
    ASSERT_EQ(set.GetCount(), 4u);

    TSplinePath* swoop = FindSplinePath("swoop");
    ASSERT_NE(swoop, nullptr);
    EXPECT_EQ(swoop, set.GetPath(0)) << "the first of two paths with the name";
    ASSERT_EQ(swoop->GetPointCount(), 3);
    EXPECT_EQ(swoop->mPoints[1].x, 30);
    EXPECT_EQ(swoop->mPoints[1].y, 40);
    EXPECT_FLOAT_EQ(swoop->mPoints[1].scale, 2);
    EXPECT_FLOAT_EQ(swoop->mPoints[1].angle, 0.5f);
    EXPECT_FLOAT_EQ(swoop->mTotalLength, 30) << "the last point's length is not counted";
    EXPECT_FLOAT_EQ(swoop->mPoints[2].length, 99) << "stored lengths are kept as they are";

    EXPECT_NE(FindSplinePath("exactly20characters!"), nullptr) << "a full name field has no NUL";
    EXPECT_FLOAT_EQ(set.GetPath(1)->mTotalLength, 0);
    EXPECT_EQ(set.GetPath(3)->GetPointCount(), 0);
    for (const char* other : {"Swoop", "swoo", "swoop ", "nothing"}) {
        EXPECT_EQ(FindSplinePath(other), nullptr) << other;
    }
}

TEST_F(SplinePathTest, EmptyAndMissingFiles) {
    WritePaths(TPathFile().Count(0).Bytes());
    EXPECT_TRUE(GetGlobalPathSet().Load("trajectories.dat"));
    EXPECT_EQ(GetGlobalPathSet().GetCount(), 0u);
    EXPECT_EQ(FindSplinePath(""), nullptr);

    GetGlobalPathSet().AddEllipse(0, 0, 10, 0, 5);
    EXPECT_FALSE(GetGlobalPathSet().Load("absent.dat"));
    EXPECT_EQ(GetGlobalPathSet().GetCount(), 1u) << "a file that cannot be read leaves the set as it was";
}

// Counts beyond the file keep the paths read whole before the damage and allocate nothing for the rest.
TEST_F(SplinePathTest, DamagedFilesKeepTheWholePaths) {
    const TSplinePoint p{1, 2, 1, 0, 1, 1, 5};
    struct Case {
        const char* what;
        std::string bytes;
        uint32_t kept;
    };
    const std::string good = TPathFile().Path("good", {p, p}).Bytes();
    const std::vector<Case> cases = {
        {"path count far beyond the file", TPathFile().Count(0xFFFFFFFFu).Bytes() + good, 1},
        {"point count far beyond the file",
         TPathFile().Count(2).Bytes() + good + TPathFile().Int(0x7FFFFFFF).Name("huge").Point(p).Bytes(), 1},
        {"negative point count", TPathFile().Count(2).Bytes() + good + TPathFile().Int(-4).Name("neg").Bytes(), 1},
        {"cut inside a point",
         (TPathFile().Count(2).Bytes() + good + TPathFile().Path("cut", {p, p}).Bytes())
             .substr(0, 4 + good.size() + 24 + 40),
         1},
        {"cut inside a name", TPathFile().Count(1).Bytes() + good.substr(0, 10), 0},
        {"shorter than a count", std::string("\x01\x00", 2), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WritePaths(c.bytes);
        EXPECT_FALSE(GetGlobalPathSet().Load("trajectories.dat"));
        EXPECT_EQ(GetGlobalPathSet().GetCount(), c.kept);
        if (c.kept > 0) {
            EXPECT_NE(FindSplinePath("good"), nullptr);
        }
        EXPECT_TRUE(harness::LogContains("trajectories.dat damaged"));
    }
}

TEST(SplineSolverTest, TwoPointsMakeAStraightLine) {
    const std::vector<TCubic> cubics = SolveNaturalCubicSpline(1, {0, 10});
    ASSERT_EQ(cubics.size(), 1u);
    EXPECT_FLOAT_EQ(cubics[0].a, 0);
    EXPECT_FLOAT_EQ(cubics[0].b, 10);
    EXPECT_NEAR(cubics[0].c, 0, 1e-5);
    EXPECT_NEAR(cubics[0].d, 0, 1e-5);
}

TEST(SplineSolverTest, SegmentsMeetTheirValuesSmoothly) {
    const std::vector<int32_t> values = {0, 10, -5, 20};
    const std::vector<TCubic> cubics = SolveNaturalCubicSpline(3, values);
    ASSERT_EQ(cubics.size(), 3u);
    for (size_t i = 0; i < cubics.size(); ++i) {
        EXPECT_NEAR(cubics[i].At(0), static_cast<float>(values[i]), 1e-4) << i;
        EXPECT_NEAR(cubics[i].At(1), static_cast<float>(values[i + 1]), 1e-4) << i;
    }
    for (size_t i = 0; i + 1 < cubics.size(); ++i) {
        // Slope and curvature agree where segments meet.
        EXPECT_NEAR(cubics[i].b + 2 * cubics[i].c + 3 * cubics[i].d, cubics[i + 1].b, 1e-3) << i;
        EXPECT_NEAR(2 * cubics[i].c + 6 * cubics[i].d, 2 * cubics[i + 1].c, 1e-3) << i;
    }
    // Natural ends: no curvature at either end.
    EXPECT_NEAR(cubics[0].c, 0, 1e-4);
    EXPECT_NEAR(2 * cubics[2].c + 6 * cubics[2].d, 0, 1e-3);
}

// A file may hold any int as a coordinate: the steps between the ends of the range are not wrapped.
TEST(SplineSolverTest, StepsAcrossTheWholeIntRange) {
    const std::vector<TCubic> cubics = SolveNaturalCubicSpline(2, {INT32_MIN, INT32_MAX, INT32_MIN});
    ASSERT_EQ(cubics.size(), 2u);
    const float range = 4294967295.0f;
    EXPECT_NEAR(cubics[0].At(1) - cubics[0].At(0), range, range * 1e-5f);
    EXPECT_NEAR(cubics[1].At(1) - cubics[1].At(0), -range, range * 1e-5f);
    EXPECT_GT(cubics[0].b, 0) << "the first segment rises";
}

TEST(SplineSolverTest, TooFewValuesGiveNoSpline) {
    EXPECT_TRUE(SolveNaturalCubicSpline(0, {5}).empty());
    EXPECT_TRUE(SolveNaturalCubicSpline(-1, {}).empty());
    EXPECT_TRUE(SolveNaturalCubicSpline(3, {1, 2}).empty());
}

TEST(CheckedArrayTest, ErrorsAreLoggedAndNeverLeaveTheArray) {
    TCheckedArray empty(0);
    empty[3] = 7; // reaches a scratch value, not memory outside the array
    EXPECT_EQ(empty.GetSize(), 0);
    TCheckedArray three(3);
    three[1] = 4;
    three[5] = 9;
    EXPECT_FLOAT_EQ(three[0], 9) << "an index outside reaches element 0";
    EXPECT_FLOAT_EQ(three[1], 4);
    const std::vector<std::string> lines = harness::LogLines();
    const std::string banner = "------------------------------------------ ARRAY ERROR "
                               "-------------------------------------------------- ";
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[lines.size() - 6], banner);
    EXPECT_EQ(lines[lines.size() - 5], "Array size error!");
    EXPECT_EQ(lines[lines.size() - 3], "Bounds error!");
    EXPECT_EQ(lines[lines.size() - 1], "Bounds error!");
}

TEST(SplinePathBuildTest, ArcsAndLoops) {
    struct Case {
        int x0, y0, x1, y1;
        float bulge;
        int midX, midY;
    };
    for (const Case& c :
         std::vector<Case>{{0, 0, 100, 0, 50, 50, 50}, {0, 0, 0, 100, 10, -10, 50}, {5, 5, 5, 5, 30, 5, 5}}) {
        SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1);
        std::unique_ptr<TSplinePath> arc = TSplinePath::CreateArc(c.x0, c.y0, c.x1, c.y1, c.bulge);
        ASSERT_EQ(arc->GetPointCount(), 3);
        EXPECT_TRUE(arc->mName.empty());
        EXPECT_EQ(arc->mPoints[1].x, c.midX);
        EXPECT_EQ(arc->mPoints[1].y, c.midY);
        EXPECT_FALSE(std::isnan(arc->mTotalLength));
    }
    // Through (0, 0), (50, 50), (100, 0) the first segment is x = 50u, y = 75u - 25u^3 (the second mirrors
    // it), whose length, the integral of sqrt(50^2 + (75 - 75u^2)^2) over 0..1, is 72.862.
    std::unique_ptr<TSplinePath> arc = TSplinePath::CreateArc(0, 0, 100, 0, 50);
    EXPECT_NEAR(arc->mPoints[0].length, 72.862, 0.01);
    EXPECT_NEAR(arc->mPoints[1].length, 72.862, 0.01);
    EXPECT_NEAR(arc->mTotalLength, 145.724, 0.02);
    std::unique_ptr<TSplinePath> point = TSplinePath::CreateArc(5, 5, 5, 5, 30);
    EXPECT_FLOAT_EQ(point->mTotalLength, 0) << "coincident ends make segments of no length";

    TSplinePathSet set;
    set.AddEllipse(1, 1, 2, 2, 0);
    TSplinePath* second = set.AddEllipse(3, 3, 4, 4, 0);
    TSplinePath* loop = set.AddEllipse(0, 0, 100, 0, 50);
    EXPECT_EQ(set.GetCount(), 3u);
    EXPECT_EQ(set.GetPath(1), second) << "earlier paths stay where they were";
    EXPECT_EQ(set.GetPath(2), loop);
    const int expected[5][2] = {{0, 0}, {50, 50}, {100, 0}, {50, -50}, {0, 0}};
    ASSERT_EQ(loop->GetPointCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(loop->mPoints[static_cast<size_t>(i)].x, expected[i][0]) << i;
        EXPECT_EQ(loop->mPoints[static_cast<size_t>(i)].y, expected[i][1]) << i;
    }
}

TEST(SplinePathBuildTest, SetOriginMovesTheCorner) {
    struct Case {
        std::vector<std::pair<int, int>> points;
        int x, y;
        std::vector<std::pair<int, int>> moved;
    };
    const std::vector<Case> cases = {
        {{{5, 7}, {15, 3}}, 10, 20, {{10, 24}, {20, 20}}},
        {{{2000000, 3000000}, {2000010, 3000005}}, 0, 0, {{0, 0}, {10, 5}}},
        {{}, 1, 1, {}},
        // Points that would pass the end of the int range stop there.
        {{{INT32_MIN, 0}, {INT32_MAX, INT32_MAX}}, 10, -5, {{10, -5}, {INT32_MAX, INT32_MAX - 5}}},
        {{{INT32_MAX, INT32_MAX}}, INT32_MIN, INT32_MIN, {{INT32_MIN, INT32_MIN}}},
    };
    for (const Case& c : cases) {
        TSplinePath path;
        for (auto [x, y] : c.points) {
            TSplinePoint point;
            point.x = x;
            point.y = y;
            point.length = 3;
            path.mPoints.push_back(point);
        }
        path.SetOrigin(c.x, c.y);
        ASSERT_EQ(path.mPoints.size(), c.moved.size());
        for (size_t i = 0; i < c.moved.size(); ++i) {
            EXPECT_EQ(path.mPoints[i].x, c.moved[i].first);
            EXPECT_EQ(path.mPoints[i].y, c.moved[i].second);
            EXPECT_FLOAT_EQ(path.mPoints[i].length, 3);
        }
    }
}

TEST(SplinePathBuildTest, ShortPathsHaveNoLength) {
    TSplinePath path;
    EXPECT_FLOAT_EQ(path.ComputeLength(), 0);
    path.ComputeSegmentLengths();
    path.mPoints.resize(1);
    path.mPoints[0].length = 8;
    path.ComputeSegmentLengths();
    EXPECT_FLOAT_EQ(path.ComputeLength(), 0);
    EXPECT_FLOAT_EQ(path.mPoints[0].length, 8);
}

} // namespace
