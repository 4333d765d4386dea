// Picking items with the mouse and their fences, against what is drawn.
#include "object3d_test_util.h"

#include <hmigfx/my_dc.h>

#include <gtest/gtest.h>

#include <functional>

using namespace object3d_test;

namespace {

bool hits(Object3D& o, _ITEM* item, int x, int y) { return o.IntersectionTest(nullptr, item, POINT{x, y}) != FALSE; }

TEST(Object3DPick, SquarePrism) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    EXPECT_TRUE(hits(o, item.get(), 50, 50));
    EXPECT_FALSE(hits(o, item.get(), 150, 50));
    POINT fence[2];
    EXPECT_TRUE(o.GetFenceItem(item.get(), fence));
    EXPECT_EQ(fence[0].x, 0);
    EXPECT_EQ(fence[0].y, 0);
    EXPECT_EQ(fence[1].x, 100);
    EXPECT_EQ(fence[1].y, 100);
    // The region rules decide the edges: the left and top edges belong to
    // the face, the right and bottom ones do not.
    EXPECT_TRUE(hits(o, item.get(), 0, 0));
    EXPECT_TRUE(hits(o, item.get(), 99, 99));
    EXPECT_FALSE(hits(o, item.get(), 100, 50));
    EXPECT_FALSE(hits(o, item.get(), 50, 100));
    EXPECT_FALSE(hits(o, item.get(), -1, 50));
}

TEST(Object3DPick, TheNotchOfAnLMisses) {
    Object3D o;
    ItemPtr item = makeItem(o, lShape());
    EXPECT_FALSE(hits(o, item.get(), 75, 75));
    EXPECT_TRUE(hits(o, item.get(), 75, 25));
    EXPECT_TRUE(hits(o, item.get(), 25, 75));
}

TEST(Object3DPick, EveryFaceTakesPartFacingTheViewerOrNot) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    o.SetRotationItem(item.get(), 0, 90, 0);
    // The caps stand edge-on at x about 0 and 100; the sides over the right
    // and left edges cover the square.
    EXPECT_TRUE(hits(o, item.get(), 50, 50));
    EXPECT_TRUE(hits(o, item.get(), 10, 90));
    EXPECT_FALSE(hits(o, item.get(), 50, 101));

    // The back faces count too: a pyramid seen from behind is hit at its
    // apex's sides as well as on its base.
    ItemPtr pyramid = makeItem(o, square(), SHAPE3D_PYRAMID);
    o.SetRotationItem(pyramid.get(), 0, 180, 0);
    EXPECT_TRUE(hits(o, pyramid.get(), 50, 50));
    EXPECT_TRUE(hits(o, pyramid.get(), 5, 50));
}

TEST(Object3DPick, StaleListsAnswerAsTheyStand) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    o.SetRotationItem(item.get(), 0, 90, 0);
    o.SetDepthItem(item.get(), 10);  // not re-formed yet: still 100 thick
    EXPECT_TRUE(hits(o, item.get(), 20, 50));
    POINT fence[2];
    o.GetFenceItem(item.get(), fence);
    EXPECT_EQ(fence[0].x, 0);
    o.SetScalingItem(item.get(), 0.0f);  // re-forms: 20 thick about x 50
    EXPECT_FALSE(hits(o, item.get(), 20, 50));
    EXPECT_TRUE(hits(o, item.get(), 45, 50));
    o.GetFenceItem(item.get(), fence);
    EXPECT_NEAR(fence[0].x, 40, 1);  // the table's cos 90 is not quite 0
    EXPECT_NEAR(fence[1].x, 60, 1);
}

TEST(Object3DPick, FencesEncloseBothRotatedOutlines) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    o.SetRotationItem(item.get(), 90, 0, 0);
    POINT fence[2];
    o.GetFenceItem(item.get(), fence);
    EXPECT_EQ(fence[0].x, 0);
    EXPECT_EQ(fence[0].y, 0);
    EXPECT_EQ(fence[1].x, 100);
    EXPECT_EQ(fence[1].y, 100);
    EXPECT_FALSE(o.GetFenceItem(nullptr, fence));
    EXPECT_FALSE(o.GetFenceItem(item.get(), nullptr));
}

TEST(Object3DPick, PointsAreInDocumentUnits) {
    // At zoom 200 the view point (100, 100) is the document point (50, 50).
    Canvas canvas(300, 300);
    CMyDC dc(&canvas.dc, 200);
    Object3D o;
    ItemPtr item = makeItem(o, {{40, 40}, {90, 40}, {90, 90}, {40, 90}});
    dc.objDraw3DObject(item.get(), &o);
    EXPECT_NE(canvas.at(100, 100), RGB(255, 255, 255));
    CPoint view(100, 100);
    CPoint doc = dc.ViewToDoc(view, 0);
    EXPECT_TRUE(hits(o, item.get(), doc.x, doc.y));
    EXPECT_FALSE(hits(o, item.get(), 100, 100));
}

TEST(Object3DPick, DegenerateItemsAreNeverHitWhereNothingIsDrawn) {
    Object3D o;
    ItemPtr dot = makeItem(o, {{10, 20}});
    EXPECT_FALSE(hits(o, dot.get(), 10, 20));
    EXPECT_FALSE(o.IntersectionTest(nullptr, nullptr, POINT{0, 0}));
}

// What is drawn at zoom 100 and what is hit agree: every painted pixel hits,
// and nothing outside the fence does.
struct Body {
    const char* name;
    std::function<ItemPtr(Object3D&)> make;
};

TEST(Object3DPick, AgreesWithTheDrawing) {
    const std::vector<Body> bodies = {
        {"square 30,30,0", [](Object3D& o) { ItemPtr i = makeItem(o, square()); o.SetRotationItem(i.get(), 30, 30, 0); return i; }},
        {"L 30,30,0", [](Object3D& o) { ItemPtr i = makeItem(o, lShape()); o.SetRotationItem(i.get(), 30, 30, 0); return i; }},
        {"L 200,20,45", [](Object3D& o) { ItemPtr i = makeItem(o, lShape()); o.SetRotationItem(i.get(), 200, 20, 45); return i; }},
        {"pyramid 0,180,0", [](Object3D& o) { ItemPtr i = makeItem(o, lShape(), SHAPE3D_PYRAMID); o.SetRotationItem(i.get(), 0, 180, 0); return i; }},
        {"narrow -40,25,0", [](Object3D& o) { ItemPtr i = makeItem(o, square(), SHAPE3D_NARROW); o.SetRotationItem(i.get(), -40, 25, 0); return i; }},
        {"wide 15,-20,10", [](Object3D& o) { ItemPtr i = makeItem(o, lShape(), SHAPE3D_WIDEN); o.SetDepthItem(i.get(), 20); o.SetRotationItem(i.get(), 15, -20, 10); return i; }},
        {"counter-clockwise 30,30,0", [](Object3D& o) { ItemPtr i = makeItem(o, {{0, 0}, {0, 100}, {100, 100}, {100, 0}}); o.SetRotationItem(i.get(), 30, 30, 0); return i; }},
        {"plate 30,0,0", [](Object3D& o) { ItemPtr i = makeItem(o, {{0, 0}, {100, 0}}); o.SetRotationItem(i.get(), 30, 0, 0); return i; }},
        {"thin 0,0,33", [](Object3D& o) { ItemPtr i = makeItem(o, {{0, 0}, {100, 3}, {1, 5}}); o.SetDepthItem(i.get(), 0); o.SetRotationItem(i.get(), 0, 0, 33); return i; }},
    };
    constexpr int kShift = 120;
    for (const Body& body : bodies) {
        SCOPED_TRACE(body.name);
        Canvas canvas(360, 360);
        CPoint origin(-kShift, -kShift);
        CMyDC dc(&canvas.dc, 100, origin);
        Object3D o;
        ItemPtr item = body.make(o);
        dc.objDraw3DObject(item.get(), &o);
        POINT fence[2];
        o.GetFenceItem(item.get(), fence);
        int painted = 0, missed = 0, outsideHits = 0;
        // Painted pixels, and a band of 12 around the fence.
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x) {
                const int dx = x - kShift, dy = y - kShift;
                const bool outside = dx < fence[0].x || dx > fence[1].x || dy < fence[0].y || dy > fence[1].y;
                const bool band = dx >= fence[0].x - 12 && dx <= fence[1].x + 12 && dy >= fence[0].y - 12 &&
                                  dy <= fence[1].y + 12;
                if (canvas.at(x, y) != RGB(255, 255, 255)) {
                    ++painted;
                    if (!hits(o, item.get(), dx, dy)) ++missed;
                    EXPECT_FALSE(outside) << dx << "," << dy;
                } else if (outside && band && hits(o, item.get(), dx, dy)) {
                    ++outsideHits;
                }
            }
        EXPECT_GT(painted, 200);
        EXPECT_EQ(missed, 0);
        EXPECT_EQ(outsideHits, 0);
    }
}

}  // namespace
