#include "rooms/ghost_catcher_tool.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>

#include "app/xml_reader.h"

namespace {

std::string Prefixed(const std::string& prefix, const std::string& name) {
    return name.empty() ? std::string() : prefix + name;
}

void LoadNamed(StaticImage& image, const std::string& name) {
    if (!name.empty()) {
        image.SetImage(name);
    }
}

} // namespace

TGhostCatcherTool::TGhostCatcherTool() {
    mViewer.mWithAlpha = true;
    mViewer.mStretch = false;
    mViewer.mMaxCountActive = kViewerMaxActivations;
}

TGhostCatcherTool::~TGhostCatcherTool() {
    mCatchEffect.reset();
    UnloadImages();
}

void TGhostCatcherTool::LoadFromXml(const TiXmlElement* element) {
    TTool::LoadFromXml(element);
    const std::string folder = ReadXmlString(element, "folder", "");
    const std::string prefix = folder.empty() ? std::string() : "textures/tools/" + folder;
    mShapeName = Prefixed(prefix, ReadXmlString(element, "shape", ""));
    mTargetName = Prefixed(prefix, ReadXmlString(element, "target", ""));
    mFingerName = Prefixed(prefix, ReadXmlString(element, "finger", ""));
    mGlowName = Prefixed(prefix, ReadXmlString(element, "glow", ""));
    mFingerX = ReadXmlInt(element, "fingerx", 0);
    mFingerY = ReadXmlInt(element, "fingery", 0);
    mEyeX = ReadXmlInt(element, "eyex", 0);
    mEyeY = ReadXmlInt(element, "eyey", 0);
    mGlowX = ReadXmlInt(element, "glowx", 0);
    mGlowY = ReadXmlInt(element, "glowy", 0);
    mVideoX = ReadXmlInt(element, "videox", 0);
    mVideoY = ReadXmlInt(element, "videoy", 0);
    mViewer.mImageName = Prefixed(prefix, ReadXmlString(element, "video", ""));
    mRunEffect = ReadXmlBool(element, "runeffect", false);
    mEyes.clear();
    for (const TiXmlElement* eye = element != nullptr ? element->FirstChildElement("eye") : nullptr; eye != nullptr;
         eye = eye->NextSiblingElement("eye")) {
        TCatcherEyeFrame frame;
        frame.name = Prefixed(prefix, ReadXmlString(eye, "name", ""));
        frame.x = ReadXmlInt(eye, "x", 0);
        frame.y = ReadXmlInt(eye, "y", 0);
        mEyes.push_back(std::move(frame));
    }
    mFinger.SetPosition(static_cast<float>(mFingerX), static_cast<float>(mFingerY), false);
}

void TGhostCatcherTool::LoadImages() {
    if (AreImagesLoaded()) {
        return;
    }
    TTool::LoadImages();
    LoadNamed(mShape, mShapeName);
    LoadNamed(mTarget, mTargetName);
    LoadNamed(mFinger, mFingerName);
    LoadNamed(mGlow, mGlowName);
    for (TCatcherEyeFrame& eye : mEyes) {
        LoadNamed(eye.image, eye.name);
    }
    if (!mViewer.mImageName.empty()) {
        mViewer.LoadResources();
    }
}

void TGhostCatcherTool::UnloadImages() {
    if (!AreImagesLoaded()) {
        return;
    }
    TTool::UnloadImages();
    mShape.ReleaseImage();
    mTarget.ReleaseImage();
    mFinger.ReleaseImage();
    mGlow.ReleaseImage();
    for (TCatcherEyeFrame& eye : mEyes) {
        eye.image.ReleaseImage();
    }
    mViewer.UnloadResources();
}

void TGhostCatcherTool::SetCatchProgress(float f) {
    mTargetAlpha = 1.0f - std::min(f, 1.0f);
    const int count = static_cast<int>(mEyes.size());
    const float frame = static_cast<float>(count) * f;
    // Compared in floats first, so a huge progress cannot overflow the int.
    mEyeIndex = frame >= static_cast<float>(count) ? count : std::max(0, static_cast<int>(frame));
}

void TGhostCatcherTool::StartCatchEffect(int x, int y) {
    mCatchEffect.reset();
    mCatchEffect = std::make_unique<TEffectCatchGhostFull>(x, y, x, y + kCatchDrop);
}

void TGhostCatcherTool::StopViewer() {
    mViewer.mStopped = true;
    mViewer.mFrameReady = false;
    mViewer.FinishPlayback();
}

void TGhostCatcherTool::Apply(int x, int y, int toolClicks) {
    TTool::Apply(x, y, toolClicks);
    mFingerTimer.Set(0, 1, kFingerSeconds, true);
    mGlowCycler.Setup(0, 1, 0, kGlowSegmentSeconds);
    mGlowCycler.stopHalfWay = true;
    mFinger.SetVisible(false);
    mState = 1;
    SetCatchProgress(10000);
    if (mRunEffect) {
        StartCatchEffect(x, y);
    }
    mViewer.mFrameReady = false;
    mViewer.mStopped = true;
    mViewer.FinishPlayback();
    mViewer.UnloadResources();
    mViewer.Activate(0, 0, 0);
    // The video starts again around the pointer.
    const TVideoWindow* window = mViewer.GetWindow();
    const int width = window != nullptr ? static_cast<int>(window->GetFrameWidth()) : 0;
    const int height = window != nullptr ? static_cast<int>(window->GetPictureHeight()) : 0;
    const int left = x - width / 2, top = y - height / 2;
    mViewer.SetPosition(static_cast<float>(left), static_cast<float>(top), true);
}

void TGhostCatcherTool::Take() {
    TTool::Take();
    mCatchEffect.reset();
    mFinger.SetVisible(true);
    mState = 0;
    mFingerTimer.SetValue(0);
    mGlowCycler = TValueCycler();
    mGlow.mAlpha = 0;
    StopViewer();
}

void TGhostCatcherTool::Release() {
    TTool::Release();
    mTargetAlpha = 0;
    mState = 0;
    mGlowCycler = TValueCycler();
    mGlow.mAlpha = 0;
    mCatchEffect.reset();
    StopViewer();
}

void TGhostCatcherTool::Update(float seconds) {
    TTool::Update(seconds);
    if (mState == 1 && mFingerTimer.Update(seconds)) {
        mFinger.SetVisible(true);
        mState = 0;
    }
    mGlowCycler.Update(seconds);
    mGlow.mAlpha = mGlowCycler.tween.current;
    if (mCatchEffect && mCatchEffect->Update(seconds)) {
        mCatchEffect.reset();
    }
    mViewer.Update(seconds);
}

void TGhostCatcherTool::DrawAt(int x, int y, float a, float b) {
    mViewer.DrawFrame();
    if (mCatchEffect) {
        mCatchEffect->DrawEffect();
    }
    TTool::DrawAt(x, y, a, b);
    const auto [hx, hy] = GetHotPoint();
    mTarget.SetPosition(static_cast<float>(x + hx), static_cast<float>(y + hy), true);
    mTarget.mAlpha = mTargetAlpha;
    mTarget.Draw(1.0f);
}

void TGhostCatcherTool::DrawOverlayAt(int x, int y, float a, float b) {
    TTool::DrawOverlayAt(x, y, a, b);
    mFinger.SetPosition(static_cast<float>(x + mFingerX), static_cast<float>(y + mFingerY), false);
    mFinger.Draw(1.0f);
    mGlow.SetPosition(static_cast<float>(x + mGlowX), static_cast<float>(y + mGlowY), false);
    mGlow.Draw(1.0f);
    if (mEyeIndex >= 1 && mEyeIndex <= static_cast<int>(mEyes.size())) {
        TCatcherEyeFrame& eye = mEyes[static_cast<size_t>(mEyeIndex - 1)];
        eye.image.SetPosition(static_cast<float>(x + mEyeX + eye.x), static_cast<float>(y + mEyeY + eye.y), false);
        eye.image.Draw(1.0f);
    }
}

std::unique_ptr<TTool> CreateTool(const std::string& type) {
    if (type == "ghostcatcher") {
        return std::make_unique<TGhostCatcherTool>();
    }
    return std::make_unique<TTool>();
}
