#pragma once
// The weighing scales: a beam (the object's own image, turned by the beam angle) with two pans at the
// ends of its shoulders. A tool applied to a pan puts the scene object it stands for onto the pan; the
// beam tilts toward the heavier pan, and the puzzle is solved when both pans together carry a set weight.
// An object's weight is its "tag" value.

#include <map>
#include <string>
#include <vector>

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
    // The names of the objects each pan carries (left, then right: a 32-bit count and the names), then the
    // common record. The carried objects were moved onto the pans from elsewhere in the room, so the common
    // record alone cannot say where they stand.
    void SaveState(TBaseBuffer& writer) override;
    // Puts every named object back on its pan before the records are read and sends the objects the pans
    // carry but the record does not name back where they came from; when that moved anything, the beam
    // rests at once at the pans' balance.
    void RestoreState(TBaseBuffer& reader) override;
    // The same as the drawing rooms call.
    virtual void DrawAll();

    // Sets the beam swinging toward the angle the pans' weights ask for.
    void Rebalance();
    // The angle the pans' weights ask for.
    float TargetAngle() const;
    // Exactly one pan carries weight.
    bool IsOneSided() const;
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
    // An object may go onto a pan when another object holds it and it is neither a pan nor holds one.
    bool CanCarry(const TObject* object, const TObject* holder) const;
    // Moves the object from its holder onto the pan, remembering where it came from; false when refused.
    bool MoveOntoPan(TObject* object, TObject* pan);
    void FindPans();
    // True when anything moved.
    bool PlaceSavedWeights(const std::vector<std::string> (&names)[2]);
    // The pan's children are exactly these objects, in this order.
    static bool IsCarrying(const TObject& pan, const std::vector<TObject*>& objects);
    // The object goes back to the holder it was first taken from, among that holder's children where it
    // stood; false when that holder is no longer in the room.
    bool ReturnHome(TObject* object);
    bool IsInRoom(const TObject* object) const;

    // Where an object moved onto a pan came from: its holder and its own position there.
    struct THome {
        TObject* holder = nullptr;
        float x = 0;
        float y = 0;
    };
    // Each moved object's home, and each holder's children as they stood before the first of them left.
    // Holders are only compared, never followed, until IsInRoom finds them.
    std::map<const TObject*, THome> mHomes;
    std::map<const TObject*, std::vector<const TObject*>> mHomeOrders;
};
