#pragma once
// Folders of the application: the per-user data folder, the executable's folder and the data root.

#include <string>

struct SDL_Window;
class TDisplayModeSet;

// The user's application-data folder: $XDG_DATA_HOME, else $HOME/.local/share; empty when neither is known.
std::string GetAppDataFolder();

// The folder of the running executable (from /proc/self/exe), without a trailing "/".
std::string GetExecutableFolder();

// The folder start-up works in ("assets/" lies in it). Default: the executable's folder;
// in-process tests point it elsewhere.
std::string GetDataRoot();
void SetDataRoot(const std::string& folder);

// Makes the data root the current working folder. False when it cannot be entered.
bool SetWorkingFolderToExe();

// Creates a folder and any missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);

// The application configuration: the product and maker folder names and the game's window.
class TAppConfig {
public:
    static TAppConfig* Get();
    // Deletes the single configuration; the next Get creates a fresh one.
    static void Release();

    TAppConfig(const TAppConfig&) = delete;
    TAppConfig& operator=(const TAppConfig&) = delete;
    ~TAppConfig();

    const std::string& GetProductFolderName() const { return mProductFolder; }
    const std::string& GetMakerFolderName() const { return mMakerFolder; }
    void SetProductFolderName(const std::string& name) { mProductFolder = name; }
    void SetMakerFolderName(const std::string& name) { mMakerFolder = name; }

    // Application-data folder + "/" + maker folder name.
    std::string GetMakerFolder() const;
    // Maker folder + "/" + product folder name: the folder "user:" names.
    std::string GetUserFolder() const;
    // Creates the maker folder and the user folder (and any missing parent).
    void CreateFolders() const;

    SDL_Window* GetWindow() const { return mWindow; }
    void SetWindow(SDL_Window* window) { mWindow = window; }

    // The display modes of display 0 (only SDL_PIXELFORMAT_RGB888 ones).
    void ListDisplayModes(TDisplayModeSet& modes) const;
    // Gives the game's window a size and its full-screen state, centred; every step is logged.
    void SetDisplayMode(int width, int height, bool fullscreen) const;
    // The icon of a new window from an image of the data folder; nothing when it does not load.
    void SetWindowIcon(SDL_Window* window, const std::string& name) const;

private:
    TAppConfig() = default;

    // Both names are known from the start, so the log always lands in the per-user folder.
    std::string mProductFolder = "Verdanel";
    std::string mMakerFolder = "Korvath Games";
    SDL_Window* mWindow = nullptr;
};
