#pragma once
// Frame-strip animations: the strip plays at the object's place and a list of "movedat" steps gives random
// pauses between moves; the line-moving kind carries the strip from each step's start to its end.

#include <vector>

#include "graphics/cadr_image.h"
#include "graphics/inc_value.h"
#include "graphics/point_mover.h"
#include "objects/object.h"

struct TAnimMoveStep {
    float pause = 0;
    float spread = 0;
    int startX = 0;
    int startY = 0;
    int endX = 0;
    int endY = 0;
    float moveTime = 0;
    bool stopDuringPause = true;
};

class TAnimObject : public TObject {
public:
    // Only while active; the object's own update never runs.
    bool Update(float seconds) override;
    void SetVisible(bool visible) override;
    void Restart() override;
    int GetTypeId() const override { return 11; }
    // The strip's texture and the children's resources: the object's own image is never loaded.
    void LoadResources() override;
    void UnloadResources() override;
    // Step index (16 bits), playing, moving, waiting and active; neither the strip's frame nor the pause
    // under way is kept, so a restored pause runs on with the tween the object has. The strip plays again
    // when it was playing.
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    // Starts the strip; the object's own activation is not run.
    void Activate(int index, int x, int y) override;

    // While active, the strip at alpha 1.0; rooms never call it.
    virtual void DrawAnimation();
    virtual void SetAnimation(const std::string& name, int frames, float secondsPerFrame, int frameWidth,
                              int frameHeight);
    virtual void StopAnimation();
    virtual void SetAnimationPos(int x, int y);
    virtual void LoadMoveSteps(const TiXmlElement* element);
    virtual void StartMoveStep(int startX, int startY, int endX, int endY, float seconds) {}
    virtual void StartMoveSequence();
    virtual void NextMoveStep();
    virtual void ClearMoveFlags();
    virtual void ResetMoveSequence();
    // True while the move goes on.
    virtual bool UpdateMove(float seconds) { return false; }

    TCadrImage mStrip;
    bool mPlaying = false;
    std::vector<TAnimMoveStep> mSteps;
    int mStepIndex = -1;
    bool mMoving = false;
    bool mWaiting = false;
    IncValue mPauseTween;
};

class TLineMovingAnimObject : public TAnimObject {
public:
    int GetTypeId() const override { return 12; }
    // The line mover follows the animation's record.
    void RestoreState(TBaseBuffer& reader) override;
    void SaveState(TBaseBuffer& writer) override;
    bool IsMovable() const override { return true; }
    void StartMoveStep(int startX, int startY, int endX, int endY, float seconds) override;
    // The strip rides the line; at its end the next step's pause begins.
    bool UpdateMove(float seconds) override;

    TPointMover mLineMover;
};
