// What every test suite shares: the one test canvas (canvas.h), the one
// picture comparison (also against the reference GDI's golden pictures, with
// what the golden's script declares), scratch directories and files.
#pragma once

#include "canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace testsupport {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------
// Files

// A directory that exists for the life of the object.
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        path_ = fs::temp_directory_path() / ("hmigfx-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

inline void writeFile(const fs::path& p, const std::vector<unsigned char>& bytes) {
    std::ofstream f(p, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<unsigned char> readFile(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(f), {});
}

inline std::string slurp(const fs::path& p) {
    const std::vector<unsigned char> b = readFile(p);
    return std::string(b.begin(), b.end());
}

inline void putLe16(std::vector<unsigned char>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 2; ++i) v[at + i] = static_cast<unsigned char>(x >> (8 * i));
}
inline void putLe32(std::vector<unsigned char>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<unsigned char>(x >> (8 * i));
}
inline void putBe32(std::vector<unsigned char>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<unsigned char>(x >> (24 - 8 * i));
}

// ---------------------------------------------------------------------------
// Comparing pictures

// At most `allowed` pixels differ; otherwise how many, and the first.
inline ::testing::AssertionResult samePicture(const Image& ours, const Image& ref, long allowed = 0) {
    if (ours.width != ref.width || ours.height != ref.height)
        return ::testing::AssertionFailure() << "size " << ours.width << "x" << ours.height << " against "
                                             << ref.width << "x" << ref.height;
    long differ = 0;
    int fx = -1, fy = -1;
    for (int y = 0; y < ref.height; ++y)
        for (int x = 0; x < ref.width; ++x)
            if ((ours.at(x, y) & 0xFFFFFF) != (ref.at(x, y) & 0xFFFFFF) && differ++ == 0) fx = x, fy = y;
    if (differ <= allowed) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differ << " pixels differ (" << allowed << " allowed); the first at ("
                                         << fx << ", " << fy << "): 0x" << std::hex << ours.at(fx, fy)
                                         << " against 0x" << ref.at(fx, fy);
}

inline ::testing::AssertionResult samePicture(const Canvas& a, const Canvas& b) {
    return samePicture(a.image(), b.image());
}

// Text goes through another rasteriser than the reference's: the ink (every
// pixel unlike the background) of both pictures has the same bounding box
// within tol on each side, and each ink pixel lies within tol of ink in the other.
inline ::testing::AssertionResult inkWithin(const Image& ours, const Image& ref, uint32_t background, int tol) {
    const int w = ref.width, h = ref.height;
    if (ours.width != w || ours.height != h) return ::testing::AssertionFailure() << "sizes differ";
    auto inkOf = [&](const Image& im) {
        std::vector<uint8_t> ink(im.pixels.size());
        for (size_t i = 0; i < ink.size(); ++i) ink[i] = (im.pixels[i] & 0xFFFFFF) != background;
        return ink;
    };
    const std::vector<uint8_t> a = inkOf(ours), b = inkOf(ref);
    auto box = [&](const std::vector<uint8_t>& ink) {
        std::array<int, 4> r{w, h, -1, -1};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (ink[size_t(y) * w + x]) r = {std::min(r[0], x), std::min(r[1], y), std::max(r[2], x), std::max(r[3], y)};
        return r;
    };
    const auto ba = box(a), bb = box(b);
    for (int k = 0; k < 4; ++k)
        if (std::abs(ba[k] - bb[k]) > tol)
            return ::testing::AssertionFailure() << "ink box " << ba[0] << "," << ba[1] << "-" << ba[2] << "," << ba[3]
                                                 << " against " << bb[0] << "," << bb[1] << "-" << bb[2] << "," << bb[3];
    auto nearInk = [&](const std::vector<uint8_t>& ink, int x, int y) {
        for (int v = std::max(0, y - tol); v <= std::min(h - 1, y + tol); ++v)
            for (int u = std::max(0, x - tol); u <= std::min(w - 1, x + tol); ++u)
                if (ink[size_t(v) * w + u]) return true;
        return false;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            if ((a[i] && !nearInk(b, x, y)) || (b[i] && !nearInk(a, x, y)))
                return ::testing::AssertionFailure() << "ink at (" << x << ", " << y << ") has no counterpart within "
                                                     << tol << " px";
        }
    return ::testing::AssertionSuccess();
}

// What a golden script declares about the comparison, each with its reason
// beside it in the script:
//   # allow-diff-pixels: N   up to N pixels may differ
//   # compare: ink N         text: inkWithin(N) against the script's canvas colour
//   # answers-within: N      the numbers of the query answers may differ by N
struct Declared {
    long pixels = 0;
    int ink = -1;
    int answers = -1;
    uint32_t background = 0xFFFFFF;
};

inline Declared declaredBy(const std::string& script) {
    Declared d;
    std::smatch m;
    if (std::regex_search(script, m, std::regex(R"(#\s*allow-diff-pixels:\s*(\d+))"))) d.pixels = std::stol(m[1]);
    if (std::regex_search(script, m, std::regex(R"(#\s*compare:\s*ink\s+(\d+))"))) d.ink = std::stoi(m[1]);
    if (std::regex_search(script, m, std::regex(R"(#\s*answers-within:\s*(\d+))"))) d.answers = std::stoi(m[1]);
    if (std::regex_search(script, m, std::regex(R"((^|\n)\s*canvas\s+\d+\s+\d+\s+(0x[0-9A-Fa-f]+|\d+))")))
        d.background = rgbOf(static_cast<COLORREF>(std::stoul(m[2], nullptr, 0)));
    return d;
}

// Our picture against the reference GDI's picture tests/golden/NAME.png, as
// tests/gdi/NAME.gdi declares. A failing picture and where it differs are
// written to golden-failures/ in the working directory.
inline ::testing::AssertionResult matchesGolden(const Image& ours, const std::string& name) {
    const Declared d = declaredBy(slurp(fs::path(HMIGFX_GDI_SCRIPTS) / (name + ".gdi")));
    Image golden;
    std::string error;
    if (!hmigfx::pngio::readImage(std::string(HMIGFX_GOLDEN_DIR) + "/" + name + ".png", golden, &error))
        return ::testing::AssertionFailure() << error;
    ::testing::AssertionResult r =
        d.ink >= 0 ? inkWithin(ours, golden, d.background, d.ink) : samePicture(ours, golden, d.pixels);
    if (!r && ours.width == golden.width && ours.height == golden.height) {
        const fs::path dir = fs::current_path() / "golden-failures";
        fs::create_directories(dir);
        hmigfx::pngio::writePng((dir / (name + ".actual.png")).string(), ours, nullptr);
        Image diff = ours;
        for (size_t i = 0; i < diff.pixels.size(); ++i)
            diff.pixels[i] = (ours.pixels[i] & 0xFFFFFF) == (golden.pixels[i] & 0xFFFFFF) ? 0xFFFFFF : 0xFF0000;
        hmigfx::pngio::writePng((dir / (name + ".diff.png")).string(), diff, nullptr);
        r << "; pictures in golden-failures/";
    }
    return r;
}

inline ::testing::AssertionResult matchesGolden(const Canvas& c, const std::string& name) {
    return matchesGolden(c.image(), name);
}

// A LOGFONTW of the face at the height, other fields as a host leaves them
// (quality: plain pixels unless said otherwise, the reference's comparable ones).
inline LOGFONTW logFont(int height, const wchar_t* face = L"Arial", BYTE quality = NONANTIALIASED_QUALITY) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfQuality = quality;
    std::wstring(face).copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}

#ifdef HMIGFX_TEST_MFC
// A path as the framework takes it.
inline CString cstr(const fs::path& p) { return CString(p.wstring().c_str()); }

// The m_cause of the E that f throws (deleted here); -1 when f throws none.
template <class E, class F>
int causeOf(F f) {
    try {
        f();
    } catch (E* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}
#endif

}  // namespace testsupport

#ifdef HMIGFX_TEST_MFC
// MFC exceptions are thrown as pointers that the catcher deletes.
#define EXPECT_MFC_THROW(statement, exception_class)                           \
    do {                                                                       \
        bool thrown_ = false;                                                  \
        try {                                                                  \
            statement;                                                         \
        } catch (exception_class * e_) {                                       \
            thrown_ = true;                                                    \
            e_->Delete();                                                      \
        }                                                                      \
        EXPECT_TRUE(thrown_) << #statement " did not throw " #exception_class; \
    } while (0)
#endif
