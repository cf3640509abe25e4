#pragma once
// The engine's only owner of renderer textures: one SDL texture with the names it was loaded under, its
// size, an optional per-pixel alpha map (hit tests against the image's shape) and an optional colour map.

#include <cstdint>
#include <string>
#include <vector>

#include "app/float_rect.h"
#include "graphics/counted_handle.h"
#include "graphics/render_state.h"

struct SDL_Surface;
struct SDL_Texture;
struct SDL_Vertex;

struct TRgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

class TTexture;
using TTextureHandle = CountedHandle<TTexture>;

// Read by every single-image load: keep an alpha map (initially true) and a colour map (initially false).
// Callers set a switch just before a load and restore it right after.
extern bool gBuildAlphaMaps;
extern bool gBuildColorMaps;

class TTexture {
public:
    // Access kinds of blank textures.
    static constexpr int kAccessStreaming = 1;
    static constexpr int kAccessTarget = 2;

    TTexture() = default;
    explicit TTexture(const std::string& name);
    TTexture(const std::string& colorName, const std::string& maskName, bool bothRequired);
    TTexture(const TTexture&) = delete;
    TTexture& operator=(const TTexture&) = delete;
    virtual ~TTexture();

    // Textured triangles with the state's colour, blend and alpha.
    virtual void DrawTriangles(const SDL_Vertex* vertices, int count, const TRenderState& state);
    virtual void Draw(const TRenderState& state);
    // Copies the rectangle (left, top, right, bottom) of another texture to (x, y) of this one, replacing
    // the pixels there. Only render-target textures can be written this way.
    virtual void Blit(int x, int y, int left, int top, int right, int bottom, const TTextureHandle& source);
    // Locks the whole streaming texture for writing 32-bit ARGB pixels; pitch in pixels.
    virtual bool Lock(uint32_t*& pixels, int& pitch);
    virtual void Unlock();
    virtual bool IsLocked() const { return mLockedPixels != nullptr; }
    virtual int GetWidth() const { return mWidth; }
    virtual int GetHeight() const { return mHeight; }
    virtual bool Probe(int /*unused*/) const { return false; }
    // The alpha map byte at x + y * width; 0 outside the map (a too-large x reads the next row).
    virtual uint8_t GetAlphaAt(int x, int y) const;
    // The colour map entry at x + y * width; false, color untouched, outside the map.
    virtual bool GetColorAt(int x, int y, TRgb& color) const;
    virtual void SetPixel(int /*x*/, int /*y*/, uint32_t /*argb*/) {}
    virtual const std::string& GetName() const { return mName; }

    // A single image (PNG, else JPG) found by name under "assets/". False when already loaded or not found.
    bool LoadImage(const std::string& name);
    // A colour image whose alpha is the red channel of a mask image of the same size.
    bool LoadMaskedImage(const std::string& colorName, const std::string& maskName, bool bothRequired);
    // An uncached blank texture of an SDL pixel format, ARGB8888 when 0.
    bool CreateBlank(int width, int height, int access, uint32_t format = 0);

    SDL_Texture* GetSDLTexture() const { return mTexture; }
    // Names the texture's pixels: a new number, never given before, whenever they may have changed (made,
    // locked, blitted into, or drawn into by its owner, who says so with NoteContentChanged).
    uint64_t GetSerial() const { return mSerial; }
    void NoteContentChanged();
    const std::string& GetFilePath() const { return mFilePath; }
    const std::string& GetMaskPath() const { return mMaskPath; }
    bool HasAlphaMap() const { return !mAlphaMap.empty() || mOpaqueAlphaMap; }
    bool HasColorMap() const { return !mColorMap.empty(); }

private:
    // The picture scaled to a draw's size by SDL's own scaling, kept for the draws of that size.
    struct TScaledCopy {
        SDL_Texture* texture = nullptr;
        uint64_t serial = 0;
        int sourceX = 0;
        int sourceY = 0;
        int sourceW = 0;
        int sourceH = 0;
        int width = 0;
        int height = 0;
    };

    bool ApplyState(const TRenderState& state);
    void DrawStrip(const TRenderState& state, const TFloatRect& source, float centreX, float centreY, int flip);
    bool DrawKeptScaled(const TRenderState& state, int sourceX, int sourceY, int sourceW, int sourceH);
    bool MakeScaledCopy(int sourceX, int sourceY, int sourceW, int sourceH, int width, int height);
    bool TakeTexture(SDL_Texture* texture);
    void BuildMaps(SDL_Surface* surface);
    void BuildAlphaMap(SDL_Surface* surface);
    bool Compose(SDL_Surface* color, SDL_Surface* mask);

    std::vector<TRgb> mColorMap;
    SDL_Texture* mTexture = nullptr;
    std::string mFilePath;
    std::string mMaskPath;
    std::string mName;
    std::vector<uint8_t> mAlphaMap;
    // The alpha map is 255 everywhere and kept as this flag instead of its bytes.
    bool mOpaqueAlphaMap = false;
    uint32_t* mLockedPixels = nullptr;
    int mWidth = 0;
    int mHeight = 0;
    uint64_t mSerial = 0;
    TScaledCopy mScaled;
    // A large picture of one colour throughout (the screens' shadow) keeps only this many of its rows in
    // mTexture (0: the whole picture is there); mWidth and mHeight stay the picture's.
    int mStripRows = 0;
};

// An uncached blank texture of an SDL pixel format, ARGB8888 when 0: access 1 streaming, 2 render target,
// any other value static. Empty when SDL fails.
TTextureHandle CreateBlankTexture(int width, int height, int access, uint32_t format = 0);
