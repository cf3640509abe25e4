// Hidden objects: fade once, swing between two alphas, flash once or again and again; their saved state.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/hidden_object.h"

namespace {

using objtest::At;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using objtest::TRecordingSpace;

using Strings = std::vector<std::string>;

class HiddenTest : public ObjectTest {
protected:
    std::unique_ptr<THiddenObject> Make(const std::string& attributes) {
        auto object = Load<THiddenObject>(R"(id="h" w="10" h="10" cob="1" vae="done" )" + attributes);
        object->mSpace = &mSpace;
        object->SetListener(&mListener);
        return object;
    }

    static std::vector<float> AlphasAt(THiddenObject& object, const std::vector<float>& moments) {
        return objtest::SampleAt(object, moments, [&] { return object.mAlpha; });
    }

    static void ExpectNear(const std::vector<float>& actual, const std::vector<float>& expected) {
        objtest::ExpectNearAll(actual, expected, 0.03f);
    }

    TRecordingSpace mSpace;
    TRecordingListener mListener;
};

TEST_F(HiddenTest, FadeOnceOnTheFirstClickThenNeverAgain) {
    auto object = Make("");
    EXPECT_FALSE(object->IsActive());
    EXPECT_TRUE(object->OnMouseDown(At(5, 5)));
    mListener.Take();
    ExpectNear(AlphasAt(*object, {0.5f, 1.0f, 1.5f}), {0.5f, 0.0f, 0.0f});
    EXPECT_EQ(mListener.Take(), (Strings{"show //done"}));
    EXPECT_FALSE(object->IsActive());
    object->DoClickAction(2, 5, 5);
    object->ActivateDefault();
    ExpectNear(AlphasAt(*object, {0.5f}), {0.0f});
    EXPECT_TRUE(mListener.Take().empty());
}

TEST_F(HiddenTest, KindsOverTime) {
    struct Case {
        const char* attributes;
        std::vector<float> moments;
        std::vector<float> alphas;
        int reports;
    };
    const std::vector<Case> cases = {
        {R"(animtype="flipflop" a="0.3" minalpha="0.3" maxalpha="1")",
         {0.5f, 1.0f, 1.5f, 2.0f, 2.5f},
         {0.65f, 1.0f, 0.65f, 0.3f, 0.65f},
         0},
        {R"(animtype="flipflop" a="0.3" minalpha="0.3" maxalpha="1" pause="2")",
         {1.0f, 2.0f, 3.0f, 3.5f, 4.0f, 5.0f},
         {1.0f, 1.0f, 1.0f, 0.65f, 0.3f, 0.3f},
         0},
        {R"(animtype="flash" speed="0.5")", {0.25f, 0.5f, 0.75f, 1.0f, 2.0f}, {0.5f, 0.0f, 0.5f, 1.0f, 1.0f}, 1},
        {R"(animtype="flashrepeat" time="0.5" pause="1")",
         {0.5f, 1.0f, 1.5f, 2.0f, 2.5f, 3.0f},
         {0.0f, 1.0f, 1.0f, 1.0f, 0.0f, 1.0f},
         0},
        {R"(animtype="fade" maxalpha="0.8" a="0.2" speed="2")", {1.0f, 2.0f, 3.0f}, {0.4f, 0.6f, 0.6f}, 1},
        // Without a duration nothing moves.
        {R"(speed="0")", {1.0f}, {1.0f}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        auto object = Make(c.attributes);
        object->ActivateDefault();
        ExpectNear(AlphasAt(*object, c.moments), c.alphas);
        EXPECT_EQ(static_cast<int>(mListener.Take().size()), c.reports);
    }
}

TEST_F(HiddenTest, StepSoundsAndClickSound) {
    auto flipflop = Make(R"(animtype="flipflop" a="0" minalpha="0" soundasteps="tick,tock" sound="creak")");
    flipflop->ActivateDefault();
    AlphasAt(*flipflop, {1.5f});
    EXPECT_EQ(mSpace.mSounds.mPlayed, (Strings{"tick", "tock", "tick", "tock"}));
    mSpace.mSounds.mPlayed.clear();
    // Fading once has no step sounds; a click plays the object's sound.
    auto fade = Make(R"(soundasteps="tick" sound="creak")");
    fade->DoClickAction(1, 0, 0);
    EXPECT_EQ(mSpace.mSounds.mPlayed, (Strings{"creak"}));
    mSpace.mSounds.mPlayed.clear();
    auto silent = Make(R"(speed="0" onclick="0" sound="creak")");
    silent->DoClickAction(1, 0, 0);
    EXPECT_TRUE(mSpace.mSounds.mPlayed.empty());
}

TEST_F(HiddenTest, ActivationStartsTheClickDelay) {
    auto object = Make(R"(delayclick="0.5" animtype="flash")");
    object->ActivateDefault();
    EXPECT_FALSE(object->OnMouseDown(At(5, 5)));
    object->Update(0.6f);
    EXPECT_TRUE(object->OnMouseDown(At(5, 5)));
}

std::vector<uint8_t> Saved(TObject& object) {
    TBaseBuffer buffer;
    object.SaveState(buffer);
    return buffer.GetBytes();
}

TEST_F(HiddenTest, SavedStateResumesTheRun) {
    auto running = Make("");
    running->ActivateDefault();
    AlphasAt(*running, {0.5f});
    const std::vector<uint8_t> record = Saved(*running);
    // The object record, active, kind, target, the flash cycler and the alpha tween.
    ASSERT_EQ(record.size(), 21u + 1 + 1 + 4 + 102 + 24);
    EXPECT_EQ(record[21], 1);
    EXPECT_EQ(record[22], THiddenObject::kFadeOnce);

    auto restored = Make(R"(animtype="flash")");
    TBaseBuffer reader;
    for (uint8_t b : record) {
        reader.WriteByte(b);
    }
    ASSERT_TRUE(RestoreObjectState(*restored, reader));
    EXPECT_EQ(restored->mKind, THiddenObject::kFadeOnce);
    // From the restored alpha towards the restored target, over a whole run.
    ExpectNear(AlphasAt(*restored, {0.0f, 0.5f, 1.1f}), {0.5f, 0.25f, 0.0f});
    EXPECT_EQ(mListener.Take(), (Strings{"show //done"}));
}

TEST_F(HiddenTest, AFinishedFadeDoesNotRunAgainAfterAReload) {
    auto faded = Make("");
    faded->ActivateDefault();
    AlphasAt(*faded, {1.5f});
    mListener.Take();
    const std::vector<uint8_t> record = Saved(*faded);

    auto reloaded = Make("");
    TBaseBuffer reader;
    for (uint8_t b : record) {
        reader.WriteByte(b);
    }
    ASSERT_TRUE(RestoreObjectState(*reloaded, reader));
    EXPECT_EQ(reloaded->mAlpha, 0.0f);
    reloaded->ActivateDefault();
    AlphasAt(*reloaded, {1.5f});
    EXPECT_EQ(reloaded->mAlpha, 0.0f);
    EXPECT_TRUE(mListener.Take().empty());
}

} // namespace
