#include "shell/startup.h"

#include <SDL.h>
#include <SDL_image.h>
#include <functional>
#include <tinyxml.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/app_config.h"
#include "app/clock.h"
#include "app/display_modes.h"
#include "app/file_object.h"
#include "app/log.h"
#include "app/log_sdl.h"
#include "app/renderer.h"
#include "app/settings.h"
#include "app/xml_reader.h"
#include "shell/game_app.h"
#include "shell/main_loop.h"
#include "shell/startup_seams.h"

namespace {

// "main.xml", kept from the loader to shutdown.
TiXmlDocument* gMainDocument = nullptr;

constexpr int kDesignWidth = 1366;
constexpr int kDesignHeight = 768;

// A screen's worth of pixels freed into glibc's heap stays resident until something of its size reuses
// it, and glibc raises its mapping threshold past every such block freed, so pictures, cached layers and
// the window's surface all end up there and the peak depends on the order they came and went in. Blocks
// from half a megabyte up are mapped on their own instead and go back to the system when freed; the
// per-frame scratch surfaces SDL makes for scaled draws mostly stay below that, in the heap.
void MapLargeBlocksApart() {
#if defined(__GLIBC__)
    constexpr int kOwnMappingFrom = 512 * 1024;
    mallopt(M_MMAP_THRESHOLD, kOwnMappingFrom);
#endif
}

void Progress(const char* line) {
    TLogFile::Get()->Printf("%s", line);
}

// A reader gets the root of its file, and the shared document is released after it; a file that
// does not load is skipped (the XML layer has logged it).
void ReadWithReader(const char* file, const std::function<void(TiXmlElement*)>& reader) {
    TiXmlElement* root = LoadXmlRoot(file);
    if (root != nullptr) {
        TXmlRootWalk walk;
        reader(root);
    }
    ReleaseXmlRoot();
}

void PrepareFolders() {
    TAppConfig* config = TAppConfig::Get();
    SetWorkingFolderToExe();
    config->SetProductFolderName("Verdanel");
    config->SetMakerFolderName("Korvath Games");
    // Before anything logs, so "log.txt" always lands in the per-user folder.
    config->CreateFolders();
}

bool StartSdl() {
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) != 0) {
        // Sound goes through OpenAL: a machine without an SDL audio driver still runs, silent.
        TLogFile::Get()->Printf("SDL_Init with audio failed: %s, trying without", SDL_GetError());
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            TLogFile::Get()->Printf("SDL_Init failed: %s", SDL_GetError());
            return false;
        }
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "2");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "1");
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    return true;
}

void ScanSdlDisplayModes() {
    TDisplayModeSet modes;
    TAppConfig::Get()->ListDisplayModes(modes);
    ScanDisplayModes(GetDisplay(), modes);
}

void ChooseStartSize() {
    TDisplayValues& display = GetDisplay();
    display.mDesignWidth = kDesignWidth;
    display.mDesignHeight = kDesignHeight;
    ScanSdlDisplayModes();
    GetSeams().CreateSettings("mysettings");
    GetSeams().UpdateDisplay(false, false);
    TLogFile::Get()->Printf("mRealResolutionWidth =  %d  mRealResolutionHeight = %d", display.mRealResolutionWidth,
                            display.mRealResolutionHeight);
    display.mView = FitDesignToOutput(display.mDesignWidth, display.mDesignHeight, display.mRealResolutionWidth,
                                      display.mRealResolutionHeight);
}

SDL_Window* OpenWindow() {
    const TDisplayValues& display = GetDisplay();
    const std::string title = GetSeams().GetTermText("GameName");
    SDL_Window* window =
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, display.mRealResolutionWidth,
                         display.mRealResolutionHeight, SDL_WINDOW_SHOWN | SDL_WINDOW_MAXIMIZED);
    if (window == nullptr) {
        TLogFile::Get()->Printf("create window failed: %s", SDL_GetError());
        return nullptr;
    }
    // The size the window was made with (the real resolution), not the windowed one.
    TLogFile::Get()->Printf("create window mRealResolutionWidth =  %d  mRealResolutionHeight = %d",
                            display.mRealResolutionWidth, display.mRealResolutionHeight);
    TAppConfig::Get()->SetWindowIcon(window, "icon.png");
    return window;
}

// Undoes what start-up made of the display when it cannot go on. Objects of the other subsystems are
// left alone: in particular the settings are not saved, since they were never loaded.
void AbandonStartUp(SDL_Window* window) {
    DestroyRenderer();
    TAppConfig::Get()->SetWindow(nullptr);
    if (window != nullptr) {
        SDL_DestroyWindow(window);
    }
    IMG_Quit();
    SDL_Quit();
    DestroyGameApp();
}

void ShowFirstScreen() {
    const bool splash = FileExists("branding/splash1.jpg") || FileExists("branding/splash1.png");
    Progress(splash ? "run logos window" : "run mainmenu window");
    GetSeams().GetGame().ShowFirstScreen(splash);
}

} // namespace

int StartUp() {
    MapLargeBlocksApart();
    GetLoopState() = TLoopState();
    ResetDisplay();
    PrepareFolders();
    GetSeams().LoadTerms("termins.xml");
    if (!StartSdl()) {
        return 1;
    }
    CreateGameApp();
    GetLoopState().mHasFocus = true;
    ChooseStartSize();
    SDL_Window* window = OpenWindow();
    if (window == nullptr) {
        AbandonStartUp(nullptr);
        return 1;
    }
    if (CreateRenderer(window)->GetRenderer() == nullptr) {
        TLogFile::Get()->Printf("no renderer for the window, stopping");
        AbandonStartUp(window);
        return 1;
    }
    TAppConfig::Get()->SetWindow(window);
    if (!LoadStartupData()) {
        AbandonStartUp(window);
        return 1;
    }
    // The first step's elapsed time counts from here, not from the start of the tick counter.
    GetLoopState().mLastLoopTicks = GetTicks();
    return 0;
}

bool LoadStartupData() {
    TSubsystemSeams& seams = GetSeams();
    TGameListener& game = seams.GetGame();
    Progress("int start");
    // Logs "complete" or "failed" itself; the game goes on without the description.
    seams.LoadInterfaceDescription();
    seams.AddScreenFader();
    ReadWithReader("settings.xml", [&](TiXmlElement* root) { game.LoadGameSettings(root); });
    ReadWithReader("settings.xml", [&](TiXmlElement* root) { game.LoadColorTable(root); });
    Progress("load settings complete");
    game.CreateStars();
    LoadXmlDocument("main.xml", gMainDocument);
    game.LoadStages();
    Progress("load stages complete");
    ReadWithReader("fonts.xml", [&](TiXmlElement* root) { seams.LoadFonts(root); });
    Progress("load fonts complete");
    seams.LoadSplinePaths("trajectories.dat");
    seams.CreateFactories();
    seams.LoadSounds("sounds.xml");
    Progress("load sounds complete");
    // The profile keeps one byte per reward of the list, without a count: the list must exist first.
    game.LoadRewards("rewards.xml");
    Progress("load rewards complete");
    seams.LoadSettings();
    Progress("load settings complete");
    seams.LoadProfile();
    Progress("load userinfo complete");
    seams.ApplySettings();
    Progress("InitGameToSettings complete");
    seams.LoadCursors("cursors.xml");
    seams.SetCustomCursors(seams.IsCustomCursor());
    game.LoadTilesets("tilesets/tilesets.xml");
    Progress("load tilesets complete");
    Progress("LayoutsInit complete");
    game.ResetRewardCounters();
    Progress("int complete");
    ShowFirstScreen();
    return true;
}

void LoadAfterFirstFrame() {
    TSubsystemSeams& seams = GetSeams();
    seams.LoadPreloadList("resources.xml");
    seams.GetGame().LoadTilesetTextures(0);
    Progress("load after first frame complete");
}

void RunMainLoop() {
    while (!GetLoopState().mQuitRequested) {
        RunLoopStep();
    }
}

namespace {
// ReleaseAll after the settings.
void ReleaseAllButSettings() {
    TSubsystemSeams& seams = GetSeams();
    TGameListener& game = seams.GetGame();
    seams.DeleteMessageManager();
    seams.ReleasePreloadList();
    seams.DeleteCursors();
    seams.DestroyTerms();
    game.ClearRewards();
    game.DeleteController();
    seams.DeleteFactories();
    game.DestroyGameSettings();
    seams.DestroyFonts();
    seams.DeleteWindowManager();
    delete gMainDocument;
    gMainDocument = nullptr;
    SDL_EnableScreenSaver();
    DestroyGameApp();
    seams.DestroySound();
    TAppConfig::Release();
    TLogFile::Release();
}
} // namespace

void ReleaseAll() {
    GetSeams().SaveAndDeleteSettings();
    ReleaseAllButSettings();
}

void ReleaseProcessState() {
    TSettings::Release();
    ReleaseAllButSettings();
    GetSeams().ForgetProfile();
}

void Shutdown() {
    // The configuration goes in ReleaseAll; the window is taken down after it.
    SDL_Window* window = TAppConfig::Get()->GetWindow();
    ReleaseAll();
    DestroyRenderer();
    if (window != nullptr) {
        SDL_DestroyWindow(window);
    }
    IMG_Quit();
    SDL_Quit();
}

int RunGame() {
    EchoLogToSdl();
    const int failed = StartUp();
    if (failed != 0) {
        TAppConfig::Release();
        TLogFile::Release();
        return failed;
    }
    RunMainLoop();
    Shutdown();
    return 0;
}
