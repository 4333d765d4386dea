// The kernel library: a memory device context over a picture. GDI draws into
// a DIB section holding the picture; deleting the device context puts what
// was drawn back into the record.
#include "backend_p.h"
#include "picture_p.h"

#include <cstring>
#include <map>

namespace imagesdk::detail {

namespace {

struct PictureDC {
    struct_LEAD_Bitmap* record;
    HBITMAP section;
    HGDIOBJ previous;
    void* bits;
};

std::map<HDC, PictureDC>& pictureDCs() {
    static std::map<HDC, PictureDC> dcs;
    return dcs;
}

struct InfoWithColors {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// GDI keeps blue first; pictures in RGB order swap on the way in and out.
void swapRedBlue(unsigned char* bits, const struct_LEAD_Bitmap& b) {
    if (b.Order != ORDER_RGB || (b.BitsPerPixel != 24 && b.BitsPerPixel != 32)) return;
    const int step = b.BitsPerPixel / 8;
    for (int y = 0; y < b.Height; ++y) {
        unsigned char* p = bits + size_t(b.BytesPerLine) * size_t(y);
        for (int x = 0; x < b.Width; ++x, p += step) std::swap(p[0], p[2]);
    }
}

}  // namespace

HDC createPictureDC(struct_LEAD_Bitmap* b) {
    if (!b) return failWith<HDC>(IMGSDK_ERROR_INV_PARAMETER);
    if (!allocated(b)) return failWith<HDC>(IMGSDK_ERROR_NO_BITMAP);
    InfoWithColors info;
    fillBitmapInfo(*b, &info);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) return failWith<HDC>(IMGSDK_ERROR_GDI);
    std::memcpy(bits, b->pBits, b->DataSize);
    swapRedBlue(static_cast<unsigned char*>(bits), *b);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = dc ? SelectObject(dc, section) : nullptr;
    if (!previous) {
        if (dc) DeleteDC(dc);
        DeleteObject(section);
        return failWith<HDC>(IMGSDK_ERROR_GDI);
    }
    pictureDCs()[dc] = PictureDC{b, section, previous, bits};
    return dc;
}

int deletePictureDC(HDC dc) {
    auto it = pictureDCs().find(dc);
    if (it == pictureDCs().end()) return IMGSDK_ERROR_INV_PARAMETER;
    const PictureDC link = it->second;
    pictureDCs().erase(it);
    GdiFlush();
    int rc = IMGSDK_SUCCESS;
    struct_LEAD_Bitmap& b = *link.record;
    BITMAP bm{};
    // The record may have lost or changed its picture meanwhile; then nothing comes back.
    if (allocated(&b) && GetObject(link.section, sizeof bm, &bm) == int(sizeof bm) && bm.bmWidth == b.Width &&
        bm.bmHeight == b.Height && bm.bmBitsPixel == b.BitsPerPixel) {
        std::memcpy(b.pBits, link.bits, b.DataSize);
        swapRedBlue(b.pBits, b);
    } else {
        rc = IMGSDK_ERROR_NO_BITMAP;
    }
    SelectObject(dc, link.previous);
    DeleteObject(link.section);
    if (!DeleteDC(dc)) rc = IMGSDK_ERROR_GDI;
    return rc;
}

}  // namespace imagesdk::detail
