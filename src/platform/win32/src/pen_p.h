// The selected pen, realised once when it is selected (as a GDI driver picks
// a pen's line routine in SelectObject): how a figure's outline is made, how
// wide, whether it keeps inside the frame, and its dashes. The primitives read
// this and never work the pen out again. A pen's geometry depends on the pen
// alone (there are no world transforms here); its colours are the DC's paints.
#pragma once

#include "objects_p.h"

#include <cstdint>
#include <vector>

namespace hmigfx::win32 {

// An on/off pattern in pixels. Entries alternate dash, gap, dash, ...; an odd
// count repeats with the roles swapped, so the period is then twice the sum.
struct DashPattern {
    int count = 0;  // 0: solid
    uint32_t len[16] = {};
    uint64_t period = 0;

    bool solid() const { return count == 0; }
    void set(const uint32_t* entries, int n, uint32_t scale);
};

// How a figure's outline is made.
enum class PenRoute {
    None,      // no pen, PS_NULL: nothing is drawn
    Cosmetic,  // one pixel wide, painted segment by segment
    Thin,      // a one-pixel geometric pen: the same pixels, collected into one region
    Wide,      // wider than a pixel: bands, caps and joins, collected into one region
};

struct RealisedPen {
    PenRoute route = PenRoute::None;
    int width = 0;                   // device pixels; 0 for no pen
    bool insideFrame = false;        // PS_INSIDEFRAME: the outline keeps inside the bounding box
    bool gapsTakeBackground = false; // dashed CreatePen pens paint their gaps in OPAQUE mode
    DWORD endCap = PS_ENDCAP_ROUND;  // wide pens
    DWORD join = PS_JOIN_ROUND;
    // Cosmetic and thin pens: the pattern along each segment's major axis.
    // Wide pens: the dashes along the figure, end caps counted in.
    DashPattern dashes;
    // Wide pens with round caps or joins: the disc they put at a point, as
    // half-open [left, right) pairs per row relative to it, from row discTop.
    std::vector<int> discRows;
    int discTop = 0;

    bool usesRegion() const { return route == PenRoute::Thin || route == PenRoute::Wide; }
    // Dashed: where a figure starts matters.
    bool styled() const { return !dashes.solid(); }
};

RealisedPen realisePen(const Pen* pen);

}  // namespace hmigfx::win32
