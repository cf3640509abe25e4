#include "profile_windows.h"

#include <SDL.h>

#include "app/renderer.h"
#include "app/settings.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "graphics/terms.h"
#include "windows/edit_field.h"
#include "windows/message_box.h"
#include "windows/window_manager.h"

namespace {

void TakeColor(TColor& target, const TColor& source) {
    if (source.a != 0) {
        target = source;
    }
}

std::unique_ptr<TMessageBoxOkWindow> MakeNotice(TFlyWindowListener* listener, const char* messageKey) {
    return std::make_unique<TMessageBoxOkWindow>(listener, "", messageKey, -1);
}

// The question before a profile is deleted; its confirming button says "Delete", not a bare "OK".
std::unique_ptr<TMessageBoxOkCancelWindow> MakeDeleteQuestion(TFlyWindowListener* listener) {
    auto box =
        std::make_unique<TMessageBoxOkCancelWindow>(listener, "", "DeleteWarning", TSelectUserWindow::kDeleteConfirmId);
    auto* ok = dynamic_cast<TMyButton*>(box->FindChildByName("ok"));
    if (ok != nullptr && ok->GetCaption() != nullptr) {
        ok->GetCaption()->SetTextKey("users_delete");
        ok->GetCaption()->RefreshText();
    }
    return box;
}

} // namespace

void TRowColors::LoadFromXml(const TiXmlElement* element) {
    mOver = ReadXmlColor(element, "overcolor", kUIClearColor);
    mBack = ReadXmlColor(element, "backcolor", kUIClearColor);
    mSelected = ReadXmlColor(element, "selectedcolor", kUIClearColor);
    mFrame = ReadXmlColor(element, "framecolor", kUIClearColor);
}

void TUITextSelected::LoadFromXml(const TiXmlElement* element) {
    TUIImageText::LoadFromXml(element);
    mRow.LoadFromXml(element);
    mKind = kUIKindTextSelectUser;
}

void TUITextSelected::ApplyStyle(const TUIStyle& style) {
    TUIText::ApplyStyle(style);
    const auto* rowStyle = dynamic_cast<const TUISelectedTextStyle*>(&style);
    if (rowStyle == nullptr) {
        return;
    }
    TakeColor(mRow.mOver, rowStyle->mRow.mOver);
    TakeColor(mRow.mBack, rowStyle->mRow.mBack);
    TakeColor(mRow.mSelected, rowStyle->mRow.mSelected);
    TakeColor(mRow.mFrame, rowStyle->mRow.mFrame);
    TakeColor(mColor, rowStyle->mColor);
}

void TUISelectedTextStyle::LoadFromXml(const TiXmlElement* element) {
    TUIStyle::LoadFromXml(element);
    mRow.LoadFromXml(element);
}

std::unique_ptr<TUIBaseBox> TUIInfoHolderSelectUser::CreateObject(const std::string& type) {
    if (type == "textselectuser") {
        return std::make_unique<TUITextSelected>();
    }
    return TUIInfoHolder::CreateObject(type);
}

std::unique_ptr<TUIStyle> TUIInfoHolderSelectUser::CreateStyle(const std::string& type) {
    if (type == "textselectuser") {
        return std::make_unique<TUISelectedTextStyle>();
    }
    return TUIInfoHolder::CreateStyle(type);
}

TSimpleTextSelected::TSimpleTextSelected(TMyWindowContainer* parent, const TUITextSelected& box)
    : TSimpleTextImage(parent), mRowOverColor(box.mRow.mOver), mBackColor(box.mRow.mBack), mFrameColor(box.mRow.mFrame),
      mRowSelectedColor(box.mRow.mSelected), mNormalColor(box.mColor) {
    ApplyDescription(const_cast<TUITextSelected*>(&box));
    mColor = mNormalColor;
    // The label's own pointer-over tint stays that of a row not under the pointer.
    mOverColor = mNormalColor;
}

void TSimpleTextSelected::SetRowSelected(bool selected) {
    mRowSelected = selected;
    mColor = selected ? mRowSelectedColor : mNormalColor;
    mOverColor = mColor;
}

void TSimpleTextSelected::DrawSelf() {
    const int x = mX + mDrawOffsetX;
    const int y = mY + mDrawOffsetY;
    if (x >= 0 && y >= 0) {
        if (mRowSelected && mBackColor.a != 0) {
            GetRenderer()->FillRect(x, y, mWidth, mHeight, mBackColor);
        }
        if (mFrameColor.a != 0) {
            DrawRectFrame(x, y, mWidth, mHeight, mFrameColor);
        }
    }
    TSimpleTextImage::DrawSelf();
}

void TSimpleTextSelected::OnMouseEnter() {
    if (!mRowSelected) {
        mColor = mRowOverColor;
        mOverColor = mRowOverColor;
    }
}

void TSimpleTextSelected::OnMouseLeave() {
    if (!mRowSelected) {
        mColor = mNormalColor;
        mOverColor = mNormalColor;
    }
}

TSelectUserWindow::TSelectUserWindow(TFlyWindowListener* listener) : TFlyWindow(listener, false, kFile) {
    TFlyWindow::Load(kFile, true);
    ResetFlight();
    mId = kWindowId;
    mDeleteButton = dynamic_cast<TMyButton*>(FindChildByName("delete"));
    mOkButton = dynamic_cast<TMyButton*>(FindChildByName("ok"));
    mCreateButton = dynamic_cast<TMyButton*>(FindChildByName("create"));
    for (int row = 0; row < kRows; ++row) {
        mRows[row] = dynamic_cast<TSimpleTextSelected*>(FindChildByName(FormatString("name%i", row + 1)));
    }
    SetButtonsListener(this);
    const TSettings* settings = TSettings::Get();
    const int users = settings != nullptr ? settings->GetUserCount() : 0;
    if (users > 0) {
        const int current = settings->GetCurrentUser();
        mSelectedIndex = current >= 0 && current < users ? current : 0;
    }
    FillRows();
    UpdateDeleteButton();
}

std::unique_ptr<TUIInfoHolder> TSelectUserWindow::CreateHolder() {
    return std::make_unique<TUIInfoHolderSelectUser>();
}

TMyWindow* TSelectUserWindow::CreateControl(TUIBaseBox* box) {
    if (box != nullptr && box->mCreate && box->mKind == kUIKindTextSelectUser) {
        if (auto* row = dynamic_cast<TUITextSelected*>(box)) {
            return new TSimpleTextSelected(this, *row);
        }
        return nullptr;
    }
    return TFlyWindow::CreateControl(box);
}

void TSelectUserWindow::FillRows() {
    for (TSimpleTextSelected* row : mRows) {
        if (row != nullptr) {
            row->SetTextKey("");
            row->ClearText();
            row->SetRowSelected(false);
            row->SetListener(this);
        }
    }
    const TSettings* settings = TSettings::Get();
    const int users = settings != nullptr ? std::min(settings->GetUserCount(), kRows) : 0;
    for (int user = 0; user < users; ++user) {
        if (TSimpleTextSelected* row = mRows[user]) {
            // Names are saved as UTF-8.
            row->SetText(settings->GetUserNameAt(user));
            row->SetRowSelected(user == mSelectedIndex);
        }
    }
}

void TSelectUserWindow::UpdateDeleteButton() {
    const TSettings* settings = TSettings::Get();
    if (mDeleteButton != nullptr) {
        mDeleteButton->mDisabled = settings == nullptr || settings->GetUserCount() == 0;
    }
}

void TSelectUserWindow::OnWindowMouseUp(TMyWindow* window, const TMouseEvent&) {
    const TSettings* settings = TSettings::Get();
    const int users = settings != nullptr ? settings->GetUserCount() : 0;
    for (int row = 0; row < kRows && row < users; ++row) {
        if (window != nullptr && window == mRows[row]) {
            if (row != mSelectedIndex) {
                mSelectedIndex = row;
                mSelectionMade = true;
            }
            for (int other = 0; other < kRows && other < users; ++other) {
                if (mRows[other] != nullptr) {
                    mRows[other]->SetRowSelected(other == mSelectedIndex);
                }
            }
            return;
        }
    }
}

void TSelectUserWindow::OnButtonClick(int, TMyWindow*, int buttonId, TMyButton*) {
    const TSettings* settings = TSettings::Get();
    TMyWindowManager* manager = TMyWindowManager::Get();
    switch (buttonId) {
    case kCreate:
        if (settings != nullptr && settings->GetUserCount() >= kRows) {
            manager->ShowPopup(MakeNotice(this, "NoMorePlayersAvalible"));
        } else {
            ShowUserNameWindow(this);
        }
        break;
    case kDelete:
        // Nothing to delete: the button is disabled, and a selection may be gone.
        if (mSelectedIndex >= 0) {
            manager->ShowPopup(MakeDeleteQuestion(this));
        }
        break;
    case kOk:
    case kClose:
        Close(0);
        break;
    default:
        break;
    }
}

void TSelectUserWindow::OnFlyWindowClosed(TFlyWindow* window, int windowId, int result) {
    TSettings* settings = TSettings::Get();
    if (settings == nullptr || result != 1) {
        return;
    }
    if (windowId == kDeleteConfirmId && mSelectedIndex >= 0) {
        settings->DeleteUser(mSelectedIndex);
        mSelectionMade = true;
        mSelectedIndex = settings->GetUserCount() == 0 ? -1 : 0;
        FillRows();
        UpdateDeleteButton();
    } else if (windowId == TUserNameWindow::kWindowId) {
        AddEnteredUser(window);
    }
}

void TSelectUserWindow::AddEnteredUser(TFlyWindow* nameWindow) {
    auto* names = dynamic_cast<TUserNameWindow*>(nameWindow);
    TSettings* settings = TSettings::Get();
    if (names == nullptr) {
        return;
    }
    const std::string name = names->GetName();
    if (name.empty() || settings->HasUserNamed(name)) {
        TMyWindowManager::Get()->ShowPopup(MakeNotice(this, "EnterCorrectName"));
        return;
    }
    settings->AddUser(name);
    mSelectedIndex = settings->GetCurrentUser();
    mSelectionMade = true;
    FillRows();
    UpdateDeleteButton();
}

TUserNameWindow::TUserNameWindow(TFlyWindowListener* listener) : TFlyWindow(listener, true, kFile) {
    mId = kWindowId;
    mEdit = dynamic_cast<TMyEditWindow*>(FindChildByName("edit"));
    SDL_StartTextInput();
    if (mEdit != nullptr) {
        mEdit->mMaxLength = kMaxNameLength;
        mEdit->SetListener(this);
        mEdit->SetText(GetTerms()->GetWideText("defaultname"), false);
    }
}

TUserNameWindow::~TUserNameWindow() {
    SDL_StopTextInput();
}

bool TUserNameWindow::AcceptChar(int, int c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0x410 && c <= 0x44F);
}

void TUserNameWindow::OnButtonClick(int, TMyWindow*, int buttonId, TMyButton*) {
    if (buttonId == 1) {
        if (mEdit != nullptr && !mEdit->mText.empty()) {
            Close(1);
        }
        return;
    }
    Close(buttonId);
}

std::string TUserNameWindow::GetName() const {
    return mEdit != nullptr ? ToUtf8(mEdit->mText) : std::string();
}

void ShowUserNameWindow(TFlyWindowListener* listener) {
    TMyWindowManager::Get()->ShowPopup(std::make_unique<TUserNameWindow>(listener));
}
