#pragma once
// What scene objects call of the rooms and the hidden-object play: click strategies found by name, the
// animator an object carries, inventory tools, the hidden-object profile, spaces by name and the interface
// events' blocked names. Declared here for the objects, implemented by the rooms.

#include <cstdint>
#include <string>
#include <vector>

#include "app/user_info.h"

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
    // The object's hint text, which may stay empty.
    virtual void GetHintText(TObject* object, std::string& text, int number) {}
};

// The executer registered under the name; none are registered yet.
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

// The inventory tool a pointer event may carry.
class TTool {
public:
    // The kind of the ghost catcher, which has no wrong-tool hint.
    static constexpr int kGhostCatcher = 3;

    virtual ~TTool() = default;
    virtual std::string GetCurrentId() const { return mId; }
    virtual bool IsComplete() const { return true; }
    virtual int GetKind() const { return 0; }
    virtual void Apply(int x, int y, int toolClicks) {}
    virtual void SetPower(float power) {}

    std::string mId;
    // In hold state 1 presses test the point plus the offset.
    int mHoldState = 0;
    int mOffsetX = 0;
    int mOffsetY = 0;
};

// The player's tools (one list for the process); the list does not own them.
class TToolList {
public:
    static TToolList& GetPlayerTools();

    TTool* FindById(const std::string& id) const;
    void Add(TTool* tool) { mTools.push_back(tool); }
    void Clear() { mTools.clear(); }

private:
    std::vector<TTool*> mTools;
};

// The profile kind of hidden-object play, with its hint settings.
class THopaBaseUserInfo : public TBaseUserInfo {
public:
    int mHintBlinkSeconds = 0;
    bool mXoHint = false;
};

// This game's profile is never of the hidden-object kind.
THopaBaseUserInfo* GetHopaUserInfo();

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
// further events of their name.
class TInterfaceEvents {
public:
    static TInterfaceEvents& Get();
    bool IsBlocked(const std::string& name) const;
    bool IsPending(const std::string& name) const;
    // Unless forced, dropped when the name is blocked or pending.
    void Post(const TInterfaceEvent& event, bool force = false);
    void Clear();

    TInterfaceEventListener* mListener = nullptr;
    std::vector<std::string> mBlockedNames;
    std::vector<TInterfaceEvent> mPending;
};
