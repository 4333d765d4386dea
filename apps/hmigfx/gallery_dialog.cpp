// The gallery's dialog panel: a host's line-properties dialog with the
// library's spin edit as the pen width field, in three states a user leaves
// it in. Real windows, drawn headless.
#include "gallery.h"
#include "property_dialog.h"

namespace hmigfx::app {
namespace {

DialogControl control(DialogControl::Type type, CRect rect, const wchar_t* text = L"") {
    DialogControl c;
    c.type = type;
    c.rect = rect;
    c.text = text;
    return c;
}

// The dialog as the host lays it out; the spin edit is the pen width.
DialogLayout lineDialog() {
    DialogLayout d;
    d.title = L"Line";
    d.clientSize = CSize(232, 134);
    d.controls = {
        control(DialogControl::GroupBox, CRect(8, 4, 224, 94), L"Pen"),
        control(DialogControl::Label, CRect(18, 26, 70, 42), L"Style:"),
        control(DialogControl::Edit, CRect(76, 22, 212, 44), L"Dash dot"),
        control(DialogControl::Label, CRect(18, 56, 70, 72), L"Width:"),
        control(DialogControl::SpinEdit, CRect(76, 52, 182, 74)),
        control(DialogControl::CheckBox, CRect(18, 76, 160, 92), L"Transparent background"),
        control(DialogControl::Button, CRect(68, 102, 143, 125), L"OK"),
        control(DialogControl::Button, CRect(149, 102, 224, 125), L"Cancel"),
    };
    d.controls[4].penWidth = CPoint(2, 25);
    d.controls[6].isDefault = true;
    return d;
}

void drawDialogs(GalleryPainter& p) {
    CDC& dc = p.cdc();
    const int saved = dc.SaveDC();
    dc.SetViewportOrg(0, 0);
    dc.SelectClipRgn(nullptr);

    DialogLayout opened = lineDialog();
    opened.controls[4].focus = true;
    opened.controls[4].selection = std::make_pair(0, -1);
    opened.controls[5].checked = true;

    DialogLayout stepping = lineDialog();
    stepping.controls[4].typed = L"3";
    stepping.controls[4].held = 1;

    DialogLayout disabled = lineDialog();
    disabled.controls[2].enabled = false;
    disabled.controls[4].enabled = false;
    disabled.controls[5].enabled = false;
    disabled.controls[6].pushed = true;
    disabled.controls[7].focus = true;

    const struct {
        const DialogLayout* layout;
        const char* caption;
    } states[3] = {{&opened, "opened: 2.25 pt, focused, text selected"},
                   {&stepping, "typed 3, up arrow held: 3.25 pt"},
                   {&disabled, "fields disabled, OK pushed"}};
    int x = 20;
    for (const auto& s : states) {
        CSize size;
        drawDialog(*s.layout, dc, p.left() + x, p.top() + 10, &size);
        p.label(x, size.cy + 18, s.caption);
        x += size.cx + 60;
    }
    dc.RestoreDC(saved);
}

}  // namespace

HMIGFX_GALLERY_PANEL(dialog, 900, "Property dialog: the spin edit (CMySpinEdit) among real controls", 200,
                     drawDialogs);

}  // namespace hmigfx::app
