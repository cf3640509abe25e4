#include "objects/particle_object.h"

#include <algorithm>
#include <cstdlib>

#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"

void TParticleObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mDescription = ReadXmlString(element, "particle", "");
    mEmitKind = ReadXmlInt(element, "particletype", kEmitDescription);
    LoadEmitArea(element);
}

// "x.y;x.y;...": the polygon's bounding box becomes the object's place and size.
void TParticleObject::LoadEmitArea(const TiXmlElement* element) {
    mPoints.clear();
    std::vector<std::string> pieces;
    SplitString(ReadXmlString(element, "points", "").c_str(), ';', pieces);
    for (const std::string& piece : pieces) {
        std::vector<std::string> parts;
        if (SplitString(piece.c_str(), '.', parts) == 2) {
            mPoints.push_back({std::atoi(parts[0].c_str()), std::atoi(parts[1].c_str())});
        }
    }
    if (mPoints.size() >= 2) {
        int minX = 10000, minY = 10000, maxX = -10000, maxY = -10000;
        for (const ParticleSystem::TPoint& point : mPoints) {
            minX = std::min(minX, point.x);
            minY = std::min(minY, point.y);
            maxX = std::max(maxX, point.x);
            maxY = std::max(maxY, point.y);
        }
        mX = static_cast<float>(minX);
        mY = static_cast<float>(minY);
        mW = static_cast<float>(maxX - minX + 1);
        mH = static_cast<float>(maxY - minY + 1);
        const ParticleSystem::TPoint first = mPoints.front(), last = mPoints.back();
        if (last.x != first.x && last.y != first.y) {
            mPoints.push_back(first);
        }
    }
    if (!mPoints.empty()) {
        mEmitKind = kEmitPolygon;
    } else if (mW > 0 && mH > 0) {
        mEmitKind = kEmitRectangle;
    }
}

void TParticleObject::Activate(int index, int x, int y) {
    mSystem.reset();
    mActive = true;
}

void TParticleObject::StartSystem() {
    StaticImage* image = GetImage();
    mSystem = std::make_unique<ParticleSystem>(mDescription, image != nullptr ? image->mTexture : TTextureHandle());
    if (mEmitKind == kEmitRectangle) {
        mSystem->mAreaType = ParticleSystem::kAreaRectangle;
        mSystem->mAreaWidth = mW;
        mSystem->mAreaHeight = mH;
    } else if (mEmitKind == kEmitPolygon) {
        mSystem->SetEmitPolygon(mPoints);
    }
    mSystem->mX = mSystem->mPreviousX = mX;
    mSystem->mY = mSystem->mPreviousY = mY;
    mSystem->mStopped = false;
    mSystem->mAge = mSystem->mInfo.lifetime == -1 ? -1.0f : 0.0f;
}

bool TParticleObject::DropStoppedSystem() {
    if (mSystem && mSystem->mStopped) {
        mSystem.reset();
        return true;
    }
    return false;
}

// Emission and ageing run twice a frame, movement once.
bool TParticleObject::Update(float seconds) {
    if (mActive && !mSystem) {
        StartSystem();
    }
    if (mSystem && seconds != 0) {
        mSystem->Update(seconds);
        mSystem->MoveParticles(seconds);
        if (DropStoppedSystem()) {
            mActive = false;
        }
    }
    if (mSystem) {
        mSystem->Update(seconds);
        DropStoppedSystem();
    }
    return false;
}

void TParticleObject::Draw(float alpha) {
    if (mVisible && mSystem) {
        mSystem->Draw(alpha, 0, 0);
    }
}

void TParticleObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mActive);
}

void TParticleObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mActive = ReadFlag(reader);
}
