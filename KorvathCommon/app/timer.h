#pragma once
// The small countdown timer that objects embed by value, and the listener it reports to.

class TBaseBuffer;

class TTimerListener {
public:
    virtual ~TTimerListener() = default;
    virtual void OnTimerStarted() {}
    virtual void OnTimerFired() {}
    virtual void OnTimerDone() {}
};

class TTimer {
public:
    virtual ~TTimer() = default;

    // Counts from 0 towards duration seconds and tells the listener it started.
    void Start(float duration);
    // Counts dt seconds. Reaching the duration stops the timer and reports fired, then done, once.
    // True when the timer is not running or has reached its duration.
    bool Update(float dt);

    // Saved form: duration in milliseconds (32 bits), then the running byte. Elapsed time is not saved.
    void Write(TBaseBuffer& buffer) const;
    // Restores duration and running; the elapsed time stays as it was.
    void Read(TBaseBuffer& buffer);

    void SetListener(TTimerListener* listener) { mListener = listener; }
    bool IsRunning() const { return mRunning; }
    float GetDuration() const { return mDuration; }
    float GetElapsed() const { return mElapsed; }

private:
    float mDuration = 0.0f;
    float mElapsed = 0.0f;
    bool mRunning = false;
    TTimerListener* mListener = nullptr;
};
