#pragma once
// The level map (window 6): one stage of the current mode's level set per page, its levels as plates in
// three columns with their best stars and picture (a game-type preview until the level has a star), a
// ring on the first level without stars, paging gated by the first stage, the rewards found so far at
// their places, and the map tips. A click on a plate starts that level.

#include "app/weak_ref.h"
#include <memory>
#include <vector>

#include "graphics/layer_cache.h"
#include "graphics/objects_manager.h"
#include "graphics/static_image.h"
#include "map/screen_scene.h"
#include "windows/classic_window.h"

class TLevelInfoMosaic;
class TRewardPlace;

struct TMapLevelPlate {
    // Inside means x <= px < x + width and y <= py < y + height.
    bool Contains(int px, int py) const;
    void Draw();

    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    StaticImage* strip = nullptr;
    StaticImage* goldStar = nullptr;
    StaticImage* grayStar = nullptr;
    StaticImage picture;
    bool hovered = false;
    bool pressed = false;
    int bestStars = 0;
    int starOffsetX = 0;
    int starOffsetY = 0;
    int pictureOffsetX = 0;
    int pictureOffsetY = 0;
    int starGap = 0;
    bool hasOpenReward = false;
    bool unlockAll = false;
};

// The picture a plate shows: the level's own once it has a star (or every level is unlocked), else the
// preview of its game type.
std::string PlatePictureName(const TLevelInfoMosaic& level, int bestStars, bool unlockAll);

class TMapWindow : public TClassicWindow, public TMyWindowListener {
public:
    static constexpr int kWindowId = 6;
    static constexpr const char* kFile = "ui/map.xml";
    static constexpr const char* kSceneFile = "map.xml";
    static constexpr int kColumns = 3;
    static constexpr float kTipDelay = 1.5f;
    static constexpr int kRewardTipId = 312;
    static constexpr int kMenuButton = 1;
    static constexpr int kPrevButton = 20;
    static constexpr int kNextButton = 21;
    // Developer keys: backquote unlocks every picture, F5 reads the terms again.
    static constexpr int kUnlockKey = 96;
    static constexpr int kReloadTermsKey = 0x4000003E;

    TMapWindow();
    ~TMapWindow() override;

    bool Update(float dt) override;
    // The background and plates come from a cached layer while they stay the same; the ring, the
    // controls and the scene are drawn over the copy every frame.
    void Draw() override;
    void DrawSelf() override;
    void DrawOver() override;
    void OnMouseDown(const TMouseEvent& event) override;
    void OnMouseMove(const TMouseEvent& event) override;
    void OnMouseUp(const TMouseEvent& event) override;
    void OnMouseDrag(const TMouseEvent& event) override { OnMouseMove(event); }
    void OnShow() override;
    void OnHide() override;
    bool OnKeyUp(const TKeyEvent& event) override;

    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;
    void OnWindowMouseDown(TMyWindow* window, const TMouseEvent& event) override;

    // Rebuilds the plates of the stage s of the current mode's level set.
    void BuildPage(int stage);
    // One place per reward of the catalogue; the new ones fly in, the last new one first.
    void CreateRewardPlaces();

    int GetPage() const { return mPage; }
    const std::vector<std::unique_ptr<TMapLevelPlate>>& GetPlates() const { return mPlates; }
    const ObjectsManager& GetEffects() const { return mEffects; }
    // The plate carrying the ring, -1 when none does.
    int GetRingPlate() const { return mRingPlate; }
    const TLayerCache& GetLayers() const { return mLayers; }
    bool IsUnlockAll() const { return mUnlockAll; }
    bool AreAllRewardsObtained() const { return mAllRewardsObtained; }
    TMyButton* GetButton(int id) const;

private:
    void ReadGeometry();
    void DrawBackgroundAndPlates();
    void UpdateButtonStates();
    void UpdateTipTimers(float dt);
    // The plate's level becomes the current one and the game screen replaces the map.
    // One level start at a time: a second click, or one while a screen change runs, starts nothing.
    void StartLevel(int plateIndex);
    void ShowNextPage();
    void ShowPreviousPage();
    void RemoveRewardTip();
    void AddRing(const TMapLevelPlate& plate);

    TWeakRef<TMyButton> mNext;
    TWeakRef<TMyButton> mPrev;
    TWeakRef<TMyButton> mMenu;
    int mBoardX = 0;
    int mBoardY = 0;
    int mGapX = 0;
    int mGapY = 0;
    int mStarX = 0;
    int mStarY = 0;
    int mStarGap = 0;
    int mPictureX = 0;
    int mPictureY = 0;
    int mPlateWidth = 0;
    int mPlateHeight = 0;
    StaticImage mPlateStrip;
    StaticImage mGoldStar;
    StaticImage mGrayStar;
    int mPage = 0;
    std::vector<std::unique_ptr<TMapLevelPlate>> mPlates;
    ObjectsManager mEffects;
    int mRingPlate = -1;
    TScreenScene mScene;
    TLayerCache mLayers;
    float mClickTipTimer = 0;
    float mNextStageTipTimer = 0;
    bool mUnlockAll = false;
    bool mLevelStarted = false;
    bool mAllRewardsObtained = false;
};

// Closes the tutorial popup when it exists.
void CloseMapTutorial();
