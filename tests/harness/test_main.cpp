// The shared main() of every test executable: the headless environment, and a fresh per-user
// data folder for every test.

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/app_config.h"
#include "app/clock.h"
#include "app/display_modes.h"
#include "app/file_object.h"
#include "app/log_sdl.h"
#include "app/missing_names.h"
#include "app/renderer.h"
#include "app/sanitizer_exit_code.h"
#include "app/user_info.h"
#include "app/xml_reader.h"
#include "harness/harness.h"
#include "shell/main_loop.h"
#include "shell/startup.h"
#include "shell/startup_seams.h"
#include "windows/ui_info_holder.h"

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
        // Every test starts with a new log and configuration in its own folder. Shutdown's release,
        // without its settings save, takes every process-wide object: first through the seams the test
        // installed (the game's state among them), then through the engine's own, for a test whose
        // stand-ins only recorded the calls.
        ReleaseProcessState();
        SetSeams(nullptr);
        ReleaseProcessState();
        // What only tests change: the harness's hooks and the display values, after the textures of the
        // released windows and fonts are gone, then the renderer.
        SetUserInfoRecords(nullptr);
        TUIInfoHolder::ReleaseGlobal();
        ClearMissingNames();
        ReleaseXmlRoot();
        SetWriteFault(TWriteFault::None);
        SetLanguageName("");
        DestroyRenderer();
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
