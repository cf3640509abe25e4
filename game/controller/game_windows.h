#pragma once
// The controller's windows as the game really opens them. The operations are defined next to the
// windows they open: the level intro, results, message box and tutorial with the game screen
// (screens/), the game menu and help with the dialogs (dialogs/), the map and main menu with the map
// (map/). One instance serves the controller singleton.

#include "controller/controller_windows.h"

class TGameWindows : public TControllerWindows {
public:
    void ShowLevelIntro(int stageNumber, int levelNumber, const TLevelInfoMosaic& level,
                        const TLevelStatistics& statistics, TControllerDialogListener* listener) override;
    void ShowResults(const TLevelResult& result, const TLevelInfoMosaic& level, const TLevelStatistics& statistics,
                     bool nextLevelEnabled, TControllerDialogListener* listener) override;
    void ShowMessageBox(const std::string& messageKey, float showDelay, TControllerDialogListener* listener) override;
    void ShowGameMenu(TControllerDialogListener* listener) override;
    void ShowHelpPage(int page, float showDelay, TControllerDialogListener* listener) override;
    void CloseHelpWindow() override;
    void ShowTutorial(const std::string& name) override;
    void CloseTutorial() override;
    void ShowMap() override;
    void ShowMainMenu() override;
};
