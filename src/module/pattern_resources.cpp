// The 48 built-in fill patterns: their names, and on Linux the module's
// bitmap resources "IDB_PATTERN1" ... "IDB_PATTERN48", each a packed DIB of
// 8 x 8 pixels at 1 bit per pixel with the colour table black, white, stored
// bottom-up as bitmap resources are.
#include "module/module_p.h"
#include "module/pattern_rows.h"

#include <array>

namespace hmigfx {

const char* const g_szPatternNames[kBuiltinPatterns + 1] = {
    "",
    "5%",
    "10%",
    "20%",
    "25%",
    "30%",
    "40%",
    "50%",
    "60%",
    "70%",
    "75%",
    "80%",
    "90%",
    "Ligth downward diagonal",
    "Ligth upward diagonal",
    "Dark downward diagonal",
    "Dark upward diagonal",
    "Wide downward diagonal",
    "Wide upward diagonal",
    "Light vertical",
    "Light horizonta",
    "Narrow vertical",
    "Narrow horizontal",
    "Dark vertical",
    "Dark horizontal",
    "Dashed downward diagonal",
    "Dashed upward diagonal",
    "Dashed horizontal",
    "Dashed vertical",
    "Small confetti",
    "Large confetti",
    "Zig zag",
    "Wave",
    "Diagonal brick",
    "Horizontal brick",
    "Weave",
    "Plaid",
    "Divot",
    "Dotted grid",
    "Dotted diamond",
    "Shingle",
    "Trellis",
    "Sphere",
    "Small Grid",
    "Large Grid",
    "Small checker board",
    "Large checker board",
    "Outlined diamond",
    "Solid diamond",
};

}  // namespace hmigfx

#ifndef _WIN32
namespace {

// Rows top to bottom, the leftmost pixel in the most significant bit; 0 is black.
#define HMIGFX_PATTERN_ROW_BYTES(n, r0, r1, r2, r3, r4, r5, r6, r7) \
    {0x##r0, 0x##r1, 0x##r2, 0x##r3, 0x##r4, 0x##r5, 0x##r6, 0x##r7},
constexpr BYTE kRows[hmigfx::kBuiltinPatterns][8] = {HMIGFX_PATTERN_ROWS(HMIGFX_PATTERN_ROW_BYTES)};
#undef HMIGFX_PATTERN_ROW_BYTES

// BITMAPINFOHEADER (40 bytes), two RGBQUADs, eight rows of one byte padded to four.
constexpr size_t kDibSize = 40 + 2 * 4 + 8 * 4;
using Dib = std::array<BYTE, kDibSize>;

constexpr void put32(Dib& d, size_t at, DWORD v) {
    for (size_t i = 0; i < 4; ++i) d[at + i] = static_cast<BYTE>(v >> (8 * i));
}

constexpr Dib makeDib(const BYTE (&rows)[8]) {
    Dib d{};
    put32(d, 0, 40);      // biSize
    put32(d, 4, 8);       // biWidth
    put32(d, 8, 8);       // biHeight: positive, bottom-up
    d[12] = 1;            // biPlanes
    d[14] = 1;            // biBitCount
    put32(d, 16, BI_RGB); // biCompression
    put32(d, 20, 8 * 4);  // biSizeImage
    put32(d, 32, 2);      // biClrUsed
    // Colour 0 black (already zero), colour 1 white.
    d[44] = d[45] = d[46] = 0xFF;
    for (size_t r = 0; r < 8; ++r) d[48 + 4 * r] = rows[7 - r];  // the bottom row first
    return d;
}

constexpr std::array<Dib, hmigfx::kBuiltinPatterns> makeDibs() {
    std::array<Dib, hmigfx::kBuiltinPatterns> all{};
    for (size_t i = 0; i < all.size(); ++i) all[i] = makeDib(kRows[i]);
    return all;
}

constexpr std::array<Dib, hmigfx::kBuiltinPatterns> kDibs = makeDibs();

// "IDB_PATTERN" and the number in decimal, without leading zero.
using Name = std::array<wchar_t, 16>;
constexpr std::array<Name, hmigfx::kBuiltinPatterns> makeNames() {
    std::array<Name, hmigfx::kBuiltinPatterns> all{};
    constexpr wchar_t prefix[] = L"IDB_PATTERN";
    for (size_t i = 0; i < all.size(); ++i) {
        size_t n = 0;
        for (; prefix[n]; ++n) all[i][n] = prefix[n];
        const size_t number = i + 1;
        if (number >= 10) all[i][n++] = static_cast<wchar_t>(L'0' + number / 10);
        all[i][n++] = static_cast<wchar_t>(L'0' + number % 10);
    }
    return all;
}

constexpr std::array<Name, hmigfx::kBuiltinPatterns> kNames = makeNames();

std::array<HMIGFX_RESOURCE, hmigfx::kBuiltinPatterns> makeResources() {
    std::array<HMIGFX_RESOURCE, hmigfx::kBuiltinPatterns> all{};
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = HMIGFX_RESOURCE{RT_BITMAP, kNames[i].data(), kDibs[i].data(), static_cast<DWORD>(kDibSize)};
    return all;
}

const std::array<HMIGFX_RESOURCE, hmigfx::kBuiltinPatterns> kResources = makeResources();

// The table is the library's for as long as it is loaded. This file is linked
// before the module entry, so the resources are there when it attaches.
struct Registration {
    HMODULE module = nullptr;
    Registration() {
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&kResources), &module);
        HmigfxRegisterResources(module, kResources.data(), static_cast<DWORD>(kResources.size()));
    }
    ~Registration() { HmigfxUnregisterResources(module); }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
};
Registration g_registration;

}  // namespace
#endif
