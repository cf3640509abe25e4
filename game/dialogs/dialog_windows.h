#pragma once
// The dialogs as the game menu and the openers make them: each new window is owned by the window manager
// once shown as a popup.

class TFlyWindow;
class TFlyWindowListener;
class TMyWindow;

TFlyWindow* CreateHelpWindow(TFlyWindowListener* listener);
TFlyWindow* CreateOptionsWindow(TFlyWindowListener* listener);
TFlyWindow* CreateDifficultyWindow(TFlyWindowListener* listener);
