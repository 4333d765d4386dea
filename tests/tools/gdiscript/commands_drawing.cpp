// Lines, shapes and rectangle fills.
#include "interpreter_p.h"

namespace hmigfx::gdiscript {
namespace {

HGDIOBJ moveToEx(const Args& a) {
    a.in->check(MoveToEx(a.in->dc, a.i(0), a.i(1), nullptr));
    return nullptr;
}

HGDIOBJ setPixel(const Args& a) {
    a.in->check(SetPixelV(a.in->dc, a.i(0), a.i(1), a.color(2)));
    return nullptr;
}

HGDIOBJ patBlt(const Args& a) {
    a.in->check(PatBlt(a.in->dc, a.i(0), a.i(1), a.i(2), a.i(3), a.u(4)));
    return nullptr;
}

HGDIOBJ fillRect(const Args& a) {
    RECT r = a.rect(0);
    a.in->check(FillRect(a.in->dc, &r, static_cast<HBRUSH>(a.obj(4))));
    return nullptr;
}

HGDIOBJ frameRect(const Args& a) {
    RECT r = a.rect(0);
    a.in->check(FrameRect(a.in->dc, &r, static_cast<HBRUSH>(a.obj(4))));
    return nullptr;
}

HGDIOBJ invertRect(const Args& a) {
    RECT r = a.rect(0);
    a.in->check(InvertRect(a.in->dc, &r));
    return nullptr;
}

}  // namespace

void addDrawingCommands(CommandTable& t) {
    t["MoveToEx"] = {moveToEx, 2, 2, 0};
    t["SetPixel"] = {setPixel, 3, 3, 0};
    t["PatBlt"] = {patBlt, 5, 5, 0};
    t["FillRect"] = {fillRect, 5, 5, 0};
    t["FrameRect"] = {frameRect, 5, 5, 0};
    t["InvertRect"] = {invertRect, 4, 4, 0};
}

}  // namespace hmigfx::gdiscript
