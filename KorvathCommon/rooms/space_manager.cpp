#include "rooms/space_manager.h"

#include <memory>

#include "app/file_object.h"
#include "app/string_utils.h"
#include "graphics/key_track.h"
#include "graphics/terms.h"
#include "rooms/game_space.h"

namespace {

std::unique_ptr<TGameSpaceManager> gManager;

} // namespace

TGameSpaceManager* TGameSpaceManager::GetInstance() {
    return gManager.get();
}

void TGameSpaceManager::CreateInstance() {
    if (!gManager) {
        gManager = std::make_unique<TGameSpaceManager>();
    }
}

void TGameSpaceManager::DestroyInstance() {
    gManager.reset();
}

TGameSpace* TGameSpaceManager::FindSpace(const std::string& name) {
    if (!gManager) {
        return nullptr;
    }
    if (name.empty()) {
        return gManager->mCurrent;
    }
    for (TGameSpace* space : gManager->mSpaces) {
        if (space != nullptr && space->mName == name) {
            return space;
        }
    }
    return nullptr;
}

std::wstring BuildPlayTimeText(const TTimeCounter& counter) {
    const int t = static_cast<int>(counter.seconds);
    const int h = t / 3600;
    const int m = (t / 60) % 60;
    const int s = t % 60;
    const TTerms* terms = TTerms::GetInstance();
    const auto word = [terms](const char* key) { return terms->GetWideText(key); };
    const bool japanese = GetLanguageCode() == "ja";
    const std::wstring gap = WidenBytes(japanese ? " " : ", ");
    return WidenBytes(std::to_string(h) + " ") + word("hours") + gap + WidenBytes(std::to_string(m) + " ") +
           word("minutes") + gap + WidenBytes(std::to_string(s) + " ") + word("secundes");
}
