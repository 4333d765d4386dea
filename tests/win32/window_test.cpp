// USER's windows: the messages of creation and destruction, wrong use,
// the queue's order, other threads, focus, painting and composition, and
// mouse input through hit testing and capture.
#include "../support/canvas.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace {

struct Logged {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Logged> gLog;

LRESULT CALLBACK loggingProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    gLog.push_back({h, msg, w, l});
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(h, GWLP_USERDATA)));
        RECT rc;
        GetClientRect(h, &rc);
        FillRect(dc, &rc, b);
        DeleteObject(b);
        EndPaint(h, &ps);
        return 0;
    }
    if (msg == WM_USER + 1) return static_cast<LRESULT>(w * 2);
    return DefWindowProcW(h, msg, w, l);
}

const wchar_t* loggingClass() {
    static ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = loggingProc;
        wc.lpszClassName = L"HmigfxLogged";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        return RegisterClassExW(&wc);
    }();
    return atom ? L"HmigfxLogged" : nullptr;
}

HWND make(DWORD style, int x, int y, int w, int h, HWND parent, int id = 0, COLORREF color = RGB(0, 0, 255)) {
    HWND hwnd = CreateWindowExW(0, loggingClass(), L"", style, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
    return hwnd;
}

std::vector<UINT> messagesOf(HWND h, std::initializer_list<UINT> wanted) {
    std::vector<UINT> out;
    for (const Logged& m : gLog)
        if (m.hwnd == h && std::find(wanted.begin(), wanted.end(), m.msg) != wanted.end()) out.push_back(m.msg);
    return out;
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

TEST(Window, CreationAndDestructionSendWindowsMessagesInOrder) {
    HWND top = make(WS_POPUP, 0, 0, 100, 80, nullptr);
    gLog.clear();
    HWND child = make(WS_CHILD | WS_VISIBLE, 5, 6, 20, 10, top, 7);
    // Creation: non-client creation and size, creation, size and place, the
    // parent told, then shown.
    std::vector<UINT> order;
    for (const Logged& m : gLog) order.push_back(m.msg);
    const std::vector<UINT> created{WM_NCCREATE,      WM_NCCALCSIZE,        WM_CREATE,
                                    WM_SIZE,          WM_MOVE,              WM_PARENTNOTIFY,
                                    WM_SHOWWINDOW,    WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED};
    EXPECT_EQ(order, created);
    EXPECT_EQ(gLog[5].hwnd, top);
    EXPECT_EQ(gLog[5].wParam, MAKEWPARAM(WM_CREATE, 7));
    EXPECT_EQ(gLog[4].lParam, MAKELPARAM(5, 6));
    EXPECT_EQ(GetDlgItem(top, 7), child);
    gLog.clear();
    ASSERT_TRUE(DestroyWindow(top));
    // WM_DESTROY goes down the tree, WM_NCDESTROY comes back up.
    std::vector<std::pair<HWND, UINT>> ends;
    for (const Logged& m : gLog)
        if (m.msg == WM_DESTROY || m.msg == WM_NCDESTROY) ends.emplace_back(m.hwnd, m.msg);
    const std::vector<std::pair<HWND, UINT>> expected{
        {top, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {top, WM_NCDESTROY}};
    EXPECT_EQ(ends, expected);
    EXPECT_FALSE(IsWindow(child));
}

TEST(Window, WrongUseGetsWhatWindowsGives) {
    HWND top = make(WS_POPUP, 0, 0, 10, 10, nullptr);
    DestroyWindow(top);
    SetLastError(0);
    EXPECT_EQ(SendMessageW(top, WM_USER + 1, 21, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(PostMessageW(top, WM_USER, 0, 0));
    EXPECT_FALSE(SetWindowTextW(top, L"x"));
    EXPECT_FALSE(DestroyWindow(top));
    EXPECT_EQ(CreateWindowExW(0, loggingClass(), L"", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_TLW_WITH_WSCHILD);
    EXPECT_EQ(CreateWindowExW(0, L"NoSuchClass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
    // A class with windows stays registered.
    HWND w = make(WS_POPUP, 0, 0, 10, 10, nullptr);
    EXPECT_FALSE(UnregisterClassW(loggingClass(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_CLASS_HAS_WINDOWS);
    DestroyWindow(w);
}

TEST(Window, QueueHandsOutPostedThenPaintThenTimersThenQuit) {
    HWND top = make(WS_POPUP | WS_VISIBLE, 0, 0, 30, 30, nullptr);
    pump();
    SetTimer(top, 5, 10, nullptr);
    Sleep(20);
    InvalidateRect(top, nullptr, FALSE);
    PostMessageW(top, WM_USER + 3, 0, 0);
    PostMessageW(top, WM_USER + 2, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_USER + 2, WM_USER + 2, PM_NOREMOVE));  // a filter skips ahead
    std::vector<UINT> got;
    for (int i = 0; i < 4 && GetMessageW(&msg, nullptr, 0, 0); ++i) {
        got.push_back(msg.message);
        DispatchMessageW(&msg);
    }
    const std::vector<UINT> expected{WM_USER + 3, WM_USER + 2, WM_PAINT, WM_TIMER};
    EXPECT_EQ(got, expected);
    KillTimer(top, 5);
    PostQuitMessage(3);
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.wParam, 3u);
    DestroyWindow(top);
}

TEST(Window, OtherThreadsPostAndSendThroughTheOwnersQueue) {
    HWND top = make(WS_POPUP, 0, 0, 10, 10, nullptr);
    LRESULT sent = 0;
    std::thread other([&] {
        sent = SendMessageW(top, WM_USER + 1, 21, 0);  // handled while the owner waits in GetMessage
        PostMessageW(top, WM_USER + 4, 0, 0);
    });
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, top, WM_USER + 4, WM_USER + 4));
    other.join();
    EXPECT_EQ(sent, 42);
    DestroyWindow(top);
}

TEST(Window, FocusMovesWithKillFocusBeforeSetFocus) {
    HWND top = make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr);
    HWND a = make(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
    HWND b = make(WS_CHILD | WS_VISIBLE, 10, 0, 10, 10, top);
    SetFocus(a);
    gLog.clear();
    EXPECT_EQ(SetFocus(b), a);
    ASSERT_EQ(gLog.size(), 2u);
    EXPECT_TRUE(gLog[0].hwnd == a && gLog[0].msg == WM_KILLFOCUS && gLog[0].wParam == reinterpret_cast<WPARAM>(b));
    EXPECT_TRUE(gLog[1].hwnd == b && gLog[1].msg == WM_SETFOCUS && gLog[1].wParam == reinterpret_cast<WPARAM>(a));
    // A disabled window loses the focus and cannot take it back.
    EnableWindow(b, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(SetFocus(b), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    DestroyWindow(top);
}

TEST(Window, ChildrenPaintOverTheirParentWithinItsClientArea) {
    HWND top = make(WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, 0, RGB(0, 0, 255));
    HWND child = make(WS_CHILD | WS_VISIBLE, 30, 10, 20, 10, top, 1, RGB(255, 0, 0));
    UpdateWindow(top);
    testsupport::Canvas c(40, 30, RGB(0, 255, 0));
    ASSERT_TRUE(PrintWindow(top, c.hdc(), 0));
    EXPECT_TRUE(c.is(5, 5, RGB(0, 0, 255)));
    EXPECT_TRUE(c.is(35, 15, RGB(255, 0, 0)));  // the child, cut at the parent's edge
    EXPECT_TRUE(c.is(35, 25, RGB(0, 0, 255)));
    // Invalidating the child repaints it alone, with the erase first and
    // the invalid part as the paint rectangle.
    gLog.clear();
    const RECT part{2, 3, 6, 8};
    InvalidateRect(child, &part, TRUE);
    UpdateWindow(top);
    EXPECT_EQ(messagesOf(top, {WM_PAINT, WM_ERASEBKGND}).size(), 0u);
    EXPECT_EQ(messagesOf(child, {WM_PAINT, WM_ERASEBKGND}), (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    DestroyWindow(top);
}

TEST(Window, MouseInputGoesThroughHitTestingAndCapture) {
    HWND top = make(WS_POPUP | WS_VISIBLE, 100, 100, 60, 40, nullptr);
    HWND child = make(WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, top);
    HWND label = CreateWindowExW(0, L"Static", L"x", WS_CHILD | WS_VISIBLE, 40, 10, 10, 10, top, nullptr, nullptr,
                                 nullptr);
    pump();
    auto click = [](int x, int y, DWORD flags) {
        SetCursorPos(x, y);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flags;
        SendInput(1, &in, sizeof in);
        pump();
    };
    gLog.clear();
    click(115, 117, MOUSEEVENTF_LEFTDOWN);
    auto downs = messagesOf(child, {WM_LBUTTONDOWN});
    ASSERT_EQ(downs.size(), 1u);
    for (const Logged& m : gLog) {
        if (m.msg == WM_LBUTTONDOWN) {
            EXPECT_EQ(m.lParam, MAKELPARAM(5, 7));  // client coordinates
        }
    }
    // The mouse held by capture: moves outside still reach the child.
    SetCapture(child);
    gLog.clear();
    click(190, 190, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(messagesOf(child, {WM_MOUSEMOVE, WM_LBUTTONUP}), (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONUP}));
    ReleaseCapture();
    // A label is transparent to the mouse: its parent gets the click.
    gLog.clear();
    click(145, 115, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(messagesOf(top, {WM_LBUTTONDOWN}).size(), 1u);
    (void)label;
    DestroyWindow(top);
}

}  // namespace

namespace {

// A scroll moves the pixels that stay and leaves only the strip it uncovers
// to paint: a stripe drawn outside WM_PAINT survives, moved, because the
// paint that follows is clipped to the strip.
TEST(Window, ScrollingAndRetitlingRepaintOnlyWhatChanged) {
    HWND top = make(WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, 0, RGB(0, 0, 255));
    UpdateWindow(top);
    HDC dc = GetDC(top);
    const RECT stripe{0, 5, 40, 8};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &stripe, red);
    DeleteObject(red);
    ReleaseDC(top, dc);
    RECT strip{};
    EXPECT_EQ(ScrollWindowEx(top, 0, 10, nullptr, nullptr, nullptr, &strip, SW_INVALIDATE), SIMPLEREGION);
    const RECT top10{0, 0, 40, 10}, bottom10{0, 20, 40, 30};
    EXPECT_TRUE(EqualRect(&strip, &top10));
    RECT update{};
    GetUpdateRect(top, &update, FALSE);
    EXPECT_TRUE(EqualRect(&update, &strip));
    UpdateWindow(top);
    testsupport::Canvas c(40, 30, RGB(0, 255, 0));
    ASSERT_TRUE(PrintWindow(top, c.dc, 0));
    for (int y : {0, 9, 14, 18, 29}) EXPECT_TRUE(c.is(20, y, RGB(0, 0, 255))) << y;
    for (int y : {15, 17}) EXPECT_TRUE(c.is(20, y, RGB(255, 0, 0))) << y;
    // Scrolling back up: the strip at the bottom.
    EXPECT_EQ(ScrollWindowEx(top, 0, -10, nullptr, nullptr, nullptr, &strip, SW_INVALIDATE), SIMPLEREGION);
    EXPECT_TRUE(EqualRect(&strip, &bottom10));
    DestroyWindow(top);
    // A new title redraws the caption alone: nothing of the client to repaint.
    HWND captioned = make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 120, 80, nullptr);
    UpdateWindow(captioned);
    SetWindowTextW(captioned, L"Tank 4");
    EXPECT_FALSE(GetUpdateRect(captioned, nullptr, FALSE));
    DestroyWindow(captioned);
}

}  // namespace
