// The main loop reaches the windows, the cursor set and the messages through its connected operations.

#include "shell/main_loop.h"
#include "windows_fixture.h"

namespace {

using wintest::Focus;
using wintest::Input;
using wintest::LeftDown;
using wintest::Move;
using wintest::TEventLog;
using wintest::TProbeWindow;

class FrameConnectionTest : public wintest::WindowsTest {};

TEST_F(FrameConnectionTest, InputGoesThroughTheCursorSetToTheWindows) {
    TEventLog log;
    auto owned = std::make_unique<TProbeWindow>("screen", 0, 0, 300, 200, nullptr, &log);
    TProbeWindow* screen = owned.get();
    new TProbeWindow("child", 10, 10, 50, 50, screen, &log);
    TMyWindowManager::Get()->ShowScreen(std::move(owned), false, 0);
    for (const TInputEvent& input : {Move(20, 25), LeftDown(20, 25), Input(kInputLeave, 0)}) {
        EXPECT_TRUE(DispatchInputEvent(input));
    }
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"child enter", "child move 10,15", "child down 10,15 b1"}));
    TGameCursors* cursors = TGameCursors::Get();
    EXPECT_EQ(cursors->mPointerX, 20);
    EXPECT_EQ(cursors->mPointerY, 25);
    EXPECT_FALSE(cursors->mInside);
    // A focus loss freezes the windows and forgets the press.
    DispatchInputEvent(Focus(false));
    EXPECT_TRUE(screen->IsFrozen());
    EXPECT_EQ(TMyWindowManager::Get()->GetPressed(), nullptr);
}

class Counter : public TMyMessageListener {
public:
    void OnMessage(SharedPtr<TMyMessage>) override { ++received; }
    int received = 0;
};

TEST_F(FrameConnectionTest, TheLoopLeavesMessagesToTheWindowManagersUpdate) {
    Counter counter;
    TMyMessageManager::Get()->Subscribe(&counter, "note");
    TMyMessageManager::Get()->Post("note", 0.5f);
    UpdateFrame(0.5f);
    EXPECT_EQ(TMyMessageManager::Get()->GetQueuedCount(), 1u);
    TMyWindowManager::Get()->Update(0.25f);
    EXPECT_EQ(counter.received, 0);
    TMyWindowManager::Get()->Update(0.25f);
    EXPECT_EQ(counter.received, 1);
}

} // namespace
