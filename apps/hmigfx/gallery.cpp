#include "gallery.h"

#include "text_util.h"

#include <algorithm>

namespace hmigfx::app {

namespace {

constexpr int kTitleHeight = 28;
constexpr int kMargin = 16;

std::vector<GalleryPanel>& panels() {
    static std::vector<GalleryPanel> list;
    return list;
}

// Captions are platform text, drawn in device units: the viewport origin a
// CMyDC set is put aside meanwhile.
int drawText(CDC& cdc, int x, int y, std::string_view text, int pixelHeight, COLORREF color, bool bold, bool centred) {
    const std::wstring wide = shownText(fromUtf8(text));
    HFONT font = ::CreateFontW(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                               L"Arial");
    const int saved = ::SaveDC(cdc);
    ::SetViewportOrgEx(cdc, 0, 0, nullptr);
    ::SelectClipRgn(cdc, nullptr);
    HGDIOBJ oldFont = ::SelectObject(cdc, font);
    ::SetBkMode(cdc, TRANSPARENT);
    ::SetTextColor(cdc, color);
    ::SetTextAlign(cdc, TA_LEFT | TA_TOP);
    SIZE size{0, 0};
    ::GetTextExtentPoint32W(cdc, wide.c_str(), static_cast<int>(wide.size()), &size);
    if (centred) x -= size.cx / 2;
    ::TextOutW(cdc, x, y, wide.c_str(), static_cast<int>(wide.size()));
    ::SelectObject(cdc, oldFont);
    ::RestoreDC(cdc, saved);
    ::DeleteObject(font);
    return size.cx;
}

}  // namespace

CMyDC GalleryPainter::context(int zoom, int x, int y) {
    // Device = view - origin, so an origin of minus the spot puts view (0, 0) there.
    CPoint origin(-(m_left + x), -(m_top + y));
    return CMyDC(&m_surface.dc(), zoom, origin);
}

int GalleryPainter::label(int x, int y, std::string_view text, int pixelHeight, COLORREF color, bool bold) {
    return drawText(m_surface.dc(), m_left + x, m_top + y, text, pixelHeight, color, bold, false);
}

void GalleryPainter::labelCentred(int x, int y, std::string_view text, int pixelHeight, COLORREF color) {
    drawText(m_surface.dc(), m_left + x, m_top + y, text, pixelHeight, color, false, true);
}

void registerPanel(const GalleryPanel& panel) { panels().push_back(panel); }

std::vector<const GalleryPanel*> allPanels() {
    std::vector<const GalleryPanel*> list;
    for (const GalleryPanel& p : panels()) list.push_back(&p);
    std::stable_sort(list.begin(), list.end(), [](const GalleryPanel* a, const GalleryPanel* b) { return a->order < b->order; });
    return list;
}

std::unique_ptr<Surface> renderGallery() {
    const auto list = allPanels();
    int height = kMargin;
    for (const GalleryPanel* p : list) height += kTitleHeight + p->height + kMargin;
    auto surface = std::make_unique<Surface>(kGalleryWidth, height);
    if (!surface->ok()) return nullptr;
    surface->fill(RGB(255, 255, 255));
    CDC& cdc = surface->dc();

    int top = kMargin;
    for (const GalleryPanel* p : list) {
        // Title bar.
        CRect bar(kMargin, top, kGalleryWidth - kMargin, top + kTitleHeight - 4);
        HBRUSH barBrush = ::CreateSolidBrush(RGB(226, 232, 240));
        ::SetViewportOrgEx(cdc, 0, 0, nullptr);
        ::FillRect(cdc, &bar, barBrush);
        ::DeleteObject(barBrush);
        drawText(cdc, kMargin + 8, top + 4, p->title, 15, RGB(20, 30, 60), true, false);
        top += kTitleHeight;

        // The panel draws with a fresh DC state and gives it back as it was.
        const int saved = ::SaveDC(cdc);
        GalleryPainter painter(*surface, kMargin, top, kGalleryWidth - 2 * kMargin, p->height);
        p->draw(painter);
        ::RestoreDC(cdc, saved);
        AfxUnlockTempMaps();
        top += p->height + kMargin;
    }
    ::SetViewportOrgEx(cdc, 0, 0, nullptr);
    return surface;
}

}  // namespace hmigfx::app
