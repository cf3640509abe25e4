// The game's entry point: the engine's start-up, main loop and shutdown with the game's data.

#include <memory>

#include "app/sanitizer_exit_code.h"
#include "game_seams.h"
#include "shell/startup.h"
#include "shell/startup_seams.h"

int main() {
    SetSeams(std::make_unique<TGameSeams>());
    return RunGame();
}
