// The spin edit: identifier search and creation of the arrows, the step
// count, reading and writing the number, the arrows' reflected UDN_DELTAPOS.
#include <hmigfx/my_spin_edit.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cwchar>
#include <string>

namespace {

constexpr UINT kFirstSpinId = 0x7C02;
constexpr int kSpinIdCandidates = 1000;
constexpr DWORD kSpinStyle = WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

// Truncation toward zero, saturated to int (NaN reads as 0).
int truncated(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

// The conversions the platform's _wtoi, wcstol (base 16) and _wtof make,
// saturating at Windows' 32-bit limits on every platform.
double readNumber(const wchar_t* s, int format) {
    if (format == 2) return std::wcstod(s, nullptr);
    return static_cast<double>(std::clamp<long long>(std::wcstoll(s, nullptr, format == 1 ? 16 : 10), INT_MIN, INT_MAX));
}

}  // namespace

// ---------------------------------------------------------------------------
// CMySpinCtrl

BEGIN_MESSAGE_MAP(CMySpinCtrl, CSpinButtonCtrl)
    ON_NOTIFY_REFLECT(UDN_DELTAPOS, OnDeltaPos)
END_MESSAGE_MAP()

CMySpinCtrl::CMySpinCtrl()
    : m_dStep(1.0), m_nFormat(0), m_nLower(0), m_nUpper(100), m_nCount(0), m_nDecimals(0) {}

CMySpinCtrl::~CMySpinCtrl() {}

void CMySpinCtrl::SetRange(int nLower, int nUpper) {
    if (!m_hWnd) return;
    m_nLower = nLower;
    m_nUpper = nUpper;
    Recompute();
}

void CMySpinCtrl::GetRange(int& nLower, int& nUpper) const {
    nLower = m_nLower;
    nUpper = m_nUpper;
}

void CMySpinCtrl::SetBase(double dStep, int nFormat, int nDecimals) {
    if (!(dStep > 0) || std::isinf(dStep)) return;  // the step divides: refuse 0, negatives and NaN
    m_dStep = dStep;
    m_nFormat = nFormat;
    m_nDecimals = nDecimals;
    Recompute();
}

void CMySpinCtrl::SetBaseText(const wchar_t* pszSuffix) {
    m_strSuffix.Empty();
    if (pszSuffix && *pszSuffix) {
        m_strSuffix = L" ";
        m_strSuffix += pszSuffix;
    }
    StepBy(0);
}

void CMySpinCtrl::Recompute() {
    if (!m_hWnd) return;
    m_nCount = truncated((static_cast<double>(m_nUpper) - m_nLower) / m_dStep + 0.5);
    CSpinButtonCtrl::SetRange(0, static_cast<short>(m_nCount));
    StepBy(0);
}

int CMySpinCtrl::ParsePosition() {
    const HWND buddy = m_hWnd ? reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)) : nullptr;
    if (!buddy) return 0;
    const int n = ::GetWindowTextLengthW(buddy);
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    ::GetWindowTextW(buddy, buf.data(), n + 1);
    CString text(buf.c_str());
    text.Trim();
    if (!m_strSuffix.IsEmpty()) {
        const int at = text.Find(m_strSuffix);
        if (at >= 0) text = text.Left(at);
    }
    if (m_nFormat < 0 || m_nFormat > 2) return 0;
    return truncated(readNumber(text, m_nFormat) / m_dStep);
}

void CMySpinCtrl::SetValue(double dValue) {
    const HWND buddy = m_hWnd ? reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY)) : nullptr;
    if (!buddy) return;
    CString text;
    switch (m_nFormat) {
    case 0: text.Format(L"%d", truncated(dValue)); break;
    case 1: text.Format(L"%X", static_cast<unsigned>(truncated(dValue))); break;
    case 2: {
        // The format is made first: "%.2f" for two decimals (a negative
        // count reads as none).
        CString format;
        format.Format(L"%%.%df", std::clamp(m_nDecimals, 0, 340));
        text.Format(format, dValue);
        break;
    }
    default: return;
    }
    text += m_strSuffix;
    ::SetWindowTextW(buddy, text);
}

BOOL CMySpinCtrl::GetValue(double& dValue) {
    const int pos = ParsePosition();
    if (pos < 0 || pos > m_nCount) return FALSE;
    dValue = pos * m_dStep;
    return TRUE;
}

void CMySpinCtrl::StepBy(int nSteps) {
    const long long pos = static_cast<long long>(ParsePosition()) + nSteps;
    SetValue(static_cast<double>(std::clamp<long long>(pos, 0, std::max(0, m_nCount))) * m_dStep);
}

void CMySpinCtrl::OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult) {
    StepBy(reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    *pResult = 0;
}

// ---------------------------------------------------------------------------
// CMySpinEdit

BEGIN_MESSAGE_MAP(CMySpinEdit, CEdit)
END_MESSAGE_MAP()

CMySpinEdit::CMySpinEdit() : m_bSpinValid(0), m_nTalkMode(0) {}

CMySpinEdit::~CMySpinEdit() {}

void CMySpinEdit::SpinEnable(CWnd* pParent) {
    if (!m_hWnd) return;
    if (m_SpinCtrl.m_hWnd) m_SpinCtrl.DestroyWindow();
    m_bSpinValid = 0;
    if (!pParent) return;
    UINT id = kFirstSpinId;
    for (int i = 0; i < kSpinIdCandidates && ::GetDlgItem(pParent->m_hWnd, static_cast<int>(id)); ++i) ++id;
    if (id == kFirstSpinId + kSpinIdCandidates) return;  // all taken
    if (!m_SpinCtrl.Create(kSpinStyle, CRect(0, 0, 20, 20), pParent, id)) return;
    m_SpinCtrl.SetBuddy(this);
    m_bSpinValid = 1;
}

void CMySpinEdit::SetPenWidthCtrl(CWnd* pParent) {
    SpinEnable(pParent);
    SetRange(0, 9);
    SetBase(0.25, 2, 2);
    SetBaseText(L"pt");
}

void CMySpinEdit::SetValuePenWidth(CPoint width) { SetValue(width.x + width.y / 100.0); }

int CMySpinEdit::GetValuePenWidth(POINT& width) {
    double value = 0;
    if (!GetValue(value)) return 0;
    width.x = truncated(value);
    width.y = truncated((value - width.x) * 100);
    return 1;
}

int CMySpinEdit::GetValuePenWidth(CPoint& width) { return GetValuePenWidth(static_cast<POINT&>(width)); }
