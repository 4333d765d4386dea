// Resources of Linux modules: the tables modules register while they are
// loaded, and LoadBitmapW over bitmap resources.
#include "kernel_p.h"

#include <algorithm>

#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <map>
#include <mutex>
#include <vector>

namespace hmigfx::win32 {
namespace {

struct Table {
    const HMIGFX_RESOURCE* entries;
    DWORD count;
};

struct Registry {
    std::mutex lock;
    std::map<HMODULE, Table> modules;
};

Registry& registry() {
    static Registry* r = new Registry;  // modules withdraw their tables during static destruction
    return *r;
}

bool tableOf(HMODULE module, Table& out) {
    Registry& r = registry();
    std::lock_guard<std::mutex> g(r.lock);
    auto it = r.modules.find(module);
    if (it == r.modules.end()) return false;
    out = it->second;
    return true;
}

// A resource name or type: an integer id, "#123" (the same id), or a string
// compared without regard to case.
bool sameName(LPCWSTR a, LPCWSTR b) {
    auto idOf = [](LPCWSTR s, ULONG_PTR& id) {
        if (IS_INTRESOURCE(s)) {
            id = reinterpret_cast<ULONG_PTR>(s);
            return true;
        }
        if (s[0] == L'#' && s[1]) {
            wchar_t* end = nullptr;
            const unsigned long v = std::wcstoul(s + 1, &end, 10);
            if (*end == 0 && v <= 0xFFFF) {
                id = v;
                return true;
            }
        }
        return false;
    };
    ULONG_PTR ia = 0, ib = 0;
    const bool na = idOf(a, ia), nb = idOf(b, ib);
    if (na || nb) return na && nb && ia == ib;
    for (; *a && *b; ++a, ++b)
        if (std::towupper(static_cast<wint_t>(*a)) != std::towupper(static_cast<wint_t>(*b))) return false;
    return *a == *b;
}

bool isBlack(const RGBQUAD& q) { return q.rgbRed == 0 && q.rgbGreen == 0 && q.rgbBlue == 0; }
bool isWhite(const RGBQUAD& q) { return q.rgbRed == 255 && q.rgbGreen == 255 && q.rgbBlue == 255; }

// A packed DIB (the form of a bitmap resource) as a device-dependent bitmap: a
// monochrome one when its two colours are black and white, else a 32-bpp one
// compatible with the screen.
HBITMAP bitmapFromPackedDib(const BYTE* data, DWORD size) {
    if (size < sizeof(BITMAPCOREHEADER)) return nullptr;
    DWORD headerSize;
    std::memcpy(&headerSize, data, sizeof headerSize);
    LONG width, height;
    int bpp;
    DWORD compression = BI_RGB, used = 0;
    size_t quadSize;
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER ch;
        std::memcpy(&ch, data, sizeof ch);
        width = ch.bcWidth;
        height = ch.bcHeight;
        bpp = ch.bcBitCount;
        quadSize = 3;
    } else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= size) {
        BITMAPINFOHEADER ih;
        std::memcpy(&ih, data, sizeof ih);
        width = ih.biWidth;
        height = ih.biHeight;
        bpp = ih.biBitCount;
        compression = ih.biCompression;
        used = ih.biClrUsed;
        quadSize = 4;
    } else {
        return nullptr;
    }
    if (width <= 0 || height == 0 || compression != BI_RGB || width > 65536 || height > 65536 || height < -65536)
        return nullptr;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return nullptr;
    const bool bottomUp = height > 0;
    const int h = bottomUp ? height : -height;
    const size_t colors = bpp <= 8 ? (used ? used : (size_t{1} << bpp)) : 0;
    if (colors > 256) return nullptr;
    const size_t tableOffset = headerSize;
    const size_t bitsOffset = tableOffset + colors * quadSize;
    const size_t stride = (static_cast<size_t>(width) * bpp + 31) / 32 * 4;
    if (bitsOffset > size || stride * h > size - bitsOffset) return nullptr;
    std::vector<RGBQUAD> table(colors);
    for (size_t i = 0; i < colors; ++i) {
        const BYTE* q = data + tableOffset + i * quadSize;
        table[i] = RGBQUAD{q[0], q[1], q[2], 0};
    }
    const BYTE* bits = data + bitsOffset;
    auto row = [&](int y) { return bits + stride * static_cast<size_t>(bottomUp ? h - 1 - y : y); };

    if (bpp == 1 && ((isBlack(table[0]) && isWhite(table[1])) || (isWhite(table[0]) && isBlack(table[1])))) {
        const bool invert = isWhite(table[0]);  // DDB bit 1 is white
        const size_t ddbStride = (static_cast<size_t>(width) + 15) / 16 * 2;
        std::vector<BYTE> mono(ddbStride * h);
        for (int y = 0; y < h; ++y)
            for (size_t x = 0; x < ddbStride; ++x) {
                const BYTE b = x < stride ? row(y)[x] : 0;
                mono[ddbStride * y + x] = invert ? static_cast<BYTE>(~b) : b;
            }
        return CreateBitmap(width, h, 1, 1, mono.data());
    }
    std::vector<BYTE> px(static_cast<size_t>(width) * h * 4);
    for (int y = 0; y < h; ++y) {
        const BYTE* r = row(y);
        for (LONG x = 0; x < width; ++x) {
            RGBQUAD c;
            switch (bpp) {
            case 1: c = table[(r[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: c = table[std::min<size_t>((r[x / 2] >> (x % 2 ? 0 : 4)) & 15, colors - 1)]; break;
            case 8: c = table[std::min<size_t>(r[x], colors - 1)]; break;
            case 24: c = RGBQUAD{r[3 * x], r[3 * x + 1], r[3 * x + 2], 0}; break;
            default: c = RGBQUAD{r[4 * x], r[4 * x + 1], r[4 * x + 2], 0}; break;
            }
            BYTE* o = &px[(static_cast<size_t>(y) * width + x) * 4];
            o[0] = c.rgbBlue;
            o[1] = c.rgbGreen;
            o[2] = c.rgbRed;
            o[3] = 0;
        }
    }
    return CreateBitmap(width, h, 1, 32, px.data());
}

}  // namespace
}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

BOOL WINAPI HmigfxRegisterResources(HMODULE module, const HMIGFX_RESOURCE* entries, DWORD count) {
    if (!module || (!entries && count)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Registry& r = registry();
    std::lock_guard<std::mutex> g(r.lock);
    r.modules[module] = Table{entries, count};
    return TRUE;
}

BOOL WINAPI HmigfxUnregisterResources(HMODULE module) {
    Registry& r = registry();
    std::lock_guard<std::mutex> g(r.lock);
    if (!r.modules.erase(module)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    if (!name || !type) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!module) module = GetModuleHandleW(nullptr);
    Table table;
    if (!tableOf(module, table)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    bool typeSeen = false;
    for (DWORD i = 0; i < table.count; ++i) {
        const HMIGFX_RESOURCE& r = table.entries[i];
        if (!sameName(r.lpType, type)) continue;
        typeSeen = true;
        if (sameName(r.lpName, name)) return reinterpret_cast<HRSRC>(const_cast<HMIGFX_RESOURCE*>(&r));
    }
    SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

// Resource data stays mapped with its module; the "global handle" is the data itself.
HGLOBAL WINAPI LoadResource(HMODULE, HRSRC res) {
    if (!res) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return const_cast<void*>(reinterpret_cast<const HMIGFX_RESOURCE*>(res)->pData);
}

LPVOID WINAPI LockResource(HGLOBAL data) { return data; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC res) {
    if (!res) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return reinterpret_cast<const HMIGFX_RESOURCE*>(res)->cbData;
}

BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }  // nothing to free, as on 32-bit Windows

HBITMAP WINAPI LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
    if (!instance) {
        // The system's own (OBM_) bitmaps are not part of this subset.
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    HRSRC res = FindResourceW(instance, name, RT_BITMAP);
    if (!res) return nullptr;
    HBITMAP bmp = bitmapFromPackedDib(static_cast<const BYTE*>(LockResource(LoadResource(instance, res))),
                                      SizeofResource(instance, res));
    if (!bmp) SetLastError(ERROR_INVALID_DATA);
    return bmp;
}

}  // extern "C"
