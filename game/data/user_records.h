#pragma once
// The game's part of the player's profile: the obtained rewards, the reward counters and the player's
// own difficulty settings, installed into the engine's profile.

#include <string>

#include "data/mosaic_settings.h"

// Connects the game's records to the profile; start-up calls it before the settings are loaded.
void InstallUserRecords();
// Disconnects them (the profile then stores none).
void RemoveUserRecords();

// The player's difficulty settings.
TBaseMosaicSettings& GetProfileDifficulty();
// Copies every field of a preset into the player's settings and tells the profile's listener.
void SetProfileDifficulty(const TBaseMosaicSettings& settings);

// Start-up's rewards step: the profile holds one byte per reward with no count in front, so the
// current user's profile is read again once the list exists.
void LoadRewardsAndProfile(const std::string& name);
