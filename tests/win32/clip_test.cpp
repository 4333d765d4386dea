// The DC's clip region: the calls' results, coordinates under a viewport
// origin, what gets painted, and bad input.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

// A 32-bpp top-down DIB section in a memory DC, filled white.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* px = nullptr;
    int width, height;

    Canvas(int w, int h) : width(w), height(h) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        px = static_cast<uint32_t*>(bits);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bmp);
        for (int i = 0; i < w * h; ++i) px[i] = 0xFFFFFF;
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    uint32_t at(int x, int y) const { return px[y * width + x] & 0xFFFFFF; }
    // Paints the whole surface black through the clip region.
    void paintAll() const {
        POINT org;
        GetViewportOrgEx(dc, &org);
        PatBlt(dc, -org.x, -org.y, width, height, BLACKNESS);
    }
    int painted() const {
        int n = 0;
        for (int i = 0; i < width * height; ++i) n += (px[i] & 0xFFFFFF) == 0;
        return n;
    }
};

struct Clip {
    int type;
    RECT box;
};

Clip clipBox(HDC dc) {
    Clip c{0, {-1, -1, -1, -1}};
    c.type = GetClipBox(dc, &c.box);
    return c;
}

bool sameRect(const RECT& a, LONG l, LONG t, LONG r, LONG b) {
    return a.left == l && a.top == t && a.right == r && a.bottom == b;
}

// The DC's clip region's box, or type 0 when there is none.
Clip clipRegion(HDC dc) {
    HRGN r = CreateRectRgn(0, 0, 0, 0);
    Clip c{GetClipRgn(dc, r), {0, 0, 0, 0}};
    if (c.type == 1) c.type = GetRgnBox(r, &c.box);
    DeleteObject(r);
    return c;
}

TEST(ClipRegion, CombiningWithNoClipRegionStartsFromTheSurface) {
    Canvas c(100, 80);
    HRGN a = CreateRectRgn(10, 10, 50, 50), b = CreateRectRgn(30, 30, 120, 60);
    EXPECT_EQ(clipRegion(c.dc).type, 0);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, a, RGN_OR), SIMPLEREGION);
    Clip r = clipRegion(c.dc);
    EXPECT_EQ(r.type, SIMPLEREGION);
    EXPECT_TRUE(sameRect(r.box, 0, 0, 100, 80));
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, b, RGN_AND), SIMPLEREGION);
    EXPECT_TRUE(sameRect(clipRegion(c.dc).box, 30, 30, 100, 60));
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, a, RGN_DIFF), COMPLEXREGION);
    c.paintAll();
    EXPECT_EQ(c.painted(), 100 * 80 - 40 * 40);
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, a, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(PtVisible(c.dc, 20, 20));
    EXPECT_TRUE(PtVisible(c.dc, 5, 5));
    DeleteObject(a);
    DeleteObject(b);
}

TEST(ClipRegion, ResultsDescribeTheClipRegionAndTheBoxWhatCanBeDrawn) {
    Canvas c(100, 80);
    // Two rectangles, one of them off the surface.
    HRGN r = CreateRectRgn(-50, -50, -40, -40), on = CreateRectRgn(10, 10, 20, 20);
    CombineRgn(r, r, on, RGN_OR);
    EXPECT_EQ(SelectClipRgn(c.dc, r), COMPLEXREGION);
    Clip box = clipBox(c.dc);
    // The visible part is one rectangle, and the box hugs it (the reference
    // intersects the region's extents with the surface instead).
    EXPECT_EQ(box.type, SIMPLEREGION);
    EXPECT_TRUE(sameRect(box.box, 10, 10, 20, 20));
    HRGN off = CreateRectRgn(200, 200, 300, 300);
    EXPECT_EQ(SelectClipRgn(c.dc, off), SIMPLEREGION);
    box = clipBox(c.dc);
    EXPECT_EQ(box.type, NULLREGION);
    // Nothing to hug: the overlap of the region's box and the surface as the
    // reference leaves it, inverted.
    EXPECT_TRUE(sameRect(box.box, 200, 200, 100, 80));
    SetViewportOrgEx(c.dc, 10, 5, nullptr);
    EXPECT_TRUE(sameRect(clipBox(c.dc).box, 190, 195, 90, 75));
    SetViewportOrgEx(c.dc, 0, 0, nullptr);
    EXPECT_EQ(IntersectClipRect(c.dc, 0, 0, 500, 500), SIMPLEREGION);
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(SelectClipRgn(c.dc, empty), NULLREGION);
    box = clipBox(c.dc);
    EXPECT_EQ(box.type, NULLREGION);
    EXPECT_TRUE(sameRect(box.box, 0, 0, 0, 0));
    c.paintAll();
    EXPECT_EQ(c.painted(), 0);
    DeleteObject(r);
    DeleteObject(on);
    DeleteObject(off);
    DeleteObject(empty);
}

TEST(ClipRegion, NullRegionOnlyWithCopy) {
    Canvas c(40, 30);
    IntersectClipRect(c.dc, 0, 0, 10, 10);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, nullptr, RGN_AND), ERROR);
    EXPECT_TRUE(sameRect(clipRegion(c.dc).box, 0, 0, 10, 10));  // unchanged
    EXPECT_EQ(ExtSelectClipRgn(c.dc, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(clipRegion(c.dc).type, 0);
    HRGN r = CreateRectRgn(0, 0, 5, 5);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, r, 0), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, r, 6), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(c.dc, reinterpret_cast<HRGN>(uintptr_t(0x1234)), RGN_COPY), ERROR);
    EXPECT_EQ(clipRegion(c.dc).type, 0);
    EXPECT_EQ(ExtSelectClipRgn(nullptr, r, RGN_COPY), ERROR);
    DeleteObject(r);
}

TEST(ClipRegion, RectanglesAreLogicalRegionsAreDevice) {
    Canvas c(100, 80);
    SetViewportOrgEx(c.dc, 5, 7, nullptr);
    HRGN a = CreateRectRgn(10, 10, 50, 50);
    EXPECT_EQ(SelectClipRgn(c.dc, a), SIMPLEREGION);
    EXPECT_TRUE(sameRect(clipRegion(c.dc).box, 10, 10, 50, 50));  // device units
    EXPECT_TRUE(sameRect(clipBox(c.dc).box, 5, 3, 45, 43));       // logical units
    EXPECT_EQ(IntersectClipRect(c.dc, 0, 0, 30, 30), SIMPLEREGION);
    EXPECT_TRUE(sameRect(clipRegion(c.dc).box, 10, 10, 35, 37));
    // An inverted rectangle is normalised.
    EXPECT_EQ(ExcludeClipRect(c.dc, 20, 20, 10, 10), COMPLEXREGION);
    EXPECT_FALSE(PtVisible(c.dc, 15, 15));
    EXPECT_TRUE(PtVisible(c.dc, 9, 9));
    EXPECT_EQ(OffsetClipRgn(c.dc, 3, 4), COMPLEXREGION);
    EXPECT_TRUE(sameRect(clipRegion(c.dc).box, 13, 14, 38, 41));
    c.paintAll();
    EXPECT_EQ(c.at(13, 14), 0u);
    EXPECT_EQ(c.at(12, 14), 0xFFFFFFu);
    EXPECT_EQ(c.at(25, 30), 0xFFFFFFu);  // the excluded square, moved with the region
    DeleteObject(a);
}

TEST(ClipRegion, IntersectWithoutClipKeepsTheRectangleAsItIs) {
    Canvas c(100, 80);
    EXPECT_EQ(IntersectClipRect(c.dc, -10, -10, 300, 300), SIMPLEREGION);
    EXPECT_TRUE(sameRect(clipRegion(c.dc).box, -10, -10, 300, 300));
    EXPECT_TRUE(sameRect(clipBox(c.dc).box, 0, 0, 100, 80));
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(IntersectClipRect(c.dc, 40, 40, 40, 60), NULLREGION);
    EXPECT_EQ(clipBox(c.dc).type, NULLREGION);
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(ExcludeClipRect(c.dc, -10, -10, 300, 300), NULLREGION);
    SelectClipRgn(c.dc, nullptr);
    EXPECT_EQ(ExcludeClipRect(c.dc, 200, 200, 300, 300), SIMPLEREGION);
}

TEST(ClipRegion, OffsetWithoutClipRegionChangesNothing) {
    Canvas c(20, 20);
    EXPECT_EQ(OffsetClipRgn(c.dc, 3, 4), NULLREGION);
    EXPECT_EQ(clipRegion(c.dc).type, 0);
    EXPECT_EQ(clipBox(c.dc).type, SIMPLEREGION);
    EXPECT_EQ(OffsetClipRgn(nullptr, 1, 1), ERROR);
}

TEST(ClipRegion, SaveAndRestoreTheClipRegion) {
    Canvas c(50, 50);
    HRGN big = CreateRectRgn(-1000, -1000, 1000, 1000);
    SelectClipRgn(c.dc, big);
    const int level = SaveDC(c.dc);
    IntersectClipRect(c.dc, 0, 0, 10, 10);
    EXPECT_TRUE(sameRect(clipBox(c.dc).box, 0, 0, 10, 10));
    RestoreDC(c.dc, level);
    EXPECT_TRUE(sameRect(clipRegion(c.dc).box, -1000, -1000, 1000, 1000));
    // The selected region is a copy: changing it later leaves the DC alone.
    SetRectRgn(big, 0, 0, 1, 1);
    EXPECT_TRUE(sameRect(clipBox(c.dc).box, 0, 0, 50, 50));
    // SelectObject with a region answers with the region's complexity.
    EXPECT_EQ(SelectObject(c.dc, big), reinterpret_cast<HGDIOBJ>(intptr_t(SIMPLEREGION)));
    DeleteObject(big);
}

TEST(ClipRegion, QueriesRefuseBadInput) {
    Canvas c(10, 10);
    HRGN r = CreateRectRgn(0, 0, 1, 1);
    RECT rc;
    EXPECT_EQ(GetClipRgn(c.dc, reinterpret_cast<HRGN>(uintptr_t(0x1234))), -1);
    EXPECT_EQ(GetClipRgn(reinterpret_cast<HDC>(uintptr_t(0x1234)), r), -1);
    EXPECT_EQ(GetClipBox(reinterpret_cast<HDC>(uintptr_t(0x1234)), &rc), ERROR);
    EXPECT_EQ(GetClipBox(c.dc, nullptr), ERROR);
    EXPECT_EQ(IntersectClipRect(nullptr, 0, 0, 1, 1), ERROR);
    EXPECT_EQ(ExcludeClipRect(nullptr, 0, 0, 1, 1), ERROR);
    // Huge rectangles are fine.
    EXPECT_EQ(IntersectClipRect(c.dc, -(1 << 27), -(1 << 27), 1 << 27, 1 << 27), SIMPLEREGION);
    EXPECT_NE(ExcludeClipRect(c.dc, INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2), ERROR);
    EXPECT_EQ(clipBox(c.dc).type, NULLREGION);
    DeleteObject(r);
}

TEST(ClipRegion, RectVisible) {
    Canvas c(50, 50);
    IntersectClipRect(c.dc, 10, 10, 20, 20);
    RECT left{0, 0, 10, 10}, overlap{0, 0, 11, 11}, point{15, 15, 15, 15}, inverted{30, 30, 15, 15};
    EXPECT_FALSE(RectVisible(c.dc, &left));
    EXPECT_TRUE(RectVisible(c.dc, &overlap));
    EXPECT_FALSE(RectVisible(c.dc, &point));
    EXPECT_TRUE(RectVisible(c.dc, &inverted));
    EXPECT_FALSE(RectVisible(c.dc, nullptr));
}

}  // namespace
