#include "screen_checks.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "app/app_config.h"
#include "app/display_modes.h"
#include "app/frame_clear.h"
#include "app/renderer.h"
#include "app/string_utils.h"
#include "graphics/font_image.h"
#include "shell/main_loop.h"
#include "windows/button.h"
#include "windows/text_label.h"
#include "windows/window_manager.h"

namespace harness {

namespace {

std::string PathOf(const TMyWindow* window, const std::string& parentPath) {
    const std::string name = window->mName.empty() ? FormatString("#%d", window->mId) : window->mName;
    return parentPath.empty() ? name : parentPath + "/" + name;
}

void CheckLabel(TSimpleTextImage* label, const std::string& path, std::vector<std::string>& found) {
    ImageFont* font = label->GetFont();
    if (label->mText.empty() || font == nullptr || label->mWidth <= 0) {
        return;
    }
    const std::string text = ToUtf8(label->mText);
    if (label->mWrapped) {
        const int used = label->MeasureWrapped(label->mWidth, label->mText);
        if (used > label->mHeight) {
            found.push_back(FormatString("%s: \"%s\" needs %d px of height, the box has %d", path.c_str(), text.c_str(),
                                         used, label->mHeight));
        }
        return;
    }
    const int width = font->GetTextWidthW(label->mText);
    if (width > label->mWidth) {
        found.push_back(
            FormatString("%s: \"%s\" is %d px wide, the box %d", path.c_str(), text.c_str(), width, label->mWidth));
    }
}

void Walk(TMyWindow* window, const std::string& parentPath, std::vector<std::string>& found) {
    if (window == nullptr || !window->mShown) {
        return;
    }
    const std::string path = PathOf(window, parentPath);
    if (window->GetType() == kWindowKindLabel) {
        CheckLabel(static_cast<TSimpleTextImage*>(window), path, found);
    }
    // A button draws its caption itself (a check box's beside it), so the caption is no child to walk.
    if (window->GetType() == kWindowKindButton) {
        auto* button = static_cast<TMyButton*>(window);
        if (button->GetCaption() != nullptr && !button->mTextAsHint) {
            CheckLabel(button->GetCaption(), path + "/caption", found);
        }
    }
    for (TMyWindow* child : window->mChildren) {
        Walk(child, path, found);
    }
}

// The output's pixels as 32-bit ARGB, row after row; empty when they cannot be read.
std::vector<uint32_t> ReadOutput(int& width, int& height) {
    SDL_Renderer* renderer = GetSDLRenderer();
    if (renderer == nullptr || SDL_GetRendererOutputSize(renderer, &width, &height) != 0 || width <= 0 || height <= 0) {
        return {};
    }
    // The whole output, bars included: a frame may leave the viewport on the picture area.
    SDL_RenderSetViewport(renderer, nullptr);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) != 0) {
        return {};
    }
    return pixels;
}

int ChannelDifference(uint32_t a, uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = static_cast<int>((a >> shift) & 0xFFu) - static_cast<int>((b >> shift) & 0xFFu);
        largest = std::max(largest, std::abs(difference));
    }
    return largest;
}

} // namespace

FrameDifference CompareWithPlainFrame() {
    FrameDifference result;
    SDL_Renderer* renderer = GetSDLRenderer();
    if (renderer == nullptr) {
        result.failure = "no renderer";
        return result;
    }
    const bool shortcuts = AreDrawShortcutsOn();
    SetDrawShortcuts(false);
    DrawWholeFrame();
    int width = 0, height = 0;
    const std::vector<uint32_t> plain = ReadOutput(width, height);
    SetDrawShortcuts(true);
    // Twice: the first frame fills the cached layers, the second is drawn from them.
    for (int frame = 0; frame < 2; ++frame) {
        Uint8 r = 0, g = 0, b = 0, a = 0;
        SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
        SDL_SetRenderDrawColor(renderer, 255, 0, 255, 255);
        SDL_RenderClear(renderer);
        SDL_SetRenderDrawColor(renderer, r, g, b, a);
        DrawWholeFrame();
        const std::vector<uint32_t> drawn = ReadOutput(width, height);
        if (plain.empty() || plain.size() != drawn.size()) {
            result.failure = "the output could not be read";
            break;
        }
        for (size_t i = 0; i < plain.size(); ++i) {
            const int difference = ChannelDifference(plain[i], drawn[i]);
            if (difference == 0) {
                continue;
            }
            if (result.pixels++ == 0) {
                result.firstX = static_cast<int>(i % static_cast<size_t>(width));
                result.firstY = static_cast<int>(i / static_cast<size_t>(width));
            }
            result.largest = std::max(result.largest, difference);
        }
    }
    SetDrawShortcuts(shortcuts);
    return result;
}

std::vector<std::string> LabelsThatDoNotFit(TMyWindow* root) {
    std::vector<std::string> found;
    Walk(root, "", found);
    return found;
}

std::vector<std::string> LabelsThatDoNotFit() {
    std::vector<std::string> found;
    TMyWindowManager* manager = TMyWindowManager::Get();
    for (const auto* list : {&manager->GetScreens(), &manager->GetPopups()}) {
        for (TMyWindow* window : *list) {
            Walk(window, "", found);
        }
    }
    return found;
}

bool SaveShotIfAsked(const std::string& name) {
    const char* folder = std::getenv("VERDANEL_SHOTS_DIR");
    if (folder == nullptr || *folder == '\0') {
        return true;
    }
    SDL_Renderer* renderer = GetSDLRenderer();
    int width = 0;
    int height = 0;
    if (renderer == nullptr || SDL_GetRendererOutputSize(renderer, &width, &height) != 0) {
        return false;
    }
    // The whole output, bars included: the frame leaves the viewport on the design area.
    SDL_RenderSetViewport(renderer, nullptr);
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888), SDL_FreeSurface);
    if (!surface ||
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, surface->pixels, surface->pitch) != 0) {
        return false;
    }
    const std::string path = std::string(folder) + "/" + name + ".png";
    return IMG_SavePNG(surface.get(), path.c_str()) == 0;
}

void UseWindowSized(int width, int height) {
    TAppConfig::Get()->SetDisplayMode(width, height, false);
    // The renderer learns the new size from the window events.
    SDL_PumpEvents();
    RefreshRenderScale();
}

} // namespace harness
