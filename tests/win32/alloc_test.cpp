// Fills must not touch the heap once warmed up: the paint tiles and scratch
// buffers of a DC are reused from call to call. Counted through the global
// operator new, which every std container of the library goes through.
#include "../support/test_support.h"

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
thread_local bool counting = false;
thread_local long allocations = 0;
}  // namespace

void* operator new(std::size_t n) {
    if (counting) ++allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    if (counting) ++allocations;
    return std::malloc(n ? n : 1);
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
// Our operator new allocates with malloc, so free matches; GCC cannot see that
// once the replaced operators are inlined into the standard containers.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Counts the allocations of f's second run (the first one warms up).
template <class F>
long allocationsOf(F f) {
    f();
    allocations = 0;
    counting = true;
    f();
    counting = false;
    return allocations;
}

TEST(NoHeapPerPrimitive, FillsAndRegionPaints) {
    testsupport::Canvas canvas(200, 100);
    const HDC dc = canvas.dc;
    HBRUSH solid = CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(255, 0, 0));
    const BYTE rows[16] = {0x81, 0, 0x42, 0, 0x24, 0, 0x18, 0, 0x18, 0, 0x24, 0, 0x42, 0, 0x81, 0};
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH pattern = CreatePatternBrush(mono);
    HRGN ellipse = CreateEllipticRgn(10, 10, 150, 90);
    RECT rc{5, 5, 190, 95};

    EXPECT_EQ(allocationsOf([&] {
                  for (HBRUSH b : {solid, hatch, pattern}) {
                      SelectObject(dc, b);
                      PatBlt(dc, 0, 0, 200, 100, PATCOPY);
                      PatBlt(dc, 3, 3, 150, 70, PATINVERT);
                      FillRect(dc, &rc, b);
                      FrameRect(dc, &rc, b);
                      FillRgn(dc, ellipse, b);
                      PaintRgn(dc, ellipse);
                  }
                  SetBkMode(dc, TRANSPARENT);
                  FillRect(dc, &rc, hatch);
                  SetBkMode(dc, OPAQUE);
                  InvertRect(dc, &rc);
                  InvertRgn(dc, ellipse);
                  SetROP2(dc, R2_XORPEN);
                  FillRgn(dc, ellipse, hatch);
                  SetROP2(dc, R2_COPYPEN);
                  FillRect(dc, &rc, reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_BTNFACE + 1)));
              }),
              0);

    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    for (HGDIOBJ o : {HGDIOBJ(ellipse), HGDIOBJ(pattern), HGDIOBJ(mono), HGDIOBJ(hatch), HGDIOBJ(solid)}) DeleteObject(o);
}

// Every drawing primitive once warmed up: shapes with cosmetic pens of each
// style, polygons in both fill modes, blits, stretches and gradients.
TEST(NoHeapPerPrimitive, ShapesBlitsAndGradients) {
    testsupport::Canvas canvas(300, 200), source(300, 200);
    const HDC dc = canvas.dc, src = source.dc;
    HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(0, 0, 255));
    SelectObject(dc, hatch);
    HPEN pens[] = {CreatePen(PS_SOLID, 1, RGB(255, 0, 0)), CreatePen(PS_DASH, 1, RGB(0, 128, 0)),
                   CreatePen(PS_DOT, 0, 0), CreatePen(PS_DASHDOTDOT, 1, 0),
                   CreatePen(PS_INSIDEFRAME, 1, 0), static_cast<HPEN>(GetStockObject(NULL_PEN))};
    POINT star[1000];
    for (int i = 0; i < 1000; ++i) {
        const int r = (i % 2) ? 90 : 30;
        star[i] = {150 + (r * ((i * 37) % 200 - 100)) / 100, 100 + (r * ((i * 53) % 200 - 100)) / 100};
    }
    const POINT two[] = {{10, 10}, {100, 20}, {50, 90}, {120, 110}, {200, 30}, {260, 180}, {150, 190}};
    const INT counts[] = {3, 4};
    TRIVERTEX v[3] = {{0, 0, 0xff00, 0, 0, 0}, {300, 0, 0, 0xff00, 0, 0}, {150, 200, 0, 0, 0xff00, 0}};
    GRADIENT_TRIANGLE tri{0, 1, 2};
    GRADIENT_RECT gr{0, 1};

    auto draw = [&] {
        for (HPEN p : pens) {
            SelectObject(dc, p);
            MoveToEx(dc, 3, 3, nullptr);
            LineTo(dc, 290, 170);
            Polyline(dc, two, 7);
            Rectangle(dc, 10, 10, 120, 80);
            Ellipse(dc, 20, 20, 270, 170);
            RoundRect(dc, 30, 30, 200, 150, 40, 30);
            Arc(dc, 40, 40, 250, 160, 0, 0, 300, 200);
            Pie(dc, 40, 40, 250, 160, 300, 0, 0, 200);
            Chord(dc, 40, 40, 250, 160, 0, 100, 300, 100);
            for (int mode : {ALTERNATE, WINDING}) {
                SetPolyFillMode(dc, mode);
                Polygon(dc, star, 1000);
                PolyPolygon(dc, two, counts, 2);
            }
        }
        BitBlt(dc, 5, 5, 200, 150, src, 20, 10, SRCCOPY);
        BitBlt(dc, 5, 5, 200, 150, dc, 20, 10, SRCCOPY);
        BitBlt(dc, 5, 5, 200, 150, src, 0, 0, 0x00B8074A);
        for (int mode : {BLACKONWHITE, COLORONCOLOR, WHITEONBLACK, HALFTONE}) {
            SetStretchBltMode(dc, mode);
            StretchBlt(dc, 0, 0, 300, 200, src, 0, 0, 75, 50, SRCCOPY);
            StretchBlt(dc, 299, 0, -150, 100, src, 0, 0, 300, 200, SRCCOPY);
        }
        GradientFill(dc, v, 3, &tri, 1, GRADIENT_FILL_TRIANGLE);
        GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_H);
        GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_V);
    };
    EXPECT_EQ(allocationsOf(draw), 0);
    // Clipped to a complex region the spans are cut box by box, still in place.
    HRGN clip = CreateEllipticRgn(15, 5, 285, 195);
    HRGN hole = CreateRectRgn(100, 60, 200, 140);
    CombineRgn(clip, clip, hole, RGN_DIFF);
    SelectClipRgn(dc, clip);
    EXPECT_EQ(allocationsOf(draw), 0);
    SelectClipRgn(dc, nullptr);
    DeleteObject(hole);
    DeleteObject(clip);

    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    for (HPEN p : pens) DeleteObject(p);
    DeleteObject(hatch);
}

}  // namespace
