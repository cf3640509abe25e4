#pragma once
// Checks over whatever the window manager shows: labels whose text does not fit, and screenshots for
// the people who look at the game.

#include <string>
#include <vector>

class TMyWindow;

namespace harness {

// Every shown label (screens and popups, at any depth) whose text, measured in its font, is wider
// than its box on one line, or taller than its box when wrapped: one line per label naming the window
// path, the text and the sizes. Labels without a width are laid out around a point and not checked.
std::vector<std::string> LabelsThatDoNotFit();
std::vector<std::string> LabelsThatDoNotFit(TMyWindow* root);

// With VERDANEL_SHOTS_DIR set, the renderer's current picture saved as <dir>/<name>.png; without it,
// nothing. False when a picture was asked for and could not be written.
bool SaveShotIfAsked(const std::string& name);

// How a frame the main loop draws differs from the same frame drawn the plain way (the output cleared
// whole, every layer drawn from its images): the largest difference of one colour channel, how many
// pixels differ at all, and the first of them. The loop's frame is drawn over an output filled with a
// colour no screen uses, so a clear left out where the picture is not covered shows; it is drawn twice,
// so the second comes from the layers the first cached, and both count.
struct FrameDifference {
    int largest = 0;
    long pixels = 0;
    int firstX = -1;
    int firstY = -1;
    // Empty, or why nothing could be compared.
    std::string failure;
};
FrameDifference CompareWithPlainFrame();

// After start-up: the window that size, windowed, with the render scale that follows from it.
void UseWindowSized(int width, int height);

} // namespace harness
