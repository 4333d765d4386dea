// Painting regions given in logical coordinates.
#include "dc_p.h"
#include "printer_p.h"

#include <climits>
#include <cstdlib>
#include <utility>

using namespace hmigfx::win32;

namespace {

int magnitude(int v) { return v == INT_MIN ? INT_MAX : std::abs(v); }

// The region moved from logical to device coordinates.
PixRegion toDevice(const DC& dc, const Region& r) {
    PixRegion dev(r.rgn);
    dev.offset(dc.devX(0), dc.devY(0));
    return dev;
}

BOOL paintWith(HDC h, HRGN hrgn, Brush* brush, int rop2) {
    DC* dc = findDC(h);
    Region* r = lookup<Region>(hrgn);
    if (!dc || !r) return FALSE;
    PaintTile& tile = dc->scratchPaint;
    if (brush)
        buildBrushPaint(*dc, brush, rop2, tile);
    else
        tile.setSolid(rop2Pair(rop2, 0, dc->surface.pixelMask()));
    paintRegion(dc->surface, dc->visible, tile, dc->st.brushOrg, toDevice(*dc, *r));
    return TRUE;
}

}  // namespace

extern "C" {

BOOL WINAPI PaintRgn(HDC h, HRGN hrgn) {
    const PageRecord rec(h, [&] { return [r = copyRegion(hrgn)](HDC d) { PaintRgn(d, static_cast<HRGN>(handleOf(r))); }; });
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    return paintWith(h, hrgn, dc->brush(), dc->st.rop2);
}

BOOL WINAPI FillRgn(HDC h, HRGN hrgn, HBRUSH hbr) {
    const PageRecord rec(h, [&] {
        return [r = copyRegion(hrgn), b = holdBrush(hbr)](HDC d) {
            FillRgn(d, static_cast<HRGN>(handleOf(r)), static_cast<HBRUSH>(handleOf(b)));
        };
    });
    DC* dc = findDC(h);
    Brush* b = lookup<Brush>(hbr);
    if (!dc || !b) return FALSE;
    return paintWith(h, hrgn, b, dc->st.rop2);
}

BOOL WINAPI InvertRgn(HDC h, HRGN hrgn) {
    const PageRecord rec(h, [&] { return [r = copyRegion(hrgn)](HDC d) { InvertRgn(d, static_cast<HRGN>(handleOf(r))); }; });
    return paintWith(h, hrgn, nullptr, R2_NOT);
}

BOOL WINAPI FrameRgn(HDC h, HRGN hrgn, HBRUSH hbr, int w, int hgt) {
    const PageRecord rec(h, [&] {
        return [r = copyRegion(hrgn), b = holdBrush(hbr), w, hgt](HDC d) {
            FrameRgn(d, static_cast<HRGN>(handleOf(r)), static_cast<HBRUSH>(handleOf(b)), w, hgt);
        };
    });
    DC* dc = findDC(h);
    Region* r = lookup<Region>(hrgn);
    Brush* b = lookup<Brush>(hbr);
    if (!dc || !r || !b) return FALSE;
    if (r->rgn.empty()) return FALSE;  // GDI has no frame to build and fails
    // GDI takes the widths' magnitude.
    w = magnitude(w);
    hgt = magnitude(hgt);
    // The frame is the region minus the region shrunk by w and h: a pixel stays
    // inside only if the region also holds the pixels w and h away from it.
    PixRegion inner(r->rgn);
    for (auto [dx, dy] : {std::pair{-w, 0}, std::pair{w, 0}, std::pair{0, -hgt}, std::pair{0, hgt}}) {
        PixRegion moved(r->rgn);
        moved.offset(dx, dy);
        inner.intersect(moved);
    }
    PixRegion frame(r->rgn);
    frame.subtract(inner);
    frame.offset(dc->devX(0), dc->devY(0));
    PaintTile& tile = dc->scratchPaint;
    buildBrushPaint(*dc, b, dc->st.rop2, tile);
    paintRegion(dc->surface, dc->visible, tile, dc->st.brushOrg, frame);
    return TRUE;
}

}  // extern "C"
