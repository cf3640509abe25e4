// Movers step through their positions, targets wobble around their place, arc movers run along an ellipse;
// each reports its after-events in order and resumes the same way after a save.

#include <cmath>

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/mover_objects.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using Strings = std::vector<std::string>;
using Point = std::pair<int, int>;

// Only the after-event reports ("unlock" lists name the event: a for 0, b for 1).
Strings Events(TRecordingListener& listener) {
    Strings events;
    for (const std::string& call : listener.Take()) {
        if (call.rfind("unlock", 0) == 0) {
            events.push_back(call.substr(9));
        }
    }
    return events;
}

Point At(const TObject& object) {
    return {static_cast<int>(std::lround(object.mX)), static_cast<int>(std::lround(object.mY))};
}

TEST_F(ObjectTest, MoverReadsPositionsTimesAndAnimType) {
    struct Case {
        const char* attributes;
        std::vector<Point> positions;
        std::vector<float> times;
        int animType;
    };
    const Case cases[] = {
        {R"(poss="10,20;30,40;50,60" time="2")", {{10, 20}, {30, 40}, {50, 60}}, {2, 2, 2}, 1},
        {R"(poss="10,20;30,40" time="1;0;3")", {{10, 20}, {30, 40}}, {1, 1, 3}, 1},
        {R"(poss="1,2;bad;3,4" animtype="looped")", {{1, 2}, {3, 4}}, {0, 0}, 1},
        {R"(poss="1,2" animtype="once")", {{1, 2}}, {0}, 0},
        {R"(x="7" time="1")", {}, {1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto mover = Load<TMoverObject>(std::string(R"(id="m" )") + c.attributes);
        EXPECT_EQ(mover->mPositions, c.positions);
        EXPECT_EQ(mover->mPositionCount, static_cast<int>(c.positions.size()));
        EXPECT_EQ(mover->mTimes, c.times);
        EXPECT_EQ(mover->mAnimType, c.animType);
        if (!c.positions.empty()) {
            EXPECT_EQ(At(*mover), c.positions[0]);
            EXPECT_EQ(mover->mCachedDrawX, c.positions[0].first);
        }
    }
    EXPECT_TRUE(harness::LogContains("mover m: position bad is not two numbers"));
    EXPECT_TRUE(harness::LogContains("mover m: no positions, it stays where it is"));
}

struct MoveStep {
    MoveStep(const char* a, float s, Point p, Strings e = {}) : action(a), seconds(s), at(p), events(std::move(e)) {}
    // "click", "activate", "wait <seconds>" or "save".
    const char* action;
    float seconds;
    Point at;
    Strings events;
};

template <typename T = TMoverObject>
void PlayMover(const std::string& attributes, const std::vector<MoveStep>& steps, bool saveAlso = true) {
    // The same sequence without the saves must end the same way.
    for (const bool withSaves : {false, true}) {
        if (withSaves && !saveAlso) {
            continue;
        }
        TRecordingListener listener;
        auto mover = Load<T>(attributes);
        mover->SetListener(&listener);
        for (size_t i = 0; i < steps.size(); ++i) {
            const MoveStep& step = steps[i];
            const std::string action = step.action;
            SCOPED_TRACE(attributes + (withSaves ? " with saves" : "") + ": step " + std::to_string(i) + " " + action);
            if (action == "save" && !withSaves) {
                continue;
            }
            if (action == "click") {
                mover->OnMouseDown(At(mover->mX + 1, mover->mY + 1));
            } else if (action == "activate") {
                mover->Activate(0, 0, 0);
            } else if (action == "wait") {
                Advance(*mover, step.seconds, 0.01f);
            } else {
                TBaseBuffer saved;
                mover->SaveState(saved);
                mover = Load<T>(attributes);
                mover->SetListener(&listener);
                ASSERT_TRUE(RestoreObjectState(*mover, saved));
            }
            // Within a pixel: a step ends in the update that reaches its time, not on it.
            EXPECT_NEAR(mover->mX, step.at.first, 1.5f);
            EXPECT_NEAR(mover->mY, step.at.second, 1.5f);
            EXPECT_EQ(Events(listener), step.events);
        }
    }
}

constexpr const char* kThree = R"(id="m" w="4" h="4" cob="1" poss="10,20;30,40;50,60" time="1" uae="a;b" )";

TEST_F(ObjectTest, MoverStepsOnClicks) {
    PlayMover(std::string(kThree), {
                                       {"click", 0, {10, 20}, {}},
                                       {"wait", 0.5f, {20, 30}},
                                       {"save", 0, {20, 30}},
                                       {"wait", 0.45f, {29, 39}},
                                       {"wait", 0.1f, {30, 40}, {"a"}},
                                       {"click", 0, {30, 40}},
                                       {"wait", 1.05f, {50, 60}, {"a", "b"}},
                                       // Looped: back to the first.
                                       {"click", 0, {50, 60}},
                                       {"wait", 0.5f, {30, 40}},
                                       {"save", 0, {30, 40}},
                                       {"wait", 0.55f, {10, 20}, {"a"}},
                                   });
}

TEST_F(ObjectTest, MoverRunsOnWithContinueSteps) {
    PlayMover(std::string(kThree) + R"(continuesteps="1" animtype="once")",
              {
                  {"activate", 0, {10, 20}},
                  {"wait", 1.05f, {30, 40}, {"a"}},
                  {"save", 0, {30, 40}},
                  {"wait", 1.0f, {50, 60}, {"a", "b"}},
                  // At the last position a step has nowhere to go.
                  {"wait", 2.0f, {50, 60}},
                  {"click", 0, {50, 60}},
                  {"wait", 2.0f, {50, 60}},
              });
}

TEST_F(ObjectTest, MoverWithoutTimesJumpsWithoutEvents) {
    PlayMover(R"(id="m" w="4" h="4" cob="1" poss="10,20;30,40" animtype="once" uae="a;b")",
              {
                  {"click", 0, {30, 40}},
                  {"click", 0, {30, 40}},
                  {"wait", 1.0f, {30, 40}},
              },
              false);
}

TEST_F(ObjectTest, MoverWithoutPositionsNeverSteps) {
    PlayMover(R"(id="m" x="5" y="6" w="4" h="4" cob="1" time="1" uae="a")", {
                                                                                {"click", 0, {5, 6}},
                                                                                {"activate", 0, {5, 6}},
                                                                                {"wait", 2.0f, {5, 6}},
                                                                                {"save", 0, {5, 6}},
                                                                                {"click", 0, {5, 6}},
                                                                            });
    auto mover = Load<TMoverObject>(R"(id="m" active="1")");
    EXPECT_FALSE(mover->IsActive());
}

TEST_F(ObjectTest, MoverRestoreRefusesIndicesPastItsPositions) {
    auto mover = Load<TMoverObject>(kThree);
    mover->mCurrentIndex = 7;
    TBaseBuffer saved;
    mover->SaveState(saved);
    auto restored = Load<TMoverObject>(kThree);
    restored->RestoreState(saved);
    EXPECT_EQ(restored->mCurrentIndex, 0);
    EXPECT_EQ(restored->mTargetIndex, 0);
    EXPECT_TRUE(restored->StartMove());
    EXPECT_EQ(restored->mTargetIndex, 1);
    EXPECT_TRUE(harness::LogContains("mover m: saved indices 7, 0 of 3 positions refused"));
}

TEST_F(ObjectTest, MoverPositionsFollowMoveBy) {
    auto mover = Load<TMoverObject>(kThree);
    mover->MoveBy(5, -5);
    EXPECT_EQ(mover->mPositions, (std::vector<Point>{{15, 15}, {35, 35}, {55, 55}}));
    EXPECT_EQ(mover->mCachedDrawX, 15);
}

TEST_F(ObjectTest, TargetIsSolvedNearItsPlaceOnly) {
    auto target = Load<TTargetObject>(R"(id="t" x="100" y="100" w="4" h="4" cob="1" maxradius="45")");
    EXPECT_EQ(target->mPositions,
              (std::vector<Point>{
                  {100, 100}, {145, 100}, {100, 100}, {55, 100}, {100, 100}, {100, 145}, {100, 100}, {100, 55}}));
    EXPECT_EQ(target->mTimes, std::vector<float>(8, 0.0f));
    const std::pair<Point, bool> visits[] = {{{145, 100}, false}, {{100, 100}, true},  {{55, 100}, false},
                                             {{100, 100}, true},  {{100, 145}, false}, {{100, 100}, true},
                                             {{100, 55}, false},  {{100, 100}, true}};
    for (const auto& [point, solved] : visits) {
        target->OnMouseDown(At(target->mX + 1, target->mY + 1));
        EXPECT_EQ(At(*target), point);
        EXPECT_EQ(target->IsSolved(), solved);
        EXPECT_EQ(target->mSolved, solved);
    }
    // Closer radii move the line between solved and not.
    auto near = Load<TTargetObject>(R"(x="100" y="100" maxradius="20" targetradius="20" time="0.5")");
    EXPECT_EQ(near->mTimes, std::vector<float>(8, 0.5f));
    near->SetPosition(120, 100, false);
    EXPECT_TRUE(near->IsSolved());
    near->SetPosition(121, 100, false);
    EXPECT_FALSE(near->IsSolved());
    // A reach past 2^29 pixels would overflow int beside the target: refused for the usual 45.
    for (const char* radius : {"2147483647", "-2147483648"}) {
        SCOPED_TRACE(radius);
        auto far = Load<TTargetObject>(std::string(R"(id="far" x="100" y="100" maxradius=")") + radius + "\"");
        EXPECT_TRUE(harness::LogContains(std::string("target far: max radius ") + radius + " refused, 45 used"));
        EXPECT_EQ(far->mPositions[1], (Point{145, 100}));
        EXPECT_EQ(far->mPositions[7], (Point{100, 55}));
    }
}

// ---- arc ----

struct ArcStep {
    const char* action;
    float seconds;
    Point at;
    int events;
};

void PlayArc(const std::string& attributes, const std::vector<ArcStep>& steps) {
    for (const bool withSaves : {false, true}) {
        TRecordingListener listener;
        auto arc = Load<TArcMoverObject>(attributes);
        arc->SetListener(&listener);
        for (size_t i = 0; i < steps.size(); ++i) {
            const std::string action = steps[i].action;
            SCOPED_TRACE(attributes + (withSaves ? " with saves" : "") + ": step " + std::to_string(i) + " " + action);
            if (action == "activate") {
                arc->Activate(0, 0, 0);
            } else if (action == "wait") {
                Advance(*arc, steps[i].seconds, 0.001f);
            } else if (withSaves) {
                TBaseBuffer saved;
                arc->SaveState(saved);
                arc = Load<TArcMoverObject>(attributes);
                arc->SetListener(&listener);
                ASSERT_TRUE(RestoreObjectState(*arc, saved));
            }
            const Point at = steps[i].at;
            EXPECT_NEAR(arc->mX, at.first, 1.5f);
            EXPECT_NEAR(arc->mY, at.second, 1.5f);
            EXPECT_EQ(Events(listener).size(), static_cast<size_t>(steps[i].events));
        }
    }
}

// A 200 x 100 rectangle at (0, 0): centre (100, 50), half-axes 100 and 50.
constexpr const char* kWide = R"(id="arc" rectX="0" rectY="0" rectW="200" rectH="100" startAngle="0" sweepAngle="90" )"
                              R"(time="1" uae="a" )";

TEST_F(ObjectTest, ArcMoverRunsAQuarterAndReportsOnce) {
    PlayArc(kWide, {
                       {"activate", 0, {0, 0}, 0},
                       {"wait", 0.5f, {55, 5}, 0},
                       {"save", 0, {55, 5}, 0},
                       {"wait", 0.52f, {100, 0}, 1},
                       {"wait", 1.0f, {100, 0}, 0},
                       // Started again, it goes on from where it stopped.
                       {"activate", 0, {100, 0}, 0},
                       {"wait", 1.02f, {200, 50}, 1},
                   });
}

TEST_F(ObjectTest, ArcMoverLoops) {
    // Two passes: round to the right end, then stop.
    PlayArc(std::string(kWide) + R"(loop="2")", {
                                                    {"activate", 0, {0, 0}, 0},
                                                    {"wait", 1.02f, {100, 0}, 0},
                                                    {"save", 0, {100, 0}, 0},
                                                    {"wait", 1.0f, {200, 50}, 1},
                                                    {"wait", 1.0f, {200, 50}, 0},
                                                });
    PlayArc(std::string(kWide) + R"(loop="3")", {
                                                    {"activate", 0, {0, 0}, 0},
                                                    {"wait", 2.005f, {200, 50}, 0},
                                                    {"wait", 1.0f, {100, 100}, 1},
                                                    {"wait", 1.0f, {100, 100}, 0},
                                                });
    // For ever, and never an after-event.
    PlayArc(std::string(kWide) + R"(loop="-1")", {
                                                     {"activate", 0, {0, 0}, 0},
                                                     {"wait", 3.005f, {100, 100}, 0},
                                                     {"save", 0, {100, 100}, 0},
                                                     {"wait", 1.0f, {0, 50}, 0},
                                                     {"wait", 4.0f, {0, 50}, 0},
                                                 });
}

TEST_F(ObjectTest, ArcMoverAnticlockwiseAndTall) {
    // Anticlockwise from 0 to 90 is three quarters: down first.
    PlayArc(std::string(kWide) + R"(clockwise="0")", {
                                                         {"activate", 0, {0, 0}, 0},
                                                         {"wait", 1.0f / 3 + 0.005f, {100, 100}, 0},
                                                         {"wait", 0.67f, {100, 0}, 1},
                                                     });
    // A tall rectangle keeps the ellipse inside it: its long axis is vertical.
    PlayArc(R"(rectX="0" rectY="0" rectW="100" rectH="200" startAngle="0" sweepAngle="180" time="1" uae="a")",
            {
                {"activate", 0, {0, 0}, 0},
                {"wait", 0.5f, {50, 0}, 0},
                {"wait", 0.52f, {100, 100}, 1},
            });
}

TEST_F(ObjectTest, ArcMoverRefusesARectangleWithoutArea) {
    for (const char* size : {R"(rectW="0" rectH="100")", R"(rectW="100" rectH="0")", R"(rectW="0" rectH="0")"}) {
        SCOPED_TRACE(size);
        auto arc =
            Load<TArcMoverObject>(std::string(R"(id="flat" x="7" y="8" sweepAngle="90" time="1" play="1" )") + size);
        Advance(*arc, 0.5f, 0.01f);
        arc->Activate(0, 0, 0);
        Advance(*arc, 1.0f, 0.01f);
        EXPECT_EQ(arc->mX, 7);
        EXPECT_EQ(arc->mY, 8);
        EXPECT_FALSE(arc->mArc.running);
    }
    EXPECT_TRUE(harness::LogContains("arc mover flat: rectangle 0 x 100 has no ellipse, it stays still"));
}

TEST_F(ObjectTest, ArcMoverPlaysAtLoadAndSavesItsMotion) {
    auto arc = Load<TArcMoverObject>(std::string(kWide) + R"(play="1")");
    EXPECT_TRUE(arc->mArc.running);
    Advance(*arc, 0.25f, 0.01f);
    TBaseBuffer saved, plain;
    arc->SaveState(saved);
    arc->TObject::SaveState(plain);
    ASSERT_EQ(saved.GetSize(), plain.GetSize() + 14);
    const std::vector<uint8_t> tail(saved.GetBytes().end() - 14, saved.GetBytes().end());
    // 22.5 degrees, 250 ms, running, not finished, no pass made.
    EXPECT_EQ(tail, (std::vector<uint8_t>{0xE4, 0x57, 0, 0, 0xFA, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
}

} // namespace
