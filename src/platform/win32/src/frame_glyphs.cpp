// DrawFrameControl's scroll arrows (DFC_SCROLL) and caption close button
// (DFC_CAPTION): a 3-D frame with a glyph.
//
// The reference draws the glyphs from a symbol font scaled to the button.
// Arrows in buttons up to 15 pixels (the smaller side) are three rows of 1,
// 3 and 5 pixels, placed as the reference places them; larger ones grow one
// row per 3.5 pixels, close to the reference's scaling but not compared
// with it. The close cross is drawn without the reference's anti-aliasing.
#include "dc_p.h"

#include <algorithm>

namespace hmigfx::win32 {
namespace {

void fillRow(HDC dc, HBRUSH b, int x, int y, int w, int h) {
    const RECT r{x, y, x + w, y + h};
    FillRect(dc, &r, b);
}

// The triangle of a scroll arrow in `cell`, offset by (dx, dy).
void arrow(HDC dc, const RECT& cell, UINT kind, COLORREF color, int dx, int dy) {
    const int w = cell.right - cell.left, h = cell.bottom - cell.top;
    const int m = std::min(w, h);
    if (m < 5) return;
    const int n = m <= 15 ? 3 : std::max(3, (2 * m - 4) / 7);
    const int sx = cell.left + (w - m) / 2 + dx, sy = cell.top + (h - m) / 2 + dy;
    const int tip = m <= 15 ? m / 3 : (m * 5 + 3) / 16;  // from the glyph box to the arrow's point
    const int base = m - tip - n - 1;                  // from the glyph box to a downward arrow's base
    const int across = (m - 1) / 2;                    // the point's offset across the arrow
    const HBRUSH b = CreateSolidBrush(color);
    for (int i = 0; i < n; ++i) {
        const int half = (kind == DFCS_SCROLLUP || kind == DFCS_SCROLLLEFT) ? i : n - 1 - i;
        switch (kind) {
        case DFCS_SCROLLUP: fillRow(dc, b, sx + across - half, sy + tip + i, 2 * half + 1, 1); break;
        case DFCS_SCROLLDOWN: fillRow(dc, b, sx + across - half, sy + base + i, 2 * half + 1, 1); break;
        case DFCS_SCROLLLEFT: fillRow(dc, b, sx + tip + i, sy + across - half, 1, 2 * half + 1); break;
        case DFCS_SCROLLRIGHT: fillRow(dc, b, sx + base + i, sy + across - half, 1, 2 * half + 1); break;
        default: break;
        }
    }
    DeleteObject(b);
}

// The close button's cross: two diagonals two pixels thick in a square of
// 8 pixels (smaller in small buttons), centred.
void cross(HDC dc, const RECT& inner, COLORREF color, int dx, int dy) {
    const int side = std::min<int>(8, std::min(inner.right - inner.left, inner.bottom - inner.top) - 4);
    if (side < 2) return;
    const int x0 = inner.left + (inner.right - inner.left - side) / 2 + dx;
    const int y0 = inner.top + (inner.bottom - inner.top - side) / 2 + dy;
    const HBRUSH b = CreateSolidBrush(color);
    for (int i = 0; i < side; ++i) {
        fillRow(dc, b, x0 + i - (i > 0 ? 1 : 0), y0 + i, i > 0 ? 2 : 1, 1);
        const int x = x0 + side - 1 - i;
        fillRow(dc, b, x, y0 + i, i > 0 ? 2 : 1, 1);
    }
    DeleteObject(b);
}

RECT frame(HDC dc, RECT r, UINT state, bool soft) {
    const UINT looks = state & (DFCS_FLAT | DFCS_MONO);
    if (looks & DFCS_MONO) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MONO | BF_ADJUST);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        return r;
    }
    if (looks & DFCS_FLAT) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_FLAT | BF_MIDDLE | BF_ADJUST);
        return r;
    }
    // Pushed buttons sink with the soft edge; raised scroll arrows use the
    // hard one unless they are greyed.
    if (state & (DFCS_PUSHED | DFCS_CHECKED))
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
    else
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST | (soft || (state & DFCS_INACTIVE) ? BF_SOFT : 0));
    return r;
}

}  // namespace

BOOL drawFrameGlyph(HDC dc, LPRECT rc, UINT type, UINT state) {
    const UINT kind = state & 0xFF;
    if (type == DFC_SCROLL && kind > DFCS_SCROLLRIGHT) return FALSE;
    if (type == DFC_CAPTION && kind != DFCS_CAPTIONCLOSE) return FALSE;
    const RECT inner = frame(dc, *rc, state, type == DFC_CAPTION);
    // A pushed glyph moves a pixel down and right, unless it is greyed.
    const int shift = (state & (DFCS_PUSHED | DFCS_CHECKED)) && !(state & (DFCS_FLAT | DFCS_INACTIVE)) ? 1 : 0;
    auto glyph = [&](COLORREF color, int dx, int dy) {
        if (type == DFC_SCROLL)
            arrow(dc, *rc, kind, color, dx, dy);
        else
            cross(dc, inner, color, dx, dy);
    };
    if (state & DFCS_INACTIVE) {
        // Greyed: the glyph in the shadow colour over its copy in the highlight colour.
        glyph(GetSysColor(COLOR_BTNHIGHLIGHT), shift + 1, shift + 1);
        glyph(GetSysColor(COLOR_BTNSHADOW), shift, shift);
    } else {
        glyph(GetSysColor(COLOR_BTNTEXT), shift, shift);
    }
    if (state & DFCS_ADJUSTRECT) *rc = inner;
    return TRUE;
}

}  // namespace hmigfx::win32
