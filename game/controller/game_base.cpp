#include "game_base.h"

void TGameBase::Activate() {
    // Counted first, so an activation from inside OnFirstActivate does not run it again.
    if (mActivationCount++ == 0) {
        OnFirstActivate();
    }
}
