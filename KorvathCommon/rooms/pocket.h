#pragma once
// A pocket: a close-up opened over its room when the player clicks an object that names it. It is a small
// room of its own, shown in a box with an optional frame, growing out of a point of the scene when it
// opens and shrinking back into it when it closes.

#include <array>
#include <string>

#include "rooms/room.h"

class TPocket : public TRoom {
public:
    static constexpr float kNotGiven = 3.4028235e38f;

    TPocket();

    int GetKindFlags() const override { return kKindPocket; }
    void LoadFromXml(const TiXmlElement* element) override;
    void Show() override;
    void Hide() override;
    void Complete() override;
    void Draw() override;
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event) override;
    bool OnMouseUp(const TMouseEvent& event) override;
    void LoadImages(bool flag) override;
    void UnloadImages() override;
    void MoveObjectsBy(int dx, int dy) override;
    TEffector* GetEffector(size_t index) override;
    size_t GetEffectorCount() const override;
    void PlaceFrame(const TiXmlElement* element) override {}
    TObjectSpace* FindPocket(const std::string& name) override;

    bool InBox(int x, int y) const;
    // The point the pocket grows from: the given start point, else the box centre.
    float GetStartX() const;
    float GetStartY() const;
    // The parent's "." this pocket's name, the key of the profile's pocket pairs.
    std::string GetPairName() const;

    std::string mBoxObject;
    TRoom* mOwnerRoom = nullptr;
    float mStartX = kNotGiven;
    float mStartY = kNotGiven;
    bool mActivateShadow = true;
    StaticImage mFrameImage;
    bool mLoadTexturesOnLoadOwner = false;
    float mAppearTime = 0.3f;
    float mDisappearTime = 0.3f;
    std::array<int, 4> mConfiguredBox = {0, 0, 0, 0};
    int mBackImageX = 0;
    int mBackImageY = 0;
};
