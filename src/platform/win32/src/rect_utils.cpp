// USER's rectangle arithmetic.
#include <windows.h>

#include <algorithm>
#include <cstdint>

namespace {

// 32-bit arithmetic that wraps, as USER's does, instead of overflowing.
LONG wrap(int64_t v) { return static_cast<LONG>(static_cast<uint32_t>(v)); }

}  // namespace

extern "C" {

BOOL WINAPI SetRect(LPRECT rc, int l, int t, int r, int b) {
    if (!rc) return FALSE;
    *rc = RECT{l, t, r, b};
    return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT rc) { return SetRect(rc, 0, 0, 0, 0); }

BOOL WINAPI CopyRect(LPRECT dst, const RECT* src) {
    if (!dst || !src) return FALSE;
    *dst = *src;
    return TRUE;
}

BOOL WINAPI InflateRect(LPRECT rc, int dx, int dy) {
    if (!rc) return FALSE;
    rc->left = wrap(int64_t{rc->left} - dx);
    rc->top = wrap(int64_t{rc->top} - dy);
    rc->right = wrap(int64_t{rc->right} + dx);
    rc->bottom = wrap(int64_t{rc->bottom} + dy);
    return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT rc, int dx, int dy) {
    if (!rc) return FALSE;
    rc->left = wrap(int64_t{rc->left} + dx);
    rc->right = wrap(int64_t{rc->right} + dx);
    rc->top = wrap(int64_t{rc->top} + dy);
    rc->bottom = wrap(int64_t{rc->bottom} + dy);
    return TRUE;
}

BOOL WINAPI IsRectEmpty(const RECT* rc) { return !rc || rc->left >= rc->right || rc->top >= rc->bottom; }

BOOL WINAPI IntersectRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(a) || IsRectEmpty(b) || IsRectEmpty(&r)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL WINAPI UnionRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        if (IsRectEmpty(b)) {
            SetRectEmpty(dst);
            return FALSE;
        }
        *dst = *b;
        return TRUE;
    }
    if (IsRectEmpty(b)) {
        *dst = *a;
        return TRUE;
    }
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                std::max(a->bottom, b->bottom)};
    return TRUE;
}

BOOL WINAPI SubtractRect(LPRECT dst, const RECT* a, const RECT* b) {
    if (!dst || !a || !b) return FALSE;
    if (IsRectEmpty(a)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    RECT r = *a;
    RECT overlap;
    if (IntersectRect(&overlap, a, b)) {
        // Only a side that is cut off completely shrinks the result.
        if (overlap.top == r.top && overlap.bottom == r.bottom) {
            if (overlap.left == r.left) r.left = overlap.right;
            else if (overlap.right == r.right) r.right = overlap.left;
        } else if (overlap.left == r.left && overlap.right == r.right) {
            if (overlap.top == r.top) r.top = overlap.bottom;
            else if (overlap.bottom == r.bottom) r.bottom = overlap.top;
        }
    }
    if (IsRectEmpty(&r)) {
        SetRectEmpty(dst);
        return FALSE;
    }
    *dst = r;
    return TRUE;
}

BOOL WINAPI EqualRect(const RECT* a, const RECT* b) {
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL WINAPI PtInRect(const RECT* rc, POINT pt) {
    return rc && pt.x >= rc->left && pt.x < rc->right && pt.y >= rc->top && pt.y < rc->bottom;
}

}  // extern "C"
