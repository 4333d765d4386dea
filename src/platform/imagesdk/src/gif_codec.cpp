// GIF files through giflib: OpenCV's codecs neither read nor write them.
#include "codecs_p.h"
#include "picture_p.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace imagesdk::detail {

namespace {

struct Reader {
    const unsigned char* data;
    size_t size;
    size_t pos;
};

int readBytes(GifFileType* gif, GifByteType* out, int n) {
    auto* r = static_cast<Reader*>(gif->UserData);
    const size_t take = std::min(static_cast<size_t>(std::max(n, 0)), r->size - r->pos);
    std::memcpy(out, r->data + r->pos, take);
    r->pos += take;
    return static_cast<int>(take);
}

int writeBytes(GifFileType* gif, const GifByteType* in, int n) {
    static_cast<std::vector<unsigned char>*>(gif->UserData)->insert(
        static_cast<std::vector<unsigned char>*>(gif->UserData)->end(), in, in + n);
    return n;
}

struct Closer {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifIn = std::unique_ptr<GifFileType, Closer>;

int slurp(const unsigned char* data, size_t size, Reader& reader, GifIn& out) {
    reader = Reader{data, size, 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, readBytes, &error);
    if (!gif) return error == D_GIF_ERR_NOT_ENOUGH_MEM ? IMGSDK_ERROR_NO_MEMORY : IMGSDK_ERROR_FILE_CORRUPT;
    out.reset(gif);
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) return IMGSDK_ERROR_FILE_CORRUPT;
    return IMGSDK_SUCCESS;
}

// Page i on the logical screen: the frame over the background (transparent
// where the frame says so).
int framePicture(GifFileType* gif, int i, cv::Mat& out) {
    const SavedImage& img = gif->SavedImages[i];
    const ColorMapObject* map = img.ImageDesc.ColorMap ? img.ImageDesc.ColorMap : gif->SColorMap;
    if (!map || !img.RasterBits) return IMGSDK_ERROR_FILE_CORRUPT;
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif, i, &gcb);
    const bool alpha = gcb.TransparentColor != NO_TRANSPARENT_COLOR;
    const int w = gif->SWidth, h = gif->SHeight;
    if (w <= 0 || h <= 0) return IMGSDK_ERROR_FILE_CORRUPT;
    out.create(h, w, alpha ? CV_8UC4 : CV_8UC3);
    GifColorType bg{0, 0, 0};
    if (gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount) bg = gif->SColorMap->Colors[gif->SBackGroundColor];
    out.setTo(alpha ? cv::Scalar(bg.Blue, bg.Green, bg.Red, 0) : cv::Scalar(bg.Blue, bg.Green, bg.Red));
    const GifImageDesc& d = img.ImageDesc;
    for (int y = 0; y < d.Height; ++y) {
        const int sy = d.Top + y;
        if (sy < 0 || sy >= h) continue;
        for (int x = 0; x < d.Width; ++x) {
            const int sx = d.Left + x;
            if (sx < 0 || sx >= w) continue;
            const int index = img.RasterBits[size_t(y) * size_t(d.Width) + size_t(x)];
            if (index == gcb.TransparentColor) continue;
            const GifColorType c = index < map->ColorCount ? map->Colors[index] : GifColorType{0, 0, 0};
            unsigned char* p = out.ptr<unsigned char>(sy) + size_t(sx) * size_t(out.channels());
            p[0] = c.Blue;
            p[1] = c.Green;
            p[2] = c.Red;
            if (alpha) p[3] = 255;
        }
    }
    return IMGSDK_SUCCESS;
}

}  // namespace

int decodeGif(const unsigned char* data, size_t size, int page, cv::Mat& out) {
    Reader reader{};
    GifIn gif;
    int rc = slurp(data, size, reader, gif);
    if (rc != IMGSDK_SUCCESS) return rc;
    const int index = std::max(page, 1) - 1;
    if (index >= gif->ImageCount) return IMGSDK_ERROR_PAGE_NOT_FOUND;
    return framePicture(gif.get(), index, out);
}

int gifPages(const unsigned char* data, size_t size, std::vector<struct_LEAD_Bitmap>& out) {
    FILEINFO info;
    int rc = identify(MemorySource(data, size), info);
    if (rc == IMGSDK_SUCCESS && info.Format != IMGFILE_GIF) rc = IMGSDK_ERROR_FILE_FORMAT;
    if (rc != IMGSDK_SUCCESS) return rc;
    Reader reader{};
    GifIn gif;
    rc = slurp(data, size, reader, gif);
    for (int i = 0; rc == IMGSDK_SUCCESS && i < gif->ImageCount; ++i) {
        cv::Mat m;
        rc = framePicture(gif.get(), i, m);
        struct_LEAD_Bitmap pic;
        if (rc == IMGSDK_SUCCESS) rc = indexedPictureFromMat(m, pic);
        if (rc == IMGSDK_SUCCESS) out.push_back(pic);
    }
    if (rc != IMGSDK_SUCCESS) {
        for (struct_LEAD_Bitmap& p : out) releasePicture(p);
        out.clear();
    }
    return rc;
}

int encodeGif(const std::vector<const struct_LEAD_Bitmap*>& pages, std::vector<unsigned char>& out) {
    int width = 0, height = 0;
    for (const struct_LEAD_Bitmap* p : pages) {
        if (!p || p->BitsPerPixel > 8) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
        width = std::max(width, p->Width);
        height = std::max(height, p->Height);
    }
    if (pages.empty() || width > 65535 || height > 65535) return IMGSDK_ERROR_INV_PARAMETER;
    out.clear();
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeBytes, &error);
    if (!gif) return IMGSDK_ERROR_NO_MEMORY;
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, nullptr) == GIF_OK;
    std::vector<GifPixelType> line;
    for (const struct_LEAD_Bitmap* p : pages) {
        int bits = 1;
        while ((1 << bits) < p->nColors) ++bits;
        ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
        if (!map) {
            ok = false;
            break;
        }
        for (int i = 0; i < p->nColors; ++i)
            map->Colors[i] = GifColorType{p->pPalette[i].rgbRed, p->pPalette[i].rgbGreen, p->pPalette[i].rgbBlue};
        ok = ok && EGifPutImageDesc(gif, 0, 0, p->Width, p->Height, false, map) == GIF_OK;
        GifFreeMapObject(map);
        line.resize(size_t(p->Width));
        for (int y = 0; ok && y < p->Height; ++y) {
            const unsigned char* row = rowFromTop(*p, y);
            for (int x = 0; x < p->Width; ++x) {
                const int bpp = p->BitsPerPixel;
                line[size_t(x)] = static_cast<GifPixelType>(
                    bpp == 8 ? row[x] : bpp == 4 ? (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15 : (row[x >> 3] >> (7 - (x & 7))) & 1);
            }
            ok = EGifPutLine(gif, line.data(), p->Width) == GIF_OK;
        }
    }
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    return ok ? IMGSDK_SUCCESS : IMGSDK_ERROR_NO_MEMORY;
}

}  // namespace imagesdk::detail
