#include "graphics/preload_list.h"

#include <memory>

#include "app/xml_reader.h"

namespace {
std::unique_ptr<TPreloadList> gPreloadList;
} // namespace

void TPreloadList::LoadImages() {
    mImages.assign(mNames.size(), StaticImage());
    for (size_t i = 0; i < mNames.size(); ++i) {
        mImages[i].SetImage(mNames[i]);
    }
}

void TPreloadList::ReleaseImages() {
    mImages.clear();
    mNames.clear();
}

TPreloadList* GetPreloadList() {
    return gPreloadList.get();
}

TPreloadList* ReadPreloadList(const std::string& fileName) {
    return ReadPreloadList(ReadXmlSource(fileName));
}

TPreloadList* ReadPreloadList(const TXmlSource& source) {
    DeletePreloadList();
    gPreloadList = std::make_unique<TPreloadList>();
    if (const TiXmlElement* root = ParseXmlRoot(source)) {
        TXmlRootWalk walk;
        std::vector<TiXmlElement*> items;
        CollectXmlChildren(root, "item", items);
        for (const TiXmlElement* item : items) {
            gPreloadList->mNames.push_back(ReadXmlString(item, "name", ""));
        }
    }
    ReleaseXmlRoot();
    return gPreloadList.get();
}

void DeletePreloadList() {
    if (gPreloadList) {
        gPreloadList->ReleaseImages();
    }
    gPreloadList.reset();
}
