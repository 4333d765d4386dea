// Rotations, scaling, moves and resizing, and what they leave in the lists.
#include "object3d_test_util.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

using namespace object3d_test;

namespace {

bool sameMatrix(const _ITEM* a, const _ITEM* b) { return std::memcmp(a->matrix, b->matrix, sizeof a->matrix) == 0; }

void expectIdentity(const _ITEM* item) {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(item->matrix[r][c], r == c ? 1.0 : 0.0) << r << "," << c;
}

POINT fence(Object3D& o, _ITEM* item, int corner) {
    POINT f[2];
    EXPECT_TRUE(o.GetFenceItem(item, f));
    return f[corner];
}

TEST(Object3DRotation, NullRotationsKeepTheMatrixButRefreshTheLists) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    o.SetRotationItem(item.get(), 0, 0, 0);
    expectIdentity(item.get());
    o.SetRotationItem(item.get(), 360, 0, -360);
    expectIdentity(item.get());

    o.SetRotationItem(item.get(), 0, 0, 90);
    o.SetRotationClear(item.get());
    expectIdentity(item.get());
    EXPECT_NE(item->rotationChanged, 0);
    EXPECT_NE(item->rotatedFront[1].y, 0.0f);  // still the old rotation
    o.SetRotationItem(item.get(), 360, -360, 0);
    EXPECT_EQ(item->rotationChanged, 0);
    EXPECT_EQ(item->rotatedFront[1].x, 100.0f);
    EXPECT_EQ(item->rotatedFront[1].y, 0.0f);
    EXPECT_EQ(item->rotatedNormals[0].z, 50.0f);
}

TEST(Object3DRotation, QuarterTurnAboutZ) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    o.SetRotationItem(item.get(), 0, 0, 90);
    // One unit right of the centre goes (almost exactly) one unit below it.
    EXPECT_NEAR(item->matrix[0][0], 0.0, 1e-6);
    EXPECT_EQ(item->matrix[1][0], 1.0);
    EXPECT_NEAR(item->matrix[0][1], -1.0, 1e-12);
    EXPECT_NEAR(item->rotatedFront[1].x, 100.0f, 1e-4);  // (100, 0) -> (100, 100)
    EXPECT_NEAR(item->rotatedFront[1].y, 100.0f, 1e-4);
    EXPECT_EQ(fence(o, item.get(), 0).x, 0);
    EXPECT_EQ(fence(o, item.get(), 0).y, 0);
    EXPECT_EQ(fence(o, item.get(), 1).x, 100);
    EXPECT_EQ(fence(o, item.get(), 1).y, 100);

    ItemPtr halves = makeItem(o, square());
    o.SetRotationItem(halves.get(), 0, 0, 45);
    o.SetRotationItem(halves.get(), 0, 0, 45);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(halves->matrix[r][c], item->matrix[r][c], 1e-6);
}

TEST(Object3DRotation, AnglesWrapIntoTheTables) {
    Object3D o;
    ItemPtr a = makeItem(o, square()), b = makeItem(o, square());
    o.SetRotationItem(a.get(), -90, 0, 0);
    o.SetRotationItem(b.get(), 270, 0, 0);
    EXPECT_TRUE(sameMatrix(a.get(), b.get()));

    // Beyond a single wrap the angles keep wrapping.
    ItemPtr c = makeItem(o, square()), d = makeItem(o, square());
    o.SetRotationItem(c.get(), 30 + 720, -30 - 1080, 1000);
    o.SetRotationItem(d.get(), 30, 330, 280);
    EXPECT_TRUE(sameMatrix(c.get(), d.get()));
    ItemPtr e = makeItem(o, square()), f = makeItem(o, square());
    o.SetRotationItem(e.get(), INT_MIN, INT_MAX, INT_MIN + 1);
    o.SetRotationItem(f.get(), 232, 127, 233);  // the same angles modulo 360
    EXPECT_TRUE(sameMatrix(e.get(), f.get()));
}

TEST(Object3DRotation, RotationsComposeAboutTheFixedAxes) {
    Object3D o;
    ItemPtr once = makeItem(o, square()), steps = makeItem(o, square()), reversed = makeItem(o, square());
    o.SetRotationItem(once.get(), 30, 30, 0);
    o.SetRotationItem(steps.get(), 30, 0, 0);
    o.SetRotationItem(steps.get(), 0, 30, 0);
    o.SetRotationItem(reversed.get(), 0, 30, 0);
    o.SetRotationItem(reversed.get(), 30, 0, 0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_DOUBLE_EQ(steps->matrix[r][c], once->matrix[r][c]);
    EXPECT_GT(std::fabs(reversed->matrix[0][1] - once->matrix[0][1]), 0.1);

    // Rz(Z) Ry(-Y) Rx(X) from the tables.
    const double s = o.sinTable[30], c = o.cosTable[30];
    EXPECT_EQ(once->matrix[0][0], c);
    EXPECT_EQ(once->matrix[0][1], -s * s);
    EXPECT_EQ(once->matrix[0][2], -s * c);
    EXPECT_EQ(once->matrix[1][1], c);
    EXPECT_EQ(once->matrix[1][2], -s);
    EXPECT_EQ(once->matrix[2][0], s);
    EXPECT_EQ(once->matrix[2][1], c * s);
    EXPECT_EQ(once->matrix[2][2], c * c);
}

TEST(Object3DRotation, SquarePrismAt30And30) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    o.SetRotationItem(item.get(), 30, 30, 0);
    // The sides over the right and bottom edges turn toward the viewer.
    EXPECT_EQ(item->rotatedNormals[3].z, 0.49999991f);
    EXPECT_EQ(item->rotatedNormals[4].z, 0.433012635f);  // shown as 0.4330126
    EXPECT_LT(item->rotatedNormals[2].z, 0.0f);
    EXPECT_LT(item->rotatedNormals[5].z, 0.0f);
    EXPECT_GT(item->rotatedNormals[0].z, 0.0f);
    EXPECT_LT(item->rotatedNormals[1].z, 0.0f);
}

TEST(Object3DRotation, QuarterTurnAboutXLaysTheCapsFlat) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    o.SetRotationItem(item.get(), 90, 0, 0);
    for (int i = 0; i <= 4; ++i) {
        EXPECT_NEAR(item->rotatedFront[i].y, 0.0f, 1e-4) << i;
        EXPECT_NEAR(item->rotatedBack[i].y, 100.0f, 1e-4) << i;
    }
    EXPECT_NEAR(item->rotatedNormals[0].y, -50.0f, 1e-4);
    EXPECT_NEAR(item->rotatedNormals[0].z, 0.0f, 1e-4);
    EXPECT_EQ(fence(o, item.get(), 0).x, 0);
    EXPECT_EQ(fence(o, item.get(), 0).y, 0);
    EXPECT_EQ(fence(o, item.get(), 1).x, 100);
    EXPECT_EQ(fence(o, item.get(), 1).y, 100);
}

TEST(Object3DRotation, FenceEnclosesBothRotatedOutlines) {
    Object3D o;
    ItemPtr item = makeItem(o, square(), 53);
    o.SetRotationItem(item.get(), 20, 35, 10);
    POINT f[2];
    ASSERT_TRUE(o.GetFenceItem(item.get(), f));
    for (int i = 0; i < 4; ++i) {
        for (const Point3D* p : {&item->rotatedFront[i], &item->rotatedBack[i]}) {
            EXPECT_GE(p->x, f[0].x - 1.0f);
            EXPECT_LE(p->x, f[1].x + 1.0f);
            EXPECT_GE(p->y, f[0].y - 1.0f);
            EXPECT_LE(p->y, f[1].y + 1.0f);
        }
    }
    EXPECT_LT(f[0].x, -20);  // the widened back outline sticks out
    EXPECT_FALSE(o.GetFenceItem(item.get(), nullptr));
    EXPECT_FALSE(o.GetFenceItem(nullptr, f));
}

TEST(Object3DScaling, ScalesAboutTheCentreAndTheDepthByItsWholePart) {
    Object3D o;
    ItemPtr twice = makeItem(o, square());
    o.SetScalingItem(twice.get(), 2.0f);
    EXPECT_EQ(twice->points[0].x, -50.0f);
    EXPECT_EQ(twice->points[2].y, 150.0f);
    EXPECT_EQ(twice->depth, 100);
    EXPECT_EQ(twice->frontPoints[0].z, 100.0f);
    EXPECT_EQ(twice->minPoint.x, -50.0f);
    EXPECT_EQ(twice->maxPoint.x, 150.0f);
    EXPECT_EQ(twice->geometryChanged, 0);

    ItemPtr half = makeItem(o, square());
    o.SetScalingItem(half.get(), 0.5f);
    EXPECT_EQ(half->points[0].x, 25.0f);
    EXPECT_EQ(half->points[2].x, 75.0f);
    EXPECT_EQ(half->depth, 0);

    ItemPtr oneAndHalf = makeItem(o, square());
    o.SetScalingItem(oneAndHalf.get(), 1.5f);
    EXPECT_EQ(oneAndHalf->points[2].x, 125.0f);
    EXPECT_EQ(oneAndHalf->depth, 50);

    ItemPtr none = makeItem(o, square());
    o.SetRotationClear(none.get());
    o.SetScalingItem(none.get(), 0.0f);
    EXPECT_EQ(none->points[2].x, 100.0f);
    EXPECT_NE(none->rotationChanged, 0);  // left for the next refresh
}

TEST(Object3DMoving, MovesEveryListAndTheBoxes) {
    Object3D o;
    ItemPtr item = makeItem(o, lShape());
    o.SetMoveItem(item.get(), 10, -5);
    EXPECT_EQ(item->points[1].x, 110.0f);
    EXPECT_EQ(item->points[1].y, -5.0f);
    EXPECT_EQ(item->frontPoints[3].x, 60.0f);
    EXPECT_EQ(item->backPoints[3].y, 45.0f);
    EXPECT_EQ(item->rotatedFront[4].y, 95.0f);
    EXPECT_EQ(item->minPoint.x, 10.0f);
    EXPECT_EQ(item->minPoint.y, -5.0f);
    EXPECT_EQ(item->maxPoint.x, 110.0f);
    EXPECT_EQ(item->center.x, 60.0f);
    EXPECT_EQ(fence(o, item.get(), 0).y, -5);
    EXPECT_EQ(fence(o, item.get(), 1).x, 110);
    EXPECT_EQ(fence(o, item.get(), 1).y, 95);
}

TEST(Object3DMoving, MoveKeepsThePendingRotation) {
    Object3D o;
    ItemPtr item = makeItem(o, square());
    o.SetRotationItem(item.get(), 0, 0, 90);
    o.SetMoveItem(item.get(), 100, 0);
    EXPECT_NEAR(item->rotatedFront[1].x, 200.0f, 1e-4);  // rotated about the new centre
    EXPECT_NEAR(item->rotatedFront[1].y, 100.0f, 1e-4);
}

TEST(Object3DResizing, EdgesMoveOutByTheirAmounts) {
    Object3D o;
    ItemPtr left = makeItem(o, square());
    o.SetReSizeItem(left.get(), 10, 0, 0, 0);
    EXPECT_EQ(left->points[0].x, 0.0f);  // -10, clamped
    EXPECT_EQ(left->points[1].x, 100.0f);
    EXPECT_EQ(left->points[2].y, 100.0f);

    ItemPtr grown = makeItem(o, square());
    o.SetReSizeItem(grown.get(), 0, 10, 0, 5);
    EXPECT_EQ(grown->points[0].x, 0.0f);
    EXPECT_EQ(grown->points[1].x, 110.0f);
    EXPECT_EQ(grown->points[2].y, 105.0f);
    EXPECT_EQ(grown->maxPoint.x, 110.0f);
    EXPECT_EQ(grown->maxPoint.y, 105.0f);

    // Points keep their relative place in the box.
    ItemPtr moved = makeItem(o, {{100, 100}, {200, 100}, {150, 200}});
    o.SetReSizeItem(moved.get(), 50, 50, -10, 30);
    EXPECT_EQ(moved->points[0].x, 50.0f);
    EXPECT_EQ(moved->points[1].x, 250.0f);
    EXPECT_EQ(moved->points[2].x, 150.0f);
    EXPECT_EQ(moved->points[0].y, 110.0f);
    EXPECT_EQ(moved->points[2].y, 230.0f);
}

TEST(Object3DResizing, ZeroExtentMovesWithTheNearEdge) {
    Object3D o;
    ItemPtr line = makeItem(o, {{40, 10}, {40, 60}, {40, 90}});
    o.SetReSizeItem(line.get(), 15, 25, 0, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(line->points[i].x, 25.0f) << i;
        EXPECT_FALSE(std::isnan(line->frontPoints[i].x));
    }
    ItemPtr flat = makeItem(o, {{10, 40}, {60, 40}, {90, 40}});
    o.SetReSizeItem(flat.get(), 0, 0, -5, 20);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(flat->points[i].y, 45.0f) << i;
    EXPECT_EQ(flat->points[1].x, 60.0f);
}

TEST(Object3DFormation, BoxesUseWholeNumbers) {
    Object3D o;
    ItemPtr item = makeItem(o, {{1, 0}, {10, 0}, {10, 10}});
    item->points[0].x = 0.6f;
    item->points[1].x = 10.4f;
    item->points[2].x = 10.4f;
    o.SetMoveItem(item.get(), 0, 0);  // re-forms from the points
    EXPECT_EQ(item->minPoint.x, 0.0f);
    EXPECT_EQ(item->maxPoint.x, 10.0f);
    EXPECT_EQ(item->center.x, 5.0f);
    // Negative coordinates truncate toward zero as well.
    ItemPtr negative = makeItem(o, {{-9, -9}, {0, -9}, {0, 0}});
    negative->points[0].x = -8.7f;
    o.SetMoveItem(negative.get(), 0, 0);
    EXPECT_EQ(negative->minPoint.x, -8.0f);
    EXPECT_EQ(negative->center.x, -4.0f);
}

TEST(Object3DFormation, ScalingPointsRoundsEachStep) {
    Object3D o;
    Point3D pts[2] = {{10.0f, 20.0f, 3.0f}, {0.1f, 0.3f, -1.0f}};
    Object3DInspector::FormationScalingPoint(o, pts, 2, 5, 5, 3.0f);
    EXPECT_EQ(pts[0].x, 20.0f);
    EXPECT_EQ(pts[0].y, 50.0f);
    EXPECT_EQ(pts[0].z, 3.0f);
    const float dx = (0.1f - 5.0f) * 3.0f;
    EXPECT_EQ(pts[1].x, 5.0f + dx);
    EXPECT_EQ(pts[1].z, -1.0f);
}

}  // namespace
