#pragma once
// The images of "resources.xml", held from start-up to shutdown so their textures load once and stay.

#include <string>
#include <vector>

#include "app/xml_reader.h"
#include "graphics/static_image.h"

class TPreloadList {
public:
    static constexpr const char* kFileName = "resources.xml";

    // Sets one image per name, in order, loading each texture through the cache.
    void LoadImages();
    // Destroys every image (releasing its texture) and empties both lists.
    void ReleaseImages();

    std::vector<std::string> mNames;
    std::vector<StaticImage> mImages;
};

// The list, or null until one is read.
TPreloadList* GetPreloadList();
// Deletes any list (releasing its images), then reads the names of the file's "item" elements into a new
// one. A missing or malformed file leaves the new list empty.
TPreloadList* ReadPreloadList(const std::string& fileName);
// The same from a document in memory.
TPreloadList* ReadPreloadList(const TXmlSource& source);
// Releases the images and deletes the list.
void DeletePreloadList();
