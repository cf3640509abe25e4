#pragma once
// A scene object that shows one of a list of images, each at its own position, and switches to the next at
// once or with a cross-fade: on activation, on a click, when its space is shown, or every "delay" seconds.
// Its owner loads and draws the images (LoadImages, DrawImages); the core passes do not.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "objects/object.h"

class TSwitcherObject : public TObject {
public:
    TSwitcherObject();

    bool Update(float seconds) override;
    int GetTypeId() const override { return 2; }
    // Drops the switcher's images; its children stay (their own resources are unloaded).
    void UnloadResources() override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void OnSpaceShow() override;
    void Activate(int index, int x, int y) override;
    void DoClickAction(int clickNumber, int x, int y) override;
    // Back to the first image, idle; the loaded description stays.
    void ResetState() override;
    void ReleaseAll() override;

    // Draws the shown image, or both while cross-fading, at parent alpha 1.0.
    virtual void DrawImages();
    // One image per name (the folder, else "textures/", before each), placed at its position.
    virtual void LoadImages(const std::string& folder);

    void StartSwitch();
    // Advances the image switched to: round when looped, else it stays on the last.
    void StepImage();

    bool mRun = true;
    bool mLooped = true;
    std::vector<std::unique_ptr<StaticImage>> mImages;
    std::vector<std::string> mNames;
    float mFadeSeconds = 0;
    float mDelaySeconds = 0;
    IncValue mDelayTimer;
    int mStartIndex = 0;
    int mCurrentIndex = 0;
    int mNextIndex = 0;
    int mImageCount = 0;
    // One per image; an entry that did not read as two numbers is empty.
    std::vector<std::optional<std::pair<int, int>>> mPositions;
    IncValue mFadeTween;
    bool mFading = false;
    bool mStarted = false;
    bool mActivateOnShow = false;

private:
    const std::pair<int, int>* PositionOf(int index) const;
    StaticImage* ImageAt(int index) const;
};
