#pragma once
// Where a room reaches the hidden-object play that the engine does not have yet: interface events,
// inventory tools, pockets, items lists and the ghost-catcher lens. Each does nothing and writes one log
// line the first time it is reached.

#include <string>

class TGameSpace;
class TObject;
class TTool;
class TiXmlElement;

// An interface event of that name, delay (ms) and argument.
void PostInterfaceEvent(const std::string& name, int delayMs, const std::string& argument, TObject* source,
                        bool forced);
// The "tools" of a room for the game-wide tool list, tagged with the room's root name.
void LoadRoomTools(const TiXmlElement* element, const std::string& tag);
// The room's own tools from "globaltools".
void LoadGlobalTools(const TiXmlElement* element, TGameSpace* room);
// The room's "pockets".
void LoadRoomPockets(const TiXmlElement* element, TGameSpace* room);
// The room's items lists from "lists".
void LoadItemsLists(const TiXmlElement* element, TGameSpace* room);
// Whether the held tool's lens lies over the object (ghosts and infrared objects are seen only there).
bool IsUnderLens(TObject* object, TTool* tool);
