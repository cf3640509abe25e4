// The found-counter mover and its travelling count, the timed frame counter and the path image.

#include <algorithm>

#include "app/buffer.h"
#include "graphics/spline_path.h"
#include "object_test_support.h"
#include "objects/counter_movers.h"
#include "objects/text_objects.h"
#include "windows/text_label.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TXml;

TObject* MakeText() {
    TXml xml(R"(<object id="count"><object name="text" type="imagetext" x="0" y="0" w="40" h="10"/></object>)");
    auto* text = new TTextObject();
    text->LoadFromXml(xml.Root(), "");
    return text;
}

std::unique_ptr<TFinderMoverObject> MakeFinder(bool textFirst) {
    TXml xml(R"(<object id="finder" w="10" h="10" cob="1" poss="100,100;200,100" time="1" textx="10" texty="20"
        count="5" curcount="2"/>)");
    auto finder = std::make_unique<TFinderMoverObject>();
    finder->LoadFromXml(xml.Root(), "");
    if (!textFirst) {
        finder->AddChild(new TObject());
    }
    finder->AddChild(MakeText());
    return finder;
}

std::pair<int, int> TextAt(const TFinderMoverObject& finder) {
    const TSimpleTextImage* label = finder.mText != nullptr ? finder.mText->GetLabel() : nullptr;
    return label != nullptr ? std::pair{label->GetX(), label->GetY()} : std::pair{-1, -1};
}

TEST_F(ObjectTest, FinderMoverCarriesItsCount) {
    struct Step {
        // "show", "click", "activate", "wait" or "save".
        const char* action;
        float seconds;
        int x;
        std::pair<int, int> text;
    };
    const Step steps[] = {
        {"show", 0, 100, {110, 120}},     {"click", 0, 100, {110, 120}},   {"wait", 1.0f, 100, {110, 120}},
        {"activate", 0, 100, {110, 120}}, {"wait", 0.5f, 150, {160, 120}}, {"save", 0, 150, {160, 120}},
        {"wait", 0.55f, 200, {210, 120}},
    };
    for (const bool withSaves : {false, true}) {
        TRecordingListener listener;
        auto finder = MakeFinder(true);
        finder->SetListener(&listener);
        for (size_t i = 0; i < std::size(steps); ++i) {
            const std::string action = steps[i].action;
            SCOPED_TRACE(std::string(withSaves ? "saved " : "") + std::to_string(i) + " " + action);
            if (action == "show") {
                finder->OnSpaceFirstShow();
                ASSERT_NE(finder->mText, nullptr);
                EXPECT_EQ(finder->mText->GetLabel()->mText, L"2/5");
            } else if (action == "click") {
                // Counted as a click, but the mover stays.
                EXPECT_TRUE(finder->OnMouseDown(At(105, 105)));
                EXPECT_EQ(finder->mClickCounter, 0);
            } else if (action == "activate") {
                finder->Activate(0, 0, 0);
            } else if (action == "wait") {
                Advance(*finder, steps[i].seconds, 0.01f);
            } else if (withSaves) {
                TBaseBuffer saved;
                finder->SaveState(saved);
                finder = MakeFinder(true);
                ASSERT_TRUE(RestoreObjectState(*finder, saved));
                EXPECT_EQ(finder->mCurrent, 2);
            }
            EXPECT_NEAR(finder->mX, steps[i].x, 1.5f);
            const auto text = TextAt(*finder);
            EXPECT_NEAR(text.first, steps[i].text.first, 1.5f);
            EXPECT_EQ(text.second, steps[i].text.second);
        }
    }
}

// A child of the count text whose record holds its place is read back where it stood, and the finder's state
// then writes the same bytes again.
TEST_F(ObjectTest, FinderMoverRestoresTheTextsChildrenWhereTheyStood) {
    const auto make = [] {
        auto finder = MakeFinder(true);
        finder->GetChildren().front()->AddChild(
            objtest::Load<TObject>(R"(id="pin" moveable="1" x="3" y="4")").release());
        return finder;
    };
    auto finder = make();
    finder->OnSpaceFirstShow();
    finder->Activate(0, 0, 0);
    Advance(*finder, 0.5f, 0.01f);
    const TObject* pin = finder->FindChildById("pin");
    ASSERT_NE(pin, nullptr);
    // The text went to (160, 120) from (0, 0), the pin with it.
    EXPECT_NEAR(pin->mX, 163, 1.5f);
    EXPECT_FLOAT_EQ(pin->mY, 124);
    TBaseBuffer saved;
    finder->SaveState(saved);

    auto restored = make();
    ASSERT_TRUE(RestoreObjectState(*restored, saved));
    const TObject* restoredPin = restored->FindChildById("pin");
    ASSERT_NE(restoredPin, nullptr);
    EXPECT_NEAR(restoredPin->mX, pin->mX, 0.001f);
    EXPECT_FLOAT_EQ(restoredPin->mY, 124);
    // The finder's own place comes back in thousandths: its text may land a whole pixel to the side.
    EXPECT_NEAR(TextAt(*restored).first, TextAt(*finder).first, 1.5f);
    EXPECT_EQ(TextAt(*restored).second, TextAt(*finder).second);
    TBaseBuffer again;
    restored->SaveState(again);
    EXPECT_EQ(again.GetBytes(), saved.GetBytes());
}

TEST_F(ObjectTest, FinderMoverTextOnlyTravelsAsTheFirstChild) {
    auto finder = MakeFinder(false);
    finder->OnSpaceFirstShow();
    ASSERT_NE(finder->mText, nullptr);
    EXPECT_EQ(TextAt(*finder), (std::pair{110, 120}));
    // Moved elsewhere, a text that is not the first child is not put back at the offset; it rides along
    // with the mover as any child does.
    finder->mText->SetPosition(0, 0, true);
    finder->Activate(0, 0, 0);
    Advance(*finder, 1.1f, 0.01f);
    EXPECT_EQ(finder->mX, 200);
    EXPECT_EQ(TextAt(*finder), (std::pair{100, 0}));
    auto first = MakeFinder(true);
    first->OnSpaceFirstShow();
    first->mText->SetPosition(0, 0, true);
    first->Update(0.01f);
    EXPECT_EQ(TextAt(*first), (std::pair{110, 120}));
    // Without any text child nothing is shown and nothing breaks.
    TXml xml(R"(<object count="3"/>)");
    TFinderMoverObject bare;
    bare.LoadFromXml(xml.Root(), "");
    bare.AddChild(new TObject());
    bare.OnSpaceFirstShow();
    bare.Update(0.1f);
    EXPECT_EQ(bare.mText, nullptr);
}

class TimedCounterTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        // Two frames of 4 x 4: red, then green.
        WriteImage("scenes/clock.png", 8, 4, [](int x, int) { return x < 4 ? kRed : kGreen; });
    }

    static std::unique_ptr<TDoubleHOCadrObject> Make() {
        auto clock = objtest::Load<TDoubleHOCadrObject>(
            R"(id="clock" anim="clock.png" w="4" h="4" speed="0.4" time="1" loop="-1")", "scenes/");
        clock->LoadResources();
        clock->OnSpaceShow();
        return clock;
    }
};

TEST_F(TimedCounterTest, RunsForItsTimeThenFreezes) {
    struct Step {
        const char* action;
        float seconds;
        bool running;
        int frame;
    };
    const Step steps[] = {
        {"wait", 1.0f, false, 0},    {"activate", 0, true, 0}, {"wait", 0.5f, true, 1},  {"save", 0, true, 1},
        {"wait", 0.35f, true, 0},    {"wait", 0.2f, false, 0}, {"wait", 1.0f, false, 0}, {"activate", 0, true, 0},
        {"deactivate", 0, false, 0}, {"wait", 1.0f, false, 0},
    };
    for (const bool withSaves : {false, true}) {
        auto clock = Make();
        EXPECT_FALSE(clock->IsActive());
        for (size_t i = 0; i < std::size(steps); ++i) {
            const std::string action = steps[i].action;
            SCOPED_TRACE(std::string(withSaves ? "saved " : "") + std::to_string(i) + " " + action);
            if (action == "activate") {
                clock->Activate(0, 0, 0);
            } else if (action == "deactivate") {
                clock->Deactivate(0, 0, 0);
            } else if (action == "wait") {
                Advance(*clock, steps[i].seconds, 0.01f);
            } else if (withSaves) {
                TBaseBuffer saved;
                clock->SaveState(saved);
                clock = Make();
                ASSERT_TRUE(RestoreObjectState(*clock, saved));
            }
            EXPECT_EQ(clock->IsActive(), steps[i].running);
            EXPECT_EQ(clock->mAnimation->mCurrentFrame, steps[i].frame);
        }
    }
}

// Little-endian int32 of a record's last four bytes.
int32_t LastInt32(const std::vector<uint8_t>& bytes) {
    const size_t n = bytes.size();
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[n - 4]) | static_cast<uint32_t>(bytes[n - 3]) << 8 |
                                static_cast<uint32_t>(bytes[n - 2]) << 16 | static_cast<uint32_t>(bytes[n - 1]) << 24);
}

// The clock's record: the frame animation's after the object's, then the time left in thousandths. The
// found-counter mover keeps the mover's record (its place and step) before its count.
TEST_F(TimedCounterTest, RecordsEndWithTheTimeLeftAndTheCount) {
    auto clock = Make();
    clock->Activate(0, 0, 0);
    Advance(*clock, 0.25f, 0.01f);
    TBaseBuffer head;
    clock->TCadrObject::SaveState(head);
    TBaseBuffer saved;
    clock->SaveState(saved);
    ASSERT_EQ(saved.GetBytes().size(), head.GetBytes().size() + 4);
    EXPECT_TRUE(std::equal(head.GetBytes().begin(), head.GetBytes().end(), saved.GetBytes().begin()));
    EXPECT_NEAR(LastInt32(saved.GetBytes()), 750, 1);

    auto finder = MakeFinder(true);
    finder->mCurrent = -7;
    TBaseBuffer moverHead;
    finder->TMoverObject::SaveState(moverHead);
    TBaseBuffer record;
    finder->SaveState(record);
    ASSERT_EQ(record.GetBytes().size(), moverHead.GetBytes().size() + 4);
    EXPECT_EQ(LastInt32(record.GetBytes()), -7);
}

// A negative time does not run the clock, and its record reads back to the same bytes.
TEST_F(TimedCounterTest, NegativeTimeDoesNotRun) {
    auto clock =
        objtest::Load<TDoubleHOCadrObject>(R"(id="clock" anim="clock.png" w="4" h="4" time="-0.01")", "scenes/");
    clock->Activate(0, 0, 0);
    EXPECT_FALSE(clock->IsActive());
    EXPECT_EQ(clock->mRemaining, 0);
    TBaseBuffer saved;
    clock->SaveState(saved);
    auto restored =
        objtest::Load<TDoubleHOCadrObject>(R"(id="clock" anim="clock.png" w="4" h="4" time="-0.01")", "scenes/");
    ASSERT_TRUE(RestoreObjectState(*restored, saved));
    TBaseBuffer again;
    restored->SaveState(again);
    EXPECT_EQ(again.GetBytes(), saved.GetBytes());
}

TEST_F(TimedCounterTest, DrawAllShowsItOnlyWhileRunning) {
    auto clock = Make();
    BeginCanvas();
    clock->DrawAll();
    ExpectPixels({{1, 1, kBlack}});
    // Rooms draw the frame whatever the clock does.
    BeginCanvas();
    clock->Draw(1.0f);
    ExpectPixels({{1, 1, kRedPixel}});
    clock->Activate(0, 0, 0);
    Advance(*clock, 0.5f, 0.01f);
    BeginCanvas();
    clock->DrawAll();
    ExpectPixels({{1, 1, kGreenPixel}, {5, 1, kBlack}});
    Advance(*clock, 1.0f, 0.01f);
    BeginCanvas();
    clock->DrawAll();
    ExpectPixels({{1, 1, kBlack}});
    // Frozen on the frame it showed when the time ran out (0.8 s to 1 s: the first again).
    BeginCanvas();
    clock->Draw(1.0f);
    ExpectPixels({{1, 1, kRedPixel}});
}

// None of the object attributes apply; the path image is drawn even when the object is hidden, as a frame
// strip when its element has no children, else as key frames.
TEST_F(ObjectTest, PathImageIgnoresObjectAttributesAndDrawsRegardless) {
    WriteSolidImage("dot.png", 4, 4, kRed);
    const std::pair<const char*, bool> cases[] = {
        {R"(<object id="bird" name="other.png" x="2" y="2" filename="dot.png" frames="1" cadrw="4" cadrh="4"
            uae="door" maxclicks="3" tr="nowhere"/>)",
         true},
        {R"(<object id="bird" name="other.png" x="2" y="2" uae="door" maxclicks="3" tr="nowhere" time="0.1">
            <item name="dot.png"/><item name="dot.png"/></object>)",
         false},
    };
    for (const auto& [element, strip] : cases) {
        SCOPED_TRACE(element);
        TXml xml(element);
        TrajectoryMoverCadrImage2Object path;
        path.LoadFromXml(xml.Root(), "");
        TObject& object = path;
        EXPECT_EQ(object.mName, "");
        EXPECT_EQ(object.mImageName, "");
        EXPECT_EQ(object.mX, 0);
        EXPECT_EQ(object.mMaxClicks, TObject::kUnlimited);
        EXPECT_TRUE(object.mReactions[kUnlockAfterEvent].empty());
        EXPECT_EQ(path.mUsesStrip, strip);
        object.Update(0.15f);
        object.SetVisible(false);
        BeginCanvas();
        object.Draw(1.0f);
        ExpectPixels({{3, 3, kRedPixel}, {7, 3, kBlack}});
    }
}

// What each of the path image's attributes loads into, and the values absent ones take; a path named in
// the process's set is followed from its first point.
TEST_F(ObjectTest, PathImageAttributesAndDefaults) {
    auto line = std::make_unique<TSplinePath>();
    line->mName = "line";
    line->mPoints = {TSplinePoint{10, 20}, TSplinePoint{110, 20}};
    line->ComputeSegmentLengths();
    line->ComputeLength();
    GetGlobalPathSet().Clear();
    GetGlobalPathSet().Add(std::move(line));
    struct Case {
        const char* element;
        int offsetX, offsetY, id;
        float scale, speed, addedAngle, pause;
        bool fixedAngle, playing;
    };
    const Case cases[] = {
        {R"(<object tr="line" filename="dot.png" frames="2" cadrw="2" cadrh="2" speed="0.1"/>)", 0, 0, 0, 1, 0, 0, 0,
         false, true},
        {R"(<object tr="line" filename="dot.png" frames="2" cadrw="2" cadrh="2" speed="0.1" offx="5" offy="-3"
            scale="2" id="9" movetime="40" addangle="90" startagaintime="1.5" enablerotate="0" active="0"
            loadtex="0"/>)",
         5, -3, 9, 2, 40, 1.5707964f, 1.5f, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element);
        TXml xml(c.element);
        TrajectoryMoverCadrImage2Object path;
        path.LoadFromXml(xml.Root(), "rooms/ignored/");
        EXPECT_EQ(path.mMover.mPath, FindSplinePath("line"));
        EXPECT_EQ(path.mPathOffsetX, c.offsetX);
        EXPECT_EQ(path.mPathOffsetY, c.offsetY);
        EXPECT_EQ(path.TrajectoryMoverCadrImage2::mId, c.id);
        EXPECT_FLOAT_EQ(path.mScale, c.scale);
        EXPECT_FLOAT_EQ(path.mMover.mSpeed, c.speed);
        EXPECT_NEAR(path.mAddedAngle, c.addedAngle, 1e-6f);
        EXPECT_FLOAT_EQ(path.mRestartPause, c.pause);
        EXPECT_EQ(path.mMover.mFixedAngle, c.fixedAngle);
        EXPECT_EQ(path.mStrip.mPlaying, c.playing);
        // The strip's own name, without the room's folder.
        EXPECT_EQ(path.mStrip.mImageName, "dot.png");
        // Half a second along the line, shifted by the offsets.
        TObject& object = path;
        object.Update(0.5f);
        EXPECT_FLOAT_EQ(path.mStrip.mImage.mBaseX, 10 + c.speed / 2 + static_cast<float>(c.offsetX));
        EXPECT_FLOAT_EQ(path.mStrip.mImage.mBaseY, 20 + static_cast<float>(c.offsetY));
    }
    GetGlobalPathSet().Clear();
}

} // namespace
