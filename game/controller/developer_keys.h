#pragma once
// The developer keys (solving a level, unlocking the map) are for testing the game: a player's game
// ignores them unless VERDANEL_DEVELOPER=1 is set in its environment.

// Read at every key, so a test can switch it on and off.
bool DeveloperKeysEnabled();
