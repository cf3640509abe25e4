// Image-cycling objects: the next image by click or by activation, the parents solved by their children's
// images, and the echo of a spinner elsewhere in the room.

#include "app/buffer.h"
#include "harness/harness.h"
#include "object_test_support.h"
#include "objects/cycling_objects.h"
#include "objects/spinner_objects.h"
#include "rooms/game_space.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TXml;

// Three 8 x 8 images, red, green and blue, at (x, 0).
std::string Images(int x) {
    std::string images;
    for (const char* name : {"c0.png", "c1.png", "c2.png"}) {
        images += R"(<img filename=")" + std::string(name) + R"(" x=")" + std::to_string(x) + R"(" y="0"/>)";
    }
    return images;
}

class CyclingTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("c0.png", 8, 8, kRed);
        WriteSolidImage("c1.png", 8, 8, kGreen);
        WriteSolidImage("c2.png", 8, 8, kBlue);
        TObjectFactory::CreateInstance();
    }

    // Loads a scene as a room does; its first object is returned, listened to and with textures loaded.
    template <typename T> T* LoadScene(const std::string& objects) {
        TXml xml("<scene>" + objects + "</scene>");
        mSpace = std::make_unique<TGameSpace>();
        mSpace->LoadObjectsFromXml(xml.Root(), "");
        for (const auto& object : mSpace->GetObjects()) {
            object->SetListener(&mListener);
            object->LoadResources();
        }
        return dynamic_cast<T*>(mSpace->GetObjects().at(0).get());
    }

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

std::string ClickChild(const std::string& id, int x, const std::string& attributes) {
    return R"(<object type="change_on_click" id=")" + id + R"(" )" + attributes + ">" + Images(x) + "</object>";
}

// Each accepted click fades the next image in; the parent reports after any click once every child is right.
TEST_F(CyclingTest, ClickedImagesCycleAndTheParentJudgesAfterEachClick) {
    struct Step {
        // "click" at x, "wait" seconds or "save".
        const char* action;
        float value;
        int first, second;
        float firstAlpha;
        int solved;
    };
    const std::vector<Step> steps = {
        // The first child starts at its last image: the click shows the first again.
        {"click", 4, 0, 1, 0, 0},
        {"wait", 0.1f, 0, 1, 0.5f, 0},
        {"wait", 0.15f, 0, 1, 1, 0},
        {"click", 14, 0, 2, 1, 0},
        {"save", 0, 0, 2, 1, 0},
        {"click", 4, 1, 2, 0, 1},
        // Every further click while both are right reports again.
        {"click", 14, 1, 0, 0, 0},
        {"click", 14, 1, 1, 0, 0},
        {"click", 14, 1, 2, 0, 1},
        // Outside every child: no report.
        {"click", 30, 1, 2, 0, 0},
    };
    const std::string scene = R"(<object type="change_on_clickp" id="p" uae="done">)" +
                              ClickChild("a", 0, R"(cur_idx="2" correct_idx="1")") +
                              ClickChild("b", 10, R"(cur_idx="1" correct_idx="2" morphing_time="0.4")") + "</object>";
    for (const bool withSaves : {false, true}) {
        auto* parent = LoadScene<TChangeOnClickParentObject>(scene);
        ASSERT_NE(parent, nullptr);
        for (size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            const std::string action = step.action;
            SCOPED_TRACE((withSaves ? "saved step " : "step ") + std::to_string(i));
            if (action == "click") {
                EXPECT_EQ(parent->OnMouseDown(At(static_cast<int>(step.value), 4)), step.value < 20);
            } else if (action == "wait") {
                Advance(*parent->GetChildren()[0], step.value, 0.01f);
            } else if (withSaves) {
                std::vector<TBaseBuffer> saved(2);
                for (size_t k = 0; k < 2; ++k) {
                    parent->GetChildren()[k]->SaveState(saved[k]);
                }
                parent = LoadScene<TChangeOnClickParentObject>(scene);
                for (size_t k = 0; k < 2; ++k) {
                    ASSERT_TRUE(RestoreObjectState(*parent->GetChildren()[k], saved[k]));
                }
            }
            auto* first = dynamic_cast<TChangeOnClickObject*>(parent->GetChildren()[0].get());
            auto* second = dynamic_cast<TChangeOnClickObject*>(parent->GetChildren()[1].get());
            EXPECT_EQ(first->mCurrent, step.first);
            EXPECT_EQ(second->mCurrent, step.second);
            if (action != "save") {
                EXPECT_NEAR(first->mImages[first->mCurrent]->mAlpha, step.firstAlpha, 0.02f);
            }
            EXPECT_EQ(Count("unlock //done"), step.solved);
        }
    }
}

TEST_F(CyclingTest, ClickedImageSavesItsIndex) {
    auto* object = LoadScene<TChangeOnClickObject>(ClickChild("a", 0, R"(cur_idx="2")"));
    TBaseBuffer plain, saved;
    object->TObject::SaveState(plain);
    object->SaveState(saved);
    ASSERT_EQ(saved.GetSize(), plain.GetSize() + 4);
    EXPECT_EQ(std::vector<uint8_t>(saved.GetBytes().end() - 4, saved.GetBytes().end()),
              (std::vector<uint8_t>{2, 0, 0, 0}));
    // A stored index outside the images is refused; so is a bad "cur_idx".
    TBaseBuffer bad;
    for (size_t i = 0; i + 4 < saved.GetBytes().size(); ++i) {
        bad.WriteByte(saved.GetBytes()[i]);
    }
    bad.WriteInt32(7);
    auto* other = LoadScene<TChangeOnClickObject>(ClickChild("a", 0, R"(cur_idx="9" correct_idx="5")"));
    EXPECT_EQ(other->mCurrent, 0);
    EXPECT_TRUE(harness::LogContains("change_on_click a: cur_idx 9 outside its 3 images, the first shown"));
    EXPECT_TRUE(harness::LogContains("change_on_click a: correct_idx 5 outside its 3 images, never correct"));
    ASSERT_TRUE(RestoreObjectState(*other, bad));
    EXPECT_EQ(other->mCurrent, 0);
    EXPECT_TRUE(harness::LogContains("change_on_click a: saved image 7 of 3 refused"));
}

std::string ActivateChild(const std::string& id, const std::string& attributes) {
    return R"(<object type="change_on_activate" id=")" + id + R"(" alpha_time="0.2" )" + attributes + ">" + Images(0) +
           "</object>";
}

// Activation fades the image out and the next one in; the parent is solved once both show the wanted images.
TEST_F(CyclingTest, ActivatedImagesCycleAndTheParentIsSolvedOnce) {
    struct Step {
        // "activate" child k, or "wait" seconds.
        const char* action;
        float value;
        int first, second;
        float firstAlpha;
        int solved;
    };
    const std::vector<Step> steps = {
        {"activate", 0, 0, 0, 1, 0},
        {"wait", 0.1f, 0, 0, 0.5f, 0},
        // Ignored during the fade.
        {"activate", 0, 0, 0, 0.5f, 0},
        // The fade-out ends: the next image fades in.
        {"wait", 0.11f, 1, 0, 0.05f, 0},
        {"wait", 0.1f, 1, 0, 0.55f, 0},
        {"wait", 0.11f, 1, 0, 1, 0},
        {"activate", 1, 1, 0, 1, 0},
        {"wait", 0.21f, 1, 1, 1, 0},
        {"activate", 0, 1, 1, 1, 0},
        // Wanted "2,1": solved as soon as the index counts, while the image still fades in.
        {"wait", 0.21f, 2, 1, 0.05f, 1},
        {"activate", 0, 2, 1, 0.05f, 0},
        {"wait", 0.5f, 2, 1, 1, 0},
        // Solved once: the locked parent no longer judges.
        {"activate", 0, 2, 1, 1, 0},
        {"wait", 0.21f, 0, 1, 0.05f, 0},
        {"activate", 0, 0, 1, 0.05f, 0},
    };
    auto* parent = LoadScene<TChangeOnActivateParentObject>(
        R"(<object type="change_on_activatep" id="p" uae="done" idxs="2,1">)" + ActivateChild("a", "") +
        ActivateChild("b", R"(cur_idx="0")") + "</object>");
    ASSERT_EQ(parent->mCyclers.size(), 2u);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        const std::string action = step.action;
        SCOPED_TRACE("step " + std::to_string(i));
        if (action == "activate") {
            parent->mCyclers[static_cast<size_t>(step.value)]->Activate(0, 0, 0);
        } else {
            // The parent updates its children first, then judges them.
            Advance(*parent, step.value, 0.01f);
        }
        EXPECT_EQ(parent->mCyclers[0]->mCurrent, step.first);
        EXPECT_EQ(parent->mCyclers[1]->mCurrent, step.second);
        EXPECT_NEAR(parent->mCyclers[0]->mImages[parent->mCyclers[0]->mCurrent]->mAlpha, step.firstAlpha, 0.06f);
        EXPECT_EQ(Count("unlock //done"), step.solved);
    }
    EXPECT_TRUE(parent->IsLocked());
}

TEST_F(CyclingTest, ActivatedParentWithShortListIsNeverSolved) {
    auto* parent =
        LoadScene<TChangeOnActivateParentObject>(R"(<object type="change_on_activatep" id="p" uae="done" idxs="0">)" +
                                                 ActivateChild("a", "") + ActivateChild("b", "") + "</object>");
    EXPECT_TRUE(harness::LogContains("change_on_activatep p: 1 wanted images for 2 children, never solved"));
    parent->Update(0.01f);
    EXPECT_EQ(Count("unlock //done"), 0);
    EXPECT_FALSE(parent->IsLocked());
    // A bad "cur_idx" starts at the first image; -1 (the default) means the first.
    auto* bad = LoadScene<TChangeOnActivateObject>(ActivateChild("c", R"(cur_idx="3")"));
    EXPECT_EQ(bad->mCurrent, 0);
    EXPECT_TRUE(harness::LogContains("change_on_activate c: cur_idx 3 outside its 3 images, the first shown"));
    EXPECT_EQ(LoadScene<TChangeOnActivateObject>(ActivateChild("d", R"(cur_idx="1")"))->mCurrent, 1);
    // Without children it is not solved either.
    auto* empty = LoadScene<TChangeOnActivateParentObject>(R"(<object type="change_on_activatep" id="q" uae="done"/>)");
    empty->Update(0.01f);
    EXPECT_EQ(Count("unlock //done"), 0);
}

// Drawn by the added views only: the previous image under the one fading in, and the echo of a spinner.
TEST_F(CyclingTest, DrawAllShowsTheImagesOfTheCycle) {
    auto* object = LoadScene<TChangeOnClickObject>(ClickChild("a", 0, R"(morphing_time="0.2")"));
    BeginCanvas();
    object->Draw(1.0f);
    ExpectPixels({{4, 4, kBlack}});
    BeginCanvas();
    object->DrawAll();
    ExpectPixels({{4, 4, kRedPixel}, {8, 4, kBlack}});
    object->OnMouseDown(At(4, 4));
    Advance(*object, 0.1f, 0.01f);
    BeginCanvas();
    object->DrawAll();
    // Green at half alpha over red.
    EXPECT_TRUE(NearColor(Pixel(4, 4), {128, 128, 0, 255}, 3));
    Advance(*object, 0.15f, 0.01f);
    BeginCanvas();
    object->DrawAll();
    ExpectPixels({{4, 4, kGreenPixel}});

    auto* cycler = LoadScene<TChangeOnActivateObject>(ActivateChild("c", R"(cur_idx="2")"));
    BeginCanvas();
    cycler->DrawAll();
    ExpectPixels({{4, 4, kBluePixel}, {8, 4, kBlack}});

    auto* echo = LoadScene<TSpinnerEchoObject>(
        R"(<object type="spinner_echo" id="e" objname="s">)" + Images(20) +
        R"(</object><object type="spinner" id="s" w="8" h="8" cob="1" dy="8" cur="1">)" + Images(0) + "</object>");
    BeginCanvas();
    echo->DrawAll();
    ExpectPixels({{24, 4, kBlack}});
    echo->OnSpaceShow();
    ASSERT_NE(echo->mSpinner, nullptr);
    BeginCanvas();
    echo->DrawAll();
    ExpectPixels({{24, 4, kGreenPixel}, {4, 4, kBlack}});
    echo->mSpinner->OnMouseDown(At(4, 4));
    BeginCanvas();
    echo->DrawAll();
    ExpectPixels({{24, 4, kRedPixel}});
}

TEST_F(CyclingTest, EchoWithoutItsSpinnerDrawsNoImage) {
    auto* echo = LoadScene<TSpinnerEchoObject>(R"(<object type="spinner_echo" id="e" objname="pocket.s">)" + Images(0) +
                                               R"(</object><object type="change_on_click" id="s"/>)");
    echo->OnSpaceShow();
    EXPECT_EQ(echo->mSpinner, nullptr);
    EXPECT_TRUE(harness::LogContains("spinner_echo e: no spinner pocket.s, nothing to echo"));
    auto* plain = LoadScene<TSpinnerEchoObject>(R"(<object type="spinner_echo" id="e" objname="s">)" + Images(0) +
                                                R"(</object><object type="change_on_click" id="s"/>)");
    plain->OnSpaceShow();
    EXPECT_EQ(plain->mSpinner, nullptr);
    BeginCanvas();
    plain->DrawAll();
    ExpectPixels({{4, 4, kBlack}});
}

} // namespace
