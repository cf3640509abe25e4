#pragma once
// The game screen: hosts the game controller, attaches it when shown and detaches it when hidden, and
// hands it updates, drawing, the pointer, key releases and freezing. It has no controls of its own; the
// controller makes them when it enters.

#include "controller/game_base.h"
#include "windows/classic_window.h"

class TRoomWindow : public TClassicWindow, public TGameBaseListener {
public:
    static constexpr const char* kBoxName = "board";

    TRoomWindow();

    bool Update(float dt) override;
    void DrawSelf() override;
    void DrawOver() override;
    void OnMouseDown(const TMouseEvent& event) override;
    void OnMouseMove(const TMouseEvent& event) override;
    void OnMouseUp(const TMouseEvent& event) override;
    void OnMouseDrag(const TMouseEvent& event) override;
    void Show() override;
    void Hide() override;
    // Always handled, with or without a controller.
    bool OnKeyUp(const TKeyEvent& event) override;
    // Only the controller freezes: the manager keeps updating the screen, so the controller decides
    // itself what still runs.
    void SetFrozen(bool frozen) override;

    // The profile moves on to the next level, which starts on this screen.
    void OnNextLevel(TGameBase* game) override;

    // Takes the controller singleton, activating it once per screen, and enters the current level.
    void AttachController();
    TGameBase* GetController() const { return mGame; }

private:
    TGameBase* mGame = nullptr;
};
