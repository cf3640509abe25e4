#pragma once
// The 4 x 4 sliding-tile board: fifteen tiles and a gap. A tile next to the gap slides into it when
// clicked; the board is won when tiles 1 to 15 stand in reading order with the gap bottom right. The
// start is shuffled at load and always solvable; tile 13 starts top right, hidden until the board is
// unlocked.

#include <array>
#include <memory>
#include <string>

#include "graphics/point_mover.h"
#include "graphics/static_image.h"
#include "objects/object.h"

class TTagListener {
public:
    virtual ~TTagListener() = default;
    // A tile has finished sliding into its cell.
    virtual void OnTileMoved() = 0;
};

struct TTagCell {
    // The tile value this cell holds when solved; 0 for the bottom-right cell.
    int number = 0;
    // Centre of the tile shown here.
    int x = 0;
    int y = 0;
    // The tile now in the cell; null for the gap.
    std::unique_ptr<StaticImage> image;
    int value = 0;
    TTagListener* listener = nullptr;
    TPointMover mover;
};

class TTagObject : public TObject, public TTagListener {
public:
    static constexpr int kSide = 4;
    static constexpr int kCells = kSide * kSide;
    // Seconds a tile takes to slide into the gap.
    static constexpr float kSlideSeconds = 0.08f;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 38; }
    bool OnMouseDown(const TMouseEvent& event) override;
    void LoadResources() override;
    void UnloadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The hint index, the unlocked byte, then one checked block per cell: its tile value and, for a tile,
    // the image's name and centre.
    void SaveState(TBaseBuffer& writer) override;
    void OnSpaceShow() override;
    // Hides the bottom-left tile and moves to the next locked hint; the common activation does not run.
    void Activate(int index, int x, int y) override;
    void Unlock() override;
    void OnTileMoved() override;
    // The object, then every tile: a view rooms never use.
    virtual void DrawAll();
    virtual std::string GetLockedHint() const;

    bool IsSolvedBoard() const;

    std::array<TTagCell, kCells> mCells;
    int mHintIndex = 0;
    std::string mMoveSound;
    bool mUnlocked = false;

private:
    // The empty neighbour above, below, left or right of a cell (in this order), or -1.
    int FindEmptyNeighbour(int cell) const;
    void SlideTile(int from, int to);
    bool mResourcesLoaded = false;
    bool mLaidOut = false;
};

// Counts pairs i < j whose later value is smaller and not the gap.
int CountTagInversions(const int* values, int count);
