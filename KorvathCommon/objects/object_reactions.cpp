// Handing the reaction, task, object-name, flag and state lists of a click, a tool use or an event to the
// space: group i of each list applies to the i-th counted click or tool use, or to event i.

#include "objects/object.h"
#include "objects/object_listener.h"
#include "objects/object_services.h"

namespace {

// Group index of the list; null when there is none or it is empty (an empty group only keeps its place).
template <typename Group> const Group* GroupAt(const std::vector<Group>& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.size()) || list[static_cast<size_t>(index)].empty()) {
        return nullptr;
    }
    return &list[static_cast<size_t>(index)];
}

using TGroupCall = void (TObjectListener::*)(const TObjectPathGroup&);
using TObjectGroupCall = void (TObjectListener::*)(const TObjectPathGroup&, TObject*);
using TTaskCall = void (TObjectListener::*)(const std::vector<std::string>&, TObject*);

void PassGroup(TObjectListener* listener, const TReactionList& list, int index, TGroupCall call) {
    if (const TObjectPathGroup* group = GroupAt(list, index)) {
        (listener->*call)(*group);
    }
}

void PassGroup(TObjectListener* listener, const TReactionList& list, int index, TObjectGroupCall call,
               TObject* object) {
    if (const TObjectPathGroup* group = GroupAt(list, index)) {
        (listener->*call)(*group, object);
    }
}

void PassTasks(TObjectListener* listener, const TTaskList& list, int index, TTaskCall call, TObject* object) {
    if (const std::vector<std::string>* group = GroupAt(list, index)) {
        (listener->*call)(*group, object);
    }
}

// The whole list goes when it has more than index names.
void PassNames(TObjectListener* listener, const std::vector<std::string>& names, int index, TTaskCall call,
               TObject* object) {
    if (!names.empty() && static_cast<int>(names.size()) > index) {
        (listener->*call)(names, object);
    }
}

// The lists of one moment: click or tool.
struct TMomentLists {
    TReaction lock, unlock, show, hide, showCf, hideCf, activate, deactivate, effectSets, effects;
    TTaskKind tasks, tasksRemove;
    TNameListKind robj, cobj, aobj;
};

const TMomentLists kClickLists = {kLockAfterClick,      kUnlockAfterClick, kVisibleAfterClick,  kHideAfterClick,
                                  kVisibleAfterClickCf, kHideAfterClickCf, kActivateAfterClick, kDeactivateAfterClick,
                                  kEffsAfterClick,      kEffAfterClick,    kTasksClick,         kTasksClickRemove,
                                  kRobjAfterClick,      kCobjAfterClick,   kAobjAfterClick};
const TMomentLists kToolLists = {kLockAfterTool,      kUnlockAfterTool, kVisibleAfterTool,  kHideAfterTool,
                                 kVisibleAfterToolCf, kHideAfterToolCf, kActivateAfterTool, kDeactivateAfterTool,
                                 kEffsAfterTool,      kEffAfterTool,    kTasksTool,         kTasksToolRemove,
                                 kRobjAfterTool,      kCobjAfterTool,   kAobjAfterTool};

} // namespace

void TObject::ApplyAfterClick(int x, int y) {
    ApplyAfterCounter(GetClickGroup(), false);
}

void TObject::ApplyAfterTool(int x, int y) {
    ApplyAfterCounter(mToolClickCounter, true);
}

void TObject::ApplyAfterCounter(int index, bool afterTool) {
    TObjectListener* listener = mListener;
    if (listener == nullptr || index < 0) {
        return;
    }
    const TMomentLists& lists = afterTool ? kToolLists : kClickLists;
    PassGroup(listener, mReactions[lists.lock], index, &TObjectListener::LockObjects);
    PassGroup(listener, mReactions[lists.unlock], index, &TObjectListener::UnlockObjects);
    PassGroup(listener, mReactions[lists.show], index, &TObjectListener::ShowObjects);
    PassGroup(listener, mReactions[lists.hide], index, &TObjectListener::HideObjects);
    PassGroup(listener, mReactions[lists.showCf], index, &TObjectListener::ShowObjects);
    PassGroup(listener, mReactions[lists.hideCf], index, &TObjectListener::HideObjects);
    PassGroup(listener, mReactions[lists.activate], index, &TObjectListener::ActivateObjects);
    PassGroup(listener, mReactions[lists.deactivate], index, &TObjectListener::DeactivateObjects);
    PassTasks(listener, mTasks[lists.tasks], index, &TObjectListener::AddTasks, this);
    PassTasks(listener, mTasks[lists.tasksRemove], index, &TObjectListener::RemoveTasks, this);
    PassGroup(listener, mReactions[lists.effectSets], index, &TObjectListener::RunEffectSets, this);
    PassGroup(listener, mReactions[lists.effects], index, &TObjectListener::RunEffects, this);
    // After a click a list is still passed on the click after its last name; after a tool use it is not.
    const int reach = afterTool ? index : index - 1;
    PassNames(listener, mNameLists[lists.robj], reach, &TObjectListener::PassRobjList, this);
    PassNames(listener, mNameLists[lists.cobj], reach, &TObjectListener::PassCobjList, this);
    PassNames(listener, mNameLists[lists.aobj], reach, &TObjectListener::PassAobjList, this);
}

void TObject::ApplyAfterEvent(int event) {
    if (event < 0) {
        return;
    }
    if (TObjectListener* listener = mListener) {
        PassGroup(listener, mReactions[kActivateAfterEvent], event, &TObjectListener::ActivateObjects);
        PassGroup(listener, mReactions[kDeactivateAfterEvent], event, &TObjectListener::DeactivateObjects);
        PassGroup(listener, mReactions[kLockAfterEvent], event, &TObjectListener::LockObjects);
        PassGroup(listener, mReactions[kUnlockAfterEvent], event, &TObjectListener::UnlockObjects);
        PassGroup(listener, mReactions[kVisibleAfterEvent], event, &TObjectListener::ShowObjects);
        PassGroup(listener, mReactions[kHideAfterEvent], event, &TObjectListener::HideObjects);
        PassGroup(listener, mReactions[kEffAfterEvent], event, &TObjectListener::RunEffects, this);
        PassGroup(listener, mReactions[kEffsAfterEvent], event, &TObjectListener::RunEffectSets, this);
        PassTasks(listener, mTasks[kTasksEvent], event, &TObjectListener::AddTasks, this);
        PassTasks(listener, mTasks[kTasksEventRemove], event, &TObjectListener::RemoveTasks, this);
        PassNames(listener, mNameLists[kRobjAfterEvent], event, &TObjectListener::PassRobjList, this);
        PassNames(listener, mNameLists[kCobjAfterEvent], event, &TObjectListener::PassCobjList, this);
        PassNames(listener, mNameLists[kAobjAfterEvent], event, &TObjectListener::PassAobjList, this);
    }
    ApplyFlags(event, mFlags[kAfterEvent]);
    ApplyStates(event, mStates[kAfterEvent]);
}

void TObject::ApplyFlags(int index, const TFlagList& list) {
    const std::vector<TFlagItem>* group = GroupAt(list, index);
    if (group == nullptr) {
        return;
    }
    bool passed = false;
    for (const TFlagItem& item : *group) {
        if (TInterfaceEvents::Get().IsBlocked(item.name)) {
            continue;
        }
        passed = true;
        if (mListener != nullptr) {
            mListener->OnFlag(item, this);
        }
    }
    if (passed && mListener != nullptr) {
        mListener->OnFlagsApplied();
    }
}

void TObject::ApplyStates(int index, const TStateList& list) {
    const std::vector<TStateItem>* group = GroupAt(list, index);
    THopaBaseUserInfo* profile = GetHopaUserInfo();
    if (group == nullptr || profile == nullptr) {
        return;
    }
    for (const TStateItem& item : *group) {
        if (!item.name.empty()) {
            profile->SetValue(item.name, item.value);
        }
    }
}
