// CMyDC::ObjDrawButton: a push button with frame, face, focus rectangle and
// caption, each inside the one before.
#include <hmigfx/my_dc.h>

namespace {

// The button box is in view units, right and bottom edges included; the
// colours are the prepared pair: caption, face.
void drawButton(CMyDC& dc, CString& str, int bFocus, int bPushed, CRect box, LOGFONTW& lf, COLORREF crText,
                COLORREF crBack, UINT nFormat) {
    CDC* pDC = dc.m_pDC;
    const bool pushed = bFocus && bPushed;
    pDC->DrawFrameControl(&box, DFC_BUTTON, pushed ? DFCS_BUTTONPUSH | DFCS_PUSHED : DFCS_BUTTONPUSH);

    box.DeflateRect(2, 2);
    CBrush face;
    face.CreateSolidBrush(crBack);
    pDC->FillRect(&box, &face);

    if (bFocus) {
        // Pushed, the focus rectangle and the caption keep their top-left
        // corners and reach one unit further right and down.
        if (bPushed) {
            box.left += 1;
            box.top += 1;
        } else {
            box.DeflateRect(1, 1);
        }
        pDC->DrawFocusRect(&box);
    }

    if (str.IsEmpty()) return;
    box.DeflateRect(1, 1);
    LOGFONTW lfView = lf;
    lfView.lfHeight = dc.yDocToView(lf.lfHeight);
    lfView.lfWidth = dc.xDocToView(lf.lfWidth);
    CFont font;
    font.CreateFontIndirect(&lfView);
    HGDIOBJ oldFont = pDC->SelectObject(font.m_hObject);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(crText);
    pDC->DrawText(str, &box, nFormat);
    if (oldFont) pDC->SelectObject(oldFont);
}

}  // namespace

void CMyDC::ObjDrawButton(CString& str, int bFocus, int bPushed, CRect& rect, LOGFONTW& lf, COLORREF crText,
                          COLORREF crBack, UINT nFormat) {
    if (!m_pDC) return;
    const auto [text, back] = CheckReverseColor(crText, crBack);
    CRect box = DocToView(rect, 0);
    box.right += 1;
    box.bottom += 1;
    drawButton(*this, str, bFocus, bPushed, box, lf, text, back, nFormat);
}

void CMyDC::ObjDrawButton(CString& str, int bFocus, int bPushed, CMyRect& rect, LOGFONTW& lf, COLORREF crText,
                          COLORREF crBack, UINT nFormat) {
    if (!m_pDC) return;
    const auto [text, back] = CheckReverseColor(crText, crBack);
    CRect box = DocToView(rect, 0);
    box.right += 1;
    box.bottom += 1;
    drawButton(*this, str, bFocus, bPushed, box, lf, text, back, nFormat);
}
