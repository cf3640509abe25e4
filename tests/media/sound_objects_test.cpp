// Scene objects that play sounds through the sound manager: the sound object plays while its space is shown
// and it is unlocked; the delayed-loop sound plays after each of its delays.

#include <tinyxml.h>

#include "media/sound_test_support.h"
#include "objects/counter_movers.h"
#include "objects/object_listener.h"
#include "objects/timer_objects.h"

namespace sound_test {
namespace {

class TEventCounter : public TObjectListener {
public:
    void UnlockObjects(const TObjectPathGroup&) override { ++mEvents; }
    int mEvents = 0;
};

class SoundObjectTest : public SoundTest {
protected:
    void SetUp() override {
        SoundTest::SetUp();
        WriteSound("hum", MakeTone(4.0));
        ASSERT_TRUE(harness::WriteFile(
            "assets/sounds.xml",
            R"(<sounds><sound id="hum" name="hum"/><sound id="tick" name="hum"/><sound id="clockticking" name="hum"/><sound id="whirr" name="hum"/>
                </sounds>)"));
        mManager = TSoundManager::CreateInstance(false);
        mManager->Load("sounds.xml");
    }

    template <typename T> std::unique_ptr<T> Make(const std::string& attributes) {
        TiXmlDocument document;
        document.Parse(("<object " + attributes + "/>").c_str());
        auto object = std::make_unique<T>();
        object->LoadFromXml(document.RootElement(), "");
        object->SetListener(&mCounter);
        return object;
    }

    // Updates in 10 ms steps.
    static void Advance(TObject& object, float seconds) {
        for (int i = 0; i < static_cast<int>(seconds * 100 + 0.5f); ++i) {
            object.Update(0.01f);
        }
    }

    TSoundManager* mManager = nullptr;
    TEventCounter mCounter;
};

TEST_F(SoundObjectTest, SoundPlaysWhileShownAndUnlocked) {
    auto sound = Make<TSoundObject>(R"(id="hum")");
    struct Step {
        const char* action;
        bool playing;
    };
    const Step steps[] = {
        {"show", true},  {"lock", false}, {"unlock", true}, {"hide", false},
        {"lock", false}, {"show", false}, {"unlock", true},
    };
    for (const Step& step : steps) {
        const std::string action = step.action;
        SCOPED_TRACE(action);
        if (action == "show") {
            sound->OnSpaceShow();
        } else if (action == "hide") {
            sound->OnSpaceHide();
        } else if (action == "lock") {
            sound->Lock();
        } else {
            sound->Unlock();
        }
        EXPECT_EQ(mManager->IsSoundPlaying("hum"), step.playing);
    }
}

TEST_F(SoundObjectTest, DelayedLoopSoundPlaysAfterEachDelay) {
    struct Case {
        const char* attributes;
        // (seconds from activation, playing then, after-events so far); the sound is stopped after each check.
        std::vector<std::tuple<float, bool, int>> checks;
    };
    const Case cases[] = {
        {R"(sound="tick" delays="1,2" uae="next")",
         {{0.95f, false, 0}, {1.05f, true, 0}, {2.95f, false, 0}, {3.05f, true, 1}, {6.0f, false, 1}}},
        // For ever.
        {R"(sound="tick" delays="1,2" loop="-1" uae="next")",
         {{1.05f, true, 0}, {3.05f, true, 0}, {4.05f, true, 0}, {6.05f, true, 0}}},
        // A delay of 0 ends the chain after the sound before it.
        {R"(sound="tick" delays="1,0,2" uae="next")", {{1.05f, true, 0}, {5.0f, false, 0}}},
        // A first delay of 0 starts nothing.
        {R"(sound="tick" delays="0,1" uae="next")", {{3.0f, false, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        mCounter.mEvents = 0;
        auto sound = Make<TDelayLoopsSoundObject>(c.attributes);
        sound->Activate(0, 0, 0);
        EXPECT_TRUE(sound->IsActive());
        float now = 0;
        for (const auto& [at, playing, events] : c.checks) {
            SCOPED_TRACE(at);
            Advance(*sound, at - now);
            now = at;
            EXPECT_EQ(mManager->IsSoundPlaying("tick"), playing);
            EXPECT_EQ(mCounter.mEvents, events);
            mManager->StopSound("tick");
        }
    }
}

TEST_F(SoundObjectTest, DelayedLoopSoundWithoutDelaysStaysSilent) {
    auto sound = Make<TDelayLoopsSoundObject>(R"(id="quiet" sound="tick" uae="next")");
    EXPECT_TRUE(harness::LogContains("delay loops sound quiet: no delays, it stays silent"));
    sound->Activate(0, 0, 0);
    Advance(*sound, 2.0f);
    sound->Restart();
    EXPECT_FALSE(mManager->IsSoundPlaying("tick"));
    EXPECT_EQ(mCounter.mEvents, 0);
}

// The clock keeps its ticking going while its time runs, and a tick under way when the time runs out or
// the clock is stopped ends by itself ("silence" stands for a tick that has ended); the animation sound
// stops on deactivation.
TEST_F(SoundObjectTest, TimedCounterTicksWhileItsTimeRunsAndLetsTheLastTickEnd) {
    struct Step {
        const char* action;
        float seconds;
        bool ticking, whirring;
    };
    const Step steps[] = {
        {"activate", 0, false, true},
        {"wait", 0.5f, true, true},
        // An ended tick is started again while time remains.
        {"silence", 0, false, true},
        {"wait", 0.1f, true, true},
        // The time runs out: the tick under way is not stopped, and once it has ended nothing restarts it.
        {"wait", 0.5f, true, true},
        {"silence", 0, false, true},
        {"wait", 1.0f, false, true},
        {"activate", 0, false, true},
        {"wait", 0.2f, true, true},
        // Stopping the clock stops its animation sound at once, not the tick.
        {"deactivate", 0, true, false},
        {"silence", 0, false, false},
        {"wait", 1.0f, false, false},
    };
    auto clock = Make<TDoubleHOCadrObject>(R"(id="clock" time="1" anim_sound="whirr")");
    for (const Step& step : steps) {
        const std::string action = step.action;
        SCOPED_TRACE(action + " " + std::to_string(step.seconds));
        if (action == "activate") {
            clock->Activate(0, 0, 0);
        } else if (action == "deactivate") {
            clock->Deactivate(0, 0, 0);
        } else if (action == "silence") {
            mManager->StopSound("clockticking");
        } else {
            Advance(*clock, step.seconds);
        }
        EXPECT_EQ(mManager->IsSoundPlaying("clockticking"), step.ticking);
        EXPECT_EQ(mManager->IsSoundPlaying("whirr"), step.whirring);
    }
}

// The frame in which the time runs out starts an ended tick once more; after it nothing does.
TEST_F(SoundObjectTest, TimedCounterTicksOnceMoreOnItsLastFrame) {
    auto clock = Make<TDoubleHOCadrObject>(R"(id="clock" time="0.015")");
    clock->Activate(0, 0, 0);
    clock->Update(0.01f);
    EXPECT_TRUE(mManager->IsSoundPlaying("clockticking"));
    mManager->StopSound("clockticking");
    clock->Update(0.01f);
    EXPECT_FALSE(clock->IsActive());
    EXPECT_TRUE(mManager->IsSoundPlaying("clockticking"));
    mManager->StopSound("clockticking");
    clock->Update(0.01f);
    EXPECT_FALSE(mManager->IsSoundPlaying("clockticking"));
}

} // namespace
} // namespace sound_test
