// Weight pans line up what they carry on their plate and carry it along; linked weights step back and forth
// together, and their parent is solved when all of them stand at one position.

#include "app/buffer.h"
#include "harness/harness.h"
#include "object_test_support.h"
#include "objects/weight_objects.h"
#include "rooms/game_space.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TTestTool;
using objtest::TXml;

class WeightTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("textures/weight.png", 4, 4, kRed);
        WriteSolidImage("textures/pan.png", 16, 2, kGreen);
        TObjectFactory::CreateInstance();
    }

    // Loads a scene as a room does; every object is listened to, loaded and shown.
    void LoadScene(const std::string& objects) {
        TXml xml("<scene>" + objects + "</scene>");
        mSpace = std::make_unique<TGameSpace>();
        mSpace->LoadObjectsFromXml(xml.Root(), "");
        for (const auto& object : mSpace->GetObjects()) {
            object->SetListener(&mListener);
            object->LoadResources();
        }
    }

    template <typename T> T* Find(const std::string& id) { return dynamic_cast<T*>(mSpace->FindObjectById(id)); }

    int Count(const std::string& line) {
        int count = 0;
        for (const std::string& call : mListener.Take()) {
            count += call == line ? 1 : 0;
        }
        return count;
    }

    std::unique_ptr<TGameSpace> mSpace;
    TRecordingListener mListener;
};

std::string Weight(const std::string& id, int w) {
    return R"(<object id=")" + id + R"(" w=")" + std::to_string(w) + R"(" h="10" cob="1"/>)";
}

TEST_F(WeightTest, PanLinesUpWhatItCarries) {
    LoadScene(R"(<object type="weight_part" id="pan" x="10" y="20" w="100" h="5" platew="100" platey="0" maxobj="3">)" +
              Weight("a", 20) + Weight("b", 20) + "</object>" + Weight("c", 20) +
              R"(<object id="cover" x="0" y="0" w="100" h="30" tcx="4" tcy="6"/>)");
    auto* pan = Find<TWeightPartObject>("pan");
    ASSERT_NE(pan, nullptr);
    EXPECT_EQ(pan->mMaxObjects, 3);
    auto place = [&](const std::string& id) {
        TObject* object = mSpace->FindObjectById(id);
        return std::to_string(static_cast<int>(object->mX)) + "," + std::to_string(static_cast<int>(object->mY));
    };
    // Centred on the plate, bottoms on the plate line: 30 and 50 from the pan.
    EXPECT_EQ(place("a"), "40,10");
    EXPECT_EQ(place("b"), "60,10");

    // A third object: the three are centred again.
    std::unique_ptr<TObject> c = std::move(mSpace->mObjects[1]);
    mSpace->mObjects.erase(mSpace->mObjects.begin() + 1);
    ASSERT_EQ(c->mName, "c");
    ASSERT_TRUE(pan->AddChild(c.get()));
    TObject* carried = c.release();
    EXPECT_EQ(place("a"), "30,10");
    EXPECT_EQ(place("b"), "50,10");
    EXPECT_EQ(place("c"), "70,10");
    EXPECT_FALSE(pan->AddChild(carried));

    // Taken off: the others keep their places.
    TObject* b = mSpace->FindObjectById("b");
    EXPECT_TRUE(pan->RemoveChild(b));
    std::unique_ptr<TObject> removed(b);
    EXPECT_EQ(place("a"), "30,10");
    EXPECT_EQ(place("c"), "70,10");

    // Moving the pan carries the objects and the cover.
    TObject* cover = mSpace->FindObjectById("cover");
    pan->mCover = cover;
    pan->SetPosition(0, 100, true);
    EXPECT_EQ(place("a"), "20,90");
    EXPECT_EQ(place("c"), "60,90");
    // Cover: pan's "tcx" 0 + 0 - 4, "tcy" 0 + 100 - 6.
    EXPECT_EQ(place("cover"), "-4,94");
}

TEST_F(WeightTest, PanHitsRectanglesAndTools) {
    LoadScene(R"(<object type="weight_part" id="pan" x="10" y="20" w="40" h="5" platew="40">)" + Weight("a", 10) +
              R"(</object><object type="weight_part" id="empty" platew="10" platey="4">)" + Weight("e", 4) +
              "</object>");
    auto* pan = Find<TWeightPartObject>("pan");
    TObject* a = mSpace->FindObjectById("a");
    // The carried object first.
    EXPECT_TRUE(pan->HitTest(30, 15, true));
    EXPECT_EQ(pan->GetHitObject(), a);
    // The pan's own rectangle, whatever its visibility or lock; its self test keeps both.
    pan->mVisible = false;
    pan->Lock();
    EXPECT_TRUE(pan->HitTest(12, 22, true));
    EXPECT_FALSE(pan->HitTestSelf(12, 22));
    pan->mVisible = true;
    EXPECT_TRUE(pan->HitTestSelf(12, 22));
    EXPECT_FALSE(pan->HitTest(12, 26, true));
    EXPECT_FALSE(pan->HitTestSelf(12, 26));

    a->mNeededTools = {"key"};
    TTestTool key("key"), other("saw");
    EXPECT_TRUE(pan->AcceptsTool(&key));
    EXPECT_FALSE(pan->AcceptsTool(&other));

    float rect[4];
    pan->GetRect(rect);
    EXPECT_EQ(std::vector<float>(rect, rect + 4), (std::vector<float>{10, 20, 40, 5}));
    // No size: the union of the children from an all-zero rectangle: e at (3, -6) 4 x 10.
    Find<TWeightPartObject>("empty")->GetRect(rect);
    EXPECT_EQ(std::vector<float>(rect, rect + 4), (std::vector<float>{0, -6, 7, 10}));
}

// The pan draws itself and its carried weight where the plate puts it.
TEST_F(WeightTest, PanDrawAllShowsTheCarriedWeight) {
    LoadScene(R"(<object type="weight_part" id="pan" name="pan.png" x="4" y="20" platex="2" platew="12" platey="0">)"
              R"(<object id="w" name="weight.png"/></object>)");
    auto* pan = Find<TWeightPartObject>("pan");
    pan->OnSpaceShow();
    pan->SetPosition(4, 20, true);
    BeginCanvas();
    pan->DrawAll();
    // The weight (4 x 4) centred on the plate 2..14 from x 4: x 4 + 2 + 4 = 10..13, y 16..19; the pan 4..19 x 20..21.
    ExpectPixels({{10, 16, kRedPixel},
                  {13, 19, kRedPixel},
                  {9, 17, kBlack},
                  {14, 17, kBlack},
                  {11, 15, kBlack},
                  {4, 20, kGreenPixel},
                  {19, 21, kGreenPixel}});
}

std::string LinkedWeight(const std::string& id, int y, const std::string& attributes) {
    return R"(<object type="conjunct_weight" id=")" + id + R"(" name="weight.png" mov_time="0.1" ppos="0,)" +
           std::to_string(y) + ";10," + std::to_string(y) + ";20," + std::to_string(y) + R"(" )" + attributes + "/>";
}

// Clicking a weight steps it and the weights linked to it; the parent is solved when all stand at one place.
TEST_F(WeightTest, LinkedWeightsStepTogetherUntilSolved) {
    struct Step {
        // "click" at (x, y), or "wait" x seconds.
        const char* action;
        float x, y;
        int a, b;
        int solved;
    };
    const std::vector<Step> steps = {
        // a steps forward; b, linked, steps back.
        {"click", 1, 1, 1, 0, 0},
        // A moving weight is not hit.
        {"click", 1, 1, 1, 0, 0},
        {"wait", 0.15f, 0, 1, 0, 0},
        // b has no links of its own.
        {"click", 1, 11, 1, 1, 0},
        // b is still moving: skipped.
        {"click", 11, 1, 2, 1, 0},
        {"wait", 0.15f, 0, 2, 1, 0},
        {"click", 11, 11, 2, 2, 0},
        {"wait", 0.01f, 0, 2, 2, 1},
        {"wait", 0.15f, 0, 2, 2, 0},
        // Solved and locked.
        {"click", 21, 1, 2, 2, 0},
        {"wait", 0.15f, 0, 2, 2, 0},
    };
    LoadScene(R"(<object type="conjunct_weightp" id="p" uae="done" cor_pos="2">)" +
              LinkedWeight("a", 0, R"(objs="b")") + LinkedWeight("b", 10, R"(cpos="1" inc="0")") + "</object>");
    auto* parent = Find<TConjunctWeightParentObject>("p");
    ASSERT_EQ(parent->mWeights.size(), 2u);
    auto* a = Find<TConjunctWeightObject>("a");
    auto* b = Find<TConjunctWeightObject>("b");
    a->OnSpaceShow();
    b->OnSpaceShow();
    parent->OnSpaceShow();
    ASSERT_EQ(a->mLinked.size(), 1u);
    EXPECT_FLOAT_EQ(b->mX, 10);
    EXPECT_FLOAT_EQ(b->mY, 10);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        const std::string action = step.action;
        SCOPED_TRACE("step " + std::to_string(i));
        if (action == "click") {
            parent->OnMouseDown(At(static_cast<int>(step.x), static_cast<int>(step.y)));
        } else {
            Advance(*parent, step.x, 0.01f);
        }
        EXPECT_EQ(a->mCurrentPos, step.a);
        EXPECT_EQ(b->mCurrentPos, step.b);
        EXPECT_EQ(Count("unlock //done"), step.solved);
        if (action == "wait" && step.x > 0.1f) {
            EXPECT_FLOAT_EQ(a->mX, 10.0f * static_cast<float>(step.a));
            EXPECT_FLOAT_EQ(b->mX, 10.0f * static_cast<float>(step.b));
        }
    }
    EXPECT_TRUE(parent->IsLocked());
    EXPECT_TRUE(a->IsLocked());
    EXPECT_TRUE(b->IsLocked());
    // Nothing of their own is saved.
    TBaseBuffer plain, saved;
    a->TObject::SaveState(plain);
    a->SaveState(saved);
    EXPECT_EQ(saved.GetBytes(), plain.GetBytes());
}

TEST_F(WeightTest, WeightWalksToEachEndAndTurns) {
    LoadScene(R"(<object type="conjunct_weightp" id="p" cor_pos="9">)" + LinkedWeight("a", 0, "") + "</object>");
    auto* a = Find<TConjunctWeightObject>("a");
    std::vector<int> walked;
    for (int click = 0; click < 5; ++click) {
        a->Step();
        walked.push_back(a->mCurrentPos);
        Advance(*a, 0.15f, 0.01f);
    }
    EXPECT_EQ(walked, (std::vector<int>{1, 2, 1, 0, 1}));
    EXPECT_FLOAT_EQ(a->mX, 10);
}

TEST_F(WeightTest, BadPositionsAndLinksAreRefused) {
    LoadScene(R"(<object type="conjunct_weight" id="one" name="weight.png" ppos="5,5" objs="ghost,two"/>)"
              R"(<object type="conjunct_weight" id="two" name="weight.png" ppos="0,0;9,9" cpos="4"/>)"
              R"(<object id="plain" objs=""/>)");
    auto* one = Find<TConjunctWeightObject>("one");
    auto* two = Find<TConjunctWeightObject>("two");
    EXPECT_TRUE(harness::LogContains("conjunct_weight one: 1 positions, it does not step"));
    EXPECT_TRUE(harness::LogContains("conjunct_weight two: cpos 4 outside its 2 positions, the first taken"));
    EXPECT_EQ(two->mCurrentPos, 0);
    one->OnSpaceShow();
    EXPECT_TRUE(harness::LogContains("conjunct_weight one: linked weight ghost not found, skipped"));
    ASSERT_EQ(one->mLinked.size(), 1u);
    EXPECT_EQ(one->mLinked[0], two);
    // One position: no step; its link still steps.
    EXPECT_TRUE(one->OnMouseDown(At(6, 6)));
    EXPECT_EQ(one->mCurrentPos, 0);
    EXPECT_FALSE(one->IsMoving());
    EXPECT_EQ(two->mCurrentPos, 1);
    // A parent without weights is solved at its first update.
    LoadScene(R"(<object type="conjunct_weightp" id="p" uae="done"/>)");
    Find<TConjunctWeightParentObject>("p")->Update(0.01f);
    EXPECT_EQ(Count("unlock //done"), 1);
}

// A linked weight draws itself where its steps have taken it.
TEST_F(WeightTest, LinkedWeightIsDrawnWhereItWalked) {
    LoadScene(LinkedWeight("a", 4, ""));
    auto* a = Find<TConjunctWeightObject>("a");
    a->OnSpaceShow();
    BeginCanvas();
    a->Draw(1.0f);
    ExpectPixels({{1, 5, kRedPixel}, {11, 5, kBlack}});
    a->Step();
    Advance(*a, 0.05f, 0.01f);
    BeginCanvas();
    a->Draw(1.0f);
    ExpectPixels({{6, 5, kRedPixel}, {1, 5, kBlack}, {11, 5, kBlack}});
    Advance(*a, 0.1f, 0.01f);
    BeginCanvas();
    a->Draw(1.0f);
    ExpectPixels({{11, 5, kRedPixel}, {6, 5, kBlack}});
}

} // namespace
