// Fills must not touch the heap once warmed up: the paint tiles and scratch
// buffers of a DC are reused from call to call. Counted through the global
// operator new, which every std container of the library goes through.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
thread_local bool counting = false;
thread_local long allocations = 0;
}  // namespace

void* operator new(std::size_t n) {
    if (counting) ++allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    if (counting) ++allocations;
    return std::malloc(n ? n : 1);
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Counts the allocations of f's second run (the first one warms up).
template <class F>
long allocationsOf(F f) {
    f();
    allocations = 0;
    counting = true;
    f();
    counting = false;
    return allocations;
}

TEST(NoHeapPerPrimitive, FillsAndRegionPaints) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -100, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    HBRUSH solid = CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(255, 0, 0));
    const BYTE rows[16] = {0x81, 0, 0x42, 0, 0x24, 0, 0x18, 0, 0x18, 0, 0x24, 0, 0x42, 0, 0x81, 0};
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH pattern = CreatePatternBrush(mono);
    HRGN ellipse = CreateEllipticRgn(10, 10, 150, 90);
    RECT rc{5, 5, 190, 95};

    EXPECT_EQ(allocationsOf([&] {
                  for (HBRUSH b : {solid, hatch, pattern}) {
                      SelectObject(dc, b);
                      PatBlt(dc, 0, 0, 200, 100, PATCOPY);
                      PatBlt(dc, 3, 3, 150, 70, PATINVERT);
                      FillRect(dc, &rc, b);
                      FrameRect(dc, &rc, b);
                      FillRgn(dc, ellipse, b);
                      PaintRgn(dc, ellipse);
                  }
                  SetBkMode(dc, TRANSPARENT);
                  FillRect(dc, &rc, hatch);
                  SetBkMode(dc, OPAQUE);
                  InvertRect(dc, &rc);
                  InvertRgn(dc, ellipse);
                  SetROP2(dc, R2_XORPEN);
                  FillRgn(dc, ellipse, hatch);
                  SetROP2(dc, R2_COPYPEN);
                  FillRect(dc, &rc, reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_BTNFACE + 1)));
              }),
              0);

    SelectObject(dc, old);
    DeleteObject(ellipse);
    DeleteObject(pattern);
    DeleteObject(mono);
    DeleteObject(hatch);
    DeleteObject(solid);
    DeleteObject(bmp);
    DeleteDC(dc);
}

}  // namespace
