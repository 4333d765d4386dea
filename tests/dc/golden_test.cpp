// CMyDC's finished shapes and rubber bands put the reference GDI's pixels.
// Each shape is drawn at zoom 100 and 150 (columns), with a row per fill
// (solid, hatch, transparent hatch, built-in pattern, gradient; pies and
// chords: transparent pattern) or, for polylines and arcs, per pen style;
// every panel has its own scroll origin. Rubber bands: every figure at zoom
// 150 with its own origin and pen style over a gradient, the last row over a
// solid brush the host selected; three drawn twice vanish.
// tests/gdi/objdraw_<shape>.gdi and xordraw_bands.gdi hold the GDI calls
// these members make (written by tests/gdi/objdraw-scripts from the same
// numbers); their golden pictures come from the reference GDI.
#include <hmigfx/my_dc.h>

#include "../support/test_support.h"

namespace {

using testsupport::Canvas;

constexpr COLORREF kPen = 0x800000;
constexpr COLORREF kFill = 0x00C0FE;
constexpr int kCellHeight = 62;
constexpr int kZooms[2][2] = {{100, 0}, {150, 70}};  // zoom, cell x

struct Fill {
    UINT style;
    ULONG_PTR hatch;  // -1: the shape's gradient mode
    int transparent;
};
const Fill kFills[] = {{0, 0, 0}, {2, HS_DIAGCROSS, 0}, {2, HS_FDIAGONAL, 1}, {3, 13, 0}, {4, ULONG_PTR(-1), 0}};
// Pies and chords clip gradients to the outline GDI draws as well, which a
// script cannot express; their last row is a transparent pattern (no fill).
const Fill kWedgeLastRow = {3, 13, 1};

struct Pen {
    UINT style;
    POINT width;
    int transparent;
};
const Pen kPens[] = {{PS_SOLID, {1, 0}, 0}, {PS_DASH, {1, 0}, 0}, {PS_DOT, {0, 50}, 1}, {PS_DASHDOT, {1, 0}, 0},
                     {PS_DASHDOTDOT, {0, 0}, 0}};

// The origin that puts the document point (10, 8) at the cell's corner + (5, 5).
CPoint originFor(int zoom, int cellX, int row) {
    const double s = zoom / 100.0;
    return CPoint(static_cast<int>(10 * s) - (cellX + 5), static_cast<int>(8 * s) - (row * kCellHeight + 5));
}

enum class Kind { PolyLine, PolyGon, Rectangle, Ellipse, RoundRect, Arc, Pie, Chord };

struct ShapeCase {
    const char* name;
    Kind kind;
    int gradientMode;
    bool fractional;  // draw through the CMyRect/CMyPoint overloads
};

CMyPoint quarterOn(const CPoint& p) {
    CMyPoint q;
    q.x = p.x + 0.25;
    q.y = p.y + 0.25;
    return q;
}

CMyRect quarterOn(const CRect& r) {
    CMyRect q;
    q.left = r.left + 0.25;
    q.right = r.right + 0.25;
    q.top = r.top + 0.25;
    q.bottom = r.bottom + 0.25;
    return q;
}

void drawShape(CMyDC& my, const ShapeCase& c, LOGPEN& lp, LOGBRUSH& lb, int transparent) {
    CRect rect(10, 8, 50, 38);
    CPoint poly[] = {{10, 38}, {22, 8}, {50, 20}, {38, 38}, {30, 24}};
    CPoint corner(14, 10);
    CPoint arc[2] = {{50, 12}, {12, 36}}, pie[2] = {{50, 30}, {30, 8}}, chord[2] = {{16, 8}, {50, 34}};
    // The same a quarter unit further on: at zooms 100 and 150 every
    // coordinate truncates to the integer one's.
    CMyRect myRect = quarterOn(rect);
    CMyPoint myPoly[5], myCorner = quarterOn(corner), myArc[2], myPie[2], myChord[2];
    for (int i = 0; i < 5; ++i) myPoly[i] = quarterOn(poly[i]);
    for (int i = 0; i < 2; ++i) {
        myArc[i] = quarterOn(arc[i]);
        myPie[i] = quarterOn(pie[i]);
        myChord[i] = quarterOn(chord[i]);
    }
    const bool f = c.fractional;
    switch (c.kind) {
    case Kind::PolyLine:
        f ? my.ObjDrawPolyLine(myPoly, 5, lp, kFill, transparent) : my.ObjDrawPolyLine(poly, 5, lp, kFill, transparent);
        break;
    case Kind::PolyGon:
        f ? my.ObjDrawPolyGon(myRect, myPoly, 5, lp, lb, kFill, transparent)
          : my.ObjDrawPolyGon(rect, poly, 5, lp, lb, kFill, transparent);
        break;
    case Kind::Rectangle:
        f ? my.ObjDrawRectangle(myRect, lp, lb, kFill, transparent) : my.ObjDrawRectangle(rect, lp, lb, kFill, transparent);
        break;
    case Kind::Ellipse:
        f ? my.ObjDrawEllipse(myRect, lp, lb, kFill, transparent) : my.ObjDrawEllipse(rect, lp, lb, kFill, transparent);
        break;
    case Kind::RoundRect:
        f ? my.ObjDrawRoundRect(myRect, myCorner, lp, lb, kFill, transparent)
          : my.ObjDrawRoundRect(rect, corner, lp, lb, kFill, transparent);
        break;
    case Kind::Arc:
        f ? my.ObjDrawArc(myRect, myArc[0], myArc[1], lp, kFill, transparent)
          : my.ObjDrawArc(rect, arc[0], arc[1], lp, kFill, transparent);
        break;
    case Kind::Pie:
        f ? my.ObjDrawPie(myRect, myPie[0], myPie[1], lp, lb, kFill, transparent)
          : my.ObjDrawPie(rect, pie[0], pie[1], lp, lb, kFill, transparent);
        break;
    case Kind::Chord:
        f ? my.ObjDrawChord(myRect, myChord[0], myChord[1], lp, lb, kFill, transparent)
          : my.ObjDrawChord(rect, chord[0], chord[1], lp, lb, kFill, transparent);
        break;
    }
}

class ObjDrawGolden : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ObjDrawGolden, MatchesTheReferenceGdi) {
    const ShapeCase& c = GetParam();
    const bool open = c.kind == Kind::PolyLine || c.kind == Kind::Arc;
    Canvas canvas(170, 5 * kCellHeight);
    for (int row = 0; row < 5; ++row) {
        for (const auto& z : kZooms) {
            CPoint origin = originFor(z[0], z[1], row);
            CMyDC my(&canvas.dc, z[0], origin);
            LOGPEN lp{PS_SOLID, {1, 0}, kPen};
            LOGBRUSH lb{0, 0x123456, 0};  // lbColor is never read
            int transparent = 0;
            if (open) {
                lp.lopnStyle = kPens[row].style;
                lp.lopnWidth = kPens[row].width;
                transparent = kPens[row].transparent;
            } else {
                const bool wedge = c.kind == Kind::Pie || c.kind == Kind::Chord;
                const Fill& fill = wedge && row == 4 ? kWedgeLastRow : kFills[row];
                lb.lbStyle = fill.style;
                lb.lbHatch = fill.hatch == ULONG_PTR(-1) ? ULONG_PTR(c.gradientMode) : fill.hatch;
                transparent = fill.transparent;
            }
            drawShape(my, c, lp, lb, transparent);
        }
    }
    std::string name = c.name;
    if (c.fractional) name.resize(name.size() - std::string("_fractional").size());
    EXPECT_TRUE(testsupport::matchesGolden(canvas, "objdraw_" + name));
}

const ShapeCase kShapes[] = {
    {"polyline", Kind::PolyLine, 0, false},   {"polygon", Kind::PolyGon, 12, false},
    {"rectangle", Kind::Rectangle, 8, false}, {"ellipse", Kind::Ellipse, 20, false},
    {"roundrect", Kind::RoundRect, 2, false}, {"arc", Kind::Arc, 0, false},
    {"pie", Kind::Pie, 6, false},             {"chord", Kind::Chord, 16, false},
    {"polyline_fractional", Kind::PolyLine, 0, true},   {"polygon_fractional", Kind::PolyGon, 12, true},
    {"rectangle_fractional", Kind::Rectangle, 8, true}, {"ellipse_fractional", Kind::Ellipse, 20, true},
    {"roundrect_fractional", Kind::RoundRect, 2, true}, {"arc_fractional", Kind::Arc, 0, true},
    {"pie_fractional", Kind::Pie, 6, true},             {"chord_fractional", Kind::Chord, 16, true},
};

INSTANTIATE_TEST_SUITE_P(Shapes, ObjDrawGolden, ::testing::ValuesIn(kShapes),
                         [](const ::testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

// The 22 gradient modes through ObjDrawRectangle, against the reference.
TEST(ObjDrawGoldenGradients, EveryModeMatchesTheReferenceGdi) {
    Canvas canvas(232, 112);
    CMyDC my(&canvas.dc, 100);
    for (int mode = 0; mode < 22; ++mode) {
        const int x = 4 + (mode % 6) * 38, y = 4 + (mode / 6) * 27;
        CRect rect(x, y, x + 30, y + 20);
        LOGPEN lp{PS_SOLID, {1, 0}, kPen};
        LOGBRUSH lb{4, 0, static_cast<ULONG_PTR>(mode)};
        my.ObjDrawRectangle(rect, lp, lb, kFill, 0);
    }
    EXPECT_TRUE(testsupport::matchesGolden(canvas, "objdraw_gradient_modes"));
}

void drawBand(CMyDC& my, int i) {
    CPoint poly[] = {{2, 2}, {30, 6}, {15, 25}, {38, 28}, {4, 26}};
    CRect rect(2, 3, 38, 28);
    CPoint corner(12, 8), from(2, 3), to(40, 28);
    CPoint arc[2] = {{38, 5}, {2, 24}}, pie[2] = {{38, 24}, {6, 3}}, chord[2] = {{6, 3}, {38, 24}};
    const int style = i % 5;
    switch (i) {
    case 0: my.XorDrawLine(from, to, style); break;
    case 1: my.XorDrawPolyLine(poly, 5, style); break;
    case 2: my.XorDrawPolyGon(poly, 5, style); break;
    case 3: my.XorDrawRect(rect, style); break;
    case 4: my.XorDrawCircle(rect, style); break;
    case 5: my.XorDrawRound(rect, corner, style); break;
    case 6: my.XorDrawArc(rect, arc[0], arc[1], style); break;
    case 7: my.XorDrawPie(rect, pie[0], pie[1], style); break;
    case 8: my.XorDrawChord(rect, chord[0], chord[1], style); break;
    }
}

TEST(XorDrawGolden, MatchesTheReferenceGdi) {
    Canvas c(200, 160);
    TRIVERTEX v[2] = {{0, 0, 0xC000, 0x6000, 0x3000, 0}, {200, 160, 0x4000, 0xE000, 0xC000, 0}};
    GRADIENT_RECT r{0, 1};
    ::GradientFill(c.dc, v, 2, &r, 1, GRADIENT_FILL_RECT_H);
    CBrush solid;
    solid.CreateSolidBrush(0x40C040);
    HGDIOBJ oldBrush = ::GetCurrentObject(c.dc, OBJ_BRUSH);
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 1, 4, 7}) {
        const int col = i % 3, row = i / 3;
        if (row == 2)
            c.dc.SelectObject(&solid);
        else
            ::SelectObject(c.dc, ::GetStockObject(NULL_BRUSH));
        CPoint origin(-(col * 65 + 3), -(row * 52 + 3));
        CMyDC my(&c.dc, 150, origin);
        drawBand(my, i);
    }
    ::SelectObject(c.dc, oldBrush);
    EXPECT_TRUE(testsupport::matchesGolden(c, "xordraw_bands"));  // the script states the dashes' accepted difference
}

}  // namespace
