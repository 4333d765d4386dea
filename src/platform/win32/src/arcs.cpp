// Arc, ArcTo, Pie and Chord: a stretch of the ellipse outline walk between
// the rays towards the start and end points, in the DC's arc direction.
#include "curve_figure_p.h"
#include "ellipse_p.h"
#include "polygon_fill_p.h"
#include "stroke_p.h"
#include "printer_p.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

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

// The same arc for an ellipse far larger than the visible box: positions
// along the four quadrants are kept as (quadrant, walk point) instead of an
// index, and only the visible stretches are followed.
struct ArcPos {
    int block;           // quadrant number along the figure, 0.. (4 and up: a second turn)
    QuadrantPath::Pt p;  // the walk point at that position
};

void compactArc(const QuadrantPath& q, const RECT& rc, POINT start, POINT end, int direction, CompactFigure& fig) {
    using Pt = QuadrantPath::Pt;
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    const Pt first = q.first(), last = q.last();
    // The first walk point at or past the ray's angle, or nothing.
    auto firstPast = [&](int64_t x, int64_t y) -> std::optional<Pt> {
        const __int128 rx = x < 0 ? -x : x, ry = y < 0 ? -y : y;
        const bool strict = x < 0;
        auto past = [&](Pt p) {
            const __int128 l = __int128(p.x - w / 2) * ry, r = __int128(p.y - h / 2) * rx;
            return strict ? l < r : l <= r;
        };
        if (!past(last)) return std::nullopt;
        if (past(first)) return first;
        int lo = first.y, hi = last.y;  // the row of lo ends before the ray, hi's row reaches it
        while (hi - lo > 1) {
            const int mid = lo + (hi - lo) / 2;
            const std::optional<Pt> e = q.rowEntry(mid);
            (e && past(q.rowExit(*e)) ? hi : lo) = mid;
        }
        if (past(q.rowExit(*q.rowEntry(lo)))) hi = lo;
        const Pt entry = *q.rowEntry(hi), exit = q.rowExit(entry);
        int xl = exit.x, xr = entry.x;  // past at xl; find the largest x that is
        if (past(Pt{xr, hi})) return Pt{xr, hi};
        while (xr - xl > 1) {
            const int mid = xl + (xr - xl) / 2;
            (past(Pt{mid, hi}) ? xl : xr) = mid;
        }
        return Pt{xl, hi};
    };
    auto position = [&](int64_t x, int64_t y) -> ArcPos {
        const std::optional<Pt> p = firstPast(x, y);
        if (y >= 0 && x >= 0) return p ? ArcPos{0, *p} : ArcPos{1, last};
        if (y >= 0) return !p ? ArcPos{1, last} : *p == first ? ArcPos{2, first} : ArcPos{1, q.previous(*p)};
        if (x < 0) return p ? ArcPos{2, *p} : ArcPos{3, last};
        return !p ? ArcPos{3, last} : *p == first ? ArcPos{4, first} : ArcPos{3, q.previous(*p)};
    };
    int64_t sy = start.y, ey = end.y;
    if (direction != AD_CLOCKWISE) {
        sy = -sy;
        ey = -ey;
    }
    const ArcPos from = position(start.x, sy);
    ArcPos to = position(end.x, ey);
    // Odd quadrants run the walk backwards.
    auto less = [](const ArcPos& a, const ArcPos& b) {
        if (a.block != b.block) return a.block < b.block;
        return a.block % 2 == 0 ? QuadrantPath::before(a.p, b.p) : QuadrantPath::before(b.p, a.p);
    };
    if (!less(from, to)) to.block += 4;
    Placement place[4] = {{rc.left, rc.top, 1, 1},
                          {rc.right - 1, rc.top, -1, 1},
                          {rc.right - 1, rc.bottom - 1, -1, -1},
                          {rc.left, rc.bottom - 1, 1, -1}};
    if (direction != AD_CLOCKWISE)
        for (Placement& pl : place) pl = pl.mirroredY(rc.top + rc.bottom - 1);
    for (int b = from.block; b <= to.block; ++b) {
        const Placement& pl = place[b % 4];
        if (b % 2 == 0) {
            const Pt lo = b == from.block ? from.p : first;
            if (b == to.block && to.p == first) continue;
            const Pt hi = b == to.block ? q.previous(to.p) : last;
            if (QuadrantPath::before(hi, lo)) continue;
            fig.addRun(lo, hi, pl, false);
        } else {
            const Pt hi = b == from.block ? from.p : last;
            if (b == to.block && to.p == last) continue;
            const Pt lo = b == to.block ? q.next(to.p) : first;
            if (QuadrantPath::before(hi, lo)) continue;
            fig.addRun(lo, hi, pl, true);
        }
    }
}

BOOL drawArc(HDC h, ArcKind kind, int left, int top, int right, int bottom, int xs, int ys, int xe, int ye) {
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    const RealisedPen& pen = dc->realisedPen;
    RECT rc = deviceRect(*dc, left, top, right, bottom);
    if (rc.left == rc.right || rc.top == rc.bottom) return TRUE;
    rc = insideFrameRect(rc, pen);
    const int64_t wideWidth = int64_t{rc.right} - rc.left, wideHeight = int64_t{rc.bottom} - rc.top;
    // A box smaller than an inside-frame pen leaves no ellipse to follow.
    if (wideWidth <= 0 || wideHeight <= 0) return TRUE;
    if (wideWidth > QuadrantPath::kMaxExtent || wideHeight > QuadrantPath::kMaxExtent) return FALSE;
    const int width = static_cast<int>(wideWidth), height = static_cast<int>(wideHeight);
    const POINT centre{rc.left + width / 2, rc.top + height / 2};
    POINT s = devicePoint(*dc, xs, ys), e = devicePoint(*dc, xe, ye);
    s = {s.x - centre.x, s.y - centre.y};
    e = {e.x - centre.x, e.y - centre.y};
    const bool closed = kind == ArcKind::Chord || kind == ArcKind::Pie;

    const RECT box = visibleBox(*dc);
    if (box.left >= box.right || box.top >= box.bottom) return TRUE;
    if (curveNeedsClipping(width, height, box)) {
        const QuadrantPath q(width, height);
        CompactFigure fig(q, penFrame(box, pen), pen.styled());
        if (kind == ArcKind::ArcTo) fig.addPoint(devicePoint(*dc, dc->st.curPos));
        compactArc(q, rc, s, e, dc->st.arcDirection, fig);
        if (kind == ArcKind::Pie) fig.addPoint(centre);
        if (fig.tiny()) return TRUE;
        fig.finish();
        FigureStroker stroker(*dc);
        if (closed) {
            const int n = static_cast<int>(fig.points.size());
            fillPolygons(*dc, stroker, fig.points.data(), &n, 1, WINDING);
        }
        stroker.figure(fig.points.data(), fig.points.size(), closed, fig.dashAt.empty() ? nullptr : fig.dashAt.data());
        return TRUE;
    }

    std::vector<POINT>& pts = shapeScratch().curve;
    pts.clear();
    if (kind == ArcKind::ArcTo) pts.push_back(devicePoint(*dc, dc->st.curPos));
    arcPoints(rc, s, e, dc->st.arcDirection, pts);
    if (kind == ArcKind::Pie) pts.push_back(centre);
    if (pts.size() < 2) return TRUE;

    FigureStroker stroker(*dc);
    if (closed) {
        const int n = static_cast<int>(pts.size());
        fillPolygons(*dc, stroker, pts.data(), &n, 1, WINDING);
    }
    stroker.figure(pts.data(), pts.size(), closed);
    return TRUE;
}

}  // namespace

extern "C" {

BOOL WINAPI Arc(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    const PageRecord rec(h, [&] { return [=](HDC d) { Arc(d, l, t, r, b, xs, ys, xe, ye); }; });
    return drawArc(h, ArcKind::Arc, l, t, r, b, xs, ys, xe, ye);
}

BOOL WINAPI Chord(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    const PageRecord rec(h, [&] { return [=](HDC d) { Chord(d, l, t, r, b, xs, ys, xe, ye); }; });
    return drawArc(h, ArcKind::Chord, l, t, r, b, xs, ys, xe, ye);
}

BOOL WINAPI Pie(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    const PageRecord rec(h, [&] { return [=](HDC d) { Pie(d, l, t, r, b, xs, ys, xe, ye); }; });
    return drawArc(h, ArcKind::Pie, l, t, r, b, xs, ys, xe, ye);
}

BOOL WINAPI ArcTo(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    const PageRecord rec(h, [&] { return [=](HDC d) { ArcTo(d, l, t, r, b, xs, ys, xe, ye); }; });
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
