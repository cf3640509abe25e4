#include "app/startup_seams.h"

#include "app/display_modes.h"
#include "app/input_event.h"
#include "app/log.h"
#include "app/settings.h"
#include "app/user_info.h"
#include "app/xml_reader.h"
#include "graphics/fader.h"
#include "graphics/font_registry.h"
#include "graphics/preload_list.h"
#include "graphics/spline_path.h"
#include "graphics/terms.h"
#include "media/sound_manager.h"
#include "objects/object_factory.h"
#include "rooms/effector.h"
#include "windows/game_cursors.h"
#include "windows/messages.h"
#include "windows/ui_info_holder.h"
#include "windows/window_manager.h"

namespace {
std::unique_ptr<TSubsystemSeams> gSeams;
} // namespace

TSubsystemSeams& GetSeams() {
    if (!gSeams) {
        gSeams = std::make_unique<TEngineSeams>();
    }
    return *gSeams;
}

void SetSeams(std::unique_ptr<TSubsystemSeams> seams) {
    gSeams = std::move(seams);
}

void TSubsystemSeams::NotBuilt(const char* name) {
    if (mLogged.find(std::string_view(name)) == mLogged.end()) {
        mLogged.emplace(name);
        TLogFile::Get()->Printf("%s not built yet", name);
    }
}

void TSubsystemSeams::LoadTerms(const std::string& /*file*/) {
    NotBuilt("LoadTerms");
}

std::string TSubsystemSeams::GetTermText(const std::string& key) {
    NotBuilt("GetTermText");
    return key;
}

void TSubsystemSeams::DestroyTerms() {
    NotBuilt("DestroyTerms");
}

bool TSubsystemSeams::LoadInterfaceDescription() {
    NotBuilt("LoadInterfaceDescription");
    return false;
}

void TSubsystemSeams::AddScreenFader() {
    TMyWindowManager::Get()->AddFader(new TFaderShadow());
}

void TSubsystemSeams::HandleEvent(const TInputEvent& event) {
    TMyWindowManager::Get()->HandleEvent(event);
}

void TSubsystemSeams::UpdateWindows(float dt) {
    TMyWindowManager::Get()->Update(dt);
}

void TSubsystemSeams::DrawWindows() {
    TMyWindowManager::Get()->Draw();
}

void TSubsystemSeams::SetAllFrozen(bool frozen) {
    TMyWindowManager::Get()->SetAllFrozen(frozen);
}

bool TSubsystemSeams::IsWindowShown(int id) {
    return TMyWindowManager::Get()->FindById(id) != nullptr;
}

void TSubsystemSeams::DeleteWindowManager() {
    TMyWindowManager::Release();
}

void TSubsystemSeams::ForgetProfile() {
    TUserInfo::Release();
}

void TSubsystemSeams::DeleteMessageManager() {
    TMyMessageManager::Release();
}

void TSubsystemSeams::LoadCursors(const std::string& file) {
    TGameCursors::Get()->Load(file);
}

void TSubsystemSeams::SetCustomCursors(bool custom) {
    TGameCursors::Get()->SetCustomCursors(custom);
}

bool TSubsystemSeams::IsCustomCursorMode() {
    return TGameCursors::Get()->mCustomMode;
}

void TSubsystemSeams::CursorLeftWindow() {
    TGameCursors::Get()->mInside = false;
}

void TSubsystemSeams::CursorMovedTo(int x, int y) {
    TGameCursors* cursors = TGameCursors::Get();
    cursors->mInside = true;
    cursors->mPointerX = x;
    cursors->mPointerY = y;
}

void TSubsystemSeams::SetCursorPosition(int x, int y) {
    TGameCursors* cursors = TGameCursors::Get();
    cursors->mPointerX = x;
    cursors->mPointerY = y;
}

void TSubsystemSeams::UpdateCursor(float dt) {
    TGameCursors::Get()->Update(dt);
}

void TSubsystemSeams::DrawCursor() {
    TGameCursors::Get()->Draw();
}

void TSubsystemSeams::DeleteCursors() {
    TGameCursors::Release();
}

void TSubsystemSeams::LoadFonts(TiXmlElement* /*root*/) {
    NotBuilt("LoadFonts");
}

void TSubsystemSeams::DestroyFonts() {
    NotBuilt("DestroyFonts");
}

void TSubsystemSeams::LoadSplinePaths(const std::string& /*file*/) {
    NotBuilt("LoadSplinePaths");
}

void TSubsystemSeams::LoadPreloadList(const std::string& /*file*/) {
    NotBuilt("LoadPreloadList");
}

void TSubsystemSeams::ReleasePreloadList() {
    NotBuilt("ReleasePreloadList");
}

void TSubsystemSeams::CreateFactories() {
    NotBuilt("CreateFactories");
}

void TSubsystemSeams::DeleteFactories() {
    NotBuilt("DeleteFactories");
}

void TSubsystemSeams::LoadSounds(const std::string& /*file*/) {
    NotBuilt("LoadSounds");
}

void TSubsystemSeams::UpdateSound(float /*dt*/) {
    NotBuilt("UpdateSound");
}

void TSubsystemSeams::PauseSound(bool /*pause*/) {
    NotBuilt("PauseSound");
}

void TSubsystemSeams::PlaySound(const std::string& /*id*/) {
    NotBuilt("PlaySound");
}

void TSubsystemSeams::DestroySound() {
    NotBuilt("DestroySound");
}

void TSubsystemSeams::CreateSettings(const std::string& /*kind*/) {
    NotBuilt("CreateSettings");
}

void TSubsystemSeams::UpdateDisplay(bool fullscreen, bool apply) {
    NotBuilt("TSettings::UpdateDisplay");
    ::UpdateDisplay(fullscreen, apply);
}

void TSubsystemSeams::LoadSettings() {
    NotBuilt("LoadSettings");
}

void TSubsystemSeams::LoadProfile() {
    NotBuilt("LoadProfile");
}

void TSubsystemSeams::ApplySettings() {
    NotBuilt("ApplySettings");
}

bool TSubsystemSeams::IsFullscreen() {
    NotBuilt("TSettings::IsFullscreen");
    return IsWindowFullscreen();
}

void TSubsystemSeams::ToggleFullscreen() {
    NotBuilt("TSettings::ToggleFullscreen");
    ::UpdateDisplay(!IsWindowFullscreen(), true);
}

bool TSubsystemSeams::IsCustomCursor() {
    NotBuilt("TSettings::IsCustomCursor");
    return true;
}

void TSubsystemSeams::SaveAndDeleteSettings() {
    NotBuilt("SaveAndDeleteSettings");
}

void TSubsystemSeams::LoadGameSettings(TiXmlElement* /*root*/) {
    NotBuilt("LoadGameSettings");
}

void TSubsystemSeams::LoadColorTable(TiXmlElement* /*root*/) {
    NotBuilt("LoadColorTable");
}

void TSubsystemSeams::CreateStars() {
    NotBuilt("CreateStars");
}

void TSubsystemSeams::LoadStages() {
    NotBuilt("LoadStages");
}

void TSubsystemSeams::LoadRewards(const std::string& /*file*/) {
    NotBuilt("LoadRewards");
}

void TSubsystemSeams::LoadTilesets(const std::string& /*file*/) {
    NotBuilt("LoadTilesets");
}

void TSubsystemSeams::LoadTilesetTextures(int /*index*/) {
    NotBuilt("LoadTilesetTextures");
}

void TSubsystemSeams::ResetRewardCounters() {
    NotBuilt("ResetRewardCounters");
}

void TSubsystemSeams::ShowFirstScreen(bool /*splash*/) {
    NotBuilt("ShowFirstScreen");
}

void TSubsystemSeams::ShowPauseWindow() {
    NotBuilt("ShowPauseWindow");
}

void TSubsystemSeams::ClosePauseWindow() {
    NotBuilt("ClosePauseWindow");
}

void TSubsystemSeams::ClearRewards() {
    NotBuilt("ClearRewards");
}

void TSubsystemSeams::DeleteController() {
    NotBuilt("DeleteController");
}

void TSubsystemSeams::DestroyGameSettings() {
    NotBuilt("DestroyGameSettings");
}

void TEngineSeams::LoadTerms(const std::string& file) {
    GetTerms()->LoadXml(file);
    ReleaseXmlRoot();
}

std::string TEngineSeams::GetTermText(const std::string& key) {
    return GetTerms()->GetText(key);
}

void TEngineSeams::DestroyTerms() {
    TTerms::Destroy();
}

bool TEngineSeams::LoadInterfaceDescription() {
    return LoadGlobalUIInfo();
}

void TEngineSeams::LoadFonts(TiXmlElement* root) {
    TFontRegistry::GetInstance()->LoadXml(root);
}

void TEngineSeams::DestroyFonts() {
    TFontRegistry::Destroy();
}

void TEngineSeams::LoadSplinePaths(const std::string& file) {
    GetGlobalPathSet().Load(file);
}

void TEngineSeams::CreateFactories() {
    TObjectFactory::CreateInstance();
    TRoomFactory::CreateInstance();
    TEffectorsFactory::CreateInstance();
}

void TEngineSeams::DeleteFactories() {
    TEffectorsFactory::DestroyInstance();
    TObjectFactory::DestroyInstance();
    TRoomFactory::DestroyInstance();
}

void TEngineSeams::LoadPreloadList(const std::string& file) {
    ReadPreloadList(file)->LoadImages();
}

void TEngineSeams::ReleasePreloadList() {
    DeletePreloadList();
}

void TEngineSeams::LoadSounds(const std::string& file) {
    TSoundManager::GetInstance()->Load(file);
}

void TEngineSeams::UpdateSound(float dt) {
    TSoundManager::GetInstance()->Update(dt);
}

void TEngineSeams::PauseSound(bool pause) {
    TSoundManager::GetInstance()->PauseAll(pause);
}

void TEngineSeams::PlaySound(const std::string& id) {
    TSoundManager::GetInstance()->PlaySound(id);
}

void TEngineSeams::DestroySound() {
    TSoundManager::DestroyInstance();
}

// Without a settings object (start-up stopped before it was made) the display calls act on the
// window directly and the rest keep the settings' defaults.

void TEngineSeams::CreateSettings(const std::string& kind) {
    ::CreateSettings(kind);
}

void TEngineSeams::UpdateDisplay(bool fullscreen, bool apply) {
    if (TSettings* settings = TSettings::Get()) {
        settings->UpdateDisplay(fullscreen, apply);
    } else {
        ::UpdateDisplay(fullscreen, apply);
    }
}

void TEngineSeams::LoadSettings() {
    if (TSettings* settings = TSettings::Get()) {
        settings->LoadSettings();
    }
}

void TEngineSeams::LoadProfile() {
    if (TSettings* settings = TSettings::Get()) {
        settings->LoadProfile();
    }
}

void TEngineSeams::ApplySettings() {
    if (TSettings* settings = TSettings::Get()) {
        settings->Apply();
    }
}

bool TEngineSeams::IsFullscreen() {
    const TSettings* settings = TSettings::Get();
    return settings != nullptr ? settings->IsFullscreen() : IsWindowFullscreen();
}

void TEngineSeams::ToggleFullscreen() {
    if (TSettings* settings = TSettings::Get()) {
        settings->ToggleFullscreen();
    } else {
        ::UpdateDisplay(!IsWindowFullscreen(), true);
    }
}

bool TEngineSeams::IsCustomCursor() {
    const TSettings* settings = TSettings::Get();
    return settings == nullptr || settings->IsCustomCursor();
}

void TEngineSeams::SaveAndDeleteSettings() {
    if (TSettings* settings = TSettings::Get()) {
        // A failed save is logged by the file layer and leaves the previous file in place.
        settings->SaveSettings();
        TSettings::Release();
    }
}
