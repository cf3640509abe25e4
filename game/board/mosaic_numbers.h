#pragma once
// The board's numbers (clue numbers and the numbers along a stroke) drawn from a number atlas: an image
// of frames 20 pixels high stacked downwards, number n in the frame at y = 20 x (n - 1). The board
// draws its row clues from "basenumberslines" (28 wide), its column clues from "basenumbers" (a cell
// wide) and the stroke numbers from "overnumbers" (40 wide).

#include <string>

#include "graphics/static_image.h"
#include "rules/mosaic_geometry.h"

class TNumberPainter {
public:
    static constexpr const char* kRowAtlas = "textures/tilesets/basenumberslines";
    static constexpr const char* kColumnAtlas = "textures/tilesets/basenumbers";
    static constexpr const char* kStrokeAtlas = "textures/tilesets/overnumbers";
    static constexpr int kFrameHeight = 20;

    explicit TNumberPainter(std::string atlas = kStrokeAtlas) : mAtlasName(std::move(atlas)) {}

    // Loads the atlas image (again: it may have been released with the textures).
    void Load();
    // Frame value - 1 of the frame's width and height, its top-left corner at the frame's corner. A
    // value the atlas has no frame for draws nothing.
    void Draw(int value, const TPixelRect& frame, float alpha) const;
    // Frames of that height the atlas holds, and its width; 0 without the image.
    int GetFrameCount(int frameHeight = kFrameHeight) const;
    int GetWidth() const;
    const std::string& GetAtlasName() const { return mAtlasName; }

private:
    std::string mAtlasName;
    // Placed and cut anew for every number.
    mutable StaticImage mAtlas;
};
