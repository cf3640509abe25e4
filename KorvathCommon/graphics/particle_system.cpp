#include "graphics/particle_system.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/ini_file.h"
#include "app/log.h"
#include "graphics/random15.h"
#include "graphics/texture_cache.h"

namespace {

constexpr float kRandomMax = 32767.0f;
// Tries of the area searches: enough for any shape that has room for a point.
constexpr int kEllipseTries = 64;
constexpr int kMaskTries = 31;
constexpr int kPolygonTries = 20;

// Filled once, on first use, from the runtime's generator kept to 15 bits.
const std::vector<int32_t>& RandomTable() {
    static const std::vector<int32_t> table = [] {
        std::vector<int32_t> values(ParticleSystem::kRandomTableSize);
        for (int32_t& value : values) {
            value = Rand15();
        }
        return values;
    }();
    return table;
}

uint16_t gRandomCursor = 0;
// Shared by every system: the next texture rectangle for systems that take them in turn.
size_t gRectCounter = 0;

} // namespace

int32_t ParticleSystem::RandomAt(int index) {
    return RandomTable()[static_cast<size_t>(index) & (kRandomTableSize - 1)];
}

void ParticleSystem::SetRandomCursor(uint16_t cursor) {
    gRandomCursor = cursor;
}

int32_t ParticleSystem::NextRandom() {
    return RandomTable()[gRandomCursor++];
}

float ParticleSystem::Uniform(float lo, float hi) {
    return lo + (hi - lo) / kRandomMax * static_cast<float>(NextRandom());
}

ParticleSystem::ParticleSystem(const std::string& iniFile, const TTextureHandle& mask)
    : ParticleSystem(ReadIniFile(iniFile), mask) {}

ParticleSystem::ParticleSystem(const IniFile_t& ini, const TTextureHandle& mask) : mMask(mask) {
    SetDefaults();
    ReadSection(ini, "Default");
}

void ParticleSystem::SetDefaults() {
    mInfo = TParticleInfo();
    mImageFile = "textures/fx/particles";
    mStopped = true;
    mAge = 0;
    mResidue = 0;
    mPreviousX = mPreviousY = mX = mY = 0;
    mParticleCount = 0;
    mAreaType = kAreaPoint;
    mAreaWidth = mAreaHeight = 0;
    mBlend = 1;
    mUseRandomRect = true;
}

bool ParticleSystem::ReadSection(const IniFile_t& ini, const std::string& name) {
    const IniSection_t* section = ini.FindSection(name);
    if (section == nullptr) {
        return false;
    }
    TParticleInfo& d = mInfo;
    d.emission = section->GetInt("nEmission", d.emission);
    d.lifetime = section->GetFloat("fLifetime", d.lifetime);
    d.particleLifeMin = section->GetFloat("fParticleLifeMin", d.particleLifeMin);
    d.particleLifeMax = section->GetFloat("fParticleLifeMax", d.particleLifeMax);
    d.direction = section->GetFloat("fDirection", d.direction);
    d.spread = section->GetFloat("fSpread", d.spread);
    d.relative = section->GetInt("bRelative", d.relative ? 1 : 0) == 1;
    const struct {
        const char* key;
        float* value;
    } floats[] = {{"fSpeedMin", &d.speedMin},
                  {"fSpeedMax", &d.speedMax},
                  {"fGravityMin", &d.gravityMin},
                  {"fGravityMax", &d.gravityMax},
                  {"fRadialAccelMin", &d.radialAccelMin},
                  {"fRadialAccelMax", &d.radialAccelMax},
                  {"fTangentialAccelMin", &d.tangentialAccelMin},
                  {"fTangentialAccelMax", &d.tangentialAccelMax},
                  {"fSizeStart", &d.sizeStart},
                  {"fSizeEnd", &d.sizeEnd},
                  {"fSizeVar", &d.sizeVar},
                  {"fSpinStart", &d.spinStart},
                  {"fSpinEnd", &d.spinEnd},
                  {"fSpinVar", &d.spinVar},
                  {"colColorStartR", &d.colorStart[0]},
                  {"colColorStartG", &d.colorStart[1]},
                  {"colColorStartB", &d.colorStart[2]},
                  {"colColorStartA", &d.colorStart[3]},
                  {"colColorEndR", &d.colorEnd[0]},
                  {"colColorEndG", &d.colorEnd[1]},
                  {"colColorEndB", &d.colorEnd[2]},
                  {"colColorEndA", &d.colorEnd[3]},
                  {"fColorVar", &d.colorVar},
                  {"fAlphaVar", &d.alphaVar}};
    for (const auto& entry : floats) {
        *entry.value = section->GetFloat(entry.key, *entry.value);
    }
    mBlend = section->GetInt("iDrawMode", mBlend == 2 ? 1 : 0) != 0 ? 2 : 1;
    mImageFile = section->GetString("ImageFile", mImageFile);
    mTexture = GetTexture(mImageFile);
    mUseRandomRect = section->GetInt("bUseRandomRect", mUseRandomRect ? 1 : 0) == 1;
    for (int i = 0;; ++i) {
        const std::string text = section->GetString("TextureRect" + std::to_string(i), "");
        if (text.empty()) {
            break;
        }
        ParseTextureRect(text, mTextureRects);
    }
    mAreaWidth = section->GetFloat("SrcAreaSizeX", mAreaWidth);
    mAreaHeight = section->GetFloat("SrcAreaSizeY", mAreaHeight);
    mAreaType = section->GetInt("SrcAreaType", mAreaType);
    return true;
}

bool ParticleSystem::ParseTextureRect(const std::string& text, std::vector<TFrameRect>& list) const {
    if (!mTexture || text.size() < 3) {
        return false;
    }
    int commas = 0;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == ',' && text[i - 1] >= '0' && text[i - 1] <= '9' && ++commas > 3) {
            return false;
        }
    }
    TFrameRect rect;
    if (commas != 3 || std::sscanf(text.c_str(), "%d,%d,%d,%d", &rect.x, &rect.y, &rect.w, &rect.h) != 4) {
        return false;
    }
    // An empty or inside-out rectangle draws nothing and is refused like one outside the texture.
    if (rect.x < 0 || rect.y < 0 || rect.w <= 0 || rect.h <= 0 ||
        static_cast<int64_t>(rect.x) + rect.w > mTexture->GetWidth() ||
        static_cast<int64_t>(rect.y) + rect.h > mTexture->GetHeight()) {
        return false;
    }
    list.push_back(rect);
    return true;
}

void ParticleSystem::SetEmitPolygon(const std::vector<TPoint>& points) {
    mAreaType = kAreaPolygon;
    int32_t minX = 10000, minY = 10000, maxX = -10000, maxY = -10000;
    for (const TPoint& point : points) {
        minX = std::min(minX, point.x);
        minY = std::min(minY, point.y);
        maxX = std::max(maxX, point.x);
        maxY = std::max(maxY, point.y);
    }
    mAreaWidth = static_cast<float>(maxX - minX + 1);
    mAreaHeight = static_cast<float>(maxY - minY + 1);
    mPolygon.clear();
    for (const TPoint& point : points) {
        mPolygon.push_back({point.x - minX, point.y - minY});
    }
}

// The outline is closed: a list that does not repeat its first point gets the closing edge too.
bool ParticleSystem::IsInPolygon(int32_t x, int32_t y) const {
    const size_t count = mPolygon.size();
    if (count < 2) {
        return false;
    }
    const bool closed = mPolygon.front().x == mPolygon.back().x && mPolygon.front().y == mPolygon.back().y;
    const size_t edges = closed ? count - 1 : count;
    bool inside = false;
    for (size_t i = 0; i < edges; ++i) {
        const TPoint& a = mPolygon[i];
        const TPoint& b = mPolygon[(i + 1) % count];
        if ((a.y < y) != (b.y < y)) {
            const int64_t crossing = static_cast<int64_t>(b.x - a.x) * (y - a.y) / (b.y - a.y);
            if (x - a.x < crossing) {
                inside = !inside;
            }
        }
    }
    return inside;
}

void ParticleSystem::Update(float seconds) {
    if (mAge >= 0) {
        mAge += seconds;
        if (mAge >= mInfo.lifetime) {
            mStopped = true;
        }
    }
    for (int32_t i = 0; i < mParticleCount;) {
        TParticleData& particle = mParticles[static_cast<size_t>(i)];
        particle.age += seconds;
        if (particle.age >= particle.life) {
            particle = mParticles[static_cast<size_t>(--mParticleCount)];
            continue;
        }
        ++i;
    }
    if (!mStopped) {
        const float needed = static_cast<float>(mInfo.emission) * seconds + mResidue;
        const float whole = needed > 0 ? std::floor(needed) : 0;
        mResidue = needed > 0 ? needed - whole : 0;
        for (float n = 0; n < whole && mParticleCount < kMaxParticles; ++n) {
            Emit();
        }
    }
    mPreviousX = mX;
    mPreviousY = mY;
}

void ParticleSystem::Emit() {
    TParticleData& p = mParticles[static_cast<size_t>(mParticleCount++)];
    p = TParticleData();
    const TParticleInfo& d = mInfo;
    p.life = Uniform(d.particleLifeMin, d.particleLifeMax);
    if (p.life <= 0.01f) {
        p.life = 0.01f;
    }
    const float along = static_cast<float>(NextRandom()) / kRandomMax;
    p.x = mPreviousX + (mX - mPreviousX) * along;
    p.y = mPreviousY + (mY - mPreviousY) * along;
    float dx = 0, dy = 0;
    PlaceInArea(dx, dy);
    p.x += dx;
    p.y += dy;
    const float angle = d.direction - 1.5707964f + Uniform(0, d.spread) - d.spread / 2;
    const float speed = Uniform(d.speedMin, d.speedMax);
    p.velocityX = std::cos(angle) * speed;
    p.velocityY = std::sin(angle) * speed;
    p.gravity = Uniform(d.gravityMin, d.gravityMax);
    p.radialAccel = Uniform(d.radialAccelMin, d.radialAccelMax);
    p.tangentialAccel = Uniform(d.tangentialAccelMin, d.tangentialAccelMax);
    p.size = Uniform(d.sizeStart, d.sizeStart + (d.sizeEnd - d.sizeStart) * d.sizeVar);
    p.sizeDelta = (d.sizeEnd - p.size) / p.life;
    p.spin = Uniform(d.spinStart, d.spinStart + (d.spinEnd - d.spinStart) * d.spinVar);
    p.spinDelta = (d.spinEnd - p.spin) / p.life;
    for (int c = 0; c < 3; ++c) {
        p.color[c] = Uniform(d.colorStart[c], d.colorStart[c] + (d.colorEnd[c] - d.colorStart[c]) * d.colorVar);
        p.colorDelta[c] = (d.colorEnd[c] - p.color[c]) / p.life;
    }
    mInfo.colorStart[3] = std::max(mInfo.colorStart[3], 0.005f);
    mInfo.colorEnd[3] = std::max(mInfo.colorEnd[3], 0.005f);
    p.color[3] = Uniform(d.colorStart[3], d.colorStart[3] + (d.colorEnd[3] - d.colorStart[3]) * d.alphaVar);
    p.colorDelta[3] = (d.colorEnd[3] - p.color[3]) / p.life;
    PickSourceRect(p);
}

void ParticleSystem::PlaceInArea(float& dx, float& dy) {
    const float halfW = mAreaWidth / 2, halfH = mAreaHeight / 2;
    switch (mAreaType) {
    case kAreaPoint:
        dx = static_cast<float>(NextRandom()) * 4 / kRandomMax - 2;
        dy = static_cast<float>(NextRandom()) * 4 / kRandomMax - 2;
        break;
    case kAreaRectangle:
        dx = Uniform(-halfW, halfW);
        dy = Uniform(-halfH, halfH);
        break;
    case kAreaEllipse:
        // An ellipse without width or height is its axis (or its centre): no point could pass the test.
        for (int i = 0; i < kEllipseTries; ++i) {
            dx = Uniform(-halfW, halfW);
            dy = Uniform(-halfH, halfH);
            const float nx = halfW > 0 ? dx / halfW : 0, ny = halfH > 0 ? dy / halfH : 0;
            if (nx * nx + ny * ny <= 1) {
                break;
            }
        }
        break;
    case kAreaMask:
        RandomOpaquePoint(dx, dy);
        break;
    case kAreaPolygon:
        RandomPointInPolygon(dx, dy);
        break;
    default:
        break;
    }
}

// Every column and row of the mask can be picked, the last ones too.
void ParticleSystem::RandomOpaquePoint(float& dx, float& dy) const {
    if (!mMask || mMask->GetWidth() < 1 || mMask->GetHeight() < 1) {
        return;
    }
    int x = 0, y = 0;
    for (int i = 0; i < kMaskTries; ++i) {
        x = Rand15() % mMask->GetWidth();
        y = Rand15() % mMask->GetHeight();
        if (mMask->GetAlphaAt(x, y) != 0) {
            break;
        }
    }
    dx = static_cast<float>(x);
    dy = static_cast<float>(y);
}

void ParticleSystem::RandomPointInPolygon(float& dx, float& dy) {
    for (int i = 0; i < kPolygonTries; ++i) {
        dx = Uniform(0, mAreaWidth);
        dy = Uniform(0, mAreaHeight);
        if (i + 1 < kPolygonTries && IsInPolygon(static_cast<int32_t>(dx), static_cast<int32_t>(dy))) {
            return;
        }
    }
}

void ParticleSystem::PickSourceRect(TParticleData& particle) {
    TFrameRect rect;
    if (mTextureRects.empty()) {
        if (mTexture) {
            rect = {0, 0, mTexture->GetWidth(), mTexture->GetHeight()};
        }
    } else if (mUseRandomRect) {
        rect = mTextureRects[static_cast<size_t>(NextRandom()) % mTextureRects.size()];
    } else {
        gRectCounter = (gRectCounter + 1) % mTextureRects.size();
        rect = mTextureRects[gRectCounter];
    }
    particle.srcX = rect.x;
    particle.srcY = rect.y;
    particle.srcW = rect.w;
    particle.srcH = rect.h;
}

void ParticleSystem::MoveParticles(float seconds) {
    for (int32_t i = 0; i < mParticleCount; ++i) {
        TParticleData& p = mParticles[static_cast<size_t>(i)];
        float ux = p.x - mX, uy = p.y - mY;
        const float distance = std::hypot(ux, uy);
        if (distance > 0) {
            ux /= distance;
            uy /= distance;
        }
        p.velocityX += (ux * p.radialAccel - uy * p.tangentialAccel) * seconds;
        p.velocityY += (uy * p.radialAccel + ux * p.tangentialAccel) * seconds;
        p.velocityY += p.gravity * seconds;
        p.x += p.velocityX;
        p.y += p.velocityY;
        p.spin += p.spinDelta * seconds;
        p.size += p.sizeDelta * seconds;
        for (int c = 0; c < 4; ++c) {
            p.color[c] += p.colorDelta[c] * seconds;
        }
        p.color[3] = std::max(p.color[3], 0.0f);
    }
}

void ParticleSystem::Draw(float parentAlpha, float dx, float dy) {
    if (!mTexture || mParticleCount == 0) {
        return;
    }
    for (int32_t i = 0; i < mParticleCount; ++i) {
        const TParticleData& p = mParticles[static_cast<size_t>(i)];
        if (static_cast<int64_t>(p.srcX) + p.srcW > mTexture->GetWidth() ||
            static_cast<int64_t>(p.srcY) + p.srcH > mTexture->GetHeight()) {
            continue;
        }
        TRenderState state;
        state.Init(0, 0, 1, 1, 0);
        TMatrix3::Multiply(state.transform, TMatrix3(), [&p] {
            TMatrix3 size;
            size.Scale(p.size, p.size);
            return size;
        }());
        // Only the axis lengths reach the renderer, so the spin turns the axes but not the sprite.
        if (p.spin * p.age != 0) {
            state.transform.Rotate(p.spin * p.age / -100);
        }
        state.SetTranslation(p.x + dx, p.y + dy);
        state.flags = TRenderState::kSourceRect;
        state.srcX = static_cast<float>(p.srcX);
        state.srcY = static_cast<float>(p.srcY);
        state.srcW = static_cast<float>(p.srcW);
        state.srcH = static_cast<float>(p.srcH);
        state.color = {p.color[0], p.color[1], p.color[2], p.color[3]};
        state.alpha = p.color[3] * parentAlpha;
        state.blend = mBlend;
        mTexture->Draw(state);
    }
}
