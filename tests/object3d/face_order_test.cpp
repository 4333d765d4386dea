// The side faces' painting order: the fast passes against the pairwise loops.
#include "object3d/face_order_p.h"
#include "object3d_test_util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <random>
#include <vector>

using hmigfx::object3d::orderFaces;
using hmigfx::object3d::orderFacesByPairs;
using hmigfx::object3d::YRank;
using namespace object3d_test;

namespace {

std::vector<int> identity(int n) {
    std::vector<int> order(static_cast<size_t>(n) + 2);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

void expectSameOrder(const std::vector<Point3D>& normals, YRank rank, const char* what) {
    const int n = static_cast<int>(normals.size()) - 2;
    std::vector<int> reference = identity(n), fast = identity(n);
    orderFacesByPairs(reference.data(), n, normals.data(), rank);
    orderFaces(fast.data(), n, normals.data(), rank);
    ASSERT_EQ(fast, reference) << what << " n=" << n;
}

TEST(Object3DFaceOrder, MatchesThePairwiseLoopsOnRandomRanks) {
    std::mt19937 rng(12345);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (int round = 0; round < 3000; ++round) {
        const int n = static_cast<int>(rng() % 40);
        const int spread = 1 + static_cast<int>(rng() % 6);  // few values: many ties
        std::vector<Point3D> normals;
        for (int f = 0; f < n + 2; ++f) {
            float y = static_cast<float>(static_cast<int>(rng() % (2 * spread + 1)) - spread);
            float z = static_cast<float>(static_cast<int>(rng() % (2 * spread + 1)) - spread);
            if (rng() % 23 == 0) y = nan;
            if (rng() % 29 == 0) z = nan;
            if (rng() % 7 == 0) z = y;  // chains of comparable faces
            normals.emplace_back(0.0f, y, z);
        }
        expectSameOrder(normals, YRank::Greater, "random");
        expectSameOrder(normals, YRank::Smaller, "random");
    }
}

TEST(Object3DFaceOrder, MatchesThePairwiseLoopsOnLongOutlines) {
    // Long outlines, where the passes stop early or run out before sorting.
    std::mt19937 rng(777);
    for (int n : {999, 2500}) {
        for (int spread : {3, 1000}) {
            std::vector<Point3D> normals;
            for (int f = 0; f < n + 2; ++f) {
                const float y = static_cast<float>(static_cast<int>(rng() % (2 * spread + 1)) - spread);
                normals.emplace_back(0.0f, y, rng() % 3 ? y : -y);
            }
            expectSameOrder(normals, YRank::Smaller, "long");
            expectSameOrder(normals, YRank::Greater, "long");
            normals[static_cast<size_t>(n / 2)].y = std::numeric_limits<float>::quiet_NaN();
            expectSameOrder(normals, YRank::Smaller, "long with NaN");
        }
    }
}

TEST(Object3DFaceOrder, MatchesThePairwiseLoopsOnReversedChains) {
    // Every pair comparable and inverted: the passes do the most work here.
    for (int n : {4, 5, 17, 300}) {
        std::vector<Point3D> normals;
        for (int f = 0; f < n + 2; ++f) normals.emplace_back(0.0f, float(n - f), float(n - f));
        expectSameOrder(normals, YRank::Greater, "reversed");
        expectSameOrder(normals, YRank::Smaller, "reversed");
    }
}

TEST(Object3DFaceOrder, MatchesThePairwiseLoopsOnRotatedBodies) {
    // Side normals of a smooth outline sweep an ellipse of (y, z) values.
    Object3D o;
    for (int n : {8, 64, 700}) {
        std::vector<POINT> pts;
        for (int i = 0; i < n; ++i) {
            const double a = 2 * std::numbers::pi * i / n;
            pts.push_back({LONG(20000 + 15000 * std::cos(a)), LONG(20000 + 9000 * std::sin(a))});
        }
        ItemPtr item = makeItem(o, pts);
        for (auto [x, y, z] : {std::array<int, 3>{30, 30, 0}, {20, -35, 10}, {170, 10, 95}, {0, 0, 0}}) {
            o.SetRotationClear(item.get());
            o.SetRotationItem(item.get(), x, y, z);
            std::vector<Point3D> rotated(item->rotatedNormals, item->rotatedNormals + n + 2);
            std::vector<Point3D> base(item->normals, item->normals + n + 2);
            expectSameOrder(rotated, YRank::Greater, "rotated");
            expectSameOrder(base, YRank::Smaller, "unrotated");
        }
    }
}

TEST(Object3DFaceOrder, WorkedOrders) {
    Object3D o;
    auto ordered = [&](const std::vector<POINT>& outline, bool rotated, YRank rank) {
        ItemPtr item = makeItem(o, outline);
        o.SetRotationItem(item.get(), 30, 30, 0);
        std::vector<int> order = identity(item->pointCount);
        orderFaces(order.data(), item->pointCount, rotated ? item->rotatedNormals : item->normals, rank);
        return order;
    };
    // Drawing in view units ranks the rotated normals on y and z ...
    EXPECT_EQ(ordered(square(), true, YRank::Greater), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(ordered(lShape(), true, YRank::Greater), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    // ... drawing in a region the unrotated ones on y alone.
    EXPECT_EQ(ordered(square(), false, YRank::Smaller), (std::vector<int>{0, 1, 4, 2, 3, 5}));
    EXPECT_EQ(ordered(lShape(), false, YRank::Smaller), (std::vector<int>{0, 1, 4, 6, 3, 2, 5, 7}));
}

TEST(Object3DFaceOrder, ShortOutlinesRunNoPass) {
    for (int n : {0, 1, 2, 3}) {
        std::vector<Point3D> normals;
        for (int f = 0; f < n + 2; ++f) normals.emplace_back(0.0f, float(-f), float(-f));
        std::vector<int> order = identity(n);
        orderFaces(order.data(), n, normals.data(), YRank::Greater);
        EXPECT_EQ(order, identity(n)) << n;
    }
    // Four points: a single pass over positions 2 ... 4; the closing side stays.
    std::vector<Point3D> normals{{0, 0, 1}, {0, 0, -1}, {0, 3, 3}, {0, 2, 2}, {0, 1, 1}, {0, 0, 0}};
    std::vector<int> order = identity(4);
    orderFaces(order.data(), 4, normals.data(), YRank::Greater);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 4, 2, 3, 5}));
}

}  // namespace
