// Forming the derived geometry of an item and the transforms that change it.
// Every stored coordinate is rounded to single precision after each step, and
// trigonometry comes from the whole-degree tables only, so results are
// reproducible to the bit.
#include <hmigfx/object3d.h>

#include "object3d/object3d_p.h"

#include <cmath>
#include <cstdint>

using hmigfx::object3d::reduceAngle;
using hmigfx::object3d::single;
using hmigfx::object3d::wholePart;

namespace {

// An item whose lists can be formed: library-made items always qualify.
bool formable(const _ITEM* item) {
    return item && item->pointCount >= 1 && item->points && item->frontPoints && item->backPoints &&
           item->rotatedFront && item->rotatedBack && item->normals && item->rotatedNormals;
}

// Coordinate k of m applied to p: (p.x m[k][0] + p.y m[k][1]) + p.z m[k][2]
// in double precision, rounded once.
float rowTimes(const double (&m)[3][3], int k, float x, float y, float z) {
    return single((x * m[k][0] + y * m[k][1]) + z * m[k][2]);
}

// Whole-number bounding box, grown only by strictly smaller or larger values;
// a value that extends it contributes its whole-number part.
struct WholeBox {
    int minX, minY, maxX, maxY;

    explicit WholeBox(const Point3D& first)
        : minX(wholePart(first.x)), minY(wholePart(first.y)), maxX(minX), maxY(minY) {}
    void add(const Point3D& p) {
        if (p.x < static_cast<double>(minX)) minX = wholePart(p.x);
        if (p.x > static_cast<double>(maxX)) maxX = wholePart(p.x);
        if (p.y < static_cast<double>(minY)) minY = wholePart(p.y);
        if (p.y > static_cast<double>(maxY)) maxY = wholePart(p.y);
    }
};

int halfSum(int a, int b) { return static_cast<int>((static_cast<int64_t>(a) + b) / 2); }

int saturatingProduct(int a, int b) {
    int64_t p = static_cast<int64_t>(a) * b;
    if (p > INT32_MAX) return INT32_MAX;
    if (p < INT32_MIN) return INT32_MIN;
    return static_cast<int>(p);
}

}  // namespace

void Object3D::Reform(_ITEM* pItem) {
    FormationCenter(pItem);
    FormationFrontPoint(pItem);
    FormationBackPoint(pItem);
    FormationNomalVector(pItem);
    ModifyRotationItem(pItem);
    FormationFence3DItem(pItem);
}

void Object3D::RefreshRotation(_ITEM* pItem) {
    ModifyRotationItem(pItem);
    FormationFence3DItem(pItem);
}

void Object3D::BringUpToDate(_ITEM* pItem) {
    if (pItem->geometryChanged) {
        Reform(pItem);
        pItem->geometryChanged = 0;
        pItem->rotationChanged = 0;
    } else if (pItem->rotationChanged) {
        RefreshRotation(pItem);
        pItem->rotationChanged = 0;
    }
}

_ITEM* Object3D::FormationCenter(_ITEM* pItem) {
    if (!formable(pItem)) return pItem;
    WholeBox box(pItem->points[0]);
    for (int i = 1; i < pItem->pointCount; ++i) box.add(pItem->points[i]);
    pItem->minPoint.x = static_cast<float>(box.minX);
    pItem->minPoint.y = static_cast<float>(box.minY);
    pItem->maxPoint.x = static_cast<float>(box.maxX);
    pItem->maxPoint.y = static_cast<float>(box.maxY);
    pItem->center.x = static_cast<float>(halfSum(box.minX, box.maxX));
    pItem->center.y = static_cast<float>(halfSum(box.minY, box.maxY));
    return pItem;
}

_ITEM* Object3D::FormationFrontPoint(_ITEM* pItem) {
    if (!formable(pItem)) return pItem;
    const int n = pItem->pointCount;
    const float z = static_cast<float>(pItem->depth);
    for (int i = 0; i < n; ++i) pItem->frontPoints[i] = Point3D(pItem->points[i].x, pItem->points[i].y, z);
    pItem->frontPoints[n] = Point3D(pItem->points[0].x, pItem->points[0].y, z);
    return pItem;
}

_ITEM* Object3D::FormationPillarBackPoint(_ITEM* pItem) {
    if (!formable(pItem)) return pItem;
    const int n = pItem->pointCount;
    const float z = single(-static_cast<double>(pItem->depth));
    for (int i = 0; i < n; ++i) pItem->backPoints[i] = Point3D(pItem->points[i].x, pItem->points[i].y, z);
    pItem->backPoints[n] = Point3D(pItem->points[0].x, pItem->points[0].y, z);
    return pItem;
}

_ITEM* Object3D::FormationBackPoint(_ITEM* pItem) {
    if (!formable(pItem)) return pItem;
    FormationPillarBackPoint(pItem);
    const int cx = wholePart(pItem->center.x);
    const int cy = wholePart(pItem->center.y);
    const int entries = pItem->pointCount + 1;
    switch (pItem->shape) {
    case SHAPE3D_PYRAMID: FormationScalingPoint(pItem->backPoints, entries, cx, cy, 0.0f); break;
    case SHAPE3D_NARROW: FormationScalingPoint(pItem->backPoints, entries, cx, cy, 0.5f); break;
    case SHAPE3D_WIDEN: FormationScalingPoint(pItem->backPoints, entries, cx, cy, 2.0f); break;
    default: break;  // a straight prism
    }
    FormationNomalVector(pItem);
    return pItem;
}

void Object3D::FormationScalingPoint(Point3D* pPoints, int nCount, int nCenterX, int nCenterY, float fScale) {
    if (!pPoints) return;
    for (int i = 0; i < nCount; ++i) {
        Point3D& p = pPoints[i];
        p.x = single(static_cast<double>(p.x) - nCenterX);
        p.y = single(static_cast<double>(p.y) - nCenterY);
        p.x = single(static_cast<double>(p.x) * fScale);
        p.y = single(static_cast<double>(p.y) * fScale);
        p.x = single(nCenterX + static_cast<double>(p.x));
        p.y = single(nCenterY + static_cast<double>(p.y));
    }
}

_ITEM* Object3D::FormationNomalVector(_ITEM* pItem) {
    if (!formable(pItem)) return pItem;
    pItem->normals[0] = Point3D(0.0f, 0.0f, static_cast<float>(pItem->depth));
    pItem->normals[1] = Point3D(0.0f, 0.0f, single(-static_cast<double>(pItem->depth)));
    const Point3D* front = pItem->frontPoints;
    const Point3D* back = pItem->backPoints;
    for (int i = 0; i < pItem->pointCount; ++i) {
        const float ax = single(static_cast<double>(front[i + 1].x) - front[i].x);
        const float ay = single(static_cast<double>(front[i + 1].y) - front[i].y);
        const float az = single(static_cast<double>(front[i + 1].z) - front[i].z);
        const float bx = single(static_cast<double>(back[i].x) - front[i].x);
        const float by = single(static_cast<double>(back[i].y) - front[i].y);
        const float bz = single(static_cast<double>(back[i].z) - front[i].z);
        // b x a points out of the body for an outline that runs clockwise on
        // the screen.
        const float nx = single(static_cast<double>(by) * az - static_cast<double>(bz) * ay);
        const float ny = single(static_cast<double>(bz) * ax - static_cast<double>(bx) * az);
        const float nz = single(static_cast<double>(bx) * ay - static_cast<double>(by) * ax);
        float sum = nx * nx + ny * ny;
        sum = sum + nz * nz;
        const float length = std::sqrt(sum);
        // A zero length (coincident points, or a flat prism) gives NaN
        // components; drawing never shows such a side.
        pItem->normals[i + 2] = Point3D(nx / length, ny / length, nz / length);
    }
    return pItem;
}

_ITEM* Object3D::ModifyRotationItem(_ITEM* pItem) {
    if (!formable(pItem)) return pItem;
    const int n = pItem->pointCount;
    const double(&m)[3][3] = pItem->matrix;
    const float cx = pItem->center.x;
    const float cy = pItem->center.y;
    auto rotate = [&](const Point3D& p) {
        const float px = single(static_cast<double>(p.x) - cx);
        const float py = single(static_cast<double>(p.y) - cy);
        return Point3D(single(static_cast<double>(rowTimes(m, 0, px, py, p.z)) + cx),
                       single(static_cast<double>(rowTimes(m, 1, px, py, p.z)) + cy), rowTimes(m, 2, px, py, p.z));
    };
    for (int i = 0; i < n; ++i) {
        pItem->rotatedFront[i] = rotate(pItem->frontPoints[i]);
        pItem->rotatedBack[i] = rotate(pItem->backPoints[i]);
    }
    pItem->rotatedFront[n] = pItem->rotatedFront[0];
    pItem->rotatedBack[n] = pItem->rotatedBack[0];
    for (int f = 0; f < n + 2; ++f) {
        const Point3D& v = pItem->normals[f];
        pItem->rotatedNormals[f] =
            Point3D(rowTimes(m, 0, v.x, v.y, v.z), rowTimes(m, 1, v.x, v.y, v.z), rowTimes(m, 2, v.x, v.y, v.z));
    }
    return pItem;
}

_ITEM* Object3D::FormationFence3DItem(_ITEM* pItem) {
    if (!formable(pItem)) return pItem;
    WholeBox box(pItem->rotatedFront[0]);
    for (int i = 0; i < pItem->pointCount; ++i) box.add(pItem->rotatedFront[i]);
    for (int i = 0; i < pItem->pointCount; ++i) box.add(pItem->rotatedBack[i]);
    pItem->fenceMin.x = static_cast<float>(box.minX);
    pItem->fenceMin.y = static_cast<float>(box.minY);
    pItem->fenceMax.x = static_cast<float>(box.maxX);
    pItem->fenceMax.y = static_cast<float>(box.maxY);
    return pItem;
}

// The fence as whole-number corners; like picking, from the lists as they stand.
BOOL Object3D::GetFenceItem(_ITEM* pItem, POINT* pFence) {
    if (!pItem || !pFence) return FALSE;
    pFence[0] = POINT{wholePart(pItem->fenceMin.x), wholePart(pItem->fenceMin.y)};
    pFence[1] = POINT{wholePart(pItem->fenceMax.x), wholePart(pItem->fenceMax.y)};
    return TRUE;
}

_ITEM* Object3D::ClearMatrix(_ITEM* pItem) {
    if (!pItem) return pItem;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) pItem->matrix[r][c] = r == c ? 1.0 : 0.0;
    return pItem;
}

_ITEM* Object3D::RotationMatrix(_ITEM* pItem, int nAngleX, int nAngleY, int nAngleZ) {
    if (!pItem) return pItem;
    const int ax = reduceAngle(nAngleX), ay = reduceAngle(nAngleY), az = reduceAngle(nAngleZ);
    if (ax == 0 && ay == 0 && az == 0) return pItem;
    const double sx = sinTable[ax], cx = cosTable[ax];
    const double sy = sinTable[ay], cy = cosTable[ay];
    const double sz = sinTable[az], cz = cosTable[az];
    // Rz(Z) * Ry(-Y) * Rx(X): X first, then Y with the opposite sign, then Z.
    const double r[3][3] = {
        {cz * cy, -cz * sy * sx - sz * cx, -cz * sy * cx + sz * sx},
        {sz * cy, -sz * sy * sx + cz * cx, -sz * sy * cx - cz * sx},
        {sy, cy * sx, cy * cx},
    };
    // R on the left: each call turns the body further about the fixed axes.
    double product[3][3];
    const double(&m)[3][3] = pItem->matrix;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) product[i][j] = (r[i][0] * m[0][j] + r[i][1] * m[1][j]) + r[i][2] * m[2][j];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) pItem->matrix[i][j] = product[i][j];
    return pItem;
}

_ITEM* Object3D::SetRotationItem(_ITEM* pItem, int nAngleX, int nAngleY, int nAngleZ) {
    if (!pItem) return pItem;
    const int ax = reduceAngle(nAngleX), ay = reduceAngle(nAngleY), az = reduceAngle(nAngleZ);
    if (ax != 0 || ay != 0 || az != 0) {
        RotationMatrix(pItem, ax, ay, az);
        pItem->rotationChanged = 1;
    }
    RefreshRotation(pItem);
    pItem->rotationChanged = 0;
    return pItem;
}

_ITEM* Object3D::SetRotationClear(_ITEM* pItem) {
    if (!pItem) return pItem;
    ClearMatrix(pItem);
    pItem->rotationChanged = 1;
    return pItem;
}

_ITEM* Object3D::SetScalingItem(_ITEM* pItem, float fScale) {
    if (!formable(pItem)) return pItem;
    if (fScale != 0.0f) {
        FormationScalingPoint(pItem->points, pItem->pointCount, wholePart(pItem->center.x),
                              wholePart(pItem->center.y), fScale);
        // The depth follows only the whole part of the factor.
        pItem->depth = saturatingProduct(pItem->depth, wholePart(fScale));
        pItem->geometryChanged = 1;
    }
    if (pItem->geometryChanged) Reform(pItem);
    pItem->geometryChanged = 0;
    return pItem;
}

_ITEM* Object3D::SetMoveItem(_ITEM* pItem, int nDx, int nDy) {
    if (!formable(pItem)) return pItem;
    for (int i = 0; i < pItem->pointCount; ++i) {
        pItem->points[i].x = single(static_cast<double>(pItem->points[i].x) + nDx);
        pItem->points[i].y = single(static_cast<double>(pItem->points[i].y) + nDy);
    }
    pItem->geometryChanged = 0;
    Reform(pItem);
    return pItem;
}

namespace {

// One axis of a resize: the box [lo, hi] becomes [lo - before, hi + after]
// and every coordinate keeps its relative place in it. A box of zero extent
// cannot be stretched; its points then move with the near edge. No
// coordinate ends up below 0.
float resizeCoordinate(float v, double lo, double oldExtent, double newExtent, double before) {
    const float offset = single(static_cast<double>(v) - lo);
    const double moved = oldExtent != 0.0 ? lo + offset * newExtent / oldExtent - before : lo + offset - before;
    const float result = single(moved);
    return result < 0.0f ? 0.0f : result;
}

}  // namespace

_ITEM* Object3D::SetReSizeItem(_ITEM* pItem, double dLeft, double dRight, double dTop, double dBottom) {
    if (!formable(pItem)) return pItem;
    const double minX = pItem->minPoint.x, maxX = pItem->maxPoint.x;
    const double minY = pItem->minPoint.y, maxY = pItem->maxPoint.y;
    if (dLeft != 0.0 || dRight != 0.0) {
        const double width = maxX - minX;
        const double newWidth = maxX + (dLeft + dRight) - minX;
        for (int i = 0; i < pItem->pointCount; ++i)
            pItem->points[i].x = resizeCoordinate(pItem->points[i].x, minX, width, newWidth, dLeft);
    }
    if (dBottom != 0.0 || dTop != 0.0) {
        const double height = maxY - minY;
        const double newHeight = height + (dBottom + dTop);
        for (int i = 0; i < pItem->pointCount; ++i)
            pItem->points[i].y = resizeCoordinate(pItem->points[i].y, minY, height, newHeight, dTop);
    }
    pItem->geometryChanged = 0;
    Reform(pItem);
    return pItem;
}
