// The Windows Imaging Component from the back end.
#pragma once

#include <wic_com.h>

#include <imagesdk/records.h>

namespace imagesdk::detail {

using hmigfx::wincom::Com;
using hmigfx::wincom::ComScope;

// COM on this thread and an imaging factory, for one call of the back end.
struct WicSession {
    ComScope com;
    Com<IWICImagingFactory> factory;
    WicSession() { *factory.put() = hmigfx::wincom::newImagingFactory(); }
    explicit operator bool() const { return factory.get() != nullptr; }
};

// A decoder over bytes in memory (which must outlive it) through stream.
HRESULT decoderOver(IWICImagingFactory* factory, const unsigned char* data, size_t size, Com<IWICStream>& stream,
                    Com<IWICBitmapDecoder>& decoder);

// A picture's samples as a WIC bitmap, top row first, in the kinds the Linux
// build writes for format: grey, BGR or BGRA; GIF pages by their table at 8
// bits (palette gets the table).
HRESULT pictureSource(IWICImagingFactory* factory, const struct_LEAD_Bitmap& b, int format, IWICBitmap** out,
                      IWICPalette** palette);

}  // namespace imagesdk::detail
