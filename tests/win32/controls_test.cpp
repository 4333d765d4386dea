// The standard controls as a dialog's parent sees them: the notifications
// and their order, typing and selecting in an edit, the up-down control's
// steps, buddy and layout, and clicking buttons.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace {

struct Note {
    UINT msg;
    int code;    // WM_COMMAND's notification, WM_NOTIFY's code, the scroll code
    int a = 0;   // NMUPDOWN iPos, scroll position
    int b = 0;   // NMUPDOWN iDelta
};
std::vector<Note> gNotes;
LRESULT gDeltaAnswer = 0;
int gDeltaChange = 0;

LRESULT CALLBACK parentProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
    case WM_COMMAND: gNotes.push_back({msg, HIWORD(w)}); return 0;
    case WM_NOTIFY: {
        auto* nm = reinterpret_cast<NMUPDOWN*>(l);
        gNotes.push_back({msg, static_cast<int>(nm->hdr.code), nm->iPos, nm->iDelta});
        nm->iDelta += gDeltaChange;
        return gDeltaAnswer;
    }
    case WM_VSCROLL: gNotes.push_back({msg, LOWORD(w), static_cast<short>(HIWORD(w))}); return 0;
    default: return DefWindowProcW(h, msg, w, l);
    }
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void key(WORD vk, bool up = false) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
    pump();
}

void stroke(WORD vk) {
    key(vk);
    key(vk, true);
}

void click(HWND h, int x, int y) {
    POINT p{x, y};
    ClientToScreen(h, &p);
    SetCursorPos(p.x, p.y);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &in, sizeof in);
    pump();
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
    pump();
}

std::wstring textOf(HWND h) {
    WCHAR buf[256];
    GetWindowTextW(h, buf, 256);
    return buf;
}

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        static ATOM cls = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = parentProc;
            wc.lpszClassName = L"HmigfxControlsParent";
            return RegisterClassW(&wc);
        }();
        ASSERT_NE(cls, 0);
        dialog = CreateWindowExW(0, L"HmigfxControlsParent", L"", WS_POPUP | WS_VISIBLE, 300, 300, 300, 200, nullptr,
                                 nullptr, nullptr, nullptr);
        edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 100, 22,
                               dialog, reinterpret_cast<HMENU>(100), nullptr, nullptr);
        gNotes.clear();
        gDeltaAnswer = 0;
        gDeltaChange = 0;
    }
    void TearDown() override { DestroyWindow(dialog); }

    HWND dialog = nullptr;
    HWND edit = nullptr;
};

TEST_F(Controls, EditTypesSelectsAndNotifiesUpdateBeforeChange) {
    SetFocus(edit);
    for (wchar_t c : std::wstring(L"12.5")) PostMessageW(edit, WM_CHAR, c, 1);
    pump();
    EXPECT_EQ(textOf(edit), L"12.5");
    // Each change: EN_UPDATE, then EN_CHANGE.
    std::vector<int> codes;
    for (const Note& n : gNotes)
        if (n.msg == WM_COMMAND) codes.push_back(n.code);
    EXPECT_EQ(codes, (std::vector<int>{EN_SETFOCUS, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE,
                                       EN_UPDATE, EN_CHANGE}));
    // Shift+Left selects back from the caret; typing replaces the selection.
    key(VK_SHIFT);
    stroke(VK_LEFT);
    stroke(VK_LEFT);
    key(VK_SHIFT, true);
    DWORD s = 0, e = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(s, 2u);
    EXPECT_EQ(e, 4u);
    SendMessageW(edit, WM_CHAR, L'7', 1);
    EXPECT_EQ(textOf(edit), L"127");
    stroke(VK_HOME);
    stroke(VK_DELETE);
    SendMessageW(edit, WM_CHAR, 8, 1);  // backspace at the start does nothing
    EXPECT_EQ(textOf(edit), L"27");
    EXPECT_TRUE(SendMessageW(edit, EM_UNDO, 0, 0));
    EXPECT_EQ(textOf(edit), L"127");
    // The limit cuts typing short with EN_MAXTEXT; text set directly ignores it.
    SendMessageW(edit, EM_LIMITTEXT, 3, 0);
    stroke(VK_END);
    gNotes.clear();
    SendMessageW(edit, WM_CHAR, L'9', 1);
    EXPECT_EQ(textOf(edit), L"127");
    ASSERT_EQ(gNotes.size(), 1u);
    EXPECT_EQ(gNotes[0].code, EN_MAXTEXT);
    SetWindowTextW(edit, L"123456");
    EXPECT_EQ(textOf(edit), L"123456");
    // Read-only and number-only edits refuse typing.
    SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
    SendMessageW(edit, WM_CHAR, L'x', 1);
    EXPECT_EQ(textOf(edit), L"123456");
}

TEST_F(Controls, EditCutsCopiesAndPastesThroughTheClipboard) {
    SetFocus(edit);
    SetWindowTextW(edit, L"2.25 pt");
    SendMessageW(edit, EM_SETSEL, 0, 4);
    SendMessageW(edit, WM_CHAR, 0x18, 1);  // Ctrl+X
    EXPECT_EQ(textOf(edit), L" pt");
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    stroke(VK_END);
    key(VK_SHIFT);
    stroke(VK_INSERT);  // Shift+Insert pastes
    key(VK_SHIFT, true);
    EXPECT_EQ(textOf(edit), L" pt2.25");
    // A password edit keeps its text off the clipboard; a read-only one takes nothing from it.
    SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_COPY, 0, 0);
    SendMessageW(edit, EM_SETPASSWORDCHAR, 0, 0);
    SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(edit), L" pt2.25");
    SendMessageW(edit, EM_SETREADONLY, FALSE, 0);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CHAR, 0x16, 1);  // Ctrl+V
    EXPECT_EQ(textOf(edit), L"2.25");
}

TEST_F(Controls, UpDownNotifiesBeforeItMovesAndTheParentDecides) {
    HWND ud = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 150, 10, 16, 24, dialog,
                              reinterpret_cast<HMENU>(7), nullptr, nullptr);
    // The default range runs from 100 down to 0.
    EXPECT_EQ(SendMessageW(ud, UDM_GETRANGE, 0, 0), MAKELONG(0, 100));
    SendMessageW(ud, UDM_SETRANGE32, 0, 10);
    SendMessageW(ud, UDM_SETPOS32, 0, 10);
    click(ud, 8, 3);  // the up arrow, at the top of the range
    ASSERT_EQ(gNotes.size(), 3u);
    EXPECT_EQ(gNotes[0].msg, static_cast<UINT>(WM_NOTIFY));
    EXPECT_EQ(gNotes[0].code, static_cast<int>(UDN_DELTAPOS));
    EXPECT_EQ(gNotes[0].a, 10);
    EXPECT_EQ(gNotes[0].b, 1);
    EXPECT_EQ(gNotes[1].msg, static_cast<UINT>(WM_VSCROLL));  // sent at the limit too
    EXPECT_EQ(gNotes[1].code, SB_THUMBPOSITION);
    EXPECT_EQ(gNotes[1].a, 10);
    EXPECT_EQ(gNotes[2].code, SB_ENDSCROLL);
    // The parent may change the step, or refuse it.
    gNotes.clear();
    gDeltaChange = -4;
    click(ud, 8, 20);
    EXPECT_EQ(SendMessageW(ud, UDM_GETPOS32, 0, 0), 5);
    gDeltaAnswer = 1;
    click(ud, 8, 20);
    EXPECT_EQ(SendMessageW(ud, UDM_GETPOS32, 0, 0), 5);
}

TEST_F(Controls, UpDownSitsOnItsEditBuddyAndWritesItsPosition) {
    HWND ud = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                              WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS,
                              0, 0, 20, 20, dialog, reinterpret_cast<HMENU>(8), nullptr, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(ud, UDM_GETBUDDY, 0, 0)), edit);
    // 16 pixels wide, over the edit's 2-pixel border, as tall as the edit.
    RECT e, u;
    GetWindowRect(edit, &e);
    GetWindowRect(ud, &u);
    EXPECT_EQ(e.right - e.left, 84);
    EXPECT_EQ(u.left, e.right - 2);
    EXPECT_EQ(u.right - u.left, 16);
    EXPECT_EQ(u.bottom - u.top, 22);
    SendMessageW(ud, UDM_SETRANGE32, 0, 100000);
    SendMessageW(ud, UDM_SETPOS32, 0, 12345);
    EXPECT_EQ(textOf(edit), L"12,345");
    SendMessageW(ud, UDM_SETBASE, 16, 0);
    SendMessageW(ud, UDM_SETPOS32, 0, 255);
    EXPECT_EQ(textOf(edit), L"0x00FF");
    SendMessageW(ud, UDM_SETBASE, 10, 0);
    // The position is read back from what was typed; nonsense is an error.
    SetWindowTextW(edit, L"1,234");
    EXPECT_EQ(SendMessageW(ud, UDM_GETPOS, 0, 0), MAKELONG(1234, 0));
    SetWindowTextW(edit, L"x");
    EXPECT_EQ(HIWORD(SendMessageW(ud, UDM_GETPOS, 0, 0)), 1);
    // The arrow keys in the edit step from the typed number.
    SetWindowTextW(edit, L"41");
    SetFocus(edit);
    stroke(VK_UP);
    EXPECT_EQ(textOf(edit), L"42");
}

TEST_F(Controls, ButtonsClickWhenReleasedOverThem) {
    HWND ok = CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 50, 75, 23, dialog,
                              reinterpret_cast<HMENU>(1), nullptr, nullptr);
    HWND box = CreateWindowExW(0, L"Button", L"Box", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 80, 75, 16, dialog,
                               reinterpret_cast<HMENU>(2), nullptr, nullptr);
    click(ok, 10, 10);
    ASSERT_EQ(gNotes.size(), 1u);
    EXPECT_EQ(gNotes[0].code, BN_CLICKED);
    EXPECT_EQ(GetFocus(), ok);
    // Pressed, dragged off and released: no click.
    gNotes.clear();
    SendMessageW(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(SendMessageW(ok, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageW(ok, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    EXPECT_FALSE(SendMessageW(ok, BM_GETSTATE, 0, 0) & BST_PUSHED);
    SendMessageW(ok, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_TRUE(gNotes.empty());
    click(box, 5, 8);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    stroke(VK_SPACE);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

}  // namespace
