#pragma once
// Where a room reaches the ghost-catcher lens, which comes with the video objects. It answers "not under
// the lens" and writes one log line the first time it is reached.

class TObject;
class TTool;

// Whether the held tool's lens lies over the object (ghosts and infrared objects are seen only there).
bool IsUnderLens(TObject* object, TTool* tool);
