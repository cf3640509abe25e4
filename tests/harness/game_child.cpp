#include "harness/game_child.h"

#include <cstdlib>
#include <memory>

#include "app/app_config.h"
#include "app/log.h"
#include "game_seams.h"
#include "harness/child_process.h"
#include "harness/harness.h"
#include "shell/startup_seams.h"

namespace harness {
namespace {

// The game's seams that count the drawn frames and give the reader its place in each frame.
class TCountingSeams : public TGameSeams {
public:
    void UpdateWindows(float dt) override {
        TGameSeams::UpdateWindows(dt);
        if (mReader != nullptr) {
            mReader->Update(dt);
        }
    }

    void DrawWindows() override {
        TGameSeams::DrawWindows();
        if (mReader != nullptr) {
            mReader->Draw();
        }
        ++mDrawnFrames;
    }

    TChildReader* mReader = nullptr;
    int mDrawnFrames = 0;
};

constexpr uint32_t kFrameMs = 16;

} // namespace

int RunGameInThisProcess(const TChildGame& game) {
    // Whatever the parent made of the per-user folder stays the parent's.
    TLogFile::Release();
    TAppConfig::Release();
    setenv("XDG_DATA_HOME", game.dataHome.c_str(), 1);
    SetDataRoot(game.dataRoot);
    auto owned = std::make_unique<TCountingSeams>();
    TCountingSeams* seams = owned.get();
    SetSeams(std::move(owned));
    SteppedClock clock;
    RunningGame running;
    if (running.GetStartResult() != 0) {
        return 1;
    }
    std::unique_ptr<TChildReader> reader = game.makeReader ? game.makeReader() : nullptr;
    if (reader != nullptr) {
        reader->Open();
        seams->mReader = reader.get();
    }
    for (int frame = 0; frame < game.frames; ++frame) {
        clock.Advance(kFrameMs);
        running.Step();
    }
    // Its textures go while the renderer exists.
    seams->mReader = nullptr;
    reader.reset();
    const int result = game.beforeShutdown ? game.beforeShutdown() : 0;
    running.Shutdown();
    if (result != 0) {
        return result;
    }
    return seams->mDrawnFrames == game.frames ? 0 : kChildFramesMissing;
}

pid_t ForkGame(const TChildGame& game, const std::string& outputPath) {
    return ForkChild([&game] { return RunGameInThisProcess(game); }, outputPath);
}

std::string UserFolderIn(const std::string& dataHome) {
    return dataHome + "/Korvath Games/Verdanel";
}

std::string LogPathIn(const std::string& dataHome) {
    return UserFolderIn(dataHome) + "/log.txt";
}

} // namespace harness
