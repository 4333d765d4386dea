// Regions and the DC's clip region as a caller sees them beyond the golden
// pictures: result codes, the records GetRegionData and ExtCreateRegion
// exchange, degenerate and huge shapes, and bad input.
#include "../support/test_support.h"

#include <climits>

using testsupport::Canvas;

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
    std::vector<unsigned char> buf(size);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    if (!size || GetRegionData(r, size, data) != size) return {};
    const auto* rc = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(rc, rc + data->rdh.nCount);
}

bool is(const RECT& a, LONG l, LONG t, LONG r, LONG b) { return a.left == l && a.top == t && a.right == r && a.bottom == b; }
bool same(const RECT& a, const RECT& b) { return is(a, b.left, b.top, b.right, b.bottom); }

RECT boxOf(HRGN r, int* type = nullptr) {
    RECT b{-1, -1, -1, -1};
    const int t = GetRgnBox(r, &b);
    if (type) *type = t;
    return b;
}

// ---- regions -------------------------------------------------------------------

TEST(Regions, DegenerateEllipsesAndCorners) {
    // Under 2 pixels after the missing one: a plain rectangle, normalised
    // again, so an empty box lands on the pixel above-left of it.
    int type = 0;
    EXPECT_TRUE(is(boxOf(Rgn(CreateEllipticRgn(5, 5, 5, 5))), 4, 4, 5, 5));
    boxOf(Rgn(CreateEllipticRgn(5, 5, 6, 6)), &type);
    EXPECT_EQ(type, NULLREGION);
    EXPECT_TRUE(is(boxOf(Rgn(CreateEllipticRgn(5, 5, 7, 7)), &type), 5, 5, 6, 6));
    EXPECT_EQ(type, SIMPLEREGION);
    EXPECT_TRUE(is(boxOf(Rgn(CreateEllipticRgn(20, 20, 0, 0))), 0, 0, 19, 19));
    const RECT rc{0, 0, 10, 10};
    Rgn indirect(CreateEllipticRgnIndirect(&rc)), direct(CreateEllipticRgn(0, 0, 10, 10));
    EXPECT_TRUE(EqualRgn(indirect, direct));
    EXPECT_EQ(CreateEllipticRgnIndirect(nullptr), nullptr);
    // Corners are taken by magnitude and clamped to the box.
    Rgn plain(CreateRoundRectRgn(0, 0, 100, 100, 20, 30)), negative(CreateRoundRectRgn(0, 0, 100, 100, -20, -30));
    EXPECT_TRUE(EqualRgn(plain, negative));
    Rgn ellipse(CreateEllipticRgn(0, 0, 100, 100));
    EXPECT_TRUE(EqualRgn(Rgn(CreateRoundRectRgn(0, 0, 100, 100, 1 << 27, 1 << 27)), ellipse));
    EXPECT_TRUE(EqualRgn(Rgn(CreateRoundRectRgn(0, 0, 100, 100, INT_MIN, INT_MIN)), ellipse));
    EXPECT_TRUE(is(boxOf(Rgn(CreateRoundRectRgn(0, 0, 100, 100, 1, 50)), &type), 0, 0, 99, 99));
    EXPECT_EQ(type, SIMPLEREGION);
}

TEST(Regions, NarrowEllipsesHaveNoEmptyRowsOrGaps) {
    // The reference's trace stops early here and leaves empty or undefined
    // rows at the tips; ours leaves them out: rows that hold pixels, without
    // gaps, symmetric.
    for (int w = 2; w <= 12; ++w)
        for (int h = 2; h <= 60; h += 3) {
            const std::vector<RECT> rows = rectsOf(Rgn(CreateEllipticRgn(0, 0, w, h)));
            ASSERT_FALSE(rows.empty()) << w << "x" << h;
            for (size_t i = 0; i < rows.size(); ++i) {
                ASSERT_LT(rows[i].left, rows[i].right) << w << "x" << h;
                if (i) {
                    ASSERT_EQ(rows[i].top, rows[i - 1].bottom) << w << "x" << h;
                }
                ASSERT_EQ(rows[i].left, rows[rows.size() - 1 - i].left) << w << "x" << h;
                ASSERT_EQ(rows[i].left + rows[i].right, w - 1) << w << "x" << h;
            }
        }
}

TEST(Regions, HugeShapesFailInsteadOfAllocatingGigabytes) {
    const int big = 1 << 27;
    EXPECT_EQ(CreateEllipticRgn(-big, -big, big, big), nullptr);
    EXPECT_EQ(CreateEllipticRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX), nullptr);
    // A tall one works, a rectangle per row. The trace leaves the outline 787
    // rows before each tip; those rows paint nothing in the reference either.
    Rgn tall(CreateEllipticRgn(0, 0, 10, 100000));
    ASSERT_NE(tall.h, nullptr);
    EXPECT_TRUE(is(boxOf(tall), 0, 787, 9, 99212));
    EXPECT_EQ(GetRegionData(tall, 0, nullptr), sizeof(RGNDATAHEADER) + (99212 - 787) * sizeof(RECT));
    // Small corners on a huge rectangle are cheap.
    Rgn r(CreateRoundRectRgn(-big, -big, big, big, 10, 10));
    EXPECT_TRUE(is(boxOf(r), -big, -big, big - 1, big - 1));
    EXPECT_EQ(rectsOf(r).size(), 10u);
    EXPECT_FALSE(PtInRegion(r, -big, -big));
    Rgn extreme(CreateRoundRectRgn(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 4, 4));
    EXPECT_TRUE(PtInRegion(extreme, 0, 0));
    Rgn widest(CreateRectRgn(-INT_MAX, -INT_MAX, INT_MAX, INT_MAX));
    EXPECT_TRUE(is(boxOf(widest), -INT_MAX, -INT_MAX, INT_MAX, INT_MAX));
    EXPECT_NE(OffsetRgn(widest, INT_MAX, INT_MAX), ERROR);  // clamped rather than wrapped
}

TEST(Regions, BadArgumentsGiveErrorAndChangeNothing) {
    Rgn a(CreateRectRgn(0, 0, 10, 10)), d(CreateRectRgn(1, 1, 2, 2));
    const HRGN bogus = reinterpret_cast<HRGN>(uintptr_t(0x1234));
    EXPECT_EQ(CombineRgn(d, a, a, 0), ERROR);
    EXPECT_EQ(CombineRgn(d, a, a, 6), ERROR);
    EXPECT_EQ(CombineRgn(nullptr, a, a, RGN_OR), ERROR);
    EXPECT_EQ(CombineRgn(d, nullptr, a, RGN_OR), ERROR);
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_OR), ERROR);
    EXPECT_TRUE(is(boxOf(d), 1, 1, 2, 2));
    EXPECT_EQ(OffsetRgn(nullptr, 1, 1), ERROR);
    EXPECT_FALSE(SetRectRgn(nullptr, 0, 0, 1, 1));
    RECT rc{0, 0, 1, 1};
    EXPECT_EQ(GetRgnBox(nullptr, &rc), ERROR);
    EXPECT_EQ(GetRgnBox(a, nullptr), ERROR);
    EXPECT_FALSE(PtInRegion(nullptr, 0, 0));
    EXPECT_FALSE(RectInRegion(nullptr, &rc));
    EXPECT_FALSE(RectInRegion(a, nullptr));
    EXPECT_FALSE(EqualRgn(a, nullptr));
    EXPECT_FALSE(EqualRgn(bogus, a));
    EXPECT_EQ(GetRegionData(nullptr, 0, nullptr), 0u);
    // The result type with aliasing and copies.
    EXPECT_EQ(CombineRgn(d, a, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(CombineRgn(a, a, a, RGN_DIFF), NULLREGION);
}

TEST(Regions, SetRectOffsetAndRectangleQueries) {
    Rgn r(CreateRectRgn(5, 5, 20, 20)), empty(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(OffsetRgn(r, 3, 3), SIMPLEREGION);
    EXPECT_TRUE(is(boxOf(r), 8, 8, 23, 23));
    EXPECT_EQ(OffsetRgn(empty, 3, 3), NULLREGION);
    RECT inside{20, 20, 30, 30}, inverted{30, 30, 20, 20}, thin{22, 22, 22, 30};
    RECT touching{23, 0, 40, 40}, corner{8, 8, 8, 8}, outside{0, 0, 8, 8};
    EXPECT_TRUE(RectInRegion(r, &inside));
    EXPECT_TRUE(RectInRegion(r, &inverted));
    EXPECT_TRUE(RectInRegion(r, &thin));  // zero width, but inside
    EXPECT_FALSE(RectInRegion(r, &touching));
    EXPECT_FALSE(RectInRegion(r, &corner));
    EXPECT_FALSE(RectInRegion(r, &outside));
    EXPECT_TRUE(SetRectRgn(r, 10, 10, 5, 5));  // normalised
    EXPECT_TRUE(is(boxOf(r), 5, 5, 10, 10));
    int type = 0;
    EXPECT_TRUE(SetRectRgn(r, 10, 10, 10, 15));
    EXPECT_TRUE(is(boxOf(r, &type), 0, 0, 0, 0));
    EXPECT_EQ(type, NULLREGION);
    EXPECT_TRUE(is(boxOf(Rgn(CreateRectRgn(10, 10, 5, 5))), 5, 5, 10, 10));
    EXPECT_TRUE(EqualRgn(Rgn(CreateRectRgn(0, 0, 0, 0)), Rgn(CreateRectRgn(3, 3, 3, 9))));  // empty is empty
    EXPECT_FALSE(EqualRgn(Rgn(CreateRectRgn(0, 0, 5, 5)), Rgn(CreateRectRgn(0, 0, 5, 6))));
}

// XOR gives the rectangles GDI's engine gets from (a - b) | (b - a): random
// unions of rectangles, per-row elliptic and polygon regions, apart, equal,
// empty and overlapping, with the result in place of either side.
TEST(Regions, XorGivesTheRectanglesOfTwoDifferencesAndAUnion) {
    unsigned seed = 12345;
    auto rnd = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(n));
    };
    auto randomRegion = [&](int kind) {
        const int x = rnd(50), y = rnd(50);
        switch (kind) {
        case 0: {
            HRGN r = CreateRectRgn(0, 0, 0, 0);
            for (int k = rnd(6); k >= 0; --k) {
                const int px = rnd(60), py = rnd(60);
                Rgn p(CreateRectRgn(px, py, px + 1 + rnd(30), py + 1 + rnd(30)));
                CombineRgn(r, r, p, rnd(3) ? RGN_OR : RGN_DIFF);
            }
            return r;
        }
        case 1: return CreateEllipticRgn(x, y, x + 2 + rnd(40), y + 2 + rnd(40));
        case 2: return CreateRoundRectRgn(x, y, x + 2 + rnd(40), y + 2 + rnd(40), rnd(20), rnd(20));
        case 3: {
            POINT pts[6];
            for (POINT& p : pts) p = {rnd(70), rnd(70)};
            return CreatePolygonRgn(pts, 6, rnd(2) ? WINDING : ALTERNATE);
        }
        default: return CreateRectRgn(rnd(40), rnd(40), 40 + rnd(40), 40 + rnd(40));
        }
    };
    auto sameRects = [](HRGN x, HRGN y) {
        const std::vector<RECT> a = rectsOf(x), b = rectsOf(y);
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same);
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
        ASSERT_TRUE(sameRects(got, want)) << round;
        Rgn a2(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(a2, a, nullptr, RGN_COPY);
        CombineRgn(a2, a2, b, RGN_XOR);
        ASSERT_TRUE(sameRects(a2, want)) << round;
        CombineRgn(b, a, b, RGN_XOR);
        ASSERT_TRUE(sameRects(b, want)) << round;
    }
}

// ---- region records ------------------------------------------------------------

struct RgnData {
    RGNDATAHEADER h;
    RECT r[4];
};

TEST(RegionData, SizesHeaderAndRectangleOrder) {
    Rgn a(CreateRectRgn(0, 0, 10, 10)), b(CreateRectRgn(20, 0, 30, 5));
    CombineRgn(a, a, b, RGN_OR);
    const DWORD need = GetRegionData(a, 0, nullptr);
    EXPECT_EQ(need, sizeof(RGNDATAHEADER) + 3 * sizeof(RECT));
    std::vector<unsigned char> buf(need + 16);
    auto* d = reinterpret_cast<RGNDATA*>(buf.data());
    EXPECT_EQ(GetRegionData(a, need - 1, d), 0u);
    EXPECT_EQ(GetRegionData(a, need, d), need);
    EXPECT_EQ(d->rdh.dwSize, sizeof(RGNDATAHEADER));
    EXPECT_EQ(d->rdh.iType, static_cast<DWORD>(RDH_RECTANGLES));
    EXPECT_EQ(d->rdh.nCount, 3u);
    EXPECT_EQ(d->rdh.nRgnSize, 3 * sizeof(RECT));
    EXPECT_TRUE(is(d->rdh.rcBound, 0, 0, 30, 10));
    const auto* rc = reinterpret_cast<const RECT*>(d->Buffer);
    EXPECT_TRUE(is(rc[0], 0, 0, 10, 5) && is(rc[1], 20, 0, 30, 5) && is(rc[2], 0, 5, 10, 10));
    EXPECT_EQ(GetRegionData(Rgn(CreateRectRgn(0, 0, 0, 0)), DWORD(buf.size()), d), sizeof(RGNDATAHEADER));
    EXPECT_EQ(d->rdh.nCount, 0u);
    EXPECT_TRUE(is(d->rdh.rcBound, 0, 0, 0, 0));
}

TEST(RegionData, ExtCreateRegionRoundTripsAndValidates) {
    Rgn e(CreateEllipticRgn(0, 0, 20, 14));
    const DWORD size = GetRegionData(e, 0, nullptr);
    std::vector<unsigned char> buf(size);
    auto* d = reinterpret_cast<RGNDATA*>(buf.data());
    GetRegionData(e, size, d);
    Rgn copy(ExtCreateRegion(nullptr, size, d));  // the same pixels, equal rows merged
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(PtInRegion(copy, x, y), PtInRegion(e, x, y));
    EXPECT_EQ(ExtCreateRegion(nullptr, size - 1, d), nullptr);  // the rectangles do not fit
    EXPECT_EQ(ExtCreateRegion(nullptr, 0, d), nullptr);
    EXPECT_EQ(ExtCreateRegion(nullptr, 100, nullptr), nullptr);
    d->rdh.dwSize = 10;
    EXPECT_EQ(ExtCreateRegion(nullptr, size, d), nullptr);
    RgnData lie{{sizeof(RGNDATAHEADER), RDH_RECTANGLES, 1000000, 0, {0, 0, 0, 0}}, {}};  // more than handed over
    EXPECT_EQ(ExtCreateRegion(nullptr, sizeof lie, reinterpret_cast<RGNDATA*>(&lie)), nullptr);
    // Overlapping rectangles are merged; an inverted one is skipped.
    RgnData u{{sizeof(RGNDATAHEADER), RDH_RECTANGLES, 4, 0, {0, 0, 0, 0}},
              {{5, 5, 15, 15}, {0, 0, 10, 10}, {12, 3, 3, 9}, {0, 20, 4, 22}}};
    const std::vector<RECT> rc = rectsOf(Rgn(ExtCreateRegion(nullptr, sizeof u, reinterpret_cast<RGNDATA*>(&u))));
    ASSERT_EQ(rc.size(), 4u);
    EXPECT_TRUE(is(rc[0], 0, 0, 10, 5) && is(rc[1], 0, 5, 15, 10) && is(rc[2], 5, 10, 15, 15) && is(rc[3], 0, 20, 4, 22));
}

TEST(RegionData, ExtCreateRegionTransforms) {
    RgnData two{{sizeof(RGNDATAHEADER), RDH_RECTANGLES, 2, 0, {0, 0, 0, 0}}, {{0, 0, 10, 10}, {20, 0, 30, 5}}};
    auto* d = reinterpret_cast<RGNDATA*>(&two);
    const DWORD size = sizeof(RGNDATAHEADER) + 2 * sizeof(RECT);
    const XFORM move{1, 0, 0, 1, 5.6f, -2.4f}, scale{2, 0, 0, 3, 1, 1}, turn{0, 1, -1, 0, 0, 0};
    EXPECT_TRUE(is(boxOf(Rgn(ExtCreateRegion(&move, size, d))), 6, -2, 36, 8));  // offsets rounded
    EXPECT_TRUE(is(boxOf(Rgn(ExtCreateRegion(&scale, size, d))), 1, 1, 61, 31));
    EXPECT_TRUE(is(boxOf(Rgn(ExtCreateRegion(&turn, size, d))), -10, 0, 0, 30));
    // Any other transform turns the rectangles into quadrilaterals.
    const XFORM rotate{0.7071f, 0.7071f, -0.7071f, 0.7071f, 5, 3};
    const std::vector<RECT> rows = rectsOf(Rgn(ExtCreateRegion(&rotate, size, d)));
    ASSERT_EQ(rows.size(), 23u);
    EXPECT_TRUE(is(rows[0], 4, 4, 6, 5) && is(rows[6], -2, 10, 12, 11) && is(rows[22], 22, 27, 24, 28));
}

// ---- the clip region -------------------------------------------------------------

struct Clip {
    int type;
    RECT box;
};

Clip clipBox(HDC dc) {
    Clip c{0, {-1, -1, -1, -1}};
    c.type = GetClipBox(dc, &c.box);
    return c;
}

// The DC's clip region's box, or type 0 when there is none.
Clip clipRegion(HDC dc) {
    Rgn r(CreateRectRgn(0, 0, 0, 0));
    Clip c{GetClipRgn(dc, r), {0, 0, 0, 0}};
    if (c.type == 1) c.type = GetRgnBox(r, &c.box);
    return c;
}

// Paints the whole surface black through the clip region; how much was painted.
int paintAll(Canvas& c) {
    POINT org;
    GetViewportOrgEx(c.dc, &org);
    PatBlt(c.dc, -org.x, -org.y, c.width(), c.height(), BLACKNESS);
    return c.ink();
}

TEST(ClipRegion, CombiningWithNoClipRegionStartsFromTheSurface) {
    Canvas c(100, 80);
    Rgn a(CreateRectRgn(10, 10, 50, 50)), b(CreateRectRgn(30, 30, 120, 60));
    EXPECT_EQ(clipRegion(c.dc).type, 0);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, a, RGN_OR), SIMPLEREGION);
    EXPECT_TRUE(is(clipRegion(c.dc).box, 0, 0, 100, 80));
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, b, RGN_AND), SIMPLEREGION);
    EXPECT_TRUE(is(clipRegion(c.dc).box, 30, 30, 100, 60));
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, a, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(paintAll(c), 100 * 80 - 40 * 40);
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, a, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(PtVisible(c.dc, 20, 20));
    EXPECT_TRUE(PtVisible(c.dc, 5, 5));
    // A null region only with RGN_COPY.
    IntersectClipRect(c.dc, 0, 0, 10, 10);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, nullptr, RGN_AND), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, a, 0), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, a, 6), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, reinterpret_cast<HRGN>(uintptr_t(0x1234)), RGN_COPY), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(nullptr, a, RGN_COPY), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(clipRegion(c.dc).type, 0);
}

TEST(ClipRegion, ResultsDescribeTheRegionAndTheBoxWhatCanBeDrawn) {
    Canvas c(100, 80);
    // Two rectangles, one of them off the surface: the box hugs the visible
    // one (the reference intersects the region's extents with the surface).
    Rgn r(CreateRectRgn(-50, -50, -40, -40)), on(CreateRectRgn(10, 10, 20, 20));
    CombineRgn(r, r, on, RGN_OR);
    EXPECT_EQ(SelectClipRgn(c.dc, r), COMPLEXREGION);
    Clip box = clipBox(c.dc);
    EXPECT_EQ(box.type, SIMPLEREGION);
    EXPECT_TRUE(is(box.box, 10, 10, 20, 20));
    // Nothing to hug: the overlap of the region's box and the surface as the reference leaves it, inverted.
    EXPECT_EQ(SelectClipRgn(c.dc, Rgn(CreateRectRgn(200, 200, 300, 300))), SIMPLEREGION);
    box = clipBox(c.dc);
    EXPECT_EQ(box.type, NULLREGION);
    EXPECT_TRUE(is(box.box, 200, 200, 100, 80));
    SetViewportOrgEx(c.dc, 10, 5, nullptr);
    EXPECT_TRUE(is(clipBox(c.dc).box, 190, 195, 90, 75));
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    EXPECT_EQ(SelectClipRgn(c.dc, Rgn(CreateRectRgn(0, 0, 0, 0))), NULLREGION);
    EXPECT_TRUE(is(clipBox(c.dc).box, 0, 0, 0, 0));
    EXPECT_EQ(paintAll(c), 0);
    // The selected region is a copy: changing it later leaves the DC alone;
    // SelectObject with a region answers with its complexity.
    SelectClipRgn(c.dc, r);
    SetRectRgn(r, 0, 0, 1, 1);
    EXPECT_TRUE(is(clipBox(c.dc).box, 10, 10, 20, 20));
    EXPECT_EQ(SelectObject(c.dc, r), reinterpret_cast<HGDIOBJ>(intptr_t(SIMPLEREGION)));
}

TEST(ClipRegion, RectanglesAreLogicalRegionsAreDevice) {
    Canvas c(100, 80);
    SetViewportOrgEx(c.dc, 5, 7, nullptr);
    EXPECT_EQ(SelectClipRgn(c.dc, Rgn(CreateRectRgn(10, 10, 50, 50))), SIMPLEREGION);
    EXPECT_TRUE(is(clipRegion(c.dc).box, 10, 10, 50, 50));  // device units
    EXPECT_TRUE(is(clipBox(c.dc).box, 5, 3, 45, 43));       // logical units
    EXPECT_EQ(IntersectClipRect(c.dc, 0, 0, 30, 30), SIMPLEREGION);
    EXPECT_TRUE(is(clipRegion(c.dc).box, 10, 10, 35, 37));
    EXPECT_EQ(ExcludeClipRect(c.dc, 20, 20, 10, 10), COMPLEXREGION);  // inverted: normalised
    EXPECT_FALSE(PtVisible(c.dc, 15, 15));
    EXPECT_TRUE(PtVisible(c.dc, 9, 9));
    EXPECT_EQ(OffsetClipRgn(c.dc, 3, 4), COMPLEXREGION);
    EXPECT_TRUE(is(clipRegion(c.dc).box, 13, 14, 38, 41));
    paintAll(c);
    EXPECT_TRUE(c.is(13, 14, RGB(0, 0, 0)) && c.white(12, 14));
    EXPECT_TRUE(c.white(25, 30));  // the excluded square, moved with the region
    // Without a clip region: the rectangle as it is; offsets change nothing.
    SelectClipRgn(c.dc, nullptr);
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    EXPECT_EQ(OffsetClipRgn(c.dc, 3, 4), NULLREGION);
    EXPECT_EQ(clipRegion(c.dc).type, 0);
    EXPECT_EQ(IntersectClipRect(c.dc, -10, -10, 300, 300), SIMPLEREGION);
    EXPECT_TRUE(is(clipRegion(c.dc).box, -10, -10, 300, 300));
    EXPECT_TRUE(is(clipBox(c.dc).box, 0, 0, 100, 80));
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(IntersectClipRect(c.dc, 40, 40, 40, 60), NULLREGION);
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(ExcludeClipRect(c.dc, -10, -10, 300, 300), NULLREGION);
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(ExcludeClipRect(c.dc, 200, 200, 300, 300), SIMPLEREGION);
}

TEST(ClipRegion, SavedWithTheDcAndQueriedSafely) {
    Canvas c(50, 50);
    SelectClipRgn(c.dc, Rgn(CreateRectRgn(-1000, -1000, 1000, 1000)));
    const int level = SaveDC(c.dc);
    IntersectClipRect(c.dc, 0, 0, 10, 10);
    EXPECT_TRUE(is(clipBox(c.dc).box, 0, 0, 10, 10));
    RestoreDC(c.dc, level);
    EXPECT_TRUE(is(clipRegion(c.dc).box, -1000, -1000, 1000, 1000));
    const HDC bogusDC = reinterpret_cast<HDC>(uintptr_t(0x1234));
    Rgn r(CreateRectRgn(0, 0, 1, 1));
    RECT rc{};
    EXPECT_EQ(GetClipRgn(c.dc, reinterpret_cast<HRGN>(uintptr_t(0x1234))), -1);
    EXPECT_EQ(GetClipRgn(bogusDC, r), -1);
    EXPECT_EQ(GetClipBox(bogusDC, &rc), ERROR);
    EXPECT_EQ(GetClipBox(c.dc, nullptr), ERROR);
    EXPECT_EQ(IntersectClipRect(nullptr, 0, 0, 1, 1), ERROR);
    EXPECT_EQ(ExcludeClipRect(nullptr, 0, 0, 1, 1), ERROR);
    EXPECT_EQ(OffsetClipRgn(nullptr, 1, 1), ERROR);
    EXPECT_EQ(IntersectClipRect(c.dc, -(1 << 27), -(1 << 27), 1 << 27, 1 << 27), SIMPLEREGION);
    EXPECT_NE(ExcludeClipRect(c.dc, INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2), ERROR);
    EXPECT_EQ(clipBox(c.dc).type, NULLREGION);
    SelectClipRgn(c.dc, nullptr);
    IntersectClipRect(c.dc, 10, 10, 20, 20);
    RECT left{0, 0, 10, 10}, overlap{0, 0, 11, 11}, point{15, 15, 15, 15}, inverted{30, 30, 15, 15};
    EXPECT_FALSE(RectVisible(c.dc, &left));
    EXPECT_TRUE(RectVisible(c.dc, &overlap));
    EXPECT_FALSE(RectVisible(c.dc, &point));
    EXPECT_TRUE(RectVisible(c.dc, &inverted));
    EXPECT_FALSE(RectVisible(c.dc, nullptr));
}

}  // namespace
