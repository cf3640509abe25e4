#pragma once
// Scene objects that carry text: a label laid out by a description of its own, an info text that only
// holds a text, and an info text with a two-image switcher and a preview image.

#include <array>
#include <memory>
#include <string>

#include "graphics/static_image.h"
#include "objects/object.h"
#include "objects/transparent_object.h"

class TSimpleTextImage;
class TUIInfoHolder;

class TTextObject : public TObject {
public:
    TTextObject();
    ~TTextObject() override;

    // The label follows, at whole pixels.
    void SetPosition(float x, float y, bool moveChildren) override;
    int GetTypeId() const override { return 68; }
    // The element is also the label's description: its "text" box places the object. Without a text label
    // box the object has no label and says so in the log.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The object, then its label: a view rooms never use.
    virtual void DrawAll();

    // Each byte becomes one character of the same number.
    void SetText(const std::string& text);
    TSimpleTextImage* GetLabel() const { return mLabel.get(); }

private:
    std::unique_ptr<TSimpleTextImage> mLabel;
    std::unique_ptr<TUIInfoHolder> mDescription;
};

class TTextInfoObject : public TObject {
public:
    int GetTypeId() const override { return 49; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;

    std::string mText;
};

// Two images, one shown at a time; its state is saved with its owner.
class TImageSwitcher : public TSaveable {
public:
    // Shown index, then visible, one byte each.
    void RestoreState(TBaseBuffer& reader) override;
    void SaveState(TBaseBuffer& writer) override;
    virtual void SetVisible(bool visible) { mVisible = visible; }
    virtual bool IsVisible() const { return mVisible; }
    // The first image's centre, in whole pixels.
    virtual void GetCenter(int& x, int& y) const;
    // "flag" and the first two "image" children.
    virtual void LoadFromXml(const TiXmlElement* element, const std::string& folder);
    virtual bool Toggle();

    StaticImage& Shown() { return mImages[mShownIndex ? 1 : 0]; }

    std::array<StaticImage, 2> mImages;
    bool mShownIndex = false;
    bool mVisible = true;
};

class TTextInfoSwitchImageObject : public TTextInfoObject {
public:
    int GetTypeId() const override { return 50; }
    void LoadResources() override;
    void UnloadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    // The shown switcher image's own hit test.
    bool HitTestSelf(int x, int y) override;
    // The object, then the shown switcher image: a view rooms never use.
    virtual void DrawAll();

    StaticImage mPreview;
    TImageSwitcher mSwitcher;
};
