#pragma once
// The hint button: a push button that recharges after each use. Until the recharge is full it is
// disabled and shows its normal look wiped in from the left edge over its disabled look, so the player
// sees how far the next hint is; the end of each recharge is reported once.

#include "controller/game_listeners.h"
#include "graphics/inc_value.h"
#include "windows/button.h"

class TStandartRegenerateButton;

class TStandartRegenerateButtonListener : public TMyButtonListener {
public:
    static constexpr int kListenerType = 1;
    int GetListenerType() const override { return kListenerType; }
    virtual void OnRegenerated(int parentId, TMyWindow* parent, int buttonId, TStandartRegenerateButton* button) {}
};

class TStandartRegenerateButton : public TMyButton, public TButtonBackListener {
public:
    static constexpr float kDefaultRechargeTime = 10.0f;

    explicit TStandartRegenerateButton(TMyWindowContainer* parent = nullptr);

    bool Update(float dt) override;
    void DrawSelf() override;
    // Pauses the recharge only; the window's own frozen flag stays.
    void SetFrozen(bool frozen) override { mRecharge.paused = frozen; }

    // Runs the recharge from empty over the absolute recharge time.
    void StartRecharge();
    // Parks the recharge full without a report.
    void SetFull();
    float GetProgress() const { return mRecharge.current; }
    bool IsRecharging() const { return mRecharging; }

    // Seconds of the next recharge; the owner writes it.
    float mRechargeTime = kDefaultRechargeTime;
    // Hints switched off: the button stays disabled whatever its recharge says.
    bool mSwitchedOff = false;

private:
    void ReportRegenerated();

    IncValue mRecharge;
    bool mRecharging = false;
};
