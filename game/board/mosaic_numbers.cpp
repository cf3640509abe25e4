#include "mosaic_numbers.h"

void TNumberPainter::Load() {
    mAtlas.SetImage(mAtlasName);
}

int TNumberPainter::GetFrameCount(int frameHeight) const {
    return mAtlas.mTexture && frameHeight > 0 ? mAtlas.mTexture->GetHeight() / frameHeight : 0;
}

int TNumberPainter::GetWidth() const {
    return mAtlas.mTexture ? mAtlas.mTexture->GetWidth() : 0;
}

void TNumberPainter::Draw(int value, const TPixelRect& frame, float alpha) const {
    if (value < 1 || value > GetFrameCount(frame.h) || frame.w > GetWidth() || !(alpha > 0.0f)) {
        return;
    }
    TRenderState& state = mAtlas.mRenderState;
    state.flags |= TRenderState::kSourceRect;
    state.srcX = 0.0f;
    state.srcY = static_cast<float>(frame.h * (value - 1));
    state.srcW = static_cast<float>(frame.w);
    state.srcH = static_cast<float>(frame.h);
    mAtlas.SetPosition(static_cast<float>(frame.x), static_cast<float>(frame.y), false);
    mAtlas.mAlpha = alpha;
    mAtlas.Draw(1.0f);
}
