#include "objects/spinner_objects.h"

#include <cmath>
#include <cstdlib>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"

namespace {

float Trunc(float value) {
    return static_cast<float>(static_cast<int>(value));
}

} // namespace

// ---- spinner ----

void TSpinnerObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mStep = ReadXmlInt(element, "dy", 0);
    mRollTime = ReadXmlFloat(element, "time", 0.2f);
    int clip[4] = {0, 0, 0, 0};
    if (!ReadXmlFourInts(element, "rect", ",", clip)) {
        clip[0] = clip[1] = clip[2] = clip[3] = 0;
    }
    std::vector<TiXmlElement*> images;
    CollectXmlChildren(element, "img", images);
    mPictures.clear();
    for (const TiXmlElement* image : images) {
        auto picture = std::make_unique<TClippingImage>();
        picture->mClipX = clip[0];
        picture->mClipY = clip[1];
        picture->mClipW = clip[2];
        picture->mClipH = clip[3];
        LoadStaticImageFromXml(*picture, image, folder);
        picture->mVisible = false;
        mPictures.push_back(std::move(picture));
    }
    mOutgoing = -1;
    mCurrent = ReadXmlInt(element, "cur", 0);
    if (mCurrent < 0 || mCurrent >= static_cast<int>(mPictures.size())) {
        TLogFile::Get()->Printf("spinner %s: cur %d outside its %d pictures, the first shown", mName.c_str(), mCurrent,
                                static_cast<int>(mPictures.size()));
        mCurrent = mPictures.empty() ? -1 : 0;
    }
    if (mCurrent >= 0) {
        mPictures[mCurrent]->mVisible = true;
    }
}

bool TSpinnerObject::OnMouseDown(const TMouseEvent& event) {
    if (!TObject::OnMouseDown(event)) {
        return false;
    }
    if (!IsRolling()) {
        StartRoll();
    }
    return true;
}

// Each roll walks the list backwards: the previous picture slides in from one step above.
void TSpinnerObject::StartRoll() {
    if (mPictures.empty()) {
        return;
    }
    mOutgoing = mCurrent;
    mCurrent = mCurrent > 0 ? mCurrent - 1 : static_cast<int>(mPictures.size()) - 1;
    const TClippingImage& out = *mPictures[mOutgoing];
    TClippingImage& in = *mPictures[mCurrent];
    const float top = Trunc(out.mBaseY) - static_cast<float>(mStep);
    const float restY = out.mBaseY;
    in.mVisible = true;
    in.SetPosition(Trunc(out.mBaseX), top, false);
    mRoll.Set(top, restY, std::fabs(mRollTime), true);
}

bool TSpinnerObject::Update(float seconds) {
    TObject::Update(seconds);
    if (!IsRolling()) {
        return false;
    }
    if (!mRoll.finished) {
        mRoll.Update(seconds);
        TClippingImage& in = *mPictures[mCurrent];
        TClippingImage& out = *mPictures[mOutgoing];
        in.SetPosition(in.mBaseX, mRoll.current, false);
        out.SetPosition(out.mBaseX, mRoll.current + static_cast<float>(mStep), false);
    }
    if (mRoll.finished) {
        // A drum of one picture rolls that picture into its own place: it stays shown.
        if (mOutgoing != mCurrent) {
            mPictures[mOutgoing]->mVisible = false;
        }
        mOutgoing = -1;
    }
    return false;
}

bool TSpinnerObject::HitTestSelf(int x, int y) {
    return TObject::HitTestSelf(x, y) || (mCurrent >= 0 && mPictures[mCurrent]->HitTest(x, y));
}

void TSpinnerObject::DrawAll() {
    TObject::Draw(1.0f);
    if (mCurrent >= 0) {
        mPictures[mCurrent]->DrawClipped();
    }
    if (mOutgoing >= 0) {
        mPictures[mOutgoing]->DrawClipped();
    }
}

void TSpinnerObject::LoadResources() {
    TObject::LoadResources();
    for (const auto& picture : mPictures) {
        picture->SetImage(picture->mImageName);
    }
}

void TSpinnerObject::UnloadResources() {
    TObject::UnloadResources();
    for (const auto& picture : mPictures) {
        picture->ReleaseImage();
    }
}

void TSpinnerObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    writer.WriteInt32(mCurrent);
}

void TSpinnerObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    const int stored = reader.ReadInt32();
    if (reader.IsFailed() || mCurrent < 0) {
        return;
    }
    if (stored < 0 || stored >= static_cast<int>(mPictures.size())) {
        TLogFile::Get()->Printf("spinner %s: saved picture %d of %d refused", mName.c_str(), stored,
                                static_cast<int>(mPictures.size()));
        return;
    }
    // The stored picture takes the shown one's place in the window: it may last have slid out below it.
    TClippingImage& shown = *mPictures[mCurrent];
    const float restX = shown.mBaseX, restY = shown.mBaseY;
    const bool centred = shown.mCentred;
    if (mOutgoing >= 0) {
        mPictures[mOutgoing]->mVisible = false;
        mOutgoing = -1;
        mRoll.SetValue(mRoll.to);
    }
    shown.mVisible = false;
    mCurrent = stored;
    mPictures[mCurrent]->SetPosition(restX, restY, centred);
    mPictures[mCurrent]->mVisible = true;
}

// ---- spinner sequence ----

void TSpinnerSequenceObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TTransparentObject::LoadFromXml(element, folder);
    std::vector<std::string> pieces;
    ReadXmlStringList(element, "correct", ',', pieces);
    mRequired.clear();
    for (const std::string& piece : pieces) {
        mRequired.push_back(std::atoi(piece.c_str()));
    }
}

void TSpinnerSequenceObject::OnLoaded() {
    TTransparentObject::OnLoaded();
    mSpinners.clear();
    for (const auto& child : GetChildren()) {
        if (auto* spinner = dynamic_cast<TSpinnerObject*>(child.get())) {
            mSpinners.push_back(spinner);
        }
    }
    if (mRequired.size() < mSpinners.size()) {
        TLogFile::Get()->Printf("spinner_seq %s: %d required pictures for %d spinners, never solved", mName.c_str(),
                                static_cast<int>(mRequired.size()), static_cast<int>(mSpinners.size()));
    }
}

bool TSpinnerSequenceObject::Update(float seconds) {
    TTransparentObject::Update(seconds);
    if (IsLocked() || mRequired.size() < mSpinners.size()) {
        return false;
    }
    for (size_t k = 0; k < mSpinners.size(); ++k) {
        if (mSpinners[k]->GetShownIndex() != mRequired[k]) {
            return false;
        }
    }
    ApplyAfterEvent(0);
    Lock();
    for (TSpinnerObject* spinner : mSpinners) {
        spinner->Lock();
    }
    return false;
}
