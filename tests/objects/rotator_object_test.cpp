// Rotators turn their own image by a set number of turns per activation and report each finished turn.

#include <cmath>

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/rotator_object.h"

namespace {

using objtest::Advance;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TXml;

constexpr float kQuarter = 1.5707964f;

std::unique_ptr<TRotatorObject> MakeRotator(const std::string& attributes, const std::string& image = "") {
    TXml xml(R"(<object id="r" uae="done" )" + attributes + ">" + image + "</object>");
    auto rotator = std::make_unique<TRotatorObject>();
    rotator->LoadFromXml(xml.Root(), "");
    return rotator;
}

int Reports(TRecordingListener& listener) {
    int count = 0;
    for (const std::string& call : listener.Take()) {
        count += call == "unlock //done" ? 1 : 0;
    }
    return count;
}

TEST_F(ObjectTest, RotatorTurnsOnEachActivation) {
    struct Step {
        // "activate", "wait" or "save".
        const char* action;
        float seconds;
        float angle;
        int reports;
    };
    struct Case {
        const char* attributes;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {R"(turns="0.25" time="2")",
         {{"activate", 0, 0, 0},
          {"wait", 1.0f, kQuarter / 2, 0},
          // Ignored while turning.
          {"activate", 0, kQuarter / 2, 0},
          {"save", 0, -1, 0},
          {"wait", 1.05f, kQuarter, 1},
          {"wait", 1.0f, kQuarter, 0},
          {"activate", 0, kQuarter, 0},
          {"wait", 2.05f, 2 * kQuarter, 1}}},
        // One second without a time.
        {R"(turns="-0.25")", {{"activate", 0, 0, 0}, {"wait", 0.5f, -kQuarter / 2, 0}, {"wait", 0.55f, -kQuarter, 1}}},
        // No turn: reported on the first update.
        {R"(time="3")", {{"activate", 0, 0, 0}, {"wait", 0.01f, 0, 1}, {"save", 0, 0, 0}, {"wait", 1.0f, 0, 0}}},
    };
    for (const Case& c : cases) {
        for (const bool withSaves : {false, true}) {
            TRecordingListener listener;
            auto rotator = MakeRotator(c.attributes);
            rotator->SetListener(&listener);
            for (size_t i = 0; i < c.steps.size(); ++i) {
                const Step& step = c.steps[i];
                const std::string action = step.action;
                SCOPED_TRACE(std::string(c.attributes) + (withSaves ? " saved" : "") + " step " + std::to_string(i));
                if (action == "activate") {
                    rotator->Activate(0, 0, 0);
                } else if (action == "wait") {
                    Advance(*rotator, step.seconds, 0.01f);
                } else if (withSaves) {
                    TBaseBuffer saved;
                    rotator->SaveState(saved);
                    rotator = MakeRotator(c.attributes);
                    rotator->SetListener(&listener);
                    ASSERT_TRUE(RestoreObjectState(*rotator, saved));
                }
                if (step.angle != -1) {
                    EXPECT_NEAR(rotator->mRotImage.mAngle, step.angle, 0.02f);
                }
                EXPECT_EQ(Reports(listener), step.reports);
            }
        }
    }
}

TEST_F(ObjectTest, RotatorSavesItsRunningFlagAndAngle) {
    auto rotator = MakeRotator(R"(turns="0.5" time="1")");
    TBaseBuffer idle, running, plain;
    rotator->SaveState(idle);
    rotator->TObject::SaveState(plain);
    ASSERT_EQ(idle.GetSize(), plain.GetSize() + 5);
    EXPECT_EQ(std::vector<uint8_t>(idle.GetBytes().end() - 5, idle.GetBytes().end()),
              (std::vector<uint8_t>{0, 0, 0, 0, 0}));
    rotator->Activate(0, 0, 0);
    Advance(*rotator, 0.2f, 0.01f);
    rotator->SaveState(running);
    // Running, and the half turn it is making: 3142 thousandths.
    EXPECT_EQ(std::vector<uint8_t>(running.GetBytes().end() - 5, running.GetBytes().end()),
              (std::vector<uint8_t>{1, 0x46, 0x0C, 0, 0}));
    // Read back and saved again before an update reports the turn: the same record.
    auto restored = MakeRotator(R"(turns="0.5" time="1")");
    TBaseBuffer record;
    for (uint8_t byte : running.GetBytes()) {
        record.WriteByte(byte);
    }
    ASSERT_TRUE(RestoreObjectState(*restored, record));
    TBaseBuffer again;
    restored->SaveState(again);
    EXPECT_EQ(again.GetBytes(), running.GetBytes());
}

// Rooms show only the object; the developer view adds the turned image.
TEST_F(ObjectTest, RotatorDrawAllShowsTheTurnedImage) {
    WriteImage("needle.png", 4, 20, [](int, int y) { return y < 10 ? kRed : kGreen; });
    auto rotator =
        MakeRotator(R"(turns="0.25" time="0.5")", R"(<img filename="needle.png" x="16" y="16" pos_is_center="1"/>)");
    rotator->LoadResources();
    rotator->OnSpaceShow();
    BeginCanvas();
    rotator->Draw(1.0f);
    ExpectPixels({{16, 9, kBlack}, {16, 23, kBlack}});
    BeginCanvas();
    rotator->DrawAll();
    ExpectPixels({{16, 9, kRedPixel}, {16, 23, kGreenPixel}, {23, 16, kBlack}});
    rotator->Activate(0, 0, 0);
    Advance(*rotator, 0.6f, 0.01f);
    BeginCanvas();
    rotator->DrawAll();
    ExpectPixels({{16, 9, kBlack}, {23, 16, kRedPixel}, {9, 16, kGreenPixel}});
    rotator->mVisible = false;
    BeginCanvas();
    rotator->DrawAll();
    ExpectPixels({{23, 16, kBlack}});
}

TEST(SimpleObjectListTest, DoneEffectsAreDeletedAfterThePass) {
    struct TCountdown : TSimpleObject {
        explicit TCountdown(const std::string& name, int updates) : left(updates) { mName = name; }
        void Update(float) override { mDone = --left <= 0; }
        int left;
    };
    TSimpleObjectList list;
    list.Add(std::make_unique<TCountdown>("a", 1));
    list.Add(std::make_unique<TCountdown>("b", 2));
    list.Add(std::make_unique<TCountdown>("a", 3));
    EXPECT_EQ(static_cast<TCountdown*>(list.Find("a"))->left, 1);
    list.Update(0.1f);
    ASSERT_EQ(list.Size(), 2u);
    EXPECT_EQ(static_cast<TCountdown*>(list.Find("a"))->left, 2);
    EXPECT_EQ(list.Find("c"), nullptr);
    list.Update(0.1f);
    EXPECT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.Find("b"), nullptr);
    list.Clear();
    EXPECT_EQ(list.Find("a"), nullptr);
}

} // namespace
