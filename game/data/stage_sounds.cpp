#include "stage_sounds.h"

#include "media/sound_manager.h"

void AddStageSoundList(const std::string& name, const TiXmlElement* element) {
    if (name.empty()) {
        return;
    }
    // Registering the first list creates the sound manager, OpenAL and the audio thread.
    TSoundManager::GetInstance()->AddSoundList(name, element, "sound", false, 0);
}

void RemoveStageSoundList(const std::string& name) {
    if (name.empty()) {
        return;
    }
    TSoundManager* manager = TSoundManager::FindInstance();
    TSoundPlayList* list = manager != nullptr ? manager->FindSoundList(name) : nullptr;
    if (list != nullptr) {
        list->UnloadSounds();
    }
}
