#include "property_dialog.h"

#include <memory>

namespace hmigfx::app {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
constexpr DWORD kDialogExStyle = WS_EX_DLGMODALFRAME;

LPCWSTR dialogClass() {
    static const LPCWSTR name = AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return name;
}

HWND makeControl(const DialogControl& c, HWND dialog, int id) {
    LPCWSTR cls = L"Static";
    DWORD style = WS_CHILD | WS_VISIBLE, exStyle = 0;
    switch (c.type) {
    case DialogControl::Label: style |= SS_LEFT; break;
    case DialogControl::Edit:
    case DialogControl::SpinEdit:
        cls = L"Edit";
        style |= WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case DialogControl::Button:
        cls = L"Button";
        style |= WS_TABSTOP | (c.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case DialogControl::CheckBox:
        cls = L"Button";
        style |= WS_TABSTOP | BS_AUTOCHECKBOX;
        break;
    case DialogControl::GroupBox:
        cls = L"Button";
        style |= BS_GROUPBOX;
        break;
    }
    const HWND h = ::CreateWindowExW(exStyle, cls, c.text.c_str(), style, c.rect.left, c.rect.top, c.rect.Width(),
                                     c.rect.Height(), dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     nullptr, nullptr);
    if (h) ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return h;
}

// The up-down control whose buddy the edit is.
HWND arrowsOf(HWND dialog, HWND edit) {
    for (HWND h = ::GetWindow(dialog, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        WCHAR name[32];
        if (::GetClassNameW(h, name, 32) && std::wstring(name) == UPDOWN_CLASSW &&
            reinterpret_cast<HWND>(::SendMessageW(h, UDM_GETBUDDY, 0, 0)) == edit)
            return h;
    }
    return nullptr;
}

// A mouse press on the up (+1) or down (-1) arrow, and its release.
void pressArrow(HWND arrows, int direction, bool release) {
    RECT rc;
    ::GetClientRect(arrows, &rc);
    const LPARAM at = MAKELPARAM(rc.right / 2, direction > 0 ? rc.bottom / 4 : rc.bottom * 3 / 4);
    ::SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (release) ::SendMessageW(arrows, WM_LBUTTONUP, 0, at);
}

void configure(CMySpinEdit& spin, const DialogControl& c, CWnd& dialog) {
    if (!c.range) {
        spin.SetPenWidthCtrl(&dialog);
    } else {
        spin.SpinEnable(&dialog);
        spin.SetRange(c.range->first, c.range->second);
        spin.SetBase(c.step, c.format, c.decimals);
        spin.SetBaseText(c.unit.c_str());
    }
    if (c.penWidth) spin.SetValuePenWidth(*c.penWidth);
    if (c.value) spin.SetValue(*c.value);
}

// What the user did: typing replaces the text, then the arrows and keys.
void act(HWND dialog, HWND h, const DialogControl& c) {
    if (c.typed) {
        ::SetFocus(h);
        ::SendMessageW(h, EM_SETSEL, 0, -1);
        for (wchar_t ch : *c.typed) ::SendMessageW(h, WM_CHAR, ch, 1);
    }
    if (c.type != DialogControl::SpinEdit) return;
    const HWND arrows = arrowsOf(dialog, h);
    for (int i = 0; arrows && i < std::abs(c.clicks); ++i) pressArrow(arrows, c.clicks > 0 ? 1 : -1, true);
    for (int i = 0; i < std::abs(c.keys); ++i) {
        const WPARAM vk = c.keys > 0 ? VK_UP : VK_DOWN;
        ::SendMessageW(h, WM_KEYDOWN, vk, 1);
        ::SendMessageW(h, WM_KEYUP, vk, 1 | (3u << 30));
    }
}

}  // namespace

CSize dialogSize(const DialogLayout& layout) {
    RECT frame{0, 0, layout.clientSize.cx, layout.clientSize.cy};
    ::AdjustWindowRectEx(&frame, kDialogStyle, FALSE, kDialogExStyle);
    return CSize(frame.right - frame.left, frame.bottom - frame.top);
}

bool drawDialog(const DialogLayout& layout, CDC& dc, int x, int y, CSize* size) {
    const CSize outer = dialogSize(layout);
    if (size) *size = outer;
    // Far off the desktop, as Windows keeps windows it draws but does not
    // show, and owned by the active window, which gets the activation back.
    constexpr int kOffDesktop = -32000;
    CWnd dialog;
    if (!dialog.CreateEx(kDialogExStyle, dialogClass(), layout.title.c_str(), kDialogStyle, kOffDesktop, kOffDesktop,
                         outer.cx, outer.cy, ::GetActiveWindow(), nullptr))
        return false;
    std::vector<std::unique_ptr<CMySpinEdit>> spins;
    std::vector<HWND> handles;
    int id = 1000;
    for (const DialogControl& c : layout.controls) {
        const HWND h = makeControl(c, dialog.m_hWnd, id++);
        handles.push_back(h);
        if (h && c.type == DialogControl::SpinEdit) {
            // As a host does: the dialog's edit taken over, then the arrows.
            spins.push_back(std::make_unique<CMySpinEdit>());
            if (spins.back()->SubclassWindow(h)) configure(*spins.back(), c, dialog);
        }
    }
    HWND focus = nullptr;
    for (size_t i = 0; i < layout.controls.size(); ++i) {
        const DialogControl& c = layout.controls[i];
        const HWND h = handles[i];
        if (!h) continue;
        act(dialog.m_hWnd, h, c);
        if (c.checked) ::SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
        if (c.pushed) ::SendMessageW(h, BM_SETSTATE, TRUE, 0);
        if (!c.enabled) ::EnableWindow(h, FALSE);
        if (c.focus) focus = h;
    }
    if (focus) ::SetFocus(focus);
    for (size_t i = 0; i < layout.controls.size(); ++i) {
        const DialogControl& c = layout.controls[i];
        if (handles[i] && c.selection) ::SendMessageW(handles[i], EM_SETSEL, c.selection->first, c.selection->second);
        if (handles[i] && c.held)
            if (const HWND arrows = arrowsOf(dialog.m_hWnd, handles[i])) pressArrow(arrows, c.held, false);
    }
    CDC picture;
    picture.CreateCompatibleDC(&dc);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = outer.cx;
    bi.bmiHeader.biHeight = -outer.cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bmp = ::CreateDIBSection(dc.m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(picture.m_hDC, bmp);
    const bool ok = dialog.PrintWindow(&picture, 0) && dc.BitBlt(x, y, outer.cx, outer.cy, &picture, 0, 0, SRCCOPY);
    ::SelectObject(picture.m_hDC, old);
    ::DeleteObject(bmp);
    ::ReleaseCapture();
    dialog.DestroyWindow();
    AfxUnlockTempMaps();
    return ok;
}

}  // namespace hmigfx::app
