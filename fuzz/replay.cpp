// A fuzz target's entry point run over files, without libFuzzer: the inputs
// the long runs found (fuzz/regressions/TARGET) and the seeds replay in the
// ordinary test suite, and under the sanitizers in its ASan build.
//
//   replay_TARGET FILE|DIRECTORY...     exits 1 if it found no input at all
//
// An input may take at most HMIGFX_REPLAY_SECONDS of CPU (default 2) and
// raise the process's peak memory to at most HMIGFX_REPLAY_MB (default 1024;
// 0: not checked, as under ASan, whose shadow memory counts too). One that
// takes more is named and the program exits 2.
#include <sys/resource.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (fs::is_directory(argv[i])) {
            for (const auto& e : fs::recursive_directory_iterator(argv[i]))
                if (e.is_regular_file()) inputs.push_back(e.path());
        } else {
            inputs.emplace_back(argv[i]);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    const char* seconds = std::getenv("HMIGFX_REPLAY_SECONDS");
    const char* megabytes = std::getenv("HMIGFX_REPLAY_MB");
    const double maxSeconds = seconds ? std::atof(seconds) : 2.0;
    const long maxKb = (megabytes ? std::atol(megabytes) : 1024) * 1024;
    auto usage = [] {
        rusage u{};
        getrusage(RUSAGE_SELF, &u);
        return u;
    };
    auto cpu = [](const rusage& u) {
        return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    };
    int over = 0;
    for (const fs::path& p : inputs) {
        std::ifstream f(p, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(f), {}};
        // Named first: a crash's report then says which input it was.
        std::fprintf(stderr, "%s\n", p.c_str());
        const rusage before = usage();
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        const rusage after = usage();
        const double took = cpu(after) - cpu(before);
        if (took > maxSeconds) {
            std::fprintf(stderr, "%s: %.2f s of CPU, over %.2f s\n", p.c_str(), took, maxSeconds);
            ++over;
        }
        if (maxKb > 0 && after.ru_maxrss > maxKb && before.ru_maxrss <= maxKb) {
            std::fprintf(stderr, "%s: peak memory %ld MB, over %ld MB\n", p.c_str(), after.ru_maxrss / 1024, maxKb / 1024);
            ++over;
        }
    }
    std::fprintf(stderr, "%zu inputs, %d over their bounds\n", inputs.size(), over);
    if (over) return 2;
    return inputs.empty() ? 1 : 0;
}
