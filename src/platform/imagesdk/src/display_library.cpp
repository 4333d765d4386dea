// The display library: device-dependent bitmaps for a device context, made
// from the record's picture and read back into it through GDI.
#include "backend_p.h"
#include "picture_p.h"

#include <imagesdk/limits.h>

#include <algorithm>
#include <cstring>

namespace imagesdk::detail {

namespace {

// A bitmap for the device context holding the picture, in the 32-bit format
// of the screen's bitmaps.
HBITMAP makeDdb(HDC dc, const struct_LEAD_Bitmap& b) {
    if (!allocated(&b)) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = b.Width;
    info.bmiHeader.biHeight = -b.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP ddb = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!ddb || !bits) return nullptr;
    const bool rgb = b.Order == ORDER_RGB;
    for (int y = 0; y < b.Height; ++y) {
        const unsigned char* s = rowFromTop(b, y);
        unsigned char* d = static_cast<unsigned char*>(bits) + size_t(4) * size_t(b.Width) * size_t(y);
        for (int x = 0; x < b.Width; ++x, d += 4) {
            RGBQUAD q{};
            switch (b.BitsPerPixel) {
            case 1: q = b.pPalette[std::min((s[x >> 3] >> (7 - (x & 7))) & 1, b.nColors - 1)]; break;
            case 4: q = b.pPalette[std::min((s[x >> 1] >> ((x & 1) ? 0 : 4)) & 15, b.nColors - 1)]; break;
            case 8: q = b.pPalette[std::min(int(s[x]), b.nColors - 1)]; break;
            case 16: {
                const unsigned v = unsigned(s[2 * x]) | unsigned(s[2 * x + 1]) << 8;
                // Five bits widen to eight by repeating their top bits, as GDI does.
                auto widen = [](unsigned c5) { return static_cast<BYTE>(c5 << 3 | c5 >> 2); };
                q.rgbRed = widen((v >> 10) & 31);
                q.rgbGreen = widen((v >> 5) & 31);
                q.rgbBlue = widen(v & 31);
                break;
            }
            default: {
                const unsigned char* p = s + static_cast<size_t>(x) * static_cast<size_t>(b.BitsPerPixel / 8);
                q.rgbBlue = rgb ? p[2] : p[0];
                q.rgbGreen = p[1];
                q.rgbRed = rgb ? p[0] : p[2];
            }
            }
            d[0] = q.rgbBlue;
            d[1] = q.rgbGreen;
            d[2] = q.rgbRed;
            d[3] = 0;
        }
    }
    return ddb;
}

// Reads a bitmap of more than 8 bits into a fresh picture of its depth.
int readDdb(HDC /*dc*/, HBITMAP ddb, struct_LEAD_Bitmap& out) {
    DIBSECTION ds;
    if (!ddb || GetObject(ddb, sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits) return IMGSDK_ERROR_GDI;
    if (ds.dsBm.bmBitsPixel <= 8) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    ds.dsBmih.biClrUsed = 0;
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info{ds.dsBmih, {ds.dsBitfields[0], ds.dsBitfields[1], ds.dsBitfields[2]}};
    return pictureFromDib(out, &info, ds.dsBm.bmBits, 0);
}

}  // namespace

// Both readers leave the bitmap to the caller, as the DIB readers leave the
// DIB. The palette argument serves bitmaps of palette displays; the displays
// GDI offers here are true colour, whose bitmaps need none.

int convertFromDdb(HDC dc, struct_LEAD_Bitmap* bitmap, HBITMAP ddb, HPALETTE /*palette*/) {
    if (!bitmap) return IMGSDK_ERROR_INV_PARAMETER;
    struct_LEAD_Bitmap pic;
    const int rc = readDdb(dc, ddb, pic);
    if (rc != IMGSDK_SUCCESS) return rc;
    replacePicture(*bitmap, pic);
    return IMGSDK_SUCCESS;
}

int changeFromDdb(HDC dc, struct_LEAD_Bitmap* bitmap, HBITMAP ddb, HPALETTE palette) {
    return convertFromDdb(dc, bitmap, ddb, palette);
}

HBITMAP changeToDdb(HDC dc, struct_LEAD_Bitmap* bitmap) {
    if (!bitmap) return nullptr;
    HBITMAP ddb = makeDdb(dc, *bitmap);
    if (ddb) releasePicture(*bitmap);  // handed over
    return ddb;
}

HBITMAP convertToDdb(HDC dc, struct_LEAD_Bitmap* bitmap) {
    if (!bitmap) return nullptr;
    return makeDdb(dc, *bitmap);
}

}  // namespace imagesdk::detail
