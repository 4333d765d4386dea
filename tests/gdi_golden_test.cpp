// Runs every tests/gdi/*.gdi script on our GDI and compares the canvas, the
// query answers and the warnings with what the reference GDI produced for the
// same script (tests/golden/NAME.png, .out, .err).
//
// A script may accept a known difference in a header line
//   # allow-diff-pixels: N  (reason)
// which lets up to N pixels differ; the reason stays next to the number.
//
// Text goes through another rasteriser than the reference's (FreeType here,
// with its own hinting of positions and anti-aliasing), so text scripts may
// instead declare
//   # compare: ink N  (reason)
// where the ink (every pixel unlike the canvas colour) must have the same
// bounding box within N pixels on each side, and every ink pixel of either
// picture must lie within N pixels of ink in the other; and
//   # answers-within: N  (reason)
// where the numbers of the query answers may differ by up to N.
#include "gdi_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;
using hmigfx::gdiscript::Result;
using hmigfx::pngio::Image;

namespace {

std::vector<std::string> scriptNames() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(HMIGFX_GDI_SCRIPTS))
        if (e.path().extension() == ".gdi") names.push_back(e.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

long allowedDiffPixels(const std::string& script) {
    std::smatch m;
    static const std::regex re(R"(#\s*allow-diff-pixels:\s*(\d+))");
    return std::regex_search(script, m, re) ? std::stol(m[1]) : 0;
}

// -1 when the script does not declare the setting.
int declared(const std::string& script, const char* pattern) {
    std::smatch m;
    const std::regex re(pattern);
    return std::regex_search(script, m, re) ? std::stoi(m[1]) : -1;
}

uint32_t canvasColor(const std::string& script) {
    std::smatch m;
    static const std::regex re(R"(^\s*canvas\s+\d+\s+\d+\s+(0x[0-9A-Fa-f]+|\d+))");
    for (std::sregex_iterator it(script.begin(), script.end(), re, std::regex_constants::match_default), end;
         it != end; ++it) {
        const uint32_t c = static_cast<uint32_t>(std::stoul((*it)[1], nullptr, 0));
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);  // COLORREF to the image's 0xRRGGBB
    }
    return 0xFFFFFF;
}

// Answers that agree but for numbers within `within` of each other.
bool answersMatch(const std::string& ours, const std::string& ref, int within, std::string* why) {
    std::istringstream a(ours), b(ref);
    std::string la, lb;
    for (int line = 1;; ++line) {
        const bool ga = static_cast<bool>(std::getline(a, la)), gb = static_cast<bool>(std::getline(b, lb));
        if (!ga || !gb) {
            if (ga != gb) *why = "different number of answer lines";
            return ga == gb;
        }
        std::istringstream ta(la), tb(lb);
        std::string wa, wb;
        while (true) {
            const bool ha = static_cast<bool>(ta >> wa), hb = static_cast<bool>(tb >> wb);
            if (!ha || !hb) {
                if (ha != hb) {
                    *why = "line " + std::to_string(line) + ": '" + la + "' vs '" + lb + "'";
                    return false;
                }
                break;
            }
            char* ea = nullptr;
            char* eb = nullptr;
            const long va = std::strtol(wa.c_str(), &ea, 0), vb = std::strtol(wb.c_str(), &eb, 0);
            const bool numbers = !wa.empty() && !wb.empty() && !*ea && !*eb;
            if (numbers ? std::labs(va - vb) > within : wa != wb) {
                *why = "line " + std::to_string(line) + ": '" + la + "' vs '" + lb + "'";
                return false;
            }
        }
    }
}

struct InkCheck {
    bool ok = true;
    std::string why;
};

// Ink boxes within `tol` per side, and each picture's ink within `tol` of the other's.
InkCheck compareInk(const Image& ours, const Image& ref, uint32_t background, int tol) {
    auto inkOf = [background](const Image& im) {
        std::vector<uint8_t> ink(im.pixels.size());
        for (size_t i = 0; i < ink.size(); ++i) ink[i] = (im.pixels[i] & 0xFFFFFF) != background;
        return ink;
    };
    const std::vector<uint8_t> a = inkOf(ours), b = inkOf(ref);
    const int w = ref.width, h = ref.height;
    auto box = [w, h](const std::vector<uint8_t>& ink) {
        int x0 = w, y0 = h, x1 = -1, y1 = -1;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (ink[static_cast<size_t>(y) * w + x]) {
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
                }
        return std::array<int, 4>{x0, y0, x1, y1};
    };
    InkCheck r;
    const auto ba = box(a), bb = box(b);
    for (int k = 0; k < 4; ++k)
        if (std::abs(ba[k] - bb[k]) > tol) {
            r.ok = false;
            r.why = "ink box " + std::to_string(ba[0]) + "," + std::to_string(ba[1]) + "-" + std::to_string(ba[2]) +
                    "," + std::to_string(ba[3]) + " vs reference " + std::to_string(bb[0]) + "," +
                    std::to_string(bb[1]) + "-" + std::to_string(bb[2]) + "," + std::to_string(bb[3]);
            return r;
        }
    auto near = [w, h, tol](const std::vector<uint8_t>& ink, int x, int y) {
        for (int dy = -tol; dy <= tol; ++dy)
            for (int dx = -tol; dx <= tol; ++dx) {
                const int u = x + dx, v = y + dy;
                if (u >= 0 && v >= 0 && u < w && v < h && ink[static_cast<size_t>(v) * w + u]) return true;
            }
        return false;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = static_cast<size_t>(y) * w + x;
            if ((a[i] && !near(b, x, y)) || (b[i] && !near(a, x, y))) {
                r.ok = false;
                r.why = "ink at (" + std::to_string(x) + ", " + std::to_string(y) + ") has no counterpart within " +
                        std::to_string(tol) + " px";
                return r;
            }
        }
    return r;
}

void saveFailure(const std::string& name, const Image& actual, const Image& expected) {
    const fs::path dir = fs::current_path() / "golden-failures";
    fs::create_directories(dir);
    hmigfx::pngio::writePng((dir / (name + ".actual.png")).string(), actual, nullptr);
    if (actual.width != expected.width || actual.height != expected.height) return;
    Image diff = actual;
    for (size_t i = 0; i < diff.pixels.size(); ++i)
        diff.pixels[i] = actual.pixels[i] == expected.pixels[i] ? 0xFFFFFF : 0xFF0000;
    hmigfx::pngio::writePng((dir / (name + ".diff.png")).string(), diff, nullptr);
}

class GoldenScript : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenScript, MatchesReferenceGdi) {
    const std::string name = GetParam();
    const fs::path script = fs::path(HMIGFX_GDI_SCRIPTS) / (name + ".gdi");
    const fs::path golden = fs::path(HMIGFX_GOLDEN_DIR) / name;
    const Result r = hmigfx::gdiscript::runFile(script.string());
    ASSERT_EQ(r.status, 0) << r.errors;
    const std::string text = slurp(script);
    const int answersWithin = declared(text, R"(#\s*answers-within:\s*(\d+))");
    if (answersWithin >= 0) {
        std::string why;
        EXPECT_TRUE(answersMatch(r.output, slurp(golden.string() + ".out"), answersWithin, &why))
            << "query answers differ by more than " << answersWithin << ": " << why;
    } else {
        EXPECT_EQ(r.output, slurp(golden.string() + ".out")) << "query answers differ";
    }
    EXPECT_EQ(r.errors, slurp(golden.string() + ".err")) << "warnings differ";

    Image expected;
    std::string error;
    ASSERT_TRUE(hmigfx::pngio::readImage(golden.string() + ".png", expected, &error)) << error;
    ASSERT_EQ(r.image.width, expected.width);
    ASSERT_EQ(r.image.height, expected.height);
    const int inkTolerance = declared(text, R"(#\s*compare:\s*ink\s+(\d+))");
    if (inkTolerance >= 0) {
        const InkCheck ink = compareInk(r.image, expected, canvasColor(text), inkTolerance);
        if (!ink.ok) saveFailure(name, r.image, expected);
        EXPECT_TRUE(ink.ok) << ink.why << "; pictures in golden-failures/";
        return;
    }
    long differing = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x)
            if (r.image.at(x, y) != expected.at(x, y)) {
                if (differing++ == 0) {
                    firstX = x;
                    firstY = y;
                }
            }
    const long allowed = allowedDiffPixels(text);
    if (differing > allowed) saveFailure(name, r.image, expected);
    EXPECT_LE(differing, allowed) << differing << " pixels differ; the first at (" << firstX << ", " << firstY
                                  << "): ours 0x" << std::hex
                                  << (firstX >= 0 ? r.image.at(firstX, firstY) : 0) << ", reference 0x"
                                  << (firstX >= 0 ? expected.at(firstX, firstY) : 0)
                                  << "; pictures in golden-failures/";
}

INSTANTIATE_TEST_SUITE_P(Scripts, GoldenScript, ::testing::ValuesIn(scriptNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string n = info.param;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

}  // namespace
