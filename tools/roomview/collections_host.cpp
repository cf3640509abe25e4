#include "collections_host.h"

#include <tinyxml.h>

#include "app/xml_reader.h"
#include "windows/messages.h"

TViewCollections::TViewCollections(TReport report) : mReport(std::move(report)) {
    TCollectionsRegistry::CreateInstance();
    SetCollectionEffectRunner(this);
}

TViewCollections::~TViewCollections() {
    SetCollectionEffectRunner(nullptr);
    TCollectionsRegistry::DestroyInstance();
    TMyMessageManager::Release();
}

void TViewCollections::ReadFrom(const std::string& file) {
    // A document of its own: the shared one is the room's.
    TiXmlDocument* document = nullptr;
    TiXmlElement* root = LoadXmlDocument(file, document);
    if (root != nullptr) {
        TCollectionsRegistry::GetInstance()->LoadFromXml(root->FirstChildElement("collections"));
    }
    delete document;
}

void TViewCollections::RunCollectionEffect(int x, int y, const std::string& imageName, float scale,
                                           const std::string& message, int number, const std::string& itemId) {
    mReport("collection effect " + itemId + " " + std::to_string(number));
    TMyMessageManager::Get()->Post(message, kEffectSeconds);
}

void TViewCollections::OnCollectionEffectDone(const std::string& itemId) {
    mReport("collection effect done " + itemId);
}
