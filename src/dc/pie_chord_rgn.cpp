// Pie and chord regions. GDI has no region for either, so each is the
// ellipse's region intersected with a polygon that covers the wanted part of
// the ellipse and nothing else: the centre (pie) or the chord's ends (chord),
// the points where the two radials leave through the bounding rectangle's
// edge lines, and the rectangle's corners in between.
#include <hmigfx/my_dc.h>

#include "geometry/truncate_p.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

using hmigfx::TruncToInt;

namespace {

// Octants count counter-clockwise on the screen from the right half of the
// horizontal axis; corners counter-clockwise from the top right.
struct Radial {
    double slope;  // absolute slope; 90 for a vertical radial
    int octant;
    POINT edge;     // where the radial meets the edge line its octant faces
    POINT ellipse;  // where it meets the ellipse (chords)
};

Radial radialOf(const RECT& r, POINT c, POINT p, bool wantEllipse) {
    Radial rad{};
    if (p.y == c.y)
        rad.slope = 0.0;
    else if (p.x == c.x)
        rad.slope = 90.0;
    else
        rad.slope = std::abs(static_cast<double>(c.y) - p.y) / std::abs(static_cast<double>(c.x) - p.x);
    const bool shallow = rad.slope <= 1.0;

    if (p.y < c.y)
        rad.octant = p.x > c.x ? (shallow ? 0 : 1) : (shallow ? 3 : 2);
    else if (p.y == c.y)
        rad.octant = p.x > c.x ? 0 : (p.x < c.x ? 4 : 3);
    else
        rad.octant = p.x < c.x ? (shallow ? 4 : 5) : (shallow ? 7 : 6);

    if (p.y == c.y || p.x == c.x) {
        // Along an axis: the edge's middle, which is also on the ellipse.
        switch (rad.octant) {
        case 0:
        case 7: rad.edge = {r.right, c.y}; break;
        case 1:
        case 2: rad.edge = {c.x, r.top}; break;
        case 3:
        case 4: rad.edge = {r.left, c.y}; break;
        default: rad.edge = {c.x, r.bottom}; break;
        }
        rad.ellipse = rad.edge;
        return rad;
    }

    // In doubles: coordinates may lie anywhere in the int range.
    const double cx = c.x, cy = c.y;
    const double k = (p.y - cy) / (p.x - cx);
    switch (rad.octant) {
    case 0:
    case 7: rad.edge = {r.right, TruncToInt(cy + (r.right - cx) * k)}; break;
    case 1:
    case 2: rad.edge = {TruncToInt(cx + (r.top - cy) / k), r.top}; break;
    case 3:
    case 4: rad.edge = {r.left, TruncToInt(cy + (r.left - cx) * k)}; break;
    default: rad.edge = {TruncToInt(cx + (r.bottom - cy) / k), r.bottom}; break;
    }
    if (wantEllipse) {
        const double a = static_cast<double>((int64_t{r.right} - r.left) / 2);
        const double b = static_cast<double>((int64_t{r.bottom} - r.top) / 2);
        const double t = std::sqrt(1.0 / (k * k * a * a + b * b));
        const double d = std::abs(a * b * k * t);
        const double dx = std::abs(d / k);
        const bool right = rad.octant <= 1 || rad.octant >= 6;
        const bool above = rad.octant <= 3;
        rad.ellipse = {TruncToInt(right ? c.x + dx : c.x - dx), TruncToInt(above ? c.y - d : c.y + d)};
    }
    return rad;
}

// Corners met going counter-clockwise from one octant to another.
constexpr int kFirstCorner[8] = {0, 1, 1, 2, 2, 3, 3, 0};
constexpr int kCornerCount[8][8] = {
    {0, 1, 1, 2, 2, 3, 3, 4}, {3, 0, 0, 1, 1, 2, 2, 3}, {3, 4, 0, 1, 1, 2, 2, 3}, {2, 3, 3, 0, 0, 1, 1, 2},
    {2, 3, 3, 4, 0, 1, 1, 2}, {1, 2, 2, 3, 3, 0, 0, 1}, {1, 2, 2, 3, 3, 4, 0, 1}, {0, 1, 1, 2, 2, 3, 3, 0},
};

int cornersBetween(const Radial& s, const Radial& e) {
    if (s.octant != e.octant) return kCornerCount[s.octant][e.octant];
    // One octant: all four corners exactly when the end radial lies before
    // the start. The absolute slope grows counter-clockwise in octants 0, 1,
    // 4 and 5 and shrinks in the others.
    const bool growing = s.octant == 0 || s.octant == 1 || s.octant == 4 || s.octant == 5;
    const bool endNotAfter = e.slope <= s.slope;
    return growing == endNotAfter ? 4 : 0;
}

CRgn* wedgeRegion(const RECT& r, CPoint& ptStart, CPoint& ptEnd, bool chord) {
    const POINT c{static_cast<LONG>((int64_t{r.left} + r.right) / 2), static_cast<LONG>((int64_t{r.top} + r.bottom) / 2)};
    const Radial s = radialOf(r, c, ptStart, chord);
    const Radial e = radialOf(r, c, ptEnd, chord);
    const POINT corners[4] = {{r.right, r.top}, {r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}};

    POINT wedge[8];
    int n = 0;
    wedge[n++] = chord ? s.ellipse : c;
    wedge[n++] = s.edge;
    const int count = cornersBetween(s, e);
    for (int i = 0, corner = kFirstCorner[s.octant]; i < count; ++i, corner = (corner + 1) % 4)
        wedge[n++] = corners[corner];
    wedge[n++] = e.edge;
    if (chord) wedge[n++] = e.ellipse;  // back to the start's ellipse point: the chord

    CRgn* region = new CRgn;
    region->CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
    CRgn polygon;
    if (polygon.CreatePolygonRgn(wedge, n, ALTERNATE)) region->CombineRgn(region, &polygon, RGN_AND);
    else region->SetRectRgn(0, 0, 0, 0);  // no polygon, nothing of the ellipse
    return region;
}

RECT truncated(const CMyRect& r) {
    return {TruncToInt(r.left), TruncToInt(r.top), TruncToInt(r.right), TruncToInt(r.bottom)};
}

CPoint truncated(const CMyPoint& p) { return CPoint(TruncToInt(p.x), TruncToInt(p.y)); }

}  // namespace

CRgn* CMyDC::CreatePieRgn(CRect& rect, CPoint& ptStart, CPoint& ptEnd) {
    return wedgeRegion(rect, ptStart, ptEnd, false);
}

CRgn* CMyDC::CreateChordRgn(CRect& rect, CPoint& ptStart, CPoint& ptEnd) {
    return wedgeRegion(rect, ptStart, ptEnd, true);
}

CRgn* CMyDC::CreatePieRgn(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd) {
    CRect r(truncated(rect));
    CPoint s = truncated(ptStart), e = truncated(ptEnd);
    return CreatePieRgn(r, s, e);
}

CRgn* CMyDC::CreateChordRgn(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd) {
    CRect r(truncated(rect));
    CPoint s = truncated(ptStart), e = truncated(ptEnd);
    return CreateChordRgn(r, s, e);
}
