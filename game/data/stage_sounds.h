#pragma once
// The stages' way to the sound manager: each stage registers the sound list of its "sound" children
// under its "soundlist" name and unloads its sounds when the stage goes.

#include <string>

#include <tinyxml.h>

// An empty name registers nothing.
void AddStageSoundList(const std::string& name, const TiXmlElement* element);
void RemoveStageSoundList(const std::string& name);
