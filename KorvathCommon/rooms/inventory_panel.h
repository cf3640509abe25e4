#pragma once
// The inventory panel's slot rows: the tools of a list shown in a scrolling main row and a row of special
// tools. Its layout and drawing belong to its host; rooms use the slots to point a hint at a tool.

#include <vector>

#include "graphics/value_cycler.h"

class TTool;
class TToolList;

struct TInventorySlot {
    // A tool of kind 1 pulses; anything else stays at scale 1.
    void SetTool(TTool* slotTool);

    TTool* tool = nullptr;
    TValueCycler pulse;
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    int offsetY = 0;
    bool enabled = true;
    bool inUse = false;
    int pointX = 0;
    int pointY = 0;
};

class TInventoryPanel {
public:
    virtual ~TInventoryPanel() = default;

    // The process's panel; null unless a host installs one (the game has none).
    static TInventoryPanel* GetInstance();
    // Not owned; null removes it.
    static void SetInstance(TInventoryPanel* panel);

    // The main row holds as many slots as there are visible places, the special row its own count.
    void SetSlotCounts(int mainSlots, int specialSlots);
    void Rebuild(bool scrollToEnd);
    TInventorySlot* FindSlotOfTool(const TTool* tool);
    TInventorySlot* FindGhostCatcherSlot();
    // The main slot that shows the tool after scrolling to it; -1 when the list does not hold it or it is
    // a special tool.
    int ScrollToTool(const TTool* tool);

    TToolList* mTools = nullptr;
    std::vector<TInventorySlot> mMainRow;
    std::vector<TInventorySlot> mSpecialRow;
    int mScroll = 0;
    // The back button's box (x, y, w, h); width 0 when the interface has none.
    int mBackButton[4] = {0, 0, 0, 0};
    bool mChanged = false;

private:
    void SplitTools(std::vector<TTool*>& main, std::vector<TTool*>& special) const;
};
