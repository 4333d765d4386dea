// Runs every tests/gdi/*.gdi script on our GDI and compares the canvas, the
// query answers and the warnings with what the reference GDI produced for the
// same script (tests/golden/NAME.png, .out, .err).
//
// A script may accept a known difference in a header line
//   # allow-diff-pixels: N  (reason)
// which lets up to N pixels differ; the reason stays next to the number.
#include "gdi_script.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    EXPECT_EQ(r.output, slurp(golden.string() + ".out")) << "query answers differ";
    EXPECT_EQ(r.errors, slurp(golden.string() + ".err")) << "warnings differ";

    Image expected;
    std::string error;
    ASSERT_TRUE(hmigfx::pngio::readImage(golden.string() + ".png", expected, &error)) << error;
    ASSERT_EQ(r.image.width, expected.width);
    ASSERT_EQ(r.image.height, expected.height);
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
    const long allowed = allowedDiffPixels(slurp(script));
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
