#pragma once
// A slots puzzle: each slot shows one of its children, chosen by an index, and counts as placed at its
// correct index (then it may lock and show a marker). A slot hands out what it shows as an inventory tool;
// clicking another slot with that tool exchanges the two indices. The handle groups the slots, passes
// pointer input on to them and reports after-event 0 when every slot is placed.

#include <string>
#include <vector>

#include "graphics/static_image.h"
#include "objects/object.h"
#include "objects/transparent_object.h"

class TPlacesItemsHandleObject;

// The tools of the player's list that a scene object handed out remember it, so that the object they are
// used on can tell where they came from; a dying object is forgotten by every tool.
void SetToolSource(const std::string& toolId, TObject* source, const std::string& flyImage);
void ForgetToolSource(const TObject* source);
// The object that handed the tool out, or null.
TObject* GetToolSource(const TTool* tool);

class TPlacesItemsObject : public TObject {
public:
    ~TPlacesItemsObject() override;
    int GetTypeId() const override { return 33; }
    // False while locked or hidden. Pressed with a tool another slot handed out, the two slots exchange
    // their indices and the handle checks the puzzle.
    bool OnMouseDown(const TMouseEvent& event) override;
    void LoadResources() override;
    void UnloadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // Placed flag, then the index.
    void SaveState(TBaseBuffer& writer) override;
    void OnSpaceShow() override;
    // Counts as placed whatever it shows; nothing else.
    void Activate(int index, int x, int y) override;
    // A placed slot that locks after set stays locked.
    void Unlock() override;
    // The tool handed out flies with the picture of the child now shown.
    bool GiveTool(int index, std::vector<TGivenTool>& list) override;
    bool IsMovable() const override { return true; }
    std::string GetWrongToolHint(TTool* tool) override { return ""; }
    // The slot, then its marker: a view rooms never use.
    virtual void DrawAll();

    // Shows child i alone and takes its rectangle; the correct index marks the slot placed.
    void SetIndex(int index);
    void MarkPlaced();
    // The handle that owns the slot while it is the slot's parent.
    TPlacesItemsHandleObject* GetOwner() const;

    TPlacesItemsHandleObject* mOwner = nullptr;
    bool mDone = false;
    bool mPlaced = false;
    bool mLockAfterSet = false;
    StaticImage mMarker;
    int mIndex = 0;
    int mCorrectIndex = 0;
    std::string mTakeSound;

private:
    void ShowMarker();
};

class TPlacesItemsHandleObject : public TTransparentObject {
public:
    int GetTypeId() const override { return 32; }
    // Not while locked; the slots in list order until one takes the event.
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    bool OnMouseUp(const TMouseEvent& event) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void OnSpaceFirstShow() override;
    // The slots learn their owner (a child of another kind is skipped with a log line), then the puzzle
    // is checked.
    void OnSpaceShow() override;
    void Unlock() override;
    void Lock() override;
    virtual void DrawAll();

    // Every slot at its correct index or activated; slots found so are marked placed.
    bool AreAllPlaced();
    // After-event 0 when every slot is placed and the handle is unlocked.
    void CheckSolved();

    bool mAlignToCenter = false;

private:
    void CentreChildren();
};
