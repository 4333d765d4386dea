// What the line and shape primitives share: device mapping for geometry,
// reusable buffers and span-list building.
#pragma once

#include "dc_p.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace hmigfx::win32 {

inline POINT devicePoint(const DC& dc, int64_t x, int64_t y) {
    return {clampDevice(x - dc.st.windowOrg.x + dc.st.viewportOrg.x),
            clampDevice(y - dc.st.windowOrg.y + dc.st.viewportOrg.y)};
}
inline POINT devicePoint(const DC& dc, POINT p) { return devicePoint(dc, p.x, p.y); }

// The device rectangle of a shape's bounding box, ordered.
inline RECT deviceRect(const DC& dc, int left, int top, int right, int bottom) {
    const POINT a = devicePoint(dc, left, top), b = devicePoint(dc, right, bottom);
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// Buffers reused from call to call, so that drawing a shape does not allocate
// once they have grown to the largest shape drawn.
struct ShapeScratch {
    std::vector<POINT> points;   // a figure's device points
    std::vector<POINT> curve;    // flattened or generated curve points
    std::vector<int> counts;     // polygon point counts
    std::vector<Span> gapSpans;  // styled pens: the gaps of a segment
    std::vector<Span> wideSpans; // the pieces of a wide pen's outline
    std::vector<Span> interior;  // a shape's interior, kept until its outline is known
    std::vector<uint32_t> rowStarts, rowFill;  // bucketing spans by row
    std::vector<Span> byRow;
};
ShapeScratch& shapeScratch();

// Appends a run, joining it to the previous one when they touch on the same
// row, so that long curves become few spans.
inline void appendSpan(std::vector<Span>& out, int x, int y, int len) {
    if (len <= 0) return;
    if (!out.empty()) {
        Span& last = out.back();
        if (last.y == y) {
            if (last.x + last.len == x) {
                last.len += len;
                return;
            }
            if (x + len == last.x) {
                last.x = x;
                last.len += len;
                return;
            }
        }
    }
    out.push_back(Span{x, y, len});
}

// The bounding box of the DC's visible region; empty when nothing is visible.
inline RECT visibleBox(const DC& dc) { return dc.visible.box(); }

}  // namespace hmigfx::win32
