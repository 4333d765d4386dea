// Object3D construction, copying, item construction, accessors and release.
#include <hmigfx/object3d.h>

#include "object3d/object3d_p.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

using hmigfx::object3d::listBytes;
using hmigfx::object3d::single;

namespace {

// Item lists and scratch lists live on the C heap: the records have no
// default constructors, and hosts written against the original release them
// with free().
template <typename T>
T* allocList(int n, int extra) {
    size_t bytes = listBytes(n, extra, sizeof(T));
    return bytes ? static_cast<T*>(std::malloc(bytes)) : nullptr;
}

template <typename T>
T* copyList(const T* src, int n, int extra) {
    T* dst = allocList<T>(n, extra);
    if (dst && src) std::memcpy(static_cast<void*>(dst), src, listBytes(n, extra, sizeof(T)));
    return dst;
}

// The seven point lists of an item with n points, all or none.
struct ItemLists {
    Point3D* points = nullptr;
    Point3D* frontPoints = nullptr;
    Point3D* backPoints = nullptr;
    Point3D* rotatedFront = nullptr;
    Point3D* rotatedBack = nullptr;
    Point3D* normals = nullptr;
    Point3D* rotatedNormals = nullptr;

    bool allocate(int n) {
        points = allocList<Point3D>(n, 0);
        frontPoints = allocList<Point3D>(n, 1);
        backPoints = allocList<Point3D>(n, 1);
        rotatedFront = allocList<Point3D>(n, 1);
        rotatedBack = allocList<Point3D>(n, 1);
        normals = allocList<Point3D>(n, 2);
        rotatedNormals = allocList<Point3D>(n, 2);
        if (points && frontPoints && backPoints && rotatedFront && rotatedBack && normals && rotatedNormals) return true;
        release();
        return false;
    }
    void release() {
        for (Point3D* p : {points, frontPoints, backPoints, rotatedFront, rotatedBack, normals, rotatedNormals})
            std::free(p);
        *this = ItemLists{};
    }
    void moveInto(_ITEM* item) const {
        item->points = points;
        item->frontPoints = frontPoints;
        item->backPoints = backPoints;
        item->rotatedFront = rotatedFront;
        item->rotatedBack = rotatedBack;
        item->normals = normals;
        item->rotatedNormals = rotatedNormals;
    }
};

// Outline sizes beyond this are refused: n + 2 must stay an int.
constexpr int kMaxPoints = 0x3FFFFFFF;

}  // namespace

Object3D::Object3D()
    : pointCount(0), viewPoints(nullptr), faceOrder(nullptr), spareValue(0.0f), defaultDepth(50),
      defaultColor(0x00FF00FF) {
    // The tables are built from 3.141592 in single precision, not from the
    // exact pi: the residues (cos 90 is about 3.14e-7) are part of what the
    // shading and the visibility tests see.
    const float degreesPerRadian = 180.0f / 3.141592f;
    for (int d = 0; d < 360; ++d) {
        float angle = static_cast<float>(d) / degreesPerRadian;
        sinTable[d] = single(std::sin(static_cast<double>(angle)));
        cosTable[d] = single(std::cos(static_cast<double>(angle)));
    }
    // NTSC RGB-to-YIQ coefficients times every channel value.
    for (int v = 0; v < 256; ++v) {
        lumaFromRed[v] = single(0.299 * v);
        lumaFromGreen[v] = single(0.587 * v);
        lumaFromBlue[v] = single(0.114 * v);
        inPhaseFromRed[v] = single(0.596 * v);
        inPhaseFromGreen[v] = single(-0.275 * v);
        inPhaseFromBlue[v] = single(-0.321 * v);
        quadratureFromRed[v] = single(0.212 * v);
        quadratureFromGreen[v] = single(-0.528 * v);
        quadratureFromBlue[v] = single(0.311 * v);
    }
    paintedRgn.CreateRectRgn(0, 0, 10, 10);
}

Object3D::~Object3D() {
    std::free(viewPoints);
    std::free(faceOrder);
    paintedRgn.DeleteObject();
}

Object3D& Object3D::operator=(Object3D*& pSrc) {
    CopyObject3D(pSrc);
    return *this;
}

Object3D* Object3D::CopyObject3D(Object3D* pSrc) {
    if (!pSrc) return this;
    POINT* points = nullptr;
    int* order = nullptr;
    if (pSrc->viewPoints && pSrc->faceOrder && pSrc->pointCount > 0) {
        points = copyList<POINT>(pSrc->viewPoints, pSrc->pointCount, 0);
        order = copyList<int>(pSrc->faceOrder, pSrc->pointCount, 2);
        if (!points || !order) {  // out of memory: keep this object as it was
            std::free(points);
            std::free(order);
            return this;
        }
    }
    std::free(viewPoints);
    std::free(faceOrder);
    viewPoints = points;
    faceOrder = order;
    pointCount = pSrc->pointCount;
    defaultColor = pSrc->defaultColor;
    defaultDepth = pSrc->defaultDepth;
    spareValue = pSrc->spareValue;
    return this;
}

_ITEM* Object3D::CreatePolygonItem(short nShape, POINT* pPoints, int nCount) {
    if (!pPoints || nCount < 1 || nCount > kMaxPoints) return nullptr;

    // Everything is allocated before anything changes, so running out of
    // memory leaves the object as it was.
    auto* item = static_cast<_ITEM*>(std::calloc(1, sizeof(_ITEM)));
    ItemLists lists;
    POINT* newViewPoints = allocList<POINT>(nCount, 0);
    int* newFaceOrder = allocList<int>(nCount, 2);
    if (!item || !lists.allocate(nCount) || !newViewPoints || !newFaceOrder) {
        lists.release();
        std::free(item);
        std::free(newViewPoints);
        std::free(newFaceOrder);
        return nullptr;
    }

    ClearMatrix(item);
    item->depth = defaultDepth;
    item->light = LIGHT3D_VIEWER;
    item->color = defaultColor;
    item->shape = nShape;
    item->geometryChanged = 1;
    item->rotationChanged = 1;
    // reserved and lineColor start at 0.

    pointCount = nCount;
    std::free(viewPoints);
    std::free(faceOrder);
    viewPoints = nullptr;
    faceOrder = nullptr;
    ::Sleep(1);
    viewPoints = newViewPoints;
    faceOrder = newFaceOrder;

    item->pointCount = nCount;
    lists.moveInto(item);
    for (int i = 0; i < nCount; ++i)
        item->points[i] = Point3D(static_cast<float>(pPoints[i].x), static_cast<float>(pPoints[i].y), 0.0f);

    Reform(item);
    item->geometryChanged = 0;
    item->rotationChanged = 0;
    return item;
}

_ITEM* Object3D::CopyItem(_ITEM* pSrc) {
    if (!pSrc || pSrc->pointCount < 1 || pSrc->pointCount > kMaxPoints) return nullptr;
    auto* item = static_cast<_ITEM*>(std::malloc(sizeof(_ITEM)));
    ItemLists lists;
    if (!item || !lists.allocate(pSrc->pointCount)) {
        std::free(item);
        return nullptr;
    }
    // The record's scalar fields, then fresh lists of the source's lengths.
    std::memcpy(static_cast<void*>(item), pSrc, sizeof(_ITEM));
    lists.moveInto(item);
    const int n = pSrc->pointCount;
    auto copy = [](Point3D* dst, const Point3D* src, int entries) {
        if (src) std::memcpy(static_cast<void*>(dst), src, static_cast<size_t>(entries) * sizeof(Point3D));
    };
    copy(item->points, pSrc->points, n);
    copy(item->normals, pSrc->normals, n + 2);
    copy(item->rotatedNormals, pSrc->rotatedNormals, n + 2);
    copy(item->frontPoints, pSrc->frontPoints, n + 1);
    copy(item->backPoints, pSrc->backPoints, n + 1);
    copy(item->rotatedFront, pSrc->rotatedFront, n + 1);
    copy(item->rotatedBack, pSrc->rotatedBack, n + 1);
    return item;
}

void Object3D::ReleaseItem(_ITEM* pItem) {
    if (!pItem) return;
    ItemLists lists{pItem->points,       pItem->frontPoints, pItem->backPoints,    pItem->rotatedFront,
                    pItem->rotatedBack, pItem->normals,     pItem->rotatedNormals};
    lists.release();
    std::free(pItem);
}

_ITEM* Object3D::SetShapeItem(_ITEM* pItem, int nShape) {
    if (!pItem) return pItem;
    pItem->shape = static_cast<short>(nShape);
    pItem->geometryChanged = 1;
    return pItem;
}

_ITEM* Object3D::SetDepthItem(_ITEM* pItem, int nDepth) {
    if (!pItem) return pItem;
    pItem->depth = nDepth;
    pItem->geometryChanged = 1;
    return pItem;
}

int Object3D::GetDepthItem(_ITEM* pItem) { return pItem ? pItem->depth : 0; }

_ITEM* Object3D::SetColorItem(_ITEM* pItem, COLORREF color) {
    if (pItem) pItem->color = color;
    return pItem;
}

_ITEM* Object3D::SetLineColorItem(_ITEM* pItem, COLORREF color) {
    if (pItem) pItem->lineColor = color;
    return pItem;
}

_ITEM* Object3D::SetLightItem(_ITEM* pItem, int nLight) {
    if (pItem) pItem->light = nLight;
    return pItem;
}

void Object3D::DeleteItem(_ITEM*) {
    std::free(viewPoints);
    std::free(faceOrder);
    viewPoints = nullptr;
    faceOrder = nullptr;
}

bool Object3D::EnsureScratch(int nCount) {
    if (nCount < 1 || nCount > kMaxPoints) return false;
    if (viewPoints && faceOrder && pointCount >= nCount) return true;
    // An item with more points than the one this object created last: the
    // object takes it on as its own, as if it had created it.
    POINT* points = allocList<POINT>(nCount, 0);
    int* order = allocList<int>(nCount, 2);
    if (!points || !order) {
        std::free(points);
        std::free(order);
        return false;
    }
    std::free(viewPoints);
    std::free(faceOrder);
    viewPoints = points;
    faceOrder = order;
    pointCount = nCount;
    return true;
}
