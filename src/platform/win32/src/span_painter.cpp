// The one span painter: every primitive ends here as horizontal runs that are
// clipped to the visible region and written with the tile's and/xor pairs.
#include "dc_p.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

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

void PaintTile::finish() {
    opaqueCopy = true;
    for (const RopPair& p : pairs)
        if (p.andMask != 0) opaqueCopy = false;
    // Rows of at least this many pixels keep the number of stretches per run
    // small; tiles larger than kMaxExpanded pixels are painted from `pairs`.
    constexpr int kMinSpan = 256;
    constexpr size_t kMaxExpanded = size_t{1} << 16;
    span = 0;
    if (width <= 0 || height <= 0 || static_cast<size_t>(width) * height > kMaxExpanded) return;
    const int s = (kMinSpan + width - 1) / width * width;
    andRows.resize(static_cast<size_t>(s) * height);
    xorRows.resize(static_cast<size_t>(s) * height);
    for (int y = 0; y < height; ++y) {
        uint32_t* a = andRows.data() + static_cast<size_t>(y) * s;
        uint32_t* x = xorRows.data() + static_cast<size_t>(y) * s;
        for (int i = 0; i < width; ++i) {
            a[i] = pairs[static_cast<size_t>(y) * width + i].andMask;
            x[i] = pairs[static_cast<size_t>(y) * width + i].xorMask;
        }
        // The rest of the row repeats what is there, doubling each time.
        for (int done = width; done < s; done *= 2) {
            const int n = std::min(done, s - done);
            std::memcpy(a + done, a, sizeof(uint32_t) * n);
            std::memcpy(x + done, x, sizeof(uint32_t) * n);
        }
    }
    span = s;
}

namespace {

static_assert(sizeof(wchar_t) == sizeof(uint32_t), "32-bit stores go through wmemset");

inline int wrap(int64_t v, int n) {  // 64 bits: positions minus origins may leave the int range
    const auto m = static_cast<int>(v % n);
    return m < 0 ? m + n : m;
}

// Four pixels at a time through the compiler's vector extension, which every
// target maps to its SIMD registers without asking for -O3 or intrinsics.
using Quad = uint32_t __attribute__((vector_size(16)));

inline Quad load(const uint32_t* p) {
    Quad v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void store(uint32_t* p, Quad v) { std::memcpy(p, &v, sizeof v); }

// The libc fill is the fastest store there is (the same code as memset).
inline void fill32(uint32_t* p, size_t n, uint32_t v) {
    std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(v), n);
}

void xor32(uint32_t* p, size_t n, uint32_t x) {
    const Quad q = {x, x, x, x};
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        store(p + i, load(p + i) ^ q);
        store(p + i + 4, load(p + i + 4) ^ q);
    }
    for (; i < n; ++i) p[i] ^= x;
}

void andXor32(uint32_t* p, size_t n, uint32_t a, uint32_t x) {
    const Quad qa = {a, a, a, a}, qx = {x, x, x, x};
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        store(p + i, (load(p + i) & qa) ^ qx);
        store(p + i + 4, (load(p + i + 4) & qa) ^ qx);
    }
    for (; i < n; ++i) p[i] = (p[i] & a) ^ x;
}

void andXorRows32(uint32_t* p, size_t n, const uint32_t* a, const uint32_t* x) {
    size_t i = 0;
    for (; i + 4 <= n; i += 4) store(p + i, (load(p + i) & load(a + i)) ^ load(x + i));
    for (; i < n; ++i) p[i] = (p[i] & a[i]) ^ x[i];
}

// n pixels from p on, all with one and/xor pair.
void solid32(uint32_t* p, size_t n, RopPair r) {
    if (r.andMask == 0)
        fill32(p, n, r.xorMask);
    else if (r.andMask == ~0u)
        xor32(p, n, r.xorMask);  // a zero xor-mask (R2_NOP) never gets here
    else
        andXor32(p, n, r.andMask, r.xorMask);
}

bool isNop(const PaintTile& tile) {
    return tile.width == 1 && tile.height == 1 && tile.pairs[0].andMask == ~0u && tile.pairs[0].xorMask == 0;
}

// Paints [x0, x1) of row y.
void paintRun(const Surface& s, const PaintTile& tile, POINT origin, int y, int x0, int x1) {
    const size_t n = static_cast<size_t>(x1 - x0);
    if (s.bpp == 32) {
        uint32_t* p = s.row32(y) + x0;
        if (tile.width == 1 && tile.height == 1) {
            solid32(p, n, tile.pairs[0]);
            return;
        }
        const int tx = wrap(int64_t{x0} - origin.x, tile.width);
        const int ty = wrap(int64_t{y} - origin.y, tile.height);
        if (tile.span) {
            // Whole stretches of the repeated row: after the first one the
            // phase is back at the start of the tile.
            const size_t at = static_cast<size_t>(ty) * tile.span;
            size_t phase = static_cast<size_t>(tx), left = n;
            while (left) {
                const size_t c = std::min(left, static_cast<size_t>(tile.span) - phase);
                if (tile.opaqueCopy)
                    std::memcpy(p, tile.xorRows.data() + at + phase, c * sizeof(uint32_t));
                else
                    andXorRows32(p, c, tile.andRows.data() + at + phase, tile.xorRows.data() + at + phase);
                p += c;
                left -= c;
                phase = 0;
            }
            return;
        }
        const RopPair* row = tile.pairs.data() + static_cast<size_t>(ty) * tile.width;
        int k = tx;
        for (size_t i = 0; i < n; ++i) {
            p[i] = (p[i] & row[k].andMask) ^ row[k].xorMask;
            if (++k == tile.width) k = 0;
        }
        return;
    }
    const RopPair* row = tile.pairs.data() + static_cast<size_t>(wrap(int64_t{y} - origin.y, tile.height)) * tile.width;
    int k = wrap(int64_t{x0} - origin.x, tile.width);
    for (int x = x0; x < x1; ++x) {
        writePixel(s, x, y, (readPixel(s, x, y) & row[k].andMask) ^ row[k].xorMask);
        if (++k == tile.width) k = 0;
    }
}

// Paints the rows [y0, y1) of [x0, x1). Solid paints over rows that follow
// one another in memory without padding go as one run.
void paintBlock(const Surface& s, const PaintTile& tile, POINT origin, int x0, int y0, int x1, int y1) {
    if (s.bpp == 32 && tile.width == 1 && tile.height == 1 && x0 == 0 && x1 == s.width &&
        s.pitch == static_cast<ptrdiff_t>(s.width) * 4) {
        solid32(s.row32(y0), static_cast<size_t>(x1) * static_cast<size_t>(y1 - y0), tile.pairs[0]);
        return;
    }
    for (int y = y0; y < y1; ++y) paintRun(s, tile, origin, y, x0, x1);
}

// The first box of the band that contains y, or end.
const pixman_box32_t* bandFor(const pixman_box32_t* begin, const pixman_box32_t* end, int y) {
    return std::partition_point(begin, end, [y](const pixman_box32_t& b) { return b.y2 <= y; });
}

}  // namespace

void paintSpans(const Surface& s, const PixRegion& visible, const PaintTile& tile, POINT origin, const Span* spans,
                size_t count) {
    if (tile.empty() || !s.valid() || isNop(tile)) return;
    int nboxes = 0;
    const pixman_box32_t* boxes = visible.rects(&nboxes);
    if (nboxes == 0) return;
    const pixman_box32_t* end = boxes + nboxes;
    if (nboxes == 1 && tile.width == 1 && tile.height == 1 && s.bpp == 32) {
        // One clip rectangle and one colour: the common case of lines and
        // outlines, many short spans.
        const pixman_box32_t b = boxes[0];
        const RopPair r = tile.pairs[0];
        for (size_t i = 0; i < count; ++i) {
            const Span& sp = spans[i];
            if (sp.y < b.y1 || sp.y >= b.y2) continue;
            const int x0 = std::max(sp.x, b.x1);
            const int x1 = static_cast<int>(std::min<long long>(static_cast<long long>(sp.x) + sp.len, b.x2));
            if (x0 >= x1) continue;
            uint32_t* p = s.row32(sp.y) + x0;
            if (x1 - x0 == 1)
                *p = (*p & r.andMask) ^ r.xorMask;
            else
                solid32(p, static_cast<size_t>(x1 - x0), r);
        }
        return;
    }
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
    if (tile.empty() || !s.valid() || isNop(tile) || rc.left >= rc.right || rc.top >= rc.bottom) return;
    int nboxes = 0;
    const pixman_box32_t* boxes = visible.rects(&nboxes);
    const pixman_box32_t* end = boxes + nboxes;
    for (const pixman_box32_t* b = bandFor(boxes, end, rc.top); b < end && b->y1 < rc.bottom; ++b) {
        const int x0 = std::max<int>(rc.left, b->x1), x1 = std::min<int>(rc.right, b->x2);
        const int y0 = std::max<int>(rc.top, b->y1), y1 = std::min<int>(rc.bottom, b->y2);
        if (x0 < x1) paintBlock(s, tile, origin, x0, y0, x1, y1);
    }
}

void paintRegion(const Surface& s, const PixRegion& visible, const PaintTile& tile, POINT origin,
                 const PixRegion& rgn) {
    if (tile.empty() || !s.valid() || isNop(tile)) return;
    int nv = 0, n = 0;
    const pixman_box32_t* vis = visible.rects(&nv);
    if (nv == 1) {
        // The usual case, a rectangular visible area: clip box by box, no
        // region arithmetic.
        const pixman_box32_t* boxes = rgn.rects(&n);
        for (int i = 0; i < n; ++i) {
            const int x0 = std::max(boxes[i].x1, vis->x1), x1 = std::min(boxes[i].x2, vis->x2);
            const int y0 = std::max(boxes[i].y1, vis->y1), y1 = std::min(boxes[i].y2, vis->y2);
            if (x0 < x1 && y0 < y1) paintBlock(s, tile, origin, x0, y0, x1, y1);
        }
        return;
    }
    PixRegion clipped(rgn);
    clipped.intersect(visible);
    const pixman_box32_t* boxes = clipped.rects(&n);
    for (int i = 0; i < n; ++i) paintBlock(s, tile, origin, boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2);
}

}  // namespace hmigfx::win32
