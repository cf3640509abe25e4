#include "level_complete_window.h"

#include <algorithm>

#include "board/board_effects.h"
#include "controller/controller_windows.h"
#include "controller/game_types.h"
#include "data/level_info.h"
#include "media/sound_manager.h"
#include "windows/button.h"
#include "windows/image_control.h"
#include "windows/ui_info_holder.h"

namespace {

constexpr const char* kStarShape = "textures/gui/levelcomplete/starshape";
constexpr const char* kGoldStar = "textures/gui/levelcomplete/star";

// One size class: its three controls and the back and frame pictures.
struct TPictureSet {
    const char* image;
    const char* back;
    const char* frame;
    const char* backPicture;
    const char* framePicture;
};

constexpr TPictureSet kPictureSets[] = {
    {"image", "imageback", "imageframe", "textures/gui/levelcomplete/frameback", "textures/gui/levelcomplete/frame"},
    {"imagebig", "imagebackbig", "imageframebig", "textures/gui/levelcomplete/framebackbig",
     "textures/gui/levelcomplete/framebig"},
    {"imagebig15", "imagebackbig15", "imageframebig15", "textures/gui/levelcomplete/framebackbig15",
     "textures/gui/levelcomplete/framebig15"},
};

} // namespace

TLevelCompleteWindow::TLevelCompleteWindow(const TLevelResult& result, const TLevelInfoMosaic& level,
                                           const TLevelStatistics& /*statistics*/, TFlyWindowListener* listener)
    : TFlyWindow(listener, true, kFile), mWon(result.mWon),
      // More stars than places would never finish the award.
      mStarsToAward(std::clamp(result.mStars, 0, kStarCount)), mBaseName(level.mBaseName),
      mSizeClass(result.mPreviewType) {
    mId = kResultsWindowId;
    mCloseRequest = false;
    mRings.mDeleteFinished = true;
    PlaceStars();
    SetUpPicture();
}

void TLevelCompleteWindow::PlaceStars() {
    for (int k = 0; k < kStarCount; ++k) {
        // A missing place leaves the star at 0, 0.
        if (const TUIBaseBox* box = GetHolder()->FindObject("Star" + std::to_string(k + 1))) {
            mStarX[k] = box->mX;
            mStarY[k] = box->mY;
        }
        for (StaticImage* image : {&mStarShapes[k], &mGoldStars[k]}) {
            image->SetImage(image == &mStarShapes[k] ? kStarShape : kGoldStar);
            image->SetPosition(static_cast<float>(mStarX[k]), static_cast<float>(mStarY[k]), true);
        }
        mGoldStars[k].mVisible = false;
    }
}

void TLevelCompleteWindow::SetUpPicture() {
    for (int c = 0; c < 3; ++c) {
        const TPictureSet& set = kPictureSets[c];
        for (const char* name : {set.image, set.back, set.frame}) {
            if (TMyWindow* control = FindChildByName(name)) {
                control->mShown = c == mSizeClass;
                control->mMouseOver = control->mMouseOver && control->mShown;
            }
        }
    }
    const TPictureSet& chosen = kPictureSets[mSizeClass == 0 ? 0 : mSizeClass == 1 ? 1 : 2];
    const std::pair<const char*, std::string> pictures[] = {{chosen.back, chosen.backPicture},
                                                            {chosen.frame, chosen.framePicture},
                                                            {chosen.image, "textures/biglayouts/" + mBaseName}};
    for (const auto& [name, picture] : pictures) {
        if (auto* control = dynamic_cast<TMyImage*>(FindChildByName(name))) {
            control->SetImage(picture);
        }
    }
}

TMyButton* TLevelCompleteWindow::GetButton(const char* name) const {
    return dynamic_cast<TMyButton*>(FindChildByName(name));
}

void TLevelCompleteWindow::OnFlyInDone(TMyWindow* /*window*/, int /*windowId*/) {
    mAwardState = mWon ? kStateAwarding : kStateNothing;
}

void TLevelCompleteWindow::OnFlyOutStarted(TMyWindow* /*window*/, int /*windowId*/) {
    mRingList.clear();
    mRings.Clear();
}

void TLevelCompleteWindow::StarPlace(int index, float& x, float& y) const {
    int left = 0;
    int top = 0;
    GetAbsolutePosition(left, top);
    x = static_cast<float>(left + mStarX[index]);
    y = static_cast<float>(top + mStarY[index]);
}

void TLevelCompleteWindow::AwardNextStar() {
    const int k = mNextStar;
    mGoldStars[k].mVisible = true;
    float x = 0;
    float y = 0;
    StarPlace(k, x, y);
    for (auto [seconds, scale] : {std::pair{1.5f, 1.5f}, std::pair{1.7f, 2.0f}}) {
        auto* ring = new EffectChange3One(static_cast<int>(x), static_cast<int>(y), seconds, scale, 0.7f);
        ring->SetImage(kGoldStar);
        ring->mRunLimit = -1;
        ring->mStarIndex = k;
        mRings.Add(0, ring);
        mRingList.push_back(ring);
    }
    PlaySoundByName("gotstar");
    ++mNextStar;
    mStarTimer = kStarInterval;
    if (mNextStar >= mStarsToAward) {
        mAwardState = kStateDone;
    }
}

void TLevelCompleteWindow::FollowRings() {
    for (int k = 0; k < kStarCount; ++k) {
        float x = 0;
        float y = 0;
        StarPlace(k, x, y);
        for (EffectChange3One* ring : mRingList) {
            if (ring->mStarIndex == k) {
                ring->MoveTo(x, y);
            }
        }
    }
}

bool TLevelCompleteWindow::Update(float dt) {
    if (TFlyWindow::Update(dt)) {
        return true;
    }
    if (mAwardState == kStateAwarding) {
        if (mStarTimer > 0) {
            mStarTimer -= dt;
        }
        if (mWon && mNextStar < mStarsToAward && mStarTimer <= 0) {
            AwardNextStar();
        }
    }
    mRings.Update(dt);
    FollowRings();
    return mCloseRequest;
}

void TLevelCompleteWindow::DrawSelf() {
    TFlyWindow::DrawSelf();
    mRings.Draw();
    int left = 0;
    int top = 0;
    GetAbsolutePosition(left, top);
    for (StaticImage* list : {mStarShapes, mGoldStars}) {
        for (int k = 0; k < kStarCount; ++k) {
            list[k].SetPosition(static_cast<float>(left + mStarX[k]), static_cast<float>(top + mStarY[k]), true);
            list[k].Draw(mAlpha);
        }
    }
}
