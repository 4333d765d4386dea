// The feature sheet (`hmigfx gallery`): panels stacked top to bottom, each
// with a title bar. A panel lives in its own file and registers itself:
//
//     namespace {
//     void drawGauges(GalleryPainter& p) {
//         CMyDC dc = p.context(100, 20, 30);   // zoom 100, document (0,0) at panel (20,30)
//         ... dc.ObjDraw...(...);
//         p.label(20, 10, "zoom 100");
//     }
//     }  // namespace
//     HMIGFX_GALLERY_PANEL(gauges, 700, "Gauges", 240, drawGauges);
//
// Panels are drawn in ascending order (shapes and brushes use 100-600; text
// takes 700, 3-D 800).
#pragma once

#include "surface.h"

#include <hmigfx/hmigfx.h>

#include <memory>
#include <string_view>
#include <vector>

namespace hmigfx::app {

class GalleryPainter {
public:
    GalleryPainter(Surface& surface, int left, int top, int width, int height)
        : m_surface(surface), m_left(left), m_top(top), m_width(width), m_height(height) {}

    CDC& cdc() { return m_surface.dc(); }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // Device position of the panel's (0, 0).
    int left() const { return m_left; }
    int top() const { return m_top; }

    // A drawing context at the zoom whose document (0, 0) lies at the panel's
    // (x, y). Making it applies its origin to the DC; make the next one after
    // this one's drawing is done (or call its SetViewportOrg again).
    CMyDC context(int zoom, int x, int y);
    // A caption whose top-left is the panel's (x, y); returns its width.
    int label(int x, int y, std::string_view text, int pixelHeight = 12, COLORREF color = RGB(40, 40, 40),
              bool bold = false);
    // A caption centred on x.
    void labelCentred(int x, int y, std::string_view text, int pixelHeight = 12, COLORREF color = RGB(40, 40, 40));

private:
    Surface& m_surface;
    int m_left, m_top, m_width, m_height;
};

struct GalleryPanel {
    int order;
    const char* title;
    int height;  // pixels below the title bar
    void (*draw)(GalleryPainter& painter);
};

void registerPanel(const GalleryPanel& panel);
// In drawing order.
std::vector<const GalleryPanel*> allPanels();

struct PanelRegistrar {
    explicit PanelRegistrar(const GalleryPanel& panel) { registerPanel(panel); }
};

#define HMIGFX_GALLERY_PANEL(ident, order, title, height, fn) \
    static const ::hmigfx::app::PanelRegistrar hmigfx_panel_##ident({order, title, height, fn})

constexpr int kGalleryWidth = 1280;

// The whole sheet; null when the surface cannot be made.
std::unique_ptr<Surface> renderGallery();

}  // namespace hmigfx::app
