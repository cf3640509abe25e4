#pragma once
// The game's way to its localised texts: the terms table, or a lookup a test installs.

#include <string>

using TTermLookup = std::wstring (*)(const std::string& key);

// Null restores the terms table.
void SetTermLookup(TTermLookup lookup);
std::wstring GetTermText(const std::string& key);
