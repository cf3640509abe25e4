#pragma once
// The description of a sprite animation read from an INI file: frame sequence, per-frame delays, scales,
// angles and colours, position and playing flags. It draws nothing and never advances by itself; owners
// read its values.

#include <cstdint>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "graphics/draw_object.h"
#include "graphics/static_image.h"

class IniSection_t;

class AnimObject2 : public DrawObject {
public:
    AnimObject2();

    void DrawOver() override { IsFinished(); }
    // Stores the scale only.
    void SetScale(float scale) override { mSpriteScale = scale; }
    // Running from the start frame.
    void Restart() override;

    // Section "Main" names the sprite's section in "Sprite"; the keys are read from that section when the
    // file has it, else from "Main". Nothing happens for a file that cannot be read.
    virtual void LoadIni(const std::string& fileName);
    // The same from a file read into memory.
    void LoadIni(const IniFile_t& ini, const std::string& fileName);
    virtual void ReadSection(const IniSection_t& section, const std::string& fileName);
    virtual bool IsPaused() { return mPaused; }
    virtual bool IsRunning() { return !IsFinished() && !mPaused; }
    virtual void SetPositionInt(int x, int y);
    virtual void SetPositionF(float x, float y);
    virtual void OnMoved() {}
    virtual void OnValue(int value) {}
    virtual bool IsDone() { return IsFinished(); }
    virtual void Stop() { mFinished = true; }
    virtual void CopyFrom(const AnimObject2& other);

    bool mAdditive = false;
    int32_t mDeltaAngleDirection = 0;
    uint32_t mStartColor = 0;
    uint32_t mEndColor = 0;
    int32_t mColorDelay = 0;
    int32_t mStartFrame = 0;
    bool mStayOnLast = false;
    bool mPaused = true;
    float mPositionX = 0;
    float mPositionY = 0;
    // Radians.
    float mRandomAngle = 0;
    float mSpriteScale = 1.0f;
    int32_t mCurrentFrame = 0;
    std::vector<uint32_t> mColors;
    std::vector<int32_t> mFrames;
    std::vector<int32_t> mFrameDelays;
    std::vector<float> mScales;
    // Radians, one per frame.
    std::vector<float> mAngles;
    int32_t mFrameCount = 0;
    bool mNeverEnding = true;
    StaticImage mImage;

private:
    void ReadAngles(const IniSection_t& section);
    void ReadColors(const IniSection_t& section);
};
