#pragma once
// The spinner: a drum of pictures seen through a clipped window, rolled one picture back at each click.
// The spinner sequence: a container of spinners solved when every spinner shows its required picture.

#include <memory>
#include <string>
#include <vector>

#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "objects/transparent_object.h"

class TSpinnerObject : public TObject {
public:
    ~TSpinnerObject() override = default;

    // Moves the two pictures of a roll and drops the outgoing one when the roll ends.
    bool Update(float seconds) override;
    int GetTypeId() const override { return 72; }
    // A hit starts a roll unless one is running.
    bool OnMouseDown(const TMouseEvent& event) override;
    void LoadResources() override;
    void UnloadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    bool HitTestSelf(int x, int y) override;
    // The object, then the current and the outgoing picture through their clip: a view rooms never use.
    virtual void DrawAll();

    // The outgoing picture while a roll runs, else the current one; -1 without pictures.
    int GetShownIndex() const { return mOutgoing >= 0 ? mOutgoing : mCurrent; }
    bool IsRolling() const { return mOutgoing >= 0; }

    int mStep = 0;
    float mRollTime = 0.2f;
    IncValue mRoll;
    std::vector<std::unique_ptr<TClippingImage>> mPictures;
    int mCurrent = -1;
    int mOutgoing = -1;

private:
    void StartRoll();
};

class TSpinnerSequenceObject : public TTransparentObject {
public:
    ~TSpinnerSequenceObject() override = default;

    // Solved once every spinner shows its required picture: after-event 0, then everything locks.
    bool Update(float seconds) override;
    int GetTypeId() const override { return 73; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The spinner children, in child order.
    void OnLoaded() override;

    std::vector<int> mRequired;
    std::vector<TSpinnerObject*> mSpinners;
};
