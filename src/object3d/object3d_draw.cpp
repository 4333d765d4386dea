// Drawing items as shaded solids, picking them, and the drawing context's two
// entry points. Faces hide one another through a coverage region: within one
// call a face is painted only where no face of that call was painted before,
// so the order in which faces are painted decides which lies on top.
#include <hmigfx/my_dc.h>
#include <hmigfx/object3d.h>

#include "object3d/face_order_p.h"
#include "object3d/object3d_p.h"

#include <algorithm>
#include <cmath>
#include <vector>

using hmigfx::object3d::orderFaces;
using hmigfx::object3d::wholePart;
using hmigfx::object3d::YRank;

namespace {

// An item the drawing and picking code can read: every list present.
bool readable(const _ITEM* item) {
    return item && item->pointCount >= 1 && item->points && item->frontPoints && item->backPoints &&
           item->rotatedFront && item->rotatedBack && item->normals && item->rotatedNormals;
}

POINT whole(const Point3D& p) { return POINT{wholePart(p.x), wholePart(p.y)}; }

// The four corners of side face f (side i = f - 2), cut to whole numbers.
void sideCorners(const _ITEM* item, int f, POINT (&corners)[4]) {
    const int i = f - 2;
    corners[0] = whole(item->rotatedFront[i]);
    corners[1] = whole(item->rotatedFront[i + 1]);
    corners[2] = whole(item->rotatedBack[i + 1]);
    corners[3] = whole(item->rotatedBack[i]);
}

// A face normal turned toward the viewer; not-a-number never is.
bool facesViewer(const Point3D& normal) { return normal.z > 0.0f; }

// Paints faces through one device context, keeping the call's coverage
// region up to date.
class FacePainter {
public:
    FacePainter(CDC* dc, CRgn& painted, CRgn* clip) : dc_(dc), painted_(painted), clip_(clip) {}

    // The common step for one face: its brush is made and selected whether
    // or not the face is painted. `reduce` false puts the face over
    // everything painted before instead of under it.
    void face(COLORREF color, bool paint, const POINT* corners, int count, bool reduce = true) {
        CBrush brush(color);
        CBrush* previous = dc_->SelectObject(&brush);
        if (paint) fill(corners, count, reduce);
        dc_->SelectObject(previous);
        brush.DeleteObject();
    }

private:
    void fill(const POINT* corners, int count, bool reduce) {
        CRgn region;
        if (!region.CreatePolygonRgn(corners, count, ALTERNATE)) return;  // paints nothing
        if (first_) {
            painted_.CopyRgn(&region);
            first_ = false;
        } else {
            if (reduce) region.CombineRgn(&region, &painted_, RGN_DIFF);
            painted_.CombineRgn(&painted_, &region, RGN_OR);
        }
        if (clip_ && clip_->m_hObject) region.CombineRgn(&region, clip_, RGN_AND);
        dc_->PaintRgn(&region);
    }

    CDC* dc_;
    CRgn& painted_;
    CRgn* clip_;
    bool first_ = true;
};

// Drawing a body ends with a one-millisecond pause of the calling thread. It
// is documented behaviour hosts may rely on (the thread gives the processor
// up between bodies), so it stays although it costs a millisecond a body.
void pauseAfterBody() { ::Sleep(1); }

}  // namespace

void Object3D::DrawItem(CMyDC* pDC, _ITEM* pItem) {
    CDC* dc = pDC ? pDC->GetDC() : nullptr;
    if (!dc || !readable(pItem) || !EnsureScratch(pItem->pointCount)) return;
    dc->SetPolyFillMode(WINDING);
    BringUpToDate(pItem);

    const int n = pItem->pointCount;
    for (int p = 0; p < n + 2; ++p) faceOrder[p] = p;
    orderFaces(faceOrder, n, pItem->rotatedNormals, YRank::Greater);

    const Point3D* normals = pItem->rotatedNormals;
    FacePainter painter(dc, paintedRgn, nullptr);
    auto toView = [pDC](POINT p) {
        return pDC->DocToView(p, 0);  // copied at once: the result is shared
    };

    // The cap nearer the viewer, always, and first: nothing covers it.
    const int cap = normals[1].z > normals[0].z ? 1 : 0;
    const Point3D* outline = cap == 0 ? pItem->rotatedFront : pItem->rotatedBack;
    for (int i = 0; i < n; ++i) viewPoints[i] = toView(whole(outline[i]));
    painter.face(getColor(pItem, normals[cap]), true, viewPoints, n);

    // Sides from the end of the order toward its start: earlier ones win.
    for (int p = n + 1; p >= 2; --p) {
        const int f = faceOrder[p];
        POINT corners[4];
        sideCorners(pItem, f, corners);
        for (POINT& c : corners) c = toView(c);
        painter.face(getColor(pItem, normals[f]), facesViewer(normals[f]), corners, 4);
    }
    pauseAfterBody();
}

void Object3D::DrawItemInRgn(CMyDC* pDC, _ITEM* pItem, CRgn* pRgn) {
    CDC* dc = pDC ? pDC->GetDC() : nullptr;
    if (!dc || !readable(pItem) || !EnsureScratch(pItem->pointCount)) return;
    BringUpToDate(pItem);

    const int n = pItem->pointCount;
    for (int p = 0; p < n + 2; ++p) faceOrder[p] = p;
    orderFaces(faceOrder, n, pItem->normals, YRank::Smaller);

    const Point3D* normals = pItem->rotatedNormals;
    FacePainter painter(dc, paintedRgn, pRgn);
    // Front cap, then the sides in order; the back cap's place is skipped.
    for (int p = 0; p < n + 2; ++p) {
        const int f = faceOrder[p];
        const bool paint = facesViewer(normals[f]) && p != 1;
        if (f == 0) {
            if (paint)
                for (int i = 0; i < n; ++i) viewPoints[i] = whole(pItem->rotatedFront[i]);
            painter.face(getColor(pItem, normals[f]), paint, viewPoints, n);
        } else if (f >= 2) {
            POINT corners[4];
            sideCorners(pItem, f, corners);
            painter.face(getColor(pItem, normals[f]), paint, corners, 4);
        } else {
            painter.face(getColor(pItem, normals[f]), false, nullptr, 0);
        }
    }
    // The back cap last, over everything painted before.
    const bool paintBack = facesViewer(normals[1]);
    if (paintBack)
        for (int i = 0; i < n; ++i) viewPoints[i] = whole(pItem->rotatedBack[i]);
    painter.face(getColor(pItem, normals[1]), paintBack, viewPoints, n, false);
    pauseAfterBody();
}

namespace {

// Whether the point lies in the polygon's region (winding rule). A polygon
// region never reaches past its corners' box, so most faces are decided
// without building one.
bool inPolygon(const POINT* corners, int count, POINT pt) {
    if (count < 1) return false;
    LONG left = corners[0].x, right = corners[0].x, top = corners[0].y, bottom = corners[0].y;
    for (int i = 1; i < count; ++i) {
        left = std::min(left, corners[i].x);
        right = std::max(right, corners[i].x);
        top = std::min(top, corners[i].y);
        bottom = std::max(bottom, corners[i].y);
    }
    if (pt.x < left || pt.x > right || pt.y < top || pt.y > bottom) return false;
    HRGN region = ::CreatePolygonRgn(corners, count, WINDING);
    if (!region) return false;  // contains no point
    const bool inside = ::PtInRegion(region, pt.x, pt.y) != FALSE;
    ::DeleteObject(region);
    return inside;
}

}  // namespace

BOOL Object3D::IntersectionTest(CDC*, _ITEM* pItem, POINT point) {
    if (!readable(pItem)) return FALSE;
    const int n = pItem->pointCount;
    // Every face takes part, facing the viewer or not: front cap, sides, back cap.
    std::vector<POINT> cap(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) cap[static_cast<size_t>(i)] = whole(pItem->rotatedFront[i]);
    if (inPolygon(cap.data(), n, point)) return TRUE;
    for (int f = 2; f < n + 2; ++f) {
        POINT corners[4];
        sideCorners(pItem, f, corners);
        if (inPolygon(corners, 4, point)) return TRUE;
    }
    for (int i = 0; i < n; ++i) cap[static_cast<size_t>(i)] = whole(pItem->rotatedBack[i]);
    return inPolygon(cap.data(), n, point) ? TRUE : FALSE;
}

void CMyDC::objDraw3DObject(_ITEM* pItem, Object3D* pObject) {
    if (pObject) pObject->DrawItem(this, pItem);
}

void CMyDC::objDraw3DObjectInRgn(_ITEM* pItem, Object3D* pObject, CRgn* pRgn) {
    if (pObject) pObject->DrawItemInRgn(this, pItem, pRgn);
}
