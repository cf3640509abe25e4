#pragma once
// The results window: the finished picture in a frame of the level's size class, and the earned stars
// awarded one by one with rings and a sound once it has flown in. Its buttons close it with the answer
// the controller acts on: replay, main menu, or next level.

#include <string>
#include <vector>

#include "graphics/objects_manager.h"
#include "graphics/particle_system.h"
#include "graphics/static_image.h"
#include "windows/fly_window.h"

class TLevelInfoMosaic;
class EffectChange3One;
class TMyImage;
struct TLevelResult;
struct TLevelStatistics;

class TLevelCompleteWindow : public TFlyWindow, public ParticleSystemListener {
public:
    static constexpr const char* kFile = "ui/levelcomplete.xml";
    static constexpr int kStateNothing = 0;
    static constexpr int kStateAwarding = 2;
    static constexpr int kStateDone = 3;
    static constexpr int kStateFlyingIn = 4;
    static constexpr int kStarCount = 3;
    static constexpr float kStarInterval = 0.5f;
    // Button ids of the description file, the results the controller acts on.
    static constexpr int kReplay = 1;
    static constexpr int kMainMenu = 2;
    static constexpr int kNextLevel = 3;

    TLevelCompleteWindow(const TLevelResult& result, const TLevelInfoMosaic& level, const TLevelStatistics& statistics,
                         TFlyWindowListener* listener);

    bool Update(float dt) override;
    void DrawSelf() override;
    void DrawOver() override {}
    void OnFlyInDone(TMyWindow* window, int windowId) override;
    void OnFlyOutStarted(TMyWindow* window, int windowId) override;

    int GetAwardState() const { return mAwardState; }
    int GetStarsShown() const { return mNextStar; }
    bool IsStarShown(int index) const { return mGoldStars[index].mVisible; }
    const ObjectsManager& GetRings() const { return mRings; }
    TMyButton* GetButton(const char* name) const;

private:
    void PlaceStars();
    void SetUpPicture();
    void AwardNextStar();
    void FollowRings();
    // The star's place on the screen: the window's position plus the star's.
    void StarPlace(int index, float& x, float& y) const;

    int mAwardState = kStateFlyingIn;
    bool mWon = false;
    int mStarsToAward = 0;
    std::string mBaseName;
    int mSizeClass = 1;
    StaticImage mStarShapes[kStarCount];
    StaticImage mGoldStars[kStarCount];
    int mStarX[kStarCount] = {};
    int mStarY[kStarCount] = {};
    int mNextStar = 0;
    float mStarTimer = 0;
    // Never finished (they repeat), so they stay in the list until the fly-out empties it.
    ObjectsManager mRings;
    std::vector<EffectChange3One*> mRingList;
};
