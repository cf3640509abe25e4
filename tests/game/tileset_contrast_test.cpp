// Every shipped tileset's cell tiles tell apart at a glance: each colour from the empty cell and from every
// other colour of the same tileset, measured as the CIE 1976 colour difference of the tiles' mean colours.

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/app_config.h"
#include "tilesets.h"

namespace {

struct TLab {
    double l = 0;
    double a = 0;
    double b = 0;
};

// sRGB (0..255) to CIE L*a*b* under the D65 white.
TLab ToLab(double r, double g, double b) {
    auto linear = [](double v) {
        v /= 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double lr = linear(r);
    const double lg = linear(g);
    const double lb = linear(b);
    const double x = (0.4124 * lr + 0.3576 * lg + 0.1805 * lb) / 0.95047;
    const double y = 0.2126 * lr + 0.7152 * lg + 0.0722 * lb;
    const double z = (0.0193 * lr + 0.1192 * lg + 0.9505 * lb) / 1.08883;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    return {116.0 * f(y) - 16.0, 500.0 * (f(x) - f(y)), 200.0 * (f(y) - f(z))};
}

double DeltaE(const TLab& p, const TLab& q) {
    return std::sqrt((p.l - q.l) * (p.l - q.l) + (p.a - q.a) * (p.a - q.a) + (p.b - q.b) * (p.b - q.b));
}

// The mean colour of the image's visible pixels (alpha above 0): what a cell reads as from a distance.
bool MeanColour(const std::string& file, TLab& mean) {
    SDL_Surface* loaded = IMG_Load(file.c_str());
    if (loaded == nullptr) {
        return false;
    }
    SDL_Surface* image = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(loaded);
    if (image == nullptr) {
        return false;
    }
    double sum[3] = {0, 0, 0};
    long count = 0;
    for (int y = 0; y < image->h; ++y) {
        const auto* row = static_cast<const uint8_t*>(image->pixels) + y * image->pitch;
        for (int x = 0; x < image->w; ++x) {
            const uint8_t* p = row + x * 4;
            if (p[3] == 0) {
                continue;
            }
            sum[0] += p[0];
            sum[1] += p[1];
            sum[2] += p[2];
            ++count;
        }
    }
    SDL_FreeSurface(image);
    if (count == 0) {
        return false;
    }
    mean = ToLab(sum[0] / count, sum[1] / count, sum[2] / count);
    return true;
}

// The least difference allowed. About 2.3 is the smallest difference seen side by side in flat colour;
// small cells seen at a glance, among many, need about ten times that. The closest pair of the board's
// own colours (brown and grey) is about 34 apart, and the fault this guards against, white paint on the
// old cream empty cell, was about 13: 25 fails the one and keeps a margin under the other.
constexpr double kLeastDifference = 25.0;

TEST(TilesetContrastTest, TheMeasureSeparatesWhatTheEyeSeparates) {
    struct Case {
        const char* what;
        int first[3];
        int second[3];
        double least;
        double most;
    };
    const Case cases[] = {
        {"black and white", {0, 0, 0}, {255, 255, 255}, 99.9, 100.1},
        {"one colour", {204, 51, 51}, {204, 51, 51}, 0.0, 0.001},
        // The pair the limit exists for: white paint on a cream cell.
        {"white on cream", {240, 240, 236}, {236, 226, 200}, 0.0, kLeastDifference - 5},
        {"red and green of the board", {204, 51, 51}, {76, 160, 64}, kLeastDifference + 20, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const double difference =
            DeltaE(ToLab(c.first[0], c.first[1], c.first[2]), ToLab(c.second[0], c.second[1], c.second[2]));
        EXPECT_GE(difference, c.least);
        EXPECT_LE(difference, c.most);
    }
}

TEST(TilesetContrastTest, EveryColourTileStandsOutFromTheEmptyCellAndFromEveryOtherColour) {
    ASSERT_TRUE(SetWorkingFolderToExe());
    ClearTilesets();
    LoadTilesets("tilesets/tilesets.xml");
    ASSERT_FALSE(GetTilesets().empty());
    for (const auto& tileset : GetTilesets()) {
        SCOPED_TRACE(tileset->mName);
        const TTile* empty = tileset->GetTileForValue(0);
        ASSERT_NE(empty, nullptr);
        struct TNamed {
            std::string name;
            TLab colour;
        };
        std::vector<TNamed> cells;
        TLab colour;
        ASSERT_TRUE(MeanColour("assets/" + empty->mSprite + ".png", colour)) << empty->mSprite;
        cells.push_back({"the empty cell", colour});
        for (int mast = 1; mast <= 9; ++mast) {
            const TTile* tile = tileset->GetTileForValue(mast);
            if (tile == nullptr || tile == empty || tile->mMast != mast) {
                continue;
            }
            ASSERT_TRUE(MeanColour("assets/" + tile->mSprite + ".png", colour)) << tile->mSprite;
            cells.push_back({"colour " + std::to_string(mast), colour});
        }
        EXPECT_GE(cells.size(), 3u) << "an empty cell and at least two colours";
        for (size_t i = 0; i < cells.size(); ++i) {
            for (size_t j = i + 1; j < cells.size(); ++j) {
                EXPECT_GE(DeltaE(cells[i].colour, cells[j].colour), kLeastDifference)
                    << cells[i].name << " against " << cells[j].name;
            }
        }
    }
    ClearTilesets();
}

} // namespace
