// Pixel rows in every surface format, and the conversion between formats.
#include "blit_p.h"

#include <cstring>

namespace hmigfx::win32 {

void unpackRow(const Surface& s, int y, int x, int n, uint32_t* out) {
    const uint8_t* row = s.row(y);
    switch (s.bpp) {
    case 32:
        std::memcpy(out, row + 4 * static_cast<size_t>(x), 4 * static_cast<size_t>(n));
        return;
    case 24: {
        const uint8_t* p = row + 3 * static_cast<size_t>(x);
        for (int i = 0; i < n; ++i, p += 3) out[i] = p[0] | (p[1] << 8) | (p[2] << 16);
        return;
    }
    case 16: {
        const uint8_t* p = row + 2 * static_cast<size_t>(x);
        for (int i = 0; i < n; ++i, p += 2) out[i] = p[0] | (p[1] << 8);
        return;
    }
    case 8:
        for (int i = 0; i < n; ++i) out[i] = row[x + i];
        return;
    case 4:
        for (int i = 0; i < n; ++i) {
            const int xi = x + i;
            out[i] = (xi & 1) ? (row[xi >> 1] & 0x0F) : (row[xi >> 1] >> 4);
        }
        return;
    case 1:
        for (int i = 0; i < n; ++i) {
            const int xi = x + i;
            out[i] = (row[xi >> 3] >> (7 - (xi & 7))) & 1u;
        }
        return;
    default:
        std::memset(out, 0, 4 * static_cast<size_t>(n));
        return;
    }
}

void packRow(const Surface& s, int y, int x, int n, const uint32_t* in) {
    uint8_t* row = s.row(y);
    switch (s.bpp) {
    case 32:
        std::memcpy(row + 4 * static_cast<size_t>(x), in, 4 * static_cast<size_t>(n));
        return;
    case 24: {
        uint8_t* p = row + 3 * static_cast<size_t>(x);
        for (int i = 0; i < n; ++i, p += 3) {
            p[0] = static_cast<uint8_t>(in[i]);
            p[1] = static_cast<uint8_t>(in[i] >> 8);
            p[2] = static_cast<uint8_t>(in[i] >> 16);
        }
        return;
    }
    case 16: {
        uint8_t* p = row + 2 * static_cast<size_t>(x);
        for (int i = 0; i < n; ++i, p += 2) {
            p[0] = static_cast<uint8_t>(in[i]);
            p[1] = static_cast<uint8_t>(in[i] >> 8);
        }
        return;
    }
    case 8:
        for (int i = 0; i < n; ++i) row[x + i] = static_cast<uint8_t>(in[i]);
        return;
    case 4:
        for (int i = 0; i < n; ++i) {
            const int xi = x + i;
            uint8_t& b = row[xi >> 1];
            b = (xi & 1) ? static_cast<uint8_t>((b & 0xF0) | (in[i] & 0x0F))
                         : static_cast<uint8_t>((b & 0x0F) | ((in[i] & 0x0F) << 4));
        }
        return;
    case 1:
        for (int i = 0; i < n; ++i) {
            const int xi = x + i;
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (xi & 7));
            if (in[i] & 1)
                row[xi >> 3] |= bit;
            else
                row[xi >> 3] &= static_cast<uint8_t>(~bit);
        }
        return;
    default:
        return;
    }
}

COLORREF pixel565ToColor(uint32_t p) {
    const uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
    return RGB((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
}

BlitTarget blitTargetOf(const DC& dc) {
    BlitTarget t;
    t.s = dc.surface;
    const Bitmap* bmp = dc.bitmap();
    t.monoNoTable = bmp && bmp->bpp == 1 && !bmp->dib;
    t.textColor = dc.st.textColor;
    t.bkColor = dc.st.bkColor;
    return t;
}

BlitDest blitDestOf(DC& dc) {
    BlitDest d;
    d.s = dc.surface;
    d.visible = &dc.visible;
    d.target = blitTargetOf(dc);
    d.dc = &dc;
    return d;
}

bool blitSourceOf(const DC& dc, BlitSource& out) {
    out = BlitSource{};
    out.s = dc.surface;
    if (!out.s.valid() || dc.printer) return false;  // a printer's page cannot be read back
    const Bitmap* bmp = dc.bitmap();
    out.monoNoTable = bmp && bmp->bpp == 1 && !bmp->dib;
    out.bkColor = dc.st.bkColor;
    return true;
}

namespace {

bool sameTable(const Surface& a, const Surface& b) {
    if (a.paletteSize != b.paletteSize) return false;
    return a.paletteSize == 0 || std::memcmp(a.palette, b.palette, sizeof(RGBQUAD) * a.paletteSize) == 0;
}

COLORREF entryColor(const Surface& s, uint32_t i) {
    if (static_cast<int>(i) >= s.paletteSize || !s.palette) return 0;
    const RGBQUAD& q = s.palette[i];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

}  // namespace

PixelConverter::PixelConverter(const BlitSource& src, const BlitTarget& dst) : src_(src), dst_(dst) {
    const int sb = src.s.bpp, db = dst.s.bpp;
    const bool srcDirect = sb >= 16, dstDirect = db >= 16;
    if (srcDirect && dstDirect) {
        const bool wide = (sb == 24 || sb == 32) && (db == 24 || db == 32);
        mode_ = wide || (sb == 16 && db == 16 && !src.is565) ? Mode::Raw : Mode::Direct;
        return;
    }
    if (dst.monoNoTable) {
        if (src.monoNoTable) {
            mode_ = Mode::Raw;
        } else if (srcDirect) {
            // Raw values are compared, as GDI does: the background colour in the source's format.
            mode_ = Mode::ToMonoDdb;
            const COLORREF bk = src.bkColor & 0x00FFFFFF;
            if (sb == 16)
                monoBk_ = src.is565 ? (((GetRValue(bk) >> 3) << 11) | ((GetGValue(bk) >> 2) << 5) | (GetBValue(bk) >> 3))
                                    : colorToPixel(src.s, bk);
            else
                monoBk_ = colorrefToXrgb(bk);
        } else {
            mode_ = Mode::Table;
            for (int i = 0; i < (1 << sb); ++i)
                table_[i] = (entryColor(src.s, static_cast<uint32_t>(i)) == (src.bkColor & 0x00FFFFFF)) ? 1u : 0u;
        }
        return;
    }
    if (!srcDirect) {
        if (sb == db && !src.monoNoTable && sameTable(src.s, dst.s)) {
            mode_ = Mode::Raw;
            return;
        }
        mode_ = Mode::Table;
        for (int i = 0; i < (1 << sb); ++i) {
            COLORREF c;
            if (src.monoNoTable)
                c = i ? dst.bkColor : dst.textColor;
            else
                c = entryColor(src.s, static_cast<uint32_t>(i));
            table_[i] = colorToPixel(dst.s, c & 0x00FFFFFF);
        }
        return;
    }
    mode_ = Mode::Direct;
    if (db == 8) nearestCache_.assign(32 * 32 * 32, -1);
}

COLORREF PixelConverter::sourceColor(uint32_t raw) const {
    switch (src_.s.bpp) {
    case 32:
    case 24: return xrgbToColorref(raw & 0x00FFFFFF);
    case 16: return src_.is565 ? pixel565ToColor(raw) : pixelToColor(src_.s, raw);
    default: return entryColor(src_.s, raw);
    }
}

uint32_t PixelConverter::colorToTarget(COLORREF c) const {
    if (dst_.s.bpp == 8 && !nearestCache_.empty()) {
        // 8-bit targets look colours up by the top five bits of each channel.
        const int r = GetRValue(c) >> 3, g = GetGValue(c) >> 3, b = GetBValue(c) >> 3;
        int16_t& slot = nearestCache_[static_cast<size_t>(r | (g << 5) | (b << 10))];
        if (slot < 0)
            slot = static_cast<int16_t>(colorToPixel(dst_.s, RGB((r << 3) | 4, (g << 3) | 4, (b << 3) | 4)));
        return static_cast<uint32_t>(slot);
    }
    return colorToPixel(dst_.s, c);
}

uint32_t PixelConverter::convert(uint32_t raw) const {
    switch (mode_) {
    case Mode::Raw: return raw;
    case Mode::Table: return table_[raw & 0xFF];
    case Mode::ToMonoDdb: return raw == monoBk_ ? 1u : 0u;
    case Mode::Direct: return colorToTarget(sourceColor(raw));
    }
    return 0;
}

void PixelConverter::convertRow(int y, int x, int n, uint32_t* out) const {
    unpackRow(src_.s, y, x, n, out);
    if (mode_ == Mode::Raw) {
        if (src_.s.bpp == 32 && dst_.s.bpp == 24)
            for (int i = 0; i < n; ++i) out[i] &= 0x00FFFFFF;
        return;
    }
    if (mode_ == Mode::Direct && dst_.s.bpp >= 24) {
        if (src_.s.bpp == 16 && !src_.is565) {
            for (int i = 0; i < n; ++i) {
                const uint32_t p = out[i];
                const uint32_t r = (p >> 10) & 31, g = (p >> 5) & 31, b = p & 31;
                out[i] = (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) | ((b << 3) | (b >> 2));
            }
            return;
        }
    }
    if (mode_ == Mode::Direct && dst_.s.bpp == 16 && src_.s.bpp >= 24) {
        for (int i = 0; i < n; ++i) {
            const uint32_t p = out[i];
            out[i] = ((p >> 9) & 0x7C00) | ((p >> 6) & 0x03E0) | ((p >> 3) & 0x001F);
        }
        return;
    }
    for (int i = 0; i < n; ++i) out[i] = convert(out[i]);
}

}  // namespace hmigfx::win32
