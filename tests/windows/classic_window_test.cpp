// Classic windows: controls made from their files, size and place, the fade, closing through the window
// manager, where the background is drawn and whom the buttons report to.

#include <tinyxml.h>

#include "dialogs_fixture.h"
#include "windows/classic_window.h"
#include "windows/image_control.h"
#include "windows/ui_window_box.h"

namespace {

using wintest::TEventLog;
using Lines = std::vector<std::string>;

// Writes its button clicks and what its result was when it was deleted.
class TProbeClassicWindow : public TClassicWindow {
public:
    TProbeClassicWindow(const std::string& file, TEventLog* log) : TClassicWindow(file, true), mLog(log) {}
    ~TProbeClassicWindow() override { mLog->lines.push_back(FormatString("deleted with result %d", GetResult())); }
    void OnButtonClick(int parentId, TMyWindow*, int buttonId, TMyButton*) override {
        mLog->lines.push_back(FormatString("window click %d %d", parentId, buttonId));
    }

    TEventLog* mLog;
};

class TClickRecorder : public TMyButtonListener {
public:
    void OnButtonClick(int, TMyWindow*, int buttonId, TMyButton*) override {
        lines.push_back(FormatString("other click %d", buttonId));
    }
    Lines lines;
};

class ClassicWindowTest : public wintest::DialogsTest {
protected:
    // Outlives the windows, which the manager deletes after the test.
    TEventLog mLog;
};

TEST_F(ClassicWindowTest, ObjectsThatAskForAControlBecomeChildrenThatReportToTheWindow) {
    WriteUi("form.xml", R"(<object name="window" type="window" x="150" y="100" w="200" h="120"/>
        <object name="ok" type="button" id="1" x="10" y="10" w="40" h="20"/>
        <object name="skipped" type="button" id="2" create="false" w="40" h="20"/>
        <object name="label" type="imagetext" x="10" y="40" w="100" h="20" text="x"/>
        <object name="volume" type="slider" x="10" y="70" w="100" h="20"/>
        <object name="name" type="edit" x="10" y="90" w="100" h="20"/>
        <object name="picture" type="image" x="120" y="10" w="20" h="20"/>
        <object name="video" type="regenervideobutton2" id="3" w="40" h="20"/>
        <object name="regen" type="regenerbutton2" id="4" w="40" h="20"/>
        <object name="list" type="listbox"/>
        <object name="note" type="rect"/>
        <object name="tip" type="tutorial"/>
        <object name="text" type="text"/>)");
    TClassicWindow window("ui/form.xml", true);

    Lines made;
    for (TMyWindow* child : window.mChildren) {
        made.push_back(FormatString("%s %d", child->mName.c_str(), child->GetType()));
    }
    EXPECT_EQ(made, (Lines{"ok 1", "label 4", "volume 0", "name 0", "picture 7", "video 1"}));
    EXPECT_EQ(window.FindChildByName("skipped"), nullptr);
    EXPECT_EQ(dynamic_cast<TMyButton*>(window.FindChildByName("ok"))->mButtonListener, &window);
    EXPECT_EQ(dynamic_cast<TMyButton*>(window.FindChildByName("video"))->mButtonListener, &window);
    EXPECT_EQ(dynamic_cast<TBaseSlider*>(window.FindChildByName("volume"))->mSliderListener, &window);
    EXPECT_EQ(dynamic_cast<TMyEditWindow*>(window.FindChildByName("name"))->mEditListener, &window);
    EXPECT_EQ(window.FindChildById(1)->mName, "ok");
    EXPECT_EQ(window.GetResult(), -1);
    EXPECT_EQ(window.GetListenerType(), kWindowKindClassic);
}

TEST_F(ClassicWindowTest, SizeComesFromTheDescriptionElseTheBackgroundElseTheDesignAndXYIsTheCentre) {
    WriteSolidImage("bg/back.png", 40, 30, kRed);
    struct Case {
        const char* body;
        TWindowRect rect;
    };
    // The design size stays 1280 x 768 without the game's start-up.
    const Case cases[] = {
        {R"(<object name="window" type="window" x="150" y="100" w="200" h="120"/>)", {50, 40, 200, 120}},
        {R"(<object name="window" type="window" x="150" y="100" w="101" h="61"/>)", {100, 70, 101, 61}},
        {R"(<object name="window" type="window" x="150" y="100" image="bg/back"/>)", {130, 85, 40, 30}},
        {R"(<object name="window" type="window" x="150" y="100" h="50" image="bg/back"/>)", {130, 75, 40, 50}},
        {R"(<object name="window" type="window" x="150" y="100"/>)", {-490, -284, 1280, 768}},
        {R"(<object name="ok" type="button" w="40" h="20"/>)", {0, 0, 1280, 768}},
        // A "window" of a kind that describes no window counts as absent.
        {R"(<object name="window" type="rect" x="150" y="100" w="200" h="120"/>)", {0, 0, 1280, 768}},
        {"", {0, 0, 1280, 768}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        WriteUi("sized.xml", c.body);
        TClassicWindow window("ui/sized.xml", true);
        EXPECT_EQ(window.GetX(), c.rect.x);
        EXPECT_EQ(window.GetY(), c.rect.y);
        EXPECT_EQ(window.GetWidth(), c.rect.w);
        EXPECT_EQ(window.GetHeight(), c.rect.h);
    }
    // Controls are made even without a description of the window.
    WriteUi("bare.xml", R"(<object name="ok" type="button" w="40" h="20"/>)");
    TClassicWindow bare("ui/bare.xml", true);
    EXPECT_NE(bare.FindChildByName("ok"), nullptr);
    EXPECT_TRUE(harness::LogContains("ui object window of kind 17 is no TUIClassicWindow, skipped"));
}

TEST_F(ClassicWindowTest, TheFadeRunsInOverAlphaTimeAndDownFromWhereItStands) {
    enum Action { kShow, kHide, kUpdate };
    struct Step {
        Action action;
        float dt;
        float alpha;
    };
    struct Case {
        const char* alphaTime;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"0.5",
         {{kShow, 0, 0},
          {kUpdate, 0.125f, 0.25f},
          {kUpdate, 0.125f, 0.5f},
          {kUpdate, 0.25f, 1},
          {kUpdate, 0.25f, 1},
          {kHide, 0, 1},
          {kUpdate, 0.25f, 0.5f},
          {kUpdate, 0.25f, 0},
          {kUpdate, 0.25f, 0}}},
        // Hidden half-way in: half the time to fade out.
        {"0.5",
         {{kShow, 0, 0}, {kUpdate, 0.25f, 0.5f}, {kHide, 0, 0.5f}, {kUpdate, 0.125f, 0.25f}, {kUpdate, 0.125f, 0}}},
        {"0", {{kShow, 0, 1}, {kUpdate, 0.25f, 1}, {kHide, 0, 0}, {kUpdate, 0.25f, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alphaTime);
        WriteUi("fade.xml", std::string(R"(<object name="window" type="window" w="100" h="50" alphatime=")") +
                                c.alphaTime + R"("/><object name="ok" type="button" w="40" h="20"/>)");
        TClassicWindow window("ui/fade.xml", true);
        EXPECT_FLOAT_EQ(window.mAlpha, 1.0f);
        int index = 0;
        for (const Step& step : c.steps) {
            SCOPED_TRACE(index++);
            if (step.action == kShow) {
                window.Show();
            } else if (step.action == kHide) {
                window.Hide();
            } else {
                EXPECT_FALSE(window.Update(step.dt));
            }
            EXPECT_FLOAT_EQ(window.mAlpha, step.alpha);
            EXPECT_FLOAT_EQ(window.GetFadeValue(), step.alpha);
        }
    }
}

TEST_F(ClassicWindowTest, CloseTakesTheWindowOutInTheNextUpdateWithItsResult) {
    WriteUi("dialog.xml", R"(<object name="window" type="window" x="150" y="100" w="100" h="60"/>)");
    auto owned = std::make_unique<TProbeClassicWindow>("ui/dialog.xml", &mLog);
    TProbeClassicWindow* window = owned.get();
    TMyWindowManager::Get()->ShowPopup(std::move(owned));
    window->Close(7);
    EXPECT_TRUE(IsPopup(window));
    Step(1);
    EXPECT_FALSE(IsPopup(window));
    EXPECT_EQ(mLog.Take(), (Lines{"deleted with result 7"}));
}

TEST_F(ClassicWindowTest, ButtonsReportToTheWindowUntilAnotherListenerIsGiven) {
    WriteUi("dialog.xml", R"(<object name="window" type="window" x="150" y="100" w="100" h="60"/>
        <object name="ok" type="button" id="5" x="10" y="10" w="40" h="20"/>
        <object name="label" type="imagetext" id="6" x="10" y="35" w="40" h="20"/>)");
    auto owned = std::make_unique<TProbeClassicWindow>("ui/dialog.xml", &mLog);
    TProbeClassicWindow* window = owned.get();
    window->mId = 9;
    TMyWindowManager::Get()->ShowPopup(std::move(owned));
    // The button stands at 110, 80 on the screen.
    Click(115, 85);
    EXPECT_EQ(mLog.Take(), (Lines{"window click 9 5"}));
    TClickRecorder other;
    window->SetButtonsListener(&other);
    Click(115, 85);
    EXPECT_TRUE(mLog.Take().empty());
    EXPECT_EQ(other.lines, (Lines{"other click 5"}));
}

TEST_F(ClassicWindowTest, TheBackgroundIsDrawnWhereTheWindowStandsAndFadesWithIt) {
    WriteSolidImage("bg/red.png", 8, 8, kRed);
    WriteUi("small.xml", R"(<object name="window" type="window" x="12" y="12" image="bg/red" alphatime="0.5"/>)");
    auto shown = std::make_unique<TClassicWindow>("ui/small.xml", true);
    TClassicWindow* window = shown.get();
    ASSERT_EQ(window->GetX(), 8);
    TMyWindowManager::Get()->ShowPopup(std::move(shown));
    Step(4);
    BeginCanvas();
    TMyWindowManager::Get()->Draw();
    ExpectPixels({{8, 8, kRedPixel},
                  {15, 15, kRedPixel},
                  {7, 8, kBlack},
                  {8, 7, kBlack},
                  {16, 15, kBlack},
                  {15, 16, kBlack},
                  {0, 0, kBlack}});
    // Half-way through the fade-in: half the red over black.
    const std::unique_ptr<TMyWindow> owned = TMyWindowManager::Get()->Remove(window);
    ASSERT_EQ(owned.get(), window);
    window->Show();
    window->Update(0.25f);
    BeginCanvas();
    window->Draw();
    EXPECT_TRUE(NearColor(Pixel(10, 10), {128, 0, 0, 255}));
}

TEST_F(ClassicWindowTest, AWindowOfTheGlobalDescriptionIsTheGameScreenKind) {
    WriteSolidImage("bg/back.png", 40, 30, kRed);
    TiXmlDocument document;
    document.Parse(R"(<interface>
        <object name="board" type="window" x="150" y="100" w="300" h="200" image="bg/back"/>
        <object name="framed" type="window" x="150" y="100" image="bg/back"/>
        <object name="plain" type="rect" x="150" y="100" w="300" h="200"/></interface>)");
    TUIInfoHolder::GetGlobal()->LoadFromXml(document.RootElement());
    struct Case {
        const char* name;
        bool described;
        TWindowRect rect;
    };
    const Case cases[] = {
        {"board", true, {0, 0, 300, 200}},
        {"framed", true, {130, 85, 40, 30}},
        {"plain", false, {0, 0, 1280, 768}},
        {"missing", false, {0, 0, 1280, 768}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TClassicWindow window{std::string(c.name)};
        EXPECT_EQ(window.mId, 4);
        EXPECT_EQ(window.GetHolder(), nullptr);
        EXPECT_TRUE(window.mChildren.empty());
        EXPECT_EQ(window.GetDescription() != nullptr, c.described);
        EXPECT_EQ(window.GetX(), c.rect.x);
        EXPECT_EQ(window.GetY(), c.rect.y);
        EXPECT_EQ(window.GetWidth(), c.rect.w);
        EXPECT_EQ(window.GetHeight(), c.rect.h);
    }
}

} // namespace
