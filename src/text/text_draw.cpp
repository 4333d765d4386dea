// CMyDC's text in a box: ObjDrawText, ObjDrawTextVC and their two helpers,
// GetLine (the next line of a string) and CheckTextRect (a line's extent at
// document size).
#include <hmigfx/my_dc.h>

#include "text/text_p.h"

namespace {

using hmigfx::text::kLineCapacity;

// The seven laid-out rotations; anything else is laid out as 90 degrees.
enum class Turn { Deg0, Deg90, Deg180, Deg270 };

Turn turnOf(int nAngle) {
    switch (nAngle) {
    case 0: return Turn::Deg0;
    case 180:
    case -180: return Turn::Deg180;
    case 270:
    case -90: return Turn::Deg270;
    default: return Turn::Deg90;  // 90, -270 and the angles without a layout
    }
}

bool isLaidOut(int nAngle) {
    switch (nAngle) {
    case 0: case 90: case -270: case 180: case -180: case 270: case -90: return true;
    default: return false;
    }
}

// Lines as the line loop will draw them, plus the empty one after a final
// line feed, which is not drawn but counts for the block: 0 for an empty string.
int lineCount(LPCWSTR psz) {
    WCHAR line[kLineCapacity + 1];
    int n = 0;
    bool endsInFeed = false;
    while (*psz) {
        int count = 0;
        const LPCWSTR next = hmigfx::text::CutLine(line, psz, &count);
        endsInFeed = next[-1] == L'\n';
        psz = next;
        ++n;
    }
    return endsInFeed ? n + 1 : n;
}

}  // namespace

namespace hmigfx::text {

LPCWSTR CutLine(LPWSTR pszLine, LPCWSTR pszText, int* pnCount) {
    int n = 0;
    LPCWSTR p = pszText;
    for (; *p; ++p) {
        const WCHAR c = *p;
        if (c == L'\n') {
            ++p;
            break;
        }
        if (c == L'\r') continue;
        // A full buffer ends the line before the next character that would
        // go in it; a pair of surrogates stays together on the next line.
        const bool highSurrogate = c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF;
        if (n == kLineCapacity || (highSurrogate && n == kLineCapacity - 1)) break;
        pszLine[n++] = c;
    }
    pszLine[n] = 0;
    *pnCount = n;
    return p;
}

}  // namespace hmigfx::text

LPCWSTR CMyDC::GetLine(CDC* /*pDC*/, LPWSTR pszLine, LPCWSTR pszText, int* pnCount, int /*nWidth*/) {
    *pnCount = 0;
    if (!pszLine) return pszText;
    pszLine[0] = 0;
    if (!pszText) return nullptr;
    return hmigfx::text::CutLine(pszLine, pszText, pnCount);
}

void CMyDC::CheckTextRect(CString str, LOGFONTW lf, CMyRect& rect) {
    int width = 0, height = 0;
    if (HDC screen = ::GetDC(nullptr)) {
        HFONT font = ::CreateFontIndirectW(&lf);
        HGDIOBJ previous = font ? ::SelectObject(screen, font) : nullptr;
        TEXTMETRICW tm{};
        ::GetTextMetricsW(screen, &tm);
        RECT rc{0, 0, tm.tmMaxCharWidth + tm.tmInternalLeading, tm.tmHeight + tm.tmExternalLeading};
        ::DrawTextW(screen, str.GetString(), str.GetLength(), &rc, DT_CALCRECT);
        width = rc.right - rc.left;
        height = rc.bottom - rc.top;
        if (previous) ::SelectObject(screen, previous);
        if (font) ::DeleteObject(font);
        ::ReleaseDC(nullptr, screen);
    }
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
}

// ---------------------------------------------------------------------------
// The four entry points differ only in how the view rectangle and the clip
// rectangle come from the caller's rectangle.

namespace {

// The caller's rectangle, right and bottom edges taken in, in view units and
// moved by (dx, dy); the caller then takes the view origin off.
CRect clipRect(CMyDC& dc, CRect rect, int dx, int dy) {
    rect.right += 1;
    rect.bottom += 1;
    CRect clip = dc.DocToView(rect, 0);
    clip.OffsetRect(dx, dy);
    clip.OffsetRect(-dc.m_ptOrg.x, -dc.m_ptOrg.y);
    return clip;
}

}  // namespace

void CMyDC::ObjDrawText(CString& str, CRect& rect, LOGFONTW& lf, COLORREF crText, COLORREF crBack, UINT nFormat,
                        int bTransparent, int nAngle) {
    if (!m_pDC) return;
    const auto [text, back] = CheckReverseColor(crText, crBack);
    const CRect view = DocToView(rect, 0);
    DrawTextBox(str, view, clipRect(*this, rect, -1, -1), lf, text, back, nFormat, bTransparent, nAngle, false);
}

// The fractional box is clipped one unit lower than the integer one: its clip
// rectangle moves left but not up.
void CMyDC::ObjDrawText(CString& str, CMyRect& rect, LOGFONTW& lf, COLORREF crText, COLORREF crBack, UINT nFormat,
                        int bTransparent, int nAngle) {
    if (!m_pDC) return;
    const auto [text, back] = CheckReverseColor(crText, crBack);
    const CRect view = DocToView(rect, 0);
    CRect whole;
    rect.CopyTo(whole);
    DrawTextBox(str, view, clipRect(*this, whole, -1, 0), lf, text, back, nFormat, bTransparent, nAngle, false);
}

void CMyDC::ObjDrawTextVC(CString& str, CRect& rect, LOGFONTW& lf, COLORREF crText, COLORREF crBack, UINT nFormat,
                          int bTransparent, int nAngle) {
    if (!m_pDC) return;
    const auto [text, back] = CheckReverseColor(crText, crBack);
    const CRect view = DocToView(rect, 0);
    DrawTextBox(str, view, clipRect(*this, rect, -1, -1), lf, text, back, nFormat, bTransparent, nAngle, true);
}

void CMyDC::ObjDrawTextVC(CString& str, CMyRect& rect, LOGFONTW& lf, COLORREF crText, COLORREF crBack,
                          UINT nFormat, int bTransparent, int nAngle) {
    if (!m_pDC) return;
    const auto [text, back] = CheckReverseColor(crText, crBack);
    const CRect view = DocToView(rect, 0);
    CRect whole;
    rect.CopyTo(whole);
    DrawTextBox(str, view, clipRect(*this, whole, -1, -1), lf, text, back, nFormat, bTransparent, nAngle, true);
}

// rcView: the box in view units; rcClip: the clip rectangle in device units;
// the colours as black/white mode shows them.
void CMyDC::DrawTextBox(CString& str, CRect rcView, const CRect& rcClip, LOGFONTW& lf, COLORREF crText,
                        COLORREF crBack, UINT nFormat, int bTransparent, int nAngle, bool bCentreBlock) {
    enum { Left, Centre, Right } const align = (nFormat & DT_CENTER) ? Centre : (nFormat & DT_RIGHT) ? Right : Left;

    // The background goes in before any clipping of ours; with a null pen
    // Rectangle leaves out the right and bottom edges.
    if (bTransparent == 0) {
        CBrush brush;
        brush.CreateSolidBrush(crBack);
        HGDIOBJ oldPen = m_pDC->SelectObject(::GetStockObject(NULL_PEN));
        HGDIOBJ oldBrush = m_pDC->SelectObject(brush.m_hObject);
        m_pDC->Rectangle(&rcView);
        if (oldBrush) m_pDC->SelectObject(oldBrush);
        if (oldPen) m_pDC->SelectObject(oldPen);
    }

    // The line height comes from the upright font, the lines from the turned one.
    LOGFONTW lfView = lf;
    lfView.lfHeight = yDocToView(lf.lfHeight);
    lfView.lfWidth = xDocToView(lf.lfWidth);
    int lineHeight = 0;
    {
        CFont upright;
        upright.CreateFontIndirect(&lfView);
        HGDIOBJ old = m_pDC->SelectObject(upright.m_hObject);
        m_pDC->SetTextColor(crText);
        SelectBkMode(1);
        lineHeight = m_pDC->GetTextExtent(str).cy;
        if (old) m_pDC->SelectObject(old);
    }
    lfView.lfEscapement = nAngle * 10;
    CFont font;
    font.CreateFontIndirect(&lfView);
    HGDIOBJ oldFont = m_pDC->SelectObject(font.m_hObject);

    const Turn turn = turnOf(nAngle);
    if (bCentreBlock && isLaidOut(nAngle)) {
        const int block = lineHeight * lineCount(str.GetString());
        const bool across = turn == Turn::Deg0 || turn == Turn::Deg180;
        const int extent = across ? rcView.bottom - rcView.top : rcView.right - rcView.left;
        const int half = (extent >= 0 ? extent - block : extent + block) / 2;
        switch (turn) {
        case Turn::Deg0: rcView.top += half; break;
        case Turn::Deg90: rcView.left += half; break;
        case Turn::Deg180: rcView.bottom -= half; break;
        case Turn::Deg270: rcView.right -= half; break;
        }
    }

    CPoint start;
    switch (turn) {
    case Turn::Deg0: start = CPoint(rcView.left, rcView.top); break;
    case Turn::Deg90: start = CPoint(rcView.left + 1, rcView.bottom); break;
    case Turn::Deg180: start = CPoint(rcView.right, rcView.bottom); break;
    case Turn::Deg270: start = CPoint(rcView.right - 1, rcView.top); break;
    }

    CRgn clip;
    clip.CreateRectRgnIndirect(&rcClip);
    m_pDC->SelectClipRgn(&clip);

    const int W = rcView.right - rcView.left, H = rcView.bottom - rcView.top;
    WCHAR line[kLineCapacity + 1];
    for (LPCWSTR p = str.GetString(); p && *p;) {
        CPoint at = start;
        int count = 0;
        p = GetLine(m_pDC, line, p, &count, rcView.left + rcView.right);

        // Placed by the wider of the line at document size scaled to the view
        // and the line in the view font: neither may stick out of the box
        // when right-aligned.
        CMyRect measured(0, 0, 0, 0);
        CheckTextRect(CString(line), lf, measured);
        measured.OffsetRect(-1, 0);
        const CRect& scaled = DocToView(measured, 0);
        const int docWidth = scaled.right - scaled.left;
        const int viewWidth = m_pDC->GetTextExtent(line, count).cx;
        const int t = docWidth > viewWidth ? docWidth : viewWidth;

        const int along = (turn == Turn::Deg0 || turn == Turn::Deg180) ? W : H;
        const int d = (along - t) / 2;
        switch (turn) {
        case Turn::Deg0:
            if (align == Centre) at.x = rcView.left + d;
            else if (align == Right) at.x = rcView.right - t;
            break;
        case Turn::Deg90:
            if (align == Centre) at.y = rcView.bottom - d;
            else if (align == Right) at.y = rcView.top + t;
            break;
        case Turn::Deg180:
            if (align == Centre) at.x = rcView.right - d;
            else if (align == Right) at.x = rcView.left + t;
            break;
        case Turn::Deg270:
            if (align == Centre) at.y = rcView.top + d;
            else if (align == Right) at.y = rcView.bottom - t;
            break;
        }
        m_pDC->TextOut(at.x, at.y, line, count);

        switch (turn) {
        case Turn::Deg0: start.y += lineHeight; break;
        case Turn::Deg90: start.x += lineHeight; break;
        case Turn::Deg180: start.y -= lineHeight; break;
        case Turn::Deg270: start.x -= lineHeight; break;
        }
    }

    if (oldFont) m_pDC->SelectObject(oldFont);
    m_pDC->SelectClipRgn(nullptr);
}
