#include "graphics/draw_object.h"

void DrawObject::SetPosition(float x, float y, bool /*centred*/) {
    mX = x;
    mY = y;
    mBaseX = x;
    mBaseY = y;
}

void DrawObject::SetScaleXY(float scaleX, float scaleY) {
    mScaleX = scaleX;
    mScaleY = scaleY;
}
