// gdi-play scripts: any text through the script interpreter.
//
// The language can ask for a 16384 x 16384 canvas or nested repeat loops that
// run for hours; those are the script's own costs, not the GDI's, so scripts
// asking for more than a small canvas or a few repetitions are skipped.
// Bitmap files resolve against the golden scripts' directory.
#include "gdi_script.h"
#include "interpreter_p.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr long long kMaxPixels = 256 * 256;
constexpr long long kMaxRepeats = 64;  // product of the counts of nested loops

// Only pictures under the golden scripts' directory: no absolute path, no
// way up, no escapes that could spell either.
bool insideScriptDir(const std::string& rest) {
    const size_t start = rest.find_first_not_of(" \t");
    if (start == std::string::npos) return true;
    const std::string path = rest.substr(start);
    return path[0] != '/' && path.find("..") == std::string::npos && path.find('\\') == std::string::npos;
}

bool withinBudget(const std::string& text) {
    std::istringstream lines(text.substr(0, text.find('\0')));
    std::string line;
    long long repeats = 1;
    std::vector<long long> loops;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string first, a, b;
        words >> first;
        if (first == "canvas") {
            long long w, h;
            words >> a >> b;
            if (!hmigfx::gdiscript::parseNumber(a, &w) || !hmigfx::gdiscript::parseNumber(b, &h)) continue;
            const long long width = static_cast<int>(w), height = static_cast<int>(h);  // as the interpreter reads them
            if (width > 0 && height > 0 && width * height > kMaxPixels) return false;
        } else if (first == "repeat") {
            long long n;
            words >> a;
            if (!hmigfx::gdiscript::parseNumber(a, &n) || n < 0) continue;
            n = std::max(n, 1LL);
            if (n > kMaxRepeats || repeats * n > kMaxRepeats) return false;
            repeats *= n;
            loops.push_back(n);
        } else if (first == "end" && !loops.empty()) {
            repeats /= loops.back();
            loops.pop_back();
        } else if (const size_t at = line.find("LoadBitmapFile"); at != std::string::npos) {
            if (!insideScriptDir(line.substr(at + 14))) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!withinBudget(text)) return -1;
    hmigfx::gdiscript::runScript(text, HMIGFX_GDI_SCRIPTS "/");
    return 0;
}
