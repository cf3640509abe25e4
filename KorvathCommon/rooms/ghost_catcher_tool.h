#pragma once
// The ghost catcher: the inventory tool through which ghosts and infrared objects are seen and caught.
// While it is held the room uses its shape image as the lens over the objects under it; the tool draws a
// viewer video, a target, a finger, a glow and a row of eye frames around the pointer. Applying it
// flashes the glow, hides the finger for half a second, restarts the viewer video and, when asked,
// throws the green catch sparkle.

#include <memory>
#include <string>
#include <vector>

#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "graphics/value_cycler.h"
#include "objects/tool.h"
#include "objects/video_object.h"
#include "rooms/catch_ghost_effect.h"

struct TCatcherEyeFrame {
    std::string name;
    StaticImage image;
    int x = 0;
    int y = 0;
};

class TGhostCatcherTool : public TTool {
public:
    static constexpr float kFingerSeconds = 0.5f;
    static constexpr float kGlowSegmentSeconds = 0.3f;
    // The catch effect runs from the catch point to this far below it.
    static constexpr int kCatchDrop = 250;
    static constexpr int kViewerMaxActivations = 10000000;

    TGhostCatcherTool();
    TGhostCatcherTool(const TGhostCatcherTool&) = delete;
    TGhostCatcherTool& operator=(const TGhostCatcherTool&) = delete;
    ~TGhostCatcherTool() override;

    int GetKind() const override { return kGhostCatcher; }
    void Release() override;
    void Take() override;
    void Apply(int x, int y, int toolClicks) override;
    void Update(float seconds) override;
    void DrawAt(int x, int y, float a, float b) override;
    void DrawOverlayAt(int x, int y, float a, float b) override;
    void LoadFromXml(const TiXmlElement* element) override;
    void LoadImages() override;
    void UnloadImages() override;

    // f of 1 or more: target gone, the last eye frame shown.
    void SetCatchProgress(float f);
    void StartCatchEffect(int x, int y);

    StaticImage& GetShape() { return mShape; }
    const TEffectCatchGhostFull* GetCatchEffect() const { return mCatchEffect.get(); }
    TVideoObject& GetViewer() { return mViewer; }
    const StaticImage& GetFinger() const { return mFinger; }
    const StaticImage& GetGlow() const { return mGlow; }
    const std::vector<TCatcherEyeFrame>& GetEyes() const { return mEyes; }

    StaticImage mShape;
    StaticImage mTarget;
    StaticImage mFinger;
    StaticImage mGlow;
    std::string mShapeName;
    std::string mTargetName;
    std::string mFingerName;
    std::string mGlowName;
    float mTargetAlpha = 0;
    int mFingerX = 0;
    int mFingerY = 0;
    IncValue mFingerTimer;
    TValueCycler mGlowCycler;
    // 1 while the finger is hidden after an apply.
    int mState = 0;
    std::vector<TCatcherEyeFrame> mEyes;
    // 1-based frame DrawOverlayAt shows; 0 for none.
    int mEyeIndex = 0;
    int mEyeX = 0;
    int mEyeY = 0;
    int mGlowX = 0;
    int mGlowY = 0;
    int mVideoX = 0;
    int mVideoY = 0;
    bool mRunEffect = false;

private:
    // The viewer stops without a frame, and its play is reported finished.
    void StopViewer();

    std::unique_ptr<TEffectCatchGhostFull> mCatchEffect;
    TVideoObject mViewer;
};
