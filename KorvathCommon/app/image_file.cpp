#include "app/image_file.h"

#include <SDL_image.h>
#include <algorithm>
#include <cstdint>
#include <memory>

#include "app/log.h"

namespace {

struct RWopsCloser {
    void operator()(SDL_RWops* stream) const { SDL_RWclose(stream); }
};

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

bool ReadBytes(SDL_RWops* stream, uint8_t* bytes, size_t count) {
    return SDL_RWread(stream, bytes, 1, count) == count;
}

int BigEndian16(const uint8_t* bytes) {
    return (bytes[0] << 8) | bytes[1];
}

int64_t BigEndian32(const uint8_t* bytes) {
    return (int64_t{bytes[0]} << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3];
}

// After the signature: the first chunk's length and type, then IHDR's width and height.
TImageHeader ReadPngSize(SDL_RWops* stream, int& width, int& height) {
    uint8_t header[16];
    if (!ReadBytes(stream, header, sizeof(header)) || SDL_memcmp(header + 4, "IHDR", 4) != 0) {
        return TImageHeader::Damaged;
    }
    const int64_t w = BigEndian32(header + 8);
    const int64_t h = BigEndian32(header + 12);
    width = static_cast<int>(std::min<int64_t>(w, INT32_MAX));
    height = static_cast<int>(std::min<int64_t>(h, INT32_MAX));
    return TImageHeader::Sized;
}

// Start-of-frame markers: C0 to CF except C4 (tables), C8 (reserved) and CC (arithmetic tables).
bool IsStartOfFrame(uint8_t marker) {
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

// After the start-of-image marker: segments are skipped by their lengths up to the frame header.
TImageHeader ReadJpegSize(SDL_RWops* stream, int& width, int& height) {
    for (;;) {
        uint8_t marker[2];
        if (!ReadBytes(stream, marker, 2) || marker[0] != 0xff) {
            return TImageHeader::Damaged;
        }
        if (marker[1] == 0xff || marker[1] == 0x01 || (marker[1] >= 0xd0 && marker[1] <= 0xd7)) {
            // Fill bytes and markers without a length.
            SDL_RWseek(stream, marker[1] == 0xff ? -1 : 0, RW_SEEK_CUR);
            continue;
        }
        uint8_t length[2];
        if (marker[1] == 0xd9 || !ReadBytes(stream, length, 2) || BigEndian16(length) < 2) {
            return TImageHeader::Damaged;
        }
        if (IsStartOfFrame(marker[1])) {
            uint8_t frame[5];
            if (!ReadBytes(stream, frame, sizeof(frame))) {
                return TImageHeader::Damaged;
            }
            height = BigEndian16(frame + 1);
            width = BigEndian16(frame + 3);
            return TImageHeader::Sized;
        }
        if (SDL_RWseek(stream, BigEndian16(length) - 2, RW_SEEK_CUR) < 0) {
            return TImageHeader::Damaged;
        }
    }
}

TImageHeader ReadSizeFromStart(SDL_RWops* stream, int& width, int& height) {
    uint8_t start[8];
    const size_t read = SDL_RWread(stream, start, 1, sizeof(start));
    if (read >= 2 && start[0] == 0xff && start[1] == 0xd8) {
        SDL_RWseek(stream, 2 - static_cast<Sint64>(read), RW_SEEK_CUR);
        return ReadJpegSize(stream, width, height);
    }
    if (read == sizeof(start) && SDL_memcmp(start, kPngSignature, sizeof(start)) == 0) {
        return ReadPngSize(stream, width, height);
    }
    return TImageHeader::Unknown;
}

bool IsTooLarge(int width, int height) {
    return width > kMaxImageSide || height > kMaxImageSide || int64_t{width} * height > kMaxImagePixels;
}

} // namespace

TImageHeader ReadDeclaredImageSize(SDL_RWops* stream, int& width, int& height) {
    width = height = 0;
    const Sint64 start = SDL_RWtell(stream);
    const TImageHeader header = ReadSizeFromStart(stream, width, height);
    SDL_RWseek(stream, start, RW_SEEK_SET);
    return header;
}

SDL_Surface* LoadImageFile(const std::string& path) {
    std::unique_ptr<SDL_RWops, RWopsCloser> stream(SDL_RWFromFile(path.c_str(), "rb"));
    if (!stream) {
        return nullptr;
    }
    int width = 0;
    int height = 0;
    if (ReadDeclaredImageSize(stream.get(), width, height) == TImageHeader::Sized && IsTooLarge(width, height)) {
        TLogFile::Get()->Printf("image too large, skipped %s (%d x %d)", path.c_str(), width, height);
        return nullptr;
    }
    // The extension is SDL_image's hint, as when it opens the file itself.
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    const bool extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return IMG_LoadTyped_RW(stream.get(), 0, extension ? path.c_str() + dot + 1 : nullptr);
}
