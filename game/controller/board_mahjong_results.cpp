// The controller at the end of a level: the solve recorded in the profile, the level-complete caption,
// then the result (stars, score, best values, reward counters) saved and shown, and the way on.

#include "app/log.h"
#include "app/settings.h"
#include "app/string_utils.h"
#include "controller/board_mahjong.h"
#include "data/game_settings.h"
#include "data/rewards.h"
#include "data/stages.h"
#include "data/stars.h"
#include "data/user_records.h"
#include "media/sound_manager.h"
#include "windows/text_label.h"

namespace {

void SplitTime(int t, int& minutes, int& seconds) {
    minutes = (t / 60) % 60;
    seconds = t % 60;
}

} // namespace

void TBoardMahjong::OnLevelSolved() {
    // Only the first solve of a level counts: a second report must not move the profile on again.
    if (mSolvedOnce) {
        return;
    }
    mSolvedOnce = true;
    mStageAdvance = TUserInfo::Get()->AdvanceStage();
    GetCurrentModeProgress().mLevelRunning = false;
    ++TRewardConnector::Get().mLevelsSolvedThisRun;
    SaveProgress();
    mCaptionEffects.Add(0, new EffectGo("textures/loc/levelcompletetext", kCaptionX, kCaptionY, kCaptionHold, this,
                                        kCaptionComplete, kCaptionFade));
    GetActiveLayout().SetMode(MosaicLayout_t::kModeShown);
    GetActiveLayout().mAlpha = 1.0f;
    if (mLevelRecord != nullptr) {
        PlaySoundIfNamed(mLevelRecord->mSound);
    }
    mHintEffects.Clear();
    StopComboWindow();
    mComboCount = 0;
}

void TBoardMahjong::NotifyListener() {
    if (mListener != nullptr) {
        mListener->OnNextLevel(this);
    }
}

int TBoardMahjong::CountStars() const {
    return CountStarsMet(FindMosaicStars(mLevelRecord->GetStarKeys(StarDifficulty())), mStatistics);
}

// The level's record in the current mode's set, or null when the set has no such level.
TLevelProgress* TBoardMahjong::FindLevelProgress() const {
    const TUserInfo* user = TUserInfo::Get();
    const int index = GetGlobalLevelIndex(mStage, mLevel, GetStageList(LevelSetOfMode(user->GetCurrentMode())));
    std::vector<TLevelProgress>& levels = GetCurrentModeProgress().mLevels;
    return index >= 0 && index < static_cast<int>(levels.size()) ? &levels[static_cast<size_t>(index)] : nullptr;
}

void TBoardMahjong::ComputeResults() {
    DeleteComboEffect();
    mStatistics.mHintsUsed = mHintsUsed;
    mStatistics.mMistakes = GetActiveLayout().GetBoard().GetMistakes();
    mStatistics.mTimeSpent = mPlayTime;
    mResult.mWon = true;
    mResult.mItems = GetActiveLayout().GetBoard().GetItems();
    mResult.mGameType = mGameType;
    mResult.mTime = static_cast<int>(mPlayTime);
    mResult.mPreviewType = mLevelRecord->mPreviewType;
    const int stars = CountStars();
    mResult.mStars = stars;
    int score = GetCurrentModeProgress().mLevelScore;
    mResult.mTimeText = FormatString("%g", static_cast<double>(mLevelRecord->mTime));
    TRewardConnector& counters = TRewardConnector::Get();
    TLevelProgress* record = FindLevelProgress();
    if (record != nullptr && record->mBestStars == 0 && stars > 0) {
        ++counters.mLevelsStarred;
    }
    if (record != nullptr && stars == 3 && record->mBestStars != 3) {
        ++counters.mLevelsWithThreeStars;
    }
    score = std::min(score, kMaxScore);
    if (mGameType != kUnclampedGameType) {
        score = std::max(score, kMinScore);
    }
    mResult.mScore = score;
    TUserInfo::Get()->AddScore(score);
    if (mNoHint) {
        ++counters.mLevelsWonWithoutHint;
    }
    ++counters.mLevelsWon;
    counters.mLastScore = score;
    counters.mModeScore = GetCurrentModeProgress().mScore;
    RecordBestValues(stars, score);
    std::vector<TReward*> earned;
    CollectEarnedRewards(counters, earned);
    LogCompletion(stars);
    SaveProgress();
    mWindows->CloseTutorial();
    ShowShadow();
    if (mGameTypeLabel != nullptr) {
        mGameTypeLabel->ClearText();
    }
    if (mTimerLabel != nullptr) {
        mTimerLabel->ClearText();
    }
    mResultsOpen = true;
    mWindows->ShowResults(mResult, *mLevelRecord, mStatistics, mStageAdvance != 2, this);
}

void TBoardMahjong::RecordBestValues(int stars, int score) {
    TLevelProgress* record = FindLevelProgress();
    if (record == nullptr) {
        TLogFile::Get()->Printf("level %d-%d has no progress record: best values not kept", mStage + 1, mLevel + 1);
        mResult.mNewBest = false;
        return;
    }
    mResult.mNewBest = score > record->mBestScore;
    record->mLastTime = static_cast<int>(mPlayTime);
    record->mBestScore = std::max(record->mBestScore, score);
    record->mBestStars = std::max(record->mBestStars, stars);
}

void TBoardMahjong::LogCompletion(int stars) const {
    const TMosaicGameSettings& settings = TMosaicGameSettings::Get();
    const float cells = static_cast<float>(GetActiveLayout().GetBoard().GetVisibleCellCount());
    int played[2];
    int normal[2];
    int expert[2];
    SplitTime(static_cast<int>(mPlayTime), played[0], played[1]);
    SplitTime(static_cast<int>(cells * settings.GetPreset(1).GetTimeFactor(mGameType)), normal[0], normal[1]);
    SplitTime(static_cast<int>(cells * settings.GetPreset(2).GetTimeFactor(mGameType)), expert[0], expert[1]);
    TLogFile::Get()->Printf("complete gametype=%2d  stars=%d layout %20s time min=%2d sec=%2d    normal mode  "
                            "min=%2d sec=%2d   expert mode  min=%2d sec=%2d",
                            mGameType, stars, GetActiveLayout().GetBoard().GetName().c_str(), played[0], played[1],
                            normal[0], normal[1], expert[0], expert[1]);
}

void TBoardMahjong::OnResultsClosed(int result) {
    mResultsOpen = false;
    mPlayState = kStateIdle;
    switch (result) {
    case kResultReplay:
        SaveProgress();
        StartLevel(mStage, mLevel);
        break;
    case kResultMainMenu:
        if (mStageAdvance == 2) {
            SaveProgress();
        }
        HideShadow();
        mWindows->ShowMainMenu();
        break;
    case kResultNext:
        HideShadow();
        if (mStageAdvance == 1) {
            NotifyListener();
        } else {
            SaveProgress();
            mWindows->ShowMap();
        }
        break;
    default:
        break;
    }
}
