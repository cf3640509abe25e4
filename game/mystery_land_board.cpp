#include "mystery_land_board.h"

#include <tinyxml.h>

#include "app/xml_reader.h"
#include "tilesets.h"

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

bool MosaicLayoutMysteryLand_t::Load(const std::string& file, bool singleColour) {
    if (!MosaicLayout_t::Load(file, singleColour)) {
        return false;
    }
    LoadScene(file);
    AfterLoad();
    return true;
}

void MosaicLayoutMysteryLand_t::LoadScene(const std::string& file) {
    mSceneUnder.clear();
    mSceneOver.clear();
    TiXmlDocument* document = nullptr;
    const TiXmlElement* root = ParseXmlDocument(ReadXmlSource(file), document);
    const std::unique_ptr<TiXmlDocument> owned(document);
    if (root == nullptr) {
        return;
    }
    for (const TiXmlElement* element = root->FirstChildElement("object"); element != nullptr;
         element = element->NextSiblingElement("object")) {
        // Only plain images make the scene; the moving kinds are left out.
        if (!ReadXmlString(element, "type", "").empty()) {
            continue;
        }
        auto scene = std::make_unique<TSceneImage>();
        LoadStaticImageFromXml(scene->image, element, "");
        scene->image.SetImage(scene->image.mImageName);
        scene->z = ReadXmlInt(element, "z", 0);
        (scene->z == -1 ? mSceneUnder : mSceneOver).push_back(std::move(scene));
    }
}

const StaticImage* MosaicLayoutMysteryLand_t::GetPicture() const {
    return mSceneOver.empty() ? nullptr : &mSceneOver.back()->image;
}

void MosaicLayoutMysteryLand_t::AfterLoad() {
    const StaticImage* picture = GetPicture();
    for (const auto& item : GetItems()) {
        auto* cell = static_cast<MysteryMosaicItem_t*>(item.get());
        cell->SetPicture(cell->GetCell().solution >= 1 ? picture : nullptr);
    }
    // The images under the grid cover it exactly, whatever their own size.
    const TGridGeometry& geometry = GetBoard().GetGeometry();
    const auto width = static_cast<float>(GetBoard().GetPixelWidth());
    const auto height = static_cast<float>(GetBoard().GetPixelHeight());
    for (const auto& scene : mSceneUnder) {
        StaticImage& image = scene->image;
        const TRenderState& state = image.mRenderState;
        const bool part = (state.flags & TRenderState::kSourceRect) != 0;
        const float w = part ? state.srcW : (image.mTexture ? static_cast<float>(image.mTexture->GetWidth()) : 0.0f);
        const float h = part ? state.srcH : (image.mTexture ? static_cast<float>(image.mTexture->GetHeight()) : 0.0f);
        image.SetPosition(static_cast<float>(geometry.originX), static_cast<float>(geometry.originY), false);
        if (w > 0 && h > 0) {
            image.mScaleX = width / w;
            image.mScaleY = height / h;
        }
    }
}

std::unique_ptr<MosaicItem_t> MosaicLayoutMysteryLand_t::CreateCell(const TMosaicCell& cell) {
    const TGridGeometry& geometry = GetBoard().GetGeometry();
    return std::make_unique<MysteryMosaicItem_t>(cell, GetStrokeNumbers(), geometry.cellWidth, geometry.cellHeight);
}

const TTile* MosaicLayoutMysteryLand_t::OverlayTileFor(int value) const {
    const TTileset* tileset = GetTileset();
    return value >= 1 || tileset == nullptr ? nullptr : tileset->GetTileForValue(value);
}

void MosaicLayoutMysteryLand_t::DrawCells() {
    if (!mVisible) {
        return;
    }
    for (const auto& scene : mSceneUnder) {
        scene->image.Draw(mAlpha);
    }
    for (const auto& item : GetItems()) {
        item->Draw(mAlpha);
    }
    for (const auto& scene : mSceneOver) {
        if (scene->z == 0) {
            scene->image.Draw(mAlpha);
        }
    }
    for (const auto& item : GetItems()) {
        auto* cell = static_cast<MysteryMosaicItem_t*>(item.get());
        cell->SetOverlayTile(OverlayTileFor(cell->GetCell().shown));
        cell->DrawOverlay(mAlpha);
    }
    DrawHoverMarks();
}
