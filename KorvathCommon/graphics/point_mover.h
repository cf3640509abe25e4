#pragma once
// A point carried along a queue of straight segments, each over its own time.

#include <cstdint>
#include <vector>

#include "graphics/inc_value.h"

struct TPointMover;

class TPointMoverListener {
public:
    virtual ~TPointMoverListener() = default;
    // The last waypoint has ended.
    virtual void OnPointMoverDone(TPointMover& mover) {}
};

struct TPointMover {
    struct Waypoint {
        float x0 = 0;
        float y0 = 0;
        float x1 = 0;
        float y1 = 0;
        float seconds = 0;
    };

    bool done = false;
    float segmentSeconds = 0;
    float startX = 0;
    float startY = 0;
    float endX = 0;
    float endY = 0;
    float currentX = 0;
    float currentY = 0;
    bool moving = false;
    TPointMoverListener* listener = nullptr;
    // 0 -> 1 over the current segment.
    IncValue progress;
    uint32_t waypointIndex = 0;
    // Seconds before the move starts; set by owners.
    float startDelay = 0;
    std::vector<Waypoint> queue;

    // Starts a move and appends it to the queue (which is not emptied first).
    void MoveTo(int x0, int y0, int x1, int y1, float seconds);
    // Starts one segment as waypoint index; appended to the queue only when enqueue is set.
    void StartSegment(float x0, float y0, float x1, float y1, float seconds, uint32_t index, bool enqueue);
    // A zero-length move that ends on the next update at (x, y), notifying the listener.
    void JumpTo(float x, float y);
    // Places the point without moving; the queue and the start delay stay.
    void SetPosition(int x, int y);
    // True only in the update in which the last waypoint ends.
    bool Update(float dt);

    // 54 bytes: the progress tween, current point, done, moving, start, end and segment seconds. The queue
    // is not stored, so a restored mover stops after the segment it was saved in.
    void Write(TBaseBuffer& buffer) const;
    void Read(TBaseBuffer& buffer);
};
