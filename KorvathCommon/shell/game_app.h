#pragma once
// The application object, anchor of the game loop: it owns the frame task, the periodic task that
// updates the window manager every 16 ms. Also the engine's periodic task on the millisecond clock.

#include <cstdint>
#include <memory>
#include <string>

// A task due at a tick and repeated every period.
class TMyTask {
public:
    // Never: no run is due.
    static constexpr uint32_t kNever = 0xFFFFFFFFu;

    // Due at once (next run = the current tick), period 0.
    TMyTask();
    virtual ~TMyTask() = default;

    virtual bool Execute() { return true; }
    // Schedules the next run and executes; with catch-up, repeats until the schedule is not behind.
    // Returns the last Execute result.
    virtual bool Run();
    virtual bool IsDue() const;

    void SetPeriod(int period) { mPeriod = period; }
    // Next run counted from the time of the run (else from the previous due time).
    void SetFromNow(bool fromNow) { mFromNow = fromNow; }
    void SetCatchUp(bool catchUp) { mCatchUp = catchUp; }
    void SetNextRun(uint32_t tick) { mNextRun = tick; }
    uint32_t GetNextRun() const { return mNextRun; }

private:
    uint32_t mNextRun;
    int mPeriod = 0;
    bool mFromNow = false;
    bool mCatchUp = false;
};

// The frame task: hands the window manager the real time since its previous run.
class TMyAppTask : public TMyTask {
public:
    // The previous tick is the creation time, so the first run does not count the whole start-up.
    TMyAppTask();
    bool Execute() override;
    float GetLastElapsed() const { return mLastElapsed; }

private:
    uint32_t mPreviousTick;
    float mLastElapsed = 0.0f;
};

class TGameAppBase {
public:
    static constexpr int kFramePeriodMs = 16;

    // Reads and logs the desktop size and sets the display values to the current design size.
    TGameAppBase();
    virtual ~TGameAppBase() = default;
    TGameAppBase(const TGameAppBase&) = delete;
    TGameAppBase& operator=(const TGameAppBase&) = delete;

    virtual void Idle() {}
    // Once per updated frame: makes the frame task on first use, then runs it when it is due.
    virtual void Update(float ignored);

    const TMyAppTask* GetFrameTask() const { return mFrameTask.get(); }

private:
    std::unique_ptr<TMyAppTask> mFrameTask;
};

class TGameApp : public TGameAppBase {};

// The single application object: made at start-up, deleted with its frame task at shutdown.
TGameApp* CreateGameApp();
TGameApp* GetGameApp();
void DestroyGameApp();
