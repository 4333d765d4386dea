// CMyDC: construction, modes, the document/view/device mapping and the
// black/white colour rule.
#include <hmigfx/my_dc.h>

#include "geometry/truncate_p.h"

using hmigfx::TruncToInt;

namespace {

// One result object per mapping overload (see my_dc.h).
CRect s_rcDocToView;
CRect s_rcMyDocToView;
CPoint s_ptDocToView;
CPoint s_ptMyDocToView;
POINT s_ptApiDocToView;
CRect s_rcViewToDoc;
CPoint s_ptViewToDoc;

}  // namespace

void CMyDC::Init(CDC* pDC, const CPoint& ptDocExt, const CPoint& ptViewExt, const CPoint& ptOrg) {
    m_pDC = pDC;
    m_ptDocExt = ptDocExt;
    m_ptViewExt = ptViewExt;
    m_ptOrg = ptOrg;
    m_bReversePrint = 0;
    m_bTemptDC = 0;
    m_pRegionData = nullptr;
    m_bPreDrawMode = 0;
    CalcExtent();
    SetViewportOrg();
}

CMyDC::CMyDC() { Init(nullptr, CPoint(1, 1), CPoint(1, 1), CPoint(0, 0)); }

CMyDC::CMyDC(CPoint& ptDocExt, CPoint& ptViewExt, CPoint& ptOrg) { Init(nullptr, ptDocExt, ptViewExt, ptOrg); }

CMyDC::CMyDC(CDC* pDC, CPoint& ptDocExt, CPoint& ptViewExt, CPoint& ptOrg) { Init(pDC, ptDocExt, ptViewExt, ptOrg); }

CMyDC::CMyDC(CDC* pDC, int nZoom, CPoint& ptOrg) { Init(pDC, CPoint(100, 100), CPoint(nZoom, nZoom), ptOrg); }

CMyDC::CMyDC(int nZoom, CPoint& ptOrg) { Init(nullptr, CPoint(100, 100), CPoint(nZoom, nZoom), ptOrg); }

CMyDC::CMyDC(CDC* pDC, int nZoom) { Init(pDC, CPoint(100, 100), CPoint(nZoom, nZoom), CPoint(0, 0)); }

CMyDC::~CMyDC() {}

void CMyDC::SetRegionData(CRgn* pRgn) {
    if (!m_pDC) return;
    m_pRegionData = pRgn;
    m_pDC->SelectClipRgn(pRgn);
}

void CMyDC::SetViewportOrg() {
    if (m_pDC) m_pDC->SetViewportOrg(-m_ptOrg.x, -m_ptOrg.y);
}

void CMyDC::ResetViewportOrg(int x, int y) {
    if (m_pDC) m_pDC->SetViewportOrg(-x, -y);
}

void CMyDC::ChangeDC(CPoint& ptDocExt, CPoint& ptViewExt, CPoint& ptOrg) {
    m_ptDocExt = ptDocExt;
    m_ptViewExt = ptViewExt;
    m_ptOrg = ptOrg;
    CalcExtent();
    SetViewportOrg();
}

void CMyDC::RegionToView(CRect& rect) { rect.OffsetRect(-m_ptOrg.x, -m_ptOrg.y); }

// An extent below 1 leaves its axis unscaled. A zero view extent gives a zero
// scale, under which ViewToDoc divides by zero; hosts pass positive zooms.
void CMyDC::CalcExtent() {
    m_dScaleX = m_ptDocExt.x >= 1 ? static_cast<double>(m_ptViewExt.x) / m_ptDocExt.x : 1.0;
    m_dScaleY = m_ptDocExt.y >= 1 ? static_cast<double>(m_ptViewExt.y) / m_ptDocExt.y : 1.0;
    m_bScale = m_dScaleX != 1.0 || m_dScaleY != 1.0 ? 1 : 0;
}

// Only the low 24 bits count: pure white becomes black and pure black white,
// with the top byte kept; every other colour passes.
COLORREF CMyDC::GetColorForReverse(COLORREF cr) {
    if (!m_bReversePrint) return cr;
    if ((cr & 0xFFFFFF) == 0xFFFFFF) return cr & 0xFF000000;
    if ((cr & 0xFFFFFF) == 0) return cr | 0xFFFFFF;
    return cr;
}

std::pair<COLORREF, COLORREF> CMyDC::CheckReverseColor(COLORREF cr1, COLORREF cr2) {
    return {GetColorForReverse(cr1), GetColorForReverse(cr2)};
}

void CMyDC::SelectBkMode(int bTransparent) {
    if (m_pDC) m_pDC->SetBkMode(bTransparent == 1 ? TRANSPARENT : OPAQUE);
}

// ---------------------------------------------------------------------------
// Mapping

CRect& CMyDC::DocToView(CRect& rect, int bOrg) {
    CRect& r = s_rcDocToView;
    if (m_bScale) {
        r.left = TruncToInt(rect.left * m_dScaleX);
        r.right = TruncToInt(rect.right * m_dScaleX);
        r.top = TruncToInt(rect.top * m_dScaleY);
        r.bottom = TruncToInt(rect.bottom * m_dScaleY);
    } else {
        r = rect;
    }
    if (bOrg) r.OffsetRect(-m_ptOrg.x, -m_ptOrg.y);
    return r;
}

CRect& CMyDC::DocToView(CMyRect& rect, int bOrg) {
    CRect& r = s_rcMyDocToView;
    r.left = TruncToInt(m_bScale ? rect.left * m_dScaleX : rect.left);
    r.right = TruncToInt(m_bScale ? rect.right * m_dScaleX : rect.right);
    r.top = TruncToInt(m_bScale ? rect.top * m_dScaleY : rect.top);
    r.bottom = TruncToInt(m_bScale ? rect.bottom * m_dScaleY : rect.bottom);
    if (bOrg) r.OffsetRect(-m_ptOrg.x, -m_ptOrg.y);
    return r;
}

CPoint& CMyDC::DocToView(CPoint& pt, int bOrg) {
    CPoint& p = s_ptDocToView;
    p.x = m_bScale ? TruncToInt(pt.x * m_dScaleX) : pt.x;
    p.y = m_bScale ? TruncToInt(pt.y * m_dScaleY) : pt.y;
    if (bOrg) p -= m_ptOrg;
    return p;
}

CPoint& CMyDC::DocToView(CMyPoint& pt, int bOrg) {
    CPoint& p = s_ptMyDocToView;
    p.x = TruncToInt(m_bScale ? pt.x * m_dScaleX : pt.x);
    p.y = TruncToInt(m_bScale ? pt.y * m_dScaleY : pt.y);
    if (bOrg) p -= m_ptOrg;
    return p;
}

POINT& CMyDC::DocToView(POINT& pt, int bOrg) {
    POINT& p = s_ptApiDocToView;
    p.x = m_bScale ? TruncToInt(pt.x * m_dScaleX) : pt.x;
    p.y = m_bScale ? TruncToInt(pt.y * m_dScaleY) : pt.y;
    if (bOrg) {
        p.x -= m_ptOrg.x;
        p.y -= m_ptOrg.y;
    }
    return p;
}

CRect& CMyDC::ViewToDoc(CRect& rect, int bOrg) {
    CRect& r = s_rcViewToDoc;
    r = rect;
    if (bOrg) r.OffsetRect(m_ptOrg.x, m_ptOrg.y);
    if (m_bScale) {
        r.left = TruncToInt(r.left / m_dScaleX);
        r.right = TruncToInt(r.right / m_dScaleX);
        r.top = TruncToInt(r.top / m_dScaleY);
        r.bottom = TruncToInt(r.bottom / m_dScaleY);
    }
    return r;
}

CPoint& CMyDC::ViewToDoc(CPoint& pt, int bOrg) {
    CPoint& p = s_ptViewToDoc;
    p = pt;
    if (bOrg) p += m_ptOrg;
    if (m_bScale) {
        p.x = TruncToInt(p.x / m_dScaleX);
        p.y = TruncToInt(p.y / m_dScaleY);
    }
    return p;
}

int CMyDC::xDocToView(int x) { return m_bScale ? TruncToInt(x * m_dScaleX) : x; }
int CMyDC::yDocToView(int y) { return m_bScale ? TruncToInt(y * m_dScaleY) : y; }
int CMyDC::xViewToDoc(int x) { return m_bScale ? TruncToInt(x / m_dScaleX) : x; }
int CMyDC::yViewToDoc(int y) { return m_bScale ? TruncToInt(y / m_dScaleY) : y; }

double CMyDC::penDocToView(POINT pt) {
    const double w = pt.x + pt.y / 100.0;
    return m_bScale ? w * m_dScaleX : w;
}
