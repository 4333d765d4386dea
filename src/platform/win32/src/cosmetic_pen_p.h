// One-pixel ("cosmetic") pen strokes: which pixels a segment covers, and
// which of them a styled pen draws as dashes and which as gaps.
#pragma once

#include "shape_p.h"

#include <cstdint>
#include <vector>

namespace hmigfx::win32 {

// The position in the pattern. It starts afresh with every figure (LineTo,
// each polyline, each closed shape) and runs on across a figure's segments.
struct DashCursor {
    const DashPattern* pattern = nullptr;
    int index = 0;
    uint32_t left = 0;  // pixels left in the current entry
    bool on = true;

    void reset() {
        index = 0;
        left = pattern->len[0];
        on = true;
    }
    // Moves n pixels on. Landing exactly on the end of an entry moves into the
    // next entry (which a zero-length entry makes visible: see rasterSegment).
    void skip(uint64_t n);
};

// Where the pixels of a stroke go. Pixels outside box (half-open, device
// coordinates) are not produced at all, however long the segment; the dash
// phase stays what it would be had they been drawn.
struct CosmeticRaster {
    RECT box{0, 0, 0, 0};
    DashPattern pattern;
    DashCursor cursor;
    std::vector<Span>* on = nullptr;
    std::vector<Span>* off = nullptr;  // gap pixels; nullptr leaves them alone
};

// Rasterises the segment from `from` to `to`, the end point excluded, with
// GDI's choice of pixels (Bresenham with the octant-dependent tie rule) and
// advances the dash cursor by the segment's length.
void rasterSegment(CosmeticRaster& r, POINT from, POINT to);
// How far that segment moves the dash cursor.
uint64_t segmentAdvance(POINT from, POINT to);

}  // namespace hmigfx::win32
