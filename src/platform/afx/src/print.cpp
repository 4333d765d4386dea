// Printing in the framework: the job's page information and the preview DC.
#include <afxext.h>
#include <afxpriv.h>

CPrintInfo::CPrintInfo()
    : m_bDocObject(FALSE), m_bDirect(FALSE), m_bPreview(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1),
      m_nNumPreviewPages(0), m_strPageDesc(L"Page %u\nPages %u-%u\n"), m_lpUserData(nullptr), m_rectDraw(0, 0, 0, 0),
      m_nOffsetPage(0), m_nJobNumber(-1), m_nMinPage(1), m_nMaxPage(0xFFFF) {}

CPreviewDC::CPreviewDC() : m_nScaleNum(1), m_nScaleDen(1) { m_bPrinting = TRUE; }

CPreviewDC::~CPreviewDC() {
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
}

void CPreviewDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }

void CPreviewDC::SetOutputDC(HDC hDC) {
    m_hDC = hDC;
    if (!m_hDC || !m_hAttribDC) return;
    ::SetBkColor(m_hDC, ::GetBkColor(m_hAttribDC));
    ::SetBkMode(m_hDC, ::GetBkMode(m_hAttribDC));
    ::SetTextColor(m_hDC, ::GetTextColor(m_hAttribDC));
    ::SetROP2(m_hDC, ::GetROP2(m_hAttribDC));
    ::SetPolyFillMode(m_hDC, ::GetPolyFillMode(m_hAttribDC));
    ::SetTextAlign(m_hDC, ::GetTextAlign(m_hAttribDC));
}

void CPreviewDC::SetScaleRatio(int nNumerator, int nDenominator) {
    if (nNumerator <= 0 || nDenominator <= 0) return;
    m_nScaleNum = nNumerator;
    m_nScaleDen = nDenominator;
}

void CPreviewDC::PrinterDPtoScreenDP(LPPOINT lpPoint) const {
    lpPoint->x = static_cast<LONG>(static_cast<long long>(lpPoint->x) * m_nScaleNum / m_nScaleDen);
    lpPoint->y = static_cast<LONG>(static_cast<long long>(lpPoint->y) * m_nScaleNum / m_nScaleDen);
}
