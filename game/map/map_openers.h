#pragma once
// The first screen of a run: the splash screen when there are splash images, else the main menu.

void ShowFirstGameScreen(bool splash);
