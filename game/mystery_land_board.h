#pragma once
// A board whose coloured cells lie over a picture named by its layout file: a painted cell shows its own
// part of the picture, a cell not painted shows its tile over it. The layout's plain images make the
// scene: those with "z" -1 stretched under the grid, the others over it, the last of them the picture.
// The picture board builds on it.

#include <memory>
#include <string>
#include <vector>

#include "mosaic_layout.h"

struct TTile;

class MysteryMosaicItem_t : public MosaicItem_t {
public:
    // The cell's part of the picture: its column and row times the cell size.
    struct TPicturePart {
        int x = 0;
        int y = 0;
        int w = 0;
        int h = 0;
    };

    MysteryMosaicItem_t(const TMosaicCell& cell, const TNumberPainter& numbers, int cellWidth, int cellHeight);

    // Shares the picture's texture (null: the cell shows no picture part).
    void SetPicture(const StaticImage* picture);
    bool HasPicture() const { return mHasPicture; }
    const TPicturePart& GetPicturePart() const { return mPart; }
    // The tile drawn over the picture part; null for none.
    void SetOverlayTile(const TTile* tile);
    bool HasOverlayTile() const { return mHasOverlay; }

    // The picture part, then the reward overlay of a hidden reward cell painted right.
    void Draw(float alpha) override;
    // The tile overlay, then the stroke number.
    void DrawOverlay(float alpha) override;
    void DrawSpark(float /*alpha*/) override {}

protected:
    void DrawTileOverlay(float alpha);
    void DrawDragNumber(float alpha);

    StaticImage mPicturePart;
    StaticImage mTileOverlay;
    bool mHasPicture = false;
    bool mHasOverlay = false;

private:
    TPicturePart mPart;
    const TNumberPainter* mNumbers;
};

class MosaicLayoutMysteryLand_t : public MosaicLayout_t {
public:
    // A scene image and its "z" (-1 under the grid, 0 drawn over it, any other loaded but not drawn).
    struct TSceneImage {
        StaticImage image;
        int z = 0;
    };

    MosaicLayoutMysteryLand_t();

    // The grid, then the scene of the same file.
    bool Load(const std::string& file, bool singleColour) override;
    void DrawCells() override;

    const std::vector<std::unique_ptr<TSceneImage>>& GetSceneUnder() const { return mSceneUnder; }
    const std::vector<std::unique_ptr<TSceneImage>>& GetSceneOver() const { return mSceneOver; }
    // The last plain image over the grid; null when there is none.
    const StaticImage* GetPicture() const;

protected:
    std::unique_ptr<MosaicItem_t> CreateCell(const TMosaicCell& cell) override;
    // The tile over a cell showing this value: none over a colour, else the tileset's tile of the value.
    virtual const TTile* OverlayTileFor(int value) const;

private:
    void LoadScene(const std::string& file);
    void AfterLoad();

    std::vector<std::unique_ptr<TSceneImage>> mSceneUnder;
    std::vector<std::unique_ptr<TSceneImage>> mSceneOver;
};
