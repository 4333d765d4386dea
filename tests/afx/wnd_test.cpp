// CWnd: message maps call handlers with the message's parameters unpacked,
// unhandled messages reach the window's own procedure, notifications are
// reflected to the control first, and CWnd objects follow their windows.
#include <afxcmn.h>
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> gCalls;

class Canvas : public CWnd {
public:
    CSize size;
    CPoint click;
    UINT chars = 0;

protected:
    afx_msg void OnSize(UINT, int cx, int cy) { size = CSize(cx, cy); }
    afx_msg void OnLButtonDown(UINT, CPoint point) { click = point; }
    afx_msg LRESULT OnAsk(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + l); }
    afx_msg void OnChar(UINT ch, UINT, UINT) {
        // Digits only: the rest never reach the edit underneath.
        if (ch >= L'0' && ch <= L'9') Default();
        ++chars;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Canvas, CWnd)
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_APP + 1, OnAsk)
END_MESSAGE_MAP()

// A parent that hears its controls' notifications.
class Panel : public CWnd {
protected:
    afx_msg void OnDelta(NMHDR*, LRESULT* r) {
        gCalls.push_back("parent delta");
        *r = 0;
    }
    afx_msg void OnChange() { gCalls.push_back("parent change"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Panel, CWnd)
    ON_NOTIFY(UDN_DELTAPOS, 7, OnDelta)
    ON_EN_CHANGE(8, OnChange)
END_MESSAGE_MAP()

class OwnArrows : public CSpinButtonCtrl {
public:
    BOOL passOn = FALSE;

protected:
    afx_msg BOOL OnDelta(NMHDR*, LRESULT* r) {
        gCalls.push_back("control delta");
        *r = 0;
        return !passOn;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnArrows, CSpinButtonCtrl)
    ON_NOTIFY_REFLECT_EX(UDN_DELTAPOS, OnDelta)
END_MESSAGE_MAP()

class OwnEdit : public CEdit {
protected:
    afx_msg void OnChange() { gCalls.push_back("control change"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnEdit, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

// Deletes itself when its window goes, as views and frames do.
class SelfDeleting : public CWnd {
public:
    static int deleted;
    ~SelfDeleting() override { ++deleted; }

protected:
    void PostNcDestroy() override { delete this; }
};
int SelfDeleting::deleted = 0;

TEST(Wnd, MessageMapsUnpackParametersAndPassTheRestOn) {
    Canvas c;
    ASSERT_TRUE(c.CreateEx(0, nullptr, L"canvas", WS_POPUP, 0, 0, 120, 80, nullptr, nullptr));
    EXPECT_EQ(CWnd::FromHandlePermanent(c.m_hWnd), &c);
    EXPECT_EQ(c.size, CSize(120, 80));  // WM_SIZE from CreateWindowEx, through the map
    c.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 17));
    EXPECT_EQ(c.click, CPoint(-3, 17));
    EXPECT_EQ(c.SendMessage(WM_APP + 1, 40, 2), 42);
    CString title;
    c.GetWindowText(title);  // WM_GETTEXT has no entry: DefWindowProc answers
    EXPECT_EQ(title, L"canvas");
    const HWND h = c.m_hWnd;
    c.DestroyWindow();
    EXPECT_EQ(c.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);

    // A subclassed edit: Default() hands the digits to the edit's own procedure.
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr));
    const HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 80, 20, host.m_hWnd,
                                        reinterpret_cast<HMENU>(5), nullptr, nullptr);
    Canvas filter;
    ASSERT_TRUE(filter.SubclassDlgItem(5, &host));
    for (wchar_t ch : std::wstring(L"a1b2")) ::SendMessageW(edit, WM_CHAR, ch, 1);
    CString typed;
    filter.GetWindowText(typed);
    EXPECT_EQ(typed, L"12");
    EXPECT_EQ(filter.chars, 4u);
}

TEST(Wnd, NotificationsGoToTheControlFirst) {
    Panel panel;
    ASSERT_TRUE(panel.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    OwnArrows arrows;
    ASSERT_TRUE(arrows.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 16, 20), &panel, 7));
    OwnEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(20, 0, 100, 20), &panel, 8));
    NMUPDOWN nm{};
    nm.hdr = NMHDR{arrows.m_hWnd, 7, static_cast<UINT>(UDN_DELTAPOS)};
    gCalls.clear();
    panel.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(gCalls, (std::vector<std::string>{"control delta"}));
    arrows.passOn = TRUE;  // ON_NOTIFY_REFLECT_EX answering FALSE lets the parent have it too
    gCalls.clear();
    panel.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ(gCalls, (std::vector<std::string>{"control delta", "parent delta"}));
    gCalls.clear();
    edit.SetWindowText(L"x");  // EN_CHANGE, reflected: the parent's ON_EN_CHANGE stays quiet
    EXPECT_EQ(gCalls, (std::vector<std::string>{"control change"}));
}

TEST(Wnd, ObjectsFollowTheirWindows) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    // A window no CWnd owns gets a temporary, freed by AfxUnlockTempMaps.
    const HWND foreign = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, parent.m_hWnd,
                                           reinterpret_cast<HMENU>(3), nullptr, nullptr);
    CWnd* temp = parent.GetDlgItem(3);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, foreign);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    EXPECT_TRUE(AfxUnlockTempMaps());
    // Attached, then detached: the window stays.
    CWnd owner;
    ASSERT_TRUE(owner.Attach(foreign));
    EXPECT_EQ(CWnd::FromHandle(foreign), &owner);
    EXPECT_EQ(owner.Detach(), foreign);
    EXPECT_TRUE(::IsWindow(foreign));
    // Destroying the parent takes its children's objects with it.
    auto* child = new SelfDeleting;
    ASSERT_TRUE(child->Create(nullptr, L"", WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 4));
    SelfDeleting::deleted = 0;
    {
        CWnd scoped;
        ASSERT_TRUE(scoped.Create(nullptr, L"", 0, CRect(0, 0, 10, 10), &parent, 6));
    }  // the destructor destroys its window
    EXPECT_EQ(::GetDlgItem(parent.m_hWnd, 6), nullptr);
    parent.DestroyWindow();
    EXPECT_EQ(SelfDeleting::deleted, 1);
    EXPECT_FALSE(::IsWindow(foreign));
}

}  // namespace
