#pragma once
// The weight pan, which carries the objects put on it lined up on its plate and moves them and its cover
// with itself; linked weights that step back and forth along their positions, stepping the weights linked
// to them; and the parent solved when all of its weights stand at one position.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "graphics/point_mover.h"
#include "objects/transparent_object.h"

class TWeightPartObject : public TObject {
public:
    ~TWeightPartObject() override = default;

    // Carries the children along, then the cover.
    void SetPosition(float x, float y, bool moveChildren) override;
    int GetTypeId() const override { return 82; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void OnSpaceShow() override;
    bool HitTestSelf(int x, int y) override;
    // The children from the topmost, else the pan's rectangle whatever its visibility or lock.
    bool HitTest(int x, int y, bool respectLock) override;
    bool AcceptsTool(TTool* tool) override;
    // Lines the new child up with the others on the plate.
    bool AddChild(TObject* object) override;
    // The others keep their places.
    bool RemoveChild(TObject* object) override;
    // The pan's own rectangle, or with no size the union of its children's from an all-zero rectangle.
    void GetRect(float rect[4]) override;
    virtual void DrawAll();

    // Side by side, centred on the plate, their bottoms on the plate line.
    void ArrangeChildren();
    void PlaceChildren();

    int mPlateX = 0;
    int mPlateY = 0;
    int mPlateW = 0;
    int mMaxObjects = 2;
    TObject* mCover = nullptr;
    // Each carried object's place relative to the pan.
    std::map<const TObject*, std::pair<int, int>> mOffsets;
};

class TConjunctWeightObject : public TObject {
public:
    ~TConjunctWeightObject() override = default;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 79; }
    // A hit steps this weight, then the weights linked to it.
    bool OnMouseDown(const TMouseEvent& event) override;
    void LoadResources() override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // Finds the linked weights by id in the root space.
    void OnSpaceShow() override;
    // Not while moving.
    bool HitTestSelf(int x, int y) override;

    // To the next position in its direction, turning at either end; nothing while moving.
    void Step();
    // One level: the linked weights' own links are not followed.
    void StepLinked();
    bool IsMoving() const { return mMover.moving; }

    bool mForward = true;
    float mMoveTime = 0.2f;
    TPointMover mMover;
    std::vector<std::string> mLinkedNames;
    std::vector<TConjunctWeightObject*> mLinked;
    std::vector<std::pair<int, int>> mPositions;
    int mCurrentPos = 0;
};

class TConjunctWeightParentObject : public TTransparentObject {
public:
    ~TConjunctWeightParentObject() override = default;

    // Solved once every weight stands at the correct position: after-event 0, then everything locks.
    bool Update(float seconds) override;
    int GetTypeId() const override { return 80; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void OnLoaded() override;

    int mCorrectPos = 0;
    std::vector<TConjunctWeightObject*> mWeights;
};
