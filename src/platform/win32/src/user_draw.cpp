// USER's drawing helpers: the focus rectangle, 3-D edges and frame controls.
#include "dc_p.h"

#include <algorithm>
#include <vector>

using namespace hmigfx::win32;

namespace {

// Paints device pixels listed in any order with a tile, clipped to the
// visible region.
void paintPixels(DC& dc, const PaintTile& tile, std::vector<POINT>& pts) {
    std::vector<Span>& spans = dc.scratchSpans;
    spans.clear();
    for (const POINT& p : pts) spans.push_back(Span{p.x, p.y, 1});
    paintSpans(dc.surface, dc.visible, tile, dc.st.brushOrg, spans.data(), spans.size());
}

}  // namespace

extern "C" {

// A dotted frame drawn as an alternate-pixel outline that inverts: it starts
// at the top-right pixel and runs clockwise, every other pixel inverted, so
// drawing it twice restores the picture. In rectangles one or two pixels
// thick the outline crosses pixels twice, and those crossings cancel.
BOOL WINAPI DrawFocusRect(HDC h, const RECT* rc) {
    DC* dc = findDC(h);
    if (!dc || !rc) return FALSE;
    RECT r = dc->toDevice(*rc);
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    if (r.right - r.left < 1 || r.bottom - r.top < 1) return TRUE;
    const POINT corners[4] = {{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}, {r.left, r.top}};
    std::vector<POINT> pts;
    long k = 0;
    for (int side = 0; side < 4; ++side) {
        POINT p = corners[side];
        const POINT q = corners[(side + 1) % 4];
        const int sx = (q.x > p.x) - (q.x < p.x), sy = (q.y > p.y) - (q.y < p.y);
        for (; p.x != q.x || p.y != q.y; p.x += sx, p.y += sy, ++k)
            if (k % 2 == 0) pts.push_back(p);
    }
    // Pixels reached twice are inverted twice: drop them in pairs.
    std::sort(pts.begin(), pts.end(), [](const POINT& a, const POINT& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    std::vector<POINT> odd;
    for (size_t i = 0; i < pts.size();) {
        size_t j = i;
        while (j < pts.size() && pts[j].x == pts[i].x && pts[j].y == pts[i].y) ++j;
        if ((j - i) % 2) odd.push_back(pts[i]);
        i = j;
    }
    PaintTile tile;
    tile.setSolid(rop2Pair(R2_NOT, 0, dc->surface.pixelMask()));
    paintPixels(*dc, tile, odd);
    return TRUE;
}

BOOL WINAPI DrawFrameControl(HDC, LPRECT, UINT, UINT) { return FALSE; }

}  // extern "C"
