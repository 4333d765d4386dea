// Drawing items as solids: which faces are painted, in which colours, which
// lies on top, and what the device context is left with.
#include "object3d_test_util.h"

#include <hmigfx/my_dc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

using namespace object3d_test;

namespace {

constexpr COLORREF kWhite = 0x00FFFFFF;

// Face f's corners as drawing takes them: whole numbers, toward zero.
std::vector<POINT> faceCorners(const _ITEM* item, int f) {
    auto whole = [](const Point3D& p) { return POINT{static_cast<LONG>(std::trunc(p.x)), static_cast<LONG>(std::trunc(p.y))}; };
    std::vector<POINT> pts;
    const int n = item->pointCount;
    if (f < 2) {
        const Point3D* outline = f == 0 ? item->rotatedFront : item->rotatedBack;
        for (int i = 0; i < n; ++i) pts.push_back(whole(outline[i]));
    } else {
        const int i = f - 2;
        pts = {whole(item->rotatedFront[i]), whole(item->rotatedFront[i + 1]), whole(item->rotatedBack[i + 1]),
               whole(item->rotatedBack[i])};
    }
    return pts;
}

// The union of the faces' polygon regions (alternate fill), scaled by zoom/100.
void facesRegion(CRgn& out, const _ITEM* item, std::initializer_list<int> faces, int zoom = 100) {
    out.CreateRectRgn(0, 0, 0, 0);
    for (int f : faces) {
        std::vector<POINT> pts = faceCorners(item, f);
        for (POINT& p : pts) {
            p.x = static_cast<LONG>(p.x * (zoom / 100.0));
            p.y = static_cast<LONG>(p.y * (zoom / 100.0));
        }
        CRgn face;
        face.CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()), ALTERNATE);
        out.CombineRgn(&out, &face, RGN_OR);
    }
}

// Whether two regions cover the same pixels.
bool sameRegion(const CRgn& a, const CRgn& b) { return a.EqualRgn(&b) != FALSE; }

// Pixel counts by colour.
std::map<COLORREF, int> histogram(const Canvas& c) {
    std::map<COLORREF, int> h;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) ++h[c.at(x, y)];
    return h;
}

// Every pixel of the region (logical units, shifted by `shift` to device)
// has the colour; returns how many were checked.
int expectRegionColour(const Canvas& c, const CRgn& r, COLORREF colour, POINT shift = {0, 0}) {
    int checked = 0, wrong = 0;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (r.PtInRegion(x - shift.x, y - shift.y)) {
                ++checked;
                if (c.at(x, y) != colour) ++wrong;
            }
    EXPECT_EQ(wrong, 0) << "of " << checked << " pixels, expected colour " << std::hex << colour;
    return checked;
}

COLORREF shade(Object3D& o, _ITEM* item, int f) {
    return Object3DInspector::getColor(o, item, item->rotatedNormals[f]);
}

// A canvas and a drawing context at zoom 100 whose view origin puts the
// document point (-50, -50) at the device's top-left corner.
struct Scene {
    Canvas canvas{220, 220};
    CPoint origin{-50, -50};
    CMyDC dc{&canvas.dc, 100, origin};
    Object3D o;
    static constexpr POINT shift{50, 50};
};

TEST(Object3DDraw, SquarePrismAt30And30) {
    Scene s;
    ItemPtr item = makeItem(s.o, square());
    s.o.SetColorItem(item.get(), 0x00808080);
    s.o.SetRotationItem(item.get(), 30, 30, 0);
    s.dc.objDraw3DObject(item.get(), &s.o);

    EXPECT_EQ(std::vector<int>(s.o.faceOrder, s.o.faceOrder + 6), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    CRgn expected;
    facesRegion(expected, item.get(), {0, 3, 4});
    EXPECT_TRUE(sameRegion(s.o.paintedRgn, expected));
    // The cap at k = 7, both sides at k = 4 (the table's sine of 30 keeps the
    // right side's cosine just below 0.5).
    const auto colours = histogram(s.canvas);
    EXPECT_EQ(colours.size(), 3u);
    CRgn cap, sides;
    facesRegion(cap, item.get(), {0});
    facesRegion(sides, item.get(), {3, 4});
    sides.CombineRgn(&sides, &cap, RGN_DIFF);
    EXPECT_GT(expectRegionColour(s.canvas, cap, 0x00C6C6C6, Scene::shift), 3000);
    EXPECT_GT(expectRegionColour(s.canvas, sides, 0x00A8A8A8, Scene::shift), 1000);
    EXPECT_EQ(colours.at(0x00C6C6C6) + colours.at(0x00A8A8A8), s.canvas.width * s.canvas.height - colours.at(kWhite));

    // In a region: ordered 0, 1, 4, 2, 3, 5; the same faces painted.
    Canvas c2(220, 220);
    CMyDC dc2(&c2.dc, 100, s.origin);
    CRgn all;
    all.CreateRectRgn(-1000, -1000, 1000, 1000);
    dc2.objDraw3DObjectInRgn(item.get(), &s.o, &all);
    EXPECT_EQ(std::vector<int>(s.o.faceOrder, s.o.faceOrder + 6), (std::vector<int>{0, 1, 4, 2, 3, 5}));
    EXPECT_TRUE(sameRegion(s.o.paintedRgn, expected));
    EXPECT_EQ(histogram(c2), colours);
}

// Each face of `order` shows its colour wherever no face before it was
// painted, and nothing lies outside them (zoom 100, device = logical + shift).
void expectPaintedInOrder(const Canvas& c, Object3D& o, _ITEM* item, std::initializer_list<int> order, POINT shift) {
    CRgn earlier;
    earlier.CreateRectRgn(0, 0, 0, 0);
    for (int f : order) {
        SCOPED_TRACE(testing::Message() << "face " << f);
        CRgn face;
        facesRegion(face, item, {f});
        face.CombineRgn(&face, &earlier, RGN_DIFF);
        EXPECT_GT(expectRegionColour(c, face, shade(o, item, f), shift), 100);
        earlier.CombineRgn(&earlier, &face, RGN_OR);
    }
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (!earlier.PtInRegion(x - shift.x, y - shift.y)) {
                ASSERT_EQ(c.at(x, y), kWhite) << x << "," << y;
            }
}

TEST(Object3DDraw, PaintingOrderOfTheWorkedBodies) {
    CRgn all;
    all.CreateRectRgn(-1000, -1000, 1000, 1000);
    {
        Scene s;
        ItemPtr item = makeItem(s.o, square());
        s.o.SetRotationItem(item.get(), 30, 30, 0);
        s.o.SetLightItem(item.get(), 72);  // tells the sides apart
        ASSERT_NE(shade(s.o, item.get(), 3), shade(s.o, item.get(), 4));
        s.dc.objDraw3DObject(item.get(), &s.o);
        expectPaintedInOrder(s.canvas, s.o, item.get(), {0, 4, 3}, Scene::shift);
        s.canvas.clear();
        s.dc.objDraw3DObjectInRgn(item.get(), &s.o, &all);
        expectPaintedInOrder(s.canvas, s.o, item.get(), {0, 4, 3}, Scene::shift);
    }
    // The L-shaped body: where the underside of the upper arm (face 4) and
    // the right side of the lower arm (face 5) meet, the one painted first
    // lies on top.
    Scene s;
    ItemPtr item = makeItem(s.o, lShape());
    s.o.SetRotationItem(item.get(), 30, 30, 0);
    s.o.SetLightItem(item.get(), 72);
    ASSERT_NE(shade(s.o, item.get(), 4), shade(s.o, item.get(), 5));
    s.dc.objDraw3DObject(item.get(), &s.o);
    EXPECT_EQ(std::vector<int>(s.o.faceOrder, s.o.faceOrder + 8), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    CRgn expected;
    facesRegion(expected, item.get(), {0, 3, 4, 5, 6});
    EXPECT_TRUE(sameRegion(s.o.paintedRgn, expected));
    expectPaintedInOrder(s.canvas, s.o, item.get(), {0, 6, 5, 4, 3}, Scene::shift);

    s.canvas.clear();
    s.dc.objDraw3DObjectInRgn(item.get(), &s.o, &all);
    EXPECT_EQ(std::vector<int>(s.o.faceOrder, s.o.faceOrder + 8), (std::vector<int>{0, 1, 4, 6, 3, 2, 5, 7}));
    EXPECT_TRUE(sameRegion(s.o.paintedRgn, expected));
    expectPaintedInOrder(s.canvas, s.o, item.get(), {0, 4, 6, 3, 5}, Scene::shift);
}

// --- Hidden faces, checked against the geometry itself -------------------

struct Vec {
    double x, y, z;
};

struct Face3D {
    std::vector<Vec> corners;  // rotated, not cut
    Point3D normal{0, 0, 0};
    COLORREF colour = 0;
};

double segmentDistance(double px, double py, const Vec& a, const Vec& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

bool insideProjection(double px, double py, const std::vector<Vec>& poly) {
    int winding = 0;
    for (size_t i = 0; i < poly.size(); ++i) {
        const Vec& a = poly[i];
        const Vec& b = poly[(i + 1) % poly.size()];
        const double cross = (b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y);
        if (a.y <= py && b.y > py && cross > 0) ++winding;
        if (a.y > py && b.y <= py && cross < 0) --winding;
    }
    return winding != 0;
}

// z of the face's plane over (px, py).
double depthAt(const Face3D& f, double px, double py) {
    const Vec& p = f.corners[0];
    return p.z - (f.normal.x * (px - p.x) + f.normal.y * (py - p.y)) / f.normal.z;
}

std::vector<Face3D> facesOf(Object3D& o, _ITEM* item) {
    std::vector<Face3D> faces;
    const int n = item->pointCount;
    auto vec = [](const Point3D& p) { return Vec{p.x, p.y, p.z}; };
    for (int f = 0; f < n + 2; ++f) {
        Face3D face;
        if (f < 2) {
            const Point3D* outline = f == 0 ? item->rotatedFront : item->rotatedBack;
            for (int i = 0; i < n; ++i) face.corners.push_back(vec(outline[i]));
        } else {
            const int i = f - 2;
            face.corners = {vec(item->rotatedFront[i]), vec(item->rotatedFront[i + 1]), vec(item->rotatedBack[i + 1]),
                            vec(item->rotatedBack[i])};
        }
        face.normal = item->rotatedNormals[f];
        face.colour = shade(o, item, f);
        faces.push_back(face);
    }
    return faces;
}

// Every pixel at least `margin` from every projected edge shows the colour of
// the face nearest the viewer over it, or the background. Returns the pixel
// count per face colour.
std::map<COLORREF, int> expectNearestFaceOnTop(const Canvas& c, const std::vector<Face3D>& faces, POINT shift,
                                               double margin = 2.5) {
    std::map<COLORREF, int> seen;
    int wrong = 0;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const double px = x - shift.x + 0.5, py = y - shift.y + 0.5;
            bool nearEdge = false;
            for (const Face3D& f : faces)
                for (size_t i = 0; i < f.corners.size() && !nearEdge; ++i)
                    nearEdge = segmentDistance(px, py, f.corners[i], f.corners[(i + 1) % f.corners.size()]) < margin;
            if (nearEdge) continue;
            const Face3D* nearest = nullptr;
            double nearestZ = -1e30;
            for (const Face3D& f : faces) {
                if (!(std::fabs(f.normal.z) > 1e-3) || !insideProjection(px, py, f.corners)) continue;
                const double z = depthAt(f, px, py);
                if (z > nearestZ) nearestZ = z, nearest = &f;
            }
            const COLORREF expected = nearest ? nearest->colour : kWhite;
            if (c.at(x, y) != expected && ++wrong <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): " << std::hex << c.at(x, y) << " not " << expected;
            ++seen[expected];
        }
    EXPECT_EQ(wrong, 0);
    return seen;
}

struct Pose {
    int x, y, z, light;
};

TEST(Object3DDraw, NearestFaceLiesOnTop) {
    // Faces of a convex body never overlap but at their edges; the L's
    // notch makes faces cover one another. The ordering by normals alone
    // does not settle every view into a notch (after (20, -35, 0) a few
    // dozen pixels show a face that lies behind another); these are views
    // it gets right.
    const std::vector<Pose> squarePoses = {{30, 30, 0, 2}, {30, 30, 0, 0}, {-25, 40, 15, 5}, {20, -35, 0, 7},
                                           {40, 20, 30, 3}, {-60, -20, 100, 1}};
    const std::vector<Pose> lPoses = {{30, 30, 0, 2}, {30, 30, 0, 0}, {-25, 40, 15, 5}, {40, 20, 30, 3}};
    for (bool lShaped : {false, true})
        for (const Pose& pose : lShaped ? lPoses : squarePoses) {
            SCOPED_TRACE(testing::Message() << (lShaped ? "L" : "square") << " " << pose.x << "," << pose.y << ","
                                            << pose.z << " light " << pose.light);
            Scene s;
            ItemPtr item = makeItem(s.o, lShaped ? lShape() : square());
            s.o.SetColorItem(item.get(), 0x00408020);
            s.o.SetRotationItem(item.get(), pose.x, pose.y, pose.z);
            // A light under which visible faces are told apart by colour
            // (parallel faces always share one).
            std::vector<Face3D> faces;
            std::vector<COLORREF> visible;
            bool distinct = false;
            for (int light = pose.light; light < pose.light + 9 && !distinct; ++light) {
                s.o.SetLightItem(item.get(), 70 + light % 9);
                faces = facesOf(s.o, item.get());
                visible.clear();
                distinct = true;
                for (const Face3D& a : faces) {
                    if (!(a.normal.z > 0)) continue;
                    visible.push_back(a.colour);
                    for (const Face3D& b : faces)
                        if (&a != &b && b.normal.z > 0 && a.colour == b.colour &&
                            (std::fabs(a.normal.x - b.normal.x) > 1e-5 || std::fabs(a.normal.y - b.normal.y) > 1e-5))
                            distinct = false;
                }
            }
            ASSERT_TRUE(distinct);

            s.dc.objDraw3DObject(item.get(), &s.o);
            const auto seen = expectNearestFaceOnTop(s.canvas, faces, Scene::shift);
            for (COLORREF colour : visible) EXPECT_GT(seen.count(colour) ? seen.at(colour) : 0, 40) << std::hex << colour;

            s.canvas.clear();
            CRgn all;
            all.CreateRectRgn(-1000, -1000, 1000, 1000);
            s.dc.objDraw3DObjectInRgn(item.get(), &s.o, &all);
            expectNearestFaceOnTop(s.canvas, faces, Scene::shift);
        }
}

// --- The worked cases ----------------------------------------------------

TEST(Object3DDraw, HalfTurnShowsTheBackCap) {
    Scene s;
    ItemPtr item = makeItem(s.o, lShape(), SHAPE3D_NARROW);
    s.o.SetRotationItem(item.get(), 0, 180, 0);
    const COLORREF back = shade(s.o, item.get(), 1);
    CRgn backCap;
    facesRegion(backCap, item.get(), {1});

    s.dc.objDraw3DObject(item.get(), &s.o);
    EXPECT_GT(expectRegionColour(s.canvas, backCap, back, Scene::shift), 1000);
    // The narrowed back is nearer now: the sides widen around it.
    CRgn painted;
    facesRegion(painted, item.get(), {1});
    EXPECT_FALSE(sameRegion(s.o.paintedRgn, painted));

    s.canvas.clear();
    s.dc.objDraw3DObjectInRgn(item.get(), &s.o, nullptr);  // no clip
    EXPECT_GT(expectRegionColour(s.canvas, backCap, back, Scene::shift), 1000);
}

TEST(Object3DDraw, UnrotatedBodiesShowTheirFrontCap) {
    for (int shape : {0, 50, int(SHAPE3D_PYRAMID), int(SHAPE3D_NARROW), int(SHAPE3D_WIDEN)}) {
        SCOPED_TRACE(shape);
        Scene s;
        ItemPtr item = makeItem(s.o, square(), static_cast<short>(shape));
        s.o.SetColorItem(item.get(), 0x00808080);
        s.dc.objDraw3DObject(item.get(), &s.o);
        CRgn cap;
        facesRegion(cap, item.get(), {0});
        EXPECT_EQ(expectRegionColour(s.canvas, cap, 0x00E4E4E4, Scene::shift), 100 * 100);
        if (shape == SHAPE3D_WIDEN) {
            // The widening sides lean toward the viewer around the cap.
            CRgn all;
            facesRegion(all, item.get(), {0, 2, 3, 4, 5});
            EXPECT_TRUE(sameRegion(s.o.paintedRgn, all));
            EXPECT_FALSE(sameRegion(s.o.paintedRgn, cap));
            EXPECT_EQ(s.canvas.at(-20 + 50, 50 + 50), shade(s.o, item.get(), 5));  // left of the cap
        } else {
            EXPECT_TRUE(sameRegion(s.o.paintedRgn, cap));
            EXPECT_EQ(histogram(s.canvas).size(), 2u);
        }
    }
}

TEST(Object3DDraw, FlatBodiesShowOnlyTheFrontCapOrNothing) {
    Scene s;
    ItemPtr item = makeItem(s.o, square());
    s.o.SetColorItem(item.get(), 0x00808080);
    s.o.SetDepthItem(item.get(), 0);
    s.o.SetRotationItem(item.get(), 30, 30, 0);
    s.dc.objDraw3DObject(item.get(), &s.o);
    EXPECT_EQ(item->geometryChanged, 0);  // re-formed by the draw
    CRgn cap;
    facesRegion(cap, item.get(), {0});
    EXPECT_TRUE(sameRegion(s.o.paintedRgn, cap));
    // A cap normal of zero length shades with k = 0.
    EXPECT_GT(expectRegionColour(s.canvas, cap, 0x00808080, Scene::shift), 3000);

    // In a region the caps need a normal z above 0: nothing is painted and
    // the coverage keeps what the last call left.
    Scene r;
    ItemPtr flat = makeItem(r.o, square());
    r.o.SetDepthItem(flat.get(), 0);
    r.o.SetRotationItem(flat.get(), 30, 30, 0);
    CRgn all, before;
    all.CreateRectRgn(-1000, -1000, 1000, 1000);
    r.dc.objDraw3DObjectInRgn(flat.get(), &r.o, &all);
    before.CreateRectRgn(0, 0, 10, 10);
    EXPECT_TRUE(sameRegion(r.o.paintedRgn, before));
    EXPECT_EQ(histogram(r.canvas).size(), 1u);
}

TEST(Object3DDraw, CounterClockwiseOutlinesShowTheirFarSides) {
    Scene s;
    ItemPtr item = makeItem(s.o, {{0, 0}, {0, 100}, {100, 100}, {100, 0}});
    s.o.SetRotationItem(item.get(), 30, 30, 0);
    s.dc.objDraw3DObject(item.get(), &s.o);
    // Sides over the left (face 2) and top (face 5) edges, not the near ones.
    CRgn expected;
    facesRegion(expected, item.get(), {0, 2, 5});
    EXPECT_TRUE(sameRegion(s.o.paintedRgn, expected));
}

TEST(Object3DDraw, RegionFormClipsEveryFace) {
    Scene s;
    ItemPtr item = makeItem(s.o, lShape());
    s.o.SetRotationItem(item.get(), 30, 30, 0);
    CRgn unclipped;
    facesRegion(unclipped, item.get(), {0, 3, 4, 5, 6});

    CRgn empty;
    empty.CreateRectRgn(0, 0, 0, 0);
    s.dc.objDraw3DObjectInRgn(item.get(), &s.o, &empty);
    EXPECT_EQ(histogram(s.canvas).size(), 1u);  // nothing painted ...
    EXPECT_TRUE(sameRegion(s.o.paintedRgn, unclipped));  // ... but the coverage is whole

    CRgn window;
    window.CreateRectRgn(20, 10, 70, 60);
    s.dc.objDraw3DObjectInRgn(item.get(), &s.o, &window);
    int inside = 0;
    for (int y = 0; y < s.canvas.height; ++y)
        for (int x = 0; x < s.canvas.width; ++x) {
            if (s.canvas.at(x, y) == kWhite) continue;
            ASSERT_TRUE(window.PtInRegion(x - 50, y - 50)) << x << "," << y;
            ++inside;
        }
    EXPECT_EQ(inside, 50 * 50);  // the window lies inside the body
}

TEST(Object3DDraw, ZoomScalesDrawingNotTheRegionForm) {
    Canvas canvas(260, 260);
    CMyDC dc(&canvas.dc, 200);
    Object3D o;
    ItemPtr item = makeItem(o, {{10, 10}, {110, 10}, {110, 110}, {10, 110}});
    dc.objDraw3DObject(item.get(), &o);
    CRgn viewCap;
    viewCap.CreateRectRgn(20, 20, 220, 220);
    EXPECT_TRUE(sameRegion(o.paintedRgn, viewCap));
    EXPECT_EQ(expectRegionColour(canvas, viewCap, shade(o, item.get(), 0)), 200 * 200);
    EXPECT_EQ(histogram(canvas).at(kWhite), 260 * 260 - 200 * 200);

    canvas.clear();
    dc.objDraw3DObjectInRgn(item.get(), &o, nullptr);
    CRgn ownCap;
    ownCap.CreateRectRgn(10, 10, 110, 110);
    EXPECT_TRUE(sameRegion(o.paintedRgn, ownCap));
    EXPECT_EQ(histogram(canvas).at(kWhite), 260 * 260 - 100 * 100);
}

TEST(Object3DDraw, LeavesTheDcsBrushAndFillMode) {
    Scene s;
    ItemPtr item = makeItem(s.o, lShape());
    s.o.SetRotationItem(item.get(), 30, 30, 0);
    CBrush mine(RGB(1, 2, 3));
    CBrush* previous = s.canvas.dc.SelectObject(&mine);
    s.canvas.dc.SetPolyFillMode(ALTERNATE);
    s.dc.objDraw3DObjectInRgn(item.get(), &s.o, nullptr);
    EXPECT_EQ(::GetPolyFillMode(s.canvas.dc.GetSafeHdc()), ALTERNATE);
    s.dc.objDraw3DObject(item.get(), &s.o);
    EXPECT_EQ(::GetPolyFillMode(s.canvas.dc.GetSafeHdc()), WINDING);
    EXPECT_EQ(::GetCurrentObject(s.canvas.dc.GetSafeHdc(), OBJ_BRUSH), mine.m_hObject);
    LOGBRUSH lb{};
    EXPECT_EQ(mine.GetLogBrush(&lb), static_cast<int>(sizeof lb));  // still alive
    EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
    s.canvas.dc.SelectObject(previous);
}

TEST(Object3DDraw, StaleItemsAreBroughtUpToDateFirst) {
    Scene s;
    ItemPtr item = makeItem(s.o, square());
    s.o.SetRotationItem(item.get(), 30, 30, 0);
    s.o.SetShapeItem(item.get(), SHAPE3D_PYRAMID);
    s.dc.objDraw3DObject(item.get(), &s.o);
    EXPECT_EQ(item->geometryChanged, 0);
    EXPECT_EQ(item->backPoints[2].x, 50.0f);  // the apex

    s.o.SetRotationClear(item.get());
    s.canvas.clear();
    s.dc.objDraw3DObject(item.get(), &s.o);
    EXPECT_EQ(item->rotationChanged, 0);
    CRgn cap;
    cap.CreateRectRgn(0, 0, 100, 100);
    EXPECT_TRUE(sameRegion(s.o.paintedRgn, cap));
}

TEST(Object3DDraw, ItemsLargerThanTheScratchListsAreDrawn) {
    Object3D small, other;
    ItemPtr square4 = makeItem(small, square());
    ItemPtr body = makeItem(other, lShape());
    other.SetRotationItem(body.get(), 30, 30, 0);
    Scene a, b;
    a.dc.objDraw3DObject(body.get(), &a.o);  // a.o created nothing at all
    b.dc.objDraw3DObject(body.get(), &small);
    EXPECT_EQ(small.pointCount, 6);  // the lists grew to the item
    EXPECT_EQ(histogram(a.canvas), histogram(b.canvas));
    EXPECT_TRUE(sameRegion(a.o.paintedRgn, small.paintedRgn));
    // The object still serves its own, smaller item.
    b.canvas.clear();
    b.dc.objDraw3DObject(square4.get(), &small);
    EXPECT_EQ(histogram(b.canvas).at(kWhite), 220 * 220 - 100 * 100);
}

TEST(Object3DDraw, NothingToDrawOnIsHarmless) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    CPoint org(0, 0);
    CMyDC mappingOnly(100, org);
    mappingOnly.objDraw3DObject(item.get(), &o);
    mappingOnly.objDraw3DObjectInRgn(item.get(), &o, nullptr);
    Scene s;
    s.dc.objDraw3DObject(item.get(), nullptr);
    s.dc.objDraw3DObject(nullptr, &s.o);
    s.dc.objDraw3DObjectInRgn(nullptr, &s.o, nullptr);
    EXPECT_EQ(histogram(s.canvas).size(), 1u);
}

TEST(Object3DDraw, DegenerateOutlinesDrawWhatTheyHave) {
    Scene s;
    ItemPtr dot = makeItem(s.o, {{10, 20}});
    s.o.SetRotationItem(dot.get(), 30, 30, 0);
    s.dc.objDraw3DObject(dot.get(), &s.o);
    s.dc.objDraw3DObjectInRgn(dot.get(), &s.o, nullptr);
    EXPECT_EQ(histogram(s.canvas).size(), 1u);  // a point has no area

    // A plate seen from below shows the side facing the viewer.
    ItemPtr plate = makeItem(s.o, {{0, 0}, {100, 0}});
    s.o.SetRotationItem(plate.get(), 30, 0, 0);
    s.dc.objDraw3DObject(plate.get(), &s.o);
    CRgn side;
    facesRegion(side, plate.get(), {3});
    EXPECT_GT(expectRegionColour(s.canvas, side, shade(s.o, plate.get(), 3), Scene::shift), 1000);
}

}  // namespace
