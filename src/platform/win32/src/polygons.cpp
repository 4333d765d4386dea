// Polygon and PolyPolygon, and the polygon regions, which cover exactly the
// pixels the same polygons fill.
#include "polygon_fill_p.h"
#include "region_p.h"
#include "stroke_p.h"
#include "printer_p.h"

#include <cstdint>

namespace hmigfx::win32 {

void fillPolygons(DC& dc, FigureStroker& stroker, const POINT* pts, const int* counts, int npoly, int mode) {
    dc.refreshPaints();
    if (dc.brushPaint.empty()) return;
    const RECT box = visibleBox(dc);
    if (box.top >= box.bottom) return;
    std::vector<Span>& spans = dc.scratchSpans;
    spans.clear();
    scanPolygons(pts, counts, npoly, mode, box.top, box.bottom, spans);
    stroker.interior(spans);
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

namespace {

// Regions taller than this (summed over the edges: a polygon about half a
// million rows tall) are refused, as GDI refuses what its memory cannot
// hold: every row is a band of its own, and a few such regions combined
// would take seconds and gigabytes.
constexpr int64_t kMaxRegionEdgeRows = int64_t{1} << 20;

HRGN polygonRegion(const POINT* pts, const INT* counts, int npoly, int mode) {
    if (!pts || !counts || npoly <= 0) return nullptr;
    int64_t total = 0, rows = 0;
    for (int i = 0; i < npoly; ++i) {
        if (counts[i] < 0) return nullptr;
        total += counts[i];
    }
    const POINT* poly = pts;
    for (int i = 0; i < npoly; ++i) {
        for (int k = 0; k < counts[i] && counts[i] >= 2; ++k) {
            const POINT a = poly[k == 0 ? counts[i] - 1 : k - 1], b = poly[k];
            rows += a.y < b.y ? int64_t{b.y} - a.y : int64_t{a.y} - b.y;
        }
        poly += counts[i];
    }
    if (rows > kMaxRegionEdgeRows) return nullptr;
    const RECT bounds = polygonBounds(pts, static_cast<size_t>(total));
    std::vector<Span> spans;
    scanPolygons(pts, counts, npoly, mode == WINDING ? WINDING : ALTERNATE, bounds.top, bounds.bottom, spans);
    std::vector<pixman_box32_t> boxes;
    boxes.reserve(spans.size());
    for (const Span& s : spans) boxes.push_back({s.x, s.y, s.x + s.len, s.y + 1});
    auto obj = std::make_unique<Region>();
    pixman_region32_fini(obj->rgn.get());
    pixman_region32_init_rects(obj->rgn.get(), boxes.data(), static_cast<int>(boxes.size()));
    return addTyped(std::move(obj));
}

}  // namespace

extern "C" {

BOOL WINAPI PolyPolygon(HDC h, const POINT* pts, const INT* counts, int npoly) {
    const PageRecord rec(h, [&] {
        auto c = keepArray(counts, npoly);
        long long total = 0;
        for (INT k : c) total += k;
        return [p = keepPoints(pts, total), c, npoly](HDC d) { PolyPolygon(d, p.data(), c.empty() ? nullptr : c.data(), npoly); };
    });
    DC* dc = findDC(h);
    if (!dc || !pts || !counts || npoly <= 0) return FALSE;
    size_t total = 0;
    for (int i = 0; i < npoly; ++i) {
        if (counts[i] < 2) return FALSE;
        total += static_cast<size_t>(counts[i]);
    }
    std::vector<POINT>& dev = shapeScratch().points;
    dev.clear();
    for (size_t i = 0; i < total; ++i) dev.push_back(devicePoint(*dc, pts[i]));
    FigureStroker stroker(*dc);
    fillPolygons(*dc, stroker, dev.data(), counts, npoly, dc->st.polyFillMode);
    size_t at = 0;
    for (int i = 0; i < npoly; ++i) {
        stroker.figure(dev.data() + at, static_cast<size_t>(counts[i]), true);
        at += static_cast<size_t>(counts[i]);
    }
    return TRUE;
}

BOOL WINAPI Polygon(HDC h, const POINT* pts, int n) { return PolyPolygon(h, pts, &n, 1); }

HRGN WINAPI CreatePolyPolygonRgn(const POINT* pts, const INT* counts, int npoly, int mode) {
    return polygonRegion(pts, counts, npoly, mode);
}

HRGN WINAPI CreatePolygonRgn(const POINT* pts, int n, int mode) { return polygonRegion(pts, &n, 1, mode); }

}  // extern "C"
