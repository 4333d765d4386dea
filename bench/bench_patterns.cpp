// Loading the pattern library: the 48 built-in patterns and a pattern
// directory full of pattern files (100 pattern-file slots, 100 user-pattern
// slots), as the first brush of a process does; and the 200 files alone.
#include "brush/pattern_library_p.h"

#include <hmigfx/lead_bitmap.h>

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A pattern picture of size x size with some structure, so that it compresses like a real one.
cv::Mat tile(int size, int seed) {
    cv::Mat m(size, size, CV_8UC3);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            m.at<cv::Vec3b>(y, x) = cv::Vec3b(static_cast<uchar>((x * 8 + seed) & 0xFF),
                                              static_cast<uchar>((y * 8 + seed * 3) & 0xFF),
                                              static_cast<uchar>(((x ^ y) * 16) & 0xFF));
    return m;
}

void write(const fs::path& p, const std::vector<uchar>& bytes) {
    std::ofstream f(p, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// DIR/Sys/Brush/ with 200 pattern files: PNG, BMP and JPEG in turn, 32 to 64 pixels square.
struct Installation {
    fs::path root;
    CWinApp app{L"bench"};
    Installation() {
        root = fs::temp_directory_path() / ("hmigfx-bench-patterns-" + std::to_string(::getpid()));
        const fs::path brush = root / "Sys" / "Brush";
        fs::create_directories(brush);
        const char* exts[3] = {".png", ".bmp", ".jpg"};
        for (int kind = 0; kind < 2; ++kind) {
            for (int slot = 0; slot < 100; ++slot) {
                const int n = kind * 100 + slot;
                std::vector<uchar> bytes;
                cv::imencode(exts[n % 3], tile(32 + 16 * (n % 3), n), bytes);
                char name[32];
                std::snprintf(name, sizeof name, "Pattern%d.%c%02d", n, kind ? 'U' : 'F', slot);
                write(brush / name, bytes);
            }
        }
        std::free(const_cast<wchar_t*>(app.m_pszHelpFilePath));
        app.m_pszHelpFilePath = wcsdup((root / "host.HLP").wstring().c_str());
    }
    ~Installation() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

void BM_LoadPatternLibrary(benchmark::State& state) {
    Installation inst;
    CPatternLibrary library;
    for (auto _ : state) {
        library.Load();
        if (library.GetPatternSize(kFilePattern) != 100 || library.GetPatternSize(kUserPattern) != 100 ||
            library.GetPatternSize(kBuiltinPattern) != 48) {
            state.SkipWithError("the library did not load every pattern");
            break;
        }
    }
    state.counters["files"] = 200;
    state.counters["files/s"] = benchmark::Counter(200.0 * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadPatternLibrary)->Unit(benchmark::kMillisecond);

// The pattern files alone, as the library reads each: find it, load it
// through the imaging SDK, take it as a packed DIB.
void BM_LoadPatternFiles(benchmark::State& state) {
    Installation inst;
    const fs::path brush = inst.root / "Sys" / "Brush";
    for (auto _ : state) {
        int loaded = 0;
        for (wchar_t kind : {L'F', L'U'}) {
            for (int slot = 0; slot < 100; ++slot) {
                CString mask;
                mask.Format(L"%s/*.%c%02d", brush.wstring().c_str(), kind, slot);
                CFileFind finder;
                if (!finder.FindFile(mask)) continue;
                finder.FindNextFile();
                CLeadBitmap bitmap;
                if (!bitmap.GetBitmapFile(finder.GetFilePath())) continue;
                ::GlobalFree(static_cast<HGLOBAL>(bitmap.ChangeToDIB()));
                ++loaded;
            }
        }
        if (loaded != 200) {
            state.SkipWithError("not every file loaded");
            break;
        }
    }
    state.counters["files/s"] = benchmark::Counter(200.0 * static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadPatternFiles)->Unit(benchmark::kMillisecond);

}  // namespace
