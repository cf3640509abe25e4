#pragma once
// The highlights a scene object can carry as its hint effect: a single sparkle that blinks once, and a
// rectangle that keeps sparkling while it exists. They draw at full alpha whatever the parent's alpha.

#include <string>

#include "graphics/draw_object.h"
#include "graphics/inc_value.h"
#include "graphics/objects_manager.h"
#include "graphics/point_mover.h"
#include "graphics/static_image.h"
#include "graphics/value_cycler.h"

// A sparkle's image with its three tracks: a half turn, and a scale and an alpha that each swing to a
// value and back, stopping when they come back.
struct TSparkleTracks {
    void Setup(float startAngle, float turnSeconds, float scaleFrom, float scaleTo, float alphaFrom, float alphaTo,
               float seconds);
    // True once the alpha has come back.
    bool Update(float seconds);
    // At full alpha whatever the parent's.
    void Draw();

    StaticImage image;
    IncValue angleTrack;
    TValueCycler scaleTrack;
    TValueCycler alphaTrack;
};

// Waits a random delay, then grows and brightens, turns half a revolution and fades away.
class EffectBlink : public DrawObject {
public:
    EffectBlink(int x, int y, float blinkTime, const std::string& imageName, float maxDelay);

    void Draw(float parentAlpha) override { DrawEffect(); }
    bool Update(float seconds) override;
    // The delay has run out and the sparkle has faded.
    bool IsFinished() override;
    virtual void DrawEffect();

    void Start();
    float GetDelayLeft() const { return mDelay; }
    const StaticImage& GetImage() const { return mSparkle.image; }

private:
    TSparkleTracks mSparkle;
    float mDelay = 0;
    float mBlinkTime = 0;
};

// One sparkle of a sparkling rectangle: after its delay it rises, turns and fades for 2 s.
class TEffectRoomXoItemHint : public DrawObject {
public:
    TEffectRoomXoItemHint(int x, int y);

    void Draw(float parentAlpha) override { DrawEffect(); }
    bool Update(float seconds) override;
    virtual void DrawEffect();

    bool IsRising() const { return mRising; }
    const TPointMover& GetRise() const { return mRise; }
    const StaticImage& GetImage() const { return mSparkle.image; }

private:
    TSparkleTracks mSparkle;
    float mDelay = 0;
    float mElapsed = 0;
    TPointMover mRise;
    bool mRising = false;
    int mSpawnX = 0;
    int mSpawnY = 0;
};

// Keeps up to a limit of sparkles alive at random points of its rectangle, one new sparkle per update.
// It never finishes by itself.
class TEffectRoomXoHint : public DrawObject {
public:
    TEffectRoomXoHint(int left, int top, int right, int bottom);
    TEffectRoomXoHint(const TEffectRoomXoHint&) = delete;
    TEffectRoomXoHint& operator=(const TEffectRoomXoHint&) = delete;

    void Draw(float parentAlpha) override { DrawEffect(); }
    bool Update(float seconds) override;
    virtual void DrawEffect();

    int GetSparkleLimit() const { return mSparkleLimit; }
    size_t GetSparkleCount() const { return mSparkles.GetCount(); }

private:
    // The live sparkles, deleted as they finish.
    ObjectsManager mSparkles;
    int mLeft = 0;
    int mTop = 0;
    int mRight = 0;
    int mBottom = 0;
    int mSparkleLimit = 0;
};
