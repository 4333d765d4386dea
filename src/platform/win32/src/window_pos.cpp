// Window geometry: the non-client frame, position, size, z-order and
// visibility, and the mapping between screen, window and client coordinates.
#include "window_p.h"

#include <hmigfx_display.h>

#include <algorithm>
#include <cstring>

namespace hmigfx::win32 {
namespace {

// Undocumented WINDOWPOS flags Windows adds to WM_WINDOWPOSCHANGED, which
// DefWindowProc reads to decide on WM_MOVE and WM_SIZE.
constexpr UINT kNoClientSize = 0x0800;
constexpr UINT kNoClientMove = 0x1000;

void offsetRect(RECT& r, int dx, int dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

void reorder(Window* w, HWND after) {
    Window* p = findWindow(w->parent);
    if (!p) return;
    auto& sib = p->children;
    sib.erase(std::remove(sib.begin(), sib.end(), w->handle), sib.end());
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
        sib.insert(sib.begin(), w->handle);
    } else if (after == HWND_BOTTOM) {
        sib.push_back(w->handle);
    } else {
        auto it = std::find(sib.begin(), sib.end(), after);
        sib.insert(it == sib.end() ? sib.begin() : it + 1, w->handle);
    }
}

void notifyDisplay(Window* w, bool shown, bool hidden, bool changed) {
    if (w->parent != desktopWindow()->handle || w->isChild()) return;
    const RECT r = w->rect;
    if (shown)
        display::backend().windowShown(w->handle, r, w->text.c_str());
    else if (hidden)
        display::backend().windowHidden(w->handle);
    else if (changed && (w->style & WS_VISIBLE))
        display::backend().windowChanged(w->handle, r, w->text.c_str());
}

// The part of the parent's picture a window covers changed.
void markCovered(Window* w, const RECT& rectInParent) {
    Window* p = findWindow(w->parent);
    if (!p || p == desktopWindow()) {
        RECT own{0, 0, rectInParent.right - rectInParent.left, rectInParent.bottom - rectInParent.top};
        markDirty(w, own);
        return;
    }
    RECT r = rectInParent;
    offsetRect(r, p->client.left, p->client.top);
    markDirty(p, r);
}

}  // namespace

POINT windowOrigin(const Window* w) {
    Window* p = findWindow(w->parent);
    if (!p || !p->parent) return POINT{w->rect.left, w->rect.top};
    const POINT o = clientOrigin(p);
    return POINT{o.x + w->rect.left, o.y + w->rect.top};
}

POINT clientOrigin(const Window* w) {
    const POINT o = windowOrigin(w);
    return POINT{o.x + w->client.left, o.y + w->client.top};
}

RECT nonClientInsets(DWORD style, DWORD exStyle) {
    int frame = 0;
    if (style & WS_THICKFRAME)
        frame = GetSystemMetrics(SM_CXFRAME);
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        frame = GetSystemMetrics(SM_CXDLGFRAME);
    else if (style & WS_BORDER)
        frame = GetSystemMetrics(SM_CXBORDER);
    RECT r{frame, frame, frame, frame};
    if ((style & WS_CAPTION) == WS_CAPTION)
        r.top += GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    int edge = 0;
    if (exStyle & WS_EX_CLIENTEDGE) edge += GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE) edge += GetSystemMetrics(SM_CXBORDER);
    r.left += edge;
    r.top += edge;
    r.right += edge;
    r.bottom += edge;
    return r;
}

Window* recalcClient(Window* w, bool sizing) {
    const HWND h = w->handle;
    RECT c = w->rect;  // parent coordinates
    if (sizing) {
        WINDOWPOS wp{h, nullptr, w->rect.left, w->rect.top, w->width(), w->height(), 0};
        NCCALCSIZE_PARAMS p{};
        p.rgrc[0] = w->rect;
        p.rgrc[1] = w->rect;
        p.rgrc[2] = w->client;
        offsetRect(p.rgrc[2], w->rect.left, w->rect.top);
        p.lppos = &wp;
        sendTo(h, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
        c = p.rgrc[0];
    } else {
        sendTo(h, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&c));
    }
    if (!(w = findWindow(h))) return nullptr;
    offsetRect(c, -w->rect.left, -w->rect.top);
    c.left = std::clamp<LONG>(c.left, 0, w->width());
    c.top = std::clamp<LONG>(c.top, 0, w->height());
    c.right = std::clamp<LONG>(c.right, c.left, w->width());
    c.bottom = std::clamp<LONG>(c.bottom, c.top, w->height());
    w->client = c;
    return w;
}

void resizeLayer(Window* w) {
    const int width = w->width(), height = w->height();
    if (w->layer && w->layer->width == width && w->layer->height == height) return;
    std::unique_ptr<Bitmap> fresh;
    if (width > 0 && height > 0) {
        fresh = std::make_unique<Bitmap>();
        if (!fresh->allocate(width, height, 32, true, true))
            fresh.reset();
        else
            std::fill_n(reinterpret_cast<uint32_t*>(fresh->bits), fresh->byteSize / 4, kUnpainted);
    }
    if (fresh && w->layer) {
        const int cw = std::min(width, w->layer->width), ch = std::min(height, w->layer->height);
        for (int y = 0; y < ch; ++y)
            std::memcpy(fresh->bits + static_cast<size_t>(y) * fresh->stride,
                        w->layer->bits + static_cast<size_t>(y) * w->layer->stride, static_cast<size_t>(cw) * 4);
    }
    w->layer = std::move(fresh);
    refreshWindowDCs(w);
}

}  // namespace hmigfx::win32

using namespace hmigfx::win32;
namespace display = hmigfx::display;

extern "C" {

BOOL WINAPI SetWindowPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
    Window* w = checkWindow(h);
    if (!w) return FALSE;
    if (w == desktopWindow()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    WINDOWPOS wp{h, after, x, y, std::max(cx, 0), std::max(cy, 0), flags};
    if (flags & SWP_NOMOVE) {
        wp.x = w->rect.left;
        wp.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        wp.cx = w->width();
        wp.cy = w->height();
    }
    if (wp.x == w->rect.left && wp.y == w->rect.top) wp.flags |= SWP_NOMOVE;
    if (wp.cx == w->width() && wp.cy == w->height()) wp.flags |= SWP_NOSIZE;
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    if (wasVisible) wp.flags &= ~SWP_SHOWWINDOW;
    if (!wasVisible) wp.flags &= ~SWP_HIDEWINDOW;
    if (!(wp.flags & SWP_NOSENDCHANGING)) {
        sendTo(h, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        if (!(w = findWindow(h))) return FALSE;
    }
    const RECT oldRect = w->rect, oldClient = w->client;
    const RECT newRect{wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0)};
    const bool sized = newRect.right - newRect.left != w->width() || newRect.bottom - newRect.top != w->height();
    const bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    w->rect = newRect;
    if ((sized || (wp.flags & SWP_FRAMECHANGED)) && !(w = recalcClient(w, true))) return FALSE;
    if (!(wp.flags & SWP_NOZORDER)) reorder(w, wp.hwndInsertAfter);
    const bool show = (wp.flags & SWP_SHOWWINDOW) != 0, hide = (wp.flags & SWP_HIDEWINDOW) != 0;
    if (show) w->style |= WS_VISIBLE;
    if (hide) w->style &= ~WS_VISIBLE;
    resizeLayer(w);

    // What needs painting: a window that appears, all of it; one that grows,
    // what is new, or all of it when its class redraws on size changes.
    if (show) {
        invalidate(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else if (!(wp.flags & SWP_NOREDRAW) && (sized || (wp.flags & SWP_FRAMECHANGED))) {
        const int ow = oldClient.right - oldClient.left, oh = oldClient.bottom - oldClient.top;
        const int nw = w->client.right - w->client.left, nh = w->client.bottom - w->client.top;
        const UINT cs = w->cls ? w->cls->style : 0;
        if (((cs & CS_HREDRAW) && nw != ow) || ((cs & CS_VREDRAW) && nh != oh) || (wp.flags & SWP_FRAMECHANGED)) {
            invalidate(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        } else {
            PixRegion fresh(RECT{0, 0, nw, nh});
            fresh.subtract(PixRegion(RECT{0, 0, ow, oh}));
            invalidate(w, &fresh, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_NOCHILDREN);
        }
    }
    if (show || hide || moved || sized || !(wp.flags & SWP_NOZORDER)) {
        markCovered(w, oldRect);
        markCovered(w, w->rect);
    }

    const POINT oldOrigin{oldRect.left + oldClient.left, oldRect.top + oldClient.top};
    const POINT newOrigin{w->rect.left + w->client.left, w->rect.top + w->client.top};
    if (oldOrigin.x == newOrigin.x && oldOrigin.y == newOrigin.y) wp.flags |= kNoClientMove;
    if (oldClient.right - oldClient.left == w->client.right - w->client.left &&
        oldClient.bottom - oldClient.top == w->client.bottom - w->client.top)
        wp.flags |= kNoClientSize;
    notifyDisplay(w, show, hide, moved || sized);
    sendTo(h, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = findWindow(h))) return TRUE;

    const bool topLevel = !w->isChild();
    if (topLevel && show && !(wp.flags & SWP_NOACTIVATE)) changeActive(h, false);
    if (topLevel && hide && inputState().active == h) changeActive(w->owner, false);
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND h, int x, int y, int cx, int cy, BOOL repaint) {
    return SetWindowPos(h, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI BringWindowToTop(HWND h) { return SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL WINAPI ShowWindow(HWND h, int cmd) {
    Window* w = checkWindow(h);
    if (!w) return FALSE;
    const bool was = (w->style & WS_VISIBLE) != 0;
    const bool show = cmd != SW_HIDE;
    if (show == was) return was;
    sendTo(h, WM_SHOWWINDOW, show, 0);
    if (!(w = findWindow(h))) return was;
    UINT flags = SWP_NOSIZE | SWP_NOMOVE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (w->isChild() || !show || cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE || cmd == SW_SHOWMINNOACTIVE)
        flags |= SWP_NOACTIVATE | SWP_NOZORDER;
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, flags);
    return was;
}

BOOL WINAPI IsWindowVisible(HWND h) {
    Window* w = findWindow(h);
    return w && isVisible(w);
}

BOOL WINAPI GetWindowRect(HWND h, LPRECT rc) {
    Window* w = checkWindow(h);
    if (!w || !rc) return FALSE;
    const POINT o = windowOrigin(w);
    *rc = RECT{o.x, o.y, o.x + w->width(), o.y + w->height()};
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND h, LPRECT rc) {
    Window* w = checkWindow(h);
    if (!w || !rc) return FALSE;
    *rc = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rc, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rc) return FALSE;
    const RECT in = nonClientInsets(style, exStyle);
    rc->left -= in.left;
    rc->top -= in.top + (menu ? GetSystemMetrics(SM_CYMENU) : 0);
    rc->right += in.right;
    rc->bottom += in.bottom;
    return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT rc, DWORD style, BOOL menu) { return AdjustWindowRectEx(rc, style, menu, 0); }

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT n) {
    POINT a{0, 0}, b{0, 0};
    if (from) {
        Window* w = checkWindow(from);
        if (!w) return 0;
        a = clientOrigin(w);
    }
    if (to) {
        Window* w = checkWindow(to);
        if (!w) return 0;
        b = clientOrigin(w);
    }
    const int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; pts && i < n; ++i) {
        pts[i].x += dx;
        pts[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL WINAPI ClientToScreen(HWND h, LPPOINT pt) {
    Window* w = checkWindow(h);
    if (!w || !pt) return FALSE;
    const POINT o = clientOrigin(w);
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND h, LPPOINT pt) {
    Window* w = checkWindow(h);
    if (!w || !pt) return FALSE;
    const POINT o = clientOrigin(w);
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

HWND WINAPI WindowFromPoint(POINT pt) {
    int hit = 0;
    return hitTest(pt, &hit);
}

HWND WINAPI ChildWindowFromPoint(HWND parent, POINT pt) {
    Window* p = checkWindow(parent);
    if (!p) return nullptr;
    const RECT c{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
    if (!PtInRect(&c, pt)) return nullptr;
    for (HWND ch : p->children)
        if (Window* cw = findWindow(ch); cw && PtInRect(&cw->rect, pt)) return ch;
    return parent;
}

}  // extern "C"
