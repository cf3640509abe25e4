#include "mosaic_item.h"

#include "tilesets.h"

MosaicItem_t::MosaicItem_t(const TMosaicCell& cell, const TNumberPainter& numbers) : mCell(&cell), mNumbers(&numbers) {
    const auto x = static_cast<float>(cell.x);
    const auto y = static_cast<float>(cell.y);
    mTileImage.SetPosition(x, y, false);
    mOverlayImage.SetPosition(x, y, false);
    if (cell.hiddenReward) {
        mOverlayImage.SetImage(kRewardOverlay);
    }
    mFade.SetValue(1.0f);
}

void MosaicItem_t::SetTile(const TTile* tile) {
    // Taken again on every call: the tile's texture comes and goes with its tileset.
    mTile = tile;
    if (tile != nullptr) {
        mTileImage.CopyTexture(tile->mImage);
    } else {
        mTileImage.mTexture.Reset();
    }
}

bool MosaicItem_t::Update(float seconds) {
    if (mFade.running) {
        mFade.Update(seconds);
    }
    return false;
}

void MosaicItem_t::Draw(float alpha) {
    const float faded = alpha * mFade.current;
    mTileImage.mAlpha = faded;
    mTileImage.Draw(1.0f);
    if (mCell->hiddenReward && IsSolved()) {
        DrawOverlay(alpha);
    }
    if (mCell->dragNumber > 0) {
        mNumbers->Draw(mCell->dragNumber,
                       {mCell->x, mCell->y + kDragNumberOffsetY, kDragNumberWidth, kDragNumberHeight}, faded);
    }
}

void MosaicItem_t::DrawOverlay(float alpha) {
    mOverlayImage.mAlpha = alpha * mFade.current;
    mOverlayImage.Draw(1.0f);
}
