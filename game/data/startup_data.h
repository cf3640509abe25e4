#pragma once
// The game's data read at start-up and freed at shutdown: the game settings and colour table, the star
// rules, the level catalogue and the tilesets (tileset 0 current).

void LoadGameData();
void FreeGameData();
