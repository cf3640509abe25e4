// The window manager: which window the pointer reaches with popups in their states, the events of hover,
// press, drag and release, keys, screen changes through a fader, and which windows it deletes: those handed in
// as its own when they close or at shutdown, never a borrowed one.

#include <map>

#include "windows_fixture.h"

namespace {

using wintest::Char;
using wintest::Focus;
using wintest::KeyDown;
using wintest::LeftDown;
using wintest::LeftUp;
using wintest::Move;
using wintest::RightDown;
using wintest::RightUp;
using wintest::Send;
using wintest::TEventLog;
using wintest::TFrames;
using wintest::TProbeWindow;
using Lines = std::vector<std::string>;

class WindowManagerTest : public wintest::WindowsTest {
protected:
    TMyWindowManager* Manager() { return TMyWindowManager::Get(); }

    // A probe that counts its deletion under its name; the counts outlive the manager.
    std::unique_ptr<TProbeWindow> MakeCounted(const std::string& name, float showDelay = 0) {
        auto window = std::make_unique<TProbeWindow>(name, 0, 0, 10, 10);
        window->mShowDelay = showDelay;
        window->mDeleted = &mDeleted[name];
        return window;
    }

    TEventLog mLog;
    std::map<std::string, int> mDeleted;
};

// A screen of 300 x 200 with "left" (10, 10, 100 x 100) and "right" (150, 10, 100 x 100) holding "inner"
// (10, 10, 30 x 30), and a popup (50, 120, 200 x 60) holding "ok" (10, 10, 40 x 20).
class RoutingTest : public WindowManagerTest {
protected:
    void SetUp() override {
        auto screen = std::make_unique<TProbeWindow>("screen", 0, 0, 300, 200, nullptr, &mLog);
        new TProbeWindow("left", 10, 10, 100, 100, screen.get(), &mLog);
        auto* right = new TProbeWindow("right", 150, 10, 100, 100, screen.get(), &mLog);
        new TProbeWindow("inner", 10, 10, 30, 30, right, &mLog);
        mKeptPopup = std::make_unique<TProbeWindow>("popup", 50, 120, 200, 60, nullptr, &mLog);
        mPopup = mKeptPopup.get();
        new TProbeWindow("ok", 10, 10, 40, 20, mPopup, &mLog);
        Manager()->ShowScreen(std::move(screen), false, 0);
    }
    void TearDown() override {
        mKeptPopup.reset();
        WindowManagerTest::TearDown();
    }

    // Kept by the test and shown borrowed, again in each state.
    std::unique_ptr<TProbeWindow> mKeptPopup;
    TProbeWindow* mPopup = nullptr;
};

TEST_F(RoutingTest, PopupStatesAndPointerPositionDecideTheWindowPressed) {
    struct State {
        const char* what;
        std::function<void(TMyWindowManager*, TProbeWindow*)> setup;
    };
    const std::vector<State> states = {
        {"no popup", [](TMyWindowManager*, TProbeWindow*) {}},
        {"active popup", [](TMyWindowManager* manager, TProbeWindow* popup) { manager->ShowBorrowedPopup(popup); }},
        {"hidden popup",
         [](TMyWindowManager* manager, TProbeWindow* popup) {
             manager->ShowBorrowedPopup(popup);
             popup->Hide();
         }},
        {"disabled popup",
         [](TMyWindowManager* manager, TProbeWindow* popup) {
             manager->ShowBorrowedPopup(popup);
             popup->mDisabled = true;
         }},
        {"transparent popup",
         [](TMyWindowManager* manager, TProbeWindow* popup) {
             manager->ShowBorrowedPopup(popup);
             popup->mAlpha = 0;
         }},
        {"popup flying (not interactive)",
         [](TMyWindowManager* manager, TProbeWindow* popup) {
             manager->ShowBorrowedPopup(popup);
             popup->mInteractive = false;
         }},
    };
    struct Point {
        int x, y;
    };
    const std::vector<Point> points = {{20, 20}, {165, 25}, {155, 15}, {70, 135}, {55, 125}, {299, 199}, {300, 200}};
    // Per state, per point: the press line expected ("" when no window is pressed).
    const std::vector<Lines> expected = {
        {"left down 10,10 b1", "inner down 5,5 b1", "right down 5,5 b1", "screen down 70,135 b1",
         "screen down 55,125 b1", "screen down 299,199 b1", ""},
        {"", "", "", "ok down 10,5 b1", "popup down 5,5 b1", "", ""},
        {"left down 10,10 b1", "inner down 5,5 b1", "right down 5,5 b1", "screen down 70,135 b1",
         "screen down 55,125 b1", "screen down 299,199 b1", ""},
        {"left down 10,10 b1", "inner down 5,5 b1", "right down 5,5 b1", "screen down 70,135 b1",
         "screen down 55,125 b1", "screen down 299,199 b1", ""},
        {"left down 10,10 b1", "inner down 5,5 b1", "right down 5,5 b1", "screen down 70,135 b1",
         "screen down 55,125 b1", "screen down 299,199 b1", ""},
        {"", "", "", "", "", "", ""},
    };
    for (size_t s = 0; s < states.size(); ++s) {
        states[s].setup(Manager(), mPopup);
        for (size_t p = 0; p < points.size(); ++p) {
            SCOPED_TRACE(testing::Message() << states[s].what << " at " << points[p].x << "," << points[p].y);
            mLog.Take();
            Send({LeftDown(points[p].x, points[p].y)});
            const Lines lines = mLog.Take();
            if (expected[s][p].empty()) {
                EXPECT_TRUE(lines.empty()) << lines.front();
                EXPECT_EQ(Manager()->GetPressed(), nullptr);
            } else {
                EXPECT_EQ(lines, Lines{expected[s][p]});
                ASSERT_NE(Manager()->GetPressed(), nullptr);
                EXPECT_EQ(expected[s][p].rfind(Manager()->GetPressed()->mName + " ", 0), 0u);
            }
            // The press records its buttons whether or not a window got it.
            EXPECT_EQ(Manager()->GetButtonsHeld(), 1);
            Send({Focus(false)});
        }
        Manager()->Remove(mPopup);
        mPopup->mShown = true;
        mPopup->mDisabled = false;
        mPopup->mAlpha = 1;
        mPopup->mInteractive = true;
    }
}

TEST_F(RoutingTest, LowerActivePopupTakesOverWhenTheTopOneIsHidden) {
    auto owned = std::make_unique<TProbeWindow>("top", 0, 0, 300, 200, nullptr, &mLog);
    TProbeWindow* top = owned.get();
    Manager()->ShowBorrowedPopup(mPopup);
    Manager()->ShowPopup(std::move(owned));
    top->Hide();
    EXPECT_EQ(Manager()->GetTopActivePopup(), mPopup);
    Send({LeftDown(70, 135), LeftDown(20, 20)});
    EXPECT_EQ(mLog.Take(), Lines{"ok down 10,5 b1"});
}

// A plain screen of 300 x 200 with probes "A" (10, 10, 50 x 50) and "B" (100, 10, 50 x 50).
class PointerTest : public WindowManagerTest {
protected:
    void SetUp() override {
        auto screen = std::make_unique<TMyWindow>();
        mScreen = screen.get();
        mScreen->SetRect(0, 0, 300, 200);
        mA = new TProbeWindow("A", 10, 10, 50, 50, mScreen, &mLog);
        mB = new TProbeWindow("B", 100, 10, 50, 50, mScreen, &mLog);
        Manager()->ShowScreen(std::move(screen), false, 0);
    }

    TMyWindow* mScreen = nullptr;
    TProbeWindow* mA = nullptr;
    TProbeWindow* mB = nullptr;
};

TEST_F(PointerTest, EventSequencesReachTheRightWindows) {
    struct Case {
        const char* what;
        std::vector<TInputEvent> inputs;
        Lines expected;
    };
    const std::vector<Case> cases = {
        {"hover, a repeated move, another window",
         {Move(20, 20), Move(20, 20), Move(30, 20), Move(120, 20), Move(5, 5)},
         {"A enter", "A move 10,10", "A move 20,10", "A leave", "B enter", "B move 20,10", "B leave"}},
        {"click", {LeftDown(20, 20), LeftUp(22, 21)}, {"A down 10,10 b1", "A up 12,11 b1", "A enter", "A move 12,11"}},
        {"drag onto another window and back",
         {LeftDown(20, 20), Move(120, 20, 1), Move(25, 20, 1), Move(120, 20, 1), LeftUp(120, 20)},
         {"A down 10,10 b1", "A drag 110,10 b1", "A enter", "A move 15,10", "A drag 15,10 b1", "A leave",
          "A drag 110,10 b1", "A up 110,10 b1", "B enter", "B move 20,10"}},
        {"a right press while the left is held moves the press",
         {LeftDown(20, 20), RightDown(120, 20), LeftUp(120, 20), RightUp(120, 20)},
         {"A down 10,10 b1", "B down 20,10 b2", "B enter", "B move 20,10", "B up 20,10 b2"}},
        {"a focus loss forgets the press",
         {LeftDown(20, 20), Focus(false), LeftUp(20, 20)},
         {"A down 10,10 b1", "A enter", "A move 10,10"}},
        {"a move with no button held forgets the press",
         {LeftDown(20, 20), Move(25, 20, 0), LeftUp(25, 20)},
         {"A down 10,10 b1", "A enter", "A move 15,10"}},
        {"a drag from the screen's background hovers none of the windows it crosses",
         {LeftDown(200, 150), Move(20, 20, 1), LeftUp(20, 20)},
         {"A enter", "A move 10,10"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Send({Focus(false), Move(250, 150)});
        mLog.Take();
        Send(c.inputs);
        EXPECT_EQ(mLog.Take(), c.expected);
    }
}

TEST_F(PointerTest, HeldButtonsFollowTheMasks) {
    Send({LeftDown(20, 20)});
    EXPECT_EQ(Manager()->GetButtonsHeld(), 1);
    Send({RightDown(120, 20)});
    EXPECT_EQ(Manager()->GetButtonsHeld(), 2); // replaced, not combined
    EXPECT_EQ(Manager()->GetPressed(), mB);
    Send({LeftUp(120, 20)});
    EXPECT_EQ(Manager()->GetButtonsHeld(), 2);
    EXPECT_EQ(Manager()->GetPressed(), mB);
    Send({RightUp(120, 20)});
    EXPECT_EQ(Manager()->GetButtonsHeld(), 0);
    EXPECT_EQ(Manager()->GetPressed(), nullptr);
}

TEST_F(PointerTest, AWindowDeletedBetweenPressAndReleaseIsForgotten) {
    int deleted = 0;
    mA->mDeleted = &deleted;
    Send({Move(20, 20), LeftDown(20, 20)});
    ASSERT_EQ(Manager()->GetPressed(), mA);
    ASSERT_EQ(Manager()->GetHovered(), mA);
    delete mA;
    EXPECT_EQ(Manager()->GetPressed(), nullptr);
    EXPECT_EQ(Manager()->GetHovered(), nullptr);
    mLog.Take();
    Send({Move(22, 20, 1), LeftUp(22, 20)});
    EXPECT_TRUE(mLog.Take().empty());
    EXPECT_EQ(deleted, 1);
}

TEST_F(PointerTest, AWindowTakenOutOfTheTreeGetsNoRelease) {
    Send({LeftDown(20, 20)});
    mScreen->mChildren.erase(mScreen->mChildren.begin());
    mA->mParent = nullptr;
    mLog.Take();
    Send({LeftUp(20, 20)});
    EXPECT_TRUE(mLog.Take().empty());
    delete mA;
}

TEST_F(PointerTest, KeysAndCharactersGoToTheTopPopupElseTheTopScreen) {
    auto owned = std::make_unique<TProbeWindow>("popup", 0, 0, 10, 10, nullptr, &mLog);
    TProbeWindow* popup = owned.get();
    Send({KeyDown(13), Char(0x44F)});
    EXPECT_EQ(mLog.Take(), (Lines{"A key 13", "B key 13", "A char 1103", "B char 1103"}));
    Manager()->ShowPopup(std::move(owned));
    Send({KeyDown(27, 0x40), Char(65)});
    EXPECT_EQ(mLog.Take(), (Lines{"popup key 27", "popup char 65"}));
    popup->mDisabled = true;
    Send({KeyDown(8)});
    EXPECT_EQ(mLog.Take(), (Lines{"A key 8", "B key 8"}));
    TMyWindowManager::Release();
    Send({KeyDown(8), Char(66), LeftDown(20, 20)}); // a new, empty manager drops everything
    EXPECT_TRUE(mLog.Take().empty());
}

TEST_F(WindowManagerTest, PopupsWaitForTheirShowDelay) {
    TFrames frames;
    // Borrowed, so that it can be shown twice as the tutorial is.
    auto popup = std::make_unique<TProbeWindow>("popup", 0, 0, 10, 10);
    popup->mShowDelay = 0.5f;
    Manager()->ShowBorrowedPopup(popup.get());
    Manager()->ShowBorrowedPopup(popup.get());
    EXPECT_EQ(Manager()->GetWaitingPopups().size(), 1u);
    EXPECT_EQ(Manager()->FindById(-1), popup.get());
    int frame = 0;
    while (Manager()->GetPopups().empty() && frame < 100) {
        frames.Step(100);
        ++frame;
    }
    EXPECT_EQ(frame, 5);
    EXPECT_TRUE(Manager()->GetWaitingPopups().empty());
    EXPECT_TRUE(popup->mShown);
}

TEST_F(WindowManagerTest, CloseByIdHandsAnOwnedWindowToTheCallerAndABorrowedOneToNobody) {
    TFrames frames;
    std::unique_ptr<TProbeWindow> screen = MakeCounted("screen");
    std::unique_ptr<TProbeWindow> popup = MakeCounted("popup");
    TProbeWindow* shownScreen = screen.get();
    screen->mId = 3;
    popup->mId = 3;
    Manager()->ShowScreen(std::move(screen), false, 0);
    Manager()->ShowBorrowedPopup(popup.get());
    Manager()->ShowBorrowedPopup(popup.get());
    EXPECT_EQ(Manager()->GetScreens().size(), 1u);
    EXPECT_EQ(Manager()->GetPopups().size(), 1u);
    EXPECT_EQ(Manager()->CloseById(99), nullptr);
    std::unique_ptr<TMyWindow> closed = Manager()->CloseById(3); // screens come first
    EXPECT_EQ(closed.get(), shownScreen);
    // The popup leaves the lists but stays its owner's.
    EXPECT_EQ(Manager()->CloseById(3), nullptr);
    EXPECT_TRUE(Manager()->GetScreens().empty());
    EXPECT_TRUE(Manager()->GetPopups().empty());
    frames.Step(16);
    TMyWindowManager::Release();
    // Removal neither hides nor deletes, not even at the end of the frame or at shutdown.
    EXPECT_EQ(mDeleted, (std::map<std::string, int>{{"screen", 0}, {"popup", 0}}));
    EXPECT_TRUE(closed->mShown);
    EXPECT_TRUE(popup->mShown);
    closed.reset();
    EXPECT_EQ(mDeleted["screen"], 1);
}

TEST_F(WindowManagerTest, AClosingWindowIsRemovedHiddenAndDeletedWhenOwned) {
    TFrames frames;
    std::unique_ptr<TProbeWindow> borrowed = MakeCounted("borrowed popup");
    borrowed->mCloseRequest = true;
    std::unique_ptr<TProbeWindow> screen = MakeCounted("screen");
    std::unique_ptr<TProbeWindow> popup = MakeCounted("popup");
    screen->mCloseRequest = true;
    popup->mCloseRequest = true;
    Manager()->ShowScreen(std::move(screen), false, 0);
    Manager()->ShowPopup(std::move(popup));
    Manager()->ShowBorrowedPopup(borrowed.get());
    frames.Step(16);
    EXPECT_TRUE(Manager()->GetScreens().empty());
    EXPECT_TRUE(Manager()->GetPopups().empty());
    EXPECT_EQ(mDeleted, (std::map<std::string, int>{{"borrowed popup", 0}, {"screen", 1}, {"popup", 1}}));
    EXPECT_FALSE(borrowed->mShown);
}

TEST_F(WindowManagerTest, AReplacingScreenTakesTheOwnedDialogsWithItAndLeavesTheBorrowedOnes) {
    TFrames frames;
    std::unique_ptr<TProbeWindow> borrowed = MakeCounted("borrowed");
    std::unique_ptr<TProbeWindow> borrowedWaiting = MakeCounted("borrowed waiting", 5);
    Manager()->ShowScreen(MakeCounted("old"), false, 0);
    Manager()->ShowPopup(MakeCounted("dialog"));
    Manager()->ShowPopup(MakeCounted("waiting dialog", 5));
    Manager()->ShowBorrowedPopup(borrowed.get());
    Manager()->ShowBorrowedPopup(borrowedWaiting.get());
    Manager()->ShowScreen(MakeCounted("new"), true, 0);
    frames.Step(16);
    EXPECT_EQ(
        mDeleted,
        (std::map<std::string, int>{
            {"borrowed", 0}, {"borrowed waiting", 0}, {"old", 1}, {"dialog", 1}, {"waiting dialog", 1}, {"new", 0}}));
    EXPECT_EQ(Manager()->GetPopups(), std::vector<TMyWindow*>{borrowed.get()});
    EXPECT_EQ(Manager()->GetWaitingPopups(), std::vector<TMyWindow*>{borrowedWaiting.get()});
    ASSERT_EQ(Manager()->GetScreens().size(), 1u);
    EXPECT_EQ(Manager()->GetScreens().back()->mName, "new");
}

TEST_F(WindowManagerTest, FrozenScreensAndPopupsWithoutTheUpdateBitAreNotUpdated) {
    TFrames frames;
    auto screen = std::make_unique<TProbeWindow>("screen", 0, 0, 10, 10);
    auto popup = std::make_unique<TProbeWindow>("popup", 0, 0, 10, 10);
    screen->mCloseRequest = true;
    popup->mCloseRequest = true;
    popup->mUpdateFlags = 6;
    Manager()->ShowScreen(std::move(screen), false, 0);
    Manager()->ShowPopup(std::move(popup));
    Manager()->SetAllFrozen(true);
    frames.Step(16);
    EXPECT_EQ(Manager()->GetScreens().size(), 1u);
    Manager()->SetAllFrozen(false);
    frames.Step(16);
    EXPECT_TRUE(Manager()->GetScreens().empty());
    EXPECT_EQ(Manager()->GetPopups().size(), 1u);
}

// Screen changes through fader 1 (covering 0.5 s, uncovering 0.5 s, then 0.2 s).
class FadeTest : public WindowManagerTest {
protected:
    void SetUp() override {
        Manager()->AddFader(std::make_unique<TFaderShadow>());
        std::unique_ptr<TProbeWindow> old = MakeScreen("old");
        mOld = old.get();
        Manager()->ShowScreen(std::move(old), false, 0);
    }

    std::unique_ptr<TProbeWindow> MakeScreen(const std::string& name) {
        auto screen = std::make_unique<TProbeWindow>(name, 0, 0, 300, 200, nullptr, &mLog);
        screen->mDeleted = &mDeleted[name];
        return screen;
    }

    std::string TopName() { return Manager()->GetScreens().empty() ? "" : Manager()->GetScreens().back()->mName; }

    // Steps 100 ms frames until the condition holds; the number of frames, or -1 after 100.
    int StepUntil(const std::function<bool()>& done) {
        for (int frame = 1; frame <= 100; ++frame) {
            mFrames.Step(100);
            if (done()) {
                return frame;
            }
        }
        return -1;
    }

    TFrames mFrames;
    TProbeWindow* mOld = nullptr;
};

TEST_F(FadeTest, TheSwapHappensWhenTheScreenIsCovered) {
    Manager()->ShowScreen(MakeScreen("next"), true, 1);
    EXPECT_NE(Manager()->GetActiveFader(), nullptr);
    EXPECT_EQ(TopName(), "old");
    EXPECT_EQ(StepUntil([&] { return TopName() == "next"; }), 5);
    EXPECT_EQ(Manager()->GetScreens().size(), 1u);
    EXPECT_EQ(mDeleted["old"], 1);
    EXPECT_EQ(StepUntil([&] { return Manager()->GetActiveFader() == nullptr; }), 7);
}

TEST_F(FadeTest, AScreenAskedForDuringAFadeWaitsForItsEnd) {
    Manager()->ShowScreen(MakeScreen("first"), true, 1);
    mFrames.Step(100);
    Manager()->ShowScreen(MakeScreen("second"), true, 1);
    EXPECT_EQ(StepUntil([&] { return TopName() == "first"; }), 4);
    // The second change starts when the first fade ends (frame 12) and ends 12 frames later.
    EXPECT_EQ(StepUntil([&] { return Manager()->GetActiveFader() == nullptr; }), 19);
    EXPECT_EQ(TopName(), "second");
    EXPECT_EQ(Manager()->GetScreens().size(), 1u);
    EXPECT_EQ(mDeleted["old"], 1);
    EXPECT_EQ(mDeleted["first"], 1);
}

TEST_F(FadeTest, AReplacedScreenThatClosesItselfDuringTheFadeIsSkipped) {
    Manager()->ShowScreen(MakeScreen("next"), true, 1);
    mFrames.Step(100);
    mOld->mCloseRequest = true;
    mFrames.Step(100);
    EXPECT_EQ(mDeleted["old"], 1);
    EXPECT_EQ(StepUntil([&] { return Manager()->GetActiveFader() == nullptr; }), 10);
    EXPECT_EQ(TopName(), "next");
    EXPECT_EQ(Manager()->GetScreens().size(), 1u);
    EXPECT_EQ(mDeleted["old"], 1);
}

TEST_F(FadeTest, APendingScreenThatLeavesBeforeTheMiddleIsNotSwappedIn) {
    std::unique_ptr<TProbeWindow> made = MakeScreen("next");
    TProbeWindow* next = made.get();
    Manager()->ShowScreen(std::move(made), true, 1);
    mFrames.Step(100);
    const std::unique_ptr<TMyWindow> back = Manager()->Remove(next);
    EXPECT_EQ(back.get(), next);
    made = MakeScreen("other");
    TProbeWindow* other = made.get();
    Manager()->ShowScreen(std::move(made), true, 1);
    // Taken back while it waits, and dropped at once.
    EXPECT_NE(Manager()->Remove(other), nullptr);
    EXPECT_EQ(mDeleted["other"], 1);
    EXPECT_EQ(StepUntil([&] { return Manager()->GetActiveFader() == nullptr; }), 11);
    EXPECT_TRUE(Manager()->GetScreens().empty());
    EXPECT_EQ(mDeleted["old"], 1);
    EXPECT_EQ(mDeleted["next"], 0);
}

TEST_F(FadeTest, AFaderIndexThatNamesNoFaderSwapsAtOnce) {
    for (int index : {2, -1}) {
        SCOPED_TRACE(index);
        const std::string name = "next" + std::to_string(index);
        Manager()->ShowScreen(MakeScreen(name), true, index);
        EXPECT_EQ(TopName(), name);
        EXPECT_EQ(Manager()->GetActiveFader(), nullptr);
        EXPECT_TRUE(harness::LogContains("window manager: no fader " + std::to_string(index)));
    }
    EXPECT_EQ(Manager()->GetScreens().size(), 1u);
}

TEST_F(FadeTest, ADoublePressOnAButtonThatChangesScreens) {
    auto* button = new TProbeWindow("button", 10, 10, 50, 50, mOld, &mLog);
    int made = 0;
    button->mOnUp = [&] { Manager()->ShowScreen(MakeScreen("made" + std::to_string(++made)), true, 1); };
    Send({LeftDown(20, 20), LeftUp(20, 20), LeftDown(20, 20), LeftUp(20, 20)});
    EXPECT_EQ(made, 2);
    EXPECT_EQ(StepUntil([&] { return TopName() == "made2" && Manager()->GetActiveFader() == nullptr; }), 24);
    EXPECT_EQ(Manager()->GetScreens().size(), 1u);
    EXPECT_EQ(mDeleted["old"], 1);
    EXPECT_EQ(mDeleted["made1"], 1);
}

TEST_F(FadeTest, FaderZeroReplacesTheTopAtOnceEvenFromInsideItsOwnButton) {
    auto* button = new TProbeWindow("button", 10, 10, 50, 50, mOld, &mLog);
    button->mOnUp = [&] { Manager()->ShowScreen(MakeScreen("next"), true, 0); };
    Send({LeftDown(20, 20), LeftUp(20, 20)});
    EXPECT_EQ(TopName(), "next");
    EXPECT_EQ(mDeleted["old"], 1);
}

TEST_F(WindowManagerTest, ShutdownDeletesEveryWindowItOwnsOrKeepsExactlyOnce) {
    Manager()->AddFader(std::make_unique<TFaderShadow>());
    Manager()->ShowScreen(MakeCounted("screen"), false, 0);
    Manager()->ShowPopup(MakeCounted("popup"));
    Manager()->ShowPopup(MakeCounted("waiting", 5));
    std::unique_ptr<TProbeWindow> borrowed = MakeCounted("borrowed");
    std::unique_ptr<TProbeWindow> borrowedWaiting = MakeCounted("borrowed waiting", 5);
    Manager()->ShowBorrowedPopup(borrowed.get());
    Manager()->ShowBorrowedPopup(borrowedWaiting.get());
    Manager()->ShowScreen(MakeCounted("pending"), true, 1);
    Manager()->ShowScreen(MakeCounted("queued"), true, 1);
    // Kept until shutdown and shown borrowed, as the tutorial is: in two lists, deleted once.
    std::unique_ptr<TProbeWindow> kept = MakeCounted("kept");
    Manager()->ShowBorrowedPopup(kept.get());
    Manager()->KeepUntilShutdown(std::move(kept));
    TMyWindowManager::Release();
    EXPECT_EQ(mDeleted, (std::map<std::string, int>{{"screen", 1},
                                                    {"popup", 1},
                                                    {"waiting", 1},
                                                    {"borrowed", 0},
                                                    {"borrowed waiting", 0},
                                                    {"pending", 1},
                                                    {"queued", 1},
                                                    {"kept", 1}}));
}

// Messages are dispatched once per frame, by the window manager.
class TimedListener : public TMyMessageListener {
public:
    void OnMessage(SharedPtr<TMyMessage> message) override { ++received; }
    int received = 0;
};

TEST_F(WindowManagerTest, AMessageArrivesInTheFrameWhereItsDelayHasPassed) {
    struct Case {
        uint32_t frameMs;
        float delay;
        int frame;
    };
    const std::vector<Case> cases = {{100, 1.0f, 10}, {16, 1.0f, 63}, {50, 0.3f, 6}, {10, 0.7f, 70}, {33, 0.0f, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frameMs << " ms frames, delay " << c.delay);
        TFrames frames;
        TimedListener listener;
        TMyMessageManager::Get()->Subscribe(&listener, "ring");
        TMyMessageManager::Get()->Post("ring", c.delay);
        int frame = 0;
        while (listener.received == 0 && frame < 1000) {
            frames.Step(c.frameMs);
            ++frame;
        }
        EXPECT_EQ(frame, c.frame);
    }
}

} // namespace
