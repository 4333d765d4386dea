// Logical palettes: created, read, matched and selected. The surfaces are true
// colour, so realising a palette maps nothing.
#include "dc_p.h"

#include <algorithm>
#include <climits>

using namespace hmigfx::win32;

extern "C" {

HPALETTE WINAPI CreatePalette(const LOGPALETTE* plpal) {
    if (!plpal || plpal->palVersion != 0x300 || plpal->palNumEntries == 0) return nullptr;
    auto p = std::make_unique<Palette>();
    p->entries.assign(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries);
    return addTyped(std::move(p));
}

UINT WINAPI GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, LPPALETTEENTRY pPalEntries) {
    const Palette* p = lookup<Palette>(hpal);
    if (!p) return 0;
    const UINT count = static_cast<UINT>(p->entries.size());
    if (!pPalEntries) return count;  // the number of entries
    if (iStart >= count) return 0;
    const UINT n = std::min(cEntries, count - iStart);
    std::copy_n(p->entries.begin() + iStart, n, pPalEntries);
    return n;
}

UINT WINAPI GetNearestPaletteIndex(HPALETTE h, COLORREF color) {
    const Palette* p = lookup<Palette>(h);
    if (!p || p->entries.empty()) return CLR_INVALID;
    UINT best = 0;
    int bestDistance = INT_MAX;
    for (UINT i = 0; i < p->entries.size(); ++i) {
        const PALETTEENTRY& e = p->entries[i];
        const int dr = e.peRed - GetRValue(color), dg = e.peGreen - GetGValue(color), db = e.peBlue - GetBValue(color);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE hPal, BOOL) {
    DC* dc = findDC(hdc);
    Palette* p = lookup<Palette>(hPal);
    if (!dc || !p) return nullptr;
    HPALETTE old = dc->st.palette;
    holdObject(p);
    dc->st.palette = hPal;
    releaseObject(findObject(old));
    return old;
}

UINT WINAPI RealizePalette(HDC hdc) { return findDC(hdc) ? 0 : GDI_ERROR; }

}  // extern "C"
