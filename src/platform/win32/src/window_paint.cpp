// Painting windows. Every window draws into a layer of its own (its window
// rectangle's pixels); a top-level window's picture is its layer with its
// visible descendants' layers composed on top, each clipped to its parent's
// client area. So a child is never painted over by its parent, and moving or
// hiding one only recomposes. Update regions, WM_NCPAINT/WM_ERASEBKGND/
// WM_PAINT and their order follow Windows.
#include "dc_p.h"
#include "window_p.h"

#include <hmigfx_display.h>

#include <algorithm>
#include <cstring>

namespace hmigfx::win32 {
namespace {

constexpr int kMaxPresentedParts = 8;

// What a DC of a destroyed window draws on: nothing.
Bitmap* deadLayer() {
    static Bitmap* b = new Bitmap;
    return b;
}

RECT intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

bool emptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

void aim(DC* dc, Window* w) {
    dc->screen = w->layer ? w->layer.get() : deadLayer();
    if (!w->layer) {
        dc->windowView = Surface{};
    } else {
        Surface s = w->layer->surface();
        if (!dc->wholeWindow) {
            s.top = s.row(w->client.top) + static_cast<ptrdiff_t>(w->client.left) * 4;
            s.width = w->client.right - w->client.left;
            s.height = w->client.bottom - w->client.top;
            if (s.width <= 0 || s.height <= 0) s = Surface{};
        }
        dc->windowView = s;
    }
    dc->updateVisible();
}

bool clipsChildren(const Window* w, UINT flags) {
    return !((flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN)));
}

// Copies w's layer and its visible descendants' into dst, w's (0, 0) at
// (dx, dy), within clip (dst coordinates). The bottom window covers all of
// its area; the ones above it only what they painted.
void compose(const Surface& dst, int dx, int dy, Window* w, RECT clip, bool bottom) {
    clip = intersect(clip, RECT{0, 0, dst.width, dst.height});
    const RECT own = intersect(clip, RECT{dx, dy, dx + w->width(), dy + w->height()});
    if (emptyRect(own)) return;
    if (w->layer) {
        const Surface src = w->layer->surface();
        const int n = own.right - own.left;
        for (int y = own.top; y < own.bottom; ++y) {
            uint32_t* d = dst.row32(y) + own.left;
            const uint32_t* s = src.row32(y - dy) + (own.left - dx);
            if (bottom)
                for (int i = 0; i < n; ++i) d[i] = s[i] & 0x00FFFFFF;
            else
                for (int i = 0; i < n; ++i)
                    if (s[i] != kUnpainted) d[i] = s[i] & 0x00FFFFFF;
        }
    }
    const int cx = dx + w->client.left, cy = dy + w->client.top;
    const RECT inner = intersect(own, RECT{cx, cy, dx + w->client.right, dy + w->client.bottom});
    if (emptyRect(inner)) return;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        if (Window* c = findWindow(*it); c && (c->style & WS_VISIBLE))
            compose(dst, cx + c->rect.left, cy + c->rect.top, c, inner, false);
}

bool hasVisibleChild(const Window* w) {
    for (HWND h : w->children)
        if (const Window* c = findWindow(h); c && (c->style & WS_VISIBLE)) return true;
    return false;
}

Surface pictureOf(Window* top) {
    if (!top->picture || top->picture->width != top->width() || top->picture->height != top->height()) {
        top->picture = std::make_unique<Bitmap>();
        if (!top->picture->allocate(std::max(top->width(), 1), std::max(top->height(), 1), 32, true, true)) {
            top->picture.reset();
            return Surface{};
        }
        top->dirty.setRect(RECT{0, 0, top->width(), top->height()});
    }
    return top->picture->surface();
}

// WM_ERASEBKGND for the update region, as BeginPaint would send it.
void eraseNow(Window* w) {
    const HWND h = w->handle;
    w->erase = false;
    HDC hdc = windowDC(w, false);
    if (DC* dc = findDC(hdc)) {
        dc->systemClip = w->update;
        dc->updateVisible();
    }
    sendTo(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    ReleaseDC(h, hdc);
}

Window* checkPaintTarget(HWND h) {
    if (!h) return desktopWindow();
    return checkWindow(h);
}

PixRegion regionArg(Window* w, const RECT* rc, HRGN rgn) {
    if (rgn)
        if (Region* r = lookup<Region>(rgn)) return r->rgn;
    if (rc) {
        PixRegion p;
        p.setRect(*rc);
        return p;
    }
    return PixRegion(RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top});
}

}  // namespace

void markDirty(Window* w, PixRegion area) {
    Window* top = topLevelOf(w);
    if (!top || top == desktopWindow()) return;
    const POINT a = windowOrigin(w), b = windowOrigin(top);
    area.offset(a.x - b.x, a.y - b.y);
    area.intersectRect(RECT{0, 0, top->width(), top->height()});
    top->dirty.unite(area);
}

void markDirty(Window* w, const RECT& windowRect) {
    if (!emptyRect(windowRect)) markDirty(w, PixRegion(windowRect));
}

void invalidate(Window* w, const PixRegion* clientRgn, UINT flags) {
    const bool validating = (flags & RDW_VALIDATE) != 0;
    if (!validating && !isVisible(w)) return;  // hidden windows collect no update region
    const RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    PixRegion area = clientRgn ? *clientRgn : PixRegion(client);
    area.intersectRect(client);
    if (flags & RDW_INVALIDATE) {
        w->update.unite(area);
        if (flags & RDW_ERASE) w->erase = true;
        if (flags & RDW_FRAME) w->frame = true;
    }
    if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
    if (validating) {
        w->update.subtract(area);
        if (flags & RDW_NOFRAME) w->frame = false;
        if ((flags & RDW_NOERASE) || w->update.empty()) w->erase = false;
    }
    if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
    if (clipsChildren(w, flags)) return;
    for (HWND c : w->children) {
        Window* cw = findWindow(c);
        if (!cw || !(cw->style & WS_VISIBLE)) continue;
        PixRegion part = area;
        part.intersectRect(cw->rect);
        if (part.empty()) continue;
        part.offset(-(cw->rect.left + cw->client.left), -(cw->rect.top + cw->client.top));
        UINT childFlags = flags & ~RDW_FRAME;
        // The area reaches the child's frame as well as its client area.
        if ((flags & RDW_INVALIDATE) && (cw->client.left > 0 || cw->client.top > 0 || cw->client.right < cw->width() ||
                                         cw->client.bottom < cw->height()))
            childFlags |= RDW_FRAME;
        invalidate(cw, &part, childFlags);
    }
}

bool needsPaint(const Window* w) {
    return (!w->update.empty() || w->internalPaint || w->frame) && isVisible(w);
}

void updateNow(HWND h, bool children, bool eraseOnly) {
    Window* w = findWindow(h);
    if (!w || !isVisible(w)) return;
    if (needsPaint(w)) {
        if (eraseOnly) {
            if (w->frame) {
                w->frame = false;
                sendTo(h, WM_NCPAINT, 1, 0);
            }
            if ((w = findWindow(h)) && w->erase) eraseNow(w);
        } else {
            sendTo(h, WM_PAINT, 0, 0);
        }
    }
    if (!children || !(w = findWindow(h))) return;
    const std::vector<HWND> kids = w->children;
    for (HWND c : kids) updateNow(c, true, eraseOnly);
}

HDC windowDC(Window* w, bool wholeWindow) {
    const HDC hdc = newDisplayDC(w->layer ? w->layer.get() : deadLayer());
    DC* dc = findDC(hdc);
    if (!dc) return nullptr;
    dc->window = w->handle;
    dc->wholeWindow = wholeWindow;
    aim(dc, w);
    w->dcs.push_back(hdc);
    return hdc;
}

void refreshWindowDCs(Window* w) {
    auto& dcs = w->dcs;
    dcs.erase(std::remove_if(dcs.begin(), dcs.end(),
                             [w](HDC h) {
                                 DC* dc = findDC(h);
                                 if (!dc || dc->window != w->handle) return true;
                                 aim(dc, w);
                                 return false;
                             }),
              dcs.end());
}

void releasePaintResources(Window* w) {
    for (HDC h : w->dcs)
        if (DC* dc = findDC(h); dc && dc->window == w->handle) {
            dc->screen = deadLayer();
            dc->windowView = Surface{};
            dc->updateVisible();
            if (h == w->ownDC) removeObject(dc);
        }
    w->dcs.clear();
    w->ownDC = nullptr;
    w->layer.reset();
    w->picture.reset();
}

void presentPending() {
    display::Backend& b = display::backend();
    for (HWND h : desktopWindow()->children) {
        Window* top = findWindow(h);
        // Each thread presents its own windows.
        if (!top || top->dirty.empty() || top->thread != GetCurrentThreadId()) continue;
        if (b.isHeadless() || !(top->style & WS_VISIBLE)) {
            top->dirty.clear();
            continue;
        }
        Surface pic;
        if (!top->layer || hasVisibleChild(top) || caretShownIn(top)) {
            pic = pictureOf(top);
            if (!pic.valid()) continue;
            int n = 0;
            const pixman_box32_t* boxes = top->dirty.rects(&n);
            for (int i = 0; i < n; ++i)
                compose(pic, 0, 0, top, RECT{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2}, true);
            drawCaret(top, pic);
        } else {
            // Nothing lies on top of the layer: it is the picture (a display
            // ignores the top byte), which spares a full-window copy a frame.
            top->picture.reset();
            pic = top->layer->surface();
        }
        const display::Frame frame{reinterpret_cast<const uint32_t*>(pic.top), pic.width, pic.height, pic.pitch};
        const PixRegion dirty = std::move(top->dirty);
        top->dirty.clear();
        // Each part by itself (a redrawn frame then costs the client nothing),
        // or all in one box when the parts are many.
        int n = 0;
        const pixman_box32_t* boxes = dirty.rects(&n);
        if (n > kMaxPresentedParts) {
            b.present(h, frame, dirty.box());
            continue;
        }
        for (int i = 0; i < n; ++i) b.present(h, frame, RECT{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
    }
}

HDC windowGetDC(HWND h) {
    Window* w = checkWindow(h);
    if (!w) return nullptr;
    if (w->cls && (w->cls->style & CS_OWNDC)) {
        if (!findDC(w->ownDC)) w->ownDC = windowDC(w, false);
        return w->ownDC;
    }
    return windowDC(w, false);
}

int windowReleaseDC(HWND, DC* dc) {
    Window* w = findWindow(dc->window);
    if (w) {
        // What the DC could reach, not its bounding box: a frame drawn
        // around the client area leaves the client's pixels as they were.
        PixRegion reached = dc->visible;
        if (!dc->wholeWindow) reached.offset(w->client.left, w->client.top);
        markDirty(w, std::move(reached));
        if (dc->handle == w->ownDC) {
            if (dc->systemClip) {
                dc->systemClip.reset();
                dc->updateVisible();
            }
            return 1;
        }
        auto& dcs = w->dcs;
        dcs.erase(std::remove(dcs.begin(), dcs.end(), static_cast<HDC>(dc->handle)), dcs.end());
    }
    removeObject(dc);
    return 1;
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;
namespace display = hmigfx::display;

extern "C" {

HDC WINAPI GetWindowDC(HWND h) {
    if (!h) return GetDC(nullptr);  // the screen
    Window* w = checkWindow(h);
    return w ? windowDC(w, true) : nullptr;
}

HDC WINAPI BeginPaint(HWND h, LPPAINTSTRUCT ps) {
    Window* w = checkWindow(h);
    if (!w || !ps) return nullptr;
    std::memset(ps, 0, sizeof *ps);
    ps->rgbReserved[0] = HideCaret(h) ? 1 : 0;  // shown again by EndPaint
    if (w->frame) {
        w->frame = false;
        sendTo(h, WM_NCPAINT, 1, 0);
        if (!(w = findWindow(h))) return nullptr;
    }
    PixRegion area = std::move(w->update);
    w->update.clear();
    w->internalPaint = false;
    const bool erase = w->erase;
    w->erase = false;
    const HDC hdc = (w->cls && (w->cls->style & CS_OWNDC)) ? windowGetDC(h) : windowDC(w, false);
    DC* dc = findDC(hdc);
    if (!dc) return nullptr;
    dc->systemClip = area;
    dc->updateVisible();
    ps->hdc = hdc;
    ps->rcPaint = area.box();
    if (erase) ps->fErase = sendTo(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
    return hdc;
}

BOOL WINAPI EndPaint(HWND h, const PAINTSTRUCT* ps) {
    if (!ps) return FALSE;
    ReleaseDC(h, ps->hdc);
    if (ps->rgbReserved[0]) ShowCaret(h);
    return TRUE;
}

BOOL WINAPI RedrawWindow(HWND h, const RECT* rc, HRGN rgn, UINT flags) {
    Window* w = checkPaintTarget(h);
    if (!w) return FALSE;
    if (w == desktopWindow()) {
        for (HWND top : std::vector<HWND>(w->children)) RedrawWindow(top, nullptr, nullptr, flags | RDW_ALLCHILDREN);
        return TRUE;
    }
    if (flags & (RDW_INVALIDATE | RDW_VALIDATE | RDW_INTERNALPAINT | RDW_NOINTERNALPAINT)) {
        const PixRegion area = regionArg(w, rc, rgn);
        invalidate(w, &area, flags);
    }
    if (!(w = findWindow(h))) return TRUE;
    const bool children = !clipsChildren(w, flags);
    if (flags & RDW_UPDATENOW)
        updateNow(h, children);
    else if (flags & RDW_ERASENOW)
        updateNow(h, children, true);
    return TRUE;
}

BOOL WINAPI InvalidateRect(HWND h, const RECT* rc, BOOL erase) {
    if (!h) return RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ERASENOW);
    return RedrawWindow(h, rc, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL WINAPI InvalidateRgn(HWND h, HRGN rgn, BOOL erase) {
    if (!h) return RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ERASENOW);
    return RedrawWindow(h, nullptr, rgn, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL WINAPI ValidateRect(HWND h, const RECT* rc) {
    if (!h) return InvalidateRect(nullptr, nullptr, TRUE);
    return RedrawWindow(h, rc, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL WINAPI ValidateRgn(HWND h, HRGN rgn) {
    if (!h) return InvalidateRect(nullptr, nullptr, TRUE);
    return RedrawWindow(h, nullptr, rgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL WINAPI UpdateWindow(HWND h) {
    if (!checkWindow(h)) return FALSE;
    updateNow(h, true);
    presentPending();
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND h, LPRECT rc, BOOL erase) {
    Window* w = checkWindow(h);
    if (!w) return FALSE;
    const bool any = !w->update.empty();
    if (rc) *rc = w->update.box();
    if (any && erase && w->erase) eraseNow(w);
    return any;
}

int WINAPI GetUpdateRgn(HWND h, HRGN rgn, BOOL erase) {
    Window* w = checkWindow(h);
    Region* r = lookup<Region>(rgn);
    if (!w || !r) return ERROR;
    r->rgn = w->update;
    if (!w->update.empty() && erase && w->erase) eraseNow(w);
    return r->rgn.type();
}

// The window's picture after its pending paints, copied to the DC's (0, 0).
// A hidden window has no picture; its layers are copied as they are.
BOOL WINAPI PrintWindow(HWND h, HDC hdc, UINT flags) {
    Window* w = checkWindow(h);
    if (!w || !findDC(hdc)) return FALSE;
    updateNow(h, true);
    if (!(w = findWindow(h))) return FALSE;
    const bool clientOnly = (flags & PW_CLIENTONLY) != 0;
    const int width = clientOnly ? w->client.right - w->client.left : w->width();
    const int height = clientOnly ? w->client.bottom - w->client.top : w->height();
    if (width <= 0 || height <= 0) return TRUE;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HBITMAP bmp = CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    Bitmap* b = lookup<Bitmap>(bmp);
    if (!b) return FALSE;
    const int dx = clientOnly ? -w->client.left : 0, dy = clientOnly ? -w->client.top : 0;
    compose(b->surface(), dx, dy, w, RECT{0, 0, width, height}, true);
    const HDC mem = CreateCompatibleDC(hdc);
    const HGDIOBJ old = SelectObject(mem, bmp);
    const BOOL ok = BitBlt(hdc, 0, 0, width, height, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
    return ok;
}

}  // extern "C"
