// The MFC subset's GDI wrappers, device contexts, windows (afxwnd_.h),
// application object and extension-module support, over the Win32 API.
//
// Temporary objects: FromHandle (and every SelectObject that returns the
// previous object) wraps a handle that no C++ object owns in a temporary
// object. Temporaries stay valid until AfxUnlockTempMaps() (MFC's idle-time
// clean-up, also run by CWinThread::OnIdle); a host without a message loop
// calls it when a paint is done. Deleting a temporary never deletes its handle.
#pragma once

#include <afx.h>
#include <atltypes.h>

class CDC;
class CWnd;
class CWinApp;
class CDynLinkLibrary;
class COleObjectFactory;

// ---------------------------------------------------------------------------
// GDI objects

class CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject() : m_hObject(nullptr) {}
    // Deletes the attached GDI object.
    ~CGdiObject() override;

    static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
    static void PASCAL DeleteTempMap();

    // FALSE for a null handle.
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    int GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectW(m_hObject, nCount, lpObject); }
    UINT GetObjectType() const { return static_cast<UINT>(::GetObjectType(m_hObject)); }
    BOOL CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }
    BOOL UnrealizeObject() { return ::UnrealizeObject(m_hObject); }
    BOOL operator==(const CGdiObject& obj) const { return obj.m_hObject == m_hObject; }
    BOOL operator!=(const CGdiObject& obj) const { return obj.m_hObject != m_hObject; }

    HGDIOBJ m_hObject;
};

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() {}
    // These two throw CResourceException when the pen cannot be made.
    CPen(int nPenStyle, int nWidth, COLORREF crColor);
    CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0, const DWORD* lpStyle = nullptr);
    ~CPen() override;

    static CPen* PASCAL FromHandle(HPEN hPen) { return static_cast<CPen*>(CGdiObject::FromHandle(hPen)); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor) { return Attach(::CreatePen(nPenStyle, nWidth, crColor)); }
    BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                   const DWORD* lpStyle = nullptr) {
        return Attach(::ExtCreatePen(static_cast<DWORD>(nPenStyle), static_cast<DWORD>(nWidth), pLogBrush,
                                     static_cast<DWORD>(nStyleCount), lpStyle));
    }
    BOOL CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }
    int GetLogPen(LOGPEN* pLogPen) const { return ::GetObjectW(m_hObject, sizeof(LOGPEN), pLogPen); }
    int GetExtLogPen(EXTLOGPEN* pLogPen) const { return ::GetObjectW(m_hObject, sizeof(EXTLOGPEN), pLogPen); }
};

class CBitmap;

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() {}
    // These throw CResourceException when the brush cannot be made.
    explicit CBrush(COLORREF crColor);
    CBrush(int nIndex, COLORREF crColor);
    explicit CBrush(CBitmap* pBitmap);
    ~CBrush() override;

    static CBrush* PASCAL FromHandle(HBRUSH hBrush) { return static_cast<CBrush*>(CGdiObject::FromHandle(hBrush)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

    BOOL CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
    inline BOOL CreatePatternBrush(CBitmap* pBitmap);
    BOOL CreateDIBPatternBrush(HGLOBAL hPackedDIB, UINT nUsage) { return Attach(::CreateDIBPatternBrush(hPackedDIB, nUsage)); }
    BOOL CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage) {
        return Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
    }
    BOOL CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }
    int GetLogBrush(LOGBRUSH* pLogBrush) const { return ::GetObjectW(m_hObject, sizeof(LOGBRUSH), pLogBrush); }
};

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    CFont() {}
    ~CFont() override;

    static CFont* PASCAL FromHandle(HFONT hFont) { return static_cast<CFont*>(CGdiObject::FromHandle(hFont)); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }

    BOOL CreateFontIndirect(const LOGFONTW* lpLogFont) { return Attach(::CreateFontIndirectW(lpLogFont)); }
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFacename) {
        return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                                    cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                                    lpszFacename));
    }
    int GetLogFont(LOGFONTW* pLogFont) const { return ::GetObjectW(m_hObject, sizeof(LOGFONTW), pLogFont); }
};

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap() {}
    ~CBitmap() override;

    static CBitmap* PASCAL FromHandle(HBITMAP hBitmap) { return static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap)); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    // From the bitmap resources of the application and the extension modules
    // in its resource chain (AfxFindResourceHandle).
    BOOL LoadBitmap(LPCWSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEW(nIDResource)); }
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
        return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
    }
    BOOL CreateBitmapIndirect(LPBITMAP lpBitmap) { return Attach(::CreateBitmapIndirect(lpBitmap)); }
    inline BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const { return ::GetObjectW(m_hObject, sizeof(BITMAP), pBitMap); }
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const {
        return static_cast<DWORD>(::GetBitmapBits(static_cast<HBITMAP>(m_hObject), static_cast<LONG>(dwCount), lpBits));
    }
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits) {
        return static_cast<DWORD>(::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits));
    }
};

inline BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
    return pBitmap && Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}

class CPalette : public CGdiObject {
    DECLARE_DYNAMIC(CPalette)
public:
    CPalette() {}
    ~CPalette() override;

    static CPalette* PASCAL FromHandle(HPALETTE hPalette) {
        return static_cast<CPalette*>(CGdiObject::FromHandle(hPalette));
    }
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }

    BOOL CreatePalette(LPLOGPALETTE lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }
    int GetEntryCount() const {
        WORD n = 0;
        return ::GetObjectW(m_hObject, sizeof n, &n) ? n : 0;
    }
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const {
        return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
    }
    UINT GetNearestPaletteIndex(COLORREF crColor) const {
        return ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), crColor);
    }
};

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    CRgn() {}
    ~CRgn() override;

    static CRgn* PASCAL FromHandle(HRGN hRgn) { return static_cast<CRgn*>(CGdiObject::FromHandle(hRgn)); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }

    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
    BOOL CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
    BOOL CreateEllipticRgnIndirect(LPCRECT lpRect) { return Attach(::CreateEllipticRgnIndirect(lpRect)); }
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
        return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
    }
    BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
        return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
    }
    BOOL CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode) {
        return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
    }
    BOOL CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData) {
        return Attach(::ExtCreateRegion(lpXForm, static_cast<DWORD>(nCount), pRgnData));
    }

    // The region becomes the combination of the two; returns the region type or ERROR.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
        return ::CombineRgn(static_cast<HRGN>(m_hObject), pRgn1 ? static_cast<HRGN>(pRgn1->m_hObject) : nullptr,
                            pRgn2 ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr, nCombineMode);
    }
    int CopyRgn(const CRgn* pRgnSrc) { return CombineRgn(pRgnSrc, nullptr, RGN_COPY); }
    BOOL EqualRgn(const CRgn* pRgn) const {
        return pRgn && ::EqualRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn->m_hObject));
    }
    int OffsetRgn(int x, int y) { return ::OffsetRgn(static_cast<HRGN>(m_hObject), x, y); }
    int OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
    int GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(static_cast<HRGN>(m_hObject), lpRect); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y); }
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    BOOL RectInRegion(LPCRECT lpRect) const { return ::RectInRegion(static_cast<HRGN>(m_hObject), lpRect); }
    void SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2); }
    void SetRectRgn(LPCRECT lpRect) { SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int GetRegionData(LPRGNDATA lpRgnData, int nCount) const {
        return static_cast<int>(::GetRegionData(static_cast<HRGN>(m_hObject), static_cast<DWORD>(nCount), lpRgnData));
    }
};

// ---------------------------------------------------------------------------
// Device contexts. Output goes to m_hDC; queries read m_hAttribDC; state
// changes go to both (they are the same DC unless a host splits them, as print
// preview does).

class CDC : public CObject {
    DECLARE_DYNCREATE(CDC)
public:
    CDC() : m_hDC(nullptr), m_hAttribDC(nullptr), m_bPrinting(FALSE) {}
    // Deletes the attached DC (DeleteDC), as MFC does; Detach() first to keep it.
    ~CDC() override;

    static CDC* PASCAL FromHandle(HDC hDC);
    static void PASCAL DeleteTempMap();

    BOOL Attach(HDC hDC);
    HDC Detach();
    void SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
    void SetOutputDC(HDC hDC) { m_hDC = hDC; }
    void ReleaseAttribDC() { m_hAttribDC = nullptr; }
    void ReleaseOutputDC() { m_hDC = nullptr; }

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL IsPrinting() const { return m_bPrinting; }

    BOOL CreateDC(LPCWSTR lpszDriverName, LPCWSTR lpszDeviceName, LPCWSTR lpszOutput, const void* lpInitData) {
        return Attach(::CreateDCW(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODEW*>(lpInitData)));
    }
    BOOL CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }
    BOOL DeleteDC();
    int SaveDC() {
        int n = 0;
        if (m_hAttribDC) n = ::SaveDC(m_hAttribDC);
        if (m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0) n = -1;  // -1: only RestoreDC(-1) can match both
        return n;
    }
    BOOL RestoreDC(int nSavedDC) {
        BOOL ok = TRUE;
        if (m_hDC != m_hAttribDC) ok = ::RestoreDC(m_hDC, nSavedDC);
        if (m_hAttribDC) ok = ::RestoreDC(m_hAttribDC, nSavedDC) && ok;
        return ok;
    }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

    // Selection: each returns the previous object (a temporary for handles no
    // C++ object owns), or null on failure.
    CPen* SelectObject(CPen* pPen) { return static_cast<CPen*>(SelectGdiObject(m_hDC, pPen ? pPen->m_hObject : nullptr)); }
    CBrush* SelectObject(CBrush* pBrush) {
        return static_cast<CBrush*>(SelectGdiObject(m_hDC, pBrush ? pBrush->m_hObject : nullptr));
    }
    CFont* SelectObject(CFont* pFont) {
        return static_cast<CFont*>(SelectGdiObject(m_hDC, pFont ? pFont->m_hObject : nullptr));
    }
    CBitmap* SelectObject(CBitmap* pBitmap) {
        return static_cast<CBitmap*>(SelectGdiObject(m_hDC, pBitmap ? pBitmap->m_hObject : nullptr));
    }
    CGdiObject* SelectObject(CGdiObject* pObject);
    // A region selects a copy as the clip region; returns the region type.
    int SelectObject(CRgn* pRgn);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    CGdiObject* SelectStockObject(int nIndex);
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
        return static_cast<CPalette*>(CGdiObject::FromHandle(
            ::SelectPalette(m_hDC, pPalette ? static_cast<HPALETTE>(pPalette->m_hObject) : nullptr, bForceBackground)));
    }
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }
    CPen* GetCurrentPen() const { return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN))); }
    CBrush* GetCurrentBrush() const {
        return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
    }
    CFont* GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))); }
    CBitmap* GetCurrentBitmap() const {
        return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
    }

    // Clipping (device coordinates). A null region removes the clip region.
    int SelectClipRgn(CRgn* pRgn);
    int SelectClipRgn(CRgn* pRgn, int nMode);
    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
    int ExcludeClipRect(int x1, int y1, int x2, int y2) {
        int r = ERROR;
        if (m_hDC != m_hAttribDC) r = ::ExcludeClipRect(m_hDC, x1, y1, x2, y2);
        if (m_hAttribDC) r = ::ExcludeClipRect(m_hAttribDC, x1, y1, x2, y2);
        return r;
    }
    int ExcludeClipRect(LPCRECT lpRect) { return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int IntersectClipRect(int x1, int y1, int x2, int y2) {
        int r = ERROR;
        if (m_hDC != m_hAttribDC) r = ::IntersectClipRect(m_hDC, x1, y1, x2, y2);
        if (m_hAttribDC) r = ::IntersectClipRect(m_hAttribDC, x1, y1, x2, y2);
        return r;
    }
    int IntersectClipRect(LPCRECT lpRect) {
        return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    int OffsetClipRgn(int x, int y) {
        int r = ERROR;
        if (m_hDC != m_hAttribDC) r = ::OffsetClipRgn(m_hDC, x, y);
        if (m_hAttribDC) r = ::OffsetClipRgn(m_hAttribDC, x, y);
        return r;
    }
    BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
    BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
    BOOL RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

    // State
    COLORREF GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
    COLORREF SetBkColor(COLORREF crColor) {
        COLORREF old = CLR_INVALID;
        if (m_hDC != m_hAttribDC) old = ::SetBkColor(m_hDC, crColor);
        if (m_hAttribDC) old = ::SetBkColor(m_hAttribDC, crColor);
        return old;
    }
    int GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
    int SetBkMode(int nBkMode) {
        int old = 0;
        if (m_hDC != m_hAttribDC) old = ::SetBkMode(m_hDC, nBkMode);
        if (m_hAttribDC) old = ::SetBkMode(m_hAttribDC, nBkMode);
        return old;
    }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
    COLORREF SetTextColor(COLORREF crColor) {
        COLORREF old = CLR_INVALID;
        if (m_hDC != m_hAttribDC) old = ::SetTextColor(m_hDC, crColor);
        if (m_hAttribDC) old = ::SetTextColor(m_hAttribDC, crColor);
        return old;
    }
    int GetROP2() const { return ::GetROP2(m_hAttribDC); }
    int SetROP2(int nDrawMode) {
        int old = 0;
        if (m_hDC != m_hAttribDC) old = ::SetROP2(m_hDC, nDrawMode);
        if (m_hAttribDC) old = ::SetROP2(m_hAttribDC, nDrawMode);
        return old;
    }
    int GetPolyFillMode() const { return ::GetPolyFillMode(m_hAttribDC); }
    int SetPolyFillMode(int nPolyFillMode) {
        int old = 0;
        if (m_hDC != m_hAttribDC) old = ::SetPolyFillMode(m_hDC, nPolyFillMode);
        if (m_hAttribDC) old = ::SetPolyFillMode(m_hAttribDC, nPolyFillMode);
        return old;
    }
    int GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }
    int SetStretchBltMode(int nStretchMode) {
        int old = 0;
        if (m_hDC != m_hAttribDC) old = ::SetStretchBltMode(m_hDC, nStretchMode);
        if (m_hAttribDC) old = ::SetStretchBltMode(m_hAttribDC, nStretchMode);
        return old;
    }
    int GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
    int SetMapMode(int nMapMode) {
        int old = 0;
        if (m_hDC != m_hAttribDC) old = ::SetMapMode(m_hDC, nMapMode);
        if (m_hAttribDC) old = ::SetMapMode(m_hAttribDC, nMapMode);
        return old;
    }
    UINT GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }
    UINT SetTextAlign(UINT nFlags) {
        UINT old = GDI_ERROR;
        if (m_hDC != m_hAttribDC) old = ::SetTextAlign(m_hDC, nFlags);
        if (m_hAttribDC) old = ::SetTextAlign(m_hAttribDC, nFlags);
        return old;
    }
    int GetArcDirection() const { return ::GetArcDirection(m_hAttribDC); }
    int SetArcDirection(int nArcDirection) {
        int old = 0;
        if (m_hDC != m_hAttribDC) old = ::SetArcDirection(m_hDC, nArcDirection);
        if (m_hAttribDC) old = ::SetArcDirection(m_hAttribDC, nArcDirection);
        return old;
    }
    CPoint GetViewportOrg() const {
        POINT p{0, 0};
        ::GetViewportOrgEx(m_hAttribDC, &p);
        return p;
    }
    CPoint SetViewportOrg(int x, int y) {
        POINT p{0, 0};
        if (m_hDC != m_hAttribDC) ::SetViewportOrgEx(m_hDC, x, y, &p);
        if (m_hAttribDC) ::SetViewportOrgEx(m_hAttribDC, x, y, &p);
        return p;
    }
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint OffsetViewportOrg(int nWidth, int nHeight) {
        POINT p{0, 0};
        if (m_hDC != m_hAttribDC) ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &p);
        if (m_hAttribDC) ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &p);
        return p;
    }
    CPoint GetWindowOrg() const {
        POINT p{0, 0};
        ::GetWindowOrgEx(m_hAttribDC, &p);
        return p;
    }
    CPoint SetWindowOrg(int x, int y) {
        POINT p{0, 0};
        if (m_hDC != m_hAttribDC) ::SetWindowOrgEx(m_hDC, x, y, &p);
        if (m_hAttribDC) ::SetWindowOrgEx(m_hAttribDC, x, y, &p);
        return p;
    }
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint GetBrushOrg() const {
        POINT p{0, 0};
        ::GetBrushOrgEx(m_hDC, &p);
        return p;
    }
    CPoint SetBrushOrg(int x, int y) {
        POINT p{0, 0};
        ::SetBrushOrgEx(m_hDC, x, y, &p);
        return p;
    }
    CPoint SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
    void LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
    void DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }

    // Lines and curves
    CPoint GetCurrentPosition() const {
        POINT p{0, 0};
        ::GetCurrentPositionEx(m_hAttribDC, &p);
        return p;
    }
    CPoint MoveTo(int x, int y) {
        POINT p{0, 0};
        if (m_hDC != m_hAttribDC) ::MoveToEx(m_hDC, x, y, &p);
        if (m_hAttribDC) ::MoveToEx(m_hAttribDC, x, y, &p);
        return p;
    }
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y) {
        if (m_hAttribDC && m_hDC != m_hAttribDC) ::MoveToEx(m_hAttribDC, x, y, nullptr);
        return ::LineTo(m_hDC, x, y);
    }
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
        return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
    }
    BOOL Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
        return Arc(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
    }
    BOOL Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
    BOOL PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount) {
        return ::PolyPolyline(m_hDC, lpPoints, lpPolyPoints, static_cast<DWORD>(nCount));
    }
    BOOL PolyBezier(const POINT* lpPoints, int nCount) {
        return ::PolyBezier(m_hDC, lpPoints, static_cast<DWORD>(nCount));
    }

    // Shapes
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Rectangle(LPCRECT lpRect) { return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
    BOOL Ellipse(LPCRECT lpRect) { return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
    BOOL RoundRect(LPCRECT lpRect, POINT point) {
        return RoundRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y);
    }
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
        return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
    }
    BOOL Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
        return Pie(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
    }
    BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
        return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
    }
    BOOL Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
        return Chord(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
    }
    BOOL Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
    BOOL PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount) {
        return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount);
    }
    void FillRect(LPCRECT lpRect, CBrush* pBrush) {
        ::FillRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr);
    }
    void FrameRect(LPCRECT lpRect, CBrush* pBrush) {
        ::FrameRect(m_hDC, lpRect, pBrush ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr);
    }
    void InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
    void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) {
        return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
    }
    // Fills with a colour through ExtTextOut's opaque rectangle, as MFC does;
    // the DC's background colour is left at crColor.
    void FillSolidRect(LPCRECT lpRect, COLORREF crColor) {
        ::SetBkColor(m_hDC, crColor);
        ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    }
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor) {
        const RECT r{x, y, x + cx, y + cy};
        FillSolidRect(&r, crColor);
    }
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush) {
        return pRgn && pBrush && ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject));
    }
    BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
        return pRgn && pBrush &&
               ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject), nWidth,
                          nHeight);
    }
    BOOL InvertRgn(CRgn* pRgn) { return pRgn && ::InvertRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject)); }
    BOOL PaintRgn(CRgn* pRgn) { return pRgn && ::PaintRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject)); }

    // Bitmaps and fills
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
        return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
    }
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop) {
        return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                            nSrcHeight, dwRop);
    }
    BOOL GradientFill(TRIVERTEX* pVertices, ULONG nVertices, void* pMesh, ULONG nMeshElements, DWORD dwMode) {
        return ::GradientFill(m_hDC, pVertices, nVertices, pMesh, nMeshElements, dwMode);
    }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
    COLORREF SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
    BOOL SetPixelV(int x, int y, COLORREF crColor) { return ::SetPixelV(m_hDC, x, y, crColor); }

    // Text
    BOOL TextOut(int x, int y, LPCWSTR lpszString, int nCount) { return ::TextOutW(m_hDC, x, y, lpszString, nCount); }
    BOOL TextOut(int x, int y, const CString& str) { return TextOut(x, y, str.GetString(), str.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCWSTR lpszString, UINT nCount, LPINT lpDxWidths) {
        return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
    }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths) {
        return ExtTextOut(x, y, nOptions, lpRect, str.GetString(), static_cast<UINT>(str.GetLength()), lpDxWidths);
    }
    int DrawText(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
        return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
    }
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
        return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
    }
    CSize GetTextExtent(LPCWSTR lpszString, int nCount) const {
        SIZE s{0, 0};
        ::GetTextExtentPoint32W(m_hAttribDC, lpszString, nCount, &s);
        return s;
    }
    CSize GetTextExtent(const CString& str) const { return GetTextExtent(str.GetString(), str.GetLength()); }
    CSize GetOutputTextExtent(LPCWSTR lpszString, int nCount) const {
        SIZE s{0, 0};
        ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &s);
        return s;
    }
    CSize GetOutputTextExtent(const CString& str) const { return GetOutputTextExtent(str.GetString(), str.GetLength()); }
    BOOL GetTextMetrics(LPTEXTMETRICW lpMetrics) const { return ::GetTextMetricsW(m_hAttribDC, lpMetrics); }
    BOOL GetOutputTextMetrics(LPTEXTMETRICW lpMetrics) const { return ::GetTextMetricsW(m_hDC, lpMetrics); }
    int GetTextFace(int nCount, LPWSTR lpszFacename) const { return ::GetTextFaceW(m_hDC, nCount, lpszFacename); }

    // Printing: a document of pages on a printer DC. StartDoc marks the CDC
    // as printing (IsPrinting) until EndDoc or AbortDoc.
    int StartDoc(LPDOCINFO lpDocInfo) {
        const int job = ::StartDocW(m_hDC, lpDocInfo);
        if (job > 0) m_bPrinting = TRUE;
        return job;
    }
    int StartDoc(LPCWSTR lpszDocName) {
        DOCINFOW di{};
        di.cbSize = sizeof di;
        di.lpszDocName = lpszDocName;
        return StartDoc(&di);
    }
    int StartPage() { return ::StartPage(m_hDC); }
    int EndPage() { return ::EndPage(m_hDC); }
    int EndDoc() {
        m_bPrinting = FALSE;
        return ::EndDoc(m_hDC);
    }
    int AbortDoc() {
        m_bPrinting = FALSE;
        return ::AbortDoc(m_hDC);
    }
    int SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int)) { return ::SetAbortProc(m_hDC, lpfn); }

    HDC m_hDC;
    HDC m_hAttribDC;
    BOOL m_bPrinting;

protected:
    static CGdiObject* PASCAL SelectGdiObject(HDC hDC, HGDIOBJ h);
};

inline BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return Attach(::CreateCompatibleBitmap(pDC ? pDC->m_hDC : nullptr, nWidth, nHeight));
}

// ---------------------------------------------------------------------------
// Commands, threads, windows, the application

// CCmdTarget, CWnd, message maps and the standard controls.
#include <afxwnd_.h>

// A DC for a window's client area; a null window gives the screen.
class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    // Throws CResourceException when no DC can be had.
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread() : m_pMainWnd(nullptr) {}
    ~CWinThread() override;

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }
    // Idle-time clean-up: frees the temporary GDI and DC objects. Returns FALSE
    // (no more idle work).
    virtual BOOL OnIdle(LONG lCount);

    CWnd* m_pMainWnd;
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers itself as the application (AfxGetApp). The strings below are
    // malloc'd and freed by the destructor; a host replacing one frees the old
    // value and stores a malloc'd copy, as with MFC.
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override { return TRUE; }
    int ExitInstance() override { return 0; }

    LPCWSTR m_pszAppName;
    LPCWSTR m_pszExeName;       // the executable's file name without extension
    LPCWSTR m_pszHelpFilePath;  // by default the executable's path with the extension .HLP
    LPCWSTR m_pszProfileName;
    HINSTANCE m_hInstance;
};

CWinApp* AFXAPI AfxGetApp();
LPCWSTR AFXAPI AfxGetAppName();
HINSTANCE AFXAPI AfxGetInstanceHandle();
// Frees the temporary objects made by FromHandle; TRUE when there were any.
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

// ---------------------------------------------------------------------------
// Extension modules and the resource chain

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;
    COleObjectFactory* pFirstSharedFactory;
};

// A list threaded through a "next" member of its elements (TYPE is a pointer).
template <class TYPE>
class CTypedSimpleList {
public:
    using Element = std::remove_pointer_t<TYPE>;
    explicit CTypedSimpleList(TYPE Element::*pNext) : m_pHead(nullptr), m_pNext(pNext) {}

    BOOL IsEmpty() const { return m_pHead == nullptr; }
    TYPE GetHead() const { return m_pHead; }
    TYPE GetNext(TYPE p) const { return p->*m_pNext; }
    operator TYPE() const { return m_pHead; }
    void AddHead(TYPE p) {
        p->*m_pNext = m_pHead;
        m_pHead = p;
    }
    BOOL Remove(TYPE p) {
        for (TYPE* link = &m_pHead; *link; link = &((*link)->*m_pNext))
            if (*link == p) {
                *link = p->*m_pNext;
                p->*m_pNext = nullptr;
                return TRUE;
            }
        return FALSE;
    }

private:
    TYPE m_pHead;
    TYPE Element::*m_pNext;
};

// The process's framework state (one module: hmigfx carries the framework).
class CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    // Links the module into the application's resource chain (at its head).
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    // Unlinks it.
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL;
};

struct AFX_MODULE_STATE {
    CWinApp* m_pCurrentWinApp = nullptr;
    HINSTANCE m_hCurrentInstanceHandle = nullptr;  // null: the executable
    HINSTANCE m_hCurrentResourceHandle = nullptr;  // null: the executable
    LPCWSTR m_lpszCurrentAppName = nullptr;
    BOOL m_bSystem = FALSE;
    CTypedSimpleList<CDynLinkLibrary*> m_libraryList{&CDynLinkLibrary::m_pNextDLL};
};

AFX_MODULE_STATE* AFXAPI AfxGetModuleState();

// Called from an extension module's entry point at attach. FALSE when hModule
// is not a loaded module; TRUE at once when the record is already set up.
BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// At detach: deletes the module's CDynLinkLibrary objects (every one with bAll).
void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module holding a resource: the application's resource module first, then
// the extension modules from the head of the chain (system ones last); the
// application's resource module when none has it.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType);
