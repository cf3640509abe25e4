#pragma once
// The root of everything that is drawn, moved or animated. Coordinates are design coordinates, angles
// radians, alpha a float 0..1 multiplied down the tree.

#include <atomic>
#include <cstdint>
#include <string>

class DrawObject {
public:
    DrawObject() { ++sLiveCount; }
    DrawObject(const DrawObject& other) : DrawObject() { *this = other; }
    DrawObject& operator=(const DrawObject&) = default;
    virtual ~DrawObject() { --sLiveCount; }

    // Objects alive in the process: what a long run must not let grow.
    static long GetLiveCount() { return sLiveCount.load(std::memory_order_relaxed); }

    virtual void SetUserValue(int value) { mUserValue = value; }
    // Draws the object; images multiply their own alpha by the parent's.
    virtual void Draw(float parentAlpha) {}
    // A second draw pass.
    virtual void DrawOver() {}
    // Advances the object by one frame; true when it has finished (owners of effect lists then delete it).
    virtual bool Update(float seconds) { return false; }
    virtual bool IsFinished() { return mFinished; }
    // The base keeps the position and the base position equal and ignores centred.
    virtual void SetPosition(float x, float y, bool centred);
    // Back to the initial state.
    virtual void Reset() {}
    virtual void SetVisible(bool visible) { mVisible = visible; }
    virtual bool IsVisible() { return mVisible; }
    virtual void Hook() {}
    virtual float GetX() { return mBaseX; }
    virtual float GetY() { return mBaseY; }
    // Uniform scaling goes through SetScaleXY, so a class that overrides only that one scales right.
    virtual void SetScale(float scale) { SetScaleXY(scale, scale); }
    virtual void SetScaleXY(float scaleX, float scaleY);
    virtual float GetScaleX() { return mScaleX; }
    virtual float GetScaleY() { return mScaleY; }
    // Rewinds and plays from the start.
    virtual void Restart() {}

    float mX = 0;
    float mY = 0;
    float mW = 0;
    float mH = 0;
    bool mFinished = false;
    int32_t mId = 0;
    std::string mName;
    float mTag = 0;
    bool mVisible = true;
    float mBaseX = 0;
    float mBaseY = 0;
    float mOffsetX = 0;
    float mOffsetY = 0;
    float mAlpha = 1.0f;
    float mScaleX = 1.0f;
    float mScaleY = 1.0f;
    float mAngle = 0;
    int mUserValue = 0;

private:
    static inline std::atomic<long> sLiveCount{0};
};
