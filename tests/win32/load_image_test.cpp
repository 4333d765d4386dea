// LoadImageW with .bmp files: the flags, and files that are truncated, lie
// about their sizes or are corrupted at random (the sanitizer build checks
// that nothing is read out of bounds).
#include "../support/test_support.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using testsupport::putLe16;
using testsupport::putLe32;

// A .bmp file: file header, info header, colour table, then the given pixel bytes.
std::vector<unsigned char> bmpFile(int w, int h, int bpp, const std::vector<RGBQUAD>& table, const std::vector<unsigned char>& pixels,
                             DWORD compression = BI_RGB) {
    const size_t off = 14 + 40 + table.size() * 4;
    std::vector<unsigned char> f(off + pixels.size(), 0);
    f[0] = 'B';
    f[1] = 'M';
    putLe32(f, 2, static_cast<uint32_t>(f.size()));
    putLe32(f, 10, static_cast<uint32_t>(off));
    putLe32(f, 14, 40);
    putLe32(f, 18, static_cast<uint32_t>(w));
    putLe32(f, 22, static_cast<uint32_t>(h));
    putLe16(f, 26, 1);
    putLe16(f, 28, static_cast<uint16_t>(bpp));
    putLe32(f, 30, compression);
    putLe32(f, 34, static_cast<uint32_t>(pixels.size()));
    putLe32(f, 46, static_cast<uint32_t>(table.size()));
    if (!table.empty()) std::memcpy(f.data() + 54, table.data(), table.size() * 4);
    if (!pixels.empty()) std::memcpy(f.data() + off, pixels.data(), pixels.size());
    return f;
}

// 5x3, 8 bpp, bottom-up: index = x + 5 * (row from the bottom).
std::vector<unsigned char> sample8() {
    std::vector<RGBQUAD> table(16);
    for (int i = 0; i < 16; ++i) table[i] = RGBQUAD{static_cast<BYTE>(i * 16), static_cast<BYTE>(255 - i * 16), 0x40, 0};
    std::vector<unsigned char> px(8 * 3, 0);
    for (int r = 0; r < 3; ++r)
        for (int x = 0; x < 5; ++x) px[r * 8 + x] = static_cast<uint8_t>(x + 5 * r);
    return bmpFile(5, 3, 8, table, px);
}

class BmpFiles : public ::testing::Test {
protected:
    std::wstring write(const std::string& name, const std::vector<unsigned char>& bytes) {
        testsupport::writeFile(dir_ / name, bytes);
        return (dir_ / name).wstring();
    }
    HBITMAP load(const std::vector<unsigned char>& bytes, UINT flags = LR_LOADFROMFILE | LR_CREATEDIBSECTION, int cx = 0,
                 int cy = 0) {
        const std::wstring p = write("f.bmp", bytes);
        return static_cast<HBITMAP>(LoadImageW(nullptr, p.c_str(), IMAGE_BITMAP, cx, cy, flags));
    }

    testsupport::TempDir dir_;
};

COLORREF pixelOf(HBITMAP b, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

TEST_F(BmpFiles, DibSectionKeepsTheFileFormat) {
    HBITMAP b = load(sample8());
    ASSERT_NE(b, nullptr);
    DIBSECTION ds;
    ASSERT_EQ(GetObjectW(b, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 8);
    EXPECT_EQ(ds.dsBm.bmWidth, 5);
    EXPECT_EQ(ds.dsBmih.biHeight, 3);  // bottom-up like the file
    // Top-left pixel is index 10 (the top row is stored last).
    EXPECT_EQ(pixelOf(b, 0, 0), RGB(0x40, 255 - 160, 160));
    EXPECT_EQ(pixelOf(b, 4, 2), RGB(0x40, 255 - 64, 64));
    DeleteObject(b);
}

TEST_F(BmpFiles, DeviceBitmapsMonochromeAndResized) {
    HBITMAP ddb = load(sample8(), LR_LOADFROMFILE);
    BITMAP bm;
    ASSERT_NE(ddb, nullptr);
    EXPECT_EQ(GetObjectW(ddb, sizeof(DIBSECTION), &bm), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(pixelOf(ddb, 0, 0), RGB(0x40, 255 - 160, 160));
    DeleteObject(ddb);

    HBITMAP mono = load(sample8(), LR_LOADFROMFILE | LR_MONOCHROME);
    ASSERT_EQ(GetObjectW(mono, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    const COLORREF c = pixelOf(mono, 0, 0);
    EXPECT_TRUE(c == RGB(0, 0, 0) || c == RGB(255, 255, 255));
    DeleteObject(mono);

    HBITMAP big = load(sample8(), LR_LOADFROMFILE | LR_CREATEDIBSECTION, 10, 6);
    ASSERT_EQ(GetObjectW(big, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 10);
    EXPECT_EQ(bm.bmHeight, 6);
    EXPECT_EQ(pixelOf(big, 1, 1), RGB(0x40, 255 - 160, 160));  // doubled
    DeleteObject(big);
}

TEST_F(BmpFiles, RefusesWhatItCannotLoad) {
    const std::wstring p = write("ok.bmp", sample8());
    EXPECT_EQ(LoadImageW(nullptr, p.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageW(nullptr, p.c_str(), IMAGE_BITMAP, 0, 0, 0), nullptr);  // no resources here
    EXPECT_EQ(LoadImageW(nullptr, p.c_str(), IMAGE_BITMAP, -1, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageW(nullptr, nullptr, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageW(nullptr, L"", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    const std::wstring missing = (dir_ / "missing.bmp").wstring();
    EXPECT_EQ(LoadImageW(nullptr, missing.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    const std::wstring folder = dir_.path().wstring();
    EXPECT_EQ(LoadImageW(nullptr, folder.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

TEST_F(BmpFiles, EveryTruncationFails) {
    const std::vector<unsigned char> full = sample8();
    for (size_t n = 0; n < full.size(); ++n) {
        std::vector<unsigned char> cut(full.begin(), full.begin() + static_cast<long>(n));
        EXPECT_EQ(load(cut), nullptr) << n << " bytes";
    }
    HBITMAP b = load(full);
    EXPECT_NE(b, nullptr);
    DeleteObject(b);
}

TEST_F(BmpFiles, LyingHeadersFail) {
    auto patched = [](size_t at, uint32_t v, int bytes = 4) {
        std::vector<unsigned char> f = sample8();
        if (bytes == 2)
            putLe16(f, at, static_cast<uint16_t>(v));
        else
            putLe32(f, at, v);
        return f;
    };
    EXPECT_EQ(load(patched(0, 0x4D42 ^ 0x0101, 2)), nullptr);   // not 'BM'
    EXPECT_EQ(load(patched(10, 0xFFFFFFF0)), nullptr);          // pixels past the end
    EXPECT_EQ(load(patched(10, 20)), nullptr);                  // pixels inside the header
    EXPECT_EQ(load(patched(14, 0xFFFFFFFF)), nullptr);          // header size
    EXPECT_EQ(load(patched(14, 39)), nullptr);
    EXPECT_EQ(load(patched(18, 0)), nullptr);                   // width
    EXPECT_EQ(load(patched(18, 0x80000001)), nullptr);
    EXPECT_EQ(load(patched(18, 100)), nullptr);                 // wider than the pixels
    EXPECT_EQ(load(patched(22, 0)), nullptr);                   // height
    EXPECT_EQ(load(patched(22, 0x80000000)), nullptr);
    EXPECT_EQ(load(patched(22, 0x7FFFFFFF)), nullptr);
    EXPECT_EQ(load(patched(26, 3, 2)), nullptr);                // planes
    EXPECT_EQ(load(patched(28, 7, 2)), nullptr);                // bit count
    EXPECT_EQ(load(patched(28, 24, 2)), nullptr);               // 24 bpp needs more pixels
    EXPECT_EQ(load(patched(30, 9)), nullptr);                   // compression
    EXPECT_EQ(load(patched(30, BI_BITFIELDS)), nullptr);        // masks on 8 bpp
    EXPECT_EQ(load(patched(46, 0xFFFFFFFF)), nullptr);          // colour count: 256 entries do not fit
    EXPECT_EQ(load(patched(46, 200)), nullptr);
}

TEST_F(BmpFiles, RleDataIsBoundsChecked) {
    std::vector<RGBQUAD> table(256, RGBQUAD{1, 2, 3, 0});
    struct Case {
        std::vector<unsigned char> data;
        bool loads;
    };
    const Case cases[] = {
        {{}, true},                                          // nothing: an empty picture
        {{0, 2, 200, 200, 3, 1}, true},                      // a move far past the corner
        {{255, 7, 255, 7, 255, 7}, true},                    // runs past the row's end
        {{0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 0, 1}, true},        // more lines than the bitmap has
        {{0, 50, 1, 2}, false},                              // a literal longer than the data
        {{0, 2}, false},                                     // a move without its bytes
    };
    for (const Case& c : cases) {
        HBITMAP b = load(bmpFile(4, 3, 8, table, c.data, BI_RLE8));
        EXPECT_EQ(b != nullptr, c.loads) << c.data.size() << " bytes";
        if (b) DeleteObject(b);
    }
    // A biSizeImage larger than the file is cut to the file.
    std::vector<unsigned char> f = bmpFile(4, 3, 8, table, {4, 1, 0, 1}, BI_RLE8);
    putLe32(f, 34, 0x7FFFFFFF);
    HBITMAP b = load(f);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(pixelOf(b, 3, 2), RGB(3, 2, 1));
    DeleteObject(b);
}

TEST_F(BmpFiles, RandomCorruptionNeverCrashes) {
    std::mt19937 rng(1234);
    const std::vector<unsigned char> base = sample8();
    std::vector<RGBQUAD> table(16, RGBQUAD{9, 9, 9, 0});
    const std::vector<unsigned char> rle = bmpFile(7, 5, 8, table, {3, 1, 0, 3, 1, 2, 3, 0, 0, 0, 2, 4, 0, 1}, BI_RLE8);
    for (int round = 0; round < 400; ++round) {
        std::vector<unsigned char> f = (round & 1) ? rle : base;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int k = 0; k < flips; ++k) f[rng() % f.size()] = static_cast<uint8_t>(rng());
        const UINT flags = LR_LOADFROMFILE | ((round & 2) ? LR_CREATEDIBSECTION : 0) | ((round & 4) ? LR_MONOCHROME : 0);
        HBITMAP b = load(f, flags);
        if (b) {
            BITMAP bm;
            EXPECT_GT(GetObjectW(b, sizeof bm, &bm), 0);
            DeleteObject(b);
        }
    }
}

}  // namespace
