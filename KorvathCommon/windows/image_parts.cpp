#include "windows/image_parts.h"

int TextureWidth(const StaticImage& image) {
    return image.mTexture ? image.mTexture->GetWidth() : 0;
}

int TextureHeight(const StaticImage& image) {
    return image.mTexture ? image.mTexture->GetHeight() : 0;
}

void SetSourceRect(StaticImage& image, const TWindowRect& rect) {
    TRenderState& state = image.mRenderState;
    state.flags |= TRenderState::kSourceRect;
    state.srcX = static_cast<float>(rect.x);
    state.srcY = static_cast<float>(rect.y);
    state.srcW = static_cast<float>(rect.w);
    state.srcH = static_cast<float>(rect.h);
}
