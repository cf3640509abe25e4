#include "objects/cycling_objects.h"

#include <cstdlib>

#include "app/buffer.h"
#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "objects/object_space.h"
#include "objects/spinner_objects.h"

namespace {

template <typename Image>
void LoadImages(std::vector<std::unique_ptr<Image>>& images, const TiXmlElement* element, const std::string& folder) {
    std::vector<TiXmlElement*> children;
    CollectXmlChildren(element, "img", children);
    images.clear();
    for (const TiXmlElement* child : children) {
        auto image = std::make_unique<Image>();
        LoadStaticImageFromXml(*image, child, folder);
        images.push_back(std::move(image));
    }
}

template <typename Image> void LoadTextures(std::vector<std::unique_ptr<Image>>& images) {
    for (const auto& image : images) {
        image->SetImage(image->mImageName);
    }
}

template <typename Image> void ReleaseTextures(std::vector<std::unique_ptr<Image>>& images) {
    for (const auto& image : images) {
        image->ReleaseImage();
    }
}

// An index read from data, held inside the list: a bad one is logged and the first image taken.
int CheckedIndex(int index, size_t count, const char* kind, const std::string& name, const char* attribute) {
    if (index >= 0 && index < static_cast<int>(count)) {
        return index;
    }
    TLogFile::Get()->Printf("%s %s: %s %d outside its %d images, the first shown", kind, name.c_str(), attribute, index,
                            static_cast<int>(count));
    return count == 0 ? -1 : 0;
}

int Next(int index, size_t count) {
    return index + 1 < static_cast<int>(count) ? index + 1 : 0;
}

std::vector<int> ReadIndexList(const TiXmlElement* element, const char* name) {
    std::vector<std::string> pieces;
    ReadXmlStringList(element, name, ',', pieces);
    std::vector<int> values;
    for (const std::string& piece : pieces) {
        values.push_back(std::atoi(piece.c_str()));
    }
    return values;
}

} // namespace

// ---- change on click ----

void TChangeOnClickObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    LoadImages(mImages, element, folder);
    mCorrectIndex = ReadXmlInt(element, "correct_idx", 0);
    if (mCorrectIndex < 0 || mCorrectIndex >= static_cast<int>(mImages.size())) {
        TLogFile::Get()->Printf("change_on_click %s: correct_idx %d outside its %d images, never correct",
                                mName.c_str(), mCorrectIndex, static_cast<int>(mImages.size()));
    }
    mMorphTime = ReadXmlFloat(element, "morphing_time", 0.2f);
    mCurrent = CheckedIndex(ReadXmlInt(element, "cur_idx", 0), mImages.size(), "change_on_click", mName, "cur_idx");
    mPrevious = mImages.empty() ? -1 : 0;
}

bool TChangeOnClickObject::OnMouseDown(const TMouseEvent& event) {
    if (!TObject::OnMouseDown(event)) {
        return false;
    }
    if (mCurrent >= 0) {
        mPrevious = mCurrent;
        mCurrent = Next(mCurrent, mImages.size());
        mImages[mCurrent]->FadeAlpha(0, 1, mMorphTime);
    }
    return true;
}

bool TChangeOnClickObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mCurrent >= 0) {
        mImages[mCurrent]->Update(seconds);
    }
    return false;
}

bool TChangeOnClickObject::HitTestSelf(int x, int y) {
    return (mCurrent >= 0 && mImages[mCurrent]->HitTest(x, y)) || TObject::HitTestSelf(x, y);
}

void TChangeOnClickObject::DrawAll() {
    TObject::Draw(1.0f);
    if (!mVisible || mCurrent < 0) {
        return;
    }
    AlphaStaticImage& current = *mImages[mCurrent];
    if (!current.mAlphaTween.finished && mPrevious >= 0 && mPrevious != mCurrent) {
        mImages[mPrevious]->Draw(1.0f);
    }
    current.Draw(1.0f);
}

void TChangeOnClickObject::LoadResources() {
    TObject::LoadResources();
    LoadTextures(mImages);
}

void TChangeOnClickObject::UnloadResources() {
    TObject::UnloadResources();
    ReleaseTextures(mImages);
}

void TChangeOnClickObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    writer.WriteInt32(mCurrent);
}

void TChangeOnClickObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const int stored = reader.ReadInt32();
    if (reader.IsFailed()) {
        return;
    }
    if (stored < 0 || stored >= static_cast<int>(mImages.size())) {
        TLogFile::Get()->Printf("change_on_click %s: saved image %d of %d refused", mName.c_str(), stored,
                                static_cast<int>(mImages.size()));
        return;
    }
    mCurrent = stored;
}

// ---- change-on-click parent ----

bool TChangeOnClickParentObject::OnMouseDown(const TMouseEvent& event) {
    if (IsLocked() || !TTransparentObject::OnMouseDown(event)) {
        return false;
    }
    for (const auto& child : GetChildren()) {
        const auto* cycler = dynamic_cast<const TChangeOnClickObject*>(child.get());
        if (cycler != nullptr && !cycler->IsCorrect()) {
            return true;
        }
    }
    ApplyAfterEvent(0);
    return true;
}

// ---- change on activate ----

void TChangeOnActivateObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mAlphaTime = ReadXmlFloat(element, "alpha_time", 0.1f);
    LoadImages(mImages, element, folder);
    const int index = ReadXmlInt(element, "cur_idx", -1);
    mCurrent = CheckedIndex(index == -1 ? 0 : index, mImages.size(), "change_on_activate", mName, "cur_idx");
}

void TChangeOnActivateObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    if (mCurrent < 0) {
        return;
    }
    AlphaStaticImage& current = *mImages[mCurrent];
    if (current.mAlphaTween.finished) {
        current.FadeAlpha(current.mAlpha, 0, mAlphaTime);
    }
}

bool TChangeOnActivateObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mCurrent < 0 || mImages[mCurrent]->mAlphaTween.finished) {
        return false;
    }
    AlphaStaticImage& current = *mImages[mCurrent];
    current.Update(seconds);
    if (current.mAlphaTween.finished && current.mAlpha == 0) {
        mCurrent = Next(mCurrent, mImages.size());
        mImages[mCurrent]->FadeAlpha(0, 1, mAlphaTime);
    }
    return false;
}

void TChangeOnActivateObject::DrawAll() {
    TObject::Draw(1.0f);
    if (mCurrent >= 0) {
        mImages[mCurrent]->Draw(1.0f);
    }
}

void TChangeOnActivateObject::LoadResources() {
    TObject::LoadResources();
    LoadTextures(mImages);
}

void TChangeOnActivateObject::UnloadResources() {
    TObject::UnloadResources();
    ReleaseTextures(mImages);
}

// ---- change-on-activate parent ----

void TChangeOnActivateParentObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mWanted = ReadIndexList(element, "idxs");
}

void TChangeOnActivateParentObject::OnLoaded() {
    TObject::OnLoaded();
    mCyclers.clear();
    for (const auto& child : GetChildren()) {
        if (auto* cycler = dynamic_cast<TChangeOnActivateObject*>(child.get())) {
            mCyclers.push_back(cycler);
        }
    }
    if (mWanted.size() < mCyclers.size()) {
        TLogFile::Get()->Printf("change_on_activatep %s: %d wanted images for %d children, never solved", mName.c_str(),
                                static_cast<int>(mWanted.size()), static_cast<int>(mCyclers.size()));
    }
}

bool TChangeOnActivateParentObject::Update(float seconds) {
    TObject::Update(seconds);
    if (IsLocked() || mCyclers.empty() || mWanted.size() < mCyclers.size()) {
        return false;
    }
    for (size_t k = 0; k < mCyclers.size(); ++k) {
        if (mCyclers[k]->mCurrent != mWanted[k]) {
            return false;
        }
    }
    ApplyAfterEvent(0);
    Lock();
    return false;
}

// ---- spinner echo ----

void TSpinnerEchoObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mSpinnerPath = ReadXmlString(element, "objname", "");
    LoadImages(mImages, element, folder);
}

void TSpinnerEchoObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    if (mSpinner != nullptr) {
        return;
    }
    std::vector<std::string> parts;
    SplitString(mSpinnerPath.c_str(), '.', parts);
    TObjectSpace* space = GetRootSpace();
    for (size_t i = 0; space != nullptr && i + 1 < parts.size(); ++i) {
        space = space->FindPocket(parts[i]);
    }
    TObjectSpace* room = space;
    if (room != nullptr && !parts.empty()) {
        mSpinner = dynamic_cast<TSpinnerObject*>(room->FindObjectById(parts.back()));
    }
    if (mSpinner == nullptr) {
        TLogFile::Get()->Printf("spinner_echo %s: no spinner %s, nothing to echo", mName.c_str(), mSpinnerPath.c_str());
    }
}

void TSpinnerEchoObject::DrawAll() {
    TObject::Draw(1.0f);
    if (mSpinner == nullptr) {
        return;
    }
    const int index = mSpinner->mCurrent;
    if (index >= 0 && index < static_cast<int>(mImages.size())) {
        mImages[index]->Draw(1.0f);
    }
}

void TSpinnerEchoObject::LoadResources() {
    TObject::LoadResources();
    LoadTextures(mImages);
}

void TSpinnerEchoObject::UnloadResources() {
    TObject::UnloadResources();
    ReleaseTextures(mImages);
}
