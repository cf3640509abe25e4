#pragma once
// The room viewer's developer view: besides drawing a room as the game does, it can call the drawing
// operations some kinds add beside Draw (DrawAll, DrawAnimation, DrawFrame, ...), which no room calls, so
// what they draw can be looked at. The game never uses this view.

class TObject;

// Calls every added drawing operation the object's kind has, then those of its children.
void DrawAddedOperations(TObject& object);
