#pragma once
// The options: full screen or windowed, the drawn cursor on or off, and four volumes, all applied at
// once; "ok" also writes the profile, which holds the volumes.

#include "app/weak_ref.h"
#include <string>

#include "windows/fly_window.h"

class TOptionsWindow : public TFlyWindow {
public:
    static constexpr int kWindowId = 24;
    static constexpr int kFullscreenId = 2;
    // Slider ids.
    static constexpr int kMusicSlider = 5;
    static constexpr int kSoundSlider = 6;
    static constexpr int kVoiceSlider = 9;
    static constexpr int kGroup2Slider = 10;
    // Leaving full screen needs a desktop taller than this.
    static constexpr int kSmallestWindowedDesktop = 600;

    TOptionsWindow(const std::string& file, TFlyWindowListener* listener);
    ~TOptionsWindow() override;

    bool Update(float dt) override;
    void OnButtonMayClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button, bool& mayClick) override;
    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;
    void OnSliderChanged(int id, float value, TBaseSlider* slider) override;

    bool HasStartedMusic() const { return mMusicStarted; }

private:
    TMyButton* FindButton(const char* name) const;
    void SetSliderValue(int id, float value);

    TWeakRef<TMyButton> mFullscreen;
    TWeakRef<TMyButton> mWidescreen;
    TWeakRef<TMyButton> mCustomCursor;
    TWeakRef<TMyButton> mMenu;
    TWeakRef<TMyButton> mOk;
    TWeakRef<TMyButton> mDifficulty;
    bool mMusicStarted = false;
};
