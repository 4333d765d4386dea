// hmigfx_scene_pass: the scene benchmark's 1000-object paint pass, timed
// without Google Benchmark so that the Windows build runs it too (there the
// GDI underneath is the system's: Wine's under Wine). Prints
// "zoom100 MS zoom150 MS", a pass's process CPU time in milliseconds, so
// that the runs of two builds compare.
#include "scene_screen.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

namespace {

// The process's CPU time: on Windows clock() is wall-clock time.
double cpuMs() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto ticks = [](const FILETIME& f) { return (uint64_t{f.dwHighDateTime} << 32) | f.dwLowDateTime; };
    return double(ticks(kernel) + ticks(user)) / 1e4;  // 100 ns ticks
#else
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
#endif
}

// The mean over passes adding up to at least half a second of CPU: process
// times tick in 10-16 ms steps on Windows, too coarse for one pass.
double meanPass(scene_bench::Target& target, int zoom) {
    scene_bench::paintHmigfx(target.dc(), zoom);  // warm-up: pattern library, caches
    const double t0 = cpuMs();
    int passes = 0;
    double spent = 0;
    do {
        scene_bench::paintHmigfx(target.dc(), zoom);
        ::GdiFlush();
        spent = cpuMs() - t0;
    } while (++passes < 5 || spent < 500);
    return spent / passes;
}

}  // namespace

int main() {
    scene_bench::Target target;
    const double z100 = meanPass(target, 100);
    const double z150 = meanPass(target, 150);
    std::printf("zoom100 %.2f zoom150 %.2f\n", z100, z150);
    return 0;
}
