#include "picture_board.h"

#include "data/tilesets.h"

MosaicItemShowImage_t::MosaicItemShowImage_t(const TMosaicCell& cell, const TNumberPainter& numbers, int cellWidth,
                                             int cellHeight)
    : MysteryMosaicItem_t(cell, numbers, cellWidth, cellHeight) {
    mOverlayFade.SetValue(1.0f);
}

bool MosaicItemShowImage_t::Update(float seconds) {
    if (mOverlayFade.running) {
        mOverlayFade.Update(seconds);
    }
    return false;
}

void MosaicItemShowImage_t::DrawOverlay(float alpha) {
    DrawTileOverlay(alpha * mOverlayFade.current);
    if ((GetCell().hiddenReward && IsSolved()) || mDeveloperMark) {
        MosaicItem_t::DrawOverlay(alpha);
    }
    DrawDragNumber(alpha);
}

void MosaicItemShowImage_t::OnLayoutSolved() {
    mOverlayFade.Set(1.0f, 0.0f, kRevealSeconds, true);
}

MosaicLayoutShowImage_t::MosaicLayoutShowImage_t() {
    GetBoard().SetGap(2);
    mCompletionTimer.SetValue(0.0f);
}

bool MosaicLayoutShowImage_t::LoadSource(const TXmlSource& source, bool singleColour) {
    if (!MosaicLayoutMysteryLand_t::LoadSource(source, singleColour)) {
        return false;
    }
    mCompleted = false;
    mCompletionTimer.SetValue(0.0f);
    return true;
}

void MosaicLayoutShowImage_t::ResetSelection() {
    MosaicLayoutMysteryLand_t::ResetSelection();
    mCompleted = false;
    mCompletionTimer.SetValue(0.0f);
}

bool MosaicLayoutShowImage_t::IsSolved() {
    return MosaicLayoutMysteryLand_t::IsSolved() && mCompleted;
}

bool MosaicLayoutShowImage_t::OnMouseUp(int x, int y, int button) {
    if (!GetBoard().IsSolvedFlagSet()) {
        return MosaicLayoutMysteryLand_t::OnMouseUp(x, y, button);
    }
    Complete();
    return true;
}

void MosaicLayoutShowImage_t::OnLayoutSolved() {
    MosaicLayoutMysteryLand_t::OnLayoutSolved();
    mCompletionTimer.Set(0.0f, 1.0f, kCompletionSeconds, true);
}

bool MosaicLayoutShowImage_t::Update(float seconds) {
    if (mCompletionTimer.running && mCompletionTimer.Update(seconds)) {
        Complete();
    }
    return MosaicLayoutMysteryLand_t::Update(seconds);
}

void MosaicLayoutShowImage_t::Complete() {
    mCompletionTimer.SetValue(0.0f);
    // Once only: a release after the minute, or a second release, tells the controller nothing new.
    if (mCompleted) {
        return;
    }
    mCompleted = true;
    OnCellsPainted(0);
}

bool MosaicLayoutShowImage_t::GetHighlightLines() const {
    return MosaicLayoutMysteryLand_t::GetHighlightLines() && !GetBoard().IsSolvedFlagSet();
}

bool MosaicLayoutShowImage_t::GetShowHoverMark() const {
    return !GetBoard().IsSolvedFlagSet();
}

std::unique_ptr<MosaicItem_t> MosaicLayoutShowImage_t::CreateCell(const TMosaicCell& cell) {
    const TGridGeometry& geometry = GetBoard().GetGeometry();
    return std::make_unique<MosaicItemShowImage_t>(cell, GetStrokeNumbers(), geometry.cellWidth, geometry.cellHeight);
}

const TTile* MosaicLayoutShowImage_t::OverlayTileFor(int value) const {
    const TTileset* tileset = GetTileset();
    return tileset == nullptr ? nullptr : tileset->GetTileForValue(value);
}
