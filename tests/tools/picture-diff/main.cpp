// picture-diff: compares one picture drawn by two GDIs, separating text.
//
//   picture-diff NAME A.png A-notext.png B.png B-notext.png [--text-tolerance PERCENT] [--diff OUT.png]
//                [--ignore L,T,R,B]...
//
// A and B are the same drawing from two builds; the -notext pictures are the
// same drawing with every string left out (hmigfx --no-text). The shapes must
// agree exactly: the no-text pictures are compared pixel for pixel. Text is
// where a picture differs from its own no-text picture, in either build,
// widened by one pixel for the glyphs' edges; there the two builds may differ
// by at most PERCENT of that area (two font rasterisers never agree to the
// pixel). One line per picture; exit status 0 when both hold, 1 when not, 2
// when a picture cannot be read or the sizes differ. --diff writes the
// differences: red where shapes differ, yellow where text does, the
// picture greyed elsewhere. --ignore leaves a rectangle out of both
// comparisons (what the GDI does not draw: windows painted by USER32).
#include <hmigfx/png_io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using hmigfx::pngio::Image;

namespace {

struct Box {
    int l = 1 << 30, t = 1 << 30, r = -1, b = -1;
    void add(int x, int y) {
        l = std::min(l, x), t = std::min(t, y), r = std::max(r, x + 1), b = std::max(b, y + 1);
    }
    std::string str() const {
        return r < 0 ? "" : " in [" + std::to_string(l) + "," + std::to_string(t) + ")-(" + std::to_string(r) + "," +
                                std::to_string(b) + ")";
    }
};

bool load(const char* path, Image& out) {
    std::string error;
    if (hmigfx::pngio::readImage(path, out, &error)) return true;
    std::fprintf(stderr, "picture-diff: %s\n", error.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: picture-diff NAME A.png A-notext.png B.png B-notext.png "
                             "[--text-tolerance PERCENT] [--diff OUT.png]\n");
        return 2;
    }
    double tolerance = 0;
    std::string diffPath;
    std::vector<Box> ignored;
    for (int i = 6; i + 1 < argc; i += 2) {
        const std::string opt = argv[i];
        if (opt == "--text-tolerance") tolerance = std::atof(argv[i + 1]);
        else if (opt == "--diff") diffPath = argv[i + 1];
        else if (opt == "--ignore") {
            Box r;
            if (std::sscanf(argv[i + 1], "%d,%d,%d,%d", &r.l, &r.t, &r.r, &r.b) != 4) {
                std::fprintf(stderr, "picture-diff: --ignore takes L,T,R,B\n");
                return 2;
            }
            ignored.push_back(r);
        } else {
            std::fprintf(stderr, "picture-diff: unknown option %s\n", opt.c_str());
            return 2;
        }
    }
    auto isIgnored = [&](int x, int y) {
        for (const Box& r : ignored)
            if (x >= r.l && x < r.r && y >= r.t && y < r.b) return true;
        return false;
    };
    Image a, a0, b, b0;
    if (!load(argv[2], a) || !load(argv[3], a0) || !load(argv[4], b) || !load(argv[5], b0)) return 2;
    const int w = a.width, h = a.height;
    for (const Image* p : {&a0, &b, &b0}) {
        if (p->width != w || p->height != h) {
            std::fprintf(stderr, "picture-diff: %s: the pictures differ in size\n", argv[1]);
            return 2;
        }
    }
    const size_t n = size_t(w) * size_t(h);

    // Text: what the strings changed in either build, one pixel wider.
    std::vector<unsigned char> core(n), text(n);
    for (size_t i = 0; i < n; ++i) core[i] = a.pixels[i] != a0.pixels[i] || b.pixels[i] != b0.pixels[i];
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) {
                    const int xx = x + dx, yy = y + dy;
                    near = xx >= 0 && yy >= 0 && xx < w && yy < h && core[size_t(yy) * w + xx];
                }
            text[size_t(y) * w + x] = near;
        }

    size_t shapeDiff = 0, textArea = 0, textDiff = 0, ignoredArea = 0;
    Box shapeBox;
    Image diff{w, h, std::vector<uint32_t>(n)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            if (isIgnored(x, y)) {
                ++ignoredArea;
                diff.pixels[i] = 0x4080FFu;
                continue;
            }
            const bool shapes = a0.pixels[i] != b0.pixels[i];
            const bool differs = a.pixels[i] != b.pixels[i];
            if (shapes) ++shapeDiff, shapeBox.add(x, y);
            if (text[i]) ++textArea, textDiff += differs;
            // Outside text the drawings themselves must agree too.
            if (!text[i] && differs && !shapes) ++shapeDiff, shapeBox.add(x, y);
            const uint32_t p = a.pixels[i];
            const uint32_t grey = (((p >> 16 & 255) + (p >> 8 & 255) + (p & 255)) / 3 + 510) / 3;
            diff.pixels[i] = shapes || (!text[i] && differs) ? 0xFF0000u
                           : text[i] && differs              ? 0xE0C000u
                                                             : grey << 16 | grey << 8 | grey;
        }
    const double textPercent = textArea ? 100.0 * double(textDiff) / double(textArea) : 0.0;
    const bool ok = shapeDiff == 0 && textPercent <= tolerance;
    std::printf("%-22s %s  shapes: %zu px differ%s;  text: %zu of %zu px differ (%.1f%%, tolerance %.0f%%)", argv[1],
                ok ? "ok  " : "FAIL", shapeDiff, shapeBox.str().c_str(), textDiff, textArea, textPercent, tolerance);
    if (ignoredArea) std::printf(";  %zu px of windows not compared", ignoredArea);
    std::printf("\n");
    if (!diffPath.empty()) {
        std::string error;
        if (!hmigfx::pngio::writePng(diffPath, diff, &error)) std::fprintf(stderr, "picture-diff: %s\n", error.c_str());
    }
    return ok ? 0 : 1;
}
