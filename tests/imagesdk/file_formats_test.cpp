// Writing picture files and reading them back: every lossless format keeps
// every pixel, JPEG honours its quality, pages and stamps, and damaged files
// are refused with an error.
#include "fixtures.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <iostream>

#ifndef O_BINARY
#define O_BINARY 0  // the Windows CRT would translate line ends without it
#endif

using namespace imagesdk;
using namespace pictures;

namespace {

std::vector<unsigned char> saveToMemory(Pic& p, int format, int bpp = 0, int quality = 0) {
    void* handle = nullptr;
    unsigned long size = 0;
    EXPECT_EQ((call<Library::File, 116>(&handle, &p.b, format, bpp, quality, &size, nullptr)), IMGSDK_SUCCESS);
    if (!handle) return {};
    const auto* data = static_cast<const unsigned char*>(GlobalLock(handle));
    std::vector<unsigned char> out(data, data + size);
    GlobalUnlock(handle);
    GlobalFree(handle);
    return out;
}

int loadFromMemory(Pic& p, std::vector<unsigned char>& bytes, int page = 0) {
    LOADFILEOPTION o{sizeof(LOADFILEOPTION), 0, page, 0};
    return call<Library::File, 118>(bytes.data(), &p.b, 0, ORDER_BGR, long(bytes.size()), &o, nullptr);
}

std::string pathOf(const fixtures::TempDir& dir, const char* name) { return (dir / name).string(); }

bool runsUnderWine() {
#ifdef _WIN32
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

// The Windows Imaging Component has no codecs for WebP and PNM.
bool systemLacks(int format) {
#ifdef _WIN32
    if (format == IMGFILE_WEBP || format == IMGFILE_PNM) {
        std::cout << "format " << format << " skipped: the system has no codec for it\n";
        return true;
    }
#endif
    (void)format;
    return false;
}

}  // namespace

TEST(FileFormats, LosslessFormatsKeepEveryPixel) {
    struct Case {
        int format, bpp;
    };
    const Case cases[] = {{IMGFILE_BMP, 1},  {IMGFILE_BMP, 4},  {IMGFILE_BMP, 8},   {IMGFILE_BMP, 16},
                          {IMGFILE_BMP, 24}, {IMGFILE_BMP, 32}, {IMGFILE_PNG, 8},   {IMGFILE_PNG, 24},
                          {IMGFILE_PNG, 32}, {IMGFILE_TIFF, 24}, {IMGFILE_TIFF, 4}, {IMGFILE_PNM, 24},
                          {IMGFILE_WEBP, 24}, {IMGFILE_GIF, 8},  {IMGFILE_GIF, 1}};
    for (const Case c : cases) {
        if (systemLacks(c.format)) continue;
        SCOPED_TRACE(testing::Message() << "format " << c.format << ", " << c.bpp << " bpp");
        Pic p, back;
        make(p, 23, 9, c.bpp, c.bpp == 8);
        std::vector<unsigned char> bytes = saveToMemory(p, c.format);
        ASSERT_EQ(loadFromMemory(back, bytes), IMGSDK_SUCCESS);
        EXPECT_EQ(colors(back.b), colors(p.b));
    }
}

TEST(FileFormats, JpegHonoursItsQualityAndDepthsAreChecked) {
    Pic p, back;
    make(p, 64, 64);
    const std::vector<unsigned char> rough = saveToMemory(p, IMGFILE_JPEG, 0, 10);
    std::vector<unsigned char> fine = saveToMemory(p, IMGFILE_JPEG, 0, 95);
    if (runsUnderWine()) {
        std::cout << "JPEG quality unchecked: Wine's encoder does not take it\n";
    } else {
        EXPECT_LT(rough.size() * 2, fine.size());
    }
    ASSERT_EQ(loadFromMemory(back, fine), IMGSDK_SUCCESS);
    EXPECT_EQ(back.b.Width, 64);

    void* handle = nullptr;
    EXPECT_EQ((call<Library::File, 116>(&handle, &p.b, IMGFILE_JPEG, 4, 0, nullptr, nullptr)), IMGSDK_ERROR_BPP_NOT_SUPPORTED);
    EXPECT_EQ((call<Library::File, 116>(&handle, &p.b, 99, 0, 0, nullptr, nullptr)), IMGSDK_ERROR_INV_FORMAT);
    EXPECT_EQ((call<Library::File, 116>(&handle, &p.b, IMGFILE_JPEG, 0, 101, nullptr, nullptr)), IMGSDK_ERROR_INV_PARAMETER);
    EXPECT_EQ(handle, nullptr);
}

TEST(FileFormats, PagesOfTiffAndGifFiles) {
    fixtures::TempDir dir;
    for (int format : {IMGFILE_TIFF, IMGFILE_GIF}) {
        std::string path = pathOf(dir, format == IMGFILE_GIF ? "pages.gif" : "pages.tif");
        Pic one, two, back;
        make(one, 20, 10, 8);
        make(two, 20, 10, 8, true);
        call<Library::Image, 117>(&two);
        SAVEFILEOPTION o{};
        call<Library::File, 106>(&o);
        for (int page = 1; page <= 2; ++page) {
            o.PageNumber = page;
            ASSERT_EQ((call<Library::File, 103>(path.data(), page == 1 ? &one.b : &two.b, format, 0, 0, &o)), IMGSDK_SUCCESS);
        }
        o.PageNumber = 4;
        EXPECT_EQ((call<Library::File, 103>(path.data(), &one.b, format, 0, 0, &o)), IMGSDK_ERROR_PAGE_NOT_FOUND);
        FILEINFO info{};
        ASSERT_EQ((call<Library::File, 100>(path.data(), &info, 0u, nullptr)), IMGSDK_SUCCESS);
        EXPECT_EQ(info.TotalPages, 2);
        LOADFILEOPTION lo{sizeof lo, 0, 2, 0};
        ASSERT_EQ((call<Library::File, 101>(path.data(), &back.b, 0, ORDER_BGR, &lo, nullptr)), IMGSDK_SUCCESS);
        EXPECT_EQ(colors(back.b), colors(two.b)) << format;
        lo.PageNumber = 3;
        EXPECT_EQ((call<Library::File, 101>(path.data(), &back.b, 0, ORDER_BGR, &lo, nullptr)), IMGSDK_ERROR_PAGE_NOT_FOUND);
    }
}

TEST(FileFormats, StampsTravelInsideJpegAndPngFiles) {
    fixtures::TempDir dir;
    Pic p, stamp;
    make(p, 200, 100);
    SAVEFILEOPTION o{};
    call<Library::File, 106>(&o);
    o.Flags |= ESO_SAVEWITHSTAMP | ESO_STAMPPALETTE;
    o.StampWidth = 40;
    o.StampHeight = 20;
    o.StampBits = 8;
    for (int format : {IMGFILE_JPEG, IMGFILE_PNG}) {
        std::string path = pathOf(dir, "stamped");
        ASSERT_EQ((call<Library::File, 104>(path.data(), &p.b, format, 0, 0, 0u, nullptr, nullptr, &o)), IMGSDK_SUCCESS);
        ASSERT_EQ((call<Library::File, 145>(path.data(), &stamp.b, nullptr)), IMGSDK_SUCCESS);
        EXPECT_EQ(stamp.b.Width, 40);
        EXPECT_EQ(stamp.b.BitsPerPixel, 8);
        ASSERT_EQ((call<Library::File, 101>(path.data(), &stamp.b, 0, ORDER_BGR, nullptr, nullptr)), IMGSDK_SUCCESS);
        EXPECT_EQ(stamp.b.Width, 200);  // the picture itself is untouched by its stamp
        ASSERT_EQ((call<Library::File, 103>(path.data(), &p.b, format, 0, 0, nullptr)), IMGSDK_SUCCESS);
        EXPECT_EQ((call<Library::File, 145>(path.data(), &stamp.b, nullptr)), IMGSDK_ERROR_NO_STAMP);
    }
    std::string bmp = pathOf(dir, "stamped.bmp");
    EXPECT_EQ((call<Library::File, 104>(bmp.data(), &p.b, IMGFILE_BMP, 0, 0, 0u, nullptr, nullptr, &o)),
              IMGSDK_ERROR_INV_FORMAT);
}

TEST(FileFormats, OffsetsInsideAnOpenFile) {
    fixtures::TempDir dir;
    const std::string path = pathOf(dir, "container");
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_BINARY, 0600);
    ASSERT_GE(fd, 0);
    Pic p, back;
    make(p, 17, 5, 8);
    long size = 0;
    ASSERT_EQ((call<Library::File, 112>(fd, 100L, &size, &p.b, IMGFILE_PNG, 0, 0, 0u, nullptr, nullptr, nullptr)),
              IMGSDK_SUCCESS);
    ASSERT_EQ((call<Library::File, 113>(fd, 100L, size, &back.b, 0, ORDER_BGR, 3u, nullptr, nullptr, nullptr, nullptr)),
              IMGSDK_SUCCESS);
    EXPECT_EQ(colors(back.b), colors(p.b));
    EXPECT_EQ((call<Library::File, 113>(fd, 100L, size + 50, &back.b, 0, ORDER_BGR, 3u, nullptr, nullptr, nullptr, nullptr)),
              IMGSDK_ERROR_FILE_CORRUPT);
    ::close(fd);
}

// Every format cut short at many places, and with its header scrambled: an
// error each time, and the record keeps what it had.
TEST(FileFormats, DamagedFilesAreRefused) {
    Pic p;
    make(p, 30, 20);
    for (int format = IMGFILE_BMP; format <= IMGFILE_GIF; ++format) {
        if (systemLacks(format)) continue;
        const std::vector<unsigned char> good = saveToMemory(p, format, format == IMGFILE_GIF ? 8 : 0);
        for (size_t cut : {size_t(0), size_t(1), size_t(7), size_t(20), good.size() / 3, good.size() / 2,
                           good.size() - 9, good.size() - 1}) {
            if (cut >= good.size()) continue;
            std::vector<unsigned char> bytes(good.begin(), good.begin() + long(cut));
            bytes.resize(std::max<size_t>(bytes.size(), 1));
            Pic back;
            const int rc = loadFromMemory(back, bytes);
            if (rc == IMGSDK_SUCCESS) continue;  // a format whose tail is optional (GIF's trailer)
            EXPECT_LT(rc, 0);
            EXPECT_EQ(back.b.Flags & BITMAPFLAG_ALLOCATED, 0u) << "format " << format << " cut at " << cut;
        }
        std::vector<unsigned char> huge = good;
        for (size_t i = 6; i < std::min<size_t>(huge.size(), 40); ++i) huge[i] = 0xFF;
        Pic back;
        EXPECT_LT(loadFromMemory(back, huge), 0) << "format " << format;
    }
}
