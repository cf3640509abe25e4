#pragma once
// The setting of the dialog tests: the controls' setting (software canvas, tiny font, cursors, a 300 x 200
// screen), interface files written into the test's data root, frames stepped with the test clock, and a
// fly-window listener that writes what it hears.

#include <string>
#include <vector>

#include "app/string_utils.h"
#include "controls_fixture.h"
#include "windows/fly_window.h"

namespace wintest {

class TFlyRecorder : public TFlyWindowListener {
public:
    void OnFlyWindowLoaded(TFlyWindow*, int id) override { Write(FormatString("loaded %d", id)); }
    void OnFlyInDone(TFlyWindow*, int id) override { Write(FormatString("flyin %d", id)); }
    void OnFlyWindowClosed(TFlyWindow*, int id, int result) override {
        Write(FormatString("closed %d %d", id, result));
    }
    void OnFlyWindowButtonClick(int id, TMyWindow*, int buttonId, TMyButton*) override {
        Write(FormatString("button %d %d", id, buttonId));
    }
    void OnFlyOutStarted(TFlyWindow*, int id) override { Write(FormatString("flyout %d", id)); }
    void OnFlyWindowShown(TFlyWindow*, int id) override { Write(FormatString("shown %d", id)); }
    void OnFlyWindowHidden(TFlyWindow*, int id) override { Write(FormatString("hidden %d", id)); }

    std::vector<std::string> Take() { return mLog.Take(); }

private:
    void Write(const std::string& line) { mLog.lines.push_back(line); }
    TEventLog mLog;
};

class DialogsTest : public ControlsTest {
protected:
    // Writes assets/ui/<name> with the body inside a root element.
    void WriteUi(const std::string& name, const std::string& body) {
        ASSERT_TRUE(harness::WriteFile(Root() + "/assets/ui/" + name, "<ui>" + body + "</ui>"));
    }

    // Frames of the given length, each updating the window manager.
    void Step(int frames, uint32_t ms = kFrameMs) {
        for (int frame = 0; frame < frames; ++frame) {
            mFrames.Step(ms);
        }
    }

    static void Click(int x, int y) { Send({Move(x, y), LeftDown(x, y), LeftUp(x, y)}); }

    bool IsPopup(const TMyWindow* window) const {
        const std::vector<TMyWindow*>& popups = TMyWindowManager::Get()->GetPopups();
        return std::find(popups.begin(), popups.end(), window) != popups.end();
    }

    // An eighth of a second: exact in binary, so tween times add up without rounding.
    static constexpr uint32_t kFrameMs = 125;

    TFrames mFrames;
};

} // namespace wintest
