// Message maps: the entries BEGIN_MESSAGE_MAP ... END_MESSAGE_MAP collect
// and the ON_ macros that make them. Included by afxwin.h.
//
// An entry names the message (WM_COMMAND and WM_NOTIFY entries also the
// notification code and the control identifiers), how the handler is called
// and the handler itself, stored as a pointer to a member of CCmdTarget and
// converted back to its own type when it is called.
#pragma once

#ifndef afx_msg
#define afx_msg
#endif
#ifndef AFX_MSG_CALL
#define AFX_MSG_CALL
#endif

class CCmdTarget;
class CWnd;
class CDC;
class CScrollBar;
class CPoint;

typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSGW)(void);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // the message; 0xC000 for registered messages
    UINT nCode;     // control notification code, or WM_NOTIFY code
    UINT nID;       // control identifier, or 0 for window messages
    UINT nLastID;   // the last identifier of a range
    UINT_PTR nSig;  // how the handler is called (AfxSig_), or the registered message's address
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What WM_NOTIFY handlers get through OnCmdMsg's pExtra.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Messages reflected to the control that sent them come back as this plus
// the message.
#define WM_REFLECT_BASE 0xBC00
// The one map entry for all WM_CTLCOLOR* messages, with the control type.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
#define CN_COMMAND 0

enum AfxSig {
    AfxSig_end = 0,
    AfxSig_v_v,         // void ()
    AfxSig_b_v,         // BOOL ()
    AfxSig_i_CREATE,    // int (LPCREATESTRUCT)
    AfxSig_b_D,         // BOOL (CDC*)
    AfxSig_v_u_ii,      // void (UINT, int, int)
    AfxSig_v_ii,        // void (int, int)
    AfxSig_v_W,         // void (CWnd*)
    AfxSig_v_uuu,       // void (UINT, UINT, UINT)
    AfxSig_v_u_p,       // void (UINT, CPoint)
    AfxSig_b_u_s_p,     // BOOL (UINT, short, CPoint)
    AfxSig_v_up,        // void (UINT_PTR)
    AfxSig_v_uu_SB,     // void (UINT, UINT, CScrollBar*)
    AfxSig_v_uu,        // void (UINT, UINT)
    AfxSig_h_D_W_u,     // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_h_D_u,       // HBRUSH (CDC*, UINT)
    AfxSig_v_b,         // void (BOOL)
    AfxSig_v_b_u,       // void (BOOL, UINT)
    AfxSig_u_v,         // UINT ()
    AfxSig_b_W_uu,      // BOOL (CWnd*, UINT, UINT)
    AfxSig_v_u_W_b,     // void (UINT, CWnd*, BOOL)
    AfxSig_v_W_p,       // void (CWnd*, CPoint)
    AfxSig_v_POS,       // void (WINDOWPOS*)
    AfxSig_l_w_l,       // LRESULT (WPARAM, LPARAM)
    AfxSigCmd_v,        // void ()              WM_COMMAND
    AfxSigCmd_b,        // BOOL ()              WM_COMMAND, may pass it on
    AfxSigCmd_RANGE,    // void (UINT)          WM_COMMAND over a range of identifiers
    AfxSigNotify_v,     // void (NMHDR*, LRESULT*)
    AfxSigNotify_b,     // BOOL (NMHDR*, LRESULT*), may pass it on
};

#define DECLARE_MESSAGE_MAP()                            \
protected:                                               \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

// The entries convert each handler to the one stored type, as MFC does;
// the compiler's warning about such casts is off inside a map.
#if defined(__GNUC__)
#define AFX_PTM_WARNING_DISABLE \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")
#define AFX_PTM_WARNING_RESTORE _Pragma("GCC diagnostic pop")
#else
#define AFX_PTM_WARNING_DISABLE
#define AFX_PTM_WARNING_RESTORE
#endif

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
    AFX_PTM_WARNING_DISABLE                                                              \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }     \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                             \
        using ThisClass [[maybe_unused]] = theClass;                                     \
        using TheBaseClass = baseClass;                                                  \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                \
    {0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}                                                \
    }                                                                                    \
    ;                                                                                    \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                  \
    }                                                                                    \
    AFX_PTM_WARNING_RESTORE

// A handler of the given function type, as an entry stores it.
template <class F>
using AfxWndMember = F CWnd::*;
template <class F>
using AfxCmdMember = F CCmdTarget::*;
#define AFX_WND_HANDLER(type, member) ((AFX_PMSG)(AFX_PMSGW)(static_cast<AfxWndMember<type>>(&ThisClass::member)))
#define AFX_CMD_HANDLER(type, member) ((AFX_PMSG)(static_cast<AfxCmdMember<type>>(&ThisClass::member)))

// Window messages
#define ON_WM_CREATE() {WM_CREATE, 0, 0, 0, AfxSig_i_CREATE, AFX_WND_HANDLER(int(LPCREATESTRUCT), OnCreate)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, AfxSig_v_v, AFX_WND_HANDLER(void(), OnDestroy)},
#define ON_WM_NCDESTROY() {WM_NCDESTROY, 0, 0, 0, AfxSig_v_v, AFX_WND_HANDLER(void(), OnNcDestroy)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, AfxSig_v_v, AFX_WND_HANDLER(void(), OnClose)},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, AfxSig_v_v, AFX_WND_HANDLER(void(), OnPaint)},
#define ON_WM_ERASEBKGND() {WM_ERASEBKGND, 0, 0, 0, AfxSig_b_D, AFX_WND_HANDLER(BOOL(CDC*), OnEraseBkgnd)},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, AfxSig_v_u_ii, AFX_WND_HANDLER(void(UINT, int, int), OnSize)},
#define ON_WM_MOVE() {WM_MOVE, 0, 0, 0, AfxSig_v_ii, AFX_WND_HANDLER(void(int, int), OnMove)},
#define ON_WM_WINDOWPOSCHANGED() \
    {WM_WINDOWPOSCHANGED, 0, 0, 0, AfxSig_v_POS, AFX_WND_HANDLER(void(WINDOWPOS*), OnWindowPosChanged)},
#define ON_WM_SHOWWINDOW() {WM_SHOWWINDOW, 0, 0, 0, AfxSig_v_b_u, AFX_WND_HANDLER(void(BOOL, UINT), OnShowWindow)},
#define ON_WM_ENABLE() {WM_ENABLE, 0, 0, 0, AfxSig_v_b, AFX_WND_HANDLER(void(BOOL), OnEnable)},
#define ON_WM_ACTIVATE() {WM_ACTIVATE, 0, 0, 0, AfxSig_v_u_W_b, AFX_WND_HANDLER(void(UINT, CWnd*, BOOL), OnActivate)},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, AfxSig_v_W, AFX_WND_HANDLER(void(CWnd*), OnSetFocus)},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, 0, 0, AfxSig_v_W, AFX_WND_HANDLER(void(CWnd*), OnKillFocus)},
#define ON_WM_CAPTURECHANGED() {WM_CAPTURECHANGED, 0, 0, 0, AfxSig_v_W, AFX_WND_HANDLER(void(CWnd*), OnCaptureChanged)},
#define ON_WM_CHAR() {WM_CHAR, 0, 0, 0, AfxSig_v_uuu, AFX_WND_HANDLER(void(UINT, UINT, UINT), OnChar)},
#define ON_WM_KEYDOWN() {WM_KEYDOWN, 0, 0, 0, AfxSig_v_uuu, AFX_WND_HANDLER(void(UINT, UINT, UINT), OnKeyDown)},
#define ON_WM_KEYUP() {WM_KEYUP, 0, 0, 0, AfxSig_v_uuu, AFX_WND_HANDLER(void(UINT, UINT, UINT), OnKeyUp)},
#define ON_WM_SYSKEYDOWN() {WM_SYSKEYDOWN, 0, 0, 0, AfxSig_v_uuu, AFX_WND_HANDLER(void(UINT, UINT, UINT), OnSysKeyDown)},
#define ON_WM_SYSKEYUP() {WM_SYSKEYUP, 0, 0, 0, AfxSig_v_uuu, AFX_WND_HANDLER(void(UINT, UINT, UINT), OnSysKeyUp)},
#define ON_WM_MOUSEMOVE() {WM_MOUSEMOVE, 0, 0, 0, AfxSig_v_u_p, AFX_WND_HANDLER(void(UINT, CPoint), OnMouseMove)},
#define ON_WM_LBUTTONDOWN() {WM_LBUTTONDOWN, 0, 0, 0, AfxSig_v_u_p, AFX_WND_HANDLER(void(UINT, CPoint), OnLButtonDown)},
#define ON_WM_LBUTTONUP() {WM_LBUTTONUP, 0, 0, 0, AfxSig_v_u_p, AFX_WND_HANDLER(void(UINT, CPoint), OnLButtonUp)},
#define ON_WM_LBUTTONDBLCLK() \
    {WM_LBUTTONDBLCLK, 0, 0, 0, AfxSig_v_u_p, AFX_WND_HANDLER(void(UINT, CPoint), OnLButtonDblClk)},
#define ON_WM_RBUTTONDOWN() {WM_RBUTTONDOWN, 0, 0, 0, AfxSig_v_u_p, AFX_WND_HANDLER(void(UINT, CPoint), OnRButtonDown)},
#define ON_WM_RBUTTONUP() {WM_RBUTTONUP, 0, 0, 0, AfxSig_v_u_p, AFX_WND_HANDLER(void(UINT, CPoint), OnRButtonUp)},
#define ON_WM_MBUTTONDOWN() {WM_MBUTTONDOWN, 0, 0, 0, AfxSig_v_u_p, AFX_WND_HANDLER(void(UINT, CPoint), OnMButtonDown)},
#define ON_WM_MBUTTONUP() {WM_MBUTTONUP, 0, 0, 0, AfxSig_v_u_p, AFX_WND_HANDLER(void(UINT, CPoint), OnMButtonUp)},
#define ON_WM_MOUSEWHEEL() \
    {WM_MOUSEWHEEL, 0, 0, 0, AfxSig_b_u_s_p, AFX_WND_HANDLER(BOOL(UINT, short, CPoint), OnMouseWheel)},
#define ON_WM_CONTEXTMENU() {WM_CONTEXTMENU, 0, 0, 0, AfxSig_v_W_p, AFX_WND_HANDLER(void(CWnd*, CPoint), OnContextMenu)},
#define ON_WM_SETCURSOR() {WM_SETCURSOR, 0, 0, 0, AfxSig_b_W_uu, AFX_WND_HANDLER(BOOL(CWnd*, UINT, UINT), OnSetCursor)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, AfxSig_v_up, AFX_WND_HANDLER(void(UINT_PTR), OnTimer)},
#define ON_WM_GETDLGCODE() {WM_GETDLGCODE, 0, 0, 0, AfxSig_u_v, AFX_WND_HANDLER(UINT(), OnGetDlgCode)},
#define ON_WM_HSCROLL() \
    {WM_HSCROLL, 0, 0, 0, AfxSig_v_uu_SB, AFX_WND_HANDLER(void(UINT, UINT, CScrollBar*), OnHScroll)},
#define ON_WM_VSCROLL() \
    {WM_VSCROLL, 0, 0, 0, AfxSig_v_uu_SB, AFX_WND_HANDLER(void(UINT, UINT, CScrollBar*), OnVScroll)},
#define ON_WM_CTLCOLOR() {WM_CTLCOLOR, 0, 0, 0, AfxSig_h_D_W_u, AFX_WND_HANDLER(HBRUSH(CDC*, CWnd*, UINT), OnCtlColor)},

// Messages reflected back to the control that sent them
#define ON_WM_CTLCOLOR_REFLECT() \
    {WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0, AfxSig_h_D_u, AFX_WND_HANDLER(HBRUSH(CDC*, UINT), CtlColor)},
#define ON_WM_HSCROLL_REFLECT() \
    {WM_HSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_uu, AFX_WND_HANDLER(void(UINT, UINT), HScroll)},
#define ON_WM_VSCROLL_REFLECT() \
    {WM_VSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_v_uu, AFX_WND_HANDLER(void(UINT, UINT), VScroll)},

// Any message
#define ON_MESSAGE(message, memberFxn) \
    {message, 0, 0, 0, AfxSig_l_w_l, AFX_WND_HANDLER(LRESULT(WPARAM, LPARAM), memberFxn)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                \
    {0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable),                                 \
     AFX_WND_HANDLER(LRESULT(WPARAM, LPARAM), memberFxn)},

// Commands and control notifications (WM_COMMAND)
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, CN_COMMAND, (WORD)id, (WORD)id, AfxSigCmd_v, AFX_CMD_HANDLER(void(), memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)id, (WORD)idLast, AfxSigCmd_RANGE, AFX_CMD_HANDLER(void(UINT), memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (WORD)wNotifyCode, (WORD)id, (WORD)id, AfxSigCmd_v, AFX_CMD_HANDLER(void(), memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)wNotifyCode, 0, 0, AfxSigCmd_v, AFX_CMD_HANDLER(void(), memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)wNotifyCode, 0, 0, AfxSigCmd_b, AFX_CMD_HANDLER(BOOL(), memberFxn)},

// WM_NOTIFY
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                              \
    {WM_NOTIFY, (WORD)(int)wNotifyCode, (WORD)id, (WORD)id, AfxSigNotify_v,                \
     AFX_CMD_HANDLER(void(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                \
    {WM_NOTIFY, (WORD)(int)wNotifyCode, (WORD)id, (WORD)idLast, AfxSigNotify_v,            \
     AFX_CMD_HANDLER(void(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                          \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)wNotifyCode, 0, 0, AfxSigNotify_v,            \
     AFX_CMD_HANDLER(void(NMHDR*, LRESULT*), memberFxn)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                       \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)wNotifyCode, 0, 0, AfxSigNotify_b,            \
     AFX_CMD_HANDLER(BOOL(NMHDR*, LRESULT*), memberFxn)},
