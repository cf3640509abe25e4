#pragma once
// Reading image files into surfaces. A PNG or JPEG header that declares an image far larger than any
// the game draws is refused before decoding: a damaged size must not make the game allocate and clear
// gigabytes (a hang, or the process killed for want of memory).

#include <SDL.h>
#include <cstdint>
#include <string>

constexpr int kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = int64_t{1} << 26;

enum class TImageHeader { Unknown, Sized, Damaged };

// The size a PNG or JPEG declares, read from the stream's start without decoding; the stream is left
// where it was. Unknown for other formats, Damaged for a PNG or JPEG whose header ends or breaks
// before the size.
TImageHeader ReadDeclaredImageSize(SDL_RWops* stream, int& width, int& height);

// The image at a path (no path rules), as SDL_image reads it with the extension as its hint; null when
// it does not load or its declared size exceeds the limits (logged with the path). The caller frees it.
SDL_Surface* LoadImageFile(const std::string& path);
