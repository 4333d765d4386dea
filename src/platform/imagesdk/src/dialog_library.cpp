// The dialog library. There is no screen to show a dialog on, so the
// window-level dialog does, without asking, what it would start with: the
// initial window becomes the picture's lookup.
#include "backend_p.h"
#include "picture_p.h"

#include <algorithm>

namespace imagesdk::detail {

int windowLevelDialog(HWND /*parent*/, struct_LEAD_Bitmap* b, RGBQUAD* table, unsigned entries, int /*lowBit*/,
                      int /*highBit*/, int* low, int* high, COLORREF* start, COLORREF* end, unsigned flags, int, int) {
    if (!b || !table || !low || !high || !start || !end || entries == 0 || entries > (1u << 24))
        return IMGSDK_ERROR_INV_PARAMETER;
    if (flags & ~unsigned(WLDLG_FILLLUT | WLDLG_APPLY)) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    if ((flags & WLDLG_APPLY) && b->BitsPerPixel > 8) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    // Levels up to low take the start colour, from high on the end colour, a ramp between.
    const double lo = *low, hi = std::max(*high, *low + 1);
    for (unsigned i = 0; i < entries; ++i) {
        const double t = std::clamp((double(i) - lo) / (hi - lo), 0.0, 1.0);
        auto mix = [&](int a, int z) { return static_cast<BYTE>(a + (z - a) * t + 0.5); };
        table[i] = RGBQUAD{mix(GetBValue(*start), GetBValue(*end)), mix(GetGValue(*start), GetGValue(*end)),
                           mix(GetRValue(*start), GetRValue(*end)), 0};
    }
    if (flags & WLDLG_APPLY) {
        for (int i = 0; i < b->nColors; ++i) b->pPalette[i] = table[size_t(i) * entries / size_t(b->nColors)];
        b->Order = ORDER_BGR;  // no longer the grey ramp
    }
    return IMGSDK_SUCCESS;
}

}  // namespace imagesdk::detail
