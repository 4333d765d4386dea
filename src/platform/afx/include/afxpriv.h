// MFC's framework internals a host may use: the print preview DC.
#pragma once

#include <afxwin.h>

// Print preview: queries (device caps, text metrics) answer from the
// attribute DC, the printer; output goes to the screen DC. GDI here keeps one
// pixel per logical unit, so the pass scales its own drawing by the ratio set
// with SetScaleRatio (a CMyDC pass multiplies its zoom by it).
class CPreviewDC : public CDC {
public:
    CPreviewDC();
    ~CPreviewDC() override;  // the printer and the screen DC stay their owners'

    void SetAttribDC(HDC hDC);
    // Takes the attribute DC's colours and modes, as a pass expects both alike.
    void SetOutputDC(HDC hDC);
    void ReleaseOutputDC() { m_hDC = nullptr; }
    // Screen pixels per printer pixel: nNumerator / nDenominator.
    void SetScaleRatio(int nNumerator, int nDenominator);
    void PrinterDPtoScreenDP(LPPOINT lpPoint) const;

protected:
    int m_nScaleNum;
    int m_nScaleDen;
};
