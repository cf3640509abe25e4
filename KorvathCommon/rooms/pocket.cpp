#include "rooms/pocket.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>

#include "app/display_modes.h"
#include "app/user_info.h"
#include "app/xml_reader.h"
#include "objects/object.h"
#include "rooms/show_pocket_effector.h"
#include "windows/mouse_event.h"
#include "windows/viewport.h"

namespace {

constexpr float kZoomedOutScale = 0.2f;

TShowPocketEffector* AsZoom(const std::unique_ptr<TEffector>& effector) {
    return dynamic_cast<TShowPocketEffector*>(effector.get());
}

} // namespace

TPocket::TPocket() {
    mShowSound = "showpocket";
    mHideSound = "hidepocket";
}

void TPocket::LoadFromXml(const TiXmlElement* element) {
    TRoom::LoadFromXml(element);
    mConfiguredBox = {mX, mY, mW, mH};
    mShowSound = ReadXmlString(element, "showsound", "showpocket");
    mHideSound = ReadXmlString(element, "hidesound", "hidepocket");
    mLoadTexturesOnLoadOwner = ReadXmlBool(element, "loadtexturesonloadowner", false);
    mToolsToClose.clear();
    ReadXmlStringList(element, "toolstoclosepocket", ',', mToolsToClose);
    mBoxObject = ReadXmlString(element, "boxobj", "");
    mBackImageX = ReadXmlInt(element, "backimagex", 0);
    mBackImageY = ReadXmlInt(element, "backimagey", 0);
    mAppearEffector.reset();
    if (TEffectorsFactory::GetInstance() != nullptr && ReadXmlBool(element, "alloweffectorshow", true)) {
        mAppearEffector = TEffectorsFactory::GetInstance()->Create(ReadXmlString(element, "effector", "showpocket"));
    }
    mActivateShadow = ReadXmlBool(element, "activateshadow", true);
    const std::string frame = ReadXmlString(element, "frame", "");
    mStartX = ReadXmlFloat(element, "startx", kNotGiven);
    mStartY = ReadXmlFloat(element, "starty", kNotGiven);
    if (!frame.empty()) {
        mFrameImage.SetPosition(static_cast<float>(ReadXmlInt(element, "framex", 0)),
                                static_cast<float>(ReadXmlInt(element, "framey", 0)), false);
        mFrameImage.mImageName = frame;
        mFrameImage.mVisible = true;
    } else {
        mFrameImage.mVisible = false;
    }
    mAppearTime = ReadXmlFloat(element, "appeartime", 0.3f);
    mDisappearTime = ReadXmlFloat(element, "disappeartime", 0.3f);
}

// Without a start point the pocket grows from its box centre: the largest float has no place on screen.
float TPocket::GetStartX() const {
    return mStartX >= kNotGiven ? static_cast<float>(mX) + static_cast<float>(mW) / 2 : mStartX;
}

float TPocket::GetStartY() const {
    return mStartY >= kNotGiven ? static_cast<float>(mY) + static_cast<float>(mH) / 2 : mStartY;
}

std::string TPocket::GetPairName() const {
    return (mParent != nullptr ? mParent->mName : std::string()) + "." + mName;
}

bool TPocket::InBox(int x, int y) const {
    return x >= mX && x < mX + mW && y >= mY && y < mY + mH;
}

void TPocket::LoadImages(bool flag) {
    if (mImagesLoaded) {
        return;
    }
    TRoom::LoadImages(flag);
    if (mFrameImage.mVisible && !mFrameImage.mImageName.empty()) {
        mFrameImage.SetImage(mFrameImage.mImageName);
    }
    bool any = false;
    float left = 0, top = 0, right = 0, bottom = 0;
    for (const auto& object : mObjects) {
        if (!object->mVisible) {
            continue;
        }
        float rect[4];
        object->GetRect(rect);
        left = any ? std::min(left, rect[0]) : rect[0];
        top = any ? std::min(top, rect[1]) : rect[1];
        right = any ? std::max(right, rect[0] + rect[2]) : rect[0] + rect[2];
        bottom = any ? std::max(bottom, rect[1] + rect[3]) : rect[1] + rect[3];
        any = true;
    }
    const int bounds[4] = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                           static_cast<int>(bottom - top)};
    int* box[4] = {&mX, &mY, &mW, &mH};
    for (size_t i = 0; i < 4; ++i) {
        *box[i] = mConfiguredBox[i] != 0 ? mConfiguredBox[i] : bounds[i];
    }
}

void TPocket::UnloadImages() {
    if (!mImagesLoaded) {
        return;
    }
    TRoom::UnloadImages();
    mFrameImage.ReleaseImage();
}

void TPocket::Show() {
    LoadImages(false);
    TRoom::Show();
    const float designW = static_cast<float>(GetDisplay().mDesignWidth);
    const float designH = static_cast<float>(GetDisplay().mDesignHeight);
    auto* parent = dynamic_cast<TRoom*>(mParent);
    TShowPocketEffector* parentZoom = parent != nullptr ? AsZoom(parent->mAppearEffector) : nullptr;
    if (parentZoom != nullptr && parent->IsKind(kKindRoom | kKindListRoom) && mAppearTime > 0) {
        const int ox = std::min(0, static_cast<int>(designW / 2 - GetStartX()));
        const int oy = std::min(0, static_cast<int>(designH / 2 - GetStartY()));
        const float sx = ox == 0 ? 1.0f : std::fabs(designW / static_cast<float>(ox));
        const float sy = oy == 0 ? 1.0f : std::fabs(designH / static_cast<float>(oy));
        parentZoom->Setup(0, 0, static_cast<float>(ox), static_cast<float>(oy), 1.0f, 1.0f, mAppearTime);
        parentZoom->mEndScaleX = sx;
        parentZoom->mEndScaleY = sy;
        parentZoom->Start();
        parentZoom->SetOwner(&parent->mDrawState);
        parentZoom->mClosing = 0;
        parentZoom->mPocketListener = nullptr;
        mDrawState.SetScaleXY(sx, sy);
        mDrawState.SetPosition(0, 0, false);
    }
    if (TShowPocketEffector* zoom = AsZoom(mAppearEffector); zoom != nullptr && mAppearTime > 0) {
        zoom->Setup(GetStartX(), GetStartY(), static_cast<float>(mX), static_cast<float>(mY), kZoomedOutScale, 1.0f,
                    mAppearTime);
        zoom->Start();
        zoom->SetOwner(&mDrawState);
        zoom->mPocketListener = nullptr;
        zoom->mClosing = 0;
        mDrawState.SetScale(kZoomedOutScale);
        mDrawState.SetPosition(GetStartX(), GetStartY(), false);
    }
}

void TPocket::Hide() {
    if (TShowPocketEffector* zoom = AsZoom(mAppearEffector); zoom != nullptr && mDisappearTime > 0) {
        zoom->Setup(mDrawState.GetX(), mDrawState.GetY(), GetStartX(), GetStartY(), 1.0f, kZoomedOutScale,
                    mDisappearTime);
        zoom->mClosing = 1;
        zoom->Start();
        zoom->SetOwner(&mDrawState);
        zoom->mPocketListener = dynamic_cast<TRoom*>(mParent);
    }
    TRoom::Hide();
    TUserInfo::Get()->AddPair("PH", GetPairName());
}

void TPocket::Complete() {
    TRoom::Complete();
    ApplyPathGroups(mLists.onComplete, 0);
    ApplyFlagGroup(0, mLists.flags);
    ApplyStateGroup(0, mLists.states);
    TUserInfo::Get()->AddPair("PD", GetPairName());
}

void TPocket::Draw() {
    if (mAppearEffector && mAppearEffector->mOwner != nullptr) {
        ResetViewport();
    }
    TRoom::Draw();
    if (mFrameImage.mVisible) {
        mFrameImage.Draw(1.0f);
    }
    DrawLayer(3);
}

bool TPocket::OnMouseDown(const TMouseEvent& event) {
    mTransientText.clear();
    return TRoom::OnMouseDown(event);
}

bool TPocket::OnMouseMove(const TMouseEvent& event) {
    if (!InBox(event.x, event.y) || mInputLocked) {
        return false;
    }
    if (mOpenSubSpace != nullptr) {
        mOpenSubSpace->OnMouseMove(event);
    } else {
        TGameSpace::OnMouseMove(event);
    }
    return false;
}

bool TPocket::OnMouseUp(const TMouseEvent& event) {
    return TRoom::OnMouseUp(event);
}

void TPocket::MoveObjectsBy(int dx, int dy) {
    if (dx == 0 && dy == 0) {
        return;
    }
    for (const auto& object : mObjects) {
        object->MoveBy(dx, dy);
    }
}

TEffector* TPocket::GetEffector(size_t index) {
    auto* parent = dynamic_cast<TGameSpace*>(mParent);
    return parent != nullptr ? parent->GetEffector(index) : nullptr;
}

size_t TPocket::GetEffectorCount() const {
    auto* parent = dynamic_cast<const TGameSpace*>(mParent);
    return parent != nullptr ? parent->GetEffectorCount() : 0;
}

TObjectSpace* TPocket::FindPocket(const std::string& name) {
    if (name == mName) {
        return this;
    }
    for (const auto& pocket : mPockets) {
        if (pocket->mName == name) {
            return pocket.get();
        }
    }
    return nullptr;
}
