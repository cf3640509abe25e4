#pragma once
// The game screen's short effects: captions, the hint's flying heads, the bonus-time counter, the reward
// burst, the mistake mark and the ring highlight. Each is a drawing object that its owner updates every
// frame and deletes once it reports itself finished.

#include <memory>
#include <string>
#include <vector>

#include "controller/game_listeners.h"
#include "graphics/cadr_image.h"
#include "graphics/draw_object.h"
#include "graphics/inc_value.h"
#include "graphics/move_obj.h"
#include "graphics/particle.h"
#include "graphics/point_mover.h"
#include "graphics/spline_path.h"
#include "graphics/static_image.h"

// A caption: fades in, holds, then grows a little while it fades out.
class EffectGo : public DrawObject {
public:
    static constexpr float kFadeInTime = 0.4f;
    static constexpr float kHoldEnd = 1.0f;
    static constexpr float kGrowTime = 0.75f;
    static constexpr float kGrowScale = 1.1f;

    EffectGo(const std::string& image, int x, int y, float hold, EffectGoListener* listener, int kind, float fade);

    bool Update(float seconds) override;
    void Draw(float parentAlpha) override;
    int GetKind() const { return mKind; }

private:
    enum TState { kAppearing, kHolding, kFading };

    StaticImage mImage;
    IncValue mAlphaTween;
    IncValue mScaleTween;
    float mTimer = 0;
    float mHold;
    float mFade;
    int mKind;
    TState mState = kAppearing;
    TWeakRef<EffectGoListener> mListener;
};

// Heads flying from a start point to targets along arcs; each target reached is reported once, then the
// end of the whole flight.
class EffectRemover : public DrawObject {
public:
    struct TTarget {
        int x = 0;
        int y = 0;
    };
    // The heads fly at this share of their arc's length per second.
    static constexpr float kSpeedFactor = 0.8f;
    static constexpr const char* kTrailImage = "textures/effect/particle_lightning";
    // Trail particles drift this far per update in a random direction.
    static constexpr float kTrailSpeed = 0.25f;

    EffectRemover(int startX, int startY, const std::vector<TTarget>& targets, EffectRemoverListener* listener,
                  int tag);

    // Finished once every head has arrived and its trail has faded.
    bool Update(float seconds) override;
    // The trail.
    void Draw(float parentAlpha) override;

    const std::vector<std::unique_ptr<Particle>>& GetTrail() const { return mTrailParticles; }

    // The controller ignores the targets of a bonus flight.
    bool mBonus = false;

private:
    struct THead {
        std::unique_ptr<TSplinePath> path;
        std::unique_ptr<MoveObj_t> mover;
        bool reported = false;
    };

    void LeaveTrailParticle(float x, float y);

    std::vector<THead> mHeads;
    std::vector<std::unique_ptr<Particle>> mTrailParticles;
    TWeakRef<EffectRemoverListener> mListener;
    int mTag;
};

// The bonus-time counter: flies in, counts qualifying strokes for a while, flies back and reports its
// count when deleted.
class EffectBonusTime : public DrawObject {
public:
    struct TLayout {
        float startX = 44;
        float startY = 23;
        float x = 127;
        float y = 80;
        float textDx = -26;
        float textDy = -22;
        float moveTime = 0.5f;
        float life = 5.0f;
    };
    static constexpr int kFirstCount = 2;
    static constexpr const char* kAnimationFile = "ui/combo.xml";
    static constexpr const char* kFont = "big";
    static constexpr int kLabelWidth = 54;
    static constexpr int kLabelHeight = 34;

    EffectBonusTime(const TLayout& layout, EffectBonusTimeListener* listener);
    // Reports the count to the listener.
    ~EffectBonusTime() override;
    EffectBonusTime(const EffectBonusTime&) = delete;
    EffectBonusTime& operator=(const EffectBonusTime&) = delete;

    bool Update(float seconds) override;
    virtual void DrawEffect();
    // One more qualifying stroke: the life starts again.
    void AddCount();
    int GetCount() const { return mCount; }
    const TCadrImage& GetAnimation() const { return mAnimation; }
    float GetPointX() const { return mMover.currentX; }
    float GetPointY() const { return mMover.currentY; }
    // Forgets the listener, so deleting the effect reports nothing.
    void DropListener() { mListener = nullptr; }

private:
    enum TPhase { kEntering, kShown, kLeaving, kDone };

    TLayout mLayout;
    TPhase mPhase = kEntering;
    void RestartAnimation();

    TPointMover mMover;
    IncValue mAlphaTween;
    // Runs once over the life, so its last frame comes as the combo ends.
    TCadrImage mAnimation;
    float mLifeLeft = 0;
    int mCount = kFirstCount;
    TWeakRef<EffectBonusTimeListener> mListener;
};

// Six copies of an image flying out from a point.
class EffectGotReward : public DrawObject {
public:
    static constexpr int kCopies = 6;
    static constexpr float kDistance = 50.0f;

    EffectGotReward(int x, int y, const std::string& image, float seconds);
    bool Update(float seconds) override;
    void Draw(float parentAlpha) override;

private:
    StaticImage mImage;
    TPointMover mMovers[kCopies];
};

// A ring that grows and fades at a point, restarting until its run limit (-1: without end).
class EffectChange3One : public DrawObject {
public:
    EffectChange3One(int x, int y, int dx, int dy, float endScale, float seconds);
    // At (x, y) itself, fading from the starting alpha.
    EffectChange3One(int x, int y, float seconds, float endScale, float startAlpha);
    void Reset() override;
    bool Update(float seconds) override;
    void Draw(float parentAlpha) override;
    // A picture that every restart keeps, instead of a ring of random colour.
    void SetImage(const std::string& name);
    void MoveTo(float x, float y) {
        mX = x;
        mY = y;
    }

    int mRunLimit = 1;
    // Which star of the results window the ring belongs to.
    int mStarIndex = -1;

private:
    StaticImage mImage;
    // The dark band under a ring of random colour.
    StaticImage mShade;
    IncValue mScaleTween;
    IncValue mAlphaTween;
    float mEndScale;
    float mTime;
    float mStartAlpha = 1.0f;
    int mRuns = 0;
    bool mFixedImage = false;
};

// The mistake mark of a wrong cell: grows and fades once.
class EffectOneBomb : public DrawObject {
public:
    EffectOneBomb(const std::string& image, int x, int y, float startScale, float endScale, float seconds);
    void Reset() override;
    bool Update(float seconds) override;
    void Draw(float parentAlpha) override;

private:
    StaticImage mImage;
    IncValue mScaleTween;
    IncValue mAlphaTween;
    float mStartScale;
    float mEndScale;
    float mTime;
};
