#include "graphics/font_data.h"

#include <algorithm>

#include "app/file_object.h"
#include "app/log.h"
#include "app/string_utils.h"

namespace {
const wchar_t* const kInvalidParameter = L"Invalid Paramater Type";
const wchar_t* const kListSizeMismatch = L"List Size Mismatch";

const std::wstring& TextOf(const DataElement& element) {
    return static_cast<const SingleDataElementW&>(element).GetText();
}

// A component 0..1 as a byte; values outside are held at the ends instead of wrapping.
int ColorByte(float component) {
    return static_cast<int>(std::clamp(component, 0.0f, 1.0f) * 255.0f);
}
} // namespace

uint32_t PackColorArgb(int red, int green, int blue, int alpha) {
    const auto low = [](int value) { return static_cast<uint32_t>(value) & 0xFFu; };
    return (low(alpha) << 24) | (low(red) << 16) | (low(green) << 8) | low(blue);
}

int CharData::GetKerning(unsigned int next) const {
    unsigned int page = next >> 8;
    if (page >= kerningPages.size() || !kerningPages[page]) {
        return 0;
    }
    return (*kerningPages[page])[next & 0xFFu];
}

void CharData::SetKerning(unsigned int next, int8_t value) {
    unsigned int page = next >> 8;
    if (page >= kGlyphPageCount) {
        return;
    }
    if (kerningPages.size() <= page) {
        kerningPages.resize(page + 1);
    }
    if (!kerningPages[page]) {
        kerningPages[page] = std::make_unique<KerningPage>();
        kerningPages[page]->fill(0);
    }
    (*kerningPages[page])[next & 0xFFu] = value;
}

void FontLayer::CopySettings(const FontLayer& source) {
    requiredTags = source.requiredTags;
    excludedTags = source.excludedTags;
    colorMult = source.colorMult;
    colorAdd = source.colorAdd;
    image = source.image;
    drawMode = source.drawMode;
    offsetX = source.offsetX;
    offsetY = source.offsetY;
    spacing = source.spacing;
    minPointSize = source.minPointSize;
    maxPointSize = source.maxPointSize;
    pointSize = source.pointSize;
    ascent = source.ascent;
    ascentPadding = source.ascentPadding;
    lineSpacingOffset = source.lineSpacingOffset;
    maxGlyphBottom = source.maxGlyphBottom;
    baseOrder = source.baseOrder;
}

bool FontLayer::HasGlyphPage(unsigned int code) const {
    return code < kGlyphPageCount * kGlyphPageSize && pages[code >> 8] != nullptr;
}

const CharData* FontLayer::FindGlyph(unsigned int code) const {
    return HasGlyphPage(code) ? &(*pages[code >> 8])[code & 0xFFu] : nullptr;
}

CharData* FontLayer::MakeGlyph(unsigned int code) {
    if (code >= kGlyphPageCount * kGlyphPageSize) {
        return nullptr;
    }
    auto& page = pages[code >> 8];
    if (!page) {
        page = std::make_unique<GlyphPage>();
    }
    return &(*page)[code & 0xFFu];
}

void FontLayer::RecomputeMaxGlyphBottom() {
    maxGlyphBottom = 0;
    bool any = false;
    for (const auto& page : pages) {
        if (!page) {
            continue;
        }
        for (const CharData& glyph : *page) {
            int bottom = glyph.image.h + glyph.offsetY;
            maxGlyphBottom = any ? std::max(maxGlyphBottom, bottom) : bottom;
            any = true;
        }
    }
}

struct FontData::TCommand {
    const wchar_t* word;
    size_t items;
    bool (FontData::*handler)(const ListDataElement&);
    int FontLayer::*field;
};

const FontData::TCommand FontData::kCommands[] = {
    {L"DEFINE", 3, &FontData::CmdDefine, nullptr},
    {L"CREATEHORZSPANRECTLIST", 4, &FontData::CmdCreateHorzSpanRectList, nullptr},
    {L"SETDEFAULTPOINTSIZE", 2, &FontData::CmdSetDefaultPointSize, nullptr},
    {L"SETCHARMAP", 3, &FontData::CmdSetCharMap, nullptr},
    {L"CREATELAYER", 2, &FontData::CmdCreateLayer, nullptr},
    {L"CREATELAYERFROM", 3, &FontData::CmdCreateLayerFrom, nullptr},
    {L"LAYERREQUIRETAGS", 3, &FontData::CmdLayerRequireTags, nullptr},
    {L"LAYEREXCLUDETAGS", 3, &FontData::CmdLayerExcludeTags, nullptr},
    {L"LAYERPOINTRANGE", 4, &FontData::CmdLayerPointRange, nullptr},
    {L"LAYERSETPOINTSIZE", 3, nullptr, &FontLayer::pointSize},
    {L"LAYERSETIMAGE", 3, &FontData::CmdLayerSetImage, nullptr},
    {L"LAYERSETDRAWMODE", 3, &FontData::CmdLayerSetDrawMode, nullptr},
    {L"LAYERSETCOLORMULT", 3, &FontData::CmdLayerSetColorMult, nullptr},
    {L"LAYERSETCOLORADD", 3, &FontData::CmdLayerSetColorAdd, nullptr},
    {L"LAYERSETASCENT", 3, nullptr, &FontLayer::ascent},
    {L"LAYERSETASCENTPADDING", 3, nullptr, &FontLayer::ascentPadding},
    {L"LAYERSETLINESPACINGOFFSET", 3, nullptr, &FontLayer::lineSpacingOffset},
    {L"LAYERSETOFFSET", 3, &FontData::CmdLayerSetOffset, nullptr},
    {L"LAYERSETCHARWIDTHS", 4, &FontData::CmdLayerSetCharWidths, nullptr},
    {L"LAYERSETSPACING", 3, nullptr, &FontLayer::spacing},
    {L"LAYERSETIMAGEMAP", 4, &FontData::CmdLayerSetImageMap, nullptr},
    {L"LAYERSETCHAROFFSETS", 4, &FontData::CmdLayerSetCharOffsets, nullptr},
    {L"LAYERSETKERNINGPAIRS", 4, &FontData::CmdLayerSetKerningPairs, nullptr},
    {L"LAYERSETBASEORDER", 3, nullptr, &FontLayer::baseOrder},
    {L"LAYERSETCHARORDERS", 4, &FontData::CmdLayerSetCharOrders, nullptr},
};

FontData::FontData() : DescParserW(kSemicolonEndsStatement) {
    for (size_t i = 0; i < mCharMap.size(); ++i) {
        mCharMap[i] = static_cast<uint8_t>(i);
    }
}

bool FontData::LoadFile(const std::string& path) {
    std::string bytes;
    if (mLoaded) {
        return false;
    }
    if (!ReadWholeFile(path, bytes, kMaxFileBytes)) {
        mDescriptorPath = path;
        TLogFile::Get()->Printf("error load font file %s", path.c_str());
        return true;
    }
    return LoadBytes(path, bytes);
}

bool FontData::LoadBytes(const std::string& path, const std::string& bytes) {
    if (mLoaded) {
        return false;
    }
    mDescriptorPath = path;
    mLoaded = ReadBytes(bytes);
    if (!mLoaded && !GetLastError().empty()) {
        TLogFile::Get()->Printf("Font Descriptor Error in %s: %s", path.c_str(), ToUtf8(GetLastError()).c_str());
    }
    return true;
}

bool FontData::FindLayer(const DataElement& param, FontLayer*& layer) {
    layer = nullptr;
    if (param.IsList()) {
        return false;
    }
    auto found = mLayersByName.find(ToUpperWide(TextOf(param)));
    if (found == mLayersByName.end()) {
        return Error(L"Undefined Layer");
    }
    layer = found->second;
    return true;
}

bool FontData::HandleCommand(const ListDataElement& statement) {
    std::wstring word = ToUpperWide(TextOf(statement.At(0)));
    for (const TCommand& command : kCommands) {
        if (word != command.word) {
            continue;
        }
        if (statement.Size() != command.items) {
            return Error(L"Invalid Number of Parameters");
        }
        return command.handler != nullptr ? (this->*command.handler)(statement) : SetLayerInt(statement, command.field);
    }
    return Error(L"Unknown Command");
}

bool FontData::NameParam(const DataElement& param, std::wstring& name) {
    if (param.IsList()) {
        return Error(kInvalidParameter);
    }
    name = ToUpperWide(TextOf(param));
    return true;
}

bool FontData::LayerParam(const DataElement& param, FontLayer*& layer) {
    return FindLayer(param, layer) || Error(kInvalidParameter);
}

bool FontData::IntParam(const DataElement& param, int& value) {
    return (!param.IsList() && ParseDescriptionInt(TextOf(param), value)) || Error(kInvalidParameter);
}

bool FontData::CharsParam(const DataElement& param, CharList& chars) {
    std::vector<std::wstring> strings;
    if (!GetStringListParam(param, strings)) {
        return Error(kInvalidParameter);
    }
    chars.clear();
    for (const std::wstring& text : strings) {
        bool single = text.size() == 1 && static_cast<unsigned int>(text[0]) < kGlyphPageCount * kGlyphPageSize;
        chars.push_back(single ? std::optional<unsigned int>(static_cast<unsigned int>(text[0])) : std::nullopt);
    }
    return true;
}

bool FontData::ColorParam(const DataElement& param, uint32_t& color) {
    std::vector<float> values;
    if (!GetFloatListParam(param, values) || values.size() != 4) {
        return Error(kInvalidParameter);
    }
    color = PackColorArgb(ColorByte(values[0]), ColorByte(values[1]), ColorByte(values[2]), ColorByte(values[3]));
    return true;
}

bool FontData::IntValuesParam(const DataElement& param, std::vector<std::optional<int>>& out) {
    std::vector<int> values;
    if (!GetIntListParam(param, values)) {
        return Error(kInvalidParameter);
    }
    out.assign(values.begin(), values.end());
    return true;
}

template <size_t N>
bool FontData::IntTuplesParam(const DataElement& param, std::vector<std::optional<std::array<int, N>>>& out) {
    ListDataElement list;
    if (!GetListParam(param, list)) {
        return Error(kInvalidParameter);
    }
    out.clear();
    for (size_t i = 0; i < list.Size(); ++i) {
        std::vector<int> values;
        if (GetIntListParam(list.At(i), values) && values.size() == N) {
            std::array<int, N> tuple{};
            std::copy(values.begin(), values.end(), tuple.begin());
            out.emplace_back(tuple);
        } else {
            out.emplace_back(std::nullopt);
        }
    }
    return true;
}

// Lists of different lengths set nothing; a malformed entry is skipped and fails the command after the
// others are applied. apply returns false when it has already failed the command.
template <typename K, typename T, typename Apply>
bool FontData::ApplyPerChar(const std::vector<std::optional<K>>& chars, const std::vector<std::optional<T>>& values,
                            Apply apply) {
    bool malformed = std::any_of(chars.begin(), chars.end(), [](const auto& c) { return !c; }) ||
                     std::any_of(values.begin(), values.end(), [](const auto& v) { return !v; });
    if (chars.size() != values.size()) {
        return Error(malformed ? kInvalidParameter : kListSizeMismatch);
    }
    for (size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] && values[i] && !apply(*chars[i], *values[i])) {
            return false;
        }
    }
    return malformed ? Error(kInvalidParameter) : true;
}

bool FontData::SetLayerInt(const ListDataElement& s, int FontLayer::*field) {
    FontLayer* layer = nullptr;
    int value = 0;
    if (!LayerParam(s.At(1), layer) || !IntParam(s.At(2), value)) {
        return false;
    }
    layer->*field = value;
    return true;
}

bool FontData::CmdDefine(const ListDataElement& s) {
    std::wstring name;
    if (!NameParam(s.At(1), name)) {
        return false;
    }
    if (IsImmediate(name)) {
        return Error(kInvalidParameter);
    }
    SetDefine(name, nullptr);
    const DataElement& value = s.At(2);
    if (value.IsList()) {
        auto list = std::make_unique<ListDataElement>();
        if (!Resolve(static_cast<const ListDataElement&>(value), *list)) {
            return false;
        }
        SetDefine(name, std::move(list));
    } else if (const DataElement* named = GetDefine(TextOf(value))) {
        SetDefine(name, named->Clone());
    } else {
        SetDefine(name, value.Clone());
    }
    return true;
}

bool FontData::CmdCreateHorzSpanRectList(const ListDataElement& s) {
    std::wstring name;
    std::vector<int> start;
    std::vector<int> widths;
    if (!NameParam(s.At(1), name)) {
        return false;
    }
    if (!GetIntListParam(s.At(2), start) || start.size() != 4 || !GetIntListParam(s.At(3), widths)) {
        return Error(kInvalidParameter);
    }
    auto rects = std::make_unique<ListDataElement>();
    int x = start[0];
    for (int width : widths) {
        auto rect = std::make_unique<ListDataElement>();
        for (int value : {x, start[1], width, start[3]}) {
            rect->Append(std::make_unique<SingleDataElementW>(std::to_wstring(value)));
        }
        rects->Append(std::move(rect));
        x += width;
        // Rectangles that far out fit no image; the sum must not run on.
        if (x > kMaxDescriptionInt || x < -kMaxDescriptionInt) {
            return Error(kInvalidParameter);
        }
    }
    SetDefine(name, std::move(rects));
    return true;
}

bool FontData::CmdSetDefaultPointSize(const ListDataElement& s) {
    return IntParam(s.At(1), mDefaultPointSize);
}

bool FontData::CmdSetCharMap(const ListDataElement& s) {
    CharList from;
    CharList to;
    if (!CharsParam(s.At(1), from) || !CharsParam(s.At(2), to)) {
        return false;
    }
    return ApplyPerChar(from, to, [&](unsigned int code, unsigned int target) {
        mCharMap[code & 0xFFu] = static_cast<uint8_t>(target & 0xFFu);
        return true;
    });
}

bool FontData::AddLayer(const std::wstring& name, std::unique_ptr<FontLayer> layer) {
    FontLayer* added = layer.get();
    mLayers.push_back(std::move(layer));
    if (!mLayersByName.emplace(name, added).second) {
        // Reported, yet the statement goes on: the second layer stays in the list under no name.
        Error(L"Layer Already Exists");
    }
    return true;
}

bool FontData::CmdCreateLayer(const ListDataElement& s) {
    std::wstring name;
    return NameParam(s.At(1), name) && AddLayer(name, std::make_unique<FontLayer>());
}

bool FontData::CmdCreateLayerFrom(const ListDataElement& s) {
    std::wstring name;
    FontLayer* source = nullptr;
    if (!NameParam(s.At(1), name) || !LayerParam(s.At(2), source)) {
        return false;
    }
    auto layer = std::make_unique<FontLayer>();
    layer->CopySettings(*source);
    return AddLayer(name, std::move(layer));
}

bool FontData::AddLayerTags(const ListDataElement& s, std::vector<std::wstring> FontLayer::*tags) {
    FontLayer* layer = nullptr;
    std::vector<std::wstring> names;
    if (!LayerParam(s.At(1), layer)) {
        return false;
    }
    if (!GetStringListParam(s.At(2), names)) {
        return Error(kInvalidParameter);
    }
    for (const std::wstring& name : names) {
        (layer->*tags).push_back(ToUpperWide(name));
    }
    return true;
}

bool FontData::CmdLayerRequireTags(const ListDataElement& s) {
    return AddLayerTags(s, &FontLayer::requiredTags);
}

bool FontData::CmdLayerExcludeTags(const ListDataElement& s) {
    return AddLayerTags(s, &FontLayer::excludedTags);
}

bool FontData::CmdLayerPointRange(const ListDataElement& s) {
    FontLayer* layer = nullptr;
    int minimum = 0;
    int maximum = 0;
    if (!LayerParam(s.At(1), layer) || !IntParam(s.At(2), minimum) || !IntParam(s.At(3), maximum)) {
        return false;
    }
    layer->minPointSize = minimum;
    layer->maxPointSize = maximum;
    return true;
}

bool FontData::LoadLayerImage(FontLayer& layer, const std::wstring& name) {
    std::string path = CombinePath(ToMultiByte(name), GetDirectory(mDescriptorPath, false));
    auto known = mLayerImages.find(path);
    if (known != mLayerImages.end()) {
        layer.image = known->second;
        return true;
    }
    TTextureHandle image = LoadFontLayerImage(path);
    if (!image) {
        return Error(L"Failed to Load Image");
    }
    layer.image = image;
    mLayerImages[path] = image;
    return true;
}

bool FontData::CmdLayerSetImage(const ListDataElement& s) {
    FontLayer* layer = nullptr;
    std::wstring name;
    if (!LayerParam(s.At(1), layer)) {
        return false;
    }
    return (GetStringParam(s.At(2), name) || Error(kInvalidParameter)) && LoadLayerImage(*layer, name);
}

bool FontData::CmdLayerSetDrawMode(const ListDataElement& s) {
    FontLayer* layer = nullptr;
    int mode = 0;
    if (!LayerParam(s.At(1), layer) || !IntParam(s.At(2), mode)) {
        return false;
    }
    if (mode != 0 && mode != 1) {
        return Error(kInvalidParameter);
    }
    layer->drawMode = mode;
    return true;
}

bool FontData::CmdLayerSetColorMult(const ListDataElement& s) {
    FontLayer* layer = nullptr;
    return LayerParam(s.At(1), layer) && ColorParam(s.At(2), layer->colorMult);
}

bool FontData::CmdLayerSetColorAdd(const ListDataElement& s) {
    FontLayer* layer = nullptr;
    return LayerParam(s.At(1), layer) && ColorParam(s.At(2), layer->colorAdd);
}

bool FontData::CmdLayerSetOffset(const ListDataElement& s) {
    FontLayer* layer = nullptr;
    std::vector<int> offset;
    if (!LayerParam(s.At(1), layer)) {
        return false;
    }
    if (!GetIntListParam(s.At(2), offset) || offset.size() != 2) {
        return Error(kInvalidParameter);
    }
    layer->offsetX = offset[0];
    layer->offsetY = offset[1];
    return true;
}

bool FontData::SetCharInts(const ListDataElement& s, int CharData::*field) {
    FontLayer* layer = nullptr;
    CharList chars;
    std::vector<std::optional<int>> values;
    if (!LayerParam(s.At(1), layer) || !CharsParam(s.At(2), chars) || !IntValuesParam(s.At(3), values)) {
        return false;
    }
    return ApplyPerChar(chars, values, [&](unsigned int code, int value) {
        layer->MakeGlyph(code)->*field = value;
        return true;
    });
}

bool FontData::CmdLayerSetCharWidths(const ListDataElement& s) {
    return SetCharInts(s, &CharData::advance);
}

bool FontData::CmdLayerSetImageMap(const ListDataElement& s) {
    FontLayer* layer = nullptr;
    CharList chars;
    std::vector<std::optional<std::array<int, 4>>> rects;
    if (!LayerParam(s.At(1), layer)) {
        return false;
    }
    if (!layer->image) {
        return Error(L"Layer image not set");
    }
    if (!CharsParam(s.At(2), chars) || !IntTuplesParam(s.At(3), rects)) {
        return false;
    }
    const int width = layer->image->GetWidth();
    const int height = layer->image->GetHeight();
    bool result = ApplyPerChar(chars, rects, [&](unsigned int code, const std::array<int, 4>& r) {
        // Negative sizes are refused too: they would pass the edge test and draw mirrored garbage.
        if (r[0] < 0 || r[1] < 0 || r[2] < 0 || r[3] < 0 || r[0] + r[2] > width || r[1] + r[3] > height) {
            return Error(L"Image rectangle out of bounds");
        }
        layer->MakeGlyph(code)->image = TFontRect{r[0], r[1], r[2], r[3]};
        return true;
    });
    layer->RecomputeMaxGlyphBottom();
    return result;
}

bool FontData::CmdLayerSetCharOffsets(const ListDataElement& s) {
    FontLayer* layer = nullptr;
    CharList chars;
    std::vector<std::optional<std::array<int, 2>>> offsets;
    if (!LayerParam(s.At(1), layer) || !CharsParam(s.At(2), chars) || !IntTuplesParam(s.At(3), offsets)) {
        return false;
    }
    bool result = ApplyPerChar(chars, offsets, [&](unsigned int code, const std::array<int, 2>& offset) {
        CharData* glyph = layer->MakeGlyph(code);
        glyph->offsetX = offset[0];
        glyph->offsetY = offset[1];
        return true;
    });
    // The layer's height depends on the offsets too, whichever command comes first.
    layer->RecomputeMaxGlyphBottom();
    return result;
}

bool FontData::CmdLayerSetKerningPairs(const ListDataElement& s) {
    FontLayer* layer = nullptr;
    std::vector<std::wstring> pairs;
    std::vector<std::optional<int>> values;
    if (!LayerParam(s.At(1), layer)) {
        return false;
    }
    if (!GetStringListParam(s.At(2), pairs)) {
        return Error(kInvalidParameter);
    }
    if (!IntValuesParam(s.At(3), values)) {
        return false;
    }
    std::vector<std::optional<std::pair<unsigned int, unsigned int>>> keys;
    for (const std::wstring& pair : pairs) {
        if (pair.size() == 2) {
            keys.emplace_back(std::make_pair(static_cast<unsigned int>(pair[0]), static_cast<unsigned int>(pair[1])));
        } else {
            keys.emplace_back(std::nullopt);
        }
    }
    return ApplyPerChar(keys, values, [&](const std::pair<unsigned int, unsigned int>& key, int value) {
        unsigned int first = key.first;
        if (!layer->HasGlyphPage(first)) {
            // Only this pair is dropped; the pairs after it still apply.
            TLogFile::Get()->Printf("kerning pair skipped in %s: no glyph for its first character",
                                    mDescriptorPath.c_str());
            return true;
        }
        layer->MakeGlyph(first)->SetKerning(key.second, static_cast<int8_t>(value & 0xFF));
        return true;
    });
}

bool FontData::CmdLayerSetCharOrders(const ListDataElement& s) {
    return SetCharInts(s, &CharData::order);
}
