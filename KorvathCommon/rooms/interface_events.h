#pragma once
// Posting on the interface event channel from the rooms.

#include <string>

class TObject;

// An interface event of that name, delay (ms) and argument.
void PostInterfaceEvent(const std::string& name, int delayMs, const std::string& argument, TObject* source,
                        bool forced);
