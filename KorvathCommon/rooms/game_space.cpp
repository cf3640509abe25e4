#include "rooms/game_space.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

#include "app/buffer.h"
#include "app/clock.h"
#include "app/log.h"
#include "app/string_utils.h"
#include "app/user_info.h"
#include "app/xml_reader.h"
#include "media/play_list.h"
#include "media/sound_manager.h"
#include "objects/object.h"
#include "objects/object_factory.h"
#include "objects/object_services.h"
#include "objects/scoped_clip.h"
#include "rooms/effector.h"
#include "rooms/interface_events.h"
#include "windows/mouse_event.h"
#include <tinyxml.h>

void TGameSoundPlayer::PlaySound(const std::string& name) {
    if (!name.empty()) {
        TSoundManager::GetInstance()->PlaySound(name);
    }
}

TGameSpace::TGameSpace() {
    mUpdateObjects = true;
}

TGameSpace::~TGameSpace() {
    for (auto& effect : mHintEffects) {
        effect.reset();
    }
    mEffectors.clear();
    // Sounds the space started must not outlive it, nor its sound list.
    if (TSoundManager* sounds = TSoundManager::FindInstance()) {
        for (const std::string& id : mOwnSounds) {
            sounds->StopSound(id);
        }
        if (TSoundPlayList* list = sounds->FindSoundList(GetSoundListName())) {
            list->UnloadSounds();
        }
    }
}

void TGameSpace::PlaySound(const std::string& name) {
    TGameSoundPlayer::PlaySound(name);
}

void TGameSpace::PlayOwnSounds() {
    for (const std::string& id : mOwnSounds) {
        GetSoundPlayer()->PlaySound(id);
    }
}

void TGameSpace::Reset(bool deleteContent) {
    mElapsed = 0;
    mClosing = false;
    mMark = false;
    mEffectorReferences.clear();
    if (deleteContent) {
        for (auto& object : mObjects) {
            object->mEffector = nullptr;
        }
        mEffectors.clear();
        mObjects.clear();
        mPressed = nullptr;
    }
}

// ---- settings ----

void TGameSpace::LoadFromXml(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    mName = ReadXmlString(element, "name", mName);
    mFolder = ReadXmlString(element, "folder", mFolder);
    mRules = ReadXmlString(element, "rules", mRules);
    mHelpFontName = ReadXmlString(element, "helpfontname", mHelpFontName);
    mResetButton = ReadXmlBool(element, "resetbtnavalible", mResetButton);
    int clip[4] = {0, 0, 0, 0};
    ReadXmlFourInts(element, "cliprect", ".", clip);
    mClip = TRect{clip[0], clip[1], clip[2], clip[3]};
    mVirtualWidth = ReadXmlInt(element, "virtualwidth", 0);
    mVirtualHeight = ReadXmlInt(element, "virtualheight", 0);
    mShowSound = ReadXmlString(element, "showsound", "");
    mHideSound = ReadXmlString(element, "hidesound", "");
    mX = ReadXmlInt(element, "x", 0);
    mY = ReadXmlInt(element, "y", 0);
    mW = ReadXmlInt(element, "w", 0);
    mH = ReadXmlInt(element, "h", 0);
    mCanBeOpened = ReadXmlBool(element, "canbeopened", true);
    mCanShowBackHint = ReadXmlBool(element, "canshowbackhint", false);
    LoadReactionListsFromXml(element);
    LoadMusicFromXml(element);
}

void TGameSpace::LoadMusicFromXml(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    mMusic.clear();
    ReadXmlStringList(element, "music", ',', mMusic);
    mStartMusicNow = ReadXmlBool(element, "StartMusicNow", true);
    mStartMusicAfterShowCount = ReadXmlInt(element, "AnywayStartMusicAfterShowCount", 0);
    // A space that names no music leaves the music playing unless told to stop it: the screens that show
    // a scene start their own.
    mStopPreviousMusic = ReadXmlBool(element, "StopPrevMusic", !mMusic.empty());
    if (mMusic.empty()) {
        mStartMusicNow = false;
    }
}

void TGameSpace::LoadReactionListsFromXml(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    auto paths = [&](const char* name, TReactionList& list) {
        ParseReactionList(ReadXmlAttribute(element, name), list);
    };
    auto tasks = [&](const char* name, TTaskList& list) { ParseTaskList(ReadXmlAttribute(element, name), list); };
    auto flags = [&](const char* name, TFlagList& list) { ParseFlagList(ReadXmlAttribute(element, name), list); };
    auto states = [&](const char* name, TStateList& list) { ParseStateList(ReadXmlAttribute(element, name), list); };
    auto names = [&](const char* name, std::vector<std::string>& list) { ReadXmlStringList(element, name, ',', list); };
    TSpaceReactionLists& l = mLists;
    paths("unlock", l.onComplete[kPathUnlock]);
    paths("activate", l.onComplete[kPathActivate]);
    paths("deactivate", l.onComplete[kPathDeactivate]);
    paths("visible", l.onComplete[kPathVisible]);
    paths("hide", l.onComplete[kPathHide]);
    paths("lock", l.onComplete[kPathLock]);
    paths("unlockshow", l.onShow[kPathUnlock]);
    paths("activateshow", l.onShow[kPathActivate]);
    paths("deactivateshow", l.onShow[kPathDeactivate]);
    paths("visibleshow", l.onShow[kPathVisible]);
    paths("hideshow", l.onShow[kPathHide]);
    paths("lockshow", l.onShow[kPathLock]);
    states("statesshow", l.statesShow);
    paths("unlockhide", l.onHide[kPathUnlock]);
    paths("activatehide", l.onHide[kPathActivate]);
    paths("deactivatehide", l.onHide[kPathDeactivate]);
    paths("visiblehide", l.onHide[kPathVisible]);
    paths("hidehide", l.onHide[kPathHide]);
    paths("lockshide", l.onHide[kPathLock]);
    tasks("taskshide", l.tasksHide);
    tasks("tasksshow", l.tasksShow);
    tasks("tasksr", l.tasksRemoved);
    tasks("tasksshowremove", l.tasksShowRemove);
    flags("flagsshow", l.flagsShow);
    flags("flags", l.flags);
    flags("flagshide", l.flagsHide);
    states("states", l.states);
    states("stateshide", l.statesHide);
    names("aobj", l.aobj);
    names("robj", l.robj);
    names("cobj", l.cobj);
    names("aobjshow", l.aobjShow);
    names("robjshow", l.robjShow);
    names("cobjshow", l.cobjShow);
    l.freeze = ReadXmlBool(element, "freeze", false);
    l.freezeHide = ReadXmlBool(element, "freezehide", false);
}

// ---- objects ----

void TGameSpace::LoadObjectsFromXml(const TiXmlElement* element, const std::string& folder) {
    mFolder = folder;
    LoadObjectsFromXml(element, static_cast<TObject*>(nullptr));
    SetObjectsListener();
}

void TGameSpace::LoadObjectsFromXml(const TiXmlElement* element, TObject* parent) {
    if (element == nullptr) {
        return;
    }
    for (const TiXmlElement* child = element->FirstChildElement("object"); child != nullptr;
         child = child->NextSiblingElement("object")) {
        const std::string type = ReadXmlString(child, "type", "");
        TBaseObjectFactory* factory = TObjectFactory::GetInstance();
        std::unique_ptr<TObject> object(factory != nullptr ? factory->Create(type) : new TObject());
        if (!object) {
            TLogFile::Get()->Printf("warning: space %s: object type %s unknown, skipped", mName.c_str(), type.c_str());
            continue;
        }
        object->mSpace = this;
        object->mTypeName = type;
        object->LoadFromXml(child, mFolder);
        // Built once the id is known, so every object gets its own key.
        object->mSaveKey = object->BuildSaveKey();
        TObject* loaded = object.get();
        if (parent == nullptr) {
            mObjects.push_back(std::move(object));
        } else if (parent->AddChild(loaded)) {
            static_cast<void>(object.release()); // the parent owns it now
        } else {
            continue;
        }
        if (!loaded->mEffectorName.empty()) {
            mEffectorReferences.push_back(&loaded->mEffectorName);
        }
        LoadObjectsFromXml(child, loaded);
        loaded->OnLoaded();
    }
}

void TGameSpace::SetObjectsListener() {
    for (const auto& object : mObjects) {
        object->SetListener(this);
    }
}

void TGameSpace::LoadItemsToFind(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    for (const TiXmlElement* child = element->FirstChildElement("itemtofind"); child != nullptr;
         child = child->NextSiblingElement("itemtofind")) {
        auto item = std::make_unique<TItemToFind>();
        item->id = ReadXmlString(child, "id", "");
        LoadStaticImageFromXml(item->image, child, mFolder);
        mItemsToFind.push_back(std::move(item));
    }
}

void TGameSpace::ReleaseObjects(bool deleteOwned) {
    for (const auto& object : mObjects) {
        object->ReleaseAll();
    }
    if (deleteOwned) {
        mObjects.clear();
        mPressed = nullptr;
    }
}

bool TGameSpace::HoldsObject(const TObject* object) const {
    return std::any_of(mObjects.begin(), mObjects.end(),
                       [object](const auto& top) { return top.get() == object || top->ContainsChild(object); });
}

TObject* TGameSpace::FindObjectById(const std::string& id) {
    for (const auto& object : mObjects) {
        if (object->mName == id) {
            return object.get();
        }
        if (TObject* found = object->FindChildById(id)) {
            return found;
        }
    }
    return nullptr;
}

TObject* TGameSpace::FindParentOf(const TObject* object) {
    for (const auto& top : mObjects) {
        if (top->ContainsChild(object)) {
            return top.get();
        }
    }
    for (const auto& top : mObjects) {
        if (TObject* parent = top->FindParentOf(object)) {
            return parent;
        }
    }
    return nullptr;
}

TObject* TGameSpace::FindObjectForTool(const std::string& toolName) {
    for (const auto& object : mObjects) {
        if (TObject* found = object->FindObjectForTool(toolName)) {
            return found;
        }
    }
    return nullptr;
}

bool TGameSpace::AnyObjectHasGivenTool(const std::string& toolName) const {
    for (auto it = mObjects.rbegin(); it != mObjects.rend(); ++it) {
        if ((*it)->HasGivenTool(toolName)) {
            return true;
        }
    }
    return false;
}

void TGameSpace::PropagateSignalC(int value) {
    for (const auto& object : mObjects) {
        object->PropagateSignalC(value);
    }
}

void TGameSpace::PropagateSignalD(int value) {
    for (const auto& object : mObjects) {
        object->PropagateSignalD(value);
    }
}

bool TGameSpace::ContainsPoint(int x, int y) const {
    return mX <= x && x < mX + mW && mY <= y && y < mY + mH;
}

std::string TGameSpace::GetSpacePath() const {
    std::string path = mName;
    for (const TObjectSpace* space = mParent; space != nullptr; space = space->mParent) {
        path = space->mName + "." + path;
    }
    return path;
}

std::string TGameSpace::GetRootName() const {
    std::string name;
    for (const TObjectSpace* space = this; space != nullptr; space = space->mParent) {
        if (!space->mName.empty()) {
            name = space->mName;
        }
    }
    return name.empty() ? mName : name;
}

void TGameSpace::LoadDescription(const std::string& file) {
    mFilePath = file;
    if (TiXmlElement* root = LoadXmlRoot(file)) {
        const TiXmlElement* common = root->FirstChildElement("Common");
        mFolder = ReadXmlString(common, "folder", mFolder);
        mName = ReadXmlString(common, "name", mName);
        ReleaseXmlRoot();
    }
    if (mName.empty()) {
        mName = std::to_string(std::rand() % 2147483647);
    }
}

// ---- effectors ----

void TGameSpace::LoadEffectorsFromXml(const TiXmlElement* element) {
    if (element == nullptr) {
        return;
    }
    for (const TiXmlElement* child = element->FirstChildElement("effector"); child != nullptr;
         child = child->NextSiblingElement("effector")) {
        const std::string type = ReadXmlString(child, "type", "");
        TBaseEffectorsFactory* factory = TEffectorsFactory::GetInstance();
        std::unique_ptr<TEffector> effector = factory != nullptr ? factory->Create(type) : CreateEffector(type);
        if (!effector) {
            TLogFile::Get()->Printf("warning: space %s: effector type %s unknown, skipped", mName.c_str(),
                                    type.c_str());
            continue;
        }
        effector->LoadFromXml(child);
        // An effector without a name would match every object that names none.
        if (effector->mName.empty()) {
            TLogFile::Get()->Printf("warning: space %s: effector without a name skipped", mName.c_str());
            continue;
        }
        int n = static_cast<int>(std::count_if(mEffectorReferences.begin(), mEffectorReferences.end(),
                                               [&](const std::string* ref) { return *ref == effector->mName; }));
        for (; n > 1; --n) {
            std::unique_ptr<TEffector> clone = effector->Clone();
            clone->mName = effector->mName + "_" + std::to_string(n);
            // A clone name another effector of the file already has would take that one's objects.
            while (std::any_of(mEffectorReferences.begin(), mEffectorReferences.end(),
                               [&](const std::string* ref) { return *ref == clone->mName; })) {
                clone->mName += "_";
            }
            for (std::string* ref : mEffectorReferences) {
                if (*ref == effector->mName) {
                    *ref = clone->mName;
                    break;
                }
            }
            mEffectors.push_back(std::move(clone));
        }
        mEffectors.push_back(std::move(effector));
    }
}

void TGameSpace::AttachEffectors() {
    AttachEffectorsTo(mObjects);
}

void TGameSpace::AttachEffectorsTo(const std::vector<std::unique_ptr<TObject>>& objects) {
    for (const auto& object : objects) {
        for (const auto& effector : mEffectors) {
            if (!object->mEffectorName.empty() && object->mEffectorName == effector->mName) {
                object->mEffector = effector.get();
                effector->SetOwner(object.get());
            } else {
                for (const auto& child : object->GetChildren()) {
                    child->AttachEffector(effector.get());
                }
            }
        }
    }
}

TEffector* TGameSpace::GetEffector(size_t index) {
    return index < mEffectors.size() ? mEffectors[index].get() : nullptr;
}

// ---- resources and sounds ----

void TGameSpace::LoadImages(bool flag) {
    if (mImagesLoaded) {
        return;
    }
    int widest = 0;
    int tallest = 0;
    for (const auto& object : mObjects) {
        object->LoadResources();
        widest = std::max(widest, object->GetWidth());
        tallest = std::max(tallest, object->GetHeight());
    }
    if (mW == 0) {
        mW = widest;
    }
    if (mH == 0) {
        mH = tallest;
    }
    mImagesLoaded = true;
}

void TGameSpace::UnloadImages() {
    for (const auto& object : mObjects) {
        object->UnloadResources();
    }
    mImagesLoaded = false;
}

void TGameSpace::LoadResources() {
    const uint32_t start = SDL_GetTicks();
    LoadImages(false);
    LoadSounds();
    TLogFile::Get()->Printf("loadresource %s time  = %d", mName.c_str(), static_cast<int>(SDL_GetTicks() - start));
}

void TGameSpace::UnloadResources() {
    const uint32_t start = SDL_GetTicks();
    UnloadImages();
    StopOwnSounds();
    UnloadSounds();
    TLogFile::Get()->Printf("unloadresource %s time  = %d", mName.c_str(), static_cast<int>(SDL_GetTicks() - start));
}

void TGameSpace::LoadSoundsFromXml(const TiXmlElement* element) {
    if (element == nullptr || element->FirstChildElement("sound") == nullptr) {
        return;
    }
    TSoundManager::GetInstance()->AddSoundList(GetSoundListName(), element, "sound", false, TSoundGroup{});
}

void TGameSpace::LoadSounds() {
    if (TSoundPlayList* list = TSoundManager::GetInstance()->FindSoundList(GetSoundListName())) {
        list->LoadSounds();
    }
}

void TGameSpace::UnloadSounds() {
    if (TSoundPlayList* list = TSoundManager::GetInstance()->FindSoundList(GetSoundListName())) {
        list->UnloadSounds();
    }
}

void TGameSpace::StopOwnSounds() {
    for (const std::string& id : mOwnSounds) {
        TSoundManager::GetInstance()->StopSound(id);
    }
}

// ---- reaction lists ----

void TGameSpace::ApplyPathGroups(const std::array<TReactionList, kPathKinds>& lists, int index) {
    if (index < 0) {
        return;
    }
    const auto group = [&](TPathListKind kind) -> const TObjectPathGroup* {
        const TReactionList& list = lists[kind];
        return static_cast<size_t>(index) < list.size() ? &list[static_cast<size_t>(index)] : nullptr;
    };
    if (const auto* g = group(kPathUnlock)) {
        UnlockObjects(*g);
    }
    if (const auto* g = group(kPathLock)) {
        LockObjects(*g);
    }
    if (const auto* g = group(kPathVisible)) {
        ShowObjects(*g);
    }
    if (const auto* g = group(kPathHide)) {
        HideObjects(*g);
    }
    if (const auto* g = group(kPathActivate)) {
        ActivateObjects(*g);
    }
    if (const auto* g = group(kPathDeactivate)) {
        DeactivateObjects(*g);
    }
}

void TGameSpace::ApplyFlagGroup(int index, const TFlagList& list) {
    if (index < 0 || static_cast<size_t>(index) >= list.size()) {
        return;
    }
    for (const TFlagItem& item : list[static_cast<size_t>(index)]) {
        if (!TInterfaceEvents::Get().IsBlocked(item.name)) {
            PostInterfaceEvent(item.name, item.value, item.extra, nullptr, false);
        }
    }
}

void TGameSpace::ApplyStateGroup(int index, const TStateList& list) {
    if (index < 0 || static_cast<size_t>(index) >= list.size()) {
        return;
    }
    for (const TStateItem& item : list[static_cast<size_t>(index)]) {
        TUserInfo::Get()->AddPair(item.name, item.value);
    }
}

void TGameSpace::PassFirstShowLists() {
    if (mOwner == nullptr) {
        return;
    }
    if (!mLists.robjShow.empty()) {
        mOwner->PassRobjList(mLists.robjShow);
    }
    if (!mLists.cobjShow.empty()) {
        mOwner->PassCobjList(mLists.cobjShow);
    }
    if (!mLists.aobjShow.empty()) {
        mOwner->PassAobjList(mLists.aobjShow);
    }
}

void TGameSpace::OnToolGiven(const std::vector<TGivenTool>& tools, TObject* object, float delay) {
    if (mOwner != nullptr) {
        mOwner->OnToolGiven(tools, object, delay);
    }
}
void TGameSpace::UnlockObjects(const TObjectPathGroup& group) {
    if (mOwner != nullptr) {
        mOwner->UnlockObjects(group);
    }
}
void TGameSpace::LockObjects(const TObjectPathGroup& group) {
    if (mOwner != nullptr) {
        mOwner->LockObjects(group);
    }
}
void TGameSpace::ActivateObjects(const TObjectPathGroup& group) {
    if (mOwner != nullptr) {
        mOwner->ActivateObjects(group);
    }
}
void TGameSpace::DeactivateObjects(const TObjectPathGroup& group) {
    if (mOwner != nullptr) {
        mOwner->DeactivateObjects(group);
    }
}
void TGameSpace::ShowObjects(const TObjectPathGroup& group) {
    if (mOwner != nullptr) {
        mOwner->ShowObjects(group);
    }
}
void TGameSpace::HideObjects(const TObjectPathGroup& group) {
    if (mOwner != nullptr) {
        mOwner->HideObjects(group);
    }
}
void TGameSpace::RunEffects(const TObjectPathGroup& group, TObject* object) {
    if (mOwner != nullptr) {
        mOwner->RunEffects(group, object);
    }
}
void TGameSpace::RunEffectSets(const TObjectPathGroup& group, TObject* object) {
    if (mOwner != nullptr) {
        mOwner->RunEffectSets(group, object);
    }
}
void TGameSpace::AddTasks(const std::vector<std::string>& tasks, TObject* object) {
    if (mOwner != nullptr) {
        mOwner->AddTasks(tasks);
    }
}
void TGameSpace::RemoveTasks(const std::vector<std::string>& tasks, TObject* object) {
    if (mOwner != nullptr) {
        mOwner->RemoveTasks(tasks);
    }
}
void TGameSpace::PassAobjList(const std::vector<std::string>& names, TObject* object) {
    if (mOwner != nullptr) {
        mOwner->PassAobjList(names);
    }
}
void TGameSpace::PassRobjList(const std::vector<std::string>& names, TObject* object) {
    if (mOwner != nullptr) {
        mOwner->PassRobjList(names);
    }
}
void TGameSpace::PassCobjList(const std::vector<std::string>& names, TObject* object) {
    if (mOwner != nullptr) {
        mOwner->PassCobjList(names);
    }
}

// ---- lifecycle ----

void TGameSpace::OnFirstShow() {
    for (const auto& object : mObjects) {
        object->OnSpaceFirstShow();
    }
    if (mOwner != nullptr) {
        mOwner->OnSpaceFirstShown(this);
    }
}

void TGameSpace::Show() {
    if (mShowCount == 0) {
        OnFirstShow();
        PassFirstShowLists();
    }
    for (const auto& object : mObjects) {
        object->OnSpaceShow();
    }
    const int visit = mLists.freeze ? 0 : mShowCount;
    ++mShowCount;
    ApplyPathGroups(mLists.onShow, visit);
    ApplyStateGroup(visit, mLists.statesShow);
    ApplyFlagGroup(visit, mLists.flagsShow);
    if (!mShowSound.empty()) {
        GetSoundPlayer()->PlaySound(mShowSound);
    }
    PlayOwnSounds();
    LogDebug("Show Room %s", mName.c_str());
    if (mOwner != nullptr) {
        mOwner->OnSpaceShown(this);
    }
}

void TGameSpace::Hide() {
    for (auto& effect : mHintEffects) {
        effect.reset();
    }
    if (!mHideSound.empty()) {
        GetSoundPlayer()->PlaySound(mHideSound);
    }
    for (const auto& object : mObjects) {
        object->OnSpaceHide();
    }
    // A hide before any show ends no visit.
    const int visit = mLists.freezeHide ? 0 : mShowCount - 1;
    ApplyPathGroups(mLists.onHide, visit);
    ApplyStateGroup(visit, mLists.statesHide);
    ApplyFlagGroup(visit, mLists.flagsHide);
    StopOwnSounds();
    if (mOwner != nullptr) {
        mOwner->OnSpaceHidden(this);
    }
}

void TGameSpace::CloseMinigame() {
    mClosing = true;
    PostInterfaceEvent("closeminigame", 150, "", nullptr, false);
    TUserInfo::Get()->AddPair("GSD", mName);
    if (mOwner != nullptr) {
        mOwner->OnSpaceClosing(this);
    }
    if (mShowCount == 0) {
        PassFirstShowLists();
    }
}

void TGameSpace::CollectHintCandidates(std::vector<TObject*>& candidates) {
    for (const auto& object : mObjects) {
        object->CollectHintCandidates(candidates);
    }
}

bool TGameSpace::ShowHint() {
    mHintUsed = true;
    return false;
}

bool TGameSpace::Update(float seconds) {
    mOffsetTweenY.Update(seconds);
    mOffsetTweenX.Update(seconds);
    mDrawOffsetX = mOffsetTweenX.current;
    mDrawOffsetY = mOffsetTweenY.current;
    mThirdTween.Update(seconds);
    if (mAppearEffector) {
        mAppearEffector->Update(seconds);
    }
    if (mUpdateObjects) {
        for (const auto& object : mObjects) {
            object->Update(seconds);
        }
    }
    for (auto& effect : mHintEffects) {
        if (effect) {
            effect->Update(seconds);
            if (effect->IsFinished()) {
                effect.reset();
            }
        }
    }
    return false;
}

// ---- drawing ----

void TGameSpace::DrawLayer(int layer) {
    TScopedClip clip(mClip);
    for (const auto& object : mObjects) {
        if (object->mDrawLayer == layer) {
            object->Draw(1.0f);
        }
    }
}

void TGameSpace::Draw() {
    DrawLayer(0);
}

void TGameSpace::DrawHintEffects() {
    if (mHintEffects[2]) {
        mHintEffects[2]->Draw(1.0f);
    }
}

// ---- pointer ----

bool TGameSpace::OnMouseDown(const TMouseEvent& event) {
    mPressed = nullptr;
    mHeldTool = event.tool;
    for (auto it = mObjects.rbegin(); it != mObjects.rend(); ++it) {
        if ((*it)->AreClicksUsedUp()) {
            continue;
        }
        if ((*it)->OnMouseDown(event)) {
            mPressed = it->get();
            return true;
        }
    }
    return false;
}

bool TGameSpace::OnMouseMove(const TMouseEvent& event) {
    mHeldTool = event.tool;
    bool firstHover = false;
    bool any = false;
    for (auto it = mObjects.rbegin(); it != mObjects.rend(); ++it) {
        any = (*it)->OnMouseMove(event, &firstHover) || any;
    }
    return any;
}

bool TGameSpace::OnMouseUp(const TMouseEvent& event) {
    for (auto it = mObjects.rbegin(); it != mObjects.rend(); ++it) {
        if ((*it)->OnMouseUp(event)) {
            return true;
        }
    }
    return false;
}

// The pointer point itself is tested, also while a tool is held: nothing moves a tool's pick point.
TObject* TGameSpace::HitTopObject(int x, int y) {
    for (auto it = mObjects.rbegin(); it != mObjects.rend(); ++it) {
        TObject* object = it->get();
        if (object->HitTest(x, y, false)) {
            TObject* hit = object->GetHitObject();
            return hit == nullptr || object->mIgnoreSubObjects ? object : hit;
        }
    }
    return nullptr;
}

TObject* TGameSpace::GetHoveredObject() {
    for (auto it = mObjects.rbegin(); it != mObjects.rend(); ++it) {
        if ((*it)->mHovered) {
            return it->get();
        }
    }
    return nullptr;
}

bool TGameSpace::GetCursorNameAt(int x, int y, std::string& name) {
    name.clear();
    TObject* object = ObjectAt(x, y);
    if (object == nullptr || !object->mVisible || object->IsLocked()) {
        return false;
    }
    const bool clicksLeft = !object->AreClicksUsedUp();
    if (!object->mCursorName.empty()) {
        name = object->mCursorName;
    } else if (clicksLeft && !object->mGivenTools.empty()) {
        name = "active";
    } else if (clicksLeft && !object->mNeededTools.empty()) {
        name = "tool";
    } else if (!object->mTargets[kTargetPocket].empty() || !object->mTargets[kTargetMiniGame].empty() ||
               !object->mTargets[kTargetRoomXo].empty() || !object->mTargets[kTargetDialog].empty()) {
        name = "glass";
    }
    return true;
}

// ---- saved state ----

void TGameSpace::WriteObjectStates(TBaseBuffer& writer) {
    for (const auto& object : mObjects) {
        TBaseBuffer record;
        object->SaveState(record);
        writer.WriteBuffer(record);
    }
}

void TGameSpace::ReadObjectStates(TBaseBuffer& reader) {
    // A record can be refused only because an object read later still had to take back what it carries
    // (weights a scales put on its pans): such records are read once more when a later one was taken.
    std::vector<std::pair<TObject*, std::vector<uint8_t>>> refused;
    size_t refusedBeforeTaken = 0;
    for (const auto& object : mObjects) {
        TBaseBuffer record;
        reader.ReadBuffer(record);
        if (reader.IsFailed()) {
            TLogFile::Get()->Printf("space %s: object states end early", mName.c_str());
            break;
        }
        const std::vector<uint8_t> bytes = record.GetBytes();
        if (RestoreObjectState(*object, record)) {
            refusedBeforeTaken = refused.size();
        } else {
            refused.emplace_back(object.get(), bytes);
        }
    }
    for (size_t i = 0; i < refusedBeforeTaken; ++i) {
        TBaseBuffer record;
        for (uint8_t byte : refused[i].second) {
            record.WriteByte(byte);
        }
        RestoreObjectState(*refused[i].first, record);
    }
}

void TGameSpace::WriteState(TBaseBuffer& writer) {
    if (mPath.empty()) {
        mPath = GetSpacePath();
    }
    const std::string key = "gamespace_" + mPath;
    writer.BeginWriteBlock(key.c_str());
    writer.WriteString(mName);
    writer.WriteByte(mSaved ? 1 : 0);
    writer.WriteByte(mHintUsed ? 1 : 0);
    writer.WriteString(mSavedText);
    const int32_t ms = static_cast<int32_t>(mElapsed * 1000.0f);
    for (int i = 0; i < 4; ++i) {
        writer.WriteByte(static_cast<uint8_t>((static_cast<uint32_t>(ms) >> (8 * i)) & 0xFF));
    }
    for (const auto& effector : mEffectors) {
        TBaseBuffer blob;
        effector->WriteState(blob);
        writer.WriteBuffer(blob);
    }
    mOffsetTweenX.Write(writer);
    mOffsetTweenY.Write(writer);
    WriteObjectStates(writer);
}

void TGameSpace::ReadState(TBaseBuffer& reader) {
    if (mPath.empty()) {
        mPath = GetSpacePath();
    }
    const std::string key = "gamespace_" + mPath;
    reader.BeginReadBlock(key.c_str());
    mName = reader.ReadString();
    mSaved = reader.ReadByte() != 0;
    mHintUsed = reader.ReadByte() != 0;
    mSavedText = reader.ReadString();
    uint32_t ms = 0;
    for (int i = 0; i < 4; ++i) {
        ms |= static_cast<uint32_t>(reader.ReadByte()) << (8 * i);
    }
    mElapsed = static_cast<float>(static_cast<int32_t>(ms)) / 1000.0f;
    for (const auto& effector : mEffectors) {
        TBaseBuffer blob;
        reader.ReadBuffer(blob);
        if (reader.IsFailed()) {
            TLogFile::Get()->Printf("space %s: effector states end early", mName.c_str());
            return;
        }
        effector->ReadState(blob);
    }
    mOffsetTweenX.Read(reader);
    mOffsetTweenY.Read(reader);
    mDrawOffsetX = mOffsetTweenX.current;
    mDrawOffsetY = mOffsetTweenY.current;
    ReadObjectStates(reader);
}
