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

DWORD CMyPen::m_dwDash[6] = {0, 0, 0, 0, 0, 0};
LOGBRUSH CMyPen::m_lbPenBrush = {BS_SOLID, 0, 0};

CMyPen::CMyPen() {}

CMyPen::CMyPen(CMyDC& dc, LOGPEN& logPen, COLORREF color) {
    const double width = dc.penDocToView(logPen.lopnWidth);
    // The style is read as an unsigned number: a negative one goes to CreatePen.
    HPEN h = isBrokenLine(logPen.lopnStyle)
                 ? CreateBrokenLinePen(static_cast<int>(logPen.lopnStyle), color, width)
                 : ::CreatePen(static_cast<int>(logPen.lopnStyle), hmigfx::TruncToInt(width), color);
    if (!Attach(h)) AfxThrowResourceException();
}

CMyPen::CMyPen(int nStyle, COLORREF color) { MakePen(nStyle, color, 0); }

CMyPen::CMyPen(int nStyle, COLORREF color, int nWidth) { MakePen(nStyle, color, nWidth); }

CMyPen::~CMyPen() {}

HPEN CMyPen::CreateBrokenLinePen(int nStyle, COLORREF color, double dWidth) {
    // The dashes follow the unrounded width; the pen gets it truncated.
    const int nWidth = hmigfx::TruncToInt(dWidth);
    m_lbPenBrush.lbColor = color;
    MakeStaticPenData(nStyle, dWidth);
    HPEN h = ::ExtCreatePen(kBrokenLineStyle, static_cast<DWORD>(nWidth), &m_lbPenBrush,
                            static_cast<DWORD>(kDashCount[nStyle]), m_dwDash);
    // Where the geometric pen cannot be made, the platform's own broken line.
    return h ? h : ::CreatePen(nStyle, nWidth, color);
}

void CMyPen::MakePen(int nStyle, COLORREF color, int nWidth) {
    HPEN h = isBrokenLine(static_cast<unsigned int>(nStyle)) ? CreateBrokenLinePen(nStyle, color, nWidth)
                                                             : ::CreatePen(nStyle, nWidth, color);
    if (!Attach(h)) AfxThrowResourceException();
}

void CMyPen::MakeStaticPenData(int nStyle, double dWidth) {
    if (nStyle < 0 || nStyle > PS_DASHDOTDOT) return;
    int factor = hmigfx::TruncToInt(dWidth);
    if (factor < 1) factor = 1;
    for (int i = 0; i < kDashCount[nStyle]; ++i) m_dwDash[i] = kDashLength[nStyle][i] * static_cast<DWORD>(factor);
}
