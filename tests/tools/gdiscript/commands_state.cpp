// DC state setters.
#include "interpreter_p.h"

namespace hmigfx::gdiscript {
namespace {

#define SETTER(name, expr)                  \
    HGDIOBJ name(const Args& a) {           \
        HDC dc = a.in->dc;                  \
        a.in->check(expr);                  \
        return nullptr;                     \
    }

SETTER(setROP2, SetROP2(dc, a.i(0)) != 0)
SETTER(setBkMode, SetBkMode(dc, a.i(0)) != 0)
SETTER(setBkColor, SetBkColor(dc, a.color(0)) != CLR_INVALID)
SETTER(setTextColor, SetTextColor(dc, a.color(0)) != CLR_INVALID)
SETTER(setPolyFillMode, SetPolyFillMode(dc, a.i(0)) != 0)
SETTER(setStretchBltMode, SetStretchBltMode(dc, a.i(0)) != 0)
SETTER(setTextAlign, SetTextAlign(dc, a.u(0)) != GDI_ERROR)
SETTER(setMapMode, SetMapMode(dc, a.i(0)) != 0)
SETTER(setArcDirection, SetArcDirection(dc, a.i(0)) != 0)
SETTER(setGraphicsMode, SetGraphicsMode(dc, a.i(0)) != 0)
SETTER(setDCBrushColor, SetDCBrushColor(dc, a.color(0)) != CLR_INVALID)
SETTER(setDCPenColor, SetDCPenColor(dc, a.color(0)) != CLR_INVALID)
SETTER(setBrushOrgEx, SetBrushOrgEx(dc, a.i(0), a.i(1), nullptr))
SETTER(setViewportOrgEx, SetViewportOrgEx(dc, a.i(0), a.i(1), nullptr))
SETTER(setWindowOrgEx, SetWindowOrgEx(dc, a.i(0), a.i(1), nullptr))
SETTER(saveDC, SaveDC(dc) != 0)
SETTER(restoreDC, RestoreDC(dc, a.i(0)))

#undef SETTER

}  // namespace

void addStateCommands(CommandTable& t) {
    t["SetROP2"] = {setROP2, 1, 1, 0};
    t["SetBkMode"] = {setBkMode, 1, 1, 0};
    t["SetBkColor"] = {setBkColor, 1, 1, 0};
    t["SetTextColor"] = {setTextColor, 1, 1, 0};
    t["SetPolyFillMode"] = {setPolyFillMode, 1, 1, 0};
    t["SetStretchBltMode"] = {setStretchBltMode, 1, 1, 0};
    t["SetTextAlign"] = {setTextAlign, 1, 1, 0};
    t["SetMapMode"] = {setMapMode, 1, 1, 0};
    t["SetArcDirection"] = {setArcDirection, 1, 1, 0};
    t["SetGraphicsMode"] = {setGraphicsMode, 1, 1, 0};
    t["SetDCBrushColor"] = {setDCBrushColor, 1, 1, 0};
    t["SetDCPenColor"] = {setDCPenColor, 1, 1, 0};
    t["SetBrushOrgEx"] = {setBrushOrgEx, 2, 2, 0};
    t["SetViewportOrgEx"] = {setViewportOrgEx, 2, 2, 0};
    t["SetWindowOrgEx"] = {setWindowOrgEx, 2, 2, 0};
    t["SaveDC"] = {saveDC, 0, 0, 0};
    t["RestoreDC"] = {restoreDC, 1, 1, 0};
}

}  // namespace hmigfx::gdiscript
