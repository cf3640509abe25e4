#pragma once
// An exchange puzzle: a row of places, each showing a piece (its own picture). A place hands its piece out
// as an inventory tool; clicking another place with that tool swaps the two pieces, and the piece that goes
// back slides into the place that handed it out. The handle groups the places and reports after-event 0
// whenever every place shows its needed piece.

#include <string>
#include <vector>

#include "graphics/point_mover.h"
#include "graphics/static_image.h"
#include "objects/object.h"
#include "objects/transparent_object.h"

class TPlacesHandleObject;

class TPlacesObject : public TObject {
public:
    ~TPlacesObject() override;
    // A finished slide asks the handle to check the puzzle.
    bool Update(float seconds) override;
    int GetTypeId() const override { return 33; }
    // False while locked. Pressed with a tool another place handed out, the two pieces swap.
    bool OnMouseDown(const TMouseEvent& event) override;
    void LoadResources() override;
    void UnloadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The piece's picture name, then activated, set, visible and given; a piece out as a tool is written as
    // reading it gives it: visible and not given.
    void SaveState(TBaseBuffer& writer) override;
    // Counts as correct whatever it shows; nothing else.
    void Activate(int index, int x, int y) override;
    // A set place that locks after set stays locked.
    void Unlock() override;
    // The tool handed out flies with the piece's picture.
    bool GiveTool(int index, std::vector<TGivenTool>& list) override;
    bool IsMovable() const override { return true; }
    std::string GetWrongToolHint(TTool* tool) override { return ""; }
    // The place, then its overlay: a view rooms never use.
    virtual void DrawAll();

    // This place takes the source's piece at once; the source's new piece slides home.
    void SwapWith(TPlacesObject& source);
    void MarkSet();
    bool IsCorrect() const { return mImageName == mNeededImage || mActivated; }
    bool IsSliding() const { return mMover.moving; }
    // The handle that owns the place while it is the place's parent.
    TPlacesHandleObject* GetHandle() const;

    bool mGiven = false;
    std::string mNeededImage;
    TPointMover mMover;
    TPlacesHandleObject* mHandle = nullptr;
    bool mActivated = false;
    bool mSet = false;
    bool mLockAfterSet = false;
    StaticImage mOverlay;
    std::string mTakeSound;

private:
    void ShowOverlay();
    float GetMovingTime() const;
};

class TPlacesHandleObject : public TTransparentObject {
public:
    int GetTypeId() const override { return 32; }
    // Not while locked; the places in list order until one takes the event.
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    bool OnMouseUp(const TMouseEvent& event) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The places learn their handle (a child of another kind is skipped with a log line), then the puzzle
    // is checked.
    void OnSpaceShow() override;
    void Unlock() override;
    void Lock() override;
    // The handle, then the places whose pieces are sliding.
    virtual void DrawAll();

    // Every place correct; the correct ones are marked set.
    bool CheckAll();
    // After-event 0 when every place is correct and the handle is unlocked.
    void CheckSolved();

    // Seconds per pixel of a slide.
    float mMovingTime = 0.001f;
    bool mAlignToCenter = false;
};
