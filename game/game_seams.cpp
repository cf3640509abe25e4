#include "game_seams.h"

#include "controller/board_mahjong.h"
#include "data/game_settings.h"
#include "data/rewards.h"
#include "data/stages.h"
#include "data/stars.h"
#include "data/startup_data.h"
#include "data/tilesets.h"
#include "data/user_records.h"
#include "map/map_openers.h"
#include "screens/pause_window.h"
#include "windows/window_manager.h"

void TGameSeams::CreateSettings(const std::string& kind) {
    InstallUserRecords();
    TSubsystemSeams::CreateSettings(kind);
}

void TGameSeams::LoadGameSettings(TiXmlElement* root) {
    TMosaicGameSettings::Get().LoadFromXml(root);
}

void TGameSeams::LoadColorTable(TiXmlElement* root) {
    TMosaicColorTable::Get().LoadFromXml(root);
}

void TGameSeams::CreateStars() {
    CreateMosaicStars();
}

void TGameSeams::LoadStages() {
    ::LoadStages();
}

// Start-up reads the list before the settings, so the profile read next finds every reward byte.
void TGameSeams::LoadRewards(const std::string& file) {
    ::LoadRewards(file);
}

void TGameSeams::LoadTilesets(const std::string& file) {
    ::LoadTilesets(file);
}

void TGameSeams::LoadTilesetTextures(int index) {
    ::LoadTilesetTextures(index);
}

void TGameSeams::ResetRewardCounters() {
    TRewardConnector::Get().ResetPerPlay();
}

void TGameSeams::ShowFirstScreen(bool splash) {
    ShowFirstGameScreen(splash);
}

void TGameSeams::ClearRewards() {
    ::ClearRewards();
}

void TGameSeams::ShowPauseWindow() {
    TMyWindowManager::Get()->ShowPopup(std::make_unique<TPauseWindow>());
}

void TGameSeams::ClosePauseWindow() {
    TMyWindowManager* manager = TMyWindowManager::FindInstance();
    if (manager != nullptr) {
        manager->CloseById(kPauseWindowId);
    }
}

void TGameSeams::ForgetProfile() {
    TSubsystemSeams::ForgetProfile();
    RemoveUserRecords();
    TRewardConnector::Get() = TRewardConnector();
    GetProfileDifficulty() = TBaseMosaicSettings();
}

void TGameSeams::DeleteController() {
    TBoardMahjong::Release();
}

void TGameSeams::DestroyGameSettings() {
    FreeGameData();
}
