#include "media/sound_manager.h"

#include <algorithm>

#include "app/log.h"
#include "app/missing_names.h"
#include "app/xml_reader.h"

namespace {

TSoundManager* gManager = nullptr;

float ClampVolume(float volume) {
    return std::clamp(volume, 0.0f, 1.0f);
}

// The game's own lists: a stage or room list under one of these names would silence them.
bool IsReservedListName(const std::string& name) {
    return name == "music" || name == "music1" || name == "sound" || name == "voice";
}

} // namespace

TSoundManager* TSoundManager::FindInstance() {
    return gManager;
}

TSoundManager* TSoundManager::GetInstance() {
    if (gManager == nullptr) {
        CreateInstance(true);
    }
    return gManager;
}

TSoundManager* TSoundManager::CreateInstance(bool withAudioThread) {
    delete gManager;
    gManager = nullptr;
    // The OpenAL system exists before the manager and its audio thread.
    TOpenAlSystem::GetInstance();
    gManager = new TSoundManager(withAudioThread);
    SetProfileVolumeListener(gManager);
    return gManager;
}

void TSoundManager::DestroyInstance() {
    delete gManager;
    gManager = nullptr;
    TOpenAlSystem::DestroyInstance();
}

TSoundManager::TSoundManager(bool withAudioThread) {
    if (withAudioThread) {
        mAudioThread = std::make_unique<TAudioThread>();
    }
}

TSoundManager::~TSoundManager() {
    if (GetProfileVolumeListener() == this) {
        SetProfileVolumeListener(nullptr);
    }
    // The thread ends before any stream it feeds is closed.
    mAudioThread.reset();
    mMusicLists.clear();
    mSoundLists.clear();
}

void TSoundManager::OnProfileVolumes(float music, float sounds, float voices) {
    SetMusicVolume(music);
    SetGroupVolume(sounds, 0);
    SetGroupVolume(voices, 1);
}

void TSoundManager::Load(const std::string& file) {
    Load(ReadXmlSource(file));
}

void TSoundManager::Load(const TXmlSource& source) {
    const TiXmlElement* root = ParseXmlRoot(source);
    if (root == nullptr) {
        return;
    }
    {
        TXmlRootWalk walk;
        StoreMusicList("music", root, "music");
        StoreMusicList("music1", root, "music1");
        StoreSoundList("sound", root, "sound", true, 0);
        StoreSoundList("voice", root, "voice", true, 1);
    }
    ReleaseXmlRoot();
}

void TSoundManager::AddSoundList(const std::string& name, const TiXmlElement* element, const char* tag, bool loadNow,
                                 TSoundGroup group) {
    if (IsReservedListName(name)) {
        TLogFile::Get()->Printf("sound list %s: the name belongs to the game's own lists, list skipped", name.c_str());
        return;
    }
    StoreSoundList(name, element, tag, loadNow, group);
}

void TSoundManager::AddMusicList(const std::string& name, const TiXmlElement* element, const char* tag) {
    if (IsReservedListName(name)) {
        TLogFile::Get()->Printf("music list %s: the name belongs to the game's own lists, list skipped", name.c_str());
        return;
    }
    StoreMusicList(name, element, tag);
}

void TSoundManager::StoreSoundList(const std::string& name, const TiXmlElement* element, const char* tag, bool loadNow,
                                   TSoundGroup group) {
    if (name.empty()) {
        return;
    }
    auto list = std::make_unique<TSoundPlayList>(element, tag, loadNow, group);
    list->SetVolume(ClampVolume(group != 0 ? mVoiceVolume : mSoundVolume));
    mSoundLists[name] = std::move(list);
}

void TSoundManager::StoreMusicList(const std::string& name, const TiXmlElement* element, const char* tag) {
    if (name.empty()) {
        return;
    }
    auto list = std::make_unique<TMusicPlayList>(element, tag);
    list->SetVolume(ClampVolume(mMusicVolume));
    mMusicLists[name] = std::move(list);
}

TSoundPlayList* TSoundManager::FindSoundList(const std::string& name) const {
    auto found = mSoundLists.find(name);
    return found != mSoundLists.end() ? found->second.get() : nullptr;
}

TMusicPlayList* TSoundManager::FindMusicList(const std::string& name) const {
    auto found = mMusicLists.find(name);
    return found != mMusicLists.end() ? found->second.get() : nullptr;
}

bool TSoundManager::HasSoundEntry(const std::string& id) const {
    return std::any_of(mSoundLists.begin(), mSoundLists.end(),
                       [&id](const auto& named) { return bool(named.second->FindById(id)); });
}

void TSoundManager::PlaySound(const std::string& id) {
    if (id.empty()) {
        return;
    }
    for (auto& [name, list] : mSoundLists) {
        if (list->IsLoaded() && list->Play(id)) {
            return;
        }
    }
    // An entry of a list that is not loaded yet is silent, not missing.
    if (!HasSoundEntry(id)) {
        ReportMissingName("sound", id);
    }
}

void TSoundManager::StopSound(const std::string& id) {
    for (auto& [name, list] : mSoundLists) {
        if (TSoundInfoPtr entry = list->FindById(id)) {
            entry->Stop();
            return;
        }
    }
}

bool TSoundManager::IsSoundPlaying(const std::string& id) const {
    return std::any_of(mSoundLists.begin(), mSoundLists.end(),
                       [&id](const auto& named) { return named.second->IsPlaying(id); });
}

void TSoundManager::PlayMusic(const std::string& id) {
    for (auto& [name, list] : mMusicLists) {
        if (list->IsLoaded() && list->Play(id)) {
            return;
        }
    }
    if (!id.empty()) {
        ReportMissingName("sound", id);
    }
}

void TSoundManager::StartMusicList(const std::string& name, bool random) {
    TMusicPlayList* list = FindMusicList(name);
    if (list != nullptr && list->IsLoaded()) {
        list->PlayFirstOrRandom(random);
    }
}

void TSoundManager::StopMusic() {
    for (auto& [name, list] : mMusicLists) {
        list->Stop();
    }
}

bool TSoundManager::IsMusicPlaying(const std::string& id) const {
    return std::any_of(mMusicLists.begin(), mMusicLists.end(),
                       [&id](const auto& named) { return named.second->IsPlaying(id); });
}

bool TSoundManager::IsAnyMusicPlaying() const {
    return std::any_of(mMusicLists.begin(), mMusicLists.end(), [](const auto& named) {
        const TSoundInfoPtr& current = named.second->GetCurrent();
        return current && current->IsPlaying();
    });
}

void TSoundManager::SetGroupVolume(float volume, TSoundGroup group) {
    for (auto& [name, list] : mSoundLists) {
        if (list->GetGroup() == group) {
            list->SetVolume(ClampVolume(volume));
        }
    }
    (group == 0 ? mSoundVolume : mVoiceVolume) = volume;
}

void TSoundManager::SetMusicVolume(float volume) {
    for (auto& [name, list] : mMusicLists) {
        list->SetVolume(ClampVolume(volume));
    }
    mMusicVolume = volume;
}

void TSoundManager::PauseAll(bool pause) {
    for (auto& [name, list] : mSoundLists) {
        list->Pause(pause);
    }
    for (auto& [name, list] : mMusicLists) {
        list->Pause(pause);
    }
}

void TSoundManager::Update(float dt) {
    for (auto& [name, list] : mSoundLists) {
        list->Update(dt);
    }
    for (auto& [name, list] : mMusicLists) {
        list->Update(dt);
    }
}

void PlaySoundByName(const std::string& name) {
    TSoundManager::GetInstance()->PlaySound(name);
}

void PlaySoundIfNamed(const std::string& name) {
    if (!name.empty()) {
        PlaySoundByName(name);
    }
}
