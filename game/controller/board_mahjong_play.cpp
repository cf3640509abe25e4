// The controller during play: the frame update and drawing, pointer input to the board, the colour
// pickers, hints, mistakes and the lost level, the countdown and bonus time, and the dialogs it opened.

#include <SDL.h>

#include <iterator>

#include "app/renderer.h"
#include "app/settings.h"
#include "app/string_utils.h"
#include "controller/board_mahjong.h"
#include "controller/developer_keys.h"
#include "data/level_info.h"
#include "data/rewards.h"
#include "data/tilesets.h"
#include "data/user_records.h"
#include "media/sound_manager.h"
#include "windows/game_cursors.h"
#include "windows/image_control.h"
#include "windows/text_label.h"
#include "windows/window_manager.h"

bool TBoardMahjong::IsPlayRunning() const {
    return GetCurrentModeProgress().mLevelRunning;
}

void TBoardMahjong::Update(float dt) {
    mSceneParticles.Update(dt);
    GetActiveLayout().Update(dt);
    if (mShadow != nullptr) {
        mShadow->Update(dt);
        if (mShadow->mFinished) {
            mShadow.reset();
        }
    }
    if (IsFrozen()) {
        return;
    }
    mBackground.Update(dt);
    if (mAppearEffect != nullptr) {
        mAppearEffect->Update(dt);
        if (mPlayState != kStateSetUp) {
            mAppearEffect.reset();
        }
    }
    mCaptionEffects.Update(dt);
    mSparkleEffects.Update(dt);
    mHintEffects.Update(dt);
    mComboWindow.Update(dt);
    if (mPlayState == kStatePlaying) {
        // A picture solved but still being revealed keeps its time: the clock and countdown stop at the solve.
        if (!mPlayTimePaused) {
            mPlayTime += dt * mTimeSpeed;
            CheckTimeOver();
            UpdateTimer(dt);
        }
        mTipTween.Update(dt);
    }
    if (mPlayState == kStateWon && !mResultsOpen && mSparkleEffects.GetCount() == 0) {
        ComputeResults();
    }
    if (mComboEffect != nullptr && mComboEffect->Update(dt)) {
        DeleteComboEffect();
    }
}

void TBoardMahjong::CheckTimeOver() {
    if (!IsPlayRunning() || !GetProfileDifficulty().mUseTimer || !mCountdown.mRunning || mCountdown.mValue > 0) {
        return;
    }
    DeleteComboEffect();
    mCountdown.mValue = 0;
    if (TGameCursors* cursors = TGameCursors::FindInstance()) {
        cursors->SetDefault();
    }
    GetCurrentModeProgress().mLevelRunning = false;
    // Input stops with the time: no stroke can win the level under the coming message box.
    mPlayState = kStateLost;
    mCaptionEffects.Add(0, new EffectGo("textures/loc/timeisover", kCaptionX, kCaptionY, kCaptionHold, this,
                                        kCaptionTimeOver, kCaptionFade));
    PlaySoundByName("timeup");
    FillUpHintButton();
}

void TBoardMahjong::UpdateTimer(float dt) {
    if (mAppearEffect != nullptr || mTimerLabel == nullptr) {
        return;
    }
    const bool useTimer = GetProfileDifficulty().mUseTimer;
    mTimerLabel->mShown = useTimer;
    if (!useTimer) {
        mTimerLabel->mMouseOver = false;
        return;
    }
    mCountdown.Update(dt);
    UpdateTimerText();
}

void TBoardMahjong::UpdateTimerText() {
    const int t = static_cast<int>(mCountdown.mValue);
    const int minutes = std::max(0, (t / 60) % 60);
    const int seconds = std::max(0, t % 60);
    mTimerLabel->SetText(FormatString(seconds > 9 ? "%d : %d" : "%d : 0%d", minutes, seconds));
}

// The background and the board up to its cells change only when something is played or the background
// fades, yet cost most of the frame: while the board is shown they come from a cached layer, with the
// particles between them drawn where they are.
void TBoardMahjong::Draw() {
    const bool boardShown = mPlayState == kStatePlaying || mPlayState == kStateLost;
    const bool cellLayer = boardShown && GetActiveLayout().HasCellLayer();
    const auto under = [this] { mBackground.Draw(); };
    const auto particles = [this] { mSceneParticles.Draw(1.0f); };
    const auto board = [this] {
        GetActiveLayout().DrawClues();
        mFrameBackImage.Draw(1.0f);
        GetActiveLayout().DrawCellLayer();
    };
    if (!cellLayer || !mBoardLayers.Draw(under, particles, board)) {
        under();
        particles();
        if (cellLayer) {
            board();
        }
    }
    if (cellLayer) {
        GetActiveLayout().DrawCellMarks();
        mFrameImage.Draw(1.0f);
    } else if (mPlayState == kStateSetUp && mAppearEffect != nullptr) {
        GetActiveLayout().DrawClues();
        mAppearEffect->Draw();
        mFrameImage.Draw(1.0f);
    } else if (mPlayState == kStateSetUp) {
        mFrameBackImage.Draw(1.0f);
        GetActiveLayout().DrawCells();
    } else if (boardShown) {
        GetActiveLayout().DrawClues();
        mFrameBackImage.Draw(1.0f);
        GetActiveLayout().DrawCells();
        mFrameImage.Draw(1.0f);
    }
    if (!IsFrozen()) {
        mHintEffects.Draw();
        mCaptionEffects.Draw();
        mSparkleEffects.Draw();
    }
    if (mComboEffect != nullptr) {
        mComboEffect->DrawEffect();
    }
}

TMouseEvent TBoardMahjong::CopyPointer(const TMouseEvent& event) const {
    TMouseEvent copy;
    copy.x = event.x;
    copy.y = event.y;
    copy.gameX = event.gameX;
    copy.gameY = event.gameY;
    copy.buttons = event.buttons;
    return copy;
}

void TBoardMahjong::OnMouseMove(const TMouseEvent& event) {
    mPointerX = event.x;
    mPointerY = event.y;
    if (mPlayState == kStatePlaying) {
        const TMouseEvent copy = CopyPointer(event);
        GetActiveLayout().OnMouseMove(copy.gameX, copy.gameY);
    }
}

void TBoardMahjong::OnMouseDrag(const TMouseEvent& event) {
    if (mPlayState == kStatePlaying) {
        GetActiveLayout().OnMouseDrag(event.gameX, event.gameY, event.buttons);
    }
}

void TBoardMahjong::OnMouseDown(const TMouseEvent& event) {
    if (mClickGuard > 0) {
        --mClickGuard;
        return;
    }
    if (mPlayState == kStatePlaying) {
        GetActiveLayout().OnMouseDown(event.gameX, event.gameY, event.buttons);
    }
}

void TBoardMahjong::OnMouseUp(const TMouseEvent& event) {
    if (mClickGuard > 0) {
        mClickGuard = 0;
        return;
    }
    if (mPlayState == kStatePlaying) {
        GetActiveLayout().OnMouseUp(event.gameX, event.gameY, event.buttons);
    }
}

void TBoardMahjong::SetFrozen(bool frozen) {
    // The screen's freeze is kept apart from the dialogs', so a focus change while a dialog is open
    // leaves play frozen.
    mScreenFrozen = frozen;
    if (!frozen) {
        mClickGuard = 2;
    }
}

void TBoardMahjong::OnKeyUp(int key) {
    if (!DeveloperKeysEnabled()) {
        return;
    }
    if (key == SDLK_BACKQUOTE) {
        mDeveloperMode = !mDeveloperMode;
        GetActiveLayout().ShowHiddenCellMarks(mDeveloperMode);
        return;
    }
    if (!mDeveloperMode) {
        return;
    }
    if (key == SDLK_c || key == SDLK_x) {
        mDeveloperHighlight = !mDeveloperHighlight;
        GetActiveLayout().SetDeveloperHighlight(mDeveloperHighlight);
        if (key == SDLK_x) {
            GetActiveLayout().ShowSolution(mDeveloperHighlight);
        }
    } else if (key == SDLK_h && mHintButton != nullptr) {
        OnButtonClick(kGameScreenId, nullptr, mHintButton->mId, mHintButton);
    } else if (key == SDLK_DELETE && mPlayState == kStatePlaying) {
        mPlayTimePaused = true;
        OnLevelSolved();
    } else if (key == SDLK_TAB) {
        mPlayState = kStateStopped;
    } else if (key == SDLK_HASH) {
        mWindows->CloseHelpWindow();
    }
}

void TBoardMahjong::OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) {
    if (button != nullptr && button == mHintButton) {
        TakeHint();
        return;
    }
    // Once the level is solved the way on is the results window's.
    if (button == nullptr || button != mMenuButton || mSolvedOnce || mPlayState != kStatePlaying) {
        return;
    }
    GetActiveLayout().SetMode(MosaicLayout_t::kModeFadingOut);
    GetActiveLayout().mAlpha = 1.0f;
    mWindows->ShowGameMenu(this);
}

void TBoardMahjong::OnRegenerated(int, TMyWindow*, int, TStandartRegenerateButton*) {
    PlaySoundByName("hint");
}

void TBoardMahjong::TakeHint() {
    const TMyWindowManager* manager = TMyWindowManager::FindInstance();
    if ((manager != nullptr && manager->GetActiveFader() != nullptr) || mWindows->IsWindowOpen(kLevelIntroId) ||
        mWindows->IsWindowOpen(kMessageBoxId) || mWindows->IsWindowOpen(kGameMenuId) || mPlayState != kStatePlaying ||
        (mHintButton != nullptr && mHintButton->mSwitchedOff)) {
        return;
    }
    mClickGuard = 0;
    std::vector<MosaicItem_t*> cells;
    if (!GetActiveLayout().GetHintCells(cells)) {
        return;
    }
    // The saved count of levels won without a hint is left alone: the level's own no-hint flag decides.
    const int startX = mHintButton != nullptr ? mHintButton->GetCenterX() : 0;
    const int startY = mHintButton != nullptr ? mHintButton->GetY() - 20 : 0;
    PlaySoundByName("hint");
    mHintEffects.Clear();
    std::vector<EffectRemover::TTarget> targets;
    for (const MosaicItem_t* item : cells) {
        const TMosaicCell& cell = item->GetCell();
        targets.push_back({cell.x + cell.w / 2, cell.y + cell.h / 2});
    }
    mHintEffects.Add(0, new EffectRemover(startX, startY, targets, this, 0));
    if (mHintButton != nullptr) {
        mHintButton->StartRecharge();
    }
    ++mHintsUsed;
    mNoHint = false;
}

void TBoardMahjong::OnRemoverTargetReached(EffectRemover* effect, int target, int) {
    const std::vector<MosaicItem_t*>& candidates = GetActiveLayout().GetHintCandidates();
    if (effect->mBonus || target < 0 || target >= static_cast<int>(candidates.size())) {
        return;
    }
    const TMosaicCell& cell = candidates[static_cast<size_t>(target)]->GetCell();
    mSparkleEffects.Add(0, new EffectChange3One(cell.x + cell.w / 2, cell.y + cell.h / 2, 5, -5, 2.0f, 0.7f));
}

bool TBoardMahjong::IsColourComplete(int index) const {
    const auto& records = GetActiveLayout().GetBoard().GetColourRecords();
    return index >= 0 && index < static_cast<int>(records.size()) &&
           records[static_cast<size_t>(index)].AreAllRunsDone();
}

void TBoardMahjong::SelectColour(int index) {
    TMosaicBoard& rules = GetActiveLayout().GetBoard();
    rules.SetCurrentPair({index + 1, 0});
    rules.UpdateRunsDone(false);
    rules.ApplyColourLayer(true);
    if (mColourIndicator != nullptr) {
        const TTileset* tileset = GetCurrentTileset();
        const TTile* tile = tileset != nullptr ? tileset->GetTileByGroup(index + 1, kIndicatorTileGroup) : nullptr;
        mColourIndicator->SetImage(tile != nullptr ? tile->mSprite : "");
    }
    SetCheckedIndex(mColourButtons, index);
}

void TBoardMahjong::SelectNextColour() {
    const int count = static_cast<int>(GetActiveLayout().GetBoard().GetColourRecords().size());
    if (count == 0) {
        return;
    }
    int index = GetActiveLayout().GetBoard().GetCurrentPair().colour % count;
    for (int step = 0; step < count && IsColourComplete(index); ++step) {
        index = (index + 1) % count;
    }
    SelectColour(index);
    GetActiveLayout().ClearClueHighlights();
    PlaySoundByName("changemosaiccolor");
    RefreshShapeMarks();
    SelectFirstShape();
}

bool TBoardMahjong::IsShapeSkipped(int index) const {
    return GetActiveLayout().IsShapeAvailable(index, GetActiveLayout().GetBoard().GetCurrentColourIndex());
}

void TBoardMahjong::SelectShape(int index) {
    mCurrentShape = index + 1;
    GetActiveLayout().GetBoard().ApplyColourLayer(false);
    constexpr int previews = static_cast<int>(std::size(kShapePreviews));
    if (mShapeIndicator != nullptr && index >= 0 && index < previews) {
        mShapeIndicator->SetImage(kShapePreviews[index]);
    }
    SetCheckedIndex(mShapeButtons, index);
    PlaySoundByName("changemosaicshape");
}

void TBoardMahjong::SelectNextShape() {
    const int count = GetActiveLayout().GetShapeCount();
    if (count <= 0) {
        return;
    }
    int index = mCurrentShape % count;
    for (int step = 0; step < count && IsShapeSkipped(index); ++step) {
        index = (index + 1) % count;
    }
    SelectShape(index);
}

void TBoardMahjong::SelectFirstShape() {
    for (int index = 0; index < GetActiveLayout().GetShapeCount(); ++index) {
        if (!IsShapeSkipped(index)) {
            SelectShape(index);
            return;
        }
    }
}

// Only a board with shapes shows the shape pickers; a skipped shape's button shows its second image.
void TBoardMahjong::RefreshShapeMarks() {
    const int count = GetActiveLayout().GetShapeCount();
    SetShownCount(mShapeButtons, count);
    for (size_t i = 0; i < mShapeButtons.size(); ++i) {
        mShapeButtons[i]->mShowSecond = IsShapeSkipped(static_cast<int>(i));
    }
    if (mShapeIndicator != nullptr) {
        mShapeIndicator->mShown = count > 0;
        if (count == 0) {
            mShapeIndicator->mMouseOver = false;
        }
    }
}

void TBoardMahjong::RefreshColourButtonImages() {
    const TTileset* tileset = GetCurrentTileset();
    for (size_t i = 0; i < mColourButtons.size() && tileset != nullptr; ++i) {
        const TTile* tile = tileset->GetTileByGroup(static_cast<int>(i) + 1, kButtonTileGroup);
        mColourButtons[i]->SetImage(tile != nullptr ? tile->mSprite : "");
    }
}

// A finished colour's button shows its second image.
void TBoardMahjong::RefreshColourMarks() {
    for (size_t i = 0; i < mColourButtons.size(); ++i) {
        mColourButtons[i]->mShowSecond = IsColourComplete(static_cast<int>(i));
    }
}

void TBoardMahjong::OnWindowMouseDown(TMyWindow* window, const TMouseEvent&) {
    mClickGuard = 0;
    if (window == nullptr) {
        return;
    }
    if (window == mColourIndicator) {
        SelectNextColour();
        return;
    }
    for (size_t i = 0; i < mColourButtons.size(); ++i) {
        const int index = static_cast<int>(i);
        if (window == mColourButtons[i] && !IsColourComplete(index) &&
            index != GetActiveLayout().GetBoard().GetCurrentColourIndex()) {
            SelectColour(index);
            GetActiveLayout().ClearClueHighlights();
            PlaySoundByName("changemosaiccolor");
            RefreshShapeMarks();
        }
    }
    if (window == mShapeIndicator) {
        SelectNextShape();
        return;
    }
    for (size_t i = 0; i < mShapeButtons.size(); ++i) {
        const int index = static_cast<int>(i);
        if (window == mShapeButtons[i] && index < GetActiveLayout().GetShapeCount() && !IsShapeSkipped(index) &&
            index + 1 != mCurrentShape) {
            SelectShape(index);
        }
    }
}

void TBoardMahjong::OnWindowMouseEnter(TMyWindow* window) {
    if (window == mColourChange && mColourMixHint != nullptr && TUserInfo::Get()->GetDifficultyChoice() != 2) {
        mColourMixHint->mShown = true;
    }
}

void TBoardMahjong::OnWindowMouseLeave(TMyWindow* window) {
    if (window == mColourChange) {
        Hide(mColourMixHint);
    }
}

void TBoardMahjong::OnCellHover(MosaicItem_t*) {
    PlaySoundByName("mosaiccellover");
}

void TBoardMahjong::OnCellFilled(MosaicItem_t* cell) {
    if (cell != nullptr && cell->GetCell().hiddenReward && mStage == 0 && mLevel == 3 &&
        !TUserInfo::Get()->HasPair("IHelpShown", "TipHiddenCell")) {
        mWindows->ShowTutorial("TipHiddenCell");
    }
}

void TBoardMahjong::OnLayoutSolved() {
    mPlayTimePaused = true;
    if (mGameType == 6 && mLevel == 3) {
        mWindows->ShowTutorial("TipLabirythmMode");
    }
}

void TBoardMahjong::OnCellsPainted(int count) {
    mWindows->ShowTutorial("TipHint");
    if (!mSolvedOnce && GetActiveLayout().IsSolved()) {
        mPlayTimePaused = true;
        OnLevelSolved();
    }
    if (!GetActiveLayout().IsSolved() && IsColourComplete(GetActiveLayout().GetBoard().GetCurrentColourIndex())) {
        SelectNextColour();
    }
    if (!GetActiveLayout().IsSolved() && GetActiveLayout().GetShapeCount() > 0 && IsShapeSkipped(mCurrentShape - 1)) {
        SelectNextShape();
    }
    RefreshColourMarks();
    RefreshShapeMarks();
    if (count > 1) {
        CountBonusStroke();
    }
}

void TBoardMahjong::CountBonusStroke() {
    if (mComboEffect != nullptr) {
        mComboEffect->AddCount();
        return;
    }
    if (!GetProfileDifficulty().mShowBonusTime) {
        return;
    }
    ++mComboCount;
    if (mComboCount == 1) {
        mComboWindow.Set(0.0f, 1.0f, kComboWindow, true);
    } else if (mComboCount == 2) {
        StopComboWindow();
        StartComboEffect();
    }
}

void TBoardMahjong::StopComboWindow() {
    mComboWindow.SetValue(0.0f);
}

void TBoardMahjong::OnIncValueFinished(IncValue& value) {
    if (&value == &mTipTween) {
        mWindows->ShowTutorial("TipLabirythmModeMove");
        return;
    }
    mComboCount = 0;
}

void TBoardMahjong::OnTutorialFinished(const std::string& name) {
    if (name == "TipLabirythmMode") {
        mTipTween.Start(kTipPause);
    } else if (name == "TipMixColorsMode") {
        mWindows->ShowTutorial("TipMixColorsButton");
    } else if (name == "TipMixColorsButton") {
        mWindows->ShowTutorial("TipMixColorsMode2");
    }
}

void TBoardMahjong::StartComboEffect() {
    DeleteComboEffect();
    mComboEffect = std::make_unique<EffectBonusTime>(EffectBonusTime::TLayout{}, this);
}

void TBoardMahjong::DeleteComboEffect() {
    // Deleting the effect reports its count (OnBonusTime), which must not find it half gone.
    std::unique_ptr<EffectBonusTime> effect = std::move(mComboEffect);
    effect.reset();
}

void TBoardMahjong::OnBonusTime(int count) {
    mComboCount = 0;
    if (GetProfileDifficulty().mUseTimer) {
        mBonusCount += count;
        mCountdown.mValue += static_cast<float>(count) * kBonusSecondsPerCount;
    }
}

void TBoardMahjong::OnBonusTimeShown(EffectBonusTime* effect) {
    if (mTimerLabel == nullptr || !mTimerLabel->mShown) {
        return;
    }
    auto* remover = new EffectRemover(static_cast<int>(effect->GetPointX()), static_cast<int>(effect->GetPointY()),
                                      {{mTimerLabel->GetX(), mTimerLabel->GetY()}}, this, 0);
    remover->mBonus = true;
    mSparkleEffects.Add(0, remover);
    PlaySoundByName("timerbonus");
}

void TBoardMahjong::OnCellWrong(MosaicItem_t* cell) {
    if (mGameType != kMarkedMistakeGameType || cell == nullptr) {
        return;
    }
    const TMosaicCell& c = cell->GetCell();
    mCaptionEffects.Add(0, new EffectOneBomb("textures/items/mistake", c.x + c.w / 2, c.y + c.h / 2, 1.0f, 1.5f, 1.0f));
}

void TBoardMahjong::OnMistakes(int count) {
    if (!IsPlayRunning()) {
        return;
    }
    if (count > 0) {
        PlaySoundByName("wrongmosaic");
    }
    mMistakes += count;
    SetCheckedCount(mMistakeMarks, mMistakes);
    if (GetActiveLayout().GetBoard().GetMistakes() >= GetMaxErrors() + 1 && !mWindows->IsWindowOpen(kMessageBoxId)) {
        LoseLevel();
    }
}

void TBoardMahjong::LoseLevel() {
    const bool bomb = mGameType == kBombGameType;
    if (!bomb) {
        SetShownCount(mMistakeMarks, GetMaxErrors() + 1);
        SetCheckedCount(mMistakeMarks, mMistakes + 1);
    }
    mPlayState = kStateLost;
    GetCurrentModeProgress().mLevelRunning = false;
    mCaptionEffects.Add(0, new EffectGo("textures/loc/loselevel", kCaptionX, kCaptionY, kCaptionHold, this,
                                        bomb ? kCaptionBombLost : kCaptionLost, kCaptionFade));
    PlaySoundByName("loselevel");
    FillUpHintButton();
}

void TBoardMahjong::FillUpHintButton() {
    if (mHintButton != nullptr) {
        mHintButton->SetFull();
    }
}

void TBoardMahjong::OnEffectGoFinished(EffectGo* effect) {
    switch (effect->GetKind()) {
    case kCaptionComplete:
        GetActiveLayout().SetVisible(false);
        mPlayState = kStateWon;
        break;
    case kCaptionTimeOver:
        mWindows->ShowMessageBox("timeisovermessageMosaic", kMessageDelay, this);
        break;
    case kCaptionBombLost:
        mWindows->ShowMessageBox("BombMessageMosaic", kMessageDelay, this);
        break;
    case kCaptionLost:
        mWindows->ShowMessageBox("ToManyMistakesMosaic", kMessageDelay, this);
        break;
    default:
        break;
    }
}

void TBoardMahjong::OnEffectGoHoldEnd(EffectGo* effect) {
    if (effect->GetKind() == kCaptionComplete) {
        PlaySoundByName("levelcomplete");
    }
}

void TBoardMahjong::OnHiddenCellFound(MosaicItem_t* item) {
    if (item == nullptr) {
        return;
    }
    const TMosaicCell& cell = item->GetCell();
    const int x = cell.x + cell.w / 2;
    const int y = cell.y + cell.h / 2;
    PlaySoundByName("findhiddencell");
    ++TRewardConnector::Get().mHiddenCellsFound;
    mCaptionEffects.Add(0, new EffectGotReward(x, y, "textures/fx/sparkle", 0.5f));
    TReward* reward = mLevelRecord != nullptr ? FindReward(mLevelRecord->mReward) : nullptr;
    if (reward == nullptr || reward->mObtained) {
        return;
    }
    reward->SetObtained();
    SaveProgress();
    PlaySoundByName("findpuzzle");
    mCaptionEffects.Add(0, new EffectGo("textures/gui/gamescreen/puzzlepiece", x, y, kCaptionHold, nullptr,
                                        kCaptionReward, kCaptionFade));
}

void TBoardMahjong::ShowShadow() {
    mShadow = std::make_unique<TShadow>();
    mShadow->mMaxAlpha = kShadowAlpha;
    mShadow->mHold = true;
    mShadow->Show();
}

void TBoardMahjong::HideShadow() {
    if (mShadow != nullptr) {
        mShadow->Hide();
    }
}

void TBoardMahjong::DrawOver() {
    if (mShadow != nullptr) {
        mShadow->Draw();
    }
}

void TBoardMahjong::OnDialogShown() {
    ++mFrozenCount;
    mCountdown.mRunning = false;
    ShowShadow();
}

void TBoardMahjong::OnDialogHidden() {
    if (mFrozenCount > 0) {
        --mFrozenCount;
        mCountdown.mRunning = true;
    }
    HideShadow();
}

void TBoardMahjong::OnDialogClosed(int id, int result) {
    switch (id) {
    case kLevelIntroId:
        BeginLevelAppear();
        break;
    case kPauseWindowId:
        HideShadow();
        mScreenFrozen = false;
        break;
    case kGameMenuId:
        if (result == kMenuReplay) {
            SaveProgress();
            // The controller's own level: the profile may already point past it.
            StartLevel(mStage, mLevel);
        } else if (result == kMenuQuit) {
            mWindows->ShowMainMenu();
        } else if (result == kMenuMap) {
            SaveProgress();
            mWindows->ShowMap();
        } else {
            GetActiveLayout().SetMode(MosaicLayout_t::kModeFadingIn);
            GetActiveLayout().mAlpha = 0.0f;
        }
        break;
    case kMessageBoxId:
        StartLevel(mStage, mLevel);
        break;
    case kHelpWindowId:
        if (mColourIndicator != nullptr && GetActiveLayout().GetBoard().GetColourRecords().size() > 1) {
            mWindows->ShowTutorial("TipChangeColor");
        }
        break;
    case kResultsWindowId:
        OnResultsClosed(result);
        break;
    default:
        break;
    }
}
