#include "level_name_window.h"

#include "app/string_utils.h"
#include "app/user_info.h"
#include "controller/controller_windows.h"
#include "data/level_info.h"
#include "data/stars.h"
#include "graphics/terms.h"
#include "windows/text_label.h"

namespace {

TSimpleTextImage* FindLabel(TMyWindow& window, const std::string& name) {
    return dynamic_cast<TSimpleTextImage*>(window.FindChildByName(name));
}

std::string TermOrKey(const std::string& key) {
    return TTerms::GetInstance()->GetText(key);
}

} // namespace

TLevelNameWindow::TLevelNameWindow(TFlyWindowListener* listener) : TFlyWindow(listener, true, kFile) {
    mId = kLevelIntroId;
    mCaption = FindLabel(*this, "levelname_stage");
    mGameType = FindLabel(*this, "levelname_gametype");
    for (int n = 1; n <= kStarLabels; ++n) {
        mStarLabels.push_back(FindLabel(*this, "star" + std::to_string(n) + "_desc"));
    }
}

void TLevelNameWindow::Setup(int stageNumber, int levelNumber, const std::string& gameTypeKey,
                             const TLevelInfoMosaic& level, const TLevelStatistics& statistics) {
    if (mCaption != nullptr) {
        mCaption->SetText(FormatString("%s %d-%s %d", TermOrKey("Stage").c_str(), stageNumber,
                                       TermOrKey("Level").c_str(), levelNumber));
    }
    if (mGameType != nullptr) {
        mGameType->SetTextKey(gameTypeKey);
        mGameType->RefreshText();
    }
    FillStars(level, statistics);
}

// Only a full set of three places is shown; an unknown key leaves its label as the file wrote it.
void TLevelNameWindow::FillStars(const TLevelInfoMosaic& level, const TLevelStatistics& statistics) {
    const std::vector<std::string>& keys = level.GetStarKeys(TUserInfo::Get()->GetDifficultyChoice());
    if (static_cast<int>(keys.size()) != kStarLabels) {
        return;
    }
    for (size_t i = 0; i < keys.size(); ++i) {
        const TMosaicStar* star = FindMosaicStar(keys[i]);
        if (star == nullptr || mStarLabels[i] == nullptr) {
            continue;
        }
        std::wstring text;
        star->GetDescription(statistics, text);
        mStarLabels[i]->SetText(ToUtf8(text));
    }
}
