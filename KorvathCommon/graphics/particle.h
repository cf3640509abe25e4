#pragma once
// One sprite that drifts, fades out by a fixed step per update and steps through a strip of frames.

#include <cstdint>
#include <string>

#include "graphics/draw_object.h"
#include "graphics/render_state.h"
#include "graphics/static_image.h"

class Particle : public DrawObject {
public:
    static constexpr float kDefaultLifeStep = 0.1f;

    // Loads the image; the first frame's rectangle is (frameX, frameY, frameW, frameH), later frames follow
    // to its right.
    Particle(float x, float y, float velocityY, const std::string& imageName, int frameX, int frameY, int frameW,
             int frameH);

    void Draw(float parentAlpha) override;
    // Moves by the velocity and fades by the life step once per update, whatever the time; true once faded.
    bool Update(float seconds) override;
    bool IsFinished() override { return mLife <= 0; }

    float mStartX;
    float mStartY;
    float mVelocityY;
    float mVelocityX = 0;
    float mPosX;
    float mPosY;
    // Radians; the image is drawn turned the other way.
    float mParticleAngle = 0;
    float mLifeStep = kDefaultLifeStep;
    int32_t mFrame = 0;
    // Also the alpha.
    float mLife = 1.0f;
    int32_t mCounter = 0;
    StaticImage mImage;
    TColorArgb mColor{255, 255, 255, 255};
    float mParticleScale = 1.0f;
    bool mAdditive = true;
    // Updates per frame.
    int32_t mFramePeriod = 2;
    int32_t mFrameCount = 0;
    TFrameRect mFirstFrame;
    bool mCentred = false;
};
