#pragma once
// What scene objects call of the rooms and the hidden-object play: click strategies found by name, the
// animator an object carries, inventory tools, the hidden-object profile, spaces by name and the interface
// events' blocked names. Declared here for the objects, implemented by the rooms.

#include <cstdint>
#include <string>
#include <vector>

#include "app/user_info.h"
#include "objects/tool.h"

class DrawObject;
class TObjectSpace;
class TObject;
class TTool;
struct TMouseEvent;

// A shared click strategy; the object uses only the two answers.
class TExecuter {
public:
    virtual ~TExecuter() = default;
    virtual bool CanUseTool(TObject* object, const std::string& toolId) { return true; }
    virtual bool OnPress(TObject* object, const TMouseEvent& event) { return true; }
    virtual void RunClick(TObject* object, const TMouseEvent& event) {}
    virtual void RunAfterTool(TObject* object, const TMouseEvent& event) {}
    virtual void OnMove(TObject* object, const TMouseEvent& event) {}
    virtual void OnRelease(TObject* object, const TMouseEvent& event) {}
    virtual void Update(TObject* object, float seconds) {}
};

class THintExecuter : public TExecuter {
public:
    // The object's hint text for a pointer event, which may stay empty.
    virtual void GetHintText(TObject* object, std::string& text, const TMouseEvent& event);
};

// The executer registered under the name, or null.
TExecuter* FindExecuter(const std::string& name);

// The animator an object carries: the object keeps it, advances it every update and starts and stops it.
class TObjectEffector {
public:
    virtual ~TObjectEffector() = default;
    virtual const std::string& GetName() const = 0;
    virtual void SetOwner(DrawObject* owner) = 0;
    virtual void Update(float seconds) = 0;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    // A trajectory that hides its owner at its end: the object then saves itself as hidden.
    virtual bool HidesOwnerAtEnd() const { return false; }
};

// The profile kind of hidden-object play, with its hint settings.
class THopaBaseUserInfo : public TBaseUserInfo {
public:
    // The second play-time counter's text when the profile flag is set, else the first's.
    std::wstring GetPlayTimeText() const;

    int mHintBlinkSeconds = 0;
    bool mXoHint = false;
    bool mTipsEnabled = true;
    bool mProfileFlag = false;
    float mPlaySeconds[2] = {0, 0};
};

// The hidden-object profile in use; this game never installs one, so it is null there.
THopaBaseUserInfo* GetHopaUserInfo();
// Not owned; null removes it. For tests and developer tools that play rooms.
void SetHopaUserInfo(THopaBaseUserInfo* profile);

// The key's tip on the room's tip panel, when one is shown.
void ShowRoomTip(const std::string& key);

// The space of that name among the managed spaces, the current one for an empty name; null when none.
TObjectSpace* FindObjectSpace(const std::string& name);

// A named event for the interface around a space.
struct TInterfaceEvent {
    TInterfaceEvent(const std::string& eventName, uint32_t delayMs, const std::string& argument);

    std::string name;
    int32_t reserved0 = -1;
    std::string argument1;
    std::string argument2;
    std::string argument3;
    int32_t reserved1 = 0;
    int32_t reserved2 = 0;
    void* reserved3 = nullptr;
    // SDL_GetTicks when made.
    uint32_t created = 0;
    uint32_t delay = 0;
    TObject* source = nullptr;
};

class TInterfaceEventListener {
public:
    virtual ~TInterfaceEventListener() = default;
    virtual void OnInterfaceEvent(TInterfaceEvent event, std::string name) = 0;
};

// The interface event channel: flags with a blocked name never reach the space. The game installs no
// listener, so undelayed events go nowhere; delayed ones wait in the pending list, where they block
// further events of their name until their time has come.
class TInterfaceEvents {
public:
    static TInterfaceEvents& Get();
    bool IsBlocked(const std::string& name) const;
    bool IsPending(const std::string& name) const;
    // Unless forced, dropped when the name is blocked or pending.
    void Post(const TInterfaceEvent& event, bool force = false);
    // Pending events whose delay has passed leave the list, in posting order, each to the listener when
    // one is installed: a name must not stay blocked for the rest of the run.
    void Update();
    void Clear();

    TInterfaceEventListener* mListener = nullptr;
    std::vector<std::string> mBlockedNames;
    std::vector<TInterfaceEvent> mPending;
};
