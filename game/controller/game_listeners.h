#pragma once
// What a puzzle board tells its owner, and what the game's effects and buttons tell theirs. Every
// operation has an empty default; senders check the listener pointer before each call.

#include "app/weak_ref.h"

class MosaicItem_t;
class EffectRemover;
class EffectGo;
class EffectBonusTime;

class MosaicLayoutListener : public TWeakTarget {
public:
    virtual ~MosaicLayoutListener() = default;
    virtual void UnusedHookA1() {}
    virtual void UnusedHookA2() {}
    virtual void UnusedHookA3() {}
    virtual void OnCollectionSelected() {}
    virtual void UnusedHookA5() {}
    virtual void UnusedHookA6() {}
    virtual void UnusedHookA7() {}
    virtual void UnusedHookA8() {}
    virtual void UnusedHookA9() {}
    virtual void UnusedHookA10() {}
    virtual void UnusedHookA11() {}
    // The board became solved.
    virtual void OnLayoutSolved() {}
    virtual void UnusedHookB1() {}
    virtual void UnusedHookB2() {}
    virtual void UnusedHookB3() {}
    virtual void UnusedHookB4() {}
    virtual void UnusedHookB5() {}
    virtual void UnusedHookB6() {}
    virtual void UnusedHookB7() {}
    virtual void UnusedHookB8() {}
    virtual void UnusedHookB9() {}
    virtual void UnusedHookB10() {}
    virtual void UnusedHookB11() {}
    virtual void UnusedHookB12() {}
    virtual void UnusedHookB13() {}
    virtual void UnusedHookB14() {}
    virtual void UnusedHookB15() {}
    virtual void OnTimeBonus() {}
    virtual void UnusedHookB17() {}
    virtual void UnusedHookB18() {}
    virtual void UnusedHookB19() {}
    virtual void UnusedHookB20() {}
    virtual void UnusedHookB21() {}
    virtual void UnusedHookB22() {}
    virtual void UnusedHookB23() {}
    virtual void OnLayoutChanged() {}
    virtual void UnusedHookB25() {}
    // Every visible cell of a painting stroke, before it is judged.
    virtual void OnCellVisited(MosaicItem_t* cell) {}
    // A cell received its right colour.
    virtual void OnCellFilled(MosaicItem_t* cell) {}
    // A wrong value was set on a cell.
    virtual void OnCellWrong(MosaicItem_t* cell) {}
    // Mistakes made by one action (the controller also sends 0 itself).
    virtual void OnMistakes(int count) {}
    // The pointer first passes over a cell while a button is held.
    virtual void OnCellHover(MosaicItem_t* cell) {}
    // The end of a stroke, with the number of cells painted right.
    virtual void OnCellsPainted(int count) {}
    // A hidden reward cell was uncovered.
    virtual void OnHiddenCellFound(MosaicItem_t* cell) {}
};

class EffectRemoverListener : public TWeakTarget {
public:
    virtual ~EffectRemoverListener() = default;
    virtual void OnRemoverFinished(EffectRemover* effect, int tag) {}
    virtual void OnRemoverTargetReached(EffectRemover* effect, int target, int tag) {}
};

class EffectGoListener : public TWeakTarget {
public:
    virtual ~EffectGoListener() = default;
    virtual void OnEffectGoFinished(EffectGo* effect) {}
    virtual void OnEffectGoHoldStart(EffectGo* effect) {}
    virtual void OnEffectGoHoldEnd(EffectGo* effect) {}
};

class EffectBonusTimeListener : public TWeakTarget {
public:
    virtual ~EffectBonusTimeListener() = default;
    virtual void OnBonusTime(int count) {}
    virtual void OnBonusTimeShown(EffectBonusTime* effect) {}
};

class BoardAppearMosaicEffectListener : public TWeakTarget {
public:
    virtual ~BoardAppearMosaicEffectListener() = default;
    virtual void UnusedHookA() {}
    virtual void UnusedHookB() {}
    // Every cell has arrived.
    virtual void OnBoardAppeared() {}
};

class BoardAppearEffect2Listener : public TWeakTarget {
public:
    virtual ~BoardAppearEffect2Listener() = default;
    virtual void UnusedHookA() {}
    virtual void UnusedHookB() {}
    virtual void OnBoardAppeared() {}
};

class TButtonBackListener : public TWeakTarget {
public:
    virtual ~TButtonBackListener() = default;
    virtual void UnusedHookA() {}
    virtual void UnusedHookB() {}
};

class SwapListener : public TWeakTarget {
public:
    virtual ~SwapListener() = default;
    virtual void OnSwap(int value) {}
};

class BonusChangeListener : public TWeakTarget {
public:
    virtual ~BonusChangeListener() = default;
    virtual void OnBonusChanged(int value) {}
};
