#pragma once
// The picture control: a main image and, on request, a checked-state image and a second image over it,
// each at its own offset, at natural size or fitted into the window keeping the main image's aspect.
// While hovered it can show a chosen game cursor.

#include <string>

#include "graphics/static_image.h"
#include "windows/window.h"

class TUIMyImage;

class TMyImage : public TMyWindow {
public:
    // Draw mode that fits the images into the window.
    static constexpr int kDrawFit = 1;

    explicit TMyImage(TMyWindowContainer* parent = nullptr);

    // Null for a null box; otherwise a new image made a child of the window, configured by the box.
    static TMyImage* Create(TUIMyImage* box, TMyWindow* window);

    int GetType() const override { return kWindowKindImage; }
    void DrawSelf() override;
    void OnMouseEnter() override;
    void OnMouseLeave() override;

    void ApplyDescription(TUIMyImage* box);
    // The main image; its alpha map is kept only when the keep-alpha-map flag is set.
    void SetImage(const std::string& name);

    StaticImage mMainImage;
    StaticImage mCheckedImage;
    StaticImage mSecondImage;
    int mDrawMode = 0;
    // Set by each draw in fit mode.
    int mFitOffsetX = 0;
    int mFitOffsetY = 0;
    std::string mCursorName;
    bool mKeepAlphaMap = false;
    bool mShowChecked = false;
    bool mShowSecond = false;
    int mCheckedOffsetX = 0;
    int mCheckedOffsetY = 0;
    int mMainOffsetX = 0;
    int mMainOffsetY = 0;
    int mSecondOffsetX = 0;
    int mSecondOffsetY = 0;

private:
    // Scales the images to fit the main one into the window; false when there is nothing to fit.
    bool Fit();
    void DrawImage(StaticImage& image, int offsetX, int offsetY, float alpha);
};
