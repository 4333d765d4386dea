// The geometry values' conversions and archive records.
#include <hmigfx/my_geometry.h>

#include "geometry/truncate_p.h"

#include <climits>
#include <utility>

using hmigfx::TruncToInt;

void CMyPoint::CopyTo(CPoint& pt) {
    pt.x = TruncToInt(x);
    pt.y = TruncToInt(y);
}

// Loading reads straight into the fields, so an archive that ends early leaves
// the fields read so far.
void CMyPoint::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << x << y;
    else
        ar >> x >> y;
}

void CMyPoint::Serialize(CArchive& ar, CPoint& pt) {
    if (ar.IsStoring()) {
        x = pt.x;
        y = pt.y;
        ar << x << y;
    } else {
        ar >> x >> y;
        CopyTo(pt);
    }
}

void CMySize::CopyTo(CSize& size) {
    size.cx = TruncToInt(cx);
    size.cy = TruncToInt(cy);
}

void CMySize::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << cx << cy;
    else
        ar >> cx >> cy;
}

void CMySize::Serialize(CArchive& ar, CSize& size) {
    if (ar.IsStoring()) {
        cx = size.cx;
        cy = size.cy;
        ar << cx << cy;
    } else {
        ar >> cx >> cy;
        CopyTo(size);
    }
}

void CMyRect::CopyTo(CRect& rect) {
    rect.left = TruncToInt(left);
    rect.top = TruncToInt(top);
    rect.right = TruncToInt(right);
    rect.bottom = TruncToInt(bottom);
}

int CMyRect::Width() {
    const int w = TruncToInt(right - left);
    return w < 0 && w != INT_MIN ? -w : w;
}

int CMyRect::Height() {
    const int h = TruncToInt(bottom - top);
    return h < 0 && h != INT_MIN ? -h : h;
}

void CMyRect::NormalizeRect() {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
}

void CMyRect::TopLeftTo(CPoint& pt) {
    pt.x = TruncToInt(left);
    pt.y = TruncToInt(top);
}

void CMyRect::BottomRightTo(CPoint& pt) {
    pt.x = TruncToInt(right);
    pt.y = TruncToInt(bottom);
}

void CMyRect::CenterPointTo(CPoint& pt) {
    pt.x = TruncToInt((left + right) / 2.0);
    pt.y = TruncToInt((top + bottom) / 2.0);
}

void CMyRect::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << left << right << top << bottom;
    else
        ar >> left >> right >> top >> bottom;
}

void CMyRect::Serialize(CArchive& ar, CRect& rect) {
    if (ar.IsStoring()) {
        left = rect.left;
        top = rect.top;
        right = rect.right;
        bottom = rect.bottom;
        ar << left << right << top << bottom;
    } else {
        ar >> left >> right >> top >> bottom;
        CopyTo(rect);
    }
}
