#pragma once
// Scene-object tests: inline object elements, a listener and a space that record what objects report,
// tools with chosen ids, and a fixture that resets the process-wide lists objects touch.

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tinyxml.h>
#include <vector>

#include "graphics/graphics_fixture.h"
#include "objects/object.h"
#include "objects/object_factory.h"
#include "objects/object_listener.h"
#include "objects/object_services.h"
#include "rooms/effector.h"
#include "rooms/room.h"
#include "rooms/trajectory_effector.h"
#include "windows/mouse_event.h"

namespace objtest {

// One parsed element; the document lives as long as this object.
class TXml {
public:
    explicit TXml(const std::string& text) {
        mDocument.Parse(text.c_str());
        EXPECT_FALSE(mDocument.Error()) << text;
    }
    const TiXmlElement* Root() const { return mDocument.RootElement(); }

private:
    TiXmlDocument mDocument;
};

// An object loaded from the attributes of one element, e.g. Load(R"(id="a" x="3")").
template <typename T = TObject> std::unique_ptr<T> Load(const std::string& attributes, const std::string& folder = "") {
    TXml xml("<object " + attributes + "/>");
    auto object = std::make_unique<T>();
    object->LoadFromXml(xml.Root(), folder);
    return object;
}

inline std::string PathText(const TObjectPathGroup& group) {
    std::string text;
    for (const TObjectPath& path : group) {
        text += (text.empty() ? "" : " ") + path.space + "/" + path.subSpace + "/" + path.object;
    }
    return text;
}

inline std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : " ") + name;
    }
    return text;
}

// Every report as one line: "<call> <what>".
class TRecordingListener : public TObjectListener {
public:
    void OnToolGiven(const std::vector<TGivenTool>& tools, TObject* object, float delay) override {
        Add("toolgiven " + (tools.empty() ? std::string() : tools[0].name));
    }
    void OnToolApplied(TObject* object, TTool* tool, int count) override { Add("toolapplied " + object->mName); }
    void OnObjectClicked(TObject* object) override { Add("clicked " + object->mName); }
    void OnFlag(const TFlagItem& item, TObject* object) override {
        Add("flag " + item.name + " " + std::to_string(item.value) + " " + item.extra);
    }
    void OnFlagsApplied() override { Add("flagsapplied"); }
    void UnlockObjects(const TObjectPathGroup& group) override { Add("unlock " + PathText(group)); }
    void LockObjects(const TObjectPathGroup& group) override { Add("lock " + PathText(group)); }
    void ActivateObjects(const TObjectPathGroup& group) override { Add("activate " + PathText(group)); }
    void DeactivateObjects(const TObjectPathGroup& group) override { Add("deactivate " + PathText(group)); }
    void ShowObjects(const TObjectPathGroup& group) override { Add("show " + PathText(group)); }
    void HideObjects(const TObjectPathGroup& group) override { Add("hide " + PathText(group)); }
    void RunEffects(const TObjectPathGroup& group, TObject*) override { Add("effects " + PathText(group)); }
    void RunEffectSets(const TObjectPathGroup& group, TObject*) override { Add("effectsets " + PathText(group)); }
    void AddTasks(const std::vector<std::string>& tasks, TObject*) override { Add("addtasks " + Joined(tasks)); }
    void RemoveTasks(const std::vector<std::string>& tasks, TObject*) override { Add("removetasks " + Joined(tasks)); }
    void PassAobjList(const std::vector<std::string>& names, TObject*) override { Add("aobj " + Joined(names)); }
    void PassRobjList(const std::vector<std::string>& names, TObject*) override { Add("robj " + Joined(names)); }
    void PassCobjList(const std::vector<std::string>& names, TObject*) override { Add("cobj " + Joined(names)); }
    void OnMouseEnterObject(TObject* object, const TMouseEvent&) override { Add("enter " + object->mName); }
    void OnMouseLeaveObject(TObject* object, const TMouseEvent&) override { Add("leave " + object->mName); }
    void OnFirstHover(TObject* object, const TMouseEvent&) override { Add("firsthover " + object->mName); }
    void OnObjectPressed(TObject* object, const TMouseEvent& event) override {
        Add("pressed " + object->mName + " " + std::to_string(event.x) + "," + std::to_string(event.y));
    }
    void OnObjectReleased(TObject* object, const TMouseEvent& event) override {
        Add("released " + object->mName + " " + std::to_string(event.x) + "," + std::to_string(event.y));
    }

    // The calls since the last Take, then forgets them.
    std::vector<std::string> Take() {
        std::vector<std::string> calls;
        calls.swap(mCalls);
        return calls;
    }

private:
    void Add(const std::string& line) {
        // Trailing blanks of empty parts say nothing.
        mCalls.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
    }

    std::vector<std::string> mCalls;
};

class TRecordingSoundPlayer : public TGameSoundPlayer {
public:
    void PlaySound(const std::string& name) override { mPlayed.push_back(name); }
    // The sounds played since the last Take.
    std::vector<std::string> Take() {
        std::vector<std::string> played;
        played.swap(mPlayed);
        return played;
    }
    std::vector<std::string> mPlayed;
};

// A space whose sounds are recorded, not played.
class TRecordingSpace : public TRoom {
public:
    TGameSoundPlayer* GetSoundPlayer() override { return &mSounds; }
    TRecordingSoundPlayer mSounds;
};

class TTestTool : public TTool {
public:
    explicit TTestTool(const std::string& id, bool complete = true) : mComplete(complete) { mId = id; }
    bool IsComplete() const override { return mComplete; }
    void Apply(int x, int y, int toolClicks) override { mApplied.push_back(toolClicks); }
    void SetPower(float power) override { mPower = power; }

    bool mComplete;
    std::vector<int> mApplied;
    float mPower = -100;
};

// Updates the object in equal steps for the given seconds.
inline void Advance(TObject& object, float seconds, float step = 0.001f) {
    const int steps = static_cast<int>(seconds / step + 0.5f);
    for (int i = 0; i < steps; ++i) {
        object.Update(step);
    }
}

// Updates the object in steps of 2 ms up to each moment (seconds from now) and samples a value there. Tweens
// drop the rest of the step in which they end, so each end costs at most one step.
inline std::vector<float> SampleAt(TObject& object, const std::vector<float>& moments,
                                   const std::function<float()>& value) {
    constexpr float kStep = 0.002f;
    std::vector<float> values;
    int steps = 0;
    for (float moment : moments) {
        while (static_cast<float>(steps) * kStep < moment - kStep / 2) {
            object.Update(kStep);
            ++steps;
        }
        values.push_back(value());
    }
    return values;
}

inline void ExpectNearAll(const std::vector<float>& actual, const std::vector<float>& expected, float tolerance) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "moment " << i;
    }
}

inline TMouseEvent At(int x, int y, TTool* tool = nullptr) {
    TMouseEvent event;
    event.x = x;
    event.y = y;
    event.gameX = x;
    event.gameY = y;
    event.buttons = 1;
    event.tool = tool;
    return event;
}

// The process-wide lists and switches objects use are emptied after every test.
class ObjectTest : public GraphicsTest {
protected:
    void TearDown() override {
        TObjectFactory::DestroyInstance();
        TRoomFactory::DestroyInstance();
        GetHandedOutTools().clear();
        TToolList::GetPlayerTools().Clear();
        TInterfaceEvents::Get().mBlockedNames.clear();
        GraphicsTest::TearDown();
    }
};

} // namespace objtest
