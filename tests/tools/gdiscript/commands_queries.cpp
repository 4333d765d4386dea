// Queries: one answer line each.
#include "interpreter_p.h"

namespace hmigfx::gdiscript {
namespace {

HGDIOBJ combineRgn(const Args& a) {
    a.in->print(format("CombineRgn %d", CombineRgn(a.rgn(0), a.rgn(1), a.rgn(2), a.i(3))));
    return nullptr;
}

HGDIOBJ ptInRegion(const Args& a) {
    a.in->print(format("PtInRegion %d", PtInRegion(a.rgn(0), a.i(1), a.i(2)) ? 1 : 0));
    return nullptr;
}

void printBox(const Args& a, const char* what, int type, const RECT& r) {
    a.in->print(format("%s %d %ld %ld %ld %ld", what, type, static_cast<long>(r.left), static_cast<long>(r.top),
                       static_cast<long>(r.right), static_cast<long>(r.bottom)));
}

HGDIOBJ getRgnBox(const Args& a) {
    RECT r{};
    const int type = GetRgnBox(a.rgn(0), &r);
    printBox(a, "GetRgnBox", type, r);
    return nullptr;
}

HGDIOBJ getClipBox(const Args& a) {
    RECT r{};
    const int type = GetClipBox(a.in->dc, &r);
    printBox(a, "GetClipBox", type, r);
    return nullptr;
}

HGDIOBJ getRegionData(const Args& a) {
    HRGN rgn = a.rgn(0);
    const DWORD size = GetRegionData(rgn, 0, nullptr);
    std::vector<uint8_t> buf(size ? size : 1);
    auto* rd = reinterpret_cast<RGNDATA*>(buf.data());
    if (!size || GetRegionData(rgn, size, rd) != size) a.in->fail("GetRegionData failed");
    const auto* r = reinterpret_cast<const RECT*>(rd->Buffer);
    std::string line = format("GetRegionData %lu", static_cast<unsigned long>(rd->rdh.nCount));
    for (DWORD k = 0; k < rd->rdh.nCount; ++k)
        line += format(" %ld %ld %ld %ld", static_cast<long>(r[k].left), static_cast<long>(r[k].top),
                       static_cast<long>(r[k].right), static_cast<long>(r[k].bottom));
    a.in->print(line);
    return nullptr;
}

HGDIOBJ getPixel(const Args& a) {
    a.in->print(format("GetPixel 0x%08lx", static_cast<unsigned long>(GetPixel(a.in->dc, a.i(0), a.i(1)))));
    return nullptr;
}

HGDIOBJ getSysColor(const Args& a) {
    a.in->print(format("GetSysColor 0x%08lx", static_cast<unsigned long>(GetSysColor(a.i(0)))));
    return nullptr;
}

HGDIOBJ getCurrentPositionEx(const Args& a) {
    POINT p{};
    a.in->check(GetCurrentPositionEx(a.in->dc, &p));
    a.in->print(format("GetCurrentPositionEx %ld %ld", static_cast<long>(p.x), static_cast<long>(p.y)));
    return nullptr;
}

}  // namespace

void addQueryCommands(CommandTable& t) {
    t["CombineRgn"] = {combineRgn, 4, 4, 0};
    t["PtInRegion"] = {ptInRegion, 3, 3, 0};
    t["GetRgnBox"] = {getRgnBox, 1, 1, 0};
    t["GetRegionData"] = {getRegionData, 1, 1, 0};
    t["GetClipBox"] = {getClipBox, 0, 0, 0};
    t["GetPixel"] = {getPixel, 2, 2, 0};
    t["GetSysColor"] = {getSysColor, 1, 1, 0};
    t["GetCurrentPositionEx"] = {getCurrentPositionEx, 0, 0, 0};
}

}  // namespace hmigfx::gdiscript
