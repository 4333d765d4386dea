// The one span painter: every primitive ends here as horizontal runs that are
// clipped to the visible region and written with the tile's and/xor pairs.
#include "dc_p.h"

#include <algorithm>

namespace hmigfx::win32 {

RopPair rop2Pair(int rop2, uint32_t src, uint32_t pixelMask) {
    // R2_x - 1 is a truth table: bit (2 * pen + dst) is the result for that
    // pair of bits. Per bit of the pen, the result is 0, 1, dst or ~dst.
    const unsigned table = static_cast<unsigned>(rop2 - 1) & 15u;
    auto all = [table](int pen, int dst) -> uint32_t { return ((table >> (2 * pen + dst)) & 1u) ? ~0u : 0u; };
    const uint32_t whenDst0 = (src & all(1, 0)) | (~src & all(0, 0));
    const uint32_t whenDst1 = (src & all(1, 1)) | (~src & all(0, 1));
    return {(whenDst0 ^ whenDst1) & pixelMask, whenDst0 & pixelMask};
}

namespace {

inline int wrap(int v, int n) {
    int m = v % n;
    return m < 0 ? m + n : m;
}

void runSolid32(uint32_t* p, int n, RopPair r) {
    if (r.andMask == 0) {
        std::fill_n(p, n, r.xorMask);
    } else if (r.xorMask == 0) {
        if (r.andMask != ~0u)
            for (int i = 0; i < n; ++i) p[i] &= r.andMask;
    } else if (r.andMask == ~0u) {
        for (int i = 0; i < n; ++i) p[i] ^= r.xorMask;
    } else {
        for (int i = 0; i < n; ++i) p[i] = (p[i] & r.andMask) ^ r.xorMask;
    }
}

// Paints [x0, x1) of row y.
void paintRun(const Surface& s, const PaintTile& tile, POINT origin, int y, int x0, int x1) {
    const int n = x1 - x0;
    if (tile.width == 1 && tile.height == 1) {
        const RopPair r = tile.pairs[0];
        if (s.bpp == 32) {
            runSolid32(s.row32(y) + x0, n, r);
        } else {
            for (int x = x0; x < x1; ++x) writePixel(s, x, y, (readPixel(s, x, y) & r.andMask) ^ r.xorMask);
        }
        return;
    }
    const RopPair* row = tile.pairs.data() + static_cast<size_t>(wrap(y - origin.y, tile.height)) * tile.width;
    int tx = wrap(x0 - origin.x, tile.width);
    if (s.bpp == 32) {
        uint32_t* p = s.row32(y) + x0;
        if (tile.opaqueCopy) {
            for (int i = 0; i < n; ++i) {
                p[i] = row[tx].xorMask;
                if (++tx == tile.width) tx = 0;
            }
        } else {
            for (int i = 0; i < n; ++i) {
                p[i] = (p[i] & row[tx].andMask) ^ row[tx].xorMask;
                if (++tx == tile.width) tx = 0;
            }
        }
        return;
    }
    for (int x = x0; x < x1; ++x) {
        writePixel(s, x, y, (readPixel(s, x, y) & row[tx].andMask) ^ row[tx].xorMask);
        if (++tx == tile.width) tx = 0;
    }
}

// The first box of the band that contains y, or end.
const pixman_box32_t* bandFor(const pixman_box32_t* begin, const pixman_box32_t* end, int y) {
    return std::partition_point(begin, end, [y](const pixman_box32_t& b) { return b.y2 <= y; });
}

}  // namespace

void paintSpans(const Surface& s, const PixRegion& visible, const PaintTile& tile, POINT origin, const Span* spans,
                size_t count) {
    if (tile.empty() || !s.valid()) return;
    int nboxes = 0;
    const pixman_box32_t* boxes = visible.rects(&nboxes);
    if (nboxes == 0) return;
    const pixman_box32_t* end = boxes + nboxes;
    for (size_t i = 0; i < count; ++i) {
        const Span& sp = spans[i];
        if (sp.len <= 0) continue;
        const long long sx1 = static_cast<long long>(sp.x) + sp.len;
        for (const pixman_box32_t* b = bandFor(boxes, end, sp.y); b < end && b->y1 <= sp.y; ++b) {
            const int x0 = std::max(sp.x, b->x1);
            const int x1 = static_cast<int>(std::min<long long>(sx1, b->x2));
            if (x0 < x1) paintRun(s, tile, origin, sp.y, x0, x1);
        }
    }
}

void paintRect(const Surface& s, const PixRegion& visible, const PaintTile& tile, POINT origin, const RECT& rc) {
    if (tile.empty() || !s.valid() || rc.left >= rc.right || rc.top >= rc.bottom) return;
    int nboxes = 0;
    const pixman_box32_t* boxes = visible.rects(&nboxes);
    const pixman_box32_t* end = boxes + nboxes;
    for (const pixman_box32_t* b = bandFor(boxes, end, rc.top); b < end && b->y1 < rc.bottom; ++b) {
        const int x0 = std::max<int>(rc.left, b->x1), x1 = std::min<int>(rc.right, b->x2);
        const int y0 = std::max<int>(rc.top, b->y1), y1 = std::min<int>(rc.bottom, b->y2);
        if (x0 >= x1) continue;
        for (int y = y0; y < y1; ++y) paintRun(s, tile, origin, y, x0, x1);
    }
}

void paintRegion(const Surface& s, const PixRegion& visible, const PaintTile& tile, POINT origin,
                 const PixRegion& rgn) {
    if (tile.empty() || !s.valid()) return;
    PixRegion clipped(rgn);
    clipped.intersect(visible);
    int n = 0;
    const pixman_box32_t* boxes = clipped.rects(&n);
    for (int i = 0; i < n; ++i)
        for (int y = boxes[i].y1; y < boxes[i].y2; ++y) paintRun(s, tile, origin, y, boxes[i].x1, boxes[i].x2);
}

}  // namespace hmigfx::win32
