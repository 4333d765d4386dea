// Region objects as a caller sees them: shapes, result codes, the rectangle
// lists GetRegionData hands out, and bad input. The expected values are what
// the reference GDI answers for the same calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// Owns a region handle.
struct Rgn {
    HRGN h;
    explicit Rgn(HRGN r) : h(r) {}
    ~Rgn() {
        if (h) DeleteObject(h);
    }
    Rgn(const Rgn&) = delete;
    Rgn& operator=(const Rgn&) = delete;
    operator HRGN() const { return h; }
};

std::vector<RECT> rectsOf(HRGN r) {
    const DWORD size = GetRegionData(r, 0, nullptr);
    if (!size) return {};
    std::vector<uint8_t> buf(size);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    if (GetRegionData(r, size, data) != size) return {};
    const auto* rc = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(rc, rc + data->rdh.nCount);
}

RECT boxOf(HRGN r, int* type = nullptr) {
    RECT b{-1, -1, -1, -1};
    const int t = GetRgnBox(r, &b);
    if (type) *type = t;
    return b;
}

bool sameRect(const RECT& a, LONG l, LONG t, LONG r, LONG b) {
    return a.left == l && a.top == t && a.right == r && a.bottom == b;
}

TEST(EllipticRegion, IsOnePixelShortOfTheBoxWithARectanglePerRow) {
    Rgn e(CreateEllipticRgn(0, 0, 10, 10));
    int type = 0;
    EXPECT_TRUE(sameRect(boxOf(e, &type), 0, 0, 9, 9));
    EXPECT_EQ(type, COMPLEXREGION);
    const std::vector<RECT> rows = rectsOf(e);
    ASSERT_EQ(rows.size(), 9u);  // rows of equal width are not merged
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].top, static_cast<LONG>(i));
        EXPECT_EQ(rows[i].bottom, static_cast<LONG>(i + 1));
        // symmetric left/right and top/bottom
        EXPECT_EQ(rows[i].left, 9 - rows[i].right);
        EXPECT_EQ(rows[i].left, rows[8 - i].left);
    }
    EXPECT_TRUE(sameRect(rows[0], 3, 0, 6, 1));
    EXPECT_TRUE(sameRect(rows[4], 0, 4, 9, 5));
    EXPECT_TRUE(PtInRegion(e, 5, 5));
    EXPECT_FALSE(PtInRegion(e, 0, 0));
    EXPECT_FALSE(PtInRegion(e, 9, 4));
}

TEST(EllipticRegion, MatchesTheReferenceRowsForAnOddAndAnEvenSize) {
    Rgn a(CreateEllipticRgn(3, 5, 12, 17));
    const std::vector<RECT> rows = rectsOf(a);
    const LONG expect[][4] = {{6, 5, 8, 6},   {4, 6, 10, 7},   {4, 7, 10, 8},   {3, 8, 11, 9},
                              {3, 9, 11, 10}, {3, 10, 11, 11}, {3, 11, 11, 12}, {3, 12, 11, 13},
                              {4, 13, 10, 14}, {4, 14, 10, 15}, {6, 15, 8, 16}};
    ASSERT_EQ(rows.size(), std::size(expect));
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_TRUE(sameRect(rows[i], expect[i][0], expect[i][1], expect[i][2], expect[i][3])) << "row " << i;
}

TEST(EllipticRegion, DegenerateBoxes) {
    // Width or height under 2 after the missing pixel: a plain rectangle,
    // normalised again, so an empty box lands on the pixel above-left of it.
    Rgn zero(CreateEllipticRgn(5, 5, 5, 5));
    EXPECT_TRUE(sameRect(boxOf(zero), 4, 4, 5, 5));
    Rgn one(CreateEllipticRgn(5, 5, 6, 6));
    int type = 0;
    boxOf(one, &type);
    EXPECT_EQ(type, NULLREGION);
    Rgn two(CreateEllipticRgn(5, 5, 7, 7));
    EXPECT_TRUE(sameRect(boxOf(two, &type), 5, 5, 6, 6));
    EXPECT_EQ(type, SIMPLEREGION);
    Rgn inverted(CreateEllipticRgn(20, 20, 0, 0));
    EXPECT_TRUE(sameRect(boxOf(inverted), 0, 0, 19, 19));
    RECT rc{0, 0, 10, 10};
    Rgn indirect(CreateEllipticRgnIndirect(&rc));
    Rgn direct(CreateEllipticRgn(0, 0, 10, 10));
    EXPECT_TRUE(EqualRgn(indirect, direct));
    EXPECT_EQ(CreateEllipticRgnIndirect(nullptr), nullptr);
}

TEST(EllipticRegion, NarrowEllipsesHaveNoEmptyRowsOrGaps) {
    // The reference's trace stops early here and leaves empty or undefined
    // rows at the tips; ours leaves them out: only rows that hold pixels,
    // without gaps, symmetric.
    for (int w = 2; w <= 12; ++w)
        for (int h = 2; h <= 60; h += 3) {
            Rgn e(CreateEllipticRgn(0, 0, w, h));
            const std::vector<RECT> rows = rectsOf(e);
            ASSERT_FALSE(rows.empty()) << w << "x" << h;
            for (size_t i = 0; i < rows.size(); ++i) {
                ASSERT_LT(rows[i].left, rows[i].right) << w << "x" << h;
                if (i) {
                    ASSERT_EQ(rows[i].top, rows[i - 1].bottom) << w << "x" << h;
                }
                const RECT& mirror = rows[rows.size() - 1 - i];
                ASSERT_EQ(rows[i].left, mirror.left) << w << "x" << h;
                ASSERT_EQ(rows[i].left + rows[i].right, w - 1) << w << "x" << h;
            }
        }
}

TEST(EllipticRegion, HugeBoxesFailInsteadOfAllocatingGigabytes) {
    const int big = 1 << 27;
    EXPECT_EQ(CreateEllipticRgn(-big, -big, big, big), nullptr);
    EXPECT_EQ(CreateEllipticRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX), nullptr);
    // A tall one still works: one rectangle per row. The trace leaves the
    // outline 787 rows before each tip; those rows paint nothing in the
    // reference either (it keeps them as empty rectangles).
    Rgn tall(CreateEllipticRgn(0, 0, 10, 100000));
    ASSERT_NE(tall.h, nullptr);
    EXPECT_TRUE(sameRect(boxOf(tall), 0, 787, 9, 99212));
    EXPECT_EQ(GetRegionData(tall, 0, nullptr), sizeof(RGNDATAHEADER) + (99212 - 787) * sizeof(RECT));
}

TEST(RoundRectRegion, CornersAndStraightSides) {
    Rgn r(CreateRoundRectRgn(1, 2, 31, 22, 8, 6));
    const std::vector<RECT> rows = rectsOf(r);
    // three corner rows at the top, the straight middle as one band, two more
    // at the bottom; the last top row keeps its own rectangle
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_TRUE(sameRect(rows[0], 3, 2, 28, 3));
    EXPECT_TRUE(sameRect(rows[1], 2, 3, 29, 4));
    EXPECT_TRUE(sameRect(rows[2], 1, 4, 30, 5));
    EXPECT_TRUE(sameRect(rows[3], 1, 5, 30, 19));
    EXPECT_TRUE(sameRect(rows[5], 3, 20, 28, 21));
    EXPECT_TRUE(sameRect(boxOf(r), 1, 2, 30, 21));
}

TEST(RoundRectRegion, CornerSizesAreClampedAndTakenByMagnitude) {
    Rgn plain(CreateRoundRectRgn(0, 0, 100, 100, 20, 30));
    Rgn negative(CreateRoundRectRgn(0, 0, 100, 100, -20, -30));
    EXPECT_TRUE(EqualRgn(plain, negative));
    Rgn huge(CreateRoundRectRgn(0, 0, 100, 100, 1 << 27, 1 << 27));
    Rgn ellipse(CreateEllipticRgn(0, 0, 100, 100));
    EXPECT_TRUE(EqualRgn(huge, ellipse));
    Rgn minCorner(CreateRoundRectRgn(0, 0, 100, 100, INT_MIN, INT_MIN));
    EXPECT_TRUE(EqualRgn(minCorner, ellipse));
    // Corners under two pixels: the rectangle, one pixel short.
    Rgn square(CreateRoundRectRgn(0, 0, 100, 100, 1, 50));
    int type = 0;
    EXPECT_TRUE(sameRect(boxOf(square, &type), 0, 0, 99, 99));
    EXPECT_EQ(type, SIMPLEREGION);
}

TEST(RoundRectRegion, HugeRectangleWithSmallCornersIsCheap) {
    const int big = 1 << 27;
    Rgn r(CreateRoundRectRgn(-big, -big, big, big, 10, 10));
    ASSERT_NE(r.h, nullptr);
    EXPECT_TRUE(sameRect(boxOf(r), -big, -big, big - 1, big - 1));
    EXPECT_EQ(rectsOf(r).size(), 10u);
    EXPECT_TRUE(PtInRegion(r, 0, 0));
    EXPECT_FALSE(PtInRegion(r, -big, -big));
    Rgn extreme(CreateRoundRectRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 4, 4));
    ASSERT_NE(extreme.h, nullptr);
    EXPECT_TRUE(PtInRegion(extreme, 0, 0));
}

TEST(CombineRgn, ResultCodesOfEveryMode) {
    Rgn a(CreateRectRgn(0, 0, 10, 10)), b(CreateRectRgn(5, 5, 20, 20)), d(CreateRectRgn(0, 0, 0, 0));
    Rgn empty(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_TRUE(sameRect(boxOf(d), 5, 5, 10, 10));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(d, 7, 7));
    EXPECT_TRUE(PtInRegion(d, 2, 2));
    EXPECT_TRUE(PtInRegion(d, 15, 15));
    EXPECT_EQ(CombineRgn(d, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(rectsOf(d).size(), 2u);
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(CombineRgn(d, a, empty, RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(a, a, a, RGN_DIFF), NULLREGION);  // aliasing is allowed
}

TEST(CombineRgn, BadArgumentsGiveError) {
    Rgn a(CreateRectRgn(0, 0, 10, 10)), d(CreateRectRgn(1, 1, 2, 2));
    EXPECT_EQ(CombineRgn(d, a, a, 0), ERROR);
    EXPECT_EQ(CombineRgn(d, a, a, 6), ERROR);
    EXPECT_EQ(CombineRgn(nullptr, a, a, RGN_OR), ERROR);
    EXPECT_EQ(CombineRgn(d, nullptr, a, RGN_OR), ERROR);
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_OR), ERROR);
    // a failed call leaves the destination alone
    EXPECT_TRUE(sameRect(boxOf(d), 1, 1, 2, 2));
}

TEST(CombineRgn, IntersectionMergesEqualRowsLikeGdi) {
    // A round rectangle keeps one rectangle per corner row; intersecting it
    // with a rectangle that covers it runs GDI's band sweep, which merges
    // neighbouring rows of equal extent. Same pixels, fewer rectangles.
    Rgn e(CreateEllipticRgn(0, 0, 30, 30)), cover(CreateRectRgn(-5, -5, 50, 50)), d(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(CombineRgn(d, e, cover, RGN_AND), COMPLEXREGION);
    EXPECT_LT(rectsOf(d).size(), rectsOf(e).size());
    EXPECT_FALSE(EqualRgn(d, e));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) ASSERT_EQ(PtInRegion(d, x, y), PtInRegion(e, x, y));
    // Union with an empty region copies the rows unchanged.
    Rgn none(CreateRectRgn(0, 0, 0, 0));
    CombineRgn(d, e, none, RGN_OR);
    EXPECT_TRUE(EqualRgn(d, e));
}

// XOR gives the rectangles GDI's engine gets from (a - b) | (b - a): random
// unions of rectangles, per-row elliptic and polygon regions, apart, equal,
// empty and overlapping, with the result in place of either side.
TEST(CombineRgn, XorGivesTheRectanglesOfTwoDifferencesAndAUnion) {
    unsigned seed = 12345;
    auto rnd = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(n));
    };
    auto randomRegion = [&](int kind) {
        switch (kind) {
        case 0: {
            HRGN r = CreateRectRgn(0, 0, 0, 0);
            for (int k = rnd(6); k >= 0; --k) {
                const int x = rnd(60), y = rnd(60);
                HRGN p = CreateRectRgn(x, y, x + 1 + rnd(30), y + 1 + rnd(30));
                CombineRgn(r, r, p, rnd(3) ? RGN_OR : RGN_DIFF);
                DeleteObject(p);
            }
            return r;
        }
        case 1: {
            const int x = rnd(50), y = rnd(50);
            return CreateEllipticRgn(x, y, x + 2 + rnd(40), y + 2 + rnd(40));
        }
        case 2: {
            const int x = rnd(50), y = rnd(50);
            return CreateRoundRectRgn(x, y, x + 2 + rnd(40), y + 2 + rnd(40), rnd(20), rnd(20));
        }
        case 3: {
            POINT pts[6];
            for (POINT& p : pts) p = {rnd(70), rnd(70)};
            return CreatePolygonRgn(pts, 6, rnd(2) ? WINDING : ALTERNATE);
        }
        default:
            return CreateRectRgn(rnd(40), rnd(40), 40 + rnd(40), 40 + rnd(40));
        }
    };
    auto same = [](HRGN x, HRGN y) {
        const std::vector<RECT> a = rectsOf(x), b = rectsOf(y);
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (!sameRect(a[i], b[i].left, b[i].top, b[i].right, b[i].bottom)) return false;
        return true;
    };
    for (int round = 0; round < 2000; ++round) {
        Rgn a(randomRegion(rnd(5))), b(randomRegion(rnd(5)));
        if (round % 7 == 0) CombineRgn(b, a, nullptr, RGN_COPY);
        if (round % 11 == 0) OffsetRgn(b, 200, 0);
        if (round % 13 == 0) SetRectRgn(b, 0, 0, 0, 0);
        if (round % 17 == 0) OffsetRgn(b, 0, 1);
        Rgn mine(CreateRectRgn(0, 0, 0, 0)), theirs(CreateRectRgn(0, 0, 0, 0)), want(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(mine, a, b, RGN_DIFF);
        CombineRgn(theirs, b, a, RGN_DIFF);
        const int wantType = CombineRgn(want, mine, theirs, RGN_OR);
        Rgn got(CreateRectRgn(0, 0, 0, 0));
        ASSERT_EQ(CombineRgn(got, a, b, RGN_XOR), wantType) << round;
        ASSERT_TRUE(same(got, want)) << round;
        Rgn a2(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(a2, a, nullptr, RGN_COPY);
        CombineRgn(a2, a2, b, RGN_XOR);
        ASSERT_TRUE(same(a2, want)) << round;
        CombineRgn(b, a, b, RGN_XOR);
        ASSERT_TRUE(same(b, want)) << round;
    }
}

TEST(RegionQueries, OffsetSetRectAndPointTests) {
    Rgn r(CreateRectRgn(5, 5, 20, 20));
    EXPECT_EQ(OffsetRgn(r, 3, 3), SIMPLEREGION);
    EXPECT_TRUE(sameRect(boxOf(r), 8, 8, 23, 23));
    Rgn empty(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(OffsetRgn(empty, 3, 3), NULLREGION);
    EXPECT_EQ(OffsetRgn(nullptr, 1, 1), ERROR);
    // pixman clamps rather than wrapping at the int limits
    Rgn far(CreateRectRgn(0, 0, 10, 10));
    EXPECT_NE(OffsetRgn(far, INT_MAX, INT_MAX), ERROR);

    EXPECT_TRUE(SetRectRgn(r, 10, 10, 5, 5));  // normalised
    EXPECT_TRUE(sameRect(boxOf(r), 5, 5, 10, 10));
    EXPECT_TRUE(SetRectRgn(r, 10, 10, 10, 15));
    int type = 0;
    EXPECT_TRUE(sameRect(boxOf(r, &type), 0, 0, 0, 0));
    EXPECT_EQ(type, NULLREGION);
    EXPECT_FALSE(SetRectRgn(nullptr, 0, 0, 1, 1));
    Rgn inverted(CreateRectRgn(10, 10, 5, 5));
    EXPECT_TRUE(sameRect(boxOf(inverted), 5, 5, 10, 10));
    Rgn widest(CreateRectRgn(-INT_MAX, -INT_MAX, INT_MAX, INT_MAX));
    EXPECT_TRUE(sameRect(boxOf(widest), -INT_MAX, -INT_MAX, INT_MAX, INT_MAX));
    EXPECT_TRUE(PtInRegion(widest, 0, 0));

    RECT rc;
    EXPECT_EQ(GetRgnBox(nullptr, &rc), ERROR);
    EXPECT_EQ(GetRgnBox(widest, nullptr), ERROR);
    EXPECT_FALSE(PtInRegion(nullptr, 0, 0));
}

TEST(RegionQueries, RectInRegion) {
    Rgn r(CreateRectRgn(8, 8, 23, 23));
    RECT inside{20, 20, 30, 30}, inverted{30, 30, 20, 20}, thin{22, 22, 22, 30};
    RECT touching{23, 0, 40, 40}, corner{8, 8, 8, 8}, outside{0, 0, 8, 8};
    EXPECT_TRUE(RectInRegion(r, &inside));
    EXPECT_TRUE(RectInRegion(r, &inverted));
    EXPECT_TRUE(RectInRegion(r, &thin));  // zero width, but inside
    EXPECT_FALSE(RectInRegion(r, &touching));
    EXPECT_FALSE(RectInRegion(r, &corner));
    EXPECT_FALSE(RectInRegion(r, &outside));
    EXPECT_FALSE(RectInRegion(nullptr, &inside));
    EXPECT_FALSE(RectInRegion(r, nullptr));
}

TEST(RegionData, SizesHeaderAndRectangleOrder) {
    Rgn a(CreateRectRgn(0, 0, 10, 10)), b(CreateRectRgn(20, 0, 30, 5));
    CombineRgn(a, a, b, RGN_OR);
    const DWORD need = GetRegionData(a, 0, nullptr);
    EXPECT_EQ(need, sizeof(RGNDATAHEADER) + 3 * sizeof(RECT));
    std::vector<uint8_t> buf(need + 16);
    auto* d = reinterpret_cast<RGNDATA*>(buf.data());
    EXPECT_EQ(GetRegionData(a, need - 1, d), 0u);
    EXPECT_EQ(GetRegionData(a, need, d), need);
    EXPECT_EQ(d->rdh.dwSize, sizeof(RGNDATAHEADER));
    EXPECT_EQ(d->rdh.iType, static_cast<DWORD>(RDH_RECTANGLES));
    EXPECT_EQ(d->rdh.nCount, 3u);
    EXPECT_EQ(d->rdh.nRgnSize, 3 * sizeof(RECT));
    EXPECT_TRUE(sameRect(d->rdh.rcBound, 0, 0, 30, 10));
    const auto* rc = reinterpret_cast<const RECT*>(d->Buffer);
    EXPECT_TRUE(sameRect(rc[0], 0, 0, 10, 5));
    EXPECT_TRUE(sameRect(rc[1], 20, 0, 30, 5));
    EXPECT_TRUE(sameRect(rc[2], 0, 5, 10, 10));

    Rgn empty(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetRegionData(empty, static_cast<DWORD>(buf.size()), d), sizeof(RGNDATAHEADER));
    EXPECT_EQ(d->rdh.nCount, 0u);
    EXPECT_TRUE(sameRect(d->rdh.rcBound, 0, 0, 0, 0));
    EXPECT_EQ(GetRegionData(nullptr, 0, nullptr), 0u);
}

struct RgnData {
    RGNDATAHEADER h;
    RECT r[4];
};

TEST(ExtCreateRegion, RoundTripAndValidation) {
    Rgn e(CreateEllipticRgn(0, 0, 20, 14));
    const DWORD size = GetRegionData(e, 0, nullptr);
    std::vector<uint8_t> buf(size);
    auto* d = reinterpret_cast<RGNDATA*>(buf.data());
    GetRegionData(e, size, d);
    Rgn copy(ExtCreateRegion(nullptr, size, d));
    ASSERT_NE(copy.h, nullptr);
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(PtInRegion(copy, x, y), PtInRegion(e, x, y));

    EXPECT_EQ(ExtCreateRegion(nullptr, size - 1, d), nullptr);  // the rectangles do not fit
    EXPECT_EQ(ExtCreateRegion(nullptr, 0, d), nullptr);
    EXPECT_EQ(ExtCreateRegion(nullptr, 100, nullptr), nullptr);
    d->rdh.dwSize = 10;
    EXPECT_EQ(ExtCreateRegion(nullptr, size, d), nullptr);

    // A count larger than the data handed over must not be read.
    RgnData lie{{sizeof(RGNDATAHEADER), RDH_RECTANGLES, 1000000, 0, {0, 0, 0, 0}}, {}};
    EXPECT_EQ(ExtCreateRegion(nullptr, sizeof lie, reinterpret_cast<RGNDATA*>(&lie)), nullptr);
}

TEST(ExtCreateRegion, OverlappingAndInvertedRectangles) {
    RgnData u{{sizeof(RGNDATAHEADER), RDH_RECTANGLES, 4, 0, {0, 0, 0, 0}},
              {{5, 5, 15, 15}, {0, 0, 10, 10}, {12, 3, 3, 9}, {0, 20, 4, 22}}};
    Rgn r(ExtCreateRegion(nullptr, sizeof u, reinterpret_cast<RGNDATA*>(&u)));
    const std::vector<RECT> rc = rectsOf(r);
    ASSERT_EQ(rc.size(), 4u);  // the inverted rectangle is skipped
    EXPECT_TRUE(sameRect(rc[0], 0, 0, 10, 5));
    EXPECT_TRUE(sameRect(rc[1], 0, 5, 15, 10));
    EXPECT_TRUE(sameRect(rc[2], 5, 10, 15, 15));
    EXPECT_TRUE(sameRect(rc[3], 0, 20, 4, 22));
}

TEST(ExtCreateRegion, AxisAlignedTransforms) {
    RgnData two{{sizeof(RGNDATAHEADER), RDH_RECTANGLES, 2, 0, {0, 0, 0, 0}}, {{0, 0, 10, 10}, {20, 0, 30, 5}}};
    auto* d = reinterpret_cast<RGNDATA*>(&two);
    const DWORD size = sizeof(RGNDATAHEADER) + 2 * sizeof(RECT);
    const XFORM move{1, 0, 0, 1, 5.6f, -2.4f};
    Rgn moved(ExtCreateRegion(&move, size, d));
    EXPECT_TRUE(sameRect(boxOf(moved), 6, -2, 36, 8));  // offsets rounded to nearest
    const XFORM scale{2, 0, 0, 3, 1, 1};
    Rgn scaled(ExtCreateRegion(&scale, size, d));
    EXPECT_TRUE(sameRect(boxOf(scaled), 1, 1, 61, 31));
    const XFORM turn{0, 1, -1, 0, 0, 0};
    Rgn turned(ExtCreateRegion(&turn, size, d));
    EXPECT_TRUE(sameRect(boxOf(turned), -10, 0, 0, 30));
    // Any other transform turns the rectangles into quadrilaterals.
    const XFORM rotate{0.7071f, 0.7071f, -0.7071f, 0.7071f, 5, 3};
    Rgn rotated(ExtCreateRegion(&rotate, size, d));
    const std::vector<RECT> rows = rectsOf(rotated);
    ASSERT_EQ(rows.size(), 23u);
    EXPECT_TRUE(sameRect(rows[0], 4, 4, 6, 5));
    EXPECT_TRUE(sameRect(rows[6], -2, 10, 12, 11));
    EXPECT_TRUE(sameRect(rows[22], 22, 27, 24, 28));
}

TEST(EqualRgn, ComparesShapesAndRefusesBadHandles) {
    Rgn a(CreateRectRgn(0, 0, 5, 5)), b(CreateRectRgn(0, 0, 5, 5)), c(CreateRectRgn(0, 0, 5, 6));
    Rgn e1(CreateRectRgn(0, 0, 0, 0)), e2(CreateRectRgn(3, 3, 3, 9));
    EXPECT_TRUE(EqualRgn(a, b));
    EXPECT_FALSE(EqualRgn(a, c));
    EXPECT_TRUE(EqualRgn(e1, e2));
    EXPECT_FALSE(EqualRgn(a, nullptr));
    EXPECT_FALSE(EqualRgn(reinterpret_cast<HRGN>(uintptr_t(0x1234)), a));
}

}  // namespace
