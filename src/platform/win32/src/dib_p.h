// Reading caller-supplied DIBs (BITMAPINFO + bits, or a packed DIB).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace hmigfx::win32 {

struct DibView {
    int width = 0;
    int height = 0;
    int bpp = 0;
    bool topDown = false;
    size_t stride = 0;
    const uint8_t* bits = nullptr;
    std::vector<RGBQUAD> colors;  // bpp <= 8

    // Colour of the pixel at (x, y), y counted from the top.
    COLORREF color(int x, int y) const;
    // Raw value (palette index for bpp <= 8) at (x, y), y from the top.
    uint32_t raw(int x, int y) const;
};

// Parses a BITMAPINFO (or BITMAPCOREINFO) header with its colour table.
// bits may be null for a packed DIB, whose pixels follow the colour table.
// DIB_PAL_COLORS tables are resolved through palette (may be null).
// Only uncompressed 1/4/8/16/24/32 bpp DIBs are accepted.
bool parseDib(const BITMAPINFO* info, UINT usage, const void* bits, const PALETTEENTRY* palette, int paletteSize,
              DibView& out);

}  // namespace hmigfx::win32
