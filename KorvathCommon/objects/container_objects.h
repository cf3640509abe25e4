#pragma once
// Containers that route pointer input to their children in their own ways: the one that brings a pressed
// child to the top, the group that shares its hints, cursor and life-cycle calls with its children, the
// found group that reports when every child is used up, the first-taker list and the broadcast group.

#include <functional>
#include <vector>

#include "objects/transparent_object.h"

// A pressed child moves to the end of the list, so it is drawn last, on top.
class TBringToTopObject : public TTransparentObject {
public:
    int GetTypeId() const override { return 41; }
    bool OnMouseDown(const TMouseEvent& event) override;
    // The children's records go in the loaded order, then any child added since: a room loaded afresh holds
    // its children in the loaded order, so each record finds its own child. The drawing order is not saved.
    void RestoreState(TBaseBuffer& reader) override;
    void SaveState(TBaseBuffer& writer) override;

private:
    // Runs the call with the children in the order their records keep, and puts the drawing order back.
    void InRecordOrder(const std::function<void()>& call);
    void Arrange(const std::vector<TObject*>& order);

    // Taken before the first child moves; compared by address only, never followed.
    std::vector<const TObject*> mLoadedOrder;
};

// Its hints, cursor, activation, locks and visibility apply to every child too.
class TGroupObject : public TTransparentObject {
public:
    void SetVisible(bool visible) override;
    // The found group answers the same id; tell the two apart by class, never by id.
    int GetTypeId() const override { return 42; }
    bool OnMouseDown(const TMouseEvent& event) override;
    void OnLoaded() override;
    void Activate(int index, int x, int y) override;
    void Unlock() override;
    void Lock() override;
    // Only the first child stands for the whole group.
    void CollectHintCandidates(std::vector<TObject*>& list) override;
};

// After-event 0 with its event flags and states once every child has used up its clicks.
class TFoudedGroupObject : public TGroupObject {
public:
    bool OnMouseDown(const TMouseEvent& event) override;

    // Each child's clicks, or tool clicks when it needs a tool, are used up.
    bool AreAllChildrenUsedUp() const;
};

// No handling of its own: the children in list order, until one takes the event.
class TAnimFileObject : public TObject {
public:
    int GetTypeId() const override { return 39; }
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    bool OnMouseUp(const TMouseEvent& event) override;
    bool OnMouseDrag(const TMouseEvent& event) override;
};

// Its own handling, then every child hears the event, whoever took it before.
class TMouseEventsGroup : public TObject {
public:
    int GetTypeId() const override { return 55; }
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    bool OnMouseUp(const TMouseEvent& event) override;
    bool OnMouseDrag(const TMouseEvent& event) override;
};
