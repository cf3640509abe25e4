#pragma once
// The dialogs as the game menu and the openers make them, to be handed to the window manager as popups.

#include <memory>

class TFlyWindow;
class TFlyWindowListener;
class TMyWindow;

// Null when the help file gives the window no way to close.
std::unique_ptr<TFlyWindow> CreateHelpWindow(TFlyWindowListener* listener);
std::unique_ptr<TFlyWindow> CreateOptionsWindow(TFlyWindowListener* listener);
std::unique_ptr<TFlyWindow> CreateDifficultyWindow(TFlyWindowListener* listener);
