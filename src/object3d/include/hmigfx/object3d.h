// The pseudo-3-D engine: flat outlines extruded into solid bodies, rotated,
// scaled, moved and resized, drawn as shaded faces with hidden faces removed,
// and picked with the mouse.
//
// Coordinates: x to the right, y downward, z toward the viewer. A body is
// symmetric about z = 0: the front outline lies at z = +depth, the back one at
// z = -depth. Faces are numbered 0 (front cap), 1 (back cap) and 2 + i (the
// side between outline points i and i + 1, the last one closing to point 0).
//
// Items are plain records allocated by CreatePolygonItem or CopyItem; they
// belong to the host, which releases them with Object3D::ReleaseItem.
#pragma once

#include <afxwin.h>

class CMyDC;

struct Point3D {
    float x;
    float y;
    float z;

    Point3D(float fx, float fy, float fz) : x(fx), y(fy), z(fz) {}
    Point3D(const Point3D&) = default;
};

// Shape codes of an item: how the back outline derives from the base outline.
enum {
    SHAPE3D_PYRAMID = 51,  // every back point on the centre
    SHAPE3D_NARROW = 52,   // back outline at half size
    SHAPE3D_WIDEN = 53,    // back outline at double size
};

// Light codes: where the light comes from. Any other code shades as the
// light from the viewer.
enum {
    LIGHT3D_UPPER_LEFT = 70,
    LIGHT3D_ABOVE = 71,
    LIGHT3D_UPPER_RIGHT = 72,
    LIGHT3D_LEFT = 73,
    LIGHT3D_VIEWER = 74,  // the default
    LIGHT3D_RIGHT = 75,
    LIGHT3D_LOWER_LEFT = 76,
    LIGHT3D_BELOW = 77,
    LIGHT3D_BELOW_RIGHT = 78,
};

// One body. n = pointCount; the lists hold n, n + 1 or n + 2 entries as noted.
struct _ITEM {
    short reserved;        // the host's; copied, never read
    short shape;           // shape code
    int geometryChanged;   // nonzero: everything derived must be re-formed
    int rotationChanged;   // nonzero: the rotated lists and fence must be refreshed
    int pointCount;
    Point3D* points;       // n: the base outline, z = 0
    Point3D* frontPoints;  // n + 1: at z = +depth, entry n repeats entry 0
    Point3D* backPoints;   // n + 1: tapered by the shape code, at z = -depth
    Point3D center;        // middle of the base outline's whole-number box; z unused
    double matrix[3][3];   // the accumulated rotation, row by row
    COLORREF color;        // base face colour
    COLORREF lineColor;    // stored and copied only
    int light;             // light code 70 ... 78
    int depth;             // half thickness
    Point3D minPoint;      // whole-number box of the base outline (x, y)
    Point3D maxPoint;
    Point3D fenceMin;      // whole-number box of the rotated outlines (x, y)
    Point3D fenceMax;
    Point3D* rotatedFront;    // n + 1
    Point3D* rotatedBack;     // n + 1
    Point3D* normals;         // n + 2, by face number
    Point3D* rotatedNormals;  // n + 2
};

class AFX_EXT_CLASS Object3D {
public:
    Object3D();
    virtual ~Object3D();

    Object3D(const Object3D&) = delete;  // the scratch lists are owned: copy with CopyObject3D
    Object3D& operator=(const Object3D&) = delete;

    // Copies the defaults, the point count and the scratch lists' contents of
    // *pSrc (not the tables, not paintedRgn).
    Object3D& operator=(Object3D*& pSrc);
    Object3D* CopyObject3D(Object3D* pSrc);

    // Item construction and accessors. CreatePolygonItem returns null when
    // nCount < 1, pPoints is null or memory runs out; the object is then
    // left as it was. One or two points make a degenerate body: its sides
    // have no normal (NaN) and are never drawn, its caps are lines or a
    // point, which paint nothing and are never hit.
    _ITEM* CreatePolygonItem(short nShape, POINT* pPoints, int nCount);
    _ITEM* CopyItem(_ITEM* pSrc);
    _ITEM* SetShapeItem(_ITEM* pItem, int nShape);
    _ITEM* SetDepthItem(_ITEM* pItem, int nDepth);
    int GetDepthItem(_ITEM* pItem);
    _ITEM* SetColorItem(_ITEM* pItem, COLORREF color);
    _ITEM* SetLineColorItem(_ITEM* pItem, COLORREF color);
    _ITEM* SetLightItem(_ITEM* pItem, int nLight);

    // Releases an item and its seven lists (null is accepted).
    static void ReleaseItem(_ITEM* pItem);

    // Transforms. Angles are whole degrees, any value (reduced modulo 360).
    // A resize along an axis on which the outline has no extent cannot
    // stretch it: the points then move with the near edge (left or top).
    _ITEM* SetRotationItem(_ITEM* pItem, int nAngleX, int nAngleY, int nAngleZ);
    _ITEM* SetRotationClear(_ITEM* pItem);
    _ITEM* SetScalingItem(_ITEM* pItem, float fScale);
    _ITEM* SetMoveItem(_ITEM* pItem, int nDx, int nDy);
    _ITEM* SetReSizeItem(_ITEM* pItem, double dLeft, double dRight, double dTop, double dBottom);

    // Drawing. Both bring a stale item up to date first and do nothing
    // without a device context. An item with more points than the one this
    // object created last is drawn too: the object's scratch lists grow to
    // it (and stay so).
    // DrawItem maps the item to view units through pDC; the nearer cap lies
    // on top, then the sides in their order. It leaves the DC's polygon fill
    // mode at WINDING.
    void DrawItem(CMyDC* pDC, _ITEM* pItem);
    // DrawItemInRgn draws in the item's own units, which must be the DC's
    // logical units, clipping every face to pRgn (same units; null, or a CRgn
    // without a region, clips nothing). The back cap, when it faces the
    // viewer, is painted last and over everything else.
    void DrawItemInRgn(CMyDC* pDC, _ITEM* pItem, CRgn* pRgn);

    // Picking, in the item's own (document) units, from the lists as they
    // stand: whether the point lies in any face, turned to the viewer or not.
    // The device context is not used.
    BOOL IntersectionTest(CDC* pDC, _ITEM* pItem, POINT point);
    // The item's whole-number bounding box on the drawing, in its own
    // (document) units, from the lists as they stand.
    BOOL GetFenceItem(_ITEM* pItem, POINT* pFence);

    CRgn paintedRgn;        // union of the faces painted by the last draw call
    int pointCount;         // of the item this object created last
    POINT* viewPoints;      // pointCount entries
    int* faceOrder;         // pointCount + 2 entries
    float spareValue;
    int defaultDepth;
    COLORREF defaultColor;
    // Channel value 0 ... 255 times the RGB-to-YIQ coefficients.
    float lumaFromRed[256];
    float lumaFromGreen[256];
    float lumaFromBlue[256];
    float inPhaseFromRed[256];
    float inPhaseFromGreen[256];
    float inPhaseFromBlue[256];
    float quadratureFromRed[256];
    float quadratureFromGreen[256];
    float quadratureFromBlue[256];
    float sinTable[360];  // whole degrees, from a pi of 3.141592
    float cosTable[360];

private:
    friend struct Object3DInspector;  // lets the tests reach the formation steps

    void DeleteItem(_ITEM* pItem);
    _ITEM* RotationMatrix(_ITEM* pItem, int nAngleX, int nAngleY, int nAngleZ);
    _ITEM* ClearMatrix(_ITEM* pItem);
    _ITEM* ModifyRotationItem(_ITEM* pItem);
    _ITEM* FormationCenter(_ITEM* pItem);
    _ITEM* FormationFrontPoint(_ITEM* pItem);
    _ITEM* FormationBackPoint(_ITEM* pItem);
    _ITEM* FormationPillarBackPoint(_ITEM* pItem);
    _ITEM* FormationNomalVector(_ITEM* pItem);
    _ITEM* FormationFence3DItem(_ITEM* pItem);
    void FormationScalingPoint(Point3D* pPoints, int nCount, int nCenterX, int nCenterY, float fScale);
    COLORREF getColor(_ITEM* pItem, Point3D normal);

    // The full re-formation and the rotation refresh.
    void Reform(_ITEM* pItem);
    void RefreshRotation(_ITEM* pItem);
    // Brings a stale item back to current before drawing.
    void BringUpToDate(_ITEM* pItem);
    // Makes the scratch lists hold at least nCount points; false when out of memory.
    bool EnsureScratch(int nCount);
};
