#include "media/play_list.h"

#include "app/xml_reader.h"

void TPlayList::LoadFromXml(const TiXmlElement* element, const char* tag, bool loadNow) {
    std::vector<TiXmlElement*> children;
    CollectXmlChildren(element, tag, children);
    for (const TiXmlElement* child : children) {
        TSoundInfoPtr entry = TAlSoundInfo::Create(child, loadNow);
        entry->SetListener(this);
        mEntries.push_back(entry);
    }
    mLoaded = loadNow;
}

void TPlayList::LoadSounds() {
    for (const TSoundInfoPtr& entry : mEntries) {
        entry->Open();
    }
    mLoaded = true;
}

void TPlayList::UnloadSounds() {
    for (const TSoundInfoPtr& entry : mEntries) {
        entry->Close();
    }
    mLoaded = false;
}

TSoundInfoPtr TPlayList::FindById(const std::string& id) const {
    for (const TSoundInfoPtr& entry : mEntries) {
        if (entry->GetId() == id) {
            return entry;
        }
    }
    return TSoundInfoPtr();
}

TSoundPlayList::TSoundPlayList(const TiXmlElement* element, const char* tag, bool loadNow, TSoundGroup group)
    : mGroup(group) {
    LoadFromXml(element, tag, loadNow);
}

bool TSoundPlayList::Play(const std::string& id) {
    TSoundInfoPtr entry = FindById(id);
    if (!entry) {
        return false;
    }
    entry->Play();
    return true;
}

void TSoundPlayList::Pause(bool pause) {
    for (const TSoundInfoPtr& entry : mEntries) {
        entry->Pause(pause);
    }
}

void TSoundPlayList::Stop() {
    for (const TSoundInfoPtr& entry : mEntries) {
        entry->Stop();
    }
}

bool TSoundPlayList::IsPlaying(const std::string& id) {
    TSoundInfoPtr entry = FindById(id);
    return entry && entry->IsPlaying();
}

void TSoundPlayList::Update(float dt) {
    for (const TSoundInfoPtr& entry : mEntries) {
        entry->Update(dt);
    }
}

void TSoundPlayList::SetVolume(float v) {
    mVolume = v;
    for (const TSoundInfoPtr& entry : mEntries) {
        entry->SetVolume(v);
    }
}
