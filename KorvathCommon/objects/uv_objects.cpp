#include "objects/uv_objects.h"

#include <cmath>

#include "app/log.h"
#include "app/xml_reader.h"
#include "graphics/render_state.h"

namespace {

// More repeats than any picture needs; a range a broken file stretches further would cut into millions of
// pieces, or never end where floats stop counting whole numbers.
constexpr float kMostRepeats = 256.0f;

bool TooWide(float from, float to) {
    return !(to - from <= kMostRepeats);
}

// The range's ends with every whole number strictly between them; empty when the range is empty or too wide.
std::vector<float> Cuts(float from, float to) {
    std::vector<float> cuts;
    if (!(from < to) || TooWide(from, to)) {
        return cuts;
    }
    cuts.push_back(from);
    const float whole = std::round(from);
    float next = std::fabs(from - whole) < 0.000001f ? whole + 1.0f : std::floor(from) + 1.0f;
    // Whole numbers at the far end are the end itself, never a piece of no width.
    for (; next < to - 0.000001f; next += 1.0f) {
        cuts.push_back(next);
    }
    cuts.push_back(to);
    return cuts;
}

} // namespace

std::vector<TUVPieceRect> BuildPieceRects(const std::vector<TUVPiece>& pieces, float x, float y, float width,
                                          float height, float pivotX, float pivotY, float angle) {
    std::vector<TUVPieceRect> rects;
    if (pieces.empty()) {
        return rects;
    }
    const float c = std::cos(angle), s = std::sin(angle);
    const TUVPiece& first = pieces.front();
    for (const TUVPiece& piece : pieces) {
        TUVPieceRect rect;
        rect.srcX = (piece.u1 - std::floor(piece.u1)) * width;
        rect.srcY = (piece.v1 - std::floor(piece.v1)) * height;
        rect.srcW = (piece.u2 - piece.u1) * width;
        rect.srcH = (piece.v2 - piece.v1) * height;
        const float dx = x + (piece.u1 - first.u1) * width - pivotX;
        const float dy = y + (piece.v1 - first.v1) * height - pivotY;
        rect.x = dx * c - dy * s + pivotX;
        rect.y = dy * c + dx * s + pivotY;
        rects.push_back(rect);
    }
    return rects;
}

void TUVObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mU1 = ReadXmlFloat(element, "u1", 0);
    mV1 = ReadXmlFloat(element, "v1", 0);
    mU2 = ReadXmlFloat(element, "u2", 1);
    mV2 = ReadXmlFloat(element, "v2", 1);
    if ((mU1 < mU2 && TooWide(mU1, mU2)) || (mV1 < mV2 && TooWide(mV1, mV2))) {
        TLogFile::Get()->Printf("uv object %s: texture range %g..%g, %g..%g repeats too often, not cut", mName.c_str(),
                                mU1, mU2, mV1, mV2);
    }
}

std::vector<TUVPiece> TUVObject::SplitIntoPieces() const {
    std::vector<TUVPiece> pieces;
    const std::vector<float> us = Cuts(mU1, mU2), vs = Cuts(mV1, mV2);
    for (size_t i = 0; i + 1 < us.size(); ++i) {
        for (size_t j = 0; j + 1 < vs.size(); ++j) {
            pieces.push_back({us[i], vs[j], us[i + 1], vs[j + 1]});
        }
    }
    return pieces;
}

void TUVObject::DrawAll() {
    StaticImage* image = GetImage();
    if (!mVisible || image == nullptr || !image->mTexture) {
        return;
    }
    SyncImage();
    const float x = std::trunc(image->GetX()), y = std::trunc(image->GetY());
    TRenderState& state = image->mRenderState;
    const bool hadSource = (state.flags & TRenderState::kSourceRect) != 0;
    const float width = hadSource && state.srcW > 0 ? state.srcW : static_cast<float>(image->mTexture->GetWidth());
    const float height = hadSource && state.srcH > 0 ? state.srcH : static_cast<float>(image->mTexture->GetHeight());
    const float baseX = image->mBaseX, baseY = image->mBaseY;
    const bool centred = image->mCentred;
    for (const TUVPieceRect& rect : BuildPieceRects(SplitIntoPieces(), x, y, width, height, x, y, mAngle)) {
        state.srcX = rect.srcX;
        state.srcY = rect.srcY;
        state.srcW = rect.srcW;
        state.srcH = rect.srcH;
        state.flags |= TRenderState::kSourceRect;
        image->SetPosition(rect.x, rect.y, false);
        image->Draw(1.0f);
    }
    state.flags &= ~TRenderState::kSourceRect;
    state.srcX = state.srcY = state.srcW = state.srcH = 0;
    image->SetPosition(baseX, baseY, centred);
}

// ---- spinning ----

void TUVSpinObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TUVObject::LoadFromXml(element, folder);
    mTime = ReadXmlFloat(element, "time", 15);
    mStartDelay = ReadXmlFloat(element, "stime", 0);
    mAscending = ReadXmlBool(element, "asc", true);
    mBaseV1 = mV1;
    mBaseV2 = mV2;
    if (mStartDelay > 0) {
        mDelayTimer.Start(mStartDelay);
    }
}

void TUVSpinObject::StartScroll() {
    mScroll.Set(0, mAscending ? 1.0f : -1.0f, std::fabs(mTime), true);
}

bool TUVSpinObject::Update(float seconds) {
    TObject::Update(seconds);
    if (mDelayTimer.IsRunning()) {
        mDelayTimer.Update(seconds);
        if (!mDelayTimer.IsRunning()) {
            StartScroll();
        }
        return false;
    }
    mScroll.Update(seconds);
    mV1 = mBaseV1 + mScroll.current;
    mV2 = mBaseV2 + mScroll.current;
    if (mScroll.finished) {
        StartScroll();
    }
    return false;
}
