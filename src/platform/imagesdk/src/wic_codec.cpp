// The Windows back end's decoder: picture files decoded by the Windows Imaging
// Component (BMP, PNG, JPEG, TIFF, GIF, and whatever codecs the system adds)
// after our own readers have checked the header.
#include "decoder_p.h"
#include "picture_p.h"
#include "pixel_values_p.h"
#include "wic_p.h"

#include <imagesdk/limits.h>

#include <algorithm>
#include <cstring>

namespace imagesdk::detail {

namespace {

// The WIC pixel format a picture of bpp bits is decoded into.
const GUID& wicFormatFor(int bpp, bool gray) {
    switch (bpp) {
    case 1: return GUID_WICPixelFormat1bppIndexed;
    case 4: return GUID_WICPixelFormat4bppIndexed;
    case 8: return gray ? GUID_WICPixelFormat8bppGray : GUID_WICPixelFormat8bppIndexed;
    case 16: return GUID_WICPixelFormat16bppBGR555;
    case 32: return GUID_WICPixelFormat32bppBGRA;
    default: return GUID_WICPixelFormat24bppBGR;
    }
}

// The depth a file loads at when the caller leaves it open: the file's own
// where a picture can hold it, 24 bits for deeper colour, 32 with alpha.
int naturalDepth(const FILEINFO& info) {
    if (info.Flags & FILEINFO_ALPHA) return 32;
    if ((info.Flags & FILEINFO_PALETTE) && info.BitsPerPixel <= 8)
        return info.BitsPerPixel <= 1 ? 1 : info.BitsPerPixel <= 4 ? 4 : 8;
    if ((info.Flags & FILEINFO_GRAY) && info.BitsPerPixel <= 8) return 8;
    return 24;
}

}  // namespace

int decodePicture(const unsigned char* data, size_t size, FILEINFO& info, int bpp, int order, unsigned int flags,
                  int page, struct_LEAD_Bitmap& pic) {
    if (!dataComplete(data, size, info)) return IMGSDK_ERROR_FILE_CORRUPT;
    const ComScope com;
    Com<IWICImagingFactory> factory;
    *factory.put() = wicFactory();
    if (!factory.get()) return IMGSDK_ERROR_NOT_SUPPORTED;

    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))))
        return IMGSDK_ERROR_NO_MEMORY;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put())))
        return IMGSDK_ERROR_FILE_FORMAT;  // a format the system has no codec for (WebP, PNM on older systems)
    UINT frames = 0;
    if (FAILED(decoder->GetFrameCount(&frames)) || frames == 0) return IMGSDK_ERROR_FILE_CORRUPT;
    const UINT index = page > 1 ? UINT(page - 1) : 0;
    if (index >= frames) return IMGSDK_ERROR_PAGE_NOT_FOUND;
    Com<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(index, frame.put()))) return IMGSDK_ERROR_FILE_CORRUPT;
    UINT w = 0, h = 0;
    if (FAILED(frame->GetSize(&w, &h)) || w == 0 || h == 0) return IMGSDK_ERROR_FILE_CORRUPT;
    if (index == 0 && (int(w) != info.Width || int(h) != info.Height)) return IMGSDK_ERROR_FILE_CORRUPT;
    if (uint64_t(w) * h * 4 > kMaxPictureBytes) return IMGSDK_ERROR_IMAGE_TOO_LARGE;
    if (index > 0) {  // the header described the first page
        info.Width = int(w);
        info.Height = int(h);
    }

    const bool grayFile = (info.Flags & FILEINFO_GRAY) != 0;
    const bool keepGray = grayFile && (order == ORDER_GRAY || order == ORDER_RGBORGRAY || order == ORDER_BGRORGRAY);
    if (bpp == 0) bpp = naturalDepth(info);
    const bool gray = bpp == 8 && (grayFile || order == ORDER_GRAY);
    const uint32_t pictureOrder = gray && (keepGray || order == ORDER_GRAY) ? ORDER_GRAY
                                : order == ORDER_RGB || order == ORDER_RGBORGRAY ? ORDER_RGB
                                                                                 : ORDER_BGR;

    // Indexed targets take the file's own table when it has one that fits,
    // else a fixed one (LOADFILE_FIXEDPALETTE) or the one WIC finds best.
    const GUID& target = wicFormatFor(bpp, gray);
    Com<IWICPalette> palette;
    const bool indexed = bpp <= 8 && !gray;
    if (indexed) {
        if (FAILED(factory->CreatePalette(palette.put()))) return IMGSDK_ERROR_NO_MEMORY;
        WICPixelFormatGUID own{};
        frame->GetPixelFormat(&own);
        const bool ownFits = IsEqualGUID(own, target) && SUCCEEDED(frame->CopyPalette(palette.get()));
        if (!ownFits) {
            const HRESULT hr = (flags & LOADFILE_FIXEDPALETTE) || bpp == 1
                                   ? palette->InitializePredefined(bpp == 1   ? WICBitmapPaletteTypeFixedBW
                                                                   : bpp == 4 ? WICBitmapPaletteTypeFixedHalftone8
                                                                              : WICBitmapPaletteTypeFixedHalftone256,
                                                                   FALSE)
                                   : palette->InitializeFromBitmap(frame.get(), 1u << bpp, FALSE);
            if (FAILED(hr)) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
        }
    }
    Com<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), target, WICBitmapDitherTypeNone, indexed ? palette.get() : nullptr, 0.0,
                                     indexed ? WICBitmapPaletteTypeCustom : WICBitmapPaletteTypeMedianCut)))
        return IMGSDK_ERROR_BPP_NOT_SUPPORTED;

    UINT entries = 0;
    WICColor colors[256];
    if (indexed && FAILED(palette->GetColors(256, colors, &entries))) return IMGSDK_ERROR_FILE_CORRUPT;
    int rc = createPicture(pic, int(w), int(h), bpp, pictureOrder, gray ? 256 : indexed ? int(std::max(entries, 1u)) : 0,
                           false);
    if (rc != IMGSDK_SUCCESS) return rc;
    setViewPerspective(pic, TOP_LEFT);
    if (gray) fillGrayTable(pic.pPalette, 8);
    for (UINT i = 0; indexed && i < entries && i < UINT(pic.nColors); ++i)
        pic.pPalette[i] = RGBQUAD{BYTE(colors[i]), BYTE(colors[i] >> 8), BYTE(colors[i] >> 16), 0};
    if (FAILED(converter->CopyPixels(nullptr, UINT(pic.BytesPerLine), UINT(pic.DataSize), pic.pBits))) {
        releasePicture(pic);
        return IMGSDK_ERROR_FILE_CORRUPT;
    }
    if (pictureOrder == ORDER_RGB && bpp >= 24) {
        const int step = bpp / 8;
        for (int y = 0; y < pic.Height; ++y) {
            unsigned char* p = storedRow(pic, y);
            for (int x = 0; x < pic.Width; ++x, p += step) std::swap(p[0], p[2]);
        }
    }
    return IMGSDK_SUCCESS;
}

}  // namespace imagesdk::detail
