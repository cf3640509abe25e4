#pragma once
// Every call that start-up, the main loop and shutdown make into another subsystem, gathered in one
// interface. The base's operations stand in for subsystems that are not connected: each logs
// "<name> not built yet" once and does nothing, except the display operations of the settings, whose
// display half lives in this library, and the windows, messages and cursors, which the base runs.
// TEngineSeams connects the engine's other subsystems; the game installs a subclass of it for its data;
// tests install stand-ins over the base to watch the calls.

#include <memory>
#include <set>
#include <string>
#include <string_view>

struct TInputEvent;
class TiXmlElement;

class TSubsystemSeams {
public:
    virtual ~TSubsystemSeams() = default;

    // Localised terms.
    virtual void LoadTerms(const std::string& file);
    // The narrow text of a term; a missing term gives the key itself.
    virtual std::string GetTermText(const std::string& key);
    virtual void DestroyTerms();

    // Interface descriptions, the window manager and its fader.
    // The global interface description "ui/interface.xml"; logs whether it was read and answers it.
    virtual bool LoadInterfaceDescription();
    virtual void AddScreenFader();
    virtual void HandleEvent(const TInputEvent& event);
    // The frame task's update of every screen and popup.
    virtual void UpdateWindows(float dt);
    virtual void DrawWindows();
    virtual void SetAllFrozen(bool frozen);
    virtual bool IsWindowShown(int id);
    virtual void DeleteWindowManager();

    // Named delayed messages; the window manager's update dispatches them, once per frame.
    // Windows that unsubscribe after this find no manager and do nothing.
    virtual void DeleteMessageManager();

    // The cursor set.
    virtual void LoadCursors(const std::string& file);
    virtual void SetCustomCursors(bool custom);
    virtual bool IsCustomCursorMode();
    virtual void CursorLeftWindow();
    // The pointer is inside, at a design position.
    virtual void CursorMovedTo(int x, int y);
    virtual void SetCursorPosition(int x, int y);
    virtual void UpdateCursor(float dt);
    virtual void DrawCursor();
    virtual void DeleteCursors();

    // Graphics data.
    virtual void LoadFonts(TiXmlElement* root);
    virtual void DestroyFonts();
    virtual void LoadSplinePaths(const std::string& file);
    virtual void LoadPreloadList(const std::string& file);
    virtual void ReleasePreloadList();

    // Scene objects and rooms: the object, room and key-track animator factories.
    virtual void CreateFactories();
    virtual void DeleteFactories();

    // Sound.
    virtual void LoadSounds(const std::string& file);
    virtual void UpdateSound(float dt);
    virtual void PauseSound(bool pause);
    virtual void PlaySound(const std::string& id);
    // Stops and joins the audio thread and closes the audio system.
    virtual void DestroySound();

    // Settings and the current profile.
    virtual void CreateSettings(const std::string& kind);
    // The settings' display update: the display rules of display_modes.h.
    virtual void UpdateDisplay(bool fullscreen, bool apply);
    virtual void LoadSettings();
    virtual void LoadProfile();
    virtual void ApplySettings();
    virtual bool IsFullscreen();
    virtual void ToggleFullscreen();
    virtual bool IsCustomCursor();
    // Saved once, before anything else is taken down, then deleted.
    virtual void SaveAndDeleteSettings();
    // The profile and what is kept of it beside it, which otherwise live as long as the process.
    virtual void ForgetProfile();

    // The puzzle game.
    virtual void LoadGameSettings(TiXmlElement* root);
    virtual void LoadColorTable(TiXmlElement* root);
    virtual void CreateStars();
    virtual void LoadStages();
    virtual void LoadRewards(const std::string& file);
    virtual void LoadTilesets(const std::string& file);
    virtual void LoadTilesetTextures(int index);
    virtual void ResetRewardCounters();
    // The splash screen when splash is set, else the main menu, shown as the first screen.
    virtual void ShowFirstScreen(bool splash);
    // A new pause window shown as a popup.
    virtual void ShowPauseWindow();
    // The pause window taken out of the window manager and deleted; nothing when none is shown.
    virtual void ClosePauseWindow();
    virtual void ClearRewards();
    // The game controller; it stops listening to the profile before it goes.
    virtual void DeleteController();
    virtual void DestroyGameSettings();

protected:
    // Called by every operation that stands in for a missing subsystem: logs the name once.
    virtual void NotBuilt(const char* name);

private:
    std::set<std::string, std::less<>> mLogged;
};

// The engine's subsystems: terms, interface descriptions, fonts, the preload list, sound, and the
// settings with the current profile. The window manager, messages, cursors, spline paths, factories
// and the game's operations stay seams.
class TEngineSeams : public TSubsystemSeams {
public:
    void LoadTerms(const std::string& file) override;
    std::string GetTermText(const std::string& key) override;
    void DestroyTerms() override;

    bool LoadInterfaceDescription() override;

    void LoadFonts(TiXmlElement* root) override;
    void DestroyFonts() override;
    void LoadSplinePaths(const std::string& file) override;
    void LoadPreloadList(const std::string& file) override;
    void ReleasePreloadList() override;

    void CreateFactories() override;
    void DeleteFactories() override;

    void LoadSounds(const std::string& file) override;
    void UpdateSound(float dt) override;
    void PauseSound(bool pause) override;
    void PlaySound(const std::string& id) override;
    void DestroySound() override;

    void CreateSettings(const std::string& kind) override;
    void UpdateDisplay(bool fullscreen, bool apply) override;
    void LoadSettings() override;
    void LoadProfile() override;
    void ApplySettings() override;
    bool IsFullscreen() override;
    void ToggleFullscreen() override;
    bool IsCustomCursor() override;
    void SaveAndDeleteSettings() override;
};

// The installed implementation; TEngineSeams until another is installed.
TSubsystemSeams& GetSeams();
// Installs another implementation; nullptr restores TEngineSeams.
void SetSeams(std::unique_ptr<TSubsystemSeams> seams);
