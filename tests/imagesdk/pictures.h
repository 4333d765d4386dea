// Pictures for the tests of the back end's operations: a record that frees
// itself, made at any depth and view perspective, and its colours as shown.
#pragma once

#include <imagesdk/dispatch.h>

#include <vector>

namespace pictures {

using imagesdk::call;
using imagesdk::Library;

struct Pic {
    struct_LEAD_Bitmap b{};
    Pic() { call<Library::Kernel, 134>(&b, 1, 1, 1); }
    ~Pic() { call<Library::Kernel, 125>(&b); }
    Pic(const Pic&) = delete;
    Pic& operator=(const Pic&) = delete;
    struct_LEAD_Bitmap* operator&() { return &b; }
};

// A w x h picture of distinct colours (few enough for a table at 1, 4 or 8
// bits), at bpp, shown from its first stored row down when topLeft.
inline void make(Pic& p, int w, int h, int bpp = 24, bool topLeft = false) {
    call<Library::Kernel, 125>(&p.b);
    call<Library::Kernel, 116>(&p.b, unsigned(w), unsigned(h), 24u, unsigned(ORDER_BGR),
                               unsigned(topLeft ? TOP_LEFT : BOTTOM_LEFT), nullptr, 0u, nullptr, 0ul);
    const int colors = bpp == 1 ? 2 : bpp == 4 ? 16 : 256;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int i = (x * 7 + y * 13) % colors;
            call<Library::Kernel, 139>(&p.b, y, x, static_cast<unsigned long>(RGB(i * 37 % 256, i * 11 % 256, 255 - i)));
        }
    if (bpp != 24)
        call<Library::Kernel, 108>(&p.b, nullptr, bpp, static_cast<unsigned long>(CRF_OPTIMIZEDPALETTE), nullptr,
                                   HPALETTE(nullptr), 0u, LEADFILECALLBACK(nullptr), nullptr);
}

// Skips the test where this build's back end does not have the entry point
// (the Windows one has no image processing).
#define SKIP_WITHOUT(lib, ordinal, what)                                                  \
    if (!imagesdk::builtinBackEnd().implements<imagesdk::Library::lib, ordinal>())        \
    GTEST_SKIP() << what << " is not in this build's imaging back end"

// Every pixel's colour, rows from the top as shown.
inline std::vector<COLORREF> colors(struct_LEAD_Bitmap& b) {
    std::vector<COLORREF> out;
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x) out.push_back(COLORREF(call<Library::Kernel, 132>(&b, y, x)));
    return out;
}

inline COLORREF at(struct_LEAD_Bitmap& b, int x, int y) { return COLORREF(call<Library::Kernel, 132>(&b, y, x)); }

}  // namespace pictures
