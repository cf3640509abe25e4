#pragma once
// The ghost-catcher lens: where a held catcher's shape image lies, so rooms can show ghosts and infrared
// objects only under it.

#include <array>

#include "graphics/texture.h"

class TObject;
class TTool;

struct TLens {
    // x, y, w, h in design coordinates.
    std::array<float, 4> rect{0, 0, 0, 0};
    TTextureHandle mask;
};

// The lens of a held ghost catcher whose inventory slot follows the pointer: for a ghost the first slot
// holding a catcher, for an infrared object the held tool's own slot, which must be in use. False when
// no lens applies (no catcher held, no shape image, no inventory panel or slot).
bool FindSlotLens(TTool* held, bool forInfrared, TLens& lens);
// The lens placed at a pointer position.
bool FindPointerLens(TTool* held, int pointerX, int pointerY, TLens& lens);
// The object's box and the lens share interior area.
bool LensCovers(const TLens& lens, TObject& object);
std::array<float, 4> ObjectBox(TObject& object);
