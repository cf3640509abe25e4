// One video object's update that decodes a frame, converts it and writes it into its streaming texture,
// on the 32 x 32 test clip and on a 640 x 360 clip; each clip loops so every update has a frame to decode.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <tinyxml.h>

#include "app/app_config.h"
#include "app/renderer.h"
#include "headless.h"
#include "objects/video_object.h"

namespace {

struct TVideoScene {
    SDL_Window* window = nullptr;
    std::string root;

    bool Open() {
        root = PrepareHeadlessRun();
        if (root.empty() || SDL_Init(SDL_INIT_VIDEO) != 0) {
            return false;
        }
        std::error_code error;
        std::filesystem::create_directories(root + "/assets/videos", error);
        for (const char* clip : {"flat32.ogv", "bench640.ogv"}) {
            std::filesystem::copy_file(std::string(VERDANEL_SOURCE_DIR) + "/tests/data/video/" + clip,
                                       root + "/assets/videos/" + clip, error);
            if (error) {
                return false;
            }
        }
        if (chdir(root.c_str()) != 0) {
            return false;
        }
        window = SDL_CreateWindow("bench", 0, 0, 1366, 768, SDL_WINDOW_HIDDEN);
        return window != nullptr && CreateRenderer(window)->GetRenderer() != nullptr;
    }

    void Close() {
        DestroyRenderer();
        if (window != nullptr) {
            SDL_DestroyWindow(window);
        }
        SDL_Quit();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
};

TVideoScene gScene;

void VideoUpdate(benchmark::State& state, const char* clip) {
    TiXmlDocument document;
    document.Parse((std::string("<object name=\"") + clip + "\" loop=\"-1\"/>").c_str());
    TVideoObject video;
    video.LoadFromXml(document.RootElement(), "videos/");
    video.Activate(0, 0, 0);
    if (!video.GetFrameTexture()) {
        state.SkipWithError("the clip did not open");
        return;
    }
    // One frame interval per update: every update is one decode step.
    const float step = video.mFrameInterval;
    for (auto _ : state) {
        video.Update(step);
    }
    state.counters["frames"] = static_cast<double>(video.GetWindow()->GetDecodedFrames());
}
BENCHMARK_CAPTURE(VideoUpdate, clip_32x32, "flat32.ogv")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(VideoUpdate, clip_640x360, "bench640.ogv")->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (!gScene.Open()) {
        std::fprintf(stderr, "video_bench: no headless renderer: %s\n", SDL_GetError());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gScene.Close();
    return 0;
}
