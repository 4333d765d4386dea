// Objects and items as a host creates, configures, copies and releases them,
// and the face colours from the base colour, the normal and the light code.
#include "object3d_test_util.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace object3d_test;

namespace {

TEST(Object3DItems, ASquarePrismIsFormedAtOnceWithTheObjectsDefaults) {
    Object3D o;
    EXPECT_EQ(o.pointCount, 0);
    EXPECT_EQ(o.viewPoints, nullptr);
    ItemPtr item = makeItem(o, square());
    ASSERT_TRUE(item);
    EXPECT_EQ(item->depth, 50);
    EXPECT_EQ(item->light, 74);
    EXPECT_EQ(item->color, 0x00FF00FFu);
    EXPECT_EQ(item->lineColor, 0u);
    EXPECT_EQ(item->geometryChanged, 0);
    EXPECT_EQ(item->rotationChanged, 0);
    EXPECT_EQ(o.pointCount, 4);
    EXPECT_NE(o.faceOrder, nullptr);
    EXPECT_TRUE(item->center.x == 50.0f && item->center.y == 50.0f);
    EXPECT_TRUE(item->fenceMax.x == 100.0f && item->fenceMax.y == 100.0f);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(item->matrix[r][c], r == c ? 1.0 : 0.0);
    const auto pts = square();
    for (int i = 0; i < 5; ++i) {
        const float x = float(pts[i % 4].x), y = float(pts[i % 4].y);
        expectPoint(item->frontPoints[i], x, y, 50);
        expectPoint(item->backPoints[i], x, y, -50);
        expectPoint(item->rotatedFront[i], x, y, 50);
    }
    // Caps carry the depth; sides are unit normals pointing out of the body.
    expectPoint(item->normals[0], 0, 0, 50);
    expectPoint(item->normals[1], 0, 0, -50);
    expectPoint(item->normals[2], 0, -1, 0);  // top edge
    expectPoint(item->normals[3], 1, 0, 0);   // right edge
    expectPoint(item->normals[5], -1, 0, 0);  // left edge
    o.defaultDepth = 7;
    o.defaultColor = RGB(1, 2, 3);
    ItemPtr second = makeItem(o, square());
    EXPECT_EQ(second->color, RGB(1, 2, 3));
    EXPECT_EQ(second->frontPoints[0].z, 7.0f);
}

TEST(Object3DItems, ShapeCodesTaperTheBackOutline) {
    Object3D o;
    ItemPtr pyramid = makeItem(o, square(), 51), narrow = makeItem(o, square(), 52), widen = makeItem(o, square(), 53);
    for (int i = 0; i <= 4; ++i) expectPoint(pyramid->backPoints[i], 50, 50, -50);
    expectPoint(narrow->backPoints[1], 75, 25, -50);
    expectPoint(narrow->backPoints[3], 25, 75, -50);
    expectPoint(widen->backPoints[0], -50, -50, -50);
    expectPoint(widen->backPoints[2], 150, 150, -50);
    EXPECT_GT(widen->normals[2].z, 0.0f);  // the widening sides lean toward the viewer
    EXPECT_LT(narrow->normals[2].z, 0.0f);
    for (short code : {short(0), short(50), short(54), short(-1)}) {
        ItemPtr prism = makeItem(o, square(), code);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(prism->backPoints[i].x, prism->points[i].x) << code;
    }
}

TEST(Object3DItems, SettersReturnTheItemAndGeometryWaitsForTheNextReformation) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    EXPECT_EQ(o.SetColorItem(item.get(), RGB(10, 20, 30)), item.get());
    EXPECT_EQ(o.SetLineColorItem(item.get(), RGB(40, 50, 60)), item.get());
    EXPECT_EQ(o.SetLightItem(item.get(), 77), item.get());
    EXPECT_EQ(item->color, RGB(10, 20, 30));
    EXPECT_EQ(item->lineColor, RGB(40, 50, 60));
    EXPECT_EQ(item->light, 77);
    EXPECT_EQ(item->geometryChanged, 0);
    EXPECT_EQ(o.SetColorItem(nullptr, 0), nullptr);
    EXPECT_EQ(o.SetDepthItem(nullptr, 3), nullptr);
    EXPECT_EQ(o.GetDepthItem(nullptr), 0);

    EXPECT_EQ(o.SetDepthItem(item.get(), 10), item.get());
    EXPECT_EQ(o.GetDepthItem(item.get()), 10);
    EXPECT_NE(item->geometryChanged, 0);
    EXPECT_EQ(item->frontPoints[0].z, 50.0f);  // not yet
    EXPECT_EQ(o.SetShapeItem(item.get(), 51), item.get());
    expectPoint(item->backPoints[0], 0, 0, -50);
    o.SetScalingItem(item.get(), 0.0f);  // re-forms what is pending, scales nothing
    EXPECT_EQ(item->geometryChanged, 0);
    expectPoint(item->frontPoints[1], 100, 0, 10);
    expectPoint(item->backPoints[1], 50, 50, -10);
    o.SetShapeItem(item.get(), 0x10000 + 52);  // the shape code is kept in 16 bits
    EXPECT_EQ(item->shape, 52);
}

TEST(Object3DItems, CopiesShareNothing) {
    Object3D o;
    ItemPtr source = makeItem(o, lShape(), 52);
    source->reserved = 77;
    o.SetRotationItem(source.get(), 10, 20, 30);
    o.SetDepthItem(source.get(), 12);  // pending: copied as it stands
    const int before = o.pointCount;
    ItemPtr copy(o.CopyItem(source.get()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(o.pointCount, before);
    EXPECT_EQ(copy->reserved, 77);
    EXPECT_EQ(copy->depth, 12);
    EXPECT_EQ(copy->geometryChanged, source->geometryChanged);
    EXPECT_EQ(0, std::memcmp(copy->matrix, source->matrix, sizeof copy->matrix));
    const size_t n = static_cast<size_t>(source->pointCount);
    EXPECT_EQ(0, std::memcmp(copy->points, source->points, sizeof(Point3D) * n));
    EXPECT_EQ(0, std::memcmp(copy->rotatedNormals, source->rotatedNormals, sizeof(Point3D) * (n + 2)));
    EXPECT_NE(copy->points, source->points);
    o.SetMoveItem(copy.get(), 5, 5);
    o.SetRotationItem(copy.get(), 0, 0, 45);
    EXPECT_EQ(source->points[0].x, 0.0f);
    EXPECT_EQ(source->frontPoints[0].z, 50.0f);
    EXPECT_EQ(o.CopyItem(nullptr), nullptr);
}

TEST(Object3DObjects, CopyingTakesDefaultsAndScratchListsNotTables) {
    Object3D source;
    source.defaultDepth = 20;
    source.spareValue = 2.5f;
    ItemPtr item = makeItem(source, lShape());
    for (int i = 0; i < 8; ++i) source.faceOrder[i] = 7 - i;
    Object3D copy;
    Object3D* pSource = &source;
    EXPECT_EQ(&(copy = pSource), &copy);
    EXPECT_EQ(copy.pointCount, 6);
    EXPECT_EQ(copy.defaultDepth, 20);
    EXPECT_EQ(copy.spareValue, 2.5f);
    EXPECT_NE(copy.faceOrder, source.faceOrder);
    EXPECT_NE(copy.viewPoints, source.viewPoints);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(copy.faceOrder[i], 7 - i);
    Object3D other, empty;
    EXPECT_EQ(other.CopyObject3D(&source), &other);
    EXPECT_EQ(other.faceOrder[0], 7);
    other.CopyObject3D(&empty);  // an object that created nothing has no scratch lists
    EXPECT_EQ(other.pointCount, 0);
    EXPECT_EQ(other.faceOrder, nullptr);
    EXPECT_EQ(other.CopyObject3D(nullptr), &other);
    // DeleteItem drops the object's scratch lists only.
    Object3DInspector::DeleteItem(source, item.get());
    EXPECT_EQ(source.viewPoints, nullptr);
    EXPECT_EQ(item->points[2].x, 100.0f);
}

TEST(Object3DItems, DegenerateOutlines) {
    Object3D o;
    ItemPtr first = makeItem(o, square());
    POINT* scratch = o.viewPoints;
    POINT pts[3] = {{0, 0}, {1, 0}, {0, 1}};
    EXPECT_EQ(o.CreatePolygonItem(0, pts, 0), nullptr);
    EXPECT_EQ(o.CreatePolygonItem(0, pts, -5), nullptr);
    EXPECT_EQ(o.CreatePolygonItem(0, nullptr, 3), nullptr);
    EXPECT_EQ(o.viewPoints, scratch);  // still serving the item it made last
    // One point: its only side runs to itself, without a normal.
    ItemPtr dot = makeItem(o, {{10, 20}});
    ASSERT_TRUE(dot);
    EXPECT_TRUE(std::isnan(dot->normals[2].x));
    o.SetRotationItem(dot.get(), 0, 0, 50);  // about its own centre
    EXPECT_EQ(dot->fenceMin.x, 10.0f);
    EXPECT_EQ(dot->fenceMax.y, 20.0f);
    // Two points make a flat plate whose two sides face opposite ways.
    ItemPtr plate = turned(o, {{0, 0}, {100, 0}}, 30, 0, 0);
    EXPECT_GT(plate->rotatedNormals[3].z, 0.0f);
    EXPECT_LT(plate->rotatedNormals[2].z, 0.0f);
    Object3D::ReleaseItem(nullptr);
}

// ---- shading --------------------------------------------------------------------

COLORREF shade(COLORREF base, Point3D normal, int light = 74) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    o.SetColorItem(item.get(), base);
    o.SetLightItem(item.get(), light);
    return Object3DInspector::getColor(o, item.get(), normal);
}

TEST(Object3DShading, TheLumaMovesInStepsOfTenOfTheCosineHueSurvivingTruncatedYiq) {
    const float s = std::sqrt(1.0f - 0.45f * 0.45f), nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        COLORREF base;
        Point3D normal;
        COLORREF want;
    } cases[] = {
        {0x00808080, {0, 0, 1}, 0x00E4E4E4},   {0x00808080, {1, 0, 0}, 0x00808080},
        {0x00808080, {0, 0, -1}, 0x001C1C1C},  {0x00000000, {0, 0, 1}, 0x00646464},
        {0x00808080, {0, 0, 50}, 0x00E4E4E4},  {0x00808080, {0, 0, -50}, 0x001C1C1C},  // the length does not matter
        {0x00FF00FF, {0, 0, 1}, 0x00FF63FF},   {0x00FF00FF, {1, 0, 0}, 0x00FD00FE},
        {0x00FF00FF, {0.6f, 0, 0.8f}, 0x00FF4FFF}, {0x00FFFFFF, {1, 0, 0}, 0x00FDFFFE},
        {0x01808080, {1, 0, 0}, 0x00808080},   // the top byte plays no part
        {0x00808080, {s, 0, 0.45f}, 0x00A8A8A8}, {0x00808080, {s, 0, -0.45f}, 0x00585858},
        {0x00808080, {0, 0.5f, 0.8660254f}, 0x00D0D0D0},
        {0x00808080, {0, 0, 0}, 0x00808080},   {0x00808080, {nan, nan, nan}, 0x00808080},  // no direction
        {0x00FFFFFF, {0, 0, 1}, 0x00FFFFFF},   {0x00000000, {0, 0, -1}, 0x00000000},  // clamped
    };
    for (const auto& c : cases)
        EXPECT_EQ(shade(c.base, c.normal), c.want) << std::hex << c.base << " " << c.normal.x << "," << c.normal.y << ","
                                                   << c.normal.z;
    EXPECT_EQ(GetRValue(shade(0x000000FF, {0, 0, 1})), 255);
}

TEST(Object3DShading, EachLightCodeHasItsDirection) {
    const float d = std::sqrt(0.5f), e = 1.0f / std::sqrt(10.0f);
    const std::pair<int, Point3D> lights[] = {{70, {-d, -d, 0}}, {71, {0, -1, 0}}, {72, {d, -d, 0}},
                                              {73, {-1, 0, 0}},  {74, {0, 0, 1}},  {75, {1, 0, 0}},
                                              {76, {-d, d, 0}},  {77, {0, 1, 0}},  {78, {e, 3 * e, 0}}};
    for (const auto& [light, facing] : lights) {
        EXPECT_GE(GetRValue(shade(0x00808080, facing, light)), 0xDA) << light;
        EXPECT_LE(GetRValue(shade(0x00808080, Point3D(-facing.x, -facing.y, -facing.z), light)), 0x26) << light;
    }
    EXPECT_EQ(shade(0x00808080, {0, 1, 0}, 78), 0x00DADADAu);  // 78 is (1, 3, 0): not quite straight down
    for (int code : {0, 69, 79, -74, 1000})  // unknown codes shade as the viewer's light
        EXPECT_EQ(shade(0x00336699, {0.3f, -0.2f, 0.5f}, code), shade(0x00336699, {0.3f, -0.2f, 0.5f}, 74)) << code;
}

}  // namespace
