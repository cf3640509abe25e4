#include "rooms/game_space.h"

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "media/sound_manager.h"
#include "objects/object.h"
#include "objects/object_factory.h"

void TGameSoundPlayer::PlaySound(const std::string& name) {
    if (!name.empty()) {
        TSoundManager::GetInstance()->PlaySound(name);
    }
}

TGameSpace::TGameSpace() = default;

TGameSpace::~TGameSpace() = default;

void TGameSpace::LoadObjectsFromXml(const TiXmlElement* element, const std::string& folder) {
    const size_t first = mObjects.size();
    LoadObjectTree(element, folder, nullptr);
    for (size_t i = first; i < mObjects.size(); ++i) {
        mObjects[i]->SetListener(this);
    }
}

void TGameSpace::LoadObjectTree(const TiXmlElement* element, const std::string& folder, TObject* parent) {
    if (element == nullptr) {
        return;
    }
    for (const TiXmlElement* child = element->FirstChildElement("object"); child != nullptr;
         child = child->NextSiblingElement("object")) {
        const std::string type = ReadXmlString(child, "type", "");
        TBaseObjectFactory* factory = TObjectFactory::GetInstance();
        std::unique_ptr<TObject> object(factory != nullptr ? factory->Create(type) : new TObject());
        if (!object) {
            TLogFile::Get()->Printf("space %s: object type %s unknown, skipped", mName.c_str(), type.c_str());
            continue;
        }
        object->mSpace = this;
        object->mTypeName = type;
        object->LoadFromXml(child, folder);
        // Built once the id is known, so every object gets its own key.
        object->mSaveKey = object->BuildSaveKey();
        TObject* loaded = object.get();
        if (parent == nullptr) {
            mObjects.push_back(std::move(object));
        } else if (parent->AddChild(loaded)) {
            static_cast<void>(object.release()); // the parent owns it now
        } else {
            continue;
        }
        LoadObjectTree(child, folder, loaded);
        loaded->OnLoaded();
    }
}

void TGameSpace::LoadResources() {
    for (const auto& object : mObjects) {
        object->LoadResources();
    }
}

void TGameSpace::Show() {
    if (!mShown) {
        mShown = true;
        for (const auto& object : mObjects) {
            object->OnSpaceFirstShow();
        }
    }
    for (const auto& object : mObjects) {
        object->OnSpaceShow();
    }
}

void TGameSpace::Update(float seconds) {
    for (const auto& object : mObjects) {
        object->Update(seconds);
    }
}

void TGameSpace::Draw(int layer, float alpha) {
    for (const auto& object : mObjects) {
        if (object->mDrawLayer == layer) {
            object->Draw(alpha);
        }
    }
}

void TGameSpace::WriteObjectStates(TBaseBuffer& buffer) {
    for (const auto& object : mObjects) {
        TBaseBuffer record;
        object->SaveState(record);
        buffer.WriteBuffer(record);
    }
}

void TGameSpace::ReadObjectStates(TBaseBuffer& buffer) {
    for (const auto& object : mObjects) {
        TBaseBuffer record;
        buffer.ReadBuffer(record);
        if (buffer.IsFailed()) {
            TLogFile::Get()->Printf("space %s: object states end early", mName.c_str());
            return;
        }
        RestoreObjectState(*object, record);
    }
}
