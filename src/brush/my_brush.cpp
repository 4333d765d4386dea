// CMyBrush: brushes from the library's LOGBRUSH convention, the fill
// predicates of the drawing code, and the pattern library's operations.
#include <hmigfx/my_brush.h>

#include "brush/pattern_library_p.h"

#include "module/module_p.h"

namespace {

HBRUSH nullBrush() { return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)); }

}  // namespace

CMyBrush::CMyBrush(UINT nStyle, COLORREF crColor, LONG nHatch, COLORREF crFill, int bTransparent) : m_crBrush(0) {
    LOGBRUSH brush{nStyle, crColor, static_cast<ULONG_PTR>(nHatch)};
    InitBrush(brush, crFill, bTransparent);
}

CMyBrush::CMyBrush(LOGBRUSH* pLogBrush, COLORREF crFill, int bTransparent) : m_crBrush(0) {
    InitBrush(*pLogBrush, crFill, bTransparent);
}

CMyBrush::~CMyBrush() { m_brush.DeleteObject(); }

void CMyBrush::InitBrush(LOGBRUSH& brush, COLORREF crFill, int bTransparent) {
    CPatternLibrary& library = GetPatternLibrary();
    library.EnsureLoaded();
    m_crBrush = brush.lbColor;

    // Slot numbers are unsigned here, so that a negative one is out of range.
    const ULONG_PTR slot = brush.lbHatch;
    HBRUSH handle = nullptr;
    switch (brush.lbStyle) {
    case BS_SOLID: handle = bTransparent ? nullBrush() : ::CreateSolidBrush(crFill); break;
    case BS_HATCHED: handle = ::CreateHatchBrush(static_cast<int>(brush.lbHatch), brush.lbColor); break;
    case BS_PATTERN: {
        CBitmap* bitmap = slot < CPatternLibrary::kSlots ? library.GetBuiltinPattern(static_cast<int>(slot)) : nullptr;
        handle = !bTransparent && bitmap ? ::CreatePatternBrush(static_cast<HBITMAP>(bitmap->GetSafeHandle()))
                                         : nullBrush();
        break;
    }
    case BS_DIBPATTERN: {
        HGLOBAL dib = slot < CPatternLibrary::kSlots ? library.GetFilePattern(static_cast<int>(slot)) : nullptr;
        handle = !bTransparent && dib ? ::CreateDIBPatternBrush(dib, DIB_RGB_COLORS) : nullBrush();
        break;
    }
    default: handle = nullBrush(); break;  // BS_NULL, kStyleGradient, kStyleUserPicture and above
    }
    // A brush that cannot be made leaves the object without one.
    if (handle) m_brush.Attach(handle);
}

CBrush* CMyBrush::SelectBrush(CDC* pDC) {
    if (!pDC) return nullptr;
    CBrush* previous = pDC->SelectObject(&m_brush);
    pDC->SetTextColor(m_crBrush);
    return previous;
}

BOOL CMyBrush::IsSetBrushOrgEx(LOGBRUSH& brush, int bTransparent) {
    switch (brush.lbStyle) {
    case BS_HATCHED: return TRUE;
    case BS_PATTERN:
    case kStyleGradient:
    case BS_DIBPATTERN:
    case kStyleUserPicture: return bTransparent == 0;
    default: return FALSE;
    }
}

BOOL CMyBrush::IsRegionEx(LOGBRUSH& brush) {
    return brush.lbStyle == kStyleGradient || brush.lbStyle == kStyleUserPicture;
}

BOOL CMyBrush::IsGradientMode(LOGBRUSH& brush, CDC* pDC) {
    if (pDC && pDC->IsPrinting() && !hmigfx::g_bPrinterGradient) return FALSE;
    return brush.lbStyle == kStyleGradient;
}

BOOL CMyBrush::IsUserPattern(LOGBRUSH& brush) { return brush.lbStyle == kStyleUserPicture; }

int CMyBrush::GetPatternSize(int nKind) { return GetPatternLibrary().GetPatternSize(nKind); }

int CMyBrush::GetPatternData(int nKind, int nStart, int nMaxCount, int* pSlots) {
    return GetPatternLibrary().GetPatternData(nKind, nStart, nMaxCount, pSlots);
}

void CMyBrush::GetPatternName(int nKind, int nSlot, CString& strName) {
    GetPatternLibrary().GetPatternName(nKind, nSlot, strName);
}

int CMyBrush::InsertPattern(int nKind, int nStart, CString& strSource) {
    return GetPatternLibrary().InsertPattern(nKind, nStart, strSource);
}

int CMyBrush::DeletePattern(int nKind, int nSlot) { return GetPatternLibrary().DeletePattern(nKind, nSlot); }
