// CSize, CPoint and CRect: the integer geometry values of the MFC subset,
// layout-compatible with SIZE, POINT and RECT. Default construction gives zero.
#pragma once

#include <windows.h>

#include <cstdint>

// The arithmetic is the processor's, as MFC's is: 32 bits that wrap (written
// out, as signed overflow is undefined in C++).
namespace afx_detail {
inline LONG add(LONG a, LONG b) { return static_cast<LONG>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
inline LONG sub(LONG a, LONG b) { return static_cast<LONG>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }
inline LONG neg(LONG a) { return sub(0, a); }
inline LONG mid(LONG a, LONG b) { return static_cast<LONG>((int64_t{a} + b) / 2); }
}  // namespace afx_detail

class CPoint;
class CRect;

class CSize : public tagSIZE {
public:
    CSize() {
        cx = 0;
        cy = 0;
    }
    CSize(int initCX, int initCY) {
        cx = initCX;
        cy = initCY;
    }
    CSize(SIZE initSize) : tagSIZE(initSize) {}
    CSize(POINT initPt) {
        cx = initPt.x;
        cy = initPt.y;
    }
    explicit CSize(DWORD dwSize) {
        cx = static_cast<short>(LOWORD(dwSize));
        cy = static_cast<short>(HIWORD(dwSize));
    }

    BOOL operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    BOOL operator!=(SIZE size) const { return !(*this == size); }
    void operator+=(SIZE size) {
        cx = afx_detail::add(cx, size.cx);
        cy = afx_detail::add(cy, size.cy);
    }
    void operator-=(SIZE size) {
        cx = afx_detail::sub(cx, size.cx);
        cy = afx_detail::sub(cy, size.cy);
    }
    void SetSize(int CX, int CY) {
        cx = CX;
        cy = CY;
    }

    CSize operator+(SIZE size) const { return CSize(afx_detail::add(cx, size.cx), afx_detail::add(cy, size.cy)); }
    CSize operator-(SIZE size) const { return CSize(afx_detail::sub(cx, size.cx), afx_detail::sub(cy, size.cy)); }
    CSize operator-() const { return CSize(afx_detail::neg(cx), afx_detail::neg(cy)); }
    inline CPoint operator+(POINT point) const;
    inline CPoint operator-(POINT point) const;
    inline CRect operator+(const RECT* lpRect) const;
    inline CRect operator-(const RECT* lpRect) const;
};

class CPoint : public tagPOINT {
public:
    CPoint() {
        x = 0;
        y = 0;
    }
    CPoint(int initX, int initY) {
        x = initX;
        y = initY;
    }
    CPoint(POINT initPt) : tagPOINT(initPt) {}
    CPoint(SIZE initSize) {
        x = initSize.cx;
        y = initSize.cy;
    }
    explicit CPoint(LPARAM dwPoint) {
        x = static_cast<short>(LOWORD(dwPoint));
        y = static_cast<short>(HIWORD(dwPoint));
    }

    void Offset(int xOffset, int yOffset) {
        x = afx_detail::add(x, xOffset);
        y = afx_detail::add(y, yOffset);
    }
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int X, int Y) {
        x = X;
        y = Y;
    }

    BOOL operator==(POINT point) const { return x == point.x && y == point.y; }
    BOOL operator!=(POINT point) const { return !(*this == point); }
    void operator+=(SIZE size) { Offset(size); }
    void operator-=(SIZE size) { Offset(afx_detail::neg(size.cx), afx_detail::neg(size.cy)); }
    void operator+=(POINT point) { Offset(point); }
    void operator-=(POINT point) { Offset(afx_detail::neg(point.x), afx_detail::neg(point.y)); }

    CPoint operator+(SIZE size) const { return CPoint(afx_detail::add(x, size.cx), afx_detail::add(y, size.cy)); }
    CPoint operator-(SIZE size) const { return CPoint(afx_detail::sub(x, size.cx), afx_detail::sub(y, size.cy)); }
    CPoint operator-() const { return CPoint(afx_detail::neg(x), afx_detail::neg(y)); }
    CPoint operator+(POINT point) const { return CPoint(afx_detail::add(x, point.x), afx_detail::add(y, point.y)); }
    CSize operator-(POINT point) const { return CSize(afx_detail::sub(x, point.x), afx_detail::sub(y, point.y)); }
    inline CRect operator+(const RECT* lpRect) const;
    inline CRect operator-(const RECT* lpRect) const;
};

class CRect : public tagRECT {
public:
    CRect() {
        left = top = right = bottom = 0;
    }
    CRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& srcRect) : tagRECT(srcRect) {}
    CRect(LPCRECT lpSrcRect) : tagRECT(*lpSrcRect) {}
    CRect(POINT point, SIZE size) {
        left = point.x;
        top = point.y;
        right = afx_detail::add(point.x, size.cx);
        bottom = afx_detail::add(point.y, size.cy);
    }
    CRect(POINT topLeft, POINT bottomRight) {
        left = topLeft.x;
        top = topLeft.y;
        right = bottomRight.x;
        bottom = bottomRight.y;
    }

    int Width() const { return afx_detail::sub(right, left); }
    int Height() const { return afx_detail::sub(bottom, top); }
    CSize Size() const { return CSize(Width(), Height()); }
    // Views of the two corners as points, as MFC gives them.
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const { return CPoint(afx_detail::mid(left, right), afx_detail::mid(top, bottom)); }
    void SwapLeftRight() {
        const LONG t = left;
        left = right;
        right = t;
    }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }

    void SetRect(int x1, int y1, int x2, int y2) { ::SetRect(this, x1, y1, x2, y2); }
    void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(LPCRECT lpSrcRect) { ::CopyRect(this, lpSrcRect); }
    BOOL EqualRect(LPCRECT lpRect) const { return ::EqualRect(this, lpRect); }

    void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
    void InflateRect(SIZE size) { ::InflateRect(this, size.cx, size.cy); }
    void InflateRect(LPCRECT lpRect) { InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    void InflateRect(int l, int t, int r, int b) {
        left = afx_detail::sub(left, l);
        top = afx_detail::sub(top, t);
        right = afx_detail::add(right, r);
        bottom = afx_detail::add(bottom, b);
    }
    void DeflateRect(int x, int y) { ::InflateRect(this, afx_detail::neg(x), afx_detail::neg(y)); }
    void DeflateRect(SIZE size) { ::InflateRect(this, afx_detail::neg(size.cx), afx_detail::neg(size.cy)); }
    void DeflateRect(LPCRECT lpRect) { DeflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    void DeflateRect(int l, int t, int r, int b) {
        left = afx_detail::add(left, l);
        top = afx_detail::add(top, t);
        right = afx_detail::sub(right, r);
        bottom = afx_detail::sub(bottom, b);
    }

    void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
    void OffsetRect(SIZE size) { ::OffsetRect(this, size.cx, size.cy); }
    void OffsetRect(POINT point) { ::OffsetRect(this, point.x, point.y); }
    void NormalizeRect() {
        if (left > right) SwapLeftRight();
        if (top > bottom) {
            const LONG t = top;
            top = bottom;
            bottom = t;
        }
    }
    void MoveToY(int y) {
        bottom = afx_detail::add(Height(), y);
        top = y;
    }
    void MoveToX(int x) {
        right = afx_detail::add(Width(), x);
        left = x;
    }
    void MoveToXY(int x, int y) {
        MoveToX(x);
        MoveToY(y);
    }
    void MoveToXY(POINT point) { MoveToXY(point.x, point.y); }

    BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::IntersectRect(this, lpRect1, lpRect2); }
    BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::UnionRect(this, lpRect1, lpRect2); }
    BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2) { return ::SubtractRect(this, lpRectSrc1, lpRectSrc2); }

    void operator=(const RECT& srcRect) { ::CopyRect(this, &srcRect); }
    BOOL operator==(const RECT& rect) const { return ::EqualRect(this, &rect); }
    BOOL operator!=(const RECT& rect) const { return !::EqualRect(this, &rect); }
    void operator+=(POINT point) { OffsetRect(point); }
    void operator+=(SIZE size) { OffsetRect(size); }
    void operator+=(LPCRECT lpRect) { InflateRect(lpRect); }
    void operator-=(POINT point) { ::OffsetRect(this, afx_detail::neg(point.x), afx_detail::neg(point.y)); }
    void operator-=(SIZE size) { ::OffsetRect(this, afx_detail::neg(size.cx), afx_detail::neg(size.cy)); }
    void operator-=(LPCRECT lpRect) { DeflateRect(lpRect); }
    void operator&=(const RECT& rect) { ::IntersectRect(this, this, &rect); }
    void operator|=(const RECT& rect) { ::UnionRect(this, this, &rect); }

    CRect operator+(POINT pt) const {
        CRect r(*this);
        r.OffsetRect(pt);
        return r;
    }
    CRect operator-(POINT pt) const {
        CRect r(*this);
        r -= pt;
        return r;
    }
    CRect operator+(SIZE size) const {
        CRect r(*this);
        r.OffsetRect(size);
        return r;
    }
    CRect operator-(SIZE size) const {
        CRect r(*this);
        r -= size;
        return r;
    }
    CRect operator+(LPCRECT lpRect) const {
        CRect r(*this);
        r.InflateRect(lpRect);
        return r;
    }
    CRect operator-(LPCRECT lpRect) const {
        CRect r(*this);
        r.DeflateRect(lpRect);
        return r;
    }
    CRect operator&(const RECT& rect2) const {
        CRect r;
        ::IntersectRect(&r, this, &rect2);
        return r;
    }
    CRect operator|(const RECT& rect2) const {
        CRect r;
        ::UnionRect(&r, this, &rect2);
        return r;
    }
};

inline CPoint CSize::operator+(POINT point) const { return CPoint(afx_detail::add(cx, point.x), afx_detail::add(cy, point.y)); }
inline CPoint CSize::operator-(POINT point) const { return CPoint(afx_detail::sub(cx, point.x), afx_detail::sub(cy, point.y)); }
inline CRect CSize::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CSize::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }
inline CRect CPoint::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CPoint::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }
