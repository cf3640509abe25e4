#pragma once
// The main menu (window 5): starts play (a first profile, a difficulty, or straight to the map), opens
// help, options and the profile list, confirms quitting, shows the player's name, and plays its key-frame
// animations and scene behind the buttons. Every dialog it opens dims it while shown.

#include "app/weak_ref.h"
#include <memory>

#include "graphics/cadr_image.h"
#include "graphics/fader.h"
#include "graphics/inc_value.h"
#include "graphics/layer_cache.h"
#include "map/screen_scene.h"
#include "windows/classic_window.h"
#include "windows/fly_window.h"

class TSimpleTextImage;

class TMainMenu : public TClassicWindow, public TFlyWindowListener, public TMyWindowListener, public IncValueListener {
public:
    static constexpr int kWindowId = 5;
    static constexpr const char* kFile = "ui/mainmenu.xml";
    static constexpr const char* kSceneFile = "mainmenu.xml";
    static constexpr float kOverlayAlpha = 0.6f;

    // Window ids of the dialogs whose closing the menu acts on.
    static constexpr int kDifficultyId = 11;
    static constexpr int kQuitId = 20;
    static constexpr int kProfileNameId = 101;
    static constexpr int kProfileListId = 305;
    static constexpr int kDifficultyNoticeId = 307;
    // The difficulty window's cancel result.
    static constexpr int kCancelled = -2;

    // Saves the player's unsaved changes, then reads the profile back from its file.
    TMainMenu();
    ~TMainMenu() override;

    bool Update(float dt) override;
    void DrawSelf() override;
    void DrawOver() override;
    void OnShow() override;

    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;
    void OnFlyWindowClosed(TFlyWindow* window, int windowId, int result) override;
    void OnFlyWindowShown(TFlyWindow* window, int windowId) override;
    void OnFlyWindowHidden(TFlyWindow* window, int windowId) override;
    void OnWindowMouseUp(TMyWindow* window, const TMouseEvent& event) override;
    void OnIncValueFinished(IncValue& value) override {}

    // A profile with progress keeps it: only a fresh one is reset before the difficulty is asked.
    void StartNewGame();

    // The next run's first menu plays the game's name again.
    static void ResetFirstShow();

    const TCadrImage2& GetAnimation(int index) const { return index == 0 ? mAnimation1 : mAnimation2; }
    TShadow* GetOverlay() const { return mOverlay.get(); }
    const TLayerCache& GetBackgroundLayer() const { return mBackgroundLayer; }
    bool IsProfileCheckPending() const { return mProfileCheck; }

private:
    void FindControls();
    void UpdateNameLabel();
    void CheckFirstProfile();
    void Play();

    TCadrImage2 mAnimation1;
    TCadrImage2 mAnimation2;
    TScreenScene mScene;
    TLayerCache mBackgroundLayer;
    TWeakRef<TMyButton> mPlay;
    TWeakRef<TMyButton> mHelp;
    TWeakRef<TMyButton> mOptions;
    TWeakRef<TMyButton> mExit;
    TWeakRef<TMyButton> mMoreGames;
    TWeakRef<TMyButton> mProfiles;
    TWeakRef<TSimpleTextImage> mNameLabel;
    TWeakRef<TSimpleTextImage> mNotYouLabel;
    bool mProfileCheck = true;
    std::unique_ptr<TShadow> mOverlay;
    // The dialog the overlay was raised for; only its hiding lowers the overlay. Compared, never used.
    const TFlyWindow* mOverlayOwner = nullptr;
};

// Whether the profile holds no progress at all: neither mode played, no level with a best score, no
// reward obtained. Only such a profile may be reset by starting a new game.
bool IsProfileFresh();
