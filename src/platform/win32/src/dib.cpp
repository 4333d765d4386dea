#include "dib_p.h"
#include "surface_p.h"

#include <cstring>

namespace hmigfx::win32 {

uint32_t DibView::raw(int x, int y) const {
    const uint8_t* row = bits + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    switch (bpp) {
    case 32: {
        uint32_t v;
        std::memcpy(&v, row + 4 * x, 4);
        return v & 0x00FFFFFF;
    }
    case 24: return row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
    case 16: {
        uint16_t v;
        std::memcpy(&v, row + 2 * x, 2);
        return v;
    }
    case 8: return row[x];
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    default: return 0;
    }
}

COLORREF DibView::color(int x, int y) const {
    const uint32_t v = raw(x, y);
    if (bpp <= 8) {
        if (v >= colors.size()) return 0;
        return RGB(colors[v].rgbRed, colors[v].rgbGreen, colors[v].rgbBlue);
    }
    if (bpp == 16) {
        auto expand = [](uint32_t c) { return static_cast<BYTE>((c << 3) | (c >> 2)); };
        return RGB(expand((v >> 10) & 31), expand((v >> 5) & 31), expand(v & 31));
    }
    return xrgbToColorref(v);
}

bool parseDib(const BITMAPINFO* info, UINT usage, const void* bits, const PALETTEENTRY* palette, int paletteSize,
              DibView& out) {
    if (!info) return false;
    const auto* base = reinterpret_cast<const uint8_t*>(info);
    DWORD headerSize;
    std::memcpy(&headerSize, base, 4);
    int width, height, bpp;
    DWORD compression = BI_RGB, clrUsed = 0;
    size_t entrySize;
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER core;
        std::memcpy(&core, base, sizeof core);
        width = core.bcWidth;
        height = core.bcHeight;
        bpp = core.bcBitCount;
        entrySize = sizeof(RGBTRIPLE);
    } else if (headerSize >= sizeof(BITMAPINFOHEADER)) {
        const BITMAPINFOHEADER& h = info->bmiHeader;
        width = h.biWidth;
        height = h.biHeight;
        bpp = h.biBitCount;
        compression = h.biCompression;
        clrUsed = h.biClrUsed;
        entrySize = sizeof(RGBQUAD);
    } else {
        return false;
    }
    if (width <= 0 || height == 0 || height == INT32_MIN) return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
    const uint8_t* table = base + headerSize;
    if (compression == BI_BITFIELDS) {
        if (bpp != 16 && bpp != 32) return false;
        DWORD masks[3];
        const uint8_t* at = headerSize == sizeof(BITMAPINFOHEADER) ? table : base + sizeof(BITMAPINFOHEADER);
        std::memcpy(masks, at, sizeof masks);
        const bool standard = bpp == 32 ? (masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF)
                                        : (masks[0] == 0x7C00 && masks[1] == 0x3E0 && masks[2] == 0x1F);
        if (!standard) return false;
        if (headerSize == sizeof(BITMAPINFOHEADER)) table += sizeof masks;
    } else if (compression != BI_RGB) {
        return false;
    }

    out = DibView{};
    out.width = width;
    out.topDown = height < 0;
    out.height = height < 0 ? -height : height;
    out.bpp = bpp;
    out.stride = (static_cast<size_t>(width) * bpp + 31) / 32 * 4;
    const uint8_t* after = table;
    if (bpp <= 8) {
        const int maxColors = 1 << bpp;
        int n = clrUsed ? static_cast<int>(clrUsed) : maxColors;
        if (n > maxColors) n = maxColors;
        out.colors.assign(maxColors, RGBQUAD{0, 0, 0, 0});
        if (usage == DIB_PAL_COLORS) {
            for (int i = 0; i < n; ++i) {
                WORD idx;
                std::memcpy(&idx, table + 2 * i, 2);
                if (palette && idx < paletteSize)
                    out.colors[i] = {palette[idx].peBlue, palette[idx].peGreen, palette[idx].peRed, 0};
            }
            after = table + 2 * n;
        } else {
            for (int i = 0; i < n; ++i) {
                const uint8_t* e = table + entrySize * i;
                out.colors[i] = {e[0], e[1], e[2], 0};
            }
            after = table + entrySize * n;
        }
    }
    out.bits = bits ? static_cast<const uint8_t*>(bits) : after;
    return true;
}

}  // namespace hmigfx::win32
