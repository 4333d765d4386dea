// CMyPen: LOGPEN records in document units to GDI pens with zoomed dashes.
#include <hmigfx/my_pen.h>

#include "geometry/truncate_p.h"

IMPLEMENT_DYNAMIC(CMyPen, CPen)

namespace {

// Dash lengths at a factor of 1, in view units, for PS_DASH .. PS_DASHDOTDOT.
constexpr int kDashCount[5] = {0, 2, 2, 4, 6};
constexpr DWORD kDashLength[5][6] = {
    {0, 0, 0, 0, 0, 0},
    {17, 7, 0, 0, 0, 0},
    {2, 4, 0, 0, 0, 0},
    {8, 7, 2, 7, 0, 0},
    {8, 4, 2, 4, 2, 4},
};

bool isBrokenLine(unsigned int style) { return style >= PS_DASH && style <= PS_DASHDOTDOT; }

}  // namespace

CMyPen::CMyPen() {}

CMyPen::CMyPen(int nStyle, COLORREF color) { MakePen(nStyle, color, 0); }

CMyPen::CMyPen(int nStyle, COLORREF color, int nWidth) { MakePen(nStyle, color, nWidth); }

CMyPen::~CMyPen() {}

void CMyPen::MakePen(int nStyle, COLORREF color, int nWidth) {
    MakePenOfWidth(static_cast<UINT>(nStyle), color, nWidth);
}

void CMyPen::MakePenOfWidth(UINT nStyle, COLORREF color, double dWidth) {
    // A negative style is a large unsigned one here: it goes to CreatePen.
    HPEN h = isBrokenLine(nStyle) ? CreateBrokenLinePen(static_cast<int>(nStyle), color, dWidth)
                                  : ::CreatePen(static_cast<int>(nStyle), hmigfx::TruncToInt(dWidth), color);
    if (!Attach(h)) AfxThrowResourceException();
}

HPEN CMyPen::CreateBrokenLinePen(int nStyle, COLORREF color, double dWidth) {
    // The dashes follow the unrounded width; the pen gets it truncated.
    const int nWidth = hmigfx::TruncToInt(dWidth);
    const LOGBRUSH brush{BS_SOLID, color, 0};
    const DashArray dashes = MakeStaticPenData(nStyle, dWidth);
    HPEN h = ::ExtCreatePen(kBrokenLineStyle, static_cast<DWORD>(nWidth), &brush, dashes.nCount, dashes.dwDash);
    // Where the geometric pen cannot be made, the platform's own broken line.
    return h ? h : ::CreatePen(nStyle, nWidth, color);
}

CMyPen::DashArray CMyPen::MakeStaticPenData(int nStyle, double dWidth) {
    DashArray dashes{{0, 0, 0, 0, 0, 0}, 0};
    if (nStyle < 0 || nStyle > PS_DASHDOTDOT) return dashes;
    int factor = hmigfx::TruncToInt(dWidth);
    if (factor < 1) factor = 1;
    dashes.nCount = static_cast<DWORD>(kDashCount[nStyle]);
    for (DWORD i = 0; i < dashes.nCount; ++i) dashes.dwDash[i] = kDashLength[nStyle][i] * static_cast<DWORD>(factor);
    return dashes;
}
