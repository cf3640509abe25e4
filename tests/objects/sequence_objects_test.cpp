// Show sequences and frame items show one child at a time, on their own clocks; both go on after a save.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/sequence_objects.h"

namespace {

using objtest::Advance;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TXml;

// The object with three children a, b and c.
template <typename T> std::unique_ptr<T> MakeWithChildren(const std::string& attributes) {
    TXml xml("<object id=\"seq\" " + attributes + "/>");
    auto object = std::make_unique<T>();
    object->LoadFromXml(xml.Root(), "");
    for (const char* name : {"a", "b", "c"}) {
        auto* child = new TObject();
        child->mName = name;
        object->AddChild(child);
    }
    return object;
}

std::string Shown(const TObject& object) {
    std::string names;
    for (const auto& child : object.GetChildren()) {
        names += child->mVisible ? child->mName : "";
    }
    return names.empty() ? "-" : names;
}

struct Step {
    // "start", "activate", "wait" or "save".
    const char* action;
    float seconds;
    const char* shown;
    int events;
};

template <typename T>
void Play(
    const std::string& attributes, const std::vector<Step>& steps,
    const std::function<void(T&)>& start = [](T& object) { object.ActivateDefault(); }) {
    for (const bool withSaves : {false, true}) {
        TRecordingListener listener;
        objtest::TRecordingSpace space;
        auto object = MakeWithChildren<T>(attributes);
        object->SetListener(&listener);
        object->mSpace = &space;
        for (size_t i = 0; i < steps.size(); ++i) {
            const std::string action = steps[i].action;
            SCOPED_TRACE(attributes + (withSaves ? " saved" : "") + " step " + std::to_string(i) + " " + action);
            if (action == "start") {
                start(*object);
            } else if (action == "wait") {
                Advance(*object, steps[i].seconds, 0.001f);
            } else if (withSaves) {
                TBaseBuffer saved;
                object->SaveState(saved);
                object = MakeWithChildren<T>(attributes);
                object->SetListener(&listener);
                object->mSpace = &space;
                ASSERT_TRUE(RestoreObjectState(*object, saved));
            }
            EXPECT_EQ(Shown(*object), steps[i].shown);
            int events = 0;
            for (const std::string& call : listener.Take()) {
                events += call == "unlock //done" ? 1 : 0;
            }
            EXPECT_EQ(events, steps[i].events);
        }
    }
}

TEST_F(ObjectTest, ShowSequenceShowsEachChildInTurn) {
    Play<TShowSequenceObject>(R"(count="2" uae="done")", {
                                                             {"start", 0, "a", 0},
                                                             {"wait", 0.95f, "a", 0},
                                                             {"wait", 0.1f, "-", 0},
                                                             {"wait", 0.5f, "b", 0},
                                                             {"save", 0, "b", 0},
                                                             {"wait", 1.5f, "c", 0},
                                                             {"wait", 1.5f, "a", 0},
                                                             {"wait", 3.0f, "c", 0},
                                                             // Both passes made: all hidden, no event.
                                                             {"wait", 1.1f, "-", 0},
                                                             {"wait", 3.0f, "-", 0},
                                                         });
    // For ever, with its own times.
    Play<TShowSequenceObject>(R"(count="-1" showtime="0.2" delaytime="0.1")", {
                                                                                  {"start", 0, "a", 0},
                                                                                  {"wait", 0.75f, "c", 0},
                                                                                  {"save", 0, "c", 0},
                                                                                  {"wait", 2.7f, "c", 0},
                                                                                  {"wait", 0.3f, "a", 0},
                                                                              });
    // A locked sequence does not start, nor does an activation with an index.
    Play<TShowSequenceObject>(R"(locked="1")", {{"start", 0, "abc", 0}, {"wait", 2.0f, "abc", 0}});
    Play<TShowSequenceObject>("", {{"start", 0, "abc", 0}, {"wait", 2.0f, "abc", 0}},
                              [](TShowSequenceObject& object) { object.Activate(1, 0, 0); });
}

TEST_F(ObjectTest, ShowSequencePlaysItsSoundsForEachChildShown) {
    objtest::TRecordingSpace space;
    auto sequence = MakeWithChildren<TShowSequenceObject>(R"(sounda="ding" showtime="1" delaytime="0.5")");
    sequence->mSpace = &space;
    sequence->ActivateDefault();
    Advance(*sequence, 4.6f, 0.01f);
    EXPECT_EQ(space.mSounds.Take(), (std::vector<std::string>{"ding", "ding", "ding"}));
    EXPECT_EQ(Shown(*sequence), "-");
}

TEST_F(ObjectTest, FrameItemsAnimateItsChildren) {
    const auto activate = [](TCadrItemsObject& object) { object.Activate(0, 0, 0); };
    Play<TCadrItemsObject>(R"(speed="0.1" uae="done")",
                           {{"start", 0, "a", 0},
                            {"wait", 0.105f, "b", 0},
                            {"save", 0, "b", 0},
                            {"wait", 0.1f, "c", 0},
                            // The last frame stays.
                            {"wait", 0.1f, "c", 1},
                            {"wait", 1.0f, "c", 0}},
                           activate);
    Play<TCadrItemsObject>(R"(speed="0.1" count="2" uae="done")",
                           {{"start", 0, "a", 0},
                            {"wait", 0.405f, "b", 0},
                            {"save", 0, "b", 0},
                            {"wait", 0.2f, "c", 1},
                            {"wait", 1.0f, "c", 0}},
                           activate);
    Play<TCadrItemsObject>(
        R"(speed="0.1" count="-1" uae="done")",
        {{"start", 0, "a", 0}, {"wait", 1.005f, "b", 0}, {"save", 0, "b", 0}, {"wait", 1.0f, "c", 0}}, activate);
}

TEST_F(ObjectTest, FrameItemsWaitForActivationAndShowOnFirstEnter) {
    auto idle = MakeWithChildren<TCadrItemsObject>(R"(speed="0.1")");
    Advance(*idle, 1.0f);
    EXPECT_EQ(Shown(*idle), "abc");
    EXPECT_EQ(idle->mCurrentFrame, 0);
    idle->OnSpaceFirstShow();
    EXPECT_EQ(Shown(*idle), "a");

    auto hidden = MakeWithChildren<TCadrItemsObject>(R"(dovisibleonfirstenter="0")");
    hidden->OnSpaceFirstShow();
    EXPECT_EQ(Shown(*hidden), "abc");

    auto active = MakeWithChildren<TCadrItemsObject>(R"(active="1" speed="0.1")");
    active->OnSpaceFirstShow();
    Advance(*active, 0.105f, 0.01f);
    EXPECT_EQ(Shown(*active), "b");
    active->Deactivate(0, 0, 0);
    Advance(*active, 1.0f, 0.01f);
    EXPECT_EQ(Shown(*active), "b");
}

TEST_F(ObjectTest, FrameItemsRefuseASavedFramePastTheirChildren) {
    auto items = MakeWithChildren<TCadrItemsObject>(R"(speed="0.1")");
    items->mCurrentFrame = 5;
    TBaseBuffer saved;
    items->SaveState(saved);
    auto restored = MakeWithChildren<TCadrItemsObject>(R"(speed="0.1")");
    ASSERT_TRUE(RestoreObjectState(*restored, saved));
    EXPECT_EQ(restored->mCurrentFrame, 0);
    EXPECT_TRUE(harness::LogContains("frame items seq: saved frame 5 of 3 refused"));
}

// Frame items replace the object's drawing: a hidden one draws none of its frames.
TEST_F(ObjectTest, FrameItemsDrawTheirShownFrame) {
    WriteSolidImage("textures/red.png", 4, 4, kRed);
    WriteSolidImage("textures/green.png", 4, 4, kGreen);
    TXml xml(R"(<object id="items" speed="0.1"/>)");
    TCadrItemsObject items;
    items.LoadFromXml(xml.Root(), "");
    for (const char* name : {"red.png", "green.png"}) {
        auto* frame = new TObject();
        frame->mImageName = std::string("textures/") + name;
        items.AddChild(frame);
    }
    items.LoadResources();
    items.OnSpaceShow();
    items.Activate(0, 0, 0);
    BeginCanvas();
    items.Draw(1.0f);
    ExpectPixels({{1, 1, kRedPixel}});
    Advance(items, 0.105f, 0.01f);
    BeginCanvas();
    items.Draw(1.0f);
    ExpectPixels({{1, 1, kGreenPixel}});
    items.SetVisible(false);
    BeginCanvas();
    items.Draw(1.0f);
    ExpectPixels({{1, 1, kBlack}});
}

} // namespace

namespace {

// A finished frame-items object keeps its passes through a save, so its record reads back to the same bytes.
// Active but never shown (its container did not pass the first showing on): every frame still shows, and
// the record read back keeps them so, running on from its frame.
TEST_F(ObjectTest, ActiveFrameItemsNeverShownReadBackTheSame) {
    auto items = MakeWithChildren<TCadrItemsObject>(R"(active="1" speed="0.1")");
    TBaseBuffer saved;
    items->SaveState(saved);
    auto restored = MakeWithChildren<TCadrItemsObject>(R"(active="1" speed="0.1")");
    ASSERT_TRUE(RestoreObjectState(*restored, saved));
    EXPECT_EQ(Shown(*restored), Shown(*items));
    TBaseBuffer again;
    restored->SaveState(again);
    EXPECT_EQ(again.GetBytes(), saved.GetBytes());
    Advance(*restored, 0.15f, 0.01f);
    EXPECT_EQ(Shown(*restored), "b");
}

TEST_F(ObjectTest, FinishedFrameItemsRecordReadsBackTheSame) {
    for (const char* attributes : {R"(active="1" speed="0.1")", R"(active="1")"}) {
        SCOPED_TRACE(attributes);
        auto items = MakeWithChildren<TCadrItemsObject>(attributes);
        items->OnSpaceFirstShow();
        Advance(*items, 1.0f, 0.01f);
        EXPECT_FALSE(items->IsActive());
        TBaseBuffer saved;
        items->SaveState(saved);
        auto restored = MakeWithChildren<TCadrItemsObject>(attributes);
        ASSERT_TRUE(RestoreObjectState(*restored, saved));
        EXPECT_EQ(restored->mPassesDone, 1);
        TBaseBuffer again;
        restored->SaveState(again);
        EXPECT_EQ(again.GetBytes(), saved.GetBytes());
    }
}

} // namespace
