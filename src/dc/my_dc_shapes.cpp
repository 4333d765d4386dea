// CMyDC's finished shapes: one GDI primitive per object, with the pen and
// brush made for this call. Fills a GDI brush cannot do (gradients, user
// pictures) are painted first through a clip region shaped like the figure;
// the hollow brush then adds only the outline.
#include <hmigfx/my_dc.h>

#include <hmigfx/my_brush.h>
#include <hmigfx/my_pen.h>

#include "dc/figure_p.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

using namespace hmigfx::dc;

namespace {

// The pixels that Pie or Chord with a thin pen and a solid brush covers, as a
// region in device units (view minus org), limited to the visible box. The
// wedge region of a pie or chord follows the radials through truncated edge
// points and may stray a pixel past the outline GDI draws; clipping to this
// keeps the fill inside. Null when the figure is too large to rasterise, in
// which case the wedge region stands alone.
HRGN figureRegion(HDC hdc, bool chord, const CRect& view, POINT start, POINT end, POINT org) {
    RECT box{std::min(view.left, view.right), std::min(view.top, view.bottom), std::max(view.left, view.right),
             std::max(view.top, view.bottom)};
    RECT visible;
    if (::GetClipBox(hdc, &visible) == ERROR || !::IntersectRect(&box, &box, &visible))
        return ::CreateRectRgn(0, 0, 0, 0);
    const int w = box.right - box.left, h = box.bottom - box.top;
    if (w > 16384 || h > 16384) return nullptr;

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{{sizeof(BITMAPINFOHEADER), w, -h, 1, 1, BI_RGB, 0, 0, 0, 2, 2}, {{0, 0, 0, 0}, {255, 255, 255, 0}}};
    void* bits = nullptr;
    HBITMAP mask = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = mask ? ::CreateCompatibleDC(nullptr) : nullptr;
    if (!mem) {
        if (mask) ::DeleteObject(mask);
        return nullptr;
    }
    HGDIOBJ oldBitmap = ::SelectObject(mem, mask);
    ::PatBlt(mem, 0, 0, w, h, WHITENESS);
    ::SetViewportOrgEx(mem, -box.left, -box.top, nullptr);
    ::SelectObject(mem, ::GetStockObject(BLACK_PEN));
    ::SelectObject(mem, ::GetStockObject(BLACK_BRUSH));
    if (chord)
        ::Chord(mem, view.left, view.top, view.right, view.bottom, start.x, start.y, end.x, end.y);
    else
        ::Pie(mem, view.left, view.top, view.right, view.bottom, start.x, start.y, end.x, end.y);
    ::GdiFlush();

    // Runs of black pixels, row by row, as the rectangles of a region.
    std::vector<RECT> runs;
    const size_t stride = ((static_cast<size_t>(w) + 31) / 32) * 4;
    const auto* row = static_cast<const uint8_t*>(bits);
    const int dx = box.left - org.x, dy = box.top - org.y;
    for (int y = 0; y < h; ++y, row += stride) {
        int x = 0;
        while (x < w) {
            while (x < w && (row[x >> 3] & (0x80 >> (x & 7)))) ++x;
            const int from = x;
            while (x < w && !(row[x >> 3] & (0x80 >> (x & 7)))) ++x;
            if (x > from) runs.push_back(RECT{from + dx, y + dy, x + dx, y + dy + 1});
        }
    }
    ::SelectObject(mem, oldBitmap);
    ::DeleteDC(mem);
    ::DeleteObject(mask);

    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    rgn->rdh.dwSize = sizeof(RGNDATAHEADER);
    rgn->rdh.iType = RDH_RECTANGLES;
    rgn->rdh.nCount = static_cast<DWORD>(runs.size());
    rgn->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    rgn->rdh.rcBound = RECT{box.left - org.x, box.top - org.y, box.right - org.x, box.bottom - org.y};
    if (!runs.empty()) std::memcpy(rgn->Buffer, runs.data(), runs.size() * sizeof(RECT));
    return ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rgn);
}

}  // namespace

// The finished shape's scope: the pen of lp and, for closed shapes, the brush
// of lb, in the colours as black/white mode shows them; the fill colour as
// background colour and the background mode of bTransparent. The previous pen
// and brush go back when it ends; colours and modes stay.
struct CMyDC::ShapeCall {
    ShapeCall(CMyDC& dc, LOGPEN& lp, LOGBRUSH* lb, COLORREF crFill, int bTransparent)
        : m_pDC(dc.m_pDC),
          m_colors(dc.CheckReverseColor(lp.lopnColor, crFill)),
          m_pen(dc, lp, m_colors.first),  // throws before anything is selected
          m_lb(lb),
          m_bTransparent(bTransparent) {
        if (lb) m_brush.emplace(lb->lbStyle, m_colors.first, static_cast<LONG>(lb->lbHatch), m_colors.second,
                                bTransparent);
        m_pOldPen = m_pDC->SelectObject(&m_pen);
        if (m_brush) m_pOldBrush = m_brush->SelectBrush(dc);
        m_pDC->SetBkColor(m_colors.second);
        dc.SelectBkMode(bTransparent);
    }
    ~ShapeCall() {
        m_pDC->SelectObject(m_pOldPen);
        if (m_brush) m_pDC->SelectObject(m_pOldBrush);
    }
    ShapeCall(const ShapeCall&) = delete;
    ShapeCall& operator=(const ShapeCall&) = delete;

    // Aligns hatches and patterns to the shape, and paints gradients and user
    // pictures through the shape's region.
    template <class Rect, class Point, class EndPoint>
    void underlay(CMyDC& dc, const Figure<Rect, Point, EndPoint>& f, ViewFigure& view);

private:
    // The shape's region in device units for a region fill, or null.
    template <class Rect, class Point, class EndPoint>
    static CRgn* DeviceRegion(CMyDC& dc, const Figure<Rect, Point, EndPoint>& f, const ViewFigure& view,
                              const CRect& device);

    CDC* m_pDC;
    std::pair<COLORREF, COLORREF> m_colors;  // pen, fill
    CMyPen m_pen;
    std::optional<CMyBrush> m_brush;
    LOGBRUSH* m_lb;
    int m_bTransparent;
    CPen* m_pOldPen = nullptr;
    CBrush* m_pOldBrush = nullptr;
};

template <class Rect, class Point, class EndPoint>
void CMyDC::ShapeCall::underlay(CMyDC& dc, const Figure<Rect, Point, EndPoint>& f, ViewFigure& view) {
    if (!m_lb || !f.rect || !CMyBrush::IsSetBrushOrgEx(*m_lb, m_bTransparent)) return;
    // Hatches and patterns start at the shape's corner and move with it.
    CRect device = dc.DocToView(*f.rect, 1);
    device.InflateRect(0, 0, 1, 1);  // wraps at INT_MAX, as the original's ++ did
    ::SetBrushOrgEx(m_pDC->m_hDC, device.left, device.top, nullptr);
    if (!CMyBrush::IsRegionEx(*m_lb)) return;

    CRgn* region = DeviceRegion(dc, f, view, device);
    // A shape without a region (no points, say) gets no fill rather than one
    // over the whole rectangle.
    if (region && region->GetSafeHandle()) {
        m_pDC->SelectClipRgn(region, dc.m_pRegionData ? RGN_AND : RGN_COPY);
        const int hatch = static_cast<int>(m_lb->lbHatch);
        if (CMyBrush::IsGradientMode(*m_lb, m_pDC))
            CMyBrush::GradientFill(m_pDC->m_hDC, hatch, view.rect, m_colors.first, m_colors.second);
        if (CMyBrush::IsUserPattern(*m_lb)) CMyBrush::UserPatternFill(m_pDC->m_hDC, hatch, view.rect);
        m_pDC->SelectClipRgn(dc.m_pRegionData);
    }
    delete region;
}

template <class Rect, class Point, class EndPoint>
CRgn* CMyDC::ShapeCall::DeviceRegion(CMyDC& dc, const Figure<Rect, Point, EndPoint>& f, const ViewFigure& view,
                                     const CRect& device) {
    const CRect& d = device;
    switch (f.shape) {
    case Shape::PolyGon: {
        MappedPoints pts;
        pts.map(dc, f.pts, f.nCount, 1);
        CRgn* rgn = new CRgn;
        rgn->CreatePolygonRgn(pts.data(), f.nCount, ALTERNATE);
        return rgn;
    }
    case Shape::Ellipse: {
        CRgn* rgn = new CRgn;
        rgn->CreateEllipticRgn(d.left, d.top, d.right, d.bottom);
        return rgn;
    }
    case Shape::Rectangle: {
        CRgn* rgn = new CRgn;
        rgn->CreateRectRgn(d.left, d.top, d.right, d.bottom);
        return rgn;
    }
    case Shape::RoundRect: {
        // The corner size as mapped for the outline.
        CRgn* rgn = new CRgn;
        rgn->CreateRoundRectRgn(d.left, d.top, d.right, d.bottom, view.pt1.x, view.pt1.y);
        return rgn;
    }
    case Shape::Pie:
    case Shape::Chord: {
        CRect rect = d;
        CPoint start = dc.DocToView(*f.pt1, 1);
        CPoint end = dc.DocToView(*f.pt2, 1);
        const bool chord = f.shape == Shape::Chord;
        CRgn* rgn = chord ? CMyDC::CreateChordRgn(rect, start, end) : CMyDC::CreatePieRgn(rect, start, end);
        // Pie and Chord draw from the view rectangle and radial points.
        if (HRGN drawn = figureRegion(dc.m_pDC->m_hDC, chord, view.rect, view.pt1, view.pt2, dc.m_ptOrg)) {
            ::CombineRgn(*rgn, *rgn, drawn, RGN_AND);
            ::DeleteObject(drawn);
        }
        return rgn;
    }
    default: return nullptr;
    }
}

// ---------------------------------------------------------------------------
// The members, integer and fractional

void CMyDC::ObjDrawPolyLine(CPoint* pts, int nCount, LOGPEN& lp, COLORREF crFill, int bTransparent) {
    drawFigure<ShapeCall>(*this, pointList(Shape::PolyLine, pts, nCount), lp, nullptr, crFill, bTransparent);
}

void CMyDC::ObjDrawPolyLine(CMyPoint* pts, int nCount, LOGPEN& lp, COLORREF crFill, int bTransparent) {
    drawFigure<ShapeCall>(*this, pointList(Shape::PolyLine, pts, nCount), lp, nullptr, crFill, bTransparent);
}

void CMyDC::ObjDrawPolyGon(CRect& rect, CPoint* pts, int nCount, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                           int bTransparent) {
    drawFigure<ShapeCall>(*this, polygon(rect, pts, nCount), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawPolyGon(CMyRect& rect, CMyPoint* pts, int nCount, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                           int bTransparent) {
    drawFigure<ShapeCall>(*this, polygon(rect, pts, nCount), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawEllipse(CRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::Ellipse, rect), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawEllipse(CMyRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::Ellipse, rect), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawRectangle(CRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::Rectangle, rect), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawRectangle(CMyRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::Rectangle, rect), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawRoundRect(CRect& rect, CPoint& ptCorner, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                             int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::RoundRect, rect, &ptCorner), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawRoundRect(CMyRect& rect, CMyPoint& ptCorner, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                             int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::RoundRect, rect, &ptCorner), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawArc(CRect& rect, CPoint& ptStart, CPoint& ptEnd, LOGPEN& lp, COLORREF crFill, int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::Arc, rect, &ptStart, &ptEnd), lp, nullptr, crFill, bTransparent);
}

void CMyDC::ObjDrawArc(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, LOGPEN& lp, COLORREF crFill,
                       int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::Arc, rect, &ptStart, &ptEnd), lp, nullptr, crFill, bTransparent);
}

void CMyDC::ObjDrawPie(CRect& rect, CPoint& ptStart, CPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                       int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::Pie, rect, &ptStart, &ptEnd), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawPie(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                       int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::Pie, rect, &ptStart, &ptEnd), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawChord(CRect& rect, CPoint& ptStart, CPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                         int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::Chord, rect, &ptStart, &ptEnd), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawChord(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb,
                         COLORREF crFill, int bTransparent) {
    drawFigure<ShapeCall>(*this, box(Shape::Chord, rect, &ptStart, &ptEnd), lp, &lb, crFill, bTransparent);
}
