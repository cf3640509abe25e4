#include "mystery_land_board.h"

#include <tinyxml.h>

#include "app/xml_reader.h"
#include "data/tilesets.h"
#include "graphics/cadr_image.h"
#include "objects/clouds_object.h"
#include "objects/morphing_object.h"
#include "objects/scoped_clip.h"
#include "rooms/effector.h"

MysteryMosaicItem_t::MysteryMosaicItem_t(const TMosaicCell& cell, const TNumberPainter& numbers, int cellWidth,
                                         int cellHeight)
    : MosaicItem_t(cell, numbers), mNumbers(&numbers) {
    mPart = {cell.column * cellWidth, cell.row * cellHeight, cellWidth, cellHeight};
    const auto x = static_cast<float>(cell.x);
    const auto y = static_cast<float>(cell.y);
    mPicturePart.SetPosition(x, y, false);
    mTileOverlay.SetPosition(x, y, false);
    TRenderState& state = mPicturePart.mRenderState;
    state.srcX = static_cast<float>(mPart.x);
    state.srcY = static_cast<float>(mPart.y);
    state.srcW = static_cast<float>(mPart.w);
    state.srcH = static_cast<float>(mPart.h);
    state.flags |= TRenderState::kSourceRect;
}

void MysteryMosaicItem_t::SetPicture(const StaticImage* picture) {
    mHasPicture = picture != nullptr;
    if (mHasPicture) {
        mPicturePart.CopyTexture(*picture);
    } else {
        mPicturePart.mTexture.Reset();
    }
}

void MysteryMosaicItem_t::SetOverlayTile(const TTile* tile) {
    mHasOverlay = tile != nullptr;
    // Taken again on every call: the tile's texture comes and goes with its tileset.
    if (mHasOverlay) {
        mTileOverlay.CopyTexture(tile->mImage);
    } else {
        mTileOverlay.mTexture.Reset();
    }
}

void MysteryMosaicItem_t::Draw(float alpha) {
    if (mHasPicture) {
        mPicturePart.mAlpha = alpha * mFade.current;
        mPicturePart.Draw(1.0f);
    }
    if ((GetCell().hiddenReward && IsSolved()) || mDeveloperMark) {
        MosaicItem_t::DrawOverlay(alpha);
    }
}

void MysteryMosaicItem_t::DrawOverlay(float alpha) {
    DrawTileOverlay(alpha * mFade.current);
    DrawDragNumber(alpha);
}

void MysteryMosaicItem_t::DrawTileOverlay(float alpha) {
    if (mHasOverlay) {
        mTileOverlay.mAlpha = alpha;
        mTileOverlay.Draw(1.0f);
    }
}

void MysteryMosaicItem_t::DrawDragNumber(float alpha) {
    const TMosaicCell& cell = GetCell();
    if (cell.dragNumber > 0) {
        mNumbers->Draw(cell.dragNumber, {cell.x, cell.y + kDragNumberOffsetY, kDragNumberWidth, kDragNumberHeight},
                       alpha * mFade.current);
    }
}

MosaicLayoutMysteryLand_t::MosaicLayoutMysteryLand_t() {
    // The picture's parts meet without seams.
    GetBoard().SetGap(0);
}

MosaicLayoutMysteryLand_t::~MosaicLayoutMysteryLand_t() = default;

bool MosaicLayoutMysteryLand_t::LoadSource(const TXmlSource& source, bool singleColour) {
    if (!MosaicLayout_t::LoadSource(source, singleColour)) {
        return false;
    }
    ClearScene();
    TiXmlDocument* document = nullptr;
    const TiXmlElement* root = ParseXmlDocument(source, document);
    const std::unique_ptr<TiXmlDocument> owned(document);
    if (root != nullptr) {
        LoadScene(root, source.mName);
    }
    AfterLoad();
    return true;
}

void MosaicLayoutMysteryLand_t::Reset() {
    MosaicLayout_t::Reset();
    ClearScene();
}

// The animators go with the objects they drive: kept, they would point at deleted owners.
void MosaicLayoutMysteryLand_t::ClearScene() {
    mAnimatedPicture = nullptr;
    mSceneOver.clear();
    mSceneUnder.clear();
    mClouds.reset();
    mWater.reset();
    mGenerators.clear();
    mEffectors.clear();
}

bool MosaicLayoutMysteryLand_t::Update(float seconds) {
    MosaicLayout_t::Update(seconds);
    for (const auto& object : mSceneOver) {
        object->Update(seconds);
    }
    for (const auto& object : mSceneUnder) {
        object->Update(seconds);
    }
    for (const auto& generator : mGenerators) {
        generator->Update(seconds);
    }
    if (mClouds) {
        mClouds->Update(seconds);
    }
    if (mWater) {
        mWater->Update(seconds);
    }
    return false;
}

void MosaicLayoutMysteryLand_t::ResetSelection() {
    for (const auto& generator : mGenerators) {
        generator->Start();
    }
}

void MosaicLayoutMysteryLand_t::OnGeneratorEvent(TEventGenerator* generator) {
    for (const TSceneList* list : {&mSceneOver, &mSceneUnder}) {
        for (const auto& object : *list) {
            if (object->mId == generator->mId) {
                object->Restart();
            }
        }
    }
}

void MosaicLayoutMysteryLand_t::ShowSolution(bool /*on*/) {
    MosaicLayout_t::ShowSolution(true);
}

std::unique_ptr<MosaicItem_t> MosaicLayoutMysteryLand_t::CreateCell(const TMosaicCell& cell) {
    const TGridGeometry& geometry = GetBoard().GetGeometry();
    return std::make_unique<MysteryMosaicItem_t>(cell, GetStrokeNumbers(), geometry.cellWidth, geometry.cellHeight);
}

const TTile* MosaicLayoutMysteryLand_t::OverlayTileFor(int value) const {
    const TTileset* tileset = GetTileset();
    return value >= 1 || tileset == nullptr ? nullptr : tileset->GetTileForValue(value);
}

TRect MosaicLayoutMysteryLand_t::GetSceneClip() const {
    const TGridGeometry& geometry = GetBoard().GetGeometry();
    return {geometry.originX, geometry.originY, GetBoard().GetPixelWidth(), GetBoard().GetPixelHeight()};
}

// Under the cells: the stretched images, the water, the clouds and the animated picture.
void MosaicLayoutMysteryLand_t::DrawScene(float alpha) {
    for (const auto& object : mSceneUnder) {
        object->Draw(alpha);
    }
    if (mWater) {
        mWater->Draw(alpha);
    }
    if (mClouds) {
        mClouds->Draw(1.0f);
    }
    if (mAnimatedPicture != nullptr) {
        mAnimatedPicture->Draw(alpha);
    }
}

void MosaicLayoutMysteryLand_t::DrawCells() {
    if (!mVisible) {
        return;
    }
    const TScopedClip clip(GetSceneClip());
    DrawScene(mAlpha);
    for (const auto& item : GetItems()) {
        item->Draw(mAlpha);
    }
    for (const auto& object : mSceneOver) {
        if (object->mTag == 0 && object.get() != mAnimatedPicture) {
            object->Draw(mAlpha);
        }
    }
    for (const auto& item : GetItems()) {
        auto* cell = static_cast<MysteryMosaicItem_t*>(item.get());
        cell->SetOverlayTile(OverlayTileFor(cell->GetCell().shown));
        cell->DrawOverlay(mAlpha);
        DrawDeveloperHighlight(cell->GetCell());
    }
    DrawHoverMarks();
}
