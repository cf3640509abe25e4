#include "rooms/room.h"

#include <tinyxml.h>

#include "app/buffer.h"
#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "media/sound_manager.h"
#include "objects/ghost_object.h"
#include "objects/infrared_object.h"
#include "objects/object.h"
#include "objects/scoped_clip.h"
#include "objects/tool.h"
#include "objects/whole_pixels.h"
#include "rooms/effector.h"
#include "rooms/interface_events.h"
#include "rooms/pocket.h"
#include "rooms/room_lens.h"
#include "rooms/tip_panel.h"
#include "windows/game_cursors.h"
#include "windows/viewport.h"

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

std::array<float, 4> IntersectRects(const std::array<float, 4>& a, const std::array<float, 4>& b) {
    const float left = std::max(a[0], b[0]);
    const float top = std::max(a[1], b[1]);
    const float right = std::min(a[0] + a[2], b[0] + b[2]);
    const float bottom = std::min(a[1] + a[3], b[1] + b[3]);
    if (right <= left || bottom <= top) {
        return {0, 0, 0, 0};
    }
    return {left, top, right - left, bottom - top};
}

bool& DebugOutlineOption() {
    static bool option = false;
    return option;
}

// ---- the base room ----

TBaseRoom::TBaseRoom() {
    mUpdateObjects = false;
}

TBaseRoom::~TBaseRoom() = default;

ItemsList* TBaseRoom::GetCurrentList() const {
    if (mCurrentListIndex < 0 || static_cast<size_t>(mCurrentListIndex) >= mItemsLists.size()) {
        return nullptr;
    }
    return mItemsLists[static_cast<size_t>(mCurrentListIndex)].get();
}

void TBaseRoom::OnToolFound(const TGivenTool& tool) {
    if (mOwner != nullptr) {
        mOwner->OnToolFound(tool.name);
    }
}

void TBaseRoom::OnListComplete(ItemsList* list) {
    ApplyPathGroups(list->mGroups, 0);
    if (!list->mTasks.empty()) {
        AddTasks(list->mTasks.front(), nullptr);
    }
    if (!list->mTasksRemoved.empty()) {
        RemoveTasks(list->mTasksRemoved.front(), nullptr);
    }
    ApplyFlagGroup(0, list->mFlags);
    ApplyStateGroup(0, list->mStates);
}

void TBaseRoom::OnFlag(const TFlagItem& item, TObject* object) {
    if (!TInterfaceEvents::Get().IsBlocked(item.name)) {
        PostInterfaceEvent(item.name, item.value, item.extra, object, false);
    }
}

void TBaseRoom::ForwardToOwner(int value) {
    if (mOwner != nullptr) {
        mOwner->ForwardToOwner(value);
    }
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
    if (mShowCount == 1) {
        if (const THopaBaseUserInfo* profile = GetHopaUserInfo()) {
            TLogFile::Get()->Printf("==============  %s First Hide : %s =======================", mName.c_str(),
                                    ToUtf8(profile->GetPlayTimeText()).c_str());
        }
    }
    mTransientText.clear();
    TGameSpace::Hide();
}

void TBaseRoom::UpdateGhostUnderLens(TObject* object, float seconds) {
    auto* ghost = dynamic_cast<TGhostObject*>(object);
    if (ghost == nullptr) {
        return;
    }
    TLens lens;
    if (FindSlotLens(mHeldTool, false, lens) && LensCovers(lens, *ghost)) {
        ghost->SetMask(static_cast<int>(ghost->GetX() - lens.rect[0]), static_cast<int>(ghost->GetY() - lens.rect[1]),
                       lens.mask);
        ghost->mShown = true;
        ghost->Update(seconds);
    } else {
        ghost->ClearMask();
        ghost->mShown = false;
    }
}

void TBaseRoom::UpdateInfraredUnderLens(TObject* object, float seconds) {
    auto* infrared = dynamic_cast<TInfraredObject*>(object);
    if (infrared == nullptr) {
        return;
    }
    TLens lens;
    if (FindSlotLens(mHeldTool, true, lens) && LensCovers(lens, *infrared)) {
        infrared->SetMask(static_cast<int>(infrared->GetX() - lens.rect[0]),
                          static_cast<int>(infrared->GetY() - lens.rect[1]), lens.mask);
        const std::array<float, 4> view = IntersectRects(ObjectBox(*infrared), lens.rect);
        infrared->mViewX = view[0];
        infrared->mViewY = view[1];
        infrared->mViewW = view[2];
        infrared->mViewH = view[3];
        infrared->mShown = true;
        infrared->Update(seconds);
    } else {
        infrared->ClearMask();
        infrared->mShown = false;
    }
}

// A ghost is drawn only under the lens at the pointer.
bool TBaseRoom::IsGhostDrawn(TObject& ghost) const {
    const TGameCursors* cursors = TGameCursors::Get();
    TLens lens;
    return cursors != nullptr && FindPointerLens(mHeldTool, cursors->mPointerX, cursors->mPointerY, lens) &&
           LensCovers(lens, ghost);
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
    if (ItemsList* list = GetCurrentList(); list != nullptr && !list->IsEmpty()) {
        list->Update(seconds);
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
            if (object->GetTypeId() == TRoom::kGhostTypeId && !IsGhostDrawn(*object)) {
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
    // The open chain points into the pockets deleted below.
    mOpenSubSpace = nullptr;
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
    LoadPocketsFromXml(root->FirstChildElement("pockets"));
    if (!mObjects.empty()) {
        mObjects.front()->mCheckOnlyBounds = true;
    }
    LoadItemsLists(root->FirstChildElement("lists"));
    ResolveObjectLinks();
    TToolList::GetPlayerTools().LoadFromXml(root, true, GetRootName());
    LoadGlobalTools(root->FirstChildElement("globaltools"));
    PlaceFrame(root);
    LoadSoundsFromXml(root);
    AddPocketEffectorReferences(*this);
    LoadEffectorsFromXml(root);
    LoadItemsToFind(root);
    for (const TiXmlElement* animRoot : animRoots) {
        LoadEffectorsFromXml(animRoot);
    }
    AttachEffectors();
    if (mSetToolsToOpenPocketAuto) {
        CollectPocketTools();
    }
    OnLoaded();
    documents.clear();
    ReleaseXmlRoot();
    mOpenSubSpace = nullptr;
}

void TRoom::AddPocketEffectorReferences(const TRoom& space) {
    for (const auto& pocket : space.mPockets) {
        mEffectorReferences.insert(mEffectorReferences.end(), pocket->mEffectorReferences.begin(),
                                   pocket->mEffectorReferences.end());
        AddPocketEffectorReferences(*pocket);
    }
}

void TRoom::AttachEffectors() {
    TGameSpace::AttachEffectors();
    AttachPocketEffectors(*this);
}

void TRoom::AttachPocketEffectors(const TRoom& space) {
    for (const auto& pocket : space.mPockets) {
        AttachEffectorsTo(pocket->mObjects);
        AttachPocketEffectors(*pocket);
    }
}

void TRoom::LoadItemsLists(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    for (const TiXmlElement* child = element->FirstChildElement("list"); child != nullptr;
         child = child->NextSiblingElement("list")) {
        auto list = std::make_unique<ItemsList>();
        list->LoadFromXml(child);
        mItemsLists.push_back(std::move(list));
    }
    if (mItemsLists.empty()) {
        return;
    }
    mCurrentListIndex = 0;
    for (const auto& list : mItemsLists) {
        list->LinkObjects(*this);
        list->mListener = this;
    }
    mHasLists = true;
    MarkListObjects();
}

void TRoom::LoadGlobalTools(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    mGlobalTools = std::make_unique<TToolList>();
    mGlobalTools->LoadFromXml(element, false, "");
    if (mGlobalTools->GetCount() == 0) {
        mGlobalTools.reset();
        return;
    }
    for (size_t i = 0; i < mGlobalTools->GetCount(); ++i) {
        mGlobalTools->GetAt(i)->AddPart("");
    }
}

void TRoom::MarkListObjects() {
    for (const auto& list : mItemsLists) {
        for (const auto& object : mObjects) {
            bool listed = false;
            for (size_t i = 0; i < list->GetShownCount() && !listed; ++i) {
                listed = list->GetShown(i)->StandsFor(object.get());
            }
            if (listed && object->mMaxClicks != TObject::kUnlimited) {
                object->mMaxClicks = 1;
            }
        }
    }
}

std::unique_ptr<TPocket> TRoom::CreatePocket(const std::string& name, const std::string& type) {
    auto pocket = std::make_unique<TPocket>();
    pocket->mName = name;
    return pocket;
}

void TRoom::LoadPocketsFromXml(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    for (const TiXmlElement* child = element->FirstChildElement("pocket"); child != nullptr;
         child = child->NextSiblingElement("pocket")) {
        std::unique_ptr<TPocket> pocket =
            CreatePocket(ReadXmlString(child, "name", ""), ReadXmlString(child, "type", ""));
        pocket->LoadFromXml(child);
        pocket->mParent = this;
        pocket->mPath = pocket->GetSpacePath();
        pocket->mFolder = mFolder;
        pocket->LoadObjectsFromXml(child, static_cast<TObject*>(nullptr));
        if (pocket->mBoxObject.empty() && !pocket->mObjects.empty()) {
            pocket->mBoxObject = pocket->mObjects.front()->mName;
        }
        if (TObject* box = pocket->FindObjectById(pocket->mBoxObject)) {
            int* values[4] = {&pocket->mX, &pocket->mY, &pocket->mW, &pocket->mH};
            // Held within reach of int: a box object a broken file puts beyond any screen (or at infinity)
            // leaves the pocket a place whose sums with its size stay inside int.
            const int taken[4] = {WholePixels(box->GetX()), WholePixels(box->GetY()), box->GetWidth(),
                                  box->GetHeight()};
            for (size_t i = 0; i < 4; ++i) {
                if (*values[i] == 0) {
                    *values[i] = taken[i];
                }
            }
        }
        pocket->mConfiguredBox = {pocket->mX, pocket->mY, pocket->mW, pocket->mH};
        pocket->PlaceFrame(child);
        pocket->SetObjectsListener();
        pocket->LoadPocketsFromXml(child);
        pocket->mOwnerRoom = this;
        pocket->mOwner = mOwner;
        pocket->OnLoaded();
        mPockets.push_back(std::move(pocket));
    }
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

// A path without a space belongs to this room, and to the first pocket that holds its object.
void TRoom::ResolveObjectLinks() {
    const auto resolve = [this](TObject& object) {
        for (TReactionList& list : object.mReactions) {
            for (TObjectPathGroup& group : list) {
                for (TObjectPath& path : group) {
                    if (!path.space.empty() || !path.subSpace.empty()) {
                        continue;
                    }
                    for (const auto& pocket : mPockets) {
                        if (pocket->FindObjectById(path.object) != nullptr) {
                            path.subSpace = pocket->mName;
                            break;
                        }
                    }
                    path.space = mName;
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
    for (const auto& pocket : mPockets) {
        for (const auto& object : pocket->mObjects) {
            resolve(*object);
        }
    }
}

void TRoom::SetOwnerListener(TGameSpaceListener* owner) {
    mOwner = owner;
    for (const auto& pocket : mPockets) {
        pocket->SetOwnerListener(owner);
    }
}

TObjectSpace* TRoom::FindPocket(const std::string& name) {
    for (const auto& pocket : mPockets) {
        if (TObjectSpace* found = pocket->FindPocket(name)) {
            return found;
        }
    }
    return nullptr;
}

void TRoom::OnFirstShow() {
    TBaseRoom::OnFirstShow();
    CollectMinigameTools();
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
    if (TTipPanel* tips = TTipPanel::GetInstance()) {
        tips->ShowTip(mHintOnShow, 0);
    }
    SetDebugDraw(DebugOutlineOption());
}

void TRoom::Hide() {
    CloseOpenPocket(true);
    mOpenSubSpace = nullptr;
    mShadow.reset();
    TBaseRoom::Hide();
}

bool TRoom::Update(float seconds) {
    TBaseRoom::Update(seconds);
    if (mShadow) {
        mShadow->Update(seconds);
    }
    if (mOpenSubSpace != nullptr) {
        mOpenSubSpace->Update(seconds);
        if (mOpenSubSpace != nullptr && mOpenSubSpace->ReservedQueryC()) {
            PostInterfaceEvent("closepocket", 500, "", nullptr, false);
        }
    }
    if (mCloseAfterAllToolsTakenUpdate && AreAllToolsTaken()) {
        mCloseAfterAllToolsTakenUpdate = false;
        if (IsKind(kKindPocket)) {
            PostInterfaceEvent("closepocket", 500, "", nullptr, false);
        } else {
            PostInterfaceEvent("goback", 100, "", nullptr, false);
        }
    }
    return false;
}

void TRoom::Draw() {
    const bool zoomed = mAppearEffector && mAppearEffector->mOwner != nullptr;
    if (zoomed) {
        SetScaledViewport(mDrawState.GetX(), mDrawState.GetY(), mDrawState.GetScaleX(), mDrawState.GetScaleY());
    }
    TBaseRoom::Draw();
    if (zoomed) {
        RestoreRenderScale();
    }
    if (mShadow) {
        mShadow->Draw();
    }
    if (mOpenSubSpace != nullptr) {
        mOpenSubSpace->Draw();
    }
}

void TRoom::RestoreRenderScale() {
    ResetViewport();
}

void TRoom::DrawLayer1() {
    DrawLayer(1);
    if (mOpenSubSpace != nullptr) {
        mOpenSubSpace->DrawLayer1();
    }
}

void TRoom::DrawHintEffects() {
    if (mHintEffects[2]) {
        mHintEffects[2]->Draw(1.0f);
    }
    for (const auto& pocket : mPockets) {
        pocket->DrawHintEffects();
    }
}

void TRoom::LoadImages(bool flag) {
    if (mImagesLoaded) {
        return;
    }
    TGameSpace::LoadImages(flag);
    for (const auto& pocket : mPockets) {
        if (pocket->mLoadTexturesOnLoadOwner) {
            pocket->LoadImages(flag);
        }
    }
    TToolList::GetPlayerTools().LoadImages(true, GetRootName());
    if (mGlobalTools) {
        mGlobalTools->LoadImages(false, "");
    }
    for (const auto& list : mItemsLists) {
        list->LoadImages();
    }
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
    UnloadPocketImages();
    for (const auto& list : mItemsLists) {
        list->UnloadImages();
    }
    TToolList::GetPlayerTools().UnloadImages(true, mName);
    if (mGlobalTools) {
        mGlobalTools->UnloadImages(false, "");
    }
}

void TRoom::UnloadPocketImages() {
    for (const auto& pocket : mPockets) {
        pocket->UnloadPocketImages();
        pocket->UnloadImages();
    }
}

void TRoom::Reset(bool deleteContent) {
    if (deleteContent) {
        mObjectsNeedingLockFound.clear();
    }
    TBaseRoom::Reset(deleteContent);
    ResetPockets(deleteContent);
}

void TRoom::ResetPockets(bool deleteContent) {
    for (const auto& pocket : mPockets) {
        pocket->Reset(deleteContent);
    }
    if (deleteContent) {
        mOpenSubSpace = nullptr;
        mPockets.clear();
    }
}

void TRoom::MoveObjectsBy(int dx, int dy) {
    if (dx != 0 || dy != 0) {
        for (const auto& object : mObjects) {
            object->MoveBy(dx, dy);
        }
    }
    for (const auto& pocket : mPockets) {
        pocket->MoveObjectsBy(pocket->mX, pocket->mY);
    }
}

TObject* TRoom::FindObjectById(const std::string& id) {
    if (TObject* found = TGameSpace::FindObjectById(id)) {
        return found;
    }
    for (const auto& pocket : mPockets) {
        if (TObject* found = pocket->FindObjectById(id)) {
            return found;
        }
    }
    return nullptr;
}

void TRoom::RoomBroadcast(int value) {
    for (const auto& object : mObjects) {
        object->OnRoomBroadcast(value);
    }
    for (const auto& pocket : mPockets) {
        pocket->RoomBroadcast(value);
    }
}

void TRoom::SetDebugDraw(bool flag) {
    const bool outline = flag && DebugOutlineOption();
    for (const auto& object : mObjects) {
        object->mDebugOutline = outline && (!object->mNeededTools.empty() || !object->IsPlainDecor());
    }
    for (const auto& pocket : mPockets) {
        pocket->SetDebugDraw(flag);
    }
}

bool TRoom::ReservedQueryC() {
    return mOpenSubSpace != nullptr && mOpenSubSpace->ReservedQueryC();
}

// The object states are written once: a second copy only doubled the record.
void TRoom::WriteState(TBaseBuffer& writer) {
    TGameSpace::WriteState(writer);
    writer.WriteByte(mReserved ? 1 : 0);
    writer.WriteByte(mFirstShowPending ? 1 : 0);
    WriteInt32Bytes(writer, mShowCount);
    WriteInt32Bytes(writer, mCurrentListIndex);
    for (const auto& pocket : mPockets) {
        TBaseBuffer blob;
        pocket->WriteState(blob);
        writer.WriteBuffer(blob);
    }
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
    for (const auto& pocket : mPockets) {
        TBaseBuffer blob;
        reader.ReadBuffer(blob);
        if (reader.IsFailed()) {
            TLogFile::Get()->Printf("room %s: pocket states end early", mName.c_str());
            return;
        }
        pocket->ReadState(blob);
    }
}
