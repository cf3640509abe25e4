#include "rooms/room.h"

#include <tinyxml.h>

#include "app/buffer.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "media/sound_manager.h"
#include "objects/object.h"
#include "objects/scoped_clip.h"
#include "rooms/effector.h"
#include "rooms/room_seams.h"
#include "windows/game_cursors.h"

namespace {

void WriteInt32Bytes(TBaseBuffer& writer, int32_t value) {
    for (int i = 0; i < 4; ++i) {
        writer.WriteByte(static_cast<uint8_t>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF));
    }
}

int32_t ReadInt32Bytes(TBaseBuffer& reader) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(reader.ReadByte()) << (8 * i);
    }
    return static_cast<int32_t>(value);
}

constexpr const char* kRoomEffectToDrop = "909090";

} // namespace

// ---- the base room ----

TBaseRoom::TBaseRoom() {
    mUpdateObjects = false;
}

void TBaseRoom::LoadFromXml(const TiXmlElement* element) {
    TGameSpace::LoadFromXml(element);
    mCloseFlag = ReadXmlString(element, "closeflag", "");
    mTool = ReadXmlString(element, "tool", "");
    mSubTool = ReadXmlString(element, "subtool", "");
    mDuplicatedCursor = ReadXmlBool(element, "duplicatedcursor", false);
    mOwnSounds.clear();
    ReadXmlStringList(element, "runsounds", ',', mOwnSounds);
    mHintOnShow = ReadXmlString(element, "hint_on_show", "");
    static const char* const kSides[3][2] = {{"left", "leftroom"}, {"top", "toproom"}, {"right", "rightroom"}};
    for (size_t i = 0; i < 3; ++i) {
        mNeighbours[i] = ReadXmlBool(element, kSides[i][0], false);
        mNeighbourRooms[i] = ReadXmlString(element, kSides[i][1], "");
    }
}

void TBaseRoom::Show() {
    TGameSpace::Show();
    mHeldTool = nullptr;
    if (TGameCursors* cursors = TGameCursors::Get()) {
        cursors->SetDefault();
    }
    if (DrawObject* effect = mRoomEffects.FindByName(kRoomEffectToDrop)) {
        mRoomEffects.Remove(effect);
        delete effect;
    }
}

void TBaseRoom::Hide() {
    mTransientText.clear();
    TGameSpace::Hide();
}

void TBaseRoom::UpdateGhostUnderLens(TObject* object, float seconds) {
    if (IsUnderLens(object, mHeldTool)) {
        object->Update(seconds);
    }
}

void TBaseRoom::UpdateInfraredUnderLens(TObject* object, float seconds) {
    if (IsUnderLens(object, mHeldTool)) {
        object->Update(seconds);
    }
}

bool TBaseRoom::Update(float seconds) {
    TGameSpace::Update(seconds);
    if (mCountdown > 0) {
        mCountdown -= seconds;
    }
    if (mOwner != nullptr) {
        mOwner->OnRoomUpdate(this);
    }
    for (const auto& object : mObjects) {
        const int id = object->GetTypeId();
        if (id == TRoom::kGhostTypeId) {
            UpdateGhostUnderLens(object.get(), seconds);
        } else if (id == TRoom::kInfraredTypeId) {
            UpdateInfraredUnderLens(object.get(), seconds);
        } else {
            object->Update(seconds);
        }
    }
    mRoomEffects.Update(seconds);
    return false;
}

void TBaseRoom::Draw() {
    {
        TScopedClip clip(mClip);
        for (const auto& object : mObjects) {
            if (object->mDrawLayer != 0) {
                continue;
            }
            if (object->GetTypeId() == TRoom::kGhostTypeId && !IsUnderLens(object.get(), mHeldTool)) {
                continue;
            }
            object->Draw(1.0f);
        }
    }
    for (size_t i = 0; i < 2; ++i) {
        if (mHintEffects[i]) {
            mHintEffects[i]->Draw(1.0f);
        }
    }
    mRoomEffects.Draw();
}

void TBaseRoom::Reset(bool deleteContent) {
    TGameSpace::Reset(deleteContent);
    ReleaseObjects(deleteContent);
}

void TBaseRoom::WriteObjectStates(TBaseBuffer& writer) {
    TGameSpace::WriteObjectStates(writer);
    writer.WriteString(mHintOnShow);
}

void TBaseRoom::ReadObjectStates(TBaseBuffer& reader) {
    TGameSpace::ReadObjectStates(reader);
    mHintOnShow = reader.ReadString();
}

// ---- the room ----

TRoom::TRoom() = default;

TRoom::~TRoom() {
    Reset(true);
}

void TRoom::LoadFromXml(const TiXmlElement* element) {
    TBaseRoom::LoadFromXml(element);
    mObjectsNeedingLock.clear();
    ReadXmlStringList(element, "objneedlockedtoclose", ',', mObjectsNeedingLock);
    mConnectedRoomNames.clear();
    ReadXmlStringList(element, "connectedroomsformap", ',', mConnectedRoomNames);
    mCloseAfterAllToolsTaken = ReadXmlBool(element, "closeafteralltoolstaken", false, "caatt");
    mCloseAfterAllToolsTakenUpdate = ReadXmlBool(element, "closeafteralltoolstakenupdate", false);
}

void TRoom::Load(const std::string& file) {
    LoadSource(ReadXmlSource(file));
}

void TRoom::LoadSource(const TXmlSource& source) {
    mCurrentListIndex = 0;
    mFileLoad = true;
    TiXmlElement* root = ParseXmlRoot(source);
    if (root == nullptr) {
        return;
    }
    mFilePath = source.mName;
    const TiXmlElement* common = root->FirstChildElement("Common");
    mSetToolsToOpenPocketAuto = ReadXmlBool(common, "settoolstoopenpocketauto", mSetToolsToOpenPocketAuto);
    mBackHintY = ReadXmlInt(common, "back_hint_y", 0);
    mBackHintX = ReadXmlInt(common, "back_hint_x", 0);
    std::vector<std::string> animFiles;
    ReadXmlStringList(common, "animfiles", ',', animFiles);
    std::vector<std::unique_ptr<TiXmlDocument>> documents(animFiles.size());
    std::vector<const TiXmlElement*> animRoots;
    for (size_t i = 0; i < animFiles.size(); ++i) {
        TiXmlDocument* document = nullptr;
        animRoots.push_back(LoadXmlDocument(animFiles[i], document));
        documents[i].reset(document);
    }
    LoadFromXml(common);
    if (const TiXmlElement* objects = root->FirstChildElement("Objects")) {
        LoadObjectsFromXml(objects, static_cast<TObject*>(nullptr));
        LoadAnimFiles(animRoots);
        SetObjectsListener();
    }
    LoadRoomPockets(root->FirstChildElement("pockets"), this);
    if (!mObjects.empty()) {
        mObjects.front()->mCheckOnlyBounds = true;
    }
    LoadItemsLists(root->FirstChildElement("lists"), this);
    ResolveObjectLinks();
    LoadRoomTools(root->FirstChildElement("tools"), GetRootName());
    LoadGlobalTools(root->FirstChildElement("globaltools"), this);
    PlaceFrame(root);
    LoadSoundsFromXml(root);
    LoadEffectorsFromXml(root);
    LoadItemsToFind(root);
    for (const TiXmlElement* animRoot : animRoots) {
        LoadEffectorsFromXml(animRoot);
    }
    AttachEffectors();
    OnLoaded();
    documents.clear();
    ReleaseXmlRoot();
}

void TRoom::LoadAnimFiles(const std::vector<const TiXmlElement*>& roots) {
    if (roots.empty()) {
        return;
    }
    size_t next = 0;
    const size_t topCount = mObjects.size();
    for (size_t i = 0; i < topCount && next < roots.size(); ++i) {
        if (mObjects[i]->GetTypeId() == kAnimFileTypeId) {
            LoadObjectsFromXml(roots[next++], mObjects[i].get());
        }
    }
    for (; next < roots.size(); ++next) {
        LoadObjectsFromXml(roots[next], static_cast<TObject*>(nullptr));
    }
}

// Paths without a space belong to this room; there are no pockets to look the object up in.
void TRoom::ResolveObjectLinks() {
    const auto resolve = [this](TObject& object) {
        for (TReactionList& list : object.mReactions) {
            for (TObjectPathGroup& group : list) {
                for (TObjectPath& path : group) {
                    if (path.space.empty() && path.subSpace.empty()) {
                        path.space = mName;
                    }
                }
            }
        }
    };
    for (const auto& object : mObjects) {
        resolve(*object);
        for (const auto& child : object->GetChildren()) {
            resolve(*child);
        }
    }
}

void TRoom::OnFirstShow() {
    TBaseRoom::OnFirstShow();
    mFirstShowPending = false;
}

void TRoom::Show() {
    TBaseRoom::Show();
    const int visit = mLists.freeze ? 0 : mShowCount - 1;
    if (mOwner != nullptr) {
        if (static_cast<size_t>(visit) < mLists.tasksShow.size()) {
            AddTasks(mLists.tasksShow[static_cast<size_t>(visit)], nullptr);
        }
        if (static_cast<size_t>(visit) < mLists.tasksShowRemove.size()) {
            RemoveTasks(mLists.tasksShowRemove[static_cast<size_t>(visit)], nullptr);
        }
    }
    const int kinds = GetKindFlags();
    if ((kinds & (kKindRoom | kKindListRoom)) != 0) {
        const bool countReached = mStartMusicAfterShowCount > 0 && mShowCount >= mStartMusicAfterShowCount;
        if (mStartMusicNow || countReached) {
            if (!mMusic.empty()) {
                TSoundManager::GetInstance()->PlayMusic(mMusic.front());
            }
        } else if (mStopPreviousMusic) {
            TSoundManager::GetInstance()->StopMusic();
        }
    } else if ((kinds & kKindPocket) == 0) {
        TSoundManager::GetInstance()->StopMusic();
    }
    mTransientText.clear();
}

void TRoom::Hide() {
    TBaseRoom::Hide();
}

bool TRoom::Update(float seconds) {
    // No pocket opens and no tool is taken in a room without them: the base update is all there is.
    return TBaseRoom::Update(seconds);
}

void TRoom::Draw() {
    TBaseRoom::Draw();
}

void TRoom::LoadImages(bool flag) {
    if (mImagesLoaded) {
        return;
    }
    TGameSpace::LoadImages(flag);
    mObjectsNeedingLockFound.clear();
    for (const std::string& name : mObjectsNeedingLock) {
        if (TObject* object = FindObjectById(name)) {
            mObjectsNeedingLockFound.push_back(object);
        }
    }
    mImagesLoaded = true;
}

void TRoom::UnloadImages() {
    if (!mImagesLoaded) {
        return;
    }
    TGameSpace::UnloadImages();
}

void TRoom::Reset(bool deleteContent) {
    if (deleteContent) {
        mObjectsNeedingLockFound.clear();
    }
    TBaseRoom::Reset(deleteContent);
}

void TRoom::MoveObjectsBy(int dx, int dy) {
    if (dx == 0 && dy == 0) {
        return;
    }
    for (const auto& object : mObjects) {
        object->MoveBy(dx, dy);
    }
}

TObject* TRoom::FindObjectById(const std::string& id) {
    return TGameSpace::FindObjectById(id);
}

// The object states are written once: a second copy only doubled the record.
void TRoom::WriteState(TBaseBuffer& writer) {
    TGameSpace::WriteState(writer);
    writer.WriteByte(mReserved ? 1 : 0);
    writer.WriteByte(mFirstShowPending ? 1 : 0);
    WriteInt32Bytes(writer, mShowCount);
    WriteInt32Bytes(writer, mCurrentListIndex);
}

void TRoom::ReadState(TBaseBuffer& reader) {
    TGameSpace::ReadState(reader);
    // The room's own fields are read only whole: a short record keeps the visits as they are.
    if (reader.IsFailed() || !reader.CanRead(10, 1)) {
        TLogFile::Get()->Printf("room %s: saved state ends early", mName.c_str());
        return;
    }
    mReserved = reader.ReadByte() != 0;
    mFirstShowPending = reader.ReadByte() != 0;
    mShowCount = ReadInt32Bytes(reader);
    mCurrentListIndex = ReadInt32Bytes(reader);
}
