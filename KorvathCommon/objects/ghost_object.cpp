#include "objects/ghost_object.h"

#include <algorithm>
#include <cmath>

#include "app/buffer.h"
#include "app/xml_reader.h"
#include "graphics/random15.h"
#include "graphics/saved_flags.h"
#include "objects/object_services.h"
#include "objects/whole_pixels.h"
#include "windows/mouse_event.h"

namespace {

constexpr int kDesignWidth = 1366;
constexpr int kDesignHeight = 768;
constexpr int kFleeReach = 200;

// low + a random step below the band's width; an empty band gives its lower end, not a division by 0.
int PickInBand(int low, int high) {
    if (high <= low) {
        return std::max(0, std::min(low, high));
    }
    return low + Rand15() % (high - low);
}

} // namespace

TFleePoint PickFleePoint(int startX, int startY, int width, int height) {
    const int xLow = std::max(0, startX - kFleeReach), xHigh = std::min(kDesignWidth - width, startX + kFleeReach);
    const int yLow = std::max(0, startY - kFleeReach),
              yHigh = std::min(kDesignHeight - 2 * height, startY + kFleeReach);
    TFleePoint point;
    point.y = PickInBand(yLow, yHigh);
    point.x = PickInBand(xLow, xHigh);
    return point;
}

float PointDistance(const TFleePoint& a, const TFleePoint& b) {
    const float dx = static_cast<float>(a.x - b.x), dy = static_cast<float>(a.y - b.y);
    return std::sqrt(dx * dx + dy * dy);
}

bool HoldsFindingTool(const TObject& object, const TMouseEvent& event) {
    return event.tool != nullptr && !object.mNeededTools.empty() &&
           event.tool->GetCurrentId() == object.mNeededTools.front();
}

TGhostObject::TGhostObject() : mMover(std::make_unique<TPointMover>()) {}

TGhostObject::~TGhostObject() = default;

void TGhostObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TVideoObject::LoadFromXml(element, folder);
    if (element != nullptr && element->Attribute("findghost") != nullptr) {
        ParseFlagList(ReadXmlString(element, "findghost", ""), mFlags[kAfterTool]);
    }
    mHoldToolAfterUse = 1;
    mSoundTool.clear();
    mStartX = WholePixels(GetX());
    mStartY = WholePixels(GetY());
}

void TGhostObject::LoadResources() {
    if (!mCaught) {
        TVideoObject::LoadResources();
    }
}

bool TGhostObject::OnMouseDown(const TMouseEvent& event) {
    if (!HoldsFindingTool(*this, event) || !TVideoObject::OnMouseDown(event)) {
        return false;
    }
    mCaught = true;
    return true;
}

TFleePoint TGhostObject::PickFleeTarget() {
    return PickFleePoint(mStartX, mStartY, GetWidth(), GetHeight());
}

bool TGhostObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    if (!HoldsFindingTool(*this, event) || !TVideoObject::OnMouseMove(event, firstHover)) {
        return false;
    }
    if (mMover->moving) {
        return true;
    }
    const TFleePoint here{WholePixels(GetX()), WholePixels(GetY())};
    const TFleePoint target = PickFleeTarget();
    mMover->MoveTo(here.x, here.y, target.x, target.y, PointDistance(target, here) * 0.002f / kFlightSpeed);
    return true;
}

bool TGhostObject::Update(float seconds) {
    if (mMover->moving) {
        mMover->Update(seconds);
        SetPosition(mMover->currentX, mMover->currentY, true);
    }
    return TVideoObject::Update(seconds);
}

void TGhostObject::SetMask(int x, int y, const TTextureHandle& mask) {
    if (mWindow) {
        mWindow->mMaskOffsetX = x;
        mWindow->mMaskOffsetY = y;
        mWindow->mMask = mask;
    }
}

void TGhostObject::ClearMask() {
    if (mWindow) {
        mWindow->mMaskOffsetX = 0;
        mWindow->mMaskOffsetY = 0;
        mWindow->mMask.Reset();
        mWindow->mAlphaVisible = false;
    }
}

void TGhostObject::DrawAll() {
    if (mShown && mWindow && mWindow->mAlphaVisible && mVisible && mActive && mFrameTexture && mWindow->mFrameWritten) {
        DrawFrameTexture();
    }
}

void TGhostObject::SaveState(TBaseBuffer& writer) {
    TVideoObject::SaveState(writer);
    WriteFlag(writer, mCaught);
}

void TGhostObject::RestoreState(TBaseBuffer& reader) {
    TVideoObject::RestoreState(reader);
    mCaught = ReadFlag(reader);
}
