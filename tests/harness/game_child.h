#pragma once
// The real game, with the game's data readers, run inside a forked child of a test: start-up from a
// data root with its own per-user folder, frames stepped with the test clock, shutdown. The parent
// reads what happened from the child's exit status and the log in the per-user folder.

#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>

namespace harness {

// A screen's reader run in the child after start-up: it opens its file, then works in every frame.
class TChildReader {
public:
    virtual ~TChildReader() = default;
    virtual void Open() = 0;
    // Called where the screens update and draw.
    virtual void Update(float dt) {}
    virtual void Draw() {}
};

struct TChildGame {
    // The folder that holds "assets/".
    std::string dataRoot;
    // The child's $XDG_DATA_HOME.
    std::string dataHome;
    int frames = 60;
    // Made after start-up, released before shutdown; may be empty.
    std::function<std::unique_ptr<TChildReader>()> makeReader;
    // Runs after the frames, before shutdown; its result becomes the exit code when not 0.
    std::function<int()> beforeShutdown;
};

// Exit codes of the child besides 0, the game's failure 1 and a sanitizer report.
constexpr int kChildFramesMissing = 3;

// Runs the game in this process: the body of a forked child. 0 when start-up succeeded and every frame
// was drawn; 1 when start-up failed; kChildFramesMissing when frames were skipped.
int RunGameInThisProcess(const TChildGame& game);

// Forks a child that runs the game; output goes to outputPath. The child's id, or -1.
pid_t ForkGame(const TChildGame& game, const std::string& outputPath);

// The game's log in a per-user data home.
std::string LogPathIn(const std::string& dataHome);
// The game's per-user folder in a data home.
std::string UserFolderIn(const std::string& dataHome);

} // namespace harness
