// The Windows back end's codecs: picture files decoded by the Windows Imaging
// Component (BMP, PNG, JPEG, TIFF, GIF, and whatever codecs the system adds)
// after our own readers have checked the header, and encoded by it (PNG, JPEG,
// TIFF and GIF, with their pages).
#include "backend_p.h"
#include "decoder_p.h"
#include "picture_p.h"
#include "pixel_values_p.h"
#include "wic_p.h"

#include <imagesdk/limits.h>

#include <algorithm>
#include <cstring>

namespace imagesdk::detail {

HRESULT decoderOver(IWICImagingFactory* factory, const unsigned char* data, size_t size, Com<IWICStream>& stream,
                    Com<IWICBitmapDecoder>& decoder) {
    HRESULT hr = factory->CreateStream(stream.put());
    if (SUCCEEDED(hr)) hr = stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size));
    if (SUCCEEDED(hr))
        hr = factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put());
    return hr;
}

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
    const WicSession wic;
    if (!wic) return IMGSDK_ERROR_NOT_SUPPORTED;
    IWICImagingFactory* const factory = wic.factory.get();

    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    if (FAILED(decoderOver(factory, data, size, stream, decoder)))
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

    // The file's own table when it has one of the depth asked for, and its own
    // 5-5-5 pixels (which widen as ours do); otherwise grey or BGRA samples,
    // which every system converts to, and the depth asked for from them as
    // the kernel makes it.
    const bool indexed = bpp <= 8 && !gray;
    WICPixelFormatGUID own{};
    frame->GetPixelFormat(&own);
    Com<IWICPalette> palette;
    const bool ownTable = indexed && IsEqualGUID(own, wicFormatFor(bpp, false)) &&
                          SUCCEEDED(factory->CreatePalette(palette.put())) &&
                          SUCCEEDED(frame->CopyPalette(palette.get()));
    const bool own555 = !indexed && !gray && IsEqualGUID(own, GUID_WICPixelFormat16bppBGR555);
    const bool native = ownTable || own555;
    const int decodedBpp = ownTable || gray ? bpp : own555 ? 16 : 32;
    Com<IWICFormatConverter> converter;
    if (!native && (FAILED(factory->CreateFormatConverter(converter.put())) ||
                    FAILED(converter->Initialize(frame.get(), wicFormatFor(decodedBpp, gray), WICBitmapDitherTypeNone,
                                                 nullptr, 0.0, WICBitmapPaletteTypeCustom))))
        return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    IWICBitmapSource* const samples = native ? static_cast<IWICBitmapSource*>(frame.get()) : converter.get();

    UINT entries = 0;
    WICColor colors[256];
    if (ownTable && FAILED(palette->GetColors(256, colors, &entries))) return IMGSDK_ERROR_FILE_CORRUPT;
    int rc = createPicture(pic, int(w), int(h), decodedBpp, gray ? ORDER_GRAY : ORDER_BGR,
                           gray ? 256 : ownTable ? int(std::max(entries, 1u)) : 0, false);
    if (rc != IMGSDK_SUCCESS) return rc;
    setViewPerspective(pic, TOP_LEFT);
    if (gray) fillGrayTable(pic.pPalette, 8);
    for (UINT i = 0; ownTable && i < entries && i < UINT(pic.nColors); ++i)
        pic.pPalette[i] = RGBQUAD{BYTE(colors[i]), BYTE(colors[i] >> 8), BYTE(colors[i] >> 16), 0};
    if (FAILED(samples->CopyPixels(nullptr, UINT(pic.BytesPerLine), UINT(pic.DataSize), pic.pBits))) {
        releasePicture(pic);
        return IMGSDK_ERROR_FILE_CORRUPT;
    }
    if (decodedBpp != bpp) {
        rc = colorRes(&pic, nullptr, bpp, (flags & LOADFILE_FIXEDPALETTE) ? CRF_FIXEDPALETTE : CRF_OPTIMIZEDPALETTE,
                      nullptr, nullptr, 0, nullptr, nullptr);
        if (rc != IMGSDK_SUCCESS) {
            releasePicture(pic);
            return rc;
        }
    }
    if (pictureOrder == ORDER_RGB && bpp >= 24) {
        pic.Order = ORDER_RGB;
        const int step = bpp / 8;
        for (int y = 0; y < pic.Height; ++y) {
            unsigned char* p = storedRow(pic, y);
            for (int x = 0; x < pic.Width; ++x, p += step) std::swap(p[0], p[2]);
        }
    }
    return IMGSDK_SUCCESS;
}

}  // namespace imagesdk::detail

// ---------------------------------------------------------------------------
// Encoding

namespace imagesdk::detail {

namespace {

const GUID* containerFor(int format) {
    switch (format) {
    case IMGFILE_PNG: return &GUID_ContainerFormatPng;
    case IMGFILE_JPEG: return &GUID_ContainerFormatJpeg;
    case IMGFILE_TIFF: return &GUID_ContainerFormatTiff;
    case IMGFILE_GIF: return &GUID_ContainerFormatGif;
    default: return nullptr;  // WebP and PNM: the system has no encoders for them
    }
}

constexpr int kDefaultJpegQuality = 90;

// Encodes one frame from source into the encoder.
HRESULT writeFrame(IWICBitmapEncoder* encoder, IWICBitmapSource* source, IWICPalette* palette, int format,
                   int quality) {
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> props;
    HRESULT hr = encoder->CreateNewFrame(frame.put(), props.put());
    if (SUCCEEDED(hr) && format == IMGFILE_JPEG) {
        PROPBAG2 option{};
        option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_R4;
        value.fltVal = float(quality ? quality : kDefaultJpegQuality) / 100.0f;
        hr = props->Write(1, &option, &value);
    }
    UINT w = 0, h = 0;
    WICPixelFormatGUID fmt{};
    if (SUCCEEDED(hr)) hr = frame->Initialize(props.get());
    if (SUCCEEDED(hr)) hr = source->GetSize(&w, &h);
    if (SUCCEEDED(hr)) hr = frame->SetSize(w, h);
    if (SUCCEEDED(hr)) hr = source->GetPixelFormat(&fmt);
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&fmt);  // the encoder may choose a near one; WriteSource converts
    if (SUCCEEDED(hr) && palette) hr = frame->SetPalette(palette);
    if (SUCCEEDED(hr)) hr = frame->WriteSource(source, nullptr);
    if (SUCCEEDED(hr)) hr = frame->Commit();
    return hr;
}

// An encoder writing into a memory stream, and the stream's bytes once committed.
struct MemoryEncoder {
    Com<IStream> stream;
    Com<IWICBitmapEncoder> encoder;
    HRESULT open(IWICImagingFactory* factory, const GUID& container) {
        HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
        if (SUCCEEDED(hr)) hr = factory->CreateEncoder(container, nullptr, encoder.put());
        if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
        return hr;
    }
    int finish(std::vector<unsigned char>& out) {
        if (FAILED(encoder->Commit())) return IMGSDK_ERROR_FILE_WRITE;
        STATSTG stat{};
        HGLOBAL block = nullptr;
        if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(stream.get(), &block)))
            return IMGSDK_ERROR_FILE_WRITE;
        const auto* p = static_cast<const unsigned char*>(GlobalLock(block));
        if (!p) return IMGSDK_ERROR_NO_MEMORY;
        out.assign(p, p + stat.cbSize.QuadPart);
        GlobalUnlock(block);
        return IMGSDK_SUCCESS;
    }
};

}  // namespace

HRESULT pictureSource(IWICImagingFactory* factory, const struct_LEAD_Bitmap& b, int format, IWICBitmap** out,
                      IWICPalette** palette) {
    const bool indexed = format == IMGFILE_GIF;
    const bool gray = !indexed && isGrayPicture(b);
    const bool alpha = b.BitsPerPixel == 32 && format != IMGFILE_JPEG;
    const UINT channels = indexed || gray ? 1 : alpha ? 4 : 3;
    const UINT stride = (UINT(b.Width) * channels + 3) & ~3u;
    std::vector<unsigned char> px(size_t(stride) * size_t(b.Height));
    std::vector<unsigned char> bgr(size_t(b.Width) * 3);
    for (int y = 0; y < b.Height; ++y) {
        const unsigned char* row = rowFromTop(b, y);
        unsigned char* o = px.data() + size_t(stride) * size_t(y);
        if (indexed || gray) {
            for (int x = 0; x < b.Width; ++x) o[x] = BYTE(indexAt(row, x, b.BitsPerPixel));
        } else {
            rowToBgr(b, row, bgr.data());
            for (int x = 0; x < b.Width; ++x, o += channels) {
                std::memcpy(o, &bgr[3 * size_t(x)], 3);
                if (alpha) o[3] = row[4 * x + 3];
            }
        }
    }
    const GUID& fmt = indexed ? GUID_WICPixelFormat8bppIndexed
                    : gray    ? GUID_WICPixelFormat8bppGray
                    : alpha   ? GUID_WICPixelFormat32bppBGRA
                              : GUID_WICPixelFormat24bppBGR;
    HRESULT hr = factory->CreateBitmapFromMemory(UINT(b.Width), UINT(b.Height), fmt, stride, UINT(px.size()),
                                                 px.data(), out);
    if (SUCCEEDED(hr) && indexed) {
        std::vector<WICColor> colors(256, 0xFF000000u);
        for (int i = 0; i < b.nColors && i < 256; ++i)
            colors[size_t(i)] = 0xFF000000u | WICColor(b.pPalette[i].rgbRed) << 16 |
                                WICColor(b.pPalette[i].rgbGreen) << 8 | b.pPalette[i].rgbBlue;
        hr = factory->CreatePalette(palette);
        if (SUCCEEDED(hr)) hr = (*palette)->InitializeCustom(colors.data(), 256);
        if (SUCCEEDED(hr)) hr = (*out)->SetPalette(*palette);
    }
    return hr;
}

int encodePicture(const struct_LEAD_Bitmap& b, int format, int quality, std::vector<unsigned char>& out) {
    const GUID* container = containerFor(format);
    if (!container) return IMGSDK_ERROR_INV_FORMAT;
    const WicSession wic;
    if (!wic) return IMGSDK_ERROR_NOT_SUPPORTED;
    IWICImagingFactory* const factory = wic.factory.get();
    Com<IWICBitmap> source;
    Com<IWICPalette> palette;
    MemoryEncoder enc;
    if (FAILED(pictureSource(factory, b, format, source.put(), palette.put()))) return IMGSDK_ERROR_NO_MEMORY;
    if (FAILED(enc.open(factory, *container)) ||
        FAILED(writeFrame(enc.encoder.get(), source.get(), palette.get(), format, quality)))
        return IMGSDK_ERROR_INV_FORMAT;
    return enc.finish(out);
}

int joinPage(const std::vector<unsigned char>& old, int format, int page, const struct_LEAD_Bitmap& pic,
             std::vector<unsigned char>& out) {
    const GUID* container = containerFor(format);
    if (!container) return IMGSDK_ERROR_INV_FORMAT;
    const WicSession wic;
    if (!wic) return IMGSDK_ERROR_NOT_SUPPORTED;
    IWICImagingFactory* const factory = wic.factory.get();
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    GUID own{};
    UINT frames = 0;
    if (FAILED(decoderOver(factory, old.data(), old.size(), stream, decoder)) ||
        FAILED(decoder->GetContainerFormat(&own)) || !IsEqualGUID(own, *container) ||
        FAILED(decoder->GetFrameCount(&frames)))
        return IMGSDK_ERROR_INV_FORMAT;  // not a file of that format to add to
    if (page > int(frames) + 1) return IMGSDK_ERROR_PAGE_NOT_FOUND;
    Com<IWICBitmap> source;
    Com<IWICPalette> palette;
    MemoryEncoder enc;
    if (FAILED(pictureSource(factory, pic, format, source.put(), palette.put()))) return IMGSDK_ERROR_NO_MEMORY;
    if (FAILED(enc.open(factory, *container))) return IMGSDK_ERROR_INV_FORMAT;
    const UINT count = std::max(frames, UINT(page));
    for (UINT i = 0; i < count; ++i) {
        HRESULT hr;
        if (int(i) == page - 1) {
            hr = writeFrame(enc.encoder.get(), source.get(), palette.get(), format, 0);
        } else {
            Com<IWICBitmapFrameDecode> frame;
            Com<IWICPalette> table;
            hr = decoder->GetFrame(i, frame.put());
            // Indexed pages keep their tables.
            const bool indexed = SUCCEEDED(hr) && SUCCEEDED(factory->CreatePalette(table.put())) &&
                                 SUCCEEDED(frame->CopyPalette(table.get()));
            if (SUCCEEDED(hr))
                hr = writeFrame(enc.encoder.get(), frame.get(), indexed ? table.get() : nullptr, format, 0);
        }
        if (FAILED(hr)) return IMGSDK_ERROR_FILE_WRITE;
    }
    return enc.finish(out);
}

}  // namespace imagesdk::detail
