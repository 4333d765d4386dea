// GradientFill's stepped rows against its exact form, which divides per
// pixel: the same pixels for random meshes of every kind and size, with four
// and with eight lanes.
#include "gradient_p.h"
#include "../support/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

class SteppedRows : public ::testing::TestWithParam<bool> {};

TEST_P(SteppedRows, EqualTheExactForm) {
    const bool wasWide = hmigfx::win32::gradientWideLanes(GetParam());
    testsupport::Canvas fast(67, 45), exact(67, 45);
    std::mt19937 rng(16);
    auto pick = [&](int lo, int hi) { return lo + static_cast<int>(rng() % static_cast<unsigned>(hi - lo + 1)); };
    for (int round = 0; round < 600; ++round) {
        for (int i = 0; i < 67 * 45; ++i) fast.bits()[i] = exact.bits()[i] = static_cast<uint32_t>(rng());
        const ULONG mode = round % 4 == 3 ? GRADIENT_FILL_RECT_H + rng() % 2 : GRADIENT_FILL_TRIANGLE;
        const ULONG n = mode == GRADIENT_FILL_TRIANGLE ? 4 : 6;
        // Mostly around the canvas; sometimes far out (wide divisors, clipped
        // runs) or beyond the stepped range (for rectangles, where 32 bits
        // wrap); alpha mostly 0 throughout, as usual.
        const int reach = round % 7 == 0 ? 70000 : round % 3 == 0 ? 3000 : 90;
        std::vector<TRIVERTEX> v(6);
        for (TRIVERTEX& t : v) {
            auto channel = [&] { return static_cast<COLOR16>(rng() % 2 ? rng() : (rng() % 2) * 0xFF00); };
            t = {pick(-reach, 67 + reach), pick(-reach, 45 + reach), channel(), channel(), channel(),
                 static_cast<COLOR16>(round % 2 ? channel() : 0)};
        }
        std::vector<ULONG> mesh(12);
        for (ULONG& m : mesh) m = rng() % v.size();
        for (HDC dc : {fast.hdc(), exact.hdc()}) {
            SetViewportOrgEx(dc, round % 11 == 0 ? -7 : 0, 0, nullptr);
            HRGN clip = round % 6 == 1 ? CreateEllipticRgn(5, 3, 60, 40) : nullptr;  // a box per row
            SelectClipRgn(dc, clip);
            DeleteObject(clip);
        }
        ASSERT_EQ(GradientFill(fast.hdc(), v.data(), 6, mesh.data(), n, mode),
                  hmigfx::win32::gradientFillExact(exact.hdc(), v.data(), 6, mesh.data(), n, mode));
        ASSERT_TRUE(std::equal(fast.bits(), fast.bits() + 67 * 45, exact.bits())) << "round " << round;  // alpha too
    }
    hmigfx::win32::gradientWideLanes(wasWide);
}
INSTANTIATE_TEST_SUITE_P(Gradient, SteppedRows, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "WideLanes" : "NarrowLanes"; });

}  // namespace
