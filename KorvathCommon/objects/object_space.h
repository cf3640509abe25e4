#pragma once
// What a scene object sees of the space that holds it: its name, parent and draw offset, its kind, its
// sound player and its pockets. The rooms implement it; objects never reach further into a room.

#include <string>

class TObject;

class TGameSoundPlayer {
public:
    virtual ~TGameSoundPlayer() = default;
    // Through the sound manager; nothing for an empty name.
    virtual void PlaySound(const std::string& name);
    // The space's own sounds, in order.
    virtual void PlayOwnSounds() {}
};

class TObjectSpace : public TGameSoundPlayer {
public:
    static constexpr int kKindRoom = 1;
    static constexpr int kKindMiniGame = 4;
    static constexpr int kKindPocket = 8;
    static constexpr int kKindListRoom = 16;

    virtual int GetKindFlags() const { return 0; }
    bool IsKind(int mask) const { return (GetKindFlags() & mask) != 0; }
    virtual bool HasHintCandidates() { return false; }
    virtual TGameSoundPlayer* GetSoundPlayer() { return this; }
    // The pocket of that name below this space, or null.
    virtual TObjectSpace* FindPocket(const std::string& name) { return nullptr; }
    // The object of that id in the space, at any depth; null when none or for a space without objects.
    virtual TObject* FindObjectById(const std::string& id) { return nullptr; }
    // Whether the object stands in the space, as one of its objects or below one.
    virtual bool HoldsObject(const TObject* object) const { return false; }
    // A room the player can be taken to: the map's targets.
    virtual bool IsRoom() const { return false; }
    // Whether a task waits for the player here (or in a room it connects to).
    virtual bool HasSomethingToDo() { return false; }

    std::string mName;
    TObjectSpace* mParent = nullptr;
    float mDrawOffsetX = 0;
    float mDrawOffsetY = 0;
};
