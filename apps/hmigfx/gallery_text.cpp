// The gallery's text panel: the three alignments at 0, 90, 180 and 270
// degrees, blocks of lines with and without centring across the lines, one
// object at zoom 50, 100 and 200, and the three states of a push button.
#include "gallery.h"
#include "text_util.h"

#include <string>

namespace hmigfx::app {
namespace {

LOGFONTW Font(int height, const wchar_t* face = L"Arial", int weight = FW_NORMAL) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    std::wstring(face).copy(lf.lfFaceName, LF_FACESIZE - 1);
    return lf;
}

// A thin frame around a box in document units, for seeing where it is.
void Frame(CMyDC& dc, CRect rect) {
    CRect v = dc.DocToView(rect, 0);
    v.InflateRect(1, 1);
    CBrush grey(RGB(200, 205, 215));
    dc.GetDC()->FrameRect(&v, &grey);
}

void drawText(GalleryPainter& p) {
    const UINT aligns[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    const COLORREF colors[3] = {RGB(0, 0, 128), RGB(0, 110, 0), RGB(150, 0, 0)};

    // Alignments by rotation, zoom 100.
    p.label(20, 4, "ObjDrawText: left, centred, right by rotation (zoom 100)", 12, RGB(40, 40, 40), true);
    {
        CMyDC dc = p.context(100, 20, 24);
        LOGFONTW lf = Font(-13);
        for (int k = 0; k < 3; ++k) {
            for (int row = 0; row < 2; ++row) {
                CRect box(k * 130, row * 60, k * 130 + 120, row * 60 + 48);
                Frame(dc, box);
                CString s = shownText(CString(row ? L"180\u00b0\nsecond line" : L"0\u00b0\nsecond line"));
                dc.ObjDrawText(s, box, lf, colors[k], RGB(255, 255, 255), aligns[k], 1, row ? 180 : 0);
            }
            for (int col = 0; col < 2; ++col) {
                CRect box(k * 60 + col * 200, 130, k * 60 + col * 200 + 48, 290);
                Frame(dc, box);
                CString s = shownText(CString(col ? L"270\u00b0\nsecond line" : L"90\u00b0\nsecond line"));
                dc.ObjDrawText(s, box, lf, colors[k], RGB(255, 255, 255), aligns[k], 1, col ? 270 : 90);
            }
        }
    }
    p.label(20, 320, "90\u00b0: left, centred, right");
    p.label(220, 320, "270\u00b0: left, centred, right");

    // Blocks of lines: ObjDrawText against ObjDrawTextVC.
    p.label(440, 4, "Blocks: ObjDrawText and ObjDrawTextVC", 12, RGB(40, 40, 40), true);
    {
        CMyDC dc = p.context(100, 440, 24);
        LOGFONTW lf = Font(-13, L"Times New Roman");
        CString block = shownText(CString(L"Pump P-101\nrunning\n42.5 m3/h"));
        for (int vc = 0; vc < 2; ++vc) {
            CRect box(vc * 150, 0, vc * 150 + 140, 110);
            if (vc)
                dc.ObjDrawTextVC(block, box, lf, RGB(0, 0, 0), RGB(235, 245, 255), DT_CENTER, 0, 0);
            else
                dc.ObjDrawText(block, box, lf, RGB(0, 0, 0), RGB(235, 245, 255), DT_CENTER, 0, 0);
            CRect turned(vc * 150, 130, vc * 150 + 140, 290);
            Frame(dc, turned);
            if (vc)
                dc.ObjDrawTextVC(block, turned, lf, RGB(90, 0, 90), 0, DT_LEFT, 1, 90);
            else
                dc.ObjDrawText(block, turned, lf, RGB(90, 0, 90), 0, DT_LEFT, 1, 90);
        }
    }
    p.labelCentred(440 + 70, 320, "not centred");
    p.labelCentred(440 + 220, 320, "centred across the lines");

    // Zoom 50, 100, 200.
    p.label(760, 4, "Zoom 50, 100, 200", 12, RGB(40, 40, 40), true);
    const int zooms[3] = {50, 100, 200};
    const int at[3][2] = {{760, 24}, {830, 24}, {960, 24}};
    for (int k = 0; k < 3; ++k) {
        CMyDC dc = p.context(zooms[k], at[k][0], at[k][1]);
        LOGFONTW lf = Font(-12);
        CRect box(0, 0, 60, 40);
        CString s = shownText(CString(L"Level\n73 %"));
        dc.ObjDrawTextVC(s, box, lf, RGB(255, 255, 255), RGB(0, 90, 160), DT_CENTER, 0, 0);
        CRect button(0, 50, 60, 72);
        CString caption = shownText(CString(L"&Open"));
        dc.ObjDrawButton(caption, 0, 0, button, lf, RGB(0, 0, 0), GetSysColor(COLOR_BTNFACE),
                         DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    for (int k = 0; k < 3; ++k) p.label(at[k][0], 190, std::to_string(zooms[k]) + " %");

    // Button states.
    p.label(760, 220, "ObjDrawButton: raised, focused, pushed", 12, RGB(40, 40, 40), true);
    {
        CMyDC dc = p.context(100, 760, 244);
        LOGFONTW lf = Font(-14, L"Arial", FW_BOLD);
        const int states[3][2] = {{0, 0}, {1, 0}, {1, 1}};
        const wchar_t* captions[3] = {L"Start", L"Stop", L"Reset"};
        for (int k = 0; k < 3; ++k) {
            CRect box(k * 110, 0, k * 110 + 100, 40);
            CString s = shownText(CString(captions[k]));
            dc.ObjDrawButton(s, states[k][0], states[k][1], box, lf, RGB(0, 0, 0), GetSysColor(COLOR_BTNFACE),
                             DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
}

}  // namespace

HMIGFX_GALLERY_PANEL(text, 700, "Text and buttons", 340, drawText);

}  // namespace hmigfx::app
