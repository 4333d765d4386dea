// The GDI wrappers, device contexts and their handle maps.
#include <afxwin.h>

#include <unordered_map>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

// Handle maps: the permanent one knows the objects that own a handle
// (Attach), the temporary one the wrappers FromHandle made for the others.
template <class Handle, class Object>
struct HandleMap {
    std::unordered_map<Handle, Object*> permanent;
    std::unordered_map<Handle, Object*> temporary;
};

HandleMap<HGDIOBJ, CGdiObject>& gdiMap() {
    static auto* m = new HandleMap<HGDIOBJ, CGdiObject>;
    return *m;
}

HandleMap<HDC, CDC>& dcMap() {
    static auto* m = new HandleMap<HDC, CDC>;
    return *m;
}

// A temporary of the class the handle's kind calls for, so that the casts in
// CPen::FromHandle and friends are sound.
CGdiObject* newWrapper(HGDIOBJ h) {
    switch (GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return new CPen;
    case OBJ_BRUSH: return new CBrush;
    case OBJ_FONT: return new CFont;
    case OBJ_BITMAP: return new CBitmap;
    case OBJ_PAL: return new CPalette;
    case OBJ_REGION: return new CRgn;
    default: return new CGdiObject;
    }
}

}  // namespace

// ---------------------------------------------------------------------------
// CGdiObject

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) {
    if (!hObject) return nullptr;
    auto& map = gdiMap();
    if (auto it = map.permanent.find(hObject); it != map.permanent.end()) return it->second;
    if (auto it = map.temporary.find(hObject); it != map.temporary.end()) return it->second;
    CGdiObject* temp = newWrapper(hObject);
    temp->m_hObject = hObject;  // not in the permanent map: the handle is not its own
    map.temporary.emplace(hObject, temp);
    return temp;
}

void PASCAL CGdiObject::DeleteTempMap() {
    auto& map = gdiMap();
    auto temps = std::move(map.temporary);
    map.temporary.clear();
    for (auto& [h, obj] : temps) {
        obj->m_hObject = nullptr;  // the handle belongs to someone else
        delete obj;
    }
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (!hObject) return FALSE;
    if (m_hObject) Detach();
    m_hObject = hObject;
    gdiMap().permanent[hObject] = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    if (h) {
        auto& map = gdiMap();
        auto it = map.permanent.find(h);
        if (it != map.permanent.end() && it->second == this) map.permanent.erase(it);
    }
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
    if (!CreatePen(nPenStyle, nWidth, crColor)) AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
    if (!CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle)) AfxThrowResourceException();
}

CPen::~CPen() {}

CBrush::CBrush(COLORREF crColor) {
    if (!CreateSolidBrush(crColor)) AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor) {
    if (!CreateHatchBrush(nIndex, crColor)) AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap) {
    if (!CreatePatternBrush(pBitmap)) AfxThrowResourceException();
}

CBrush::~CBrush() {}
CFont::~CFont() {}
CBitmap::~CBitmap() {}
CPalette::~CPalette() {}
CRgn::~CRgn() {}

BOOL CBitmap::LoadBitmap(LPCWSTR lpszResourceName) {
    return Attach(::LoadBitmapW(AfxFindResourceHandle(lpszResourceName, RT_BITMAP), lpszResourceName));
}

namespace hmigfx::afx {
bool hasWindowTemps();  // wnd.cpp
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps) {
    const BOOL any = !gdiMap().temporary.empty() || !dcMap().temporary.empty() || hmigfx::afx::hasWindowTemps();
    if (bDeleteTemps) {
        CGdiObject::DeleteTempMap();
        CDC::DeleteTempMap();
        CWnd::DeleteTempMap();
    }
    return any;
}

// ---------------------------------------------------------------------------
// CDC

CDC::~CDC() {
    if (m_hDC) ::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC) {
    if (!hDC) return nullptr;
    auto& map = dcMap();
    if (auto it = map.permanent.find(hDC); it != map.permanent.end()) return it->second;
    if (auto it = map.temporary.find(hDC); it != map.temporary.end()) return it->second;
    CDC* temp = new CDC;
    temp->m_hDC = temp->m_hAttribDC = hDC;
    map.temporary.emplace(hDC, temp);
    return temp;
}

void PASCAL CDC::DeleteTempMap() {
    auto& map = dcMap();
    auto temps = std::move(map.temporary);
    map.temporary.clear();
    for (auto& [h, dc] : temps) {
        dc->m_hDC = dc->m_hAttribDC = nullptr;
        delete dc;
    }
}

BOOL CDC::Attach(HDC hDC) {
    if (!hDC) return FALSE;
    if (m_hDC) Detach();
    m_hDC = m_hAttribDC = hDC;
    dcMap().permanent[hDC] = this;
    return TRUE;
}

HDC CDC::Detach() {
    HDC h = m_hDC;
    if (h) {
        auto& map = dcMap();
        auto it = map.permanent.find(h);
        if (it != map.permanent.end() && it->second == this) map.permanent.erase(it);
    }
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

CGdiObject* PASCAL CDC::SelectGdiObject(HDC hDC, HGDIOBJ h) { return CGdiObject::FromHandle(::SelectObject(hDC, h)); }

CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
    HGDIOBJ h = pObject ? pObject->m_hObject : nullptr;
    HGDIOBJ old = nullptr;
    if (m_hDC != m_hAttribDC) old = ::SelectObject(m_hDC, h);
    if (m_hAttribDC) old = ::SelectObject(m_hAttribDC, h);
    return CGdiObject::FromHandle(old);
}

int CDC::SelectObject(CRgn* pRgn) {
    HGDIOBJ h = pRgn ? pRgn->m_hObject : nullptr;
    // For a region, SelectObject answers with the region type, not a handle.
    INT_PTR r = static_cast<INT_PTR>(static_cast<int>(GDI_ERROR));
    if (m_hDC != m_hAttribDC) r = reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, h));
    if (m_hAttribDC) r = reinterpret_cast<INT_PTR>(::SelectObject(m_hAttribDC, h));
    return static_cast<int>(r);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
    HGDIOBJ old = nullptr;
    if (m_hDC != m_hAttribDC) old = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC) old = ::SelectObject(m_hAttribDC, hObject);
    return old;
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
    HGDIOBJ h = ::GetStockObject(nIndex);
    HGDIOBJ old = nullptr;
    if (m_hDC != m_hAttribDC) old = ::SelectObject(m_hDC, h);
    if (m_hAttribDC) old = ::SelectObject(m_hAttribDC, h);
    return CGdiObject::FromHandle(old);
}

int CDC::SelectClipRgn(CRgn* pRgn) {
    HRGN h = pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
    int r = ERROR;
    if (m_hDC != m_hAttribDC) r = ::SelectClipRgn(m_hDC, h);
    if (m_hAttribDC) r = ::SelectClipRgn(m_hAttribDC, h);
    return r;
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
    HRGN h = pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
    int r = ERROR;
    if (m_hDC != m_hAttribDC) r = ::ExtSelectClipRgn(m_hDC, h, nMode);
    if (m_hAttribDC) r = ::ExtSelectClipRgn(m_hAttribDC, h, nMode);
    return r;
}
