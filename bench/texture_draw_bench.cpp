// 1,000 textured images per frame drawn through TTexture::Draw, against the same draws made directly with
// SDL on the same renderer; prints both and their ratio.

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "app/renderer.h"
#include "graphics/render_state.h"
#include "graphics/texture.h"

namespace {

constexpr int kImagesPerFrame = 1000;
constexpr int kImageSize = 32;

// The window, renderer and one 32 x 32 texture shared by both benchmarks.
struct Scene {
    SDL_Window* window = nullptr;
    TTextureHandle texture;

    bool Open() {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            return false;
        }
        window = SDL_CreateWindow("bench", 0, 0, 1366, 768, SDL_WINDOW_HIDDEN);
        if (window == nullptr || CreateRenderer(window)->GetRenderer() == nullptr) {
            return false;
        }
        texture = CreateBlankTexture(kImageSize, kImageSize, TTexture::kAccessStreaming);
        uint32_t* pixels = nullptr;
        int pitch = 0;
        if (!texture || !texture->Lock(pixels, pitch)) {
            return false;
        }
        for (int y = 0; y < kImageSize; ++y) {
            for (int x = 0; x < kImageSize; ++x) {
                pixels[y * pitch + x] = 0x80000000u | static_cast<uint32_t>(x * 8 << 16 | y * 8);
            }
        }
        texture->Unlock();
        return true;
    }

    void Close() {
        texture.Reset();
        DestroyRenderer();
        if (window != nullptr) {
            SDL_DestroyWindow(window);
        }
        SDL_Quit();
    }
};

Scene gScene;

float PositionX(int i) {
    return static_cast<float>((i * 37) % (1366 - kImageSize));
}
float PositionY(int i) {
    return static_cast<float>((i * 53) % (768 - kImageSize));
}

void EngineDraws(benchmark::State& state) {
    TRenderState render;
    render.Init(0, 0, 0.9f, 1.0f, 0);
    for (auto _ : state) {
        SDL_RenderClear(GetSDLRenderer());
        for (int i = 0; i < kImagesPerFrame; ++i) {
            render.SetTranslation(PositionX(i), PositionY(i));
            gScene.texture->Draw(render);
        }
        SDL_RenderFlush(GetSDLRenderer());
    }
}
BENCHMARK(EngineDraws)->Unit(benchmark::kMicrosecond);

void RawSdlDraws(benchmark::State& state) {
    SDL_Renderer* renderer = GetSDLRenderer();
    SDL_Texture* texture = gScene.texture->GetSDLTexture();
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureColorMod(texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(texture, 229);
    const SDL_Rect source{0, 0, kImageSize, kImageSize};
    const SDL_FPoint centre{0, 0};
    for (auto _ : state) {
        SDL_RenderClear(renderer);
        for (int i = 0; i < kImagesPerFrame; ++i) {
            const SDL_FRect dst{PositionX(i), PositionY(i), kImageSize, kImageSize};
            SDL_RenderCopyExF(renderer, texture, &source, &dst, 0.0, &centre, SDL_FLIP_NONE);
        }
        SDL_RenderFlush(renderer);
    }
}
BENCHMARK(RawSdlDraws)->Unit(benchmark::kMicrosecond);

// Prints as usual and keeps each benchmark's time per frame for the closing ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration) {
                mTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
    }

    void PrintRatio() const {
        auto engine = mTimes.find("EngineDraws"), raw = mTimes.find("RawSdlDraws");
        if (engine == mTimes.end() || raw == mTimes.end() || raw->second <= 0) {
            return;
        }
        std::printf("engine %.1f us per frame, raw SDL %.1f us per frame, ratio %.3f\n", engine->second, raw->second,
                    engine->second / raw->second);
    }

private:
    std::map<std::string, double> mTimes;
};

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    if (!gScene.Open()) {
        std::fprintf(stderr, "no renderer: %s\n", SDL_GetError());
        gScene.Close();
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio();
    gScene.Close();
    benchmark::Shutdown();
    return 0;
}
