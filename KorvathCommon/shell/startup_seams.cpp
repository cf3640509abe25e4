#include "shell/startup_seams.h"

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
        gSeams = std::make_unique<TSubsystemSeams>();
    }
    return *gSeams;
}

void SetSeams(std::unique_ptr<TSubsystemSeams> seams) {
    gSeams = std::move(seams);
}

// Without a settings object (start-up stopped before it was made) the display calls act on the
// window directly and the rest keep the settings' defaults.

void TSubsystemSeams::LoadTerms(const std::string& file) {
    GetTerms()->LoadXml(file);
    ReleaseXmlRoot();
}

std::string TSubsystemSeams::GetTermText(const std::string& key) {
    return GetTerms()->GetText(key);
}

void TSubsystemSeams::DestroyTerms() {
    TTerms::Destroy();
}

bool TSubsystemSeams::LoadInterfaceDescription() {
    return LoadGlobalUIInfo();
}

void TSubsystemSeams::AddScreenFader() {
    TMyWindowManager::Get()->AddFader(std::make_unique<TFaderShadow>());
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

void TSubsystemSeams::LoadFonts(TiXmlElement* root) {
    TFontRegistry::GetInstance()->LoadXml(root);
}

void TSubsystemSeams::DestroyFonts() {
    TFontRegistry::Destroy();
}

void TSubsystemSeams::LoadSplinePaths(const std::string& file) {
    GetGlobalPathSet().Load(file);
}

void TSubsystemSeams::LoadPreloadList(const std::string& file) {
    ReadPreloadList(file)->LoadImages();
}

void TSubsystemSeams::ReleasePreloadList() {
    DeletePreloadList();
}

void TSubsystemSeams::CreateFactories() {
    TObjectFactory::CreateInstance();
    TRoomFactory::CreateInstance();
    TEffectorsFactory::CreateInstance();
}

void TSubsystemSeams::DeleteFactories() {
    TEffectorsFactory::DestroyInstance();
    TObjectFactory::DestroyInstance();
    TRoomFactory::DestroyInstance();
}

void TSubsystemSeams::LoadSounds(const std::string& file) {
    TSoundManager::GetInstance()->Load(file);
}

void TSubsystemSeams::UpdateSound(float dt) {
    TSoundManager::GetInstance()->Update(dt);
}

void TSubsystemSeams::PauseSound(bool pause) {
    TSoundManager::GetInstance()->PauseAll(pause);
}

void TSubsystemSeams::PlaySound(const std::string& id) {
    TSoundManager::GetInstance()->PlaySound(id);
}

void TSubsystemSeams::DestroySound() {
    TSoundManager::DestroyInstance();
}

void TSubsystemSeams::CreateSettings(const std::string& kind) {
    ::CreateSettings(kind);
}

void TSubsystemSeams::UpdateDisplay(bool fullscreen, bool apply) {
    if (TSettings* settings = TSettings::Get()) {
        settings->UpdateDisplay(fullscreen, apply);
    } else {
        ::UpdateDisplay(fullscreen, apply);
    }
}

void TSubsystemSeams::LoadSettings() {
    if (TSettings* settings = TSettings::Get()) {
        settings->LoadSettings();
    }
}

void TSubsystemSeams::LoadProfile() {
    if (TSettings* settings = TSettings::Get()) {
        settings->LoadProfile();
    }
}

void TSubsystemSeams::ApplySettings() {
    if (TSettings* settings = TSettings::Get()) {
        settings->Apply();
    }
}

bool TSubsystemSeams::IsFullscreen() {
    const TSettings* settings = TSettings::Get();
    return settings != nullptr ? settings->IsFullscreen() : IsWindowFullscreen();
}

void TSubsystemSeams::ToggleFullscreen() {
    if (TSettings* settings = TSettings::Get()) {
        settings->ToggleFullscreen();
    } else {
        ::UpdateDisplay(!IsWindowFullscreen(), true);
    }
}

bool TSubsystemSeams::IsCustomCursor() {
    const TSettings* settings = TSettings::Get();
    return settings == nullptr || settings->IsCustomCursor();
}

void TSubsystemSeams::SaveAndDeleteSettings() {
    if (TSettings* settings = TSettings::Get()) {
        // A failed save is logged by the file layer and leaves the previous file in place.
        settings->SaveSettings();
        TSettings::Release();
    }
}

TGameListener& TSubsystemSeams::GetGame() {
    static TGameListener noGame;
    return noGame;
}
