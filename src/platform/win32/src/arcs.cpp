// Arc, ArcTo, Pie and Chord: a stretch of the ellipse outline walk between
// the rays towards the start and end points, in the DC's arc direction.
#include "ellipse_p.h"
#include "polygon_fill_p.h"
#include "stroke_p.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace hmigfx::win32;

namespace {

enum class ArcKind { ArcTo, Arc, Chord, Pie };

// Index along the four quadrants of the outline (count points each) where
// the ray from the centre through (x, y) crosses it; y grows upwards here.
int64_t rayIndex(const std::vector<POINT>& q, size_t count, int64_t x, int64_t y) {
    size_t i = 0;
    const int64_t n = static_cast<int64_t>(count);
    if (y >= 0) {
        if (x >= 0) {
            while (i < count && !(q[i].x * y <= q[i].y * x)) ++i;
            return static_cast<int64_t>(i);
        }
        while (i < count && !(q[i].x * y < q[i].y * -x)) ++i;
        return 2 * n - static_cast<int64_t>(i);
    }
    if (x >= 0) {
        while (i < count && !(q[i].x * -y <= q[i].y * x)) ++i;
        return 4 * n - static_cast<int64_t>(i);
    }
    while (i < count && !(q[i].x * -y < q[i].y * -x)) ++i;
    return 2 * n + static_cast<int64_t>(i);
}

// The arc's outline points from the start ray to the end ray (a full turn
// when they meet), appended to out.
void arcPoints(const RECT& rc, POINT start, POINT end, int direction, std::vector<POINT>& out) {
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    std::vector<POINT>& q = shapeScratch().points;
    q.clear();
    const size_t count = ellipseQuadrant(width, height, q);
    for (POINT& p : q) p = {p.x - width / 2, p.y - height / 2};
    int64_t sx = start.x, sy = start.y, ex = end.x, ey = end.y;
    if (direction != AD_CLOCKWISE) {
        sy = -sy;
        ey = -ey;
    }
    const int64_t from = rayIndex(q, count, sx, sy);
    int64_t to = rayIndex(q, count, ex, ey);
    const int64_t n = static_cast<int64_t>(count);
    if (to <= from) to += 4 * n;
    const int cx = rc.left + width / 2, cy = rc.top + height / 2;
    const int rx = rc.right - 1 - width / 2, by = rc.bottom - 1 - height / 2;
    for (int64_t i = from; i < to; ++i) {
        const int64_t k = i % n;
        const POINT a = q[static_cast<size_t>(k)], b = q[static_cast<size_t>(n - 1 - k)];
        POINT p;
        switch ((i / n) % 4) {
        case 0: p = {cx + a.x, cy + a.y}; break;
        case 1: p = {rx - b.x, cy + b.y}; break;
        case 2: p = {rx - a.x, by - a.y}; break;
        default: p = {cx + b.x, by - b.y}; break;
        }
        // Counterclockwise arcs are the clockwise walk mirrored top to bottom.
        if (direction != AD_CLOCKWISE) p.y = rc.top + rc.bottom - 1 - p.y;
        out.push_back(p);
    }
}

BOOL drawArc(HDC h, ArcKind kind, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    const PenGeometry pen = penGeometry(*dc);
    RECT rc = deviceRect(*dc, left, top, right, bottom);
    if (rc.left == rc.right || rc.top == rc.bottom) return TRUE;
    rc = insideFrameRect(rc, pen);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (width > kMaxCurveExtent || height > kMaxCurveExtent) return FALSE;
    const POINT centre{rc.left + width / 2, rc.top + height / 2};
    POINT s = devicePoint(*dc, xs, ys), e = devicePoint(*dc, xe, ye);
    s = {s.x - centre.x, s.y - centre.y};
    e = {e.x - centre.x, e.y - centre.y};

    std::vector<POINT>& pts = shapeScratch().curve;
    pts.clear();
    if (kind == ArcKind::ArcTo) pts.push_back(devicePoint(*dc, dc->st.curPos));
    arcPoints(rc, s, e, dc->st.arcDirection, pts);
    if (kind == ArcKind::Pie) pts.push_back(centre);
    if (pts.size() < 2) return TRUE;

    const bool closed = kind == ArcKind::Chord || kind == ArcKind::Pie;
    if (closed) {
        const int n = static_cast<int>(pts.size());
        fillPolygons(*dc, pts.data(), &n, 1, WINDING);
    }
    FigureStroker stroker(*dc);
    stroker.figure(pts.data(), pts.size(), closed);
    return TRUE;
}

}  // namespace

extern "C" {

BOOL WINAPI Arc(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    return drawArc(h, ArcKind::Arc, l, t, r, b, xs, ys, xe, ye);
}

BOOL WINAPI Chord(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    return drawArc(h, ArcKind::Chord, l, t, r, b, xs, ys, xe, ye);
}

BOOL WINAPI Pie(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    return drawArc(h, ArcKind::Pie, l, t, r, b, xs, ys, xe, ye);
}

BOOL WINAPI ArcTo(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    if (!drawArc(h, ArcKind::ArcTo, l, t, r, b, xs, ys, xe, ye)) return FALSE;
    // The current position moves to where the end ray meets the true ellipse.
    DC* dc = findDC(h);
    if (l == r || t == b) return TRUE;
    const double width = std::abs(static_cast<double>(r) - l), height = std::abs(static_cast<double>(b) - t);
    const double cx = (r > l ? l : r) + width / 2, cy = (b > t ? t : b) + height / 2;
    const double angle = std::atan2((ye - cy) / height, (xe - cx) / width);
    auto round = [](double v) { return static_cast<int>(std::floor(v + 0.5)); };
    dc->st.curPos = {round(cx + std::cos(angle) * width / 2), round(cy + std::sin(angle) * height / 2)};
    return TRUE;
}

}  // extern "C"
