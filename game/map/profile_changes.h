#pragma once
// What the current profile held when the screens last read or wrote it, so that a profile the player
// changed since is saved before a screen reads it back from its file, and one that is unchanged (such as
// the defaults left by a damaged file set aside) is not written.

// Remembers the current user and the profile's bytes as they are now.
void RememberProfileState();
// True when a current user exists and the profile differs from what was remembered for that user (or
// nothing was remembered for that user).
bool HasProfileChanged();
// Saves the current profile when it changed, and remembers it as saved.
void SaveProfileIfChanged();
