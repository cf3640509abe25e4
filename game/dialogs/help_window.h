#pragma once
// The help book and the window that pages through it. Each page of "help.xml" holds positioned texts,
// still images and looping frame animations; the window shows one page at a time with previous, next and
// close buttons, or a single page with only the close button.

#include "app/weak_ref.h"
#include <memory>
#include <string>
#include <vector>

#include "app/color.h"
#include "graphics/cadr_image.h"
#include "graphics/static_image.h"
#include "windows/fly_window.h"
#include "windows/text_label.h"

class TiXmlElement;

struct THelpText {
    int mX = 0;
    int mY = 0;
    int mW = 0;
    int mH = 0;
    std::wstring mText;
    int mAlign = 0;
    TColor mColor{0, 0, 0, 0};
    int mFontSize = 0;
    std::string mFont;
};

class THelpPage {
public:
    void LoadFromXml(const TiXmlElement* element);
    // Every animation from its start, looping for ever.
    void RestartAnimations();

    int mDX = 0;
    int mDY = 0;
    std::vector<THelpText> mTexts;
    std::vector<std::unique_ptr<StaticImage>> mImages;
    // Positions already hold the page's DX, DY; the texts' do not.
    std::vector<int> mImageX;
    std::vector<int> mImageY;
    std::vector<std::unique_ptr<TCadrImage>> mAnimations;
    std::vector<int> mAnimationX;
    std::vector<int> mAnimationY;
};

class THelpBook {
public:
    // A file that cannot be read leaves the book without pages.
    void Load(const std::string& file);
    void DrawPage(int index, float alpha);
    void UpdatePage(float dt);
    // Past either end the page stays; its animations restart either way.
    void NextPage();
    void PrevPage();

    int GetPageCount() const { return static_cast<int>(mPages.size()); }
    int GetCurrentPage() const { return mCurrent; }
    THelpPage* GetPage(int index) const;

    int mOriginX = 0;
    int mOriginY = 0;

private:
    void RestartCurrent();
    void DrawText(const THelpText& text, float alpha);

    std::vector<std::unique_ptr<THelpPage>> mPages;
    int mCurrent = 0;
    std::unique_ptr<TSimpleTextImage> mLabel;
};

class THelpWindow : public TFlyWindow {
public:
    static constexpr int kWindowId = 333;
    static constexpr const char* kFile = "ui/help.xml";
    static constexpr const char* kBookFile = "help.xml";
    enum THelpButton : int { kPrevious = 1, kClose = 2, kNext = 3 };

    explicit THelpWindow(TFlyWindowListener* listener);

    bool Update(float dt) override;
    void DrawSelf() override;
    // Never stores a result: the window always reports -1.
    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;

    void ShowPage(int page);
    // The page alone, with only the close button.
    void ShowSinglePage(int page);

    const THelpBook& GetBook() const { return mBook; }
    // A help window without its close button could never be left: it is not shown.
    bool CanBeClosed() const { return mCloseButton != nullptr; }

private:
    void UpdateButtons();

    THelpBook mBook;
    TWeakRef<TMyButton> mPrevButton;
    TWeakRef<TMyButton> mNextButton;
    TWeakRef<TMyButton> mCloseButton;
    bool mSinglePage = false;
};
