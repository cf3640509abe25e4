// Image files: the size a PNG or JPEG header declares, read before decoding, and images whose declared
// size no screen could use refused without allocating their pixels.

#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdint>
#include <string>

#include "app/image_file.h"
#include "harness/harness.h"

namespace {

void Append32(std::string& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<char>((value >> shift) & 0xff));
    }
}

void Append16(std::string& bytes, int value) {
    bytes.push_back(static_cast<char>((value >> 8) & 0xff));
    bytes.push_back(static_cast<char>(value & 0xff));
}

// A PNG's signature and IHDR chunk (the reader needs no more; the CRC is not checked).
std::string PngHeader(uint32_t width, uint32_t height, const char* chunk = "IHDR") {
    std::string bytes("\x89PNG\r\n\x1a\n", 8);
    Append32(bytes, 13);
    bytes += chunk;
    Append32(bytes, width);
    Append32(bytes, height);
    bytes += std::string("\x08\x06\x00\x00\x00", 5);
    Append32(bytes, 0);
    return bytes;
}

// A JPEG segment: marker, length, payload.
std::string Segment(uint8_t marker, const std::string& payload) {
    std::string bytes = {'\xff', static_cast<char>(marker)};
    Append16(bytes, static_cast<int>(payload.size()) + 2);
    return bytes + payload;
}

std::string Frame(uint8_t marker, int width, int height) {
    std::string payload(1, '\x08');
    Append16(payload, height);
    Append16(payload, width);
    payload += std::string("\x03\x01\x22\x00", 4);
    return Segment(marker, payload);
}

const std::string kStartOfImage("\xff\xd8", 2);
const std::string kJfif = Segment(0xe0, std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14));

struct THeaderCase {
    const char* what;
    std::string bytes;
    TImageHeader header;
    int width;
    int height;
};

TEST(ImageFile, DeclaredSizeIsReadFromPngAndJpegHeaders) {
    const THeaderCase cases[] = {
        {"png", PngHeader(1366, 768), TImageHeader::Sized, 1366, 768},
        {"png beyond int", PngHeader(0xffffffffu, 1), TImageHeader::Sized, INT32_MAX, 1},
        {"png without IHDR first", PngHeader(1366, 768, "IDAT"), TImageHeader::Damaged, 0, 0},
        {"png cut after the signature", PngHeader(1366, 768).substr(0, 12), TImageHeader::Damaged, 0, 0},
        {"jpeg", kStartOfImage + kJfif + Frame(0xc0, 640, 480), TImageHeader::Sized, 640, 480},
        {"progressive jpeg after tables", kStartOfImage + Segment(0xc4, "tables") + Frame(0xc2, 65535, 7),
         TImageHeader::Sized, 65535, 7},
        {"fill bytes before a marker", kStartOfImage + std::string("\xff\xff", 2) + Frame(0xc1, 3, 2),
         TImageHeader::Sized, 3, 2},
        {"jpeg ending before its frame", kStartOfImage + kJfif + std::string("\xff\xd9", 2), TImageHeader::Damaged, 0,
         0},
        {"segment longer than the file", kStartOfImage + Segment(0xe1, "x").replace(2, 2, "\x7f\xff"),
         TImageHeader::Damaged, 0, 0},
        {"bytes between segments", kStartOfImage + kJfif + "junk" + Frame(0xc0, 9, 9), TImageHeader::Damaged, 0, 0},
        {"other bytes", std::string("GIF89a\x10\x00\x10\x00", 10), TImageHeader::Unknown, 0, 0},
        {"first byte of a png", "\x89", TImageHeader::Unknown, 0, 0},
    };
    for (const THeaderCase& test : cases) {
        SCOPED_TRACE(test.what);
        SDL_RWops* stream = SDL_RWFromConstMem(test.bytes.data(), static_cast<int>(test.bytes.size()));
        ASSERT_NE(stream, nullptr);
        SDL_RWseek(stream, 0, RW_SEEK_SET);
        int width = -1;
        int height = -1;
        EXPECT_EQ(ReadDeclaredImageSize(stream, width, height), test.header);
        if (test.header == TImageHeader::Sized) {
            EXPECT_EQ(width, test.width);
            EXPECT_EQ(height, test.height);
        }
        // The decoder reads the stream next, from where it was.
        EXPECT_EQ(SDL_RWtell(stream), 0);
        SDL_RWclose(stream);
    }
}

struct TLimitCase {
    const char* what;
    std::string bytes;
    bool refused;
};

TEST(ImageFile, ImagesDeclaredTooLargeAreRefusedBeforeDecoding) {
    const TLimitCase cases[] = {
        {"largest side and area allowed", PngHeader(kMaxImageSide, kMaxImagePixels / kMaxImageSide), false},
        {"one column too many", PngHeader(kMaxImageSide + 1, 1), true},
        {"one row too many", PngHeader(1, kMaxImageSide + 1), true},
        {"too many pixels", PngHeader(8193, 8193), true},
        {"largest png header", PngHeader(0x7fffffff, 0x7fffffff), true},
        {"jpeg too large", kStartOfImage + kJfif + Frame(0xc0, 65535, 65535), true},
    };
    const std::string folder = harness::MakeTempFolder();
    int index = 0;
    for (const TLimitCase& test : cases) {
        SCOPED_TRACE(test.what);
        const std::string path = folder + "/image" + std::to_string(index++) + ".png";
        ASSERT_TRUE(harness::WriteFile(path, test.bytes));
        SDL_Surface* surface = LoadImageFile(path);
        // Nothing here has pixel data: every file fails, but only the refused ones say so.
        EXPECT_EQ(surface, nullptr);
        SDL_FreeSurface(surface);
        const bool logged = harness::LogContains("image too large, skipped " + path);
        EXPECT_EQ(logged, test.refused);
    }
}

TEST(ImageFile, ImagesWithinTheLimitsLoad) {
    const std::string folder = harness::MakeTempFolder();
    const struct {
        const char* name;
        int width;
        int height;
    } images[] = {{"wide.png", 300, 2}, {"photo.jpg", 20, 30}};
    for (const auto& image : images) {
        SCOPED_TRACE(image.name);
        const std::string path = folder + "/" + image.name;
        ASSERT_TRUE(harness::WriteImageFile(path, image.width, image.height, [](int, int) { return 0xff808080u; }));
        SDL_Surface* surface = LoadImageFile(path);
        ASSERT_NE(surface, nullptr) << SDL_GetError();
        EXPECT_EQ(surface->w, image.width);
        EXPECT_EQ(surface->h, image.height);
        SDL_FreeSurface(surface);
    }
    EXPECT_EQ(LoadImageFile(folder + "/missing.png"), nullptr);
}

} // namespace
