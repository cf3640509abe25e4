#pragma once
// The two view operations: a viewport whose origin and scale are moved for part of a frame (screen-space
// tutorial drawing, a zoomed room), and the way back to the frame's own view.

// The design origin lands at (x, y) design units (truncated) and everything drawn is scaled by the factors
// on top of the frame's render scale. The offsets are kept in the renderer record.
void SetScaledViewport(float x, float y, float scaleX, float scaleY);
// The frame's render scale and the origin at 0, 0.
void ResetViewport();
