// The Windows Imaging Component from the back end: COM references and the
// process's imaging factory.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <imagesdk/records.h>

namespace imagesdk::detail {

// Owns one COM reference.
template <class T>
class Com {
public:
    Com() = default;
    ~Com() {
        if (p_) p_->Release();
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** put() { return &p_; }

private:
    T* p_ = nullptr;
};

// COM initialised on this thread for as long as the scope lives (a thread that
// already chose its apartment keeps it).
class ComScope {
public:
    ComScope() : hr_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT hr_;
};

// A new imaging factory, released by the caller's Com; null when WIC is missing.
IWICImagingFactory* wicFactory();

// COM on this thread and an imaging factory, for one call of the back end.
struct WicSession {
    ComScope com;
    Com<IWICImagingFactory> factory;
    WicSession() { *factory.put() = wicFactory(); }
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
