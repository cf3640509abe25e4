#pragma once
// A linear value tween driven by elapsed seconds, with a start delay, pause and a finish listener.

class TBaseBuffer;
struct IncValue;

// Counts a start delay down by dt: true while it still holds, so the update does nothing. The update in which
// it runs out goes on with its whole dt.
bool HoldForDelay(float& delay, float dt);

class IncValueListener {
public:
    virtual ~IncValueListener() = default;
    virtual void OnIncValueFinished(IncValue& value) {}
};

struct IncValue {
    float from = 0;
    float elapsed = 0;
    float current = 0;
    float to = 0;
    // Seconds; never negative.
    float duration = 0;
    bool finished = true;
    bool running = false;
    // Set and cleared by owners; the update does nothing while it is set.
    bool paused = false;
    // A tween whose ends are equal is finished as soon as it is set.
    bool finishAtOnce = true;
    // Seconds used up before the tween advances; set by owners.
    float delay = 0;
    IncValueListener* listener = nullptr;

    // Runs from -> to over |seconds| when start is set; with start false the flags keep their values.
    void Set(float fromValue, float toValue, float seconds, bool start);
    void SetInt(int fromValue, int toValue, float seconds, bool start);
    // Runs 0 -> 1 over |seconds|.
    void Start(float seconds);
    // Parks the tween at v, finished.
    void SetValue(float v);
    // Advances by dt; true once finished. The listener hears of the finish in the update that reaches it.
    bool Update(float dt);

    // 24 bytes: current, from, to, duration, elapsed (thousandths), then finished, running, paused and
    // finish-at-once bytes.
    void Write(TBaseBuffer& buffer) const;
    void Read(TBaseBuffer& buffer);
};
