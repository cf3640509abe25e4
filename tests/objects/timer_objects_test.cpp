// Timers click themselves after their wait, counters fire at their count; both keep that through a save.

#include "app/buffer.h"
#include "object_test_support.h"
#include "objects/timer_objects.h"

namespace {

using objtest::Advance;
using objtest::Load;
using objtest::ObjectTest;
using objtest::TRecordingListener;
using Strings = std::vector<std::string>;

// One action on an object, then the reports it made: "activate", "wait <seconds>" or "save" (a round trip
// through a fresh object loaded from the same element).
struct Step {
    const char* action;
    float seconds;
    Strings calls;
};

template <typename T>
void Play(const std::string& attributes, const std::vector<Step>& steps, TRecordingListener& listener,
          const std::function<void(T&)>& check = nullptr) {
    auto object = Load<T>(attributes);
    object->SetListener(&listener);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        const std::string action = step.action;
        SCOPED_TRACE(attributes + ": step " + std::to_string(i) + " " + action);
        if (action == "activate") {
            object->Activate(0, 0, 0);
        } else if (action == "wait") {
            Advance(*object, step.seconds, 0.01f);
        } else {
            TBaseBuffer saved;
            object->SaveState(saved);
            object = Load<T>(attributes);
            object->SetListener(&listener);
            ASSERT_TRUE(RestoreObjectState(*object, saved));
        }
        EXPECT_EQ(listener.Take(), step.calls);
    }
    if (check) {
        check(*object);
    }
}

TEST_F(ObjectTest, TimerClicksAfterItsWait) {
    TRecordingListener listener;
    const Strings fired = {"unlock //door", "clicked t"};
    struct Case {
        const char* attributes;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        // A second activation while waiting neither restarts nor extends the wait.
        {R"(id="t" time="3" uac="door")",
         {{"activate", 0, {}}, {"wait", 1.5f, {}}, {"activate", 0, {}}, {"wait", 1.45f, {}}, {"wait", 0.1f, fired}}},
        // The elapsed wait survives a save.
        {R"(id="t" time="3" uac="door")",
         {{"activate", 0, {}}, {"wait", 2.0f, {}}, {"save", 0, {}}, {"wait", 0.95f, {}}, {"wait", 0.1f, fired}}},
        // One start by default: the second activation is refused.
        {R"(id="t" time="1" uac="door")",
         {{"activate", 0, {}}, {"wait", 1.05f, fired}, {"activate", 0, {}}, {"wait", 2.0f, {}}}},
        {R"(id="t" time="1" maxactive="2" uac="door;door")",
         {{"activate", 0, {}},
          {"wait", 1.05f, fired},
          {"save", 0, {}},
          {"activate", 0, {}},
          {"wait", 1.05f, fired},
          {"activate", 0, {}},
          {"wait", 2.0f, {}}}},
        // Its clicks used up, a started timer keeps waiting without clicking.
        {R"(id="t" time="1" maxactive="3" maxclicks="1" uac="door")",
         {{"activate", 0, {}}, {"wait", 1.05f, fired}, {"activate", 0, {}}, {"wait", 2.0f, {}}}},
    };
    for (const Case& c : cases) {
        Play<TTimerObject>(c.attributes, c.steps, listener);
    }
}

TEST_F(ObjectTest, TimerHandsOutItsFirstToolAndResets) {
    TRecordingListener listener;
    auto timer = Load<TTimerObject>(R"(id="t" time="0.5" maxactive="4" tools="key")");
    timer->SetListener(&listener);
    timer->Activate(0, 0, 0);
    Advance(*timer, 0.6f, 0.01f);
    ASSERT_EQ(timer->mGivenTools.size(), 1u);
    EXPECT_TRUE(timer->mGivenTools[0].given);
    EXPECT_FALSE(timer->IsActive());
    EXPECT_EQ(timer->mActivations, 1);
    timer->ResetState();
    EXPECT_EQ(timer->mWait, 0);
    EXPECT_EQ(timer->mMaxActivations, 1);
    EXPECT_EQ(timer->mActivations, 0);
}

TEST_F(ObjectTest, TimerRecordFollowsTheObjectRecord) {
    auto timer = Load<TTimerObject>(R"(id="t" time="5")");
    timer->Activate(0, 0, 0);
    Advance(*timer, 1.25f, 0.05f);
    TBaseBuffer saved, plain;
    timer->SaveState(saved);
    timer->TObject::SaveState(plain);
    ASSERT_EQ(saved.GetSize(), plain.GetSize() + 9);
    const std::vector<uint8_t> tail(saved.GetBytes().end() - 9, saved.GetBytes().end());
    // Waiting, 1250 thousandths, one activation.
    EXPECT_EQ(tail, (std::vector<uint8_t>{1, 0xE2, 0x04, 0, 0, 1, 0, 0, 0}));
}

TEST_F(ObjectTest, CounterFiresAtItsCountOnly) {
    TRecordingListener listener;
    const Strings fired = {"unlock //gate"};
    const std::pair<const char*, std::vector<Step>> cases[] = {
        {R"(id="c" count="3" uae="gate")",
         {{"activate", 0, {}}, {"activate", 0, {}}, {"activate", 0, fired}, {"activate", 0, {}}}},
        {R"(id="c" count="3" uae="gate")",
         {{"activate", 0, {}}, {"activate", 0, {}}, {"save", 0, {}}, {"activate", 0, fired}, {"activate", 0, {}}}},
        {R"(id="c" uae="gate")", {{"activate", 0, fired}, {"activate", 0, {}}}},
        {R"(id="c" count="0" uae="gate")", {{"activate", 0, {}}, {"activate", 0, {}}}},
    };
    for (const auto& [attributes, steps] : cases) {
        Play<TActivateCounter>(attributes, steps, listener, [](TActivateCounter& counter) {
            // Activation counts down only; the object itself is never made active.
            EXPECT_FALSE(counter.IsActive());
        });
    }
    auto counter = Load<TActivateCounter>(R"(id="c" count="2" tools="key")");
    counter->Activate(0, 0, 0);
    EXPECT_FALSE(counter->mGivenTools[0].given);
    counter->Activate(0, 0, 0);
    EXPECT_TRUE(counter->mGivenTools[0].given);
    EXPECT_EQ(counter->mCount, 0);
}

} // namespace
