// The spin edit driven as a user drives it: typing into the edit, clicking
// the arrows and pressing the arrow keys (through SendInput and the message
// loop), then reading the text back.
#include <gtest/gtest.h>
#include <hmigfx/hmigfx.h>

#include <string>

namespace {

constexpr int kEditId = 100;
constexpr int kFirstSpinId = 0x7C02;

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void send(INPUT in) {
    SendInput(1, &in, sizeof in);
    pump();
}

class SpinEdit : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.CreateEx(0, nullptr, L"Line", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 200, 300, 120,
                                    nullptr, nullptr));
        // The edit is the dialog's item; the spin edit takes it over.
        ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 80, 10, 100, 22,
                          dialog.m_hWnd, reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
        ASSERT_TRUE(spin.SubclassDlgItem(kEditId, &dialog));
    }
    void TearDown() override { AfxUnlockTempMaps(); }

    std::wstring text() {
        CString s;
        spin.GetWindowText(s);
        return s.GetString();
    }
    // Replaces the text as a user does: select all, type.
    void type(const std::wstring& s) {
        spin.SetFocus();
        spin.SetSel(0, -1);
        for (wchar_t c : s) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = c;
            in.ki.dwFlags = KEYEVENTF_UNICODE;
            send(in);
        }
    }
    void key(WORD vk) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        send(in);
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        send(in);
    }
    HWND arrows() { return ::GetDlgItem(dialog.m_hWnd, kFirstSpinId); }
    void click(bool up) {
        RECT r;
        ::GetWindowRect(arrows(), &r);
        SetCursorPos((r.left + r.right) / 2, up ? r.top + 5 : r.bottom - 5);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        send(in);
        in.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        send(in);
    }

    CWnd dialog;
    CMySpinEdit spin;
};

TEST_F(SpinEdit, PenWidthsAreQuarterPointsShownWithTheirUnit) {
    spin.SetPenWidthCtrl(&dialog);
    ASSERT_TRUE(spin.IsValidSpinCtrl());
    EXPECT_EQ(GetWindowLongW(arrows(), GWL_STYLE), 0x500000B4);
    EXPECT_EQ(SendMessageW(arrows(), UDM_GETRANGE, 0, 0), MAKELONG(36, 0));
    EXPECT_EQ(text(), L"0.00 pt");
    spin.SetValuePenWidth(CPoint(2, 25));
    EXPECT_EQ(text(), L"2.25 pt");

    // Typed text is read back by whole steps, with or without the blank.
    type(L"2.3 pt");
    double value = 0;
    ASSERT_TRUE(spin.GetValue(value));
    EXPECT_DOUBLE_EQ(value, 2.25);
    CPoint width(-1, -1);
    ASSERT_EQ(spin.GetValuePenWidth(width), 1);
    EXPECT_EQ(width, CPoint(2, 25));
    type(L"2.25pt");
    ASSERT_TRUE(spin.GetValue(value));
    EXPECT_DOUBLE_EQ(value, 2.25);

    // A negative number is no position: nothing is returned.
    type(L"-1 pt");
    value = 7;
    EXPECT_FALSE(spin.GetValue(value));
    EXPECT_EQ(value, 7);
    POINT pw{3, 4};
    EXPECT_EQ(spin.GetValuePenWidth(pw), 0);
    EXPECT_EQ(pw.x, 3);
}

TEST_F(SpinEdit, ArrowsAndArrowKeysStepFromTheTypedText) {
    spin.SetPenWidthCtrl(&dialog);
    type(L"8.90 pt");
    click(true);
    EXPECT_EQ(text(), L"9.00 pt");
    click(true);
    EXPECT_EQ(text(), L"9.00 pt");  // the top of the range
    // The arrows leave the focus in the edit with its text selected.
    EXPECT_EQ(CWnd::GetFocus(), &spin);
    EXPECT_EQ(spin.GetSel(), static_cast<DWORD>(MAKELONG(0, 7)));
    key(VK_DOWN);
    key(VK_DOWN);
    EXPECT_EQ(text(), L"8.50 pt");
    click(false);
    EXPECT_EQ(text(), L"8.25 pt");
    // From a number below the range the step lands on its bottom.
    type(L"-1 pt");
    key(VK_UP);
    EXPECT_EQ(text(), L"0.00 pt");
}

TEST_F(SpinEdit, FormatsWriteAndReadTheirNumbers) {
    spin.SpinEnable(&dialog);
    spin.SetRange(0, 1000);
    spin.SetBase(1, 1, 0);
    spin.SetValue(255);
    EXPECT_EQ(text(), L"FF");
    spin.SetBaseText(L"h");
    EXPECT_EQ(text(), L"FF h");
    double value = 0;
    ASSERT_TRUE(spin.GetValue(value));
    EXPECT_EQ(value, 255);
    // Decimal integers truncate; a step of 5 counts 200 steps.
    spin.SetBase(5, 0, 0);
    spin.SetBaseText(L"");
    EXPECT_EQ(SendMessageW(arrows(), UDM_GETRANGE, 0, 0), MAKELONG(200, 0));
    spin.SetValue(12.7);
    EXPECT_EQ(text(), L"12");
    ASSERT_TRUE(spin.GetValue(value));
    EXPECT_EQ(value, 10);  // 12 / 5 is position 2
}

TEST_F(SpinEdit, WrongUseChangesNothingAndCrashesNothing) {
    // Before the arrows exist: the range is ignored, the value reads 0.
    spin.SetRange(1, 5);
    int lo = -1, hi = -1;
    spin.GetRange(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 100);
    double value = 3;
    EXPECT_TRUE(spin.GetValue(value));
    EXPECT_EQ(value, 0);
    // An edit without a window, a parent without one.
    CMySpinEdit unborn;
    unborn.SpinEnable(&dialog);
    EXPECT_FALSE(unborn.IsValidSpinCtrl());
    CWnd noWindow;
    spin.SpinEnable(&noWindow);
    EXPECT_FALSE(spin.IsValidSpinCtrl());

    // A taken identifier is skipped; when all 1000 are taken there are no arrows.
    ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, dialog.m_hWnd, reinterpret_cast<HMENU>(kFirstSpinId),
                      nullptr, nullptr);
    spin.SpinEnable(&dialog);
    EXPECT_TRUE(spin.IsValidSpinCtrl());
    EXPECT_NE(::GetDlgItem(dialog.m_hWnd, kFirstSpinId + 1), nullptr);
    spin.SpinEnable(nullptr);
    EXPECT_FALSE(spin.IsValidSpinCtrl());
    EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, kFirstSpinId + 1), nullptr);
    for (int id = kFirstSpinId + 1; id < kFirstSpinId + 1000; ++id)
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, dialog.m_hWnd, reinterpret_cast<HMENU>(id), nullptr,
                          nullptr);
    spin.SpinEnable(&dialog);
    EXPECT_FALSE(spin.IsValidSpinCtrl());
    EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, kFirstSpinId + 1000), nullptr);

    // A zero step is refused: the field keeps its step and its text.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr));
    spin.SetPenWidthCtrl(&other);
    spin.SetValue(1.5);
    spin.SetBase(0, 2, 2);
    EXPECT_EQ(text(), L"1.50 pt");
    spin.SetRange(0, 9);  // recomputed with the step it kept
    EXPECT_EQ(SendMessageW(::GetDlgItem(other.m_hWnd, kFirstSpinId), UDM_GETRANGE, 0, 0), MAKELONG(36, 0));
}

}  // namespace
