#pragma once
// Small objects that shape pointer input: a polygon hit area, a hover highlight carried by the first child,
// and an object that clicks itself whenever its space is shown after it was activated.

#include <string>
#include <utility>
#include <vector>

#include "objects/object.h"

// An invisible hit area: the polygon of its "points", or its rectangle with fewer than three points.
class TShapeObject : public TObject {
public:
    int GetTypeId() const override { return 45; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    bool HitTestSelf(int x, int y) override;

    // Closed: the last point repeats the first once there are three or more.
    std::vector<std::pair<int, int>> mPoints;
};

// The first child shows while the pointer is over the object.
class TMouseEnterObject : public TObject {
public:
    int GetTypeId() const override { return 84; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void OnLoaded() override;
    void OnMouseEnter(int x, int y) override;
    void OnMouseLeave(int x, int y) override;
    void OnClick(const TMouseEvent& event) override;
    // A developer view: away from the pointer a selectable object shows its first child when selected.
    virtual void DrawAll();

    bool mSelected = false;
    bool mCanSelect = false;
    bool mOver = false;

private:
    void ShowFirstChild(bool visible);
};

// Once activated, presses itself at its own position each time its space is shown, until its clicks run out.
class TDialogObject : public TObject {
public:
    int GetTypeId() const override { return 56; }
    void RestoreState(TBaseBuffer& reader) override;
    void SaveState(TBaseBuffer& writer) override;
    void OnSpaceShow() override;
    void Activate(int index, int x, int y) override;

    bool mArmed = false;
};
