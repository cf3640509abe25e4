// The game's entry point: the engine's start-up, main loop and shutdown.

#include "app/startup.h"

int main() {
    return RunGame();
}
