#pragma once
// The weighing scales: a beam (the object's own image, turned by the beam angle) with two pans at the
// ends of its shoulders. A tool applied to a pan puts the scene object it stands for onto the pan; the
// beam tilts toward the heavier pan, and the puzzle is solved when both pans together carry a set weight.
// An object's weight is its "tag" value.

#include <string>

#include "graphics/inc_value.h"
#include "objects/object.h"
#include "windows/messages.h"

// What the scales need of a pan beyond a plain object: how many objects it takes and the cover it moves
// with itself.
class TWeightPan {
public:
    virtual ~TWeightPan() = default;
    // 0 takes any number; a negative number takes none.
    virtual int GetMaxObjects() const = 0;
    virtual void SetCover(TObject* cover) = 0;
};

class TWeightSystemObject : public TObject, public TMyMessageListener {
public:
    static constexpr const char* kBalanceMessage = "WeightNeedBalance";
    // Seconds the beam takes to swing fully to one side when only one pan carries weight.
    static constexpr float kOneSidedSeconds = 0.3f;

    TWeightSystemObject();
    ~TWeightSystemObject() override;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 83; }
    bool OnMouseDown(const TMouseEvent& event) override;
    void LoadResources() override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The object itself first, then its children from the topmost; the child hit is remembered.
    bool HitTest(int x, int y, bool respectLock) override;
    bool NeedsTool() const override;
    bool AcceptsTool(TTool* tool) override;
    void GetRect(float rect[4]) override;
    void OnMessage(SharedPtr<TMyMessage> message) override;
    // The same as the drawing rooms call.
    virtual void DrawAll();

    // Sets the beam swinging toward the angle the pans' weights ask for.
    void Rebalance();
    // The "tag" sum of the pan's visible children; 0 without a pan.
    static float PanWeight(const TObject* pan);

    IncValue mBeam;
    float mMaxAngle = 45 * 0.017453292f;
    float mMaxWeightDif = 45;
    float mShoulder = 45;
    float mCompleteValue = 0;
    bool mKeepOrder = false;
    bool mCheckCoords = true;
    bool mGroup = false;
    TObject* mArrow = nullptr;
    TObject* mLeft = nullptr;
    TObject* mRight = nullptr;
    TObject* mCover = nullptr;

private:
    // Moves the tool's object onto the pan under the point; false when the press is refused. A pan out
    // of tool uses moves nothing and lets the press go on.
    bool PutOnPan(const TMouseEvent& event);
    TObject* FindPanAt(int x, int y);
    void PlacePans();
};
