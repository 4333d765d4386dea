// Wide pens on a full-HD surface: a 1000-point polyline, dashed and solid.
// bench/gdi/wide_pens.gdi times the same work under the reference GDI.
#include <windows.h>

#include <benchmark/benchmark.h>

#include "dib_canvas.h"

#include <vector>

namespace {

constexpr int kW = 1920, kH = 1080;

// A white full-HD canvas.
struct Surface : DibCanvas {
    Surface() : DibCanvas(kW, kH) { PatBlt(dc, 0, 0, kW, kH, WHITENESS); }
};

// A zigzag across the surface; integer-only so the timing script can list
// the same points.
std::vector<POINT> zigzag() {
    std::vector<POINT> p(1000);
    for (int i = 0; i < 1000; ++i) p[static_cast<size_t>(i)] = {20 + i * 1880 / 999, 340 + (i * 37) % 401};
    return p;
}

void drawWith(benchmark::State& state, HPEN pen, int rop2) {
    Surface s;
    const std::vector<POINT> pts = zigzag();
    HGDIOBJ old = SelectObject(s.dc, pen);
    SetROP2(s.dc, rop2);
    for (auto _ : state) {
        Polyline(s.dc, pts.data(), static_cast<int>(pts.size()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pts.size() - 1));
    SelectObject(s.dc, old);
    DeleteObject(pen);
}

HPEN geometric(DWORD style, DWORD width) {
    const LOGBRUSH lb{BS_SOLID, RGB(0, 0, 200), 0};
    return ExtCreatePen(PS_GEOMETRIC | style, width, &lb, 0, nullptr);
}

void BM_PolylineDashed5px1000(benchmark::State& state) { drawWith(state, geometric(PS_DASH, 5), R2_COPYPEN); }
BENCHMARK(BM_PolylineDashed5px1000)->Unit(benchmark::kMicrosecond);

void BM_PolylineSolid5px1000(benchmark::State& state) { drawWith(state, CreatePen(PS_SOLID, 5, RGB(0, 0, 200)), R2_COPYPEN); }
BENCHMARK(BM_PolylineSolid5px1000)->Unit(benchmark::kMicrosecond);

void BM_PolylineMiterXor9px1000(benchmark::State& state) {
    drawWith(state, geometric(PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER, 9), R2_XORPEN);
}
BENCHMARK(BM_PolylineMiterXor9px1000)->Unit(benchmark::kMicrosecond);

}  // namespace
