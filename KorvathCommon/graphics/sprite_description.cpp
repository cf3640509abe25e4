#include "graphics/sprite_description.h"

#include <cstdlib>

#include "app/ini_file.h"
#include "app/string_utils.h"
#include "graphics/random15.h"

namespace {

constexpr float kRadiansPerDegree = 3.1415927f / 180.0f;
constexpr float kFullTurnApprox = 6.28f;

std::vector<std::string> ListPieces(const IniSection_t& section, const char* key) {
    std::vector<std::string> pieces;
    const std::string text = section.GetString(key, "");
    SplitString(text.c_str(), ',', pieces);
    return pieces;
}

// A per-frame list: the list key's pieces when it has any (at least one entry per frame, entries without a
// piece keep the default), else one entry per frame of the single key's value.
template <typename T, typename Parse>
std::vector<T> ReadPerFrame(const IniSection_t& section, const char* listKey, const std::vector<T>& fromSingle,
                            int32_t frameCount, T def, Parse parse) {
    const std::vector<std::string> pieces = ListPieces(section, listKey);
    if (pieces.empty()) {
        return fromSingle;
    }
    std::vector<T> values(std::max(pieces.size(), static_cast<size_t>(frameCount)), def);
    for (size_t i = 0; i < pieces.size(); ++i) {
        values[i] = parse(pieces[i]);
    }
    return values;
}

int32_t ParseInt(const std::string& text) {
    return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
}
float ParseFloat(const std::string& text) {
    return static_cast<float>(std::atof(text.c_str()));
}
uint32_t ParseHex(const std::string& text) {
    return static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 16));
}

} // namespace

AnimObject2::AnimObject2() {
    mFinished = true;
}

void AnimObject2::Restart() {
    mPaused = false;
    mFinished = false;
    mCurrentFrame = mStartFrame;
}

void AnimObject2::SetPositionInt(int x, int y) {
    SetPositionF(static_cast<float>(x), static_cast<float>(y));
}

void AnimObject2::SetPositionF(float x, float y) {
    mPositionX = x;
    mPositionY = y;
    OnMoved();
}

void AnimObject2::LoadIni(const std::string& fileName) {
    IniFile_t ini;
    ini.Load(fileName, true);
    LoadIni(ini, fileName);
}

void AnimObject2::LoadIni(const IniFile_t& ini, const std::string& fileName) {
    if (ini.GetSections().empty()) {
        return;
    }
    static const IniSection_t kEmpty;
    const IniSection_t* main = ini.FindSection("Main");
    const std::string sprite = main != nullptr ? main->GetString("Sprite", "") : "";
    const IniSection_t* own = sprite.empty() ? nullptr : ini.FindSection(sprite);
    ReadSection(own != nullptr ? *own : main != nullptr ? *main : kEmpty, fileName);
}

void AnimObject2::ReadSection(const IniSection_t& section, const std::string& /*fileName*/) {
    mFrames.clear();
    mFrameDelays.clear();
    mPositionX = section.GetFloat("X", 0);
    mPositionY = section.GetFloat("Y", 0);
    mNeverEnding = section.GetInt("NeverEnding", 1) == 1;
    mStayOnLast = section.GetInt("StayOnLast", 0) == 1;
    for (const std::string& piece : ListPieces(section, "Frames")) {
        mFrames.push_back(ParseInt(piece));
    }
    mFrameCount = static_cast<int32_t>(mFrames.size());
    const size_t perFrame = mFrames.size();
    mFrameDelays =
        ReadPerFrame<int32_t>(section, "FrameDelays", std::vector<int32_t>(perFrame, section.GetInt("FrameDelay", 0)),
                              mFrameCount, 0, ParseInt);
    mScales = ReadPerFrame<float>(section, "Scales", std::vector<float>(perFrame, section.GetFloat("Scale", 1.0f)),
                                  mFrameCount, 1.0f, ParseFloat);
    if (section.HasKey("RandomAngle")) {
        mRandomAngle = static_cast<float>(Rand15() % 32767) / 32767.0f * kFullTurnApprox;
    }
    ReadAngles(section);
    mAdditive = section.GetInt("DrawAdditive", 0) == 1;
    ReadColors(section);
    mStartFrame = section.GetInt("StartFrame", 0);
}

void AnimObject2::ReadAngles(const IniSection_t& section) {
    if (section.HasKey("UseDeltaAngle")) {
        mDeltaAngleDirection = section.GetInt("UseDeltaAngle", 1);
        const float sign = mDeltaAngleDirection > 0 ? 1.0f : mDeltaAngleDirection < 0 ? -1.0f : 0.0f;
        // Without frames there is no first angle to set.
        mAngles.assign(static_cast<size_t>(mFrameCount), 0.0f);
        for (size_t i = 0; i < mAngles.size(); ++i) {
            mAngles[i] = i == 0 ? section.GetFloat("Angle", 0)
                                : mAngles[i - 1] + sign * 360.0f / static_cast<float>(mFrameCount);
            if (mAngles[i] > 360.0f) {
                mAngles[i] -= 360.0f;
            }
        }
    } else {
        mAngles =
            ReadPerFrame<float>(section, "Angles", std::vector<float>(mFrames.size(), section.GetFloat("Angle", 0)),
                                mFrameCount, 0.0f, ParseFloat);
    }
    for (float& angle : mAngles) {
        angle *= kRadiansPerDegree;
    }
}

// "Colors" pieces are hexadecimal ARGB values like "StartColor", one per frame.
void AnimObject2::ReadColors(const IniSection_t& section) {
    if (section.HasKey("StartColor")) {
        mStartColor = section.GetHex("StartColor", 0);
        mEndColor = section.GetHex("EndColor", 0);
        mColorDelay = section.GetInt("ColorDelay", 0);
        mColors = {mStartColor, mEndColor, mStartColor};
        return;
    }
    const std::vector<uint32_t> listed = ReadPerFrame<uint32_t>(section, "Colors", {}, mFrameCount, 0u, ParseHex);
    if (!listed.empty()) {
        mColors = listed;
        return;
    }
    const uint32_t single = section.GetHex("Color", 0);
    if (single != 0) {
        mColors.assign(static_cast<size_t>(mFrameCount), single);
    }
}

void AnimObject2::CopyFrom(const AnimObject2& other) {
    if (&other == this) {
        return;
    }
    mFinished = other.mFinished;
    mPaused = other.mPaused;
    mPositionX = other.mPositionX;
    mPositionY = other.mPositionY;
    OnMoved();
    mCurrentFrame = other.mCurrentFrame;
    mColors = other.mColors;
    mFrames = other.mFrames;
    mFrameDelays = other.mFrameDelays;
    mAngles = other.mAngles;
    mScales = other.mScales;
    mAdditive = other.mAdditive;
    mFrameCount = other.mFrameCount;
    mStartColor = other.mStartColor;
    mEndColor = other.mEndColor;
    mColorDelay = other.mColorDelay;
    mStartFrame = other.mStartFrame;
    mStayOnLast = other.mStayOnLast;
    mNeverEnding = other.mNeverEnding;
}
