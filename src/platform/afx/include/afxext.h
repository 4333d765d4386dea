// MFC's extension header: in this subset everything an extension module needs
// (AFX_EXTENSION_MODULE, CDynLinkLibrary, the resource chain) is in afxwin.h.
#pragma once

#include <afxwin.h>

// What a print or preview pass knows about the job: the pages to print, the
// page being drawn and the rectangle of it that may be drawn on.
struct CPrintInfo {
    CPrintInfo();

    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    // The range asked for: every page, as no print dialog narrows it here.
    UINT GetFromPage() const { return m_nMinPage; }
    UINT GetToPage() const { return m_nMaxPage; }
    UINT GetOffsetPage() const { return m_nOffsetPage; }

    BOOL m_bDocObject;
    BOOL m_bDirect;
    BOOL m_bPreview;
    BOOL m_bContinuePrinting;
    UINT m_nCurPage;
    UINT m_nNumPreviewPages;
    CString m_strPageDesc;
    LPVOID m_lpUserData;
    CRect m_rectDraw;  // the printable part of the current page, device units
    UINT m_nOffsetPage;
    int m_nJobNumber;

private:
    UINT m_nMinPage;
    UINT m_nMaxPage;
};
