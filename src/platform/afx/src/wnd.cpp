// CWnd: the handle maps, creation through a WH_CBT hook, subclassing, the
// message maps and their dispatch, reflection; the standard controls' and
// the paint DC's few out-of-line members.
#include <afxwin.h>

#include <set>
#include <string>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)

namespace {

struct WindowMaps {
    std::unordered_map<HWND, CWnd*> permanent;
    std::unordered_map<HWND, CWnd*> temporary;
};

WindowMaps& maps() {
    static auto* m = new WindowMaps;  // outlives the static objects that may still hold windows
    return *m;
}

// The message being handled on this thread (Default passes it on), and the
// CWnd whose window CreateEx is making (the CBT hook attaches it).
thread_local MSG tLastMsg{};
thread_local CWnd* tWndInit = nullptr;
thread_local HHOOK tCbtHook = nullptr;

void hookWindowCreate(CWnd* pWnd);
bool unhookWindowCreate();

// Handlers go back to their own types (entries store them as AFX_PMSG).
AFX_PTM_WARNING_DISABLE
template <class F>
F as(AFX_PMSGW p) {
    return reinterpret_cast<F>(p);
}
template <class F>
F asCmd(AFX_PMSG p) {
    return reinterpret_cast<F>(p);
}
AFX_PTM_WARNING_RESTORE

CPoint pointOf(LPARAM lParam) { return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); }

const AFX_MSGMAP_ENTRY* findEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id) {
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (message >= 0xC000 && e->nMessage == 0xC000) {
                if (*reinterpret_cast<const UINT*>(e->nSig) == message) return e;
                continue;
            }
            if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID) return e;
        }
    return nullptr;
}

}  // namespace

namespace hmigfx::afx {
bool hasWindowTemps() { return !maps().temporary.empty(); }
}  // namespace hmigfx::afx

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && tWndInit) {
        CWnd* pWnd = tWndInit;
        tWndInit = nullptr;
        const auto h = reinterpret_cast<HWND>(wParam);
        pWnd->Attach(h);
        pWnd->PreSubclassWindow();
        const auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        if (old != &AfxWndProc) pWnd->m_pfnSuper = old;
    }
    return ::CallNextHookEx(tCbtHook, code, wParam, lParam);
}

namespace {

void hookWindowCreate(CWnd* pWnd) {
    if (!tCbtHook) tCbtHook = ::SetWindowsHookExW(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    tWndInit = pWnd;
}

// False when the hook never saw the window.
bool unhookWindowCreate() {
    const bool seen = tWndInit == nullptr;
    tWndInit = nullptr;
    if (tCbtHook) {
        ::UnhookWindowsHookEx(tCbtHook);
        tCbtHook = nullptr;
    }
    return seen;
}

}  // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd) return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    const MSG saved = tLastMsg;
    tLastMsg = MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    const LRESULT r = pWnd->WindowProc(nMsg, wParam, lParam);
    tLastMsg = saved;
    return r;
}

LPCWSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    static auto* names = new std::set<std::wstring>;
    wchar_t buf[96];
    std::swprintf(buf, 96, L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
                  static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    const std::wstring& name = *names->insert(buf).first;
    WNDCLASSW wc{};
    if (!::GetClassInfoW(AfxGetInstanceHandle(), name.c_str(), &wc)) {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name.c_str();
        if (!::RegisterClassW(&wc)) AfxThrowResourceException();
    }
    return name.c_str();
}

// ---------------------------------------------------------------------------
// CCmdTarget

CCmdTarget::~CCmdTarget() {}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO*) {
    // HIWORD(nCode) names the message (WM_NOTIFY, reflections); 0 is WM_COMMAND.
    UINT message = HIWORD(static_cast<DWORD>(nCode));
    if (message == 0) message = WM_COMMAND;
    const AFX_MSGMAP_ENTRY* e = findEntry(GetMessageMap(), message, LOWORD(static_cast<DWORD>(nCode)), nID);
    if (!e) return FALSE;
    auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (e->nSig) {
    case AfxSigCmd_v: (this->*e->pfn)(); return TRUE;
    case AfxSigCmd_b: return (this->*asCmd<BOOL (CCmdTarget::*)()>(e->pfn))();
    case AfxSigCmd_RANGE: (this->*asCmd<void (CCmdTarget::*)(UINT)>(e->pfn))(nID); return TRUE;
    case AfxSigNotify_v:
        if (!notify) return FALSE;
        (this->*asCmd<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn))(notify->pNMHDR, notify->pResult);
        return TRUE;
    case AfxSigNotify_b:
        if (!notify) return FALSE;
        return (this->*asCmd<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn))(notify->pNMHDR, notify->pResult);
    default: return FALSE;
    }
}

// ---------------------------------------------------------------------------
// CWnd: handle maps and life

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

CWnd::~CWnd() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    if (m_hWnd) Detach();  // a window of another thread, or a temporary's
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd) {
    if (!hWnd) return nullptr;
    WindowMaps& m = maps();
    if (auto it = m.permanent.find(hWnd); it != m.permanent.end()) return it->second;
    if (auto it = m.temporary.find(hWnd); it != m.temporary.end()) return it->second;
    auto* temp = new CWnd;
    temp->m_hWnd = hWnd;  // not in the permanent map: the window is not its own
    m.temporary.emplace(hWnd, temp);
    return temp;
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd) {
    WindowMaps& m = maps();
    auto it = m.permanent.find(hWnd);
    return it == m.permanent.end() ? nullptr : it->second;
}

void PASCAL CWnd::DeleteTempMap() {
    auto temps = std::move(maps().temporary);
    maps().temporary.clear();
    for (auto& [h, wnd] : temps) {
        wnd->m_hWnd = nullptr;
        delete wnd;
    }
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (!hWndNew || m_hWnd || FromHandlePermanent(hWndNew)) return FALSE;
    m_hWnd = hWndNew;
    maps().permanent[hWndNew] = this;
    return TRUE;
}

HWND CWnd::Detach() {
    const HWND h = m_hWnd;
    if (h) {
        WindowMaps& m = maps();
        if (auto it = m.permanent.find(h); it != m.permanent.end() && it->second == this) m.permanent.erase(it);
    }
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    CREATESTRUCTW cs{lpParam, AfxGetInstanceHandle(), nIDorHMenu, hWndParent, nHeight, nWidth, y, x,
                     static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    hookWindowCreate(this);
    const HWND h = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                                     cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!unhookWindowCreate()) PostNcDestroy();  // never attached: the window was refused before its first message
    return h != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext) {
    // Always a child window.
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    const HWND h = m_hWnd;
    const BOOL ok = ::DestroyWindow(h);
    // A subclassed window was detached by OnNcDestroy (and `this` may be gone
    // with it); one that was only attached is detached here.
    if (ok && FromHandlePermanent(h) == this) Detach();
    return ok;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    const auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc) m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (!pParent) return FALSE;
    const HWND h = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return h && SubclassWindow(h);
}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper) ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

// ---------------------------------------------------------------------------
// CWnd: messages

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(tLastMsg.message, tLastMsg.wParam, tLastMsg.lParam); }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        if (pResult) *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
        if (!nm || !nm->hwndFrom || !OnNotify(wParam, lParam, &lResult)) return FALSE;
        if (pResult) *pResult = lResult;
        return TRUE;
    }
    // Every WM_CTLCOLOR* message has the one entry, with the control's type.
    UINT mapped = message, ctlType = 0;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        mapped = WM_CTLCOLOR;
        ctlType = message - WM_CTLCOLORMSGBOX;
    } else if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) {
        mapped = WM_REFLECT_BASE + WM_CTLCOLOR;
        ctlType = message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX;
    }
    const AFX_MSGMAP_ENTRY* e = findEntry(GetMessageMap(), mapped, 0, 0);
    if (!e) return FALSE;
    const AFX_PMSGW pfn = static_cast<AFX_PMSGW>(e->pfn);
    const UINT_PTR sig = message >= 0xC000 ? static_cast<UINT_PTR>(AfxSig_l_w_l) : e->nSig;
    switch (sig) {
    case AfxSig_v_v: (this->*pfn)(); break;
    case AfxSig_i_CREATE:
        lResult = (this->*as<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_b_D: lResult = (this->*as<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); break;
    case AfxSig_v_u_ii:
        (this->*as<void (CWnd::*)(UINT, int, int)>(pfn))(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                                                          static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_v_ii:
        (this->*as<void (CWnd::*)(int, int)>(pfn))(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_v_W:
        // WM_CAPTURECHANGED names the window in lParam, the focus messages in wParam.
        (this->*as<void (CWnd::*)(CWnd*)>(pfn))(
            FromHandle(reinterpret_cast<HWND>(message == WM_CAPTURECHANGED ? lParam : static_cast<LPARAM>(wParam))));
        break;
    case AfxSig_v_uuu:
        (this->*as<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_v_u_p: (this->*as<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), pointOf(lParam)); break;
    case AfxSig_b_u_s_p:
        lResult = (this->*as<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(LOWORD(wParam), static_cast<short>(HIWORD(wParam)),
                                                                         pointOf(lParam));
        break;
    case AfxSig_v_up: (this->*as<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam)); break;
    case AfxSig_v_uu_SB:
        // The sender may be any control (an up-down control, say), as in MFC:
        // handed over as a CScrollBar* without claiming it is one.
        (this->*as<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_v_uu: (this->*as<void (CWnd::*)(UINT, UINT)>(pfn))(LOWORD(wParam), HIWORD(wParam)); break;
    case AfxSig_h_D_W_u:
        lResult = reinterpret_cast<LRESULT>((this->*as<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), FromHandle(reinterpret_cast<HWND>(lParam)), ctlType));
        break;
    case AfxSig_h_D_u: {
        // A reflected handler that gives no brush leaves the colours to the parent.
        const HBRUSH b =
            (this->*as<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), ctlType);
        if (!b) return FALSE;
        lResult = reinterpret_cast<LRESULT>(b);
        break;
    }
    case AfxSig_v_b: (this->*as<void (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam)); break;
    case AfxSig_v_b_u: (this->*as<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); break;
    case AfxSig_u_v: lResult = (this->*as<UINT (CWnd::*)()>(pfn))(); break;
    case AfxSig_b_W_uu:
        lResult = (this->*as<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                       LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_v_u_W_b:
        (this->*as<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)),
                                                             HIWORD(wParam));
        break;
    case AfxSig_v_W_p:
        (this->*as<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)), pointOf(lParam));
        break;
    case AfxSig_v_POS: (this->*as<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case AfxSig_l_w_l: lResult = (this->*as<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam); break;
    default: return FALSE;
    }
    if (pResult) *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    const auto hCtl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hCtl) {
        // The control's own reflected handler goes first.
        if (CWnd* child = FromHandlePermanent(hCtl); child && child->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
    } else {
        nCode = CN_COMMAND;  // a menu or an accelerator
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    const HWND hCtl = nm->hwndFrom;
    if (CWnd* child = FromHandlePermanent(hCtl); child && child->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, nm};
    const auto nID = static_cast<UINT>(static_cast<WORD>(::GetDlgCtrlID(hCtl)));
    return OnCmdMsg(nID, static_cast<int>(MAKELONG(nm->code, WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL: return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND:
        if (OnCmdMsg(0, static_cast<int>(MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr)) {
            if (pResult) *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        auto* nm = reinterpret_cast<NMHDR*>(lParam);
        LRESULT ignored = 0;
        AFX_NOTIFY notify{pResult ? pResult : &ignored, nm};
        return OnCmdMsg(0, static_cast<int>(MAKELONG(nm->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify, nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
        return FALSE;
    }
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
    return OnChildNotify(tLastMsg.message, tLastMsg.wParam, tLastMsg.lParam, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    CWnd* child = FromHandlePermanent(hWndChild);
    return child && child->SendChildNotifyLastMsg(pResult);
}

// ---------------------------------------------------------------------------
// CWnd: the default handlers

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar && reinterpret_cast<CWnd*>(pScrollBar)->SendChildNotifyLastMsg()) return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar && reinterpret_cast<CWnd*>(pScrollBar)->SendChildNotifyLastMsg()) return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
    LRESULT r = 0;
    if (pWnd && pWnd->SendChildNotifyLastMsg(&r)) return reinterpret_cast<HBRUSH>(r);
    return reinterpret_cast<HBRUSH>(Default());
}

// The window is going: pass the message on, give the window its own
// procedure back, forget it, and let the object go.
void CWnd::OnNcDestroy() {
    Default();
    if (m_pfnSuper &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

// ---------------------------------------------------------------------------
// CWnd: the rest

void CWnd::GetWindowText(CString& rString) const {
    const int n = GetWindowTextLength();
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    const int got = ::GetWindowTextW(m_hWnd, buf.data(), n + 1);
    rString = CString(buf.c_str(), got);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    rString.Empty();
    if (const HWND h = ::GetDlgItem(m_hWnd, nID)) FromHandle(h)->GetWindowText(rString);
    return rString.GetLength();
}

namespace {

BOOL modifyStyle(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    const auto style = static_cast<DWORD>(::GetWindowLongW(hWnd, index));
    const DWORD changed = (style & ~dwRemove) | dwAdd;
    if (style == changed) return FALSE;
    ::SetWindowLongW(hWnd, index, static_cast<LONG>(changed));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

}  // namespace

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return modifyStyle(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return modifyStyle(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate ? static_cast<HRGN>(prgnUpdate->m_hObject) : nullptr, flags);
}

int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))); }

CScrollBar::~CScrollBar() {}
CStatic::~CStatic() {}
CButton::~CButton() {}
CEdit::~CEdit() {}

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps{}, m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    if (!Attach(::BeginPaint(m_hWnd, &m_ps))) AfxThrowResourceException();
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
