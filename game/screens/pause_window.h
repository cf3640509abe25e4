#pragma once
// The notice shown while the program has lost the input focus. Its buttons are only decoration; space
// or Escape closes it early.

#include "windows/classic_window.h"

class TPauseWindow : public TClassicWindow {
public:
    static constexpr const char* kFile = "ui/pause.xml";

    TPauseWindow();

    void OnChar(int c) override;
    // Escape sends no character, so the keys close the window as well.
    bool OnKeyDown(const TKeyEvent& event) override;
};
