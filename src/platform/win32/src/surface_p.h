// A view of pixel storage in any of the supported formats, and the mapping
// between COLORREF values and the raw pixel values that raster operations act on.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace hmigfx::win32 {

struct Surface {
    uint8_t* top = nullptr;  // first byte of the top row
    ptrdiff_t pitch = 0;     // bytes from a row to the one below it (negative when stored bottom-up)
    int width = 0;
    int height = 0;
    int bpp = 32;            // 1, 4, 8, 16 (5-5-5), 24 or 32
    const RGBQUAD* palette = nullptr;  // for bpp <= 8
    int paletteSize = 0;

    bool valid() const { return top != nullptr && width > 0 && height > 0; }
    uint8_t* row(int y) const { return top + y * pitch; }
    uint32_t* row32(int y) const { return reinterpret_cast<uint32_t*>(row(y)); }
    // Every bit of a raw pixel value, e.g. 0xFF for 8 bpp, 0xFFFFFFFF for 32 bpp.
    uint32_t pixelMask() const { return bpp >= 32 ? 0xFFFFFFFFu : (1u << bpp) - 1u; }
};

// COLORREF 0x00BBGGRR to the surface's raw value (32/24 bpp: 0x00RRGGBB;
// 16 bpp: x5-5-5; palettised: index of the nearest palette entry).
uint32_t colorToPixel(const Surface& s, COLORREF c);
COLORREF pixelToColor(const Surface& s, uint32_t pixel);

uint32_t readPixel(const Surface& s, int x, int y);
void writePixel(const Surface& s, int x, int y, uint32_t value);

inline uint32_t colorrefToXrgb(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF xrgbToColorref(uint32_t p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

// The 1-bpp default palette of monochrome device-dependent bitmaps.
extern const RGBQUAD kMonoPalette[2];
// The sixteen VGA colours: the colour table of 4-bpp bitmaps.
extern const RGBQUAD kVgaPalette[16];

}  // namespace hmigfx::win32
