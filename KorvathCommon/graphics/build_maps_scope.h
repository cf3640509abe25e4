#pragma once
// The two switches every single-image load reads (gBuildAlphaMaps, gBuildColorMaps), set for one block.

#include "graphics/texture.h"

// Sets both switches for as long as it lives, then puts back what they were, whichever way the caller's
// block ends.
class TBuildMapsScope {
public:
    TBuildMapsScope(bool alphaMaps, bool colorMaps) : mAlphaMaps(gBuildAlphaMaps), mColorMaps(gBuildColorMaps) {
        gBuildAlphaMaps = alphaMaps;
        gBuildColorMaps = colorMaps;
    }
    // The colour map switch left as it is.
    explicit TBuildMapsScope(bool alphaMaps) : TBuildMapsScope(alphaMaps, gBuildColorMaps) {}
    ~TBuildMapsScope() {
        gBuildAlphaMaps = mAlphaMaps;
        gBuildColorMaps = mColorMaps;
    }
    TBuildMapsScope(const TBuildMapsScope&) = delete;
    TBuildMapsScope& operator=(const TBuildMapsScope&) = delete;

private:
    bool mAlphaMaps;
    bool mColorMaps;
};
