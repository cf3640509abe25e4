#pragma once
// The game controller: runs one level on the game screen from set-up to saved result. It builds the
// screen's controls, loads the level into the board, opens the level intro, lets the cells fly in, then
// forwards play to the board and answers its events (colours, hints, mistakes, bonus time, hidden
// cells), decides when the level is lost, and on a solve records the result in the profile and opens the
// results window.

#include <memory>
#include <string>
#include <vector>

#include "board/board_appear_effect.h"
#include "board/board_background.h"
#include "board/board_effects.h"
#include "board/mosaic_layout.h"
#include "board/picture_board.h"
#include "controller/controller_windows.h"
#include "controller/game_base.h"
#include "controller/game_types.h"
#include "controller/regenerate_button.h"
#include "graphics/fader.h"
#include "graphics/layer_cache.h"
#include "graphics/objects_manager.h"
#include "objects/particle_object.h"
#include "windows/tutorial_window.h"

#include "app/user_info.h"

class TMyImage;
class TSimpleTextImage;
class TStageInfo;
class TStageList;
class TMosaicStar;
class TLevelInfoMosaic;

// Seconds left (counting down) or played (counting up).
struct TTimeCounter {
    float mValue = 0;
    bool mCountDown = false;
    bool mRunning = false;

    void Update(float dt) {
        if (mRunning) {
            mValue += mCountDown ? -dt : dt;
        }
    }
};

// The controls the controller made on the game screen: the screen owns them, so they read as gone
// once it is deleted.
using TControls = std::vector<TWeakRef<TMyImage>>;

class TBoardMahjong : public TGameBase,
                      public TStandartRegenerateButtonListener,
                      public TControllerDialogListener,
                      public MosaicLayoutListener,
                      public EffectRemoverListener,
                      public EffectGoListener,
                      public BoardAppearMosaicEffectListener,
                      public TBaseUserInfoListener,
                      public EffectBonusTimeListener,
                      public TMyWindowListener,
                      public TMyTutorialWindowListener,
                      public IncValueListener {
public:
    // Play states.
    static constexpr int kStateSetUp = 1;
    static constexpr int kStateIdle = 2;
    static constexpr int kStatePlaying = 3;
    static constexpr int kStateLost = 6;
    static constexpr int kStateWon = 8;
    static constexpr int kStateStopped = 12;
    // Caption kinds.
    static constexpr int kCaptionReward = 0;
    static constexpr int kCaptionComplete = 1;
    static constexpr int kCaptionTimeOver = 2;
    static constexpr int kCaptionBombLost = 3;
    static constexpr int kCaptionLost = 4;
    // Results window answers.
    static constexpr int kResultReplay = 1;
    static constexpr int kResultMainMenu = 2;
    static constexpr int kResultNext = 3;
    // Game menu answers.
    static constexpr int kMenuQuit = 3;
    static constexpr int kMenuReplay = 5;
    static constexpr int kMenuMap = 9;

    // Captions stand at the centre of the design screen.
    static constexpr int kCaptionX = 683;
    static constexpr int kCaptionY = 384;
    static constexpr float kCaptionHold = 0.5f;
    static constexpr float kCaptionFade = 1.5f;
    static constexpr float kComboWindow = 5.0f;
    static constexpr float kBonusSecondsPerCount = 5.0f;
    static constexpr float kDefaultTimeFactor = 5.0f;
    static constexpr float kShadowAlpha = 0.6f;
    static constexpr float kMessageDelay = 1.0f;
    static constexpr int kDefaultOriginX = 312;
    static constexpr int kDefaultOriginY = 155;
    static constexpr int kMaxScore = 99999;
    static constexpr int kMinScore = 100;
    // The game type whose score is not raised to the minimum.
    static constexpr int kUnclampedGameType = 21;
    static constexpr int kBombGameType = 4;
    static constexpr int kMarkedMistakeGameType = 8;
    // The pause between a tutorial tip and the one that follows it.
    static constexpr float kTipPause = 0.3f;
    static constexpr const char* kLevelMusic = "music1";
    static constexpr const char* kSceneFile = "ui/mainback.xml";
    // The shape indicator's pictures, shape 1 first.
    static constexpr const char* kShapePreviews[] = {"textures/tilesets/prevsquarebig",
                                                     "textures/tilesets/prevcirclebig", "textures/tilesets/prev6big"};

    // The controller of the game screens, made on first use with the game's real windows.
    static TBoardMahjong* Get();
    // The singleton when it exists, without making it.
    static TBoardMahjong* FindInstance();
    // Stops listening to the profile, then deletes the singleton.
    static void Release();

    // The windows stay owned by the caller; null uses the logging stand-ins.
    explicit TBoardMahjong(TControllerWindows* windows = nullptr);
    ~TBoardMahjong() override;
    TBoardMahjong(const TBoardMahjong&) = delete;
    TBoardMahjong& operator=(const TBoardMahjong&) = delete;

    // TGameBase.
    int GetKind() const override { return 1; }
    // The level music, the map frames' pictures and the tutorial tips' listener; not counted.
    void Activate() override;
    void Enter() override;
    void Leave() override;
    void Update(float dt) override;
    void Draw() override;
    // The dimming shadow of an open dialog.
    void DrawOver() override;
    void OnMouseMove(const TMouseEvent& event) override;
    void OnMouseUp(const TMouseEvent& event) override;
    void OnMouseDown(const TMouseEvent& event) override;
    void OnMouseDrag(const TMouseEvent& event) override;
    void OnKeyUp(int key) override;
    void SetFrozen(bool frozen) override;

    // -1 for either takes the profile's current one in the current mode.
    virtual void StartLevel(int stage, int level);
    virtual void OnLevelSolved();
    virtual void NotifyListener();

    // The picture board for picture levels, the mosaic board for every other game type.
    MosaicLayout_t& GetActiveLayout();
    const MosaicLayout_t& GetActiveLayout() const;
    int GetMaxErrors() const;

    // Controls.
    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;
    void OnRegenerated(int parentId, TMyWindow* parent, int buttonId, TStandartRegenerateButton* button) override;
    void OnWindowMouseDown(TMyWindow* window, const TMouseEvent& event) override;
    void OnWindowMouseEnter(TMyWindow* window) override;
    void OnWindowMouseLeave(TMyWindow* window) override;

    // Dialogs.
    void OnDialogShown() override;
    void OnDialogHidden() override;
    void OnDialogClosed(int id, int result) override;

    // The board.
    void OnLayoutSolved() override;
    void OnCellWrong(MosaicItem_t* cell) override;
    void OnMistakes(int count) override;
    void OnCellHover(MosaicItem_t* cell) override;
    void OnCellFilled(MosaicItem_t* cell) override;
    void OnCellsPainted(int count) override;
    void OnHiddenCellFound(MosaicItem_t* cell) override;

    // Effects.
    void OnRemoverTargetReached(EffectRemover* effect, int target, int tag) override;
    void OnEffectGoFinished(EffectGo* effect) override;
    void OnEffectGoHoldEnd(EffectGo* effect) override;
    void OnBoardAppeared() override;
    void OnBonusTime(int count) override;
    void OnBonusTimeShown(EffectBonusTime* effect) override;
    void OnIncValueFinished(IncValue& value) override;
    void OnSettingsChanged() override;
    void OnTutorialFinished(const std::string& name) override;

    // What tests and the game screen read.
    int GetPlayState() const { return mPlayState; }
    int GetStage() const { return mStage; }
    int GetLevel() const { return mLevel; }
    int GetFrozenCount() const { return mFrozenCount; }
    bool IsFrozen() const { return mFrozenCount > 0 || mScreenFrozen; }
    bool IsScreenFrozen() const override { return mScreenFrozen; }
    float GetPlayTime() const { return mPlayTime; }
    const TTimeCounter& GetCountdown() const { return mCountdown; }
    const TLevelStatistics& GetStatistics() const { return mStatistics; }
    const TLevelResult& GetResult() const { return mResult; }
    int GetHintsUsed() const { return mHintsUsed; }
    int GetMistakes() const { return mMistakes; }
    int GetComboCount() const { return mComboCount; }
    int GetBonusCount() const { return mBonusCount; }
    EffectBonusTime* GetComboEffect() const { return mComboEffect.get(); }
    const ObjectsManager& GetHintEffects() const { return mHintEffects; }
    const ObjectsManager& GetSparkleEffects() const { return mSparkleEffects; }
    const ObjectsManager& GetCaptionEffects() const { return mCaptionEffects; }
    bool IsShadowShown() const { return mShadow != nullptr && mShadow->mState != TShadow::kFalling; }
    bool IsAppearing() const { return mAppearEffect != nullptr; }
    const TLevelInfoMosaic* GetLevelRecord() const { return mLevelRecord; }
    TStandartRegenerateButton* GetHintButton() const { return mHintButton; }
    TMyButton* GetMenuButton() const { return mMenuButton; }
    TSimpleTextImage* GetTimerLabel() const { return mTimerLabel; }
    const TControls& GetColourButtons() const { return mColourButtons; }
    const TControls& GetMistakeMarks() const { return mMistakeMarks; }
    const TControls& GetShapeButtons() const { return mShapeButtons; }
    TMyImage* GetShapeIndicator() const { return mShapeIndicator; }
    TMyImage* GetColourIndicator() const { return mColourIndicator; }
    // Shape 1 is the first; 0 while none is chosen.
    int GetCurrentShape() const { return mCurrentShape; }
    bool IsDeveloperMode() const { return mDeveloperMode; }
    bool IsDeveloperHighlight() const { return mDeveloperHighlight; }
    TBoardBackground& GetBackground() { return mBackground; }
    const AlphaStaticImage& GetFrameImage() const { return mFrameImage; }
    const StaticImage& GetFrameBackImage() const { return mFrameBackImage; }
    const TParticleObject& GetSceneParticles() const { return mSceneParticles; }
    // The background and the board under its hover marks, cached while the board is shown.
    const TLayerCache& GetBoardLayers() const { return mBoardLayers; }
    const IncValue& GetTipTween() const { return mTipTween; }

private:
    // Set-up steps.
    TMyWindow* FindGameScreen() const;
    void CreateControls(TMyWindow* screen);
    void CreateNumberedList(TMyWindow* screen, const std::string& prefix, TControls& list, bool listen);
    bool ChooseLevel(int stage, int level);
    void PrepareRewardCells();
    void PlaceFrame();
    void PrepareBoard();
    void LoadTileset();
    void ChooseStars();
    void ChooseBackground();
    void PrepareStatistics();
    void ResetLevelState();
    void AbandonLevel(const char* reason);
    float TimeFactor(int gameType) const;
    float TimeAllowed() const;
    int StarDifficulty() const;
    void BeginLevelAppear();
    void StartPlay();
    void ShowHelpOnce();
    void LoadSceneParticles();

    // Play steps.
    bool IsPlayRunning() const;
    void CheckTimeOver();
    void UpdateTimer(float dt);
    void UpdateTimerText();
    void TakeHint();
    void SelectNextColour();
    void SelectColour(int index);
    bool IsColourComplete(int index) const;
    void RefreshColourMarks();
    void RefreshColourButtonImages();
    // Shapes: the pickers show the board's shapes; a shape the board skips for the current colour is
    // marked and never chosen.
    bool IsShapeSkipped(int index) const;
    void SelectShape(int index);
    void SelectNextShape();
    void SelectFirstShape();
    void RefreshShapeMarks();
    void CountBonusStroke();
    void StartComboEffect();
    void DeleteComboEffect();
    void LoseLevel();
    void FillUpHintButton();
    void StopComboWindow();
    void ShowShadow();
    void HideShadow();
    TMouseEvent CopyPointer(const TMouseEvent& event) const;

    // Completion steps.
    void ComputeResults();
    int CountStars() const;
    void RecordBestValues(int stars, int score);
    void LogCompletion(int stars) const;
    void OnResultsClosed(int result);
    TLevelProgress* FindLevelProgress() const;

    void SetShownCount(TControls& list, int count);
    void SetCheckedCount(TControls& list, int count);
    void SetCheckedIndex(TControls& list, int index);
    static void Hide(TMyWindow* window);
    static void SaveProgress();

    TControllerWindows* mWindows;
    TBoardBackground mBackground;
    ObjectsManager mHintEffects;
    ObjectsManager mSparkleEffects;
    ObjectsManager mCaptionEffects;
    bool mSolvedOnce = false;
    int mPointerX = 0;
    int mPointerY = 0;
    MosaicLayout_t mMosaicBoard;
    MosaicLayoutShowImage_t mPictureBoard;
    int mGameType = 0;
    int mPlayState = kStateIdle;
    std::unique_ptr<TBoardAppearEffect> mAppearEffect;
    TWeakRef<TStandartRegenerateButton> mHintButton;
    TWeakRef<TMyButton> mMenuButton;
    TWeakRef<TSimpleTextImage> mGameTypeLabel;
    TWeakRef<TSimpleTextImage> mTimerLabel;
    const TStageInfo* mStageRecord = nullptr;
    int mStage = 0;
    int mLevel = 0;
    const TLevelInfoMosaic* mLevelRecord = nullptr;
    bool mResultsOpen = false;
    TLevelResult mResult;
    float mTimeSpeed = 1.0f;
    float mPlayTime = 0;
    bool mPlayTimePaused = false;
    std::unique_ptr<TShadow> mShadow;
    bool mDeveloperMode = false;
    bool mDeveloperHighlight = false;
    int mCurrentShape = 0;
    int mStageAdvance = 1;
    bool mNoHint = true;
    TTimeCounter mCountdown;
    std::unique_ptr<EffectBonusTime> mComboEffect;
    int mComboCount = 0;
    IncValue mComboWindow;
    int mBonusCount = 0;
    int mMistakes = 0;
    TControls mColourButtons;
    TControls mShapeButtons;
    TControls mMistakeMarks;
    TWeakRef<TMyImage> mColourChange;
    TWeakRef<TMyImage> mColourChangeBack;
    TWeakRef<TMyImage> mColourMixHint;
    TWeakRef<TMyImage> mColourIndicator;
    TWeakRef<TMyImage> mShapeIndicator;
    TWeakRef<TMyImage> mImageBack;
    AlphaStaticImage mFrameImage;
    StaticImage mFrameBackImage;
    int mClickGuard = 0;
    std::vector<const TMosaicStar*> mLevelStars;
    int mHintsUsed = 0;
    TLevelStatistics mStatistics;
    // The pause before the next tutorial tip.
    IncValue mTipTween;
    TParticleObject mSceneParticles;
    TLayerCache mBoardLayers;
    bool mScreenFrozen = false;
    bool mLoaded = false;
};
