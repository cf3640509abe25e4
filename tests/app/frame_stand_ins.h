#pragma once
// Stand-ins for the subsystems and the game that start-up, the main loop and shutdown call: every call
// that has no stand-in of its own is recorded by name; the calls the frame's behaviour depends on keep
// state.

#include <memory>
#include <string>
#include <vector>

#include <tinyxml.h>

#include "app/display_modes.h"
#include "app/input_event.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "shell/game_listener.h"
#include "shell/main_loop.h"
#include "shell/startup_seams.h"

class StandInSeams : public TSubsystemSeams, public TGameListener {
public:
    std::vector<std::string> calls;
    std::vector<TInputEvent> handled;
    std::vector<float> windowUpdates;
    std::vector<float> soundUpdates;
    std::vector<bool> firstScreens;
    int pauseWindows = 0;
    bool frozen = false;
    bool soundPaused = false;

    TGameListener& GetGame() override { return *this; }

    void HandleEvent(const TInputEvent& event) override { handled.push_back(event); }
    void UpdateWindows(float dt) override { windowUpdates.push_back(dt); }
    void UpdateSound(float dt) override {
        soundUpdates.push_back(dt);
        calls.push_back("UpdateSound");
    }
    void SetAllFrozen(bool value) override { frozen = value; }
    void PauseSound(bool pause) override { soundPaused = pause; }
    bool IsWindowShown(int id) override { return id == kPauseWindowId && pauseWindows > 0; }
    void ShowPauseWindow() override { ++pauseWindows; }
    void ClosePauseWindow() override {
        if (pauseWindows > 0) {
            --pauseWindows;
        }
    }
    void ShowFirstScreen(bool splash) override {
        firstScreens.push_back(splash);
        calls.push_back("ShowFirstScreen");
    }

    // The connected window, message and cursor operations are recorded by name instead of run.
    void AddScreenFader() override { calls.emplace_back("AddScreenFader"); }
    void DrawWindows() override { calls.emplace_back("DrawWindows"); }
    void DeleteWindowManager() override { calls.emplace_back("DeleteWindowManager"); }
    void DeleteMessageManager() override { calls.emplace_back("DeleteMessageManager"); }
    void LoadCursors(const std::string&) override { calls.emplace_back("LoadCursors"); }
    void SetCustomCursors(bool) override { calls.emplace_back("SetCustomCursors"); }
    bool IsCustomCursorMode() override {
        calls.emplace_back("IsCustomCursorMode");
        return true;
    }
    void CursorLeftWindow() override { calls.emplace_back("CursorLeftWindow"); }
    void CursorMovedTo(int, int) override { calls.emplace_back("CursorMovedTo"); }
    void SetCursorPosition(int, int) override { calls.emplace_back("SetCursorPosition"); }
    void UpdateCursor(float) override { calls.emplace_back("UpdateCursor"); }
    void DrawCursor() override { calls.emplace_back("DrawCursor"); }
    void DeleteCursors() override { calls.emplace_back("DeleteCursors"); }

    // The engine's data, sound and settings are recorded by name instead of run; the display keeps
    // acting on the window, as it does without a settings object.
    void LoadTerms(const std::string&) override { calls.emplace_back("LoadTerms"); }
    std::string GetTermText(const std::string& key) override {
        calls.emplace_back("GetTermText");
        return key;
    }
    void DestroyTerms() override { calls.emplace_back("DestroyTerms"); }
    void DestroyFonts() override { calls.emplace_back("DestroyFonts"); }
    void LoadSplinePaths(const std::string&) override { calls.emplace_back("LoadSplinePaths"); }
    void LoadPreloadList(const std::string&) override { calls.emplace_back("LoadPreloadList"); }
    void ReleasePreloadList() override { calls.emplace_back("ReleasePreloadList"); }
    void CreateFactories() override { calls.emplace_back("CreateFactories"); }
    void DeleteFactories() override { calls.emplace_back("DeleteFactories"); }
    void LoadSounds(const std::string&) override { calls.emplace_back("LoadSounds"); }
    void PlaySound(const std::string&) override { calls.emplace_back("PlaySound"); }
    void DestroySound() override { calls.emplace_back("DestroySound"); }
    void CreateSettings(const std::string&) override { calls.emplace_back("CreateSettings"); }
    void UpdateDisplay(bool fullscreen, bool apply) override {
        calls.emplace_back("TSettings::UpdateDisplay");
        ::UpdateDisplay(fullscreen, apply);
    }
    void LoadSettings() override { calls.emplace_back("LoadSettings"); }
    void LoadProfile() override { calls.emplace_back("LoadProfile"); }
    void ApplySettings() override { calls.emplace_back("ApplySettings"); }
    bool IsFullscreen() override {
        calls.emplace_back("TSettings::IsFullscreen");
        return IsWindowFullscreen();
    }
    void ToggleFullscreen() override {
        calls.emplace_back("TSettings::ToggleFullscreen");
        ::UpdateDisplay(!IsWindowFullscreen(), true);
    }
    bool IsCustomCursor() override {
        calls.emplace_back("TSettings::IsCustomCursor");
        return true;
    }
    void SaveAndDeleteSettings() override { calls.emplace_back("SaveAndDeleteSettings"); }

    // The game's steps are recorded by name.
    void CreateStars() override { calls.emplace_back("CreateStars"); }
    void LoadStages() override { calls.emplace_back("LoadStages"); }
    void LoadRewards(const std::string&) override { calls.emplace_back("LoadRewards"); }
    void LoadTilesets(const std::string&) override { calls.emplace_back("LoadTilesets"); }
    void LoadTilesetTextures(int) override { calls.emplace_back("LoadTilesetTextures"); }
    void ResetRewardCounters() override { calls.emplace_back("ResetRewardCounters"); }
    void ClearRewards() override { calls.emplace_back("ClearRewards"); }
    void DeleteController() override { calls.emplace_back("DeleteController"); }
    void DestroyGameSettings() override { calls.emplace_back("DestroyGameSettings"); }

    // Readers record which root they were given.
    // Read as the real one reads it, with its log line.
    bool LoadInterfaceDescription() override {
        TiXmlElement* root = LoadXmlRoot("ui/interface.xml");
        if (root != nullptr) {
            RecordRoot("LoadInterfaceDescription", root);
        }
        ReleaseXmlRoot();
        TLogFile::Get()->Printf(root != nullptr ? "load ui/interface.xml complete" : "load ui/interface.xml failed");
        return root != nullptr;
    }
    void LoadGameSettings(TiXmlElement* root) override { RecordRoot("LoadGameSettings", root); }
    void LoadColorTable(TiXmlElement* root) override { RecordRoot("LoadColorTable", root); }
    void LoadFonts(TiXmlElement* root) override { RecordRoot("LoadFonts", root); }

    // The calls recorded from the first one named first on.
    std::vector<std::string> CallsFrom(const std::string& first) const {
        for (size_t at = 0; at < calls.size(); ++at) {
            if (calls[at] == first) {
                return {calls.begin() + static_cast<long>(at), calls.end()};
            }
        }
        return {};
    }

protected:
    void RecordRoot(const std::string& reader, const TiXmlElement* root) {
        calls.push_back(reader + ":" + (root != nullptr ? root->Value() : "null"));
    }
};

// Installs fresh stand-ins for the running test (the test's end restores the defaults).
inline StandInSeams* InstallStandIns() {
    auto seams = std::make_unique<StandInSeams>();
    StandInSeams* raw = seams.get();
    SetSeams(std::move(seams));
    return raw;
}
