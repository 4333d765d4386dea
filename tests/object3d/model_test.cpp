// Objects and items as a host creates, configures, copies and releases them.
#include "object3d_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace object3d_test;

namespace {

void expectPoint(const Point3D& p, float x, float y, float z) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
    EXPECT_EQ(p.z, z);
}

TEST(Object3DTables, TrigonometryUsesTheShortPi) {
    Object3D o;
    EXPECT_EQ(o.sinTable[0], 0.0f);
    EXPECT_EQ(o.cosTable[0], 1.0f);
    EXPECT_EQ(o.sinTable[90], 1.0f);
    // Not 0: the angle comes from 3.141592, rounded through single precision.
    EXPECT_EQ(o.cosTable[90], 3.13916473e-07f);
    EXPECT_EQ(o.sinTable[180], 6.27832947e-07f);
    EXPECT_EQ(o.sinTable[30], 0.49999991f);
    EXPECT_LT(o.sinTable[30], 0.5f);
    EXPECT_EQ(o.cosTable[30], 0.866025448f);
    EXPECT_EQ(o.sinTable[270], -1.0f);
    // A whole turn of the short pi falls short of 2 pi: 359 degrees is not
    // quite -sin 1.
    EXPECT_NEAR(o.sinTable[359], -0.0174536f, 1e-6);
    EXPECT_GT(std::fabs(o.sinTable[359] + o.sinTable[1]), 1e-6f);
}

TEST(Object3DTables, ColourProductsAreSinglePrecision) {
    Object3D o;
    EXPECT_EQ(o.lumaFromRed[0], 0.0f);
    EXPECT_EQ(o.lumaFromRed[255], 76.245f);
    EXPECT_EQ(o.lumaFromGreen[128], 75.136f);
    EXPECT_EQ(o.lumaFromBlue[200], 22.8f);
    EXPECT_EQ(o.inPhaseFromRed[255], 151.98f);
    EXPECT_EQ(o.inPhaseFromGreen[255], -70.125f);
    EXPECT_EQ(o.inPhaseFromBlue[1], -0.321f);
    EXPECT_EQ(o.quadratureFromRed[100], 21.2f);
    EXPECT_EQ(o.quadratureFromGreen[255], -134.64f);
    EXPECT_EQ(o.quadratureFromBlue[255], 79.305f);
    // Luma of a grey adds up to the grey within single precision.
    for (int v = 0; v < 256; ++v)
        EXPECT_NEAR(double(o.lumaFromRed[v]) + o.lumaFromGreen[v] + o.lumaFromBlue[v], v, 1e-4) << v;
}

TEST(Object3DItems, NewItemsTakeTheObjectsDefaults) {
    Object3D o;
    EXPECT_EQ(o.pointCount, 0);
    EXPECT_EQ(o.viewPoints, nullptr);
    EXPECT_EQ(o.faceOrder, nullptr);
    ItemPtr item = makeItem(o, square());
    ASSERT_TRUE(item);
    EXPECT_EQ(item->depth, 50);
    EXPECT_EQ(item->light, 74);
    EXPECT_EQ(item->color, 0x00FF00FFu);
    EXPECT_EQ(item->lineColor, 0u);
    EXPECT_EQ(item->reserved, 0);
    EXPECT_EQ(o.pointCount, 4);
    EXPECT_NE(o.viewPoints, nullptr);
    EXPECT_NE(o.faceOrder, nullptr);

    o.defaultDepth = 7;
    o.defaultColor = RGB(1, 2, 3);
    ItemPtr second = makeItem(o, square());
    EXPECT_EQ(second->depth, 7);
    EXPECT_EQ(second->color, RGB(1, 2, 3));
    EXPECT_EQ(second->frontPoints[0].z, 7.0f);
}

TEST(Object3DItems, SquarePrismIsFormedAtOnce) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    ASSERT_TRUE(item);
    EXPECT_EQ(item->pointCount, 4);
    EXPECT_EQ(item->shape, 0);
    EXPECT_EQ(item->geometryChanged, 0);
    EXPECT_EQ(item->rotationChanged, 0);
    EXPECT_EQ(item->center.x, 50.0f);
    EXPECT_EQ(item->center.y, 50.0f);
    EXPECT_EQ(item->minPoint.x, 0.0f);
    EXPECT_EQ(item->minPoint.y, 0.0f);
    EXPECT_EQ(item->maxPoint.x, 100.0f);
    EXPECT_EQ(item->maxPoint.y, 100.0f);
    EXPECT_EQ(item->fenceMin.x, 0.0f);
    EXPECT_EQ(item->fenceMin.y, 0.0f);
    EXPECT_EQ(item->fenceMax.x, 100.0f);
    EXPECT_EQ(item->fenceMax.y, 100.0f);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(item->matrix[r][c], r == c ? 1.0 : 0.0);
    const auto pts = square();
    for (int i = 0; i < 4; ++i) {
        expectPoint(item->points[i], float(pts[i].x), float(pts[i].y), 0);
        expectPoint(item->frontPoints[i], float(pts[i].x), float(pts[i].y), 50);
        expectPoint(item->backPoints[i], float(pts[i].x), float(pts[i].y), -50);
        expectPoint(item->rotatedFront[i], float(pts[i].x), float(pts[i].y), 50);
        expectPoint(item->rotatedBack[i], float(pts[i].x), float(pts[i].y), -50);
    }
    expectPoint(item->frontPoints[4], 0, 0, 50);
    expectPoint(item->backPoints[4], 0, 0, -50);
    expectPoint(item->rotatedFront[4], 0, 0, 50);
    // Caps carry the depth; sides are unit normals pointing out of the body.
    expectPoint(item->normals[0], 0, 0, 50);
    expectPoint(item->normals[1], 0, 0, -50);
    expectPoint(item->normals[2], 0, -1, 0);  // top edge
    expectPoint(item->normals[3], 1, 0, 0);   // right edge
    expectPoint(item->normals[4], 0, 1, 0);   // bottom edge
    expectPoint(item->normals[5], -1, 0, 0);  // left edge
}

TEST(Object3DItems, ShapeCodesTaperTheBackOutline) {
    Object3D o;
    ItemPtr pyramid = makeItem(o, square(), 51);
    for (int i = 0; i <= 4; ++i) expectPoint(pyramid->backPoints[i], 50, 50, -50);

    ItemPtr narrow = makeItem(o, square(), 52);
    expectPoint(narrow->backPoints[0], 25, 25, -50);
    expectPoint(narrow->backPoints[1], 75, 25, -50);
    expectPoint(narrow->backPoints[2], 75, 75, -50);
    expectPoint(narrow->backPoints[3], 25, 75, -50);
    expectPoint(narrow->backPoints[4], 25, 25, -50);

    ItemPtr widen = makeItem(o, square(), 53);
    expectPoint(widen->backPoints[0], -50, -50, -50);
    expectPoint(widen->backPoints[1], 150, -50, -50);
    expectPoint(widen->backPoints[2], 150, 150, -50);
    expectPoint(widen->backPoints[3], -50, 150, -50);
    // The widening sides lean toward the viewer.
    EXPECT_GT(widen->normals[2].z, 0.0f);
    EXPECT_LT(narrow->normals[2].z, 0.0f);

    for (short code : {short(0), short(50), short(54), short(-1)}) {
        ItemPtr prism = makeItem(o, square(), code);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(prism->backPoints[i].x, prism->points[i].x) << code;
        EXPECT_EQ(prism->backPoints[2].y, 100.0f) << code;
    }
}

TEST(Object3DItems, ShapeAndDepthWaitForTheNextReformation) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    EXPECT_EQ(o.SetDepthItem(item.get(), 10), item.get());
    EXPECT_EQ(o.GetDepthItem(item.get()), 10);
    EXPECT_NE(item->geometryChanged, 0);
    EXPECT_EQ(item->frontPoints[0].z, 50.0f);  // not yet
    EXPECT_EQ(item->normals[0].z, 50.0f);

    EXPECT_EQ(o.SetShapeItem(item.get(), 51), item.get());
    EXPECT_EQ(item->shape, 51);
    expectPoint(item->backPoints[0], 0, 0, -50);

    o.SetScalingItem(item.get(), 0.0f);  // re-forms what is pending, scales nothing
    EXPECT_EQ(item->geometryChanged, 0);
    expectPoint(item->frontPoints[1], 100, 0, 10);
    expectPoint(item->backPoints[1], 50, 50, -10);
    expectPoint(item->points[1], 100, 0, 0);

    // The shape code is kept in 16 bits.
    o.SetShapeItem(item.get(), 0x10000 + 52);
    EXPECT_EQ(item->shape, 52);
}

TEST(Object3DItems, AppearanceSettersStoreAndReturnTheItem) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    EXPECT_EQ(o.SetColorItem(item.get(), RGB(10, 20, 30)), item.get());
    EXPECT_EQ(o.SetLineColorItem(item.get(), RGB(40, 50, 60)), item.get());
    EXPECT_EQ(o.SetLightItem(item.get(), 77), item.get());
    EXPECT_EQ(item->color, RGB(10, 20, 30));
    EXPECT_EQ(item->lineColor, RGB(40, 50, 60));
    EXPECT_EQ(item->light, 77);
    EXPECT_EQ(item->geometryChanged, 0);
    // Null items are passed through.
    EXPECT_EQ(o.SetColorItem(nullptr, 0), nullptr);
    EXPECT_EQ(o.SetDepthItem(nullptr, 3), nullptr);
    EXPECT_EQ(o.GetDepthItem(nullptr), 0);
}

TEST(Object3DItems, CopiesShareNothing) {
    Object3D o;
    ItemPtr source = makeItem(o, lShape(), 52);
    source->reserved = 77;
    o.SetLineColorItem(source.get(), RGB(9, 9, 9));
    o.SetRotationItem(source.get(), 10, 20, 30);
    o.SetDepthItem(source.get(), 12);  // pending: copied as it stands

    const int before = o.pointCount;
    ItemPtr copy(o.CopyItem(source.get()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(o.pointCount, before);
    EXPECT_EQ(copy->reserved, 77);
    EXPECT_EQ(copy->lineColor, RGB(9, 9, 9));
    EXPECT_EQ(copy->depth, 12);
    EXPECT_EQ(copy->geometryChanged, source->geometryChanged);
    EXPECT_EQ(0, std::memcmp(copy->matrix, source->matrix, sizeof copy->matrix));
    const int n = source->pointCount;
    auto same = [](const Point3D* a, const Point3D* b, int count) {
        return std::memcmp(a, b, sizeof(Point3D) * static_cast<size_t>(count)) == 0;
    };
    EXPECT_TRUE(same(copy->points, source->points, n));
    EXPECT_TRUE(same(copy->rotatedFront, source->rotatedFront, n + 1));
    EXPECT_TRUE(same(copy->rotatedBack, source->rotatedBack, n + 1));
    EXPECT_TRUE(same(copy->rotatedNormals, source->rotatedNormals, n + 2));
    EXPECT_NE(copy->points, source->points);
    EXPECT_NE(copy->normals, source->normals);

    o.SetMoveItem(copy.get(), 5, 5);
    o.SetRotationItem(copy.get(), 0, 0, 45);
    EXPECT_EQ(source->points[0].x, 0.0f);
    EXPECT_EQ(source->depth, 12);
    EXPECT_EQ(source->frontPoints[0].z, 50.0f);
    EXPECT_EQ(o.CopyItem(nullptr), nullptr);
}

TEST(Object3DObjects, CopyingTakesDefaultsAndScratchListsNotTables) {
    Object3D source;
    source.defaultDepth = 20;
    source.defaultColor = RGB(1, 1, 1);
    source.spareValue = 2.5f;
    ItemPtr item = makeItem(source, lShape());
    for (int i = 0; i < 8; ++i) source.faceOrder[i] = 7 - i;

    Object3D copy;
    Object3D* pSource = &source;
    EXPECT_EQ(&(copy = pSource), &copy);
    EXPECT_EQ(copy.pointCount, 6);
    EXPECT_EQ(copy.defaultDepth, 20);
    EXPECT_EQ(copy.defaultColor, RGB(1, 1, 1));
    EXPECT_EQ(copy.spareValue, 2.5f);
    ASSERT_NE(copy.faceOrder, nullptr);
    EXPECT_NE(copy.faceOrder, source.faceOrder);
    EXPECT_NE(copy.viewPoints, source.viewPoints);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(copy.faceOrder[i], 7 - i);

    Object3D other;
    EXPECT_EQ(other.CopyObject3D(&source), &other);
    EXPECT_EQ(other.defaultDepth, 20);
    EXPECT_EQ(other.faceOrder[0], 7);
    // A copy of an object that has created nothing has no scratch lists.
    Object3D empty;
    other.CopyObject3D(&empty);
    EXPECT_EQ(other.pointCount, 0);
    EXPECT_EQ(other.faceOrder, nullptr);
    EXPECT_EQ(other.CopyObject3D(nullptr), &other);
}

TEST(Object3DObjects, DeleteItemDropsOnlyTheScratchLists) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    Object3DInspector::DeleteItem(o, item.get());
    EXPECT_EQ(o.viewPoints, nullptr);
    EXPECT_EQ(o.faceOrder, nullptr);
    EXPECT_EQ(item->pointCount, 4);
    EXPECT_EQ(item->points[2].x, 100.0f);
}

TEST(Object3DItems, OutlinesWithoutPointsMakeNoItem) {
    Object3D o;
    ItemPtr first = makeItem(o, square());
    POINT* scratch = o.viewPoints;
    POINT pts[3] = {{0, 0}, {1, 0}, {0, 1}};
    EXPECT_EQ(o.CreatePolygonItem(0, pts, 0), nullptr);
    EXPECT_EQ(o.CreatePolygonItem(0, pts, -5), nullptr);
    EXPECT_EQ(o.CreatePolygonItem(0, nullptr, 3), nullptr);
    // The object still serves the item it made last.
    EXPECT_EQ(o.pointCount, 4);
    EXPECT_EQ(o.viewPoints, scratch);
}

TEST(Object3DItems, OneAndTwoPointOutlinesAreDegenerateBodies) {
    Object3D o;
    ItemPtr dot = makeItem(o, {{10, 20}});
    ASSERT_TRUE(dot);
    EXPECT_EQ(dot->center.x, 10.0f);
    EXPECT_EQ(dot->center.y, 20.0f);
    // The only side runs from the point to itself: no direction, no normal.
    EXPECT_TRUE(std::isnan(dot->normals[2].x));
    EXPECT_TRUE(std::isnan(dot->rotatedNormals[2].z));
    o.SetRotationItem(dot.get(), 0, 0, 50);  // about its own centre
    EXPECT_EQ(dot->fenceMin.x, 10.0f);
    EXPECT_EQ(dot->fenceMax.x, 10.0f);
    EXPECT_EQ(dot->fenceMax.y, 20.0f);

    // Two points make a flat plate: its two sides face opposite ways.
    ItemPtr plate = makeItem(o, {{0, 0}, {100, 0}});
    ASSERT_TRUE(plate);
    expectPoint(plate->normals[2], 0, -1, 0);
    expectPoint(plate->normals[3], 0, 1, 0);
    o.SetRotationItem(plate.get(), 30, 0, 0);
    EXPECT_GT(plate->rotatedNormals[3].z, 0.0f);
    EXPECT_LT(plate->rotatedNormals[2].z, 0.0f);
}

TEST(Object3DItems, ReleaseAcceptsNull) {
    Object3D::ReleaseItem(nullptr);
    Object3D o;
    Object3D::ReleaseItem(makeItem(o, lShape()).release());
}

}  // namespace
