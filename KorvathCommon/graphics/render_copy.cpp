#include "graphics/render_copy.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "app/log.h"

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
// Texture coordinates sit this far (in texels) past a texel edge, so a renderer that truncates them to
// whole texels still lands on the intended edge.
constexpr float kTexelNudge = 1.0f / 1024.0f;

bool IsWhole(float v) {
    return v == std::floor(v);
}

bool IsWholeRect(const TFloatRect& r) {
    return IsWhole(r.x) && IsWhole(r.y) && IsWhole(r.w) && IsWhole(r.h);
}

// Radians held in a float never make an exact quarter turn; renderers draw exact quarter turns pixel-exact.
double ToDegrees(double radians) {
    const double degrees = radians * kDegreesPerRadian;
    const double quarter = std::round(degrees / 90.0) * 90.0;
    return std::fabs(degrees - quarter) < 1e-3 ? quarter : degrees;
}

// Renderers work in int: SDL's software renderer reads far outside its buffers when a turned copy's corners
// pass int's range. A destination whose place, size or turning centre lies beyond any screen (2^29 pixels, so
// sums of a few stay inside int) or is not a number is not drawn.
constexpr float kFarBeyondAnyScreen = 536870912.0f;
// Such a draw comes back every frame: it is logged once.
bool gReportedFarDraw = false;

bool IsWithinReach(float v) {
    return std::fabs(v) <= kFarBeyondAnyScreen; // false for NaN too
}

bool IsDrawable(const SDL_FRect& dst, const SDL_FPoint& pivot) {
    return IsWithinReach(dst.x) && IsWithinReach(dst.y) && IsWithinReach(dst.w) && IsWithinReach(dst.h) &&
           IsWithinReach(pivot.x) && IsWithinReach(pivot.y);
}

// Texture colour and alpha modulation as a vertex colour, so geometry draws match copies on every back end.
SDL_Color ModulationOf(SDL_Texture* texture) {
    SDL_Color color{255, 255, 255, 255};
    SDL_GetTextureColorMod(texture, &color.r, &color.g, &color.b);
    SDL_GetTextureAlphaMod(texture, &color.a);
    return color;
}

// Cuts of one axis of a fractional source span [from, from + size): its ends and the texel edges just inside
// them. Each piece between two cuts lies inside one texel or spans whole texels, and its texture coordinates
// cover whole texels, so nearest sampling shows exactly the texels the span touches, even on renderers that
// round texture coordinates to whole texels. position: source coordinate; texel: texture coordinate.
struct TAxisCut {
    float position;
    float texel;
};

int CutAxis(float from, float size, TAxisCut cuts[4]) {
    const float to = from + size;
    int count = 0;
    cuts[count++] = {from, std::floor(from) + kTexelNudge};
    if (!IsWhole(from) && std::ceil(from) < to) {
        cuts[count++] = {std::ceil(from), std::ceil(from) + kTexelNudge};
    }
    if (!IsWhole(to) && std::floor(to) > cuts[count - 1].position) {
        cuts[count++] = {std::floor(to), std::floor(to) + kTexelNudge};
    }
    cuts[count++] = {to, (IsWhole(to) ? to : std::floor(to) + 1.0f) + kTexelNudge};
    return count;
}

// Renderers refuse coordinates outside 0..1, which the nudge can pass at the far texture edge.
float TextureCoordinate(float texel, int size) {
    return std::min(texel / static_cast<float>(size), 1.0f);
}

struct TQuadFrame {
    SDL_FRect dst;
    SDL_FPoint pivot;
    float cosA;
    float sinA;
};

// A source point, in source pixels from the source rectangle's corner, placed on the renderer.
SDL_FPoint Place(const TQuadFrame& frame, float sourceX, float sourceY, float scaleX, float scaleY) {
    const float lx = sourceX * scaleX - frame.pivot.x, ly = sourceY * scaleY - frame.pivot.y;
    return {frame.dst.x + frame.pivot.x + lx * frame.cosA - ly * frame.sinA,
            frame.dst.y + frame.pivot.y + lx * frame.sinA + ly * frame.cosA};
}

int DrawAsTriangles(SDL_Renderer* renderer, SDL_Texture* texture, const TFloatRect& source, const TQuadFrame& frame,
                    int flip) {
    int texW = 0, texH = 0;
    if (SDL_QueryTexture(texture, nullptr, nullptr, &texW, &texH) != 0 || texW <= 0 || texH <= 0 || source.w <= 0 ||
        source.h <= 0) {
        return -1;
    }
    TAxisCut columns[4], rows[4];
    const int columnCount = CutAxis(source.x, source.w, columns);
    const int rowCount = CutAxis(source.y, source.h, rows);
    const float scaleX = frame.dst.w / source.w, scaleY = frame.dst.h / source.h;
    const SDL_Color color = ModulationOf(texture);
    SDL_Vertex vertices[16];
    for (int row = 0; row < rowCount; ++row) {
        for (int column = 0; column < columnCount; ++column) {
            // A flip mirrors where each source point lands inside the source rectangle.
            float x = columns[column].position - source.x, y = rows[row].position - source.y;
            if ((flip & SDL_FLIP_HORIZONTAL) != 0) {
                x = source.w - x;
            }
            if ((flip & SDL_FLIP_VERTICAL) != 0) {
                y = source.h - y;
            }
            SDL_Vertex& vertex = vertices[row * columnCount + column];
            vertex.position = Place(frame, x, y, scaleX, scaleY);
            vertex.tex_coord = {TextureCoordinate(columns[column].texel, texW),
                                TextureCoordinate(rows[row].texel, texH)};
            vertex.color = color;
        }
    }
    int indices[54];
    int indexCount = 0;
    for (int row = 0; row + 1 < rowCount; ++row) {
        for (int column = 0; column + 1 < columnCount; ++column) {
            const int topLeft = row * columnCount + column, bottomLeft = topLeft + columnCount;
            for (int index : {topLeft, topLeft + 1, bottomLeft + 1, topLeft, bottomLeft + 1, bottomLeft}) {
                indices[indexCount++] = index;
            }
        }
    }
    // The vertex colour carries the modulation; the texture's own is lifted so it is not applied twice.
    SDL_SetTextureColorMod(texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(texture, 255);
    const int result = SDL_RenderGeometry(renderer, texture, vertices, rowCount * columnCount, indices, indexCount);
    SDL_SetTextureColorMod(texture, color.r, color.g, color.b);
    SDL_SetTextureAlphaMod(texture, color.a);
    return result;
}

// Where a draw of the source rectangle lands and turns; false (reported once) when it lies beyond any screen.
bool PlaceDraw(const TFloatRect& source, float dstX, float dstY, float scaleX, float scaleY, float centreX,
               float centreY, SDL_FRect& dst, SDL_FPoint& pivot) {
    dst = {dstX, dstY, source.w * scaleX, source.h * scaleY};
    pivot = {centreX * scaleX, centreY * scaleY};
    if (IsDrawable(dst, pivot)) {
        return true;
    }
    if (!gReportedFarDraw) {
        gReportedFarDraw = true;
        TLogFile::Get()->Printf("texture drawn beyond any screen (%g, %g, %g x %g) skipped", static_cast<double>(dst.x),
                                static_cast<double>(dst.y), static_cast<double>(dst.w), static_cast<double>(dst.h));
    }
    return false;
}

} // namespace

int RenderCopyExFloat(SDL_Renderer* renderer, SDL_Texture* texture, const TFloatRect& source, float dstX, float dstY,
                      float scaleX, float scaleY, double angle, float centreX, float centreY, int flip) {
    SDL_FRect dst{};
    SDL_FPoint pivot{};
    if (renderer == nullptr || texture == nullptr ||
        !PlaceDraw(source, dstX, dstY, scaleX, scaleY, centreX, centreY, dst, pivot)) {
        return -1;
    }
    if (!IsWholeRect(source)) {
        const TQuadFrame frame{dst, pivot, static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
        return DrawAsTriangles(renderer, texture, source, frame, flip);
    }
    const SDL_Rect src{static_cast<int>(source.x), static_cast<int>(source.y), static_cast<int>(source.w),
                       static_cast<int>(source.h)};
    return SDL_RenderCopyExF(renderer, texture, &src, &dst, ToDegrees(angle), &pivot,
                             static_cast<SDL_RendererFlip>(flip));
}

int RenderCopyStretchedFloat(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect& texels,
                             const TFloatRect& source, float dstX, float dstY, float scaleX, float scaleY, double angle,
                             float centreX, float centreY, int flip) {
    SDL_FRect dst{};
    SDL_FPoint pivot{};
    if (renderer == nullptr || texture == nullptr ||
        !PlaceDraw(source, dstX, dstY, scaleX, scaleY, centreX, centreY, dst, pivot)) {
        return -1;
    }
    return SDL_RenderCopyExF(renderer, texture, &texels, &dst, ToDegrees(angle), &pivot,
                             static_cast<SDL_RendererFlip>(flip));
}

void CopyDrawModes(SDL_Texture* from, SDL_Texture* to) {
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    Uint8 r = 255, g = 255, b = 255, alpha = 255;
    SDL_GetTextureBlendMode(from, &blend);
    SDL_GetTextureColorMod(from, &r, &g, &b);
    SDL_GetTextureAlphaMod(from, &alpha);
    SDL_SetTextureBlendMode(to, blend);
    SDL_SetTextureColorMod(to, r, g, b);
    SDL_SetTextureAlphaMod(to, alpha);
}
