#include "room_host.h"

#include "added_draws.h"

#include <tinyxml.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/buffer.h"
#include "app/clock.h"
#include "app/file_object.h"
#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/font_registry.h"
#include "graphics/spline_path.h"
#include "objects/object.h"
#include "objects/object_factory.h"
#include "rooms/pocket.h"
#include "rooms/space_manager.h"
#include "windows/game_cursors.h"
#include "windows/messages.h"
#include "windows/mouse_event.h"

namespace {

constexpr float kFrameSeconds = 0.01f;

// The viewer's frames are its clock: a replay runs as fast as it can and still keeps every delay.
double gHostMs = 1000;

uint32_t HostTicks() {
    return static_cast<uint32_t>(gHostMs);
}

std::string Names(const TObjectPathGroup& group) {
    std::string text;
    for (const TObjectPath& path : group) {
        text += (text.empty() ? "" : ",") + path.object;
    }
    return text;
}

} // namespace

// ---- the entry kind ----

void TViewItem::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    ReadXmlStringList(element, "objects", ',', objectIds);
    needed = static_cast<int>(objectIds.size());
    reserve = ReadXmlBool(element, "reserve", false);
    active = ReadXmlBool(element, "active", true);
    tool.name = ReadXmlString(element, "tool", "");
}

bool TViewItem::Update(float seconds) {
    found = 0;
    for (const TObject* object : objects) {
        found += object->mVisible ? 0 : 1;
    }
    return found >= needed;
}

std::unique_ptr<ItemsListItem> TViewItemFactory::Create(const std::string& type) {
    return std::make_unique<TViewItem>();
}

// ---- the host ----

TRoomHost::TRoomHost() {
    gHostMs = 1000;
    SetTickSource(&HostTicks);
    ItemsListItemFactory::SetInstance(&mItems);
    TInterfaceEvents::Get().mListener = this;
    TGameSpaceManager::CreateInstance();
    TEffectorsFactory::CreateInstance();
    // Rooms make their objects by kind through the object factory, which a game's start-up would make.
    if (TObjectFactory::GetInstance() == nullptr) {
        TObjectFactory::CreateInstance();
        mOwnsObjectFactory = true;
    }
    // Random flights and pauses repeat from run to run, so a replay ends where it ended before.
    std::srand(1);
    mPanel.SetSlotCounts(1, 0);
    TInventoryPanel::SetInstance(&mPanel);
}

TRoomHost::~TRoomHost() {
    TInventoryPanel::SetInstance(nullptr);
    TInterfaceEvents::Get().mListener = nullptr;
    TInterfaceEvents::Get().Clear();
    if (TGameSpaceManager* manager = TGameSpaceManager::GetInstance()) {
        manager->mSpaces.clear();
        manager->mCurrent = nullptr;
    }
    mRooms.clear();
    TGameSpaceManager::DestroyInstance();
    TEffectorsFactory::DestroyInstance();
    if (mOwnsObjectFactory) {
        TObjectFactory::DestroyInstance();
    }
    if (mOwnsFonts) {
        TFontRegistry::Destroy();
    }
    // Messages still queued go before the process-wide tables they are counted in.
    TMyMessageManager::Release();
    ItemsListItemFactory::SetInstance(nullptr);
    TToolList::GetPlayerTools().Clear();
    GetHandedOutTools().clear();
    SetTickSource(nullptr);
}

TRoom* TRoomHost::LoadRoom(const std::string& file) {
    auto room = std::make_unique<TRoom>();
    mCollections.ReadFrom(file);
    room->Load(file);
    if (room->mFilePath.empty()) {
        return nullptr;
    }
    room->SetOwnerListener(this);
    room->LoadImages(false);
    TGameSpaceManager::GetInstance()->mSpaces.push_back(room.get());
    mRooms.push_back(std::move(room));
    return mRooms.back().get();
}

bool TRoomHost::Open(const std::string& file) {
    // The fonts a game's start-up reads, so that text labels show in the developer view.
    if (!mOwnsFonts && FileExists("fonts.xml")) {
        if (TiXmlElement* root = LoadXmlRoot("fonts.xml")) {
            TXmlRootWalk walk;
            TFontRegistry::GetInstance()->LoadXml(root);
            mOwnsFonts = true;
        }
        ReleaseXmlRoot();
    }
    // The named paths path images follow, which a game's start-up reads; a root without them has none.
    if (FileExists("trajectories.dat")) {
        GetGlobalPathSet().Load("trajectories.dat");
    } else {
        GetGlobalPathSet().Clear();
    }
    const size_t slash = file.rfind('/');
    mFolder = slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
    TRoom* room = LoadRoom(file);
    if (room == nullptr) {
        return false;
    }
    ShowRoom(room);
    return true;
}

void TRoomHost::ShowRoom(TRoom* room) {
    if (mRoom != nullptr) {
        mRoom->Hide();
    }
    mRoom = room;
    TGameSpaceManager::GetInstance()->mCurrent = room;
    room->Show();
    Add("room " + room->mName);
}

// A link names a room; its file is the name beside the first room's file.
void TRoomHost::GoToRoom(const std::string& name, TGameSpace* space, bool flag) {
    for (const auto& room : mRooms) {
        if (room->mName == name) {
            ShowRoom(room.get());
            return;
        }
    }
    if (TRoom* room = LoadRoom(mFolder + name + ".xml")) {
        ShowRoom(room);
    } else {
        Add("no room " + name);
    }
}

std::vector<std::string> TRoomHost::TakeTranscript() {
    std::vector<std::string> lines;
    lines.swap(mTranscript);
    return lines;
}

// ---- input and frames ----

static TMouseEvent EventAt(int x, int y, TTool* tool) {
    TMouseEvent event;
    event.x = event.gameX = x;
    event.y = event.gameY = y;
    event.buttons = TMouseEvent::kLeft;
    event.tool = tool;
    return event;
}

void TRoomHost::PointAt(int x, int y) {
    mPointerX = x;
    mPointerY = y;
    TInventorySlot& slot = mPanel.mMainRow.front();
    slot.pointX = x;
    slot.pointY = y;
    if (TGameCursors* cursors = TGameCursors::Get()) {
        cursors->mPointerX = x;
        cursors->mPointerY = y;
    }
}

void TRoomHost::Hold(TTool* tool) {
    mHeld = tool;
    TInventorySlot& slot = mPanel.mMainRow.front();
    slot.tool = tool;
    slot.inUse = tool != nullptr;
}

void TRoomHost::Press(int x, int y) {
    PointAt(x, y);
    mButtonDown = true;
    if (mRoom != nullptr) {
        mRoom->OnMouseDown(EventAt(x, y, mHeld));
    }
}

// A move with the button down is also a drag, as the window manager passes it on to the room's window.
void TRoomHost::Move(int x, int y) {
    PointAt(x, y);
    if (mRoom != nullptr) {
        mRoom->OnMouseMove(EventAt(x, y, mHeld));
    }
    if (mRoom != nullptr && mButtonDown) {
        mRoom->OnMouseDrag(EventAt(x, y, mHeld));
    }
}

void TRoomHost::Release(int x, int y) {
    PointAt(x, y);
    mButtonDown = false;
    if (mRoom != nullptr) {
        mRoom->OnMouseUp(EventAt(x, y, mHeld));
    }
}

void TRoomHost::Drag(int x0, int y0, int x1, int y1) {
    // Ten steps a frame apart, as a hand moves, so objects that follow the pointer see each step.
    constexpr int kSteps = 10;
    Move(x0, y0);
    Press(x0, y0);
    for (int i = 1; i <= kSteps; ++i) {
        const int x = x0 + (x1 - x0) * i / kSteps, y = y0 + (y1 - y0) * i / kSteps;
        // The button is held: the move reaches the room as a drag as well.
        Move(x, y);
        Update(kFrameSeconds);
    }
    Release(x1, y1);
}

void TRoomHost::Update(float seconds) {
    gHostMs += static_cast<double>(seconds) * 1000.0;
    if (mRoom != nullptr) {
        mRoom->Update(seconds);
    }
    if (mHeld != nullptr) {
        mHeld->Update(seconds);
    }
    TInterfaceEvents::Get().Update();
    // The game's window manager delivers the objects' messages each frame; the host stands in for it.
    if (TMyMessageManager* messages = TMyMessageManager::FindInstance()) {
        messages->Dispatch(seconds);
    }
}

void TRoomHost::Draw(int pointerX, int pointerY) {
    if (mRoom == nullptr) {
        return;
    }
    mRoom->Draw();
    mRoom->DrawLayer1();
    mRoom->DrawLayer2();
    mRoom->DrawHintEffects();
    if (mAddedDraws) {
        for (const auto& object : mRoom->GetObjects()) {
            DrawAddedOperations(*object);
        }
    }
    if (mHeld != nullptr) {
        if (StaticImage* image = mHeld->GetFlyImage()) {
            const auto [hx, hy] = mHeld->GetHotPoint();
            image->SetPosition(static_cast<float>(pointerX - hx), static_cast<float>(pointerY - hy), false);
            image->Draw(1.0f);
        }
        mHeld->DrawAt(pointerX, pointerY, 1.0f, 1.0f);
        mHeld->DrawOverlayAt(pointerX, pointerY, 1.0f, 1.0f);
    }
}

TTool* TRoomHost::FindTool(const std::string& id) const {
    if (mRoom != nullptr && mRoom->GetGlobalTools() != nullptr) {
        if (TTool* tool = mRoom->GetGlobalTools()->FindById(id)) {
            return tool;
        }
    }
    return TToolList::GetPlayerTools().FindById(id);
}

bool TRoomHost::Run(const std::string& action) {
    std::istringstream line(action);
    std::string verb;
    line >> verb;
    if (verb.empty() || verb[0] == '#') {
        return true;
    }
    if (verb == "click") {
        int x = 0, y = 0;
        if (!(line >> x >> y)) {
            return false;
        }
        Move(x, y);
        Press(x, y);
        Release(x, y);
    } else if (verb == "press" || verb == "move" || verb == "release") {
        int x = 0, y = 0;
        if (!(line >> x >> y)) {
            return false;
        }
        Move(x, y);
        if (verb == "press") {
            Press(x, y);
        } else if (verb == "release") {
            Release(x, y);
        }
    } else if (verb == "drag") {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        if (!(line >> x0 >> y0 >> x1 >> y1)) {
            return false;
        }
        Drag(x0, y0, x1, y1);
    } else if (verb == "take") {
        std::string id;
        line >> id;
        Hold(FindTool(id));
        if (mHeld == nullptr) {
            return false;
        }
        mHeld->Take();
        Add("holds " + id);
    } else if (verb == "drop") {
        if (mHeld != nullptr) {
            mHeld->Release();
        }
        Hold(nullptr);
    } else if (verb == "wait") {
        int ms = 0;
        if (!(line >> ms)) {
            return false;
        }
        for (int t = 0; t < ms; t += 10) {
            Update(kFrameSeconds);
        }
    } else if (verb == "hint") {
        Add(mRoom != nullptr && mRoom->ShowHint() ? "hint shown" : "no hint");
    } else if (verb == "save") {
        Save();
    } else if (verb == "restore") {
        Restore();
    } else {
        return false;
    }
    return true;
}

// ---- saved state ----

// The room's own tools, then the rooms' tools tagged with this room.
std::vector<TTool*> TRoomHost::RoomTools() const {
    std::vector<TTool*> tools;
    if (const TToolList* own = mRoom->GetGlobalTools()) {
        for (size_t i = 0; i < own->GetCount(); ++i) {
            tools.push_back(own->GetAt(i));
        }
    }
    const TToolList& shared = TToolList::GetPlayerTools();
    for (size_t i = 0; i < shared.GetCount(); ++i) {
        if (shared.GetAt(i)->mRoomName == mRoom->GetRootName()) {
            tools.push_back(shared.GetAt(i));
        }
    }
    return tools;
}

// The room's record, then one record per tool of the room: the parts collected are kept with it.
std::vector<uint8_t> TRoomHost::SavedState() const {
    TBaseBuffer buffer;
    if (mRoom == nullptr) {
        return {};
    }
    TBaseBuffer room;
    mRoom->WriteState(room);
    buffer.WriteBuffer(room);
    for (TTool* tool : RoomTools()) {
        TBaseBuffer record;
        tool->WriteState(record);
        buffer.WriteBuffer(record);
    }
    return buffer.GetBytes();
}

void TRoomHost::Save() {
    mSaved = SavedState();
    Add("saved");
}

void TRoomHost::Restore() {
    if (mRoom == nullptr || mSaved.empty()) {
        return;
    }
    TBaseBuffer saved;
    for (uint8_t byte : mSaved) {
        saved.WriteByte(byte);
    }
    TBaseBuffer room;
    saved.ReadBuffer(room);
    mRoom->ReadState(room);
    for (TTool* tool : RoomTools()) {
        TBaseBuffer record;
        saved.ReadBuffer(record);
        tool->ReadState(record);
    }
    Add(saved.IsFailed() ? "restore failed" : "restored");
}

// ---- what the room tells its owner ----

void TRoomHost::OnSpaceCompleted(TGameSpace* space) {
    Add("completed " + space->mName);
    if (space == mRoom) {
        mCompleted = true;
    }
}

TObject* TRoomHost::FindObject(const TObjectPath& path) {
    for (const auto& room : mRooms) {
        if (!path.space.empty() && room->mName != path.space) {
            continue;
        }
        if (TObject* object = room->FindObjectById(path.object)) {
            return object;
        }
    }
    return nullptr;
}

void TRoomHost::ForEach(const TObjectPathGroup& group, const char* what, void (*apply)(TObject&)) {
    for (const TObjectPath& path : group) {
        if (TObject* object = FindObject(path)) {
            apply(*object);
        }
    }
    Add(std::string(what) + " " + Names(group));
}

void TRoomHost::ActivateObjects(const TObjectPathGroup& group) {
    ForEach(group, "activate", [](TObject& o) { o.ActivateDefault(); });
}

void TRoomHost::DeactivateObjects(const TObjectPathGroup& group) {
    ForEach(group, "deactivate", [](TObject& o) { o.DeactivateDefault(); });
}

void TRoomHost::ShowObjects(const TObjectPathGroup& group) {
    ForEach(group, "show", [](TObject& o) { o.SetVisible(true); });
}

void TRoomHost::HideObjects(const TObjectPathGroup& group) {
    ForEach(group, "hide", [](TObject& o) { o.SetVisible(false); });
}

void TRoomHost::LockObjects(const TObjectPathGroup& group) {
    ForEach(group, "lock", [](TObject& o) { o.Lock(); });
}

void TRoomHost::UnlockObjects(const TObjectPathGroup& group) {
    ForEach(group, "unlock", [](TObject& o) { o.Unlock(); });
}

void TRoomHost::OnObjectFound(TObject* object, TGameSpace* space) {
    Add("found " + object->mName);
}

void TRoomHost::OnWrongClick(TObject* object, TGameSpace* space) {
    Add("miss " + object->mName);
}

void TRoomHost::OnInteractionFound(TObject* object, TGameSpace* space) {
    Add("interaction " + object->mName);
}

void TRoomHost::OnToolApplied(TGameSpace* space, TObject* object, TTool* tool) {
    Add("applied " + (tool != nullptr ? tool->GetCurrentId() : std::string()) + " " + object->mName);
}

// Handed-out tools go to the inventory; a tool made of parts gets the part.
void TRoomHost::OnToolGiven(const std::vector<TGivenTool>& tools, TObject* object, float delay) {
    for (const TGivenTool& record : tools) {
        mInventory.push_back(record.name);
        if (TTool* tool = FindTool(record.name); tool != nullptr && !tool->mRoomTool) {
            tool->AddPart(record.extra);
        }
        Add("given " + record.name + (record.extra.empty() ? "" : " " + record.extra));
    }
}

void TRoomHost::OnToolFound(const std::string& tool) {
    Add("toolfound " + tool);
}

// "closepocket" closes the deepest open pocket; "complete" ends the room through its completion.
void TRoomHost::OnInterfaceEvent(TInterfaceEvent event, std::string name) {
    Add("event " + name + (event.argument1.empty() ? "" : " " + event.argument1));
    if (mRoom == nullptr) {
        return;
    }
    // A press beside an open pocket closes it, as the interface's close button would.
    if (name == "closepocket" || name == "undoneclosepocket") {
        mRoom->CloseOpenPocket(false);
    } else if (name == "complete") {
        mRoom->Complete();
    }
}
