#include "graphics/font_registry.h"

#include <vector>

#include "app/missing_names.h"
#include "app/xml_reader.h"

namespace {
std::unique_ptr<TFontRegistry> gFontRegistry;
}

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
    for (const TiXmlElement* element : fonts) {
        std::string name = ReadXmlString(element, "name", "");
        std::string id = ReadXmlString(element, "id", "");
        auto font = std::make_unique<ImageFont>(name);
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
