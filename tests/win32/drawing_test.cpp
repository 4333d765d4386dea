// Lines, shapes, polygons and wide pens beyond the golden pictures: what every
// call refuses, the current position, coordinates far beyond the surface, and
// properties checked over many random figures.
#include "../support/test_support.h"

#include <climits>
#include <cmath>
#include <cstddef>
#include <functional>
#include <random>

using testsupport::Canvas;
using testsupport::Selected;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kInk = RGB(200, 40, 90);
const HDC kBogus = reinterpret_cast<HDC>(uintptr_t(0x4242));

POINT position(HDC dc) {
    POINT p{-1, -1};
    EXPECT_TRUE(GetCurrentPositionEx(dc, &p));
    return p;
}

bool same(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

HPEN geometric(DWORD style, DWORD width, DWORD count = 0, const DWORD* dashes = nullptr) {
    const LOGBRUSH lb{BS_SOLID, kInk, 0};
    return ExtCreatePen(PS_GEOMETRIC | style, width, &lb, count, dashes);
}

// ---- what is refused ---------------------------------------------------------

TEST(DrawingBadInput, EveryCallRefusesWithoutDrawing) {
    Canvas c(16, 16);
    const POINT p[] = {{1, 1}, {9, 9}, {1, 9}, {9, 1}, {4, 4}, {5, 5}, {6, 6}};
    const DWORD badLines[] = {2, 1, 2};
    const INT badPolys[] = {3, 1};
    const struct {
        const char* what;
        std::function<BOOL()> call;
    } refused[] = {
        {"LineTo null", [] { return LineTo(nullptr, 1, 1); }},
        {"LineTo bogus", [] { return LineTo(kBogus, 1, 1); }},
        {"Polyline bogus", [&] { return Polyline(kBogus, p, 2); }},
        {"PolylineTo bogus", [&] { return PolylineTo(kBogus, p, 2); }},
        {"PolyBezier bogus", [&] { return PolyBezier(kBogus, p, 4); }},
        {"ArcTo bogus", [] { return ArcTo(kBogus, 0, 0, 5, 5, 0, 0, 5, 5); }},
        {"Rectangle bogus", [] { return Rectangle(kBogus, 0, 0, 5, 5); }},
        {"Ellipse null", [] { return Ellipse(nullptr, 0, 0, 5, 5); }},
        {"RoundRect bogus", [] { return RoundRect(kBogus, 0, 0, 5, 5, 2, 2); }},
        {"Arc bogus", [] { return Arc(kBogus, 0, 0, 5, 5, 0, 0, 5, 5); }},
        {"Pie bogus", [] { return Pie(kBogus, 0, 0, 5, 5, 0, 0, 5, 5); }},
        {"Chord bogus", [] { return Chord(kBogus, 0, 0, 5, 5, 0, 0, 5, 5); }},
        {"Polygon bogus", [&] { return Polygon(kBogus, p, 3); }},
        {"Polyline of 1", [&] { return Polyline(c.dc, p, 1); }},
        {"Polyline of -5", [&] { return Polyline(c.dc, p, -5); }},
        {"Polyline of null", [&] { return Polyline(c.dc, nullptr, 3); }},
        {"PolylineTo of 0", [&] { return PolylineTo(c.dc, p, 0); }},
        {"PolyBezier of 5", [&] { return PolyBezier(c.dc, p, 5); }},
        {"PolyBezier of 2", [&] { return PolyBezier(c.dc, p, 2); }},
        {"PolyBezierTo of 2", [&] { return PolyBezierTo(c.dc, p, 2); }},
        {"PolyBezierTo of 4", [&] { return PolyBezierTo(c.dc, p, 4); }},
        {"PolyPolyline with a polyline of 1", [&] { return PolyPolyline(c.dc, p, badLines, 3); }},
        {"Polygon of 1", [&] { return Polygon(c.dc, p, 1); }},
        {"Polygon of -4", [&] { return Polygon(c.dc, p, -4); }},
        {"Polygon of null", [&] { return Polygon(c.dc, nullptr, 3); }},
        {"PolyPolygon with a polygon of 1", [&] { return PolyPolygon(c.dc, p, badPolys, 2); }},
        {"PolyPolygon of none", [&] { return PolyPolygon(c.dc, p, badPolys, 0); }},
    };
    MoveToEx(c.dc, 3, 4, nullptr);
    for (const auto& r : refused) EXPECT_FALSE(r.call()) << r.what;
    EXPECT_TRUE(same(position(c.dc), POINT{3, 4}));  // failing calls leave it
    // Empty boxes draw nothing but succeed.
    EXPECT_TRUE(Rectangle(c.dc, 5, 5, 5, 12));
    EXPECT_TRUE(Ellipse(c.dc, 3, 3, 3, 3));
    EXPECT_TRUE(Pie(c.dc, 3, 3, 9, 3, 0, 0, 1, 1));
    EXPECT_EQ(c.ink(), 0);
    EXPECT_TRUE(PolyBezier(c.dc, p, 7));
    EXPECT_TRUE(Polygon(c.dc, p, 2));  // two points: an empty figure, drawn as its outline
}

TEST(DrawingBadInput, PensThatCannotBe) {
    const LOGBRUSH solid{BS_SOLID, kInk, 0}, hatch{BS_HATCHED, kInk, HS_CROSS};
    const DWORD dashes[17] = {4, 2, 4, 2, 4, 2, 4, 2, 4, 2, 4, 2, 4, 2, 4, 2, 4};
    EXPECT_EQ(geometric(PS_USERSTYLE, 5, 0, dashes), nullptr);
    EXPECT_EQ(geometric(PS_USERSTYLE, 5, 17, dashes), nullptr);
    EXPECT_EQ(geometric(PS_USERSTYLE, 5, 3, nullptr), nullptr);
    EXPECT_EQ(geometric(PS_DASH, 5, 2, dashes), nullptr);  // entries only with PS_USERSTYLE
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 3, nullptr, 0, nullptr), nullptr);
    EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 3, &solid, 0, nullptr), nullptr);  // cosmetic: 1 wide
    EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 1, &hatch, 0, nullptr), nullptr);  // and solid-coloured
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_ALTERNATE, 3, &solid, 0, nullptr), nullptr);
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | 0x300, 3, &solid, 0, nullptr), nullptr);   // no such cap
    EXPECT_EQ(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | 0x3000, 3, &solid, 0, nullptr), nullptr);  // no such join
    HPEN sixteen = geometric(PS_USERSTYLE, 5, 16, dashes);
    EXPECT_NE(sixteen, nullptr);
    DeleteObject(sixteen);
    HPEN hatched = ExtCreatePen(PS_GEOMETRIC | PS_DASH, 3, &hatch, 0, nullptr);
    EXPECT_NE(hatched, nullptr);
    DeleteObject(hatched);
}

// ---- the current position ----------------------------------------------------

TEST(CurrentPosition, MovesWithLineToAndTheToFunctionsOnly) {
    Canvas c(64, 64);
    POINT old{};
    EXPECT_TRUE(MoveToEx(c.dc, 5, 6, &old));
    EXPECT_TRUE(same(old, POINT{0, 0}));
    EXPECT_TRUE(LineTo(c.dc, 10, 12));
    const POINT line[] = {{1, 1}, {20, 3}, {7, 30}};
    const DWORD counts[] = {2};
    EXPECT_TRUE(Polyline(c.dc, line, 3));
    EXPECT_TRUE(PolyPolyline(c.dc, line, counts, 1));
    EXPECT_TRUE(Rectangle(c.dc, 2, 2, 9, 9));
    EXPECT_TRUE(same(position(c.dc), POINT{10, 12}));
    const POINT to[] = {{20, 20}, {30, 25}};
    EXPECT_TRUE(PolylineTo(c.dc, to, 2));
    EXPECT_TRUE(same(position(c.dc), POINT{30, 25}));
    const POINT curve[] = {{40, 20}, {50, 40}, {60, 30}};
    EXPECT_TRUE(PolyBezierTo(c.dc, curve, 3));
    EXPECT_TRUE(same(position(c.dc), POINT{60, 30}));
    const POINT bezier[] = {{0, 60}, {10, 40}, {20, 63}, {33, 50}};
    EXPECT_TRUE(PolyBezier(c.dc, bezier, 4));  // the reference moves it here too
    EXPECT_TRUE(same(position(c.dc), POINT{33, 50}));
    // ArcTo draws from it and ends on the ellipse, where the end ray meets it.
    MoveToEx(c.dc, 2, 60, nullptr);
    EXPECT_TRUE(ArcTo(c.dc, 0, 0, 61, 61, 70, 30, 30, -10));
    EXPECT_TRUE(same(position(c.dc), POINT{30, 0}));
    EXPECT_TRUE(c.is(31, 45, kBlack));  // the line from the old position
    EXPECT_TRUE(c.is(45, 55, kWhite));  // not the lower half of the ellipse
}

// ---- lines ---------------------------------------------------------------------

TEST(LinePixels, EndPointIsLeftOutAndReversedLinesAgree) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(0, 39);
    for (int i = 0; i < 300; ++i) {
        const POINT a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        Canvas fwd(40, 40), rev(40, 40);
        MoveToEx(fwd.dc, a.x, a.y, nullptr);
        LineTo(fwd.dc, b.x, b.y);
        MoveToEx(rev.dc, b.x, b.y, nullptr);
        LineTo(rev.dc, a.x, a.y);
        if (!same(a, b)) {
            ASSERT_TRUE(fwd.is(a.x, a.y, kBlack) && fwd.is(b.x, b.y, kWhite));
        }
        SetPixelV(fwd.dc, b.x, b.y, kBlack);
        SetPixelV(rev.dc, a.x, a.y, kBlack);
        ASSERT_EQ(fwd.pixels(), rev.pixels()) << a.x << "," << a.y << " -> " << b.x << "," << b.y;
    }
}

TEST(LinePixels, ExtremeCoordinatesAreSafe) {
    Canvas c(32, 32);
    const int v[] = {INT_MIN, INT_MIN + 1, -(1 << 27), -1, 0, 17, 1 << 27, INT_MAX - 1, INT_MAX};
    for (int x0 : v)
        for (int y1 : v) {
            MoveToEx(c.dc, x0, y1, nullptr);
            EXPECT_TRUE(LineTo(c.dc, y1, x0));
        }
    const POINT p[] = {{INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}, {5, 5}, {INT_MAX, INT_MAX}};
    Selected pen(c.dc, CreatePen(PS_DASHDOTDOT, 1, kBlack));
    EXPECT_TRUE(Polyline(c.dc, p, 4));
    EXPECT_TRUE(PolyBezier(c.dc, p, 4));
    SetViewportOrgEx(c.dc, INT_MAX, INT_MIN, nullptr);
    EXPECT_TRUE(Polyline(c.dc, p, 4));
}

// ---- curves --------------------------------------------------------------------

// Shapes drawn whole on a large canvas (every outline point walked) and seen
// through small windows built from the visible rows only agree pixel for pixel.
TEST(Curves, WindowsOntoLargeCurvesMatchTheWholeShape) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> pos(10, 250), ext(150, 700), ray(-100, 900), kind(0, 4), win(0, 920);
    const int styles[] = {-1, PS_DOT, PS_DASHDOTDOT};
    auto draw = [](HDC dc, const std::vector<std::array<int, 9>>& calls, int style, bool clockwise, POINT o) {
        SelectObject(dc, style < 0 ? GetStockObject(BLACK_PEN) : CreatePen(style, 1, RGB(0, 0, 255)));
        SelectObject(dc, CreateHatchBrush(HS_DIAGCROSS, RGB(0, 160, 0)));
        SetBkColor(dc, RGB(255, 255, 0));
        SetArcDirection(dc, clockwise ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE);
        SetViewportOrgEx(dc, o.x, o.y, nullptr);
        SetBrushOrgEx(dc, o.x, o.y, nullptr);
        for (const auto& v : calls) {
            switch (v[0]) {
            case 0: Ellipse(dc, v[1], v[2], v[3], v[4]); break;
            case 1: RoundRect(dc, v[1], v[2], v[3], v[4], v[5], v[6]); break;
            case 2: Arc(dc, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]); break;
            case 3: Pie(dc, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]); break;
            default: Chord(dc, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]); break;
            }
        }
        DeleteObject(SelectObject(dc, GetStockObject(BLACK_PEN)));
        DeleteObject(SelectObject(dc, GetStockObject(WHITE_BRUSH)));
    };
    for (int round = 0; round < 6; ++round) {
        std::vector<std::array<int, 9>> calls;
        for (int i = 0; i < 3; ++i) {
            const int x = pos(rng), y = pos(rng);
            calls.push_back({kind(rng), x, y, x + ext(rng), y + ext(rng), ray(rng), ray(rng), ray(rng), ray(rng)});
        }
        Canvas whole(960, 960);
        draw(whole.dc, calls, styles[round % 3], round % 2, {0, 0});
        for (int w = 0; w < 10; ++w) {
            const int ox = win(rng), oy = win(rng);
            Canvas part(40, 30);
            draw(part.dc, calls, styles[round % 3], round % 2, {-ox, -oy});
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x)
                    ASSERT_EQ(part.at(x, y), whole.at(ox + x, oy + y)) << "round " << round << " window " << ox << ","
                                                                       << oy << " pixel " << x << "," << y;
        }
    }
}

TEST(Curves, HugeEllipsesAreDrawnWhereTheyShow) {
    Canvas c(64, 64);
    Selected brush(c.dc, CreateSolidBrush(RGB(0, 160, 0)));
    const int big = 1 << 27;
    EXPECT_TRUE(Ellipse(c.dc, -big, -big, big, big));  // the canvas lies deep inside
    EXPECT_EQ(c.ink(RGB(0, 160, 0)), 0);
    c.clear(kWhite);
    // The top of a huge ellipse runs flat through row 10 near its middle.
    EXPECT_TRUE(Ellipse(c.dc, -big + 32, 10, big + 32, 10 + big));
    for (int x = 0; x < 64; ++x) ASSERT_TRUE(c.is(x, 9, kWhite) && c.is(x, 10, kBlack) && c.is(x, 11, RGB(0, 160, 0)));
    c.clear(kWhite);
    EXPECT_TRUE(Pie(c.dc, -big, -big, big, big, 10, 0, -10, 0));  // the upper half
    EXPECT_TRUE(c.is(5, 5, kWhite));
    EXPECT_TRUE(c.is(0, 0, kBlack));
    EXPECT_FALSE(Ellipse(c.dc, -(1 << 30), 0, 1 << 30, 100));  // beyond 2^29 pixels curves are refused
}

// ---- polygons ------------------------------------------------------------------

std::vector<POINT> randomPolygon(std::mt19937& rng, int n, int size) {
    std::uniform_int_distribution<int> v(-5, size + 5);
    std::vector<POINT> p(static_cast<size_t>(n));
    for (POINT& q : p) q = {v(rng), v(rng)};
    return p;
}

// White under XOR and no pen: every pixel shows how often it was filled (odd: white).
void xorFills(Canvas& c) {
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    SetROP2(c.dc, R2_XORPEN);
}

TEST(PolygonFill, TrianglesFannedFromAnyPointCoverThePolygonOnce) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> n(3, 9), centre(-20, 80);
    for (int i = 0; i < 60; ++i) {
        const std::vector<POINT> poly = randomPolygon(rng, n(rng), 64);
        Canvas fan(64, 64, kBlack), once(64, 64, kBlack);
        xorFills(fan);
        xorFills(once);
        const POINT c{centre(rng), centre(rng)};
        for (size_t k = 0; k < poly.size(); ++k) {
            const POINT tri[3] = {c, poly[k], poly[(k + 1) % poly.size()]};
            Polygon(fan.dc, tri, 3);
        }
        Polygon(once.dc, poly.data(), static_cast<int>(poly.size()));
        ASSERT_EQ(fan.pixels(), once.pixels()) << "polygon " << i;
    }
}

TEST(PolygonFill, PolygonRegionsCoverExactlyWhatPolygonFills) {
    std::mt19937 rng(13);
    std::uniform_int_distribution<int> n(3, 12);
    for (int i = 0; i < 80; ++i) {
        const std::vector<POINT> poly = randomPolygon(rng, n(rng), 48);
        const int mode = i % 2 ? WINDING : ALTERNATE;
        Canvas filled(48, 48), painted(48, 48);
        SelectObject(filled.dc, GetStockObject(NULL_PEN));
        SelectObject(filled.dc, GetStockObject(BLACK_BRUSH));
        SetPolyFillMode(filled.dc, mode);
        Polygon(filled.dc, poly.data(), static_cast<int>(poly.size()));
        HRGN rgn = CreatePolygonRgn(poly.data(), static_cast<int>(poly.size()), mode);
        ASSERT_NE(rgn, nullptr);
        FillRgn(painted.dc, rgn, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x) ASSERT_EQ(PtInRegion(rgn, x, y) != 0, filled.is(x, y, kBlack));
        DeleteObject(rgn);
        ASSERT_EQ(filled.pixels(), painted.pixels()) << "polygon " << i;
    }
    const POINT p[] = {{1, 1}, {12, 2}, {6, 12}};
    HRGN one = CreatePolygonRgn(p, 1, ALTERNATE);
    RECT box;
    EXPECT_EQ(GetRgnBox(one, &box), NULLREGION);
    DeleteObject(one);
    EXPECT_EQ(CreatePolygonRgn(p, -3, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolygonRgn(nullptr, 3, ALTERNATE), nullptr);
    const POINT huge[] = {{-(1 << 27), -(1 << 27)}, {1 << 27, 0}, {-(1 << 27), 1 << 27}};
    EXPECT_EQ(CreatePolygonRgn(huge, 3, WINDING), nullptr);  // too tall to hold: refused, not allocated
}

TEST(PolygonFill, HugeCoordinatesAreClippedNotWalked) {
    Canvas c(40, 40);
    SelectObject(c.dc, GetStockObject(BLACK_BRUSH));
    SelectObject(c.dc, GetStockObject(NULL_PEN));
    // The upper edge passes x = 0 at row 20, climbing a row per 2^27/10 pixels:
    // on the canvas, the level line between rows 20 and 21.
    const int big = 1 << 27;
    const POINT tri[] = {{-big, 10}, {big, 30}, {0, big}};
    EXPECT_TRUE(Polygon(c.dc, tri, 3));
    for (int y = 0; y < 40; ++y)
        for (int x : {0, 1, 20, 39}) EXPECT_EQ(c.is(x, y, kBlack), y >= 21) << x << "," << y;
    const POINT extreme[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {INT_MIN, INT_MAX}, {0, 0}};
    EXPECT_TRUE(Polygon(c.dc, extreme, 4));
    if (HRGN r = CreatePolygonRgn(extreme, 4, ALTERNATE)) DeleteObject(r);
}

// ---- wide pens -----------------------------------------------------------------

TEST(WidePen, XorPaintsEachPixelOfAStrokeOnce) {
    // Whatever the overlaps of segments, caps and joins, XOR covers exactly
    // what COPYPEN covers: a pixel painted twice would turn white again.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-10, 90), width(2, 14), pick(0, 2), count(2, 9);
    const DWORD caps[] = {PS_ENDCAP_ROUND, PS_ENDCAP_SQUARE, PS_ENDCAP_FLAT};
    const DWORD joins[] = {PS_JOIN_ROUND, PS_JOIN_BEVEL, PS_JOIN_MITER};
    const DWORD styles[] = {PS_SOLID, PS_DASH, PS_DASHDOT};
    for (int round = 0; round < 60; ++round) {
        std::vector<POINT> pts(static_cast<size_t>(count(rng)));
        for (POINT& p : pts) p = {coord(rng), coord(rng)};
        const DWORD style = styles[pick(rng)] | caps[pick(rng)] | joins[pick(rng)], w = DWORD(width(rng));
        std::vector<uint32_t> covered[2];
        for (int rop : {R2_COPYPEN, R2_XORPEN}) {
            Canvas c(80, 80);
            Selected pen(c.dc, geometric(style, w));
            SelectObject(c.dc, GetStockObject(NULL_BRUSH));
            SetROP2(c.dc, rop);
            const int n = static_cast<int>(pts.size());
            EXPECT_TRUE(round % 2 ? Polygon(c.dc, pts.data(), n) : Polyline(c.dc, pts.data(), n));
            for (uint32_t p : c.pixels()) covered[rop == R2_XORPEN].push_back(p != 0xFFFFFF);
        }
        EXPECT_EQ(covered[0], covered[1]) << "round " << round;
    }
}

TEST(WidePen, GetObjectAnswersWhatWasCreated) {
    const DWORD dashes[] = {7, 3, 1};
    HPEN pen = geometric(PS_USERSTYLE | PS_ENDCAP_SQUARE | PS_JOIN_MITER, 9, 3, dashes);
    ASSERT_NE(pen, nullptr);
    const int needed = GetObjectW(pen, 0, nullptr);
    EXPECT_EQ(needed, static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry) + 3 * sizeof(DWORD)));
    std::vector<unsigned char> buf(static_cast<size_t>(needed));
    EXPECT_EQ(GetObjectW(pen, needed - 1, buf.data()), 0);  // too small for the entries
    ASSERT_EQ(GetObjectW(pen, needed, buf.data()), needed);
    const auto* elp = reinterpret_cast<const EXTLOGPEN*>(buf.data());
    EXPECT_EQ(elp->elpPenStyle, static_cast<DWORD>(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_SQUARE | PS_JOIN_MITER));
    EXPECT_EQ(elp->elpWidth, 9u);
    EXPECT_EQ(elp->elpBrushStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(elp->elpColor, kInk);
    EXPECT_EQ(std::vector<DWORD>(elp->elpStyleEntry, elp->elpStyleEntry + elp->elpNumEntries),
              std::vector<DWORD>(dashes, dashes + 3));
    LOGPEN lp{};
    EXPECT_EQ(GetObjectW(pen, sizeof lp, &lp), 0);  // not a LOGPEN
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_EXTPEN));
    DeleteObject(pen);
    HPEN wide = CreatePen(PS_INSIDEFRAME, 12, kInk);
    ASSERT_EQ(GetObjectW(wide, sizeof lp, &lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_INSIDEFRAME));
    EXPECT_EQ(lp.lopnWidth.x, 12);
    DeleteObject(wide);
}

TEST(WidePen, OddWidthsAndStyles) {
    Canvas c(64, 40);
    {
        Selected pen(c.dc, geometric(PS_SOLID, 0));  // a geometric pen of width 0 is one pixel wide
        MoveToEx(c.dc, 5, 10, nullptr);
        EXPECT_TRUE(LineTo(c.dc, 30, 10));
        EXPECT_EQ(c.ink(), 25);
    }
    c.clear(kWhite);
    {
        Selected pen(c.dc, CreatePen(PS_SOLID, -5, kInk));  // the magnitude of a negative width
        MoveToEx(c.dc, 10, 20, nullptr);
        EXPECT_TRUE(LineTo(c.dc, 30, 20));
        for (int y = 17; y <= 23; ++y) EXPECT_EQ(c.is(20, y, kInk), y >= 18 && y <= 22) << y;
    }
    c.clear(kWhite);
    {
        const DWORD none[] = {0, 0};  // a pattern without length has nothing to repeat: solid
        Selected pen(c.dc, geometric(PS_USERSTYLE, 4, 2, none));
        MoveToEx(c.dc, 5, 10, nullptr);
        EXPECT_TRUE(LineTo(c.dc, 55, 10));
        for (int x = 5; x < 55; ++x) EXPECT_TRUE(c.is(x, 10, kInk)) << x;
    }
    {
        Selected pen(c.dc, geometric(PS_SOLID, 0xFFFFFFFF));
        EXPECT_TRUE(Rectangle(c.dc, 10, 10, 20, 20));
        EXPECT_EQ(c.ink(kInk), 0);  // a pen wider than anything covers it all
    }
}

TEST(WidePen, HugeCoordinatesDrawWhatShowsAndDashesKeepTheirPhase) {
    Canvas c(64, 64);
    {
        Selected pen(c.dc, CreatePen(PS_SOLID, 7, kInk));
        MoveToEx(c.dc, INT_MIN, 30, nullptr);
        EXPECT_TRUE(LineTo(c.dc, INT_MAX, 30));
        for (int y = 26; y <= 34; ++y) EXPECT_EQ(c.is(0, y, kInk) && c.is(63, y, kInk), y >= 27 && y <= 33) << y;
        const POINT far[] = {{-2000000000, -2000000000}, {2000000000, 2000000000}, {-2000000000, 2000000000}};
        EXPECT_TRUE(Polygon(c.dc, far, 3));
        Ellipse(c.dc, -2000000000, -2000000000, 2000000000, 20);  // too large to follow: refused or drawn
    }
    // A dashed line starting a billion pixels away shows the same dashes as
    // one that starts a whole number of periods before the surface.
    const DWORD dashes[] = {9, 4, 3, 4};  // period 20
    std::vector<uint32_t> reference;
    for (const int from : {-1000000000, -1000000000 + 20 * 49999990}) {
        Canvas d(64, 32);
        Selected pen(d.dc, geometric(PS_USERSTYLE | PS_ENDCAP_FLAT, 5, 4, dashes));
        MoveToEx(d.dc, from, 16, nullptr);
        EXPECT_TRUE(LineTo(d.dc, 1000000000, 16));
        EXPECT_GT(d.ink(), 64 * 5 / 3);
        if (reference.empty()) reference = d.pixels();
        EXPECT_EQ(d.pixels(), reference);
    }
}

TEST(WidePen, PatternBrushPenOutlivesItsBitmap) {
    Canvas c(40, 40);
    const uint32_t bits[4] = {0x00FF0000, 0x0000FF00, 0x0000FF00, 0x00FF0000};
    HBITMAP bmp = CreateBitmap(2, 2, 1, 32, bits);
    const LOGBRUSH lb{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(bmp)};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 8, &lb, 0, nullptr);
    ASSERT_NE(pen, nullptr);
    DeleteObject(bmp);
    Selected keep(c.dc, pen);
    MoveToEx(c.dc, 4, 20, nullptr);
    EXPECT_TRUE(LineTo(c.dc, 36, 20));
    EXPECT_TRUE(c.is(10, 20, RGB(255, 0, 0)));
    EXPECT_TRUE(c.is(11, 20, RGB(0, 255, 0)));
    EXPECT_TRUE(c.is(10, 10, kWhite));
}

}  // namespace
