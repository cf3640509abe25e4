#include "graphics/font_registry.h"

#include <vector>

#include "app/missing_names.h"
#include "app/xml_reader.h"

namespace {
std::unique_ptr<TFontRegistry> gFontRegistry;

// Clone copies an ImageFont as an ImageFont.
std::unique_ptr<ImageFont> CopyOf(const ImageFont& font) {
    return std::unique_ptr<ImageFont>(static_cast<ImageFont*>(font.Clone().release()));
}
} // namespace

TFontRegistry* TFontRegistry::GetInstance() {
    if (!gFontRegistry) {
        gFontRegistry.reset(new TFontRegistry());
    }
    return gFontRegistry.get();
}

void TFontRegistry::Destroy() {
    gFontRegistry.reset();
}

void TFontRegistry::LoadXml(const TiXmlElement* root) {
    TXmlRootWalk walk;
    std::vector<TiXmlElement*> fonts;
    CollectXmlChildren(root, "font", fonts);
    // Ids that name the same description get copies of one font: the description is read and its
    // images looked up once, and each id still has a font of its own.
    std::map<std::string, std::unique_ptr<ImageFont>> readByName;
    for (const TiXmlElement* element : fonts) {
        std::string name = ReadXmlString(element, "name", "");
        std::string id = ReadXmlString(element, "id", "");
        std::unique_ptr<ImageFont> font;
        if (const auto read = readByName.find(name); read != readByName.end()) {
            font = CopyOf(*read->second);
        } else {
            font = std::make_unique<ImageFont>(name);
            if (font->IsLoaded()) {
                readByName[name] = CopyOf(*font);
            }
        }
        // A font that would measure 0 and draw nothing is left out (its load logged why), so its id is
        // reported when asked for.
        if (font->IsLoaded()) {
            mFonts[id] = std::move(font);
        }
    }
}

ImageFont* TFontRegistry::FindFont(const std::string& id) const {
    auto found = mFonts.find(id);
    if (found == mFonts.end()) {
        ReportMissingName("font", id);
        return nullptr;
    }
    return found->second.get();
}
