#include "objects/tag_object.h"

#include <algorithm>
#include <tinyxml.h>
#include <utility>
#include <vector>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/random15.h"
#include "graphics/saved_flags.h"
#include "media/sound_manager.h"
#include "objects/whole_pixels.h"
#include "windows/mouse_event.h"

namespace {

struct TTileEntry {
    std::string fileName;
    int value = 0;
};

constexpr int kHiddenTile = 13;
constexpr int kHiddenCell = 3;
constexpr int kActivatedCell = 12;

// Exactly the values 0 to 15, each once: anything else cannot be shuffled into a solvable board.
bool IsTileSet(const std::vector<TTileEntry>& entries) {
    if (entries.size() != TTagObject::kCells) {
        return false;
    }
    std::array<bool, TTagObject::kCells> seen{};
    for (const TTileEntry& entry : entries) {
        if (entry.value < 0 || entry.value >= TTagObject::kCells || seen[entry.value]) {
            return false;
        }
        seen[entry.value] = true;
    }
    return true;
}

void SwapValueTo(std::vector<TTileEntry>& entries, int value, size_t index) {
    for (TTileEntry& entry : entries) {
        if (entry.value == value) {
            std::swap(entry, entries[index]);
            return;
        }
    }
}

// Shuffles until the inversion count is even, which with the gap bottom right makes the board solvable.
void ShuffleTiles(std::vector<TTileEntry>& entries) {
    std::vector<int> values(entries.size());
    do {
        for (size_t i = 1; i < entries.size(); ++i) {
            std::swap(entries[i], entries[static_cast<size_t>(Rand15()) % (i + 1)]);
        }
        SwapValueTo(entries, kHiddenTile, kHiddenCell);
        SwapValueTo(entries, 0, entries.size() - 1);
        for (size_t i = 0; i < entries.size(); ++i) {
            values[i] = entries[i].value;
        }
    } while (CountTagInversions(values.data(), static_cast<int>(values.size())) % 2 != 0);
}

std::unique_ptr<StaticImage> MakeTile(const std::string& name, int x, int y) {
    auto image = std::make_unique<StaticImage>();
    image->mImageName = name;
    image->SetPosition(static_cast<float>(x), static_cast<float>(y), true);
    image->UpdateTransform();
    return image;
}

} // namespace

int CountTagInversions(const int* values, int count) {
    int inversions = 0;
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            inversions += values[j] < values[i] && values[j] != 0 ? 1 : 0;
        }
    }
    return inversions;
}

void TTagObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mMoveSound = ReadXmlString(element, "move_sound", "");
    std::vector<TiXmlElement*> positions, images;
    CollectXmlChildren(element, "pos", positions);
    CollectXmlChildren(element, "image", images);
    std::vector<TTileEntry> entries;
    for (const TiXmlElement* image : images) {
        entries.push_back({ReadXmlString(image, "filename", ""), ReadXmlInt(image, "val", 0)});
    }
    if (positions.size() != kCells || !IsTileSet(entries)) {
        TLogFile::Get()->Printf("tag_object %s: %d pos and %d image entries, not 16 with the values 0 to 15; no tiles",
                                mName.c_str(), static_cast<int>(positions.size()), static_cast<int>(entries.size()));
        return;
    }
    ShuffleTiles(entries);
    for (int k = 0; k < kCells; ++k) {
        TTagCell& cell = mCells[k];
        cell.x = ReadXmlInt(positions[k], "x", 0);
        cell.y = ReadXmlInt(positions[k], "y", 0);
        cell.number = k + 1;
        cell.listener = this;
        cell.mover.SetPosition(cell.x, cell.y);
        if (!entries[k].fileName.empty()) {
            cell.image = MakeTile(entries[k].fileName, cell.x, cell.y);
            cell.value = entries[k].value;
        }
    }
    if (mCells[kHiddenCell].image) {
        mCells[kHiddenCell].image->mVisible = false;
    }
    mCells[kCells - 1].number = 0;
    mLaidOut = true;
}

int TTagObject::FindEmptyNeighbour(int cell) const {
    const int row = cell / kSide, column = cell % kSide;
    const int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& step : steps) {
        const int r = row + step[0], c = column + step[1];
        if (r >= 0 && r < kSide && c >= 0 && c < kSide && !mCells[r * kSide + c].image) {
            return r * kSide + c;
        }
    }
    return -1;
}

void TTagObject::SlideTile(int from, int to) {
    TTagCell& source = mCells[from];
    TTagCell& target = mCells[to];
    target.image = std::move(source.image);
    target.value = source.value;
    source.value = 0;
    target.mover.MoveTo(source.x, source.y, target.x, target.y, kSlideSeconds);
}

bool TTagObject::OnMouseDown(const TMouseEvent& event) {
    if (event.buttons != TMouseEvent::kLeft) {
        return TObject::OnMouseDown(event);
    }
    if (mLocked) {
        return false;
    }
    for (int k = 0; k < kCells; ++k) {
        TTagCell& cell = mCells[k];
        if (!cell.image || !cell.image->HitTest(event.x, event.y)) {
            continue;
        }
        const int gap = FindEmptyNeighbour(k);
        if (gap < 0) {
            PlaySpaceSound("wrong");
            continue;
        }
        if (!mMoveSound.empty()) {
            TSoundManager::GetInstance()->PlaySound(mMoveSound);
        }
        if (mCells[gap].value == 0 && !cell.mover.moving && !mCells[gap].mover.moving) {
            SlideTile(k, gap);
        }
        return TObject::OnMouseDown(event);
    }
    return TObject::OnMouseDown(event);
}

bool TTagObject::Update(float seconds) {
    TObject::Update(seconds);
    for (TTagCell& cell : mCells) {
        if (!cell.mover.moving) {
            continue;
        }
        const bool done = cell.mover.Update(seconds);
        if (cell.image) {
            cell.image->SetPosition(cell.mover.currentX, cell.mover.currentY, true);
            cell.image->UpdateTransform();
        }
        if (done && cell.listener != nullptr) {
            cell.listener->OnTileMoved();
        }
    }
    return false;
}

bool TTagObject::IsSolvedBoard() const {
    // A board refused at load has no numbers to match.
    return mLaidOut &&
           std::all_of(mCells.begin(), mCells.end(), [](const TTagCell& cell) { return cell.value == cell.number; });
}

void TTagObject::OnTileMoved() {
    if (!IsSolvedBoard()) {
        return;
    }
    PlaySpaceSound("onwin");
    ApplyAfterEvent(0);
}

void TTagObject::Activate(int index, int x, int y) {
    if (mCells[kActivatedCell].image) {
        mCells[kActivatedCell].image->mVisible = false;
    }
    ++mHintIndex;
}

void TTagObject::Unlock() {
    ++mHintIndex;
    mLocked = false;
    mUnlocked = true;
    if (mCells[kHiddenCell].image) {
        mCells[kHiddenCell].image->mVisible = true;
    }
}

void TTagObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    if (mUnlocked && mCells[kHiddenCell].image) {
        mCells[kHiddenCell].image->mVisible = true;
    }
}

std::string TTagObject::GetLockedHint() const {
    if (!mLocked || mHintIndex < 0 || mHintIndex >= static_cast<int>(mLockedHintKeys.size())) {
        return "";
    }
    return mLockedHintKeys[mHintIndex];
}

void TTagObject::LoadResources() {
    TObject::LoadResources();
    for (TTagCell& cell : mCells) {
        if (cell.image) {
            cell.image->SetImage(cell.image->mImageName);
            cell.image->UpdateTransform();
        }
    }
    mResourcesLoaded = true;
}

void TTagObject::UnloadResources() {
    TObject::UnloadResources();
    for (TTagCell& cell : mCells) {
        if (cell.image) {
            cell.image->ReleaseImage();
        }
    }
    mResourcesLoaded = false;
}

void TTagObject::DrawAll() {
    TObject::Draw(1.0f);
    if (!mVisible) {
        return;
    }
    for (TTagCell& cell : mCells) {
        if (cell.image) {
            cell.image->Draw(1.0f);
        }
    }
}

void TTagObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    writer.WriteInt32(mHintIndex);
    WriteFlag(writer, mUnlocked);
    for (const TTagCell& cell : mCells) {
        TBaseBuffer block;
        block.WriteInt32(cell.image ? cell.value : 0);
        if (cell.image && cell.value != 0) {
            block.WriteString(cell.image->mImageName);
            block.WriteInt32(WholePixels(cell.image->mBaseX));
            block.WriteInt32(WholePixels(cell.image->mBaseY));
        }
        writer.WriteBuffer(block);
    }
}

void TTagObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mHintIndex = reader.ReadInt32();
    mUnlocked = ReadFlag(reader);
    for (TTagCell& cell : mCells) {
        TBaseBuffer block;
        reader.ReadBuffer(block);
        const int value = block.ReadInt32();
        if (reader.IsFailed() || block.IsFailed()) {
            return;
        }
        if (value == 0) {
            cell.image.reset();
            cell.value = 0;
            continue;
        }
        const std::string name = block.ReadString();
        const int x = block.ReadInt32();
        const int y = block.ReadInt32();
        if (block.IsFailed()) {
            return;
        }
        if (!cell.image) {
            cell.image = std::make_unique<StaticImage>();
        }
        // The win and move tests read the values, so they follow the pictures.
        cell.value = value;
        const bool renamed = cell.image->mImageName != name;
        cell.image->mImageName = name;
        cell.image->SetPosition(static_cast<float>(x), static_cast<float>(y), true);
        cell.image->UpdateTransform();
        // A board whose textures are in place shows the restored pictures at once, not at the next load.
        if (mResourcesLoaded && (renamed || !cell.image->mTexture)) {
            cell.image->SetImage(name);
            cell.image->UpdateTransform();
        }
    }
}
