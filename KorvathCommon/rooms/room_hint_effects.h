#pragma once
// What a room draws when it gives a hint: a ring of rolling dots around the object a hint points to, and
// a pulsing arrow where the way back is.

#include <memory>
#include <string>
#include <vector>

#include "graphics/draw_object.h"
#include "graphics/inc_value.h"
#include "graphics/static_image.h"
#include "graphics/value_cycler.h"

class TObject;

// A dot that circles a centre at a fixed radius and fades out over 2.5 s.
class RollingParticle : public DrawObject {
public:
    static constexpr float kLifeSeconds = 2.5f;

    RollingParticle(int x, int y, int centreX, int centreY, int radius, float angle);

    bool Update(float seconds) override;
    void Draw(float parentAlpha) override { DrawParticle(); }
    virtual void DrawParticle();

    float GetAngle() const { return mAngleNow; }
    const StaticImage& GetImage() const { return mImage; }

private:
    StaticImage mImage;
    IncValue mFade;
    int mCentreX = 0;
    int mCentreY = 0;
    int mRadius = 0;
    float mAngleNow = 0;
};

// Emits six rolling dots per update for its first twenty updates, and is finished when the last has faded.
class EffectHint : public DrawObject {
public:
    static constexpr int kEmissionSteps = 20;
    static constexpr int kRadius = 50;

    EffectHint(int x, int y, TObject* target);
    ~EffectHint() override;

    bool Update(float seconds) override;
    // The dots are drawn: a hint nobody sees would be no hint.
    void Draw(float parentAlpha) override;

    TObject* GetTarget() const { return mTarget; }
    size_t GetParticleCount() const { return mParticles.size(); }
    int GetStepsLeft() const { return mStepsLeft; }
    const std::vector<std::unique_ptr<RollingParticle>>& GetParticles() const { return mParticles; }

private:
    TObject* mTarget = nullptr;
    StaticImage mImage;
    IncValue mFade;
    TValueCycler mPulse;
    TValueCycler mPulse2;
    std::vector<std::unique_ptr<RollingParticle>> mParticles;
    bool mOwnsParticles = true;
    void* mParticleListener = nullptr;
    int mStepsLeft = kEmissionSteps;
    int mCentreX = 0;
    int mCentreY = 0;
    int mRadius = kRadius;
};

// A pulsing arrow centred on a point, for a given time.
class TEffectBackHint : public DrawObject {
public:
    TEffectBackHint(int x, int y, const std::string& imageName, float seconds);

    bool Update(float seconds) override;
    // The arrow is drawn through the room's ordinary draw, so the room's hint slots show it.
    void Draw(float parentAlpha) override { DrawEffect(); }
    virtual void DrawEffect();

    const StaticImage& GetImage() const { return mImage; }
    float GetPulse() const { return mPulse.tween.current; }

private:
    StaticImage mImage;
    TValueCycler mPulse;
    IncValue mLife;
};
