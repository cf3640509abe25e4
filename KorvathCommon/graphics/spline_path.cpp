#include "graphics/spline_path.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "app/file_object.h"
#include "app/log.h"

namespace {

constexpr size_t kNameBytes = 20;
constexpr size_t kPointBytes = 28;
// Steps of the numeric length integration per segment.
constexpr int kLengthSteps = 500;
constexpr float kLengthStep = 0.002f;
// Path files are a few kilobytes; anything far larger is not one.
constexpr size_t kMaxPathFileBytes = size_t{16} * 1024 * 1024;

void LogArrayError(const char* message) {
    TLogFile::Get()->Printf("------------------------------------------ ARRAY ERROR "
                            "-------------------------------------------------- ");
    TLogFile::Get()->Printf("%s", message);
}

} // namespace

TCheckedArray::TCheckedArray(int size) {
    if (size <= 0) {
        LogArrayError("Array size error!");
        return;
    }
    mValues.assign(static_cast<size_t>(size), 0.0f);
}

float& TCheckedArray::operator[](int index) {
    if (index < 0 || index >= GetSize()) {
        LogArrayError("Bounds error!");
        if (mValues.empty()) {
            mScratch = 0;
            return mScratch;
        }
        index = 0;
    }
    return mValues[static_cast<size_t>(index)];
}

std::vector<TCubic> SolveNaturalCubicSpline(int n, const std::vector<int32_t>& values) {
    if (n < 1 || values.size() < static_cast<size_t>(n) + 1) {
        TLogFile::Get()->Printf("spline of %d segments over %d values skipped", n, static_cast<int>(values.size()));
        return {};
    }
    const auto v = [&values](int i) { return values[static_cast<size_t>(i)]; };
    // Coordinates read from a file may span the whole int range: differences are taken in 64 bits.
    const auto diff = [&v](int i, int j) { return static_cast<float>(int64_t{v(i)} - v(j)); };
    TCheckedArray gamma(n + 1), delta(n + 1), slope(n + 1);
    gamma[0] = 0.5f;
    for (int i = 1; i < n; ++i) {
        gamma[i] = 1.0f / (4.0f - gamma[i - 1]);
    }
    gamma[n] = 1.0f / (2.0f - gamma[n - 1]);
    delta[0] = 3.0f * diff(1, 0) * gamma[0];
    for (int i = 1; i < n; ++i) {
        delta[i] = (3.0f * diff(i + 1, i - 1) - delta[i - 1]) * gamma[i];
    }
    delta[n] = (3.0f * diff(n, n - 1) - delta[n - 1]) * gamma[n];
    slope[n] = delta[n];
    for (int i = n - 1; i >= 0; --i) {
        slope[i] = delta[i] - gamma[i] * slope[i + 1];
    }
    std::vector<TCubic> cubics(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        TCubic& cubic = cubics[static_cast<size_t>(i)];
        cubic.a = static_cast<float>(v(i));
        cubic.b = slope[i];
        cubic.c = 3.0f * diff(i + 1, i) - 2.0f * slope[i] - slope[i + 1];
        cubic.d = 2.0f * diff(i, i + 1) + slope[i] + slope[i + 1];
    }
    return cubics;
}

void TSplinePath::ComputeSegmentLengths() {
    const int n = GetPointCount() - 1;
    if (n < 1) {
        return;
    }
    std::vector<int32_t> xs, ys;
    for (const TSplinePoint& point : mPoints) {
        xs.push_back(point.x);
        ys.push_back(point.y);
    }
    const std::vector<TCubic> cx = SolveNaturalCubicSpline(n, xs), cy = SolveNaturalCubicSpline(n, ys);
    for (size_t i = 0; i < static_cast<size_t>(n); ++i) {
        float sum = 0, u = 0;
        for (int step = 0; step < kLengthSteps; ++step) {
            const float next = u + kLengthStep;
            sum += std::hypot(cx[i].At(next) - cx[i].At(u), cy[i].At(next) - cy[i].At(u));
            u = next;
        }
        mPoints[i].length = sum;
    }
}

float TSplinePath::ComputeLength() {
    mTotalLength = 0;
    for (size_t i = 0; i + 1 < mPoints.size(); ++i) {
        mTotalLength += mPoints[i].length;
    }
    return mTotalLength;
}

// The corner is searched from the first point, so paths far from the origin move right too.
void TSplinePath::SetOrigin(int x, int y) {
    if (mPoints.empty()) {
        return;
    }
    int32_t minX = mPoints[0].x, minY = mPoints[0].y;
    for (const TSplinePoint& point : mPoints) {
        minX = std::min(minX, point.x);
        minY = std::min(minY, point.y);
    }
    // Points that cannot move that far within the int range stop at its end.
    const auto shift = [](int32_t value, int64_t by) {
        return static_cast<int32_t>(std::clamp<int64_t>(value + by, INT32_MIN, INT32_MAX));
    };
    for (TSplinePoint& point : mPoints) {
        point.x = shift(point.x, int64_t{x} - minX);
        point.y = shift(point.y, int64_t{y} - minY);
    }
}

namespace {

// The point at the signed distance bulge from the chord's midpoint, on its perpendicular.
TSplinePoint SidePoint(int x0, int y0, int x1, int y1, float bulge) {
    const float dx = static_cast<float>(int64_t{x1} - x0), dy = static_cast<float>(int64_t{y1} - y0);
    const float length = std::sqrt(dx * dx + dy * dy);
    const float ux = length == 0 ? dx : dx / length, uy = length == 0 ? dy : dy / length;
    TSplinePoint point;
    point.x = static_cast<int32_t>(static_cast<float>(int64_t{x1} + x0) * 0.5f + (-uy) * bulge);
    point.y = static_cast<int32_t>(static_cast<float>(int64_t{y1} + y0) * 0.5f + ux * bulge);
    return point;
}

TSplinePoint PointAt(int x, int y) {
    TSplinePoint point;
    point.x = x;
    point.y = y;
    return point;
}

void Measure(TSplinePath& path) {
    path.ComputeSegmentLengths();
    path.ComputeLength();
}

} // namespace

std::unique_ptr<TSplinePath> TSplinePath::CreateArc(int x0, int y0, int x1, int y1, float bulge) {
    auto path = std::make_unique<TSplinePath>();
    path->mPoints = {PointAt(x0, y0), SidePoint(x0, y0, x1, y1, bulge), PointAt(x1, y1)};
    Measure(*path);
    return path;
}

TSplinePath* TSplinePathSet::AddEllipse(int x0, int y0, int x1, int y1, float bulge) {
    auto path = std::make_unique<TSplinePath>();
    path->mPoints = {PointAt(x0, y0), SidePoint(x0, y0, x1, y1, bulge), PointAt(x1, y1),
                     SidePoint(x0, y0, x1, y1, -bulge), PointAt(x0, y0)};
    Measure(*path);
    mPaths.push_back(std::move(path));
    return mPaths.back().get();
}

TSplinePath* TSplinePathSet::Find(const std::string& name) const {
    for (const auto& path : mPaths) {
        if (path->mName == name) {
            return path.get();
        }
    }
    return nullptr;
}

namespace {

// Little-endian reads over the file's bytes; every read is checked against the bytes left.
class TByteReader {
public:
    explicit TByteReader(const std::string& bytes) : mBytes(bytes) {}

    size_t Left() const { return mBytes.size() - mPos; }
    bool Read(void* out, size_t count) {
        if (count > Left()) {
            return false;
        }
        std::memcpy(out, mBytes.data() + mPos, count);
        mPos += count;
        return true;
    }
    bool ReadInt(int32_t& value) {
        uint8_t raw[4];
        if (!Read(raw, 4)) {
            return false;
        }
        value = static_cast<int32_t>(static_cast<uint32_t>(raw[0]) | static_cast<uint32_t>(raw[1]) << 8 |
                                     static_cast<uint32_t>(raw[2]) << 16 | static_cast<uint32_t>(raw[3]) << 24);
        return true;
    }
    bool ReadFloat(float& value) {
        int32_t bits = 0;
        if (!ReadInt(bits)) {
            return false;
        }
        std::memcpy(&value, &bits, 4);
        return true;
    }

private:
    const std::string& mBytes;
    size_t mPos = 0;
};

bool ReadPoint(TByteReader& reader, TSplinePoint& point) {
    return reader.ReadInt(point.x) && reader.ReadInt(point.y) && reader.ReadFloat(point.scale) &&
           reader.ReadFloat(point.angle) && reader.ReadFloat(point.angleFactor) &&
           reader.ReadFloat(point.scaleFactor) && reader.ReadFloat(point.length);
}

// One path record; false, with the path unusable, when the record does not fit the bytes left.
bool ReadPath(TByteReader& reader, TSplinePath& path) {
    int32_t count = 0;
    char name[kNameBytes];
    if (!reader.ReadInt(count) || !reader.Read(name, kNameBytes) || count < 0 ||
        static_cast<uint64_t>(count) * kPointBytes > reader.Left()) {
        return false;
    }
    path.mName.assign(name, strnlen(name, kNameBytes));
    path.mPoints.resize(static_cast<size_t>(count));
    for (TSplinePoint& point : path.mPoints) {
        ReadPoint(reader, point);
    }
    path.ComputeLength();
    return true;
}

} // namespace

bool TSplinePathSet::Load(const std::string& fileName) {
    std::string bytes;
    if (!ReadWholeFile(fileName, bytes, kMaxPathFileBytes)) {
        return false;
    }
    return LoadBytes(fileName, bytes);
}

bool TSplinePathSet::LoadBytes(const std::string& fileName, const std::string& bytes) {
    mPaths.clear();
    TByteReader reader(bytes);
    int32_t rawCount = 0;
    bool whole = reader.ReadInt(rawCount);
    const uint32_t count = static_cast<uint32_t>(rawCount);
    for (uint32_t i = 0; whole && i < count; ++i) {
        auto path = std::make_unique<TSplinePath>();
        whole = ReadPath(reader, *path);
        if (whole) {
            mPaths.push_back(std::move(path));
        }
    }
    if (!whole) {
        TLogFile::Get()->Printf("%s damaged: %u paths promised, %u read", fileName.c_str(), count,
                                static_cast<unsigned>(mPaths.size()));
    }
    return whole;
}

TSplinePathSet& GetGlobalPathSet() {
    static TSplinePathSet set;
    return set;
}

TSplinePath* FindSplinePath(const std::string& name) {
    return GetGlobalPathSet().Find(name);
}
