#pragma once
// The ghost: a video object whose alpha video shows only through the ghost catcher's lens. With the right
// tool held, a pointer over it makes it flee to a random point near where it started; a press with that
// tool catches it for good and raises its find flags.

#include <memory>

#include "graphics/point_mover.h"
#include "objects/video_object.h"

struct TFleePoint {
    int x = 0;
    int y = 0;
};

// A random point within 200 pixels of the start that keeps an object of w x h on the design area (twice
// the height at the bottom). A band with no width gives its lower end, kept on the screen.
TFleePoint PickFleePoint(int startX, int startY, int width, int height);
float PointDistance(const TFleePoint& a, const TFleePoint& b);
// The event carries a held tool whose current id is the first of the object's "tool" names.
bool HoldsFindingTool(const TObject& object, const TMouseEvent& event);

class TGhostObject : public TVideoObject {
public:
    // The ghost's flight speed: flight time = distance x 0.002 / speed seconds, the infrared rule.
    static constexpr float kFlightSpeed = 1.0f;

    TGhostObject();
    ~TGhostObject() override;

    bool Update(float seconds) override;
    int GetTypeId() const override { return 22; }
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    // A caught ghost loads nothing.
    void LoadResources() override;
    void RestoreState(TBaseBuffer& reader) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    void SaveState(TBaseBuffer& writer) override;
    // The ghost draws itself only where the lens shows it.
    void DrawFrame() override { DrawAll(); }
    void DrawAll();

    void SetMask(int x, int y, const TTextureHandle& mask);
    void ClearMask();
    TFleePoint PickFleeTarget();
    TPointMover* GetMover() const { return mMover.get(); }

    bool mShown = false;
    bool mCaught = false;
    int mStartX = 0;
    int mStartY = 0;

private:
    std::unique_ptr<TPointMover> mMover;
};
