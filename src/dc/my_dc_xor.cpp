// CMyDC's rubber bands: outlines under R2_NOTXORPEN with a thin black pen, so
// that drawing the same figure a second time restores every pixel. Geometry
// maps as for the finished shapes, so a band lies where the object will.
#include <hmigfx/my_dc.h>

#include <hmigfx/my_pen.h>

#include "module/module_p.h"

#include <optional>
#include <vector>

namespace {

enum class Band { PolyLine, PolyGon, Rect, Circle, Round, Arc, Pie, Chord };

}  // namespace

struct CMyDC::XorCall {
    // Sets R2_NOTXORPEN and a black pen of the style for one figure, and puts
    // the previous pen and raster operation back afterwards, also when the
    // pen cannot be made.
    class Scope {
    public:
        Scope(CDC* pDC, int nPenStyle) : m_pDC(pDC), m_nOldRop(pDC->SetROP2(R2_NOTXORPEN)) {
            try {
                m_pen.emplace(nPenStyle, RGB(0, 0, 0));
            } catch (...) {
                m_pDC->SetROP2(m_nOldRop);
                throw;
            }
            m_pOldPen = m_pDC->SelectObject(&*m_pen);
        }
        ~Scope() {
            m_pDC->SelectObject(m_pOldPen);
            m_pDC->SetROP2(m_nOldRop);
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        CDC* m_pDC;
        int m_nOldRop;
        std::optional<CMyPen> m_pen;
        CPen* m_pOldPen = nullptr;
    };

    template <class Point>
    static void Points(CMyDC& dc, Band band, Point* pts, int nCount, int nPenStyle) {
        if (!dc.m_pDC) return;
        Scope scope(dc.m_pDC, nPenStyle);
        CPoint* view = hmigfx::g_ptViewPoints;
        std::vector<CPoint> spill;  // only for more points than the shared buffer holds
        if (nCount > hmigfx::kMaxDrawPoints) {
            spill.resize(static_cast<size_t>(nCount));
            view = spill.data();
        }
        for (int i = 0; i < nCount; ++i) view[i] = dc.DocToView(pts[i], 0);
        if (band == Band::PolyLine)
            dc.m_pDC->Polyline(view, nCount);
        else
            dc.m_pDC->Polygon(view, nCount);
    }

    template <class Rect, class Point>
    static void Box(CMyDC& dc, Band band, Rect& rect, Point* pt1, Point* pt2, int nPenStyle) {
        if (!dc.m_pDC) return;
        Scope scope(dc.m_pDC, nPenStyle);
        CRect& r = hmigfx::g_rcView;
        r = dc.DocToView(rect, 0);
        // Rectangles, circles and rounded rectangles take in their right and
        // bottom edges, as the finished shapes do.
        if (band == Band::Rect || band == Band::Circle || band == Band::Round) {
            ++r.right;
            ++r.bottom;
        }
        CPoint p1, p2;
        if (pt1) p1 = dc.DocToView(*pt1, 0);
        if (pt2) p2 = dc.DocToView(*pt2, 0);
        CDC* pDC = dc.m_pDC;
        switch (band) {
        case Band::Rect: pDC->Rectangle(&r); break;
        case Band::Circle: pDC->Ellipse(&r); break;
        case Band::Round: pDC->RoundRect(&r, p1); break;
        case Band::Arc: pDC->Arc(&r, p1, p2); break;
        case Band::Pie: pDC->Pie(&r, p1, p2); break;
        case Band::Chord: pDC->Chord(&r, p1, p2); break;
        default: break;
        }
    }
};

void CMyDC::XorDrawLine(CPoint& ptFrom, CPoint& ptTo, int nPenStyle) {
    if (!m_pDC) return;
    XorCall::Scope scope(m_pDC, nPenStyle);
    const CPoint from = DocToView(ptFrom, 0);
    m_pDC->MoveTo(from);
    m_pDC->LineTo(DocToView(ptTo, 0));
}

void CMyDC::XorDrawLine(CMyPoint& ptFrom, CPoint& ptTo, int nPenStyle) {
    if (!m_pDC) return;
    XorCall::Scope scope(m_pDC, nPenStyle);
    m_pDC->MoveTo(DocToView(ptFrom, 0));
    m_pDC->LineTo(DocToView(ptTo, 0));
}

void CMyDC::XorDrawPolyLine(CPoint* pts, int nCount, int nPenStyle) {
    XorCall::Points(*this, Band::PolyLine, pts, nCount, nPenStyle);
}
void CMyDC::XorDrawPolyLine(CMyPoint* pts, int nCount, int nPenStyle) {
    XorCall::Points(*this, Band::PolyLine, pts, nCount, nPenStyle);
}
void CMyDC::XorDrawPolyGon(CPoint* pts, int nCount, int nPenStyle) {
    XorCall::Points(*this, Band::PolyGon, pts, nCount, nPenStyle);
}
void CMyDC::XorDrawPolyGon(CMyPoint* pts, int nCount, int nPenStyle) {
    XorCall::Points(*this, Band::PolyGon, pts, nCount, nPenStyle);
}

void CMyDC::XorDrawRect(CRect& rect, int nPenStyle) {
    XorCall::Box<CRect, CPoint>(*this, Band::Rect, rect, nullptr, nullptr, nPenStyle);
}
void CMyDC::XorDrawRect(CMyRect& rect, int nPenStyle) {
    XorCall::Box<CMyRect, CMyPoint>(*this, Band::Rect, rect, nullptr, nullptr, nPenStyle);
}
void CMyDC::XorDrawCircle(CRect& rect, int nPenStyle) {
    XorCall::Box<CRect, CPoint>(*this, Band::Circle, rect, nullptr, nullptr, nPenStyle);
}
void CMyDC::XorDrawCircle(CMyRect& rect, int nPenStyle) {
    XorCall::Box<CMyRect, CMyPoint>(*this, Band::Circle, rect, nullptr, nullptr, nPenStyle);
}
void CMyDC::XorDrawRound(CRect& rect, CPoint& ptCorner, int nPenStyle) {
    XorCall::Box(*this, Band::Round, rect, &ptCorner, static_cast<CPoint*>(nullptr), nPenStyle);
}
void CMyDC::XorDrawRound(CMyRect& rect, CMyPoint& ptCorner, int nPenStyle) {
    XorCall::Box(*this, Band::Round, rect, &ptCorner, static_cast<CMyPoint*>(nullptr), nPenStyle);
}
void CMyDC::XorDrawArc(CRect& rect, CPoint& ptStart, CPoint& ptEnd, int nPenStyle) {
    XorCall::Box(*this, Band::Arc, rect, &ptStart, &ptEnd, nPenStyle);
}
void CMyDC::XorDrawArc(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, int nPenStyle) {
    XorCall::Box(*this, Band::Arc, rect, &ptStart, &ptEnd, nPenStyle);
}
void CMyDC::XorDrawPie(CRect& rect, CPoint& ptStart, CPoint& ptEnd, int nPenStyle) {
    XorCall::Box(*this, Band::Pie, rect, &ptStart, &ptEnd, nPenStyle);
}
void CMyDC::XorDrawPie(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, int nPenStyle) {
    XorCall::Box(*this, Band::Pie, rect, &ptStart, &ptEnd, nPenStyle);
}
void CMyDC::XorDrawChord(CRect& rect, CPoint& ptStart, CPoint& ptEnd, int nPenStyle) {
    XorCall::Box(*this, Band::Chord, rect, &ptStart, &ptEnd, nPenStyle);
}
void CMyDC::XorDrawChord(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, int nPenStyle) {
    XorCall::Box(*this, Band::Chord, rect, &ptStart, &ptEnd, nPenStyle);
}
