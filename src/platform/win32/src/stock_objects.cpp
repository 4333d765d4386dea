#include "stock_objects_p.h"

#include <cwchar>
#include <memory>

namespace hmigfx::win32 {
namespace {

const PALETTEENTRY kDefaultPalette[20] = {
    {0x00, 0x00, 0x00, 0}, {0x80, 0x00, 0x00, 0}, {0x00, 0x80, 0x00, 0}, {0x80, 0x80, 0x00, 0},
    {0x00, 0x00, 0x80, 0}, {0x80, 0x00, 0x80, 0}, {0x00, 0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0, 0},
    {0xC0, 0xDC, 0xC0, 0}, {0xA6, 0xCA, 0xF0, 0}, {0xFF, 0xFB, 0xF0, 0}, {0xA0, 0xA0, 0xA4, 0},
    {0x80, 0x80, 0x80, 0}, {0xFF, 0x00, 0x00, 0}, {0x00, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0x00, 0},
    {0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0xFF, 0}, {0x00, 0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0},
};

std::unique_ptr<GdiObject> solidBrush(COLORREF c, UINT style = BS_SOLID) {
    auto b = std::make_unique<Brush>();
    b->style = style;
    b->color = c;
    return b;
}

std::unique_ptr<GdiObject> pen(DWORD style, COLORREF c) {
    auto p = std::make_unique<Pen>(Kind::Pen);
    p->style = style;
    p->width = 1;
    p->brush = {BS_SOLID, c, 0};
    return p;
}

std::unique_ptr<GdiObject> font(LONG height, const wchar_t* face, BYTE pitchFamily, LONG weight = FW_NORMAL) {
    auto f = std::make_unique<Font>();
    f->logfont.lfHeight = height;
    f->logfont.lfWeight = weight;
    f->logfont.lfCharSet = DEFAULT_CHARSET;
    f->logfont.lfPitchAndFamily = pitchFamily;
    std::wcsncpy(f->logfont.lfFaceName, face, LF_FACESIZE - 1);
    return f;
}

std::unique_ptr<GdiObject> make(int index) {
    switch (index) {
    case WHITE_BRUSH: return solidBrush(RGB(255, 255, 255));
    case LTGRAY_BRUSH: return solidBrush(RGB(192, 192, 192));
    case GRAY_BRUSH: return solidBrush(RGB(128, 128, 128));
    case DKGRAY_BRUSH: return solidBrush(RGB(64, 64, 64));
    case BLACK_BRUSH: return solidBrush(RGB(0, 0, 0));
    case NULL_BRUSH: return solidBrush(0, BS_NULL);
    case WHITE_PEN: return pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return pen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return pen(PS_NULL, 0);
    case OEM_FIXED_FONT: return font(12, L"Terminal", FIXED_PITCH | FF_MODERN);
    case ANSI_FIXED_FONT: return font(12, L"Courier", FIXED_PITCH | FF_MODERN);
    case ANSI_VAR_FONT: return font(12, L"MS Sans Serif", VARIABLE_PITCH | FF_SWISS);
    case SYSTEM_FONT: return font(16, L"System", VARIABLE_PITCH | FF_SWISS, FW_BOLD);
    case DEVICE_DEFAULT_FONT: return font(16, L"System", VARIABLE_PITCH | FF_SWISS, FW_BOLD);
    case SYSTEM_FIXED_FONT: return font(16, L"Fixedsys", FIXED_PITCH | FF_MODERN);
    case DEFAULT_GUI_FONT: return font(-11, L"MS Shell Dlg", VARIABLE_PITCH | FF_SWISS);
    case DEFAULT_PALETTE: {
        auto p = std::make_unique<Palette>();
        p->entries.assign(kDefaultPalette, kDefaultPalette + 20);
        return p;
    }
    case DC_BRUSH: {
        auto b = solidBrush(RGB(255, 255, 255));
        static_cast<Brush*>(b.get())->dcBrush = true;
        return b;
    }
    case DC_PEN: {
        auto p = pen(PS_SOLID, 0);
        static_cast<Pen*>(p.get())->dcPen = true;
        return p;
    }
    default: return nullptr;
    }
}

}  // namespace

GdiObject* stockObject(int index) {
    static GdiObject* table[STOCK_LAST + 1] = {};
    static bool made = false;
    if (!made) {
        made = true;
        for (int i = 0; i <= STOCK_LAST; ++i) {
            std::unique_ptr<GdiObject> obj = make(i);
            if (!obj) continue;
            obj->stock = true;
            GdiObject* raw = obj.get();
            addObject(std::move(obj));
            table[i] = raw;
        }
    }
    return index >= 0 && index <= STOCK_LAST ? table[index] : nullptr;
}

Bitmap* defaultBitmap() {
    static Bitmap* bmp = [] {
        auto b = std::make_unique<Bitmap>();
        b->allocate(1, 1, 1, false, true);
        b->colors.assign(kMonoPalette, kMonoPalette + 2);
        b->stock = true;
        Bitmap* raw = b.get();
        addObject(std::move(b));
        return raw;
    }();
    return bmp;
}

const PALETTEENTRY* defaultPaletteEntries(int* count) {
    *count = 20;
    return kDefaultPalette;
}

}  // namespace hmigfx::win32
