#include "graphics/point_mover.h"

#include "graphics/saved_flags.h"

void TPointMover::MoveTo(int x0, int y0, int x1, int y1, float seconds) {
    StartSegment(static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x1), static_cast<float>(y1),
                 seconds, 0, true);
}

void TPointMover::StartSegment(float x0, float y0, float x1, float y1, float seconds, uint32_t index, bool enqueue) {
    startX = currentX = x0;
    startY = currentY = y0;
    endX = x1;
    endY = y1;
    segmentSeconds = seconds;
    done = false;
    moving = true;
    progress.Set(0, 1, seconds, true);
    waypointIndex = index;
    if (enqueue) {
        queue.push_back({x0, y0, x1, y1, seconds});
    }
}

void TPointMover::JumpTo(float x, float y) {
    StartSegment(x, y, x, y, 0, 0, true);
}

void TPointMover::SetPosition(int x, int y) {
    startX = endX = currentX = static_cast<float>(x);
    startY = endY = currentY = static_cast<float>(y);
    done = false;
    moving = false;
    waypointIndex = 0;
    progress.SetValue(0);
}

bool TPointMover::Update(float dt) {
    if (!moving) {
        return false;
    }
    if (startDelay > 0) {
        startDelay -= dt;
        if (startDelay >= 0) {
            return false;
        }
        startDelay = 0;
    }
    progress.Update(dt);
    currentX = startX + (endX - startX) * progress.current;
    currentY = startY + (endY - startY) * progress.current;
    if (!progress.finished) {
        return done;
    }
    ++waypointIndex;
    if (waypointIndex < queue.size()) {
        // Time left over in this update is not carried into the next segment.
        const Waypoint next = queue[waypointIndex];
        StartSegment(next.x0, next.y0, next.x1, next.y1, next.seconds, waypointIndex, false);
        return done;
    }
    currentX = endX;
    currentY = endY;
    done = true;
    moving = false;
    queue.clear();
    waypointIndex = 0;
    if (listener != nullptr) {
        listener->OnPointMoverDone(*this);
    }
    return done;
}

void TPointMover::Write(TBaseBuffer& buffer) const {
    progress.Write(buffer);
    WriteFixed1000(buffer, currentX);
    WriteFixed1000(buffer, currentY);
    WriteFlag(buffer, done);
    WriteFlag(buffer, moving);
    for (float value : {startX, startY, endX, endY, segmentSeconds}) {
        WriteFixed1000(buffer, value);
    }
}

void TPointMover::Read(TBaseBuffer& buffer) {
    progress.Read(buffer);
    currentX = ReadFixed1000(buffer);
    currentY = ReadFixed1000(buffer);
    done = ReadFlag(buffer);
    moving = ReadFlag(buffer);
    startX = ReadFixed1000(buffer);
    startY = ReadFixed1000(buffer);
    endX = ReadFixed1000(buffer);
    endY = ReadFixed1000(buffer);
    segmentSeconds = ReadFixed1000(buffer);
    // The queue is not saved: the restored segment is the last one.
    queue.clear();
    waypointIndex = 0;
}
