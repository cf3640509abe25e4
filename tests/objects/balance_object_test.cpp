// The magnet balance: the ball's place from the magnets and the knob, shown on the indicators, the middle
// reported once, the armed knob reported at its upper bound, and parts or values it cannot use refused.

#include <algorithm>
#include <cmath>

#include "app/buffer.h"
#include "harness/harness.h"
#include "object_test_support.h"
#include "objects/balance_object.h"
#include "objects/clock_objects.h"
#include "objects/slider_objects.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TRecordingSpace;
using objtest::TXml;

using Strings = std::vector<std::string>;

constexpr float kRadiansPerDegree = 0.017453292f;

// The seven parts: three drag-slider magnets (a 100-pixel track, thumb 8 x 8), the knob (0..90 degrees,
// turning about 200,100), the two indicators and the ball.
std::string Parts(const std::string& knob = R"(lbound="0" ubound="90")") {
    std::string text;
    for (int i = 1; i <= 3; ++i) {
        text += "<object id=\"magnet" + std::to_string(i) + "\" type=\"dragslider\" x=\"0\" y=\"" +
                std::to_string(i * 20) + R"(" length="100" thumb="thumb.png"/>)";
    }
    text += R"(<object id="magnet4" type="limitedarrow" x="200" y="100" w="60" h="60" cob="1" )" + knob + "/>";
    text += R"(<object id="balance_left" type="slider" x="0" y="200" length="100" thumb="thumb.png"/>)";
    text += R"(<object id="balance_right" type="slider" x="0" y="220" length="100" thumb="thumb.png"/>)";
    return text + R"(<object id="ball"/>)";
}

class BalanceTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        TObjectFactory::CreateInstance();
        WriteSolidImage("f/thumb.png", 8, 8, kRed);
    }

    TBalanceObject* Build(const std::string& values = "10,20,30,40,100", const std::string& parts = Parts()) {
        mSpace = std::make_unique<TRecordingSpace>();
        TXml xml(R"(<scene><object id="beam" type="balance_object" uae="door;bell;lid" values=")" + values + "\">" +
                 parts + "</object></scene>");
        mSpace->LoadObjectsFromXml(xml.Root(), "f/");
        auto* balance = dynamic_cast<TBalanceObject*>(mSpace->mObjects.at(0).get());
        balance->SetListener(&mListener);
        balance->LoadResources();
        return balance;
    }

    Strings Heard() {
        Strings heard;
        for (const std::string& call : mListener.Take()) {
            if (call.rfind("unlock", 0) == 0) {
                heard.push_back(call);
            }
        }
        return heard;
    }

    std::unique_ptr<TRecordingSpace> mSpace;
    TRecordingListener mListener;
};

TEST_F(BalanceTest, MagnetsAndKnobMoveTheBall) {
    struct Step {
        // "show", "press" (beside every part), "release", "magnet I V", "knob DEGREES" (held), "letgo",
        // "activate", "wait SECONDS", "save".
        std::string action;
        float right;
        Strings heard;
    };
    const std::vector<Step> steps = {
        // 40 of 100 from the knob at its lower bound.
        {"show", 0.4f, {}},
        {"magnet 1 1", 0.4f, {}},
        // A press re-computes: 50, the middle; the indicators glide there in half a second.
        {"press", 0.4f, {"unlock //door"}},
        {"wait 0.25", 0.45f, {}},
        {"wait 0.3", 0.5f, {}},
        {"save", 0.5f, {}},
        {"magnet 1 0", 0.5f, {}},
        {"release", 0.5f, {}},
        {"wait 0.6", 0.4f, {}},
        // The middle is reported once in the balance's life.
        {"magnet 3 0.34", 0.4f, {}},
        {"press", 0.4f, {}},
        {"wait 0.6", 0.5f, {}},
        {"activate", 0.5f, {}},
        // 80 degrees of 90: (1 - 0.889) x 40 = 4, plus 10 from the third magnet.
        {"knob 80", 0.5f, {}},
        {"wait 0.1", 0.5f, {}},
        {"letgo", 0.5f, {}},
        {"wait 0.01", 0.5f, {"unlock //lid"}},
        {"release", 0.5f, {}},
        {"wait 0.6", 0.14f, {}},
        {"knob 50", 0.14f, {}},
        {"letgo", 0.14f, {}},
        {"wait 0.1", 0.14f, {}},
    };
    for (const bool withSave : {false, true}) {
        TBalanceObject* balance = Build();
        for (const Step& step : steps) {
            SCOPED_TRACE(step.action + (withSave ? " saved" : ""));
            const std::string verb = step.action.substr(0, step.action.find(' '));
            const std::string rest = step.action.substr(step.action.find(' ') + 1);
            if (verb == "show") {
                balance->OnSpaceShow();
            } else if (verb == "press") {
                balance->OnMouseDown(At(600, 600));
            } else if (verb == "release") {
                balance->OnMouseUp(At(600, 600));
            } else if (verb == "magnet") {
                balance->mMagnets[std::stoi(rest) - 1]->SetValue(std::stof(rest.substr(2)));
            } else if (verb == "knob") {
                balance->mKnob->mAngle = std::stof(rest) * kRadiansPerDegree;
                balance->mKnob->mDragging = true;
            } else if (verb == "letgo") {
                balance->mKnob->mDragging = false;
            } else if (verb == "activate") {
                balance->ActivateDefault();
            } else if (verb == "wait") {
                Advance(*balance, std::stof(rest), 0.01f);
            } else if (verb == "save" && withSave) {
                TBaseBuffer saved;
                balance->SaveState(saved);
                balance = Build();
                balance->OnSpaceShow();
                Heard();
                ASSERT_TRUE(RestoreObjectState(*balance, saved));
            }
            EXPECT_NEAR(balance->mRight->mValue, step.right, 0.011f);
            EXPECT_NEAR(balance->mLeft->mValue, 1.0f - step.right, 0.011f);
            EXPECT_EQ(Heard(), step.heard);
        }
    }
}

// The player's own input reaches the parts through the balance: a magnet's thumb dragged along its track
// and let go, the knob turned a quarter round; the balance follows at each press and release.
TEST_F(BalanceTest, DragsReachThePartsThroughTheBalance) {
    TBalanceObject* balance = Build();
    balance->OnSpaceShow();
    // Magnet 2's thumb is centred at its track's start (0, 40).
    balance->OnMouseDown(At(0, 40));
    for (int x = 10; x <= 50; x += 10) {
        balance->OnMouseDrag(At(x, 40));
    }
    balance->OnMouseUp(At(50, 40));
    EXPECT_NEAR(balance->mMagnets[1]->mValue, 0.5f, 0.001f);
    EXPECT_FALSE(balance->mMagnets[1]->IsDragging());
    // 40 + 20 x 0.5 = 50: the middle.
    EXPECT_EQ(Heard(), (Strings{"unlock //door"}));
    Advance(*balance, 0.6f, 0.01f);
    EXPECT_NEAR(balance->mRight->mValue, 0.5f, 0.001f);

    // The knob turns about its draw position: from the right of it round to below it is 90 degrees.
    balance->OnMouseDown(At(250, 100));
    ASSERT_TRUE(balance->mKnob->mDragging);
    balance->OnMouseDrag(At(235, 135));
    balance->OnMouseDrag(At(200, 150));
    balance->OnMouseUp(At(200, 150));
    EXPECT_FALSE(balance->mKnob->mDragging);
    EXPECT_NEAR(balance->mKnob->mAngle / kRadiansPerDegree, 90.0f, 0.01f);
    Advance(*balance, 0.6f, 0.01f);
    // 0 from the knob, 10 from magnet 2.
    EXPECT_NEAR(balance->mRight->mValue, 0.1f, 0.011f);
}

TEST_F(BalanceTest, SavedStateIsArmedMiddleTweenAndMover) {
    TBalanceObject* balance = Build();
    balance->OnSpaceShow();
    balance->mMagnets[0]->SetValue(1.0f);
    balance->OnMouseDown(At(600, 600));
    balance->ActivateDefault();
    TBaseBuffer full, plain;
    balance->SaveState(full);
    balance->TObject::SaveState(plain);
    // Two flags, the 24-byte tween and the 54-byte mover.
    ASSERT_EQ(full.GetSize(), plain.GetSize() + 2 + 24 + 54);
    const std::vector<uint8_t>& bytes = full.GetBytes();
    const size_t own = static_cast<size_t>(plain.GetSize());
    EXPECT_EQ(bytes[own], 1);
    EXPECT_EQ(bytes[own + 1], 1);
    // The tween starts at the current value: 400 thousandths.
    EXPECT_EQ(
        std::vector<uint8_t>(bytes.begin() + static_cast<long>(own) + 2, bytes.begin() + static_cast<long>(own) + 6),
        (std::vector<uint8_t>{0x90, 0x01, 0, 0}));
}

// Values and parts it cannot use leave the indicators where they were, with a log line, and never crash.
TEST_F(BalanceTest, UnusableValuesAndPartsAreRefused) {
    struct Case {
        const char* name;
        std::string values;
        std::string parts;
        const char* log;
    };
    std::string noKnob = Parts();
    noKnob.replace(noKnob.find("limitedarrow"), 12, "clockarrow");
    std::string noBall = Parts();
    noBall.replace(noBall.find(R"(<object id="ball"/>)"), 19, "");
    const std::vector<Case> cases = {
        {"short values", "10,20,30,40", Parts(), "balance beam: 4 values, 5 needed: not computed"},
        {"zero scale", "10,20,30,40,0", Parts(), "balance beam: full scale 0 refused: not computed"},
        {"empty knob range", "10,20,30,40,100", Parts(R"(lbound="30" ubound="30")"),
         "balance beam: knob bounds 30..30 refused: not computed"},
        {"knob of another kind", "10,20,30,40,100", noKnob, "balance beam: part magnet4 is not of its kind, skipped"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBalanceObject* balance = Build(c.values, c.parts);
        balance->OnSpaceShow();
        EXPECT_TRUE(harness::LogContains(c.log));
        balance->mMagnets[0]->SetValue(1.0f);
        balance->OnMouseDown(At(600, 600));
        balance->OnMouseUp(At(600, 600));
        balance->ActivateDefault();
        Advance(*balance, 0.6f, 0.01f);
        EXPECT_EQ(balance->mRight->mValue, 0.0f);
        EXPECT_TRUE(Heard().empty());
    }
    // The ball is used by nothing: without it the balance still works.
    TBalanceObject* balance = Build("10,20,30,40,100", noBall);
    balance->OnSpaceShow();
    EXPECT_TRUE(harness::LogContains("balance beam: part ball missing"));
    EXPECT_NEAR(balance->mRight->mValue, 0.4f, 0.001f);
}

// Weights and knob bounds at int's ends: the knob's span and each term are counted without overflow, and a
// position past int is held at its end, with one log line.
TEST_F(BalanceTest, PositionsPastIntAreHeldAtItsEnd) {
    struct Case {
        const char* name;
        std::string values;
        std::string knob;
        float right;
        const char* log;
    };
    const std::vector<Case> cases = {
        // 2^32 - 2 from the first two magnets: held at INT_MAX, which is the full scale.
        {"weights past int", "2147483647,2147483647,0,0,2147483647", R"(lbound="0" ubound="90")", 1.0f,
         "balance beam: position beyond int held at 2147483647"},
        // The same below int: held at INT_MIN, off the scale, so the indicators stay where the first showing
        // put them (0 from the first two magnets at their start).
        {"weights below int", "-2147483648,-2147483648,0,0,1000", R"(lbound="0" ubound="90")", 0.0f,
         "balance beam: position beyond int held at -2147483648"},
        // Bounds 2^32 - 1 apart: the knob at 0 gives its whole weight, 40 of 100.
        {"knob bounds at int's ends", "0,0,0,40,100", R"(lbound="-2147483648" ubound="2147483647")", 0.4f, nullptr},
    };
    const auto linesWith = [](const char* text) {
        const Strings lines = harness::LogLines();
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& line) { return line.find(text) != std::string::npos; });
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = c.log != nullptr ? linesWith(c.log) : 0;
        TBalanceObject* balance = Build(c.values, Parts(c.knob));
        balance->OnSpaceShow();
        balance->mMagnets[0]->SetValue(1.0f);
        balance->mMagnets[1]->SetValue(1.0f);
        balance->OnMouseDown(At(600, 600));
        balance->OnMouseUp(At(600, 600));
        Advance(*balance, 0.6f, 0.01f);
        EXPECT_NEAR(balance->mRight->mValue, c.right, 0.001f);
        EXPECT_NEAR(balance->mLeft->mValue, 1.0f - c.right, 0.001f);
        // Two presses computed the position; the line is written once.
        if (c.log != nullptr) {
            EXPECT_EQ(linesWith(c.log) - before, 1);
        }
    }
}

// The balance draws as its parts; where it puts the indicator's thumb shows in the slider's own view.
TEST_F(BalanceTest, IndicatorThumbDrawnWhereTheBallStands) {
    mSpace = std::make_unique<TRecordingSpace>();
    TXml xml(R"(<scene><object id="beam" type="balance_object" values="0,0,0,10,20">)"
             R"(<object id="magnet1" type="slider"/><object id="magnet2" type="slider"/>)"
             R"(<object id="magnet3" type="slider"/><object id="magnet4" type="limitedarrow" ubound="90"/>)"
             R"(<object id="balance_left" type="slider" x="4" y="24" length="20" thumb="thumb.png"/>)"
             R"(<object id="balance_right" type="slider" x="4" y="8" length="20" thumb="thumb.png"/>)"
             R"(<object id="ball"/></object></scene>)");
    mSpace->LoadObjectsFromXml(xml.Root(), "f/");
    auto* balance = dynamic_cast<TBalanceObject*>(mSpace->mObjects.at(0).get());
    balance->LoadResources();
    balance->OnSpaceShow();
    // 10 of 20: the right thumb centred a half track along (14, 8), the left one too.
    BeginCanvas();
    balance->mRight->DrawAll();
    ExpectPixels({{11, 6, kRedPixel}, {16, 10, kRedPixel}, {6, 8, kBlack}, {20, 8, kBlack}});
    balance->mKnob->mAngle = 45 * kRadiansPerDegree;
    balance->OnMouseDown(At(600, 600));
    Advance(*balance, 0.6f, 0.01f);
    // (1 - 45/90) x 10 = 5 of 20: a quarter along (9, 8).
    BeginCanvas();
    balance->mRight->DrawAll();
    ExpectPixels({{6, 6, kRedPixel}, {11, 10, kRedPixel}, {16, 8, kBlack}});
    BeginCanvas();
    balance->mLeft->DrawAll();
    ExpectPixels({{19, 22, kRedPixel}, {9, 24, kBlack}});
}

} // namespace
