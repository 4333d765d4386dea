// A host's property dialog, made of real windows (the USER subset's controls
// and the library's spin edit), brought into a given state the way a user
// would (typing, clicking arrows, pressing keys) and rendered headless.
// The scene kind "dialog" and the gallery's dialog panel both draw through it.
#pragma once

#include <hmigfx/hmigfx.h>

#include <optional>
#include <string>
#include <vector>

namespace hmigfx::app {

struct DialogControl {
    enum Type { Label, Edit, SpinEdit, Button, CheckBox, GroupBox };
    Type type = Label;
    CRect rect;  // client coordinates of the dialog
    std::wstring text;
    bool enabled = true;
    bool focus = false;  // the control with the keyboard focus (the last one asked wins)

    // Edit and spin edit: the selection after everything else (start, end).
    std::optional<std::pair<int, int>> selection;

    // Spin edit: the pen-width configuration unless a range is given.
    std::optional<std::pair<int, int>> range;
    double step = 1;
    int format = 0;  // 0 decimal, 1 hexadecimal, 2 fixed point
    int decimals = 0;
    std::wstring unit;
    std::optional<double> value;
    std::optional<CPoint> penWidth;  // a LOGPEN width (whole units, hundredths)
    std::optional<std::wstring> typed;  // typed over the whole text
    int clicks = 0;  // arrow clicks: up when positive, down when negative
    int keys = 0;    // arrow keys, likewise
    int held = 0;    // an arrow held down at the end (+1 up, -1 down): one step, shown pushed

    // Buttons
    bool isDefault = false;
    bool pushed = false;
    bool checked = false;
};

struct DialogLayout {
    std::wstring title;
    CSize clientSize{240, 120};
    std::vector<DialogControl> controls;
};

// The size of the dialog's picture: its client area with frame and caption.
CSize dialogSize(const DialogLayout& layout);

// The dialog's picture (its frame and caption included) drawn with its
// top-left at the DC's logical (x, y); its size in *size when asked. False
// when the windows could not be made.
bool drawDialog(const DialogLayout& layout, CDC& dc, int x, int y, CSize* size = nullptr);

}  // namespace hmigfx::app
