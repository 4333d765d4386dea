// CMyDC's finished shapes: one GDI primitive per object, with the pen and
// brush made for this call. Fills a GDI brush cannot do (gradients, user
// pictures) are painted first through a clip region shaped like the figure;
// the hollow brush then adds only the outline.
#include <hmigfx/my_dc.h>

#include <hmigfx/my_brush.h>
#include <hmigfx/my_pen.h>

#include "module/module_p.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

enum class Shape { PolyLine, PolyGon, Ellipse, Rectangle, RoundRect, Arc, Pie, Chord };

// The figure as the caller gave it, in document units; Rect and Point are
// CRect/CPoint or CMyRect/CMyPoint.
template <class Rect, class Point>
struct Figure {
    Shape shape;
    Rect* rect;  // null for polylines
    Point* pts;
    int nCount;
    Point* pt1;  // the corner size, or the start radial point
    Point* pt2;  // the end radial point
};

// Rectangles, ellipses, rounded rectangles and polygons take in their right
// and bottom edges: their outline then covers the whole document rectangle.
bool widened(Shape s) {
    return s == Shape::PolyGon || s == Shape::Ellipse || s == Shape::Rectangle || s == Shape::RoundRect;
}

// Maps points into a shared buffer, or into spill when there are more than it
// holds, and returns where they went.
template <class Point>
CPoint* mapPoints(CMyDC& dc, Point* pts, int nCount, int bOrg, CPoint* buffer, std::vector<CPoint>& spill) {
    CPoint* out = buffer;
    if (nCount > hmigfx::kMaxDrawPoints) {
        spill.resize(static_cast<size_t>(nCount));
        out = spill.data();
    }
    for (int i = 0; i < nCount; ++i) out[i] = dc.DocToView(pts[i], bOrg);
    return out;
}

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

struct CMyDC::ShapeCall {
    template <class Rect, class Point>
    static void Draw(CMyDC& dc, const Figure<Rect, Point>& f, LOGPEN& lp, LOGBRUSH* lb, COLORREF crFill,
                     int bTransparent);

    // The shape's region in device units for a region fill, or null.
    template <class Rect, class Point>
    static CRgn* DeviceRegion(CMyDC& dc, const Figure<Rect, Point>& f, CPoint viewStart, CPoint viewEnd,
                              std::vector<CPoint>& spill);
};

template <class Rect, class Point>
void CMyDC::ShapeCall::Draw(CMyDC& dc, const Figure<Rect, Point>& f, LOGPEN& lp, LOGBRUSH* lb, COLORREF crFill,
                            int bTransparent) {
    CDC* pDC = dc.m_pDC;
    if (!pDC) return;

    const auto [penColor, fillColor] = dc.CheckReverseColor(lp.lopnColor, crFill);
    CMyPen pen(dc, lp, penColor);  // throws before anything is selected
    std::optional<CMyBrush> brush;
    if (lb) brush.emplace(lb->lbStyle, penColor, static_cast<LONG>(lb->lbHatch), fillColor, bTransparent);

    CPen* oldPen = pDC->SelectObject(&pen);
    CBrush* oldBrush = brush ? brush->SelectBrush(dc) : nullptr;
    pDC->SetBkColor(fillColor);
    dc.SelectBkMode(bTransparent);

    // The geometry in view units.
    std::vector<CPoint> spill;
    CPoint* view = nullptr;
    if (f.pts) view = mapPoints(dc, f.pts, f.nCount, 0, hmigfx::g_ptViewPoints, spill);
    if (f.rect) {
        hmigfx::g_rcView = dc.DocToView(*f.rect, 0);
        if (widened(f.shape)) {
            ++hmigfx::g_rcView.right;
            ++hmigfx::g_rcView.bottom;
        }
    }
    CPoint pt1, pt2;
    if (f.pt1) pt1 = dc.DocToView(*f.pt1, 0);
    if (f.pt2) pt2 = dc.DocToView(*f.pt2, 0);

    if (lb && f.rect && CMyBrush::IsSetBrushOrgEx(*lb, bTransparent)) {
        // Hatches and patterns start at the shape's corner and move with it.
        hmigfx::g_rcDevice = dc.DocToView(*f.rect, 1);
        ++hmigfx::g_rcDevice.right;
        ++hmigfx::g_rcDevice.bottom;
        ::SetBrushOrgEx(pDC->m_hDC, hmigfx::g_rcDevice.left, hmigfx::g_rcDevice.top, nullptr);

        if (CMyBrush::IsRegionEx(*lb)) {
            std::vector<CPoint> deviceSpill;
            CRgn* region = DeviceRegion(dc, f, pt1, pt2, deviceSpill);
            // A shape without a region (no points, say) gets no fill rather
            // than one over the whole rectangle.
            if (region && region->GetSafeHandle()) {
                pDC->SelectClipRgn(region, dc.m_pRegionData ? RGN_AND : RGN_COPY);
                const int hatch = static_cast<int>(lb->lbHatch);
                if (CMyBrush::IsGradientMode(*lb, pDC))
                    CMyBrush::GradientFill(pDC->m_hDC, hatch, hmigfx::g_rcView, penColor, fillColor);
                if (CMyBrush::IsUserPattern(*lb)) CMyBrush::UserPatternFill(pDC->m_hDC, hatch, hmigfx::g_rcView);
                pDC->SelectClipRgn(dc.m_pRegionData);
            }
            delete region;
        }
    }

    CRect& r = hmigfx::g_rcView;
    switch (f.shape) {
    case Shape::PolyLine: pDC->Polyline(view, f.nCount); break;
    case Shape::PolyGon: pDC->Polygon(view, f.nCount); break;
    case Shape::Ellipse: pDC->Ellipse(&r); break;
    case Shape::Rectangle: pDC->Rectangle(&r); break;
    case Shape::RoundRect: pDC->RoundRect(&r, pt1); break;
    case Shape::Arc: pDC->Arc(&r, pt1, pt2); break;
    case Shape::Pie: pDC->Pie(&r, pt1, pt2); break;
    case Shape::Chord: pDC->Chord(&r, pt1, pt2); break;
    }

    pDC->SelectObject(oldPen);
    if (brush) pDC->SelectObject(oldBrush);
}

template <class Rect, class Point>
CRgn* CMyDC::ShapeCall::DeviceRegion(CMyDC& dc, const Figure<Rect, Point>& f, CPoint viewStart, CPoint viewEnd,
                                     std::vector<CPoint>& spill) {
    const CPoint corner = viewStart;  // rounded rectangles: the corner size
    const CRect& d = hmigfx::g_rcDevice;
    switch (f.shape) {
    case Shape::PolyGon: {
        CPoint* pts = mapPoints(dc, f.pts, f.nCount, 1, hmigfx::g_ptDevicePoints, spill);
        CRgn* rgn = new CRgn;
        rgn->CreatePolygonRgn(pts, f.nCount, ALTERNATE);
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
        CRgn* rgn = new CRgn;
        rgn->CreateRoundRectRgn(d.left, d.top, d.right, d.bottom, corner.x, corner.y);
        return rgn;
    }
    case Shape::Pie:
    case Shape::Chord: {
        CRect device = d;
        CPoint start = dc.DocToView(*f.pt1, 1);
        CPoint end = dc.DocToView(*f.pt2, 1);
        const bool chord = f.shape == Shape::Chord;
        CRgn* rgn = chord ? CMyDC::CreateChordRgn(device, start, end) : CMyDC::CreatePieRgn(device, start, end);
        // Pie and Chord draw from the view rectangle and the view radial
        // points, given to the shape as pt1/pt2 in view units.
        if (HRGN drawn = figureRegion(dc.m_pDC->m_hDC, chord, hmigfx::g_rcView, viewStart, viewEnd, dc.m_ptOrg)) {
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

template <class Rect, class Point>
static Figure<Rect, Point> figure(Shape s, Rect* rect, Point* pts = nullptr, int nCount = 0, Point* pt1 = nullptr,
                                  Point* pt2 = nullptr) {
    return {s, rect, pts, nCount, pt1, pt2};
}

void CMyDC::ObjDrawPolyLine(CPoint* pts, int nCount, LOGPEN& lp, COLORREF crFill, int bTransparent) {
    ShapeCall::Draw(*this, figure<CRect, CPoint>(Shape::PolyLine, nullptr, pts, nCount), lp, nullptr, crFill,
                    bTransparent);
}

void CMyDC::ObjDrawPolyLine(CMyPoint* pts, int nCount, LOGPEN& lp, COLORREF crFill, int bTransparent) {
    ShapeCall::Draw(*this, figure<CMyRect, CMyPoint>(Shape::PolyLine, nullptr, pts, nCount), lp, nullptr, crFill,
                    bTransparent);
}

void CMyDC::ObjDrawPolyGon(CRect& rect, CPoint* pts, int nCount, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                           int bTransparent) {
    ShapeCall::Draw(*this, figure(Shape::PolyGon, &rect, pts, nCount), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawPolyGon(CMyRect& rect, CMyPoint* pts, int nCount, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                           int bTransparent) {
    ShapeCall::Draw(*this, figure(Shape::PolyGon, &rect, pts, nCount), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawEllipse(CRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent) {
    ShapeCall::Draw(*this, figure<CRect, CPoint>(Shape::Ellipse, &rect), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawEllipse(CMyRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent) {
    ShapeCall::Draw(*this, figure<CMyRect, CMyPoint>(Shape::Ellipse, &rect), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawRectangle(CRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent) {
    ShapeCall::Draw(*this, figure<CRect, CPoint>(Shape::Rectangle, &rect), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawRectangle(CMyRect& rect, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill, int bTransparent) {
    ShapeCall::Draw(*this, figure<CMyRect, CMyPoint>(Shape::Rectangle, &rect), lp, &lb, crFill, bTransparent);
}

void CMyDC::ObjDrawRoundRect(CRect& rect, CPoint& ptCorner, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                             int bTransparent) {
    ShapeCall::Draw(*this, figure<CRect, CPoint>(Shape::RoundRect, &rect, nullptr, 0, &ptCorner), lp, &lb, crFill,
                    bTransparent);
}

void CMyDC::ObjDrawRoundRect(CMyRect& rect, CMyPoint& ptCorner, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                             int bTransparent) {
    ShapeCall::Draw(*this, figure<CMyRect, CMyPoint>(Shape::RoundRect, &rect, nullptr, 0, &ptCorner), lp, &lb,
                    crFill, bTransparent);
}

void CMyDC::ObjDrawArc(CRect& rect, CPoint& ptStart, CPoint& ptEnd, LOGPEN& lp, COLORREF crFill, int bTransparent) {
    ShapeCall::Draw(*this, figure<CRect, CPoint>(Shape::Arc, &rect, nullptr, 0, &ptStart, &ptEnd), lp, nullptr,
                    crFill, bTransparent);
}

void CMyDC::ObjDrawArc(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, LOGPEN& lp, COLORREF crFill,
                       int bTransparent) {
    ShapeCall::Draw(*this, figure<CMyRect, CMyPoint>(Shape::Arc, &rect, nullptr, 0, &ptStart, &ptEnd), lp, nullptr,
                    crFill, bTransparent);
}

void CMyDC::ObjDrawPie(CRect& rect, CPoint& ptStart, CPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                       int bTransparent) {
    ShapeCall::Draw(*this, figure<CRect, CPoint>(Shape::Pie, &rect, nullptr, 0, &ptStart, &ptEnd), lp, &lb, crFill,
                    bTransparent);
}

void CMyDC::ObjDrawPie(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                       int bTransparent) {
    ShapeCall::Draw(*this, figure<CMyRect, CMyPoint>(Shape::Pie, &rect, nullptr, 0, &ptStart, &ptEnd), lp, &lb,
                    crFill, bTransparent);
}

void CMyDC::ObjDrawChord(CRect& rect, CPoint& ptStart, CPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb, COLORREF crFill,
                         int bTransparent) {
    ShapeCall::Draw(*this, figure<CRect, CPoint>(Shape::Chord, &rect, nullptr, 0, &ptStart, &ptEnd), lp, &lb, crFill,
                    bTransparent);
}

void CMyDC::ObjDrawChord(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, LOGPEN& lp, LOGBRUSH& lb,
                         COLORREF crFill, int bTransparent) {
    ShapeCall::Draw(*this, figure<CMyRect, CMyPoint>(Shape::Chord, &rect, nullptr, 0, &ptStart, &ptEnd), lp, &lb,
                    crFill, bTransparent);
}
