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
#include <climits>
#include <cstdint>

namespace hmigfx::win32 {
namespace {

// Positions are worked out in 64 bits (a button may span the int range) and
// saturated on the way out.
int sat(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

void fillRow(HDC dc, HBRUSH b, int64_t x, int64_t y, int64_t w, int64_t h) {
    const RECT r{sat(x), sat(y), sat(x + w), sat(y + h)};
    FillRect(dc, &r, b);
}

// The triangle of a scroll arrow in `cell`, offset by (dx, dy).
void arrow(HDC dc, const RECT& cell, UINT kind, COLORREF color, int dx, int dy) {
    const int64_t w = int64_t{cell.right} - cell.left, h = int64_t{cell.bottom} - cell.top;
    const int64_t m = std::min(w, h);
    if (m < 5) return;
    const int64_t n = m <= 15 ? 3 : std::max<int64_t>(3, (2 * m - 4) / 7);
    const int64_t sx = cell.left + (w - m) / 2 + dx, sy = cell.top + (h - m) / 2 + dy;
    const int64_t tip = m <= 15 ? m / 3 : (m * 5 + 3) / 16;  // from the glyph box to the arrow's point
    const int64_t base = m - tip - n - 1;                  // from the glyph box to a downward arrow's base
    const int64_t across = (m - 1) / 2;                    // the point's offset across the arrow
    // Only the rows (columns, for left and right) that show are filled.
    RECT clip;
    if (GetClipBox(dc, &clip) == ERROR) return;
    const bool vertical = kind == DFCS_SCROLLUP || kind == DFCS_SCROLLDOWN;
    const int64_t first = (vertical ? sy : sx) + (kind == DFCS_SCROLLUP || kind == DFCS_SCROLLLEFT ? tip : base);
    const int64_t i0 = std::max<int64_t>(0, (vertical ? clip.top : clip.left) - first);
    const int64_t i1 = std::min<int64_t>(n, (vertical ? clip.bottom : clip.right) - first);
    const HBRUSH b = CreateSolidBrush(color);
    for (int64_t i = i0; i < i1; ++i) {
        const int64_t half = (kind == DFCS_SCROLLUP || kind == DFCS_SCROLLLEFT) ? i : n - 1 - i;
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
    const int64_t w = int64_t{inner.right} - inner.left, h = int64_t{inner.bottom} - inner.top;
    const int64_t side = std::min<int64_t>(8, std::min(w, h) - 4);
    if (side < 2) return;
    const int64_t x0 = inner.left + (w - side) / 2 + dx;
    const int64_t y0 = inner.top + (h - side) / 2 + dy;
    const HBRUSH b = CreateSolidBrush(color);
    for (int64_t i = 0; i < side; ++i) {
        fillRow(dc, b, x0 + i - (i > 0 ? 1 : 0), y0 + i, i > 0 ? 2 : 1, 1);
        const int64_t x = x0 + side - 1 - i;
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
