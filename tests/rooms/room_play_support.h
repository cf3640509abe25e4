#pragma once
// Rooms played by pointer actions in tests: an owner that records what the room tells it, and a fixture
// with images of known sizes and rooms read from inline descriptions.

#include <memory>
#include <string>
#include <vector>

#include "../objects/object_test_support.h"
#include "app/xml_reader.h"
#include "objects/tool.h"
#include "rooms/game_space.h"
#include "rooms/pocket.h"

namespace roomtest {

// Every notice of the room, one line each, and the interface events as they are delivered.
class TRecordingOwner : public TGameSpaceListener, public TInterfaceEventListener {
public:
    void OnSpaceCompleted(TGameSpace* space) override { Add("completed " + space->mName); }
    void OnSpaceHidden(TGameSpace* space) override { Add("hidden " + space->mName); }
    void GoToRoom(const std::string& room, TGameSpace* space, bool flag) override { Add("goto " + room); }
    void GoToRoomXo(const std::string& room, TGameSpace* space) override { Add("gotoxo " + room); }
    void OnObjectFound(TObject* object, TGameSpace* space) override { Add("found " + object->mName); }
    void OnWrongClick(TObject* object, TGameSpace* space) override { Add("miss " + object->mName); }
    void OnInteractionFound(TObject* object, TGameSpace* space) override { Add("interaction " + object->mName); }
    void OnToolApplied(TGameSpace* space, TObject* object, TTool* tool) override {
        Add("applied " + tool->GetCurrentId() + " " + object->mName);
    }
    void OnToolGiven(const std::vector<TGivenTool>& tools, TObject* object, float delay) override {
        Add("given " + tools.front().name);
    }
    void OnToolFound(const std::string& tool) override { Add("toolfound " + tool); }
    void OnInterfaceEvent(TInterfaceEvent event, std::string name) override {
        Add("event " + name + (event.argument1.empty() ? "" : " " + event.argument1));
    }
    void Add(const std::string& line) { mCalls.push_back(line); }
    std::vector<std::string> Take() {
        std::vector<std::string> calls;
        calls.swap(mCalls);
        return calls;
    }
    std::vector<std::string> mCalls;
};

class RoomPlayTest : public objtest::ObjectTest {
protected:
    void SetUp() override {
        ObjectTest::SetUp();
        TObjectFactory::CreateInstance();
        TEffectorsFactory::CreateInstance();
        WriteSolidImage("scenes/test/box.png", 100, 100, kRed);
        // A room's first object is tested by its bounds and loads its image without an alpha map, which
        // the texture cache then shares: rooms here start with a backdrop of its own image.
        WriteSolidImage("scenes/test/back.png", 4, 4, kGreen);
        TInterfaceEvents::Get().mListener = &mOwner;
    }
    void TearDown() override {
        TInterfaceEvents::Get().mListener = nullptr;
        TInterfaceEvents::Get().Clear();
        TEffectorsFactory::DestroyInstance();
        ObjectTest::TearDown();
    }

    // A room from an inline description, its images loaded, shown, with the recording owner.
    std::unique_ptr<TRoom> Play(const std::string& text) {
        auto room = std::make_unique<TRoom>();
        room->LoadSource(TXmlSource{"inline.xml", text, nullptr});
        room->SetOwnerListener(&mOwner);
        room->LoadImages(false);
        room->Show();
        mOwner.Take();
        return room;
    }

    // A press and a release at a point.
    static bool Click(TRoom& room, int x, int y, TTool* tool = nullptr) {
        const bool taken = room.OnMouseDown(objtest::At(x, y, tool));
        room.OnMouseUp(objtest::At(x, y, tool));
        return taken;
    }

    // Time passes for the room and the event channel alike.
    void Wait(TRoom& room, uint32_t ms) {
        for (uint32_t step = 0; step < ms; step += 10) {
            mClock.Advance(10);
            room.Update(0.01f);
            TInterfaceEvents::Get().Update();
        }
    }

    harness::SteppedClock mClock;
    TRecordingOwner mOwner;
};

} // namespace roomtest
