#pragma once
// What start-up, a change of focus and shutdown ask of the game that runs on the engine: its data, its
// first screen, its pause window and its controller. The engine alone runs no game, so every operation
// does nothing until a game answers them.

#include <string>

class TiXmlElement;

class TGameListener {
public:
    virtual ~TGameListener() = default;

    virtual void LoadGameSettings(TiXmlElement* /*root*/) {}
    virtual void LoadColorTable(TiXmlElement* /*root*/) {}
    virtual void CreateStars() {}
    virtual void LoadStages() {}
    virtual void LoadRewards(const std::string& /*file*/) {}
    virtual void LoadTilesets(const std::string& /*file*/) {}
    virtual void LoadTilesetTextures(int /*index*/) {}
    virtual void ResetRewardCounters() {}
    // The splash screen when splash is set, else the main menu, shown as the first screen.
    virtual void ShowFirstScreen(bool /*splash*/) {}
    // A new pause window shown as a popup.
    virtual void ShowPauseWindow() {}
    // The pause window taken out of the window manager and deleted; nothing when none is shown.
    virtual void ClosePauseWindow() {}
    virtual void ClearRewards() {}
    // The game controller; it stops listening to the profile before it goes.
    virtual void DeleteController() {}
    virtual void DestroyGameSettings() {}
};
