// CMyBrush::GradientFill: the 22 gradient modes of brush style 4 as one
// smooth-shading call each. The platform interpolates per pixel; the modes
// only differ in where the two colours (and their middle) sit.
#include <hmigfx/my_brush.h>

#include <cstdint>

namespace {

// A COLORREF's bytes as the high bytes of the vertex channels; the top byte,
// normally 0, becomes the alpha channel.
struct Channels {
    COLOR16 r, g, b, a;
};

Channels channelsOf(COLORREF c) {
    return {static_cast<COLOR16>((c & 0xFF) << 8), static_cast<COLOR16>(c & 0xFF00),
            static_cast<COLOR16>((c & 0xFF0000) >> 8), static_cast<COLOR16>((c & 0xFF000000) >> 16)};
}

Channels middleOf(const Channels& a, const Channels& b) {
    return {static_cast<COLOR16>((a.r + b.r) / 2), static_cast<COLOR16>((a.g + b.g) / 2),
            static_cast<COLOR16>((a.b + b.b) / 2), static_cast<COLOR16>((a.a + b.a) / 2)};
}

TRIVERTEX vertex(LONG x, LONG y, const Channels& c) { return {x, y, c.r, c.g, c.b, c.a}; }

}  // namespace

void CMyBrush::GradientFill(HDC hdc, int nMode, CRect& rect, COLORREF color1, COLORREF color2) {
    const unsigned mode = static_cast<unsigned>(nMode);
    if (mode > 21) return;

    const Channels c1 = channelsOf(color1), c2 = channelsOf(color2), m = middleOf(c1, c2);
    const LONG l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const auto mx = static_cast<LONG>((int64_t{l} + r) / 2), my = static_cast<LONG>((int64_t{t} + b) / 2);

    TRIVERTEX v[5];
    ULONG nVertices = 0;
    GRADIENT_RECT rects[2] = {{0, 1}, {2, 3}};
    GRADIENT_TRIANGLE triangles[4] = {{0, 1, 3}, {0, 2, 3}, {0, 0, 0}, {0, 0, 0}};
    void* mesh = nullptr;
    ULONG nMesh = 0;
    ULONG platformMode = GRADIENT_FILL_TRIANGLE;

    // Rectangle modes: one rectangle from corner to corner, or two mirrored
    // halves meeting at the middle row or column.
    auto rectMode = [&](ULONG dir, const Channels& a, const Channels& z, bool mirrored) {
        platformMode = dir;
        mesh = rects;
        if (!mirrored) {
            v[0] = vertex(l, t, a);
            v[1] = vertex(r, b, z);
            nVertices = 2;
            nMesh = 1;
        } else if (dir == GRADIENT_FILL_RECT_V) {
            v[0] = vertex(l, t, a);
            v[1] = vertex(r, my, z);
            v[2] = vertex(l, my, z);
            v[3] = vertex(r, b, a);
            nVertices = 4;
            nMesh = 2;
        } else {
            v[0] = vertex(l, t, a);
            v[1] = vertex(mx, b, z);
            v[2] = vertex(mx, t, z);
            v[3] = vertex(r, b, a);
            nVertices = 4;
            nMesh = 2;
        }
    };
    // Triangle modes over the four corners, split along the diagonal from
    // vertex 0 to vertex 3.
    auto quad = [&](POINT p0, const Channels& k0, POINT p1, const Channels& k1, POINT p2, const Channels& k2,
                    POINT p3, const Channels& k3) {
        v[0] = vertex(p0.x, p0.y, k0);
        v[1] = vertex(p1.x, p1.y, k1);
        v[2] = vertex(p2.x, p2.y, k2);
        v[3] = vertex(p3.x, p3.y, k3);
        nVertices = 4;
        mesh = triangles;
        nMesh = 2;
    };
    // The centre against the four corners: four triangles.
    auto star = [&](const Channels& corners, const Channels& centre) {
        v[0] = vertex(l, t, corners);
        v[1] = vertex(r, t, corners);
        v[2] = vertex(r, b, corners);
        v[3] = vertex(l, b, corners);
        v[4] = vertex(mx, my, centre);
        triangles[0] = {0, 1, 4};
        triangles[1] = {0, 3, 4};
        triangles[2] = {1, 2, 4};
        triangles[3] = {2, 3, 4};
        nVertices = 5;
        mesh = triangles;
        nMesh = 4;
    };
    const POINT lt{l, t}, rt{r, t}, lb{l, b}, rb{r, b};

    switch (mode) {
    case 0: rectMode(GRADIENT_FILL_RECT_V, c1, c2, false); break;
    case 1: rectMode(GRADIENT_FILL_RECT_V, c2, c1, false); break;
    case 2: rectMode(GRADIENT_FILL_RECT_V, c1, c2, true); break;
    case 3: rectMode(GRADIENT_FILL_RECT_V, c2, c1, true); break;
    case 4: rectMode(GRADIENT_FILL_RECT_H, c1, c2, false); break;
    case 5: rectMode(GRADIENT_FILL_RECT_H, c2, c1, false); break;
    case 6: rectMode(GRADIENT_FILL_RECT_H, c1, c2, true); break;
    case 7: rectMode(GRADIENT_FILL_RECT_H, c2, c1, true); break;
    case 8: quad(lt, c1, rt, m, lb, m, rb, c2); break;
    case 9: quad(lt, c2, rt, m, lb, m, rb, c1); break;
    case 10: quad(rt, c2, lt, c1, rb, c1, lb, c2); break;
    case 11: quad(rt, c1, lt, c2, rb, c2, lb, c1); break;
    case 12: quad(rt, c1, lt, m, rb, m, lb, c2); break;
    case 13: quad(rt, c2, lt, m, rb, m, lb, c1); break;
    case 14: quad(lt, c2, rt, c1, lb, c1, rb, c2); break;
    case 15: quad(lt, c1, rt, c2, lb, c2, rb, c1); break;
    case 16: quad(lt, c1, rt, c2, lb, c2, rb, c2); break;
    case 17: quad(rt, c1, lt, c2, rb, c2, lb, c2); break;
    case 18: quad(rt, c2, lt, c2, rb, c2, lb, c1); break;
    case 19: quad(lt, c2, rt, c2, lb, c2, rb, c1); break;
    case 20: star(c2, c1); break;
    case 21: star(c1, c2); break;
    }
    // A failing call leaves the area as it was; there is nobody to tell.
    ::GradientFill(hdc, v, nVertices, mesh, nMesh, platformMode);
}
