#include "board_appear_effect.h"

#include "board/mosaic_layout.h"
#include "media/sound_manager.h"

TBoardAppearEffect::TBoardAppearEffect(const MosaicLayout_t& board, BoardAppearMosaicEffectListener* listener,
                                       TRandomSource random)
    : mBoard(board), mListener(listener), mRandom(std::move(random)) {
    mImage.SetImage(kPieceImage);
    const TMosaicBoard& rules = board.GetBoard();
    mPlaced.assign(static_cast<size_t>(rules.GetRows() * rules.GetCols()), 0);
    const TCellBox& area = rules.GetShownArea();
    if (area.IsEmpty()) {
        return;
    }
    mStartRow = area.y + StartOffset(area.h);
    mStartColumn = area.x + StartOffset(area.w);
    auto start = std::make_unique<TPiece>();
    TPiece& piece = *start;
    piece.row = mStartRow;
    piece.column = mStartColumn;
    piece.active = true;
    const TMosaicCell& cell = rules.GetCell(mStartRow, mStartColumn);
    piece.mover.JumpTo(static_cast<float>(cell.x), static_cast<float>(cell.y));
    piece.alpha.SetValue(1.0f);
    mPlaced[static_cast<size_t>(mStartRow * rules.GetCols() + mStartColumn)] = 1;
    mPieces.push_back(std::move(start));
    // Depth first, each piece's children in their shuffled order; a stack instead of recursion, as a
    // large board would nest as deep as it has cells.
    std::vector<TPiece*> pending{&piece};
    while (!pending.empty()) {
        TPiece* parent = pending.back();
        pending.pop_back();
        Spread(*parent);
        pending.insert(pending.end(), parent->children.rbegin(), parent->children.rend());
    }
}

int TBoardAppearEffect::StartOffset(int size) {
    // A side of one cell has no cell before its last: the flight starts at its only cell.
    return size > 1 ? mRandom() % (size - 1) : 0;
}

bool TBoardAppearEffect::IsInArea(int row, int column) const {
    return mBoard.GetBoard().GetShownArea().Contains(column, row);
}

void TBoardAppearEffect::Spread(TPiece& parent) {
    const TMosaicBoard& rules = mBoard.GetBoard();
    const int row = parent.row;
    const int column = parent.column;
    const TMosaicCell& from = rules.GetCell(row, column);
    const int steps[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
    for (const auto& step : steps) {
        const int r = row + step[0];
        const int c = column + step[1];
        if (!IsInArea(r, c)) {
            continue;
        }
        const TMosaicCell& cell = rules.GetCell(r, c);
        char& placed = mPlaced[static_cast<size_t>(r * rules.GetCols() + c)];
        if (!cell.visible || placed != 0) {
            continue;
        }
        placed = 1;
        auto piece = std::make_unique<TPiece>();
        piece->row = r;
        piece->column = c;
        piece->mover.StartSegment(static_cast<float>(from.x), static_cast<float>(from.y), static_cast<float>(cell.x),
                                  static_cast<float>(cell.y), kStepTime, 0, false);
        piece->alpha.Set(0.0f, 1.0f, kStepTime, true);
        parent.children.push_back(piece.get());
        mPieces.push_back(std::move(piece));
    }
    ShuffleWith(parent.children, mRandom);
}

bool TBoardAppearEffect::IsAllArrived() const {
    for (const auto& piece : mPieces) {
        if (piece->mover.moving || piece->alpha.current != 1.0f) {
            return false;
        }
    }
    return true;
}

void TBoardAppearEffect::Update(float seconds) {
    for (const auto& piece : mPieces) {
        if (!piece->active) {
            continue;
        }
        piece->alpha.Update(seconds);
        if (piece->mover.moving) {
            piece->mover.Update(seconds);
        }
        if (!piece->mover.moving && piece->alpha.current == 1.0f && !piece->children.empty() &&
            !piece->children.front()->active) {
            if (!TSoundManager::GetInstance()->IsSoundPlaying("cellmove")) {
                PlaySoundByName("cellmove");
            }
            for (TPiece* child : piece->children) {
                child->active = true;
            }
        }
    }
    if (IsAllArrived()) {
        mDone = true;
        if (mListener != nullptr) {
            mListener->OnBoardAppeared();
        }
    }
}

void TBoardAppearEffect::Draw() {
    if (mDone) {
        return;
    }
    for (const auto& piece : mPieces) {
        if (piece->active) {
            mImage.SetPosition(piece->mover.currentX, piece->mover.currentY, false);
            mImage.mAlpha = piece->alpha.current;
            mImage.Draw(1.0f);
        }
    }
}
