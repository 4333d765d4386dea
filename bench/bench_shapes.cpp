// Lines, ellipses and polygons on a full-HD surface.
#include <windows.h>

#include <benchmark/benchmark.h>

#include "dib_canvas.h"

#include <cmath>
#include <vector>

namespace {

constexpr int kW = 1920, kH = 1080;

// A white full-HD canvas.
struct Surface : DibCanvas {
    Surface() : DibCanvas(kW, kH) { PatBlt(dc, 0, 0, kW, kH, WHITENESS); }
};

// A 1000-point star: points alternately on an outer and an inner circle,
// the inner radius wobbling, so the outline crosses itself.
std::vector<POINT> star(int n) {
    std::vector<POINT> p(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double a = 6.283185307 * i / n * 7;  // seven turns: many crossings
        const double r = i % 2 ? 500 : 180 + 120 * std::sin(i * 0.37);
        p[static_cast<size_t>(i)] = {960 + static_cast<LONG>(r * std::cos(a)), 540 + static_cast<LONG>(r * std::sin(a))};
    }
    return p;
}

void BM_EllipseFilled500x300(benchmark::State& state) {
    Surface s;
    HBRUSH brush = CreateSolidBrush(RGB(0, 160, 0));
    SelectObject(s.dc, brush);
    for (auto _ : state) {
        Ellipse(s.dc, 700, 400, 1200, 700);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    SelectObject(s.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}
BENCHMARK(BM_EllipseFilled500x300)->Unit(benchmark::kMicrosecond);

void BM_EllipseDottedOutline500x300(benchmark::State& state) {
    Surface s;
    HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 255));
    SelectObject(s.dc, pen);
    SelectObject(s.dc, GetStockObject(NULL_BRUSH));
    for (auto _ : state) {
        Ellipse(s.dc, 700, 400, 1200, 700);
        benchmark::ClobberMemory();
    }
    SelectObject(s.dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}
BENCHMARK(BM_EllipseDottedOutline500x300)->Unit(benchmark::kMicrosecond);

void BM_Polygon1000(benchmark::State& state) {
    Surface s;
    const std::vector<POINT> pts = star(1000);
    SelectObject(s.dc, GetStockObject(GRAY_BRUSH));
    SetPolyFillMode(s.dc, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Polygon(s.dc, pts.data(), static_cast<int>(pts.size()));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Polygon1000)->Arg(ALTERNATE)->Arg(WINDING)->ArgName("mode")->Unit(benchmark::kMicrosecond);

void BM_CreatePolygonRgn1000(benchmark::State& state) {
    const std::vector<POINT> pts = star(1000);
    for (auto _ : state) {
        HRGN r = CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()), WINDING);
        benchmark::DoNotOptimize(r);
        DeleteObject(r);
    }
}
BENCHMARK(BM_CreatePolygonRgn1000)->Unit(benchmark::kMicrosecond);

// 1000 lines from the centre to the border, each across half the surface.
void BM_LineFan1000(benchmark::State& state) {
    Surface s;
    HPEN pen = CreatePen(static_cast<int>(state.range(0)), 1, RGB(200, 0, 0));
    SelectObject(s.dc, pen);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const double a = 6.283185307 * i / 1000;
            MoveToEx(s.dc, 960, 540, nullptr);
            LineTo(s.dc, 960 + static_cast<int>(1000 * std::cos(a)), 540 + static_cast<int>(1000 * std::sin(a)));
        }
        benchmark::ClobberMemory();
    }
    SelectObject(s.dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}
BENCHMARK(BM_LineFan1000)->Arg(PS_SOLID)->Arg(PS_DASHDOT)->ArgName("style")->Unit(benchmark::kMicrosecond);

// An ellipse of 2^27 pixels whose edge crosses the surface: only the visible
// rows are followed.
void BM_HugeEllipseEdge(benchmark::State& state) {
    Surface s;
    const int big = 1 << 26;
    for (auto _ : state) {
        Ellipse(s.dc, 960 - big, 300, 960 + big, 300 + 2 * big);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HugeEllipseEdge)->Unit(benchmark::kMicrosecond);

}  // namespace
