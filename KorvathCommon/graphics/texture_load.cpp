// Loading of textures from image files: single images and colour + mask pairs.

#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <memory>

#include "app/file_object.h"
#include "app/image_file.h"
#include "app/renderer.h"
#include "graphics/texture.h"
#include "graphics/texture_opaque.h"

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// Only the file name decides: a "." in a folder name is not an extension.
bool HasExtension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

bool IsReadable(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

// Localised copies live under a folder named by the language code; names at the top level have none.
std::string LocalisedName(const std::string& name) {
    const std::string code = GetLanguageCode();
    if (code.empty() || name.find('/') == std::string::npos || name[0] == '/') {
        return name;
    }
    return code + "/" + name;
}

// Absolute names are used as they stand; others follow the path rules.
std::string ImagePath(const std::string& name) {
    return !name.empty() && name[0] == '/' ? name : ResolvePath(name);
}

std::string WithDefaultExtension(const std::string& path, const char* extension) {
    return HasExtension(path) ? path : path + extension;
}

// The localised path when that file exists, else the plain one.
std::string PickExisting(const std::string& localised, const std::string& plain) {
    return IsReadable(localised) ? localised : plain;
}

// Every surface read the same way: 32-bit ARGB pixels (a format without alpha reads 255).
SurfacePtr ToArgb(SDL_Surface* surface) {
    return SurfacePtr(surface == nullptr ? nullptr : SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0));
}

uint32_t ArgbAt(const SDL_Surface* surface, int x, int y) {
    const auto* row = static_cast<const uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch;
    return reinterpret_cast<const uint32_t*>(row)[x];
}

// A large picture's decoded pixels (and SDL's converted copy of them) are freed once its texture holds
// them. glibc keeps freed blocks of that size in its heap, resident, until something reuses them; after
// each screen's or level's pictures that added megabytes to the process's peak, so they are given back
// to the system at once. Small pictures are left to the allocator.
void GiveBackFreedPixels(size_t bytes) {
#if defined(__GLIBC__)
    constexpr size_t kLargePicture = size_t{1} << 20;
    if (bytes >= kLargePicture) {
        malloc_trim(0);
    }
#else
    static_cast<void>(bytes);
#endif
}

// A large picture of one colour throughout (the screens' shadow, a screen of black) as a strip of its first
// rows, sharing its pixels; null for any other picture. Palettes and colour keys are left whole.
SurfacePtr UniformStrip(SDL_Surface* surface) {
    constexpr int kStripRows = 32;
    constexpr size_t kLargePicture = size_t{1} << 20;
    const SDL_PixelFormat* format = surface->format;
    const int bytesPerPixel = format->BytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(surface->w) * static_cast<size_t>(bytesPerPixel);
    if (surface->h < 2 * kStripRows || rowBytes * static_cast<size_t>(surface->h) < kLargePicture ||
        SDL_ISPIXELFORMAT_INDEXED(format->format) || SDL_HasColorKey(surface) == SDL_TRUE || SDL_MUSTLOCK(surface)) {
        return nullptr;
    }
    const auto* first = static_cast<const uint8_t*>(surface->pixels);
    for (int x = 1; x < surface->w; ++x) {
        if (std::memcmp(first, first + static_cast<ptrdiff_t>(x) * bytesPerPixel, static_cast<size_t>(bytesPerPixel)) !=
            0) {
            return nullptr;
        }
    }
    for (int y = 1; y < surface->h; ++y) {
        if (std::memcmp(first, first + static_cast<ptrdiff_t>(y) * surface->pitch, rowBytes) != 0) {
            return nullptr;
        }
    }
    return SurfacePtr(SDL_CreateRGBSurfaceWithFormatFrom(surface->pixels, surface->w, kStripRows, format->BitsPerPixel,
                                                         surface->pitch, format->format));
}

// Whether the surface's own pixels give its alpha exactly as a conversion to ARGB would: 32-bit pixels with
// an 8-bit alpha mask, or a format without alpha at all (opaque). Palettes and colour keys (which the
// conversion turns into alpha) are left to the conversion.
bool HasPlainAlpha(SDL_Surface* surface) {
    const SDL_PixelFormat* format = surface->format;
    if (SDL_ISPIXELFORMAT_INDEXED(format->format) || SDL_HasColorKey(surface) == SDL_TRUE) {
        return false;
    }
    return format->Amask == 0 || (format->BytesPerPixel == 4 && (format->Amask >> format->Ashift) == 0xFFu);
}

} // namespace

void TTexture::BuildMaps(SDL_Surface* surface) {
    if (!gBuildAlphaMaps && !gBuildColorMaps) {
        return;
    }
    // The alpha map alone is read from the decoded pixels, without a converted copy of the picture.
    if (!gBuildColorMaps && HasPlainAlpha(surface)) {
        BuildAlphaMap(surface);
        return;
    }
    SurfacePtr argb = ToArgb(surface);
    if (!argb || SDL_LockSurface(argb.get()) != 0) {
        return;
    }
    const int w = argb->w, h = argb->h;
    if (gBuildAlphaMaps) {
        mAlphaMap.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    }
    if (gBuildColorMaps) {
        mColorMap.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t pixel = ArgbAt(argb.get(), x, y);
            const size_t index = static_cast<size_t>(x) + static_cast<size_t>(y) * static_cast<size_t>(w);
            if (gBuildAlphaMaps) {
                mAlphaMap[index] = static_cast<uint8_t>(pixel >> 24);
            }
            if (gBuildColorMaps) {
                mColorMap[index] = {static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
                                    static_cast<uint8_t>(pixel)};
            }
        }
    }
    SDL_UnlockSurface(argb.get());
    if (gBuildAlphaMaps && std::all_of(mAlphaMap.begin(), mAlphaMap.end(), [](uint8_t a) { return a == 255; })) {
        mAlphaMap = std::vector<uint8_t>();
        mOpaqueAlphaMap = true;
    }
}

// An opaque picture (most backgrounds) keeps no bytes: its map reads 255 everywhere inside it.
void TTexture::BuildAlphaMap(SDL_Surface* surface) {
    const uint32_t mask = surface->format->Amask;
    if (mask == 0) {
        mOpaqueAlphaMap = true;
        return;
    }
    if (SDL_LockSurface(surface) != 0) {
        return;
    }
    const int w = surface->w, h = surface->h;
    const auto rowAt = [surface](int y) {
        return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) +
                                                 static_cast<ptrdiff_t>(y) * surface->pitch);
    };
    bool opaque = true;
    for (int y = 0; y < h && opaque; ++y) {
        const uint32_t* row = rowAt(y);
        opaque = std::all_of(row, row + w, [mask](uint32_t pixel) { return (pixel & mask) == mask; });
    }
    if (opaque) {
        mOpaqueAlphaMap = true;
    } else {
        const int shift = surface->format->Ashift;
        mAlphaMap.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
        uint8_t* out = mAlphaMap.data();
        for (int y = 0; y < h; ++y) {
            const uint32_t* row = rowAt(y);
            for (int x = 0; x < w; ++x) {
                *out++ = static_cast<uint8_t>(row[x] >> shift);
            }
        }
    }
    SDL_UnlockSurface(surface);
}

bool TTexture::LoadImage(const std::string& name) {
    SDL_Renderer* renderer = GetSDLRenderer();
    if (mTexture != nullptr || renderer == nullptr || name.empty()) {
        return false;
    }
    const std::string localised = ImagePath(LocalisedName(name));
    const std::string plain = ImagePath(name);
    const bool extension = HasExtension(name);
    std::string candidate = PickExisting(WithDefaultExtension(localised, ".png"), WithDefaultExtension(plain, ".png"));
    SurfacePtr surface(LoadImageFile(candidate));
    if (!surface && !extension) {
        candidate = PickExisting(localised + ".jpg", plain + ".jpg");
        surface.reset(LoadImageFile(candidate));
    }
    if (!surface) {
        return false;
    }
    BuildMaps(surface.get());
    // Its draws put the strip down over the whole picture's place: the same pixels from a small part of the
    // memory (a screen's worth, held for the whole run by the shadow).
    const SurfacePtr strip = UniformStrip(surface.get());
    if (!TakeTexture(SDL_CreateTextureFromSurface(renderer, strip ? strip.get() : surface.get()))) {
        mAlphaMap.clear();
        mColorMap.clear();
        mOpaqueAlphaMap = false;
        return false;
    }
    if (strip) {
        mStripRows = strip->h;
        mHeight = surface->h;
    }
    // The draws copy what is opaque: where a picture with an alpha channel is, is noted once here.
    if (SDL_LockSurface(surface.get()) == 0) {
        NoteTranslucentBox(mTexture, *surface);
        SDL_UnlockSurface(surface.get());
    }
    const size_t decodedBytes = static_cast<size_t>(surface->pitch) * static_cast<size_t>(surface->h);
    surface.reset();
    GiveBackFreedPixels(decodedBytes);
    mFilePath = candidate;
    mName = name;
    return true;
}

bool TTexture::LoadMaskedImage(const std::string& colorName, const std::string& maskName, bool bothRequired) {
    if (mTexture != nullptr || GetSDLRenderer() == nullptr || colorName.empty() || maskName.empty()) {
        return false;
    }
    const std::string localColor = WithDefaultExtension(ResolvePath(LocalisedName(colorName)), ".jpg");
    const std::string localMask = WithDefaultExtension(ResolvePath(LocalisedName(maskName)), ".png");
    const std::string plainColor = WithDefaultExtension(ResolvePath(colorName), ".jpg");
    const std::string plainMask = WithDefaultExtension(ResolvePath(maskName), ".png");
    // A name given with its extension cannot be its own mask.
    if (localColor == localMask || plainColor == plainMask) {
        return false;
    }
    // A pair that needs its colour image is given up without reading the mask when that image does
    // not load: every single image is asked for as a pair of its own name first, and its mask is the
    // picture itself, read again by the single-image load that follows.
    SurfacePtr color, mask;
    if (IsReadable(localColor) && IsReadable(localMask)) {
        color.reset(LoadImageFile(localColor));
        if (color || !bothRequired) {
            mask.reset(LoadImageFile(localMask));
        }
    } else if (!bothRequired && IsReadable(localMask)) {
        mask.reset(LoadImageFile(localMask));
    } else {
        color.reset(LoadImageFile(plainColor));
        if (color || !bothRequired) {
            mask.reset(LoadImageFile(plainMask));
        }
    }
    if (!mask || (bothRequired && !color) || !Compose(color.get(), mask.get())) {
        return false;
    }
    mFilePath = plainColor;
    mMaskPath = plainMask;
    mName = colorName;
    return true;
}

// A streaming texture of the mask's size: the colour image's red, green and blue (white without one) and the
// mask's red as alpha. The alpha map holds the mask's own alpha channel, for hit tests.
bool TTexture::Compose(SDL_Surface* color, SDL_Surface* mask) {
    if (color != nullptr && (color->w != mask->w || color->h != mask->h)) {
        return false;
    }
    SurfacePtr colorArgb = ToArgb(color);
    SurfacePtr maskArgb = ToArgb(mask);
    if (!maskArgb || (color != nullptr && !colorArgb)) {
        return false;
    }
    const int w = mask->w, h = mask->h;
    SDL_Texture* texture =
        SDL_CreateTexture(GetSDLRenderer(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, w, h);
    if (texture == nullptr) {
        return false;
    }
    void* raw = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &raw, &pitch) != 0 || raw == nullptr) {
        SDL_DestroyTexture(texture);
        return false;
    }
    mAlphaMap.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(raw) + static_cast<ptrdiff_t>(y) * pitch);
        for (int x = 0; x < w; ++x) {
            const uint32_t maskPixel = ArgbAt(maskArgb.get(), x, y);
            const uint32_t rgb = colorArgb ? ArgbAt(colorArgb.get(), x, y) & 0x00FFFFFFu : 0x00FFFFFFu;
            out[x] = ((maskPixel & 0x00FF0000u) << 8) | rgb;
            mAlphaMap[static_cast<size_t>(x) + static_cast<size_t>(y) * static_cast<size_t>(w)] =
                static_cast<uint8_t>(maskPixel >> 24);
        }
    }
    SDL_UnlockTexture(texture);
    return TakeTexture(texture);
}
