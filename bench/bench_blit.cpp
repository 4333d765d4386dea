// Blits and gradients on full-HD surfaces.
#include <windows.h>

#include <benchmark/benchmark.h>

#include "dib_canvas.h"

#include <cstring>
#include <vector>

namespace {

constexpr int kW = 1920, kH = 1080;

// A canvas of scattered colours, so blits cannot take shortcuts on uniform rows.
struct Surface32 : DibCanvas {
    Surface32(int w, int h) : DibCanvas(w, h) {
        for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) bits[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
    }
};

void BM_GradientTriangles(benchmark::State& state) {
    Surface32 s(kW, kH);
    TRIVERTEX v[4] = {{0, 0, 0xFF00, 0, 0, 0}, {kW, 0, 0, 0xFF00, 0, 0}, {kW, kH, 0, 0, 0xFF00, 0}, {0, kH, 0xFF00, 0xFF00, 0xFF00, 0}};
    ULONG mesh[6] = {0, 1, 2, 0, 2, 3};
    for (auto _ : state) {
        GradientFill(s.dc, v, 4, mesh, 2, GRADIENT_FILL_TRIANGLE);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_GradientTriangles)->Unit(benchmark::kMillisecond);

void BM_GradientRectH(benchmark::State& state) {
    Surface32 s(kW, kH);
    TRIVERTEX v[2] = {{0, 0, 0xFF00, 0, 0, 0}, {kW, kH, 0, 0, 0xFF00, 0}};
    ULONG mesh[2] = {0, 1};
    for (auto _ : state) {
        GradientFill(s.dc, v, 2, mesh, 1, GRADIENT_FILL_RECT_H);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_GradientRectH)->Unit(benchmark::kMillisecond);

// SRCCOPY between two full-HD surfaces, beside a memcpy of the same bytes.
void BM_BitBltSrcCopy(benchmark::State& state) {
    Surface32 src(kW, kH), dst(kW, kH);
    for (auto _ : state) {
        BitBlt(dst.dc, 0, 0, kW, kH, src.dc, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kW * kH * 4);
}
BENCHMARK(BM_BitBltSrcCopy)->Unit(benchmark::kMillisecond);

void BM_MemcpyFullHd(benchmark::State& state) {
    std::vector<uint32_t> a(static_cast<size_t>(kW) * kH, 1), b(a.size());
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size() * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kW * kH * 4);
}
BENCHMARK(BM_MemcpyFullHd)->Unit(benchmark::kMillisecond);

void BM_StretchBltEnlarge(benchmark::State& state) {
    Surface32 src(kW / 2, kH / 2), dst(kW, kH);
    SetStretchBltMode(dst.dc, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        StretchBlt(dst.dc, 0, 0, kW, kH, src.dc, 0, 0, kW / 2, kH / 2, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_StretchBltEnlarge)->Arg(COLORONCOLOR)->Arg(HALFTONE)->Unit(benchmark::kMillisecond);

void BM_StretchBltShrink(benchmark::State& state) {
    Surface32 src(kW, kH), dst(kW * 2 / 3, kH * 2 / 3);
    SetStretchBltMode(dst.dc, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        StretchBlt(dst.dc, 0, 0, kW * 2 / 3, kH * 2 / 3, src.dc, 0, 0, kW, kH, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_StretchBltShrink)->Arg(BLACKONWHITE)->Arg(COLORONCOLOR)->Unit(benchmark::kMillisecond);

// A ternary operation without a fast path (0xB8: P ^ (S & (D ^ P))) with an 8x8 pattern.
void BM_Rop3Generic(benchmark::State& state) {
    Surface32 src(kW, kH), dst(kW, kH);
    const WORD rows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xF0, 0x0F, 0xF0, 0x0F};
    HBITMAP pat = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(pat);
    SelectObject(dst.dc, brush);
    for (auto _ : state) {
        BitBlt(dst.dc, 0, 0, kW, kH, src.dc, 0, 0, 0x00B80000);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kW * kH);
    SelectObject(dst.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
    DeleteObject(pat);
}
BENCHMARK(BM_Rop3Generic)->Unit(benchmark::kMillisecond);

// A format conversion on the way: 24-bit source into the 32-bit surface.
void BM_BitBlt24To32(benchmark::State& state) {
    BITMAPINFO bi{};
    bi.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), kW, kH, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* p = nullptr;
    HBITMAP b24 = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    HDC sdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(sdc, b24);
    Surface32 dst(kW, kH);
    for (auto _ : state) {
        BitBlt(dst.dc, 0, 0, kW, kH, sdc, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kW * kH);
    SelectObject(sdc, old);
    DeleteObject(b24);
    DeleteDC(sdc);
}
BENCHMARK(BM_BitBlt24To32)->Unit(benchmark::kMillisecond);

}  // namespace
