// The scales: tools put scene objects onto the pans, the beam swings toward the heavier pan, and the
// puzzle is solved when both pans together carry the set weight.

#include <cmath>
#include <map>

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/weight_objects.h"
#include "objects/weight_system.h"
#include "rooms/game_space.h"
#include "windows/messages.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TRecordingSpace;
using objtest::TTestTool;
using objtest::TXml;
using Strings = std::vector<std::string>;

constexpr float kDegree = 0.017453292f;

// A pan with a limit and a cover, as the scales see one.
class TTestPan : public TObject, public TWeightPan {
public:
    int GetMaxObjects() const override { return mMaxObjects; }
    void SetCover(TObject* cover) override { mCoverSet = cover; }
    int mMaxObjects = 0;
    TObject* mCoverSet = nullptr;
};

class WeightSystemTest : public ObjectTest {
protected:
    void TearDown() override {
        TMyMessageManager::Release();
        ObjectTest::TearDown();
    }

    // Scales at (100, 100) with 40-pixel shoulders: the left pan spans x 60..79, the right one 140..159,
    // both y 100..109 while the beam is level. Three weights wait on a shelf.
    TWeightSystemObject* MakeScene(const std::string& attributes, int leftMax = 0) {
        TObjectFactory::CreateInstance();
        TXml xml(R"(<scene>
            <object id="shelf" x="0" y="300" w="10" h="10" cob="1">
              <object id="w1" tag="10" w="5" h="5" cob="1"/>
              <object id="w2" tag="10" w="5" h="5" cob="1"/>
              <object id="w3" tag="10" w="5" h="5" cob="1"/>
              <object id="heavy" tag="100" w="5" h="5" cob="1"/>
            </object>
            <object id="scales" type="weight_system" x="100" y="100" w="4" h="4" cob="1" sholder="40" )" +
                 attributes + R"(>
              <object id="coverleft" w="2" h="2"/>
            </object></scene>)");
        mSpace = std::make_unique<TRecordingSpace>();
        mSpace->LoadObjectsFromXml(xml.Root(), "");
        auto* scales = dynamic_cast<TWeightSystemObject*>(mSpace->FindObjectById("scales"));
        EXPECT_NE(scales, nullptr);
        AddPan(*scales, "left", R"(tool="w1,w2,w3,heavy,ghost,shelf,right")", leftMax);
        AddPan(*scales, "right", R"(tool="w1,w2,w3,heavy")", 0);
        scales->SetListener(&mListener);
        scales->LoadResources();
        scales->Update(0);
        return scales;
    }

    static void AddPan(TObject& scales, const std::string& id, const std::string& tools, int maxObjects) {
        TXml xml("<object id=\"" + id + "\" w=\"20\" h=\"10\" cob=\"1\" maxclickstool=\"5\" " + tools + "/>");
        auto pan = std::make_unique<TTestPan>();
        pan->LoadFromXml(xml.Root(), "");
        pan->mMaxObjects = maxObjects;
        ASSERT_TRUE(scales.AddChild(pan.release()));
    }

    // Lets due messages reach the scales, then updates them.
    static void Step(TWeightSystemObject& scales, float seconds) {
        const int steps = static_cast<int>(seconds / 0.001f + 0.5f);
        for (int i = 0; i < steps; ++i) {
            TMyMessageManager::Get()->Dispatch(0.001f);
            scales.Update(0.001f);
        }
    }

    Strings Children(const std::string& id) {
        Strings names;
        for (const auto& child : mSpace->FindObjectById(id)->GetChildren()) {
            names.push_back(child->mName);
        }
        return names;
    }

    std::unique_ptr<TRecordingSpace> mSpace;
    TRecordingListener mListener;
};

TEST_F(WeightSystemTest, PansFollowTheBeam) {
    TWeightSystemObject* scales = MakeScene("");
    EXPECT_EQ(scales->mLeft->GetX(), 60);
    EXPECT_EQ(scales->mRight->GetX(), 140);
    EXPECT_EQ(scales->mRight->GetY(), 100);
    // Only the second pan has a cover by that name.
    EXPECT_EQ(dynamic_cast<TTestPan*>(scales->mLeft)->mCoverSet, scales->FindChildById("coverleft"));
    EXPECT_EQ(dynamic_cast<TTestPan*>(scales->mRight)->mCoverSet, nullptr);
    scales->mBeam.SetValue(90 * kDegree);
    scales->Update(0);
    EXPECT_NEAR(scales->mRight->GetX(), 100, 0.01f);
    EXPECT_NEAR(scales->mRight->GetY(), 140, 0.01f);
    EXPECT_NEAR(scales->mLeft->GetY(), 60, 0.01f);
    EXPECT_NEAR(scales->mAngle, 90 * kDegree, 1e-5f);
}

struct TScalesStep {
    // "put TOOL PAN" (a press at the pan's centre, wherever the beam holds it), "wait S" or "save".
    std::string action;
    float angleDegrees;
    bool solved;
    Strings reports;
};

TEST_F(WeightSystemTest, WeightsTiltTheBeamUntilTheSetTotal) {
    const std::vector<TScalesStep> steps = {
        {"put w1 left", 0, false, {}},
        // Only the left pan carries weight: full swing left in 0.3 s.
        {"wait 0.15", -22.5f, false, {}},
        {"wait 0.16", -45, false, {}},
        {"put w2 right", -45, false, {}},
        // Level again: 45 degrees at 45 a second.
        {"wait 0.5", -22.5f, false, {}},
        {"save", -22.5f, false, {}},
        {"wait 0.51", 0, false, {}},
        // 10 against 20 tilts right by 10 degrees; the total 30 solves once the beam rests.
        {"put w3 right", 0, false, {}},
        {"wait 0.1", 4.5f, false, {}},
        {"wait 0.13", 10, true, {"unlock //done", "toolapplied scales"}},
        {"wait 1", 10, true, {}},
    };
    for (const bool withSave : {false, true}) {
        TWeightSystemObject* scales = MakeScene(R"(completevalue="30" uat="done")");
        for (size_t i = 0; i < steps.size(); ++i) {
            const TScalesStep& step = steps[i];
            SCOPED_TRACE(step.action + " step " + std::to_string(i) + (withSave ? " saved" : ""));
            if (step.action.rfind("put ", 0) == 0) {
                char tool[16], pan[16];
                ASSERT_EQ(std::sscanf(step.action.c_str(), "put %15s %15s", tool, pan), 2);
                TObject* target = std::string(pan) == "left" ? scales->mLeft : scales->mRight;
                TTestTool held(tool);
                EXPECT_TRUE(scales->OnMouseDown(
                    At(static_cast<int>(target->GetX()) + 10, static_cast<int>(target->GetY()) + 5, &held)));
            } else if (step.action.rfind("wait ", 0) == 0) {
                Step(*scales, std::stof(step.action.substr(5)));
            } else if (withSave) {
                // The names of what each pan carries come before the common record.
                TBaseBuffer saved, plain, names;
                scales->SaveState(saved);
                scales->TObject::SaveState(plain);
                names.WriteInt32(1);
                names.WriteString("w1");
                names.WriteInt32(1);
                names.WriteString("w2");
                std::vector<uint8_t> expected = names.GetBytes();
                expected.insert(expected.end(), plain.GetBytes().begin(), plain.GetBytes().end());
                EXPECT_EQ(saved.GetBytes(), expected);
                ASSERT_TRUE(RestoreObjectState(*scales, saved));
            }
            EXPECT_NEAR(scales->mAngle / kDegree, step.angleDegrees, 0.5f);
            EXPECT_EQ(scales->IsSolved(), step.solved);
            Strings reports;
            for (const std::string& call : mListener.Take()) {
                if (call.rfind("pressed", 0) != 0 && call.rfind("clicked", 0) != 0) {
                    reports.push_back(call);
                }
            }
            EXPECT_EQ(reports, step.reports);
        }
        EXPECT_EQ(Children("left"), (Strings{"w1"}));
        EXPECT_EQ(Children("right"), (Strings{"w2", "w3"}));
        EXPECT_EQ(Children("shelf"), (Strings{"heavy"}));
    }
}

TEST_F(WeightSystemTest, RebalanceTargets) {
    struct Case {
        const char* attributes;
        std::vector<float> left;
        std::vector<float> right;
        float targetDegrees;
        float seconds;
    };
    const Case cases[] = {
        {"", {10}, {}, -45, 0.3f},
        {"", {}, {10}, 45, 0.3f},
        {"", {10}, {10}, 0, 0},
        // The difference is held on both sides: a heavy right pan swings no further than a heavy left one.
        {"", {10}, {100}, 45, 1},
        {"", {100}, {10}, -45, 1},
        {R"(maxweightdif="30")", {20}, {5}, -22.5f, 0.5f},
        {R"(maxangle="90" maxweightdif="20")", {5, 5}, {15}, 22.5f, 0.25f},
        {R"(maxangle="30")", {30}, {}, -30, 0.3f},
        // 0 would divide the swing by zero: refused, 45 kept.
        {R"(maxangle="0" maxweightdif="0")", {20}, {5}, -15, 1.0f / 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.attributes) + " " + std::to_string(c.left.size()) + "/" +
                     std::to_string(c.right.size()));
        TWeightSystemObject* scales = MakeScene(c.attributes);
        for (const auto& [pan, weights] : {std::pair{scales->mLeft, c.left}, std::pair{scales->mRight, c.right}}) {
            for (float weight : weights) {
                auto object = std::make_unique<TObject>();
                object->mTag = weight;
                ASSERT_TRUE(pan->AddChild(object.release()));
            }
        }
        scales->Rebalance();
        EXPECT_NEAR(scales->mBeam.to / kDegree, c.targetDegrees, 0.01f);
        EXPECT_NEAR(scales->mBeam.duration, c.seconds, 0.001f);
    }
}

TEST_F(WeightSystemTest, InvisibleObjectsWeighNothing) {
    TWeightSystemObject* scales = MakeScene("");
    auto object = std::make_unique<TObject>();
    object->mTag = 10;
    object->mVisible = false;
    ASSERT_TRUE(scales->mLeft->AddChild(object.release()));
    EXPECT_EQ(TWeightSystemObject::PanWeight(scales->mLeft), 0);
    EXPECT_EQ(TWeightSystemObject::PanWeight(nullptr), 0);
}

TEST_F(WeightSystemTest, RefusedPresses) {
    struct Case {
        const char* what;
        const char* tool;
        int x, y;
        int leftMax;
        bool taken;
        Strings left;
    };
    const Case cases[] = {
        // A pan at its limit refuses, and its tool uses are not spent.
        {"full pan", "w2", 70, 105, 1, false, {"w1"}},
        {"no limit", "w2", 70, 105, 0, true, {"w1", "w2"}},
        // A negative limit refuses everything.
        {"negative limit", "w2", 70, 105, -1, false, {}},
        // No object of the tool's id in the room: nothing to move.
        {"unknown object", "ghost", 70, 105, 0, false, {"w1"}},
        // Away from everything: the hit test fails.
        {"beside", "w2", 300, 300, 0, false, {"w1"}},
        // An object at the top of the room has no holder to be taken from.
        {"top level", "shelf", 70, 105, 0, false, {"w1"}},
        // The other pan never goes onto a pan.
        {"other pan", "right", 70, 105, 0, false, {"w1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TWeightSystemObject* scales = MakeScene("", c.leftMax);
        if (c.leftMax >= 0) {
            TTestTool first("w1");
            EXPECT_TRUE(scales->OnMouseDown(At(70, 105, &first)));
        }
        const int counter = scales->mLeft->mToolClickCounter;
        TTestTool tool(c.tool);
        const bool taken = scales->OnMouseDown(At(c.x, c.y, &tool));
        EXPECT_EQ(taken, c.taken);
        EXPECT_EQ(Children("left"), c.left);
        EXPECT_EQ(scales->mLeft->mToolClickCounter, counter + (taken ? 1 : 0));
        // The pans are hit by their rectangles while a tool is held.
        EXPECT_TRUE(scales->mLeft->mCheckOnlyBounds);
        scales->OnMouseDown(At(300, 300));
        EXPECT_FALSE(scales->mRight->mCheckOnlyBounds);
    }
}

// The scales' own pans from a room file: the left one takes one object and moves its cover with itself.
TEST_F(WeightSystemTest, RealPansKeepTheirLimitAndTheirCover) {
    TObjectFactory::CreateInstance();
    TXml xml(R"(<scene>
        <object id="shelf" x="0" y="300" w="10" h="10" cob="1">
          <object id="w1" tag="10" w="5" h="5" cob="1"/>
          <object id="w2" tag="10" w="5" h="5" cob="1"/>
        </object>
        <object id="scales" type="weight_system" x="100" y="100" w="4" h="4" cob="1" sholder="40">
          <object id="coverleft" w="2" h="2"/>
          <object id="left" type="weight_part" w="20" h="10" cob="1" maxobj="1" maxclickstool="5" tool="w1,w2"/>
          <object id="right" type="weight_part" w="20" h="10" cob="1" tool="w1,w2"/>
        </object></scene>)");
    mSpace = std::make_unique<TRecordingSpace>();
    mSpace->LoadObjectsFromXml(xml.Root(), "");
    auto* scales = dynamic_cast<TWeightSystemObject*>(mSpace->FindObjectById("scales"));
    ASSERT_NE(scales, nullptr);
    scales->SetListener(&mListener);
    scales->LoadResources();
    scales->Update(0);
    auto* left = dynamic_cast<TWeightPartObject*>(scales->mLeft);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->mCover, scales->FindChildById("coverleft"));
    EXPECT_EQ(dynamic_cast<TWeightPartObject*>(scales->mRight)->mCover, nullptr);
    TTestTool first("w1"), second("w2");
    EXPECT_TRUE(scales->OnMouseDown(At(70, 105, &first)));
    EXPECT_FALSE(scales->OnMouseDown(At(70, 105, &second)));
    EXPECT_EQ(Children("left"), Strings{"w1"});
}

TEST_F(WeightSystemTest, KeepOrderRefusesALaterPansToolWhileAnEarlierWaits) {
    TWeightSystemObject* scales = MakeScene(R"(keeporder="1")");
    scales->mLeft->mNeededTools = {"w1"};
    scales->mRight->mNeededTools = {"w2"};
    TTestTool second("w2"), first("w1");
    EXPECT_FALSE(scales->AcceptsTool(&second));
    EXPECT_TRUE(scales->AcceptsTool(&first));
    scales->mLeft->mToolApplied = true;
    EXPECT_TRUE(scales->AcceptsTool(&second));
    scales->mKeepOrder = false;
    scales->mLeft->mToolApplied = false;
    EXPECT_TRUE(scales->AcceptsTool(&second));
}

TEST_F(WeightSystemTest, EveryScalesHearsABalanceRequest) {
    TWeightSystemObject* scales = MakeScene("");
    TWeightSystemObject other;
    auto object = std::make_unique<TObject>();
    object->mTag = 5;
    ASSERT_TRUE(scales->mRight->AddChild(object.release()));
    EXPECT_TRUE(TMyMessageManager::Get()->Post(TWeightSystemObject::kBalanceMessage, 0));
    // A second request in the same frame is dropped.
    EXPECT_FALSE(TMyMessageManager::Get()->Post(TWeightSystemObject::kBalanceMessage, 0));
    TMyMessageManager::Get()->Dispatch(0.001f);
    EXPECT_NEAR(scales->mBeam.to / kDegree, 45, 0.01f);
    EXPECT_FALSE(scales->mBeam.finished);
}

TEST_F(WeightSystemTest, RectOfChildrenWhenSizeless) {
    TWeightSystemObject* scales = MakeScene("");
    float rect[4];
    scales->GetRect(rect);
    EXPECT_EQ(std::vector<float>(rect, rect + 4), (std::vector<float>{scales->GetX(), scales->GetY(), 4, 4}));
    scales->mW = scales->mH = 0;
    scales->GetRect(rect);
    // From the origin to the right pan's far corner.
    EXPECT_EQ(std::vector<float>(rect, rect + 4), (std::vector<float>{0, 0, 160, 110}));
}

// The beam is the object's own image turned by the beam angle, in both drawing operations.
TEST_F(WeightSystemTest, DrawAllTurnsTheBeam) {
    WriteSolidImage("textures/beam.png", 24, 2, kRed);
    TXml xml(R"(<object name="beam.png" x="4" y="15"/>)");
    TWeightSystemObject scales;
    scales.LoadFromXml(xml.Root(), "");
    scales.LoadResources();
    scales.OnSpaceShow();
    scales.Update(0);
    BeginCanvas();
    scales.DrawAll();
    ExpectPixels({{5, 15, kRedPixel}, {26, 16, kRedPixel}, {3, 20, kBlack}});
    scales.mBeam.SetValue(90 * kDegree);
    scales.Update(0);
    BeginCanvas();
    scales.DrawAll();
    // Turned a quarter clockwise about the pivot, the object's drawing position.
    ExpectPixels({{5, 15, kBlack}, {26, 16, kBlack}, {3, 20, kRedPixel}, {2, 30, kRedPixel}, {5, 20, kBlack}});
}

// ---- placed weights across a save ----

// A room with the scales and, two levels deep, a shelf of weights; "heavy" is movable, so its record holds
// its position on the pan.
std::unique_ptr<TRecordingSpace> MakeRoom(bool shelfFirst) {
    TObjectFactory::CreateInstance();
    const std::string shelf = R"(
        <object id="cupboard" x="0" y="300" w="10" h="10" cob="1">
          <object id="shelf" x="0" y="300" w="10" h="10" cob="1">
            <object id="w1" tag="10" w="5" h="5" cob="1"/>
            <object id="w2" tag="10" w="5" h="5" cob="1"/>
            <object id="w3" tag="10" w="5" h="5" cob="1"/>
            <object id="heavy" tag="100" w="5" h="5" cob="1" moveable="1"/>
          </object>
        </object>)";
    const std::string scales = R"(
        <object id="scales" type="weight_system" x="100" y="100" w="4" h="4" cob="1" sholder="40"
                completevalue="30" uat="done">
          <object id="left" type="weight_part" w="20" h="10" cob="1" maxobj="3" maxclickstool="9"
                  tool="w1,w2,w3,heavy"/>
          <object id="right" type="weight_part" w="20" h="10" cob="1" maxobj="3" maxclickstool="9"
                  tool="w1,w2,w3,heavy"/>
        </object>)";
    TXml xml("<scene>" + (shelfFirst ? shelf + scales : scales + shelf) + "</scene>");
    auto room = std::make_unique<TRecordingSpace>();
    room->mName = "hall";
    room->LoadObjectsFromXml(xml.Root(), "");
    room->FindObjectById("scales")->LoadResources();
    // Hangs the pans on the beam.
    room->FindObjectById("scales")->Update(0);
    return room;
}

TWeightSystemObject& ScalesOf(TRecordingSpace& room) {
    return *dynamic_cast<TWeightSystemObject*>(room.FindObjectById("scales"));
}

Strings ChildrenOf(TRecordingSpace& room, const std::string& id) {
    Strings names;
    for (const auto& child : room.FindObjectById(id)->GetChildren()) {
        names.push_back(child->mName);
    }
    return names;
}

// "w1 left": the weight's tool pressed on that pan where the beam holds it now.
void Put(TWeightSystemObject& scales, const std::string& put) {
    const size_t space = put.find(' ');
    TObject* pan = put.substr(space + 1) == "left" ? scales.mLeft : scales.mRight;
    TTestTool tool(put.substr(0, space));
    EXPECT_TRUE(scales.OnMouseDown(At(static_cast<int>(pan->GetX()) + 10, static_cast<int>(pan->GetY()) + 5, &tool)))
        << put;
}

// What the listener heard since last asked, without the presses and clicks.
Strings Reports(TRecordingListener& listener) {
    Strings reports;
    for (const std::string& call : listener.Take()) {
        if (call.rfind("pressed", 0) != 0 && call.rfind("clicked", 0) != 0) {
            reports.push_back(call);
        }
    }
    return reports;
}

std::vector<uint8_t> SavedObjects(TRecordingSpace& room) {
    TBaseBuffer saved;
    room.WriteObjectStates(saved);
    return saved.GetBytes();
}

void ReadObjects(TRecordingSpace& room, const std::vector<uint8_t>& bytes) {
    TBaseBuffer saved;
    for (uint8_t byte : bytes) {
        saved.WriteByte(byte);
    }
    room.ReadObjectStates(saved);
}

struct TPlacedCase {
    const char* what;
    bool shelfFirst;
    Strings puts;
    Strings left, right, shelf;
    float degrees;
    bool solved;
};

// Weights put on the pans, saved, and read into a freshly loaded room: the pans carry them again in their
// order, the beam rests at their balance, the solved flag is the saved one and saving again gives the same
// bytes, whichever of the shelf and the scales the room reads first.
TEST_F(WeightSystemTest, PlacedWeightsComeBackInAFreshRoom) {
    const TPlacedCase cases[] = {
        {"one weight, shelf first", true, {"w2 left"}, {"w2"}, {}, {"w1", "w3", "heavy"}, -45, false},
        {"one weight, scales first", false, {"w2 left"}, {"w2"}, {}, {"w1", "w3", "heavy"}, -45, false},
        {"solved, shelf first", true, {"w3 left", "w1 right", "w2 right"}, {"w3"}, {"w1", "w2"}, {"heavy"}, 10, true},
        {"solved, scales first", false, {"w3 left", "w1 right", "w2 right"}, {"w3"}, {"w1", "w2"}, {"heavy"}, 10, true},
        // The movable weight's record holds its place on the pan.
        {"heavy and light", true, {"w1 right", "heavy left", "w2 left"}, {"heavy", "w2"}, {"w1"}, {"w3"}, -45, false},
        {"nothing placed", true, {}, {}, {}, {"w1", "w2", "w3", "heavy"}, 0, false},
    };
    for (const TPlacedCase& c : cases) {
        SCOPED_TRACE(c.what);
        auto played = MakeRoom(c.shelfFirst);
        TWeightSystemObject& scales = ScalesOf(*played);
        scales.SetListener(&mListener);
        for (const std::string& put : c.puts) {
            Put(scales, put);
            Step(scales, 0.05f);
        }
        Step(scales, 3);
        ASSERT_NEAR(scales.mAngle / kDegree, c.degrees, 0.01f);
        ASSERT_EQ(scales.IsSolved(), c.solved);
        const Strings solvedReports = {"unlock //done", "toolapplied scales"};
        EXPECT_EQ(Reports(mListener), c.solved ? solvedReports : Strings{});
        // The shelf's own state travels in a record whose shape the moves changed.
        played->FindObjectById("shelf")->Lock();
        const std::vector<uint8_t> saved = SavedObjects(*played);

        auto fresh = MakeRoom(c.shelfFirst);
        TWeightSystemObject& restored = ScalesOf(*fresh);
        ReadObjects(*fresh, saved);
        EXPECT_EQ(ChildrenOf(*fresh, "left"), c.left);
        EXPECT_EQ(ChildrenOf(*fresh, "right"), c.right);
        EXPECT_EQ(ChildrenOf(*fresh, "shelf"), c.shelf);
        EXPECT_TRUE(fresh->FindObjectById("shelf")->IsLocked());
        EXPECT_NEAR(restored.mAngle / kDegree, c.degrees, 0.01f);
        EXPECT_TRUE(restored.mBeam.finished);
        EXPECT_EQ(restored.IsSolved(), c.solved);
        EXPECT_EQ(SavedObjects(*fresh), saved);
        // The pans hang where the played room's do, the weights where they stood on them.
        restored.Update(0);
        EXPECT_EQ(SavedObjects(*fresh), saved);
        for (const char* id : {"left", "right", "w1", "w2", "w3", "heavy"}) {
            EXPECT_NEAR(fresh->FindObjectById(id)->GetX(), played->FindObjectById(id)->GetX(), 0.01f) << id;
            EXPECT_NEAR(fresh->FindObjectById(id)->GetY(), played->FindObjectById(id)->GetY(), 0.01f) << id;
        }
        // Solved stays final; the restored room does not report the solution a second time, nor one it
        // has not reached.
        restored.SetListener(&mListener);
        Step(restored, 1);
        EXPECT_EQ(restored.IsSolved(), c.solved);
        EXPECT_EQ(Reports(mListener), Strings{});
    }
}

// A room read back into itself: weights put on after the save go back to where they stood on their shelf,
// so the shelf's record reads into the right objects.
TEST_F(WeightSystemTest, WeightsPutOnAfterASaveGoBackHome) {
    struct Case {
        const char* what;
        Strings before, after;
        Strings left, right, shelf;
    };
    const Case cases[] = {
        {"all back, in reverse", {}, {"w3 right", "w1 left", "w2 left"}, {}, {}, {"w1", "w2", "w3", "heavy"}},
        {"one stays", {"w2 left"}, {"w3 right", "w1 left"}, {"w2"}, {}, {"w1", "w3", "heavy"}},
        // Passed from one pan to the other after the save: it goes back to the first pan.
        {"other pan", {"w1 left"}, {"w1 right", "w2 left"}, {"w1"}, {}, {"w2", "w3", "heavy"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto room = MakeRoom(true);
        TWeightSystemObject& scales = ScalesOf(*room);
        for (const std::string& put : c.before) {
            Put(scales, put);
        }
        Step(scales, 2);
        const std::vector<uint8_t> saved = SavedObjects(*room);
        std::map<std::string, std::pair<float, float>> places;
        for (const char* id : {"w1", "w2", "w3", "heavy"}) {
            places[id] = {room->FindObjectById(id)->mX, room->FindObjectById(id)->mY};
        }
        for (const std::string& put : c.after) {
            Put(scales, put);
            Step(scales, 0.05f);
        }
        ReadObjects(*room, saved);
        // Every weight stands where it stood at the save: on the shelf where it was loaded, on its pan
        // where the resting beam holds it.
        scales.Update(0);
        for (const auto& [id, place] : places) {
            EXPECT_EQ(room->FindObjectById(id)->mX, place.first) << id;
            EXPECT_EQ(room->FindObjectById(id)->mY, place.second) << id;
        }
        EXPECT_EQ(ChildrenOf(*room, "left"), c.left);
        EXPECT_EQ(ChildrenOf(*room, "right"), c.right);
        EXPECT_EQ(ChildrenOf(*room, "shelf"), c.shelf);
        EXPECT_EQ(SavedObjects(*room), saved);
    }
}

// A scales record that names what the room lacks, or is cut short, is refused whole: the pans keep what they
// carry and the shelf its weights.
TEST_F(WeightSystemTest, BrokenPlacementsAreRefused) {
    auto played = MakeRoom(false);
    Put(ScalesOf(*played), "w1 left");
    TBaseBuffer good;
    ScalesOf(*played).SaveState(good);
    std::vector<uint8_t> bytes = good.GetBytes();
    // The record starts: count 1, length 2, "w1".
    ASSERT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8),
              (std::vector<uint8_t>{1, 0, 0, 0, 2, 0, 'w', '1'}));
    struct Case {
        const char* what;
        std::vector<uint8_t> record;
        const char* log;
    };
    std::vector<uint8_t> unknown = bytes;
    unknown[7] = '9';
    std::vector<uint8_t> huge = bytes;
    huge[3] = 0x7f;
    std::vector<uint8_t> negative = bytes;
    negative[3] = 0xff;
    const Case cases[] = {
        {"unknown weight", unknown, "weight_system scales: saved object w9 not found for its pan"},
        {"count past the end", huge, "object state of hall.scales refused"},
        {"negative count", negative, "object state of hall.scales refused"},
        {"cut short", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 6), "object state of hall.scales refused"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto room = MakeRoom(false);
        TWeightSystemObject& scales = ScalesOf(*room);
        Put(scales, "w2 right");
        TBaseBuffer record;
        for (uint8_t byte : c.record) {
            record.WriteByte(byte);
        }
        EXPECT_FALSE(RestoreObjectState(scales, record));
        EXPECT_EQ(ChildrenOf(*room, "left"), Strings{});
        EXPECT_EQ(ChildrenOf(*room, "right"), Strings{"w2"});
        EXPECT_EQ(ChildrenOf(*room, "shelf"), (Strings{"w1", "w3", "heavy"}));
        EXPECT_TRUE(harness::LogContains(c.log));
    }
}

} // namespace
