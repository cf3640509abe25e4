#pragma once
// The first screen of a run: the splash screen when there are splash images, else the main menu.

void ShowFirstGameScreen(bool splash);

// The menus' music track, unless it is playing already.
void PlayMenuMusic();
