#include "objects/text_objects.h"

#include <cmath>

#include "app/buffer.h"
#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"
#include "windows/text_label.h"
#include "windows/ui_info_holder.h"
#include "windows/ui_text_box.h"

TTextObject::TTextObject() = default;
TTextObject::~TTextObject() = default;

void TTextObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mDescription = std::make_unique<TUIInfoHolder>();
    mDescription->LoadFromXml(element);
    TUIImageText* box = FindUIObject<TUIImageText>(*mDescription, "text");
    if (box == nullptr) {
        TLogFile::Get()->Printf("text object %s: no text label box, it shows no text", mName.c_str());
        mLabel.reset();
        return;
    }
    mLabel.reset(TSimpleTextImage::Create(box, nullptr));
    // The description places the object, not the other way round.
    mX = static_cast<float>(mLabel->GetX());
    mY = static_cast<float>(mLabel->GetY());
    RefreshCachedDrawPosition();
}

void TTextObject::SetPosition(float x, float y, bool moveChildren) {
    TObject::SetPosition(x, y, moveChildren);
    if (mLabel) {
        mLabel->SetPosition(static_cast<int>(x), static_cast<int>(y));
    }
}

void TTextObject::SetText(const std::string& text) {
    if (mLabel) {
        mLabel->mText = WidenBytes(text);
    }
}

void TTextObject::DrawAll() {
    TObject::Draw(1.0f);
    if (mVisible && mLabel) {
        mLabel->Draw();
    }
}

void TTextInfoObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mText = ReadXmlString(element, "text", "");
}

// ---- image switcher ----

void TImageSwitcher::SaveState(TBaseBuffer& writer) {
    WriteFlag(writer, mShownIndex);
    WriteFlag(writer, mVisible);
}

void TImageSwitcher::RestoreState(TBaseBuffer& reader) {
    mShownIndex = ReadFlag(reader);
    mVisible = ReadFlag(reader);
}

void TImageSwitcher::GetCenter(int& x, int& y) const {
    const StaticImage& image = mImages[0];
    float width = image.mRenderState.srcW, height = image.mRenderState.srcH;
    if (width <= 0 && image.mTexture) {
        width = static_cast<float>(image.mTexture->GetWidth());
    }
    if (height <= 0 && image.mTexture) {
        height = static_cast<float>(image.mTexture->GetHeight());
    }
    x = static_cast<int>(image.mBaseX) + static_cast<int>(width) / 2;
    y = static_cast<int>(image.mBaseY) + static_cast<int>(height) / 2;
}

void TImageSwitcher::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    if (element == nullptr) {
        return;
    }
    mShownIndex = ReadXmlBool(element, "flag", false);
    const TiXmlElement* child = element->FirstChildElement("image");
    for (StaticImage& image : mImages) {
        if (child == nullptr) {
            break;
        }
        image.mImageName = folder + ReadXmlString(child, "filename", "");
        image.SetPosition(static_cast<float>(ReadXmlInt(child, "x", 0)), static_cast<float>(ReadXmlInt(child, "y", 0)),
                          false);
        child = child->NextSiblingElement("image");
    }
}

bool TImageSwitcher::Toggle() {
    mShownIndex = !mShownIndex;
    return true;
}

// ---- switching info text ----

void TTextInfoSwitchImageObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TTextInfoObject::LoadFromXml(element, folder);
    mSwitcher.LoadFromXml(element != nullptr ? element->FirstChildElement("image_switcher") : nullptr, folder);
    const std::string preview = ReadXmlString(element, "preview", "");
    mPreview.mImageName = preview.empty() ? "" : (folder.empty() ? "textures/" : folder) + preview;
    mPreview.SetPosition(static_cast<float>(ReadXmlInt(element, "previewx", 0)),
                         static_cast<float>(ReadXmlInt(element, "previewy", 0)), false);
}

void TTextInfoSwitchImageObject::LoadResources() {
    TObject::LoadResources();
    for (StaticImage* image : {&mSwitcher.mImages[0], &mSwitcher.mImages[1], &mPreview}) {
        if (!image->mImageName.empty()) {
            image->SetImage(image->mImageName);
        }
    }
}

void TTextInfoSwitchImageObject::UnloadResources() {
    mPreview.ReleaseImage();
    TObject::UnloadResources();
    mSwitcher.mImages[0].ReleaseImage();
    mSwitcher.mImages[1].ReleaseImage();
}

bool TTextInfoSwitchImageObject::HitTestSelf(int x, int y) {
    return mSwitcher.Shown().HitTest(x, y);
}

void TTextInfoSwitchImageObject::DrawAll() {
    TObject::Draw(1.0f);
    if (mVisible && mSwitcher.IsVisible()) {
        mSwitcher.Shown().Draw(1.0f);
    }
}

void TTextInfoSwitchImageObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    mSwitcher.SaveState(writer);
}

void TTextInfoSwitchImageObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mSwitcher.RestoreState(reader);
}
