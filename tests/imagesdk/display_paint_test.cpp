// Pictures on device contexts: painting with GDI's rules, transitions that end
// as a plain paint, a DC over a picture, capture, printing and the clipboard.
#include "pictures.h"

#include "../support/canvas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

using namespace imagesdk;
using namespace pictures;

namespace {

// The shared canvas, filled with a colour no picture here has.
struct Canvas : testsupport::Canvas {
    Canvas(int w, int h) : testsupport::Canvas(w, h, RGB(10, 20, 30)) {}
};

}  // namespace

TEST(DisplayPaint, PaintDCFollowsTheRectanglesClipsAndRasterOperation) {
    Pic p;
    make(p, 8, 6);
    Canvas c(20, 20);
    RECT dst{4, 2, 12, 8};
    ASSERT_EQ((call<Library::Display, 132>(c.hdc(), &p.b, nullptr, nullptr, &dst, nullptr, static_cast<unsigned long>(SRCCOPY))),
              IMGSDK_SUCCESS);
    EXPECT_EQ(GetPixel(c.hdc(), 4, 2), at(p.b, 0, 0));
    EXPECT_EQ(GetPixel(c.hdc(), 11, 7), at(p.b, 7, 5));
    EXPECT_EQ(GetPixel(c.hdc(), 12, 7), RGB(10, 20, 30));

    // Source rectangle 2x2 doubled, clipped to its right half by the source clip.
    Canvas d(20, 20);
    RECT src{1, 1, 3, 3}, clipSrc{2, 0, 8, 6}, big{0, 0, 4, 4};
    ASSERT_EQ((call<Library::Display, 132>(d.hdc(), &p.b, &src, &clipSrc, &big, nullptr, static_cast<unsigned long>(SRCCOPY))),
              IMGSDK_SUCCESS);
    EXPECT_EQ(GetPixel(d.hdc(), 1, 1), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(d.hdc(), 3, 3), at(p.b, 2, 2));

    // SRCINVERT twice gives the canvas back.
    const auto before = d.pixels();
    for (int i = 0; i < 2; ++i)
        call<Library::Display, 132>(d.hdc(), &p.b, nullptr, nullptr, &dst, nullptr, static_cast<unsigned long>(SRCINVERT));
    EXPECT_EQ(d.pixels(), before);
    EXPECT_EQ((call<Library::Display, 132>(HDC(nullptr), &p.b, nullptr, nullptr, &dst, nullptr, 0ul)),
              IMGSDK_ERROR_INV_PARAMETER);
}

TEST(DisplayPaint, RowsFromABufferLandWhereThePicturesRowsWould) {
    Pic p;
    make(p, 9, 7, 24, true);
    Canvas whole(30, 30), bands(30, 30);
    RECT dst{3, 3, 12, 10};
    call<Library::Display, 132>(whole.hdc(), &p.b, nullptr, nullptr, &dst, nullptr, static_cast<unsigned long>(SRCCOPY));
    for (int row = 0; row < 7; row += 3) {
        const int n = std::min(3, 7 - row);
        ASSERT_EQ((call<Library::Display, 133>(bands.hdc(), &p.b, nullptr, nullptr, &dst, nullptr,
                                               static_cast<unsigned long>(SRCCOPY),
                                               p.b.pBits + size_t(p.b.BytesPerLine) * size_t(row), row, n)),
                  IMGSDK_SUCCESS);
    }
    EXPECT_EQ(bands.pixels(), whole.pixels());
}

TEST(DisplayPaint, EveryTransitionEndsAsAPlainPaint) {
    Pic p;
    make(p, 37, 23, 8);
    RECT dst{5, 3, 79, 49};  // stretched, so that pieces meet between source pixels
    for (unsigned long rop : {static_cast<unsigned long>(SRCCOPY), static_cast<unsigned long>(SRCINVERT)}) {
        Canvas plain(90, 60);
        call<Library::Display, 132>(plain.hdc(), &p.b, nullptr, nullptr, &dst, nullptr, rop);
        for (unsigned effect = EFX_EFFECT_NONE; effect <= EFX_EFFECT_MAX; ++effect) {
            Canvas c(90, 60);
            ASSERT_EQ((call<Library::Effects, 100>(c.hdc(), &p.b, nullptr, nullptr, &dst, nullptr, effect, 5u, 0u, 3u, 4u, 1,
                                                   1ul, 0u, 0ul, rop)),
                      IMGSDK_SUCCESS);
            EXPECT_EQ(c.pixels(), plain.pixels()) << "effect " << effect << " rop " << rop;
        }
    }
    Canvas c(10, 10);
    EXPECT_EQ((call<Library::Effects, 110>(c.hdc(), &p.b, nullptr, nullptr, nullptr, nullptr, static_cast<unsigned long>(SRCCOPY),
                                           unsigned(EFX_EFFECT_MAX + 1))),
              IMGSDK_ERROR_INV_PARAMETER);
}

TEST(DisplayPaint, TransparentPixelsLeaveTheDestination) {
    Pic p;
    make(p, 4, 4);
    call<Library::Kernel, 139>(&p.b, 1, 1, static_cast<unsigned long>(RGB(255, 0, 255)));
    Canvas c(4, 4);
    ASSERT_EQ((call<Library::Effects, 100>(c.hdc(), &p.b, nullptr, nullptr, nullptr, nullptr, unsigned(EFX_EFFECT_NONE), 0u, 0u,
                                           0u, 0u, 0, 0ul, 1u, static_cast<unsigned long>(RGB(255, 0, 255)),
                                           static_cast<unsigned long>(SRCCOPY))),
              IMGSDK_SUCCESS);
    EXPECT_EQ(GetPixel(c.hdc(), 1, 1), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(c.hdc(), 2, 1), at(p.b, 2, 1));
}

TEST(DisplayPaint, ADrawingContextOverThePictureWritesBackWhenDeleted) {
    for (int bpp : {8, 24, 32}) {
        Pic p;
        make(p, 16, 10, bpp, bpp == 24);
        HDC dc = call<Library::Kernel, 117>(&p.b);
        ASSERT_NE(dc, nullptr);
        const COLORREF ink = at(p.b, 15, 9);  // a colour of the picture's own table
        HBRUSH brush = CreateSolidBrush(ink);
        RECT r{2, 1, 6, 4};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        EXPECT_NE(at(p.b, 2, 1), ink) << "not before DeleteDC";
        ASSERT_EQ((call<Library::Kernel, 120>(dc)), IMGSDK_SUCCESS);
        EXPECT_EQ(at(p.b, 2, 1), ink) << bpp;
        EXPECT_EQ(at(p.b, 5, 3), ink);
        EXPECT_NE(at(p.b, 6, 3), ink);
        EXPECT_EQ((call<Library::Kernel, 120>(dc)), IMGSDK_ERROR_INV_PARAMETER);
    }
}

TEST(DisplayPaint, CaptureAndPrintingPassesOnADC) {
    Pic p, captured;
    make(p, 12, 8);
    Canvas c(30, 20);
    HDC got = call<Library::Display, 135>(c.hdc(), &p.b, 2, 3, 12, 8, 1);
    EXPECT_EQ(got, c.hdc());
    RECT r{2, 3, 14, 11};
    ASSERT_EQ((call<Library::Display, 137>(c.hdc(), &captured.b, &r)), IMGSDK_SUCCESS);
    EXPECT_EQ(colors(captured.b), colors(p.b));
    EXPECT_EQ((call<Library::Display, 136>(c.hdc(), &p.b, 0, 0, 0, 0, 0)), c.hdc());
    ASSERT_EQ((call<Library::Display, 137>(c.hdc(), &captured.b, nullptr)), IMGSDK_SUCCESS);
    EXPECT_EQ(captured.b.Width, 30);

    // Without a DC the picture goes to the default printer, which files an
    // unnamed document in the working directory.
    const auto dir = std::filesystem::temp_directory_path() / ("imagesdk-print-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    HDC printer = call<Library::Display, 134>(&p.b, 0, 0, 0, 0, 1);
    std::filesystem::current_path(cwd);
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(GetDeviceCaps(printer, TECHNOLOGY), DT_RASPRINTER);
    EXPECT_TRUE(DeleteDC(printer));
    EXPECT_GT(std::filesystem::file_size(dir / "Picture.pdf"), 0u);
    std::filesystem::remove_all(dir);
}

TEST(DisplayPaint, TheClipboardTakesThePictureAsADibAndOwnsIt) {
    HWND owner = reinterpret_cast<HWND>(0x1234);  // any window will do
    Pic p, back;
    make(p, 9, 5, 4);
    ASSERT_EQ((call<Library::Display, 127>(owner, &p.b)), IMGSDK_SUCCESS);
    ASSERT_TRUE(OpenClipboard(owner));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_PALETTE));
    EXPECT_EQ(CountClipboardFormats(), 3);
    EXPECT_EQ(EnumClipboardFormats(0), UINT(CF_DIB));
    HANDLE dib = GetClipboardData(CF_DIB);
    EXPECT_NE(GlobalSize(dib), 0u);
    ASSERT_TRUE(CloseClipboard());
    ASSERT_EQ((call<Library::Display, 126>(HWND(nullptr), &back.b)), IMGSDK_SUCCESS);
    EXPECT_EQ(colors(back.b), colors(p.b));

    // Emptying frees what the clipboard owned; a window-less owner cannot set data.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(owner));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GlobalSize(dib), 0u);
    HGLOBAL mine = GlobalAlloc(GMEM_MOVEABLE, 4);
    EXPECT_EQ(SetClipboardData(CF_DIB, mine), nullptr);
    GlobalFree(mine);
    CloseClipboard();
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ((call<Library::Display, 126>(owner, &back.b)), IMGSDK_ERROR_CLIPBOARD_EMPTY);
    EXPECT_EQ((call<Library::Display, 127>(HWND(nullptr), &p.b)), IMGSDK_ERROR_CLIPBOARD);
}
