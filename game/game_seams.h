#pragma once
// The game's part of start-up and shutdown: its data readers and their release, on top of the
// engine's subsystems. Screens, the pause window and the controller stay seams until they exist.

#include "app/startup_seams.h"

class TGameSeams : public TEngineSeams {
public:
    // Connects the game's records to the profile first, so no profile is read or reset without them.
    void CreateSettings(const std::string& kind) override;

    void LoadGameSettings(TiXmlElement* root) override;
    void LoadColorTable(TiXmlElement* root) override;
    void CreateStars() override;
    void LoadStages() override;
    void LoadRewards(const std::string& file) override;
    void LoadTilesets(const std::string& file) override;
    void LoadTilesetTextures(int index) override;
    // The counters of one play that the profile does not save.
    void ResetRewardCounters() override;
    // The splash screen, else the main menu.
    void ShowFirstScreen(bool splash) override;
    void ClearRewards() override;
    // The settings, colour table, level catalogue and tilesets: their textures and sound lists go while
    // the renderer and the sound manager still exist.
    void DestroyGameSettings() override;
};
