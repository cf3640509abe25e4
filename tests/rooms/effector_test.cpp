// Key-track animators, random and trajectory effectors and repeaters, driven by fixed update steps and
// sampled at chosen moments.

#include <cmath>
#include <cstdlib>
#include <functional>

#include "../objects/object_test_support.h"
#include "app/buffer.h"
#include "app/xml_reader.h"
#include "rooms/random_effector.h"
#include "rooms/repeater.h"
#include "rooms/trajectory_effector.h"

namespace {

using objtest::ObjectTest;
using objtest::TXml;

// Remembers which tracks reported their end, in order.
class TTrackedObject : public TObject {
public:
    void OnEffectorTrackFinished(int track) override { mFinished.push_back(track); }
    std::vector<int> mFinished;
};

using TReading = std::function<float(TObject&)>;

const TReading kX = [](TObject& o) { return o.mX; };
const TReading kY = [](TObject& o) { return o.mY; };
const TReading kAlpha = [](TObject& o) { return o.mAlpha; };
const TReading kScaleX = [](TObject& o) { return o.GetScaleX(); };
const TReading kAngle = [](TObject& o) { return o.mAngle; };

class EffectorTest : public ObjectTest {
protected:
    static constexpr float kStep = 0.002f;

    // An object loaded from its attributes that owns the effector of the element.
    std::unique_ptr<TTrackedObject> Owner(const std::string& attributes) {
        TXml xml("<object " + attributes + "/>");
        auto object = std::make_unique<TTrackedObject>();
        object->LoadFromXml(xml.Root(), "");
        return object;
    }

    std::unique_ptr<TEffector> Effector(const std::string& text, TObject& owner) {
        TXml xml(text);
        std::unique_ptr<TEffector> effector = CreateEffector(ReadXmlString(xml.Root(), "type", ""));
        EXPECT_NE(effector, nullptr);
        effector->LoadFromXml(xml.Root());
        owner.mEffectorName = effector->mName;
        EXPECT_TRUE(owner.AttachEffector(effector.get()));
        return effector;
    }

    // Updates in fixed steps and reads the property at each moment (seconds from the start).
    std::vector<float> Sample(TObject& owner, const std::vector<float>& moments, const TReading& read) {
        std::vector<float> values;
        int steps = 0;
        for (float moment : moments) {
            while (static_cast<float>(steps) * kStep < moment - kStep / 2) {
                owner.Update(kStep);
                ++steps;
            }
            values.push_back(read(owner));
        }
        return values;
    }
};

struct TKeyCase {
    const char* name;
    const char* object;
    const char* effector;
    TReading read;
    std::vector<float> moments;
    std::vector<float> expected;
    std::vector<int> finished;
};

TEST_F(EffectorTest, KeyTracksWriteTheirPropertiesAtTheirTimes) {
    const TKeyCase cases[] = {
        {"a move played once stays at its last key",
         R"(x="5" y="7")",
         R"(<effector name="e" loop="1"><key id="x" time="0" value="0"/><key id="x" time="2" value="100"/></effector>)",
         kX,
         {0.5f, 1.0f, 2.0f, 3.0f},
         {25, 50, 100, 100},
         {0}},
        {"a hold keeps the value for its time and the loop goes on",
         "",
         R"(<effector name="e"><key id="x" time="0" value="0"/><key id="x" time="1" value="10"/>
            <key id="x" time="2" value="10"/><key id="x" time="3" value="20"/></effector>)",
         kX,
         {1.0f, 1.5f, 2.5f, 3.5f},
         {10, 10, 15, 5},
         {}},
        {"loop 2 plays the keys twice, then ends once",
         "",
         R"(<effector name="e" loop="2"><key id="y" time="0" value="0"/><key id="y" time="1" value="10"/></effector>)",
         kY,
         {0.5f, 1.5f, 2.5f},
         {5, 5, 10},
         {1}},
        {"keys in falling time order take the time differences",
         "",
         R"(<effector name="e" loop="1"><key id="x" time="3" value="0"/><key id="x" time="1" value="10"/>
            <key id="x" time="0" value="30"/></effector>)",
         kX,
         {1.0f, 2.0f, 2.5f, 3.5f},
         {5, 10, 20, 30},
         {0}},
        {"a lone key sets its value once",
         R"(x="40")",
         R"(<effector name="e"><key id="o" time="0" value="0.4"/></effector>)",
         kAlpha,
         {0.05f, 1.0f},
         {0.4f, 0.4f},
         {3}},
        {"alpha is kept within 0 and 1",
         "",
         R"(<effector name="e" loop="1"><key id="o" time="0" value="-1"/><key id="o" time="1" value="2"/></effector>)",
         kAlpha,
         {0.25f, 0.5f, 1.2f},
         {0, 0.5f, 1},
         {3}},
        {"uniform scale",
         "",
         R"(<effector name="e" loop="1"><key id="s" time="0" value="1"/><key id="s" time="1" value="2"/></effector>)",
         kScaleX,
         {0.5f},
         {1.5f},
         {}},
        {"angle in radians",
         "",
         R"(<effector name="e" loop="1"><key id="a" time="0" value="0"/><key id="a" time="2" value="1"/></effector>)",
         kAngle,
         {1.0f},
         {0.5f},
         {}},
        {"an x track keeps the logical y of a centred object",
         R"(y="100" h="40" drawtype="1")",
         R"(<effector name="e" loop="1"><key id="x" time="0" value="0"/><key id="x" time="1" value="10"/></effector>)",
         kY,
         {0.5f, 1.2f},
         {100, 100},
         {0}},
        {"play 0 loads stopped and writes nothing",
         R"(x="9")",
         R"(<effector name="e" play="0"><key id="x" time="0" value="0"/><key id="x" time="1" value="10"/></effector>)",
         kX,
         {0.5f, 2.0f},
         {9, 9},
         {}},
        {"unknown key ids are ignored",
         R"(x="9")",
         R"(<effector name="e"><key id="z" time="0" value="0"/><key id="z" time="1" value="10"/></effector>)",
         kX,
         {0.5f},
         {9},
         {}},
    };
    for (const TKeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto owner = Owner(c.object);
        auto effector = Effector(c.effector, *owner);
        objtest::ExpectNearAll(Sample(*owner, c.moments, c.read), c.expected, 0.15f);
        EXPECT_EQ(owner->mFinished, c.finished);
    }
}

TEST_F(EffectorTest, StopParksAndStartReplaysFromTheFirstKey) {
    auto owner = Owner("");
    auto effector = Effector(
        R"(<effector name="e" loop="1"><key id="o" time="0" value="0"/><key id="o" time="1" value="1"/></effector>)",
        *owner);
    Sample(*owner, {0.5f}, kAlpha);
    effector->Stop();
    EXPECT_NEAR(Sample(*owner, {0.5f, 1.0f}, kAlpha)[1], 0.5f, 0.02f);
    EXPECT_FALSE(effector->mPlaying);
    effector->Start();
    EXPECT_NEAR(Sample(*owner, {0.25f}, kAlpha)[0], 0.25f, 0.02f);
    EXPECT_EQ(owner->mX, 0.0f);
}

TEST_F(EffectorTest, ParentSignalGoesToTheOwnersParent) {
    auto parent = Owner(R"(id="door")");
    auto* child = Owner(R"(id="leaf")").release();
    ASSERT_TRUE(parent->AddChild(child));
    TXml xml(R"(<effector type="parent_signal" name="swing" loop="1"><key id="x" time="0" value="100"/>
        <key id="x" time="2" value="300"/></effector>)");
    std::unique_ptr<TEffector> effector = CreateEffector("parent_signal");
    effector->LoadFromXml(xml.Root());
    child->mEffectorName = "swing";
    ASSERT_TRUE(parent->AttachEffector(effector.get()));
    Sample(*parent, {2.5f}, kX);
    EXPECT_EQ(child->mX, 300.0f);
    EXPECT_EQ(parent->mFinished, std::vector<int>{0});
    EXPECT_TRUE(static_cast<TTrackedObject*>(child)->mFinished.empty());
}

struct TRepeaterCase {
    const char* name;
    const char* repeater;
    std::vector<float> moments;
    std::vector<float> expected;
};

TEST_F(EffectorTest, RepeatersRestartAfterTheirWaits) {
    // A one-second move from 0 to 10, played once per start.
    const TRepeaterCase cases[] = {
        {"first start after stime, then every time seconds",
         R"(type="vartime" stime="2" time="5")",
         {1.0f, 2.5f, 4.0f, 7.5f, 9.0f},
         {-1, 5, 10, 5, 10}},
        {"a wait of zero restarts once the move has ended",
         R"(type="vartime" time="0")",
         {0.51f, 1.52f, 2.53f},
         {5, 5, 5}},
        {"a first wait below zero starts at once",
         R"(type="vartime" stime="-1" time="3")",
         {0.51f, 2.0f, 3.52f},
         {5, 10, 5}},
        {"an unknown type makes no repeater: the effector plays at once",
         R"(type="weekly" time="3")",
         {0.5f, 3.5f},
         {5, 10}},
    };
    for (const TRepeaterCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::srand(7);
        auto owner = Owner(R"(x="-1")");
        auto effector = Effector(std::string(R"(<effector name="e" loop="1"><key id="x" time="0" value="0"/>
            <key id="x" time="1" value="10"/><repeater )") +
                                     c.repeater + "/></effector>",
                                 *owner);
        objtest::ExpectNearAll(Sample(*owner, c.moments, kX), c.expected, 0.3f);
    }
    EXPECT_TRUE(harness::LogContains("warning: effector e: repeater type weekly unknown, none made"));
}

TEST_F(EffectorTest, ACloneHasARepeaterOfItsOwn) {
    auto owner = Owner("");
    auto copyOwner = Owner("");
    auto effector = Effector(R"(<effector name="e" loop="1"><key id="x" time="0" value="0"/>
        <key id="x" time="1" value="10"/><repeater type="vartime" stime="1" time="4"/></effector>)",
                             *owner);
    std::unique_ptr<TEffector> clone = effector->Clone();
    ASSERT_NE(clone->mRepeater, nullptr);
    EXPECT_NE(clone->mRepeater.get(), effector->mRepeater.get());
    EXPECT_EQ(static_cast<TVariousTimeRepeater*>(clone->mRepeater.get())->mEffector, clone.get());
    copyOwner->mEffectorName = "e";
    ASSERT_TRUE(copyOwner->AttachEffector(clone.get()));
    effector.reset();
    // Both play at the same speed, each restarted by its own repeater.
    objtest::ExpectNearAll(Sample(*copyOwner, {1.5f, 5.5f}, kX), {5, 5}, 0.2f);
}

TEST_F(EffectorTest, RandomEffectorsMoveWithinTheirRanges) {
    std::srand(11);
    auto owner = Owner(R"(x="150" y="20")");
    auto effector = Effector(R"(<effector type="random" name="r" tracks="x, y" minmax="100,200;0,10" changes="2"
        dt="1" tbc="1" regen="0" loop="1"/>)",
                             *owner);
    auto* random = static_cast<TRandomEffector*>(effector.get());
    ASSERT_EQ(random->mStartValues, (std::vector<float>{150, 20}));
    // Start key, then (move end, hold end) per change: five keys, 4 seconds.
    EXPECT_EQ(random->mTracks[TEffector::kX].keys.values.size(), 5u);
    EXPECT_FLOAT_EQ(random->mTotalTime, 4.0f);
    const auto& xs = random->mTracks[TEffector::kX].keys.values;
    for (size_t i = 1; i < xs.size(); ++i) {
        EXPECT_GE(xs[i], 100.0f);
        EXPECT_LE(xs[i], 200.0f);
    }
    // The hold after the first change keeps the value, and the second change is still played.
    const std::vector<float> x = Sample(*owner, {1.2f, 1.8f, 3.5f, 5.0f}, kX);
    EXPECT_NEAR(x[0], xs[1], 0.2f);
    EXPECT_NEAR(x[1], xs[1], 0.2f);
    EXPECT_NEAR(x[2], xs[3], 0.2f);
    EXPECT_NEAR(x[3], xs[4], 0.2f);
    EXPECT_GE(owner->mY, 0.0f);
    EXPECT_LE(owner->mY, 10.0f);
}

TEST_F(EffectorTest, RandomEffectorEdgeCases) {
    std::srand(3);
    {
        SCOPED_TRACE("no changes: the owner stays at its start value");
        auto owner = Owner(R"(x="80")");
        auto effector = Effector(R"(<effector type="random" name="r" tracks="x" minmax="0,10"/>)", *owner);
        EXPECT_FLOAT_EQ(static_cast<TRandomEffector*>(effector.get())->mTotalTime, 0.0f);
        objtest::ExpectNearAll(Sample(*owner, {0.5f, 2.0f}, kX), {80, 80}, 0.001f);
    }
    {
        SCOPED_TRACE("rts: the last change returns to the start value, and regeneration goes on");
        auto owner = Owner(R"(x="50")");
        auto effector = Effector(
            R"(<effector type="random" name="r" tracks="x" minmax="0,10" changes="2" rts="1" dt="1" tbc="0.5"/>)",
            *owner);
        const auto& xs = effector->mTracks[TEffector::kX].keys.values;
        EXPECT_EQ(xs.back(), 50.0f);
        // 1 + 0.5 + 1 + 0.5: then a new cycle from 50.
        objtest::ExpectNearAll(Sample(*owner, {2.9f, 3.004f}, kX), {50, 50}, 0.3f);
        EXPECT_TRUE(static_cast<TRandomEffector*>(effector.get())->mRegenTimer.IsRunning());
    }
    {
        SCOPED_TRACE("randomsv: each cycle starts within sminmax, one change by default");
        auto owner = Owner(R"(x="500")");
        auto effector = Effector(
            R"(<effector type="randomsv" name="r" tracks="x" minmax="0,10" sminmax="20,30" dt="1" loop="1"/>)", *owner);
        auto* random = static_cast<TRandomEffectorOwnSV*>(effector.get());
        ASSERT_EQ(random->mStartValues.size(), 1u);
        EXPECT_GE(random->mStartValues[0], 20.0f);
        EXPECT_LE(random->mStartValues[0], 30.0f);
        EXPECT_EQ(random->mChanges, 1);
        EXPECT_NEAR(Sample(*owner, {0.002f}, kX)[0], random->mStartValues[0], 0.1f);
    }
    {
        SCOPED_TRACE("a track without a range pair is dropped");
        auto owner = Owner(R"(x="1" y="2")");
        auto effector = Effector(R"(<effector type="random" name="short" tracks="x,y" minmax="5,6" changes="1"
            dt="1"/>)",
                                 *owner);
        EXPECT_EQ(static_cast<TRandomEffector*>(effector.get())->mTrackList, std::vector<int>{TEffector::kX});
        EXPECT_FALSE(effector->mTracks[TEffector::kY].keyed);
        EXPECT_TRUE(harness::LogContains("warning: effector short: 1 tracks without a \"minmax\" pair dropped"));
    }
}

TEST_F(EffectorTest, TrajectoriesCarryTheirOwner) {
    auto owner = Owner("");
    auto effector = Effector(R"(<effector type="trajectory" name="t" trajfile="ellipse" elipsex1="100"
        elipsey1="50" elipsew="200" elipseh="0" amplituda="40" time="4" loop="1" hide="1" calc_angle="0"/>)",
                             *owner);
    EXPECT_TRUE(effector->HidesOwnerAtEnd());
    objtest::ExpectNearAll(Sample(*owner, {0.02f, 2.0f, 3.99f}, kX), {100, 300, 100}, 3.0f);
    EXPECT_EQ(owner->mAngle, 0.0f);
    EXPECT_TRUE(owner->mVisible);
    Sample(*owner, {4.2f}, kX);
    EXPECT_FALSE(owner->mVisible);

    // Endless: the path starts again.
    auto looping = Owner("");
    auto endless =
        Effector(R"(<effector type="trajectory" name="t" trajfile="ellipse" elipsex1="0" elipsey1="0" elipsew="100"
        elipseh="0" amplituda="10" time="2"/>)",
                 *looping);
    objtest::ExpectNearAll(Sample(*looping, {1.0f, 3.0f}, kX), {100, 100}, 3.0f);
    EXPECT_TRUE(looping->mVisible);
}

TEST_F(EffectorTest, TrajectoriesWithoutUsableTimeOrPathStayPut) {
    struct Case {
        const char* name;
        const char* attributes;
        const char* log;
        bool moves;
    } cases[] = {
        {"no time", R"(elipsew="100" amplituda="10")",
         "warning: trajectory ellipse: no time for path 0, it never moves", false},
        {"a path index past the paths takes the first", R"(elipsew="100" amplituda="10" time="2" trajindex="4")",
         "warning: trajectory ellipse: path 4 of 1, the first taken", true},
        {"extra time pieces are ignored", R"(elipsew="100" amplituda="10" time="2;7;9")", nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto owner = Owner(R"(x="7")");
        auto effector = Effector(
            std::string(R"(<effector type="trajectory" name="t" trajfile="ellipse" )") + c.attributes + "/>", *owner);
        const float x = Sample(*owner, {1.0f}, kX)[0];
        EXPECT_EQ(std::fabs(x - 7.0f) > 1.0f, c.moves) << x;
        if (c.log != nullptr) {
            EXPECT_TRUE(harness::LogContains(c.log));
        }
    }
}

TEST_F(EffectorTest, SavedStateRoundTrips) {
    const std::string text = R"(<effector name="e"><key id="x" time="0" value="0"/><key id="x" time="1" value="10"/>
        <key id="o" time="0" value="1"/><key id="o" time="3" value="0"/><repeater type="vartime" stime="0.5"
        time="2"/></effector>)";
    std::srand(5);
    auto owner = Owner("");
    auto effector = Effector(text, *owner);
    Sample(*owner, {1.2f}, kX);
    TBaseBuffer saved;
    effector->WriteState(saved);

    auto other = Owner("");
    auto restored = Effector(text, *other);
    restored->ReadState(saved);
    EXPECT_FALSE(saved.IsFailed());
    EXPECT_TRUE(saved.IsReadComplete());
    TBaseBuffer again;
    restored->WriteState(again);
    EXPECT_EQ(again.GetBytes(), saved.GetBytes());
    // The restored tracks go on from where the saved ones were.
    owner->Update(0.1f);
    other->Update(0.1f);
    EXPECT_NEAR(other->mAlpha, owner->mAlpha, 0.001f);
}

TEST_F(EffectorTest, FactoryMakesEveryTypeAndNothingElse) {
    EXPECT_EQ(TEffectorsFactory::GetInstance(), nullptr);
    TEffectorsFactory factory;
    const std::pair<const char*, const std::type_info*> kinds[] = {
        {"", &typeid(TEffector)},
        {"cadr", &typeid(TCadrEffector)},
        {"parent_signal", &typeid(TParentSignalEffector)},
        {"random", &typeid(TRandomEffector)},
        {"randomsv", &typeid(TRandomEffectorOwnSV)},
        {"trajectory", &typeid(TTrajectoryEffector)},
    };
    for (const auto& [type, info] : kinds) {
        std::unique_ptr<TEffector> effector = factory.Create(type);
        ASSERT_NE(effector, nullptr) << type;
        EXPECT_EQ(typeid(*effector), *info) << type;
    }
    EXPECT_NE(TEffectorsFactory::GetInstance(), nullptr);
    for (const char* unknown : {"Random", "showpocket", "trajectory "}) {
        EXPECT_EQ(factory.Create(unknown), nullptr) << unknown;
    }
    TEffectorsFactory::DestroyInstance();
}

} // namespace
