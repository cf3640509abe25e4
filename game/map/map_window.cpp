#include "map_window.h"

#include <algorithm>

#include "app/log.h"
#include "app/renderer.h"
#include "app/user_info.h"
#include "board/board_effects.h"
#include "controller/developer_keys.h"
#include "data/rewards.h"
#include "data/stages.h"
#include "graphics/terms.h"
#include "map/map_openers.h"
#include "map/reward_place.h"
#include "screens/screen_openers.h"
#include "windows/game_cursors.h"
#include "windows/image_parts.h"
#include "windows/tutorial_window.h"
#include "windows/window_manager.h"

namespace {

constexpr int kPressedShift = 2;
constexpr int kRewardMarkSize = 8;
constexpr float kRingEndScale = 3.0f;
constexpr float kRingSeconds = 1.0f;

// The rectangle's x and y of a named object of the map's file; 0, 0 when it is absent.
void ReadPoint(const TUIInfoHolder* holder, const char* name, int& x, int& y) {
    const TUIBaseBox* box = holder != nullptr ? holder->FindObject(name) : nullptr;
    x = box != nullptr ? box->mX : 0;
    y = box != nullptr ? box->mY : 0;
}

bool IsSecondSet() {
    return TUserInfo::Get()->GetCurrentMode() != 0;
}

const TStageList& CurrentLevelSet() {
    return GetStageList(LevelSetOfMode(TUserInfo::Get()->GetCurrentMode()));
}

void DrawImageAt(StaticImage& image, int x, int y, bool centred) {
    image.SetPosition(static_cast<float>(x), static_cast<float>(y), centred);
    image.Draw(1.0f);
}

} // namespace

bool TMapLevelPlate::Contains(int px, int py) const {
    return x <= px && px < x + width && y <= py && py < y + height;
}

void TMapLevelPlate::Draw() {
    const int row = pressed ? 2 : (hovered ? 1 : 0);
    TRenderState& state = strip->mRenderState;
    state.srcX = 0;
    state.srcY = static_cast<float>(row * height);
    state.srcW = static_cast<float>(width);
    state.srcH = static_cast<float>(height);
    state.flags |= TRenderState::kSourceRect;
    DrawImageAt(*strip, x, y, false);

    const int shift = pressed ? kPressedShift : 0;
    const int starWidth = TextureWidth(*goldStar);
    for (int k = 0; k < 3; ++k) {
        StaticImage& star = k < bestStars ? *goldStar : *grayStar;
        DrawImageAt(star, x + starOffsetX + k * (starWidth + starGap) + shift, y + starOffsetY + shift, false);
    }
    DrawImageAt(picture, x + pictureOffsetX + shift, y + pictureOffsetY + shift, true);
    if (unlockAll && hasOpenReward && x + shift >= 0 && y + shift >= 0) {
        GetRenderer()->FillRect(x + shift, y + shift, kRewardMarkSize, kRewardMarkSize, TColor{0, 0, 1, 1});
    }
}

std::string PlatePictureName(const TLevelInfoMosaic& level, int bestStars, bool unlockAll) {
    if (bestStars >= 1 || unlockAll) {
        return "textures/layouts/" + level.mBaseName;
    }
    switch (level.mGameType) {
    case 5:
        return "textures/map/prevrome";
    case 6:
        return "textures/map/prevlabyrinth";
    case 7:
        return "textures/map/prevmystery";
    case 8:
        return "textures/map/prevchangecolor";
    default:
        return "textures/map/prevtreecolor";
    }
}

void CloseMapTutorial() {
    if (TMyTutorialWindow* tutorial = TMyTutorialWindow::FindInstance()) {
        tutorial->Close(0);
    }
}

TMapWindow::TMapWindow() : TClassicWindow(kFile, true) {
    mId = kWindowId;
    mNext = GetButton(kNextButton);
    mPrev = GetButton(kPrevButton);
    mMenu = GetButton(kMenuButton);
    ReadGeometry();
    mPlateStrip.SetImage("textures/map/level");
    mGoldStar.SetImage("textures/map/goldstar");
    mGrayStar.SetImage("textures/map/graystar");
    mEffects.mDeleteFinished = true;
    mScene.Load(kSceneFile);
}

TMapWindow::~TMapWindow() {
    RemoveRewardTip();
    mPlates.clear();
    mEffects.Clear();
}

TMyButton* TMapWindow::GetButton(int id) const {
    return dynamic_cast<TMyButton*>(FindChildById(id));
}

void TMapWindow::ReadGeometry() {
    const TUIInfoHolder* holder = GetHolder();
    int unused = 0;
    ReadPoint(holder, "BoardXY", mBoardX, mBoardY);
    ReadPoint(holder, "BoardSpaceWH", mGapX, mGapY);
    ReadPoint(holder, "StarXY", mStarX, mStarY);
    ReadPoint(holder, "StarSpaceX", mStarGap, unused);
    ReadPoint(holder, "Prev", mPictureX, mPictureY);
}

void TMapWindow::OnShow() {
    // The map is at full opacity at once: no fade-in.
    TMyWindow::OnShow(); // NOLINT(bugprone-parent-virtual-call): the classic fade-in is skipped
    mFade.SetValue(1.0f);
    SetAlpha(mFade.current);
    mEffects.Clear();
    mPlateWidth = TextureWidth(mPlateStrip);
    mPlateHeight = TextureHeight(mPlateStrip) / 3;
    BuildPage(GetCurrentModeProgress().mStage);
    mClickTipTimer = kTipDelay;
    mNextStageTipTimer = kTipDelay;
    UpdateButtonStates();
    CreateRewardPlaces();
    mScene.Show();
    PlayMenuMusic();
}

void TMapWindow::OnHide() {
    CloseMapTutorial();
    // The classic fade-out is skipped: the fader covers the change of screen.
    TMyWindow::OnHide(); // NOLINT(bugprone-parent-virtual-call)
    // A screen's worth of pixels, not wanted off the map.
    mLayers.Release();
}

void TMapWindow::BuildPage(int stage) {
    mEffects.Clear();
    mPage = stage;
    mPlates.clear();
    mRingPlate = -1;
    const TStageList& list = CurrentLevelSet();
    if (stage < 0 || stage >= static_cast<int>(list.mStages.size())) {
        return;
    }
    const TModeProgress& record = GetCurrentModeProgress();
    const int count = static_cast<int>(list.mStages[static_cast<size_t>(stage)]->mLevels.size());
    for (int i = 0; i < count; ++i) {
        const int index = GetGlobalLevelIndex(stage, i, list);
        const TLevelInfoMosaic* level = GetLevelByIndex(index, list);
        auto plate = std::make_unique<TMapLevelPlate>();
        plate->x = (mGapX + mPlateWidth) * (i % kColumns) + mBoardX;
        plate->y = (mGapY + mPlateHeight) * (i / kColumns) + mBoardY;
        plate->width = mPlateWidth;
        plate->height = mPlateHeight;
        plate->strip = &mPlateStrip;
        plate->goldStar = &mGoldStar;
        plate->grayStar = &mGrayStar;
        // A record shorter than the set (a profile of an older catalogue) counts as no result.
        plate->bestStars =
            index < static_cast<int>(record.mLevels.size()) ? record.mLevels[static_cast<size_t>(index)].mBestStars : 0;
        plate->starOffsetX = mStarX;
        plate->starOffsetY = mStarY;
        plate->pictureOffsetX = mPictureX;
        plate->pictureOffsetY = mPictureY;
        plate->starGap = mStarGap;
        plate->unlockAll = mUnlockAll;
        if (level != nullptr) {
            const TReward* reward = FindReward(level->mReward);
            plate->hasOpenReward = reward != nullptr && !reward->mObtained;
            plate->picture.SetImage(PlatePictureName(*level, plate->bestStars, mUnlockAll));
        }
        if (mRingPlate < 0 && plate->bestStars == 0) {
            AddRing(*plate);
            mRingPlate = i;
        }
        mPlates.push_back(std::move(plate));
    }
}

void TMapWindow::AddRing(const TMapLevelPlate& plate) {
    auto* ring =
        new EffectChange3One(plate.x + plate.width / 2, plate.y + plate.height / 2, 0, 0, kRingEndScale, kRingSeconds);
    ring->mRunLimit = -1;
    mEffects.Add(0, ring);
}

void TMapWindow::UpdateButtonStates() {
    const int lastPage = static_cast<int>(CurrentLevelSet().mStages.size()) - 1;
    if (mNext != nullptr) {
        mNext->mDisabled = mPage >= lastPage;
    }
    if (mPrev != nullptr) {
        mPrev->mDisabled = mPage <= 0;
    }
}

bool TMapWindow::Update(float dt) {
    TClassicWindow::Update(dt);
    mScene.Update(dt);
    UpdateTipTimers(dt);
    mEffects.Update(dt);
    return false;
}

void TMapWindow::UpdateTipTimers(float dt) {
    if (mClickTipTimer > 0) {
        mClickTipTimer = std::max(0.0f, mClickTipTimer - dt);
        if (mClickTipTimer == 0) {
            ShowTutorial("TipMapClickToPlay", true, kWindowId);
        }
    }
    if (mNextStageTipTimer > 0) {
        mNextStageTipTimer = std::max(0.0f, mNextStageTipTimer - dt);
        if (mNextStageTipTimer == 0 && GetCurrentModeProgress().HasFiveLevelsDone(IsSecondSet())) {
            ShowTutorial("TipMapClickToNextStage", true, kWindowId);
        }
    }
}

void TMapWindow::Draw() {
    if (!mShown) {
        return;
    }
    // The controls stay out of the cache: their labels' glyphs are drawn past the draw notes, so the
    // cache could neither see a label change nor redraw one clipped to the ring's place.
    const auto under = [this] { DrawBackgroundAndPlates(); };
    const auto ring = [this] { mEffects.Draw(); };
    const auto nothing = [] {};
    if (!mLayers.Draw(under, ring, nothing)) {
        TClassicWindow::Draw();
        return;
    }
    DrawChildren();
    DrawOver();
}

void TMapWindow::DrawBackgroundAndPlates() {
    TClassicWindow::DrawSelf();
    for (const auto& plate : mPlates) {
        plate->Draw();
    }
}

void TMapWindow::DrawSelf() {
    DrawBackgroundAndPlates();
    mEffects.Draw();
}

void TMapWindow::DrawOver() {
    // The scene lies over the buttons and the reward places.
    mScene.Draw(mFade.current);
}

void TMapWindow::OnMouseDown(const TMouseEvent& event) {
    TClassicWindow::OnMouseDown(event);
    if (event.buttons != TMouseEvent::kLeft) {
        return;
    }
    for (const auto& plate : mPlates) {
        const bool hit = plate->Contains(event.x, event.y);
        plate->hovered = hit;
        plate->pressed = hit;
        if (hit) {
            return;
        }
    }
}

void TMapWindow::OnMouseMove(const TMouseEvent& event) {
    TClassicWindow::OnMouseMove(event);
    TGameCursors::Get()->SetDefault();
    for (const auto& plate : mPlates) {
        if (plate->Contains(event.x, event.y)) {
            TGameCursors::Get()->Select("hand");
            plate->hovered = true;
        } else {
            plate->hovered = false;
            plate->pressed = false;
        }
    }
}

void TMapWindow::OnMouseUp(const TMouseEvent& event) {
    TClassicWindow::OnMouseUp(event);
    if (event.buttons != TMouseEvent::kLeft) {
        return;
    }
    for (size_t i = 0; i < mPlates.size(); ++i) {
        TMapLevelPlate& plate = *mPlates[i];
        plate.hovered = false;
        plate.pressed = false;
        if (plate.Contains(event.x, event.y)) {
            StartLevel(static_cast<int>(i));
            return;
        }
    }
}

void TMapWindow::StartLevel(int plateIndex) {
    if (mLevelStarted || TMyWindowManager::Get()->GetActiveFader() != nullptr) {
        return;
    }
    mLevelStarted = true;
    TModeProgress& record = GetCurrentModeProgress();
    record.mStage = mPage;
    record.mLevel = plateIndex;
    CloseMapTutorial();
    RemoveRewardTip();
    ShowGameScreen();
}

bool TMapWindow::OnKeyUp(const TKeyEvent& event) {
    if (event.key == kUnlockKey) {
        if (DeveloperKeysEnabled()) {
            mUnlockAll = !mUnlockAll;
        }
    } else if (event.key == kReloadTermsKey) {
        GetTerms()->LoadIni("termins.txt");
    }
    return true;
}

void TMapWindow::OnButtonClick(int /*parentId*/, TMyWindow* /*parent*/, int buttonId, TMyButton* /*button*/) {
    switch (buttonId) {
    case kMenuButton:
        CloseMapTutorial();
        RemoveRewardTip();
        ShowMainMenuScreen();
        break;
    case kPrevButton:
        ShowPreviousPage();
        break;
    case kNextButton:
        ShowNextPage();
        break;
    default:
        break;
    }
}

void TMapWindow::ShowPreviousPage() {
    if (mPage > 0) {
        BuildPage(mPage - 1);
        UpdateButtonStates();
    }
}

// Only the first stage gates paging: once it is done every further page can be reached.
void TMapWindow::ShowNextPage() {
    CloseMapTutorial();
    if (!mUnlockAll && !GetCurrentModeProgress().IsFirstStageDone(IsSecondSet())) {
        ShowTutorial("TipMapLockedCities", false, kWindowId);
        return;
    }
    if (mPage < static_cast<int>(CurrentLevelSet().mStages.size()) - 1) {
        BuildPage(mPage + 1);
        UpdateButtonStates();
    }
}

void TMapWindow::RemoveRewardTip() {
    if (TMyWindowManager* manager = TMyWindowManager::FindInstance()) {
        manager->CloseById(kRewardTipId);
    }
}

void TMapWindow::CreateRewardPlaces() {
    // A second show makes the places again, not twice.
    const std::vector<TMyWindow*> children = mChildren;
    for (TMyWindow* child : children) {
        if (child->GetType() == TRewardPlace::kType) {
            delete child; // leaves the children by itself
        }
    }
    const TRewardList& rewards = GetRewardList();
    mAllRewardsObtained = std::all_of(rewards.begin(), rewards.end(), [](const auto& r) { return r->mObtained; });
    int newCount =
        static_cast<int>(std::count_if(rewards.begin(), rewards.end(), [](const auto& r) { return r->mNew; }));
    int k = newCount - 1;
    std::vector<TRewardPlace*> newPlaces;
    for (const std::unique_ptr<TReward>& reward : rewards) {
        auto* place = new TRewardPlace(this);
        place->SetListener(this);
        float delay = 0;
        if (reward->mNew) {
            delay = static_cast<float>(k) * TRewardPlace::kFlightSpacing;
            --k;
            newPlaces.push_back(place);
        }
        place->Start(delay, reward.get());
        place->mNew = reward->mNew;
    }
    for (TRewardPlace* place : newPlaces) {
        place->BringToFront();
    }
}

void TMapWindow::OnWindowMouseDown(TMyWindow* window, const TMouseEvent& /*event*/) {
    if (window != nullptr && window->GetType() == TRewardPlace::kType && !mAllRewardsObtained) {
        ShowTutorial("TipMahFindPieces", false, kWindowId);
    }
}
