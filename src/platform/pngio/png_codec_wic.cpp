// PNG through the Windows Imaging Component.
#include "png_codec_p.h"

#include <wic_com.h>

#include <vector>

namespace hmigfx::pngio {

namespace {

using hmigfx::wincom::Com;
using hmigfx::wincom::ComScope;

std::wstring widen(const std::string& s) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(n > 0 ? size_t(n) : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, s.c_str(), -1, w.data(), n);
    w.resize(wcslen(w.c_str()));
    return w;
}

bool factory(Com<IWICImagingFactory>& f) {
    *f.put() = wincom::newImagingFactory();
    return f.get() != nullptr;
}

std::string hresult(const std::string& path, const char* what, HRESULT hr) {
    char code[16];
    wsprintfA(code, "0x%08lX", static_cast<unsigned long>(hr));
    return path + ": " + what + " failed (" + code + ")";
}

}  // namespace

bool writePng(const std::string& path, const Image& image, std::string* error) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        return fail(error, "empty or inconsistent image");
    const ComScope com;
    Com<IWICImagingFactory> f;
    Com<IWICStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    if (!factory(f)) return fail(error, path + ": the Windows Imaging Component is not available");
    const std::wstring wpath = widen(path);
    HRESULT hr = f->CreateStream(stream.put());
    if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(wpath.c_str(), GENERIC_WRITE);
    if (FAILED(hr)) return fail(error, hresult(path, "opening for writing", hr));
    // 24-bit BGR rows: the pixels are 0x00RRGGBB, so each is its first three bytes.
    const UINT stride = UINT(image.width) * 3;
    std::vector<BYTE> bgr(size_t(stride) * size_t(image.height));
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        bgr[3 * i] = BYTE(image.pixels[i]);
        bgr[3 * i + 1] = BYTE(image.pixels[i] >> 8);
        bgr[3 * i + 2] = BYTE(image.pixels[i] >> 16);
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    hr = f->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put());
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(frame.put(), nullptr);
    if (SUCCEEDED(hr)) hr = frame->Initialize(nullptr);
    if (SUCCEEDED(hr)) hr = frame->SetSize(UINT(image.width), UINT(image.height));
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr) && !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) hr = E_FAIL;
    if (SUCCEEDED(hr)) hr = frame->WritePixels(UINT(image.height), stride, UINT(bgr.size()), bgr.data());
    if (SUCCEEDED(hr)) hr = frame->Commit();
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    if (FAILED(hr)) {
        stream.reset();  // closes the file, so it can go
        DeleteFileW(wpath.c_str());
        return fail(error, hresult(path, "writing PNG", hr));
    }
    return true;
}

bool readPng(const std::string& path, Image& image, std::string* error) {
    const ComScope com;
    Com<IWICImagingFactory> f;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converter;
    if (!factory(f)) return fail(error, path + ": the Windows Imaging Component is not available");
    const std::wstring wpath = widen(path);
    HRESULT hr = f->CreateDecoderFromFilename(wpath.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                              decoder.put());
    if (FAILED(hr)) return fail(error, hresult(path, "decoding", hr));
    UINT w = 0, h = 0;
    hr = decoder->GetFrame(0, frame.put());
    if (SUCCEEDED(hr)) hr = frame->GetSize(&w, &h);
    // Premultiplied BGRA is the picture composed over black.
    if (SUCCEEDED(hr)) hr = f->CreateFormatConverter(converter.put());
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom);
    if (FAILED(hr) || w == 0 || h == 0) return fail(error, hresult(path, "decoding", hr));
    image.width = int(w);
    image.height = int(h);
    image.pixels.assign(size_t(w) * h, 0);
    hr = converter->CopyPixels(nullptr, w * 4, UINT(image.pixels.size() * 4), reinterpret_cast<BYTE*>(image.pixels.data()));
    if (FAILED(hr)) return fail(error, hresult(path, "decoding", hr));
    for (uint32_t& p : image.pixels) p &= 0xFFFFFF;
    return true;
}

}  // namespace hmigfx::pngio
