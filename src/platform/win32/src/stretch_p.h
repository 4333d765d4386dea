// Stretching: which source pixels feed each destination pixel, and the
// bilinear HALFTONE mode.
#pragma once

#include "blit_p.h"

#include <vector>

namespace hmigfx::win32 {

// The source pixels one destination pixel takes, in the order the stretch
// walks them: first, first + inc, ..., last.
struct AxisGroup {
    int first = 0;
    int last = 0;
    int count = 0;
};

struct AxisMap {
    bool enlarge = false;   // at most one source pixel per destination pixel
    int inc = 1;            // source step (-1 when the source is mirrored)
    int d0 = 0;             // destination coordinate of groups[0]
    std::vector<AxisGroup> groups;  // consecutive destination pixels
    int smin = 0, smax = 0;         // source pixels read, inclusive
};

// One axis of a stretch, walked like a Bresenham line from (sStart, dStart)
// over max(|sLen|, |dLen|) steps: enlarging, destination pixel k takes source
// pixel ceil((k + 1/2) * |sLen| / |dLen|) - 1, and shrinking the other way
// round. Only pairs inside [dv0, dv1) x [sv0, sv1) are kept. False when none is.
bool mapAxis(int dStart, int dLen, int dv0, int dv1, int sStart, int sLen, int sv0, int sv1, AxisMap& out);

struct HalftoneParams {
    RECT src{};            // source pixels that may be read
    int startX = 0, startY = 0;
    float incX = 0, incY = 0;
};

bool halftoneParams(const BlitCoords& d, const RECT& dvis, const BlitCoords& s, const RECT& svis, HalftoneParams& hp);

// Bilinear resampling in the destination format. src holds the rows of hp.src
// (destination raw values, stride sw); out receives dw x dh values.
void halftone(const Surface& ds, const HalftoneParams& hp, const uint32_t* src, int sw, int dw, int dh, uint32_t* out);

}  // namespace hmigfx::win32
