// Gallery: every shape kind with several fills, at two zooms, and the rubber
// bands drawn once and twice.
#include "gallery.h"
#include "scene_kinds.h"

#include <string>

namespace hmigfx::app {

namespace {

constexpr int kCellW = 150;

struct Fill {
    const char* name;
    LOGBRUSH lb;
    COLORREF crFill;
};

// By column: the closed shapes' fills at zoom 100; at zoom 150 each takes the
// fill three columns on.
const Fill kFills[] = {
    {"hollow", {1, 0, 0}, RGB(255, 255, 255)},
    {"hatch diagcross", {2, 0, HS_DIAGCROSS}, RGB(255, 255, 255)},
    {"pattern 31", {3, 0, 31}, RGB(250, 230, 180)},
    {"gradient 20", {4, 0, 20}, RGB(255, 255, 255)},
    {"gradient 4", {4, 0, 4}, RGB(255, 190, 60)},
    {"solid", {0, 0, 0}, RGB(120, 200, 140)},
    {"user picture 0", {6, 0, 0}, RGB(255, 255, 255)},
    {"gradient 12", {4, 0, 12}, RGB(200, 255, 200)},
};

// One of each kind in a 90 x 60 box (document units), by column.
void drawShape(CMyDC& dc, int kind, const Fill& fill) {
    LOGPEN lp{PS_SOLID, {2, 0}, RGB(20, 40, 110)};
    LOGBRUSH lb = fill.lb;
    CRect box(0, 0, 90, 60);
    switch (kind) {
    case 0: {
        CPoint pts[] = {{0, 60}, {22, 8}, {45, 45}, {68, 0}, {90, 38}};
        dc.ObjDrawPolyLine(pts, 5, lp, fill.crFill, 0);
        break;
    }
    case 1: {
        CPoint pts[] = {{45, 0}, {90, 22}, {75, 60}, {15, 60}, {0, 22}};
        dc.ObjDrawPolyGon(box, pts, 5, lp, lb, fill.crFill, 0);
        break;
    }
    case 2: dc.ObjDrawEllipse(box, lp, lb, fill.crFill, 0); break;
    case 3: dc.ObjDrawRectangle(box, lp, lb, fill.crFill, 0); break;
    case 4: {
        CPoint corner(30, 22);
        dc.ObjDrawRoundRect(box, corner, lp, lb, fill.crFill, 0);
        break;
    }
    case 5: {
        CPoint start(90, 8), end(0, 8);
        dc.ObjDrawArc(box, start, end, lp, fill.crFill, 0);
        break;
    }
    case 6: {
        CPoint start(90, 0), end(90, 60);
        dc.ObjDrawPie(box, start, end, lp, lb, fill.crFill, 0);
        break;
    }
    case 7: {
        CPoint start(90, 45), end(0, 45);
        dc.ObjDrawChord(box, start, end, lp, lb, fill.crFill, 0);
        break;
    }
    }
}

const char* const kShapeNames[] = {"polyline", "polygon", "ellipse", "rectangle", "roundrect", "arc", "pie", "chord"};

void drawShapes(GalleryPainter& p) {
    // Zoom 100, then the same objects at zoom 150 with other fills.
    for (int kind = 0; kind < 8; ++kind) {
        const int x = kind * kCellW;
        // Polylines and arcs have no fill.
        const bool open = kind == 0 || kind == 5;
        p.label(x, 0, std::string(kShapeNames[kind]) + (open ? "" : std::string(" · ") + kFills[kind].name), 11);
        CMyDC dc = p.context(100, x, 18);
        drawShape(dc, kind, kFills[kind]);
        p.label(x, 86, std::string("zoom 150") + (open ? "" : std::string(" · ") + kFills[(kind + 3) % 8].name), 11);
        CMyDC zoomed = p.context(150, x, 104);
        drawShape(zoomed, kind, kFills[(kind + 3) % 8]);
    }
}

// The background rubber bands invert: stripes of colour.
void background(GalleryPainter& p, int x, int y, int w, int h) {
    CMyDC dc = p.context(100, x, y);
    LOGPEN none{PS_NULL, {0, 0}, 0};
    LOGBRUSH solid{0, 0, 0};
    const COLORREF colours[] = {RGB(250, 220, 120), RGB(150, 200, 250), RGB(230, 160, 200), RGB(180, 230, 170)};
    for (int i = 0; i * 10 < w; ++i) {
        CRect band(i * 10, 0, std::min(i * 10 + 10, w), h);
        dc.ObjDrawRectangle(band, none, solid, colours[i % 4], 0);
    }
}

void rubberBand(CMyDC& dc, int kind) {
    CRect box(5, 5, 115, 65);
    CPoint start(115, 35), end(5, 35);
    switch (kind) {
    case 0: {
        CPoint from(5, 65), to(115, 5);
        dc.XorDrawLine(from, to, PS_DOT);
        break;
    }
    case 1: {
        CPoint pts[] = {{5, 65}, {35, 5}, {65, 50}, {115, 10}};
        dc.XorDrawPolyLine(pts, 4, PS_SOLID);
        break;
    }
    case 2: {
        CPoint pts[] = {{60, 5}, {115, 40}, {80, 65}, {5, 50}};
        dc.XorDrawPolyGon(pts, 4, PS_DASH);
        break;
    }
    case 3: dc.XorDrawRect(box, PS_DOT); break;
    case 4: dc.XorDrawCircle(box, PS_SOLID); break;
    case 5: {
        CPoint corner(30, 30);
        dc.XorDrawRound(box, corner, PS_DASHDOT);
        break;
    }
    case 6: dc.XorDrawArc(box, start, end, PS_SOLID); break;
    case 7: dc.XorDrawPie(box, start, end, PS_DOT); break;
    case 8: dc.XorDrawChord(box, start, end, PS_DASHDOTDOT); break;
    }
}

const char* const kBandNames[] = {"line", "polyline", "polygon", "rect", "circle", "round", "arc", "pie", "chord"};

void drawRubberBands(GalleryPainter& p) {
    constexpr int kW = 132;
    p.label(0, 30, "once", 12);
    p.label(0, 120, "twice", 12);
    for (int kind = 0; kind < 9; ++kind) {
        const int x = 60 + kind * kW;
        p.label(x, 0, kBandNames[kind], 11);
        for (int times = 1; times <= 2; ++times) {
            const int y = 18 + (times - 1) * 90;
            background(p, x, y, 120, 70);
            CMyDC dc = p.context(100, x, y);
            // The host selects a hollow brush before dragging closed figures.
            HGDIOBJ old = ::SelectObject(p.cdc(), ::GetStockObject(NULL_BRUSH));
            for (int i = 0; i < times; ++i) rubberBand(dc, kind);
            ::SelectObject(p.cdc(), old);
        }
    }
}

}  // namespace

HMIGFX_GALLERY_PANEL(shapes, 600, "Shapes: each kind with a fill, at zoom 100 and 150", 200,
                     drawShapes);
HMIGFX_GALLERY_PANEL(rubberbands, 650, "Rubber bands (XorDraw): drawn once, and drawn twice (the picture comes back)",
                     200, drawRubberBands);

}  // namespace hmigfx::app
