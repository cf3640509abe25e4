// Blending objects fade in and out once and then raise event 0; note items show a collection item,
// dimmed until it is collected, with a points label that fades in on hover and is drawn only by DrawAll.

#include "app/buffer.h"
#include "harness/harness.h"
#include "object_test_support.h"
#include "objects/collection_objects.h"
#include "objects/fading_objects.h"
#include "windows/controls_fixture.h"
#include "windows/text_label.h"

namespace {

using objtest::Advance;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using Strings = std::vector<std::string>;

class BlendingTest : public ObjectTest {
protected:
    std::unique_ptr<TBlendingObject> Make(const std::string& attributes) {
        auto blend = Load<TBlendingObject>(R"(id="glow" uae="door" )" + attributes);
        blend->SetListener(&mListener);
        return blend;
    }
    TRecordingListener mListener;
};

TEST_F(BlendingTest, FadesInAndOutOnceThenRaisesEventZero) {
    struct Step {
        const char* action;
        float seconds;
        float alpha;
        Strings heard;
    };
    const Strings kEvent = {"unlock //door"};
    const Step steps[] = {
        {"wait", 1.0f, 0, {}},
        {"activate", 0, 0, {}},
        {"wait", 0.5f, 0.5f, {}},
        {"wait", 0.5f, 1.0f, {}},
        {"wait", 0.5f, 0.5f, {}},
        // Each segment's end drops the rest of its 10 ms update, so the last one ends a little late.
        {"wait", 0.55f, 0, kEvent},
        {"wait", 1.0f, 0, {}},
        {"save", 0, 0, {}},
        // Again from 0, and a second activation half way starts over.
        {"activate", 0, 0, {}},
        {"wait", 0.75f, 0.75f, {}},
        {"activate", 0, 0.75f, {}},
        {"wait", 0.25f, 0.25f, {}},
        {"wait", 1.8f, 0, kEvent},
    };
    for (const bool withSave : {false, true}) {
        SCOPED_TRACE(withSave ? "saved" : "plain");
        auto blend = Make(R"(time="0.5" alpha="1")");
        EXPECT_EQ(blend->mAlpha, 0);
        for (size_t i = 0; i < std::size(steps); ++i) {
            const Step& step = steps[i];
            const std::string action = step.action;
            SCOPED_TRACE(std::to_string(i) + " " + action);
            if (action == "activate") {
                blend->Activate(0, 0, 0);
            } else if (action == "wait") {
                Advance(*blend, step.seconds, 0.01f);
            } else if (withSave) {
                TBaseBuffer saved;
                blend->SaveState(saved);
                blend = Make(R"(time="0.5" alpha="1")");
                ASSERT_TRUE(RestoreObjectState(*blend, saved));
            }
            EXPECT_NEAR(blend->mAlpha, step.alpha, 0.021f);
            EXPECT_EQ(mListener.Take(), step.heard);
        }
    }
}

TEST_F(BlendingTest, StartsOnLoadOrOnShowAndNeverHangsWithoutTime) {
    struct Case {
        const char* attributes;
        bool show;
        // Alpha 0.3 s after loading (and showing), and whether the event came within 2 s.
        float alpha;
        bool event;
    };
    const Case cases[] = {
        {R"(time="0.3" active="1")", false, 0.5f, true},
        {R"(time="0.3" onshow="1")", true, 0.5f, true},
        {R"(time="0.3" onshow="1")", false, 0, false},
        {R"(time="0.3")", true, 0, false},
        // Zero and negative times: each segment ends in one update.
        {R"(time="0" active="1")", false, 0, true},
        {R"(time="-0.3" active="1")", false, 0.5f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto blend = Make(c.attributes);
        EXPECT_EQ(blend->mAlpha, 0);
        if (c.show) {
            blend->OnSpaceShow();
        }
        Advance(*blend, 0.3f, 0.01f);
        EXPECT_NEAR(blend->mAlpha, c.alpha, 0.04f);
        Advance(*blend, 1.7f, 0.01f);
        EXPECT_EQ(mListener.Take(), c.event ? Strings{"unlock //door"} : Strings{});
    }
    // Hiding the space of an on-show object clears it at once.
    auto blend = Make(R"(time="0.3" onshow="1")");
    blend->OnSpaceShow();
    Advance(*blend, 0.3f, 0.01f);
    blend->OnSpaceHide();
    EXPECT_EQ(blend->mAlpha, 0);
}

TEST_F(BlendingTest, DrawsItsPictureAtTheCyclersAlpha) {
    WriteSolidImage("textures/glow.png", 4, 4, kRed);
    // Long segments, so that the 10 ms updates land close to the peak.
    auto blend = Make(R"(name="glow.png" time="5")");
    blend->LoadResources();
    blend->OnSpaceShow();
    BeginCanvas();
    blend->Draw(1.0f);
    ExpectPixels({{1, 1, kBlack}});
    blend->Activate(0, 0, 0);
    Advance(*blend, 5.0f, 0.01f);
    BeginCanvas();
    blend->Draw(1.0f);
    ExpectPixels({{1, 1, {128, 0, 0, 255}}, {5, 5, kBlack}});
    Advance(*blend, 5.0f, 0.01f);
    BeginCanvas();
    blend->Draw(1.0f);
    ExpectPixels({{1, 1, kRedPixel}});
}

// ---- note items ----

// The registry: the "birds" collection holds a collected robin (7 points) and a wren still to find.
void FillRegistry() {
    TCollectionsRegistry* registry = TCollectionsRegistry::CreateInstance();
    registry->mCollections = {
        {"birds", {{"robin", "robin.png", 7, true}, {"wren", "wren.png", 3, false}}, "birds.png"}};
}

class NoteItemTest : public wintest::ControlsTest {
protected:
    void TearDown() override {
        TCollectionsRegistry::DestroyInstance();
        wintest::ControlsTest::TearDown();
    }
};

TEST_F(NoteItemTest, TakesItsItemFromTheRegistry) {
    struct Case {
        const char* id;
        bool registry;
        const char* image;
        float factor;
        // The object's alpha after its pictures load, given alpha 0.8.
        float alpha;
        const wchar_t* label;
    };
    const Case cases[] = {
        {"robin", true, "robin.png", 1.0f, 0.8f, L"7 points"},
        {"wren", true, "wren.png", 0.3f, 0.24f, L"3 points"},
        // Without its item the object keeps its own picture and alpha instead of turning invisible.
        {"owl", true, "textures/own.png", 1.0f, 0.8f, L""},
        {"robin", false, "textures/own.png", 1.0f, 0.8f, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.id) + (c.registry ? "" : " no registry"));
        if (c.registry) {
            FillRegistry();
        }
        auto note = Load<TNoteCollectionItemObject>(std::string("id=\"") + c.id +
                                                    R"(" name="own.png" alpha="0.8" tx="5" ty="6")");
        EXPECT_EQ(note->mImageName, c.image);
        EXPECT_EQ(note->mAlphaFactor, c.factor);
        EXPECT_EQ(note->GetLabel()->mText, c.label);
        EXPECT_EQ(note->GetLabel()->GetX(), 5);
        EXPECT_EQ(note->GetLabel()->GetY(), 6);
        EXPECT_EQ(note->mFadeTime, 0.2f);
        note->LoadResources();
        EXPECT_NEAR(note->mAlpha, c.alpha, 1e-6f);
        // Loading the pictures again does not dim them further.
        note->UnloadResources();
        note->LoadResources();
        EXPECT_NEAR(note->mAlpha, c.alpha, 1e-6f);
        // Every alpha given is scaled; one whose share leaves 0..1 is ignored.
        note->SetAlpha(0.5f);
        EXPECT_NEAR(note->mAlpha, 0.5f * c.factor, 1e-6f);
        note->SetAlpha(4.0f);
        EXPECT_NEAR(note->mAlpha, 0.5f * c.factor, 1e-6f);
        TCollectionsRegistry::DestroyInstance();
    }
    EXPECT_TRUE(harness::LogContains("note_collection_item owl: no collection item of that id, shown as it is"));
}

TEST_F(NoteItemTest, LabelFadesInOverACollectedItem) {
    struct Step {
        const char* action;
        float seconds;
        float label;
    };
    const Step robin[] = {
        {"enter", 0, 0},        {"wait", 0.1f, 0.5f}, {"wait", 0.2f, 1.0f},  {"save", 0, 1.0f},  {"leave", 0, 1.0f},
        {"wait", 0.05f, 0.75f}, {"enter", 0, 0.75f},  {"wait", 0.05f, 1.0f}, {"leave", 0, 1.0f}, {"wait", 0.3f, 0},
    };
    const Step wren[] = {{"enter", 0, 0}, {"wait", 0.3f, 0}, {"save", 0, 0}, {"leave", 0, 0}, {"wait", 0.3f, 0}};
    const std::pair<const char*, std::vector<Step>> cases[] = {
        {"robin", {std::begin(robin), std::end(robin)}},
        {"wren", {std::begin(wren), std::end(wren)}},
    };
    FillRegistry();
    for (const auto& [id, steps] : cases) {
        for (const bool withSave : {false, true}) {
            SCOPED_TRACE(std::string(id) + (withSave ? " saved" : ""));
            const std::string attributes = std::string("id=\"") + id + "\"";
            auto note = Load<TNoteCollectionItemObject>(attributes);
            for (const Step& step : steps) {
                const std::string action = step.action;
                SCOPED_TRACE(action);
                if (action == "enter") {
                    note->OnMouseEnter(0, 0);
                } else if (action == "leave") {
                    note->OnMouseLeave(0, 0);
                } else if (action == "wait") {
                    Advance(*note, step.seconds, 0.01f);
                } else if (withSave) {
                    // Only the object's record is saved: the label starts hidden again.
                    TBaseBuffer saved;
                    note->SaveState(saved);
                    TBaseBuffer plain;
                    note->TObject::SaveState(plain);
                    EXPECT_EQ(saved.GetSize(), plain.GetSize());
                    note = Load<TNoteCollectionItemObject>(attributes);
                    ASSERT_TRUE(RestoreObjectState(*note, saved));
                    note->OnMouseEnter(0, 0);
                    Advance(*note, 0.3f, 0.01f);
                }
                EXPECT_NEAR(note->GetLabel()->mAlpha, step.label, 0.03f);
            }
        }
    }
}

TEST_F(NoteItemTest, DrawAllAddsTheLabelTheRoomDoesNotDraw) {
    WriteSolidImage("robin.png", 4, 4, kRed);
    WriteSolidImage("wren.png", 4, 4, kRed);
    FillRegistry();
    struct Case {
        const char* id;
        TRgba picture;
        bool label;
    };
    // Red at 0.3 over white keeps the red channel and 70 % of the others.
    const Case cases[] = {{"robin", kRedPixel, true}, {"wren", {255, 178, 178, 255}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        auto note = Load<TNoteCollectionItemObject>(std::string("id=\"") + c.id + R"(" tx="10" ty="10")");
        note->LoadResources();
        note->OnSpaceShow();
        // On a label 7 wide the tiny font draws "AB" from column 10, rows 17 to 20 (20 high, centred ascent).
        note->GetLabel()->mText = L"AB";
        note->GetLabel()->mWidth = 7;
        note->OnMouseEnter(0, 0);
        Advance(*note, 0.3f, 0.01f);
        BeginCanvas(kWhitePixel);
        note->Draw(1.0f);
        ExpectPixels({{1, 1, c.picture}, {10, 19, kWhitePixel}, {6, 6, kWhitePixel}});
        BeginCanvas(kWhitePixel);
        note->DrawAll();
        ExpectPixels({{1, 1, c.picture}, {10, 19, c.label ? kBlack : kWhitePixel}, {9, 19, kWhitePixel}});
    }
}

} // namespace
