#pragma once
// An object that needs several tools, each applied to one of its children: it routes a held tool to the
// child that needs it and completes when every child that needs a tool has had one. As a group it instead
// passes the pointer to all its children.

#include <string>

#include "objects/object.h"

class TMultyToolObject : public TObject {
public:
    // Ignored once complete.
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    bool OnMouseUp(const TMouseEvent& event) override;
    bool OnMouseDrag(const TMouseEvent& event) override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The object's record, then one byte: complete.
    void SaveState(TBaseBuffer& writer) override;
    void ResetState() override;
    // Its own tools or any child's.
    bool NeedsTool() const override;
    // With "keeporder", a tool for a later child is refused while an earlier child still waits for another.
    bool AcceptsTool(TTool* tool) override;
    // Its own rectangle, or the children's union when it has no size.
    void GetRect(float rect[4]) override;
    bool IsSolved() const override;

    // The first child that lists the tool, has had none yet and (with "checkcoords") is under the point.
    TObject* FindChildForTool(const std::string& toolId, int x, int y);

    bool mComplete = false;
    bool mKeepOrder = false;
    bool mCheckCoords = false;
    bool mGroup = false;

private:
    void PressWithoutTool(const TMouseEvent& event);
    void PressWithTool(const TMouseEvent& event, TTool* tool);
    // The children from last to first until one takes the event.
    template <typename Call> bool PassToChildren(Call call);
};
