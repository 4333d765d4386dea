#include "surface_p.h"

namespace hmigfx::win32 {

const RGBQUAD kMonoPalette[2] = {{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};
const RGBQUAD kVgaPalette[16] = {
    {0x00, 0x00, 0x00, 0}, {0x00, 0x00, 0x80, 0}, {0x00, 0x80, 0x00, 0}, {0x00, 0x80, 0x80, 0},
    {0x80, 0x00, 0x00, 0}, {0x80, 0x00, 0x80, 0}, {0x80, 0x80, 0x00, 0}, {0xC0, 0xC0, 0xC0, 0},
    {0x80, 0x80, 0x80, 0}, {0x00, 0x00, 0xFF, 0}, {0x00, 0xFF, 0x00, 0}, {0x00, 0xFF, 0xFF, 0},
    {0xFF, 0x00, 0x00, 0}, {0xFF, 0x00, 0xFF, 0}, {0xFF, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0xFF, 0},
};

namespace {

uint32_t nearestIndex(const Surface& s, COLORREF c) {
    int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    uint32_t best = 0;
    int bestDist = 1 << 30;
    for (int i = 0; i < s.paletteSize; ++i) {
        const RGBQUAD& q = s.palette[i];
        int dr = r - q.rgbRed, dg = g - q.rgbGreen, db = b - q.rgbBlue;
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = static_cast<uint32_t>(i);
            if (d == 0) break;
        }
    }
    return best;
}

}  // namespace

uint32_t colorToPixel(const Surface& s, COLORREF c) {
    c &= 0x00FFFFFF;
    switch (s.bpp) {
    case 32:
    case 24:
        return colorrefToXrgb(c);
    case 16:
        return ((GetRValue(c) >> 3) << 10) | ((GetGValue(c) >> 3) << 5) | (GetBValue(c) >> 3);
    default:
        return s.paletteSize > 0 ? nearestIndex(s, c) : 0;
    }
}

COLORREF pixelToColor(const Surface& s, uint32_t p) {
    switch (s.bpp) {
    case 32:
    case 24:
        return xrgbToColorref(p & 0x00FFFFFF);
    case 16: {
        auto expand = [](uint32_t v) { return static_cast<BYTE>((v << 3) | (v >> 2)); };
        return RGB(expand((p >> 10) & 31), expand((p >> 5) & 31), expand(p & 31));
    }
    default:
        if (static_cast<int>(p) < s.paletteSize) {
            const RGBQUAD& q = s.palette[p];
            return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
        }
        return 0;
    }
}

uint32_t readPixel(const Surface& s, int x, int y) {
    const uint8_t* row = s.row(y);
    switch (s.bpp) {
    case 32:
        return reinterpret_cast<const uint32_t*>(row)[x];
    case 24: {
        const uint8_t* p = row + 3 * x;
        return p[0] | (p[1] << 8) | (p[2] << 16);
    }
    case 16:
        return reinterpret_cast<const uint16_t*>(row)[x];
    case 8:
        return row[x];
    case 4:
        return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    default:
        return 0;
    }
}

void writePixel(const Surface& s, int x, int y, uint32_t v) {
    uint8_t* row = s.row(y);
    switch (s.bpp) {
    case 32:
        reinterpret_cast<uint32_t*>(row)[x] = v;
        break;
    case 24: {
        uint8_t* p = row + 3 * x;
        p[0] = static_cast<uint8_t>(v);
        p[1] = static_cast<uint8_t>(v >> 8);
        p[2] = static_cast<uint8_t>(v >> 16);
        break;
    }
    case 16:
        reinterpret_cast<uint16_t*>(row)[x] = static_cast<uint16_t>(v);
        break;
    case 8:
        row[x] = static_cast<uint8_t>(v);
        break;
    case 4: {
        uint8_t& b = row[x >> 1];
        b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (v & 0x0F)) : static_cast<uint8_t>((b & 0x0F) | ((v & 0x0F) << 4));
        break;
    }
    case 1: {
        uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
        if (v & 1)
            row[x >> 3] |= bit;
        else
            row[x >> 3] &= static_cast<uint8_t>(~bit);
        break;
    }
    default:
        break;
    }
}

}  // namespace hmigfx::win32
