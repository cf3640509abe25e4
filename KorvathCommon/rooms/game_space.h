#pragma once
// The space that holds scene objects, as far as the objects need it until rooms are built: its name,
// parent and draw offset, its kind, its sound player, the loader of its object tree, the objects' saved
// states, and the update and drawing of its objects by layer. The space hears its objects' reports.

#include <memory>
#include <string>
#include <vector>

#include "rooms/object_listener.h"

class TBaseBuffer;
class TObject;
class TiXmlElement;

class TGameSoundPlayer {
public:
    virtual ~TGameSoundPlayer() = default;
    // Through the sound manager; nothing for an empty name.
    virtual void PlaySound(const std::string& name);
};

class TGameSpace : public TObjectListener {
public:
    static constexpr int kKindRoom = 1;
    static constexpr int kKindMiniGame = 4;
    static constexpr int kKindPocket = 8;

    TGameSpace();
    ~TGameSpace() override;
    TGameSpace(const TGameSpace&) = delete;
    TGameSpace& operator=(const TGameSpace&) = delete;

    virtual int GetKindFlags() const { return 0; }
    virtual bool HasHintCandidates() { return false; }
    virtual TGameSoundPlayer* GetSoundPlayer() { return &mSoundPlayer; }

    // Makes one object per "object" child (through the object factory when there is one), loads it,
    // links it under its parent element's object and recurses; an unknown type skips the element and its
    // nested objects with a log line. The top-level objects then report to this space.
    void LoadObjectsFromXml(const TiXmlElement* element, const std::string& folder);
    void LoadResources();
    // The first show tells the objects once, then every show.
    void Show();
    void Update(float seconds);
    // The top-level objects of one draw layer, in list order.
    void Draw(int layer, float alpha);
    // One nested buffer per top-level object.
    void WriteObjectStates(TBaseBuffer& buffer);
    // A record that does not fit its object is skipped, leaving that object as loaded.
    void ReadObjectStates(TBaseBuffer& buffer);

    std::string mName;
    TGameSpace* mParent = nullptr;
    float mDrawOffsetX = 0;
    float mDrawOffsetY = 0;
    std::vector<std::unique_ptr<TObject>> mObjects;

private:
    void LoadObjectTree(const TiXmlElement* element, const std::string& folder, TObject* parent);

    TGameSoundPlayer mSoundPlayer;
    bool mShown = false;
};

class TRoom : public TGameSpace {
public:
    int GetKindFlags() const override { return kKindRoom; }
    // No pockets until rooms are built.
    virtual TGameSpace* FindPocket(const std::string& name) { return nullptr; }
};
