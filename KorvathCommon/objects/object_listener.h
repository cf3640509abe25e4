#pragma once
// How a scene object reports to the space that holds it: clicks, tool use, hovering and the groups of
// its reaction lists. Every operation is empty here; the object relies on no result.

#include <string>
#include <vector>

#include "objects/object_records.h"

class TObject;
class TTool;
struct TMouseEvent;

class TObjectListener {
public:
    virtual ~TObjectListener() = default;

    virtual void OnToolGiven(const std::vector<TGivenTool>& tools, TObject* object, float delay) {}
    virtual void OnToolApplied(TObject* object, TTool* tool, int count) {}
    virtual void OnObjectClicked(TObject* object) {}
    virtual void OnFlag(const TFlagItem& item, TObject* object) {}
    virtual void OnFlagsApplied() {}
    virtual void UnlockObjects(const TObjectPathGroup& group) {}
    virtual void LockObjects(const TObjectPathGroup& group) {}
    virtual void ActivateObjects(const TObjectPathGroup& group) {}
    virtual void DeactivateObjects(const TObjectPathGroup& group) {}
    virtual void ShowObjects(const TObjectPathGroup& group) {}
    virtual void HideObjects(const TObjectPathGroup& group) {}
    virtual void RunEffects(const TObjectPathGroup& group, TObject* object) {}
    virtual void RunEffectSets(const TObjectPathGroup& group, TObject* object) {}
    virtual void AddTasks(const std::vector<std::string>& tasks, TObject* object) {}
    virtual void RemoveTasks(const std::vector<std::string>& tasks, TObject* object) {}
    virtual void PassAobjList(const std::vector<std::string>& names, TObject* object) {}
    virtual void PassRobjList(const std::vector<std::string>& names, TObject* object) {}
    virtual void PassCobjList(const std::vector<std::string>& names, TObject* object) {}
    virtual void OnMouseEnterObject(TObject* object, const TMouseEvent& event) {}
    virtual void OnMouseLeaveObject(TObject* object, const TMouseEvent& event) {}
    virtual void OnFirstHover(TObject* object, const TMouseEvent& event) {}
    virtual void OnObjectPressed(TObject* object, const TMouseEvent& event) {}
    virtual void OnObjectReleased(TObject* object, const TMouseEvent& event) {}
};
