// Points, sizes and rectangles in document units with fractional coordinates,
// and their archive records. Plain values: no base class, no virtual functions.
//
// Every conversion to an integer coordinate truncates toward zero (2.9 -> 2,
// -2.9 -> -2). Assignments and += / -= return nothing, and the copy
// constructors take non-const references, as the hosts were written against.
#pragma once

#include <afxwin.h>

class AFX_EXT_CLASS CMyPoint {
public:
    double x;
    double y;

    CMyPoint() {}  // undefined until assigned
    CMyPoint(CMyPoint& pt) : x(pt.x), y(pt.y) {}
    CMyPoint(CPoint& pt) : x(pt.x), y(pt.y) {}
    CMyPoint(int nX, int nY) : x(nX), y(nY) {}

    void CopyTo(CPoint& pt);
    void operator=(const CMyPoint& pt) {
        x = pt.x;
        y = pt.y;
    }
    void operator=(const POINT& pt) {
        x = pt.x;
        y = pt.y;
    }
    void operator+=(const POINT& pt) {
        x += pt.x;
        y += pt.y;
    }
    void operator-=(const POINT& pt) {
        x -= pt.x;
        y -= pt.y;
    }

    // The record: x, y as little-endian doubles (16 bytes).
    void Serialize(CArchive& ar);
    // The same record exchanged with an integer point: stored from pt, or
    // loaded and then truncated into pt.
    void Serialize(CArchive& ar, CPoint& pt);
};

class AFX_EXT_CLASS CMySize {
public:
    double cx;
    double cy;

    CMySize() {}  // undefined until assigned
    CMySize(CMySize& size) : cx(size.cx), cy(size.cy) {}
    CMySize(CSize& size) : cx(size.cx), cy(size.cy) {}
    CMySize(int nCX, int nCY) : cx(nCX), cy(nCY) {}

    void CopyTo(CSize& size);
    void operator=(const CMySize& size) {
        cx = size.cx;
        cy = size.cy;
    }
    void operator=(const SIZE& size) {
        cx = size.cx;
        cy = size.cy;
    }

    // The record: cx, cy as little-endian doubles (16 bytes).
    void Serialize(CArchive& ar);
    void Serialize(CArchive& ar, CSize& size);
};

// The edges are kept in the order left, right, top, bottom (not CRect's), and
// nothing but NormalizeRect reorders them.
class AFX_EXT_CLASS CMyRect {
public:
    double left;
    double right;
    double top;
    double bottom;

    CMyRect() {}  // undefined until assigned
    CMyRect(CMyRect& rect) : left(rect.left), right(rect.right), top(rect.top), bottom(rect.bottom) {}
    CMyRect(CRect& rect) : left(rect.left), right(rect.right), top(rect.top), bottom(rect.bottom) {}
    // In the framework's argument order.
    CMyRect(int nLeft, int nTop, int nRight, int nBottom) : left(nLeft), right(nRight), top(nTop), bottom(nBottom) {}

    void SetRect(int nLeft, int nTop, int nRight, int nBottom) {
        left = nLeft;
        top = nTop;
        right = nRight;
        bottom = nBottom;
    }
    void CopyTo(CRect& rect);
    // |trunc(right - left)| and |trunc(bottom - top)|: the difference first.
    int Width();
    int Height();

    void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
    void InflateRect(int l, int t, int r, int b) {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int dx, int dy) { DeflateRect(dx, dy, dx, dy); }
    void DeflateRect(int l, int t, int r, int b) {
        left += l;
        top += t;
        right -= r;
        bottom -= b;
    }
    // Exchanges left and right if right < left, and top and bottom if bottom < top.
    void NormalizeRect();

    void TopLeftTo(CMyPoint& pt) {
        pt.x = left;
        pt.y = top;
    }
    void TopLeftTo(CPoint& pt);
    void BottomRightTo(CMyPoint& pt) {
        pt.x = right;
        pt.y = bottom;
    }
    void BottomRightTo(CPoint& pt);
    void CenterPointTo(CMyPoint& pt) {
        pt.x = (left + right) / 2.0;
        pt.y = (top + bottom) / 2.0;
    }
    // Each coordinate truncated after the division.
    void CenterPointTo(CPoint& pt);

    void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void OffsetRect(CMyPoint pt) {
        left += pt.x;
        right += pt.x;
        top += pt.y;
        bottom += pt.y;
    }
    void OffsetRect(CPoint pt) { OffsetRect(static_cast<int>(pt.x), static_cast<int>(pt.y)); }

    void operator=(const CMyRect& rect) {
        left = rect.left;
        right = rect.right;
        top = rect.top;
        bottom = rect.bottom;
    }
    void operator=(const RECT& rect) {
        left = rect.left;
        right = rect.right;
        top = rect.top;
        bottom = rect.bottom;
    }
    void operator+=(const POINT& pt) { OffsetRect(static_cast<int>(pt.x), static_cast<int>(pt.y)); }
    void operator-=(const POINT& pt) {
        left -= pt.x;
        right -= pt.x;
        top -= pt.y;
        bottom -= pt.y;
    }

    // The record: left, right, top, bottom as little-endian doubles (32 bytes);
    // the horizontal pair comes first.
    void Serialize(CArchive& ar);
    void Serialize(CArchive& ar, CRect& rect);
};
