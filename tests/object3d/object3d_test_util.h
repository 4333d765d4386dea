// Shared helpers of the 3-D engine's tests.
#pragma once

#include <hmigfx/my_dc.h>
#include <hmigfx/object3d.h>

#include "../support/test_support.h"

#include <memory>

// Reaches the private formation and shading steps.
struct Object3DInspector {
    static COLORREF getColor(Object3D& o, _ITEM* item, Point3D normal) { return o.getColor(item, normal); }
    static void FormationScalingPoint(Object3D& o, Point3D* p, int n, int cx, int cy, float f) {
        o.FormationScalingPoint(p, n, cx, cy, f);
    }
    static void DeleteItem(Object3D& o, _ITEM* item) { o.DeleteItem(item); }
};

namespace object3d_test {

using testsupport::Canvas;

struct ItemReleaser {
    void operator()(_ITEM* item) const { Object3D::ReleaseItem(item); }
};
using ItemPtr = std::unique_ptr<_ITEM, ItemReleaser>;

inline ItemPtr makeItem(Object3D& o, std::vector<POINT> pts, short shape = 0) {
    return ItemPtr(o.CreatePolygonItem(shape, pts.data(), static_cast<int>(pts.size())));
}

// An item already turned by (x, y, z) degrees.
inline ItemPtr turned(Object3D& o, std::vector<POINT> pts, int x, int y, int z, short shape = 0) {
    ItemPtr item = makeItem(o, std::move(pts), shape);
    o.SetRotationItem(item.get(), x, y, z);
    return item;
}

// The 100 x 100 square, clockwise on the screen.
inline std::vector<POINT> square() { return {{0, 0}, {100, 0}, {100, 100}, {0, 100}}; }

// The L-shaped outline: an upper arm to the right, a lower arm downward.
inline std::vector<POINT> lShape() { return {{0, 0}, {100, 0}, {100, 50}, {50, 50}, {50, 100}, {0, 100}}; }

inline void expectPoint(const Point3D& p, float x, float y, float z) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
    EXPECT_EQ(p.z, z);
}

}  // namespace object3d_test
