#pragma once
// What one font description file describes: layers of glyph images with their metrics, tints, point
// ranges and tag conditions, the character map of 8-bit codes and the default point size.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/font_parser.h"
#include "graphics/font_texture.h"

// Glyph codes are UTF-16 code units: 256 pages of 256 codes. Larger codes have no glyph.
constexpr unsigned int kGlyphPageSize = 256;
constexpr unsigned int kGlyphPageCount = 256;

// A packed colour 0xAARRGGBB from four components, each reduced to its low 8 bits.
uint32_t PackColorArgb(int red, int green, int blue, int alpha);

struct CharData {
    using KerningPage = std::array<int8_t, kGlyphPageSize>;

    // Pixels of the layer image.
    TFontRect image;
    // Where the glyph image lies relative to the pen and the line's top.
    int offsetX = 0;
    int offsetY = 0;
    int advance = 0;
    int order = 0;
    // Extra advance (may be negative) when this character is followed by another, by the follower's
    // high byte and then its low byte.
    std::vector<std::unique_ptr<KerningPage>> kerningPages;

    int GetKerning(unsigned int next) const;
    void SetKerning(unsigned int next, int8_t value);
};

struct FontLayer {
    using GlyphPage = std::array<CharData, kGlyphPageSize>;

    std::vector<std::wstring> requiredTags;
    std::vector<std::wstring> excludedTags;
    uint32_t colorMult = 0xFFFFFFFFu;
    uint32_t colorAdd = 0;
    TTextureHandle image;
    int drawMode = -1;
    int offsetX = 0;
    int offsetY = 0;
    // Extra advance between two characters.
    int spacing = 0;
    int minPointSize = -1;
    // -1: no upper limit.
    int maxPointSize = -1;
    // 0: the layer has no size of its own and is not scaled to the font's point size.
    int pointSize = 0;
    int ascent = 0;
    int ascentPadding = 0;
    int lineSpacingOffset = 0;
    // Largest glyph height + offset y: the layer's height.
    int maxGlyphBottom = 0;
    int baseOrder = 0;
    std::array<std::unique_ptr<GlyphPage>, kGlyphPageCount> pages;

    // Every setting of the source, but no glyphs.
    void CopySettings(const FontLayer& source);
    bool HasGlyphPage(unsigned int code) const;
    // Null when the code's page is missing or the code lies beyond the pages.
    const CharData* FindGlyph(unsigned int code) const;
    // The record, its page created when missing; null beyond the pages.
    CharData* MakeGlyph(unsigned int code);
    void RecomputeMaxGlyphBottom();
};

class FontData : public DescParserW {
public:
    FontData();
    ~FontData() override = default;

    // Reads the description once: false, doing nothing, when already loaded. A statement that fails
    // is logged with the path and leaves the data unloaded.
    bool LoadFile(const std::string& path);
    // The same from a description's bytes in memory; its images are found beside the path.
    bool LoadBytes(const std::string& path, const std::string& bytes);
    bool IsLoaded() const { return mLoaded; }

    int GetDefaultPointSize() const { return mDefaultPointSize; }
    // The glyph code of an 8-bit character (the code's low byte is used).
    unsigned int MapChar(unsigned int code) const { return mCharMap[code & 0xFFu]; }
    // In creation order: the order in which a font measures and draws them.
    const std::vector<std::unique_ptr<FontLayer>>& GetLayers() const { return mLayers; }
    const std::string& GetDescriptorPath() const { return mDescriptorPath; }

    // A layer by name (letter case ignored); a list gives false silently, an unknown name "Undefined Layer".
    bool FindLayer(const DataElement& param, FontLayer*& layer);
    bool HandleCommand(const ListDataElement& statement) override;

private:
    using CharList = std::vector<std::optional<unsigned int>>;
    struct TCommand;
    static const TCommand kCommands[];

    bool NameParam(const DataElement& param, std::wstring& name);
    bool LayerParam(const DataElement& param, FontLayer*& layer);
    bool IntParam(const DataElement& param, int& value);
    bool CharsParam(const DataElement& param, CharList& chars);
    bool ColorParam(const DataElement& param, uint32_t& color);
    // Applies one value per character (or character pair); see the rules of the per-character commands.
    template <typename K, typename T, typename Apply>
    bool ApplyPerChar(const std::vector<std::optional<K>>& chars, const std::vector<std::optional<T>>& values,
                      Apply apply);
    template <size_t N>
    bool IntTuplesParam(const DataElement& param, std::vector<std::optional<std::array<int, N>>>& out);
    bool IntValuesParam(const DataElement& param, std::vector<std::optional<int>>& out);
    bool AddLayer(const std::wstring& name, std::unique_ptr<FontLayer> layer);
    bool LoadLayerImage(FontLayer& layer, const std::wstring& name);

    bool CmdDefine(const ListDataElement& s);
    bool CmdCreateHorzSpanRectList(const ListDataElement& s);
    bool CmdSetDefaultPointSize(const ListDataElement& s);
    bool CmdSetCharMap(const ListDataElement& s);
    bool CmdCreateLayer(const ListDataElement& s);
    bool CmdCreateLayerFrom(const ListDataElement& s);
    bool CmdLayerRequireTags(const ListDataElement& s);
    bool CmdLayerExcludeTags(const ListDataElement& s);
    bool CmdLayerPointRange(const ListDataElement& s);
    bool CmdLayerSetImage(const ListDataElement& s);
    bool CmdLayerSetDrawMode(const ListDataElement& s);
    bool CmdLayerSetColorMult(const ListDataElement& s);
    bool CmdLayerSetColorAdd(const ListDataElement& s);
    bool CmdLayerSetOffset(const ListDataElement& s);
    bool CmdLayerSetCharWidths(const ListDataElement& s);
    bool CmdLayerSetImageMap(const ListDataElement& s);
    bool CmdLayerSetCharOffsets(const ListDataElement& s);
    bool CmdLayerSetKerningPairs(const ListDataElement& s);
    bool CmdLayerSetCharOrders(const ListDataElement& s);
    bool AddLayerTags(const ListDataElement& s, std::vector<std::wstring> FontLayer::*tags);
    // The commands that set one integer per character: layer, characters, integer list.
    bool SetCharInts(const ListDataElement& s, int CharData::*field);
    // The commands that set one integer of a layer: layer, integer.
    bool SetLayerInt(const ListDataElement& s, int FontLayer::*field);

    bool mLoaded = false;
    int mDefaultPointSize = 0;
    std::array<uint8_t, 256> mCharMap{};
    // Every image a layer loaded, by combined path, so layers naming the same image share it.
    std::map<std::string, TTextureHandle> mLayerImages;
    std::vector<std::unique_ptr<FontLayer>> mLayers;
    std::map<std::wstring, FontLayer*> mLayersByName;
    std::string mDescriptorPath;
};
