#pragma once
// A press-in-order puzzle whose children are its buttons (each pressed button locks until the attempt is
// judged), and a plain scene button that shows a pressed image while it is held.

#include <string>
#include <vector>

#include "app/timer.h"
#include "graphics/static_image.h"
#include "objects/object.h"

class TButtonSequenceControlObject : public TObject {
public:
    static constexpr int kTypeId = 17;

    // Runs the unlock timer; when it runs out the buttons unlock and the first group of click reactions runs.
    bool Update(float seconds) override;
    int GetTypeId() const override { return kTypeId; }
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseMove(const TMouseEvent& event, bool* firstHover) override;
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    // Also starts the sequence again.
    void Unlock() override;
    // Any child's own hit, else the control's image.
    bool HitTestSelf(int x, int y) override;
    // The entered presses are not part of the record, so a restored attempt that was under way (or waiting
    // for its unlock) starts again at the next update or press; a solved control stays solved.
    void RestoreState(TBaseBuffer& reader) override;
    // The control at full alpha when visible; rooms never call it.
    virtual void DrawAll();

    void ResetSequence();
    bool IsSequenceRight() const;

    std::vector<std::string> mRightSequence;
    std::vector<std::string> mEnteredSequence;
    std::string mGameStateKey;
    TTimer mUnlockTimer;
    float mUnlockTime = 0.5f;
    std::string mHintKey;
    std::string mWrongSound;
    bool mRestartPending = false;

private:
    void RestartIfPending();
    bool AreAllChildrenLocked() const;
    bool IsAnyChildLocked() const;
    void OnWrongSequence();
};

class TClickButtonObject : public TObject {
public:
    static constexpr int kTypeId = 75;

    int GetTypeId() const override { return kTypeId; }
    bool OnMouseDown(const TMouseEvent& event) override;
    bool OnMouseUp(const TMouseEvent& event) override;
    void LoadResources() override;
    void UnloadResources() override;
    // The first two "img" children: the normal image, then the pressed one.
    void LoadFromXml(const TiXmlElement* element, const std::string& folder) override;
    bool HitTestSelf(int x, int y) override;
    // The object at full alpha, then the image for the pressed state; rooms never call it.
    virtual void DrawAll();

    StaticImage& ShownImage() { return mPressed ? mPressedImage : mNormalImage; }

    StaticImage mNormalImage;
    StaticImage mPressedImage;
    bool mPressed = false;
};
