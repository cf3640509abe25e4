#pragma once
// How the game screen drives a game and hears from it. Every operation has an empty default, so a game
// overrides only what it needs.

#include "app/weak_ref.h"
#include <cstdint>

struct TMouseEvent;
class TGameBase;

class TGameBaseListener : public TWeakTarget {
public:
    virtual ~TGameBaseListener() = default;
    // The game asks for the next level of the stage.
    virtual void OnNextLevel(TGameBase* game) {}
    virtual void ReservedA(int value) {}
    virtual void ReservedB(int value) {}
};

class TGameBase {
public:
    virtual ~TGameBase() = default;
    // 0 here; the puzzle controller answers 1.
    virtual int GetKind() const { return 0; }
    // The first activation also runs OnFirstActivate.
    virtual void Activate();
    virtual void Enter() {}
    virtual void Leave() {}
    virtual void ReservedA() {}
    // Under the game screen's controls, then over them.
    virtual void Draw() {}
    virtual void DrawOver() {}
    virtual void Update(float dt) {}
    virtual void OnMouseMove(const TMouseEvent& event) {}
    virtual void OnMouseUp(const TMouseEvent& event) {}
    virtual void OnMouseDown(const TMouseEvent& event) {}
    virtual void OnMouseDrag(const TMouseEvent& event) {}
    virtual void OnKeyUp(int key) {}
    virtual void SetFrozen(bool frozen) {}
    virtual void ReservedB(int value) {}
    virtual void ReservedC() {}
    virtual void OnFirstActivate() {}
    virtual void ForceComplete() { mForceComplete = 1; }
    virtual void ReservedD() {}
    virtual void ReservedE() {}

    TGameBaseListener* GetListener() const { return mListener; }
    void SetListener(TGameBaseListener* listener) { mListener = listener; }
    int GetActivationCount() const { return mActivationCount; }
    // Set while a game screen hosts the game.
    bool IsAttached() const { return mAttached; }
    void SetAttached(bool attached) { mAttached = attached; }
    // The screen's freeze (SetFrozen), apart from any the game keeps for itself.
    virtual bool IsScreenFrozen() const { return false; }
    bool IsForceComplete() const { return mForceComplete != 0; }

protected:
    uint8_t mForceComplete = 0;
    bool mAttached = false;
    int mActivationCount = 0;
    int mFrozenCount = 0; // above 0 the game skips most of its update
    TWeakRef<TGameBaseListener> mListener;
};
