// Text: a 40-character TextOutW line with glyphs rasterised afresh and from
// the glyph cache, and a ten-line DrawTextW.
#include <windows.h>

#include <benchmark/benchmark.h>

#include "dib_canvas.h"

#include <cwchar>

namespace {

const wchar_t kLine[] = L"Boiler 3: pressure 4.25 bar, temp 182 C.";  // 40 characters
static_assert(sizeof kLine / sizeof kLine[0] - 1 == 40);

struct Canvas : DibCanvas {
    Canvas(int w, int h) : DibCanvas(w, h) { SetBkMode(dc, TRANSPARENT); }
};

HFONT arial(int weight) {
    return CreateFontW(-16, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Arial");
}

// Cold: every iteration uses a font never realised recently, so the line's
// glyphs are rasterised again. Weights 400..463 all draw the regular face but
// are distinct fonts; the cache keeps only the last 16 unused ones.
void BM_TextOut40Cold(benchmark::State& state) {
    Canvas c(400, 40);
    int k = 0;
    for (auto _ : state) {
        HFONT f = arial(FW_NORMAL + (k++ % 64));
        HGDIOBJ old = SelectObject(c.dc, f);
        TextOutW(c.dc, 2, 2, kLine, 40);
        SelectObject(c.dc, old);
        DeleteObject(f);
    }
    state.SetItemsProcessed(state.iterations() * 40);
}
BENCHMARK(BM_TextOut40Cold);

void BM_TextOut40Cached(benchmark::State& state) {
    Canvas c(400, 40);
    HFONT f = arial(FW_NORMAL);
    HGDIOBJ old = SelectObject(c.dc, f);
    TextOutW(c.dc, 2, 2, kLine, 40);
    for (auto _ : state) TextOutW(c.dc, 2, 2, kLine, 40);
    state.SetItemsProcessed(state.iterations() * 40);
    SelectObject(c.dc, old);
    DeleteObject(f);
}
BENCHMARK(BM_TextOut40Cached);

void BM_DrawText10Lines(benchmark::State& state) {
    Canvas c(320, 240);
    HFONT f = arial(FW_NORMAL);
    HGDIOBJ old = SelectObject(c.dc, f);
    const wchar_t* text =
        L"Pump station North\nInlet pressure 4.2 bar\nOutlet pressure 6.8 bar\nFlow 125 m3/h\n"
        L"Motor current 41 A\n&Alarms: none\nValve V-101 open\nValve V-102 closed\nLevel 73 %\nMode: automatic";
    for (auto _ : state) {
        RECT r{4, 4, 316, 236};
        benchmark::DoNotOptimize(DrawTextW(c.dc, text, -1, &r, DT_LEFT | DT_WORDBREAK));
    }
    SelectObject(c.dc, old);
    DeleteObject(f);
}
BENCHMARK(BM_DrawText10Lines);

}  // namespace
