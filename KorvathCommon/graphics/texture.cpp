#include "graphics/texture.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/display_modes.h"
#include "app/frame_clear.h"
#include "app/renderer.h"
#include "graphics/draw_notes.h"
#include "graphics/render_copy.h"
#include "graphics/texture_opaque.h"

bool gBuildAlphaMaps = true;
bool gBuildColorMaps = false;

namespace {

uint64_t gLastSerial = 0;

// A colour or alpha factor 0..1 as a modulation byte: truncated, clamped, NaN gives 0.
Uint8 ToModByte(float value) {
    const float scaled = value * 255.0f;
    if (!(scaled > 0.0f)) {
        return 0;
    }
    return scaled >= 255.0f ? 255 : static_cast<Uint8>(scaled);
}

SDL_BlendMode ToSDLBlend(int blend) {
    switch (blend) {
    case TRenderState::kBlendAlpha:
        return SDL_BLENDMODE_BLEND;
    case TRenderState::kBlendAdd:
        return SDL_BLENDMODE_ADD;
    case TRenderState::kBlendModulate:
        return SDL_BLENDMODE_MOD;
    default:
        return SDL_BLENDMODE_NONE;
    }
}

// Alpha blending a picture without an alpha channel at full alpha gives the picture's own pixels, which
// SDL's software renderer copies many times faster than it blends them (a full screen: 0.5 ms against
// 10 ms), so such a draw is made as a copy.
// The same holds for a picture whose alpha channel is opaque everywhere (not when the frame is drawn the
// plain way, for the comparison).
SDL_BlendMode BlendForDraw(SDL_Texture* texture, SDL_BlendMode blend, Uint8 alpha) {
    Uint32 format = 0;
    if (blend != SDL_BLENDMODE_BLEND || alpha != 255 ||
        SDL_QueryTexture(texture, &format, nullptr, nullptr, nullptr) != 0) {
        return blend;
    }
    SDL_Rect box{};
    const bool opaque = !SDL_ISPIXELFORMAT_ALPHA(format) ||
                        (AreDrawShortcutsOn() && GetTranslucentBox(texture, box) && SDL_RectEmpty(&box));
    return opaque ? SDL_BLENDMODE_NONE : blend;
}

bool IsBlended(SDL_Texture* texture) {
    SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
    return SDL_GetTextureBlendMode(texture, &blend) != 0 || blend != SDL_BLENDMODE_NONE;
}

// A draw that lands on its whole destination rectangle: unrotated, unflipped, whole texels.
bool IsPlainCopy(const TFloatRect& source, float angle, int flip) {
    return angle == 0.0f && flip == SDL_FLIP_NONE && source.x == std::floor(source.x) &&
           source.y == std::floor(source.y) && source.w == std::floor(source.w) && source.h == std::floor(source.h);
}

// The frame's first draw, a picture over the whole picture area that blends only inside a small box of
// translucent pixels (the screens' backgrounds): copied, then the box filled black and blended again,
// which gives the pixels of a clear and a blended draw for a small part of their cost. Only unscaled,
// at whole pixels, where the copy and the box's draw land on the same pixels. False when not taken.
bool DrawOverClearedFrame(SDL_Texture* texture, const TFloatRect& source, const TFloatRect& cover,
                          const TRenderState& state, int flip) {
    SDL_Renderer* renderer = GetSDLRenderer();
    float renderScaleX = 0, renderScaleY = 0;
    SDL_RenderGetScale(renderer, &renderScaleX, &renderScaleY);
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_Rect box{};
    int width = 0, height = 0;
    if (!AreDrawShortcutsOn() || SDL_GetTextureBlendMode(texture, &blend) != 0 || blend != SDL_BLENDMODE_BLEND ||
        !IsPlainCopy(source, state.angle, flip) || state.GetScaleX() != 1.0f || state.GetScaleY() != 1.0f ||
        renderScaleX != 1.0f || renderScaleY != 1.0f || cover.x != std::floor(cover.x) ||
        cover.y != std::floor(cover.y) || SDL_QueryTexture(texture, nullptr, nullptr, &width, &height) != 0 ||
        source.x != 0 || source.y != 0 || source.w != static_cast<float>(width) ||
        source.h != static_cast<float>(height) || !GetTranslucentBox(texture, box) || SDL_RectEmpty(&box) ||
        2 * box.w * box.h > width * height || !TakeFrameCover(cover)) {
        return false;
    }
    Uint8 alpha = 255;
    SDL_GetTextureAlphaMod(texture, &alpha);
    if (alpha != 255) {
        return false;
    }
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    BeforeDraw(TDrawCall{&cover, false, true});
    RenderCopyExFloat(renderer, texture, source, cover.x, cover.y, 1.0f, 1.0f, 0.0, 0.0f, 0.0f, SDL_FLIP_NONE);
    const TFloatRect hole{cover.x + static_cast<float>(box.x), cover.y + static_cast<float>(box.y),
                          static_cast<float>(box.w), static_cast<float>(box.h)};
    FillFrameBlack(hole);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    BeforeDraw(TDrawCall{&hole, true, true});
    const TFloatRect boxSource{static_cast<float>(box.x), static_cast<float>(box.y), hole.w, hole.h};
    RenderCopyExFloat(renderer, texture, boxSource, hole.x, hole.y, 1.0f, 1.0f, 0.0, 0.0f, 0.0f, SDL_FLIP_NONE);
    return true;
}

// The whole picture (its source the entire texture), unrotated, unflipped and unscaled at a render scale of
// 1, with the drawing shortcuts on: the case each shortcut below starts from. Gives the texture's size.
bool IsWholeUnscaledCopy(SDL_Texture* texture, const TFloatRect& source, const TRenderState& state, int flip,
                         int& width, int& height) {
    float renderScaleX = 0, renderScaleY = 0;
    SDL_RenderGetScale(GetSDLRenderer(), &renderScaleX, &renderScaleY);
    return AreDrawShortcutsOn() && IsPlainCopy(source, state.angle, flip) && state.GetScaleX() == 1.0f &&
           state.GetScaleY() == 1.0f && renderScaleX == 1.0f && renderScaleY == 1.0f &&
           SDL_QueryTexture(texture, nullptr, nullptr, &width, &height) == 0 && source.x == 0 && source.y == 0 &&
           source.w == static_cast<float>(width) && source.h == static_cast<float>(height);
}

// A picture opaque inside a rectangle and clear outside it (the board's tiles), drawn whole at full
// alpha, unscaled and at whole pixels: blending leaves the clear pixels as they were and puts the opaque
// ones down as they are, so copying the rectangle alone gives the same pixels for less. False when not
// taken.
bool DrawOpaqueCore(SDL_Texture* texture, const TFloatRect& source, const TFloatRect& cover, const TRenderState& state,
                    int flip) {
    SDL_Renderer* renderer = GetSDLRenderer();
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    Uint8 alpha = 0;
    SDL_Rect core{};
    int width = 0, height = 0;
    if (!IsWholeUnscaledCopy(texture, source, state, flip, width, height) ||
        SDL_GetTextureBlendMode(texture, &blend) != 0 || blend != SDL_BLENDMODE_BLEND ||
        SDL_GetTextureAlphaMod(texture, &alpha) != 0 || alpha != 255 || cover.x != std::floor(cover.x) ||
        cover.y != std::floor(cover.y) || !GetOpaqueCore(texture, core)) {
        return false;
    }
    const TFloatRect coreCover{cover.x + static_cast<float>(core.x), cover.y + static_cast<float>(core.y),
                               static_cast<float>(core.w), static_cast<float>(core.h)};
    const TFloatRect coreSource{static_cast<float>(core.x), static_cast<float>(core.y), coreCover.w, coreCover.h};
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    BeforeDraw(TDrawCall{&coreCover, false, true});
    RenderCopyExFloat(renderer, texture, coreSource, coreCover.x, coreCover.y, 1.0f, 1.0f, 0.0, 0.0f, 0.0f,
                      SDL_FLIP_NONE);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    return true;
}

// A picture with a clear middle (a frame), blended or added unscaled at whole pixels: its clear pixels
// leave the output as it was, so drawing the bands around the middle alone gives the same pixels
// without walking the middle. False when not taken.
bool DrawAroundClearHole(SDL_Texture* texture, const TFloatRect& source, const TFloatRect& cover,
                         const TRenderState& state, int flip) {
    SDL_Renderer* renderer = GetSDLRenderer();
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_Rect hole{};
    int width = 0, height = 0;
    if (!IsWholeUnscaledCopy(texture, source, state, flip, width, height) ||
        SDL_GetTextureBlendMode(texture, &blend) != 0 || (blend != SDL_BLENDMODE_BLEND && blend != SDL_BLENDMODE_ADD) ||
        cover.x != std::floor(cover.x) || cover.y != std::floor(cover.y) || !GetClearHole(texture, hole)) {
        return false;
    }
    const int right = hole.x + hole.w;
    const int bottom = hole.y + hole.h;
    const SDL_Rect bands[4] = {{0, 0, width, hole.y},
                               {0, bottom, width, height - bottom},
                               {0, hole.y, hole.x, hole.h},
                               {right, hole.y, width - right, hole.h}};
    for (const SDL_Rect& band : bands) {
        if (band.w <= 0 || band.h <= 0) {
            continue;
        }
        const TFloatRect bandCover{cover.x + static_cast<float>(band.x), cover.y + static_cast<float>(band.y),
                                   static_cast<float>(band.w), static_cast<float>(band.h)};
        const TFloatRect bandSource{static_cast<float>(band.x), static_cast<float>(band.y), bandCover.w, bandCover.h};
        BeforeDraw(TDrawCall{&bandCover, true, true});
        RenderCopyExFloat(renderer, texture, bandSource, bandCover.x, bandCover.y, 1.0f, 1.0f, 0.0, 0.0f, 0.0f,
                          SDL_FLIP_NONE);
    }
    return true;
}

// A picture whose pixels outside a box are fully clear (a cloud in a wide strip), blended or added at
// scale 1 without rotation: the clear pixels leave the output as it was, so the box alone is drawn. The
// software renderer puts a picture at its position truncated to whole pixels; the box goes at that
// truncated position plus its offset, where the whole picture's draw puts those pixels. False when not
// taken.
bool DrawVisibleBox(SDL_Texture* texture, const TFloatRect& source, const TFloatRect& cover, const TRenderState& state,
                    int flip) {
    SDL_Renderer* renderer = GetSDLRenderer();
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_Rect box{};
    int width = 0, height = 0;
    constexpr float kLimit = 1e8f;
    SDL_Rect viewport{};
    SDL_RenderGetViewport(renderer, &viewport);
    if (!IsWholeUnscaledCopy(texture, source, state, flip, width, height) || viewport.x != 0 || viewport.y != 0 ||
        SDL_GetTextureBlendMode(texture, &blend) != 0 || (blend != SDL_BLENDMODE_BLEND && blend != SDL_BLENDMODE_ADD) ||
        !(std::fabs(cover.x) < kLimit && std::fabs(cover.y) < kLimit) || !GetVisibleBox(texture, box)) {
        return false;
    }
    const TFloatRect boxCover{std::trunc(cover.x) + static_cast<float>(box.x),
                              std::trunc(cover.y) + static_cast<float>(box.y), static_cast<float>(box.w),
                              static_cast<float>(box.h)};
    const TFloatRect boxSource{static_cast<float>(box.x), static_cast<float>(box.y), boxCover.w, boxCover.h};
    BeforeDraw(TDrawCall{&boxCover, true, true});
    RenderCopyExFloat(renderer, texture, boxSource, boxCover.x, boxCover.y, 1.0f, 1.0f, 0.0, 0.0f, 0.0f, SDL_FLIP_NONE);
    return true;
}

} // namespace

TTexture::TTexture(const std::string& name) {
    LoadImage(name);
}

TTexture::TTexture(const std::string& colorName, const std::string& maskName, bool bothRequired) {
    LoadMaskedImage(colorName, maskName, bothRequired);
}

TTexture::~TTexture() {
    if (mScaled.texture != nullptr) {
        ForgetTranslucentBox(mScaled.texture);
        SDL_DestroyTexture(mScaled.texture);
    }
    if (mTexture != nullptr) {
        ForgetTranslucentBox(mTexture);
        SDL_DestroyTexture(mTexture);
    }
}

// Colour, blend and alpha modulation of a draw; false when the draw shows nothing.
bool TTexture::ApplyState(const TRenderState& state) {
    if (mTexture == nullptr || !(state.alpha > 0.0f)) {
        return false;
    }
    SDL_SetTextureColorMod(mTexture, ToModByte(state.color.r), ToModByte(state.color.g), ToModByte(state.color.b));
    const Uint8 alpha = ToModByte(state.alpha);
    SDL_SetTextureBlendMode(mTexture, BlendForDraw(mTexture, ToSDLBlend(state.blend), alpha));
    SDL_SetTextureAlphaMod(mTexture, alpha);
    return true;
}

void TTexture::NoteContentChanged() {
    mSerial = ++gLastSerial;
}

void TTexture::DrawTriangles(const SDL_Vertex* vertices, int count, const TRenderState& state) {
    if (vertices == nullptr || count < 3 || mTexture == nullptr || !(state.alpha > 0.0f) ||
        NoteTriangles(*this, vertices, count, state) || !ApplyState(state)) {
        return;
    }
    BeforeDraw(TDrawCall{nullptr, IsBlended(mTexture), false});
    SDL_RenderGeometry(GetSDLRenderer(), mTexture, vertices, count, nullptr, 0);
}

void TTexture::Draw(const TRenderState& state) {
    if (mTexture == nullptr || !(state.alpha > 0.0f) || NoteTextureDraw(*this, state) || !ApplyState(state)) {
        return;
    }
    TFloatRect source{0, 0, static_cast<float>(mWidth), static_cast<float>(mHeight)};
    if ((state.flags & TRenderState::kSourceRect) != 0) {
        source = {state.srcX, state.srcY, state.srcW, state.srcH};
    }
    int flip = SDL_FLIP_NONE;
    if ((state.flags & TRenderState::kFlipHorizontal) != 0) {
        flip |= SDL_FLIP_HORIZONTAL;
    }
    if ((state.flags & TRenderState::kFlipVertical) != 0) {
        flip |= SDL_FLIP_VERTICAL;
    }
    const TFloatRect cover{state.GetTranslationX(), state.GetTranslationY(), source.w * state.GetScaleX(),
                           source.h * state.GetScaleY()};
    float centreX = 0, centreY = 0;
    if ((state.flags & TRenderState::kCentre) != 0) {
        centreX = state.centreX;
        centreY = state.centreY;
    }
    if (mStripRows > 0) {
        DrawStrip(state, source, centreX, centreY, flip);
        return;
    }
    if (DrawOverClearedFrame(mTexture, source, cover, state, flip) ||
        DrawOpaqueCore(mTexture, source, cover, state, flip) ||
        DrawAroundClearHole(mTexture, source, cover, state, flip) ||
        DrawVisibleBox(mTexture, source, cover, state, flip)) {
        return;
    }
    if (state.angle == 0.0f && flip == SDL_FLIP_NONE && IsPlainCopy(source, state.angle, flip) &&
        DrawKeptScaled(state, static_cast<int>(source.x), static_cast<int>(source.y), static_cast<int>(source.w),
                       static_cast<int>(source.h))) {
        return;
    }
    BeforeDraw(TDrawCall{&cover, IsBlended(mTexture), IsPlainCopy(source, state.angle, flip)});
    RenderCopyExFloat(GetSDLRenderer(), mTexture, source, state.GetTranslationX(), state.GetTranslationY(),
                      state.GetScaleX(), state.GetScaleY(), state.angle, centreX, centreY, flip);
}

// A picture kept as a strip of its rows, drawn where and how the whole picture would be. When SDL would copy
// the whole picture unscaled (its rectangle, times the render scale and truncated, the source's size), the
// strip is copied band after band over the same output rows, unscaled too; otherwise it is stretched over
// the same rectangle, which SDL then scales as it would the whole picture, and every sample of one colour
// is that colour. A strip exactly the rectangle's height would be copied unscaled, so one row less of it
// is stretched then. Parts at fractional texels are stretched too (the shadows are drawn whole).
void TTexture::DrawStrip(const TRenderState& state, const TFloatRect& source, float centreX, float centreY, int flip) {
    SDL_Renderer* renderer = GetSDLRenderer();
    float renderScaleX = 0, renderScaleY = 0;
    SDL_RenderGetScale(renderer, &renderScaleX, &renderScaleY);
    const float x = state.GetTranslationX();
    const float y = state.GetTranslationY();
    const float w = source.w * state.GetScaleX();
    const float h = source.h * state.GetScaleY();
    const TFloatRect cover{x, y, w, h};
    const bool scaled = renderScaleX != 1.0f || renderScaleY != 1.0f;
    const SDL_Rect place{
        static_cast<int>(scaled ? x * renderScaleX : x), static_cast<int>(scaled ? y * renderScaleY : y),
        static_cast<int>(scaled ? w * renderScaleX : w), static_cast<int>(scaled ? h * renderScaleY : h)};
    constexpr float kLimit = 1e8f;
    const bool inRange = std::fabs(x * renderScaleX) < kLimit && std::fabs(y * renderScaleY) < kLimit &&
                         std::fabs(w * renderScaleX) < kLimit && std::fabs(h * renderScaleY) < kLimit;
    const bool blended = IsBlended(mTexture);
    if (inRange && IsPlainCopy(source, state.angle, flip) && place.w == static_cast<int>(source.w) &&
        place.h == static_cast<int>(source.h)) {
        BeforeDraw(TDrawCall{&cover, blended, true});
        // In output pixels, as SDL puts the whole picture's copy; the viewport and the clip are kept in them.
        SDL_RenderSetScale(renderer, 1.0f, 1.0f);
        for (int top = 0; top < place.h; top += mStripRows) {
            if (top > 0) {
                BeforeDraw(TDrawCall{nullptr, blended, true});
            }
            const int rows = std::min(mStripRows, place.h - top);
            const SDL_Rect texels{static_cast<int>(source.x), 0, place.w, rows};
            const SDL_Rect band{place.x, place.y + top, place.w, rows};
            SDL_RenderCopy(renderer, mTexture, &texels, &band);
        }
        SDL_RenderSetScale(renderer, renderScaleX, renderScaleY);
        return;
    }
    const int stripRows = place.h == mStripRows ? mStripRows - 1 : mStripRows;
    const SDL_Rect texels{static_cast<int>(source.x), 0, std::max(1, static_cast<int>(source.w)), stripRows};
    BeforeDraw(TDrawCall{&cover, blended, IsPlainCopy(source, state.angle, flip)});
    RenderCopyStretchedFloat(renderer, mTexture, texels, source, x, y, state.GetScaleX(), state.GetScaleY(),
                             state.angle, centreX, centreY, flip);
}

// A scaled draw that crosses an edge of its target: SDL's software renderer scales the whole picture into
// a new surface of the draw's size and blends that, cut to the target, every time (the clouds' strips at a
// scaled output). The scaled picture is kept instead, made by the same scaling, and blended unscaled at
// the same whole-pixel place: the same pixels without the allocation and the scaling. Only where that
// place is known exactly: the viewport of the frame's view (no moved viewport, no extra factor).
bool TTexture::DrawKeptScaled(const TRenderState& state, int sourceX, int sourceY, int sourceW, int sourceH) {
    SDL_Renderer* renderer = GetSDLRenderer();
    const TRenderer* record = GetRenderer();
    const TViewTransform& view = GetDisplay().mView;
    float scaleX = 0, scaleY = 0;
    SDL_RenderGetScale(renderer, &scaleX, &scaleY);
    int targetW = 0, targetH = 0;
    if (!AreDrawShortcutsOn() || record == nullptr || record->GetViewportOffsetX() != 0 ||
        record->GetViewportOffsetY() != 0 || scaleX != view.scale || scaleY != view.scale || sourceX < 0 ||
        sourceY < 0 || sourceX + sourceW > mWidth || sourceY + sourceH > mHeight ||
        SDL_GetRendererOutputSize(renderer, &targetW, &targetH) != 0) {
        return false;
    }
    // Where SDL puts the draw: its rectangle times the render scale, each number truncated, then moved by
    // the viewport.
    const float x = state.GetTranslationX();
    const float y = state.GetTranslationY();
    const float w = static_cast<float>(sourceW) * state.GetScaleX();
    const float h = static_cast<float>(sourceH) * state.GetScaleY();
    const SDL_Rect place{static_cast<int>(x * scaleX), static_cast<int>(y * scaleY), static_cast<int>(w * scaleX),
                         static_cast<int>(h * scaleY)};
    const bool known = view.width > 0 && view.height > 0;
    const int left = place.x + (known ? view.offsetX : 0);
    const int top = place.y + (known ? view.offsetY : 0);
    constexpr float kLimit = 1e8f;
    if (!(std::fabs(x * scaleX) < kLimit && std::fabs(y * scaleY) < kLimit && w * scaleX < kLimit &&
          h * scaleY < kLimit) ||
        place.w <= 0 || place.h <= 0 || (place.w == sourceW && place.h == sourceH) ||
        (left >= 0 && top >= 0 && left + place.w <= targetW && top + place.h <= targetH)) {
        return false;
    }
    const bool kept = mScaled.texture != nullptr && mScaled.serial == mSerial && mScaled.sourceX == sourceX &&
                      mScaled.sourceY == sourceY && mScaled.sourceW == sourceW && mScaled.sourceH == sourceH &&
                      mScaled.width == place.w && mScaled.height == place.h;
    if (!kept && !MakeScaledCopy(sourceX, sourceY, sourceW, sourceH, place.w, place.h)) {
        return false;
    }
    CopyDrawModes(mTexture, mScaled.texture);
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_GetTextureBlendMode(mScaled.texture, &blend);
    // Blended or added, the copy's fully clear pixels leave the output as it was: a copy clear outside a
    // box (a cloud in its strip) is drawn as the box alone, at the box's place in the whole copy's.
    SDL_Rect part{0, 0, place.w, place.h};
    TFloatRect cover{x, y, w, h};
    if ((blend == SDL_BLENDMODE_BLEND || blend == SDL_BLENDMODE_ADD) && GetVisibleBox(mScaled.texture, part)) {
        cover = {x + static_cast<float>(part.x) / scaleX, y + static_cast<float>(part.y) / scaleY,
                 static_cast<float>(part.w) / scaleX, static_cast<float>(part.h) / scaleY};
    }
    BeforeDraw(TDrawCall{&cover, blend != SDL_BLENDMODE_NONE, true});
    // In output pixels; the viewport and the clip are kept in them already.
    SDL_RenderSetScale(renderer, 1.0f, 1.0f);
    const SDL_FRect destination{static_cast<float>(place.x + part.x), static_cast<float>(place.y + part.y),
                                static_cast<float>(part.w), static_cast<float>(part.h)};
    SDL_RenderCopyF(renderer, mScaled.texture, &part, &destination);
    SDL_RenderSetScale(renderer, scaleX, scaleY);
    return true;
}

namespace {

// The boxes of a scaled copy just drawn, read from its pixels while it is the renderer's target.
void NoteScaledBoxes(SDL_Texture* scaled, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (SDL_RenderReadPixels(GetSDLRenderer(), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) != 0) {
        return;
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface != nullptr) {
        NoteTranslucentBox(scaled, *surface);
        SDL_FreeSurface(surface);
    }
}

} // namespace

// Made on the output, whose drawing state SDL gives back when the target is set back to it, or on a
// target at scale 1, whose viewport and clip read back exactly; elsewhere the draw goes the usual way.
bool TTexture::MakeScaledCopy(int sourceX, int sourceY, int sourceW, int sourceH, int width, int height) {
    SDL_Renderer* renderer = GetSDLRenderer();
    SDL_Texture* frameTarget = SDL_GetRenderTarget(renderer);
    float scaleX = 0, scaleY = 0;
    SDL_RenderGetScale(renderer, &scaleX, &scaleY);
    Uint32 format = 0;
    if ((frameTarget != nullptr && (scaleX != 1.0f || scaleY != 1.0f)) ||
        SDL_QueryTexture(mTexture, &format, nullptr, nullptr, nullptr) != 0) {
        return false;
    }
    SDL_Texture* scaled = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_TARGET, width, height);
    if (scaled == nullptr) {
        return false;
    }
    SDL_Rect viewport{}, clip{};
    SDL_RenderGetViewport(renderer, &viewport);
    const bool clipped = SDL_RenderIsClipEnabled(renderer) == SDL_TRUE;
    SDL_RenderGetClipRect(renderer, &clip);
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    Uint8 r = 255, g = 255, b = 255, alpha = 255;
    SDL_GetTextureBlendMode(mTexture, &blend);
    SDL_GetTextureColorMod(mTexture, &r, &g, &b);
    SDL_GetTextureAlphaMod(mTexture, &alpha);
    // The picture's own pixels, scaled as SDL scales them before it blends a draw over a target's edge.
    SDL_SetTextureBlendMode(mTexture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(mTexture, 255, 255, 255);
    SDL_SetTextureAlphaMod(mTexture, 255);
    const SDL_Rect source{sourceX, sourceY, sourceW, sourceH};
    const SDL_Rect whole{0, 0, width, height};
    const bool made =
        SDL_SetRenderTarget(renderer, scaled) == 0 && SDL_RenderCopy(renderer, mTexture, &source, &whole) == 0;
    if (made) {
        NoteScaledBoxes(scaled, width, height);
    }
    SDL_SetRenderTarget(renderer, frameTarget);
    if (frameTarget != nullptr) {
        SDL_RenderSetViewport(renderer, &viewport);
        SDL_RenderSetClipRect(renderer, clipped ? &clip : nullptr);
    }
    SDL_SetTextureBlendMode(mTexture, blend);
    SDL_SetTextureColorMod(mTexture, r, g, b);
    SDL_SetTextureAlphaMod(mTexture, alpha);
    if (!made) {
        ForgetTranslucentBox(scaled);
        SDL_DestroyTexture(scaled);
        return false;
    }
    if (mScaled.texture != nullptr) {
        ForgetTranslucentBox(mScaled.texture);
        SDL_DestroyTexture(mScaled.texture);
    }
    mScaled = TScaledCopy{scaled, mSerial, sourceX, sourceY, sourceW, sourceH, width, height};
    return true;
}

void TTexture::Blit(int x, int y, int left, int top, int right, int bottom, const TTextureHandle& source) {
    SDL_Renderer* renderer = GetSDLRenderer();
    if (renderer == nullptr || mTexture == nullptr || !source || source->GetSDLTexture() == nullptr || right <= left ||
        bottom <= top) {
        return;
    }
    int access = 0;
    if (SDL_QueryTexture(mTexture, nullptr, &access, nullptr, nullptr) != 0 || access != SDL_TEXTUREACCESS_TARGET) {
        return;
    }
    SDL_Texture* from = source->GetSDLTexture();
    SDL_BlendMode previousBlend = SDL_BLENDMODE_NONE;
    SDL_GetTextureBlendMode(from, &previousBlend);
    SDL_Texture* previousTarget = SDL_GetRenderTarget(renderer);
    SDL_SetRenderTarget(renderer, mTexture);
    SDL_SetTextureBlendMode(from, SDL_BLENDMODE_NONE);
    SDL_Rect src{left, top, right - left, bottom - top};
    const SDL_Rect dst{x, y, right - left, bottom - top};
    // A picture kept as a strip: its colour copied over the rectangle, as any part of the whole would be.
    const SDL_Rect picture{0, 0, source->mWidth, source->mHeight};
    if (source->mStripRows > 0) {
        src = SDL_HasIntersection(&src, &picture) == SDL_TRUE ? SDL_Rect{0, 0, source->mWidth, source->mStripRows}
                                                              : SDL_Rect{};
    }
    if (!SDL_RectEmpty(&src)) {
        SDL_RenderCopy(renderer, from, &src, &dst);
    }
    SDL_SetTextureBlendMode(from, previousBlend);
    SDL_SetRenderTarget(renderer, previousTarget);
    NoteContentChanged();
}

bool TTexture::Lock(uint32_t*& pixels, int& pitch) {
    if (mTexture == nullptr) {
        return false;
    }
    void* raw = nullptr;
    int bytesPitch = 0;
    if (SDL_LockTexture(mTexture, nullptr, &raw, &bytesPitch) != 0 || raw == nullptr) {
        return false;
    }
    mLockedPixels = static_cast<uint32_t*>(raw);
    pixels = mLockedPixels;
    pitch = static_cast<int>(static_cast<unsigned>(bytesPitch) / 4u);
    return true;
}

void TTexture::Unlock() {
    if (mLockedPixels == nullptr) {
        return;
    }
    mLockedPixels = nullptr;
    SDL_UnlockTexture(mTexture);
    NoteContentChanged();
}

uint8_t TTexture::GetAlphaAt(int x, int y) const {
    const long long index = static_cast<long long>(x) + static_cast<long long>(y) * mWidth;
    if (mOpaqueAlphaMap) {
        return index >= 0 && index < static_cast<long long>(mWidth) * mHeight ? 255 : 0;
    }
    if (index < 0 || index >= static_cast<long long>(mAlphaMap.size())) {
        return 0;
    }
    return mAlphaMap[static_cast<size_t>(index)];
}

bool TTexture::GetColorAt(int x, int y, TRgb& color) const {
    const long long index = static_cast<long long>(x) + static_cast<long long>(y) * mWidth;
    if (index < 0 || index >= static_cast<long long>(mColorMap.size())) {
        return false;
    }
    color = mColorMap[static_cast<size_t>(index)];
    return true;
}

// Adopts a created SDL texture and reads its size; false (nothing changed) for none.
bool TTexture::TakeTexture(SDL_Texture* texture) {
    if (texture == nullptr) {
        return false;
    }
    mTexture = texture;
    SDL_QueryTexture(mTexture, nullptr, nullptr, &mWidth, &mHeight);
    NoteContentChanged();
    return true;
}

bool TTexture::CreateBlank(int width, int height, int access, uint32_t format) {
    SDL_Renderer* renderer = GetSDLRenderer();
    if (mTexture != nullptr || renderer == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    int sdlAccess = SDL_TEXTUREACCESS_STATIC;
    if (access == kAccessStreaming) {
        sdlAccess = SDL_TEXTUREACCESS_STREAMING;
    } else if (access == kAccessTarget) {
        sdlAccess = SDL_TEXTUREACCESS_TARGET;
    }
    const Uint32 sdlFormat = format != 0 ? format : static_cast<Uint32>(SDL_PIXELFORMAT_ARGB8888);
    return TakeTexture(SDL_CreateTexture(renderer, sdlFormat, sdlAccess, width, height));
}

TTextureHandle CreateBlankTexture(int width, int height, int access, uint32_t format) {
    TTextureHandle handle(new TTexture());
    if (!handle->CreateBlank(width, height, access, format)) {
        handle.Reset();
    }
    return handle;
}
