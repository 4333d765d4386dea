// The file library of the built-in back end: file information and loading
// real picture files of every format, at every depth, and refusing hostile ones.
#include "fixtures.h"

#include <imagesdk/dispatch.h>
#include <imagesdk/limits.h>

#include <gtest/gtest.h>
#include <opencv2/imgcodecs.hpp>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <sys/resource.h>

using namespace imagesdk;
using fixtures::gradient;
using fixtures::gradientColor;
using fixtures::pixelAt;

namespace {

int fileInfo(const std::filesystem::path& p, FILEINFO& info) {
    std::string s = p.string();
    return call<Library::File, 100>(s.data(), &info, 0u, nullptr);
}

int loadFile(const std::filesystem::path& p, struct_LEAD_Bitmap& b, int bpp = 0, int order = ORDER_BGR,
             unsigned flags = LOADFILE_ALLOCATE | LOADFILE_STORE, LEADFILECALLBACK cb = nullptr, void* user = nullptr,
             FILEINFO* info = nullptr) {
    std::string s = p.string();
    return call<Library::File, 102>(s.data(), &b, bpp, order, flags, cb, user, nullptr, info);
}

struct Bitmap {
    struct_LEAD_Bitmap b{};
    Bitmap() { call<Library::Kernel, 134>(&b, 1, 1, 1); }
    ~Bitmap() { call<Library::Kernel, 125>(&b); }
};

struct Format {
    const char* ext;
    int format;
    std::vector<int> params;
    bool lossless;
};

const std::vector<Format>& formats() {
    static const std::vector<Format> f = {
        {".bmp", IMGFILE_BMP, {}, true},
        {".png", IMGFILE_PNG, {}, true},
        {".jpg", IMGFILE_JPEG, {cv::IMWRITE_JPEG_QUALITY, 100}, false},
        {".tif", IMGFILE_TIFF, {}, true},
        {".webp", IMGFILE_WEBP, {cv::IMWRITE_WEBP_QUALITY, 101}, true},  // above 100: lossless
        {".ppm", IMGFILE_PNM, {}, true},
    };
    return f;
}

}  // namespace

// ---------------------------------------------------------------------------
// Every format: information and pixels

TEST(FileLibrary, EveryFormatIsIdentifiedAndLoadedWithItsPixels) {
    fixtures::TempDir dir;
    const cv::Mat picture = gradient(24, 16);
    for (const Format& f : formats()) {
        SCOPED_TRACE(f.ext);
        const auto path = dir / (std::string("picture") + f.ext);
        fixtures::writeFile(path, fixtures::encode(f.ext, picture, f.params));

        FILEINFO info{};
        ASSERT_EQ(fileInfo(path, info), IMGSDK_SUCCESS);
        EXPECT_EQ(info.uStructSize, sizeof(FILEINFO));
        EXPECT_EQ(info.Format, f.format);
        EXPECT_EQ(info.Width, 24);
        EXPECT_EQ(info.Height, 16);
        EXPECT_EQ(info.BitsPerPixel, 24);
        EXPECT_EQ(info.SizeDisk, static_cast<int64_t>(std::filesystem::file_size(path)));
        EXPECT_EQ(info.SizeMem, 24 * 3 * 16);
        EXPECT_EQ(info.TotalPages, 1);

        Bitmap bmp;
        ASSERT_EQ(loadFile(path, bmp.b), IMGSDK_SUCCESS);
        EXPECT_TRUE(bmp.b.Flags & BITMAPFLAG_ALLOCATED);
        EXPECT_EQ(bmp.b.Width, 24);
        EXPECT_EQ(bmp.b.Height, 16);
        EXPECT_EQ(bmp.b.BitsPerPixel, 24);
        EXPECT_EQ(bmp.b.BytesPerLine, 72);
        EXPECT_EQ(bmp.b.Order, static_cast<uint32_t>(ORDER_BGR));
        int worst = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x) {
                const COLORREF got = pixelAt(bmp.b, x, y), want = gradientColor(x, y);
                worst = std::max({worst, std::abs(GetRValue(got) - GetRValue(want)),
                                  std::abs(GetGValue(got) - GetGValue(want)),
                                  std::abs(GetBValue(got) - GetBValue(want))});
            }
        EXPECT_LE(worst, f.lossless ? 0 : 12);
    }
}

TEST(FileLibrary, InformationReportsResolutionCompressionAndKind) {
    fixtures::TempDir dir;
    const cv::Mat picture = gradient(8, 8);
    auto png = fixtures::encode(".png", picture);
    fixtures::writeFile(dir / "a.png", png);
    FILEINFO info{};
    ASSERT_EQ(fileInfo(dir / "a.png", info), IMGSDK_SUCCESS);
    EXPECT_STREQ(info.Compression, "Deflate");

    // A BMP of 2835 pixels per metre is 72 dpi.
    auto bmp = fixtures::encode(".bmp", picture);
    fixtures::putLe32(bmp, 38, 2835);
    fixtures::putLe32(bmp, 42, 3780);
    fixtures::writeFile(dir / "a.bmp", bmp);
    ASSERT_EQ(fileInfo(dir / "a.bmp", info), IMGSDK_SUCCESS);
    EXPECT_EQ(info.XResolution, 72);
    EXPECT_EQ(info.YResolution, 96);
    EXPECT_STREQ(info.Compression, "None");

    cv::Mat gray(8, 8, CV_8UC1, cv::Scalar(90));
    fixtures::writeFile(dir / "g.jpg", fixtures::encode(".jpg", gray));
    ASSERT_EQ(fileInfo(dir / "g.jpg", info), IMGSDK_SUCCESS);
    EXPECT_EQ(info.BitsPerPixel, 8);
    EXPECT_TRUE(info.Flags & FILEINFO_GRAY);
    EXPECT_STREQ(info.Compression, "Huffman");

    cv::Mat bgra(8, 8, CV_8UC4, cv::Scalar(1, 2, 3, 4));
    fixtures::writeFile(dir / "a4.png", fixtures::encode(".png", bgra));
    ASSERT_EQ(fileInfo(dir / "a4.png", info), IMGSDK_SUCCESS);
    EXPECT_EQ(info.BitsPerPixel, 32);
    EXPECT_TRUE(info.Flags & FILEINFO_ALPHA);
}

// ---------------------------------------------------------------------------
// Depths and orders

TEST(FileLibrary, LoadsAtEveryDepthAndOrder) {
    fixtures::TempDir dir;
    // Four colours: they fit a 4-bit table exactly, not a 1-bit one.
    cv::Mat four(6, 10, CV_8UC3);
    const cv::Vec3b colors[4] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {255, 255, 255}};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) four.at<cv::Vec3b>(y, x) = colors[(x + y) % 4];
    const auto path = dir / "four.png";
    fixtures::writeFile(path, fixtures::encode(".png", four));
    auto expected = [&](int x, int y) {
        const cv::Vec3b c = colors[(x + y) % 4];
        return RGB(c[2], c[1], c[0]);
    };

    for (int bpp : {4, 8, 24, 32}) {
        SCOPED_TRACE(bpp);
        Bitmap bmp;
        ASSERT_EQ(loadFile(path, bmp.b, bpp), IMGSDK_SUCCESS);
        EXPECT_EQ(bmp.b.BitsPerPixel, bpp);
        if (bpp <= 8) {
            EXPECT_EQ(bmp.b.nColors, 4);  // the picture's own colours
        }
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 10; ++x) ASSERT_EQ(pixelAt(bmp.b, x, y), expected(x, y)) << x << "," << y;
    }

    // 16 bits keep five bits per component.
    Bitmap b16;
    ASSERT_EQ(loadFile(path, b16.b, 16), IMGSDK_SUCCESS);
    EXPECT_EQ(pixelAt(b16.b, 0, 0), RGB(248, 0, 0));
    EXPECT_EQ(pixelAt(b16.b, 3, 0), RGB(248, 248, 248));

    // One bit cannot hold four colours: a black and white table by brightness.
    Bitmap b1;
    ASSERT_EQ(loadFile(path, b1.b, 1), IMGSDK_SUCCESS);
    EXPECT_EQ(b1.b.nColors, 2);
    EXPECT_EQ(pixelAt(b1.b, 0, 0), RGB(0, 0, 0));        // red
    EXPECT_EQ(pixelAt(b1.b, 1, 0), RGB(255, 255, 255));  // green
    EXPECT_EQ(pixelAt(b1.b, 3, 0), RGB(255, 255, 255));  // white

    // A fixed table when asked for, even when the colours would fit.
    Bitmap fixed;
    ASSERT_EQ(loadFile(path, fixed.b, 8, ORDER_BGR, LOADFILE_ALLOCATE | LOADFILE_STORE | LOADFILE_FIXEDPALETTE),
              IMGSDK_SUCCESS);
    EXPECT_EQ(fixed.b.nColors, 256);
    EXPECT_EQ(pixelAt(fixed.b, 0, 0), RGB(255, 0, 0));

    // RGB order stores red first; the colours stay the same.
    Bitmap rgb;
    ASSERT_EQ(loadFile(path, rgb.b, 24, ORDER_RGB), IMGSDK_SUCCESS);
    EXPECT_EQ(rgb.b.Order, static_cast<uint32_t>(ORDER_RGB));
    EXPECT_EQ(rgb.b.pBits[(rgb.b.Height - 1) * rgb.b.BytesPerLine], 255);  // top-left red, stored first
    EXPECT_EQ(pixelAt(rgb.b, 0, 0), RGB(255, 0, 0));

    // Grey order gives grey levels with a grey table.
    Bitmap gray;
    ASSERT_EQ(loadFile(path, gray.b, 0, ORDER_GRAY), IMGSDK_SUCCESS);
    EXPECT_EQ(gray.b.BitsPerPixel, 8);
    EXPECT_EQ(gray.b.Order, static_cast<uint32_t>(ORDER_GRAY));
    EXPECT_EQ(pixelAt(gray.b, 3, 0), RGB(255, 255, 255));
    EXPECT_EQ(pixelAt(gray.b, 0, 0), RGB(76, 76, 76));
    EXPECT_EQ(loadFile(path, gray.b, 24, ORDER_GRAY), IMGSDK_ERROR_INV_PARAMETER);
}

TEST(FileLibrary, OwnDepthKeepsTablesOfIndexedFiles) {
    fixtures::TempDir dir;
    // A 1-bit BMP: written by hand, OpenCV writes no 1-bit BMPs.
    const int w = 10, h = 3, stride = 4;
    std::vector<unsigned char> f(14 + 40 + 8 + stride * h, 0);
    f[0] = 'B';
    f[1] = 'M';
    fixtures::putLe32(f, 2, static_cast<uint32_t>(f.size()));
    fixtures::putLe32(f, 10, 14 + 40 + 8);
    fixtures::putLe32(f, 14, 40);
    fixtures::putLe32(f, 18, w);
    fixtures::putLe32(f, 22, h);
    fixtures::putLe16(f, 26, 1);
    fixtures::putLe16(f, 28, 1);
    const unsigned char table[8] = {0x00, 0x80, 0x00, 0, 0xFF, 0xFF, 0x00, 0};  // dark green, cyan
    std::memcpy(f.data() + 54, table, 8);
    // Bottom row first: rows (from the top) 1010101010, 0000000000, 1111111111.
    const unsigned char rows[3][2] = {{0xFF, 0xC0}, {0x00, 0x00}, {0xAA, 0x80}};
    for (int r = 0; r < 3; ++r) std::memcpy(f.data() + 62 + stride * r, rows[r], 2);
    fixtures::writeFile(dir / "mono.bmp", f);

    FILEINFO info{};
    ASSERT_EQ(fileInfo(dir / "mono.bmp", info), IMGSDK_SUCCESS);
    EXPECT_EQ(info.BitsPerPixel, 1);
    EXPECT_TRUE(info.Flags & FILEINFO_PALETTE);
    EXPECT_EQ(info.SizeMem, 4 * 3);

    Bitmap bmp;
    ASSERT_EQ(loadFile(dir / "mono.bmp", bmp.b), IMGSDK_SUCCESS);
    EXPECT_EQ(bmp.b.BitsPerPixel, 1);
    EXPECT_EQ(bmp.b.nColors, 2);
    const COLORREF green = RGB(0, 0x80, 0), cyan = RGB(0, 0xFF, 0xFF);
    EXPECT_EQ(pixelAt(bmp.b, 0, 0), cyan);
    EXPECT_EQ(pixelAt(bmp.b, 1, 0), green);
    EXPECT_EQ(pixelAt(bmp.b, 9, 1), green);
    EXPECT_EQ(pixelAt(bmp.b, 9, 2), cyan);

    // A grey PNG becomes 8 bits with a grey table.
    cv::Mat gray(4, 4, CV_8UC1);
    for (int i = 0; i < 16; ++i) gray.at<unsigned char>(i / 4, i % 4) = static_cast<unsigned char>(i * 16);
    fixtures::writeFile(dir / "gray.png", fixtures::encode(".png", gray));
    Bitmap g;
    ASSERT_EQ(loadFile(dir / "gray.png", g.b), IMGSDK_SUCCESS);
    EXPECT_EQ(g.b.BitsPerPixel, 8);
    EXPECT_EQ(g.b.Order, static_cast<uint32_t>(ORDER_GRAY));
    EXPECT_EQ(pixelAt(g.b, 3, 3), RGB(240, 240, 240));

    // 16-bit samples are scaled to 8; alpha makes 32 bits.
    cv::Mat deep(2, 2, CV_16UC4, cv::Scalar(65535, 0, 32896, 65535));
    fixtures::writeFile(dir / "deep.png", fixtures::encode(".png", deep));
    Bitmap d;
    ASSERT_EQ(loadFile(dir / "deep.png", d.b), IMGSDK_SUCCESS);
    EXPECT_EQ(d.b.BitsPerPixel, 32);
    EXPECT_EQ(pixelAt(d.b, 1, 1), RGB(128, 0, 255));
}

TEST(FileLibrary, CallbackSeesEveryRowAndCanStop) {
    fixtures::TempDir dir;
    fixtures::writeFile(dir / "p.png", fixtures::encode(".png", gradient(5, 7)));
    struct Seen {
        std::vector<int> rows;
        int stopAt = -1;
        int result = IMGSDK_SUCCESS;
    } seen;
    auto cb = [](FILEINFO* info, struct_LEAD_Bitmap* b, unsigned char* bits, int row, int lines, void* user) -> int {
        auto* s = static_cast<Seen*>(user);
        EXPECT_EQ(info->Width, 5);
        EXPECT_EQ(lines, 1);
        EXPECT_EQ(b->BitsPerPixel, 24);
        EXPECT_EQ(bits[2], GetRValue(gradientColor(0, row)));
        s->rows.push_back(row);
        return row == s->stopAt ? s->result : IMGSDK_SUCCESS;
    };

    // Rows only: the record keeps no picture.
    Bitmap only;
    ASSERT_EQ(loadFile(dir / "p.png", only.b, 24, ORDER_BGR, 0, cb, &seen), IMGSDK_SUCCESS);
    EXPECT_EQ(seen.rows, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(only.b.Flags & BITMAPFLAG_ALLOCATED);

    // A callback that stops makes the load fail and leaves the record as it was.
    seen = Seen{{}, 2, 0};
    Bitmap stopped;
    EXPECT_EQ(loadFile(dir / "p.png", stopped.b, 24, ORDER_BGR, LOADFILE_ALLOCATE | LOADFILE_STORE, cb, &seen),
              IMGSDK_ERROR_USER_ABORT);
    EXPECT_EQ(seen.rows.size(), 3u);
    EXPECT_FALSE(stopped.b.Flags & BITMAPFLAG_ALLOCATED);
    seen = Seen{{}, 0, -42};
    EXPECT_EQ(loadFile(dir / "p.png", stopped.b, 24, ORDER_BGR, LOADFILE_ALLOCATE | LOADFILE_STORE, cb, &seen), -42);

    // Neither storing nor a callback is a caller error.
    EXPECT_EQ(loadFile(dir / "p.png", stopped.b, 0, ORDER_BGR, LOADFILE_ALLOCATE), IMGSDK_ERROR_INV_PARAMETER);
}

TEST(FileLibrary, LoadingAgainReplacesThePictureAndStoreOnlyFillsTheRecordsOwn) {
    fixtures::TempDir dir;
    fixtures::writeFile(dir / "a.png", fixtures::encode(".png", gradient(5, 7)));
    fixtures::writeFile(dir / "b.png", fixtures::encode(".png", gradient(9, 3)));
    Bitmap bmp;
    ASSERT_EQ(loadFile(dir / "a.png", bmp.b), IMGSDK_SUCCESS);
    FILEINFO info{};
    ASSERT_EQ(loadFile(dir / "b.png", bmp.b, 0, ORDER_BGR, LOADFILE_ALLOCATE | LOADFILE_STORE, nullptr, nullptr, &info),
              IMGSDK_SUCCESS);
    EXPECT_EQ(bmp.b.Width, 9);
    EXPECT_EQ(info.Width, 9);
    // A failed load leaves the picture it had.
    EXPECT_EQ(loadFile(dir / "missing.png", bmp.b), IMGSDK_ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(bmp.b.Width, 9);
    EXPECT_EQ(pixelAt(bmp.b, 8, 2), gradientColor(8, 2));

    // Storing without allocating needs a picture of the same size and depth.
    fixtures::writeFile(dir / "c.png", fixtures::encode(".png", cv::Mat(3, 9, CV_8UC3, cv::Scalar(1, 2, 3))));
    ASSERT_EQ(loadFile(dir / "c.png", bmp.b, 0, ORDER_BGR, LOADFILE_STORE), IMGSDK_SUCCESS);
    EXPECT_EQ(pixelAt(bmp.b, 8, 2), RGB(3, 2, 1));
    EXPECT_EQ(loadFile(dir / "a.png", bmp.b, 0, ORDER_BGR, LOADFILE_STORE), IMGSDK_ERROR_INV_PARAMETER);
    Bitmap empty;
    EXPECT_EQ(loadFile(dir / "a.png", empty.b, 0, ORDER_BGR, LOADFILE_STORE), IMGSDK_ERROR_NO_BITMAP);
}

// ---------------------------------------------------------------------------
// Hostile files

namespace {

// Headers that claim 100000 x 100000 pixels (65535 x 65535 where the format cannot say more).
std::vector<std::pair<std::string, std::vector<unsigned char>>> hugeClaims() {
    std::vector<std::pair<std::string, std::vector<unsigned char>>> files;
    const cv::Mat small = gradient(4, 4);

    auto png = fixtures::encode(".png", small);
    fixtures::putBe32(png, 16, 100000);
    fixtures::putBe32(png, 20, 100000);
    files.emplace_back("png", png);

    auto bmp = fixtures::encode(".bmp", small);
    fixtures::putLe32(bmp, 18, 100000);
    fixtures::putLe32(bmp, 22, 100000);
    files.emplace_back("bmp", bmp);
    auto tall = fixtures::encode(".bmp", small);  // only the height too large
    fixtures::putLe32(tall, 22, 100000);
    files.emplace_back("tall.bmp", tall);

    auto jpg = fixtures::encode(".jpg", small);
    for (size_t i = 2; i + 9 < jpg.size(); ++i) {
        if (jpg[i] == 0xFF && jpg[i + 1] == 0xC0) {
            jpg[i + 5] = jpg[i + 6] = jpg[i + 7] = jpg[i + 8] = 0xFF;
            break;
        }
    }
    files.emplace_back("jpg", jpg);

    auto tif = fixtures::encode(".tif", small);
    // Rewrite the width and height entries of the first directory.
    const bool le = tif[0] == 'I';
    auto u16 = [&](size_t at) { return le ? tif[at] | tif[at + 1] << 8 : tif[at] << 8 | tif[at + 1]; };
    auto u32 = [&](size_t at) {
        return le ? uint32_t(tif[at] | tif[at + 1] << 8 | tif[at + 2] << 16 | uint32_t(tif[at + 3]) << 24)
                  : uint32_t(uint32_t(tif[at]) << 24 | tif[at + 1] << 16 | tif[at + 2] << 8 | tif[at + 3]);
    };
    const size_t ifd = u32(4);
    for (int e = 0; e < u16(ifd); ++e) {
        const size_t at = ifd + 2 + 12 * static_cast<size_t>(e);
        const int tag = u16(at);
        if (tag == 256 || tag == 257) {
            EXPECT_TRUE(le);
            fixtures::putLe16(tif, at + 2, 4);  // LONG
            fixtures::putLe32(tif, at + 8, 100000);
        }
    }
    files.emplace_back("tif", tif);

    std::vector<unsigned char> webp(30, 0);
    std::memcpy(webp.data(), "RIFF", 4);
    fixtures::putLe32(webp, 4, 22);
    std::memcpy(webp.data() + 8, "WEBPVP8X", 8);
    fixtures::putLe32(webp, 16, 10);
    const uint32_t m = 100000 - 1;
    webp[24] = m & 0xFF, webp[25] = (m >> 8) & 0xFF, webp[26] = (m >> 16) & 0xFF;
    webp[27] = m & 0xFF, webp[28] = (m >> 8) & 0xFF, webp[29] = (m >> 16) & 0xFF;
    files.emplace_back("webp", webp);

    const std::string ppm = "P6\n100000 100000\n255\n";
    files.emplace_back("ppm", std::vector<unsigned char>(ppm.begin(), ppm.end()));
    return files;
}

// Every hostile case with the result it must give.
int checkHostile(const fixtures::TempDir& dir, std::string& failures) {
    int checked = 0;
    auto expect = [&](const std::filesystem::path& p, int want) {
        ++checked;
        FILEINFO info{};
        Bitmap bmp;
        const int gotInfo = fileInfo(p, info);
        const int gotLoad = loadFile(p, bmp.b);
        if (gotLoad != want || (gotInfo != want && want != IMGSDK_ERROR_FILE_CORRUPT) ||
            (bmp.b.Flags & BITMAPFLAG_ALLOCATED)) {
            failures += p.filename().string() + ": info " + std::to_string(gotInfo) + " load " +
                        std::to_string(gotLoad) + " want " + std::to_string(want) + "\n";
        }
    };
    for (const auto& [name, bytes] : hugeClaims()) {
        fixtures::writeFile(dir / ("huge." + name), bytes);
        expect(dir / ("huge." + name), IMGSDK_ERROR_IMAGE_TOO_LARGE);
    }
    fixtures::writeFile(dir / "zero.png", {});
    expect(dir / "zero.png", IMGSDK_ERROR_FILE_FORMAT);
    fixtures::writeFile(dir / "text.png", std::vector<unsigned char>{'h', 'e', 'l', 'l', 'o', '\n'});
    expect(dir / "text.png", IMGSDK_ERROR_FILE_FORMAT);
    expect(dir / "no-such-dir" / "file.png", IMGSDK_ERROR_FILE_NOT_FOUND);
    expect(dir / "no-such-file.png", IMGSDK_ERROR_FILE_NOT_FOUND);
    expect(dir.path(), IMGSDK_ERROR_FILE_OPEN);

    // Pictures of no pixels.
    auto png = fixtures::encode(".png", gradient(4, 4));
    fixtures::putBe32(png, 16, 0);
    fixtures::writeFile(dir / "empty.png", png);
    expect(dir / "empty.png", IMGSDK_ERROR_FILE_CORRUPT);
    auto bmp = fixtures::encode(".bmp", gradient(4, 4));
    fixtures::putLe32(bmp, 22, 0);
    fixtures::writeFile(dir / "empty.bmp", bmp);
    expect(dir / "empty.bmp", IMGSDK_ERROR_FILE_CORRUPT);
    fixtures::writeFile(dir / "empty.ppm", std::vector<unsigned char>{'P', '6', '\n', '0', ' ', '0', '\n', '2', '5', '5', '\n'});
    expect(dir / "empty.ppm", IMGSDK_ERROR_FILE_CORRUPT);

    // Every format cut short at several lengths, and with its data damaged.
    const cv::Mat picture = gradient(24, 16);
    for (const Format& f : formats()) {
        const auto whole = fixtures::encode(f.ext, picture, f.params);
        for (size_t cut : {size_t(1), size_t(3), size_t(12), size_t(30), whole.size() / 3, whole.size() / 2,
                           whole.size() - 2}) {
            if (cut >= whole.size()) continue;
            const auto p = dir / ("cut" + std::to_string(cut) + f.ext);
            fixtures::writeFile(p, std::vector<unsigned char>(whole.begin(), whole.begin() + static_cast<long>(cut)));
            ++checked;
            Bitmap b;
            const int rc = loadFile(p, b.b);
            if (rc != IMGSDK_ERROR_FILE_CORRUPT && rc != IMGSDK_ERROR_FILE_FORMAT)
                failures += p.filename().string() + ": load " + std::to_string(rc) + "\n";
        }
        // Garbage after a valid signature.
        std::vector<unsigned char> garbage(whole.begin(), whole.begin() + 4);
        for (int i = 0; i < 200; ++i) garbage.push_back(static_cast<unsigned char>(i * 37 + 11));
        const auto p = dir / (std::string("garbage") + f.ext);
        fixtures::writeFile(p, garbage);
        ++checked;
        Bitmap b;
        const int rc = loadFile(p, b.b);
        if (rc != IMGSDK_ERROR_FILE_CORRUPT && rc != IMGSDK_ERROR_FILE_FORMAT)
            failures += p.filename().string() + ": load " + std::to_string(rc) + "\n";
    }
    // A PNG whose image data checksum is wrong.
    auto bad = fixtures::encode(".png", picture);
    bad[bad.size() - 20] ^= 0x55;
    fixtures::writeFile(dir / "crc.png", bad);
    expect(dir / "crc.png", IMGSDK_ERROR_FILE_CORRUPT);
    return checked;
}

}  // namespace

TEST(FileLibrary, HostileFilesGiveErrorCodesAndNoPicture) {
    fixtures::TempDir dir;
    std::string failures;
    EXPECT_GT(checkHostile(dir, failures), 50);
    EXPECT_EQ(failures, "");
}

#if !defined(__SANITIZE_ADDRESS__)
namespace {
// Runs the hostile cases with the process's data segment held to 512 MiB and
// exits with 0 when they all gave their error codes.
[[noreturn]] void hostileUnderLimit(const fixtures::TempDir& dir) {
    const rlimit limit{rlim_t(512) << 20, rlim_t(512) << 20};
    setrlimit(RLIMIT_DATA, &limit);
    std::string failures;
    checkHostile(dir, failures);
    std::fprintf(stderr, "%s", failures.c_str());
    std::exit(failures.empty() ? 0 : 1);
}
}  // namespace

// Any attempt to allocate what the headers claim would fail under the limit
// and change the results.
TEST(FileLibraryDeathTest, HostileFilesAllocateNothingHuge) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    fixtures::TempDir dir;
    EXPECT_EXIT(hostileUnderLimit(dir), ::testing::ExitedWithCode(0), "");
}
#endif

TEST(FileLibrary, BadArgumentsAreRefused) {
    Bitmap bmp;
    char name[] = "x.png";
    EXPECT_EQ((call<Library::File, 102>(nullptr, &bmp.b, 0, ORDER_BGR, 3u, nullptr, nullptr, nullptr, nullptr)),
              IMGSDK_ERROR_INV_PARAMETER);
    EXPECT_EQ((call<Library::File, 102>(name, nullptr, 0, ORDER_BGR, 3u, nullptr, nullptr, nullptr, nullptr)),
              IMGSDK_ERROR_INV_PARAMETER);
    EXPECT_EQ((call<Library::File, 102>(name, &bmp.b, 7, ORDER_BGR, 3u, nullptr, nullptr, nullptr, nullptr)),
              IMGSDK_ERROR_BPP_NOT_SUPPORTED);
    EXPECT_EQ((call<Library::File, 102>(name, &bmp.b, 0, 9, 3u, nullptr, nullptr, nullptr, nullptr)),
              IMGSDK_ERROR_INV_PARAMETER);
    LOADFILEOPTION bad{};
    EXPECT_EQ((call<Library::File, 102>(name, &bmp.b, 0, ORDER_BGR, 3u, nullptr, nullptr, &bad, nullptr)),
              IMGSDK_ERROR_INV_PARAMETER);
    EXPECT_EQ((call<Library::File, 100>(name, nullptr, 0u, nullptr)), IMGSDK_ERROR_INV_PARAMETER);
}

TEST(FileLibrary, PagesBeyondTheFileAreNotFound) {
    fixtures::TempDir dir;
    fixtures::writeFile(dir / "p.tif", fixtures::encode(".tif", gradient(4, 4)));
    std::string path = (dir / "p.tif").string();
    LOADFILEOPTION options{sizeof(LOADFILEOPTION), 0, 2, 0};
    FILEINFO info{};
    EXPECT_EQ((call<Library::File, 100>(path.data(), &info, 0u, &options)), IMGSDK_ERROR_PAGE_NOT_FOUND);
    Bitmap bmp;
    EXPECT_EQ((call<Library::File, 102>(path.data(), &bmp.b, 0, ORDER_BGR, 3u, nullptr, nullptr, &options, nullptr)),
              IMGSDK_ERROR_PAGE_NOT_FOUND);
    options.PageNumber = 1;
    EXPECT_EQ((call<Library::File, 102>(path.data(), &bmp.b, 0, ORDER_BGR, 3u, nullptr, nullptr, &options, nullptr)),
              IMGSDK_SUCCESS);
}
