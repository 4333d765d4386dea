// CMyDC's rubber bands: outlines under R2_NOTXORPEN with a thin black pen, so
// that drawing the same figure a second time restores every pixel. They go
// through the finished shapes' pipeline, so a band lies where the object will.
#include <hmigfx/my_dc.h>

#include <hmigfx/my_pen.h>

#include "dc/figure_p.h"

#include <optional>

using namespace hmigfx::dc;

namespace {

// The rubber band's scope: R2_NOTXORPEN and a black pen of the style, both put
// back when it ends (the raster operation also when the pen cannot be made).
// No brush: closed figures take the DC's own.
class RubberBand {
public:
    RubberBand(CMyDC& dc, int nPenStyle) : m_pDC(dc.m_pDC), m_nOldRop(m_pDC->SetROP2(R2_NOTXORPEN)) {
        try {
            m_pen.emplace(nPenStyle, RGB(0, 0, 0));
        } catch (...) {
            m_pDC->SetROP2(m_nOldRop);
            throw;
        }
        m_pOldPen = m_pDC->SelectObject(&*m_pen);
    }
    ~RubberBand() {
        m_pDC->SelectObject(m_pOldPen);
        m_pDC->SetROP2(m_nOldRop);
    }
    RubberBand(const RubberBand&) = delete;
    RubberBand& operator=(const RubberBand&) = delete;

    template <class Figure>
    void underlay(CMyDC&, const Figure&, ViewFigure&) {}

private:
    CDC* m_pDC;
    int m_nOldRop;
    std::optional<CMyPen> m_pen;
    CPen* m_pOldPen = nullptr;
};

}  // namespace

void CMyDC::XorDrawLine(CPoint& ptFrom, CPoint& ptTo, int nPenStyle) {
    drawFigure<RubberBand>(*this, line(ptFrom, ptTo), nPenStyle);
}
void CMyDC::XorDrawLine(CMyPoint& ptFrom, CPoint& ptTo, int nPenStyle) {
    drawFigure<RubberBand>(*this, line(ptFrom, ptTo), nPenStyle);
}
void CMyDC::XorDrawPolyLine(CPoint* pts, int nCount, int nPenStyle) {
    drawFigure<RubberBand>(*this, pointList(Shape::PolyLine, pts, nCount), nPenStyle);
}
void CMyDC::XorDrawPolyLine(CMyPoint* pts, int nCount, int nPenStyle) {
    drawFigure<RubberBand>(*this, pointList(Shape::PolyLine, pts, nCount), nPenStyle);
}
void CMyDC::XorDrawPolyGon(CPoint* pts, int nCount, int nPenStyle) {
    drawFigure<RubberBand>(*this, pointList(Shape::PolyGon, pts, nCount), nPenStyle);
}
void CMyDC::XorDrawPolyGon(CMyPoint* pts, int nCount, int nPenStyle) {
    drawFigure<RubberBand>(*this, pointList(Shape::PolyGon, pts, nCount), nPenStyle);
}
void CMyDC::XorDrawRect(CRect& rect, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::Rectangle, rect), nPenStyle);
}
void CMyDC::XorDrawRect(CMyRect& rect, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::Rectangle, rect), nPenStyle);
}
void CMyDC::XorDrawCircle(CRect& rect, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::Ellipse, rect), nPenStyle);
}
void CMyDC::XorDrawCircle(CMyRect& rect, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::Ellipse, rect), nPenStyle);
}
void CMyDC::XorDrawRound(CRect& rect, CPoint& ptCorner, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::RoundRect, rect, &ptCorner), nPenStyle);
}
void CMyDC::XorDrawRound(CMyRect& rect, CMyPoint& ptCorner, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::RoundRect, rect, &ptCorner), nPenStyle);
}
void CMyDC::XorDrawArc(CRect& rect, CPoint& ptStart, CPoint& ptEnd, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::Arc, rect, &ptStart, &ptEnd), nPenStyle);
}
void CMyDC::XorDrawArc(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::Arc, rect, &ptStart, &ptEnd), nPenStyle);
}
void CMyDC::XorDrawPie(CRect& rect, CPoint& ptStart, CPoint& ptEnd, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::Pie, rect, &ptStart, &ptEnd), nPenStyle);
}
void CMyDC::XorDrawPie(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::Pie, rect, &ptStart, &ptEnd), nPenStyle);
}
void CMyDC::XorDrawChord(CRect& rect, CPoint& ptStart, CPoint& ptEnd, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::Chord, rect, &ptStart, &ptEnd), nPenStyle);
}
void CMyDC::XorDrawChord(CMyRect& rect, CMyPoint& ptStart, CMyPoint& ptEnd, int nPenStyle) {
    drawFigure<RubberBand>(*this, box(Shape::Chord, rect, &ptStart, &ptEnd), nPenStyle);
}
