#pragma once
// Drawing objects that show one texture: the plain image, the image with an alpha tween, and the image
// drawn inside a clip rectangle; and the XML vocabulary that describes an image.

#include <string>

#include "graphics/draw_object.h"
#include "graphics/inc_value.h"
#include "graphics/render_state.h"
#include "graphics/texture.h"

class TiXmlElement;

class StaticImage : public DrawObject {
public:
    // Alpha an image needs at a point for a hit there.
    static constexpr int kHitAlpha = 63;

    StaticImage();
    StaticImage(const StaticImage&) = default;
    StaticImage& operator=(const StaticImage&) = default;
    ~StaticImage() override = default;

    void Draw(float parentAlpha) override;
    // Stores the base position and the centred flag; the plain position is not touched.
    void SetPosition(float x, float y, bool centred) override;
    // The base position, plus half the source rectangle's size when centred on a source rectangle.
    float GetX() override;
    float GetY() override;

    // Loads the texture of a name: the colour + mask pair of that name first, else the single image.
    // An empty name only releases the texture and keeps the old name.
    void SetImage(const std::string& name);
    // Drops the texture; the name stays, so SetImage can load it again.
    void ReleaseImage();
    // Shares another image's texture (not its name).
    void CopyTexture(const StaticImage& other);
    void Assign(const StaticImage& other) { *this = other; }
    int GetHeight() const;
    // The texture's alpha at (x, y) is at least minAlpha; false outside the texture.
    bool IsOpaqueAt(int x, int y, int minAlpha) const;
    // Whether the drawn image covers the design point with alpha of at least minAlpha (0: anywhere in its
    // rectangle): the point is taken back through the draw's translation, rotation and scale into the
    // source rectangle.
    bool HitTest(int x, int y, int minAlpha = kHitAlpha);
    // Rebuilds the render state's transform, translation, angle and centre from the image's fields.
    void UpdateTransform();

    // The base position is the image's centre.
    bool mCentred = false;
    std::string mImageName;
    TTextureHandle mTexture;
    // Open to owners: the source rectangle, flips, colour, blend mode and a custom centre persist; the
    // draw overwrites the transform, translation, angle, alpha and (by the centring rules) the centre.
    TRenderState mRenderState;
    // The render state's centre was set by the owner.
    bool mCustomCentre = false;

private:
    bool LocalPoint(int x, int y, float& localX, float& localY);
};

class AlphaStaticImageListener {
public:
    virtual ~AlphaStaticImageListener() = default;
    // The start delay ran out.
    virtual void OnDelayOver() {}
    // End of a ping-pong leg: false sends the tween back the other way, true leaves it at rest.
    virtual bool OnFadeDone(float alpha) { return false; }
};

class AlphaStaticImage : public StaticImage {
public:
    static constexpr int kFadeOnce = 0;
    static constexpr int kPingPong = 1;

    AlphaStaticImage();

    bool Update(float seconds) override;
    bool IsFinished() override { return mAlphaTween.finished; }

    // Parks the tween at a and shows a at once; the mode becomes fade once.
    void SetAlpha(float a);
    void ResetAlpha(float a) { SetAlpha(a); }
    void FadeAlpha(float from, float to, float seconds);

    AlphaStaticImageListener* mListener = nullptr;
    // Seconds before the tween runs.
    float mDelay = 0;
    IncValue mAlphaTween;
    int mMode = kFadeOnce;
};

class TClippingImage : public StaticImage {
public:
    // Draws at alpha 1.0, inside the clip rectangle when any of its values is not 0.
    void DrawClipped();

    int mClipX = 0;
    int mClipY = 0;
    int mClipW = 0;
    int mClipH = 0;
};

// Applies an image description ("filename"/"image", "x", "y", "pos_is_center", "angle" in degrees, "alpha",
// "visible"/"v", "trancex", "trancey", "scx", "scy", "tcx", "tcy", "additive"). The name becomes the prefix
// followed by the file name; the texture is not loaded here. Nothing happens for a null element.
void LoadStaticImageFromXml(StaticImage& image, const TiXmlElement* element, const std::string& prefix);
