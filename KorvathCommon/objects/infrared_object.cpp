#include "objects/infrared_object.h"

#include <algorithm>

#include "app/buffer.h"
#include "app/xml_reader.h"
#include "graphics/render_state.h"
#include "graphics/saved_flags.h"
#include "graphics/static_image.h"
#include "objects/whole_pixels.h"
#include "windows/mouse_event.h"

#include <tinyxml.h>

TInfraredObject::TInfraredObject() : mMover(std::make_unique<TPointMover>()) {
    // The overlay copies the image's colours.
    mCacheColor = true;
}

TInfraredObject::~TInfraredObject() {
    mOverlay.Reset();
    mMask.Reset();
}

void TInfraredObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mCacheColor = true;
    mCanBeCatched = ReadXmlBool(element, "canbecatched", true);
    if (element != nullptr && element->Attribute("findinfrared") != nullptr) {
        ParseFlagList(ReadXmlString(element, "findinfrared", ""), mFlags[kAfterTool]);
    }
    mSpeed = ReadXmlFloat(element, "speed", 0);
    mHoldToolAfterUse = 1;
    mSoundTool.clear();
    mStartX = WholePixels(GetX());
    mStartY = WholePixels(GetY());
}

void TInfraredObject::LoadResources() {
    // The image keeps its alpha map for the overlay; hit tests then use the bounds only.
    mCheckOnlyBounds = false;
    if (mCaught) {
        return;
    }
    TObject::LoadResources();
    const int width = WholePixels(GetImageWidth()), height = WholePixels(GetImageHeight());
    mOverlay = CreateBlankTexture(width, height, TTexture::kAccessStreaming);
    if (!mOverlay) {
        return;
    }
    ClearOverlay(mOverlay);
    mCheckOnlyBounds = true;
}

void TInfraredObject::UnloadResources() {
    TObject::UnloadResources();
    mOverlay.Reset();
}

void TInfraredObject::ClearOverlay(const TTextureHandle& overlay) {
    mAlphaVisible = false;
    uint32_t* pixels = nullptr;
    int pitch = 0;
    if (!overlay || !overlay->Lock(pixels, pitch)) {
        return;
    }
    // The overlay's own rows, whatever the object's height says.
    for (int row = 0; row < overlay->GetHeight(); ++row) {
        std::fill_n(pixels + static_cast<ptrdiff_t>(row) * pitch, std::max(0, overlay->GetWidth()), 0u);
    }
    overlay->Unlock();
}

void TInfraredObject::RebuildOverlay(const TTextureHandle& overlay) {
    mAlphaVisible = false;
    uint32_t* pixels = nullptr;
    int pitch = 0;
    if (!overlay || !overlay->Lock(pixels, pitch)) {
        return;
    }
    const int overlayWidth = overlay->GetWidth(), overlayHeight = overlay->GetHeight();
    for (int row = 0; row < overlayHeight; ++row) {
        std::fill_n(pixels + static_cast<ptrdiff_t>(row) * pitch, std::max(0, overlayWidth), 0u);
    }
    const StaticImage* image = GetImage();
    const TTexture* texture = image != nullptr ? image->mTexture.Get() : nullptr;
    const TTexture* mask = mMask.Get();
    if (texture != nullptr) {
        const int maskWidth = mask != nullptr ? mask->GetWidth() : 0;
        const int maskHeight = mask != nullptr ? mask->GetHeight() : 0;
        const int r0 = WholePixels(mViewY) - WholePixels(GetY());
        const int c0 = WholePixels(mViewX) - WholePixels(GetX());
        const int rows = std::min(GetHeight(), static_cast<int>(mViewH));
        const int cols = std::min(GetWidth(), static_cast<int>(mViewW));
        // Only the part of the view rectangle that lies on the overlay and on the image.
        const int top = std::max(0, r0), bottom = std::min({r0 + rows, overlayHeight, texture->GetHeight()});
        const int left = std::max(0, c0), right = std::min({c0 + cols, overlayWidth, texture->GetWidth()});
        for (int r = top; r < bottom; ++r) {
            uint32_t* line = pixels + static_cast<ptrdiff_t>(r) * pitch;
            for (int c = left; c < right; ++c) {
                TRgb colour;
                texture->GetColorAt(c, r, colour);
                const int imageAlpha = texture->GetAlphaAt(c, r);
                int alpha = 0;
                const int u = c + mMaskOffsetX, v = r + mMaskOffsetY;
                if (mask != nullptr && u >= 0 && v >= 0 && u < maskWidth && v < maskHeight) {
                    alpha = static_cast<int>(static_cast<float>(imageAlpha) *
                                             static_cast<float>(mask->GetAlphaAt(u, v)) / 255.0f);
                    if (alpha > 0) {
                        mAlphaVisible = true;
                    }
                }
                line[c] = static_cast<uint32_t>(alpha) << 24 | static_cast<uint32_t>(colour.r) << 16 |
                          static_cast<uint32_t>(colour.g) << 8 | colour.b;
            }
        }
    }
    overlay->Unlock();
}

void TInfraredObject::PropagateSignalD(int value) {
    TObject::PropagateSignalD(value);
    ClearOverlay(mOverlay);
}

void TInfraredObject::SetMask(int x, int y, const TTextureHandle& mask) {
    mMaskOffsetX = x;
    mMaskOffsetY = y;
    mMask = mask;
}

void TInfraredObject::ClearMask() {
    mMaskOffsetX = 0;
    mMaskOffsetY = 0;
    mMask.Reset();
}

bool TInfraredObject::OnMouseDown(const TMouseEvent& event) {
    if (!HoldsFindingTool(*this, event) || !mCanBeCatched || !TObject::OnMouseDown(event)) {
        return false;
    }
    mCaught = true;
    return true;
}

TFleePoint TInfraredObject::PickFleeTarget() {
    return PickFleePoint(mStartX, mStartY, GetWidth(), GetHeight());
}

bool TInfraredObject::OnMouseMove(const TMouseEvent& event, bool* firstHover) {
    if (!HoldsFindingTool(*this, event) || !TObject::OnMouseMove(event, firstHover)) {
        return false;
    }
    if (mMover->moving || !(mSpeed > 0)) {
        return true;
    }
    const TFleePoint here{WholePixels(GetX()), WholePixels(GetY())};
    const TFleePoint target = PickFleeTarget();
    mMover->MoveTo(here.x, here.y, target.x, target.y, PointDistance(target, here) * 0.002f / mSpeed);
    return true;
}

bool TInfraredObject::Update(float seconds) {
    if (mShown && !mCaught) {
        RebuildOverlay(mOverlay);
    }
    if (mMover->moving) {
        mMover->Update(seconds);
        SetPosition(mMover->currentX, mMover->currentY, true);
    }
    return TObject::Update(seconds);
}

void TInfraredObject::DrawAll() {
    if (!mShown || !mAlphaVisible || !mVisible || !mOverlay) {
        return;
    }
    TRenderState state;
    state.Init(mX, mY, mAlpha, 1.0f, 0);
    mOverlay->Draw(state);
}

void TInfraredObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mCaught);
}

void TInfraredObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mCaught = ReadFlag(reader);
}
