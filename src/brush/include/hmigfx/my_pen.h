// CMyPen: the pen of every outline. It turns a LOGPEN held in document units
// into a GDI pen for a CMyDC's zoom. The broken-line styles PS_DASH, PS_DOT,
// PS_DASHDOT and PS_DASHDOTDOT get dash lengths of the library's own, which
// grow with the pen's width in whole view units:
//   PS_DASH 17,7   PS_DOT 2,4   PS_DASHDOT 8,7,2,7   PS_DASHDOTDOT 8,4,2,4,2,4
// (dash first, then alternately gap and dash), drawn by a geometric pen with
// square ends. Every other style goes to CreatePen unchanged.
//
// A LOGPEN's width is lopnWidth.x whole document units plus lopnWidth.y
// hundredths; the colour is passed separately (lopnColor is not read here).
// A pen that cannot be made throws CResourceException.
#pragma once

#include <afxwin.h>

class CMyDC;

class AFX_EXT_CLASS CMyPen : public CPen {
    DECLARE_DYNAMIC(CMyPen)
public:
    // An empty pen: no GDI object.
    CMyPen();
    // The pen for dc's current mapping: width = dc.penDocToView(lopnWidth).
    // Defined beside CMyDC (src/dc), the layer above pens that knows it.
    CMyPen(CMyDC& dc, LOGPEN& logPen, COLORREF color);
    // A thin pen (width 0) of the style, as rubber bands use.
    CMyPen(int nStyle, COLORREF color);
    // A pen of nWidth view units.
    CMyPen(int nStyle, COLORREF color, int nWidth);
    ~CMyPen() override;

protected:
    // The dashes of a broken-line style, in view units.
    struct DashArray {
        DWORD dwDash[6];
        DWORD nCount;  // 0 for a style without dashes
    };

    void MakePen(int nStyle, COLORREF color, int nWidth);
    // The style's dashes at the width: each length times the width truncated
    // to an integer, at least 1.
    static DashArray MakeStaticPenData(int nStyle, double dWidth);

private:
    // The style word of the broken-line pens: geometric, square ends, the
    // library's dashes (0x10107); the join is the default round one.
    static constexpr DWORD kBrokenLineStyle = PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_USERSTYLE;
    // Makes and attaches the pen of the style (taken as an unsigned number)
    // at a width in view units: the dashes follow the width as given, the pen
    // gets it truncated. Throws CResourceException when no pen can be made.
    void MakePenOfWidth(UINT nStyle, COLORREF color, double dWidth);
    HPEN CreateBrokenLinePen(int nStyle, COLORREF color, double dWidth);
};
