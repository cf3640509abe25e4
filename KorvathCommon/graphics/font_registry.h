#pragma once
// The game's fonts by id, read from "fonts.xml" at start-up; text controls look their font up here.

#include <map>
#include <memory>
#include <string>

#include "graphics/font_image.h"

class TiXmlElement;

class TFontRegistry {
public:
    // The registry, created empty on first use.
    static TFontRegistry* GetInstance();
    // Deletes every font and the registry; the next GetInstance starts empty.
    static void Destroy();

    TFontRegistry(const TFontRegistry&) = delete;
    TFontRegistry& operator=(const TFontRegistry&) = delete;

    // Registers a font for every "font" child of the root: "name" the description, "id" its id. A later
    // font of the same id replaces the earlier one; a description that fails to load registers nothing.
    void LoadXml(const TiXmlElement* root);
    // Exact, letter-case-sensitive id; null (logged once per id) when no such font is registered.
    ImageFont* FindFont(const std::string& id) const;

private:
    TFontRegistry() = default;

    std::map<std::string, std::unique_ptr<ImageFont>> mFonts;
};
