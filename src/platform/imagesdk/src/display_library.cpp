// The display library: device-dependent bitmaps for a device context, made
// from the record's picture and read back into it through GDI.
#include "backend_p.h"
#include "picture_p.h"

#include <imagesdk/limits.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace imagesdk::detail {

namespace {

struct InfoWithColors {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// GDI needs a device context to convert colours; without one the screen's serves.
class ContextOrScreen {
public:
    explicit ContextOrScreen(HDC dc) : dc_(dc ? dc : GetDC(nullptr)), screen_(!dc) {}
    ~ContextOrScreen() {
        if (screen_ && dc_) ReleaseDC(nullptr, dc_);
    }
    ContextOrScreen(const ContextOrScreen&) = delete;
    ContextOrScreen& operator=(const ContextOrScreen&) = delete;
    operator HDC() const { return dc_; }

private:
    HDC dc_;
    bool screen_;
};

// A bitmap of the device context's format holding the picture.
HBITMAP makeDdb(HDC target, const struct_LEAD_Bitmap& b) {
    if (!allocated(&b)) return nullptr;
    const ContextOrScreen dc(target);
    InfoWithColors info;
    fillBitmapInfo(b, &info);
    const unsigned char* bits = b.pBits;
    std::vector<unsigned char> swapped;
    if (b.Order == ORDER_RGB && (b.BitsPerPixel == 24 || b.BitsPerPixel == 32)) {
        // GDI reads blue first.
        swapped.assign(b.pBits, b.pBits + b.DataSize);
        const int step = b.BitsPerPixel / 8;
        for (int y = 0; y < b.Height; ++y) {
            unsigned char* p = swapped.data() + static_cast<size_t>(b.BytesPerLine) * static_cast<size_t>(y);
            for (int x = 0; x < b.Width; ++x, p += step) std::swap(p[0], p[2]);
        }
        bits = swapped.data();
    }
    HBITMAP ddb = CreateCompatibleBitmap(dc, b.Width, b.Height);
    if (!ddb) return nullptr;
    if (SetDIBits(dc, ddb, 0, static_cast<UINT>(b.Height), bits, reinterpret_cast<BITMAPINFO*>(&info),
                  DIB_RGB_COLORS) != b.Height) {
        DeleteObject(ddb);
        return nullptr;
    }
    return ddb;
}

// Reads a bitmap into a fresh picture: 1 bit for monochrome bitmaps, 8 bits
// with the bitmap's colours for 4 and 8 bits, 24 bits otherwise.
int readDdb(HDC target, HBITMAP ddb, struct_LEAD_Bitmap& out) {
    BITMAP bm;
    if (!ddb || GetObject(ddb, sizeof bm, &bm) != static_cast<int>(sizeof bm)) return IMGSDK_ERROR_GDI;
    const int height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    const int bpp = bm.bmBitsPixel == 1 ? 1 : bm.bmBitsPixel <= 8 ? 8 : 24;
    int rc = createPicture(out, bm.bmWidth, height, bpp, ORDER_BGR);
    if (rc != IMGSDK_SUCCESS) return rc;
    const ContextOrScreen dc(target);
    InfoWithColors info;
    fillBitmapInfo(out, &info);
    info.header.biClrUsed = 0;
    if (GetDIBits(dc, ddb, 0, static_cast<UINT>(height), out.pBits, reinterpret_cast<BITMAPINFO*>(&info),
                  DIB_RGB_COLORS) != height) {
        releasePicture(out);
        return IMGSDK_ERROR_GDI;
    }
    if (bpp <= 8) std::memcpy(out.pPalette, info.colors, static_cast<size_t>(out.nColors) * sizeof(RGBQUAD));
    return IMGSDK_SUCCESS;
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
