// Region objects and the region API over pixman.
#include "dc_p.h"
#include "region_p.h"

#include <algorithm>
#include <cstring>

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
    int l = std::min(rc.left, rc.right), r = std::max(rc.left, rc.right);
    int t = std::min(rc.top, rc.bottom), b = std::max(rc.top, rc.bottom);
    pixman_region32_fini(&r_);
    if (l == r || t == b)
        pixman_region32_init(&r_);
    else
        pixman_region32_init_rect(&r_, l, t, static_cast<unsigned>(r - l), static_cast<unsigned>(b - t));
}

void PixRegion::intersectRect(const RECT& rc) {
    if (rc.left >= rc.right || rc.top >= rc.bottom) {
        clear();
        return;
    }
    pixman_region32_intersect_rect(&r_, &r_, rc.left, rc.top, static_cast<unsigned>(rc.right - rc.left),
                                   static_cast<unsigned>(rc.bottom - rc.top));
}

void PixRegion::exclusiveOr(const PixRegion& o) {
    PixRegion both(*this);
    both.intersect(o);
    unite(o);
    subtract(both);
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
    if (mode == RGN_COPY) {
        d->rgn = a->rgn;
        return d->rgn.type();
    }
    Region* b = lookup<Region>(src2);
    if (!b) return ERROR;
    PixRegion out(a->rgn);
    switch (mode) {
    case RGN_AND: out.intersect(b->rgn); break;
    case RGN_OR: out.unite(b->rgn); break;
    case RGN_XOR: out.exclusiveOr(b->rgn); break;
    case RGN_DIFF: out.subtract(b->rgn); break;
    }
    d->rgn = std::move(out);
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
    if (!r || !rc) return FALSE;
    PixRegion probe(*rc);
    probe.intersect(r->rgn);
    return !probe.empty();
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
    if (!data || data->rdh.iType != RDH_RECTANGLES) return nullptr;
    if (xf && (xf->eM11 != 1.0f || xf->eM22 != 1.0f || xf->eM12 != 0.0f || xf->eM21 != 0.0f)) return nullptr;
    if (count < sizeof(RGNDATAHEADER) + data->rdh.nCount * sizeof(RECT)) return nullptr;
    int dx = xf ? static_cast<int>(xf->eDx) : 0, dy = xf ? static_cast<int>(xf->eDy) : 0;
    PixRegion acc;
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        RECT rc;
        std::memcpy(&rc, rects + i, sizeof rc);
        if (rc.left >= rc.right || rc.top >= rc.bottom) continue;
        acc.unite(PixRegion(RECT{rc.left + dx, rc.top + dy, rc.right + dx, rc.bottom + dy}));
    }
    return newRegion(std::move(acc));
}

BOOL WINAPI EqualRgn(HRGN h1, HRGN h2) {
    Region* a = lookup<Region>(h1);
    Region* b = lookup<Region>(h2);
    if (!a || !b) return ERROR;
    return a->rgn.equals(b->rgn);
}

}  // extern "C"
