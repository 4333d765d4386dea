// The viewer's property dialog: an object's pen width in the library's spin edit.
#include "view.h"

namespace hmigfx::app {
namespace {

constexpr int kWidthId = 100;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;
constexpr SIZE kClient{216, 92};

LPCWSTR dialogClass() {
    static const LPCWSTR name =
        AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return name;
}

HWND control(HWND dialog, LPCWSTR cls, LPCWSTR text, DWORD style, DWORD exStyle, const RECT& r, int id) {
    const HWND h = ::CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                     r.bottom - r.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                     nullptr);
    if (h) ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return h;
}

}  // namespace

BEGIN_MESSAGE_MAP(PenWidthDialog, CWnd)
    ON_EN_CHANGE(kWidthId, OnWidthChange)
    ON_BN_CLICKED(IDOK, OnOK)
    ON_BN_CLICKED(IDCANCEL, OnCancel)
    ON_WM_CLOSE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

PenWidthDialog::PenWidthDialog(CPoint width, std::function<void(CPoint)> changed, std::function<void()> done)
    : m_initial(width), m_current(width), m_changed(std::move(changed)), m_done(std::move(done)) {}

PenWidthDialog::~PenWidthDialog() {
    if (m_hWnd) DestroyWindow();
}

bool PenWidthDialog::Open(CWnd* owner, CPoint screen) {
    RECT frame{0, 0, kClient.cx, kClient.cy};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    if (!CreateEx(kExStyle, dialogClass(), L"Line", kStyle, screen.x, screen.y, frame.right - frame.left,
                  frame.bottom - frame.top, owner->m_hWnd, nullptr))
        return false;
    control(m_hWnd, L"Static", L"Width:", SS_LEFT, 0, RECT{14, 18, 62, 34}, -1);
    control(m_hWnd, L"Edit", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, RECT{66, 14, 184, 36}, kWidthId);
    control(m_hWnd, L"Button", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, RECT{30, 58, 102, 81}, IDOK);
    control(m_hWnd, L"Button", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, RECT{114, 58, 186, 81}, IDCANCEL);
    // As a host's dialog does: its edit taken over by the spin edit, then the arrows.
    if (!m_width.SubclassDlgItem(kWidthId, this)) return false;
    m_width.SetPenWidthCtrl(this);
    m_width.SetValuePenWidth(m_initial);
    ShowWindow(SW_SHOW);
    return true;
}

void PenWidthDialog::OnSetFocus(CWnd*) {
    m_width.SetFocus();
    m_width.SetSel(0, -1);
}

void PenWidthDialog::OnWidthChange() {
    CPoint width;
    if (m_finished || !m_width.GetValuePenWidth(width) || width == m_current) return;
    m_current = width;
    m_changed(width);
}

void PenWidthDialog::OnOK() { finish(true); }
void PenWidthDialog::OnCancel() { finish(false); }
void PenWidthDialog::OnClose() { finish(false); }

void PenWidthDialog::finish(bool keep) {
    if (m_finished) return;
    m_finished = true;
    if (!keep && m_current != m_initial) m_changed(m_initial);
    // The owner is enabled again before the dialog goes, so it gets the activation.
    m_done();
    ShowWindow(SW_HIDE);
}

}  // namespace hmigfx::app
