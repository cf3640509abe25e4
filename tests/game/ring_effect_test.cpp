// The ring highlight is drawn additively: it lights up what it covers instead of painting over it.

#include "board_effects.h"
#include "graphics/graphics_fixture.h"

namespace {

class RingEffectTest : public GraphicsTest {};

TEST_F(RingEffectTest, ARingAddsItsColourToTheScreenBelow) {
    WriteSolidImage("textures/test/bluering.png", 16, 16, 0xFF0000FFu);
    EffectChange3One ring(10, 10, 1.0f, 1.0f, 1.0f);
    ring.SetImage("textures/test/bluering");
    BeginCanvas({200, 0, 0, 255});
    ring.Draw(1.0f);
    // The centre: red below plus blue on top (alpha blending would leave only the blue); outside: untouched.
    ExpectPixels({{10, 10, {200, 0, 255, 255}}, {30, 30, {200, 0, 0, 255}}});
}

} // namespace
