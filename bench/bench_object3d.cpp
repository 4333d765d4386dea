// The 3-D engine on bodies with long outlines: drawing a rotated body whose
// outline has 16, 256 and 4096 points (and 16384, to show the growth), and
// picking it. Drawing pauses 1 ms per call by design, so its wall time has a
// 1 ms floor: the CPU time shows the work. In view units the side faces'
// ordering passes swap neighbours, and a cog's alternating sides make them
// move faces about n * n / 16 places: that is what bends DrawItem's growth
// above linear at large n. In a region they rank on y alone and cost
// n log n.
#include <hmigfx/my_dc.h>
#include <hmigfx/object3d.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kSize = 400;

// A cog: a round outline of `n` points, every other one pulled in, so the
// side faces turn every which way, clockwise on the screen.
std::vector<POINT> cog(int n) {
    std::vector<POINT> pts(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double a = 2.0 * M_PI * i / n;
        const double r = (i % 2) ? 130.0 : 150.0;
        pts[static_cast<size_t>(i)] = {static_cast<LONG>(200 + r * std::cos(a)), static_cast<LONG>(200 + r * std::sin(a))};
    }
    return pts;
}

struct Scene {
    CDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    Object3D object;
    _ITEM* item = nullptr;

    explicit Scene(int n) {
        dc.CreateCompatibleDC(nullptr);
        bitmap = ::CreateBitmap(kSize, kSize, 1, 32, nullptr);
        old = ::SelectObject(dc.GetSafeHdc(), bitmap);
        std::vector<POINT> pts = cog(n);
        item = object.CreatePolygonItem(0, pts.data(), n);
        object.SetDepthItem(item, 40);
        object.SetColorItem(item, RGB(40, 120, 200));
        object.SetRotationItem(item, 30, 30, 0);
    }
    ~Scene() {
        Object3D::ReleaseItem(item);
        ::SelectObject(dc.GetSafeHdc(), old);
        ::DeleteObject(bitmap);
    }
};

void BM_DrawItem(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)));
    CMyDC dc(&s.dc, 100);
    for (auto _ : state) dc.objDraw3DObject(s.item, &s.object);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DrawItem)->Arg(16)->Arg(256)->Arg(4096)->Arg(16384)->Unit(benchmark::kMicrosecond)->Complexity();

void BM_DrawItemInRgn(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)));
    CMyDC dc(&s.dc, 100);
    CRgn clip;
    clip.CreateRectRgn(0, 0, kSize, kSize);
    for (auto _ : state) dc.objDraw3DObjectInRgn(s.item, &s.object, &clip);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DrawItemInRgn)->Arg(16)->Arg(256)->Arg(4096)->Arg(16384)->Unit(benchmark::kMicrosecond)->Complexity();

// A hit on the front cap: the first face answers.
void BM_IntersectionTestHit(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(s.object.IntersectionTest(nullptr, s.item, POINT{200, 200}));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_IntersectionTestHit)->Arg(16)->Arg(256)->Arg(4096)->Arg(16384)->Unit(benchmark::kMicrosecond)->Complexity();

// A miss inside the fence: every face is tried.
void BM_IntersectionTestMiss(benchmark::State& state) {
    Scene s(static_cast<int>(state.range(0)));
    POINT fence[2];
    s.object.GetFenceItem(s.item, fence);
    const POINT corner{fence[0].x + 2, fence[0].y + 2};
    if (s.object.IntersectionTest(nullptr, s.item, corner)) state.SkipWithError("the corner hits");
    for (auto _ : state) benchmark::DoNotOptimize(s.object.IntersectionTest(nullptr, s.item, corner));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_IntersectionTestMiss)->Arg(16)->Arg(256)->Arg(4096)->Arg(16384)->Unit(benchmark::kMicrosecond)->Complexity();

}  // namespace
