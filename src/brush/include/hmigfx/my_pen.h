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
#include <hmigfx/my_dc.h>

class AFX_EXT_CLASS CMyPen : public CPen {
    DECLARE_DYNAMIC(CMyPen)
public:
    // An empty pen: no GDI object.
    CMyPen();
    // The pen for dc's current mapping: width = dc.penDocToView(lopnWidth).
    CMyPen(CMyDC& dc, LOGPEN& logPen, COLORREF color);
    // A thin pen (width 0) of the style, as rubber bands use.
    CMyPen(int nStyle, COLORREF color);
    // A pen of nWidth view units.
    CMyPen(int nStyle, COLORREF color, int nWidth);
    ~CMyPen() override;

protected:
    void MakePen(int nStyle, COLORREF color, int nWidth);
    // Fills m_dwDash for the style at the width: each length times the width
    // truncated to an integer, at least 1. Only the style's own entries are
    // written; a style without dashes writes nothing.
    void MakeStaticPenData(int nStyle, double dWidth);

    // The pen data shared by all pens, rewritten whenever a broken-line pen
    // is made: the dash array and the brush of the geometric pen (solid; its
    // colour is the last broken-line pen's).
    static DWORD m_dwDash[6];
    static LOGBRUSH m_lbPenBrush;

private:
    // The style word of the broken-line pens: geometric, square ends, the
    // library's dashes (0x10107); the join is the default round one.
    static constexpr DWORD kBrokenLineStyle = PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_USERSTYLE;
    HPEN CreateBrokenLinePen(int nStyle, COLORREF color, double dWidth);
};
