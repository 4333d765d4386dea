// COM for the Windows builds' picture codecs (the imaging back end and the
// PNG reader and writer): one reference, COM on the calling thread, and the
// Windows Imaging Component's factory.
#pragma once

#include <windows.h>
#include <wincodec.h>

namespace hmigfx::wincom {

// Owns one COM reference.
template <class T>
class Com {
public:
    Com() = default;
    ~Com() { reset(); }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** put() { return &p_; }
    void reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }

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

// A new imaging factory for the caller to release; null when WIC is missing.
inline IWICImagingFactory* newImagingFactory() {
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
        return nullptr;
    return factory;
}

}  // namespace hmigfx::wincom
