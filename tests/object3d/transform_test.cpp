// Rotations, scaling, moves and resizing, and what they leave in the lists.
#include "object3d_test_util.h"

#include <climits>
#include <cmath>
#include <cstring>

using namespace object3d_test;

namespace {

bool sameMatrix(const _ITEM* a, const _ITEM* b) { return std::memcmp(a->matrix, b->matrix, sizeof a->matrix) == 0; }

bool isIdentity(const _ITEM* item) {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            if (item->matrix[r][c] != (r == c ? 1.0 : 0.0)) return false;
    return true;
}

POINT fence(Object3D& o, _ITEM* item, int corner) {
    POINT f[2];
    EXPECT_TRUE(o.GetFenceItem(item, f));
    return f[corner];
}

TEST(Object3DRotation, WholeTurnsKeepTheMatrixButRefreshTheLists) {
    Object3D o;
    ItemPtr item = turned(o, square(), 360, 0, -360);
    EXPECT_TRUE(isIdentity(item.get()));
    o.SetRotationItem(item.get(), 0, 0, 90);
    o.SetRotationClear(item.get());
    EXPECT_TRUE(isIdentity(item.get()));
    EXPECT_NE(item->rotationChanged, 0);
    EXPECT_NE(item->rotatedFront[1].y, 0.0f);  // still the old rotation
    o.SetRotationItem(item.get(), 360, -360, 0);
    EXPECT_EQ(item->rotationChanged, 0);
    EXPECT_EQ(item->rotatedFront[1].x, 100.0f);
    EXPECT_EQ(item->rotatedFront[1].y, 0.0f);
}

TEST(Object3DRotation, AnglesWrapAndComposeAboutTheFixedAxes) {
    Object3D o;
    EXPECT_TRUE(sameMatrix(turned(o, square(), -90, 0, 0).get(), turned(o, square(), 270, 0, 0).get()));
    EXPECT_TRUE(sameMatrix(turned(o, square(), 30 + 720, -30 - 1080, 1000).get(), turned(o, square(), 30, 330, 280).get()));
    EXPECT_TRUE(sameMatrix(turned(o, square(), INT_MIN, INT_MAX, INT_MIN + 1).get(), turned(o, square(), 232, 127, 233).get()));
    ItemPtr once = turned(o, square(), 30, 30, 0), steps = turned(o, square(), 30, 0, 0), reversed = turned(o, square(), 0, 30, 0);
    o.SetRotationItem(steps.get(), 0, 30, 0);
    o.SetRotationItem(reversed.get(), 30, 0, 0);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_DOUBLE_EQ(steps->matrix[r][c], once->matrix[r][c]);
    EXPECT_GT(std::fabs(reversed->matrix[0][1] - once->matrix[0][1]), 0.1);
    // Rz(Z) Ry(-Y) Rx(X) from the tables, whose pi is 3.141592: sin 30 is just under a half.
    const double s = o.sinTable[30], c = o.cosTable[30];
    EXPECT_EQ(o.sinTable[30], 0.49999991f);
    EXPECT_EQ(o.cosTable[90], 3.13916473e-07f);
    const double want[3][3] = {{c, -s * s, -s * c}, {0, c, -s}, {s, c * s, c * c}};
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 3; ++k) EXPECT_EQ(once->matrix[r][k], want[r][k]) << r << "," << k;
    // The sides over the right and bottom edges turn toward the viewer.
    EXPECT_EQ(once->rotatedNormals[3].z, 0.49999991f);
    EXPECT_EQ(once->rotatedNormals[4].z, 0.433012635f);
    EXPECT_TRUE(once->rotatedNormals[2].z < 0 && once->rotatedNormals[5].z < 0 && once->rotatedNormals[0].z > 0);
}

TEST(Object3DRotation, QuarterTurnsAndTheFence) {
    Object3D o;
    ItemPtr z = turned(o, square(), 0, 0, 90);
    EXPECT_NEAR(z->rotatedFront[1].x, 100.0f, 1e-4);  // (100, 0) -> (100, 100) about the centre
    EXPECT_NEAR(z->rotatedFront[1].y, 100.0f, 1e-4);
    ItemPtr x = turned(o, square(), 90, 0, 0);  // the caps lie flat
    for (int i = 0; i <= 4; ++i) {
        EXPECT_NEAR(x->rotatedFront[i].y, 0.0f, 1e-4) << i;
        EXPECT_NEAR(x->rotatedBack[i].y, 100.0f, 1e-4) << i;
    }
    for (_ITEM* item : {z.get(), x.get()}) {
        EXPECT_TRUE(fence(o, item, 0).x == 0 && fence(o, item, 0).y == 0);
        EXPECT_TRUE(fence(o, item, 1).x == 100 && fence(o, item, 1).y == 100);
    }
    ItemPtr wide = turned(o, square(), 20, 35, 10, 53);
    POINT f[2];
    ASSERT_TRUE(o.GetFenceItem(wide.get(), f));
    for (int i = 0; i < 4; ++i)
        for (const Point3D* p : {&wide->rotatedFront[i], &wide->rotatedBack[i]})
            EXPECT_TRUE(p->x >= f[0].x - 1 && p->x <= f[1].x + 1 && p->y >= f[0].y - 1 && p->y <= f[1].y + 1);
    EXPECT_LT(f[0].x, -20);  // the widened back outline sticks out
    EXPECT_FALSE(o.GetFenceItem(wide.get(), nullptr));
    EXPECT_FALSE(o.GetFenceItem(nullptr, f));
}

TEST(Object3DScaling, ScalesAboutTheCentreAndTheDepthByItsWholePart) {
    Object3D o;
    const struct {
        float factor;
        float p0x, p2x;
        int depth;
    } cases[] = {{2.0f, -50, 150, 100}, {0.5f, 25, 75, 0}, {1.5f, -25, 125, 50}};
    for (const auto& c : cases) {
        ItemPtr item = makeItem(o, square());
        o.SetScalingItem(item.get(), c.factor);
        EXPECT_EQ(item->points[0].x, c.p0x) << c.factor;
        EXPECT_EQ(item->points[2].x, c.p2x) << c.factor;
        EXPECT_EQ(item->depth, c.depth) << c.factor;
        EXPECT_EQ(item->frontPoints[0].z, float(c.depth)) << c.factor;
        EXPECT_EQ(item->maxPoint.x, c.p2x) << c.factor;
    }
    ItemPtr none = makeItem(o, square());
    o.SetRotationClear(none.get());
    o.SetScalingItem(none.get(), 0.0f);
    EXPECT_EQ(none->points[2].x, 100.0f);
    EXPECT_NE(none->rotationChanged, 0);  // left for the next refresh
    // Each step of the point scaling is rounded to single precision.
    Point3D pts[2] = {{10.0f, 20.0f, 3.0f}, {0.1f, 0.3f, -1.0f}};
    Object3DInspector::FormationScalingPoint(o, pts, 2, 5, 5, 3.0f);
    expectPoint(pts[0], 20, 50, 3);
    EXPECT_EQ(pts[1].x, 5.0f + (0.1f - 5.0f) * 3.0f);
}

TEST(Object3DMoving, MovesEveryListAndTheBoxesKeepingThePendingRotation) {
    Object3D o;
    ItemPtr item = makeItem(o, lShape());
    o.SetMoveItem(item.get(), 10, -5);
    EXPECT_TRUE(item->points[1].x == 110.0f && item->points[1].y == -5.0f);
    EXPECT_EQ(item->frontPoints[3].x, 60.0f);
    EXPECT_EQ(item->backPoints[3].y, 45.0f);
    EXPECT_EQ(item->rotatedFront[4].y, 95.0f);
    EXPECT_TRUE(item->minPoint.x == 10.0f && item->minPoint.y == -5.0f && item->maxPoint.x == 110.0f);
    EXPECT_EQ(item->center.x, 60.0f);
    EXPECT_TRUE(fence(o, item.get(), 0).y == -5 && fence(o, item.get(), 1).x == 110 && fence(o, item.get(), 1).y == 95);
    ItemPtr spun = turned(o, square(), 0, 0, 90);
    o.SetMoveItem(spun.get(), 100, 0);
    EXPECT_NEAR(spun->rotatedFront[1].x, 200.0f, 1e-4);  // rotated about the new centre
    EXPECT_NEAR(spun->rotatedFront[1].y, 100.0f, 1e-4);
    // Boxes use whole numbers, toward zero.
    ItemPtr frac = makeItem(o, {{1, 0}, {10, 0}, {10, 10}}), neg = makeItem(o, {{-9, -9}, {0, -9}, {0, 0}});
    frac->points[0].x = 0.6f;
    frac->points[1].x = frac->points[2].x = 10.4f;
    neg->points[0].x = -8.7f;
    o.SetMoveItem(frac.get(), 0, 0);
    o.SetMoveItem(neg.get(), 0, 0);
    EXPECT_TRUE(frac->minPoint.x == 0.0f && frac->maxPoint.x == 10.0f && frac->center.x == 5.0f);
    EXPECT_TRUE(neg->minPoint.x == -8.0f && neg->center.x == -4.0f);
}

TEST(Object3DResizing, EdgesMoveOutByTheirAmountsAndPointsKeepTheirPlace) {
    Object3D o;
    ItemPtr left = makeItem(o, square());
    o.SetReSizeItem(left.get(), 10, 0, 0, 0);
    EXPECT_EQ(left->points[0].x, 0.0f);  // -10, clamped
    ItemPtr grown = makeItem(o, square());
    o.SetReSizeItem(grown.get(), 0, 10, 0, 5);
    EXPECT_TRUE(grown->points[1].x == 110.0f && grown->points[2].y == 105.0f && grown->maxPoint.y == 105.0f);
    ItemPtr moved = makeItem(o, {{100, 100}, {200, 100}, {150, 200}});
    o.SetReSizeItem(moved.get(), 50, 50, -10, 30);
    EXPECT_TRUE(moved->points[0].x == 50.0f && moved->points[1].x == 250.0f && moved->points[2].x == 150.0f);
    EXPECT_TRUE(moved->points[0].y == 110.0f && moved->points[2].y == 230.0f);
    // A zero extent moves with the near edge.
    ItemPtr line = makeItem(o, {{40, 10}, {40, 60}, {40, 90}});
    o.SetReSizeItem(line.get(), 15, 25, 0, 0);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(line->points[i].x == 25.0f && !std::isnan(line->frontPoints[i].x)) << i;
    ItemPtr flat = makeItem(o, {{10, 40}, {60, 40}, {90, 40}});
    o.SetReSizeItem(flat.get(), 0, 0, -5, 20);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(flat->points[i].y, 45.0f) << i;
}

}  // namespace
