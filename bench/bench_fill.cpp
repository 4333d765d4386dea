// Fills through the span painter on a full-HD surface: solid rectangles beside
// a memset of the same buffer, ROP fills, hatched and 8x8 pattern brushes,
// region painting; and elliptic region creation with CombineRgn.
#include <windows.h>

#include <benchmark/benchmark.h>

#include "dib_canvas.h"

#include <chrono>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kW = 1920, kH = 1080;

// A full-HD canvas, grey to start.
struct Canvas : DibCanvas {
    Canvas() : DibCanvas(kW, kH) { std::memset(bits, 0x80, size_t{kW} * kH * 4); }
    void select(HGDIOBJ o) const { SelectObject(dc, o); }
};

void setBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kW * kH * 4);
}

void BM_MemsetFullHd(benchmark::State& state) {
    Canvas c;
    for (auto _ : state) {
        std::memset(c.bits, 0x5A, size_t{kW} * kH * 4);
        benchmark::ClobberMemory();
    }
    setBytes(state);
}
BENCHMARK(BM_MemsetFullHd)->Unit(benchmark::kMicrosecond);

void BM_SolidRectFullHd(benchmark::State& state) {
    Canvas c;
    HBRUSH b = CreateSolidBrush(RGB(0x33, 0x66, 0xCC));
    c.select(b);
    for (auto _ : state) {
        PatBlt(c.dc, 0, 0, kW, kH, PATCOPY);
        benchmark::ClobberMemory();
    }
    setBytes(state);
    c.select(GetStockObject(WHITE_BRUSH));
    DeleteObject(b);
}
BENCHMARK(BM_SolidRectFullHd)->Unit(benchmark::kMicrosecond);

// Both in one loop, alternating, so the ratio compares like with like.
void BM_SolidRectVsMemset(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    Canvas c;
    HBRUSH b = CreateSolidBrush(RGB(0x33, 0x66, 0xCC));
    c.select(b);
    Clock::duration fill{}, set{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        std::memset(c.bits, 0x5A, size_t{kW} * kH * 4);
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        PatBlt(c.dc, 0, 0, kW, kH, PATCOPY);
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();
        set += t1 - t0;
        fill += t2 - t1;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["fill_us"] = std::chrono::duration<double, std::micro>(fill).count() / n;
    state.counters["memset_us"] = std::chrono::duration<double, std::micro>(set).count() / n;
    state.counters["fill_over_memset"] = std::chrono::duration<double>(fill) / std::chrono::duration<double>(set);
    c.select(GetStockObject(WHITE_BRUSH));
    DeleteObject(b);
}
BENCHMARK(BM_SolidRectVsMemset)->Unit(benchmark::kMicrosecond);

// A solid fill that is not a plain store: arg is the raster operation.
void BM_RopFillFullHd(benchmark::State& state) {
    Canvas c;
    HBRUSH b = CreateSolidBrush(RGB(0x33, 0x66, 0xCC));
    c.select(b);
    const DWORD rop = static_cast<DWORD>(state.range(0));
    for (auto _ : state) {
        PatBlt(c.dc, 0, 0, kW, kH, rop);
        benchmark::ClobberMemory();
    }
    setBytes(state);
    c.select(GetStockObject(WHITE_BRUSH));
    DeleteObject(b);
}
BENCHMARK(BM_RopFillFullHd)->Arg(PATINVERT)->Arg(DSTINVERT)->Unit(benchmark::kMicrosecond);

// Arg 0: opaque background, 1: transparent.
void BM_HatchFillFullHd(benchmark::State& state) {
    Canvas c;
    HBRUSH b = CreateHatchBrush(HS_DIAGCROSS, RGB(255, 0, 0));
    SetBkMode(c.dc, state.range(0) ? TRANSPARENT : OPAQUE);
    c.select(b);
    for (auto _ : state) {
        PatBlt(c.dc, 0, 0, kW, kH, PATCOPY);
        benchmark::ClobberMemory();
    }
    setBytes(state);
    c.select(GetStockObject(WHITE_BRUSH));
    DeleteObject(b);
}
BENCHMARK(BM_HatchFillFullHd)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Arg 0: PATCOPY, 1: PATINVERT. The brush origin is off the tile grid.
void BM_Pattern8x8FullHd(benchmark::State& state) {
    Canvas c;
    const BYTE rows[16] = {0x81, 0, 0x42, 0, 0x24, 0, 0x18, 0, 0x18, 0, 0x24, 0, 0x42, 0, 0x81, 0};
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH b = CreatePatternBrush(mono);
    DeleteObject(mono);
    c.select(b);
    SetBrushOrgEx(c.dc, 3, 5, nullptr);
    const DWORD rop = state.range(0) ? PATINVERT : PATCOPY;
    for (auto _ : state) {
        PatBlt(c.dc, 0, 0, kW, kH, rop);
        benchmark::ClobberMemory();
    }
    setBytes(state);
    c.select(GetStockObject(WHITE_BRUSH));
    DeleteObject(b);
}
BENCHMARK(BM_Pattern8x8FullHd)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_PaintEllipticRegion(benchmark::State& state) {
    Canvas c;
    HBRUSH b = CreateSolidBrush(RGB(0x33, 0x66, 0xCC));
    HBRUSH h = CreateHatchBrush(HS_DIAGCROSS, RGB(255, 0, 0));
    HRGN e = CreateEllipticRgn(100, 100, 1800, 1000);
    c.select(b);
    SetROP2(c.dc, R2_XORPEN);
    for (auto _ : state) {
        if (state.range(0))
            FillRgn(c.dc, e, h);
        else
            PaintRgn(c.dc, e);
        benchmark::ClobberMemory();
    }
    c.select(GetStockObject(WHITE_BRUSH));
    DeleteObject(b);
    DeleteObject(h);
    DeleteObject(e);
}
BENCHMARK(BM_PaintEllipticRegion)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_CreateEllipticRgn(benchmark::State& state) {
    for (auto _ : state) {
        HRGN e = CreateEllipticRgn(0, 0, 500, 300);
        benchmark::DoNotOptimize(e);
        DeleteObject(e);
    }
}
BENCHMARK(BM_CreateEllipticRgn);

// Arg: the combine mode, of two overlapping 500x300 ellipses.
void BM_CombineEllipses(benchmark::State& state) {
    HRGN a = CreateEllipticRgn(0, 0, 500, 300), b = CreateEllipticRgn(200, 100, 700, 400);
    HRGN d = CreateRectRgn(0, 0, 0, 0);
    const int mode = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(CombineRgn(d, a, b, mode));
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(d);
}
BENCHMARK(BM_CombineEllipses)->Arg(RGN_AND)->Arg(RGN_OR)->Arg(RGN_XOR)->Arg(RGN_DIFF);

// The whole round trip: a new ellipse cut by a rectangle, then freed.
void BM_EllipseAndCombine(benchmark::State& state) {
    HRGN r = CreateRectRgn(150, 50, 450, 250), d = CreateRectRgn(0, 0, 0, 0);
    for (auto _ : state) {
        HRGN e = CreateEllipticRgn(0, 0, 500, 300);
        benchmark::DoNotOptimize(CombineRgn(d, e, r, RGN_DIFF));
        DeleteObject(e);
    }
    DeleteObject(r);
    DeleteObject(d);
}
BENCHMARK(BM_EllipseAndCombine);

}  // namespace
