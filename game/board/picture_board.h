#pragma once
// The board of the picture levels: every cell shows its tile over its part of the picture, painted or
// not. When the puzzle is solved every tile fades out over two seconds, revealing the picture; the level
// counts as solved only after one more button release on the board, or a minute later.

#include "board/mystery_land_board.h"
#include "graphics/inc_value.h"

class MosaicItemShowImage_t : public MysteryMosaicItem_t {
public:
    static constexpr float kRevealSeconds = 2.0f;

    MosaicItemShowImage_t(const TMosaicCell& cell, const TNumberPainter& numbers, int cellWidth, int cellHeight);

    bool Update(float seconds) override;
    // The tile at the overlay fade, the reward overlay, then the stroke number.
    void DrawOverlay(float alpha) override;
    void OnColourSet() override {}
    void OnLayoutSolved() override;
    void OnRunCompleted() override {}

    // Rests at 1; runs to 0 once the puzzle is solved.
    IncValue mOverlayFade;
};

class MosaicLayoutShowImage_t : public MosaicLayoutMysteryLand_t {
public:
    static constexpr float kCompletionSeconds = 60.0f;

    MosaicLayoutShowImage_t();

    // Every run done and then a release or the minute.
    bool IsSolved() override;
    bool IsCompleted() const { return mCompleted; }
    const IncValue& GetCompletionTimer() const { return mCompletionTimer; }

    // A new level starts playing: not completed, the timer at rest.
    bool LoadSource(const TXmlSource& source, bool singleColour) override;
    // Play starts: the generators run, not completed, the timer at rest.
    void ResetSelection() override;
    // Before the solve a stroke's release; after it, the release that completes the level.
    using MosaicLayoutMysteryLand_t::OnMouseUp;
    bool OnMouseUp(int x, int y, int button) override;
    bool Update(float seconds) override;
    bool GetHighlightLines() const override;
    bool GetShowHoverMark() const override;

protected:
    std::unique_ptr<MosaicItem_t> CreateCell(const TMosaicCell& cell) override;
    const TTile* OverlayTileFor(int value) const override;
    void OnLayoutSolved() override;

private:
    void Complete();

    bool mCompleted = false;
    IncValue mCompletionTimer;
};
