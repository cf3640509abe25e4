#pragma once
// A temporary data root for the game's readers: the test writes the files it needs under its "assets/".

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "harness/harness.h"

class GameDataTest : public testing::Test {
protected:
    void SetUp() override { SetWorkingFolderToExe(); }

    void WriteData(const std::string& name, const std::string& text) {
        ASSERT_TRUE(harness::WriteFile(mFolder + "/assets/" + name, text));
    }

    // assets/<name>: a PNG, or a JPG when the name ends in ".jpg", whose pixels are ARGB values.
    void WriteImage(const std::string& name, int w, int h, const std::function<uint32_t(int, int)>& argb) {
        const std::string path = mFolder + "/assets/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        ASSERT_NE(surface, nullptr);
        for (int y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
            for (int x = 0; x < w; ++x) {
                row[x] = argb(x, y);
            }
        }
        const bool jpg = path.size() > 4 && path.compare(path.size() - 4, 4, ".jpg") == 0;
        const int saved = jpg ? IMG_SaveJPG(surface, path.c_str(), 100) : IMG_SavePNG(surface, path.c_str());
        SDL_FreeSurface(surface);
        ASSERT_EQ(saved, 0) << SDL_GetError();
    }

    void WriteSolidImage(const std::string& name, int w, int h, uint32_t argb) {
        WriteImage(name, w, h, [argb](int, int) { return argb; });
    }

    // Log lines that contain the text.
    static int CountLogLines(const std::string& text) {
        int count = 0;
        for (const std::string& line : harness::LogLines()) {
            count += line.find(text) != std::string::npos ? 1 : 0;
        }
        return count;
    }

    std::string mFolder = harness::MakeTempFolder();
    harness::ScopedDataRoot mRoot{mFolder};
};
