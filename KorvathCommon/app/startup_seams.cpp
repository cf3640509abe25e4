#include "app/startup_seams.h"

#include "app/display_modes.h"
#include "app/input_event.h"
#include "app/log.h"
#include "graphics/fader.h"
#include "windows/game_cursors.h"
#include "windows/messages.h"
#include "windows/window_manager.h"

namespace {
std::unique_ptr<TSubsystemSeams> gSeams;
} // namespace

TSubsystemSeams& GetSeams() {
    if (!gSeams) {
        gSeams = std::make_unique<TSubsystemSeams>();
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

void TSubsystemSeams::LoadInterfaceDescription(TiXmlElement* /*root*/) {
    NotBuilt("LoadInterfaceDescription");
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
