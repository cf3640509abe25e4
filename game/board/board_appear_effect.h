#pragma once
// The cells of a level flying into place: from one start cell the pieces spread to their neighbours, each
// leaving its parent's place as soon as the parent has arrived, until every visible cell of the coloured
// area has its piece.

#include <memory>
#include <vector>

#include "controller/game_listeners.h"
#include "graphics/inc_value.h"
#include "graphics/point_mover.h"
#include "graphics/static_image.h"
#include "rules/random15.h"

class MosaicLayout_t;

class TBoardAppearEffect {
public:
    static constexpr float kStepTime = 0.02f;
    static constexpr const char* kPieceImage = "textures/items/empty";

    // The board must outlive the effect; the random source picks the start cell and the spread order.
    TBoardAppearEffect(const MosaicLayout_t& board, BoardAppearMosaicEffectListener* listener,
                       TRandomSource random = Rand15);

    void Update(float seconds);
    void Draw();
    // The row and column the pieces spread from.
    int GetStartRow() const { return mStartRow; }
    int GetStartColumn() const { return mStartColumn; }
    size_t GetPieceCount() const { return mPieces.size(); }

private:
    struct TPiece {
        int row = 0;
        int column = 0;
        bool active = false;
        TPointMover mover;
        IncValue alpha;
        std::vector<TPiece*> children;
    };

    // The offset of the start cell along a side of the area: never the last cell, 0 for a side of one.
    int StartOffset(int size);
    // Gives the parent a piece for each free neighbour, in shuffled order.
    void Spread(TPiece& parent);
    bool IsInArea(int row, int column) const;
    bool IsAllArrived() const;

    const MosaicLayout_t& mBoard;
    TWeakRef<BoardAppearMosaicEffectListener> mListener;
    TRandomSource mRandom;
    std::vector<std::unique_ptr<TPiece>> mPieces;
    std::vector<char> mPlaced;
    StaticImage mImage;
    int mStartRow = 0;
    int mStartColumn = 0;
    bool mDone = false;
};
