#pragma once
// The engine's font interface and the image fonts, which measure and draw the bitmap glyphs of a font
// description. Text is measured on an 8-bit path (low bytes through the character map) and on a wide
// path; it is drawn in design coordinates on the main thread.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/font_data.h"
#include "graphics/font_texture.h"

class TMyFont {
public:
    TMyFont() = default;
    virtual ~TMyFont() = default;

    virtual int GetAscent();
    virtual int GetAscentPadding();
    virtual int GetDescent();
    virtual int GetHeight();
    virtual int GetLineSpacingOffset();
    virtual int GetLineHeight();
    // Width on the 8-bit path.
    virtual int GetTextWidth(const std::wstring& text);
    virtual int GetCharWidth(wchar_t c);
    virtual int GetCharAdvance(wchar_t c, wchar_t previous);
    // Width on the wide path.
    virtual int GetTextWidthW(const std::wstring& text);
    virtual int GetCharWidthW(wchar_t c);
    virtual int GetCharAdvanceW(wchar_t c, wchar_t previous);
    virtual std::unique_ptr<TMyFont> Clone() const;

protected:
    TMyFont(const TMyFont&) = default;
    TMyFont& operator=(const TMyFont&) = default;
    // Brings the metrics up to date before they are read; nothing to do in the base.
    virtual void RefreshMetrics() {}

    int mAscent = 0;
    int mAscentPadding = 0;
    int mHeight = 0;
    int mLineSpacingOffset = 0;
};

// Where one glyph is taken from in the layer image, and the size it is drawn at.
struct TActiveGlyph {
    TFontRect source;
    int width = 0;
    int height = 0;
};

// One layer of the description selected for a font's point size, scale and tags.
struct ActiveFontLayer {
    using GlyphPage = std::array<TActiveGlyph, kGlyphPageSize>;

    const FontLayer* layer = nullptr;
    std::shared_ptr<TFontTexture> texture;
    // Layer sizes are multiplied by numerator / denominator: the scale, times point size / layer point size
    // when the layer has a point size. Measuring and drawing share it, so they agree to the pixel.
    float numerator = 1.0f;
    float denominator = 1.0f;
    // Read-only once built, so copies of a font share them.
    std::array<std::shared_ptr<const GlyphPage>, kGlyphPageCount> pages;

    int Scale(double value) const;
    const TActiveGlyph* FindGlyph(unsigned int code) const;
};

class ImageFont : public TMyFont {
public:
    // Drawn in place of a character the font has no glyph for.
    static constexpr unsigned int kReplacementChar = '?';

    // Loads the description (path rules apply) and prepares the layers for its default point size.
    explicit ImageFont(const std::string& descriptorName);
    // The same from a description's bytes in memory; its images are found beside the name.
    ImageFont(const std::string& descriptorName, const std::string& bytes);
    ~ImageFont() override = default;
    ImageFont& operator=(const ImageFont&) = delete;

    int GetTextWidth(const std::wstring& text) override;
    int GetTextWidthW(const std::wstring& text) override;
    int GetCharWidthW(wchar_t c) override;
    int GetCharAdvanceW(wchar_t c, wchar_t previous) override;
    std::unique_ptr<TMyFont> Clone() const override;

    virtual void PrepareLayers();
    // Lays out and draws text with its baseline at y. The 8-bit path uses each character's low byte.
    // color is packed 0xAARRGGBB. rects (optional) receives each glyph's drawn rectangle and advance (optional)
    // the pen's travel; with draw false nothing is drawn but both are produced.
    virtual void DrawString(int x, int y, const std::wstring& text, uint32_t color, int unused,
                            std::vector<TFontRect>* rects, int* advance, bool draw);
    virtual void DrawStringW(int x, int y, const std::wstring& text, uint32_t color, int unused,
                             std::vector<TFontRect>* rects, int* advance, bool draw);
    virtual int GetCharWidth8(wchar_t c);
    virtual int GetCharAdvance8(wchar_t c, wchar_t previous);
    virtual void DrawStringAt(int x, int y, const std::wstring& text, uint32_t color, int unused, bool draw);
    virtual void DrawStringAtW(int x, int y, const std::wstring& text, uint32_t color, int unused, bool draw);
    virtual void SetPointSize(int pointSize);
    virtual int GetPointSize() const { return mPointSize; }
    virtual void SetScale(float scale);
    virtual int GetDefaultPointSize() const { return mData->GetDefaultPointSize(); }
    // Tags are compared upper-cased; AddTag is false when the tag is there already, RemoveTag when it is not.
    virtual bool AddTag(const std::string& name);
    virtual bool RemoveTag(const std::string& name);
    virtual bool HasTag(const std::string& name) const;
    // The value of a Define of the description as text; empty when there is none.
    virtual std::wstring GetDefineText(const std::string& name) const;
    virtual void EnsurePrepared();

    // False when the description failed to load: such a font measures 0 and draws nothing.
    bool IsLoaded() const { return mData->IsLoaded(); }
    const std::vector<ActiveFontLayer>& GetActiveLayers() const { return mActiveLayers; }

protected:
    ImageFont(const ImageFont&) = default;
    void RefreshMetrics() override { EnsurePrepared(); }

private:
    // Takes the description's default point size and prepares the layers for it.
    void Prepare();
    bool IsSelected(const FontLayer& layer) const;
    ActiveFontLayer MakeActiveLayer(const FontLayer& layer) const;
    void AddLayerMetrics(const ActiveFontLayer& active, bool first);
    // Largest advance over the layers of a glyph code after the previous one (none when hasPrevious is false).
    int AdvanceOf(unsigned int code, bool hasPrevious, unsigned int previous) const;
    // Both give the replacement mark's code for a character no layer has a glyph for.
    unsigned int MapWide(wchar_t c) const;
    unsigned int Map8(wchar_t c) const;
    bool HasGlyph(unsigned int code) const;
    unsigned int WithReplacement(unsigned int code) const;
    void LayOut(bool wide, int x, int y, const std::wstring& text, uint32_t color, std::vector<TFontRect>* rects,
                int* advance, bool draw);

    std::shared_ptr<FontData> mData;
    int mPointSize = 0;
    std::vector<std::wstring> mTags;
    bool mPrepared = false;
    std::vector<ActiveFontLayer> mActiveLayers;
    float mScale = 1.0f;
};

// Size of the shared pool of glyph records that every draw call reuses; a text that needs more draws
// only what fitted.
constexpr int kGlyphDrawRecordCount = 4096;
