// Gallery panel "3-D bodies": the four shape codes, the nine lights, several
// rotations, and the in-region form.
#include "gallery.h"

#include <vector>

namespace hmigfx::app {

namespace {

struct BodyItem {
    Object3D object;
    _ITEM* item = nullptr;
    BodyItem(std::vector<POINT> outline, short shape) {
        item = object.CreatePolygonItem(shape, outline.data(), static_cast<int>(outline.size()));
    }
    ~BodyItem() { Object3D::ReleaseItem(item); }
    BodyItem(const BodyItem&) = delete;
    BodyItem& operator=(const BodyItem&) = delete;
};

// Outlines about (0, 0), clockwise on the screen.
std::vector<POINT> square(int half) { return {{-half, -half}, {half, -half}, {half, half}, {-half, half}}; }
std::vector<POINT> hexagon(int r) {
    const int h = r * 866 / 1000;
    return {{-r / 2, -h}, {r / 2, -h}, {r, 0}, {r / 2, h}, {-r / 2, h}, {-r, 0}};
}
std::vector<POINT> lShape(int s) {
    return {{-s, -s}, {s, -s}, {s, 0}, {0, 0}, {0, s}, {-s, s}};
}

// Draws one body with document (0, 0) at the panel's (x, y).
void draw(GalleryPainter& p, BodyItem& body, int x, int y) {
    CMyDC dc = p.context(100, x, y);
    dc.objDraw3DObject(body.item, &body.object);
}

void drawBodies(GalleryPainter& p) {
    const int rowShapes = 70, rowLights = 215, rowTurns = 365;
    const int labelGap = 62;

    // The shape codes, the same hexagon and turn.
    struct Shape {
        short code;
        const char* name;
    };
    const Shape shapes[] = {{0, "prism (0)"}, {SHAPE3D_PYRAMID, "pyramid (51)"}, {SHAPE3D_NARROW, "narrow (52)"},
                            {SHAPE3D_WIDEN, "widen (53)"}};
    p.label(20, 4, "Shape codes, turned (25, 30, 0), light 74", 13, RGB(40, 40, 40), true);
    for (int i = 0; i < 4; ++i) {
        BodyItem body(hexagon(27), shapes[i].code);
        body.object.SetDepthItem(body.item, 18);
        body.object.SetColorItem(body.item, RGB(60, 140, 200));
        body.object.SetRotationItem(body.item, 25, 30, 0);
        const int x = 110 + i * 160;
        draw(p, body, x, rowShapes);
        p.labelCentred(x, rowShapes + labelGap, shapes[i].name);
    }

    // The in-region form: the same body clipped to an ellipse, in logical units.
    {
        p.label(760, 4, "In a region (ellipse)", 13, RGB(40, 40, 40), true);
        BodyItem body(lShape(40), 0);
        body.object.SetDepthItem(body.item, 20);
        body.object.SetColorItem(body.item, RGB(200, 120, 40));
        body.object.SetRotationItem(body.item, 30, 30, 0);
        const int x = 860, y = rowShapes;
        CMyDC dc = p.context(100, x, y);
        CRgn ellipse;
        ellipse.CreateEllipticRgn(-55, -35, 55, 35);
        dc.objDraw3DObjectInRgn(body.item, &body.object, &ellipse);
        p.labelCentred(x, y + labelGap, "objDraw3DObjectInRgn");
        BodyItem whole(lShape(40), 0);
        whole.object.SetDepthItem(whole.item, 20);
        whole.object.SetColorItem(whole.item, RGB(200, 120, 40));
        whole.object.SetRotationItem(whole.item, 30, 30, 0);
        draw(p, whole, x + 170, y);
        p.labelCentred(x + 170, y + labelGap, "objDraw3DObject");
    }

    // The nine lights on one cube.
    const char* lights[] = {"70 upper left", "71 above", "72 upper right", "73 left", "74 viewer",
                            "75 right", "76 lower left", "77 below", "78 below right"};
    p.label(20, rowLights - 66, "Lights 70-78, cube turned (30, 30, 0)", 13, RGB(40, 40, 40), true);
    for (int i = 0; i < 9; ++i) {
        BodyItem body(square(30), 0);
        body.object.SetDepthItem(body.item, 30);
        body.object.SetColorItem(body.item, RGB(128, 128, 128));
        body.object.SetLightItem(body.item, 70 + i);
        body.object.SetRotationItem(body.item, 30, 30, 0);
        const int x = 75 + i * 135;
        draw(p, body, x, rowLights);
        p.labelCentred(x, rowLights + labelGap, lights[i]);
    }

    // Rotations of an L-shaped body.
    struct Turn {
        int x, y, z;
        const char* name;
    };
    const Turn turns[] = {{0, 0, 0, "(0, 0, 0)"},     {30, 30, 0, "(30, 30, 0)"},   {-30, 45, 15, "(-30, 45, 15)"},
                          {60, 0, 30, "(60, 0, 30)"}, {0, 180, 0, "(0, 180, 0)"},   {20, -40, -20, "(20, -40, -20)"},
                          {90, 0, 0, "(90, 0, 0)"},   {45, 45, 45, "(45, 45, 45)"}, {0, 60, 90, "(0, 60, 90)"}};
    p.label(20, rowTurns - 66, "Rotations (x, y, z) of an L-shaped body", 13, RGB(40, 40, 40), true);
    for (int i = 0; i < 9; ++i) {
        BodyItem body(lShape(34), 0);
        body.object.SetDepthItem(body.item, 16);
        body.object.SetColorItem(body.item, RGB(90, 170, 90));
        body.object.SetLightItem(body.item, LIGHT3D_UPPER_LEFT);
        body.object.SetRotationItem(body.item, turns[i].x, turns[i].y, turns[i].z);
        const int x = 75 + i * 135;
        draw(p, body, x, rowTurns);
        p.labelCentred(x, rowTurns + labelGap, turns[i].name);
    }
}

}  // namespace

HMIGFX_GALLERY_PANEL(object3d, 800, "3-D bodies", 450, drawBodies);

}  // namespace hmigfx::app
