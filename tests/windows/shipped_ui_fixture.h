#pragma once
// The game's own interface data in use: the shipped assets/ beside the test executables as the data root,
// its fonts, terms, cursors and global interface description loaded, and a hidden window of the design
// size with the process renderer. Frames are stepped with the test clock.

#include <SDL.h>
#include <SDL_image.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "app/renderer.h"
#include "app/xml_reader.h"
#include "graphics/font_registry.h"
#include "graphics/graphics_fixture.h"
#include "graphics/terms.h"
#include "windows/ui_info_holder.h"
#include "windows_fixture.h"

namespace wintest {

class ShippedUiTest : public WindowsTest {
protected:
    static constexpr int kDesignWidth = 1366;
    static constexpr int kDesignHeight = 768;

    void SetUp() override {
        ASSERT_TRUE(mRenderer.IsReady());
        ASSERT_TRUE(SetWorkingFolderToExe());
        TiXmlElement* fonts = LoadXmlRoot("fonts.xml");
        ASSERT_NE(fonts, nullptr) << "no shipped assets beside the test executable";
        TFontRegistry::GetInstance()->LoadXml(fonts);
        ReleaseXmlRoot();
        ASSERT_TRUE(GetTerms()->LoadXml("termins.xml"));
        ASSERT_TRUE(LoadGlobalUIInfo());
        TGameCursors::Get()->Load("cursors.xml");
    }

    void TearDown() override {
        // The windows' textures go while the renderer lives.
        WindowsTest::TearDown();
        TFontRegistry::Destroy();
        TTerms::Destroy();
        TUIInfoHolder::ReleaseGlobal();
    }

    void Step(int frames, uint32_t ms = 125) {
        for (int frame = 0; frame < frames; ++frame) {
            mFrames.Step(ms);
        }
    }

    // The windows drawn over a plain grey screen.
    static void DrawOverBackdrop() {
        SDL_SetRenderDrawColor(GetSDLRenderer(), kBackdrop.r, kBackdrop.g, kBackdrop.b, 255);
        SDL_RenderClear(GetSDLRenderer());
        TMyWindowManager::Get()->Draw();
    }

    struct TScreenProbe {
        const char* where;
        int x, y;
        TRgba colour;
    };
    static void ExpectScreen(const std::vector<TScreenProbe>& probes, int tolerance) {
        for (const TScreenProbe& probe : probes) {
            uint32_t pixel = 0;
            const SDL_Rect rect{probe.x, probe.y, 1, 1};
            ASSERT_EQ(SDL_RenderReadPixels(GetSDLRenderer(), &rect, SDL_PIXELFORMAT_ARGB8888, &pixel, 4), 0);
            const TRgba read{static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                             static_cast<int>(pixel & 0xFF), 255};
            EXPECT_TRUE(NearColor(read, probe.colour, tolerance)) << probe.where;
        }
    }

    static constexpr TRgba kBackdrop{40, 40, 40, 255};

    // The frame drawn so far as a PNG under the build tree, for people to look at.
    static bool SaveFrame(const std::string& name) {
        const std::filesystem::path folder = std::filesystem::path(GetExecutableFolder()).parent_path() / "shots";
        std::filesystem::create_directories(folder);
        SDL_Surface* surface =
            SDL_CreateRGBSurfaceWithFormat(0, kDesignWidth, kDesignHeight, 32, SDL_PIXELFORMAT_ARGB8888);
        if (surface == nullptr) {
            return false;
        }
        const bool read = SDL_RenderReadPixels(GetSDLRenderer(), nullptr, SDL_PIXELFORMAT_ARGB8888, surface->pixels,
                                               surface->pitch) == 0;
        const bool saved = read && IMG_SavePNG(surface, (folder / name).string().c_str()) == 0;
        SDL_FreeSurface(surface);
        return saved;
    }

    harness::HeadlessRenderer mRenderer{kDesignWidth, kDesignHeight};
    harness::ScopedDataRoot mRoot{GetExecutableFolder()};
    TFrames mFrames;
};

} // namespace wintest
