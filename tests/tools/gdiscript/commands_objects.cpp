// Object creation, selection and deletion.
#include "interpreter_p.h"

#include <cstring>

namespace hmigfx::gdiscript {
namespace {

HGDIOBJ extCreatePen(const Args& a) {
    LOGBRUSH lb{a.u(2), a.color(3), 0};
    bool isBitmap = false;
    HGDIOBJ bmp = a.in->find(a.v[4], &isBitmap);  // the hatch field may name a bitmap for BS_PATTERN
    lb.lbHatch = isBitmap ? reinterpret_cast<ULONG_PTR>(bmp) : static_cast<ULONG_PTR>(a.num(4));
    std::vector<DWORD> dashes;
    for (int k = 5; k < a.count(); ++k) dashes.push_back(a.u(k));
    return ExtCreatePen(a.u(0), a.u(1), &lb, static_cast<DWORD>(dashes.size()), dashes.empty() ? nullptr : dashes.data());
}

HGDIOBJ createPatternBrush8x8(const Args& a) {
    BYTE rows[16] = {};  // monochrome rows are WORD aligned
    for (int k = 0; k < 8; ++k) rows[2 * k] = static_cast<BYTE>(a.num(k));
    HBITMAP bmp = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(bmp);
    DeleteObject(bmp);  // the brush keeps its own copy of the pattern
    return brush;
}

void needSize(const Args& a, int w, int h) {
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384) a.in->fail(format("bad size %dx%d", w, h));
}

void needCount(const Args& a, bool ok) {
    if (!ok) a.in->fail(format("%s: wrong argument count (%d)", a.in->currentCommand.c_str(), a.count()));
}

HGDIOBJ createDIBPatternBrush32(const Args& a) {
    const int w = a.i(0), h = a.i(1);
    needSize(a, w, h);
    needCount(a, a.count() == 2 + w * h);
    std::vector<uint8_t> packed(sizeof(BITMAPINFOHEADER) + static_cast<size_t>(w) * h * 4);
    BITMAPINFOHEADER bih{};
    bih.biSize = sizeof bih;
    bih.biWidth = w;
    bih.biHeight = h;  // bottom-up, the classic packed-DIB layout
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    std::memcpy(packed.data(), &bih, sizeof bih);
    auto* px = reinterpret_cast<uint32_t*>(packed.data() + sizeof bih);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) px[(h - 1 - y) * w + x] = a.u(2 + y * w + x);
    return CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS);
}

HGDIOBJ createBitmap32(const Args& a) {
    const int w = a.i(0), h = a.i(1);
    needSize(a, w, h);
    needCount(a, a.count() == 2 + w * h);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    for (int k = 0; bmp && k < w * h; ++k) static_cast<uint32_t*>(bits)[k] = a.u(2 + k);
    return bmp;
}

// LoadBitmapFile PATH: relative paths are relative to the script.
HGDIOBJ loadBitmapFile(const Args& a) {
    const std::string& p = a.text;
    if (p.empty()) a.in->fail("LoadBitmapFile: missing path");
    const bool absolute = p[0] == '/' || p[0] == '\\' || (p.size() > 1 && p[1] == ':');
    const std::string path = absolute ? p : a.in->scriptDir + p;
    HANDLE h = LoadImageW(nullptr, widen(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!h) a.in->fail("cannot load bitmap '" + p + "'");
    return h;
}

HGDIOBJ deleteObject(const Args& a) {
    a.in->check(DeleteObject(a.obj(0)));
    a.in->unbind(a.v[0]);
    return nullptr;
}

}  // namespace

void addObjectCommands(CommandTable& t) {
    GDISCRIPT_MAKE(t, "CreatePen", 3, 3, CreatePen(a.i(0), a.i(1), a.color(2)));
    t["ExtCreatePen"] = {extCreatePen, 5, kMany, kNew};
    GDISCRIPT_MAKE(t, "CreateSolidBrush", 1, 1, CreateSolidBrush(a.color(0)));
    GDISCRIPT_MAKE(t, "CreateHatchBrush", 2, 2, CreateHatchBrush(a.i(0), a.color(1)));
    GDISCRIPT_MAKE(t, "CreatePatternBrush", 1, 1, CreatePatternBrush(static_cast<HBITMAP>(a.obj(0))));
    t["CreatePatternBrush8x8"] = {createPatternBrush8x8, 8, 8, kNew};
    t["CreateDIBPatternBrush32"] = {createDIBPatternBrush32, 2, kMany, kNew};
    GDISCRIPT_MAKE(t, "GetStockObject", 1, 1, GetStockObject(a.i(0)));
    GDISCRIPT_MAKE(t, "GetSysColorBrush", 1, 1, GetSysColorBrush(a.i(0)));
    t["CreateBitmap32"] = {createBitmap32, 2, kMany, kNew};
    t["LoadBitmapFile"] = {loadBitmapFile, 0, 0, kNew | kText | kRaw};
    GDISCRIPT_CALL(t, "SelectObject", 1, 1, [&] {
        HGDIOBJ old = SelectObject(dc, a.obj(0));
        return old != nullptr && old != HGDI_ERROR;
    }());
    t["DeleteObject"] = {deleteObject, 1, 1, 0};
}

}  // namespace hmigfx::gdiscript
