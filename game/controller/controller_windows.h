#pragma once
// The windows the game controller opens but that are built with the game's screens: the level intro,
// the results window, the message box, the game menu, the help window, the tutorial tips and the
// screens it leaves for (TGameWindows opens them). The controller hears the dialogs through
// TControllerDialogListener.

#include "app/weak_ref.h"
#include <string>

// The pause window's id, kPauseWindowId, is the main loop's.
#include "shell/main_loop.h"

class TFlyWindowListener;
class TLevelInfoMosaic;
struct TLevelResult;
struct TLevelStatistics;

// Window ids the controller knows.
constexpr int kGameScreenId = 4;
constexpr int kGameMenuId = 10;
constexpr int kLevelIntroId = 311;
constexpr int kMessageBoxId = 313;
constexpr int kResultsWindowId = 314;
constexpr int kHelpWindowId = 333;

// What a dialog the controller opened tells it.
class TControllerDialogListener : public TWeakTarget {
public:
    virtual ~TControllerDialogListener() = default;
    virtual void OnDialogShown() {}
    virtual void OnDialogHidden() {}
    virtual void OnDialogClosed(int id, int result) {}
};

// The fly windows' listener that passes what the controller needs on to it: one relay serves every
// window the controller opens.
TFlyWindowListener* RelayDialogsTo(TControllerDialogListener* listener);
// A listener that goes away stops hearing windows that are still open.
void ForgetDialogListener(TControllerDialogListener* listener);

class TControllerWindows {
public:
    virtual ~TControllerWindows() = default;

    // Stage and level numbers count from 1.
    virtual void ShowLevelIntro(int stageNumber, int levelNumber, const TLevelInfoMosaic& level,
                                const TLevelStatistics& statistics, TControllerDialogListener* listener) = 0;
    virtual void ShowResults(const TLevelResult& result, const TLevelInfoMosaic& level,
                             const TLevelStatistics& statistics, bool nextLevelEnabled,
                             TControllerDialogListener* listener) = 0;
    // Window 313 with the term of the key, shown after the delay.
    virtual void ShowMessageBox(const std::string& messageKey, float showDelay,
                                TControllerDialogListener* listener) = 0;
    virtual void ShowGameMenu(TControllerDialogListener* listener) = 0;
    virtual void ShowHelpPage(int page, float showDelay, TControllerDialogListener* listener) = 0;
    virtual void CloseHelpWindow();
    virtual void ShowTutorial(const std::string& name);
    virtual void CloseTutorial();
    // The game screen replaced through the fader.
    virtual void ShowMap() = 0;
    virtual void ShowMainMenu() = 0;
    // Whether a window of that id is on the screen: the window manager's answer.
    virtual bool IsWindowOpen(int id) const;
};
