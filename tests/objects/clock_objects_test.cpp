// Clock hands turned by the pointer and snapped to their right angle, limited hands kept inside their range,
// and clocks solved when all their hands are; each sequence ends the same way after a save in its middle.

#include <cmath>

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/clock_objects.h"

namespace {

using objtest::At;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TTestTool;
using objtest::TXml;
using Strings = std::vector<std::string>;

constexpr double kPi = 3.14159265358979323846;

// Every hand of these tests turns about (80, 80).
constexpr int kPivot = 80;

// A point far out from the pivot in the direction given in degrees (screen y grows downwards).
TMouseEvent Towards(double degrees, TTool* tool = nullptr) {
    const double radians = degrees * kPi / 180.0;
    return At(kPivot + static_cast<int>(std::lround(1000.0 * std::cos(radians))),
              kPivot + static_cast<int>(std::lround(1000.0 * std::sin(radians))), tool);
}

int Degrees(float radians) {
    return static_cast<int>(std::lround(radians * 180.0 / kPi));
}

// The reports that matter here: after-events ("unlock" lists name the object), clicks and tools handed out.
Strings Reports(TRecordingListener& listener) {
    Strings reports;
    for (const std::string& call : listener.Take()) {
        if (call.rfind("unlock //", 0) == 0) {
            reports.push_back("event " + call.substr(9));
        } else if (call.rfind("clicked", 0) == 0 || call.rfind("toolgiven", 0) == 0) {
            reports.push_back(call);
        }
    }
    return reports;
}

class ClockTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("scenes/short.png", 40, 40, kRed);
        WriteSolidImage("scenes/long.png", 80, 80, kRed);
    }

    // A square hand centred on the pivot: it covers a disc about the pivot whatever its angle.
    template <typename T = TClockArrowObject> std::unique_ptr<T> Hand(const std::string& attributes, int size = 40) {
        const int half = size / 2;
        auto hand = Load<T>(R"(name=")" + std::string(size == 40 ? "short" : "long") + R"(.png" x=")" +
                                std::to_string(kPivot) + R"(" y=")" + std::to_string(kPivot) + R"(" tcx=")" +
                                std::to_string(half) + R"(" tcy=")" + std::to_string(half) + R"(" )" + attributes,
                            "scenes/");
        return hand;
    }

    template <typename T> void Show(T& object) {
        object.LoadResources();
        object.OnSpaceFirstShow();
        object.OnSpaceShow();
        object.SetListener(&mListener);
    }

    TRecordingListener mListener;
};

// Pressed on the hand, 10 to the right of the pivot: the grab direction is 0 degrees.
const TMouseEvent kGrab = At(kPivot + 10, kPivot);

TEST_F(ClockTest, HandReadsItsRightAngleOrAimsAtAPoint) {
    struct Case {
        const char* attributes;
        int rightDegrees;
    };
    const Case cases[] = {
        {R"(rightangle="90")", 90},
        {R"(rightangle="-45")", -45},
        // Without a right angle the hand aims at a point, by default the space's corner.
        {"", -135},
        {R"(rx="80" ry="180")", 90},
        {R"(rx="-20" ry="80")", 180},
        {R"(rx="180" ry="-20")", -45},
        // An explicit right angle wins over the point.
        {R"(rightangle="30" rx="80" ry="180")", 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto hand = Hand(c.attributes);
        EXPECT_EQ(Degrees(hand->mRightAngle), c.rightDegrees);
    }
    auto hand = Hand(R"(slide_sound="creak")");
    EXPECT_EQ(hand->mSlideSound, "creak");
    EXPECT_EQ(Hand("")->mSlideSound, "");
    auto limited = Load<TLimitedArrowObject>(R"(lbound="300" ubound="60" rightangle="10")");
    EXPECT_EQ(limited->mLowerBound, 300);
    EXPECT_EQ(limited->mUpperBound, 60);
    EXPECT_EQ(Degrees(limited->mRightAngle), 10);
    auto plain = Load<TLimitedArrowObject>("");
    EXPECT_EQ(plain->mLowerBound, 0);
    EXPECT_EQ(plain->mUpperBound, 359);
    auto clock = Load<TClockObject>(R"(keeporder="1" onclick="0")");
    EXPECT_TRUE(clock->mKeepOrder);
    EXPECT_FALSE(clock->mOnClick);
    auto defaults = Load<TClockObject>("");
    EXPECT_FALSE(defaults->mKeepOrder);
    EXPECT_TRUE(defaults->mOnClick);
}

// The hand follows the pointer's turn about the pivot, in whole degrees 0..359.
TEST_F(ClockTest, DragAngleCountsWholeDegreesAroundTheCircle) {
    struct Case {
        int startDegrees;
        double pointerDegrees;
        int expected;
    };
    const Case cases[] = {
        {0, 10.4, 10},
        {0, 90.4, 90},
        {0, 179.5, 179},
        // Less than a degree short of 0 is 0, not 360.
        {0, -0.6, 0},
        {0, -1.6, 359},
        {0, -90.4, 270},
        {350, 20.4, 10},
        // Below zero the whole degrees count toward zero: -80.4 reads 280.
        {90, -170.4, 280},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.startDegrees) + " turned by " + std::to_string(c.pointerDegrees));
        auto hand = Hand("");
        Show(*hand);
        hand->mAngle = static_cast<float>(c.startDegrees * kPi / 180.0);
        ASSERT_TRUE(hand->OnMouseDown(kGrab));
        ASSERT_TRUE(hand->mDragging);
        EXPECT_TRUE(hand->OnMouseMove(Towards(c.pointerDegrees), nullptr));
        EXPECT_EQ(Degrees(hand->mAngle), c.expected);
        const float angle = hand->mAngle;
        EXPECT_FLOAT_EQ(hand->ComputeDragAngle(Towards(c.pointerDegrees).x, Towards(c.pointerDegrees).y), angle);
    }
}

// Put down within 15 degrees of the right angle, measured the short way round, the hand snaps and is solved.
TEST_F(ClockTest, PutDownSnapsWithinFifteenDegrees) {
    struct Case {
        int rightDegrees;
        double pointerDegrees;
        bool solved;
        int endDegrees;
    };
    const Case cases[] = {
        {90, 105.4, true, 90}, {90, 75.4, true, 90},    {90, 106.4, false, 106}, {90, 73.4, false, 73},
        {0, -1.4, true, 0},    {0, -15.4, true, 0},     {0, -16.4, false, 344},  {350, 5.4, true, 350},
        {10, 355.4, true, 10}, {180, 180.4, true, 180},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rightDegrees) + " put down at " + std::to_string(c.pointerDegrees));
        auto hand = Hand("rightangle=\"" + std::to_string(c.rightDegrees) + "\" uae=\"h\"");
        Show(*hand);
        ASSERT_TRUE(hand->OnMouseDown(kGrab));
        hand->OnMouseMove(Towards(c.pointerDegrees), nullptr);
        EXPECT_TRUE(hand->OnMouseDown(kGrab));
        EXPECT_FALSE(hand->mDragging);
        EXPECT_EQ(hand->IsSolved(), c.solved);
        EXPECT_EQ(Degrees(hand->mAngle) % 360, c.endDegrees);
        EXPECT_EQ(Reports(mListener), c.solved ? Strings({"event h", "clicked"}) : Strings{});
    }
}

struct HandStep {
    // "press", "move", "drag", "release", "tool" (a press with the "key" tool), "wrongtool" or "save".
    const char* action;
    double pointerDegrees;
    int angle;
    bool dragging;
    bool solved;
    Strings reports;
};

template <typename T> using Maker = std::function<std::unique_ptr<T>()>;

template <typename T>
void PlayHand(const Maker<T>& make, TRecordingListener& listener, const std::vector<HandStep>& steps) {
    for (const bool withSaves : {false, true}) {
        auto hand = make();
        TTestTool key("key"), stick("stick");
        for (size_t i = 0; i < steps.size(); ++i) {
            const HandStep& step = steps[i];
            const std::string action = step.action;
            SCOPED_TRACE(std::string(withSaves ? "saved " : "") + std::to_string(i) + " " + action);
            if (action == "press") {
                hand->OnMouseDown(kGrab);
            } else if (action == "tool") {
                hand->OnMouseDown(At(kGrab.x, kGrab.y, &key));
            } else if (action == "wrongtool") {
                hand->OnMouseDown(At(kGrab.x, kGrab.y, &stick));
            } else if (action == "move") {
                hand->OnMouseMove(Towards(step.pointerDegrees), nullptr);
            } else if (action == "drag") {
                hand->OnMouseDrag(Towards(step.pointerDegrees));
            } else if (action == "release") {
                hand->OnMouseUp(Towards(step.pointerDegrees));
            } else if (withSaves) {
                TBaseBuffer saved;
                hand->SaveState(saved);
                hand = make();
                ASSERT_TRUE(RestoreObjectState(*hand, saved));
                listener.Take();
            }
            EXPECT_EQ(Degrees(hand->mAngle), step.angle);
            EXPECT_EQ(hand->mDragging, step.dragging);
            EXPECT_EQ(hand->IsSolved(), step.solved);
            EXPECT_EQ(Reports(listener), step.reports);
        }
    }
}

TEST_F(ClockTest, HandIsPickedUpTurnedAndPutDown) {
    PlayHand<TClockArrowObject>(
        [this] {
            auto hand = Hand(R"(id="h" rightangle="90" uae="h")");
            Show(*hand);
            return hand;
        },
        mListener,
        {
            {"press", 0, 0, true, false, {}},
            {"move", 40.4, 40, true, false, {}},
            // A release does not put a clock hand down.
            {"release", 40.4, 40, true, false, {}},
            {"press", 0, 40, false, false, {}},
            // Not held: moving does not turn it.
            {"move", 170.4, 40, false, false, {}},
            {"save", 0, 40, false, false, {}},
            {"press", 0, 40, true, false, {}},
            {"move", 65.4, 105, true, false, {}},
            {"press", 0, 90, false, true, {"event h", "clicked h"}},
            // Solved is final.
            {"press", 0, 90, false, true, {}},
            {"move", 10.4, 90, false, true, {}},
            {"save", 0, 90, false, true, {}},
            {"press", 0, 90, false, true, {}},
        });
}

TEST_F(ClockTest, HandThatNeedsAToolIsPutDownOnlyWithIt) {
    PlayHand<TClockArrowObject>(
        [this] {
            auto hand = Hand(R"(id="h" rightangle="90" uae="h" tool="key")");
            Show(*hand);
            return hand;
        },
        mListener,
        {
            {"tool", 0, 0, true, false, {}},
            {"move", 80.4, 80, true, false, {}},
            // Another tool leaves the hand held.
            {"wrongtool", 0, 80, true, false, {}},
            {"tool", 0, 90, false, true, {"event h"}},
            {"save", 0, 90, false, true, {}},
            // A tool press on a solved hand hits wherever the pointer is, and changes nothing.
            {"tool", 0, 90, false, true, {}},
        });
    auto hand = Hand(R"(id="h" rightangle="90" tool="key")");
    Show(*hand);
    TTestTool key("key"), stick("stick");
    EXPECT_FALSE(hand->OnMouseDown(At(500, 500, &key)));
    EXPECT_TRUE(hand->OnMouseDown(At(kGrab.x, kGrab.y, &stick)));
    EXPECT_TRUE(hand->mWrongTool);
    EXPECT_FALSE(hand->mDragging);
    hand->SetSolved();
    EXPECT_TRUE(hand->OnMouseDown(At(500, 500, &key)));
    EXPECT_FALSE(hand->mWrongTool);
}

TEST_F(ClockTest, HandRefusesPressesWhileItsClicksAreUsedUpOrDelayed) {
    auto limited = Hand(R"(maxclicks="1")");
    Show(*limited);
    EXPECT_TRUE(limited->OnMouseDown(kGrab));
    EXPECT_TRUE(limited->mDragging);
    limited->OnMouseDown(kGrab);
    // The counter stands one below "maxclicks": the hand is hit but no longer picked up.
    EXPECT_TRUE(limited->OnMouseDown(kGrab));
    EXPECT_FALSE(limited->mDragging);
    auto delayed = Hand(R"(delayclick="1")");
    Show(*delayed);
    delayed->mClickDelayLeft = 0.5f;
    EXPECT_FALSE(delayed->OnMouseDown(kGrab));
    EXPECT_FALSE(delayed->mDragging);
    EXPECT_FALSE(Hand("")->OnMouseDown(At(500, 500)));
}

TEST_F(ClockTest, HeldHandIsHitEverywhere) {
    auto hand = Hand("");
    Show(*hand);
    EXPECT_FALSE(hand->HitTest(500, 500, true));
    hand->OnMouseDown(kGrab);
    EXPECT_TRUE(hand->HitTest(500, 500, true));
}

TEST_F(ClockTest, LimitedHandStaysInItsRange) {
    struct Case {
        int lower, upper, startDegrees;
        double pointerDegrees;
        int expected;
    };
    const Case cases[] = {
        {300, 60, 300, 50.4, 350},
        {300, 60, 300, 90.4, 30},
        {300, 60, 300, 0.4, 300},
        {300, 60, 60, 0.4, 60},
        // Out of range: the bound nearer the hand the short way round.
        {300, 60, 350, -170.4, 300},
        {300, 60, 10, 100.4, 60},
        {20, 100, 90, 20.4, 100},
        {20, 100, 30, -20.4, 20},
        {90, 90, 0, 30.4, 90},
        {0, 359, 0, 150.4, 150},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.lower) + ".." + std::to_string(c.upper) + " from " +
                     std::to_string(c.startDegrees) + " by " + std::to_string(c.pointerDegrees));
        auto hand = Hand<TLimitedArrowObject>("lbound=\"" + std::to_string(c.lower) + "\" ubound=\"" +
                                              std::to_string(c.upper) + "\"");
        Show(*hand);
        hand->mAngle = static_cast<float>(c.startDegrees * kPi / 180.0);
        ASSERT_TRUE(hand->OnMouseDown(kGrab));
        EXPECT_TRUE(hand->OnMouseDrag(Towards(c.pointerDegrees)));
        EXPECT_EQ(Degrees(hand->mAngle), c.expected);
    }
}

TEST_F(ClockTest, LimitedHandTurnsWhileHeldAndIsNeverSolvedByInput) {
    PlayHand<TLimitedArrowObject>(
        [this] {
            auto hand = Hand<TLimitedArrowObject>(R"(id="k" lbound="0" ubound="120" rightangle="90" uae="k")");
            Show(*hand);
            return hand;
        },
        mListener,
        {
            {"press", 0, 0, true, false, {}},
            // Moves are plain moves; only drags turn it.
            {"move", 60.4, 0, true, false, {}},
            {"drag", 60.4, 60, true, false, {}},
            {"drag", 150.4, 120, true, false, {}},
            {"drag", 90.4, 90, true, false, {}},
            {"release", 90.4, 90, false, false, {}},
            {"drag", 30.4, 90, false, false, {}},
            {"save", 0, 90, false, false, {}},
            {"press", 0, 90, true, false, {}},
            {"drag", -9.4, 80, true, false, {}},
            {"release", 0, 80, false, false, {}},
        });
}

// The hand's image turns with it about the pivot: a bar from the pivot to the right points down at 90 degrees.
TEST_F(ClockTest, HandDrawsTurnedAboutItsPivot) {
    WriteSolidImage("scenes/bar.png", 12, 2, kRed);
    struct Case {
        const char* kind;
        int startDegrees;
        double pointerDegrees;
        std::vector<TProbe> probes;
    };
    const Case cases[] = {
        {"clockarrow", 0, 0.4, {{24, 16, kRedPixel}, {15, 24, kBlack}}},
        {"clockarrow", 0, 90.4, {{15, 24, kRedPixel}, {24, 16, kBlack}, {24, 17, kBlack}}},
        // Turned past its upper bound the limited hand stops there.
        {"limitedarrow", 80, 40.4, {{15, 24, kRedPixel}, {8, 15, kBlack}, {24, 16, kBlack}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + std::to_string(c.startDegrees) + " " +
                     std::to_string(c.pointerDegrees));
        TObjectFactory factory;
        std::unique_ptr<TObject> object(factory.Create(c.kind));
        TXml xml(R"(<object name="bar.png" x="16" y="16" lbound="0" ubound="90"/>)");
        object->LoadFromXml(xml.Root(), "scenes/");
        object->LoadResources();
        object->OnSpaceFirstShow();
        auto* hand = dynamic_cast<TClockArrowObject*>(object.get());
        ASSERT_NE(hand, nullptr);
        hand->mAngle = static_cast<float>(c.startDegrees * kPi / 180.0);
        hand->StartDrag(26, 16);
        const double radians = c.pointerDegrees * kPi / 180.0;
        hand->RotateTo(16 + static_cast<int>(std::lround(1000 * std::cos(radians))),
                       16 + static_cast<int>(std::lround(1000 * std::sin(radians))));
        BeginCanvas();
        object->Draw(1.0f);
        ExpectPixels(c.probes);
    }
}

TEST_F(ClockTest, RestoredHandKeepsItsAnglesToTheThousandthAndIsNotHeld) {
    auto hand = Hand(R"(rightangle="33")");
    Show(*hand);
    hand->mAngle = 1.2345678f;
    hand->OnMouseDown(kGrab);
    ASSERT_TRUE(hand->mDragging);
    TBaseBuffer saved;
    hand->SaveState(saved);
    auto restored = Hand("");
    Show(*restored);
    ASSERT_TRUE(RestoreObjectState(*restored, saved));
    EXPECT_NEAR(restored->mAngle, 1.235f, 1e-6f);
    EXPECT_NEAR(restored->mRightAngle, 33 * 0.017453292f, 5e-4f);
    EXPECT_FALSE(restored->mDragging);
    TBaseBuffer again;
    restored->SaveState(again);
    EXPECT_EQ(again.GetBytes(), saved.GetBytes());
    // A short record changes nothing.
    TBaseBuffer cut;
    for (size_t i = 0; i + 4 < saved.GetBytes().size(); ++i) {
        cut.WriteByte(saved.GetBytes()[i]);
    }
    auto untouched = Hand(R"(rightangle="10")");
    Show(*untouched);
    EXPECT_FALSE(RestoreObjectState(*untouched, cut));
    EXPECT_EQ(untouched->mAngle, 0);
    EXPECT_EQ(Degrees(untouched->mRightAngle), 10);
}

// A child that answers a hand's id without being one.
class TLookalike : public TObject {
public:
    int GetTypeId() const override { return TClockArrowObject::kTypeId; }
};

class ClockFaceTest : public ClockTest {
protected:
    // Two hands on one pivot: the short one first. Near the pivot both are under the pointer, further out
    // only the long one.
    std::unique_ptr<TClockObject> MakeClock(const std::string& clockAttributes, const std::string& shortAttributes,
                                            const std::string& longAttributes) {
        auto clock = Load<TClockObject>(R"(id="clock" w="160" h="160" cob="1" uae="clock" )" + clockAttributes);
        clock->AddChild(Hand(R"(id="short" uae="short" )" + shortAttributes).release());
        clock->AddChild(Hand(R"(id="long" uae="long" )" + longAttributes, 80).release());
        Show(*clock);
        return clock;
    }

    static TClockArrowObject& HandAt(TClockObject& clock, size_t index) {
        return dynamic_cast<TClockArrowObject&>(*clock.GetChildren()[index]);
    }
};

const TMouseEvent kNear = At(kPivot + 10, kPivot);
const TMouseEvent kFar = At(kPivot + 35, kPivot);

TEST_F(ClockFaceTest, ClockIsSolvedWhenAllItsHandsAre) {
    struct Step {
        // "near", "far" (presses), "move" or "save".
        const char* action;
        double pointerDegrees;
        int shortAngle, longAngle;
        // Which hand is held: "", "short" or "long".
        const char* held;
        bool solved;
        Strings reports;
    };
    const Step steps[] = {
        // Both hands are under the pointer: the first is picked up and the second dropped again.
        {"near", 0, 0, 0, "short", false, {}},
        {"move", 90.4, 90, 0, "short", false, {}},
        // The held hand is put down and solved; the long one under the pointer is not picked up.
        {"far", 0, 90, 0, "", false, {"event short", "clicked short"}},
        {"save", 0, 90, 0, "", false, {}},
        {"far", 0, 90, 0, "long", false, {}},
        {"move", 170.4, 90, 170, "long", false, {}},
        {"far",
         0,
         90,
         180,
         "",
         true,
         // The "tools" list brings the giving click executer: the record goes out during the clock's click.
         {"event long", "clicked long", "event clock", "toolgiven key", "clicked clock", "clicked clock"}},
        // Solved and locked: nothing more happens.
        {"near", 0, 90, 180, "", true, {}},
    };
    for (const bool withSaves : {false, true}) {
        auto make = [this] {
            return MakeClock(R"(tools="p;q;r;key" maxclicks="9")", R"(rightangle="90")", R"(rightangle="180")");
        };
        auto clock = make();
        for (size_t i = 0; i < std::size(steps); ++i) {
            const Step& step = steps[i];
            const std::string action = step.action;
            SCOPED_TRACE(std::string(withSaves ? "saved " : "") + std::to_string(i) + " " + action);
            if (action == "near") {
                clock->OnMouseDown(kNear);
            } else if (action == "far") {
                clock->OnMouseDown(kFar);
            } else if (action == "move") {
                clock->OnMouseMove(Towards(step.pointerDegrees), nullptr);
            } else if (withSaves) {
                TBaseBuffer saved;
                clock->SaveState(saved);
                clock = make();
                ASSERT_TRUE(RestoreObjectState(*clock, saved));
                mListener.Take();
            }
            EXPECT_EQ(Degrees(HandAt(*clock, 0).mAngle), step.shortAngle);
            EXPECT_EQ(Degrees(HandAt(*clock, 1).mAngle), step.longAngle);
            const std::string held =
                HandAt(*clock, 0).mDragging ? "short" : (HandAt(*clock, 1).mDragging ? "long" : "");
            EXPECT_EQ(held, step.held);
            EXPECT_EQ(clock->IsSolved(), step.solved);
            EXPECT_EQ(Reports(mListener), step.reports);
        }
        EXPECT_TRUE(clock->IsLocked());
        ASSERT_EQ(GetHandedOutTools().size(), 1u);
        EXPECT_EQ(GetHandedOutTools()[0].name, "key");
        GetHandedOutTools().clear();
    }
}

TEST_F(ClockFaceTest, ClockWithoutItsOwnClicksOrOutsideIgnoresPresses) {
    auto silent = MakeClock(R"(onclick="0")", "", "");
    EXPECT_FALSE(silent->OnMouseDown(kNear));
    EXPECT_FALSE(HandAt(*silent, 0).mDragging);
    auto clock = MakeClock("", "", "");
    EXPECT_FALSE(clock->OnMouseDown(At(300, 300)));
    EXPECT_FALSE(HandAt(*clock, 0).mDragging);
    clock->mLocked = true;
    EXPECT_FALSE(clock->OnMouseDown(kNear));
    EXPECT_FALSE(HandAt(*clock, 0).mDragging);
}

TEST_F(ClockFaceTest, ClockHandsTakeToolsInChildOrderWithKeepOrder) {
    struct Case {
        const char* clock;
        const char* firstTool;
        bool firstAccepted;
    };
    const Case cases[] = {
        {R"(keeporder="1")", "gear", false},
        {R"(keeporder="1")", "pin", true},
        {"", "gear", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.clock) + " " + c.firstTool);
        auto clock = MakeClock(c.clock, R"(tool="pin" rightangle="0")", R"(tool="gear" rightangle="0")");
        TTestTool first(c.firstTool);
        EXPECT_TRUE(clock->NeedsTool());
        EXPECT_EQ(clock->AcceptsTool(&first), c.firstAccepted);
        EXPECT_TRUE(clock->OnMouseDown(At(kFar.x, kFar.y, &first)));
        EXPECT_EQ(clock->mWrongTool, !c.firstAccepted);
    }
    // In order: the pin picks up and puts down the short hand, then the gear the long one.
    auto clock = MakeClock(R"(keeporder="1")", R"(tool="pin" rightangle="0")", R"(tool="gear" rightangle="0")");
    TTestTool pin("pin"), gear("gear");
    const Strings none;
    for (TTestTool* tool : {&pin, &pin, &gear, &gear}) {
        clock->OnMouseDown(At(kNear.x, kNear.y, tool));
    }
    EXPECT_TRUE(HandAt(*clock, 0).IsSolved());
    EXPECT_TRUE(HandAt(*clock, 1).IsSolved());
    EXPECT_TRUE(clock->IsSolved());
    EXPECT_EQ(Reports(mListener), Strings({"event short", "event long", "event clock"}));
    EXPECT_TRUE(clock->AcceptsTool(&gear));
    EXPECT_FALSE(clock->OnMouseDown(At(kNear.x, kNear.y, &gear)));
}

TEST_F(ClockFaceTest, MovesGoToTheHeldHandFirstAndReleasesToEveryChild) {
    auto clock = MakeClock("", "", "");
    EXPECT_FALSE(clock->OnMouseMove(At(300, 300), nullptr));
    EXPECT_TRUE(clock->OnMouseMove(kFar, nullptr));
    clock->OnMouseDown(kNear);
    ASSERT_TRUE(HandAt(*clock, 0).mDragging);
    EXPECT_TRUE(clock->OnMouseMove(Towards(45.4), nullptr));
    EXPECT_EQ(Degrees(HandAt(*clock, 0).mAngle), 45);
    EXPECT_EQ(Degrees(HandAt(*clock, 1).mAngle), 0);
    EXPECT_FALSE(clock->OnMouseUp(kNear));
    auto knobs = Load<TClockObject>(R"(w="160" h="160" cob="1")");
    knobs->AddChild(Hand<TLimitedArrowObject>("").release());
    Show(*knobs);
    knobs->OnMouseDown(kNear);
    ASSERT_TRUE(HandAt(*knobs, 0).mDragging);
    knobs->OnMouseUp(kNear);
    EXPECT_FALSE(HandAt(*knobs, 0).mDragging);
}

// Only real clock hands count: a lookalike child with a hand's id is pressed but never read as a hand, and a
// limited hand never holds the clock back.
TEST_F(ClockFaceTest, ChildrenThatAreNotHandsDoNotCount) {
    auto clock = Load<TClockObject>(R"(id="clock" w="160" h="160" cob="1" uae="clock")");
    auto* lookalike = new TLookalike();
    lookalike->mW = lookalike->mH = 160;
    lookalike->mCheckOnlyBounds = true;
    clock->AddChild(lookalike);
    clock->AddChild(Hand(R"(id="h" rightangle="0")").release());
    clock->AddChild(Hand<TLimitedArrowObject>(R"(rightangle="90")").release());
    Show(*clock);
    clock->OnMouseDown(kNear);
    EXPECT_EQ(lookalike->mClickCounter, 0);
    EXPECT_TRUE(HandAt(*clock, 1).mDragging);
    EXPECT_FALSE(HandAt(*clock, 2).mDragging);
    EXPECT_FALSE(clock->IsSolved());
    // The plain hand is put down on its right angle: the unsolved knob does not hold the clock back.
    clock->OnMouseDown(kNear);
    EXPECT_TRUE(HandAt(*clock, 1).IsSolved());
    EXPECT_FALSE(HandAt(*clock, 2).IsSolved());
    EXPECT_TRUE(clock->IsSolved());
}

TEST_F(ClockFaceTest, SolvedClockDrawsItsHandsAtTheirRightAngles) {
    WriteSolidImage("scenes/bar.png", 12, 2, kRed);
    auto clock = Load<TClockObject>(R"(w="32" h="32" cob="1")");
    clock->AddChild(Load<TClockArrowObject>(R"(name="bar.png" x="16" y="16" rightangle="90")", "scenes/").release());
    Show(*clock);
    BeginCanvas();
    clock->Draw(1.0f);
    ExpectPixels({{24, 16, kRedPixel}, {15, 24, kBlack}});
    HandAt(*clock, 0).SetSolved();
    BeginCanvas();
    clock->Draw(1.0f);
    ExpectPixels({{15, 24, kRedPixel}, {24, 16, kBlack}});
}

} // namespace
