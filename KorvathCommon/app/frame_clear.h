#pragma once
// The clear of the output at the start of a frame, put off until the frame's first draw: when that
// draw covers the whole picture opaquely (the screens' backgrounds do) the clear is left out, since on
// the software renderer it costs a quarter of a game frame and pushes the frame out of the cache. The
// output outside the picture (the bars of a window whose shape differs from the design's) is filled
// black every frame either way, so nothing of an earlier mode or frame shows there.

struct SDL_Texture;
struct TFloatRect;

// The picture's place on the output, in output pixels, and the render scale of the frame.
struct TFrameArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    // Where the frame is drawn: the output (null) or a target texture of the area's size.
    SDL_Texture* target = nullptr;
};

// Starts a frame on the renderer's output: the bars around the area filled black, the clear pending.
void BeginFrameClear(const TFrameArea& area);
// What one draw call is about to put on the renderer: its rectangle in the current render units (null
// when it is not a rectangle), whether it blends, and whether it is a plain copy (unrotated, unflipped,
// whole texels) that replaces every pixel of the rectangle when it does not blend.
struct TDrawCall {
    const TFloatRect* rect = nullptr;
    bool blended = true;
    bool plainCopy = false;
};

// Called before anything is drawn on the renderer: the draw is counted, and a pending clear is made,
// unless this draw is an unblended plain copy that covers the whole area. Draws into a target texture,
// or while no frame is pending, leave the clear as it is.
void BeforeDraw(const TDrawCall& call);
// For a draw about to copy a picture over the whole area that is opaque but for a part (the hole, in
// the current render units): when it is the frame's first draw, the clear is left out and true comes
// back; the caller then copies the picture, fills the hole black with FillFrameBlack and blends the hole
// again, the pixels of a clear and a blended draw. False, nothing changed, otherwise.
bool TakeFrameCover(const TFloatRect& rect);
// Fills a rectangle in the current render units black.
void FillFrameBlack(const TFloatRect& rect);
// The area was filled whole by one opaque copy made outside the draw path (a frame drawn into a texture,
// scaled onto the output): nothing is owed.
void MarkFrameCovered();
// The frame's first draw, one opaque copy made outside the draw path (cached layers), covered the area
// whole: the clear is left out.
void LeaveOutFrameClear();
// Called before the present: a frame that drew nothing is cleared all the same.
void FinishFrameClear();
// Whether the last frame's clear was left out (for the tests and the benchmark).
bool WasFrameClearSkipped();
// The area of the frame being drawn, and whether nothing has been drawn on it yet (its clear still owed).
const TFrameArea& GetFrameArea();
bool IsFrameClearPending();

// What the frames have drawn on the output since the counts were last reset: draw calls (clears and
// fills included) and the output pixels of blending draws (their rectangles cut to the picture area and
// to the clip; draws without a rectangle count as calls only).
struct TDrawCounts {
    long frames = 0;
    long calls = 0;
    double blendedPixels = 0;
    long clearsLeftOut = 0;
};
TDrawCounts& GetDrawCounts();

// At a scaled output the frame can be drawn at the design size into a target texture that is scaled
// once onto the output, instead of every image being scaled as it is drawn. Off by default; turning it
// off lets go of the target.
void SetScaledThroughTarget(bool enabled);
bool IsScaledThroughTarget();
// The renderer's design-sized target texture, made on first use; null when SDL cannot make one.
SDL_Texture* GetDesignTarget(int width, int height);
// The renderer is about to go, and its textures with it.
void ForgetDesignTarget();

// Off, the frame is drawn the plain way: cleared whole, then every layer drawn from its images (the
// tests compare the two ways pixel for pixel). On by default.
void SetDrawShortcuts(bool enabled);
bool AreDrawShortcutsOn();
