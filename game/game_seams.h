#pragma once
// The game's part of start-up and shutdown: its data readers and their release, on top of the
// engine's subsystems: the pause window and the game controller among them.

#include "shell/game_listener.h"
#include "shell/startup_seams.h"

class TGameSeams : public TSubsystemSeams, public TGameListener {
public:
    TGameListener& GetGame() override { return *this; }

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
    // Popped up after the application has frozen every window, so the notice itself is not frozen.
    void ShowPauseWindow() override;
    void ClosePauseWindow() override;
    void DeleteController() override;
    // The settings, colour table, level catalogue and tilesets: their textures and sound lists go while
    // the renderer and the sound manager still exist.
    void DestroyGameSettings() override;
    // The profile with the game's records of it, its counters and its difficulty.
    void ForgetProfile() override;
};
