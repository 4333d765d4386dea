// Region construction, combination, painting and clipping.
#include "interpreter_p.h"

namespace hmigfx::gdiscript {
namespace {

HGDIOBJ createRectRgn(const Args& a) { return CreateRectRgn(a.i(0), a.i(1), a.i(2), a.i(3)); }
HGDIOBJ createEllipticRgn(const Args& a) { return CreateEllipticRgn(a.i(0), a.i(1), a.i(2), a.i(3)); }
HGDIOBJ createRoundRectRgn(const Args& a) {
    return CreateRoundRectRgn(a.i(0), a.i(1), a.i(2), a.i(3), a.i(4), a.i(5));
}

// CreatePolygonRgn MODE X Y X Y ...
HGDIOBJ createPolygonRgn(const Args& a) {
    const std::vector<POINT> p = a.points(1);
    return CreatePolygonRgn(p.data(), static_cast<int>(p.size()), a.i(0));
}

HGDIOBJ combineRgn(const Args& a) {
    const int type = CombineRgn(static_cast<HRGN>(a.obj(0)), static_cast<HRGN>(a.obj(1)), static_cast<HRGN>(a.obj(2)),
                                a.i(3));
    a.in->print(format("CombineRgn %d", type));
    return nullptr;
}

HGDIOBJ offsetRgn(const Args& a) {
    a.in->check(OffsetRgn(static_cast<HRGN>(a.obj(0)), a.i(1), a.i(2)) != ERROR);
    return nullptr;
}

HGDIOBJ selectClipRgn(const Args& a) {
    a.in->check(SelectClipRgn(a.in->dc, static_cast<HRGN>(a.obj(0))) != ERROR);
    return nullptr;
}

HGDIOBJ extSelectClipRgn(const Args& a) {
    a.in->check(ExtSelectClipRgn(a.in->dc, static_cast<HRGN>(a.obj(0)), a.i(1)) != ERROR);
    return nullptr;
}

HGDIOBJ intersectClipRect(const Args& a) {
    a.in->check(IntersectClipRect(a.in->dc, a.i(0), a.i(1), a.i(2), a.i(3)) != ERROR);
    return nullptr;
}

HGDIOBJ excludeClipRect(const Args& a) {
    a.in->check(ExcludeClipRect(a.in->dc, a.i(0), a.i(1), a.i(2), a.i(3)) != ERROR);
    return nullptr;
}

HGDIOBJ paintRgn(const Args& a) {
    a.in->check(PaintRgn(a.in->dc, static_cast<HRGN>(a.obj(0))));
    return nullptr;
}

HGDIOBJ fillRgn(const Args& a) {
    a.in->check(FillRgn(a.in->dc, static_cast<HRGN>(a.obj(0)), static_cast<HBRUSH>(a.obj(1))));
    return nullptr;
}

HGDIOBJ frameRgn(const Args& a) {
    a.in->check(FrameRgn(a.in->dc, static_cast<HRGN>(a.obj(0)), static_cast<HBRUSH>(a.obj(1)), a.i(2), a.i(3)));
    return nullptr;
}

HGDIOBJ invertRgn(const Args& a) {
    a.in->check(InvertRgn(a.in->dc, static_cast<HRGN>(a.obj(0))));
    return nullptr;
}

}  // namespace

void addRegionCommands(CommandTable& t) {
    t["CreateRectRgn"] = {createRectRgn, 4, 4, kNew};
    t["CreatePolygonRgn"] = {createPolygonRgn, 1, kMany, kNew};
    t["CreateEllipticRgn"] = {createEllipticRgn, 4, 4, kNew};
    t["CreateRoundRectRgn"] = {createRoundRectRgn, 6, 6, kNew};
    t["CombineRgn"] = {combineRgn, 4, 4, 0};
    t["OffsetRgn"] = {offsetRgn, 3, 3, 0};
    t["SelectClipRgn"] = {selectClipRgn, 1, 1, 0};
    t["ExtSelectClipRgn"] = {extSelectClipRgn, 2, 2, 0};
    t["IntersectClipRect"] = {intersectClipRect, 4, 4, 0};
    t["ExcludeClipRect"] = {excludeClipRect, 4, 4, 0};
    t["PaintRgn"] = {paintRgn, 1, 1, 0};
    t["FillRgn"] = {fillRgn, 2, 2, 0};
    t["FrameRgn"] = {frameRgn, 4, 4, 0};
    t["InvertRgn"] = {invertRgn, 1, 1, 0};
}

}  // namespace hmigfx::gdiscript
