// The cursor set: reading "cursors.xml", choosing cursors by name in the two families, animation frames,
// hot spots, where a cursor is drawn, system cursors under a driver that has none, and the shipped data.

#include <tinyxml.h>

#include "app/app_config.h"
#include "app/xml_reader.h"
#include "graphics/font_test_support.h"
#include "graphics/graphics_fixture.h"
#include "windows/game_cursors.h"

namespace {

class CursorsTest : public GraphicsTest {
protected:
    void TearDown() override {
        TGameCursors::Release();
        ReleaseXmlRoot();
        GraphicsTest::TearDown();
    }

    TGameCursors* Cursors() { return TGameCursors::Get(); }

    void WriteCursors(const std::string& body) {
        ASSERT_TRUE(harness::WriteFile(Root() + "/assets/cursors.xml", "<data><cursors>" + body + "</cursors></data>"));
    }

    std::string CurrentName() { return Cursors()->GetCurrent() ? Cursors()->GetCurrent()->mName : "(none)"; }
    bool CurrentIsSystem() { return Cursors()->GetCurrent() && Cursors()->GetCurrent()->mSystem; }
};

// The same names in both families, plus one drawn-only name.
const char* const kTwoFamilies = "<cursor name='default' filename='c/a'/>"
                                 "<cursor name='hand' filename='c/a'/>"
                                 "<cursor name='glass' filename='c/a'/>"
                                 "<cursor name='default' filename='c/a.png' system='1'/>"
                                 "<cursor name='hand' filename='c/a.png' system='1'/>";

TEST_F(CursorsTest, CursorsAreChosenByNameInTheFamilyOfTheMode) {
    WriteSolidImage("c/a.png", 4, 4, kRed);
    WriteCursors(kTwoFamilies);
    Cursors()->Load("cursors.xml");
    ASSERT_EQ(Cursors()->mCursors.size(), 5u);
    EXPECT_EQ(CurrentName(), "default");
    struct Step {
        const char* what;
        std::function<void(TGameCursors*)> act;
        const char* name;
        bool system;
    };
    const std::vector<Step> steps = {
        {"select hand", [](TGameCursors* c) { c->Select("hand"); }, "hand", false},
        {"a name nobody has", [](TGameCursors* c) { c->Select("nothing"); }, "hand", false},
        {"system mode keeps the name", [](TGameCursors* c) { c->SetCustomCursors(false); }, "hand", true},
        {"a drawn-only name in system mode", [](TGameCursors* c) { c->Select("glass"); }, "hand", true},
        {"default", [](TGameCursors* c) { c->SetDefault(); }, "default", true},
        {"back to drawn cursors", [](TGameCursors* c) { c->SetCustomCursors(true); }, "default", false},
        {"glass", [](TGameCursors* c) { c->Select("glass"); }, "glass", false},
        {"a family without the name keeps the old cursor", [](TGameCursors* c) { c->SetCustomCursors(false); }, "glass",
         false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act(Cursors());
        EXPECT_EQ(CurrentName(), step.name);
        EXPECT_EQ(CurrentIsSystem(), step.system);
    }
}

TEST_F(CursorsTest, SelectingRestartsOnlyACursorThatWasNotCurrent) {
    WriteSolidImage("c/a.png", 4, 4, kRed);
    WriteCursors("<cursor name='default' filename='c/a' frames='2' rect='0,0,2,4'/>"
                 "<cursor name='hand' filename='c/a' frames='2' rect='0,0,2,4'/>");
    Cursors()->Load("cursors.xml");
    Cursors()->Select("hand");
    TGameCursor* hand = Cursors()->GetCurrent();
    hand->Update(0.0f);
    ASSERT_EQ(hand->mFrame, 1);
    Cursors()->Select("hand");
    EXPECT_EQ(hand->mFrame, 1);
    Cursors()->SetDefault();
    TGameCursor* arrow = Cursors()->GetCurrent();
    arrow->Update(0.0f);
    Cursors()->SetDefault(); // restarts even when current
    EXPECT_EQ(arrow->mFrame, 0);
}

TEST_F(CursorsTest, FilesWithoutCursors) {
    Cursors()->Load("missing.xml");
    EXPECT_TRUE(Cursors()->mCursors.empty());
    EXPECT_EQ(Cursors()->GetCurrent(), nullptr);
    ASSERT_TRUE(harness::WriteFile(Root() + "/assets/empty.xml", "<data><cursor name='default'/></data>"));
    Cursors()->Load("empty.xml");
    EXPECT_TRUE(Cursors()->mCursors.empty());
    EXPECT_TRUE(harness::LogContains("empty.xml: no cursors element"));
    Cursors()->SetDefault();
    EXPECT_EQ(Cursors()->GetCurrent(), nullptr);
}

TEST_F(CursorsTest, FrameRectanglesOfTheStrip) {
    WriteSolidImage("c/strip.png", 64, 32, kRed);
    struct Case {
        const char* attributes;
        std::vector<TWindowRect> frames; // frames 0, 1, 2, ...
    };
    const std::vector<Case> cases = {
        {"frames='3' rect='5,5,32,16'", {{0, 0, 32, 16}, {32, 0, 32, 16}, {0, 16, 32, 16}}},
        {"frames='1' rect='8,4,10,12'", {{8, 4, 10, 12}}},
        {"", {{0, 0, 64, 32}}},
        {"frames='1' rect='0,0,0,12'", {{0, 0, 64, 32}}},
        // A frame width missing or wider than the image makes one column.
        {"frames='2' rect='0,0,0,16'", {{0, 0, 64, 16}, {0, 16, 64, 16}}},
        {"frames='2' rect='0,0,100,16'", {{0, 0, 64, 16}, {0, 16, 64, 16}}},
        {"frames='0' rect='0,0,16,16'", {{0, 0, 16, 16}}},
        {"frames='-4'", {{0, 0, 64, 32}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attributes);
        TiXmlDocument document;
        document.Parse((std::string("<cursor filename='c/strip' ") + c.attributes + "/>").c_str());
        TGameCursor cursor;
        cursor.LoadFromXml(document.RootElement());
        cursor.LoadImage();
        EXPECT_GE(cursor.mFrames, 1);
        for (size_t i = 0; i < c.frames.size(); ++i) {
            const TWindowRect rect = cursor.GetFrameRect(static_cast<int>(i));
            const TWindowRect& want = c.frames[i];
            EXPECT_TRUE(rect.x == want.x && rect.y == want.y && rect.w == want.w && rect.h == want.h)
                << "frame " << i << ": " << rect.x << "," << rect.y << "," << rect.w << "," << rect.h;
        }
    }
}

TEST_F(CursorsTest, FramesAdvanceAfterTheirTimeAndDropTheRemainder) {
    WriteSolidImage("c/strip.png", 64, 32, kRed);
    TiXmlDocument document;
    document.Parse("<cursor filename='c/strip' frames='3' rect='0,0,32,16' speed='0.1'/>");
    TGameCursor cursor;
    cursor.LoadFromXml(document.RootElement());
    cursor.LoadImage();
    cursor.Restart();
    std::vector<int> frames;
    std::vector<float> sourceX;
    for (int update = 0; update < 6; ++update) {
        cursor.Update(0.06f);
        frames.push_back(cursor.mFrame);
        sourceX.push_back(cursor.mImage.mRenderState.srcX);
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 1, 2, 2, 0}));
    EXPECT_EQ(sourceX, (std::vector<float>{0, 32, 32, 0, 0, 0}));
}

TEST_F(CursorsTest, HotSpotsDefaultToTheCornerAndStayInsideTheImage) {
    WriteSolidImage("c/a.png", 32, 16, kRed);
    struct Case {
        const char* hotspot;
        int x, y;
    };
    const std::vector<Case> cases = {{"hotspot='5,6'", 5, 6},
                                     {"", 0, 0},
                                     {"hotspot='7'", 0, 0},
                                     {"hotspot='x,y'", 0, 0},
                                     {"hotspot='40,-3'", 31, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hotspot);
        TiXmlDocument document;
        document.Parse((std::string("<cursor filename='c/a' ") + c.hotspot + "/>").c_str());
        TGameCursor cursor;
        cursor.LoadFromXml(document.RootElement());
        cursor.LoadImage();
        EXPECT_EQ(cursor.mHotX, c.x);
        EXPECT_EQ(cursor.mHotY, c.y);
    }
}

TEST_F(CursorsTest, TheFramesTopLeftLiesAtThePointerMinusTheHotSpot) {
    // Two 4 x 4 frames side by side: red, then green.
    WriteImage("c/two.png", 8, 4, [](int x, int) { return x < 4 ? kRed : kGreen; });
    WriteCursors("<cursor name='default' filename='c/two' frames='2' rect='0,0,4,4' hotspot='1,2'/>");
    Cursors()->Load("cursors.xml");
    Cursors()->mPointerX = 10;
    Cursors()->mPointerY = 10;
    BeginCanvas();
    Cursors()->Draw();
    ExpectPixels({{9, 8, kRedPixel}, {12, 11, kRedPixel}, {8, 8, kBlack}, {13, 11, kBlack}, {9, 12, kBlack}});
    Cursors()->Update(0.0f);
    BeginCanvas();
    Cursors()->Draw();
    ExpectPixels({{9, 8, kGreenPixel}, {12, 11, kGreenPixel}, {13, 8, kBlack}});
    Cursors()->mInside = false;
    BeginCanvas();
    Cursors()->Draw();
    ExpectPixels({{9, 8, kBlack}});
}

TEST_F(CursorsTest, ASystemCursorTheDriverCannotMakeIsTriedOnceAndLoggedOnce) {
    WriteSolidImage("c/a.png", 4, 4, kRed);
    WriteCursors(kTwoFamilies);
    Cursors()->Load("cursors.xml");
    Cursors()->SetCustomCursors(false);
    for (int repeat = 0; repeat < 3; ++repeat) {
        Cursors()->Select("hand");
        Cursors()->SetDefault();
    }
    EXPECT_EQ(CurrentName(), "default");
    int lines = 0;
    for (const std::string& line : harness::LogLines()) {
        lines += line == "cursor not created c/a.png" ? 1 : 0;
    }
    // One line for each of the two system cursors.
    EXPECT_EQ(lines, 2);
    for (const auto& cursor : Cursors()->mCursors) {
        if (auto* system = dynamic_cast<TSystemGameCursor*>(cursor.get())) {
            EXPECT_FALSE(system->HasSystemCursor());
        }
    }
}

TEST_F(CursorsTest, NoSystemCursorIsMadeFromAMissingFile) {
    EXPECT_FALSE(MakeColorCursor("c/none", 0, 0));
    EXPECT_FALSE(harness::LogContains("cursor"));
}

class ShippedCursorsTest : public testing::Test {
protected:
    void TearDown() override { TGameCursors::Release(); }
    fonttest::HeadlessRenderer mRenderer;
};

TEST_F(ShippedCursorsTest, EveryNameIsThereOnceInEachFamilyWithItsImage) {
    ASSERT_TRUE(mRenderer.IsReady());
    // The data root is the executable's folder, where the build links assets/.
    ASSERT_TRUE(SetWorkingFolderToExe());
    TGameCursors* cursors = TGameCursors::Get();
    cursors->Load("cursors.xml");
    for (bool system : {false, true}) {
        for (const char* name : {"default", "hand", "handspot", "drag", "active", "text", "tool", "glass"}) {
            SCOPED_TRACE(testing::Message() << name << (system ? " (system)" : ""));
            int count = 0;
            for (const auto& cursor : cursors->mCursors) {
                if (cursor->mName != name || cursor->mSystem != system) {
                    continue;
                }
                ++count;
                ASSERT_TRUE(cursor->mImage.mTexture);
                const TWindowRect frame = cursor->GetFrameRect(0);
                EXPECT_EQ(frame.w, 32);
                EXPECT_EQ(frame.h, 32);
            }
            EXPECT_EQ(count, 1);
        }
    }
    EXPECT_EQ(cursors->mCursors.size(), 16u);
    ASSERT_NE(cursors->GetCurrent(), nullptr);
    EXPECT_EQ(cursors->GetCurrent()->mName, "default");
}

} // namespace
