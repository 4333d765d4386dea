// CMyDC: the drawing context of one pass (paint, print, preview, editor
// feedback). It wraps a CDC that the host owns and maps between
//   document units  - the host's coordinates of its graphic objects,
//   view units      - document units times the zoom scale; the attached DC's
//                     logical coordinates, in which every drawing call is made,
//   device units    - view units minus the view origin (the scroll position);
//                     used for brush origins and clip regions.
// The constructor sets the DC's viewport origin to minus the view origin; the
// DC stays in MM_TEXT and CMyDC scales by itself. Conversions to integers
// truncate toward zero.
//
// Shared results: each DocToView/ViewToDoc overload returns a reference to
// its own module-wide result object, which the next call of the same overload
// (on any CMyDC) overwrites. Copy a result before calling that overload again.
// All CMyDC use belongs on one thread, the host's user-interface thread.
#pragma once

#include <afxwin.h>
#include <hmigfx/my_geometry.h>

#include <utility>

struct _ITEM;
class Object3D;

class AFX_EXT_CLASS CMyDC {
public:
    CMyDC();
    CMyDC(CPoint& ptDocExt, CPoint& ptViewExt, CPoint& ptOrg);
    CMyDC(CDC* pDC, CPoint& ptDocExt, CPoint& ptViewExt, CPoint& ptOrg);
    // nZoom in percent: 100 is 1:1, 200 doubles every length.
    CMyDC(CDC* pDC, int nZoom, CPoint& ptOrg);
    CMyDC(int nZoom, CPoint& ptOrg);
    CMyDC(CDC* pDC, int nZoom);
    // Leaves the DC's viewport origin, clip region and selected objects as they are.
    ~CMyDC();

    CDC* GetDC() { return m_pDC; }
    // Black/white (reverse) mode: pure white and pure black swap in the colours
    // given to drawing calls.
    void SetReversePrint(int bReverse) { m_bReversePrint = bReverse; }
    int GetBlackWhiteMode() { return m_bReversePrint; }
    void SetTemptDC(int bTemptDC) { m_bTemptDC = bTemptDC; }
    int GetTemptDC() { return m_bTemptDC; }
    void SetPreDrawMode(int bPreDrawMode) { m_bPreDrawMode = bPreDrawMode; }
    int GetPreDrawMode() { return m_bPreDrawMode; }
    // The host's clip region for the pass, in device units, selected into the
    // DC at once (null removes clipping). Not owned. Ignored without a DC.
    void SetRegionData(CRgn* pRgn);
    // The DC's viewport origin to minus the view origin.
    void SetViewportOrg();
    // The DC's viewport origin to (-x, -y), leaving the view origin as it is.
    void ResetViewportOrg(int x, int y);
    // New mapping (not a new DC): extents and origin, scale and viewport origin.
    void ChangeDC(CPoint& ptDocExt, CPoint& ptViewExt, CPoint& ptOrg);
    // View units to device units, in place.
    void RegionToView(CRect& rect);
    // The colour as black/white mode shows it.
    COLORREF GetColorForReverse(COLORREF cr);

    // Document to view units (bOrg 0) or device units (bOrg nonzero).
    CRect& DocToView(CRect& rect, int bOrg);
    CRect& DocToView(CMyRect& rect, int bOrg);
    CPoint& DocToView(CPoint& pt, int bOrg);
    CPoint& DocToView(CMyPoint& pt, int bOrg);
    POINT& DocToView(POINT& pt, int bOrg);
    // Back to document units from view units (bOrg 0) or device units.
    CRect& ViewToDoc(CRect& rect, int bOrg);
    CPoint& ViewToDoc(CPoint& pt, int bOrg);
    // One length scaled or unscaled; the origin never applies.
    int xDocToView(int x);
    int yDocToView(int y);
    int xViewToDoc(int x);
    int yViewToDoc(int y);
    // A LOGPEN width (whole units in x, hundredths in y) in view units:
    // (x + y / 100) times the horizontal scale; not truncated.
    double penDocToView(POINT pt);

    // A 3-D item drawn by the object that serves it (see <hmigfx/object3d.h>):
    // in view units, or in the item's own units with every face clipped to pRgn.
    void objDraw3DObject(_ITEM* pItem, Object3D* pObject);
    void objDraw3DObjectInRgn(_ITEM* pItem, Object3D* pObject, CRgn* pRgn);

    // ---- Shapes -----------------------------------------------------------
    // The finished drawing of the host's objects, in document units. The pen
    // is lp in lp.lopnColor; closed shapes are filled by lb's style and slot
    // (lb.lbColor is not read): hatch lines and pattern foregrounds in the pen
    // colour, solid fills, hatch and pattern backgrounds in crFill, gradients
    // from the pen colour to crFill. bTransparent 1 draws with a TRANSPARENT
    // background; any nonzero value leaves out solid, pattern, gradient and
    // user-picture fills. Rectangles, ellipses, rounded rectangles and
    // polygons take in the right and bottom edges of their rectangle; arcs,
    // pies and chords do not. Polylines and polygons may hold any number of
    // points. The DC keeps the background colour and mode, the text colour
    // and the brush origin the call set.
    void ObjDrawPolyLine(CPoint* pts, int nCount, LOGPEN& lp, COLORREF crFill, int bTransparent);
    void ObjDrawPolyLine(CMyPoint* pts, int nCount, LOGPEN& lp, COLORREF crFill, int bTransparent);
    // rect is the polygon's bounding box: it places patterns and gradients.
    void ObjDrawPolyGon(CRect& rect, CPoint* pts, int nCount, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                        int bTransparent);
    void ObjDrawPolyGon(CMyRect& rect, CMyPoint* pts, int nCount, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                        int bTransparent);
    void ObjDrawEllipse(CRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent);
    void ObjDrawEllipse(CMyRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent);
    void ObjDrawRectangle(CRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent);
    void ObjDrawRectangle(CMyRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent);
    // ptCorner: width and height of the corners' ellipse.
    void ObjDrawRoundRect(CRect& rect, CPoint& ptCorner, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                          int bTransparent);
    void ObjDrawRoundRect(CMyRect& rect, CMyPoint& ptCorner, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                          int bTransparent);
    // The curve runs counter-clockwise from the radial through ptStart to the one through ptEnd.
    void ObjDrawArc(CRect& rect, CPoint& ptStart, CPoint& ptEnd, LOGPEN& lp, COLORREF crFill, int bTransparent);
    void ObjDrawArc(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, LOGPEN& lp, COLORREF crFill,
                    int bTransparent);
    void ObjDrawPie(CRect& rect, CPoint& ptStart, CPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                    int bTransparent);
    void ObjDrawPie(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                    int bTransparent);
    void ObjDrawChord(CRect& rect, CPoint& ptStart, CPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                      int bTransparent);
    void ObjDrawChord(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb,
                      COLORREF crFill, int bTransparent);

    // Regions of the pie and the chord of the ellipse inscribed in rect, from
    // the radial through ptStart counter-clockwise to the one through ptEnd,
    // in whatever integer units they are given. The caller deletes the
    // region. The CMyRect forms truncate every coordinate, with no mapping.
    static CRgn* CreatePieRgn(CRect& rect, CPoint& ptStart, CPoint& ptEnd);
    static CRgn* CreateChordRgn(CRect& rect, CPoint& ptStart, CPoint& ptEnd);
    static CRgn* CreatePieRgn(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd);
    static CRgn* CreateChordRgn(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd);

    // ---- Rubber bands -----------------------------------------------------
    // Outlines drawn with R2_NOTXORPEN and a thin black pen of nPenStyle:
    // drawing the same figure twice leaves every pixel as it was. They lie
    // where the matching ObjDraw member puts its outline. No brush is
    // selected: closed figures are filled with the DC's current brush (a host
    // wanting outlines only selects a hollow one). The DC gets its pen and
    // raster operation back; its current position is left at the line's end.
    void XorDrawLine(CPoint& ptFrom, CPoint& ptTo, int nPenStyle);
    void XorDrawLine(CMyPoint& ptFrom, CPoint& ptTo, int nPenStyle);
    void XorDrawPolyLine(CPoint* pts, int nCount, int nPenStyle);
    void XorDrawPolyLine(CMyPoint* pts, int nCount, int nPenStyle);
    void XorDrawPolyGon(CPoint* pts, int nCount, int nPenStyle);
    void XorDrawPolyGon(CMyPoint* pts, int nCount, int nPenStyle);
    void XorDrawRect(CRect& rect, int nPenStyle);
    void XorDrawRect(CMyRect& rect, int nPenStyle);
    void XorDrawCircle(CRect& rect, int nPenStyle);
    void XorDrawCircle(CMyRect& rect, int nPenStyle);
    void XorDrawRound(CRect& rect, CPoint& ptCorner, int nPenStyle);
    void XorDrawRound(CMyRect& rect, CMyPoint& ptCorner, int nPenStyle);
    void XorDrawArc(CRect& rect, CPoint& ptStart, CPoint& ptEnd, int nPenStyle);
    void XorDrawArc(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, int nPenStyle);
    void XorDrawPie(CRect& rect, CPoint& ptStart, CPoint& ptEnd, int nPenStyle);
    void XorDrawPie(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, int nPenStyle);
    void XorDrawChord(CRect& rect, CPoint& ptStart, CPoint& ptEnd, int nPenStyle);
    void XorDrawChord(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, int nPenStyle);

protected:
    void CalcExtent();
    // Prepares a colour pair for a drawing call (pen and fill, or text and
    // background): the two as black/white mode shows them.
    std::pair<COLORREF, COLORREF> CheckReverseColor(COLORREF cr1, COLORREF cr2);
    // TRANSPARENT for exactly 1, OPAQUE for anything else.
    void SelectBkMode(int bTransparent);

public:
    // ---- Text and buttons (src/text) ---------------------------------------
    // str's lines (split at line feeds only; carriage returns are dropped) in
    // rect, in lf with its height and width in document units, turned by
    // nAngle degrees counter-clockwise: 0, 90, 180, 270, -90, -180, -270 are
    // laid out, any other angle turns the font but is laid out as 90.
    // nFormat: DT_CENTER, else DT_RIGHT, else left, for each line on its own;
    // no other flag counts. bTransparent 0 first fills rect with crBack.
    // Lines are clipped to rect. A line longer than 255 characters goes on
    // over as many lines as it needs, as if it held a line feed after every
    // 255th character (never inside a surrogate pair): nothing is dropped.
    // Afterwards the DC has its previous font, pen and brush, no clip region
    // at all (the host's region included), crText as its text colour and the
    // TRANSPARENT background mode.
    void ObjDrawText(CString& str, CRect& rect, LOGFONTW& lf, COLORREF crText, COLORREF crBack, UINT nFormat,
                     int bTransparent, int nAngle);
    void ObjDrawText(CString& str, CMyRect& rect, LOGFONTW& lf, COLORREF crText, COLORREF crBack, UINT nFormat,
                     int bTransparent, int nAngle);
    // The same with the block of lines centred across the lines (vertically
    // at 0 and 180 degrees, horizontally at 90 and 270).
    void ObjDrawTextVC(CString& str, CRect& rect, LOGFONTW& lf, COLORREF crText, COLORREF crBack, UINT nFormat,
                       int bTransparent, int nAngle);
    void ObjDrawTextVC(CString& str, CMyRect& rect, LOGFONTW& lf, COLORREF crText, COLORREF crBack,
                       UINT nFormat, int bTransparent, int nAngle);
    // A push button filling rect (right and bottom edges included): raised,
    // or sunken when both bFocus and bPushed are set; a face of crBack; a
    // focus rectangle when bFocus is set; the caption laid out by DrawText
    // with nFormat as given. The DC gets its previous font back; after a
    // caption its text colour is crText and its background mode TRANSPARENT.
    void ObjDrawButton(CString& str, int bFocus, int bPushed, CRect& rect, LOGFONTW& lf, COLORREF crText,
                       COLORREF crBack, UINT nFormat);
    void ObjDrawButton(CString& str, int bFocus, int bPushed, CMyRect& rect, LOGFONTW& lf, COLORREF crText,
                       COLORREF crBack, UINT nFormat);

protected:
    // Copies the line starting at pszText into pszLine (at most 255
    // characters and a zero: pszLine holds 256), its length to *pnCount, and
    // returns where the next line starts: past the line feed that ended this
    // one, at the terminating zero, or at the 256th character of a longer
    // line. pDC and nWidth do not matter.
    LPCWSTR GetLine(CDC* pDC, LPWSTR pszLine, LPCWSTR pszText, int* pnCount, int nWidth);
    // rect's right edge to its left plus str's width, its bottom to its top
    // plus str's height, as DrawText measures str on the screen in lf as it
    // stands (at document size, '&' prefixes interpreted).
    void CheckTextRect(CString str, LOGFONTW lf, CMyRect& rect);

private:
    void DrawTextBox(CString& str, CRect rcView, const CRect& rcClip, LOGFONTW& lf, COLORREF crText,
                     COLORREF crBack, UINT nFormat, int bTransparent, int nAngle, bool bCentreBlock);

public:
    CDC* m_pDC;              // the host's DC; null for a mapping-only object
    CPoint m_ptDocExt;       // the scale's denominators
    CPoint m_ptViewExt;      // the scale's numerators
    CPoint m_ptOrg;          // the view origin: the view coordinate at device (0, 0)
    double m_dScaleX;        // view units per document unit
    double m_dScaleY;
    int m_bScale;            // nonzero when a scale differs from 1.0
    int m_bReversePrint;     // black/white mode
    int m_bTemptDC;          // kept for the host
    CRgn* m_pRegionData;     // the host's clip region, device units; not owned
    int m_bPreDrawMode;      // kept for the host

private:
    // The finished shapes' set-up of the DC (my_dc_shapes.cpp).
    struct ShapeCall;

    void Init(CDC* pDC, const CPoint& ptDocExt, const CPoint& ptViewExt, const CPoint& ptOrg);
};
