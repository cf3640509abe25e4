#pragma once

// Added to the destination of every image draw and subtracted from pointer input; the display code keeps
// both at 0.
struct TScreenOffset {
    int x = 0;
    int y = 0;
};
extern TScreenOffset gScreenOffset;
