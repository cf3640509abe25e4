#pragma once
// How one screen or dialog of the game opens another without knowing its class: the map starts the
// game screen, the main menu opens the dialogs and the map, the dialogs answer through the fly
// window listener. Each function is defined beside the window it opens.

#include <string>

class TFlyWindowListener;
class TMyWindow;

// Game screen (screens/).
// A new game screen through the fader, replacing the top screen.
void ShowGameScreen();
// The controller's background cross-fade started over, creating the controller when needed.
void ResetGameBackground();

// Level map and main menu (map/).
void ShowMapScreen();
void ShowMainMenuScreen();

// Dialogs (dialogs/); each is shown as a popup.
void OpenHelpWindow(TFlyWindowListener* listener);
void OpenOptionsWindow();
void OpenDifficultyWindow(TFlyWindowListener* listener);
void OpenProfileListWindow(TFlyWindowListener* listener);
void OpenProfileNameWindow(TFlyWindowListener* listener);
// The profile chosen in a closed profile list window, -1 when none was chosen.
int GetChosenProfile(TMyWindow* profileListWindow);
// The name entered in a closed profile name window.
std::string GetEnteredProfileName(TMyWindow* profileNameWindow);
