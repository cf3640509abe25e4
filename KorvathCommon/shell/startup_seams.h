#pragma once
// Every call that start-up, the main loop and shutdown make into the engine's subsystems, gathered in
// one interface so tests can stand in for any of them. The game's own steps go through its listener.

#include <memory>
#include <string>

#include "shell/game_listener.h"

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

    // The game's steps; with no game installed, a listener that does nothing.
    virtual TGameListener& GetGame();
};

// The installed implementation; TSubsystemSeams until another is installed.
TSubsystemSeams& GetSeams();
// Installs another implementation; nullptr restores TSubsystemSeams.
void SetSeams(std::unique_ptr<TSubsystemSeams> seams);
