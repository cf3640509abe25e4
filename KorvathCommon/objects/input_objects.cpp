#include "objects/input_objects.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app/log.h"
#include "app/string_utils.h"
#include "app/xml_reader.h"
#include "graphics/saved_flags.h"
#include "objects/whole_pixels.h"
#include "windows/mouse_event.h"

namespace {

// A point a broken file puts beyond any screen is held within 2^29 pixels, so the shape's spans and the
// sums of the hit test stay inside their integers.
bool ParseInt(const std::string& text, int& value) {
    constexpr long kFarBeyondAnyScreen = 536870912L;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0') {
        return false;
    }
    value = static_cast<int>(std::clamp(parsed, -kFarBeyondAnyScreen, kFarBeyondAnyScreen));
    return true;
}

} // namespace

void TShapeObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    // A shape is only a hit area, whatever its element says.
    mDummy = true;
    mPoints.clear();
    std::vector<std::string> entries, parts;
    SplitString(ReadXmlString(element, "points", "").c_str(), ';', entries);
    for (const std::string& entry : entries) {
        int x = 0, y = 0;
        if (SplitString(entry.c_str(), '.', parts) != 2 || !ParseInt(parts[0], x) || !ParseInt(parts[1], y)) {
            TLogFile::Get()->Printf("shape %s: point %s skipped", mName.c_str(), entry.c_str());
            continue;
        }
        mPoints.emplace_back(x, y);
    }
    if (mPoints.size() >= 2) {
        auto [minX, maxX] = std::minmax_element(mPoints.begin(), mPoints.end(),
                                                [](const auto& a, const auto& b) { return a.first < b.first; });
        auto [minY, maxY] = std::minmax_element(mPoints.begin(), mPoints.end(),
                                                [](const auto& a, const auto& b) { return a.second < b.second; });
        mX = static_cast<float>(minX->first);
        mY = static_cast<float>(minY->second);
        mW = static_cast<float>(maxX->first - minX->first + 1);
        mH = static_cast<float>(maxY->second - minY->second + 1);
    }
    // The hit test never joins the last point to the first by itself.
    if (mPoints.size() >= 3 && mPoints.back() != mPoints.front()) {
        mPoints.push_back(mPoints.front());
    }
}

bool TShapeObject::HitTestSelf(int x, int y) {
    const float left = mX + GetOwnerOffsetX(), top = mY + GetOwnerOffsetY();
    const float px = static_cast<float>(x), py = static_cast<float>(y);
    const bool inside = !mLocked && mVisible && left <= px && px < left + mW && top <= py && py < top + mH;
    if (mPoints.size() < 3 || !inside) {
        return inside;
    }
    // In 64 bits: a product of a span and a distance passes int long before the points leave a big room.
    const int64_t dx = WholePixels(GetOwnerOffsetX()), dy = WholePixels(GetOwnerOffsetY());
    const int64_t px64 = x, py64 = y;
    bool result = false;
    for (size_t i = 0; i + 1 < mPoints.size(); ++i) {
        const int64_t xi = mPoints[i].first + dx, yi = mPoints[i].second + dy;
        const int64_t xj = mPoints[i + 1].first + dx, yj = mPoints[i + 1].second + dy;
        if ((yi < py64) == (yj < py64)) {
            continue;
        }
        // The ends lie on different sides of y, so yj != yi.
        const int64_t cross = (xj - xi) * (py64 - yi) / (yj - yi);
        if (px64 - xi < cross) {
            result = !result;
        }
    }
    return result;
}

// ---- mouse enter ----

void TMouseEnterObject::LoadFromXml(const TiXmlElement* element, const std::string& folder) {
    TObject::LoadFromXml(element, folder);
    mOver = ReadXmlBool(element, "over", false);
    mCanSelect = ReadXmlBool(element, "canselect", false);
    mSelected = ReadXmlBool(element, "select", false);
}

void TMouseEnterObject::ShowFirstChild(bool visible) {
    if (!GetChildren().empty()) {
        GetChildren().front()->SetVisible(visible);
    }
}

void TMouseEnterObject::OnLoaded() {
    ShowFirstChild(mOver);
}

void TMouseEnterObject::OnMouseEnter(int x, int y) {
    TObject::OnMouseEnter(x, y);
    mOver = true;
    ShowFirstChild(true);
}

void TMouseEnterObject::OnMouseLeave(int x, int y) {
    TObject::OnMouseLeave(x, y);
    mOver = false;
    ShowFirstChild(false);
}

void TMouseEnterObject::OnClick(const TMouseEvent& event) {
    if (mCanSelect) {
        mSelected = !mSelected;
    }
    TObject::OnClick(event);
}

void TMouseEnterObject::DrawAll() {
    if (mCanSelect && !mOver) {
        ShowFirstChild(mSelected);
    }
    TObject::Draw(1.0f);
}

// ---- dialog ----

void TDialogObject::Activate(int index, int x, int y) {
    TObject::Activate(index, x, y);
    mArmed = true;
}

void TDialogObject::OnSpaceShow() {
    TObject::OnSpaceShow();
    if (AreClicksUsedUp() || !mArmed) {
        return;
    }
    // The press must land whatever the image's alpha is there.
    mHitAlphaThreshold = 0;
    SetVisible(true);
    TMouseEvent press;
    press.x = press.gameX = WholePixels(mX);
    press.y = press.gameY = WholePixels(mY);
    press.buttons = TMouseEvent::kLeft;
    TObject::OnMouseDown(press);
    SetVisible(false);
}

void TDialogObject::SaveState(TBaseBuffer& writer) {
    TObject::SaveState(writer);
    WriteFlag(writer, mArmed);
}

void TDialogObject::RestoreState(TBaseBuffer& reader) {
    TObject::RestoreState(reader);
    mArmed = ReadFlag(reader);
}
