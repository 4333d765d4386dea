// The number field of the hosts' property dialogs: an edit control that
// gets up-down arrows attached at run time.
//
// The arrows step a number by a fixed increment: position p (0 <= p <=
// count) stands for the value p x step. The position is never stored: it is
// read back from the edit's text whenever it is needed, so whatever the user
// typed is where the next arrow step starts. The text is a decimal integer
// (format 0), hexadecimal (1) or a fixed-point number (2), followed by an
// optional unit ("2.25 pt").
//
// Steps: SetBase ignores a step that is not a positive number (0 among
// them), keeping the step, format and decimals it had, because both the step
// count and the reading of the text divide by it.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

// The up-down control with all the number state. Its arrows (clicks and
// the arrow keys in the edit) come to it as the reflected UDN_DELTAPOS.
class AFX_EXT_CLASS CMySpinCtrl : public CSpinButtonCtrl {
public:
    CMySpinCtrl();
    ~CMySpinCtrl() override;

    // Stores the bounds and recomputes the step count; only while the
    // up-down control exists.
    void SetRange(int nLower, int nUpper);
    // The stored bounds.
    void GetRange(int& nLower, int& nUpper) const;
    // Stores the step, the format (0 decimal, 1 hexadecimal, 2 fixed point)
    // and the decimals of format 2, and recomputes; a step that is not a
    // positive number is refused and nothing changes.
    void SetBase(double dStep, int nFormat, int nDecimals);
    // Stores the unit (with a blank in front when not empty) and rewrites
    // the text.
    void SetBaseText(const wchar_t* pszSuffix);
    // Writes the value into the edit's text (needs the up-down control and
    // its buddy).
    void SetValue(double dValue);
    // TRUE and the value when the text reads as a position in 0..count;
    // FALSE and dValue unchanged otherwise.
    BOOL GetValue(double& dValue);

protected:
    // The step count from the range and the step, the up-down control's
    // range, and the text rewritten.
    void Recompute();
    // The position the edit's text stands for (0 when it reads as nothing).
    int ParsePosition();
    // Moves the position by nSteps, kept in 0..count, and writes it.
    void StepBy(int nSteps);

    afx_msg void OnDeltaPos(NMHDR* pNMHDR, LRESULT* pResult);

    double m_dStep;
    int m_nFormat;
    int m_nLower;
    int m_nUpper;
    CString m_strSuffix;
    int m_nCount;
    int m_nDecimals;

    DECLARE_MESSAGE_MAP()
};

class AFX_EXT_CLASS CMySpinEdit : public CEdit {
public:
    CMySpinEdit();
    // Destroys the up-down control (its window too) and the edit.
    ~CMySpinEdit() override;

    // With a parent: makes the up-down control as the parent's child under
    // the first free identifier from 0x7C02 on (1000 are tried; when all are
    // taken nothing is made) and makes this edit its buddy. With null:
    // destroys it. Nothing happens before the edit has a window; an up-down
    // control that exists is replaced.
    void SpinEnable(CWnd* pParent);
    int IsValidSpinCtrl() const { return m_bSpinValid; }

    void SetRange(int nLower, int nUpper) { m_SpinCtrl.SetRange(nLower, nUpper); }
    void GetRange(int& nLower, int& nUpper) { m_SpinCtrl.GetRange(nLower, nUpper); }
    void SetBase(double dStep, int nFormat, int nDecimals) { m_SpinCtrl.SetBase(dStep, nFormat, nDecimals); }
    void SetBaseText(const wchar_t* pszSuffix) { m_SpinCtrl.SetBaseText(pszSuffix); }
    void SetValue(double dValue) { m_SpinCtrl.SetValue(dValue); }
    BOOL GetValue(double& dValue) { return m_SpinCtrl.GetValue(dValue); }

    // Pen widths: 0 to 9 points in quarter points, shown as "2.25 pt".
    void SetPenWidthCtrl(CWnd* pParent);
    // A LOGPEN width (x whole units, y hundredths) to the value, and back;
    // GetValuePenWidth answers 1 and the width, or 0 and leaves it alone.
    void SetValuePenWidth(CPoint width);
    int GetValuePenWidth(CPoint& width);
    int GetValuePenWidth(POINT& width);

    // A flag the host keeps here; the control does nothing with it.
    void SetTalkMode(int nTalkMode) { m_nTalkMode = nTalkMode; }
    int GetTalkMode() const { return m_nTalkMode; }

protected:
    CMySpinCtrl m_SpinCtrl;
    int m_bSpinValid;
    int m_nTalkMode;

    DECLARE_MESSAGE_MAP()
};
