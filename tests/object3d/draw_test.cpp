// Drawing items as solids: which faces are painted, in which colours, which
// lies on top, and what the device context is left with; and picking them
// with the mouse, against what is drawn.
#include "object3d_test_util.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

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
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) ++h[c.color(x, y)];
    return h;
}

// Every pixel of the region (logical units, shifted by `shift` to device)
// has the colour; returns how many were checked.
int expectRegionColour(const Canvas& c, const CRgn& r, COLORREF colour, POINT shift = {0, 0}) {
    int checked = 0, wrong = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (r.PtInRegion(x - shift.x, y - shift.y)) {
                ++checked;
                if (c.color(x, y) != colour) ++wrong;
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
    EXPECT_EQ(colours.at(0x00C6C6C6) + colours.at(0x00A8A8A8), s.canvas.width() * s.canvas.height() - colours.at(kWhite));

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
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (!earlier.PtInRegion(x - shift.x, y - shift.y)) {
                ASSERT_EQ(c.color(x, y), kWhite) << x << "," << y;
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
        s.canvas.clear(kWhite);
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

    s.canvas.clear(kWhite);
    s.dc.objDraw3DObjectInRgn(item.get(), &s.o, &all);
    EXPECT_EQ(std::vector<int>(s.o.faceOrder, s.o.faceOrder + 8), (std::vector<int>{0, 1, 4, 6, 3, 2, 5, 7}));
    EXPECT_TRUE(sameRegion(s.o.paintedRgn, expected));
    expectPaintedInOrder(s.canvas, s.o, item.get(), {0, 4, 6, 3, 5}, Scene::shift);
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

    s.canvas.clear(kWhite);
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
            EXPECT_EQ(s.canvas.color(-20 + 50, 50 + 50), shade(s.o, item.get(), 5));  // left of the cap
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
    for (int y = 0; y < s.canvas.height(); ++y)
        for (int x = 0; x < s.canvas.width(); ++x) {
            if (s.canvas.color(x, y) == kWhite) continue;
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

    canvas.clear(kWhite);
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
    s.canvas.clear(kWhite);
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
    b.canvas.clear(kWhite);
    b.dc.objDraw3DObject(square4.get(), &small);
    EXPECT_EQ(histogram(b.canvas).at(kWhite), 220 * 220 - 100 * 100);
}

TEST(Object3DDraw, NothingToDrawIsHarmless) {
    Scene s;
    ItemPtr item = makeItem(s.o, square());
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


// ---- picking ---------------------------------------------------------------------

bool hits(Object3D& o, _ITEM* item, int x, int y) { return o.IntersectionTest(nullptr, item, POINT{x, y}) != FALSE; }

TEST(Object3DPick, RegionRulesDecideTheEdgesAndEveryFaceTakesPart) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    // The left and top edges belong to the face, the right and bottom ones do not.
    EXPECT_TRUE(hits(o, item.get(), 0, 0) && hits(o, item.get(), 99, 99) && hits(o, item.get(), 50, 50));
    EXPECT_FALSE(hits(o, item.get(), 100, 50) || hits(o, item.get(), 50, 100) || hits(o, item.get(), -1, 50));
    ItemPtr l = makeItem(o, lShape());
    EXPECT_TRUE(!hits(o, l.get(), 75, 75) && hits(o, l.get(), 75, 25) && hits(o, l.get(), 25, 75));  // the notch misses
    // Facing the viewer or not: edge-on caps, the sides cover the square;
    // a pyramid seen from behind is hit at its apex's sides too.
    o.SetRotationItem(item.get(), 0, 90, 0);
    EXPECT_TRUE(hits(o, item.get(), 50, 50) && hits(o, item.get(), 10, 90) && !hits(o, item.get(), 50, 101));
    ItemPtr pyramid = turned(o, square(), 0, 180, 0, SHAPE3D_PYRAMID);
    EXPECT_TRUE(hits(o, pyramid.get(), 50, 50) && hits(o, pyramid.get(), 5, 50));
    // Stale lists answer as they stand until re-formed.
    o.SetDepthItem(item.get(), 10);  // still 100 thick
    EXPECT_TRUE(hits(o, item.get(), 20, 50));
    o.SetScalingItem(item.get(), 0.0f);  // re-formed: 20 thick about x 50
    EXPECT_FALSE(hits(o, item.get(), 20, 50));
    EXPECT_TRUE(hits(o, item.get(), 45, 50));
    POINT fence[2];
    o.GetFenceItem(item.get(), fence);
    EXPECT_NEAR(fence[0].x, 40, 1);  // the table's cos 90 is not quite 0
    ItemPtr dot = makeItem(o, {{10, 20}});
    EXPECT_FALSE(hits(o, dot.get(), 10, 20));
    EXPECT_FALSE(o.IntersectionTest(nullptr, nullptr, POINT{0, 0}));
    // Points are in document units: at zoom 200 the view point (100, 100) is (50, 50).
    Canvas canvas(300, 300);
    CMyDC dc(&canvas.dc, 200);
    ItemPtr small = makeItem(o, {{40, 40}, {90, 40}, {90, 90}, {40, 90}});
    dc.objDraw3DObject(small.get(), &o);
    CPoint view(100, 100);
    const CPoint doc = dc.ViewToDoc(view, 0);
    EXPECT_NE(canvas.color(100, 100), kWhite);
    EXPECT_TRUE(hits(o, small.get(), doc.x, doc.y));
    EXPECT_FALSE(hits(o, small.get(), 100, 100));
}

// What is drawn at zoom 100 and what is hit agree: every painted pixel hits,
// and nothing outside the fence does (checked in a band of 12 around it).
TEST(Object3DPick, AgreesWithTheDrawing) {
    const std::pair<const char*, std::function<ItemPtr(Object3D&)>> bodies[] = {
        {"square 30,30,0", [](Object3D& o) { return turned(o, square(), 30, 30, 0); }},
        {"L 30,30,0", [](Object3D& o) { return turned(o, lShape(), 30, 30, 0); }},
        {"L 200,20,45", [](Object3D& o) { return turned(o, lShape(), 200, 20, 45); }},
        {"pyramid 0,180,0", [](Object3D& o) { return turned(o, lShape(), 0, 180, 0, SHAPE3D_PYRAMID); }},
        {"narrow -40,25,0", [](Object3D& o) { return turned(o, square(), -40, 25, 0, SHAPE3D_NARROW); }},
        {"wide 15,-20,10", [](Object3D& o) {
             ItemPtr i = makeItem(o, lShape(), SHAPE3D_WIDEN);
             o.SetDepthItem(i.get(), 20);
             o.SetRotationItem(i.get(), 15, -20, 10);
             return i;
         }},
        {"counter-clockwise", [](Object3D& o) { return turned(o, {{0, 0}, {0, 100}, {100, 100}, {100, 0}}, 30, 30, 0); }},
        {"plate 30,0,0", [](Object3D& o) { return turned(o, {{0, 0}, {100, 0}}, 30, 0, 0); }},
        {"thin 0,0,33", [](Object3D& o) {
             ItemPtr i = makeItem(o, {{0, 0}, {100, 3}, {1, 5}});
             o.SetDepthItem(i.get(), 0);
             o.SetRotationItem(i.get(), 0, 0, 33);
             return i;
         }},
    };
    constexpr int kShift = 120;
    for (const auto& [name, make] : bodies) {
        SCOPED_TRACE(name);
        Canvas canvas(360, 360);
        CPoint origin(-kShift, -kShift);
        CMyDC dc(&canvas.dc, 100, origin);
        Object3D o;
        ItemPtr item = make(o);
        dc.objDraw3DObject(item.get(), &o);
        POINT f[2];
        o.GetFenceItem(item.get(), f);
        int missed = 0, outsideHits = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const int dx = x - kShift, dy = y - kShift;
                const bool outside = dx < f[0].x || dx > f[1].x || dy < f[0].y || dy > f[1].y;
                const bool band = dx >= f[0].x - 12 && dx <= f[1].x + 12 && dy >= f[0].y - 12 && dy <= f[1].y + 12;
                if (!canvas.white(x, y)) {
                    missed += !hits(o, item.get(), dx, dy);
                    EXPECT_FALSE(outside) << dx << "," << dy;
                } else if (outside && band && hits(o, item.get(), dx, dy)) {
                    ++outsideHits;
                }
            }
        EXPECT_GT(canvas.ink(), 200);
        EXPECT_EQ(missed, 0);
        EXPECT_EQ(outsideHits, 0);
    }
}

}  // namespace
