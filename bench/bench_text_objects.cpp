// A screen of 500 text objects through CMyDC, as a viewer repaints a busy
// page: mixed font sizes and faces, upright and turned by 90 degrees, some
// with two lines or an opaque background, at zoom 100 and 150. Time per pass.
#include <hmigfx/my_dc.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

struct TextObject {
    CRect rect;
    LOGFONTW lf;
    CString text;
    UINT format;
    int transparent;
    int angle;
};

std::vector<TextObject> Screen() {
    const wchar_t* faces[] = {L"Arial", L"Times New Roman", L"Courier New"};
    const wchar_t* words[] = {L"P-101", L"Level 42 %", L"Flow\n12.5 m3/h", L"Valve V7 open", L"Temp 81.3 \u00b0C",
                              L"Alarm\nacknowledged"};
    std::vector<TextObject> objects;
    for (int k = 0; k < 500; ++k) {
        TextObject o;
        const int col = k % 20, row = k / 20;  // 20 x 25 cells of 60 x 38 units
        o.angle = (k % 4 == 3) ? 90 : 0;
        o.rect = o.angle ? CRect(col * 60 + 10, row * 38, col * 60 + 48, row * 38 + 36)
                         : CRect(col * 60, row * 38, col * 60 + 58, row * 38 + 36);
        o.lf = LOGFONTW{};
        o.lf.lfHeight = -(10 + (k * 7) % 15);  // 10 to 24 units
        o.lf.lfWeight = k % 5 == 0 ? FW_BOLD : FW_NORMAL;
        o.lf.lfQuality = k % 2 ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY;
        std::wstring(faces[k % 3]).copy(o.lf.lfFaceName, LF_FACESIZE - 1);
        o.text = words[k % 6];
        o.format = static_cast<UINT>(k % 3);  // left, centred, right
        o.transparent = k % 7 == 0 ? 0 : 1;
        objects.push_back(o);
    }
    return objects;
}

void TextScreen(benchmark::State& state) {
    const int zoom = static_cast<int>(state.range(0));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 1800;
    bi.bmiHeader.biHeight = -1440;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CBitmap surface;
    surface.Attach(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    HGDIOBJ old = dc.SelectObject(surface.m_hObject);
    std::vector<TextObject> objects = Screen();
    CMyDC myDC(&dc, zoom);
    for (auto _ : state) {
        dc.PatBlt(0, 0, 1800, 1440, WHITENESS);
        for (TextObject& o : objects)
            myDC.ObjDrawText(o.text, o.rect, o.lf, RGB(0, 0, 128), RGB(255, 255, 200), o.format, o.transparent,
                             o.angle);
        benchmark::DoNotOptimize(bits);
    }
    state.counters["objects"] = static_cast<double>(objects.size());
    dc.SelectObject(old);
}
BENCHMARK(TextScreen)->Arg(100)->Arg(150)->Unit(benchmark::kMillisecond);

}  // namespace
