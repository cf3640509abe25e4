// Spinners roll their pictures backwards one click at a time; a sequence of spinners is solved once every
// spinner shows its required picture.

#include "app/buffer.h"
#include "harness/harness.h"
#include "object_test_support.h"
#include "objects/spinner_objects.h"
#include "rooms/game_space.h"

namespace {

using objtest::Advance;
using objtest::At;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TXml;

// Three 8 x 8 pictures (red, green, blue) resting at (0, 8) in a window 0,8,8,8; each roll moves 8 pixels.
std::string SpinnerXml(const std::string& id, const std::string& attributes) {
    return R"(<object type="spinner" id=")" + id + R"(" dy="8" rect="0,8,8,8" )" + attributes + R"(>
        <img filename="p0.png" x="0" y="8"/><img filename="p1.png" x="0" y="8"/><img filename="p2.png" x="0" y="8"/>
        </object>)";
}

class SpinnerTest : public ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        WriteSolidImage("p0.png", 8, 8, kRed);
        WriteSolidImage("p1.png", 8, 8, kGreen);
        WriteSolidImage("p2.png", 8, 8, kBlue);
        TObjectFactory::CreateInstance();
    }

    // A sequence "seq" (after-event 0 unlocks "done") holding the given spinners, loaded as a room loads it.
    TSpinnerSequenceObject* LoadSequence(const std::string& correct, const std::string& spinners) {
        TXml xml(R"(<scene><object type="spinner_seq" id="seq" uae="done" correct=")" + correct + R"(">)" + spinners +
                 "</object></scene>");
        mSpace = std::make_unique<TGameSpace>();
        mSpace->LoadObjectsFromXml(xml.Root(), "");
        auto* sequence = dynamic_cast<TSpinnerSequenceObject*>(mSpace->GetObjects().at(0).get());
        sequence->SetListener(&mListener);
        sequence->LoadResources();
        return sequence;
    }

    std::unique_ptr<TSpinnerObject> LoadSpinner(const std::string& attributes) {
        TXml xml(SpinnerXml("s", attributes));
        auto spinner = std::make_unique<TSpinnerObject>();
        spinner->LoadFromXml(xml.Root(), "");
        spinner->LoadResources();
        spinner->SetListener(&mListener);
        return spinner;
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

TEST_F(SpinnerTest, ClicksRollThePicturesBackwards) {
    struct Step {
        // "click" at (4, 10), "wait" seconds or "save".
        const char* action;
        float seconds;
        int shown;
        bool rolling;
        // The y of the current picture; the outgoing one is one step below.
        float currentY;
        int clicks;
    };
    const std::vector<Step> steps = {
        {"click", 0, 0, true, 0, 1},
        {"wait", 0.1f, 0, true, 4, 0},
        // A click during the roll counts but does not start a second roll.
        {"click", 0, 0, true, 4, 1},
        {"wait", 0.15f, 2, false, 8, 0},
        {"save", 0, 2, false, 8, 0},
        {"click", 0, 2, true, 0, 1},
        {"wait", 0.3f, 1, false, 8, 0},
        {"click", 0, 1, true, 0, 1},
        {"wait", 0.3f, 0, false, 8, 0},
        {"click", 0, 0, true, 0, 1},
        {"wait", 0.3f, 2, false, 8, 0},
    };
    const std::string attributes = R"(time="-0.2")";
    for (const bool withSaves : {false, true}) {
        auto spinner = LoadSpinner(attributes);
        for (size_t i = 0; i < steps.size(); ++i) {
            const Step& step = steps[i];
            const std::string action = step.action;
            SCOPED_TRACE((withSaves ? "saved step " : "step ") + std::to_string(i));
            if (action == "click") {
                EXPECT_TRUE(spinner->OnMouseDown(At(4, 10)));
            } else if (action == "wait") {
                Advance(*spinner, step.seconds, 0.01f);
            } else if (withSaves) {
                TBaseBuffer saved;
                spinner->SaveState(saved);
                spinner = LoadSpinner(attributes);
                ASSERT_TRUE(RestoreObjectState(*spinner, saved));
            }
            EXPECT_EQ(spinner->GetShownIndex(), step.shown);
            EXPECT_EQ(spinner->IsRolling(), step.rolling);
            EXPECT_NEAR(spinner->mPictures[spinner->mCurrent]->mBaseY, step.currentY, 0.01f);
            if (spinner->IsRolling()) {
                EXPECT_NEAR(spinner->mPictures[spinner->mOutgoing]->mBaseY, step.currentY + 8, 0.01f);
            }
            int visible = 0;
            for (const auto& picture : spinner->mPictures) {
                visible += picture->mVisible ? 1 : 0;
            }
            EXPECT_EQ(visible, step.rolling ? 2 : 1);
            EXPECT_EQ(Count("clicked s"), step.clicks);
        }
    }
    EXPECT_FALSE(LoadSpinner("")->OnMouseDown(At(4, 30)));
}

TEST_F(SpinnerTest, SavedStateIsTheCurrentPicture) {
    auto spinner = LoadSpinner(R"(cur="1")");
    TBaseBuffer plain, saved;
    spinner->TObject::SaveState(plain);
    spinner->SaveState(saved);
    ASSERT_EQ(saved.GetSize(), plain.GetSize() + 4);
    EXPECT_EQ(std::vector<uint8_t>(saved.GetBytes().end() - 4, saved.GetBytes().end()),
              (std::vector<uint8_t>{1, 0, 0, 0}));

    // Picture 2 slides out below the window after two rolls; restored as current it stands in the window.
    auto rolled = LoadSpinner("");
    rolled->OnMouseDown(At(4, 12));
    Advance(*rolled, 0.3f, 0.01f);
    rolled->OnMouseDown(At(4, 12));
    Advance(*rolled, 0.3f, 0.01f);
    ASSERT_EQ(rolled->mCurrent, 1);
    EXPECT_FLOAT_EQ(rolled->mPictures[2]->mBaseY, 16);
    TBaseBuffer record;
    rolled->SaveState(record);
    std::vector<uint8_t> bytes = record.GetBytes();
    bytes[bytes.size() - 4] = 2;
    TBaseBuffer edited;
    for (uint8_t byte : bytes) {
        edited.WriteByte(byte);
    }
    ASSERT_TRUE(RestoreObjectState(*rolled, edited));
    EXPECT_EQ(rolled->mCurrent, 2);
    EXPECT_FLOAT_EQ(rolled->mPictures[2]->mBaseY, 8);
    EXPECT_TRUE(rolled->mPictures[2]->mVisible);
    EXPECT_FALSE(rolled->mPictures[1]->mVisible);

    // A stored index outside the pictures is refused.
    bytes[bytes.size() - 4] = 3;
    TBaseBuffer bad;
    for (uint8_t byte : bytes) {
        bad.WriteByte(byte);
    }
    ASSERT_TRUE(RestoreObjectState(*rolled, bad));
    EXPECT_EQ(rolled->mCurrent, 2);
    EXPECT_TRUE(harness::LogContains("spinner s: saved picture 3 of 3 refused"));
}

TEST_F(SpinnerTest, BadCurrentIndexIsRefused) {
    for (const char* cur : {"3", "-1"}) {
        auto spinner = LoadSpinner(std::string("cur=\"") + cur + "\"");
        EXPECT_EQ(spinner->mCurrent, 0) << cur;
        EXPECT_TRUE(spinner->mPictures[0]->mVisible);
        EXPECT_TRUE(
            harness::LogContains(std::string("spinner s: cur ") + cur + " outside its 3 pictures, the first shown"));
    }
    // No pictures: nothing to roll.
    auto empty = objtest::Load<TSpinnerObject>(R"(id="e" w="8" h="8" cob="1")");
    EXPECT_EQ(empty->mCurrent, -1);
    EXPECT_TRUE(empty->OnMouseDown(At(2, 2)));
    EXPECT_FALSE(empty->IsRolling());
    EXPECT_EQ(empty->GetShownIndex(), -1);
}

TEST_F(SpinnerTest, SequenceIsSolvedOnceEverySpinnerShowsItsPicture) {
    struct Case {
        const char* correct;
        // Clicks on the first spinner (at x 4) and the second (at x 14), then one roll's wait each.
        std::vector<int> clicks;
        // Reports of after-event 0 after each click's roll.
        std::vector<int> solvedAfter;
    };
    const std::vector<Case> cases = {
        // 0 -> 2 -> 1 on the first, 0 -> 2 on the second.
        {"1,2", {4, 14, 4}, {0, 0, 1}},
        // Already showing at load: solved at the first update.
        {"0,0", {}, {}},
        // Too short: never solved, and logged.
        {"2", {4, 14, 14}, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.correct);
        // The second spinner's window and pictures sit 10 pixels to the right.
        auto* sequence =
            LoadSequence(c.correct, SpinnerXml("a", "") + R"(<object type="spinner" id="b" dy="8" rect="10,8,8,8">
            <img filename="p0.png" x="10" y="8"/><img filename="p1.png" x="10" y="8"/><img filename="p2.png" x="10" y="8"/>
            </object>)");
        ASSERT_EQ(sequence->mSpinners.size(), 2u);
        for (size_t i = 0; i < c.clicks.size(); ++i) {
            EXPECT_TRUE(sequence->OnMouseDown(At(c.clicks[i], 12)));
            sequence->Update(0.1f);
            // Not before the roll has ended.
            EXPECT_EQ(Count("unlock //done"), 0);
            Advance(*sequence, 0.2f, 0.01f);
            EXPECT_EQ(Count("unlock //done"), c.solvedAfter[i]) << "click " << i;
        }
        if (c.clicks.empty()) {
            sequence->Update(0.01f);
            EXPECT_EQ(Count("unlock //done"), 1);
        }
        const bool solved = std::string(c.correct) != "2";
        EXPECT_EQ(sequence->IsLocked(), solved);
        EXPECT_EQ(sequence->mSpinners[0]->IsLocked(), solved);
        EXPECT_EQ(sequence->mSpinners[1]->IsLocked(), solved);
        // Solved once only.
        Advance(*sequence, 0.1f, 0.01f);
        EXPECT_EQ(Count("unlock //done"), 0);
    }
    EXPECT_TRUE(harness::LogContains("spinner_seq seq: 1 required pictures for 2 spinners, never solved"));
    // No spinners at all: solved at once.
    LoadSequence("", "")->Update(0.01f);
    EXPECT_EQ(Count("unlock //done"), 1);
}

// Rooms show only the object; the developer view shows both pictures of a roll inside the window.
TEST_F(SpinnerTest, DrawAllClipsTheRollingPictures) {
    auto spinner = LoadSpinner(R"(time="0.2")");
    BeginCanvas();
    spinner->Draw(1.0f);
    ExpectPixels({{4, 12, kBlack}});
    BeginCanvas();
    spinner->DrawAll();
    ExpectPixels({{0, 8, kRedPixel}, {7, 15, kRedPixel}, {4, 7, kBlack}, {4, 16, kBlack}, {8, 12, kBlack}});
    spinner->OnMouseDown(At(4, 12));
    Advance(*spinner, 0.1f, 0.01f);
    // Blue comes in at y 4..11, red goes out at 12..19; the window shows rows 8..15 only.
    BeginCanvas();
    spinner->DrawAll();
    ExpectPixels({{4, 7, kBlack},
                  {4, 8, kBluePixel},
                  {4, 10, kBluePixel},
                  {4, 13, kRedPixel},
                  {4, 15, kRedPixel},
                  {4, 16, kBlack}});
    Advance(*spinner, 0.15f, 0.01f);
    BeginCanvas();
    spinner->DrawAll();
    ExpectPixels({{4, 8, kBluePixel}, {4, 15, kBluePixel}, {4, 16, kBlack}});
}

} // namespace
