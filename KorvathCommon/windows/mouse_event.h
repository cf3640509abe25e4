#pragma once
// The pointer event record that windows and scene objects receive, valid only during the call.

class TTool;

struct TMouseEvent {
    static constexpr int kLeft = 1;
    static constexpr int kRight = 2;

    // Position relative to the receiver.
    int x = 0;
    int y = 0;
    int reserved0 = 0;
    int reserved1 = 0;
    // Position in design coordinates.
    int gameX = 0;
    int gameY = 0;
    bool reservedFlag = false;
    // 1 left, 2 right.
    int buttons = 0;
    int reserved2 = 0;
    int reserved3 = 0;
    // The inventory tool held; the window manager never sets one.
    TTool* tool = nullptr;
};
