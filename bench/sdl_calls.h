#pragma once
// The SDL calls the game's frames make on the renderer, caught on their way into SDL, kept in a text
// file, and played again straight into SDL with no game code in between: what the same drawing costs
// when nothing but SDL runs. Textures are known across runs by a hash of their pixels; a texture the
// frames draw into is made anew, empty, for the replay.

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

enum class TSdlOp {
    kTarget,
    kViewport,
    kClip,
    kScale,
    kDrawColor,
    kDrawBlend,
    kTextureBlend,
    kTextureAlpha,
    kTextureColor,
    // The draws, from here on.
    kClear,
    kFillRect,
    kCopy,
    kCopyEx,
    kGeometry,
};

struct TSdlCall {
    TSdlOp op = TSdlOp::kClear;
    // Index into the recording's textures; -1 for none.
    int texture = -1;
    // Which of the optional arguments were given: bit 0 the first rectangle, bit 1 the second, bit 2 the
    // rotation centre.
    int given = 0;
    // The call's numbers in argument order: rectangles as x, y, w, h, colours as r, g, b, a, modes as one.
    float values[10] = {};
    double angle = 0;
    int flip = 0;
    std::vector<SDL_Vertex> vertices;
    std::vector<int> indices;
};

struct TSdlTextureKey {
    // A 64-bit hash of the pixels as ARGB, in hex, or "target" for a texture the frames draw into.
    std::string key;
    int width = 0;
    int height = 0;
    uint32_t format = 0;
};

struct TSdlRecording {
    std::string screen;
    std::vector<TSdlTextureKey> textures;
    // One list of calls per frame, ended by its present.
    std::vector<std::vector<TSdlCall>> frames;
};

// Records the next frame into the recording: from now until the renderer's next present.
void RecordNextFrame(TSdlRecording* recording);
// Stops a recording still open (a frame that never presented); its partial frame is dropped.
void StopRecording();

bool SaveRecordings(const std::string& path, const std::vector<TSdlRecording>& recordings);
bool LoadRecordings(const std::string& path, std::vector<TSdlRecording>& recordings);

// Remembers every texture the calls from now on use, so a replay can find textures of the same pixels.
void WatchTextures(bool enabled);
// The pixels the recordings' textures had: the pixels of a watched texture of such pixels that the game
// lets go of (an effect's picture, a caption) are kept in a temporary file, out of the process's memory,
// until the next replay, which makes a texture of them again and can then find it. Telling its pixels
// costs time inside the game's frame: see TakeOwnMilliseconds.
void WantTextures(const std::vector<TSdlRecording>& recordings);
// The wall time this file spent on its own work inside the game's calls since the last call (reading
// the pixels of textures let go of), to leave out of the game's frame times.
double TakeOwnMilliseconds();
// The bytes of pixels waiting in the temporary file for the next replay (4 a pixel).
long long KeptPictureBytes();

struct TReplayResult {
    std::vector<double> frameMs;
    int texturesMissing = 0;
    // Found by their size and format only: their pixels are not the recording's.
    int texturesBySize = 0;
    long callsLeftOut = 0;
    // Clears, fills and copies; the state calls between them are not counted.
    double callsPerFrame = 0;
};
// Plays the recording's frames in turn, each followed by a present, until the given frame count, timing
// each; the textures come from those watched, matched by their pixels. The renderer's textures keep
// their modes and the renderer is left on its output.
TReplayResult Replay(const TSdlRecording& recording, int frames);
