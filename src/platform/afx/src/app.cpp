// The application object, the framework's process state, extension modules
// and the resource chain.
#include <afxwin.h>

#include <cstdlib>
#include <cwchar>
#include <vector>

IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)
IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

namespace {

LPWSTR duplicate(const std::wstring& s) {
    auto* p = static_cast<LPWSTR>(std::malloc((s.size() + 1) * sizeof(wchar_t)));
    if (!p) AfxThrowMemoryException();
    std::wmemcpy(p, s.c_str(), s.size() + 1);
    return p;
}

std::wstring moduleFileName(HMODULE module) {
    std::vector<WCHAR> buf(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 2);
    }
}

bool isSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

}  // namespace

AFX_MODULE_STATE* AFXAPI AfxGetModuleState() {
    // Never destroyed: extension modules may detach after static destruction began.
    static AFX_MODULE_STATE* state = new AFX_MODULE_STATE;
    return state;
}

CWinThread::~CWinThread() {}

BOOL CWinThread::OnIdle(LONG) {
    AfxUnlockTempMaps();
    return FALSE;
}

// ---------------------------------------------------------------------------
// Window DCs

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    if (!Attach(::GetDC(m_hWnd))) AfxThrowResourceException();
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    if (!Attach(::GetWindowDC(m_hWnd))) AfxThrowResourceException();
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }

// ---------------------------------------------------------------------------
// The application

CWinApp::CWinApp(LPCWSTR lpszAppName)
    : m_pszAppName(nullptr), m_pszExeName(nullptr), m_pszHelpFilePath(nullptr), m_pszProfileName(nullptr),
      m_hInstance(GetModuleHandleW(nullptr)) {
    AFX_MODULE_STATE* state = AfxGetModuleState();
    state->m_pCurrentWinApp = this;
    state->m_hCurrentInstanceHandle = m_hInstance;

    // Help file: the executable's path with its extension replaced by .HLP
    // (added when the file name has none).
    const std::wstring exe = moduleFileName(m_hInstance);
    size_t nameStart = exe.size();
    while (nameStart > 0 && !isSeparator(exe[nameStart - 1])) --nameStart;
    const size_t dot = exe.rfind(L'.');
    const size_t extStart = dot != std::wstring::npos && dot > nameStart ? dot : exe.size();
    m_pszHelpFilePath = duplicate(exe.substr(0, extStart) + L".HLP");
    m_pszExeName = duplicate(exe.substr(nameStart, extStart - nameStart));
    m_pszAppName = duplicate(lpszAppName ? std::wstring(lpszAppName) : std::wstring(m_pszExeName));
    state->m_lpszCurrentAppName = m_pszAppName;
}

CWinApp::~CWinApp() {
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp == this) {
        state->m_pCurrentWinApp = nullptr;
        state->m_lpszCurrentAppName = nullptr;
    }
    std::free(const_cast<LPWSTR>(m_pszAppName));
    std::free(const_cast<LPWSTR>(m_pszExeName));
    std::free(const_cast<LPWSTR>(m_pszHelpFilePath));
    std::free(const_cast<LPWSTR>(m_pszProfileName));
}

CWinApp* AFXAPI AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

LPCWSTR AFXAPI AfxGetAppName() { return AfxGetModuleState()->m_lpszCurrentAppName; }

HINSTANCE AFXAPI AfxGetInstanceHandle() {
    HINSTANCE h = AfxGetModuleState()->m_hCurrentInstanceHandle;
    return h ? h : GetModuleHandleW(nullptr);
}

// ---------------------------------------------------------------------------
// Extension modules

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem), m_pNextDLL(nullptr) {
    AfxGetModuleState()->m_libraryList.AddHead(this);
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE), m_pNextDLL(nullptr) {
    AfxGetModuleState()->m_libraryList.AddHead(this);
}

CDynLinkLibrary::~CDynLinkLibrary() { AfxGetModuleState()->m_libraryList.Remove(this); }

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
    WCHAR name[2];
    if (!hModule || (GetModuleFileNameW(hModule, name, 2) == 0 && GetLastError() == ERROR_MOD_NOT_FOUND)) return FALSE;
    if (state.bInitialized) return TRUE;
    state.bInitialized = TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = nullptr;
    state.pFirstSharedFactory = nullptr;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
    if (!state.bInitialized) return;
    AFX_MODULE_STATE* ms = AfxGetModuleState();
    CDynLinkLibrary* p = ms->m_libraryList;
    while (p) {
        CDynLinkLibrary* next = p->m_pNextDLL;
        if (bAll || p->m_hModule == state.hModule) delete p;
        p = next;
    }
    state.bInitialized = FALSE;
}

HINSTANCE AFXAPI AfxGetResourceHandle() {
    HINSTANCE h = AfxGetModuleState()->m_hCurrentResourceHandle;
    return h ? h : GetModuleHandleW(nullptr);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource; }

HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType) {
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (!state->m_bSystem) {
        HINSTANCE h = AfxGetResourceHandle();
        if (FindResourceW(h, lpszName, lpszType)) return h;
    }
    for (CDynLinkLibrary* p = state->m_libraryList; p; p = p->m_pNextDLL)
        if (!p->m_bSystem && p->m_hResource && FindResourceW(p->m_hResource, lpszName, lpszType)) return p->m_hResource;
    for (CDynLinkLibrary* p = state->m_libraryList; p; p = p->m_pNextDLL)
        if (p->m_bSystem && p->m_hResource && FindResourceW(p->m_hResource, lpszName, lpszType)) return p->m_hResource;
    return AfxGetResourceHandle();
}
