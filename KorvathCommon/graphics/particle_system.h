#pragma once
// Sprite particle effects described by an INI file: an emitter of up to 500 particles that move, grow, spin
// and change colour over their life, each drawn as a rectangle of the particle texture.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/texture.h"

class IniFile_t;
class IniSection_t;

struct TParticleData {
    float x = 0;
    float y = 0;
    // Added to the position once per update.
    float velocityX = 0;
    float velocityY = 0;
    float gravity = 0;
    float radialAccel = 0;
    float tangentialAccel = 0;
    float spin = 0;
    float spinDelta = 0;
    float size = 0;
    float sizeDelta = 0;
    float color[4] = {0, 0, 0, 0};
    float colorDelta[4] = {0, 0, 0, 0};
    float age = 0;
    float life = 0;
    int32_t srcX = 0;
    int32_t srcY = 0;
    int32_t srcW = 0;
    int32_t srcH = 0;
};

// The description values of section "Default".
struct TParticleInfo {
    int emission = 50;
    float lifetime = -1;
    float particleLifeMin = 1.0f;
    float particleLifeMax = 3.0f;
    float direction = 3.1415927f;
    float spread = 3.1415927f;
    bool relative = false;
    float speedMin = 1.0f;
    float speedMax = 1.0f;
    float gravityMin = 0;
    float gravityMax = 0;
    float radialAccelMin = 0;
    float radialAccelMax = 0;
    float tangentialAccelMin = 0;
    float tangentialAccelMax = 0;
    float sizeStart = 1.0f;
    float sizeEnd = 1.0f;
    float sizeVar = 0.5f;
    float spinStart = 0;
    float spinEnd = 0;
    float spinVar = 0;
    float colorStart[4] = {0, 0, 0, 0};
    float colorEnd[4] = {0, 0, 0, 0};
    float colorVar = 0.5f;
    float alphaVar = 0.5f;
};

class ParticleSystemListener {
public:
    virtual ~ParticleSystemListener() = default;
    virtual void OnParticleEvent(void* source, int value) {}
};

class ParticleSystem {
public:
    static constexpr int kMaxParticles = 500;
    static constexpr int kRandomTableSize = 65536;
    // Emit-area types.
    static constexpr int kAreaPoint = 0;
    static constexpr int kAreaRectangle = 1;
    static constexpr int kAreaEllipse = 2;
    static constexpr int kAreaMask = 3;
    static constexpr int kAreaPolygon = 4;

    struct TPoint {
        int32_t x = 0;
        int32_t y = 0;
    };

    // Reads section "Default" of the description; a missing file or section leaves the defaults and no
    // particle texture. Stopped until the owner starts it.
    ParticleSystem(const std::string& iniFile, const TTextureHandle& mask);
    // The same from a description read into memory.
    ParticleSystem(const IniFile_t& ini, const TTextureHandle& mask);
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    void SetDefaults();
    // False when the section does not exist.
    bool ReadSection(const IniFile_t& ini, const std::string& section);
    // "x,y,w,h" inside the particle texture, appended to the list; false otherwise.
    bool ParseTextureRect(const std::string& text, std::vector<TFrameRect>& list) const;
    // Emit area type 4: the points relative to their bounding box's corner.
    void SetEmitPolygon(const std::vector<TPoint>& points);
    // Ages the system and its particles and emits new ones.
    void Update(float seconds);
    void MoveParticles(float seconds);
    void Draw(float parentAlpha, float dx, float dy);
    // Even-odd rule over the emit polygon's outline (closed implicitly).
    bool IsInPolygon(int32_t x, int32_t y) const;

    // The random table's entry at an index, and where the next draw comes from (for tests).
    static int32_t RandomAt(int index);
    static void SetRandomCursor(uint16_t cursor);

    bool mStopped = true;
    TTextureHandle mTexture;
    TTextureHandle mMask;
    std::string mImageFile;
    TParticleInfo mInfo;
    int mBlend = 1;
    std::vector<TFrameRect> mTextureRects;
    bool mUseRandomRect = true;
    int32_t mAreaType = kAreaPoint;
    float mAreaWidth = 0;
    float mAreaHeight = 0;
    std::vector<TPoint> mPolygon;
    // A negative age never grows: the system emits without end.
    float mAge = 0;
    float mResidue = 0;
    float mPreviousX = 0;
    float mPreviousY = 0;
    float mX = 0;
    float mY = 0;
    int32_t mParticleCount = 0;
    std::array<TParticleData, kMaxParticles> mParticles{};

private:
    void Emit();
    void PlaceInArea(float& dx, float& dy);
    void RandomOpaquePoint(float& dx, float& dy) const;
    void RandomPointInPolygon(float& dx, float& dy);
    void PickSourceRect(TParticleData& particle);
    static float Uniform(float lo, float hi);
    static int32_t NextRandom();
};
