// What the span painter writes. Every raster operation GDI applies with a pen
// or brush reduces, per pixel, to  dst = (dst & andMask) ^ xorMask  with masks
// derived from the source colour; a brush is a tile of such pairs aligned to
// the brush origin, a pen or solid brush a 1x1 tile.
#pragma once

#include "surface_p.h"

#include <cstdint>
#include <vector>

namespace hmigfx::win32 {

struct RopPair {
    uint32_t andMask;
    uint32_t xorMask;
};

// The pair for binary raster operation rop2 (R2_BLACK..R2_WHITE) with source
// pixel value src, restricted to the surface's pixel bits.
RopPair rop2Pair(int rop2, uint32_t src, uint32_t pixelMask);
// The pair that leaves the destination alone.
inline RopPair nopPair(uint32_t pixelMask) { return {pixelMask, 0}; }

struct PaintTile {
    int width = 0;   // 0: paints nothing (null pen or brush)
    int height = 0;
    std::vector<RopPair> pairs;  // width * height, row-major from the tile origin
    bool opaqueCopy = false;     // every and-mask is 0: a plain store

    // Filled by finish() for tiles of modest size: every tile row repeated to
    // `span` pixels (a multiple of width) with the and- and xor-masks apart,
    // so a run is painted in whole stretches rather than pixel by pixel with
    // a wrapping index. span 0: not prepared, the painter reads `pairs`.
    int span = 0;
    std::vector<uint32_t> andRows;  // height * span
    std::vector<uint32_t> xorRows;

    bool empty() const { return width == 0; }
    void setNone() {
        width = height = 0;
        pairs.clear();
        opaqueCopy = false;
        span = 0;
    }
    void setSolid(RopPair p) {
        width = height = 1;
        pairs.assign(1, p);
        opaqueCopy = p.andMask == 0;
        span = 0;  // a single pair needs no rows
    }
    void resize(int w, int h) {
        width = w;
        height = h;
        pairs.assign(static_cast<size_t>(w) * h, RopPair{0, 0});
        span = 0;
    }
    // Call after filling `pairs`.
    void finish();
};

}  // namespace hmigfx::win32
