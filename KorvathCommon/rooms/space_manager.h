#pragma once
// Spaces by name for the hidden-object play, and the play-time text.

#include <string>
#include <vector>

class TGameSpace;
struct TTimeCounter;

class TGameSpaceManager {
public:
    // The process's manager; null until created (the game never creates one).
    static TGameSpaceManager* GetInstance();
    static void CreateInstance();
    static void DestroyInstance();

    // The current space for an empty name, else the first space of exactly that name; null without a manager.
    static TGameSpace* FindSpace(const std::string& name);

    std::vector<TGameSpace*> mSpaces;
    TGameSpace* mCurrent = nullptr;
};

// "h hours, m minutes, s secundes" with the words from the terms ("ja": without the commas).
std::wstring BuildPlayTimeText(const TTimeCounter& counter);
