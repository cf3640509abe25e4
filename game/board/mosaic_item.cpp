#include "mosaic_item.h"

#include "app/buffer.h"
#include "app/renderer.h"
#include "data/game_settings.h"
#include "data/tilesets.h"

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
    const bool changed = tile != mTile;
    mTile = tile;
    if (changed) {
        SetOverColor();
    }
    if (tile != nullptr) {
        mTileImage.CopyTexture(tile->mImage);
    } else {
        mTileImage.mTexture.Reset();
    }
}

void MosaicItem_t::SetOverColor() {
    const TMosaicColorTable& table = TMosaicColorTable::Get();
    mOverColour = mOverColourIndex == -1 ? table.GetColorById(mTile != nullptr ? mTile->mSprite : "")
                                         : table.GetColorByIndex(mOverColourIndex);
}

void MosaicItem_t::Write(TBaseBuffer& buffer) const {
    buffer.WriteInt32(mCell->player);
    buffer.WriteByte(mCell->visible ? 1 : 0);
}

MosaicItem_t::TSavedCell MosaicItem_t::Read(TBaseBuffer& buffer) const {
    TSavedCell saved;
    saved.player = buffer.ReadInt32();
    saved.visible = buffer.ReadByte() != 0;
    return saved;
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
    if ((mCell->hiddenReward && IsSolved()) || mDeveloperMark) {
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
    if (mDeveloperMark && mCell->x >= 0 && mCell->y >= 0) {
        if (TRenderer* renderer = GetRenderer()) {
            renderer->FillRect(mCell->x, mCell->y, kDeveloperMarkSize, kDeveloperMarkSize, TColor{0, 0, 1, 1});
        }
    }
}

void MosaicItem_t::DrawSpark(float /*alpha*/) {
    if (mSpark) {
        DrawRectFrame(mCell->x + mCell->w / 2, mCell->y + mCell->h / 2, kSparkSize, kSparkSize, TColor{1, 0, 0, 1});
    }
}
