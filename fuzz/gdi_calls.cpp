// The software GDI: a byte stream decoded into drawing calls on a small DIB,
// or on a small page of the "PDF" printer.
//
// Every argument is taken from the input, including the ones no caller
// should pass: counts that disagree with their arrays' contents, indices past
// the end of a mesh, stale and forged handles, coordinates at the ends of the
// int range. The arrays handed to GDI are always as long as the count says,
// as Win32 requires of its callers. Values are read in stream order, never
// two in one call's arguments or one expression (whose order the compiler
// picks), so the gcc builds' replays decode as the clang fuzzer did.
#include "printer_p.h"

#include <windows.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>

#include <array>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int kSlots = 4;

class Session {
public:
    explicit Session(FuzzedDataProvider& in) : in_(in) {}
    ~Session() {
        if (dc_) {
            SelectObject(dc_, GetStockObject(BLACK_PEN));
            SelectObject(dc_, GetStockObject(WHITE_BRUSH));
        }
        for (HGDIOBJ o : pens_) DeleteObject(o);
        for (HGDIOBJ o : brushes_) DeleteObject(o);
        for (HGDIOBJ o : regions_) DeleteObject(o);
        if (font_) DeleteObject(font_);
        if (src_) DeleteDC(src_);
        if (srcBitmap_) DeleteObject(srcBitmap_);
        if (printer_) DeleteDC(printer_);
        if (memory_) DeleteDC(memory_);
        if (canvas_) DeleteObject(canvas_);
        if (!outFile_.empty()) unlink(outFile_.c_str());
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void run() {
        if (in_.ConsumeIntegralInRange(0, 7) == 0 ? !openPrinter() : !openCanvas()) return;
        openSource();
        for (int n = 0; n < 200 && in_.remaining_bytes() > 0; ++n) step();
        if (printer_) {
            if (in_.ConsumeBool()) {
                EndPage(printer_);
                EndDoc(printer_);
            } else {
                AbortDoc(printer_);
            }
        }
    }

private:
    // ---- values
    int coord() {
        switch (in_.ConsumeIntegralInRange(0, 9)) {
        case 0: return in_.ConsumeIntegral<int>();
        case 1: {
            static constexpr int kEdges[] = {INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 1, -(1 << 27), 1 << 27,
                                             -(1 << 30), 1 << 30, 32767, -32768, 65535, 65536, -1000000, 1000000};
            return in_.PickValueInArray(kEdges);
        }
        case 2: return in_.ConsumeIntegralInRange(-1000, 1000);
        default: return in_.ConsumeIntegralInRange(-16, 96);
        }
    }
    int width() {
        switch (in_.ConsumeIntegralInRange(0, 7)) {
        case 0: return in_.ConsumeIntegral<int>();
        case 1: return in_.ConsumeIntegralInRange(0, 1000);
        default: return in_.ConsumeIntegralInRange(0, 12);
        }
    }
    COLORREF color() {
        if (in_.ConsumeBool()) return in_.ConsumeIntegral<uint32_t>();
        const BYTE r = in_.ConsumeIntegral<uint8_t>(), g = in_.ConsumeIntegral<uint8_t>(), b = in_.ConsumeIntegral<uint8_t>();
        return RGB(r, g, b);
    }
    DWORD rop3() {
        return in_.ConsumeBool() ? in_.ConsumeIntegral<DWORD>() : DWORD(in_.ConsumeIntegral<uint8_t>()) << 16;
    }
    RECT rect() { return RECT{coord(), coord(), coord(), coord()}; }
    std::vector<POINT> points(int most) {
        std::vector<POINT> p(in_.ConsumeIntegralInRange<size_t>(0, most));
        for (POINT& q : p) q = POINT{coord(), coord()};
        return p;
    }
    // A handle of the given slot array, a stock object, null, or a forged value.
    HGDIOBJ pick(const std::array<HGDIOBJ, kSlots>& slots) {
        switch (in_.ConsumeIntegralInRange(0, 7)) {
        case 0: return GetStockObject(in_.ConsumeIntegralInRange(0, 20));
        case 1: return reinterpret_cast<HGDIOBJ>(in_.ConsumeIntegral<uintptr_t>());
        case 2: return nullptr;
        default: return slots[in_.ConsumeIntegralInRange(0, kSlots - 1)];
        }
    }
    void keep(std::array<HGDIOBJ, kSlots>& slots, HGDIOBJ obj) {
        HGDIOBJ& slot = slots[in_.ConsumeIntegralInRange(0, kSlots - 1)];
        if (slot) DeleteObject(slot);  // may be selected: the DC keeps it alive
        slot = obj;
    }
    HRGN region() { return static_cast<HRGN>(pick(regions_)); }
    HBRUSH brush() { return static_cast<HBRUSH>(pick(brushes_)); }

    // A packed DIB whose buffer is as large as its header says.
    std::vector<uint8_t> packedDib(int maxSide) {
        static constexpr WORD kDepths[] = {1, 4, 8, 16, 24, 32};
        BITMAPINFOHEADER h{};
        h.biSize = sizeof h;
        h.biWidth = in_.ConsumeIntegralInRange(-2, maxSide);
        h.biHeight = in_.ConsumeIntegralInRange(-maxSide, maxSide);
        h.biPlanes = 1;
        h.biBitCount = in_.PickValueInArray(kDepths);
        h.biCompression = in_.ConsumeIntegralInRange(0, 7) == 0 ? in_.ConsumeIntegralInRange(0, 6) : BI_RGB;
        h.biClrUsed = in_.ConsumeIntegralInRange(0, 3) == 0 ? in_.ConsumeIntegralInRange(0, 300) : 0;
        const size_t colours = h.biBitCount <= 8 ? std::max<size_t>(h.biClrUsed, 1u << h.biBitCount)
                                                 : 3 + h.biClrUsed;  // masks, then a table
        const size_t stride = ((size_t(std::max(h.biWidth, 0)) * h.biBitCount + 31) / 32) * 4;
        const size_t bytes = sizeof h + colours * 4 + stride * size_t(std::abs(h.biHeight));
        h.biSizeImage = static_cast<DWORD>(stride * size_t(std::abs(h.biHeight)));
        std::vector<uint8_t> dib(bytes);
        std::memcpy(dib.data(), &h, sizeof h);
        const std::vector<uint8_t> rest = in_.ConsumeBytes<uint8_t>(bytes - sizeof h);
        std::copy(rest.begin(), rest.end(), dib.begin() + sizeof h);
        return dib;
    }

    // ---- the device
    bool openCanvas() {
        static constexpr WORD kDepths[] = {32, 32, 32, 24, 8, 1};
        struct {
            BITMAPINFOHEADER h;
            RGBQUAD colors[256];
        } bi{};
        bi.h.biSize = sizeof bi.h;
        bi.h.biWidth = in_.ConsumeIntegralInRange(1, 80);
        const int h = in_.ConsumeIntegralInRange(1, 64);
        bi.h.biHeight = in_.ConsumeBool() ? -h : h;
        bi.h.biPlanes = 1;
        bi.h.biBitCount = in_.PickValueInArray(kDepths);
        for (int k = 0; k < 256; ++k) {
            const auto c = static_cast<BYTE>(bi.h.biBitCount == 1 ? k * 255 : k);
            bi.colors[k] = RGBQUAD{c, static_cast<BYTE>(255 - c), c, 0};
        }
        void* bits = nullptr;
        canvas_ = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
        memory_ = CreateCompatibleDC(nullptr);
        if (!canvas_ || !memory_) return false;
        SelectObject(memory_, canvas_);
        dc_ = memory_;
        return true;
    }

    // A page of a few millimetres, drawn in narrow bands.
    bool openPrinter() {
        DEVMODEW dm{};
        dm.dmSize = sizeof dm;
        dm.dmFields = DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH | DM_PRINTQUALITY | DM_COLOR | DM_ORIENTATION;
        dm.dmPaperSize = DMPAPER_USER;
        dm.dmPaperWidth = in_.ConsumeIntegralInRange<short>(1, 200);
        dm.dmPaperLength = in_.ConsumeIntegralInRange<short>(1, 200);
        dm.dmPrintQuality = in_.ConsumeIntegralInRange<short>(72, 150);
        dm.dmColor = in_.ConsumeBool() ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
        dm.dmOrientation = in_.ConsumeBool() ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        printer_ = CreateDCW(L"WINSPOOL", L"PDF", nullptr, &dm);
        if (!printer_) return false;
        hmigfx::win32::setPrinterBandBytes(in_.ConsumeIntegralInRange<size_t>(1, 4096));
        outFile_ = "/tmp/hmigfx-fuzz-" + std::to_string(getpid()) + ".pdf";
        const std::wstring name(outFile_.begin(), outFile_.end());
        const DOCINFOW di{sizeof(DOCINFOW), L"fuzz", name.c_str(), nullptr, 0};
        if (StartDocW(printer_, &di) <= 0 || StartPage(printer_) <= 0) return false;
        dc_ = printer_;
        return true;
    }

    // The blit source: a small DIB of any depth, or a device-dependent bitmap.
    void openSource() {
        src_ = CreateCompatibleDC(nullptr);
        if (in_.ConsumeBool()) {
            const std::vector<uint8_t> dib = packedDib(24);
            void* bits = nullptr;
            const auto* bi = reinterpret_cast<const BITMAPINFO*>(dib.data());
            srcBitmap_ = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (srcBitmap_)
                SetDIBits(nullptr, srcBitmap_, 0, static_cast<UINT>(std::abs(bi->bmiHeader.biHeight)),
                          dib.data() + dib.size() - bi->bmiHeader.biSizeImage, bi, DIB_RGB_COLORS);
        } else {
            const int w = in_.ConsumeIntegralInRange(0, 24), h = in_.ConsumeIntegralInRange(0, 24);
            srcBitmap_ = CreateCompatibleBitmap(dc_, w, h);
        }
        if (srcBitmap_) SelectObject(src_, srcBitmap_);
    }

    // ---- the calls
    void step() {
        switch (in_.ConsumeIntegralInRange(0, 27)) {
        case 0: {
            const int style = in_.ConsumeIntegralInRange(-1, 9), w = width();
            keep(pens_, CreatePen(style, w, color()));
            break;
        }
        case 1: {
            LOGBRUSH lb{in_.ConsumeIntegralInRange<UINT>(0, 9), color(), in_.ConsumeIntegralInRange<ULONG_PTR>(0, 7)};
            std::vector<DWORD> dashes(in_.ConsumeIntegralInRange(0, 17));
            for (DWORD& d : dashes) d = in_.ConsumeBool() ? in_.ConsumeIntegral<DWORD>() : in_.ConsumeIntegralInRange(0, 9);
            const DWORD style = in_.ConsumeBool() ? in_.ConsumeIntegral<DWORD>() : penStyle();
            keep(pens_, ExtCreatePen(style, width(), &lb, static_cast<DWORD>(dashes.size()),
                                     dashes.empty() ? nullptr : dashes.data()));
            break;
        }
        case 2: makeBrush(); break;
        case 3: SelectObject(dc_, in_.ConsumeBool() ? pick(pens_) : pick(brushes_)); break;
        case 4: makeRegion(); break;
        case 5: {
            HRGN dest = region(), a = region(), b = region();
            CombineRgn(dest ? dest : static_cast<HRGN>(regions_[0]), a, b, in_.ConsumeIntegralInRange(0, 6));
            break;
        }
        case 6: {
            const bool offset = in_.ConsumeBool();
            HRGN rgn = region();
            if (offset) {
                const int dx = coord(), dy = coord();
                OffsetRgn(rgn, dx, dy);
            } else {
                const RECT r = rect();
                SetRectRgn(rgn, r.left, r.top, r.right, r.bottom);
            }
            break;
        }
        case 7:
            if (in_.ConsumeBool()) {
                SelectClipRgn(dc_, region());
            } else {
                HRGN rgn = region();
                ExtSelectClipRgn(dc_, rgn, in_.ConsumeIntegralInRange(0, 6));
            }
            break;
        case 8: {
            const RECT r = rect();
            if (in_.ConsumeBool())
                IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
            else
                ExcludeClipRect(dc_, r.left, r.top, r.right, r.bottom);
            break;
        }
        case 9: {
            const int op = in_.ConsumeIntegralInRange(0, 3);
            HRGN rgn = region();
            if (op == 0) {
                PaintRgn(dc_, rgn);
            } else if (op == 1) {
                FillRgn(dc_, rgn, brush());
            } else if (op == 2) {
                HBRUSH b = brush();
                const int w = width(), h = width();
                FrameRgn(dc_, rgn, b, w, h);
            } else {
                InvertRgn(dc_, rgn);
            }
            break;
        }
        case 10: setState(); break;
        case 11:
            if (in_.ConsumeBool())
                SaveDC(dc_);
            else
                RestoreDC(dc_, in_.ConsumeIntegralInRange(-3, 3));
            break;
        case 12: {
            const bool move = in_.ConsumeBool();
            const int x = coord(), y = coord();
            if (move)
                MoveToEx(dc_, x, y, nullptr);
            else
                LineTo(dc_, x, y);
            break;
        }
        case 13: polyCall(); break;
        case 14: polyPolyCall(); break;
        case 15: shapeCall(); break;
        case 16: {
            const int x = coord(), y = coord(), w = coord(), h = coord();
            PatBlt(dc_, x, y, w, h, rop3());
            break;
        }
        case 17: blit(); break;
        case 18: dibToDevice(); break;
        case 19: gradient(); break;
        case 20: {
            RECT r = rect();
            switch (in_.ConsumeIntegralInRange(0, 3)) {
            case 0:
                FillRect(dc_, &r, in_.ConsumeBool() ? brush()
                                                    : reinterpret_cast<HBRUSH>(uintptr_t(in_.ConsumeIntegralInRange(0, 31))));
                break;
            case 1: FrameRect(dc_, &r, brush()); break;
            case 2: InvertRect(dc_, &r); break;
            default: DrawFocusRect(dc_, &r); break;
            }
            break;
        }
        case 21: {
            RECT r = rect();
            const UINT type = in_.ConsumeIntegralInRange<UINT>(0, 5), state = in_.ConsumeIntegral<uint16_t>();
            DrawFrameControl(dc_, &r, type, state);
            break;
        }
        case 22: {
            const bool set = in_.ConsumeBool();
            const int x = coord(), y = coord();
            if (set)
                SetPixel(dc_, x, y, color());
            else
                GetPixel(dc_, x, y);
            break;
        }
        case 23: query(); break;
        case 24: text(); break;
        case 25: {
            // Delete an object that may still be selected, or one twice.
            auto& slots = in_.ConsumeBool() ? pens_ : in_.ConsumeBool() ? brushes_ : regions_;
            HGDIOBJ& slot = slots[in_.ConsumeIntegralInRange(0, kSlots - 1)];
            DeleteObject(slot);
            if (in_.ConsumeBool()) slot = nullptr;
            break;
        }
        case 26: {
            // Swap the blit source for a bitmap of another kind.
            HBITMAP old = srcBitmap_;
            const int w = in_.ConsumeIntegralInRange(0, 24), h = in_.ConsumeIntegralInRange(0, 24);
            srcBitmap_ = CreateBitmap(w, h, 1, in_.ConsumeBool() ? 1 : 32, nullptr);
            SelectObject(src_, srcBitmap_ ? srcBitmap_ : old);
            if (srcBitmap_ && old) DeleteObject(old);
            if (!srcBitmap_) srcBitmap_ = old;
            break;
        }
        default: {
            const int x = coord(), y = coord();
            SetBrushOrgEx(dc_, x, y, nullptr);
            break;
        }
        }
    }

    // An ExtCreatePen style: type, dash style, end cap and join.
    DWORD penStyle() {
        const DWORD type = in_.ConsumeBool() ? PS_GEOMETRIC : PS_COSMETIC;
        const DWORD dash = in_.ConsumeIntegralInRange(0, 8), cap = in_.ConsumeIntegralInRange(0, 3),
                    join = in_.ConsumeIntegralInRange(0, 3);
        return type | dash | cap << 8 | join << 12;
    }

    void makeBrush() {
        switch (in_.ConsumeIntegralInRange(0, 5)) {
        case 0: keep(brushes_, CreateSolidBrush(color())); break;
        case 1: {
            const int hatch = in_.ConsumeIntegralInRange(-1, 7);
            keep(brushes_, CreateHatchBrush(hatch, color()));
            break;
        }
        case 2: {
            WORD rows[8];
            for (WORD& r : rows) r = in_.ConsumeIntegral<WORD>();
            const int w = in_.ConsumeIntegralInRange(0, 16), h = in_.ConsumeIntegralInRange(0, 8);
            HBITMAP bits = CreateBitmap(w, h, 1, in_.ConsumeBool() ? 1 : 32, nullptr);
            if (bits) SetBitmapBits(bits, sizeof rows, rows);
            keep(brushes_, CreatePatternBrush(in_.ConsumeBool() ? bits : srcBitmap_));
            if (bits) DeleteObject(bits);
            break;
        }
        case 3: {
            const std::vector<uint8_t> dib = packedDib(16);
            keep(brushes_, CreateDIBPatternBrushPt(dib.data(), in_.ConsumeIntegralInRange<UINT>(0, 2)));
            break;
        }
        case 4: {
            LOGBRUSH lb{in_.ConsumeIntegralInRange<UINT>(0, 12), color(), in_.ConsumeIntegralInRange<ULONG_PTR>(0, 9)};
            if (lb.lbStyle == BS_PATTERN) lb.lbHatch = reinterpret_cast<ULONG_PTR>(srcBitmap_);
            keep(brushes_, CreateBrushIndirect(&lb));
            break;
        }
        default: keep(brushes_, GetStockObject(in_.ConsumeIntegralInRange(0, 20))); break;
        }
    }

    void makeRegion() {
        const RECT r = rect();
        switch (in_.ConsumeIntegralInRange(0, 4)) {
        case 0: keep(regions_, CreateRectRgn(r.left, r.top, r.right, r.bottom)); break;
        case 1: keep(regions_, CreateEllipticRgn(r.left, r.top, r.right, r.bottom)); break;
        case 2: {
            const int w = coord(), h = coord();
            keep(regions_, CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, w, h));
            break;
        }
        case 3: {
            const std::vector<POINT> p = points(40);
            keep(regions_, CreatePolygonRgn(p.data(), static_cast<int>(p.size()), in_.ConsumeIntegralInRange(0, 3)));
            break;
        }
        default: {
            std::vector<INT> counts(in_.ConsumeIntegralInRange(0, 5));
            size_t total = 0;
            for (INT& c : counts) total += c = in_.ConsumeIntegralInRange(0, 12);
            std::vector<POINT> p(total);
            for (POINT& q : p) q = POINT{coord(), coord()};
            keep(regions_, CreatePolyPolygonRgn(p.data(), counts.data(), static_cast<int>(counts.size()),
                                                in_.ConsumeIntegralInRange(0, 3)));
            break;
        }
        }
    }

    void setState() {
        switch (in_.ConsumeIntegralInRange(0, 15)) {
        case 0: SetROP2(dc_, in_.ConsumeIntegralInRange(-1, 17)); break;
        case 1: SetBkMode(dc_, in_.ConsumeIntegralInRange(0, 3)); break;
        case 2: SetBkColor(dc_, color()); break;
        case 3: SetTextColor(dc_, color()); break;
        case 4: SetPolyFillMode(dc_, in_.ConsumeIntegralInRange(0, 3)); break;
        case 5: SetStretchBltMode(dc_, in_.ConsumeIntegralInRange(0, 5)); break;
        case 6: SetArcDirection(dc_, in_.ConsumeIntegralInRange(0, 3)); break;
        case 7: {
            const int x = coord(), y = coord();
            SetViewportOrgEx(dc_, x, y, nullptr);
            break;
        }
        case 8: {
            const int x = coord(), y = coord();
            SetWindowOrgEx(dc_, x, y, nullptr);
            break;
        }
        case 9: {
            const int x = coord(), y = coord();
            OffsetViewportOrgEx(dc_, x, y, nullptr);
            break;
        }
        case 10: SetMapMode(dc_, in_.ConsumeIntegralInRange(0, 9)); break;
        case 11: SetGraphicsMode(dc_, in_.ConsumeIntegralInRange(0, 3)); break;
        case 12: SetDCBrushColor(dc_, color()); break;
        case 13: SetDCPenColor(dc_, color()); break;
        case 14: SetTextAlign(dc_, in_.ConsumeIntegral<uint16_t>()); break;
        default: SelectObject(dc_, GetStockObject(in_.ConsumeBool() ? DC_PEN : DC_BRUSH)); break;
        }
    }

    void polyCall() {
        const std::vector<POINT> p = points(48);
        const int n = static_cast<int>(p.size());
        const POINT* pts = p.empty() ? nullptr : p.data();
        switch (in_.ConsumeIntegralInRange(0, 4)) {
        case 0: Polyline(dc_, pts, n); break;
        case 1: PolylineTo(dc_, pts, n); break;
        case 2: Polygon(dc_, pts, n); break;
        case 3: PolyBezier(dc_, pts, n); break;
        default: PolyBezierTo(dc_, pts, n); break;
        }
    }

    void polyPolyCall() {
        std::vector<INT> counts(in_.ConsumeIntegralInRange(0, 6));
        size_t total = 0;
        for (INT& c : counts) total += c = in_.ConsumeIntegralInRange(0, 16);
        std::vector<POINT> p(total);
        for (POINT& q : p) q = POINT{coord(), coord()};
        if (in_.ConsumeBool()) {
            PolyPolygon(dc_, p.data(), counts.data(), static_cast<int>(counts.size()));
        } else {
            std::vector<DWORD> dw(counts.begin(), counts.end());
            PolyPolyline(dc_, p.data(), dw.data(), static_cast<DWORD>(dw.size()));
        }
    }

    void shapeCall() {
        const RECT r = rect();
        switch (in_.ConsumeIntegralInRange(0, 6)) {
        case 0: Rectangle(dc_, r.left, r.top, r.right, r.bottom); break;
        case 1: Ellipse(dc_, r.left, r.top, r.right, r.bottom); break;
        case 2: {
            const int w = coord(), h = coord();
            RoundRect(dc_, r.left, r.top, r.right, r.bottom, w, h);
            break;
        }
        case 3: arc(Arc, r); break;
        case 4: arc(ArcTo, r); break;
        case 5: arc(Pie, r); break;
        default: arc(Chord, r); break;
        }
    }

    // An arc-like call with the bounds given and radial end points read.
    void arc(decltype(&Arc) call, const RECT& r) {
        const int x1 = coord(), y1 = coord(), x2 = coord(), y2 = coord();
        call(dc_, r.left, r.top, r.right, r.bottom, x1, y1, x2, y2);
    }

    void blit() {
        const int sel = in_.ConsumeIntegralInRange(0, 3);
        HDC from = sel == 0 ? dc_ : sel == 1 ? nullptr : src_;
        const RECT d = rect(), s = rect();
        switch (in_.ConsumeIntegralInRange(0, 2)) {
        case 0: BitBlt(dc_, d.left, d.top, d.right, d.bottom, from, s.left, s.top, rop3()); break;
        case 1: StretchBlt(dc_, d.left, d.top, d.right, d.bottom, from, s.left, s.top, s.right, s.bottom, rop3()); break;
        default: {
            HBITMAP mask = in_.ConsumeBool() ? srcBitmap_ : nullptr;
            const int mx = coord(), my = coord();
            MaskBlt(dc_, d.left, d.top, d.right, d.bottom, from, s.left, s.top, mask, mx, my, in_.ConsumeIntegral<DWORD>());
            break;
        }
        }
    }

    void dibToDevice() {
        const std::vector<uint8_t> dib = packedDib(24);
        const auto* bi = reinterpret_cast<const BITMAPINFO*>(dib.data());
        const uint8_t* bits = dib.data() + dib.size() - bi->bmiHeader.biSizeImage;
        const RECT d = rect(), s = rect();
        if (in_.ConsumeBool()) {
            const UINT usage = in_.ConsumeIntegralInRange<UINT>(0, 2);
            StretchDIBits(dc_, d.left, d.top, d.right, d.bottom, s.left, s.top, s.right, s.bottom, bits, bi, usage, rop3());
        } else {
            // The bits hold the header's rows; cLines may not claim more.
            const DWORD w = in_.ConsumeIntegral<DWORD>(), h = in_.ConsumeIntegral<DWORD>();
            const UINT start = in_.ConsumeIntegral<UINT>(),
                       lines = in_.ConsumeIntegralInRange<UINT>(0, static_cast<UINT>(std::abs(bi->bmiHeader.biHeight))),
                       usage = in_.ConsumeIntegralInRange<UINT>(0, 2);
            SetDIBitsToDevice(dc_, d.left, d.top, w, h, s.left, s.top, start, lines, bits, bi, usage);
        }
    }

    void gradient() {
        std::vector<TRIVERTEX> v(in_.ConsumeIntegralInRange(0, 6));
        for (TRIVERTEX& t : v)
            t = TRIVERTEX{coord(), coord(), in_.ConsumeIntegral<COLOR16>(), in_.ConsumeIntegral<COLOR16>(),
                          in_.ConsumeIntegral<COLOR16>(), in_.ConsumeIntegral<COLOR16>()};
        const ULONG mode = in_.ConsumeIntegralInRange<ULONG>(0, 3);
        // Mesh entries are three ULONGs for triangles, two for rectangles; indices may be out of range.
        std::vector<ULONG> mesh(3 * in_.ConsumeIntegralInRange<size_t>(0, 4));
        for (ULONG& m : mesh) m = in_.ConsumeBool() ? in_.ConsumeIntegral<ULONG>() : in_.ConsumeIntegralInRange<ULONG>(0, 6);
        const ULONG entries = static_cast<ULONG>(mode == GRADIENT_FILL_TRIANGLE ? mesh.size() / 3 : mesh.size() / 2);
        GradientFill(dc_, v.empty() ? nullptr : v.data(), static_cast<ULONG>(v.size()), mesh.empty() ? nullptr : mesh.data(),
                     entries, mode);
    }

    void query() {
        switch (in_.ConsumeIntegralInRange(0, 8)) {
        case 0: {
            HRGN r = region();
            const DWORD need = GetRegionData(r, 0, nullptr);
            if (need > 0 && need < (1u << 20)) {
                std::vector<uint8_t> buf(need);
                GetRegionData(r, need, reinterpret_cast<RGNDATA*>(buf.data()));
            }
            break;
        }
        case 1: {
            HRGN rgn = region();
            const int x = coord(), y = coord();
            PtInRegion(rgn, x, y);
            break;
        }
        case 2: {
            const RECT r = rect();
            RectInRegion(region(), &r);
            break;
        }
        case 3: {
            RECT r;
            GetRgnBox(region(), &r);
            GetClipBox(dc_, &r);
            break;
        }
        case 4: {
            HRGN a = region(), b = region();
            EqualRgn(a, b);
            break;
        }
        case 5: {
            POINT p[3] = {{coord(), coord()}, {coord(), coord()}, {coord(), coord()}};
            LPtoDP(dc_, p, 3);
            DPtoLP(dc_, p, 3);
            break;
        }
        case 6: {
            const RECT r = rect();
            PtVisible(dc_, r.left, r.top);
            RectVisible(dc_, &r);
            break;
        }
        case 7: {
            const DWORD n = GetRegionData(region(), 0, nullptr);
            HRGN made = nullptr;
            if (n > 0 && n < (1u << 20)) {
                std::vector<uint8_t> buf(n);
                if (GetRegionData(region(), n, reinterpret_cast<RGNDATA*>(buf.data())))
                    made = ExtCreateRegion(nullptr, n, reinterpret_cast<RGNDATA*>(buf.data()));
            }
            if (made) keep(regions_, made);
            break;
        }
        default: {
            // A region from data that need not hold what its header claims.
            std::vector<uint8_t> buf = in_.ConsumeBytes<uint8_t>(in_.ConsumeIntegralInRange(0, 160));
            if (buf.size() >= sizeof(RGNDATAHEADER)) {
                HRGN made = ExtCreateRegion(nullptr, static_cast<DWORD>(buf.size()), reinterpret_cast<RGNDATA*>(buf.data()));
                if (made) keep(regions_, made);
            }
            break;
        }
        }
    }

    void text() {
        if (in_.ConsumeIntegralInRange(0, 3) == 0 || !font_) {
            static constexpr const wchar_t* kFaces[] = {L"Arial", L"Times New Roman", L"Courier New", L"System",
                                                         L"MS Sans Serif", L"Tahoma", L"SimSun", L"no such face"};
            if (font_) DeleteObject(font_);
            const int h = in_.ConsumeBool() ? in_.ConsumeIntegralInRange(-40, 40) : in_.ConsumeIntegralInRange(-400, 400);
            const int w = in_.ConsumeIntegralInRange(-20, 60), escapement = in_.ConsumeIntegral<int16_t>(),
                      orientation = in_.ConsumeIntegral<int16_t>(), weight = in_.ConsumeIntegralInRange(0, 1000);
            const bool italic = in_.ConsumeBool(), underline = in_.ConsumeBool(), strikeOut = in_.ConsumeBool();
            const DWORD charSet = in_.ConsumeIntegral<uint8_t>(), quality = in_.ConsumeIntegralInRange(0, 6),
                        pitch = in_.ConsumeIntegral<uint8_t>();
            font_ = CreateFontW(h, w, escapement, orientation, weight, italic, underline, strikeOut, charSet, 0, 0, quality,
                                pitch, in_.PickValueInArray(kFaces));
            SelectObject(dc_, font_);
        }
        std::wstring s(in_.ConsumeIntegralInRange(0, 12), L' ');
        for (wchar_t& c : s) c = in_.ConsumeBool() ? wchar_t(in_.ConsumeIntegralInRange(32, 126)) : wchar_t(in_.ConsumeIntegral<uint16_t>());
        const int n = static_cast<int>(s.size());
        RECT r = rect();
        switch (in_.ConsumeIntegralInRange(0, 3)) {
        case 0: {
            const int x = coord(), y = coord();
            TextOutW(dc_, x, y, s.c_str(), n);
            break;
        }
        case 1: {
            // With ETO_PDY the spacing comes in pairs.
            std::vector<INT> dx(2 * s.size());
            for (INT& d : dx) d = in_.ConsumeBool() ? in_.ConsumeIntegral<int>() : in_.ConsumeIntegralInRange(-50, 50);
            const int x = coord(), y = coord();
            const UINT options = in_.ConsumeIntegralInRange<UINT>(0, 0x1FFFF);
            const bool spaced = in_.ConsumeBool() && n;
            ExtTextOutW(dc_, x, y, options, &r, s.c_str(), static_cast<UINT>(n), spaced ? dx.data() : nullptr);
            break;
        }
        case 2: {
            const int count = in_.ConsumeBool() ? -1 : n;
            // DT_MODIFYSTRING would write past the caller's string
            DrawTextW(dc_, s.c_str(), count, &r, in_.ConsumeIntegral<UINT>() & ~UINT(DT_MODIFYSTRING));
            break;
        }
        default: {
            SIZE size;
            GetTextExtentPoint32W(dc_, s.c_str(), n, &size);
            TEXTMETRICW tm;
            GetTextMetricsW(dc_, &tm);
            break;
        }
        }
    }

    FuzzedDataProvider& in_;
    HDC dc_ = nullptr;
    HDC memory_ = nullptr;
    HDC printer_ = nullptr;
    HBITMAP canvas_ = nullptr;
    HDC src_ = nullptr;
    HBITMAP srcBitmap_ = nullptr;
    HFONT font_ = nullptr;
    std::array<HGDIOBJ, kSlots> pens_{};
    std::array<HGDIOBJ, kSlots> brushes_{};
    std::array<HGDIOBJ, kSlots> regions_{};
    std::string outFile_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    Session(in).run();
    return 0;
}
