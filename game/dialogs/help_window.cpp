#include "help_window.h"

#include <tinyxml.h>

#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "graphics/terms.h"

namespace {

// "x.y.w.h"; false when the text holds no width.
bool ReadTextRect(const TiXmlElement* element, THelpText& text) {
    int values[4] = {0, 0, 0, 0};
    ReadXmlFourInts(element, "rect", ".", values);
    if (values[2] == 0) {
        return false;
    }
    text.mX = values[0];
    text.mY = values[1];
    text.mW = values[2];
    text.mH = values[3];
    return true;
}

THelpText ReadHelpText(const TiXmlElement* element) {
    THelpText text;
    if (!ReadTextRect(element, text)) {
        text.mX = ReadXmlInt(element, "x", 0);
        text.mY = ReadXmlInt(element, "y", 0);
        text.mW = ReadXmlInt(element, "w", 0);
        text.mH = ReadXmlInt(element, "h", 0);
    }
    text.mText = GetTerms()->GetWideText(ReadXmlString(element, "id", ""));
    text.mColor = ReadXmlColor(element, "color", TColor{0, 0, 0, 0});
    text.mAlign = ReadXmlInt(element, "align", 0);
    text.mFont = ReadXmlString(element, "font", "");
    text.mFontSize = ReadXmlInt(element, "fontsize", 0);
    return text;
}

} // namespace

void THelpPage::LoadFromXml(const TiXmlElement* element) {
    mDX = ReadXmlInt(element, "DX", 0);
    mDY = ReadXmlInt(element, "DY", 0);
    for (const TiXmlElement* child = element->FirstChildElement("text"); child != nullptr;
         child = child->NextSiblingElement("text")) {
        mTexts.push_back(ReadHelpText(child));
    }
    for (const TiXmlElement* child = element->FirstChildElement("image"); child != nullptr;
         child = child->NextSiblingElement("image")) {
        auto image = std::make_unique<StaticImage>();
        image->SetImage(ReadXmlString(child, "image", ""));
        mImages.push_back(std::move(image));
        mImageX.push_back(ReadXmlInt(child, "x", 0) + mDX);
        mImageY.push_back(ReadXmlInt(child, "y", 0) + mDY);
    }
    for (const TiXmlElement* child = element->FirstChildElement("cadrimage"); child != nullptr;
         child = child->NextSiblingElement("cadrimage")) {
        auto animation = std::make_unique<TCadrImage>();
        animation->LoadFromXml(child, true, "");
        mAnimations.push_back(std::move(animation));
        mAnimationX.push_back(ReadXmlInt(child, "x", 0) + mDX);
        mAnimationY.push_back(ReadXmlInt(child, "y", 0) + mDY);
    }
}

void THelpPage::RestartAnimations() {
    for (const std::unique_ptr<TCadrImage>& animation : mAnimations) {
        animation->Play(TCadrImage::kEndless);
    }
}

void THelpBook::Load(const std::string& file) {
    mCurrent = 0;
    mPages.clear();
    if (const TiXmlElement* root = LoadXmlRoot(file)) {
        TXmlRootWalk walk;
        for (const TiXmlElement* element = root->FirstChildElement("page"); element != nullptr;
             element = element->NextSiblingElement("page")) {
            auto page = std::make_unique<THelpPage>();
            page->LoadFromXml(element);
            mPages.push_back(std::move(page));
        }
    }
    ReleaseXmlRoot();
    mLabel = std::make_unique<TSimpleTextImage>();
    RestartCurrent();
}

THelpPage* THelpBook::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? mPages[static_cast<size_t>(index)].get() : nullptr;
}

void THelpBook::RestartCurrent() {
    if (THelpPage* page = GetPage(mCurrent)) {
        page->RestartAnimations();
    }
}

void THelpBook::NextPage() {
    if (mCurrent + 1 < GetPageCount()) {
        ++mCurrent;
    }
    RestartCurrent();
}

void THelpBook::PrevPage() {
    mCurrent = std::max(0, mCurrent - 1);
    RestartCurrent();
}

void THelpBook::UpdatePage(float dt) {
    if (THelpPage* page = GetPage(mCurrent)) {
        for (const std::unique_ptr<TCadrImage>& animation : page->mAnimations) {
            animation->Update(dt);
        }
    }
}

void THelpBook::DrawText(const THelpText& text, float alpha) {
    mLabel->SetFont(text.mFont.empty() ? "default" : text.mFont);
    mLabel->mColor = text.mColor;
    mLabel->mWidth = text.mW;
    mLabel->mHeight = text.mH;
    mLabel->mX = mOriginX + text.mX;
    mLabel->mY = mOriginY + text.mY;
    mLabel->mAlignment = text.mAlign;
    mLabel->mText = text.mText;
    // The label's colour carries no alpha of its own.
    mLabel->mAlpha = alpha * text.mColor.a;
    mLabel->DrawSelf();
}

void THelpBook::DrawPage(int index, float alpha) {
    const THelpPage* page = GetPage(index);
    if (page == nullptr || !mLabel) {
        return;
    }
    for (const THelpText& text : page->mTexts) {
        DrawText(text, alpha);
    }
    for (size_t i = 0; i < page->mImages.size(); ++i) {
        page->mImages[i]->SetPosition(static_cast<float>(mOriginX + page->mImageX[i]),
                                      static_cast<float>(mOriginY + page->mImageY[i]), false);
        page->mImages[i]->Draw(alpha);
    }
    for (size_t i = 0; i < page->mAnimations.size(); ++i) {
        page->mAnimations[i]->mImage.SetPosition(static_cast<float>(mOriginX + page->mAnimationX[i]),
                                                 static_cast<float>(mOriginY + page->mAnimationY[i]), false);
        page->mAnimations[i]->Draw(alpha);
    }
}

THelpWindow::THelpWindow(TFlyWindowListener* listener) : TFlyWindow(listener, true, kFile) {
    mId = kWindowId;
    mResult = -1;
    mPrevButton = dynamic_cast<TMyButton*>(FindChildByName("help_prev"));
    mCloseButton = dynamic_cast<TMyButton*>(FindChildByName("help_close"));
    mNextButton = dynamic_cast<TMyButton*>(FindChildByName("help_next"));
    mBook.Load(kBookFile);
    UpdateButtons();
}

bool THelpWindow::Update(float dt) {
    mBook.UpdatePage(dt);
    return TFlyWindow::Update(dt);
}

void THelpWindow::DrawSelf() {
    TFlyWindow::DrawSelf();
    mBook.mOriginX = mX + mDrawOffsetX;
    mBook.mOriginY = mY + mDrawOffsetY;
    mBook.DrawPage(mBook.GetCurrentPage(), 1.0f);
}

void THelpWindow::OnButtonClick(int, TMyWindow*, int buttonId, TMyButton*) {
    switch (buttonId) {
    case kPrevious:
        mBook.PrevPage();
        UpdateButtons();
        break;
    case kClose:
        StartFlyOut();
        break;
    case kNext:
        mBook.NextPage();
        UpdateButtons();
        break;
    default:
        break;
    }
}

void THelpWindow::ShowPage(int page) {
    for (int step = 0; step < page; ++step) {
        mBook.NextPage();
    }
    UpdateButtons();
}

void THelpWindow::ShowSinglePage(int page) {
    ShowPage(page);
    mSinglePage = true;
    if (mCloseButton != nullptr) {
        mCloseButton->mShown = true;
    }
    for (TMyButton* button : {mNextButton, mPrevButton}) {
        if (button != nullptr) {
            button->mShown = false;
            button->mMouseOver = false;
        }
    }
}

void THelpWindow::UpdateButtons() {
    auto show = [](TMyButton* button, bool shown) {
        if (button != nullptr) {
            button->mShown = shown;
            button->mMouseOver = button->mMouseOver && shown;
        }
    };
    show(mNextButton, mBook.GetCurrentPage() < mBook.GetPageCount() - 1);
    show(mPrevButton, !mSinglePage && mBook.GetCurrentPage() > 0);
}
