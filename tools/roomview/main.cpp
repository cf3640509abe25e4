// roomview: hosts one room file full screen with the engine, for developers. Pointer input goes to the
// room; S saves, R restores, H asks for a hint, 1-9 hold a tool handed out, the right button drops it,
// Q or Escape quits. "--play FILE ACTIONS" replays an action table and writes the final saved state.

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/renderer.h"
#include "room_host.h"

namespace {

constexpr int kDesignWidth = 1366;
constexpr int kDesignHeight = 768;

struct TOptions {
    std::string root;
    std::string room;
    std::string actions;
    std::string out = "roomview.state";
    std::string shots;
    bool play = false;
    bool addedDraws = false;
};

void Usage() {
    std::fprintf(stderr, "usage: roomview [--root DIR] [--added-draws] FILE\n"
                         "       roomview [--root DIR] [--added-draws] --play FILE ACTIONS [--out STATE] "
                         "[--shots PREFIX]\n");
}

bool ReadOptions(int argc, char** argv, TOptions& options) {
    std::vector<std::string> rest;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--root" && hasValue) {
            options.root = argv[++i];
        } else if (arg == "--out" && hasValue) {
            options.out = argv[++i];
        } else if (arg == "--shots" && hasValue) {
            options.shots = argv[++i];
        } else if (arg == "--play") {
            options.play = true;
        } else if (arg == "--added-draws") {
            options.addedDraws = true;
        } else {
            rest.push_back(arg);
        }
    }
    if (rest.size() != (options.play ? 2u : 1u)) {
        return false;
    }
    options.room = rest[0];
    options.actions = options.play ? rest[1] : "";
    return true;
}

void SaveShot(const std::string& path) {
    SDL_Renderer* renderer = GetSDLRenderer();
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return;
    }
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, surface->pixels, surface->pitch) == 0) {
        IMG_SavePNG(surface, path.c_str());
    }
    SDL_FreeSurface(surface);
}

void DrawFrame(TRoomHost& host, int x, int y) {
    SDL_Renderer* renderer = GetSDLRenderer();
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    host.Draw(x, y);
}

bool WriteState(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

int Play(TRoomHost& host, const TOptions& options) {
    std::ifstream actions(options.actions);
    if (!actions) {
        std::fprintf(stderr, "roomview: cannot read %s\n", options.actions.c_str());
        return 2;
    }
    DrawFrame(host, host.GetPointerX(), host.GetPointerY());
    if (!options.shots.empty()) {
        SaveShot(options.shots + "-start.png");
    }
    std::string line;
    int number = 0;
    while (std::getline(actions, line)) {
        ++number;
        if (line.rfind("shot ", 0) == 0) {
            if (!options.shots.empty()) {
                DrawFrame(host, host.GetPointerX(), host.GetPointerY());
                SaveShot(options.shots + "-" + line.substr(5) + ".png");
            }
            continue;
        }
        if (!host.Run(line)) {
            std::fprintf(stderr, "roomview: %s:%d: cannot do '%s'\n", options.actions.c_str(), number, line.c_str());
            return 2;
        }
        for (const std::string& heard : host.TakeTranscript()) {
            std::printf("%s\n", heard.c_str());
        }
        DrawFrame(host, host.GetPointerX(), host.GetPointerY());
        SDL_RenderPresent(GetSDLRenderer());
        SDL_PumpEvents();
    }
    DrawFrame(host, host.GetPointerX(), host.GetPointerY());
    if (!options.shots.empty()) {
        SaveShot(options.shots + "-end.png");
    }
    if (!WriteState(options.out, host.SavedState())) {
        std::fprintf(stderr, "roomview: cannot write %s\n", options.out.c_str());
        return 2;
    }
    std::printf("%s\n", host.IsCompleted() ? "room completed" : "room not completed");
    return host.IsCompleted() ? 0 : 1;
}

void Interact(TRoomHost& host) {
    std::vector<std::string> given;
    int x = 0, y = 0;
    for (bool running = true; running;) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) {
                running = false;
            } else if (event.type == SDL_MOUSEMOTION) {
                x = event.motion.x;
                y = event.motion.y;
                host.Move(x, y);
            } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_RIGHT) {
                host.Run("drop");
            } else if (event.type == SDL_MOUSEBUTTONDOWN) {
                host.Press(event.button.x, event.button.y);
            } else if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) {
                host.Release(event.button.x, event.button.y);
            } else if (event.type == SDL_KEYDOWN) {
                const SDL_Keycode key = event.key.keysym.sym;
                if (key == SDLK_q || key == SDLK_ESCAPE) {
                    running = false;
                } else if (key == SDLK_s) {
                    host.Save();
                } else if (key == SDLK_r) {
                    host.Restore();
                } else if (key == SDLK_h) {
                    host.Run("hint");
                } else if (key >= SDLK_1 && key <= SDLK_9 && static_cast<size_t>(key - SDLK_1) < given.size()) {
                    host.Run("take " + given[static_cast<size_t>(key - SDLK_1)]);
                }
            }
        }
        for (const std::string& heard : host.TakeTranscript()) {
            std::printf("%s\n", heard.c_str());
            if (heard.rfind("given ", 0) == 0) {
                given.push_back(heard.substr(6, heard.find(' ', 6) - 6));
            }
        }
        host.Update(1.0f / 60.0f);
        DrawFrame(host, x, y);
        SDL_RenderPresent(GetSDLRenderer());
        SDL_Delay(15);
    }
}

} // namespace

int main(int argc, char** argv) {
    TOptions options;
    if (!ReadOptions(argc, argv, options)) {
        Usage();
        return 2;
    }
    if (!options.root.empty()) {
        SetDataRoot(options.root);
    }
    if (!SetWorkingFolderToExe() || SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "roomview: cannot start: %s\n", SDL_GetError());
        return 2;
    }
    const Uint32 flags = options.play ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_Window* window = SDL_CreateWindow("roomview", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kDesignWidth,
                                          kDesignHeight, flags);
    int result = 2;
    if (window != nullptr && CreateRenderer(window) != nullptr) {
        SDL_RenderSetLogicalSize(GetSDLRenderer(), kDesignWidth, kDesignHeight);
        {
            TRoomHost host;
            host.SetAddedDraws(options.addedDraws);
            if (!host.Open(options.room)) {
                std::fprintf(stderr, "roomview: cannot load %s\n", options.room.c_str());
            } else if (options.play) {
                result = Play(host, options);
            } else {
                Interact(host);
                result = 0;
            }
        }
        DestroyRenderer();
    }
    if (window != nullptr) {
        SDL_DestroyWindow(window);
    }
    SDL_Quit();
    return result;
}
