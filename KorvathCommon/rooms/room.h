#pragma once
// Rooms: a space read from a room description file, which updates its own objects, plays its music
// settings on show, keeps room effects and saves its visits. Pockets, items lists and tools of the
// hidden-object play are reached through the room seams.

#include <memory>
#include <string>
#include <vector>

#include "app/xml_reader.h"
#include "graphics/objects_manager.h"
#include "rooms/game_space.h"

class TiXmlElement;

class TBaseRoom : public TGameSpace {
public:
    TBaseRoom();

    int GetKindFlags() const override { return kKindRoom; }
    void LoadFromXml(const TiXmlElement* element) override;
    void Show() override;
    void Hide() override;
    bool Update(float seconds) override;
    void Draw() override;
    void Reset(bool deleteContent) override;
    void WriteObjectStates(TBaseBuffer& writer) override;
    void ReadObjectStates(TBaseBuffer& reader) override;

    // Ghosts and infrared objects are updated only under the ghost-catcher's lens.
    void UpdateGhostUnderLens(TObject* object, float seconds);
    void UpdateInfraredUnderLens(TObject* object, float seconds);

    float mCountdown = 0;
    int mCurrentListIndex = -1;
    bool mHasLists = false;
    std::string mCloseFlag;
    std::string mTool;
    std::string mSubTool;
    std::string mHintOnShow;
    bool mDuplicatedCursor = false;
    ObjectsManager mRoomEffects;
};

class TRoom : public TBaseRoom {
public:
    static constexpr int kGhostTypeId = 22;
    static constexpr int kInfraredTypeId = 23;
    static constexpr int kAnimFileTypeId = 39;

    TRoom();
    ~TRoom() override;

    // Reads the room description file; a file that cannot be read leaves the room empty.
    void Load(const std::string& file) override;
    // The same for a description already in memory (its name is the room's file path).
    void LoadSource(const TXmlSource& source);
    void LoadFromXml(const TiXmlElement* element) override;
    void Show() override;
    void Hide() override;
    bool Update(float seconds) override;
    void Draw() override;
    void OnFirstShow() override;
    void LoadImages(bool flag) override;
    void UnloadImages() override;
    void Reset(bool deleteContent) override;
    void WriteState(TBaseBuffer& writer) override;
    void ReadState(TBaseBuffer& reader) override;
    void MoveObjectsBy(int dx, int dy) override;
    TObject* FindObjectById(const std::string& id) override;

    virtual void PlaceFrame(const TiXmlElement* element) {}
    virtual void SetOwnerListener(TGameSpaceListener* owner) { mOwner = owner; }
    TObjectSpace* FindPocket(const std::string& name) override { return nullptr; }

    void LoadAnimFiles(const std::vector<const TiXmlElement*>& roots);
    void ResolveObjectLinks();

    std::vector<std::string> mToolsToClose;
    bool mCloseAfterAllToolsTaken = false;
    bool mCloseAfterAllToolsTakenUpdate = false;
    bool mReserved = false;
    bool mFirstShowPending = true;
    bool mVisiting = false;
    int mBackHintX = 0;
    int mBackHintY = 0;
    std::vector<std::string> mObjectsNeedingLock;
    std::vector<TObject*> mObjectsNeedingLockFound;
};
