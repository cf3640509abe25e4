#pragma once
// The drawn part of one board cell: its tile, the reward overlay and the stroke number, over the cell
// that the board's rules keep. Boards of other kinds derive their own cells.

#include "app/color.h"
#include "board/mosaic_numbers.h"
#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "rules/mosaic_cell.h"

class TBaseBuffer;
struct TTile;

class MosaicItem_t {
public:
    static constexpr const char* kRewardOverlay = "textures/items/rewardover";
    // The stroke number's frame, below the cell's top edge.
    static constexpr int kDragNumberOffsetY = 10;
    static constexpr int kDragNumberWidth = 40;
    static constexpr int kDragNumberHeight = 20;
    static constexpr int kDeveloperMarkSize = 6;
    static constexpr int kSparkSize = 16;

    // The cell must outlive the item; the painter draws its stroke number.
    MosaicItem_t(const TMosaicCell& cell, const TNumberPainter& numbers);
    virtual ~MosaicItem_t() = default;
    MosaicItem_t(const MosaicItem_t&) = delete;
    MosaicItem_t& operator=(const MosaicItem_t&) = delete;

    const TMosaicCell& GetCell() const { return *mCell; }
    virtual bool IsSolved() const { return mCell->IsSolved(); }

    // The tile the cell shows (null: none, nothing is drawn).
    void SetTile(const TTile* tile);
    const TTile* GetTile() const { return mTile; }

    // The over-colour of the tile shown: index -1 takes the colour table's entry named by the tile's
    // sprite, any other that base colour (the first one beyond the list). Nothing draws it.
    virtual void SetOverColor();

    // The saved values of a cell: the player value (int32) and the visible flag (one byte).
    struct TSavedCell {
        int player = 0;
        bool visible = false;
    };
    virtual void Write(TBaseBuffer& buffer) const;
    virtual TSavedCell Read(TBaseBuffer& buffer) const;

    // Advances the fade; false while the cell lives.
    virtual bool Update(float seconds);
    // Tile, then the reward overlay of a hidden reward cell painted right, then the stroke number; every
    // alpha is multiplied by the fade.
    virtual void Draw(float alpha);
    virtual void DrawOverlay(float alpha);
    // A red outline from the cell's centre while the spark flag is set.
    virtual void DrawSpark(float alpha);

    // What the rules tell the cell; nothing to do for a plain cell.
    virtual void OnColourSet() {}
    virtual void OnLayoutSolved() {}
    virtual void OnRunCompleted() {}

    StaticImage mTileImage;
    // Named "rewardover" for hidden reward cells, empty otherwise.
    StaticImage mOverlayImage;
    // Rests at 1.
    IncValue mFade;
    // Nothing in the game sets it; the developer view draws it.
    bool mSpark = false;
    // The developer view marks the hidden reward cells.
    bool mDeveloperMark = false;
    // Set by the board at load: the base colour of the cell's colour tile, -1 = by the tile's sprite.
    int mOverColourIndex = -1;
    TColor mOverColour;

private:
    const TMosaicCell* mCell;
    const TNumberPainter* mNumbers;
    const TTile* mTile = nullptr;
};
