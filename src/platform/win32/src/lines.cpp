// Open figures: LineTo, the polylines and the Bézier curves, and the current
// position they read and move.
#include "bezier_p.h"
#include "stroke_p.h"
#include "printer_p.h"

using namespace hmigfx::win32;

namespace {

// Maps logical points to device points into the shared buffer.
std::vector<POINT>& mapped(const DC& dc, const POINT* pts, size_t n, const POINT* first = nullptr) {
    std::vector<POINT>& out = shapeScratch().points;
    out.clear();
    if (first) out.push_back(devicePoint(dc, *first));
    for (size_t i = 0; i < n; ++i) out.push_back(devicePoint(dc, pts[i]));
    return out;
}

void strokeOpen(DC& dc, const std::vector<POINT>& pts) {
    FigureStroker stroker(dc);
    stroker.figure(pts.data(), pts.size(), false);
}

// Flattens curves given in logical coordinates (with an optional leading
// point) and strokes the result as one polyline.
void strokeBeziers(DC& dc, const POINT* pts, size_t n, const POINT* first) {
    ShapeScratch& s = shapeScratch();
    std::vector<POINT>& logical = s.points;
    logical.clear();
    if (first) logical.push_back(*first);
    logical.insert(logical.end(), pts, pts + n);
    std::vector<POINT>& curve = s.curve;
    curve.clear();
    flattenBeziers(logical.data(), logical.size(), curve);
    for (POINT& p : curve) p = devicePoint(dc, p);
    FigureStroker stroker(dc);
    stroker.figure(curve.data(), curve.size(), false);
}

}  // namespace

extern "C" {

BOOL WINAPI LineTo(HDC h, int x, int y) {
    const PageRecord rec(h, [&] { return [=](HDC d) { LineTo(d, x, y); }; });
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    const POINT to{x, y};
    strokeOpen(*dc, mapped(*dc, &to, 1, &dc->st.curPos));
    dc->st.curPos = to;
    return TRUE;
}

BOOL WINAPI Polyline(HDC h, const POINT* pts, int n) {
    const PageRecord rec(h, [&] { return [p = keepPoints(pts, n), n](HDC d) { Polyline(d, p.data(), n); }; });
    DC* dc = findDC(h);
    if (!dc || !pts || n < 2) return FALSE;
    strokeOpen(*dc, mapped(*dc, pts, static_cast<size_t>(n)));
    return TRUE;
}

BOOL WINAPI PolylineTo(HDC h, const POINT* pts, DWORD n) {
    const PageRecord rec(h, [&] { return [p = keepPoints(pts, n), n](HDC d) { PolylineTo(d, p.data(), n); }; });
    DC* dc = findDC(h);
    if (!dc || !pts || n == 0) return FALSE;
    strokeOpen(*dc, mapped(*dc, pts, n, &dc->st.curPos));
    dc->st.curPos = pts[n - 1];
    return TRUE;
}

BOOL WINAPI PolyPolyline(HDC h, const POINT* pts, const DWORD* counts, DWORD npoly) {
    const PageRecord rec(h, [&] {
        auto c = keepArray(counts, npoly);
        long long total = 0;
        for (DWORD k : c) total += k;
        return [p = keepPoints(pts, total), c, npoly](HDC d) { PolyPolyline(d, p.data(), c.empty() ? nullptr : c.data(), npoly); };
    });
    DC* dc = findDC(h);
    if (!dc || !pts || !counts) return FALSE;
    size_t total = 0;
    for (DWORD i = 0; i < npoly; ++i) {
        if (counts[i] < 2) return FALSE;
        total += counts[i];
    }
    const std::vector<POINT>& dev = mapped(*dc, pts, total);
    FigureStroker stroker(*dc);
    size_t at = 0;
    for (DWORD i = 0; i < npoly; ++i) {
        stroker.figure(dev.data() + at, counts[i], false);
        at += counts[i];
    }
    return TRUE;
}

BOOL WINAPI PolyBezier(HDC h, const POINT* pts, DWORD n) {
    const PageRecord rec(h, [&] { return [p = keepPoints(pts, n), n](HDC d) { PolyBezier(d, p.data(), n); }; });
    DC* dc = findDC(h);
    if (!dc || !pts || n < 4 || n % 3 != 1) return FALSE;
    strokeBeziers(*dc, pts, n, nullptr);
    // The reference leaves the current position at the curve's end.
    dc->st.curPos = pts[n - 1];
    return TRUE;
}

BOOL WINAPI PolyBezierTo(HDC h, const POINT* pts, DWORD n) {
    const PageRecord rec(h, [&] { return [p = keepPoints(pts, n), n](HDC d) { PolyBezierTo(d, p.data(), n); }; });
    DC* dc = findDC(h);
    if (!dc || !pts || n == 0 || n % 3 != 0) return FALSE;
    const POINT start = dc->st.curPos;
    strokeBeziers(*dc, pts, n, &start);
    dc->st.curPos = pts[n - 1];
    return TRUE;
}

}  // extern "C"
