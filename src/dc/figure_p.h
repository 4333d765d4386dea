// One pipeline for every figure CMyDC draws, finished or as a rubber band:
// the figure in document units is mapped to view units and drawn with its one
// GDI primitive. What differs - pen, brush, raster operation, fills painted
// before the outline - is the scope the call is made in (the policy): made
// before the figure is mapped, it sets the DC up; underlay() paints what goes
// under the outline; its destructor puts the DC back.
#pragma once

#include <hmigfx/my_dc.h>

#include <utility>
#include <vector>

namespace hmigfx::dc {

enum class Shape { Line, PolyLine, PolyGon, Ellipse, Rectangle, RoundRect, Arc, Pie, Chord };

// The figure as the caller gave it, in document units: Rect and Point are
// CRect/CPoint or CMyRect/CMyPoint; a line may end at a point of the other kind.
template <class Rect, class Point, class EndPoint = Point>
struct Figure {
    Shape shape;
    Rect* rect;      // null for lines, polylines and rubber-band polygons
    Point* pts;      // null for figures that are no point list
    int nCount;
    Point* pt1;      // a line's start, the corner size, the start radial point
    EndPoint* pt2;   // a line's end, the end radial point
};

// CRect goes with CPoint, CMyRect with CMyPoint.
template <class R, class P>
struct Kinship {
    using Rect = R;
    using Point = P;
};
template <class T>
struct Kin;
template <>
struct Kin<CPoint> : Kinship<CRect, CPoint> {};
template <>
struct Kin<CRect> : Kinship<CRect, CPoint> {};
template <>
struct Kin<CMyPoint> : Kinship<CMyRect, CMyPoint> {};
template <>
struct Kin<CMyRect> : Kinship<CMyRect, CMyPoint> {};

// The members' figures.
template <class Point>
Figure<typename Kin<Point>::Rect, Point> pointList(Shape s, Point* pts, int nCount) {
    return {s, nullptr, pts, nCount, nullptr, nullptr};
}
template <class Point, class EndPoint>
Figure<typename Kin<Point>::Rect, Point, EndPoint> line(Point& from, EndPoint& to) {
    return {Shape::Line, nullptr, nullptr, 0, &from, &to};
}
template <class Rect, class Point = typename Kin<Rect>::Point>
Figure<Rect, Point> polygon(Rect& rect, Point* pts, int nCount) {
    return {Shape::PolyGon, &rect, pts, nCount, nullptr, nullptr};
}
template <class Rect, class Point = typename Kin<Rect>::Point>
Figure<Rect, Point> box(Shape s, Rect& rect, Point* pt1 = nullptr, Point* pt2 = nullptr) {
    return {s, &rect, nullptr, 0, pt1, pt2};
}

// Points mapped to view or device units: in place for up to 8000 points, so
// that a drawing call allocates nothing for any figure of that size, and on
// the heap beyond, so that longer lists still draw whole.
class MappedPoints {
public:
    MappedPoints() = default;
    MappedPoints(const MappedPoints&) = delete;
    MappedPoints& operator=(const MappedPoints&) = delete;

    // Maps nCount points; null points map to nothing (data() stays null).
    template <class Point>
    void map(CMyDC& dc, Point* pts, int nCount, int bOrg) {
        if (!pts) return;
        data_ = place_;
        if (nCount > kInPlace) {
            heap_.resize(static_cast<size_t>(nCount));
            data_ = heap_.data();
        }
        for (int i = 0; i < nCount; ++i) data_[i] = dc.DocToView(pts[i], bOrg);
    }
    POINT* data() const { return data_; }

private:
    static constexpr int kInPlace = 8000;
    POINT place_[kInPlace];
    std::vector<POINT> heap_;
    POINT* data_ = nullptr;
};

// The figure in view units.
struct ViewFigure {
    CRect rect;
    MappedPoints points;
    CPoint pt1, pt2;
};

// Rectangles, ellipses, rounded rectangles and polygons take in the right and
// bottom edges of their rectangle, so that the outline covers the whole
// document rectangle; arcs, pies and chords do not.
inline bool takesInRightAndBottom(Shape s) {
    return s == Shape::PolyGon || s == Shape::Ellipse || s == Shape::Rectangle || s == Shape::RoundRect;
}

// The figure in view units (bOrg 0): points, rectangle, then the two points.
template <class Rect, class Point, class EndPoint>
void mapFigure(CMyDC& dc, const Figure<Rect, Point, EndPoint>& f, ViewFigure& view) {
    view.points.map(dc, f.pts, f.nCount, 0);
    if (f.rect) {
        view.rect = dc.DocToView(*f.rect, 0);
        if (takesInRightAndBottom(f.shape)) {
            ++view.rect.right;
            ++view.rect.bottom;
        }
    }
    if (f.pt1) view.pt1 = dc.DocToView(*f.pt1, 0);
    if (f.pt2) view.pt2 = dc.DocToView(*f.pt2, 0);
}

// The figure's GDI primitive.
void drawPrimitive(CDC& dc, Shape shape, const ViewFigure& view, int nCount);

// One drawing call; nothing at all without a DC.
template <class Scope, class Rect, class Point, class EndPoint, class... Args>
void drawFigure(CMyDC& dc, const Figure<Rect, Point, EndPoint>& f, Args&&... args) {
    if (!dc.m_pDC) return;
    Scope scope(dc, std::forward<Args>(args)...);
    ViewFigure view;
    mapFigure(dc, f, view);
    scope.underlay(dc, f, view);
    drawPrimitive(*dc.m_pDC, f.shape, view, f.nCount);
}

}  // namespace hmigfx::dc
