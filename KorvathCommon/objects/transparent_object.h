#pragma once
// Small pieces other kinds build on: the marker object that carries a duration, the container whose
// pointer input also reaches its children, and two small interfaces of catalogue kinds.

#include "objects/object.h"

class TDoubleScoreObject : public TObject {
public:
    int GetTypeId() const override { return 67; }
    // "time" after the common attributes; 9 s when absent.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;

    float mTime = 0;
};

// Pointer input goes to the container and to its children, the topmost child first.
class TTransparentObject : public TObject {
public:
    int GetTypeId() const override { return 40; }
    bool OnMouseDown(const TMouseEvent& event) override;
    // Every child hears the move, so the lower ones still learn that the pointer left them.
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    bool OnMouseUp(const TMouseEvent& event) override;
    // Only the children, the topmost first.
    bool OnMouseDrag(const TMouseEvent& event) override;
};

// A minigame tool whose state is saved.
class TSaveable {
public:
    virtual ~TSaveable() = default;
    virtual void RestoreState(TBaseBuffer& reader) {}
    virtual void SaveState(TBaseBuffer& writer) {}
};

class TSlideRotatorListener {
public:
    virtual ~TSlideRotatorListener() = default;
    // The rotator's slide has ended.
    virtual void OnSlideFinished() {}
};
