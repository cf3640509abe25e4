// The shared main() of every test executable: the headless environment, and a fresh per-user
// data folder for every test.

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/app_config.h"
#include "app/clock.h"
#include "app/display_modes.h"
#include "app/file_object.h"
#include "shell/game_app.h"
#include "app/log.h"
#include "app/log_sdl.h"
#include "shell/main_loop.h"
#include "app/missing_names.h"
#include "app/renderer.h"
#include "app/sanitizer_exit_code.h"
#include "app/settings.h"
#include "shell/startup_seams.h"
#include "app/user_info.h"
#include "app/xml_reader.h"
#include "graphics/font_registry.h"
#include "graphics/preload_list.h"
#include "graphics/terms.h"
#include "harness/harness.h"
#include "media/sound_manager.h"
#include "windows/game_cursors.h"
#include "windows/messages.h"
#include "windows/ui_info_holder.h"
#include "windows/window_manager.h"

namespace {

class FreshUserFolder : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& /*info*/) override {
        std::string pattern = (std::filesystem::temp_directory_path() / "verdanel-xdg-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        mFolder = pattern;
        setenv("XDG_DATA_HOME", mFolder.c_str(), 1);
    }

    void OnTestEnd(const testing::TestInfo& /*info*/) override {
        // Every test starts with a new log and configuration in its own folder. The windows go while
        // their textures' renderer lives; the sound manager goes before the log, as its audio thread
        // may still write to it.
        TMyWindowManager::Release();
        TMyMessageManager::Release();
        TGameCursors::Release();
        TSoundManager::DestroyInstance();
        // What a test that stopped half-way through start-up may have left; textures go before the renderer.
        TSettings::Release();
        TUserInfo::Release();
        SetUserInfoRecords(nullptr);
        TTerms::Destroy();
        TFontRegistry::Destroy();
        DeletePreloadList();
        TLogFile::Release();
        TAppConfig::Release();
        TUIInfoHolder::ReleaseGlobal();
        ClearMissingNames();
        ReleaseXmlRoot();
        SetWriteFault(TWriteFault::None);
        SetLanguageName("");
        DestroyRenderer();
        SetSeams(nullptr);
        DestroyGameApp();
        ResetDisplay();
        GetLoopState() = TLoopState();
        SetTickSource(nullptr);
        SetDataRoot("");
        std::error_code ignored;
        std::filesystem::remove_all(mFolder, ignored);
        harness::RemoveTempFolders();
    }

    std::string mFolder;
};

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    EchoLogToSdl();
    testing::InitGoogleTest(&argc, argv);
    testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
    listeners.Append(new FreshUserFolder());
    return RUN_ALL_TESTS();
}
