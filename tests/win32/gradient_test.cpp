// GradientFill's stepped rows against its exact form, which divides per
// pixel: the same pixels for random meshes of every kind and size.
#include <windows.h>

#include "gradient_p.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

struct Dib {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = nullptr;
    uint32_t* bits = nullptr;
    explicit Dib(int w, int h, bool bitfields) {
        struct {
            BITMAPINFOHEADER h;
            DWORD masks[3];
        } bi{};
        bi.h.biSize = sizeof(BITMAPINFOHEADER);
        bi.h.biWidth = w;
        bi.h.biHeight = -h;
        bi.h.biPlanes = 1;
        bi.h.biBitCount = 32;
        bi.h.biCompression = bitfields ? BI_BITFIELDS : BI_RGB;
        bi.masks[0] = 0xFF0000, bi.masks[1] = 0xFF00, bi.masks[2] = 0xFF;
        void* p = nullptr;
        bmp = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint32_t*>(p);
        SelectObject(dc, bmp);
    }
    ~Dib() {
        DeleteDC(dc);
        DeleteObject(bmp);
    }
};

class SteppedRows : public ::testing::TestWithParam<bool> {};

TEST_P(SteppedRows, EqualTheExactForm) {
    const bool wasWide = hmigfx::win32::gradientWideLanes(GetParam());
    constexpr int kW = 67, kH = 45;
    std::mt19937 rng(16);
    auto pick = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); };
    for (int round = 0; round < 600; ++round) {
        const bool bitfields = round % 5 == 4;  // no alpha kept
        Dib fast(kW, kH, bitfields), exact(kW, kH, bitfields);
        for (int i = 0; i < kW * kH; ++i) fast.bits[i] = exact.bits[i] = static_cast<uint32_t>(rng());
        const ULONG mode = round % 4 == 3 ? GRADIENT_FILL_RECT_H + rng() % 2 : GRADIENT_FILL_TRIANGLE;
        const ULONG n = mode == GRADIENT_FILL_TRIANGLE ? 4 : 6;
        // Mostly around the canvas; sometimes far out (wide divisors, clipped
        // runs) or beyond the stepped range (for rectangles, where 32 bits
        // wrap); sometimes clipped to a few boxes.
        const int reach = round % 7 == 0 ? 70000 : round % 3 == 0 ? 3000 : 90;
        std::vector<TRIVERTEX> v(6);
        const bool noAlpha = round % 2 == 0;  // the usual case: alpha 0 throughout
        for (TRIVERTEX& t : v) {
            auto channel = [&] { return static_cast<COLOR16>(rng() % 2 ? rng() : (rng() % 2) * 0xFF00); };
            t = {pick(-reach, kW + reach), pick(-reach, kH + reach), channel(), channel(), channel(),
                 static_cast<COLOR16>(noAlpha ? 0 : channel())};
        }
        std::vector<ULONG> mesh(12);
        for (ULONG& m : mesh) m = rng() % v.size();
        for (HDC dc : {fast.dc, exact.dc}) {
            SetViewportOrgEx(dc, round % 11 == 0 ? -7 : 0, 0, nullptr);
            if (round % 6 == 1) {
                HRGN a = CreateEllipticRgn(5, 3, 60, 40);
                SelectClipRgn(dc, a);
                DeleteObject(a);
            }
        }
        const BOOL ok = GradientFill(fast.dc, v.data(), 6, mesh.data(), n, mode);
        ASSERT_EQ(ok, hmigfx::win32::gradientFillExact(exact.dc, v.data(), 6, mesh.data(), n, mode));
        for (int i = 0; i < kW * kH; ++i)
            ASSERT_EQ(fast.bits[i], exact.bits[i]) << "round " << round << " pixel " << i % kW << "," << i / kW;
    }
    hmigfx::win32::gradientWideLanes(wasWide);
}
INSTANTIATE_TEST_SUITE_P(Gradient, SteppedRows, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "WideLanes" : "NarrowLanes"; });

}  // namespace
