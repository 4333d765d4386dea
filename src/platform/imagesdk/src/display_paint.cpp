// The display library: painting through GDI's StretchDIBits (its stretching,
// clipping and raster operations), printing on a printer's device context,
// capturing from a device context, and paint palettes.
#include <imagesdk/dispatch.h>

#include "backend_p.h"
#include "display_p.h"
#include "picture_p.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace imagesdk::detail {

namespace {

struct InfoWithColors {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

int width(const RECT& r) { return r.right - r.left; }
int height(const RECT& r) { return r.bottom - r.top; }

RECT normalised(RECT r) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    return r;
}

RECT intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool emptyRect(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

// Source coordinate s (along one axis) where it lands in the destination.
LONG mapCoord(long s, long s0, long sw, long d0, long dw) {
    return static_cast<LONG>(d0 + std::lround(double(s - s0) * double(dw) / double(sw)));
}

// The default printer's device context with a document and a page started, or
// null where no printer can be reached. Its output goes where the printer puts
// an unnamed document's.
HDC startDefaultPrinterJob() {
    HDC dc = CreateDCW(L"WINSPOOL", nullptr, nullptr, nullptr);
    if (!dc) return nullptr;
    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = L"Picture";
    if (StartDocW(dc, &doc) <= 0 || StartPage(dc) <= 0) {
        DeleteDC(dc);
        return nullptr;
    }
    return dc;
}

// Ends the page and the document of a printing pass on a printer's device
// context. No other kind of device context has a document to end.
void endPrintJob(HDC dc) {
    if (GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER) {
        EndPage(dc);
        EndDoc(dc);
    }
}

HDC printWith(HDC dc, struct_LEAD_Bitmap* b, int x, int y, int w, int h, int endDoc, int stretchMode) {
    if (!b) return failWith<HDC>(IMGSDK_ERROR_INV_PARAMETER);
    if (!allocated(b)) return failWith<HDC>(IMGSDK_ERROR_NO_BITMAP);
    if (w < 0 || h < 0) return failWith<HDC>(IMGSDK_ERROR_INV_PARAMETER);
    const bool ownJob = !dc;
    if (ownJob && !(dc = startDefaultPrinterJob())) return failWith<HDC>(IMGSDK_ERROR_NO_PRINTER);
    if (!isDC(dc)) return failWith<HDC>(IMGSDK_ERROR_INV_PARAMETER);
    // Without a size the picture keeps its physical size (96 dpi when its resolution is unknown).
    if (w == 0) w = int(std::lround(double(b->Width) * GetDeviceCaps(dc, LOGPIXELSX) / (b->XResolution > 0 ? b->XResolution : 96)));
    if (h == 0) h = int(std::lround(double(b->Height) * GetDeviceCaps(dc, LOGPIXELSY) / (b->YResolution > 0 ? b->YResolution : 96)));
    const RECT dst{x, y, x + std::max(w, 1), y + std::max(h, 1)};
    const int old = SetStretchBltMode(dc, stretchMode);
    const int rc = paintPicture(dc, *b, paintRects(*b, nullptr, nullptr, &dst, nullptr), SRCCOPY);
    SetStretchBltMode(dc, old);
    if (rc != IMGSDK_SUCCESS) {
        if (ownJob) {
            AbortDoc(dc);
            DeleteDC(dc);
        }
        return failWith<HDC>(rc);
    }
    if (endDoc) endPrintJob(dc);
    return dc;
}

}  // namespace

bool isDC(HDC dc) {
    const DWORD t = dc ? GetObjectType(dc) : 0;
    return t == OBJ_DC || t == OBJ_MEMDC;
}

PaintRects paintRects(const struct_LEAD_Bitmap& b, const RECT* src, const RECT* clipSrc, const RECT* dst,
                      const RECT* clipDst) {
    PaintRects r;
    r.src = src ? *src : RECT{0, 0, b.Width, b.Height};
    r.dst = dst ? *dst : RECT{0, 0, width(r.src), height(r.src)};
    // A source given right to left or bottom to top mirrors like a destination so given.
    if (r.src.left > r.src.right) {
        std::swap(r.src.left, r.src.right);
        std::swap(r.dst.left, r.dst.right);
    }
    if (r.src.top > r.src.bottom) {
        std::swap(r.src.top, r.src.bottom);
        std::swap(r.dst.top, r.dst.bottom);
    }
    if (width(r.src) == 0 || height(r.src) == 0 || width(r.dst) == 0 || height(r.dst) == 0) {
        r.empty = true;
        return r;
    }
    const RECT cs = clipSrc ? normalised(*clipSrc) : normalised(r.src);
    // The source clip carried over into destination coordinates.
    const RECT mapped = normalised(RECT{mapCoord(cs.left, r.src.left, width(r.src), r.dst.left, width(r.dst)),
                                        mapCoord(cs.top, r.src.top, height(r.src), r.dst.top, height(r.dst)),
                                        mapCoord(cs.right, r.src.left, width(r.src), r.dst.left, width(r.dst)),
                                        mapCoord(cs.bottom, r.src.top, height(r.src), r.dst.top, height(r.dst))});
    r.clip = intersect(mapped, clipDst ? normalised(*clipDst) : normalised(r.dst));
    r.empty = emptyRect(r.clip);
    return r;
}

int paintRows(HDC dc, const struct_LEAD_Bitmap& b, const unsigned char* bits, int firstRow, int rows,
              const PaintRects& r, DWORD rop, const std::vector<RECT>* only) {
    if (r.empty) return IMGSDK_SUCCESS;
    // The band's share of the source rectangle and where it lands.
    const long s0 = std::max<long>(r.src.top, firstRow);
    const long s1 = std::min<long>(r.src.bottom, firstRow + rows);
    if (s1 <= s0) return IMGSDK_SUCCESS;
    const long dTop = mapCoord(s0, r.src.top, height(r.src), r.dst.top, height(r.dst));
    const long dBottom = mapCoord(s1, r.src.top, height(r.src), r.dst.top, height(r.dst));
    if (dTop == dBottom) return IMGSDK_SUCCESS;

    InfoWithColors info;
    fillBitmapInfo(b, &info);
    const bool whole = bits == b.pBits && rows == b.Height;
    if (!whole) info.header.biHeight = -rows;  // just the band, top row first
    info.header.biSizeImage = DWORD(size_t(b.BytesPerLine) * size_t(rows));
    std::vector<unsigned char> swapped;
    if (b.Order == ORDER_RGB && (b.BitsPerPixel == 24 || b.BitsPerPixel == 32)) {
        swapped.assign(bits, bits + size_t(b.BytesPerLine) * size_t(rows));
        const int step = b.BitsPerPixel / 8;
        for (int y = 0; y < rows; ++y) {
            unsigned char* p = swapped.data() + size_t(b.BytesPerLine) * size_t(y);
            for (int x = 0; x < b.Width; ++x, p += step) std::swap(p[0], p[2]);
        }
        bits = swapped.data();
    }
    const bool bottomUp = info.header.biHeight > 0;
    const long bandTop = s0 - firstRow, bandRows = s1 - s0;
    const long ySrc = bottomUp ? rows - (bandTop + bandRows) : bandTop;

    const int saved = SaveDC(dc);
    if (!saved) return IMGSDK_ERROR_GDI;
    IntersectClipRect(dc, r.clip.left, r.clip.top, r.clip.right, r.clip.bottom);
    if (only) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        for (RECT piece : *only) {
            POINT corners[2] = {{piece.left, piece.top}, {piece.right, piece.bottom}};
            LPtoDP(dc, corners, 2);
            HRGN part = CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
            CombineRgn(region, region, part, RGN_OR);
            DeleteObject(part);
        }
        ExtSelectClipRgn(dc, region, RGN_AND);
        DeleteObject(region);
    }
    const int painted = StretchDIBits(dc, r.dst.left, int(dTop), width(r.dst), int(dBottom - dTop), r.src.left,
                                      int(ySrc), width(r.src), int(bandRows), bits,
                                      reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, rop);
    RestoreDC(dc, saved);
    return painted ? IMGSDK_SUCCESS : IMGSDK_ERROR_GDI;
}

int paintPicture(HDC dc, const struct_LEAD_Bitmap& b, const PaintRects& r, DWORD rop, const std::vector<RECT>* only) {
    return paintRows(dc, b, b.pBits, 0, b.Height, r, rop, only);
}

int paintDC(HDC dc, struct_LEAD_Bitmap* b, RECT* src, RECT* clipSrc, RECT* dst, RECT* clipDst, unsigned long rop) {
    if (!b || !isDC(dc)) return IMGSDK_ERROR_INV_PARAMETER;
    if (!allocated(b)) return IMGSDK_ERROR_NO_BITMAP;
    return paintPicture(dc, *b, paintRects(*b, src, clipSrc, dst, clipDst), DWORD(rop));
}

int paintDCBuffer(HDC dc, struct_LEAD_Bitmap* b, RECT* src, RECT* clipSrc, RECT* dst, RECT* clipDst,
                  unsigned long rop, unsigned char* buffer, int row, int count) {
    if (!b || !buffer || !isDC(dc) || row < 0 || count <= 0) return IMGSDK_ERROR_INV_PARAMETER;
    // The record describes the rows; its own pixels need not exist yet (a picture being loaded).
    if (b->Width <= 0 || b->Height <= 0 || !supportedDepth(b->BitsPerPixel) || row >= b->Height ||
        count > b->Height - row)
        return IMGSDK_ERROR_INV_PARAMETER;
    if (b->BitsPerPixel <= 8 && !b->pPalette) return IMGSDK_ERROR_NO_BITMAP;
    return paintRows(dc, *b, buffer, row, count, paintRects(*b, src, clipSrc, dst, clipDst), DWORD(rop));
}

HDC print(struct_LEAD_Bitmap* b, int x, int y, int w, int h, int endDoc) {
    return printWith(nullptr, b, x, y, w, h, endDoc, HALFTONE);
}

HDC printExt(HDC dc, struct_LEAD_Bitmap* b, int x, int y, int w, int h, int endDoc) {
    return printWith(dc, b, x, y, w, h, endDoc, HALFTONE);
}

HDC printFast(HDC dc, struct_LEAD_Bitmap* b, int x, int y, int w, int h, int endDoc) {
    return printWith(dc, b, x, y, w, h, endDoc, COLORONCOLOR);
}

int screenCapture(HDC dc, struct_LEAD_Bitmap* b, RECT* rect) {
    if (!b || !isDC(dc)) return IMGSDK_ERROR_INV_PARAMETER;
    RECT r{};
    if (rect) {
        r = normalised(*rect);
    } else {
        // The whole surface: the selected bitmap, or the device's size.
        BITMAP bm{};
        HGDIOBJ surface = GetCurrentObject(dc, OBJ_BITMAP);
        if (surface && GetObject(surface, sizeof bm, &bm) == int(sizeof bm) && bm.bmWidth > 1)
            r = RECT{0, 0, bm.bmWidth, std::abs(bm.bmHeight)};
        else
            r = RECT{0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
    }
    if (emptyRect(r)) return IMGSDK_ERROR_INV_PARAMETER;
    struct_LEAD_Bitmap pic;
    int rc = createPicture(pic, width(r), height(r), 24, ORDER_BGR);
    if (rc != IMGSDK_SUCCESS) return rc;
    InfoWithColors info;
    fillBitmapInfo(pic, &info);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = section ? CreateCompatibleDC(dc) : nullptr;
    HGDIOBJ old = mem ? SelectObject(mem, section) : nullptr;
    const bool ok = old && BitBlt(mem, 0, 0, pic.Width, pic.Height, dc, r.left, r.top, SRCCOPY);
    if (ok) {
        GdiFlush();
        std::memcpy(pic.pBits, bits, pic.DataSize);
    }
    if (old) SelectObject(mem, old);
    if (mem) DeleteDC(mem);
    if (section) DeleteObject(section);
    if (!ok) {
        releasePicture(pic);
        return IMGSDK_ERROR_GDI;
    }
    pic.XResolution = GetDeviceCaps(dc, LOGPIXELSX);
    pic.YResolution = GetDeviceCaps(dc, LOGPIXELSY);
    replacePicture(*b, pic);
    return IMGSDK_SUCCESS;
}

HPALETTE createPaintPalette(HDC /*dc*/, struct_LEAD_Bitmap* b) {
    if (!b) return failWith<HPALETTE>(IMGSDK_ERROR_INV_PARAMETER);
    if (!allocated(b)) return failWith<HPALETTE>(IMGSDK_ERROR_NO_BITMAP);
    // A picture with a colour table paints with it; others with an optimised one of 256 colours.
    struct_LEAD_Bitmap eight;
    describe(eight, 1, 1, 8);
    const struct_LEAD_Bitmap* source = b;
    if (b->BitsPerPixel > 8) {
        // Through the table: colour reduction is the chosen back end's.
        const int rc = call<Library::Kernel, 108>(b, &eight, 8, static_cast<unsigned long>(CRF_OPTIMIZEDPALETTE),
                                                  static_cast<RGBQUAD*>(nullptr), static_cast<HPALETTE>(nullptr), 0u,
                                                  static_cast<LEADFILECALLBACK>(nullptr), static_cast<void*>(nullptr));
        if (rc != IMGSDK_SUCCESS) return failWith<HPALETTE>(rc);
        source = &eight;
    }
    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = WORD(source->nColors);
    for (int i = 0; i < source->nColors; ++i) {
        const RGBQUAD q = source->pPalette[i];
        lp->palPalEntry[i] = PALETTEENTRY{q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
    }
    HPALETTE palette = CreatePalette(lp);
    releasePicture(eight);
    return palette ? palette : failWith<HPALETTE>(IMGSDK_ERROR_GDI);
}

}  // namespace imagesdk::detail
