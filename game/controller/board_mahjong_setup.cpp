// The controller's level set-up: its controls on the game screen, choosing and loading the level, the
// level intro, the cells flying in and the start of play.

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/log.h"
#include "app/settings.h"
#include "app/xml_reader.h"
#include "controller/board_mahjong.h"
#include "controller/game_windows.h"
#include "data/level_info.h"
#include "data/level_layout_file.h"
#include "data/rewards.h"
#include "data/stages.h"
#include "data/stars.h"
#include "data/tilesets.h"
#include "data/user_records.h"
#include "media/play_list.h"
#include "media/sound_manager.h"
#include "windows/game_cursors.h"
#include "windows/image_control.h"
#include "windows/text_label.h"
#include "windows/ui_button_box.h"
#include "windows/ui_image_box.h"
#include "windows/ui_info_holder.h"
#include "windows/ui_text_box.h"
#include "windows/window_manager.h"

namespace {

// The windows the game really opens, for the singleton and any controller made without its own.
TControllerWindows& GameWindows() {
    static TGameWindows windows;
    return windows;
}

std::unique_ptr<TBoardMahjong>& Singleton() {
    static std::unique_ptr<TBoardMahjong> controller;
    return controller;
}

TMyImage* MakeImage(TMyWindow* screen, const std::string& name) {
    TUIMyImage* box = FindUIObject<TUIMyImage>(*TUIInfoHolder::GetGlobal(), name);
    return box != nullptr ? TMyImage::Create(box, screen) : nullptr;
}

TSimpleTextImage* MakeLabel(TMyWindow* screen, const std::string& name) {
    TUIImageText* box = FindUIObject<TUIImageText>(*TUIInfoHolder::GetGlobal(), name);
    if (box == nullptr) {
        return nullptr;
    }
    TSimpleTextImage* label = TSimpleTextImage::Create(box, screen);
    label->ClearText();
    return label;
}

} // namespace

TBoardMahjong* TBoardMahjong::Get() {
    if (Singleton() == nullptr) {
        Singleton() = std::make_unique<TBoardMahjong>(&GameWindows());
    }
    return Singleton().get();
}

TBoardMahjong* TBoardMahjong::FindInstance() {
    return Singleton().get();
}

void TBoardMahjong::Release() {
    Singleton().reset();
}

TBoardMahjong::TBoardMahjong(TControllerWindows* windows) : mWindows(windows != nullptr ? windows : &GameWindows()) {
    mComboWindow.listener = this;
    mTipTween.listener = this;
    for (ObjectsManager* list : {&mHintEffects, &mSparkleEffects, &mCaptionEffects}) {
        list->mDeleteFinished = true;
    }
    LoadSceneParticles();
}

// The particles behind the board come from the first object of the scene file; without the file the
// scene stays empty.
void TBoardMahjong::LoadSceneParticles() {
    TiXmlDocument* document = nullptr;
    const TiXmlElement* root = LoadXmlDocument(kSceneFile, document);
    std::unique_ptr<TiXmlDocument> owner(document);
    if (root == nullptr) {
        return;
    }
    if (const TiXmlElement* element = root->FirstChildElement("object")) {
        mSceneParticles.LoadFromXml(element, "textures/");
    }
}

void TBoardMahjong::Activate() {
    TGameBase::Activate();
    TSoundManager* sounds = TSoundManager::GetInstance();
    sounds->StopMusic();
    // The very first level always opens with the list's first tune; the stage and level are the ones
    // the coming Enter starts.
    const TModeProgress& progress = TUserInfo::Get()->GetCurrentModeProgress();
    sounds->StartMusicList(kLevelMusic, !(progress.mStage == 0 && progress.mLevel == 0));
    SetTutorialListener(this);
}

TBoardMahjong::~TBoardMahjong() {
    if (TMyTutorialWindow* tutorial = TMyTutorialWindow::FindInstance();
        tutorial != nullptr && tutorial->mTutorialListener == this) {
        tutorial->mTutorialListener = nullptr;
    }
    // The profile outlives the controller: it must not call a deleted listener.
    if (TUserInfo::Get()->GetListener() == this) {
        TUserInfo::Get()->SetListener(nullptr);
    }
    Leave();
    ForgetDialogListener(this);
    if (mComboEffect != nullptr) {
        mComboEffect->DropListener();
    }
    mMosaicBoard.SetListener(nullptr);
    mPictureBoard.SetListener(nullptr);
}

TMyWindow* TBoardMahjong::FindGameScreen() const {
    TMyWindowManager* manager = TMyWindowManager::FindInstance();
    if (manager == nullptr) {
        return nullptr;
    }
    // While a fade swaps one game screen for another both are on the stack: the new one is on top.
    const std::vector<TMyWindow*>& screens = manager->GetScreens();
    for (auto it = screens.rbegin(); it != screens.rend(); ++it) {
        if ((*it)->mId == kGameScreenId) {
            return *it;
        }
    }
    return manager->FindById(kGameScreenId);
}

void TBoardMahjong::Enter() {
    TUserInfo::Get()->SetListener(this);
    if (TMyWindow* screen = FindGameScreen()) {
        CreateControls(screen);
    }
    StartLevel(-1, -1);
    OnSettingsChanged();
}

void TBoardMahjong::CreateControls(TMyWindow* screen) {
    TUIInfoHolder& holder = *TUIInfoHolder::GetGlobal();
    if (mColourChangeBack == nullptr) {
        mColourChangeBack = MakeImage(screen, "imagecolorchangeback");
    }
    if (mImageBack == nullptr) {
        mImageBack = MakeImage(screen, "imageback");
    }
    if (mHintButton == nullptr) {
        if (TUIMyButton* box = FindUIObject<TUIMyButton>(holder, "hintbtn")) {
            mHintButton = new TStandartRegenerateButton(screen);
            mHintButton->ApplyDescription(box);
            mHintButton->mId = 1;
            mHintButton->mMinAlpha = 0.2f;
            mHintButton->mButtonListener = this;
            // A new button stands empty; the first hint needs no wait.
            mHintButton->SetFull();
        }
    }
    if (mMenuButton == nullptr) {
        if (TUIMyButton* box = FindUIObject<TUIMyButton>(holder, "menubtn")) {
            mMenuButton = TMyButton::Create(box, screen);
            mMenuButton->mId = 4;
            mMenuButton->mMinAlpha = 0.9f;
            mMenuButton->mButtonListener = this;
        }
    }
    CreateNumberedList(screen, "mosaiccolor", mColourButtons, true);
    CreateNumberedList(screen, "mosaicshape", mShapeButtons, true);
    CreateNumberedList(screen, "mosaicerror", mMistakeMarks, false);
    SetShownCount(mColourButtons, 0);
    SetShownCount(mShapeButtons, 0);
    SetShownCount(mMistakeMarks, 0);
    for (auto [control, name] : {std::pair{&mColourIndicator, "imagecolor"}, std::pair{&mShapeIndicator, "imageshape"},
                                 std::pair{&mColourChange, "imagecolorchange"}}) {
        if (*control == nullptr && (*control = MakeImage(screen, name)) != nullptr) {
            (*control)->SetListener(this);
        }
    }
    if (mColourChange != nullptr && mColourMixHint == nullptr) {
        mColourMixHint = MakeImage(screen, "imagecolormixhint");
    }
    if (mGameTypeLabel == nullptr) {
        mGameTypeLabel = MakeLabel(screen, "GameTypeLbl");
    }
    if (mTimerLabel == nullptr) {
        mTimerLabel = MakeLabel(screen, "TimerValueLbl");
    }
}

void TBoardMahjong::CreateNumberedList(TMyWindow* screen, const std::string& prefix, TControls& list, bool listen) {
    if (!list.empty()) {
        return;
    }
    for (int n = 1;; ++n) {
        const std::string name = prefix + std::to_string(n);
        if (TUIInfoHolder::GetGlobal()->FindObject(name) == nullptr) {
            return;
        }
        TMyImage* image = MakeImage(screen, name);
        if (image == nullptr) {
            return;
        }
        if (listen) {
            image->SetListener(this);
        }
        list.push_back(image);
    }
}

void TBoardMahjong::Leave() {
    mWindows->CloseTutorial();
    TSoundManager* sounds = TSoundManager::GetInstance();
    sounds->StopMusic();
    mWindows->CloseHelpWindow();
    if (TMyWindow* screen = FindGameScreen()) {
        screen->RemoveAllChildren(true, true);
    }
    mHintButton = nullptr;
    mMenuButton = nullptr;
    mGameTypeLabel = mTimerLabel = nullptr;
    mColourChange = mColourChangeBack = mColourMixHint = mColourIndicator = mShapeIndicator = mImageBack = nullptr;
    mColourButtons.clear();
    mShapeButtons.clear();
    mMistakeMarks.clear();
    // A screen's worth of pixels, not wanted off the game screen.
    mBoardLayers.Release();
    // The frame and its back belong to the level's board size; the next level's start places them again.
    mFrameImage.mTexture.Reset();
    mFrameBackImage.mTexture.Reset();
    mBackground.ReleaseUnseen();
#if defined(__GLIBC__)
    // glibc keeps those freed screens of pixels resident until something reuses them: the menus after the
    // game screen would carry them.
    malloc_trim(0);
#endif
}

void TBoardMahjong::StartLevel(int stage, int level) {
    if (TGameCursors* cursors = TGameCursors::FindInstance()) {
        cursors->SetDefault();
    }
    mPlayState = kStateSetUp;
    mFrozenCount = 0;
    mLoaded = false;
    if (!ChooseLevel(stage, level)) {
        return;
    }
    PrepareRewardCells();
    PlaceFrame();
    if (TSoundPlayList* list = TSoundManager::GetInstance()->FindSoundList(mStageRecord->mSoundList)) {
        list->LoadSounds();
    }
    PrepareBoard();
    LoadTileset();
    // A level larger than the screen cannot be played: refused as one that cannot be read.
    if (!GetActiveLayout().Load(mLevelRecord->mFileName, false) || !FitsTheScreen(GetActiveLayout().GetBoard())) {
        AbandonLevel("cannot be loaded");
        return;
    }
    mLoaded = true;
    ChooseStars();
    ChooseBackground();
    mHintEffects.Clear();
    mSparkleEffects.Clear();
    mCaptionEffects.Clear();
    mAppearEffect.reset();
    PrepareStatistics();
    ResetLevelState();
    mWindows->ShowLevelIntro(mStage + 1, mLevel + 1, *mLevelRecord, mStatistics, this);
}

// Stage and level of the current mode's set; an index beyond it abandons the level.
bool TBoardMahjong::ChooseLevel(int stage, int level) {
    TUserInfo* user = TUserInfo::Get();
    const TModeProgress& progress = user->GetCurrentModeProgress();
    mStage = stage != -1 ? stage : progress.mStage;
    mLevel = level != -1 ? level : progress.mLevel;
    const TStageList& list = GetStageList(LevelSetOfMode(user->GetCurrentMode()));
    mStageRecord = nullptr;
    mLevelRecord = nullptr;
    if (mStage >= 0 && mStage < static_cast<int>(list.mStages.size())) {
        mStageRecord = list.mStages[static_cast<size_t>(mStage)].get();
        if (mLevel >= 0 && mLevel < static_cast<int>(mStageRecord->mLevels.size())) {
            mLevelRecord = mStageRecord->mLevels[static_cast<size_t>(mLevel)].get();
        }
    }
    if (mLevelRecord == nullptr) {
        AbandonLevel("does not exist");
        return false;
    }
    return true;
}

void TBoardMahjong::AbandonLevel(const char* reason) {
    TLogFile::Get()->Printf("level %d-%d %s: back to the map", mStage + 1, mLevel + 1, reason);
    mPlayState = kStateIdle;
    mWindows->ShowMap();
}

void TBoardMahjong::PrepareRewardCells() {
    const TReward* reward = FindReward(mLevelRecord->mReward);
    DefaultRewardCellCount = reward != nullptr && !reward->mObtained ? 1 : 0;
}

void TBoardMahjong::PlaceFrame() {
    const std::string& name = mLevelRecord->mFrame.empty() ? mStageRecord->mFrame : mLevelRecord->mFrame;
    TMapFrame* frame = FindMapFrame(name);
    if (frame == nullptr) {
        return;
    }
    // Only the level's own frame is loaded: the frames of every board size together held over 100 MB.
    LoadMapFrameImages(*frame);
    mFrameImage.CopyTexture(frame->mFrameImage);
    mFrameImage.SetPosition(static_cast<float>(frame->mX), static_cast<float>(frame->mY), false);
    mFrameBackImage.CopyTexture(frame->mBackImage);
    mFrameBackImage.SetPosition(static_cast<float>(frame->mBackX), static_cast<float>(frame->mBackY), false);
    mFrameBackImage.mAlpha = 0.0f;
    ReleaseMapFrameImages();
}

void TBoardMahjong::PrepareBoard() {
    mGameType = mLevelRecord->mGameType;
    GetActiveLayout().SetMode(MosaicLayout_t::kModeShown);
    GetActiveLayout().mAlpha = 1.0f;
    GetActiveLayout().ReleaseAll();
    GetActiveLayout().mSolved = false;
    GetActiveLayout().SetDeveloperHighlight(mDeveloperHighlight);
    GetActiveLayout().SetGridOrigin(mLevelRecord->mStartX != 0 ? mLevelRecord->mStartX : kDefaultOriginX,
                                    mLevelRecord->mStartY != 0 ? mLevelRecord->mStartY : kDefaultOriginY);
    GetActiveLayout().SetVisible(false);
}

void TBoardMahjong::LoadTileset() {
    UnloadCurrentTileset();
    std::string name = mLevelRecord->mTileset;
    if (name.empty()) {
        const TTilesetDefaults* defaults = FindTilesetDefaults(mGameType);
        if (defaults != nullptr && !defaults->mTilesets.empty()) {
            name = defaults->mTilesets.front();
        }
    }
    FindAndLoadTileset(name);
}

int TBoardMahjong::StarDifficulty() const {
    const int choice = TUserInfo::Get()->GetDifficultyChoice();
    if (choice >= 0 && choice < TLevelInfoMosaic::kDifficultyGroups) {
        return choice;
    }
    TLogFile::Get()->Printf("difficulty %d has no star list: casual stars used", choice);
    return 0;
}

void TBoardMahjong::ChooseStars() {
    mLevelStars = FindMosaicStars(mLevelRecord->GetStarKeys(StarDifficulty()));
}

// Always from the main set's list, whatever the mode.
void TBoardMahjong::ChooseBackground() {
    const int index = mLevelRecord->mBackIndex != -1 ? mLevelRecord->mBackIndex : mLevel;
    if (const TStageBackground* entry = FindBackground(index)) {
        mBackground.SetBackground(*entry, "");
    }
    mBackground.SetTimings(18000.0f, 90.0f, 60.0f);
}

float TBoardMahjong::TimeFactor(int gameType) const {
    for (const TMosaicTimeEntry& entry : GetProfileDifficulty().mTimeEntries) {
        if (entry.mGameType == gameType) {
            return entry.mSecondsPerItem;
        }
    }
    return kDefaultTimeFactor;
}

float TBoardMahjong::TimeAllowed() const {
    return static_cast<float>(GetActiveLayout().GetBoard().GetVisibleCellCount()) * TimeFactor(mGameType);
}

void TBoardMahjong::PrepareStatistics() {
    mStatistics.mMistakes = GetActiveLayout().GetBoard().GetMistakes();
    mStatistics.mHintsUsed = mHintsUsed;
    mStatistics.mTimeAllowed = TimeAllowed();
}

void TBoardMahjong::ResetLevelState() {
    SetShownCount(mMistakeMarks, 0);
    SetCheckedCount(mMistakeMarks, 0);
    if (mTimerLabel != nullptr) {
        mTimerLabel->SetTextKey("");
        mTimerLabel->RefreshText();
    }
    mSolvedOnce = false;
    mPlayTime = 0;
    mPlayTimePaused = false;
    mResultsOpen = false;
    mNoHint = true;
    mComboCount = 0;
    mHintsUsed = 0;
    // The mistake marks count this level's mistakes only.
    mMistakes = 0;
    DeleteComboEffect();
    for (TMyImage* image : {mColourChangeBack, mColourChange, mColourIndicator, mColourMixHint, mShapeIndicator}) {
        Hide(image);
    }
    SetShownCount(mColourButtons, 0);
    SetShownCount(mShapeButtons, 0);
}

void TBoardMahjong::BeginLevelAppear() {
    if (!mLoaded) {
        return;
    }
    GetActiveLayout().SetListener(this);
    GetActiveLayout().ResetHints();
    GetCurrentModeProgress().mLevelScore = 0;
    GetActiveLayout().GetBoard().ResetMistakes();
    GetActiveLayout().SetMode(MosaicLayout_t::kModeShown);
    GetActiveLayout().mAlpha = 1.0f;
    mAppearEffect = std::make_unique<TBoardAppearEffect>(GetActiveLayout(), this);
}

void TBoardMahjong::OnBoardAppeared() {
    // The effect calls from its own update: it is deleted once that update is over.
    if (mPlayState != kStateSetUp) {
        return;
    }
    if (mGameTypeLabel != nullptr) {
        mGameTypeLabel->SetTextKey("");
    }
    TModeProgress& progress = GetCurrentModeProgress();
    progress.mLevelRunning = true;
    progress.mModePlayed = true;
    mPlayState = kStatePlaying;
    GetActiveLayout().SetVisible(true);
    GetActiveLayout().ResetSelection();
    mBackground.RequestSwitch();
    TRewardConnector& counters = TRewardConnector::Get();
    counters.mLastScore = counters.mSpare7 = counters.mSpare12 = 0;
    if (!mSolvedOnce && GetActiveLayout().IsSolved()) {
        mPlayTimePaused = true;
        OnLevelSolved();
    }
    SaveProgress();
    StartPlay();
}

void TBoardMahjong::StartPlay() {
    mCountdown = {TimeAllowed(), true, true};
    mComboCount = 0;
    mBonusCount = 0;
    StopComboWindow();
    DeleteComboEffect();
    const int colours = static_cast<int>(GetActiveLayout().GetBoard().GetColourRecords().size());
    if (mColourIndicator != nullptr) {
        mColourIndicator->mShown = colours > 0;
    }
    SetShownCount(mColourButtons, colours);
    RefreshColourButtonImages();
    if (colours > 0) {
        SelectColour(0);
    }
    RefreshColourMarks();
    mCurrentShape = 0;
    RefreshShapeMarks();
    SelectFirstShape();
    SetShownCount(mMistakeMarks, GetMaxErrors());
    SetCheckedCount(mMistakeMarks, 0);
    mFrameBackImage.mAlpha = 1.0f;
    ShowHelpOnce();
}

void TBoardMahjong::ShowHelpOnce() {
    const int page = HelpPageOfGameType(mGameType);
    bool& shown = GetCurrentModeProgress().mHelpShown[page];
    if (!shown) {
        shown = true;
        mWindows->ShowHelpPage(page, 1.5f, this);
    }
}

int TBoardMahjong::GetMaxErrors() const {
    if (mLevelRecord != nullptr && mLevelRecord->mMaxErrors > 0) {
        return mLevelRecord->mMaxErrors;
    }
    return GetProfileDifficulty().mMaxErrors;
}

void TBoardMahjong::OnSettingsChanged() {
    const int recharge = GetProfileDifficulty().mHintRecharge;
    if (mHintButton != nullptr) {
        mHintButton->mRechargeTime = static_cast<float>(recharge);
        // Hints switched off stay off, however short the recharge.
        mHintButton->mSwitchedOff = recharge <= 0;
        TLogFile::Get()->Printf("hint regeneration time %f", static_cast<double>(recharge));
    }
    SetShownCount(mMistakeMarks, GetMaxErrors());
    OnMistakes(0);
}

void TBoardMahjong::SetShownCount(TControls& list, int count) {
    for (size_t i = 0; i < list.size(); ++i) {
        list[i]->mShown = static_cast<int>(i) < count;
        if (!list[i]->mShown) {
            list[i]->mMouseOver = false;
        }
    }
}

void TBoardMahjong::SetCheckedCount(TControls& list, int count) {
    for (size_t i = 0; i < list.size(); ++i) {
        list[i]->mShowChecked = static_cast<int>(i) < count;
    }
}

void TBoardMahjong::SetCheckedIndex(TControls& list, int index) {
    for (size_t i = 0; i < list.size(); ++i) {
        list[i]->mShowChecked = static_cast<int>(i) == index;
    }
}

void TBoardMahjong::SaveProgress() {
    if (TSettings* settings = TSettings::Get()) {
        settings->SaveProgress();
    }
}

void TBoardMahjong::Hide(TMyWindow* window) {
    if (window != nullptr) {
        window->mShown = false;
        window->mMouseOver = false;
    }
}

MosaicLayout_t& TBoardMahjong::GetActiveLayout() {
    if (mGameType == kPictureGameType) {
        return mPictureBoard;
    }
    return mMosaicBoard;
}

const MosaicLayout_t& TBoardMahjong::GetActiveLayout() const {
    if (mGameType == kPictureGameType) {
        return mPictureBoard;
    }
    return mMosaicBoard;
}
