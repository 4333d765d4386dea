// CMyBrush: the GDI brush a shape is filled with, made from a LOGBRUSH in the
// library's own convention:
//
//   lbStyle 0  solid fill in the fill colour (no fill when transparent)
//           1  no fill
//           2  platform hatch lbHatch (HS_*) in lbColor, also when transparent
//           3  built-in 8x8 pattern of slot lbHatch: 0 bits in the text colour
//              (lbColor, set by SelectBrush), 1 bits in the background colour
//           4  gradient lbHatch, painted by the drawing code; no brush
//              (CMyBrush::kStyleGradient)
//           5  pattern picture of slot lbHatch as a DIB pattern brush
//           6  user picture lbHatch stretched over the shape; no brush
//              (CMyBrush::kStyleUserPicture)
//           7+ no fill
//
// Styles without a brush of their own, empty or out-of-range slots and
// transparent solid, pattern and picture fills get the stock null brush.
#pragma once

#include <afxwin.h>

class CMyDC;

class CMyBrush {
public:
    // The lbStyle values the library gives a meaning of its own (the
    // platform's 4 and 6 never reach GDI from here).
    static constexpr UINT kStyleGradient = 4;
    static constexpr UINT kStyleUserPicture = 6;

    CMyBrush(UINT nStyle, COLORREF crColor, LONG nHatch, COLORREF crFill, int bTransparent);
    CMyBrush(LOGBRUSH* pLogBrush, COLORREF crFill, int bTransparent);
    ~CMyBrush();
    CMyBrush(const CMyBrush&) = delete;
    CMyBrush& operator=(const CMyBrush&) = delete;

    // Selects the brush into the context's device context and makes the brush
    // colour its text colour; returns the brush selected before (null for a
    // context without a device context). The CMyDC form is defined beside
    // CMyDC (src/dc), the layer above brushes that knows it.
    CBrush* SelectBrush(CMyDC& dc);
    CBrush* SelectBrush(CDC* pDC);

    // Whether a fill must be aligned to the shape (brush origin at its corner).
    static BOOL IsSetBrushOrgEx(LOGBRUSH& brush, int bTransparent);
    // Whether the fill is painted through the shape's region (gradients, user pictures).
    static BOOL IsRegionEx(LOGBRUSH& brush);
    // Whether a gradient is to be painted on this device context.
    static BOOL IsGradientMode(LOGBRUSH& brush, CDC* pDC);
    static BOOL IsUserPattern(LOGBRUSH& brush);

    // Paints a two-colour gradient over rect (hdc's logical units) through
    // hdc's clip region, in one of 22 modes (others paint nothing): 0/1 top
    // to bottom, 2/3 mirrored about the middle row, 4/5 left to right, 6/7
    // mirrored about the middle column, 8/9 and 12/13 diagonal, 10/11 and
    // 14/15 a colour along one diagonal, 16-19 one corner fading out, 20/21
    // the centre fading to the corners. color1 is the shape's line colour,
    // color2 its fill colour.
    static void GradientFill(HDC hdc, int nMode, CRect& rect, COLORREF color1, COLORREF color2);
    // Stretches the user picture of slot nSlot (0-99) once over rect, through
    // hdc's clip region and in hdc's stretch mode. An empty slot or one out of
    // range paints nothing. Does not load the pattern library: making a
    // CMyBrush does.
    static void UserPatternFill(HDC hdc, int nSlot, CRect& rect);

    // The pattern library, by kind: the lbStyle of its brushes (BS_PATTERN
    // built-in, BS_DIBPATTERN pattern file, kStyleUserPicture user picture).
    static int GetPatternSize(int nKind);
    static int GetPatternData(int nKind, int nStart, int nMaxCount, int* pSlots);
    static void GetPatternName(int nKind, int nSlot, CString& strName);
    static int InsertPattern(int nKind, int nStart, CString& strSource);
    static int DeletePattern(int nKind, int nSlot);

    HBRUSH GetSafeHandle() const { return static_cast<HBRUSH>(m_brush.GetSafeHandle()); }
    COLORREF GetBrushColor() const { return m_crBrush; }

protected:
    void InitBrush(LOGBRUSH& brush, COLORREF crFill, int bTransparent);

    CBrush m_brush;
    COLORREF m_crBrush;
};
