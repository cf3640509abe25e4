#pragma once
// Objects that drive their own alpha: a blending object that fades in and out once when activated (or each
// time its space is shown) and then raises event 0, and a note item that shows one item of a collection,
// dimmed until the item is collected, with a points label that fades in while the pointer is over it.

#include <memory>
#include <string>

#include "graphics/inc_value.h"
#include "graphics/value_cycler.h"
#include "objects/object.h"

class TSimpleTextImage;
struct TCollectionItem;

class TBlendingObject : public TObject {
public:
    bool Update(float seconds) override;
    int GetTypeId() const override { return 63; }
    // Starts transparent; "active" starts the fade at once.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void OnSpaceShow() override;
    void OnSpaceHide() override;
    // 0 -> 0.5 -> 1 -> 0.5 -> 0, each step taking "time", once; a second activation starts it again.
    void Activate(int index, int x, int y) override;

    bool mOnShow = false;
    float mTime = 2.0f;
    TValueCycler mCycler;
};

class TNoteCollectionItemObject : public TObject {
public:
    // A collected item shows at full alpha, one still to find at this share of it.
    static constexpr float kUncollectedFactor = 0.3f;

    TNoteCollectionItemObject();
    ~TNoteCollectionItemObject() override;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 66; }
    void LoadResources() override;
    // Takes the picture, the alpha factor and the points text of the registry's item named by the id.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // Over a collected item the label fades in; leaving fades it out.
    void OnMouseEnter(int x, int y) override;
    void OnMouseLeave(int x, int y) override;
    // The alpha times the factor; ignored when that leaves 0..1.
    void SetAlpha(float alpha) override;
    // The item with its points label: a view rooms never use (they draw only the picture).
    virtual void DrawAll();

    // The registry's item of this object's id, looked up each time (the registry may change); null without.
    TCollectionItem* FindItem() const;
    TSimpleTextImage* GetLabel() const { return mLabel.get(); }

    // The alpha last given, before the factor.
    float mGivenAlpha = 1.0f;
    float mAlphaFactor = 0;
    IncValue mLabelTween;
    float mFadeTime = 0.2f;

private:
    std::unique_ptr<TSimpleTextImage> mLabel;
};
