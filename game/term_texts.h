#pragma once
// The game's way to its localised texts. Until the terms are connected, a key shows as itself, which is
// also what a missing term shows.

#include <string>

using TTermLookup = std::wstring (*)(const std::string& key);

// Null restores the key-as-text answer.
void SetTermLookup(TTermLookup lookup);
std::wstring GetTermText(const std::string& key);
