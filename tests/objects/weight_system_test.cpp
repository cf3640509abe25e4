// The scales: tools put scene objects onto the pans, the beam swings toward the heavier pan, and the
// puzzle is solved when both pans together carry the set weight.

#include <cmath>

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
        AddPan(*scales, "left", R"(tool="w1,w2,w3,heavy,ghost")", leftMax);
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
                // The pans' contents are the objects' own business; the scales keep only the common record.
                TBaseBuffer saved, plain;
                scales->SaveState(saved);
                scales->TObject::SaveState(plain);
                EXPECT_EQ(saved.GetBytes(), plain.GetBytes());
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

} // namespace
