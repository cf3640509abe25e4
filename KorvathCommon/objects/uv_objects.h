#pragma once
// Objects that show a part of their texture chosen by texture coordinates, repeating the texture where the
// coordinates pass whole numbers; the spinning kind scrolls its v coordinates for ever.

#include <vector>

#include "app/timer.h"
#include "graphics/inc_value.h"
#include "objects/object.h"

// One piece of the texture: coordinates that do not pass a whole number.
struct TUVPiece {
    float u1 = 0;
    float v1 = 0;
    float u2 = 0;
    float v2 = 0;
};

// Where a piece is drawn and which texture pixels it shows.
struct TUVPieceRect {
    float srcX = 0;
    float srcY = 0;
    float srcW = 0;
    float srcH = 0;
    float x = 0;
    float y = 0;
};

// Each piece placed by its offset from the first, turned by the angle (radians) around the pivot.
std::vector<TUVPieceRect> BuildPieceRects(const std::vector<TUVPiece>& pieces, float x, float y, float width,
                                          float height, float pivotX, float pivotY, float angle);

class TUVObject : public TObject {
public:
    int GetTypeId() const override { return 57; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // The pieces, each drawn from its part of the texture; a view rooms never use.
    virtual void DrawAll();

    // Cut at the whole numbers strictly inside each range; u intervals first, then v. A range of more than
    // 256 repeats gives no pieces (logged when loaded).
    std::vector<TUVPiece> SplitIntoPieces() const;

    float mU1 = 0;
    float mV1 = 0;
    float mU2 = 1;
    float mV2 = 1;
};

class TUVSpinObject : public TUVObject {
public:
    bool Update(float seconds) override;
    int GetTypeId() const override { return 59; }
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;

    // One texture height up (ascending) or down over the time.
    void StartScroll();

    float mStartDelay = 0;
    float mTime = 15;
    float mBaseV1 = 0;
    float mBaseV2 = 1;
    IncValue mScroll;
    TTimer mDelayTimer;
    bool mAscending = true;
};
