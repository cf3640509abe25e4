#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <typeindex>
#include <typeinfo>

#include "app/app_config.h"
#include "app/xml_reader.h"
#include "harness/harness.h"
#include "ui_fields.h"

namespace {

using uitest::FieldOf;
using uitest::LoadText;

// The global holder outlives a test unless it is released.
class UIInfoHolderTest : public testing::Test {
protected:
    void TearDown() override {
        TUIInfoHolder::ReleaseGlobal();
        ReleaseXmlRoot();
    }
};

// The log lines written after the first `count` lines.
std::vector<std::string> LogLinesAfter(size_t count) {
    std::vector<std::string> lines = harness::LogLines();
    lines.erase(lines.begin(), lines.begin() + static_cast<long>(std::min(count, lines.size())));
    return lines;
}

std::vector<std::string> NamesOf(const TUIInfoHolder& holder) {
    std::vector<std::string> names;
    for (const auto& box : holder.GetObjects()) {
        names.push_back(box->mName);
    }
    return names;
}

TEST_F(UIInfoHolderTest, MakesTheClassAndKindOfEachType) {
    struct Case {
        const char* type;
        int kind;
        std::type_index cls;
    };
    const Case cases[] = {
        {"button", 0, typeid(TUIMyButton)},
        {"regenervideobutton2", 0, typeid(TRegenerateVideoButton2Info)},
        {"listbox", 4, typeid(TUIListBox)},
        {"toolholder", 5, typeid(TUIToolHolder)},
        {"regenerbutton2", 6, typeid(TUIRegenerateButton2Info)},
        {"text", 8, typeid(TUIText)},
        {"imagetext", 9, typeid(TUIImageText)},
        {"tutorialwindow", 10, typeid(TUITutorialWindow)},
        {"tutorial", 11, typeid(TUITutorial)},
        {"window", 12, typeid(TUIClassicWindow)},
        {"flywindow", 13, typeid(TUIFlyWindow)},
        {"slider", 14, typeid(TUIBaseSlider)},
        {"edit", 15, typeid(TUIEdit)},
        {"image", 16, typeid(TUIMyImage)},
        {"rect", 17, typeid(TUIBaseBox)},
        {"", 17, typeid(TUIBaseBox)},
        {"hintbox", 17, typeid(TUIHintBox)},
        {"backbox", 17, typeid(TUIBackBox)},
        {"taskbox", 17, typeid(TUITaskBox)},
        {"lockinterfbtn", 18, typeid(TUILockInterfButton)},
    };
    for (const Case& c : cases) {
        TUIInfoHolder holder;
        LoadText(holder, std::string(R"(<ui><object name="b" type=")") + c.type + R"("/></ui>)");
        const TUIBaseBox* box = holder.FindObject("b");
        ASSERT_NE(box, nullptr) << c.type;
        EXPECT_EQ(box->mKind, c.kind) << c.type;
        EXPECT_EQ(std::type_index(typeid(*box)), c.cls) << c.type;
    }
    // Types compare exactly: anything else is skipped, as is an object without a "type" of its own.
    TUIInfoHolder holder;
    LoadText(holder, R"(<ui><object name="a" type="Button"/><object name="c" type="button "/>
        <object name="d" type="frame"/><object name="e"/></ui>)");
    EXPECT_EQ(NamesOf(holder), std::vector<std::string>{"e"});
}

TEST_F(UIInfoHolderTest, StylesBeforeObjectsFirstOfANameAndLookUps) {
    TUIInfoHolder holder;
    LoadText(holder, R"(<ui>
        <object name="early" style="s"/>
        <style name="s" w="10"/>
        <style name="s" w="20"/>
        <style name="t" type="Text" w="30"/>
        <style w="40"/>
        <object name="twin" id="1"/>
        <object name="twin" id="2"/>
        <object id="5"/>
        <object name="u" style="t"/>
        <object name="v" style=""/>
        <group><object name="nested"/><style name="n" w="50"/></group>
        <object name="late" style="s"/>
      </ui>)");
    EXPECT_EQ(NamesOf(holder), (std::vector<std::string>{"early", "twin", "twin", "", "u", "v", "late"}));
    EXPECT_EQ(FieldOf(holder, "early", "w"), "10");
    EXPECT_EQ(FieldOf(holder, "late", "w"), "10");
    EXPECT_EQ(FieldOf(holder, "twin", "id"), "1");
    EXPECT_EQ(FieldOf(holder, "", "id"), "5");
    // A style of an unknown type is skipped; a nameless one is kept but no box can name it.
    EXPECT_EQ(holder.FindStyle("t"), nullptr);
    EXPECT_EQ(FieldOf(holder, "u", "w"), "0");
    ASSERT_NE(holder.FindStyle(""), nullptr);
    EXPECT_EQ(FieldOf(holder, "v", "w"), "0");
    EXPECT_EQ(FieldOf(holder, "", "w"), "0");
    // Only direct children of the root are read.
    EXPECT_EQ(holder.FindObject("nested"), nullptr);
    EXPECT_EQ(holder.FindStyle("n"), nullptr);
    EXPECT_EQ(holder.FindObject("twi"), nullptr);
    EXPECT_EQ(holder.FindObject("twins"), nullptr);
}

TEST_F(UIInfoHolderTest, ASecondRootAddsWithoutReplacing) {
    TUIInfoHolder holder;
    LoadText(holder, R"(<ui><style name="s" w="10"/><object name="a" id="1"/></ui>)");
    LoadText(holder, R"(<ui><style name="s" w="20"/><style name="r" w="30"/>
        <object name="b" style="s"/><object name="a" id="2" style="r"/></ui>)");
    EXPECT_EQ(NamesOf(holder), (std::vector<std::string>{"a", "b", "a"}));
    EXPECT_EQ(FieldOf(holder, "a", "id"), "1");
    EXPECT_EQ(FieldOf(holder, "b", "w"), "10");
    EXPECT_EQ(holder.GetObjects().back()->mW, 30);
    holder.LoadFromXml(nullptr);
    EXPECT_EQ(holder.GetObjects().size(), 3u);
}

TEST_F(UIInfoHolderTest, AWindowFileFindsMissingStylesInTheGlobalHolder) {
    LoadText(*TUIInfoHolder::GetGlobal(), R"(<ui>
        <style name="shared" w="11" color="255.0.0.255"/>
        <style name="both" w="22"/>
        <object name="g" style="absent"/>
      </ui>)");
    TUIInfoHolder window;
    LoadText(window, R"(<ui>
        <style name="both" w="33"/>
        <object name="own" style="both"/>
        <object name="borrowed" style="shared"/>
        <object name="none" style="absent" w="4"/>
      </ui>)");
    EXPECT_EQ(FieldOf(window, "own", "w"), "33");
    EXPECT_EQ(FieldOf(window, "borrowed", "w"), "11");
    EXPECT_EQ(FieldOf(window, "borrowed", "color"), "255.0.0.255");
    EXPECT_EQ(FieldOf(window, "none", "w"), "4");
    // Global styles are consulted, never copied.
    EXPECT_EQ(window.FindStyle("shared"), nullptr);
    EXPECT_EQ(FieldOf(*TUIInfoHolder::GetGlobal(), "g", "w"), "0");
}

TEST_F(UIInfoHolderTest, CheckedLookUpTreatsAnotherKindAsAbsent) {
    TUIInfoHolder holder;
    LoadText(holder, R"(<ui>
        <object name="window" type="window"/><object name="fly" type="flywindow"/>
        <object name="step" type="tutorial"/><object name="plain"/><object name="hint" type="hintbox"/>
        <object name="btn" type="button"/><object name="video" type="regenervideobutton2"/>
        <object name="lock" type="lockinterfbtn"/><object name="label" type="imagetext"/>
        <object name="edit" type="edit"/>
      </ui>)");
    struct Case {
        const char* what;
        std::function<bool()> found;
        bool expected;
        std::string logLine;
    };
    const Case cases[] = {
        {"window as window", [&] { return FindUIObject<TUIClassicWindow>(holder, "window"); }, true, ""},
        {"fly as window", [&] { return FindUIObject<TUIClassicWindow>(holder, "fly"); }, true, ""},
        {"fly as fly", [&] { return FindUIObject<TUIFlyWindow>(holder, "fly"); }, true, ""},
        {"window as fly", [&] { return FindUIObject<TUIFlyWindow>(holder, "window"); }, false,
         "ui object window of kind 12 is no TUIFlyWindow, skipped"},
        {"plain as window", [&] { return FindUIObject<TUIClassicWindow>(holder, "plain"); }, false,
         "ui object plain of kind 17 is no TUIClassicWindow, skipped"},
        {"step as step", [&] { return FindUIObject<TUITutorial>(holder, "step"); }, true, ""},
        {"window as step", [&] { return FindUIObject<TUITutorial>(holder, "window"); }, false,
         "ui object window of kind 12 is no TUITutorial, skipped"},
        {"hint as hint box", [&] { return FindUIObject<TUIHintBox>(holder, "hint"); }, true, ""},
        {"plain as hint box", [&] { return FindUIObject<TUIHintBox>(holder, "plain"); }, false,
         "ui object plain of kind 17 is no TUIHintBox, skipped"},
        {"video as button", [&] { return FindUIObject<TUIMyButton>(holder, "video"); }, true, ""},
        {"lock as button", [&] { return FindUIObject<TUIMyButton>(holder, "lock"); }, true, ""},
        {"label as button", [&] { return FindUIObject<TUIMyButton>(holder, "label"); }, false,
         "ui object label of kind 9 is no TUIMyButton, skipped"},
        {"edit as text", [&] { return FindUIObject<TUIText>(holder, "edit"); }, true, ""},
        {"edit as label", [&] { return FindUIObject<TUIImageText>(holder, "edit"); }, false,
         "ui object edit of kind 15 is no TUIImageText, skipped"},
        {"absent as window", [&] { return FindUIObject<TUIClassicWindow>(holder, "nothing"); }, false, ""},
    };
    for (const Case& c : cases) {
        size_t linesBefore = harness::LogLines().size();
        EXPECT_EQ(c.found(), c.expected) << c.what;
        EXPECT_EQ(LogLinesAfter(linesBefore),
                  c.logLine.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.logLine})
            << c.what;
    }
}

// A holder of its own kind: one further type, a label row with a kind code of its own; every other
// type goes to the engine's tables.
class RowBox : public TUIImageText {
public:
    void LoadFromXml(const TiXmlElement* element) override {
        TUIImageText::LoadFromXml(element);
        mKind = 7;
    }
};

class RowHolder : public TUIInfoHolder {
public:
    std::unique_ptr<TUIBaseBox> CreateObject(const std::string& type) override {
        return type == "row" ? std::make_unique<RowBox>() : TUIInfoHolder::CreateObject(type);
    }
};

TEST_F(UIInfoHolderTest, ASubclassHolderAddsTypesAndKindsStayChecked) {
    const char* xml = R"(<ui><style name="txt" type="text" font="caption" wrapped="1"/>
        <object name="r" type="row" style="txt"/><object name="l" type="imagetext" style="txt"/></ui>)";
    RowHolder rows;
    LoadText(rows, xml);
    EXPECT_EQ(FieldOf(rows, "r", "kind"), "7");
    EXPECT_EQ(FieldOf(rows, "r", "font"), "caption");
    EXPECT_EQ(FieldOf(rows, "r", "wrapped"), "1");
    EXPECT_EQ(FieldOf(rows, "l", "kind"), "9");
    // The row is an image-text box by class but not by kind, so a label look-up does not take it.
    EXPECT_EQ(FindUIObject<TUIImageText>(rows, "r"), nullptr);
    EXPECT_TRUE(harness::LogContains("ui object r of kind 7 is no TUIImageText, skipped"));
    EXPECT_NE(FindUIObject<TUIImageText>(rows, "l"), nullptr);
    EXPECT_NE(FindUIObject<TUIBaseBox>(rows, "r"), nullptr);
    TUIInfoHolder plain;
    LoadText(plain, xml);
    EXPECT_EQ(NamesOf(plain), std::vector<std::string>{"l"});
}

// A description file and its malformed twin, written under a temporary data root.
const char* kDialogFile = R"(<?xml version="1.0"?>
<dialog>
  <object name="window" type="flywindow" w="600" h="320" stay="-1" style="panel"/>
  <object name="ok" type="button" style="btn" id="1" text="BtnOk"/>
  <style name="panel" color="10.20.30.255"/>
</dialog>
)";
const char* kDialogFileBroken = R"(<?xml version="1.0"?>
<dialog>
  <object name="window" type="flywindow" w="600" h="320" stay="-1" style="panel"/>
  <object name="ok" type="button" style="btn" id="1" text="BtnOk">
</dialog>
)";
const char* kGlobalFile = R"(<interface><style name="btn" type="button" image="ui/btn"
    normalrect="0.0.100.30" disabledrect="0.90.-1.30"/><object name="board" type="window" w="1366"/></interface>)";

class UIInfoHolderFiles : public UIInfoHolderTest {
protected:
    void SetUp() override {
        mRootFolder = harness::MakeTempFolder();
        mRoot = std::make_unique<harness::ScopedDataRoot>(mRootFolder);
        ASSERT_TRUE(SetWorkingFolderToExe());
    }
    void TearDown() override {
        mRoot.reset();
        UIInfoHolderTest::TearDown();
    }
    void Write(const std::string& name, const std::string& text) {
        ASSERT_TRUE(harness::WriteFile(mRootFolder + "/assets/" + name, text));
    }

    std::string mRootFolder;
    std::unique_ptr<harness::ScopedDataRoot> mRoot;
};

TEST_F(UIInfoHolderFiles, LoadsAFileOrStaysEmpty) {
    Write("ui/dialog.xml", kDialogFile);
    Write("ui/broken.xml", kDialogFileBroken);
    Write("ui/interface.xml", kGlobalFile);
    ASSERT_TRUE(LoadGlobalUIInfo());
    struct Case {
        const char* file;
        bool loaded;
        std::vector<std::string> names;
        const char* logged;
    };
    const Case cases[] = {
        {"ui/dialog.xml", true, {"window", "ok"}, nullptr},
        {"ui/missing.xml", false, {}, "File not found ui/missing.xml error=Failed to open file line = 0"},
        {"ui/broken.xml", false, {}, "File not found ui/broken.xml error="},
    };
    for (const Case& c : cases) {
        TUIInfoHolder holder;
        EXPECT_EQ(holder.LoadFromFile(c.file), c.loaded) << c.file;
        EXPECT_EQ(NamesOf(holder), c.names) << c.file;
        EXPECT_EQ(GetXmlRootWalkers(), 0);
        if (c.logged != nullptr) {
            EXPECT_TRUE(harness::LogContains(c.logged)) << c.file;
        }
    }
    // The dialog's own style and the global button style both reached their boxes.
    TUIInfoHolder dialog;
    ASSERT_TRUE(dialog.LoadFromFile("ui/dialog.xml"));
    const TUIFlyWindow* window = FindUIObject<TUIFlyWindow>(dialog, "window");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(uitest::Text(window->mColor), "10.20.30.255");
    EXPECT_EQ(window->mStay, -1.0f);
    const TUIMyButton* ok = FindUIObject<TUIMyButton>(dialog, "ok");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->mImage, "ui/btn");
    EXPECT_EQ(ok->mStates.states, 3);
}

TEST_F(UIInfoHolderFiles, StartUpLogsWhetherTheGlobalFileWasRead) {
    struct Case {
        const char* text;
        bool loaded;
        const char* logged;
        size_t boxes;
    };
    const Case cases[] = {
        {kGlobalFile, true, "load ui/interface.xml complete", 1},
        {nullptr, false, "load ui/interface.xml failed", 0},
        {"<interface><object name=\"board\" type=\"window\"></interface>", false, "load ui/interface.xml failed", 0},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(mRootFolder + "/assets/ui/interface.xml");
        if (c.text != nullptr) {
            Write("ui/interface.xml", c.text);
        }
        TUIInfoHolder::ReleaseGlobal();
        size_t linesBefore = harness::LogLines().size();
        EXPECT_EQ(LoadGlobalUIInfo(), c.loaded);
        EXPECT_EQ(TUIInfoHolder::GetGlobal()->GetObjects().size(), c.boxes);
        std::vector<std::string> lines = LogLinesAfter(linesBefore);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), c.logged), 1) << c.logged;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "load ui/interface.xml complete"), c.loaded ? 1 : 0);
    }
}

// The shipped global description: the game screen's box, and button styles whose strips stack one row
// per state.
TEST_F(UIInfoHolderTest, ShippedInterfaceFileHoldsTheBoardAndConsistentButtonStrips) {
    harness::ScopedDataRoot root(GetExecutableFolder());
    ASSERT_TRUE(SetWorkingFolderToExe());
    ASSERT_TRUE(LoadGlobalUIInfo());
    const TUIInfoHolder& global = *TUIInfoHolder::GetGlobal();
    const TUIClassicWindow* board = FindUIObject<TUIClassicWindow>(global, "board");
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->mKind, kUIKindClassicWindow);
    EXPECT_EQ(board->mW, 1366);
    EXPECT_EQ(board->mH, 768);
    int buttonStyles = 0;
    for (const auto& [name, style] : global.GetStyles()) {
        const auto* button = dynamic_cast<const TUIButtonStyle*>(style.get());
        if (button == nullptr) {
            continue;
        }
        ++buttonStyles;
        const TUIRect& normal = button->mStates.rects[TUIButtonStates::kNormal];
        ASSERT_GT(normal.h, 0) << name;
        for (int row = 0; row < button->mStates.states; ++row) {
            const TUIRect& rect = button->mStates.rects[row];
            EXPECT_EQ(rect, (TUIRect{normal.x, normal.y + row * normal.h, normal.w, normal.h})) << name << row;
        }
    }
    EXPECT_GT(buttonStyles, 0);
}

} // namespace
