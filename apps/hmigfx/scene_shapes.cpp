// Scene kinds for the finished shapes (ObjDraw...) and the rubber bands
// (XorDraw...). Geometry written with a fraction anywhere is drawn through
// the CMyRect/CMyPoint overloads, whole numbers through CRect/CPoint.
//
//   polyline   points, pen
//   polygon    points, [rect], pen, brush, crFill, bTransparent
//   ellipse    rect, pen, brush, crFill, bTransparent
//   rectangle  rect, ...
//   roundrect  rect, corner, ...
//   arc        rect, start, end, pen
//   pie        rect, start, end, pen, brush, crFill, bTransparent
//   chord      rect, start, end, ...
//   rubberband shape (line, polyline, polygon, rect, circle, round, arc, pie,
//              chord), its geometry as above (a line: from, to), nPenStyle,
//              times (how often it is drawn), hostBrush (the brush the DC
//              holds meanwhile: a colour, or null for none)
#include "scene_kinds.h"

#include <algorithm>

namespace hmigfx::app {

namespace {

enum class Shape { PolyLine, PolyGon, Ellipse, Rectangle, RoundRect, Arc, Pie, Chord, Line };

struct Geometry {
    DocRect rect;
    DocPoint corner, start, end;
    std::vector<DocPoint> points;

    bool fractional() const {
        bool f = rect.fractional || corner.fractional || start.fractional || end.fractional;
        for (const DocPoint& p : points) f = f || p.fractional;
        return f;
    }
};

bool isClosed(Shape s) { return s != Shape::PolyLine && s != Shape::Arc && s != Shape::Line; }

DocRect boundingBox(const std::vector<DocPoint>& points) {
    DocRect r{points[0].x, points[0].y, points[0].x, points[0].y, false};
    for (const DocPoint& p : points) {
        r.left = std::min(r.left, p.x);
        r.right = std::max(r.right, p.x);
        r.top = std::min(r.top, p.y);
        r.bottom = std::max(r.bottom, p.y);
        r.fractional = r.fractional || p.fractional;
    }
    return r;
}

Geometry readGeometry(JsonObject& obj, Shape shape) {
    Geometry g;
    switch (shape) {
    case Shape::PolyLine: g.points = obj.get("points").asPoints(2); break;
    case Shape::PolyGon:
        g.points = obj.get("points").asPoints(3);
        // The bounding box aligns patterns and spans gradients; by default the points'.
        if (auto v = obj.find("rect"))
            g.rect = v->asRect();
        else
            g.rect = boundingBox(g.points);
        break;
    case Shape::Line:
        g.start = obj.get("from").asPoint();
        g.end = obj.get("to").asPoint();
        break;
    default:
        g.rect = obj.get("rect").asRect();
        if (shape == Shape::RoundRect) g.corner = obj.get("corner").asPoint();
        if (shape == Shape::Arc || shape == Shape::Pie || shape == Shape::Chord) {
            g.start = obj.get("start").asPoint();
            g.end = obj.get("end").asPoint();
        }
        break;
    }
    return g;
}

// The points of a polyline or polygon as the overload wants them.
template <typename Point>
std::vector<Point> pointsAs(const std::vector<DocPoint>& points);
template <>
std::vector<CPoint> pointsAs<CPoint>(const std::vector<DocPoint>& points) {
    std::vector<CPoint> out;
    for (const DocPoint& p : points) out.push_back(p.toCPoint());
    return out;
}
template <>
std::vector<CMyPoint> pointsAs<CMyPoint>(const std::vector<DocPoint>& points) {
    std::vector<CMyPoint> out(points.size());
    for (size_t i = 0; i < points.size(); ++i) out[i].x = points[i].x, out[i].y = points[i].y;
    return out;
}

// ---------------------------------------------------------------------------
// Finished shapes

class ShapeObject : public SceneObject {
public:
    ShapeObject(Shape shape, Geometry geometry, LOGPEN pen, LOGBRUSH brush, COLORREF crFill, int bTransparent)
        : m_shape(shape), m_g(std::move(geometry)), m_pen(pen), m_brush(brush), m_crFill(crFill),
          m_bTransparent(bTransparent) {}

    void draw(DrawContext& ctx) const override {
        if (m_g.fractional()) {
            CMyRect rect = m_g.rect.toMyRect();
            CMyPoint corner = m_g.corner.toMyPoint(), start = m_g.start.toMyPoint(), end = m_g.end.toMyPoint();
            drawWith(ctx.dc, rect, corner, start, end, pointsAs<CMyPoint>(m_g.points));
        } else {
            CRect rect = m_g.rect.toCRect();
            CPoint corner = m_g.corner.toCPoint(), start = m_g.start.toCPoint(), end = m_g.end.toCPoint();
            drawWith(ctx.dc, rect, corner, start, end, pointsAs<CPoint>(m_g.points));
        }
    }

    std::optional<CRect> extent() const override {
        return (m_g.points.empty() ? m_g.rect : boundingBox(m_g.points)).bounds();
    }
    LOGPEN* pen() override { return &m_pen; }

private:
    template <typename Rect, typename Point>
    void drawWith(CMyDC& dc, Rect& rect, Point& corner, Point& start, Point& end, std::vector<Point> points) const {
        LOGPEN lp = m_pen;
        LOGBRUSH lb = m_brush;
        const int n = static_cast<int>(points.size());
        switch (m_shape) {
        case Shape::PolyLine: dc.ObjDrawPolyLine(points.data(), n, lp, m_crFill, m_bTransparent); break;
        case Shape::PolyGon: dc.ObjDrawPolyGon(rect, points.data(), n, lp, lb, m_crFill, m_bTransparent); break;
        case Shape::Ellipse: dc.ObjDrawEllipse(rect, lp, lb, m_crFill, m_bTransparent); break;
        case Shape::Rectangle: dc.ObjDrawRectangle(rect, lp, lb, m_crFill, m_bTransparent); break;
        case Shape::RoundRect: dc.ObjDrawRoundRect(rect, corner, lp, lb, m_crFill, m_bTransparent); break;
        case Shape::Arc: dc.ObjDrawArc(rect, start, end, lp, m_crFill, m_bTransparent); break;
        case Shape::Pie: dc.ObjDrawPie(rect, start, end, lp, lb, m_crFill, m_bTransparent); break;
        case Shape::Chord: dc.ObjDrawChord(rect, start, end, lp, lb, m_crFill, m_bTransparent); break;
        case Shape::Line: break;
        }
    }

    Shape m_shape;
    Geometry m_g;
    LOGPEN m_pen;
    LOGBRUSH m_brush;
    COLORREF m_crFill;
    int m_bTransparent;
};

template <Shape S>
std::unique_ptr<SceneObject> parseShape(JsonObject& obj, const ParseContext&) {
    Geometry g = readGeometry(obj, S);
    LOGPEN lp{PS_SOLID, {1, 0}, RGB(0, 0, 0)};
    if (auto v = obj.find("pen")) {
        JsonObject pen = v->asObject();
        lp = readPen(pen);
    }
    LOGBRUSH lb{1, 0, 0};  // open shapes: none
    if (isClosed(S)) {
        lb = {0, 0, 0};
        if (auto v = obj.find("brush")) {
            JsonObject brush = v->asObject();
            lb = readBrush(brush);
        }
    }
    const COLORREF crFill = obj.getColor("crFill", RGB(255, 255, 255));
    const int bTransparent = readTransparent(obj);
    return std::make_unique<ShapeObject>(S, std::move(g), lp, lb, crFill, bTransparent);
}

// ---------------------------------------------------------------------------
// Rubber bands

const EnumTable kRubberShapes = {
    {"line", static_cast<int>(Shape::Line)},        {"polyline", static_cast<int>(Shape::PolyLine)},
    {"polygon", static_cast<int>(Shape::PolyGon)},  {"rect", static_cast<int>(Shape::Rectangle)},
    {"circle", static_cast<int>(Shape::Ellipse)},   {"round", static_cast<int>(Shape::RoundRect)},
    {"arc", static_cast<int>(Shape::Arc)},          {"pie", static_cast<int>(Shape::Pie)},
    {"chord", static_cast<int>(Shape::Chord)},
};

class RubberBand : public SceneObject {
public:
    RubberBand(Shape shape, Geometry geometry, int nPenStyle, int times, std::optional<COLORREF> hostBrush)
        : m_shape(shape), m_g(std::move(geometry)), m_nPenStyle(nPenStyle), m_times(times), m_hostBrush(hostBrush) {}

    void draw(DrawContext& ctx) const override {
        // The brush the host holds in the DC while it drags: XorDraw fills
        // closed figures with it.
        HBRUSH brush = m_hostBrush ? ::CreateSolidBrush(*m_hostBrush) : static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
        HGDIOBJ old = ::SelectObject(ctx.cdc, brush);
        for (int i = 0; i < m_times; ++i) {
            if (m_g.fractional()) {
                CMyRect rect = m_g.rect.toMyRect();
                CMyPoint corner = m_g.corner.toMyPoint(), start = m_g.start.toMyPoint(), end = m_g.end.toMyPoint();
                drawWith(ctx.dc, rect, corner, start, end, pointsAs<CMyPoint>(m_g.points));
            } else {
                CRect rect = m_g.rect.toCRect();
                CPoint corner = m_g.corner.toCPoint(), start = m_g.start.toCPoint(), end = m_g.end.toCPoint();
                drawWith(ctx.dc, rect, corner, start, end, pointsAs<CPoint>(m_g.points));
            }
        }
        ::SelectObject(ctx.cdc, old);
        if (m_hostBrush) ::DeleteObject(brush);
    }

private:
    template <typename Rect, typename Point>
    void drawWith(CMyDC& dc, Rect& rect, Point& corner, Point& start, Point& end, std::vector<Point> points) const {
        const int n = static_cast<int>(points.size());
        switch (m_shape) {
        case Shape::Line: {
            // The fractional form takes its end point as a CPoint.
            CPoint to = m_g.end.toCPoint();
            if constexpr (std::is_same_v<Point, CMyPoint>)
                dc.XorDrawLine(start, to, m_nPenStyle);
            else
                dc.XorDrawLine(start, end, m_nPenStyle);
            break;
        }
        case Shape::PolyLine: dc.XorDrawPolyLine(points.data(), n, m_nPenStyle); break;
        case Shape::PolyGon: dc.XorDrawPolyGon(points.data(), n, m_nPenStyle); break;
        case Shape::Rectangle: dc.XorDrawRect(rect, m_nPenStyle); break;
        case Shape::Ellipse: dc.XorDrawCircle(rect, m_nPenStyle); break;
        case Shape::RoundRect: dc.XorDrawRound(rect, corner, m_nPenStyle); break;
        case Shape::Arc: dc.XorDrawArc(rect, start, end, m_nPenStyle); break;
        case Shape::Pie: dc.XorDrawPie(rect, start, end, m_nPenStyle); break;
        case Shape::Chord: dc.XorDrawChord(rect, start, end, m_nPenStyle); break;
        }
    }

    Shape m_shape;
    Geometry m_g;
    int m_nPenStyle;
    int m_times;
    std::optional<COLORREF> m_hostBrush;
};

std::unique_ptr<SceneObject> parseRubberBand(JsonObject& obj, const ParseContext&) {
    const Shape shape = static_cast<Shape>(obj.get("shape").asEnum(kRubberShapes, 1, 0));
    Geometry g = readGeometry(obj, shape);
    const int style = obj.getEnum("nPenStyle", kPenStyles, 0, 255, PS_SOLID);
    const int times = obj.getInt("times", 0, 100, 1);
    std::optional<COLORREF> hostBrush;
    if (auto v = obj.find("hostBrush"); v && !v->raw().is_null()) hostBrush = v->asColor();
    return std::make_unique<RubberBand>(shape, std::move(g), style, times, hostBrush);
}

}  // namespace

HMIGFX_SCENE_KIND(polyline, "polyline", "points, pen", parseShape<Shape::PolyLine>);
HMIGFX_SCENE_KIND(polygon, "polygon", "points, rect (default: their bounding box), pen, brush, crFill, bTransparent",
                  parseShape<Shape::PolyGon>);
HMIGFX_SCENE_KIND(ellipse, "ellipse", "rect, pen, brush, crFill, bTransparent", parseShape<Shape::Ellipse>);
HMIGFX_SCENE_KIND(rectangle, "rectangle", "rect, pen, brush, crFill, bTransparent", parseShape<Shape::Rectangle>);
HMIGFX_SCENE_KIND(roundrect, "roundrect", "rect, corner, pen, brush, crFill, bTransparent",
                  parseShape<Shape::RoundRect>);
HMIGFX_SCENE_KIND(arc, "arc", "rect, start, end, pen", parseShape<Shape::Arc>);
HMIGFX_SCENE_KIND(pie, "pie", "rect, start, end, pen, brush, crFill, bTransparent", parseShape<Shape::Pie>);
HMIGFX_SCENE_KIND(chord, "chord", "rect, start, end, pen, brush, crFill, bTransparent", parseShape<Shape::Chord>);
HMIGFX_SCENE_KIND(rubberband, "rubberband",
                  "shape (line polyline polygon rect circle round arc pie chord), its geometry, nPenStyle, times, hostBrush",
                  parseRubberBand);

}  // namespace hmigfx::app
