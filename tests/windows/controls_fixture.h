#pragma once
// The setting of the control tests: a software canvas, a tiny image font registered as "tiny" and
// "default", the cursors "default", "hand", "handspot", "drag", "text" and "glass", a screen of 300 x 200
// in the window manager, and description boxes read from inline XML.

#include <memory>
#include <string>

#include <tinyxml.h>

#include "app/xml_reader.h"
#include "graphics/font_registry.h"
#include "graphics/graphics_fixture.h"
#include "graphics/terms.h"
#include "windows/ui_info_holder.h"
#include "windows_fixture.h"

namespace wintest {

// Glyphs drawn on baseline y cover rows y - 3 to y: A is 3 pixels wide and advances 4, B is 2 wide and
// advances 3, a space advances 2; a and b are drawn as A and B. Descent 1, line height 4.
inline const char* const kTinyFont = "SetDefaultPointSize 8;\n"
                                     "CreateLayer Main;\n"
                                     "LayerSetImage Main 'tiny.png';\n"
                                     "LayerSetAscent Main 3;\n"
                                     "LayerSetImageMap Main ('A' 'B' ' ') ((0 0 3 4) (3 0 2 4) (5 0 2 4));\n"
                                     "LayerSetCharWidths Main ('A' 'B' ' ') (4 3 2);\n"
                                     "SetCharMap ('a' 'b') ('A' 'B');\n";

class ControlsTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        WriteImage("fonts/tiny.png", 8, 4, [](int x, int) { return x < 5 ? kWhite : 0u; });
        ASSERT_TRUE(harness::WriteFile(Root() + "/assets/fonts/tiny.txt", kTinyFont));
        TiXmlDocument fonts;
        fonts.Parse("<fonts><font id='tiny' name='fonts/tiny.txt'/><font id='default' name='fonts/tiny.txt'/></fonts>");
        TFontRegistry::GetInstance()->LoadXml(fonts.RootElement());
        TiXmlDocument cursors;
        cursors.Parse("<c><cursor name='default'/><cursor name='hand'/><cursor name='handspot'/>"
                      "<cursor name='drag'/><cursor name='text'/><cursor name='glass'/></c>");
        TGameCursors::Get()->LoadFromXml(cursors.RootElement());
        TGameCursors::Get()->SetDefault();
        auto screen = std::make_unique<TMyWindow>();
        mScreen = screen.get();
        mScreen->mName = "screen";
        mScreen->SetRect(0, 0, 300, 200);
        TMyWindowManager::Get()->ShowScreen(std::move(screen), false, 0);
    }

    void TearDown() override {
        TMyWindowManager::Release();
        TMyMessageManager::Release();
        TGameCursors::Release();
        TFontRegistry::Destroy();
        TTerms::Destroy();
        ReleaseXmlRoot();
        GraphicsTest::TearDown();
    }

    // Reads "<ui>...</ui>" into the holder; boxes stay valid while the holder lives.
    void LoadBoxes(const std::string& body) {
        TiXmlDocument document;
        document.Parse(("<ui>" + body + "</ui>").c_str());
        ASSERT_FALSE(document.Error()) << document.ErrorDesc();
        mHolder.LoadFromXml(document.RootElement());
    }

    template <class T> T* Box(const std::string& name) { return FindUIObject<T>(mHolder, name); }

    std::string CursorName() {
        TGameCursor* current = TGameCursors::Get()->GetCurrent();
        return current != nullptr ? current->mName : "(none)";
    }

    TMyWindow* mScreen = nullptr;
    TUIInfoHolder mHolder;
};

} // namespace wintest
