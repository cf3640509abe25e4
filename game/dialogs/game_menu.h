#pragma once
// The popup the game screen's menu button opens during play: continue, replay, the map, options, help,
// the difficulty, quitting (after a confirmation) and a browser of the tileset previews of the level's
// game type. It closes with the id of the choice, which the game controller acts on.

#include "app/weak_ref.h"
#include <string>
#include <vector>

#include "windows/fly_window.h"

struct TTilesetDefaults;

class TGameMenuWindow : public TFlyWindow, public TFlyWindowListener {
public:
    static constexpr int kWindowId = 10;
    static constexpr int kQuitConfirmId = 44;
    // Button ids, given by the description file.
    enum TMenuButton : int {
        kOptions = 1,
        kHelp = 2,
        kQuit = 3,
        kContinue = 4,
        kReplay = 5,
        kPrevious = 6,
        kNext = 7,
        kDifficulty = 8,
        kSelectLevel = 9,
    };

    // The previews are those of the game type's tileset entry in the main level set.
    TGameMenuWindow(const std::string& file, TFlyWindowListener* listener, int gameType);

    void DrawSelf() override;
    void OnButtonClick(int parentId, TMyWindow* parent, int buttonId, TMyButton* button) override;
    void OnFlyWindowClosed(TFlyWindow* window, int windowId, int result) override;

    int GetPreviewIndex() const { return mPreviewIndex; }
    int GetPendingResult() const { return mPendingResult; }

private:
    void FindMenuButtons();
    void ArrangeVertically();
    void ArrangeHorizontally();
    bool CanBrowse() const;
    void StepPreview(int delta);
    void UpdatePreviewButtons();
    // Hidden while a popup it opened is up, without the hide operations.
    void HideForPopup();

    int mBoxX = 0;
    int mBoxY = 0;
    int mBoxWidth = 0;
    int mBoxHeight = 0;
    std::vector<TMyWindow*> mMenuButtons;
    const TTilesetDefaults* mTilesets = nullptr;
    int mPreviewX = 0;
    int mPreviewY = 0;
    TWeakRef<TMyButton> mNextButton;
    TWeakRef<TMyButton> mPrevButton;
    int mPreviewIndex = 0;
    int mPendingResult = 0;
};
