// Scrolling a window's client area: the pixels that stay visible move within
// the window's layer, and only the strip they uncover needs painting. A
// pending update region moves with the pixels it belongs to.
#include "window_p.h"

#include <cstring>

namespace hmigfx::win32 {
namespace {

// Moves the layer's pixels of `area` (client coordinates) by (dx, dy); the
// caller has made sure every source pixel lies in the client area.
void movePixels(Window* w, const PixRegion& area, int dx, int dy) {
    const Surface s = w->layer->surface();
    int n = 0;
    const pixman_box32_t* boxes = area.rects(&n);
    // Rows are visited away from the direction of travel, so that a row is
    // read before the move overwrites it.
    for (int b = 0; b < n; ++b) {
        const pixman_box32_t& box = boxes[dy > 0 ? n - 1 - b : b];
        const int width = box.x2 - box.x1;
        for (int i = 0; i < box.y2 - box.y1; ++i) {
            const int y = dy > 0 ? box.y2 - 1 - i : box.y1 + i;
            const int x = box.x1 + w->client.left;
            std::memmove(s.row32(y + w->client.top) + x, s.row32(y - dy + w->client.top) + (x - dx),
                         static_cast<size_t>(width) * 4);
        }
    }
}

}  // namespace
}  // namespace hmigfx::win32

using namespace hmigfx::win32;

extern "C" {

int WINAPI ScrollWindowEx(HWND h, int dx, int dy, const RECT* prcScroll, const RECT* prcClip, HRGN hrgnUpdate,
                          LPRECT prcUpdate, UINT flags) {
    Window* w = checkWindow(h);
    if (!w) return ERROR;
    const RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    PixRegion source(client), clip(client);
    if (prcScroll) source.intersectRect(*prcScroll);
    if (prcClip) clip.intersectRect(*prcClip);

    // What the moved pixels cover, and what they leave behind within the clip.
    PixRegion moved = source;
    moved.offset(dx, dy);
    moved.intersect(clip);
    PixRegion uncovered = source;
    uncovered.intersect(clip);
    uncovered.subtract(moved);

    if (w->layer && isVisible(w) && (dx || dy)) {
        movePixels(w, moved, dx, dy);
        // The invalid part of the source goes where its pixels went; what the
        // move covered with valid pixels is valid now.
        PixRegion carried = w->update;
        carried.intersect(source);
        carried.offset(dx, dy);
        carried.intersect(clip);
        w->update.subtract(moved);
        w->update.unite(carried);
        RECT box = clip.box();
        OffsetRect(&box, w->client.left, w->client.top);
        markDirty(w, box);
    }
    if (flags & SW_SCROLLCHILDREN) {
        for (HWND c : std::vector<HWND>(w->children)) {
            Window* cw = findWindow(c);
            RECT r;
            if (!cw || !IntersectRect(&r, &cw->rect, prcScroll ? prcScroll : &client)) continue;
            SetWindowPos(c, nullptr, cw->rect.left + dx, cw->rect.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
        if (!(w = findWindow(h))) return ERROR;
    }
    // Children keep their own pixels: only this window paints the strip.
    if (flags & SW_INVALIDATE)
        invalidate(w, &uncovered, RDW_INVALIDATE | RDW_NOCHILDREN | ((flags & SW_ERASE) ? RDW_ERASE : 0));
    if (hrgnUpdate)
        if (Region* r = lookup<Region>(hrgnUpdate)) r->rgn = uncovered;
    if (prcUpdate) *prcUpdate = uncovered.box();
    return uncovered.type();
}

BOOL WINAPI ScrollWindow(HWND h, int dx, int dy, const RECT* rc, const RECT* clip) {
    return ScrollWindowEx(h, dx, dy, rc, clip, nullptr, nullptr, SW_INVALIDATE | SW_ERASE | (rc ? 0 : SW_SCROLLCHILDREN)) !=
           ERROR;
}

}  // extern "C"
