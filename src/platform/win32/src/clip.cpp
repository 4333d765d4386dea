// The DC's clip region, kept in device coordinates.
#include "dc_p.h"

#include <algorithm>

using namespace hmigfx::win32;

namespace {

// The clip region as the combining calls see it: the whole surface when none is set.
PixRegion currentClip(const DC& dc) {
    if (dc.st.clip) return *dc.st.clip;
    return PixRegion(RECT{0, 0, dc.surface.width, dc.surface.height});
}

// Installs a new clip region. Like GDI, the calls that change it answer with
// the complexity of the clip region itself, not of its part on the surface.
int setClip(DC& dc, PixRegion&& r) {
    dc.st.clip = std::move(r);
    dc.updateVisible();
    return dc.st.clip->type();
}

int combineClip(HDC h, const PixRegion& rgn, int mode) {
    DC* dc = findDC(h);
    if (!dc) return ERROR;
    PixRegion c = currentClip(*dc);
    combineRegions(c, c, rgn, mode);
    return setClip(*dc, std::move(c));
}

}  // namespace

extern "C" {

int WINAPI ExtSelectClipRgn(HDC h, HRGN hrgn, int mode) {
    DC* dc = findDC(h);
    if (!dc || mode < RGN_AND || mode > RGN_COPY) return ERROR;
    Region* r = lookup<Region>(hrgn);
    if (!r) {
        // Only RGN_COPY takes "no region": it removes the clip region.
        if (hrgn || mode != RGN_COPY) return ERROR;
        dc->st.clip.reset();
        dc->updateVisible();
        return SIMPLEREGION;
    }
    if (mode == RGN_COPY) return setClip(*dc, PixRegion(r->rgn));
    return combineClip(h, r->rgn, mode);
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

// The tightest box around what can be drawn, in logical coordinates.
int WINAPI GetClipBox(HDC h, LPRECT rc) {
    DC* dc = findDC(h);
    if (!dc || !rc) return ERROR;
    RECT b = dc->visible.box();
    if (dc->visible.type() == NULLREGION && dc->st.clip) {
        // Nothing drawable: the reference answers with the overlap of the clip
        // region's box and the surface as it comes out, inverted where they
        // miss each other (a region's empty box is 0,0,0,0).
        const RECT c = dc->st.clip->box();
        b = RECT{std::max<LONG>(c.left, 0), std::max<LONG>(c.top, 0), std::min<LONG>(c.right, dc->surface.width),
                 std::min<LONG>(c.bottom, dc->surface.height)};
    }
    const int64_t dx = int64_t{dc->st.windowOrg.x} - dc->st.viewportOrg.x;
    const int64_t dy = int64_t{dc->st.windowOrg.y} - dc->st.viewportOrg.y;
    *rc = RECT{wrap32(b.left + dx), wrap32(b.top + dy), wrap32(b.right + dx), wrap32(b.bottom + dy)};
    return dc->visible.type();
}

int WINAPI IntersectClipRect(HDC h, int left, int top, int right, int bottom) {
    DC* dc = findDC(h);
    if (!dc) return ERROR;
    PixRegion rc(dc->toDevice(RECT{left, top, right, bottom}));
    // Without a clip region the rectangle becomes it as it stands, even where
    // it reaches past the surface (a bitmap selected later may be larger).
    if (!dc->st.clip) return setClip(*dc, std::move(rc));
    return combineClip(h, rc, RGN_AND);
}

int WINAPI ExcludeClipRect(HDC h, int left, int top, int right, int bottom) {
    DC* dc = findDC(h);
    if (!dc) return ERROR;
    return combineClip(h, PixRegion(dc->toDevice(RECT{left, top, right, bottom})), RGN_DIFF);
}

int WINAPI OffsetClipRgn(HDC h, int x, int y) {
    DC* dc = findDC(h);
    if (!dc) return ERROR;
    if (!dc->st.clip) return NULLREGION;  // nothing to move
    dc->st.clip->offset(x, y);
    dc->updateVisible();
    return dc->st.clip->type();
}

BOOL WINAPI PtVisible(HDC h, int x, int y) {
    DC* dc = findDC(h);
    return dc && dc->visible.contains(dc->devX(x), dc->devY(y));
}

BOOL WINAPI RectVisible(HDC h, const RECT* rc) {
    DC* dc = findDC(h);
    if (!dc || !rc) return FALSE;
    const RECT d = dc->toDevice(*rc);
    if (d.left == d.right || d.top == d.bottom) return FALSE;
    return rectMeetsRegion(dc->visible, d);
}

}  // extern "C"
