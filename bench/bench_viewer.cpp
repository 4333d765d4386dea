// `hmigfx view`'s window with a plant screen of 1000 objects (mixed shapes,
// pens and brushes, 100 of them gradients) at 1920 x 1080: one whole repaint,
// paint plus presentation, and a scroll by 10 pixels, which repaints only the
// strip it uncovers. A frame of 60 Hz is 16.7 ms.
//
// Presentation goes to the desktop when there is one (DISPLAY set and SDL2
// built in: the label says "desktop"), else to a back end that copies each
// presented part into a frame buffer the way a display's surface takes it.
#include "view.h"

#ifdef HMIGFX_DESKTOP
#include <hmigfx/display_sdl.h>
#endif
#include <hmigfx_display.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

using namespace hmigfx::app;
namespace fs = std::filesystem;

constexpr int kWidth = 1920, kHeight = 1080, kObjects = 1000;

// Copies what is presented, as a display's window surface does.
class CopyingBackend final : public hmigfx::display::Backend {
public:
    void present(HWND, const hmigfx::display::Frame& f, const RECT& r) override {
        if (m_pixels.size() < size_t(f.width) * f.height) m_pixels.resize(size_t(f.width) * f.height);
        for (LONG y = r.top; y < r.bottom; ++y)
            std::memcpy(&m_pixels[size_t(y) * f.width + r.left],
                        reinterpret_cast<const uint8_t*>(f.pixels) + y * f.stride + r.left * 4, size_t(r.right - r.left) * 4);
    }
    bool waitForInput(int) override { return false; }

private:
    std::vector<uint32_t> m_pixels;
};

const char* installDisplay() {
#ifdef HMIGFX_DESKTOP
    if (std::getenv("DISPLAY") && hmigfx::display::useDesktop()) return "desktop";
#endif
    hmigfx::display::setBackend(std::make_unique<CopyingBackend>());
    return "copied";
}

// A fixed pseudo-random screen, the same on every run.
std::string plantScreen() {
    uint32_t state = 12345;
    auto range = [&](int lo, int hi) {
        state = state * 1664525u + 1013904223u;
        return lo + static_cast<int>((state >> 8) % static_cast<uint32_t>(hi - lo + 1));
    };
    const char* kinds[] = {"rectangle", "ellipse", "roundrect", "polygon", "polyline", "pie", "chord", "arc"};
    const char* styles[] = {"solid", "dash", "dot", "dashdot"};
    std::ostringstream s;
    s << R"({"size": [)" << kWidth << ", " << kHeight << R"(], "background": "#F4F4F0", "objects": [)";
    for (int i = 0; i < kObjects; ++i) {
        const bool gradient = i % 10 == 0;
        const std::string kind = kinds[gradient ? range(0, 2) : range(0, 7)];
        const int w = range(20, 200), h = range(16, 140), x = range(0, kWidth - w), y = range(0, kHeight - h);
        char colour[3][8];
        for (auto& c : colour) std::snprintf(c, sizeof c, "#%02X%02X%02X", range(0, 255), range(0, 255), range(0, 255));
        s << (i ? "," : "") << R"({"kind": ")" << kind << '"';
        if (kind == "polygon" || kind == "polyline") {
            s << R"(, "points": [)";
            for (int k = 0, n = range(4, 10); k < n; ++k) s << (k ? "," : "") << '[' << x + range(0, w) << ',' << y + range(0, h) << ']';
            s << ']';
        } else {
            s << R"(, "rect": [)" << x << ',' << y << ',' << x + w << ',' << y + h << ']';
        }
        if (kind == "roundrect") s << R"(, "corner": [)" << range(6, 30) << ',' << range(6, 30) << ']';
        if (kind == "pie" || kind == "chord" || kind == "arc")
            s << R"(, "start": [)" << x + w << ',' << y + range(0, h) << R"(], "end": [)" << x + range(0, w) << ',' << y << ']';
        s << R"(, "pen": {"lopnStyle": ")" << styles[range(0, 9) < 7 ? 0 : range(1, 3)] << R"(", "lopnWidth": )" << range(0, 3)
          << R"(, "lopnColor": ")" << colour[0] << R"("})";
        if (gradient)
            s << R"(, "brush": {"lbStyle": "gradient", "lbHatch": )" << range(0, 21) << '}';
        else if (kind != "polyline" && kind != "arc" && range(0, 9) < 3)
            s << R"(, "brush": {"lbStyle": "hatch", "lbHatch": )" << range(0, 5) << '}';
        if (kind != "polyline" && kind != "arc") s << R"(, "crFill": ")" << colour[1] << '"';
        s << '}';
    }
    s << "]}";
    return s.str();
}

// Handles what is queued (paints, timers) and presents.
void pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

struct Viewer {
    Viewer() {
        label = installDisplay();
        const fs::path file = fs::temp_directory_path() / "hmigfx-bench-plant.json";
        std::ofstream(file) << plantScreen();
        window = std::make_unique<SceneView>(file, SceneOptions{}, loadSceneFile(file, SceneOptions{}));
        fs::remove(file);  // the loaded scene stays; the watcher finds nothing newer
        ok = window->Open();
        pump();
    }
    std::string label;
    std::unique_ptr<SceneView> window;
    bool ok = false;
};

// Made once and never destroyed: the window system's own statics may be
// gone by the time a static viewer's destructor would run.
Viewer& viewer() {
    static Viewer* v = new Viewer;
    return *v;
}

void BM_ViewerRepaint(benchmark::State& state) {
    Viewer& v = viewer();
    if (!v.ok) return state.SkipWithError("no window");
    for (auto _ : state) {
        v.window->Invalidate(FALSE);
        v.window->UpdateWindow();
        pump();
    }
    state.SetLabel(v.label);
}
BENCHMARK(BM_ViewerRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ViewerScroll10(benchmark::State& state) {
    Viewer& v = viewer();
    if (!v.ok) return state.SkipWithError("no window");
    int step = 10;
    for (auto _ : state) {
        v.window->ScrollBy(0, step);  // there and back: the same screen throughout
        pump();
        step = -step;
    }
    state.SetLabel(v.label);
}
BENCHMARK(BM_ViewerScroll10)->Unit(benchmark::kMillisecond)->UseRealTime();

// Memory over a long run: the text scene zoomed through 1000 distinct zoom
// levels, each painted; the resident size after the first 100 and after all
// of them (the font cache keeps a bounded number of sizes).
long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

void BM_ViewerZoomThrough1000Levels(benchmark::State& state) {
    viewer();  // the display, installed once
    const fs::path file = fs::path(HMIGFX_EXAMPLES_DIR) / "text-and-buttons.json";
    SceneOptions options;
    options.size = CPoint(640, 480);
    SceneView view(file, options, loadSceneFile(file, options));
    if (!view.Open()) return state.SkipWithError("no window");
    long after100 = 0;
    for (auto _ : state) {
        for (int level = 0; level < 1000; ++level) {
            view.ZoomAt(20 + level, CPoint(0, 0));
            pump();
            if (level == 99) after100 = residentKb();
        }
    }
    state.counters["rss_after_100_MB"] = after100 / 1024.0;
    state.counters["rss_after_1000_MB"] = residentKb() / 1024.0;
}
BENCHMARK(BM_ViewerZoomThrough1000Levels)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
