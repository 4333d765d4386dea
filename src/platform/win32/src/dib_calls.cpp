// Moving pixels between caller DIBs and GDI: GetDIBits, SetDIBits,
// StretchDIBits, SetDIBitsToDevice, CreateDIBitmap, Get/SetBitmapBits and
// the DIB section colour table.
#include "dib_format_p.h"
#include "stock_objects_p.h"
#include "printer_p.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace hmigfx::win32 {
namespace {

// The table GetDIBits reports for a depth the bitmap does not have: black and
// white, the sixteen VGA colours, or the static colours around a colour cube
// and a grey ramp.
std::vector<RGBQUAD> defaultTable(int bpp) {
    if (bpp == 1) return {RGBQUAD{0, 0, 0, 0}, RGBQUAD{0xFF, 0xFF, 0xFF, 0}};
    if (bpp == 4) return std::vector<RGBQUAD>(kVgaPalette, kVgaPalette + 16);
    std::vector<RGBQUAD> t(256, RGBQUAD{0, 0, 0, 0});
    int count = 0;
    const PALETTEENTRY* stat = defaultPaletteEntries(&count);
    for (int i = 0; i < 10 && i < count; ++i) {
        t[i] = {stat[i].peBlue, stat[i].peGreen, stat[i].peRed, 0};
        if (10 + i < count) t[246 + i] = {stat[10 + i].peBlue, stat[10 + i].peGreen, stat[10 + i].peRed, 0};
    }
    int k = 10;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                t[k++] = {static_cast<BYTE>(b * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(r * 51), 0};
    for (int i = 0; i < 20; ++i) {
        const BYTE v = static_cast<BYTE>((i + 1) * 255 / 21);
        t[k++] = {v, v, v, 0};
    }
    return t;
}

// A caller's DIB pixels, RLE data expanded.
struct DibPixels {
    DibFormat f;
    std::vector<uint8_t> expanded;
    const void* bits = nullptr;

    bool load(const BITMAPINFO* info, UINT usage, const DC* dc, const void* data) {
        if (!data || !readDibFormat(info, SIZE_MAX, usage, dc, f)) return false;
        bits = data;
        if (f.rle()) {
            if (!f.compressedSize || !decodeRle(f, static_cast<const uint8_t*>(data), f.compressedSize, expanded))
                return false;
            bits = expanded.data();
        }
        return true;
    }

    BlitSource source(int rows, COLORREF bk) const {
        BlitSource s;
        s.s = dibSurface(f, bits, rows);
        s.is565 = f.is565;
        s.bkColor = bk;
        return s;
    }
};

// Draws onto a bitmap's own pixels, whichever DC holds it. Monochrome DDBs
// match colours to black and white here, not to a DC's background colour.
struct BitmapDest {
    explicit BitmapDest(const Bitmap& b) : visible(RECT{0, 0, b.width, b.height}) {
        dest.s = b.surface();
        dest.visible = &visible;
        dest.target.s = dest.s;
    }
    PixRegion visible;
    BlitDest dest;
};

BlitSource bitmapSource(const Bitmap& b) {
    BlitSource s;
    s.s = b.surface();
    return s;
}

int clampLines(UINT start, UINT count, int height) {
    if (start >= static_cast<UINT>(height)) return 0;
    return static_cast<int>(std::min<UINT>(count, static_cast<UINT>(height) - start));
}

size_t ddbWidthBytes(const Bitmap& b) { return (static_cast<size_t>(b.width) * b.bpp + 15) / 16 * 2; }

}  // namespace

void blitIntoBitmap(Bitmap& b, const BlitSource& src, BlitCoords d, BlitCoords s) {
    BitmapDest out(b);
    runBlit(out.dest, &src, d, s, SRCCOPY, COLORONCOLOR, nullptr);
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

int WINAPI SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* bits, const BITMAPINFO* bmi,
                     UINT usage) {
    Bitmap* bmp = lookup<Bitmap>(hbm);
    if (!bmp || !bmp->bits || !bits) return 0;
    DibPixels px;
    if (!px.load(bmi, usage, hdc ? findDC(hdc) : nullptr, bits)) return 0;
    const DibFormat& f = px.f;
    if (f.rle()) {
        start = 0;
        cLines = static_cast<UINT>(f.height);
    }
    const int lines = clampLines(start, cLines, f.height);
    if (!lines) return 0;
    // DIB rows map onto bitmap rows counted from the top.
    const int top = f.topDown ? static_cast<int>(start) : f.height - static_cast<int>(start) - lines;
    const BlitSource src = px.source(lines, RGB(255, 255, 255));
    blitIntoBitmap(*bmp, src, BlitCoords{0, top, f.width, lines}, BlitCoords{0, 0, f.width, lines});
    return lines;
}

int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID bits, LPBITMAPINFO bmi, UINT usage) {
    Bitmap* bmp = lookup<Bitmap>(hbm);
    DC* dc = findDC(hdc);
    if (!bmp || !dc || !bmi || !bmp->bits) return 0;
    if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return 0;
    BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (h.biSize == sizeof(BITMAPCOREHEADER)) {
        // Old-style headers take the same answers in their smaller fields.
        auto* core = reinterpret_cast<BITMAPCOREHEADER*>(bmi);
        if (core->bcBitCount == 0) {
            if (bits) return 0;
            core->bcWidth = static_cast<WORD>(bmp->width);
            core->bcHeight = static_cast<WORD>(bmp->height);
            core->bcPlanes = 1;
            core->bcBitCount = static_cast<WORD>(bmp->bpp);
            return 1;
        }
        return 0;
    }
    if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;

    if (h.biBitCount == 0) {
        // Describe the bitmap.
        if (bits) return 0;
        h.biWidth = bmp->width;
        h.biHeight = bmp->height;
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(bmp->bpp);
        h.biCompression = bmp->dib ? bmp->header.biCompression : BI_RGB;
        h.biSizeImage = static_cast<DWORD>(dibStride(bmp->width, bmp->bpp) * bmp->height);
        h.biXPelsPerMeter = h.biYPelsPerMeter = 0;
        h.biClrUsed = h.biClrImportant = 0;
        return 1;
    }

    const int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return 0;
    if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && (bpp == 16 || bpp == 32))) return 0;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return 0;
    const bool want565 = bpp == 16 && h.biCompression == BI_BITFIELDS;

    // What the caller gets besides the pixels: the colour table or the masks, and the size.
    DibFormat f;
    f.width = h.biWidth;
    f.height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    f.topDown = h.biHeight < 0;
    f.bpp = bpp;
    f.stride = dibStride(f.width, bpp);
    if (f.stride > kMaxDibBytes / static_cast<size_t>(f.height)) return 0;
    h.biPlanes = 1;
    h.biSizeImage = static_cast<DWORD>(f.imageSize());
    if (bpp <= 8) {
        f.colors = bmp->bpp == bpp && !bmp->colors.empty() ? bmp->colors : defaultTable(bpp);
        f.colors.resize(size_t(1) << bpp);
        h.biClrUsed = 0;
        if (usage == DIB_PAL_COLORS) {
            auto* idx = reinterpret_cast<WORD*>(reinterpret_cast<uint8_t*>(bmi) + h.biSize);
            for (size_t i = 0; i < f.colors.size(); ++i) idx[i] = static_cast<WORD>(i);
        } else {
            std::memcpy(reinterpret_cast<uint8_t*>(bmi) + h.biSize, f.colors.data(), f.colors.size() * sizeof(RGBQUAD));
        }
    } else if (h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER)) {
        const DWORD masks[3] = {want565 ? 0xF800u : 0xFF0000u, want565 ? 0x07E0u : 0xFF00u, want565 ? 0x001Fu : 0xFFu};
        std::memcpy(reinterpret_cast<uint8_t*>(bmi) + h.biSize, masks, sizeof masks);
    }
    if (!bits) return 1;

    const int lines = clampLines(start, cLines, f.height);
    if (!lines) return 0;
    const int top = f.topDown ? static_cast<int>(start) : f.height - static_cast<int>(start) - lines;
    auto* out = static_cast<uint8_t*>(bits);
    std::memset(out, 0, f.stride * static_cast<size_t>(lines));

    // 5-6-5 output goes through 32-bit rows.
    DibFormat work = f;
    std::vector<uint8_t> wide;
    void* target = out;
    if (want565) {
        work.bpp = 32;
        work.stride = dibStride(f.width, 32);
        wide.assign(work.stride * static_cast<size_t>(lines), 0);
        target = wide.data();
    }
    const PixRegion visible(RECT{0, 0, f.width, lines});
    BlitDest dest;
    dest.s = dibSurface(work, target, lines);
    dest.visible = &visible;
    dest.target.s = dest.s;
    const BlitSource src = bitmapSource(*bmp);
    runBlit(dest, &src, BlitCoords{0, 0, f.width, lines}, BlitCoords{0, top, f.width, lines}, SRCCOPY, COLORONCOLOR,
            nullptr);
    if (want565) {
        for (int r = 0; r < lines; ++r) {
            const uint8_t* in = wide.data() + work.stride * static_cast<size_t>(r);
            uint8_t* o = out + f.stride * static_cast<size_t>(r);
            for (int x = 0; x < f.width; ++x) {
                const uint32_t p = in[4 * x] | (in[4 * x + 1] << 8) | (in[4 * x + 2] << 16);
                const uint16_t v = static_cast<uint16_t>(((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x001F));
                o[2 * x] = static_cast<uint8_t>(v);
                o[2 * x + 1] = static_cast<uint8_t>(v >> 8);
            }
        }
    }
    return lines;
}

int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                         int SrcWidth, int SrcHeight, const void* lpBits, const BITMAPINFO* lpbmi, UINT iUsage,
                         DWORD rop) {
    const PageRecord rec(hdc, [&] {
        return [=, dib = keepDib(hdc, lpbmi, iUsage, lpBits, -1)](HDC d) {
            StretchDIBits(d, xDest, yDest, DestWidth, DestHeight, xSrc, ySrc, SrcWidth, SrcHeight, dib.data(), dib.info(),
                          iUsage, rop);
        };
    });
    DC* dc = findDC(hdc);
    if (!dc) return 0;
    DibPixels px;
    if (!px.load(lpbmi, iUsage, dc, lpBits)) return 0;
    const DibFormat& f = px.f;
    if (!rop3UsesSource(rop3Code(rop))) return PatBlt(hdc, xDest, yDest, DestWidth, DestHeight, rop) ? f.height : 0;
    const BlitSource src = px.source(f.height, dc->st.bkColor);
    // Bottom-up DIBs count the source rectangle from their lower-left corner.
    const int sy = f.topDown ? ySrc : static_cast<int>(std::clamp<int64_t>(int64_t{f.height} - ySrc - SrcHeight, INT_MIN, INT_MAX));
    const BlitCoords d{dc->devX(xDest), dc->devY(yDest), DestWidth, DestHeight};
    if (!runBlit(blitDestOf(*dc), &src, d, BlitCoords{xSrc, sy, SrcWidth, SrcHeight}, rop, dc->st.stretchMode, nullptr))
        return 0;
    return f.height;
}

int WINAPI SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc, UINT StartScan,
                             UINT cLines, const void* lpvBits, const BITMAPINFO* lpbmi, UINT ColorUse) {
    const PageRecord rec(hdc, [&] {
        return [=, dib = keepDib(hdc, lpbmi, ColorUse, lpvBits, cLines)](HDC d) {
            SetDIBitsToDevice(d, xDest, yDest, w, h, xSrc, ySrc, StartScan, cLines, dib.data(), dib.info(), ColorUse);
        };
    });
    DC* dc = findDC(hdc);
    if (!dc || w > INT_MAX || h > INT_MAX) return 0;
    DibPixels px;
    if (!px.load(lpbmi, ColorUse, dc, lpvBits)) return 0;
    const DibFormat& f = px.f;
    if (f.rle()) {
        StartScan = 0;
        cLines = static_cast<UINT>(f.height);
    }
    const int lines = clampLines(StartScan, cLines, f.height);
    if (!lines) return 0;
    const BlitSource src = px.source(lines, dc->st.bkColor);
    // The bits hold scan lines StartScan .. StartScan + lines - 1.
    const int64_t firstRow = f.topDown ? int64_t{ySrc} - StartScan : int64_t{StartScan} + lines - ySrc - h;
    const int sy = static_cast<int>(std::clamp<int64_t>(firstRow, INT_MIN, INT_MAX));
    const BlitCoords d{dc->devX(xDest), dc->devY(yDest), static_cast<int>(w), static_cast<int>(h)};
    if (!runBlit(blitDestOf(*dc), &src, d, BlitCoords{xSrc, sy, static_cast<int>(w), static_cast<int>(h)}, SRCCOPY,
                 dc->st.stretchMode, nullptr))
        return 0;
    return lines;
}

HBITMAP WINAPI CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const void* pjBits,
                              const BITMAPINFO* pbmi, UINT iUsage) {
    if (!pbmih) return nullptr;
    DC* dc = hdc ? findDC(hdc) : nullptr;
    if (hdc && !dc) return nullptr;
    int width, height, bpp;
    if (pbmih->biSize == sizeof(BITMAPCOREHEADER)) {
        const auto* core = reinterpret_cast<const BITMAPCOREHEADER*>(pbmih);
        width = core->bcWidth;
        height = core->bcHeight;
        bpp = core->bcBitCount;
    } else if (pbmih->biSize >= sizeof(BITMAPINFOHEADER)) {
        width = pbmih->biWidth;
        height = pbmih->biHeight == INT32_MIN ? 0 : std::abs(pbmih->biHeight);
        bpp = pbmih->biBitCount;
    } else {
        return nullptr;
    }
    if (width < 0) return nullptr;
    // A black-and-white DIB makes a monochrome bitmap; anything else one like the DC's.
    bool mono = false;
    if (bpp == 1 && pbmi && iUsage == DIB_RGB_COLORS) {
        DibFormat f;
        if (readDibFormat(pbmi, SIZE_MAX, iUsage, dc, f)) {
            auto isBlack = [](const RGBQUAD& q) { return q.rgbRed == 0 && q.rgbGreen == 0 && q.rgbBlue == 0; };
            auto isWhite = [](const RGBQUAD& q) { return q.rgbRed == 0xFF && q.rgbGreen == 0xFF && q.rgbBlue == 0xFF; };
            mono = (isBlack(f.colors[0]) && isWhite(f.colors[1])) || (isWhite(f.colors[0]) && isBlack(f.colors[1]));
        }
    }
    HBITMAP bmp;
    if (mono)
        bmp = CreateBitmap(width, height, 1, 1, nullptr);
    else if (dc)
        bmp = CreateCompatibleBitmap(hdc, width, height);
    else
        bmp = CreateBitmap(width, height, 1, 32, nullptr);
    if (bmp && (flInit & CBM_INIT) && pjBits && pbmi) {
        DibFormat f;
        if (readDibFormat(pbmi, SIZE_MAX, iUsage, dc, f))
            SetDIBits(hdc, bmp, 0, static_cast<UINT>(f.height), pjBits, pbmi, iUsage);
    }
    return bmp;
}

LONG WINAPI GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits) {
    Bitmap* b = lookup<Bitmap>(hbit);
    if (!b || !b->bits) return 0;
    const size_t rowBytes = ddbWidthBytes(*b);
    const size_t total = rowBytes * static_cast<size_t>(b->height);
    if (!lpvBits) return static_cast<LONG>(std::min<size_t>(total, LONG_MAX));
    if (cb <= 0) return 0;
    const size_t want = std::min<size_t>(static_cast<size_t>(cb), total);
    const Surface s = b->surface();
    auto* out = static_cast<uint8_t*>(lpvBits);
    // Device-dependent layout: top-down, rows WORD aligned.
    const size_t used = (static_cast<size_t>(b->width) * b->bpp + 7) / 8;
    for (size_t done = 0, y = 0; done < want; ++y) {
        const size_t n = std::min(rowBytes, want - done);
        std::memset(out + done, 0, n);
        std::memcpy(out + done, s.row(static_cast<int>(y)), std::min(n, used));
        done += n;
    }
    return static_cast<LONG>(want);
}

LONG WINAPI SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits) {
    Bitmap* b = lookup<Bitmap>(hbm);
    if (!b || !b->bits || !pvBits) return 0;
    const size_t rowBytes = ddbWidthBytes(*b);
    const size_t total = rowBytes * static_cast<size_t>(b->height);
    const size_t want = std::min<size_t>(cb, total);
    const Surface s = b->surface();
    const auto* in = static_cast<const uint8_t*>(pvBits);
    const size_t used = (static_cast<size_t>(b->width) * b->bpp + 7) / 8;
    for (size_t done = 0, y = 0; done < want; ++y) {
        const size_t n = std::min(rowBytes, want - done);
        std::memcpy(s.row(static_cast<int>(y)), in + done, std::min(n, used));
        done += n;
    }
    return static_cast<LONG>(want);
}

UINT WINAPI GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq) {
    DC* dc = findDC(hdc);
    Bitmap* b = dc ? dc->bitmap() : nullptr;
    if (!b || !b->dib || b->bpp > 8 || !prgbq || iStart >= b->colors.size()) return 0;
    const UINT n = std::min<UINT>(cEntries, static_cast<UINT>(b->colors.size()) - iStart);
    std::memcpy(prgbq, b->colors.data() + iStart, n * sizeof(RGBQUAD));
    return n;
}

UINT WINAPI SetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, const RGBQUAD* prgbq) {
    DC* dc = findDC(hdc);
    Bitmap* b = dc ? dc->bitmap() : nullptr;
    if (!b || !b->dib || b->bpp > 8 || !prgbq || iStart >= b->colors.size()) return 0;
    const UINT n = std::min<UINT>(cEntries, static_cast<UINT>(b->colors.size()) - iStart);
    std::memcpy(b->colors.data() + iStart, prgbq, n * sizeof(RGBQUAD));
    // Brush and pen colours map to table entries, so they must be looked up again.
    dc->invalidatePaints();
    return n;
}

}  // extern "C"
