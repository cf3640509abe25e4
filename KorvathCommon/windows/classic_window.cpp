#include "windows/classic_window.h"

#include "app/display_modes.h"
#include "graphics/build_maps_scope.h"
#include "graphics/texture.h"
#include "windows/game_cursors.h"
#include "windows/image_control.h"
#include "windows/image_parts.h"
#include "windows/text_label.h"
#include "windows/ui_button_box.h"
#include "windows/ui_image_box.h"
#include "windows/ui_text_box.h"
#include "windows/ui_window_box.h"

namespace {
// The box as T when its kind and class are T's, else null: a box is never used as a class it is not.
template <class T> T* BoxAs(TUIBaseBox* box) {
    return T::HasKind(box->mKind) ? dynamic_cast<T*>(box) : nullptr;
}
} // namespace

TClassicWindow::TClassicWindow(const std::string& file, bool load) {
    mFade.SetValue(1.0f);
    if (load) {
        TClassicWindow::Load(file, false);
    }
}

TClassicWindow::TClassicWindow(const std::string& boxName) {
    mId = kGlobalBoxWindowId;
    mFade.SetValue(1.0f);
    mDescription = FindUIObject<TUIClassicWindow>(*TUIInfoHolder::GetGlobal(), boxName);
    ApplyWindowDescription(mDescription);
    SetSizeAndCenter();
}

TClassicWindow::~TClassicWindow() {
    // The controls go before the holder their boxes came from.
    RemoveAllChildren(true, false);
    mDescription = nullptr;
    mHolder.reset();
    mBackground.ReleaseImage();
}

void TClassicWindow::Load(const std::string& file, bool /*loadClassicPart*/) {
    mDescription = nullptr;
    mHolder.reset();
    mHolder = CreateHolder();
    mHolder->LoadFromFile(file);
    mFade.SetValue(1.0f);
    SetAlpha(mFade.current);
    mDescription = FindUIObject<TUIClassicWindow>(*mHolder, "window");
    ApplyWindowDescription(mDescription);
    for (const std::unique_ptr<TUIBaseBox>& box : mHolder->GetObjects()) {
        CreateControl(box.get());
    }
    SetSizeAndCenter();
}

std::unique_ptr<TUIInfoHolder> TClassicWindow::CreateHolder() {
    return std::make_unique<TUIInfoHolder>();
}

TMyWindow* TClassicWindow::CreateControl(TUIBaseBox* box) {
    if (box == nullptr || !box->mCreate) {
        return nullptr;
    }
    switch (box->mKind) {
    case kUIKindButton:
        if (auto* description = BoxAs<TUIMyButton>(box)) {
            TMyButton* button = TMyButton::Create(description, this);
            button->mButtonListener = this;
            return button;
        }
        break;
    case kUIKindImageText:
        if (auto* description = BoxAs<TUIImageText>(box)) {
            return TSimpleTextImage::Create(description, this);
        }
        break;
    case kUIKindSlider:
        if (auto* description = BoxAs<TUIBaseSlider>(box)) {
            TBaseSlider* slider = TBaseSlider::Create(description, this);
            slider->mSliderListener = this;
            return slider;
        }
        break;
    case kUIKindEdit:
        if (auto* description = BoxAs<TUIEdit>(box)) {
            TMyEditWindow* field = TMyEditWindow::Create(description, this);
            field->mEditListener = this;
            return field;
        }
        break;
    case kUIKindImage:
        if (auto* description = BoxAs<TUIMyImage>(box)) {
            return TMyImage::Create(description, this);
        }
        break;
    default:
        break;
    }
    return nullptr;
}

void TClassicWindow::ApplyWindowDescription(TUIClassicWindow* description) {
    if (description == nullptr) {
        return;
    }
    // A background is never hit-tested by its alpha, so no alpha map is built for it.
    {
        TBuildMapsScope maps(false);
        mBackground.SetImage(description->mImage);
    }
    mBackground.SetPosition(0, 0, false);
    if (description->mAlphaTime == 0) {
        mFade.SetValue(1.0f);
    }
    SetAlpha(mFade.current);
}

void TClassicWindow::SetSizeAndCenter() {
    const TDisplayValues& display = GetDisplay();
    const int imageWidth = mBackground.mW > 0 ? static_cast<int>(mBackground.mW) : TextureWidth(mBackground);
    const int imageHeight = mBackground.mH > 0 ? static_cast<int>(mBackground.mH) : TextureHeight(mBackground);
    int width = imageWidth > 0 ? imageWidth : display.mDesignWidth;
    int height = imageHeight > 0 ? imageHeight : display.mDesignHeight;
    if (mDescription != nullptr && mDescription->mW > 0) {
        width = mDescription->mW;
    }
    if (mDescription != nullptr && mDescription->mH > 0) {
        height = mDescription->mH;
    }
    if (mDescription == nullptr) {
        SetRect(0, 0, width, height);
        return;
    }
    SetRect(mDescription->mX - width / 2, mDescription->mY - height / 2, width, height);
}

float TClassicWindow::GetAlphaTime() const {
    return mDescription != nullptr ? mDescription->mAlphaTime : 0.0f;
}

bool TClassicWindow::Update(float dt) {
    TMyWindow::Update(dt);
    mFade.Update(dt);
    SetAlpha(mFade.current);
    return mCloseRequest;
}

void TClassicWindow::PlaceBackground() {
    mBackground.SetPosition(static_cast<float>(mX + mDrawOffsetX), static_cast<float>(mY + mDrawOffsetY), false);
}

void TClassicWindow::DrawSelf() {
    PlaceBackground();
    mBackground.Draw(mFade.current);
}

void TClassicWindow::OnShow() {
    TMyWindow::OnShow();
    const float alphaTime = GetAlphaTime();
    if (alphaTime > 0) {
        mFade.Set(0.0f, 1.0f, alphaTime, true);
    } else {
        mFade.SetValue(1.0f);
    }
    SetAlpha(mFade.current);
    TGameCursors::Get()->SetDefault();
}

void TClassicWindow::OnHide() {
    TMyWindow::OnHide();
    const float alphaTime = GetAlphaTime();
    if (alphaTime > 0) {
        const float from = mFade.current;
        mFade.Set(from, 0.0f, from * alphaTime, true);
    } else {
        mFade.SetValue(0.0f);
    }
    SetAlpha(mFade.current);
}

void TClassicWindow::MoveTo(int x, int y) {
    SetRect(x - GetWidth() / 2, y - GetHeight() / 2, GetWidth(), GetHeight());
}

void TClassicWindow::SetButtonsListener(TMyButtonListener* listener) {
    for (TMyWindow* child : mChildren) {
        if (child->GetType() != kWindowKindButton) {
            continue;
        }
        if (auto* button = dynamic_cast<TMyButton*>(child)) {
            button->mButtonListener = listener;
        }
    }
}

void TClassicWindow::Close(int result) {
    mResult = result;
    mCloseRequest = true;
}
