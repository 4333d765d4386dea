// Single pixels of a picture whatever its depth: reading and writing stored
// values, their colours, and the nearest entry of a colour table. No image
// library is needed for these, so every back end shares them.
#include "pixel_values_p.h"

#include <climits>
#include <cstring>

namespace imagesdk::detail {

bool colorOrderRgb(const struct_LEAD_Bitmap& b) {
    return b.Order == ORDER_RGB && (b.BitsPerPixel == 24 || b.BitsPerPixel == 32);
}

unsigned indexAt(const unsigned char* row, int x, int bpp) {
    switch (bpp) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    default: return row[x];
    }
}

void putIndex(unsigned char* row, int x, int bpp, unsigned v) {
    if (bpp == 8) {
        row[x] = static_cast<unsigned char>(v);
    } else if (bpp == 4) {
        unsigned char& c = row[x >> 1];
        c = (x & 1) ? static_cast<unsigned char>((c & 0xF0) | (v & 15)) : static_cast<unsigned char>((c & 0x0F) | (v & 15) << 4);
    } else {
        const unsigned char bit = static_cast<unsigned char>(0x80 >> (x & 7));
        row[x >> 3] = v ? static_cast<unsigned char>(row[x >> 3] | bit) : static_cast<unsigned char>(row[x >> 3] & ~bit);
    }
}

unsigned char* storedRow(const struct_LEAD_Bitmap& b, int y) {
    return b.pBits + static_cast<size_t>(b.BytesPerLine) * static_cast<size_t>(y);
}

bool isGrayPicture(const struct_LEAD_Bitmap& b) {
    if (b.BitsPerPixel != 8) return false;
    if (b.Order == ORDER_GRAY) return true;
    if (!b.pPalette || b.nColors != 256) return false;
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD q = b.pPalette[i];
        if (q.rgbRed != i || q.rgbGreen != i || q.rgbBlue != i) return false;
    }
    return true;
}

COLORREF colorAt(const struct_LEAD_Bitmap& b, const unsigned char* row, int x) {
    switch (b.BitsPerPixel) {
    case 1:
    case 4:
    case 8: {
        const unsigned i = indexAt(row, x, b.BitsPerPixel);
        if (static_cast<int>(i) >= b.nColors) return 0;
        const RGBQUAD q = b.pPalette[i];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    case 16: {
        const unsigned v = row[2 * x] | row[2 * x + 1] << 8;
        return RGB(((v >> 10) & 31) << 3, ((v >> 5) & 31) << 3, (v & 31) << 3);
    }
    default: {
        const unsigned char* p = row + static_cast<size_t>(x) * static_cast<size_t>(b.BitsPerPixel / 8);
        return colorOrderRgb(b) ? RGB(p[0], p[1], p[2]) : RGB(p[2], p[1], p[0]);
    }
    }
}

uint32_t rawFor(const struct_LEAD_Bitmap& b, COLORREF c) {
    const int r = GetRValue(c), g = GetGValue(c), bl = GetBValue(c);
    switch (b.BitsPerPixel) {
    case 1:
    case 4:
    case 8: return NearestIndex(b.pPalette, b.nColors)(r, g, bl);
    case 16: return static_cast<uint32_t>((r >> 3) << 10 | (g >> 3) << 5 | (bl >> 3));
    default:
        return colorOrderRgb(b) ? uint32_t(r) | uint32_t(g) << 8 | uint32_t(bl) << 16 | 0xFF000000u
                                : uint32_t(bl) | uint32_t(g) << 8 | uint32_t(r) << 16 | 0xFF000000u;
    }
}

void putRaw(const struct_LEAD_Bitmap& b, unsigned char* row, int x, uint32_t raw) {
    switch (b.BitsPerPixel) {
    case 1:
    case 4:
    case 8: putIndex(row, x, b.BitsPerPixel, raw); break;
    case 16:
        row[2 * x] = static_cast<unsigned char>(raw);
        row[2 * x + 1] = static_cast<unsigned char>(raw >> 8);
        break;
    default: {
        const int step = b.BitsPerPixel / 8;
        std::memcpy(row + static_cast<size_t>(x) * static_cast<size_t>(step), &raw, static_cast<size_t>(step));
    }
    }
}

void rowToBgr(const struct_LEAD_Bitmap& b, const unsigned char* row, unsigned char* out) {
    const int bpp = b.BitsPerPixel;
    if (bpp <= 8) {
        for (int x = 0; x < b.Width; ++x, out += 3) {
            const unsigned i = indexAt(row, x, bpp);
            const RGBQUAD q = static_cast<int>(i) < b.nColors ? b.pPalette[i] : RGBQUAD{0, 0, 0, 0};
            out[0] = q.rgbBlue, out[1] = q.rgbGreen, out[2] = q.rgbRed;
        }
    } else if (bpp == 16) {
        for (int x = 0; x < b.Width; ++x, out += 3) {
            const unsigned v = row[2 * x] | row[2 * x + 1] << 8;
            out[0] = static_cast<unsigned char>((v & 31) << 3);
            out[1] = static_cast<unsigned char>(((v >> 5) & 31) << 3);
            out[2] = static_cast<unsigned char>(((v >> 10) & 31) << 3);
        }
    } else {
        const int step = bpp / 8;
        const bool rgb = colorOrderRgb(b);
        for (int x = 0; x < b.Width; ++x, out += 3, row += step) {
            out[0] = row[rgb ? 2 : 0], out[1] = row[1], out[2] = row[rgb ? 0 : 2];
        }
    }
}

void rowFromBgr(const struct_LEAD_Bitmap& b, unsigned char* row, const unsigned char* in, NearestIndex* nearest) {
    const int bpp = b.BitsPerPixel;
    if (bpp <= 8) {
        for (int x = 0; x < b.Width; ++x, in += 3) putIndex(row, x, bpp, (*nearest)(in[2], in[1], in[0]));
    } else if (bpp == 16) {
        for (int x = 0; x < b.Width; ++x, in += 3) {
            const unsigned v = (in[2] >> 3) << 10 | (in[1] >> 3) << 5 | (in[0] >> 3);
            row[2 * x] = static_cast<unsigned char>(v);
            row[2 * x + 1] = static_cast<unsigned char>(v >> 8);
        }
    } else {
        const int step = bpp / 8;
        const bool rgb = colorOrderRgb(b);
        for (int x = 0; x < b.Width; ++x, in += 3, row += step) {
            row[rgb ? 2 : 0] = in[0], row[1] = in[1], row[rgb ? 0 : 2] = in[2];
            if (step == 4) row[3] = 0xFF;
        }
    }
}

BgrRows bgrRows(const struct_LEAD_Bitmap& b) {
    BgrRows r;
    r.width = b.Width;
    r.height = b.Height;
    r.px.resize(size_t(b.Width) * size_t(b.Height) * 3);
    for (int y = 0; y < b.Height; ++y) rowToBgr(b, storedRow(b, y), r.px.data() + size_t(y) * size_t(b.Width) * 3);
    return r;
}

NearestIndex::NearestIndex(const RGBQUAD* table, int count) : table_(table), count_(count) {
    for (int i = count - 1; i >= 0; --i)  // the first of equal entries wins
        exact_[uint32_t(table[i].rgbRed) << 16 | uint32_t(table[i].rgbGreen) << 8 | table[i].rgbBlue] = uint8_t(i);
}

unsigned NearestIndex::operator()(int r, int g, int bl) {
    const auto hit = exact_.find(uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(bl));
    if (hit != exact_.end()) return hit->second;
    // Colours outside the table share the nearest entry of their 5-5-5 cell.
    if (cache_.empty()) cache_.assign(32768, 0);
    int16_t& slot = cache_[size_t((r >> 3) << 10 | (g >> 3) << 5 | (bl >> 3))];
    if (slot) return static_cast<unsigned>(slot - 1);
    int best = 0, bestDist = INT32_MAX;
    for (int i = 0; i < count_; ++i) {
        const int dr = r - table_[i].rgbRed, dg = g - table_[i].rgbGreen, db = bl - table_[i].rgbBlue;
        const int d = 3 * dr * dr + 6 * dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    slot = static_cast<int16_t>(best + 1);
    return static_cast<unsigned>(best);
}

}  // namespace imagesdk::detail
