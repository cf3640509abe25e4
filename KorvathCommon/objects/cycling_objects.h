#pragma once
// Objects that show one image of a list and move on to the next one (by click or by activation), the
// parents that are solved when their children show given images, and the echo that shows its own image
// for the picture a spinner elsewhere in the scene shows.

#include <memory>
#include <string>
#include <vector>

#include "graphics/static_image.h"
#include "objects/transparent_object.h"

class TSpinnerObject;

class TChangeOnClickObject : public TObject {
public:
    ~TChangeOnClickObject() override = default;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 70; }
    // An accepted click fades the next image in.
    bool OnMouseDown(const TMouseEvent& event) override;
    void LoadResources() override;
    void UnloadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    bool HitTestSelf(int x, int y) override;
    // The object, the previous image while the current one fades in, then the current image.
    virtual void DrawAll();

    bool IsCorrect() const { return mCurrent == mCorrectIndex; }

    int mCorrectIndex = 0;
    float mMorphTime = 0.2f;
    std::vector<std::unique_ptr<AlphaStaticImage>> mImages;
    int mCurrent = -1;
    int mPrevious = -1;
};

class TChangeOnClickParentObject : public TTransparentObject {
public:
    ~TChangeOnClickParentObject() override = default;

    int GetTypeId() const override { return 71; }
    // After a click taken by it or a child: after-event 0 when every change-on-click child is correct.
    bool OnMouseDown(const TMouseEvent& event) override;
};

class TChangeOnActivateObject : public TObject {
public:
    ~TChangeOnActivateObject() override = default;

    // Once the fade-out ends at 0 the next image fades in.
    bool Update(float seconds) override;
    int GetTypeId() const override { return 76; }
    void LoadResources() override;
    void UnloadResources() override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // Fades the current image out, unless it is fading already.
    void Activate(int index, int x, int y) override;
    // The object, then the current image.
    virtual void DrawAll();

    float mAlphaTime = 0.1f;
    std::vector<std::unique_ptr<AlphaStaticImage>> mImages;
    int mCurrent = -1;
};

class TChangeOnActivateParentObject : public TObject {
public:
    ~TChangeOnActivateParentObject() override = default;

    // Solved once: after-event 0 and the parent locks.
    bool Update(float seconds) override;
    int GetTypeId() const override { return 77; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The change-on-activate children, in child order.
    void OnLoaded() override;

    std::vector<int> mWanted;
    std::vector<TChangeOnActivateObject*> mCyclers;
};

class TSpinnerEchoObject : public TObject {
public:
    ~TSpinnerEchoObject() override = default;

    int GetTypeId() const override { return 74; }
    void LoadResources() override;
    void UnloadResources() override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // Finds the spinner once: every part of the path but the last names a pocket, one level each.
    void OnSpaceShow() override;
    // The object, then the image for the spinner's current picture.
    virtual void DrawAll();

    std::string mSpinnerPath;
    std::vector<std::unique_ptr<StaticImage>> mImages;
    TSpinnerObject* mSpinner = nullptr;
};
