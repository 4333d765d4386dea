// Pen creation.
#include "dc_p.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace hmigfx::win32;

extern "C" {

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
    auto p = std::make_unique<Pen>(Kind::Pen);
    p->style = static_cast<DWORD>(style);
    p->width = std::abs(width);
    p->brush = {BS_SOLID, color, 0};
    return addTyped(std::move(p));
}

HPEN WINAPI CreatePenIndirect(const LOGPEN* lp) {
    if (!lp) return nullptr;
    return CreatePen(static_cast<int>(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor);
}

HPEN WINAPI ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* lb, DWORD count, const DWORD* entries) {
    if (!lb) return nullptr;
    const DWORD dash = style & PS_STYLE_MASK;
    const bool geometric = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
    if ((style & PS_TYPE_MASK) > PS_GEOMETRIC || dash > PS_ALTERNATE) return nullptr;
    if ((style & PS_ENDCAP_MASK) > PS_ENDCAP_FLAT || (style & PS_JOIN_MASK) > PS_JOIN_MITER) return nullptr;
    if (dash == PS_USERSTYLE) {
        if (count == 0 || count > 16 || !entries) return nullptr;
    } else if (count != 0 || entries) {
        return nullptr;
    }
    if (!geometric) {
        // Cosmetic pens are one pixel wide and solid-coloured.
        if (width != 1 || lb->lbStyle != BS_SOLID) return nullptr;
    } else {
        if (dash == PS_ALTERNATE) return nullptr;
        if (lb->lbStyle != BS_SOLID && lb->lbStyle != BS_NULL && lb->lbStyle != BS_HATCHED &&
            lb->lbStyle != BS_PATTERN && lb->lbStyle != BS_DIBPATTERN && lb->lbStyle != BS_DIBPATTERNPT)
            return nullptr;
    }
    auto p = std::make_unique<Pen>(Kind::ExtPen);
    p->style = style;
    p->width = static_cast<int>(std::min<DWORD>(width, INT32_MAX));
    p->brush = *lb;
    if (geometric && lb->lbStyle != BS_SOLID && lb->lbStyle != BS_NULL) {
        // The pen keeps its own copy of the brush, as a brush would keep its
        // pattern: the caller may delete the bitmap or free the DIB.
        HBRUSH made = CreateBrushIndirect(lb);
        const Brush* b = lookup<Brush>(made);
        if (!b) return nullptr;
        auto fill = std::make_shared<Brush>();
        fill->style = b->style;
        fill->color = b->color;
        fill->hatch = b->hatch;
        fill->patWidth = b->patWidth;
        fill->patHeight = b->patHeight;
        fill->patMono = b->patMono;
        fill->monoBits = b->monoBits;
        fill->patColors = b->patColors;
        DeleteObject(made);
        p->fill = std::move(fill);
    }
    if (dash == PS_USERSTYLE) p->userStyle.assign(entries, entries + count);
    return addTyped(std::move(p));
}

}  // extern "C"
