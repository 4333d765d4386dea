// The DC's clip region, kept in device coordinates.
#include "dc_p.h"

using namespace hmigfx::win32;

namespace {

// The clip region as the combining calls see it: the whole surface when none is set.
PixRegion currentClip(const DC& dc) {
    if (dc.st.clip) return *dc.st.clip;
    return PixRegion(RECT{0, 0, dc.surface.width, dc.surface.height});
}

int setClip(DC& dc, PixRegion&& r) {
    dc.st.clip = std::move(r);
    dc.updateVisible();
    return dc.visible.type();
}

}  // namespace

extern "C" {

int WINAPI ExtSelectClipRgn(HDC h, HRGN hrgn, int mode) {
    DC* dc = findDC(h);
    if (!dc || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    Region* r = lookup<Region>(hrgn);
    if (!r) {
        if (hrgn || mode != RGN_COPY) return ERROR;
        dc->st.clip.reset();
        dc->updateVisible();
        return dc->visible.type();
    }
    if (mode == RGN_COPY) return setClip(*dc, PixRegion(r->rgn));
    PixRegion c = currentClip(*dc);
    switch (mode) {
    case RGN_AND: c.intersect(r->rgn); break;
    case RGN_OR: c.unite(r->rgn); break;
    case RGN_XOR: c.exclusiveOr(r->rgn); break;
    case RGN_DIFF: c.subtract(r->rgn); break;
    }
    return setClip(*dc, std::move(c));
}

int WINAPI SelectClipRgn(HDC h, HRGN hrgn) { return ExtSelectClipRgn(h, hrgn, RGN_COPY); }

int WINAPI GetClipRgn(HDC h, HRGN hrgn) {
    DC* dc = findDC(h);
    Region* r = lookup<Region>(hrgn);
    if (!dc || !r) return -1;
    if (!dc->st.clip) return 0;
    r->rgn = *dc->st.clip;
    return 1;
}

int WINAPI GetClipBox(HDC h, LPRECT rc) {
    DC* dc = findDC(h);
    if (!dc || !rc) return ERROR;
    RECT b = dc->visible.box();
    const int dx = dc->st.windowOrg.x - dc->st.viewportOrg.x, dy = dc->st.windowOrg.y - dc->st.viewportOrg.y;
    *rc = RECT{b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
    return dc->visible.type();
}

int WINAPI IntersectClipRect(HDC h, int left, int top, int right, int bottom) {
    DC* dc = findDC(h);
    if (!dc) return ERROR;
    PixRegion c = currentClip(*dc);
    c.intersect(PixRegion(dc->toDevice(RECT{left, top, right, bottom})));
    return setClip(*dc, std::move(c));
}

int WINAPI ExcludeClipRect(HDC h, int left, int top, int right, int bottom) {
    DC* dc = findDC(h);
    if (!dc) return ERROR;
    PixRegion c = currentClip(*dc);
    c.subtract(PixRegion(dc->toDevice(RECT{left, top, right, bottom})));
    return setClip(*dc, std::move(c));
}

int WINAPI OffsetClipRgn(HDC h, int x, int y) {
    DC* dc = findDC(h);
    if (!dc) return ERROR;
    if (dc->st.clip) {
        dc->st.clip->offset(x, y);
        dc->updateVisible();
    }
    return dc->visible.type();
}

BOOL WINAPI PtVisible(HDC h, int x, int y) {
    DC* dc = findDC(h);
    return dc && dc->visible.contains(dc->devX(x), dc->devY(y));
}

BOOL WINAPI RectVisible(HDC h, const RECT* rc) {
    DC* dc = findDC(h);
    if (!dc || !rc) return FALSE;
    PixRegion probe(dc->toDevice(*rc));
    probe.intersect(dc->visible);
    return !probe.empty();
}

}  // extern "C"
