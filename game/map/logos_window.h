#pragma once
// The splash screen: the branding images "branding/splash1", "branding/splash2", ... one after another,
// each fading in, growing slightly while it stays, fading out and followed by a short empty pause; a
// click skips to the fade-out. After the last one the main menu replaces it.

#include <string>
#include <vector>

#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "windows/classic_window.h"

struct TSplashEntry {
    std::string image;
    float seconds = 0;
};

class TLogosWindow : public TClassicWindow {
public:
    enum TState : int { kFadingIn = 0, kShowing = 1, kFadingOut = 2, kPause = 3, kNotStarted = 4 };
    static constexpr int kBeforeFirst = -1;
    static constexpr int kEnded = -2;
    static constexpr float kDisplaySeconds = 2.0f;
    static constexpr float kFadeInSeconds = 1.0f;
    static constexpr float kFadeOutSeconds = 1.0f;
    static constexpr float kSkipFadeSeconds = 0.5f;
    static constexpr float kPauseSeconds = 0.5f;
    static constexpr float kEndScale = 1.1f;

    TLogosWindow();

    bool Update(float dt) override;
    void DrawSelf() override;
    void OnMouseDown(const TMouseEvent& event) override;

    // The next image, or the main menu after the last one.
    void ShowNext();

    // "branding/splash%d.jpg", else ".png", for n = 1, 2, ... until neither exists.
    static std::vector<TSplashEntry> BuildList();

    int GetState() const { return mState; }
    int GetIndex() const { return mIndex; }
    const AlphaStaticImage& GetImage() const { return mImage; }

private:
    bool IsLastEntry() const { return mIndex + 1 >= static_cast<int>(mList.size()); }
    // The image's fade has ended: a fade-in becomes the stay, a fade-out the pause.
    void EndFade();
    void UpdateShowing(float dt);

    int mState = kNotStarted;
    int mIndex = kBeforeFirst;
    std::vector<TSplashEntry> mList;
    AlphaStaticImage mImage;
    float mPhaseTime = 0;
    bool mDrawnOnce = false;
    IncValue mScale;
};
