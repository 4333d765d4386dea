// USER's drawing helpers: the focus rectangle, 3-D edges and frame controls.
#include "dc_p.h"
#include "printer_p.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace hmigfx::win32;

namespace {

// Paints device pixels listed in any order with a tile, clipped to the
// visible region.
void paintPixels(DC& dc, const PaintTile& tile, std::vector<POINT>& pts) {
    std::vector<Span>& spans = dc.scratchSpans;
    spans.clear();
    for (const POINT& p : pts) spans.push_back(Span{p.x, p.y, 1});
    paintSpans(dc.surface, dc.visible, tile, dc.st.brushOrg, spans.data(), spans.size());
}

void fill(HDC h, const RECT& r, int sysColor) { FillRect(h, &r, GetSysColorBrush(sysColor)); }

// One 1-pixel ring of an edge: the top and left sides in one colour, then the
// bottom and right sides in another, which so own the top-right and
// bottom-left corners.
void ring(HDC h, const RECT& r, UINT sides, int topLeft, int bottomRight) {
    if (r.left >= r.right || r.top >= r.bottom) return;
    if (topLeft >= 0) {
        if (sides & BF_TOP) fill(h, RECT{r.left, r.top, r.right, r.top + 1}, topLeft);
        if (sides & BF_LEFT) fill(h, RECT{r.left, r.top, r.left + 1, r.bottom}, topLeft);
    }
    if (bottomRight >= 0) {
        if (sides & BF_BOTTOM) fill(h, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
        if (sides & BF_RIGHT) fill(h, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    }
}

int toInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

RECT inset(const RECT& r, UINT sides) {
    return RECT{toInt(int64_t{r.left} + ((sides & BF_LEFT) ? 1 : 0)), toInt(int64_t{r.top} + ((sides & BF_TOP) ? 1 : 0)),
                toInt(int64_t{r.right} - ((sides & BF_RIGHT) ? 1 : 0)),
                toInt(int64_t{r.bottom} - ((sides & BF_BOTTOM) ? 1 : 0))};
}

// The largest square centred in r.
RECT centredSquare(const RECT& r) {
    const int64_t w = int64_t{r.right} - r.left, h = int64_t{r.bottom} - r.top;
    const int64_t side = std::min(w, h);
    const int64_t x = r.left + (w - side) / 2, y = r.top + (h - side) / 2;
    return RECT{toInt(x), toInt(y), toInt(x + side), toInt(y + side)};
}

// The steps [0, n) whose device pixel origin + step lies in [lo, hi): the
// scaled glyphs below visit only what shows, whatever their size.
std::pair<int64_t, int64_t> visibleSteps(int64_t origin, int64_t n, int lo, int hi) {
    return {std::max<int64_t>(0, lo - origin), std::min<int64_t>(n, hi - origin)};
}

// A check mark of vertical runs: a short descending stroke, then a long
// ascending one ending three pixels inside the box's top-right.
void checkMark(DC& dc, const RECT& box, COLORREF color) {
    const int64_t inner = int64_t{box.right} - box.left - 4;
    const int64_t width = inner - 2;
    if (width < 2) return;
    const int64_t down = width / 3, run = std::max<int64_t>(1, (inner + 1) / 3);
    const int64_t lowest = 3 + (width - 1 - down);
    const RECT vis = dc.visible.box();
    const int64_t ox = dc.devX(box.left) + 3, oy = dc.devY(box.top);
    std::vector<Span>& spans = dc.scratchSpans;
    spans.clear();
    const auto [k0, k1] = visibleSteps(ox, width, vis.left, vis.right);
    for (int64_t k = k0; k < k1; ++k) {
        const int64_t top = k < down ? lowest - (down - 1 - k) : 3 + (width - 1 - k);
        const auto [y0, y1] = visibleSteps(oy + top, run, vis.top, vis.bottom);
        for (int64_t y = y0; y < y1; ++y) spans.push_back(Span{static_cast<int>(ox + k), static_cast<int>(oy + top + y), 1});
    }
    PaintTile tile;
    tile.setSolid(rop2Pair(R2_COPYPEN, colorToPixel(dc.surface, color), dc.surface.pixelMask()));
    paintSpans(dc.surface, dc.visible, tile, POINT{0, 0}, spans.data(), spans.size());
}

// The radio button as USER draws it at its usual 13 pixels: the ring's
// shading per pixel ('.' untouched, 'i' the interior, 'd' the dot).
const char* const kRadio[13] = {
    ".............", ".....SSSS....", "...SSDDDDSS..", "..SSDiiiiD.H.", "..SDiiiiiiLH.",
    ".SDiiiddiiiLH", ".SDiiddddiiLH", ".SDiiddddiiLH", ".SDiiiddiiiLH", "..SDiiiiiiLH.",
    "..HHLiiiiLHH.", "...HHLLLLHH..", ".....HHHH....",
};
// The flat one: a ring in the window frame colour.
const char* const kFlatRadio[13] = {
    ".............", "....FFFFF....", "...FFFFFFF...", "..FFFiiiiFF..", ".FFFiiiiiiFF.",
    ".FFiiiddiiiF.", ".FFiiddddiiF.", ".FFiiddddiiF.", ".FFiiiddiiiF.", "..FFiiiiiiF..",
    "...FFiiiiF...", "....FFFFF....", ".............",
};

void radioButton(DC& dc, const RECT& box, UINT state) {
    const bool flat = state & DFCS_FLAT;
    const bool dim = state & (DFCS_INACTIVE | DFCS_PUSHED);
    const int64_t side = int64_t{box.right} - box.left;
    if (side <= 0) return;
    const uint32_t mask = dc.surface.pixelMask();
    auto pixel = [&](int sys) { return rop2Pair(R2_COPYPEN, colorToPixel(dc.surface, GetSysColor(sys)), mask); };
    const RopPair shadow = pixel(COLOR_BTNSHADOW), dark = pixel(COLOR_3DDKSHADOW), light = pixel(COLOR_3DLIGHT),
                  hilite = pixel(COLOR_BTNHIGHLIGHT), frame = pixel(COLOR_WINDOWFRAME),
                  interior = pixel(dim && !flat ? COLOR_BTNFACE : COLOR_WINDOW),
                  dot = pixel((state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
    const char* const* shape = flat ? kFlatRadio : kRadio;
    PaintTile tile;
    // Other sizes scale the 13-pixel pattern.
    const RECT vis = dc.visible.box();
    const int64_t ox = dc.devX(box.left), oy = dc.devY(box.top);
    const auto [x0, x1] = visibleSteps(ox, side, vis.left, vis.right);
    const auto [y0, y1] = visibleSteps(oy, side, vis.top, vis.bottom);
    for (int64_t y = y0; y < y1; ++y)
        for (int64_t x = x0; x < x1; ++x) {
            char c = shape[y * 13 / side][x * 13 / side];
            if (c == 'd' && !(state & DFCS_CHECKED)) c = 'i';
            const RopPair* p = nullptr;
            switch (c) {
            case 'S': p = &shadow; break;
            case 'D': p = &dark; break;
            case 'L': p = &light; break;
            case 'H': p = &hilite; break;
            case 'F': p = &frame; break;
            case 'i': p = &interior; break;
            case 'd': p = &dot; break;
            default: break;
            }
            if (!p) continue;
            tile.setSolid(*p);
            const auto dx = static_cast<int>(ox + x), dy = static_cast<int>(oy + y);
            paintRect(dc.surface, dc.visible, tile, POINT{0, 0}, RECT{dx, dy, dx + 1, dy + 1});
        }
}

// The pushed-and-checked face: a checkerboard of the face and highlight
// colours, aligned to the rectangle.
void checkeredFace(DC& dc, const RECT& r) {
    const uint32_t mask = dc.surface.pixelMask();
    PaintTile tile;
    tile.resize(2, 2);
    const RopPair face = rop2Pair(R2_COPYPEN, colorToPixel(dc.surface, GetSysColor(COLOR_BTNFACE)), mask);
    const RopPair hilite = rop2Pair(R2_COPYPEN, colorToPixel(dc.surface, GetSysColor(COLOR_BTNHIGHLIGHT)), mask);
    tile.pairs = {face, hilite, hilite, face};
    tile.finish();
    const RECT d = dc.toDevice(r);
    paintRect(dc.surface, dc.visible, tile, POINT{d.left, d.top}, d);
}

}  // namespace

extern "C" {

// A dotted frame drawn as an alternate-pixel outline that inverts: it starts
// at the top-right pixel and runs clockwise, every other pixel inverted, so
// drawing it twice restores the picture. In rectangles one or two pixels
// thick the outline crosses pixels twice, and those crossings cancel.
BOOL WINAPI DrawFocusRect(HDC h, const RECT* rc) {
    const PageRecord rec(h, [&] { return [r = keepRect(rc)](HDC d) mutable { DrawFocusRect(d, r.get()); }; });
    DC* dc = findDC(h);
    if (!dc || !rc) return FALSE;
    RECT r = dc->toDevice(*rc);
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    if (int64_t(r.right) - r.left < 1 || int64_t(r.bottom) - r.top < 1) return TRUE;
    // Only the pixels over the visible region are walked; where the walk
    // stands at one of them (every other pixel inverted) is counted, not
    // walked, so a frame of any size costs what it shows.
    const RECT vis = dc->visible.box();
    const int64_t corners[4][2] = {{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}, {r.left, r.top}};
    std::vector<POINT> pts;
    int64_t k = 0;
    for (int side = 0; side < 4; ++side) {
        const int64_t* p = corners[side];
        const int64_t* q = corners[(side + 1) % 4];
        const int sx = (q[0] > p[0]) - (q[0] < p[0]), sy = (q[1] > p[1]) - (q[1] < p[1]);
        const int64_t len = std::abs(q[0] - p[0]) + std::abs(q[1] - p[1]);
        // The steps t in [lo, hi) whose pixel p + t * (sx, sy) lies in vis.
        int64_t lo = 0, hi = len;
        auto keep = [&](int64_t from, int s, int64_t min, int64_t max) {  // from + t * s in [min, max)
            if (s > 0) lo = std::max(lo, min - from), hi = std::min(hi, max - from);
            else if (s < 0) lo = std::max(lo, from - max + 1), hi = std::min(hi, from - min + 1);
            else if (from < min || from >= max) hi = lo;
        };
        keep(p[0], sx, vis.left, vis.right);
        keep(p[1], sy, vis.top, vis.bottom);
        for (int64_t t = lo + ((k + lo) & 1); t < hi; t += 2)
            pts.push_back(POINT{static_cast<LONG>(p[0] + t * sx), static_cast<LONG>(p[1] + t * sy)});
        k += len;
    }
    // Pixels reached twice are inverted twice: drop them in pairs.
    std::sort(pts.begin(), pts.end(), [](const POINT& a, const POINT& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    std::vector<POINT> odd;
    for (size_t i = 0; i < pts.size();) {
        size_t j = i;
        while (j < pts.size() && pts[j].x == pts[i].x && pts[j].y == pts[i].y) ++j;
        if ((j - i) % 2) odd.push_back(pts[i]);
        i = j;
    }
    PaintTile tile;
    tile.setSolid(rop2Pair(R2_NOT, 0, dc->surface.pixelMask()));
    paintPixels(*dc, tile, odd);
    return TRUE;
}


BOOL WINAPI DrawEdge(HDC h, LPRECT rc, UINT edge, UINT flags) {
    const PageRecord rec(h, [&] {
        return [r = keepRect(rc), edge, flags](HDC d) {
            KeptRect c = r;  // BF_ADJUST moves it
            DrawEdge(d, c.get(), edge, flags);
        };
    });
    DC* dc = findDC(h);
    if (!dc || !rc) return FALSE;
    const UINT sides = flags & BF_RECT;
    int outerTL, outerBR, innerTL, innerBR;
    if (flags & BF_MONO) {
        outerTL = outerBR = COLOR_WINDOWFRAME;
        innerTL = innerBR = COLOR_WINDOW;
    } else if (flags & BF_FLAT) {
        outerTL = outerBR = COLOR_BTNSHADOW;
        innerTL = innerBR = COLOR_BTNFACE;
    } else {
        // Soft edges put the strongest contrast on the outside.
        const bool soft = flags & BF_SOFT;
        outerTL = (edge & BDR_RAISEDOUTER) ? (soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT)
                  : (edge & BDR_SUNKENOUTER) ? (soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW)
                                             : -1;
        outerBR = (edge & BDR_RAISEDOUTER) ? COLOR_3DDKSHADOW : (edge & BDR_SUNKENOUTER) ? COLOR_BTNHIGHLIGHT : -1;
        innerTL = (edge & BDR_RAISEDINNER) ? (soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT)
                  : (edge & BDR_SUNKENINNER) ? (soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW)
                                             : -1;
        innerBR = (edge & BDR_RAISEDINNER) ? COLOR_BTNSHADOW : (edge & BDR_SUNKENINNER) ? COLOR_3DLIGHT : -1;
    }
    const bool hasOuter = (flags & (BF_MONO | BF_FLAT)) || (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER));
    const bool hasInner = (flags & (BF_MONO | BF_FLAT)) || (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER));
    RECT r = *rc;
    if (hasOuter) {
        ring(h, r, sides, outerTL, outerBR);
        r = inset(r, sides);
    }
    if (hasInner) {
        ring(h, r, sides, innerTL, innerBR);
        r = inset(r, sides);
    }
    // The middle is filled as FillRect fills, even when the edges used it up.
    if (flags & BF_MIDDLE) fill(h, r, (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
    if (flags & BF_ADJUST) *rc = r;
    return TRUE;
}

BOOL WINAPI DrawFrameControl(HDC h, LPRECT rc, UINT type, UINT state) {
    const PageRecord rec(h, [&] {
        return [r = keepRect(rc), type, state](HDC d) {
            KeptRect c = r;
            DrawFrameControl(d, c.get(), type, state);
        };
    });
    DC* dc = findDC(h);
    if (!dc || !rc) return FALSE;
    if (type == DFC_SCROLL || type == DFC_CAPTION) return drawFrameGlyph(h, rc, type, state);
    if (type != DFC_BUTTON) return FALSE;
    if (state & DFCS_BUTTONPUSH) {
        const UINT looks = state & (DFCS_FLAT | DFCS_MONO);
        const UINT edge = (state & (DFCS_PUSHED | DFCS_CHECKED | DFCS_FLAT)) ? EDGE_SUNKEN : EDGE_RAISED;
        UINT flags = BF_RECT | BF_SOFT | BF_ADJUST | ((looks & DFCS_FLAT) ? BF_FLAT : 0) |
                     ((looks & DFCS_MONO) ? BF_MONO : 0);
        RECT r = *rc;
        if (state & DFCS_CHECKED) {
            DrawEdge(h, &r, edge, flags);
            checkeredFace(*dc, r);
        } else {
            DrawEdge(h, &r, edge, flags | BF_MIDDLE);
        }
        if (state & DFCS_ADJUSTRECT) *rc = r;
        return TRUE;
    }
    RECT box = centredSquare(*rc);
    if ((state & 0xFF) == DFCS_BUTTONCHECK || (state & 0xFF) == DFCS_BUTTON3STATE) {
        RECT r = box;
        DrawEdge(h, &r, EDGE_SUNKEN,
                 BF_RECT | BF_ADJUST | ((state & DFCS_FLAT) ? BF_FLAT : 0) | ((state & DFCS_MONO) ? BF_MONO : 0));
        if ((state & 0xFF) == DFCS_BUTTON3STATE && (state & DFCS_CHECKED)) checkeredFace(*dc, r);
        else fill(h, r, (state & (DFCS_INACTIVE | DFCS_PUSHED)) ? COLOR_BTNFACE : COLOR_WINDOW);
        if (state & DFCS_CHECKED)
            checkMark(*dc, box, GetSysColor((state & (DFCS_INACTIVE | DFCS_BUTTON3STATE)) ? COLOR_BTNSHADOW
                                                                                          : COLOR_WINDOWTEXT));
    } else if (state & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
        radioButton(*dc, box, state);
    } else {
        return FALSE;
    }
    if (state & DFCS_ADJUSTRECT) *rc = box;
    return TRUE;
}

}  // extern "C"
