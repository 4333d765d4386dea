// Blits and gradient fills.
#include "interpreter_p.h"

namespace hmigfx::gdiscript {
namespace {

// GradientFill MODE NV (X Y COLOR)xNV NM (I J [K])xNM
HGDIOBJ gradientFill(const Args& a) {
    const ULONG mode = a.u(0);
    const long long nv = a.num(1);
    auto needCount = [&](bool ok) {
        if (!ok) a.in->fail(format("%s: wrong argument count (%d)", a.in->currentCommand.c_str(), a.count()));
    };
    needCount(nv > 0 && a.count() >= 3 + 3 * nv);
    const long long nm = a.num(static_cast<int>(2 + 3 * nv));
    const int per = mode == GRADIENT_FILL_TRIANGLE ? 3 : 2;
    needCount(nm >= 0 && a.count() == 3 + 3 * nv + per * nm);
    // Kept between calls: timed loops measure the fill, not the allocator.
    static std::vector<TRIVERTEX> v;
    static std::vector<ULONG> mesh;
    v.resize(static_cast<size_t>(nv));
    for (int i = 0; i < nv; ++i) {
        const DWORD c = a.u(4 + 3 * i);
        v[i].x = a.i(2 + 3 * i);
        v[i].y = a.i(3 + 3 * i);
        v[i].Red = static_cast<COLOR16>((c & 0xFF) << 8);
        v[i].Green = static_cast<COLOR16>(((c >> 8) & 0xFF) << 8);
        v[i].Blue = static_cast<COLOR16>(((c >> 16) & 0xFF) << 8);
        v[i].Alpha = static_cast<COLOR16>(((c >> 24) & 0xFF) << 8);
    }
    mesh.resize(static_cast<size_t>(per * nm) + 1);
    for (int i = 0; i < per * nm; ++i) mesh[i] = a.u(static_cast<int>(3 + 3 * nv + i));
    a.in->check(GradientFill(a.in->dc, v.data(), static_cast<ULONG>(nv), mesh.data(), static_cast<ULONG>(nm), mode));
    return nullptr;
}

// BitBlt XD YD W H SRC XS YS ROP and StretchBlt XD YD WD HD SRC XS YS WS HS ROP.
// SRC names a bitmap (selected into the scratch DC), "canvas" or "null".
HGDIOBJ blit(const Args& a) {
    Interpreter& in = *a.in;
    HDC src = in.dc;
    HGDIOBJ old = nullptr;
    if (a.v[4] != "canvas") {
        HGDIOBJ bmp = a.obj(4);
        src = bmp ? in.srcdc : nullptr;
        if (bmp && !(old = SelectObject(in.srcdc, bmp))) in.fail("'" + a.v[4] + "' cannot be used as a blit source");
    }
    if (in.currentCommand == "BitBlt")
        in.check(BitBlt(in.dc, a.i(0), a.i(1), a.i(2), a.i(3), src, a.i(5), a.i(6), a.u(7)));
    else
        in.check(StretchBlt(in.dc, a.i(0), a.i(1), a.i(2), a.i(3), src, a.i(5), a.i(6), a.i(7), a.i(8), a.u(9)));
    if (old) SelectObject(in.srcdc, old);
    return nullptr;
}

}  // namespace

void addBlitCommands(CommandTable& t) {
    t["GradientFill"] = {gradientFill, 3, kMany, 0};
    t["BitBlt"] = {blit, 8, 8, 0};
    t["StretchBlt"] = {blit, 10, 10, 0};
}

}  // namespace hmigfx::gdiscript
