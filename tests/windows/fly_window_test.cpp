// Fly windows: the path and timings of the flight, the stay, the fade that holds the removal, the
// listener's story of one dialog, and the pointer ignored while the window flies.

#include "app/missing_names.h"
#include "dialogs_fixture.h"

namespace {

using wintest::TFlyRecorder;
using Lines = std::vector<std::string>;

// A 100 x 60 window with the button "ok" (id 3) at 10, 10, 40 x 20.
std::string FlyFile(const std::string& windowAttributes) {
    return R"(<object name="window" type="flywindow" w="100" h="60" )" + windowAttributes +
           R"(/><object name="ok" type="button" id="3" x="10" y="10" w="40" h="20"/>)";
}

class FlyWindowTest : public wintest::DialogsTest {
protected:
    // Shown as a popup the manager owns.
    TFlyWindow* Open(const std::string& body, TFlyRecorder* recorder = nullptr) {
        WriteUi("fly.xml", body);
        auto window = std::make_unique<TFlyWindow>(recorder, true, "ui/fly.xml");
        TFlyWindow* shown = window.get();
        TMyWindowManager::Get()->ShowPopup(std::move(window));
        return shown;
    }

    // Shown borrowed, so the test may look at it once it has closed.
    std::unique_ptr<TFlyWindow> OpenKept(const std::string& body, TFlyRecorder* recorder) {
        WriteUi("fly.xml", body);
        auto window = std::make_unique<TFlyWindow>(recorder, true, "ui/fly.xml");
        TMyWindowManager::Get()->ShowBorrowedPopup(window.get());
        return window;
    }

    static Lines SoundsMissing() {
        Lines names;
        for (const TMissingName& missing : GetMissingNames()) {
            if (missing.kind == "sound" && (missing.name == "whoosh" || missing.name == "thud")) {
                names.push_back(missing.name);
            }
        }
        return names;
    }
};

TEST_F(FlyWindowTest, TheCentreFliesAlongTheAxesInTurnEachInHalfTheTime) {
    struct Checkpoint {
        int frames;
        float x, y;
        int state;
    };
    struct Case {
        std::string body;
        std::vector<Checkpoint> checkpoints;
    };
    // Frames are 0.125 s; the first update only starts the flight.
    const Case cases[] = {
        {FlyFile(R"(x1="150" y1="-100" x="150" y="100" time="1")"),
         {{1, 150, -100, TFlyWindow::kFlyingIn},
          {2, 150, 0, TFlyWindow::kFlyingIn},
          {2, 150, 100, TFlyWindow::kShown}}},
        // The vertical leg starts in the update that ends the horizontal one.
        {FlyFile(R"(x1="-300" y1="-100" x="150" y="100" time="1")"),
         {{1, -300, -100, TFlyWindow::kFlyingIn},
          {2, -75, -100, TFlyWindow::kFlyingIn},
          {2, 150, -50, TFlyWindow::kFlyingIn},
          {2, 150, 50, TFlyWindow::kFlyingIn},
          {1, 150, 100, TFlyWindow::kShown}}},
        // A rest point of -1 is the centre of the design space.
        {FlyFile(R"(x1="640" y1="-100" time="1")"),
         {{1, 640, -100, TFlyWindow::kFlyingIn}, {4, 640, 384, TFlyWindow::kShown}}},
        // Without flight time the window starts shown at its start point and stays there.
        {FlyFile(R"(x1="40" y1="30" x="150" y="100" time="0" stay="-1")"),
         {{1, 40, 30, TFlyWindow::kShown}, {8, 40, 30, TFlyWindow::kShown}}},
        // Without a fly description: shown, still, centred on 0, 0.
        {R"(<object name="window" type="window" w="100" h="60"/>)",
         {{1, 0, 0, TFlyWindow::kShown}, {8, 0, 0, TFlyWindow::kShown}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        TFlyWindow* window = Open(c.body);
        int index = 0;
        for (const Checkpoint& checkpoint : c.checkpoints) {
            SCOPED_TRACE(index++);
            Step(checkpoint.frames);
            EXPECT_FLOAT_EQ(window->GetFlyX(), checkpoint.x);
            EXPECT_FLOAT_EQ(window->GetFlyY(), checkpoint.y);
            EXPECT_EQ(window->GetState(), checkpoint.state);
            EXPECT_EQ(window->GetX() + 50, static_cast<int>(checkpoint.x));
            EXPECT_EQ(window->GetY() + 30, static_cast<int>(checkpoint.y));
        }
        EXPECT_TRUE(IsPopup(window));
        TMyWindowManager::Get()->Remove(window);
    }
}

TEST_F(FlyWindowTest, TheStayDecidesWhenTheWindowLeavesByItself) {
    struct Case {
        const char* stay;
        // Updates in the shown state before the fly-out, and whether it starts then.
        int shownUpdates;
        bool fliesOut;
    };
    const Case cases[] = {
        {"", 1, true},
        {R"(stay="2")", 15, false},
        {R"(stay="2")", 16, true},
        {R"(stay="-1")", 80, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stay << " after " << c.shownUpdates);
        TFlyWindow* window =
            Open(FlyFile(std::string(R"(x1="150" y1="100" x="150" y="100" x2="150" y2="400" time="1" )") + c.stay));
        // Nothing to fly: shown in the second update.
        Step(2);
        ASSERT_EQ(window->GetState(), TFlyWindow::kShown);
        Step(c.shownUpdates);
        EXPECT_EQ(window->GetState(), c.fliesOut ? TFlyWindow::kFlyingOut : TFlyWindow::kShown);
        TMyWindowManager::Get()->Remove(window);
    }
}

TEST_F(FlyWindowTest, AFadingWindowLeavesOnlyWhenBothTheFlightAndTheFadeAreDone) {
    struct Case {
        const char* fade;
        int framesToLeave;
    };
    // The fly-out takes 0.25 s, the fade from 1.0 takes 0.4 s.
    const Case cases[] = {{R"(fade="0")", 2}, {R"(fade="1")", 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fade);
        TFlyRecorder recorder;
        TFlyWindow* window = Open(
            FlyFile(
                std::string(
                    R"(x1="150" y1="100" x="150" y="100" x2="150" y2="400" time="0.5" stay="-1" alphatime="0.4" )") +
                c.fade),
            &recorder);
        Step(4);
        ASSERT_FLOAT_EQ(window->mAlpha, 1.0f);
        window->Close(1);
        recorder.Take();
        Step(c.framesToLeave - 1);
        EXPECT_TRUE(IsPopup(window));
        EXPECT_TRUE(recorder.Take().empty());
        Step(1);
        EXPECT_FALSE(IsPopup(window));
        EXPECT_EQ(recorder.Take(), (Lines{"closed 0 1", "hidden 0"}));
    }
}

TEST_F(FlyWindowTest, ADialogsStoryFromLoadingToClosingWithTheClickedButtonsId) {
    TFlyRecorder recorder;
    const std::unique_ptr<TFlyWindow> kept =
        OpenKept(FlyFile(R"(x1="150" y1="40" x="150" y="100" x2="150" y2="400" time="1" stay="-1"
                            flyinsound="whoosh" flyoutsound="thud")"),
                 &recorder);
    TFlyWindow* window = kept.get();
    EXPECT_EQ(SoundsMissing(), (Lines{"whoosh"}));
    // While it flies in, the button (then at 110, 50) ignores the pointer.
    Step(3);
    ASSERT_EQ(window->GetState(), TFlyWindow::kFlyingIn);
    Click(115, 55);
    Step(2);
    ASSERT_EQ(window->GetState(), TFlyWindow::kShown);
    // At rest the button stands at 110, 80; a second click while it flies out reaches nothing.
    Click(115, 85);
    Click(115, 85);
    EXPECT_EQ(SoundsMissing(), (Lines{"whoosh", "thud"}));
    EXPECT_EQ(window->GetState(), TFlyWindow::kFlyingOut);
    Step(4);
    EXPECT_FALSE(IsPopup(window));
    EXPECT_EQ(recorder.Take(),
              (Lines{"loaded 0", "shown 0", "flyin 0", "button 0 3", "flyout 0", "closed 0 3", "hidden 0"}));
    EXPECT_EQ(window->GetResult(), 3);
    // A window that has closed is not closed a second time.
    window->Close(5);
    EXPECT_TRUE(recorder.Take().empty());
    EXPECT_EQ(window->GetResult(), 3);
}

TEST_F(FlyWindowTest, CloseDuringTheFlyInFliesOutFromWhereTheWindowIs) {
    TFlyRecorder recorder;
    TFlyWindow* window =
        Open(FlyFile(R"(x1="150" y1="-100" x="150" y="100" x2="150" y2="400" time="1" stay="-1")"), &recorder);
    Step(3);
    ASSERT_FLOAT_EQ(window->GetFlyY(), 0);
    window->Close(2);
    Step(1);
    EXPECT_EQ(window->GetState(), TFlyWindow::kFlyingOut);
    EXPECT_FLOAT_EQ(window->GetFlyY(), 100);
    Step(3);
    EXPECT_FALSE(IsPopup(window));
    EXPECT_EQ(recorder.Take(), (Lines{"loaded 0", "shown 0", "flyout 0", "closed 0 2", "hidden 0"}));
}

TEST_F(FlyWindowTest, AListenerDeletedWhileItsWindowFliesIsNotCalledAgain) {
    // The window's story after its listener went: it flies in, is clicked and leaves without a call.
    auto* recorder = new TFlyRecorder();
    const std::unique_ptr<TFlyWindow> kept =
        OpenKept(FlyFile(R"(x1="150" y1="40" x="150" y="100" x2="150" y2="400" time="1" stay="-1")"), recorder);
    TFlyWindow* window = kept.get();
    Step(2);
    ASSERT_EQ(window->GetState(), TFlyWindow::kFlyingIn);
    EXPECT_EQ(recorder->Take(), (Lines{"loaded 0", "shown 0"}));
    delete recorder;
    Step(3);
    ASSERT_EQ(window->GetState(), TFlyWindow::kShown);
    Click(115, 85);
    Step(4);
    EXPECT_FALSE(IsPopup(window));
    EXPECT_EQ(window->GetResult(), 3);
}

} // namespace
