#include "graphics/font_image.h"

#include <algorithm>
#include <climits>

#include "app/string_utils.h"

namespace {
// One glyph of one layer, laid out and waiting to be drawn.
struct GlyphDrawRecord {
    std::shared_ptr<TFontTexture> texture;
    int x = 0;
    int y = 0;
    TActiveGlyph glyph;
    int drawMode = 0;
    uint32_t color = 0;
    int next = -1;
};

struct GlyphOrderBucket {
    int first = -1;
    int last = -1;
};

// Shared by every draw call on the main thread, so drawing text allocates nothing per glyph.
std::array<GlyphDrawRecord, kGlyphDrawRecordCount> gGlyphDrawRecords;
std::array<GlyphOrderBucket, 256> gGlyphOrderBuckets;

int ClampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// Per byte: min(255, multiplier x colour / 255 + adder).
uint32_t TintColor(uint32_t color, uint32_t multiplier, uint32_t adder) {
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        uint32_t c = (color >> shift) & 0xFFu;
        uint32_t m = (multiplier >> shift) & 0xFFu;
        uint32_t a = (adder >> shift) & 0xFFu;
        result |= std::min<uint32_t>(255u, m * c / 255u + a) << shift;
    }
    return result;
}

int BucketOf(int order) {
    return std::clamp(order + 128, 0, 255);
}

void LinkRecord(int index, int bucket) {
    GlyphOrderBucket& chain = gGlyphOrderBuckets[static_cast<size_t>(bucket)];
    if (chain.last < 0) {
        chain.first = index;
    } else {
        gGlyphDrawRecords[static_cast<size_t>(chain.last)].next = index;
    }
    chain.last = index;
}

void DrawBuckets(int used, bool draw) {
    if (draw) {
        for (const GlyphOrderBucket& chain : gGlyphOrderBuckets) {
            for (int i = chain.first; i >= 0; i = gGlyphDrawRecords[static_cast<size_t>(i)].next) {
                const GlyphDrawRecord& record = gGlyphDrawRecords[static_cast<size_t>(i)];
                if (record.texture && record.texture->GetWidth() != 0) {
                    record.texture->Draw(record.glyph.source, record.x, record.y, record.glyph.width,
                                         record.glyph.height, record.color);
                }
            }
        }
    }
    // Records let go of their textures at once, so no texture outlives its renderer in the pool.
    for (int i = 0; i < used; ++i) {
        gGlyphDrawRecords[static_cast<size_t>(i)].texture.reset();
    }
}
} // namespace

int TMyFont::GetAscent() {
    RefreshMetrics();
    return mAscent;
}

int TMyFont::GetAscentPadding() {
    RefreshMetrics();
    return mAscentPadding;
}

int TMyFont::GetDescent() {
    RefreshMetrics();
    return mHeight - mAscent;
}

int TMyFont::GetHeight() {
    RefreshMetrics();
    return mHeight;
}

int TMyFont::GetLineSpacingOffset() {
    RefreshMetrics();
    return mLineSpacingOffset;
}

int TMyFont::GetLineHeight() {
    RefreshMetrics();
    return mHeight + mLineSpacingOffset;
}

int TMyFont::GetTextWidth(const std::wstring& /*text*/) {
    return 0;
}

int TMyFont::GetCharWidth(wchar_t c) {
    return GetTextWidth(std::wstring(1, c));
}

int TMyFont::GetCharAdvance(wchar_t c, wchar_t /*previous*/) {
    return GetCharWidth(c);
}

int TMyFont::GetTextWidthW(const std::wstring& /*text*/) {
    return 0;
}

int TMyFont::GetCharWidthW(wchar_t c) {
    return GetTextWidthW(c == 0 ? std::wstring() : std::wstring(1, c));
}

int TMyFont::GetCharAdvanceW(wchar_t c, wchar_t /*previous*/) {
    return GetCharWidth(c);
}

std::unique_ptr<TMyFont> TMyFont::Clone() const {
    return nullptr;
}

int ActiveFontLayer::Scale(double value) const {
    float scaled = static_cast<float>(value) * numerator / denominator;
    return static_cast<int>(std::clamp(scaled, static_cast<float>(INT_MIN), 2147483520.0f));
}

const TActiveGlyph* ActiveFontLayer::FindGlyph(unsigned int code) const {
    if (code >= kGlyphPageCount * kGlyphPageSize || !pages[code >> 8]) {
        return nullptr;
    }
    return &(*pages[code >> 8])[code & 0xFFu];
}

ImageFont::ImageFont(const std::string& descriptorName) : mData(std::make_shared<FontData>()) {
    mData->LoadFile(descriptorName);
    Prepare();
}

ImageFont::ImageFont(const std::string& descriptorName, const std::string& bytes)
    : mData(std::make_shared<FontData>()) {
    mData->LoadBytes(descriptorName, bytes);
    Prepare();
}

void ImageFont::Prepare() {
    mPointSize = mData->GetDefaultPointSize();
    PrepareLayers();
    mPrepared = true;
}

std::unique_ptr<TMyFont> ImageFont::Clone() const {
    return std::unique_ptr<TMyFont>(new ImageFont(*this));
}

bool ImageFont::IsSelected(const FontLayer& layer) const {
    if (layer.minPointSize > mPointSize || (layer.maxPointSize != -1 && mPointSize > layer.maxPointSize)) {
        return false;
    }
    const auto has = [this](const std::wstring& tag) {
        return std::find(mTags.begin(), mTags.end(), tag) != mTags.end();
    };
    return std::all_of(layer.requiredTags.begin(), layer.requiredTags.end(), has) &&
           std::none_of(layer.excludedTags.begin(), layer.excludedTags.end(), has);
}

ActiveFontLayer ImageFont::MakeActiveLayer(const FontLayer& layer) const {
    ActiveFontLayer active;
    active.layer = &layer;
    active.texture = layer.image;
    active.numerator = mScale;
    if (layer.pointSize != 0) {
        active.numerator = static_cast<float>(mPointSize) * mScale;
        active.denominator = static_cast<float>(layer.pointSize);
    }
    // A scaled layer draws each glyph from the layer image at its scaled size, so no strip texture is
    // needed and large fonts cannot outgrow the renderer's texture limit.
    for (size_t p = 0; p < kGlyphPageCount; ++p) {
        if (!layer.pages[p]) {
            continue;
        }
        auto page = std::make_shared<ActiveFontLayer::GlyphPage>();
        for (size_t i = 0; i < kGlyphPageSize; ++i) {
            const TFontRect& image = (*layer.pages[p])[i].image;
            (*page)[i] = TActiveGlyph{image, active.Scale(image.w), active.Scale(image.h)};
        }
        active.pages[p] = page;
    }
    return active;
}

void ImageFont::AddLayerMetrics(const ActiveFontLayer& active, bool first) {
    const FontLayer& layer = *active.layer;
    mAscent = std::max(mAscent, active.Scale(layer.ascent));
    mHeight = std::max(mHeight, active.Scale(layer.maxGlyphBottom));
    int padding = active.Scale(layer.ascentPadding);
    int spacing = active.Scale(layer.lineSpacingOffset);
    mAscentPadding = first ? padding : std::min(mAscentPadding, padding);
    mLineSpacingOffset = first ? spacing : std::max(mLineSpacingOffset, spacing);
}

void ImageFont::PrepareLayers() {
    if (!mData->IsLoaded()) {
        return;
    }
    mActiveLayers.clear();
    mAscent = mAscentPadding = mHeight = mLineSpacingOffset = 0;
    for (const auto& layer : mData->GetLayers()) {
        if (IsSelected(*layer)) {
            mActiveLayers.push_back(MakeActiveLayer(*layer));
            AddLayerMetrics(mActiveLayers.back(), mActiveLayers.size() == 1);
        }
    }
}

void ImageFont::EnsurePrepared() {
    if (!mPrepared) {
        PrepareLayers();
        mPrepared = true;
    }
}

void ImageFont::SetPointSize(int pointSize) {
    mPointSize = pointSize;
    mPrepared = false;
}

void ImageFont::SetScale(float scale) {
    mScale = scale;
    mPrepared = false;
}

bool ImageFont::AddTag(const std::string& name) {
    if (HasTag(name)) {
        return false;
    }
    mTags.push_back(ToUpperWide(FromUtf8(name)));
    mPrepared = false;
    return true;
}

bool ImageFont::RemoveTag(const std::string& name) {
    auto found = std::find(mTags.begin(), mTags.end(), ToUpperWide(FromUtf8(name)));
    if (found == mTags.end()) {
        return false;
    }
    mTags.erase(found);
    mPrepared = false;
    return true;
}

bool ImageFont::HasTag(const std::string& name) const {
    return std::find(mTags.begin(), mTags.end(), ToUpperWide(FromUtf8(name))) != mTags.end();
}

std::wstring ImageFont::GetDefineText(const std::string& name) const {
    const DataElement* value = mData->GetDefine(FromUtf8(name));
    return value != nullptr ? DescParserW::ElementToString(*value) : std::wstring();
}

unsigned int ImageFont::MapWide(wchar_t c) const {
    auto code = static_cast<unsigned int>(c);
    return WithReplacement(code < 256 ? mData->MapChar(code) : code);
}

unsigned int ImageFont::Map8(wchar_t c) const {
    return WithReplacement(mData->MapChar(static_cast<unsigned int>(c)));
}

bool ImageFont::HasGlyph(unsigned int code) const {
    // A code on a page the layer has is a record, but only an advance or an image makes it a glyph.
    return std::any_of(mActiveLayers.begin(), mActiveLayers.end(), [code](const ActiveFontLayer& active) {
        const CharData* glyph = active.layer->FindGlyph(code);
        return glyph != nullptr && (glyph->advance != 0 || glyph->image.w > 0);
    });
}

unsigned int ImageFont::WithReplacement(unsigned int code) const {
    // A character the font cannot draw shows as a question mark rather than as nothing, so a name in a
    // script the font lacks is still seen to be there; control codes stay as they are.
    if (code < 0x20 || HasGlyph(code)) {
        return code;
    }
    const unsigned int mark = mData->MapChar(kReplacementChar);
    return HasGlyph(mark) ? mark : code;
}

int ImageFont::AdvanceOf(unsigned int code, bool hasPrevious, unsigned int previous) const {
    bool any = false;
    int best = 0;
    for (const ActiveFontLayer& active : mActiveLayers) {
        const CharData* glyph = active.layer->FindGlyph(code);
        if (glyph == nullptr) {
            continue;
        }
        // A previous character the layer has no glyph for adds no spacing, as drawing adds none after it.
        const CharData* before = hasPrevious ? active.layer->FindGlyph(previous) : nullptr;
        int extra =
            before != nullptr ? active.Scale(static_cast<double>(active.layer->spacing) + before->GetKerning(code)) : 0;
        int value = ClampToInt(static_cast<long long>(active.Scale(glyph->advance)) + extra);
        best = any ? std::max(best, value) : value;
        any = true;
    }
    return best;
}

int ImageFont::GetCharAdvanceW(wchar_t c, wchar_t previous) {
    EnsurePrepared();
    return AdvanceOf(MapWide(c), previous != 0, MapWide(previous));
}

int ImageFont::GetCharWidthW(wchar_t c) {
    return GetCharAdvanceW(c, 0);
}

int ImageFont::GetCharAdvance8(wchar_t c, wchar_t previous) {
    EnsurePrepared();
    bool hasPrevious = (static_cast<unsigned int>(previous) & 0xFFu) != 0;
    return AdvanceOf(Map8(c), hasPrevious, Map8(previous));
}

int ImageFont::GetCharWidth8(wchar_t c) {
    return GetCharAdvance8(c, 0);
}

int ImageFont::GetTextWidthW(const std::wstring& text) {
    long long width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        width += GetCharAdvanceW(text[i], i > 0 ? text[i - 1] : 0);
    }
    return ClampToInt(width);
}

int ImageFont::GetTextWidth(const std::wstring& text) {
    long long width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        width += GetCharAdvance8(text[i], i > 0 ? text[i - 1] : 0);
    }
    return ClampToInt(width);
}

void ImageFont::DrawString(int x, int y, const std::wstring& text, uint32_t color, int /*unused*/,
                           std::vector<TFontRect>* rects, int* advance, bool draw) {
    LayOut(false, x, y, text, color, rects, advance, draw);
}

void ImageFont::DrawStringW(int x, int y, const std::wstring& text, uint32_t color, int /*unused*/,
                            std::vector<TFontRect>* rects, int* advance, bool draw) {
    LayOut(true, x, y, text, color, rects, advance, draw);
}

void ImageFont::DrawStringAt(int x, int y, const std::wstring& text, uint32_t color, int unused, bool draw) {
    DrawString(x, y, text, color, unused, nullptr, nullptr, draw);
}

void ImageFont::DrawStringAtW(int x, int y, const std::wstring& text, uint32_t color, int unused, bool draw) {
    DrawStringW(x, y, text, color, unused, nullptr, nullptr, draw);
}

void ImageFont::LayOut(bool wide, int x, int y, const std::wstring& text, uint32_t color, std::vector<TFontRect>* rects,
                       int* advance, bool draw) {
    gGlyphOrderBuckets.fill(GlyphOrderBucket());
    if (rects != nullptr) {
        rects->clear();
    }
    if (!mData->IsLoaded()) {
        if (advance != nullptr) {
            *advance = 0;
        }
        return;
    }
    EnsurePrepared();
    long long pen = x;
    int used = 0;
    bool full = false;
    for (size_t i = 0; i < text.size() && !full; ++i) {
        unsigned int code = wide ? MapWide(text[i]) : Map8(text[i]);
        bool hasNext = i + 1 < text.size();
        unsigned int next = !hasNext ? 0 : (wide ? MapWide(text[i + 1]) : Map8(text[i + 1]));
        long long newPen = pen;
        for (const ActiveFontLayer& active : mActiveLayers) {
            const FontLayer& layer = *active.layer;
            const CharData* glyph = layer.FindGlyph(code);
            if (glyph == nullptr) {
                continue;
            }
            if (used == kGlyphDrawRecordCount) {
                full = true;
                break;
            }
            GlyphDrawRecord& record = gGlyphDrawRecords[static_cast<size_t>(used)];
            record.texture = active.texture;
            record.x = ClampToInt(pen + active.Scale(static_cast<double>(glyph->offsetX) + layer.offsetX));
            record.y = ClampToInt(y - static_cast<long long>(active.Scale(static_cast<double>(layer.ascent) -
                                                                          glyph->offsetY - layer.offsetY)));
            record.glyph = *active.FindGlyph(code);
            record.drawMode = layer.drawMode;
            record.color = TintColor(color, layer.colorMult, layer.colorAdd);
            record.next = -1;
            LinkRecord(used, BucketOf(ClampToInt(static_cast<long long>(glyph->order) + layer.baseOrder)));
            ++used;
            if (rects != nullptr) {
                rects->push_back(TFontRect{record.x, record.y, record.glyph.width, record.glyph.height});
            }
            int extra = hasNext ? active.Scale(static_cast<double>(layer.spacing) + glyph->GetKerning(next)) : 0;
            newPen = std::max(newPen, pen + active.Scale(glyph->advance) + extra);
        }
        pen = newPen;
    }
    if (advance != nullptr) {
        *advance = ClampToInt(pen - x);
    }
    DrawBuckets(used, draw);
}
