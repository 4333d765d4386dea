// Region objects and the region API over pixman.
#include "dc_p.h"
#include "region_p.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace hmigfx::win32 {

PixRegion::PixRegion(const RECT& rc) : PixRegion() { setRect(rc); }

void PixRegion::swap(PixRegion& o) noexcept {
    // pixman regions hold a pointer to out-of-line data or to their own extents
    // box; swapping the structs keeps both valid.
    pixman_region32_t tmp = r_;
    r_ = o.r_;
    o.r_ = tmp;
}

RECT PixRegion::box() const {
    if (empty()) return {0, 0, 0, 0};
    const pixman_box32_t* b = pixman_region32_extents(const_cast<pixman_region32_t*>(&r_));
    return {b->x1, b->y1, b->x2, b->y2};
}

int PixRegion::type() const {
    int n = rectCount();
    return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void PixRegion::setRect(const RECT& rc) {
    const int l = std::min(rc.left, rc.right), r = std::max(rc.left, rc.right);
    const int t = std::min(rc.top, rc.bottom), b = std::max(rc.top, rc.bottom);
    pixman_region32_fini(&r_);
    if (l == r || t == b)
        pixman_region32_init(&r_);
    else  // the extent may exceed INT_MAX; pixman takes it unsigned
        pixman_region32_init_rect(&r_, l, t, static_cast<unsigned>(static_cast<int64_t>(r) - l),
                                  static_cast<unsigned>(static_cast<int64_t>(b) - t));
}

pixman_region32_data_t* PixRegion::allocBoxes(int capacity) {
    // pixman keeps its rectangles after a small header and frees both with free().
    const size_t n = static_cast<size_t>(std::max(capacity, 1));
    auto* data = static_cast<pixman_region32_data_t*>(std::malloc(sizeof(pixman_region32_data_t) + n * sizeof(pixman_box32_t)));
    if (data) data->size = static_cast<long>(n);
    return data;
}

void PixRegion::adoptBoxes(pixman_region32_data_t* data, int n) {
    const auto* boxes = reinterpret_cast<const pixman_box32_t*>(data + 1);
    if (n <= 1) {
        if (n == 1)
            setRect(RECT{boxes[0].x1, boxes[0].y1, boxes[0].x2, boxes[0].y2});
        else
            clear();
        std::free(data);
        return;
    }
    data->numRects = n;
    pixman_box32_t ext{boxes[0].x1, boxes[0].y1, boxes[0].x2, boxes[n - 1].y2};
    for (int i = 1; i < n; ++i) {
        ext.x1 = std::min(ext.x1, boxes[i].x1);
        ext.x2 = std::max(ext.x2, boxes[i].x2);
    }
    pixman_region32_fini(&r_);
    r_.extents = ext;
    r_.data = data;
    assert(pixman_region32_selfcheck(&r_));
}

bool PixRegion::setBoxes(const pixman_box32_t* boxes, int n) {
    return fillBoxes(n, [&](pixman_box32_t* out) {
        if (n > 0) std::memcpy(out, boxes, static_cast<size_t>(n) * sizeof *boxes);
        return n;
    });
}

void PixRegion::coalesce() {
    int n = 0;
    const pixman_box32_t* in = rects(&n);
    if (n < 2) return;
    // The band starting at i and its length.
    auto bandEnd = [&](int i) {
        int j = i;
        while (j < n && in[j].y1 == in[i].y1) ++j;
        return j;
    };
    auto sameSpans = [&](int a, int b, int count) {
        for (int k = 0; k < count; ++k)
            if (in[a + k].x1 != in[b + k].x1 || in[a + k].x2 != in[b + k].x2) return false;
        return true;
    };
    // Most regions come out of pixman merged already: look before copying.
    bool mergeable = false;
    for (int prev = 0, i = bandEnd(0); i < n && !mergeable;) {
        const int j = bandEnd(i);
        mergeable = j - i == i - prev && in[prev].y2 == in[i].y1 && sameSpans(prev, i, j - i);
        prev = i;
        i = j;
    }
    if (!mergeable) return;
    std::vector<pixman_box32_t> out;
    out.reserve(static_cast<size_t>(n));
    size_t prevBand = 0, prevCount = 0;  // the last band written to out
    for (int i = 0; i < n;) {
        const int j = bandEnd(i);
        const size_t count = static_cast<size_t>(j - i);
        bool same = prevCount == count && out[prevBand].y2 == in[i].y1;
        for (size_t k = 0; same && k < count; ++k)
            same = out[prevBand + k].x1 == in[i + k].x1 && out[prevBand + k].x2 == in[i + k].x2;
        if (same) {
            for (size_t k = 0; k < count; ++k) out[prevBand + k].y2 = in[i].y2;
        } else {
            prevBand = out.size();
            prevCount = count;
            out.insert(out.end(), in + i, in + j);
        }
        i = j;
    }
    setBoxes(out.data(), static_cast<int>(out.size()));
}

void PixRegion::intersectRect(const RECT& rc) {
    if (rc.left >= rc.right || rc.top >= rc.bottom) {
        clear();
        return;
    }
    // The extent may exceed INT_MAX; pixman takes it unsigned.
    pixman_region32_intersect_rect(&r_, &r_, rc.left, rc.top, static_cast<unsigned>(int64_t{rc.right} - rc.left),
                                   static_cast<unsigned>(int64_t{rc.bottom} - rc.top));
}

namespace {

// One row band of a region's boxes: [begin, end) share y1 and y2.
struct Band {
    const pixman_box32_t* begin;
    const pixman_box32_t* end;
};

Band bandAt(const pixman_box32_t* p, const pixman_box32_t* last) {
    const pixman_box32_t* q = p;
    while (q != last && q->y1 == p->y1) ++q;
    return Band{p, q};
}

// Appends nothing; makes the band out[start..] one with the band above it
// when both have the same spans and touch. prevBand is where that band starts.
void coalesceLast(std::vector<pixman_box32_t>& out, size_t& prevBand, size_t start) {
    const size_t len = out.size() - start;
    if (!len) return;
    if (start > 0 && start - prevBand == len && out[prevBand].y2 == out[start].y1) {
        bool same = true;
        for (size_t k = 0; k < len && same; ++k)
            same = out[prevBand + k].x1 == out[start + k].x1 && out[prevBand + k].x2 == out[start + k].x2;
        if (same) {
            const int32_t y2 = out[start].y2;
            for (size_t k = 0; k < len; ++k) out[prevBand + k].y2 = y2;
            out.resize(start);
            return;
        }
    }
    prevBand = start;
}

// a XOR b in one sweep down both box lists, with the rectangles GDI's engine
// gets from (a - b) | (b - a). The spans of each row band are toggled edge by
// edge (edges that meet cancel, so runs come out maximal) and a band with the
// same spans as the one just above extends it. Below the side that ends
// first, the engine copies the other side's rows as they are, merging only
// the first of them upwards; so does this.
bool xorInto(PixRegion& dst, const PixRegion& a, const PixRegion& b) {
    const pixman_box32_t& xa = a.get()->extents;
    const pixman_box32_t& xb = b.get()->extents;
    if (a.empty() || b.empty() || xa.x2 <= xb.x1 || xb.x2 <= xa.x1 || xa.y2 <= xb.y1 || xb.y2 <= xa.y1) {
        // Apart, the engine hands both sides back as they are, unmerged.
        PixRegion mine, theirs;
        pixman_region32_subtract(mine.get(), const_cast<pixman_region32_t*>(a.get()),
                                 const_cast<pixman_region32_t*>(b.get()));
        pixman_region32_subtract(theirs.get(), const_cast<pixman_region32_t*>(b.get()),
                                 const_cast<pixman_region32_t*>(a.get()));
        pixman_region32_union(dst.get(), mine.get(), theirs.get());
        return true;
    }
    int na = 0, nb = 0;
    const pixman_box32_t* pa = a.rects(&na);
    const pixman_box32_t* pb = b.rects(&nb);
    const pixman_box32_t *ea = pa + na, *eb = pb + nb;
    thread_local std::vector<pixman_box32_t> out;  // reused: no allocation per call
    out.clear();
    size_t prevBand = 0;
    int y = INT32_MIN;
    while (pa != ea && pb != eb) {
        const Band ba = bandAt(pa, ea), bb = bandAt(pb, eb);
        y = std::max(y, std::min(pa->y1, pb->y1));
        const bool inA = pa->y1 <= y, inB = pb->y1 <= y;
        const int bottom = std::min(inA ? pa->y2 : pa->y1, inB ? pb->y2 : pb->y1);

        const size_t start = out.size();
        const pixman_box32_t *ia = inA ? ba.begin : ba.end, *ib = inB ? bb.begin : bb.end;
        int edgeA = 0, edgeB = 0;  // 0: the next edge is a box's x1, 1: its x2
        bool on = false;
        int runStart = 0;
        while (ia != ba.end || ib != bb.end) {
            const int xA = ia != ba.end ? (edgeA ? ia->x2 : ia->x1) : INT32_MAX;
            const int xB = ib != bb.end ? (edgeB ? ib->x2 : ib->x1) : INT32_MAX;
            const int x = std::min(xA, xB);
            int flips = 0;
            if (xA == x) {
                ++flips;
                if ((edgeA ^= 1) == 0) ++ia;
            }
            if (xB == x) {
                ++flips;
                if ((edgeB ^= 1) == 0) ++ib;
            }
            if (flips != 1) continue;  // two edges meeting cancel
            if (on) out.push_back(pixman_box32_t{runStart, y, x, bottom});
            runStart = x;
            on = !on;
        }
        coalesceLast(out, prevBand, start);

        y = bottom;
        if (inA && y >= pa->y2) pa = ba.end;
        if (inB && y >= pb->y2) pb = bb.end;
    }
    // The side left over: its current band from y on, merged upwards if it
    // can be, then its remaining rows as they are.
    const pixman_box32_t* p = pa != ea ? pa : pb;
    const pixman_box32_t* e = pa != ea ? ea : eb;
    if (p != e) {
        const Band first = bandAt(p, e);
        const size_t start = out.size();
        for (const pixman_box32_t* q = first.begin; q != first.end; ++q)
            out.push_back(pixman_box32_t{q->x1, std::max(q->y1, y), q->x2, q->y2});
        coalesceLast(out, prevBand, start);
        out.insert(out.end(), first.end, e);
    }
    return dst.setBoxes(out.data(), static_cast<int>(out.size()));
}

}  // namespace

void PixRegion::exclusiveOr(const PixRegion& o) {
    if (!xorInto(*this, *this, o)) clear();
}

void combineRegions(PixRegion& dst, const PixRegion& a, const PixRegion& b, int mode) {
    pixman_region32_t* d = dst.get();
    pixman_region32_t* pa = const_cast<pixman_region32_t*>(a.get());
    pixman_region32_t* pb = const_cast<pixman_region32_t*>(b.get());
    switch (mode) {
    case RGN_AND:
        // pixman hands back a copy when one side is a rectangle covering the
        // other; GDI always runs the band sweep, which merges equal rows.
        pixman_region32_intersect(d, pa, pb);
        dst.coalesce();
        break;
    case RGN_OR: pixman_region32_union(d, pa, pb); break;
    case RGN_DIFF: pixman_region32_subtract(d, pa, pb); break;
    case RGN_XOR:
        if (!xorInto(dst, a, b)) dst.clear();
        break;
    default:
        if (&dst != &a) dst = a;
        break;
    }
}

bool rectMeetsRegion(const PixRegion& r, const RECT& rc) {
    const int l = std::min(rc.left, rc.right), rt = std::max(rc.left, rc.right);
    const int t = std::min(rc.top, rc.bottom), b = std::max(rc.top, rc.bottom);
    int n = 0;
    const pixman_box32_t* boxes = r.rects(&n);
    for (int i = 0; i < n; ++i) {
        const pixman_box32_t& x = boxes[i];
        if (x.y1 >= b) break;
        if (x.y2 > t && x.x2 > l && x.x1 < rt) return true;
    }
    return false;
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

namespace {

HRGN newRegion(PixRegion&& r) {
    auto obj = std::make_unique<Region>();
    obj->rgn = std::move(r);
    return addTyped(std::move(obj));
}

}  // namespace

extern "C" {

HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2) {
    return newRegion(PixRegion(RECT{x1, y1, x2, y2}));
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* rc) {
    if (!rc) return nullptr;
    return CreateRectRgn(rc->left, rc->top, rc->right, rc->bottom);
}

BOOL WINAPI SetRectRgn(HRGN h, int left, int top, int right, int bottom) {
    Region* r = lookup<Region>(h);
    if (!r) return FALSE;
    r->rgn.setRect(RECT{left, top, right, bottom});
    return TRUE;
}

int WINAPI CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
    Region* d = lookup<Region>(dst);
    Region* a = lookup<Region>(src1);
    if (!d || !a || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    Region* b = mode == RGN_COPY ? a : lookup<Region>(src2);
    if (!b) return ERROR;
    combineRegions(d->rgn, a->rgn, b->rgn, mode);
    return d->rgn.type();
}

int WINAPI OffsetRgn(HRGN h, int x, int y) {
    Region* r = lookup<Region>(h);
    if (!r) return ERROR;
    r->rgn.offset(x, y);
    return r->rgn.type();
}

BOOL WINAPI PtInRegion(HRGN h, int x, int y) {
    Region* r = lookup<Region>(h);
    return r && r->rgn.contains(x, y);
}

BOOL WINAPI RectInRegion(HRGN h, const RECT* rc) {
    Region* r = lookup<Region>(h);
    return r && rc && rectMeetsRegion(r->rgn, *rc);
}

int WINAPI GetRgnBox(HRGN h, LPRECT rc) {
    Region* r = lookup<Region>(h);
    if (!r || !rc) return ERROR;
    *rc = r->rgn.box();
    return r->rgn.type();
}

DWORD WINAPI GetRegionData(HRGN h, DWORD size, LPRGNDATA data) {
    Region* r = lookup<Region>(h);
    if (!r) return 0;
    int n = 0;
    const pixman_box32_t* boxes = r->rgn.rects(&n);
    DWORD needed = static_cast<DWORD>(sizeof(RGNDATAHEADER) + n * sizeof(RECT));
    if (!data) return needed;
    if (size < needed) return 0;
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(n);
    data->rdh.nRgnSize = static_cast<DWORD>(n * sizeof(RECT));
    data->rdh.rcBound = r->rgn.box();
    auto* out = reinterpret_cast<RECT*>(data->Buffer);
    for (int i = 0; i < n; ++i) {
        RECT rc{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2};
        std::memcpy(out + i, &rc, sizeof rc);
    }
    return needed;
}

HRGN WINAPI ExtCreateRegion(const XFORM* xf, DWORD count, const RGNDATA* data) {
    if (!data || data->rdh.dwSize < sizeof(RGNDATAHEADER) || count < sizeof(RGNDATAHEADER)) return nullptr;
    // Never read past what the caller says it handed over.
    if ((count - sizeof(RGNDATAHEADER)) / sizeof(RECT) < data->rdh.nCount) return nullptr;
    auto round = [](double v) {
        return static_cast<LONG>(std::clamp(std::floor(v + 0.5), -2147483648.0, 2147483647.0));
    };
    auto map = [&](LONG x, LONG y) -> POINT {
        if (!xf) return {x, y};
        return {round(x * static_cast<double>(xf->eM11) + y * static_cast<double>(xf->eM21) + xf->eDx),
                round(x * static_cast<double>(xf->eM12) + y * static_cast<double>(xf->eM22) + xf->eDy)};
    };
    // Scaling, mirroring, quarter turns and translation keep rectangles
    // rectangles; anything else turns each into a quadrilateral.
    const bool straight = !xf || (xf->eM12 == 0.0f && xf->eM21 == 0.0f) || (xf->eM11 == 0.0f && xf->eM22 == 0.0f);
    std::vector<pixman_box32_t> boxes;
    PixRegion acc;
    if (straight) boxes.reserve(data->rdh.nCount);
    const auto* rects = reinterpret_cast<const uint8_t*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        RECT rc;
        std::memcpy(&rc, rects + i * sizeof(RECT), sizeof rc);
        if (rc.left >= rc.right || rc.top >= rc.bottom) continue;  // skipped, as GDI does
        if (straight) {
            const POINT p = map(rc.left, rc.top), q = map(rc.right, rc.bottom);
            const pixman_box32_t b{std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)};
            if (b.x1 < b.x2 && b.y1 < b.y2) boxes.push_back(b);
            continue;
        }
        const POINT quad[4] = {map(rc.left, rc.top), map(rc.right, rc.top), map(rc.right, rc.bottom),
                               map(rc.left, rc.bottom)};
        HRGN piece = CreatePolygonRgn(quad, 4, ALTERNATE);
        Region* r = lookup<Region>(piece);
        if (!r) return nullptr;
        acc.unite(r->rgn);
        DeleteObject(piece);
    }
    // The union of the rectangles, merged the way GDI's region engine merges them.
    if (!boxes.empty() &&
        !pixman_region32_init_rects(acc.get(), boxes.data(), static_cast<int>(boxes.size())))
        return nullptr;
    return newRegion(std::move(acc));
}

BOOL WINAPI EqualRgn(HRGN h1, HRGN h2) {
    Region* a = lookup<Region>(h1);
    Region* b = lookup<Region>(h2);
    return a && b && a->rgn.equals(b->rgn);
}

}  // extern "C"
