// Pattern painting: PatBlt and USER's rectangle fills.
#include "dc_p.h"
#include "printer_p.h"

#include <algorithm>
#include <cstdint>

namespace hmigfx::win32 {

int rop3ToRop2(DWORD rop3) {
    const unsigned code = (rop3 >> 16) & 0xFF;
    // Bit (4p + 2s + d) of the code is the result for pattern p, source s, dest d.
    for (unsigned p = 0; p < 2; ++p)
        for (unsigned d = 0; d < 2; ++d)
            if (((code >> (4 * p + d)) & 1) != ((code >> (4 * p + 2 + d)) & 1)) return 0;
    unsigned table = 0;
    for (unsigned p = 0; p < 2; ++p)
        for (unsigned d = 0; d < 2; ++d) table |= ((code >> (4 * p + d)) & 1) << (2 * p + d);
    return static_cast<int>(table) + 1;
}

void patRect(DC& dc, const Brush* brush, int rop2, const RECT& rc) {
    // Operations that ignore the pattern need no brush.
    static const Brush kNone;
    if (!brush && (rop2 == R2_BLACK || rop2 == R2_WHITE || rop2 == R2_NOT || rop2 == R2_NOP)) brush = &kNone;
    PaintTile& tile = dc.scratchPaint;
    if (brush == &kNone) {
        tile.setSolid(rop2Pair(rop2, 0, dc.surface.pixelMask()));
    } else {
        buildBrushPaint(dc, brush, rop2, tile);
    }
    paintRect(dc.surface, dc.visible, tile, dc.st.brushOrg, rc);
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

namespace {

// PatBlt's rectangle: a negative extent runs leftwards (upwards) from the
// pixel just past x (y), so x itself is inside. Computed wide: the ends of a
// rectangle near the int limits must not wrap.
RECT extentRect(int64_t x, int64_t y, int64_t w, int64_t h) {
    auto clampInt = [](int64_t v) { return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    int64_t l = x, r = x + w, t = y, b = y + h;
    if (w < 0) {
        l = x + w + 1;
        r = x + 1;
    }
    if (h < 0) {
        t = y + h + 1;
        b = y + 1;
    }
    return RECT{clampInt(l), clampInt(t), clampInt(r), clampInt(b)};
}

RECT extentRect(const RECT& rc) {
    return extentRect(rc.left, rc.top, static_cast<int64_t>(rc.right) - rc.left, static_cast<int64_t>(rc.bottom) - rc.top);
}

Brush* brushArg(HBRUSH h) {
    const auto v = reinterpret_cast<uintptr_t>(h);
    if (v > 0 && v <= COLOR_MENUBAR + 1) return lookup<Brush>(GetSysColorBrush(static_cast<int>(v) - 1));
    return lookup<Brush>(h);
}

}  // namespace

extern "C" {

BOOL WINAPI PatBlt(HDC h, int x, int y, int w, int hgt, DWORD rop) {
    const PageRecord rec(h, [&] { return [=](HDC d) { PatBlt(d, x, y, w, hgt, rop); }; });
    DC* dc = findDC(h);
    if (!dc) return FALSE;
    const int rop2 = rop3ToRop2(rop);
    if (!rop2) return FALSE;
    patRect(*dc, dc->brush(), rop2, dc->toDevice(extentRect(x, y, w, hgt)));
    return TRUE;
}

int WINAPI FillRect(HDC h, const RECT* rc, HBRUSH hbr) {
    const PageRecord rec(h, [&] {
        return [r = keepRect(rc), b = holdBrush(hbr)](HDC d) mutable { FillRect(d, r.get(), static_cast<HBRUSH>(handleOf(b))); };
    });
    DC* dc = findDC(h);
    Brush* b = brushArg(hbr);
    if (!dc || !rc || !b) return 0;
    // Filled as PatBlt fills it, so an inverted rectangle paints too.
    patRect(*dc, b, R2_COPYPEN, dc->toDevice(extentRect(*rc)));
    return 1;
}

int WINAPI FrameRect(HDC h, const RECT* rc, HBRUSH hbr) {
    const PageRecord rec(h, [&] {
        return [r = keepRect(rc), b = holdBrush(hbr)](HDC d) mutable { FrameRect(d, r.get(), static_cast<HBRUSH>(handleOf(b))); };
    });
    DC* dc = findDC(h);
    Brush* b = brushArg(hbr);
    if (!dc || !rc || !b) return 0;
    RECT r = dc->toDevice(*rc);
    if (r.left >= r.right || r.top >= r.bottom) return 0;  // GDI draws no frame for it and fails
    patRect(*dc, b, R2_COPYPEN, RECT{r.left, r.top, r.right, r.top + 1});
    patRect(*dc, b, R2_COPYPEN, RECT{r.left, r.bottom - 1, r.right, r.bottom});
    patRect(*dc, b, R2_COPYPEN, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1});
    patRect(*dc, b, R2_COPYPEN, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1});
    return 1;
}

BOOL WINAPI InvertRect(HDC h, const RECT* rc) {
    const PageRecord rec(h, [&] { return [r = keepRect(rc)](HDC d) mutable { InvertRect(d, r.get()); }; });
    DC* dc = findDC(h);
    if (!dc || !rc) return FALSE;
    // DSTINVERT over the rectangle's extents, so an inverted one paints too.
    patRect(*dc, nullptr, R2_NOT, dc->toDevice(extentRect(*rc)));
    return TRUE;
}

}  // extern "C"
