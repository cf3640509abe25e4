#pragma once
// Frame animations: a frame strip (one texture of equal frames shown in turn through the image's source
// rectangle), a frame strip with a display time per frame, and a key-frame animation of separate images.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/timer.h"
#include "graphics/draw_object.h"
#include "graphics/static_image.h"

class TBaseBuffer;
class TiXmlElement;
class TCadrImage;

class TCadrImageListener {
public:
    virtual ~TCadrImageListener() = default;
    // The end of every pass through the frames.
    virtual void OnLoopEnd(TCadrImage* strip) {}
};

class TCadrImage : public DrawObject {
public:
    static constexpr int32_t kEndless = -1;

    ~TCadrImage() override = default;

    // Draws the image (the current frame) whether playing or not.
    void Draw(float parentAlpha) override;
    // True while not playing.
    bool Update(float seconds) override;
    void SetVisible(bool visible) override { mImage.SetVisible(visible); }
    bool IsVisible() override { return mImage.IsVisible(); }
    float GetX() override { return mImage.GetX(); }
    float GetY() override { return mImage.GetY(); }
    void SetScale(float scale) override { mImage.SetScale(scale); }
    void SetScaleXY(float scaleX, float scaleY) override { mImage.SetScaleXY(scaleX, scaleY); }

    // 17 bytes: playing, elapsed, current frame, loops done, loop count.
    virtual void RestoreState(TBaseBuffer& buffer);
    // Plays loops passes (-1 endless) from the start frame, or resumes where it was when paused.
    virtual void Play(int32_t loops);
    virtual void Stop() { mPlaying = false; }
    virtual void SaveState(TBaseBuffer& buffer);

    // Reads the strip's description; the texture is loaded when loadTextures is set.
    void LoadFromXml(const TiXmlElement* element, bool loadTextures, const std::string& folder);
    void SetFrames(float secondsPerFrame, int32_t frameCount, int32_t frameWidth, int32_t frameHeight);
    void BuildFrames(int32_t count);
    // Frames lie row by row over the texture's width (the "tw" fallback while it is not loaded).
    TFrameRect GetFrameRect(int32_t index) const;
    void SetFrame(int32_t index);
    // Turns the image about the middle of its current frame.
    void SetAngleAboutFrameCentre(float angle);

    bool mPlaying = false;
    int32_t mFrameWidth = 0;
    int32_t mFrameHeight = 0;
    int32_t mFrameCount = 1;
    float mSecondsPerFrame = 0;
    float mElapsed = 0;
    int32_t mCurrentFrame = 0;
    int32_t mStartFrame = 0;
    StaticImage mImage;
    std::string mImageName;
    int32_t mLoopCount = 1;
    int32_t mLoopsDone = 0;
    int32_t mTextureWidth = 0;
    int32_t mTextureHeight = 0;
    // Set by owners: the next Play resumes without rewinding.
    bool mPaused = false;
    // Set by owners: the last pass ends on the last frame instead of frame 0.
    bool mStayOnLast = false;
    TCadrImageListener* mListener = nullptr;
    std::vector<TFrameRect> mFrames;

protected:
    // Shows frame i through the image's source rectangle; nothing for a frame that does not exist.
    void ShowFrame(int32_t index);
    // A frame index from outside (a description or a saved state) brought into the strip's frames.
    int32_t ValidFrame(int32_t index) const;

private:
    void EndPass();
};

// A frame strip whose frames have their own display times ("ctime").
class TTimeCadrImage : public TCadrImage {
public:
    bool Update(float seconds) override;
    // 17 bytes of the strip, then frame counter, loops left, playing and time cursor (13 bytes).
    void RestoreState(TBaseBuffer& buffer) override;
    // Passes through the times (-1 endless; 0 plays one pass).
    void Play(int32_t loops) override;
    void Stop() override { mTimePlaying = false; }
    void SaveState(TBaseBuffer& buffer) override;

    // Appends the "ctime" list to the times and puts the cursor on the first.
    void LoadTimes(const TiXmlElement* element);

    std::vector<float> mTimes;
    size_t mTimeCursor = 0;
    // The display time of the frame showing; its listener is the owner's to set.
    TTimer mFrameTimer;
    bool mTimePlaying = false;
    int32_t mFrameCounter = 0;
    int32_t mLoopsLeft = 0;

private:
    // Starts the frame timer with the time at an index when it is above 0.
    void StartTimer(size_t timeIndex);
};

struct TCadrImage2Frame {
    // Also the name of its image.
    std::string name;
    StaticImage image;
    // Offset from the animation's position.
    int32_t x = 0;
    int32_t y = 0;
    int32_t positionX = 0;
    int32_t positionY = 0;
    bool centred = false;
    float angle = 0;
};

// Key frames: separate images with their own offsets, shown one at a time. The DrawObject angle, alpha and
// scale are the animation's.
class TCadrImage2 : public DrawObject {
public:
    static constexpr float kDefaultFrameSeconds = 0.2f;

    // Nothing while not playing or without frames.
    void Draw(float parentAlpha) override;
    // True while not playing; a playing animation never finishes.
    bool Update(float seconds) override;
    void SetPosition(float x, float y, bool centred) override;
    void SetScaleXY(float scaleX, float scaleY) override;
    // Plays from the first frame.
    void Restart() override;

    void LoadFromXml(const TiXmlElement* element, bool loadTextures);
    // The description file's root element; the shared document is released afterwards.
    void Load(const std::string& fileName, bool loadTextures);
    void LoadImages();
    void ReleaseImages();
    void SetAdditive(bool additive);

    bool mPlaying = false;
    float mSecondsPerFrame = kDefaultFrameSeconds;
    float mElapsed = 0;
    int32_t mCurrentFrame = 0;
    int32_t mFrameCount = 0;
    std::vector<std::unique_ptr<TCadrImage2Frame>> mFrames;
    bool mStayOnLast = false;
};
