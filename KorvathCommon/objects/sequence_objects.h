#pragma once
// Containers that animate by showing one child at a time: the show sequence shows each child for a while
// with a gap between them; the frame-items object uses its children as the frames of an animation.

#include "graphics/inc_value.h"
#include "objects/object.h"

class TShowSequenceObject : public TObject {
public:
    static constexpr int kIdle = 0;
    static constexpr int kShowing = 1;
    static constexpr int kGap = 2;

    bool Update(float seconds) override;
    // With "active" the sequence starts at once.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // Phase, child, passes and the phase tween follow the object record, so a restored sequence goes on.
    void RestoreState(TBaseBuffer& reader) override;
    void SaveState(TBaseBuffer& writer) override;
    void OnLoaded() override {}
    // Starts from the first child unless locked; an activation with an index does not start it.
    void ActivateDefault() override;

    void Start();
    // Shows that child alone (with the activation sounds); an index outside the children hides them all.
    void ShowOnly(int index);

    float mShowTime = 1.0f;
    float mGapTime = 0.5f;
    IncValue mPhaseTween;
    int mPhase = kIdle;
    int mCurrentIndex = -1;
    // -1 for ever.
    int mPassesWanted = 1;
    int mPassesDone = 0;
    bool mStartActive = false;
};

class TCadrItemsObject : public TObject {
public:
    void Draw(float alpha) override;
    // Nothing at all while inactive.
    bool Update(float seconds) override;
    int GetTypeId() const override { return 19; }
    // The frame shown and the passes made; a restored active object runs on.
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    void OnSpaceFirstShow() override;
    void Activate(int index, int x, int y) override;
    void Deactivate(int index, int x, int y) override;

    void ShowOnly(int index);

    IncValue mFrameTween;
    float mSpeed = 0;
    // -1 for ever.
    int mPassesWanted = 1;
    int mCurrentFrame = 0;
    int mPassesDone = 0;
    bool mShowOnFirstEnter = true;
};
