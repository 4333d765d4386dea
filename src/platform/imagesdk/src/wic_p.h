// The Windows Imaging Component from the back end: COM references and the
// process's imaging factory.
#pragma once

#include <windows.h>
#include <wincodec.h>

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

}  // namespace imagesdk::detail
