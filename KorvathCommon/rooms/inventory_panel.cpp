#include "rooms/inventory_panel.h"

#include <algorithm>

#include "objects/tool.h"

namespace {

TInventoryPanel* gInventoryPanel = nullptr;

} // namespace

void TInventorySlot::SetTool(TTool* slotTool) {
    tool = slotTool;
    if (tool != nullptr && tool->GetKind() == 1) {
        pulse.Setup(1.0f, 1.05f, 1.1f, 0.5f);
        pulse.cycleLimit = TValueCycler::kEndless;
        return;
    }
    pulse.Setup(1.0f, 1.0f, 1.0f, 0.0f);
    pulse.finished = true;
    pulse.active = false;
}

TInventoryPanel* TInventoryPanel::GetInstance() {
    return gInventoryPanel;
}

void TInventoryPanel::SetInstance(TInventoryPanel* panel) {
    gInventoryPanel = panel;
}

void TInventoryPanel::SetSlotCounts(int mainSlots, int specialSlots) {
    mMainRow.resize(static_cast<size_t>(std::max(mainSlots, 0)));
    mSpecialRow.resize(static_cast<size_t>(std::max(specialSlots, 0)));
}

void TInventoryPanel::SplitTools(std::vector<TTool*>& main, std::vector<TTool*>& special) const {
    if (mTools == nullptr) {
        return;
    }
    for (size_t i = 0; i < mTools->GetCount(); ++i) {
        TTool* tool = mTools->GetAt(i);
        (tool->mSpecial ? special : main).push_back(tool);
    }
}

void TInventoryPanel::Rebuild(bool scrollToEnd) {
    std::vector<TTool*> main, special;
    SplitTools(main, special);
    if (scrollToEnd) {
        mScroll = std::max(0, static_cast<int>(main.size()) - static_cast<int>(mMainRow.size()));
    }
    for (size_t i = 0; i < mMainRow.size(); ++i) {
        const size_t index = static_cast<size_t>(mScroll) + i;
        mMainRow[i].SetTool(index < main.size() ? main[index] : nullptr);
    }
    for (size_t i = 0; i < mSpecialRow.size(); ++i) {
        mSpecialRow[i].SetTool(i < special.size() ? special[i] : nullptr);
    }
    mChanged = true;
}

TInventorySlot* TInventoryPanel::FindSlotOfTool(const TTool* tool) {
    for (auto* row : {&mMainRow, &mSpecialRow}) {
        for (TInventorySlot& slot : *row) {
            if (slot.tool != nullptr && slot.tool == tool) {
                return &slot;
            }
        }
    }
    return nullptr;
}

TInventorySlot* TInventoryPanel::FindGhostCatcherSlot() {
    for (auto* row : {&mMainRow, &mSpecialRow}) {
        for (TInventorySlot& slot : *row) {
            if (slot.tool != nullptr && slot.tool->GetKind() == TTool::kGhostCatcher) {
                return &slot;
            }
        }
    }
    return nullptr;
}

// Positions count in the main row only: special tools never scroll it.
int TInventoryPanel::ScrollToTool(const TTool* tool) {
    std::vector<TTool*> main, special;
    SplitTools(main, special);
    const auto found = std::find(main.begin(), main.end(), tool);
    if (tool == nullptr || found == main.end()) {
        return -1;
    }
    for (size_t i = 0; i < mMainRow.size(); ++i) {
        if (mMainRow[i].tool == tool) {
            return static_cast<int>(i);
        }
    }
    const int position = static_cast<int>(found - main.begin());
    const int slots = static_cast<int>(mMainRow.size());
    if (position < mScroll) {
        mScroll = position;
        Rebuild(false);
        return 0;
    }
    mScroll = position - slots + 1;
    Rebuild(false);
    return slots - 1;
}
