#pragma once
// Builds "trajectories.dat" files byte by byte for the tests.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/spline_path.h"

class TPathFile {
public:
    TPathFile& Count(uint32_t count) {
        Int(static_cast<int32_t>(count));
        return *this;
    }
    // A path record: point count, the 20-byte name field, the points.
    TPathFile& Path(const std::string& name, const std::vector<TSplinePoint>& points) {
        Int(static_cast<int32_t>(points.size()));
        Name(name);
        for (const TSplinePoint& p : points) {
            Point(p);
        }
        return *this;
    }
    TPathFile& Int(int32_t value) {
        for (int i = 0; i < 4; ++i) {
            mBytes.push_back(static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF));
        }
        return *this;
    }
    TPathFile& Float(float value) {
        int32_t bits = 0;
        std::memcpy(&bits, &value, 4);
        return Int(bits);
    }
    TPathFile& Name(const std::string& name) {
        std::string field = name.substr(0, 20);
        field.resize(20, '\0');
        mBytes += field;
        return *this;
    }
    TPathFile& Point(const TSplinePoint& p) {
        Int(p.x).Int(p.y).Float(p.scale).Float(p.angle).Float(p.angleFactor).Float(p.scaleFactor).Float(p.length);
        return *this;
    }
    const std::string& Bytes() const { return mBytes; }

private:
    std::string mBytes;
};
