#pragma once
// Helpers of the window tests: a window that writes every event it receives to a shared list, input
// events as the main loop hands them over, frames stepped with the test clock, and a fixture that
// deletes the window manager, the cursor set and the message manager after each test.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/clock.h"
#include "app/string_utils.h"
#include "harness/harness.h"
#include "windows/game_cursors.h"
#include "windows/messages.h"
#include "windows/window.h"
#include "windows/window_manager.h"

namespace wintest {

// Lines such as "A down 10,10 b1", in the order the events arrived.
struct TEventLog {
    std::vector<std::string> lines;

    // Returns the lines so far and starts a new list.
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(lines);
        return taken;
    }
};

// A window that logs its events (after the base behaviour) and counts its deletion.
class TProbeWindow : public TMyWindow {
public:
    TProbeWindow(const std::string& name, int x, int y, int w, int h, TMyWindowContainer* parent = nullptr,
                 TEventLog* log = nullptr)
        : TMyWindow(parent), mLog(log) {
        mName = name;
        SetRect(x, y, w, h);
    }
    ~TProbeWindow() override {
        if (mDeleted != nullptr) {
            ++*mDeleted;
        }
    }

    void OnMouseDown(const TMouseEvent& event) override {
        TMyWindow::OnMouseDown(event);
        Write(FormatString("%s down %d,%d b%d", mName.c_str(), event.x, event.y, event.buttons));
    }
    void OnMouseUp(const TMouseEvent& event) override {
        TMyWindow::OnMouseUp(event);
        Write(FormatString("%s up %d,%d b%d", mName.c_str(), event.x, event.y, event.buttons));
        if (mOnUp) {
            mOnUp();
        }
    }
    void OnMouseMove(const TMouseEvent& event) override {
        TMyWindow::OnMouseMove(event);
        Write(FormatString("%s move %d,%d", mName.c_str(), event.x, event.y));
    }
    void OnMouseDrag(const TMouseEvent& event) override {
        Write(FormatString("%s drag %d,%d b%d", mName.c_str(), event.x, event.y, event.buttons));
    }
    void OnMouseEnter() override {
        TMyWindow::OnMouseEnter();
        Write(mName + " enter");
    }
    void OnMouseLeave() override {
        TMyWindow::OnMouseLeave();
        Write(mName + " leave");
    }
    bool OnKeyDown(const TKeyEvent& event) override {
        Write(FormatString("%s key %d", mName.c_str(), event.key));
        return mTakesKeys || TMyWindow::OnKeyDown(event);
    }
    void OnChar(int c) override {
        Write(FormatString("%s char %d", mName.c_str(), c));
        TMyWindow::OnChar(c);
    }
    void DrawSelf() override {
        if (mOnDraw) {
            mOnDraw(*this);
        }
    }

    TEventLog* mLog = nullptr;
    int* mDeleted = nullptr;
    bool mTakesKeys = false;
    std::function<void()> mOnUp;
    std::function<void(TProbeWindow&)> mOnDraw;

private:
    void Write(const std::string& line) {
        if (mLog != nullptr) {
            mLog->lines.push_back(line);
        }
    }
};

inline TInputEvent Input(int kind, int param, int x = 0, int y = 0, int mods = 0) {
    TInputEvent input;
    input.kind = kind;
    input.param = param;
    input.x = x;
    input.y = y;
    input.mods = mods;
    return input;
}
inline TInputEvent LeftDown(int x, int y) {
    return Input(kInputLeftDown, 1, x, y);
}
inline TInputEvent LeftUp(int x, int y) {
    return Input(kInputLeftUp, 1, x, y);
}
inline TInputEvent RightDown(int x, int y) {
    return Input(kInputRightButton, 1, x, y);
}
inline TInputEvent RightUp(int x, int y) {
    return Input(kInputRightButton, 0, x, y);
}
// held: the button mask the move reports (0 none, 1 left, 2 right).
inline TInputEvent Move(int x, int y, int held = 0) {
    return Input(kInputMove, held, x, y);
}
inline TInputEvent KeyDown(int key, int mods = 0) {
    return Input(kInputKeyDown, key, 0, 0, mods);
}
inline TInputEvent Char(int c) {
    return Input(kInputText, c);
}
inline TInputEvent Focus(bool gained) {
    return Input(kInputFocus, gained ? 1 : 0);
}

inline void Send(const std::vector<TInputEvent>& inputs) {
    for (const TInputEvent& input : inputs) {
        TMyWindowManager::Get()->HandleEvent(input);
    }
}

// Frames as the main loop makes them: the clock advances, the manager is updated with the seconds since
// the previous frame.
class TFrames {
public:
    // Returns the seconds the frame was updated with.
    float Step(uint32_t ms) {
        mClock.Advance(ms);
        const uint32_t now = GetTicks();
        const float dt = static_cast<float>(now - mLast) / 1000.0f;
        mLast = now;
        TMyWindowManager::Get()->Update(dt);
        return dt;
    }

private:
    harness::SteppedClock mClock;
    uint32_t mLast = mClock.Now();
};

class WindowsTest : public testing::Test {
protected:
    void TearDown() override {
        TMyWindowManager::Release();
        TMyMessageManager::Release();
        TGameCursors::Release();
    }
};

} // namespace wintest
