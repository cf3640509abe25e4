#pragma once
// Motion paths: named lists of control points followed along natural cubic splines, read from
// "trajectories.dat" into one process-wide set, or built at run time (arcs and loops).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TSplinePoint {
    int32_t x = 0;
    int32_t y = 0;
    float scale = 1.0f;
    // Radians.
    float angle = 0;
    // Factors of the segment that starts at this point.
    float angleFactor = 1.0f;
    float scaleFactor = 1.0f;
    // Length of the segment from this point to the next; not counted on the last point.
    float length = 0;
};

// One segment of a spline: value(u) = a + b u + c u^2 + d u^3 for u from 0 to 1.
struct TCubic {
    float a = 0;
    float b = 0;
    float c = 0;
    float d = 0;

    float At(float u) const { return a + u * (b + u * (c + u * d)); }
};

class TSplinePath {
public:
    // Three points: the ends and a middle point at the signed distance bulge from the chord's midpoint.
    static std::unique_ptr<TSplinePath> CreateArc(int x0, int y0, int x1, int y1, float bulge);

    // Fills the length of every point but the last from the splines through the points (two points or more).
    void ComputeSegmentLengths();
    // The sum of the segment lengths, stored and returned; 0 for fewer than two points.
    float ComputeLength();
    // Moves the points so that their smallest x and smallest y become x and y; lengths stay.
    void SetOrigin(int x, int y);
    int32_t GetPointCount() const { return static_cast<int32_t>(mPoints.size()); }

    std::vector<TSplinePoint> mPoints;
    std::string mName;
    float mTotalLength = 0;
};

class TSplinePathSet {
public:
    // The paths stored in a "trajectories.dat" file, replacing the set's paths. False when the file cannot be
    // read; a damaged file keeps the paths read whole before the damage, logs once and answers false too.
    bool Load(const std::string& fileName);
    // The same from a file's bytes in memory; the name is for the log line.
    bool LoadBytes(const std::string& fileName, const std::string& bytes);
    // Appends a closed five-point loop from (x0, y0) to (x1, y1) and back, through the side points at +bulge
    // and -bulge from the chord's midpoint; the set owns it.
    TSplinePath* AddEllipse(int x0, int y0, int x1, int y1, float bulge);
    void Clear() { mPaths.clear(); }
    // Appends a path the set then owns.
    void Add(std::unique_ptr<TSplinePath> path) { mPaths.push_back(std::move(path)); }
    uint32_t GetCount() const { return static_cast<uint32_t>(mPaths.size()); }
    TSplinePath* GetPath(uint32_t index) const { return index < mPaths.size() ? mPaths[index].get() : nullptr; }
    // The first path of this name (exact bytes), or null.
    TSplinePath* Find(const std::string& name) const;

private:
    // Each path stays where it is while later ones are added.
    std::vector<std::unique_ptr<TSplinePath>> mPaths;
};

// The paths of "trajectories.dat", read at start-up.
TSplinePathSet& GetGlobalPathSet();
// The first path of the global set with this name, or null.
TSplinePath* FindSplinePath(const std::string& name);

// The spline's n segments through values[0..n]; empty (with a log line) for n below 1 or too few values.
std::vector<TCubic> SolveNaturalCubicSpline(int n, const std::vector<int32_t>& values);

// A float work array that knows its size: a size of 0 or less, or an index outside it, is logged as an
// array error; such an access reaches element 0, or a scratch value when the array is empty.
class TCheckedArray {
public:
    explicit TCheckedArray(int size);
    float& operator[](int index);
    int GetSize() const { return static_cast<int>(mValues.size()); }

private:
    std::vector<float> mValues;
    float mScratch = 0;
};
