// Printing an A3 page at 600 dpi (7016 x 9921 pixels) of the tank-farm scene
// to PDF, against rendering the same pixels to PNG: `hmigfx print` at zoom 88
// (5.5 printer pixels per unit) and `hmigfx render --zoom 550` of the page's
// size, each in a child process whose CPU time and peak resident memory the
// kernel reports. The page is printed in bands, so its peak stays far below
// the 278 MB the page's pixels take; the picture holds them all.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Cost {
    double cpuSeconds = 0;
    double peakMb = 0;
    bool ok = false;
};

Cost runChild(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    Cost cost;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return cost;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return cost;
    cost.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    cost.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec * 1e-6 + usage.ru_stime.tv_sec +
                      usage.ru_stime.tv_usec * 1e-6;
    cost.peakMb = usage.ru_maxrss / 1024.0;
    return cost;
}

void BM_A3At600DpiPdfVersusPng(benchmark::State& state) {
    const std::string scene = std::string(HMIGFX_EXAMPLES_DIR) + "/tank-farm.json";
    const std::string dir = "/tmp/hmigfx-print-bench-" + std::to_string(::getpid());
    const std::string pdf = dir + ".pdf", png = dir + ".png";
    Cost print, render;
    for (auto _ : state) {
        print = runChild({HMIGFX_CLI, "print", scene, "-o", pdf, "--paper", "A3", "--dpi", "600", "--margins", "0",
                          "--zoom", "88"});
        render = runChild({HMIGFX_CLI, "render", scene, "-o", png, "--size", "7016,9921", "--zoom", "550"});
        if (!print.ok || !render.ok) state.SkipWithError("hmigfx failed");
        state.SetIterationTime(print.cpuSeconds);
    }
    std::remove(pdf.c_str());
    std::remove(png.c_str());
    state.counters["pdf_s"] = print.cpuSeconds;
    state.counters["pdf_peak_MB"] = print.peakMb;
    state.counters["png_s"] = render.cpuSeconds;
    state.counters["png_peak_MB"] = render.peakMb;
    state.counters["pdf_over_png"] = render.cpuSeconds > 0 ? print.cpuSeconds / render.cpuSeconds : 0;
}
BENCHMARK(BM_A3At600DpiPdfVersusPng)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
