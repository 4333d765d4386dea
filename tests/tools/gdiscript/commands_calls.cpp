// The commands that are one GDI call each: DC state, drawing, regions and clipping.
#include "interpreter_p.h"

namespace hmigfx::gdiscript {
namespace {

// PolyPolygon NPOLY COUNT... X Y ...
HGDIOBJ polyPolygon(const Args& a) {
    const int npoly = a.i(0);
    auto badCount = [&] { a.in->fail(format("%s: wrong argument count (%d)", a.in->currentCommand.c_str(), a.count())); };
    if (npoly <= 0 || a.count() <= npoly) badCount();
    std::vector<INT> counts(static_cast<size_t>(npoly));
    long long total = 0;
    for (int k = 0; k < npoly; ++k) total += counts[k] = a.i(1 + k);
    const std::vector<POINT> p = a.points(1 + npoly);
    if (static_cast<long long>(p.size()) != total) badCount();
    a.in->check(PolyPolygon(a.in->dc, p.data(), counts.data(), npoly));
    return nullptr;
}

// Polyline, Polygon and PolyBezier take a list of X Y pairs.
template <class N, BOOL(WINAPI* Fn)(HDC, const POINT*, N)>
HGDIOBJ poly(const Args& a) {
    const std::vector<POINT> p = a.points(0);
    a.in->check(Fn(a.in->dc, p.data(), static_cast<N>(p.size())));
    return nullptr;
}

// Arc, Pie and Chord share their argument list.
template <BOOL(WINAPI* Fn)(HDC, int, int, int, int, int, int, int, int)>
HGDIOBJ arcLike(const Args& a) {
    a.in->check(Fn(a.in->dc, a.i(0), a.i(1), a.i(2), a.i(3), a.i(4), a.i(5), a.i(6), a.i(7)));
    return nullptr;
}

}  // namespace

void addCallCommands(CommandTable& t) {
    GDISCRIPT_CALL(t, "SetROP2", 1, 1, SetROP2(dc, a.i(0)) != 0);
    GDISCRIPT_CALL(t, "SetBkMode", 1, 1, SetBkMode(dc, a.i(0)) != 0);
    GDISCRIPT_CALL(t, "SetBkColor", 1, 1, SetBkColor(dc, a.color(0)) != CLR_INVALID);
    GDISCRIPT_CALL(t, "SetTextColor", 1, 1, SetTextColor(dc, a.color(0)) != CLR_INVALID);
    GDISCRIPT_CALL(t, "SetPolyFillMode", 1, 1, SetPolyFillMode(dc, a.i(0)) != 0);
    GDISCRIPT_CALL(t, "SetStretchBltMode", 1, 1, SetStretchBltMode(dc, a.i(0)) != 0);
    GDISCRIPT_CALL(t, "SetTextAlign", 1, 1, SetTextAlign(dc, a.u(0)) != GDI_ERROR);
    GDISCRIPT_CALL(t, "SetMapMode", 1, 1, SetMapMode(dc, a.i(0)) != 0);
    GDISCRIPT_CALL(t, "SetArcDirection", 1, 1, SetArcDirection(dc, a.i(0)) != 0);
    GDISCRIPT_CALL(t, "SetGraphicsMode", 1, 1, SetGraphicsMode(dc, a.i(0)) != 0);
    GDISCRIPT_CALL(t, "SetDCBrushColor", 1, 1, SetDCBrushColor(dc, a.color(0)) != CLR_INVALID);
    GDISCRIPT_CALL(t, "SetDCPenColor", 1, 1, SetDCPenColor(dc, a.color(0)) != CLR_INVALID);
    GDISCRIPT_CALL(t, "SetBrushOrgEx", 2, 2, SetBrushOrgEx(dc, a.i(0), a.i(1), nullptr));
    GDISCRIPT_CALL(t, "SetViewportOrgEx", 2, 2, SetViewportOrgEx(dc, a.i(0), a.i(1), nullptr));
    GDISCRIPT_CALL(t, "SetWindowOrgEx", 2, 2, SetWindowOrgEx(dc, a.i(0), a.i(1), nullptr));
    GDISCRIPT_CALL(t, "SaveDC", 0, 0, SaveDC(dc) != 0);
    GDISCRIPT_CALL(t, "RestoreDC", 1, 1, RestoreDC(dc, a.i(0)));

    GDISCRIPT_CALL(t, "MoveToEx", 2, 2, MoveToEx(dc, a.i(0), a.i(1), nullptr));
    GDISCRIPT_CALL(t, "LineTo", 2, 2, LineTo(dc, a.i(0), a.i(1)));
    GDISCRIPT_CALL(t, "SetPixel", 3, 3, SetPixelV(dc, a.i(0), a.i(1), a.color(2)));
    t["Polyline"] = {poly<int, Polyline>, 2, kMany, 0};
    t["Polygon"] = {poly<int, Polygon>, 2, kMany, 0};
    t["PolyBezier"] = {poly<DWORD, PolyBezier>, 2, kMany, 0};
    t["PolyPolygon"] = {polyPolygon, 3, kMany, 0};
    GDISCRIPT_CALL(t, "Rectangle", 4, 4, Rectangle(dc, a.i(0), a.i(1), a.i(2), a.i(3)));
    GDISCRIPT_CALL(t, "Ellipse", 4, 4, Ellipse(dc, a.i(0), a.i(1), a.i(2), a.i(3)));
    GDISCRIPT_CALL(t, "RoundRect", 6, 6, RoundRect(dc, a.i(0), a.i(1), a.i(2), a.i(3), a.i(4), a.i(5)));
    t["Arc"] = {arcLike<Arc>, 8, 8, 0};
    t["Pie"] = {arcLike<Pie>, 8, 8, 0};
    t["Chord"] = {arcLike<Chord>, 8, 8, 0};
    GDISCRIPT_CALL(t, "PatBlt", 5, 5, PatBlt(dc, a.i(0), a.i(1), a.i(2), a.i(3), a.u(4)));
    GDISCRIPT_CALL(t, "FillRect", 5, 5, FillRect(dc, a.prect(0), a.brush(4)));
    GDISCRIPT_CALL(t, "FrameRect", 5, 5, FrameRect(dc, a.prect(0), a.brush(4)));
    GDISCRIPT_CALL(t, "InvertRect", 4, 4, InvertRect(dc, a.prect(0)));
    GDISCRIPT_CALL(t, "DrawFocusRect", 4, 4, DrawFocusRect(dc, a.prect(0)));
    GDISCRIPT_CALL(t, "DrawFrameControl", 6, 6, DrawFrameControl(dc, a.prect(0), a.u(4), a.u(5)));

    GDISCRIPT_MAKE(t, "CreateRectRgn", 4, 4, CreateRectRgn(a.i(0), a.i(1), a.i(2), a.i(3)));
    GDISCRIPT_MAKE(t, "CreateEllipticRgn", 4, 4, CreateEllipticRgn(a.i(0), a.i(1), a.i(2), a.i(3)));
    GDISCRIPT_MAKE(t, "CreateRoundRectRgn", 6, 6, CreateRoundRectRgn(a.i(0), a.i(1), a.i(2), a.i(3), a.i(4), a.i(5)));
    // CreatePolygonRgn MODE X Y X Y ...
    GDISCRIPT_MAKE(t, "CreatePolygonRgn", 1, kMany, [&] {
        const std::vector<POINT> p = a.points(1);
        return CreatePolygonRgn(p.data(), static_cast<int>(p.size()), a.i(0));
    }());
    GDISCRIPT_CALL(t, "OffsetRgn", 3, 3, OffsetRgn(a.rgn(0), a.i(1), a.i(2)) != ERROR);
    GDISCRIPT_CALL(t, "SelectClipRgn", 1, 1, SelectClipRgn(dc, a.rgn(0)) != ERROR);
    GDISCRIPT_CALL(t, "ExtSelectClipRgn", 2, 2, ExtSelectClipRgn(dc, a.rgn(0), a.i(1)) != ERROR);
    GDISCRIPT_CALL(t, "IntersectClipRect", 4, 4, IntersectClipRect(dc, a.i(0), a.i(1), a.i(2), a.i(3)) != ERROR);
    GDISCRIPT_CALL(t, "ExcludeClipRect", 4, 4, ExcludeClipRect(dc, a.i(0), a.i(1), a.i(2), a.i(3)) != ERROR);
    GDISCRIPT_CALL(t, "PaintRgn", 1, 1, PaintRgn(dc, a.rgn(0)));
    GDISCRIPT_CALL(t, "FillRgn", 2, 2, FillRgn(dc, a.rgn(0), a.brush(1)));
    GDISCRIPT_CALL(t, "FrameRgn", 4, 4, FrameRgn(dc, a.rgn(0), a.brush(1), a.i(2), a.i(3)));
    GDISCRIPT_CALL(t, "InvertRgn", 1, 1, InvertRgn(dc, a.rgn(0)));
}

}  // namespace hmigfx::gdiscript
