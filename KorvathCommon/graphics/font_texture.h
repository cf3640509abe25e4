#pragma once
// The one place where font glyphs meet the renderer: a layer image loaded by name and drawn in parts.

#include <cstdint>
#include <memory>
#include <string>

struct SDL_Renderer;
struct SDL_Texture;

struct TFontRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    bool operator==(const TFontRect&) const = default;
};

class TFontTexture {
public:
    // An image under the data folder (path rules); a file name without extension tries ".png", then
    // ".jpg". Null when it cannot be loaded or there is no renderer.
    static std::shared_ptr<TFontTexture> Load(const std::string& name);

    ~TFontTexture();
    TFontTexture(const TFontTexture&) = delete;
    TFontTexture& operator=(const TFontTexture&) = delete;

    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }

    // Draws the source rectangle with its top-left at (x, y), stretched to w x h, alpha blended. The
    // colour is packed 0xAARRGGBB: red, green and blue multiply the texture colour, alpha its opacity.
    void Draw(const TFontRect& source, int x, int y, int w, int h, uint32_t color) const;

private:
    TFontTexture(SDL_Renderer* renderer, SDL_Texture* texture, int width, int height);

    SDL_Renderer* mRenderer;
    SDL_Texture* mTexture;
    int mWidth;
    int mHeight;
};
