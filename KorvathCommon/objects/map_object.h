#pragma once
// One location of a hidden-object map: its id names the room it stands for. Each time the map is shown it
// takes the room's state (current location, something to do there, unavailable); state images mark it in
// the developer view.

#include <memory>

#include "graphics/static_image.h"
#include "objects/object.h"

class TObjectSpace;
class TSimpleTextImage;

class TMapObject : public TObject {
public:
    static constexpr int kLabelOffsetX = 15;
    static constexpr int kLabelOffsetY = 115;

    TMapObject();
    ~TMapObject() override;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 53; }
    // An available location with its room picks the room to open: none when it is the current one.
    bool OnMouseDown(const TMouseEvent& event) override;
    void LoadResources() override;
    void UnloadResources() override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void OnSpaceShow() override;
    void OnSpaceHide() override;
    // The task mark, for an available location with something to do when the profile asks for marks.
    void DrawOverlay() override;
    void SetAlpha(float alpha) override;
    // The location with its state images: a view rooms never use.
    virtual void DrawAll();

    TSimpleTextImage* GetLabel() const { return mLabel.get(); }

    bool mCurrent = false;
    bool mHasTask = false;
    bool mUnavailable = true;
    bool mHidden = false;
    StaticImage mCurrentImage;
    StaticImage mTaskImage;
    StaticImage mUnavailableImage;
    AlphaStaticImage mOutImage;
    AlphaStaticImage mPreviousImage;
    int mPreviousX = 0;
    int mPreviousY = 0;
    TObjectSpace* mRoom = nullptr;

private:
    std::unique_ptr<TSimpleTextImage> mLabel;
};
