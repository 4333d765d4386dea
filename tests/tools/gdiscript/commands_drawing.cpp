// Lines, shapes and rectangle fills.
#include "interpreter_p.h"

namespace hmigfx::gdiscript {
namespace {

HGDIOBJ moveToEx(const Args& a) {
    a.in->check(MoveToEx(a.in->dc, a.i(0), a.i(1), nullptr));
    return nullptr;
}

HGDIOBJ lineTo(const Args& a) {
    a.in->check(LineTo(a.in->dc, a.i(0), a.i(1)));
    return nullptr;
}

// Polyline, Polygon and PolyBezier take a list of X Y pairs.
HGDIOBJ polyline(const Args& a) {
    const std::vector<POINT> p = a.points(0);
    a.in->check(Polyline(a.in->dc, p.data(), static_cast<int>(p.size())));
    return nullptr;
}

HGDIOBJ polygon(const Args& a) {
    const std::vector<POINT> p = a.points(0);
    a.in->check(Polygon(a.in->dc, p.data(), static_cast<int>(p.size())));
    return nullptr;
}

HGDIOBJ polyBezier(const Args& a) {
    const std::vector<POINT> p = a.points(0);
    a.in->check(PolyBezier(a.in->dc, p.data(), static_cast<DWORD>(p.size())));
    return nullptr;
}

// PolyPolygon NPOLY COUNT... X Y ...
HGDIOBJ polyPolygon(const Args& a) {
    const int npoly = a.i(0);
    if (npoly <= 0 || a.count() <= npoly)
        a.in->fail(format("%s: wrong argument count (%d)", a.in->currentCommand.c_str(), a.count()));
    std::vector<INT> counts(static_cast<size_t>(npoly));
    long long total = 0;
    for (int k = 0; k < npoly; ++k) total += counts[k] = a.i(1 + k);
    const std::vector<POINT> p = a.points(1 + npoly);
    if (static_cast<long long>(p.size()) != total)
        a.in->fail(format("%s: wrong argument count (%d)", a.in->currentCommand.c_str(), a.count()));
    a.in->check(PolyPolygon(a.in->dc, p.data(), counts.data(), npoly));
    return nullptr;
}

HGDIOBJ rectangle(const Args& a) {
    a.in->check(Rectangle(a.in->dc, a.i(0), a.i(1), a.i(2), a.i(3)));
    return nullptr;
}

HGDIOBJ ellipse(const Args& a) {
    a.in->check(Ellipse(a.in->dc, a.i(0), a.i(1), a.i(2), a.i(3)));
    return nullptr;
}

HGDIOBJ roundRect(const Args& a) {
    a.in->check(RoundRect(a.in->dc, a.i(0), a.i(1), a.i(2), a.i(3), a.i(4), a.i(5)));
    return nullptr;
}

// Arc, Pie and Chord share their argument list.
template <BOOL(WINAPI* Fn)(HDC, int, int, int, int, int, int, int, int)>
HGDIOBJ arcLike(const Args& a) {
    a.in->check(Fn(a.in->dc, a.i(0), a.i(1), a.i(2), a.i(3), a.i(4), a.i(5), a.i(6), a.i(7)));
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
    t["LineTo"] = {lineTo, 2, 2, 0};
    t["Polyline"] = {polyline, 2, kMany, 0};
    t["Polygon"] = {polygon, 2, kMany, 0};
    t["PolyBezier"] = {polyBezier, 2, kMany, 0};
    t["PolyPolygon"] = {polyPolygon, 3, kMany, 0};
    t["Rectangle"] = {rectangle, 4, 4, 0};
    t["Ellipse"] = {ellipse, 4, 4, 0};
    t["RoundRect"] = {roundRect, 6, 6, 0};
    t["Arc"] = {arcLike<Arc>, 8, 8, 0};
    t["Pie"] = {arcLike<Pie>, 8, 8, 0};
    t["Chord"] = {arcLike<Chord>, 8, 8, 0};
    t["SetPixel"] = {setPixel, 3, 3, 0};
    t["PatBlt"] = {patBlt, 5, 5, 0};
    t["FillRect"] = {fillRect, 5, 5, 0};
    t["FrameRect"] = {frameRect, 5, 5, 0};
    t["InvertRect"] = {invertRect, 4, 4, 0};
}

}  // namespace hmigfx::gdiscript
