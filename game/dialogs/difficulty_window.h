#pragma once
// The difficulty choice: three presets, or a custom difficulty with its own hint recharge, mistake
// limit, timer, bonus-time display and clue-crossing mode. Confirming (-1) writes the choice into the
// profile, saves it and tells the running game; cancelling (-2) changes nothing.

#include "app/weak_ref.h"
#include <vector>

#include "data/mosaic_settings.h"
#include "windows/fly_window.h"

class TSimpleTextImage;

class TSelectDifficultyModeWindow : public TFlyWindow {
public:
    static constexpr int kWindowId = 11;
    static constexpr const char* kFile = "ui/selectdifficultymode.xml";
    static constexpr int kConfirm = -1;
    static constexpr int kCancel = -2;
    static constexpr int kHintBox = 101;
    static constexpr int kCustom = 3;

    explicit TSelectDifficultyModeWindow(TFlyWindowListener* listener);

    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;
    void OnSliderChanged(int id, float value, TBaseSlider* slider) override;

    int GetSelected() const { return mSelected; }

private:
    TMyButton* FindButton(const char* name) const;
    void FillCustomControls(const TBaseMosaicSettings& settings);
    void ReadCustomControls(TBaseMosaicSettings& settings) const;
    void UpdatePresetBoxes();
    void UpdateGroups();
    void UpdateUsualLabels();
    void Apply();
    static void ShowValue(TSimpleTextImage* label, float value);

    int mSelected = 0;
    TBaseMosaicSettings mSettings;
    TMyButton* mPresetBoxes[4] = {nullptr, nullptr, nullptr, nullptr};
    std::vector<TSimpleTextImage*> mUsualLabels;
    TWeakRef<TSimpleTextImage> mUsualCaption;
    TWeakRef<TMyButton> mHintBox;
    TWeakRef<TBaseSlider> mHintSlider;
    TWeakRef<TSimpleTextImage> mHintLabel;
    TWeakRef<TBaseSlider> mErrorsSlider;
    TWeakRef<TSimpleTextImage> mErrorsValueLabel;
    TWeakRef<TSimpleTextImage> mErrorsCaption;
    TWeakRef<TMyButton> mTimerBox;
    TWeakRef<TMyButton> mBonusTimeBox;
    // Index 0 crosses a clue when its line is done, index 1 when its run is.
    TMyButton* mRadio[2] = {nullptr, nullptr};
};
