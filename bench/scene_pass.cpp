// hmigfx_scene_pass: the scene benchmark's 1000-object paint pass, timed
// without Google Benchmark so that the Windows build runs it too (there the
// GDI underneath is the system's: Wine's under Wine). Prints
// "zoom100 MS zoom150 MS", the best of several passes in milliseconds of
// process CPU time, so that the runs of two builds compare.
#include "scene_screen.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double cpuMs() { return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC; }

double bestPass(scene_bench::Target& target, int zoom) {
    scene_bench::paintHmigfx(target.dc(), zoom);  // warm-up: pattern library, caches
    double best = 1e30;
    for (int pass = 0; pass < 5; ++pass) {
        const double t0 = cpuMs();
        scene_bench::paintHmigfx(target.dc(), zoom);
        ::GdiFlush();
        best = std::min(best, cpuMs() - t0);
    }
    return best;
}

}  // namespace

int main() {
    scene_bench::Target target;
    const double z100 = bestPass(target, 100);
    const double z150 = bestPass(target, 150);
    std::printf("zoom100 %.2f zoom150 %.2f\n", z100, z150);
    return 0;
}
