// The page journal of a printer DC: recording drawing calls with what they
// read, and replaying them into the page's bands for the page writer.
#include "dib_format_p.h"
#include "printer_p.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace hmigfx::win32 {

// The DC state a recorded call ran under; consecutive calls under the same
// state share one. The clip region is shared too while it does not change.
struct JournalState {
    DCState st;  // without its clip region, its objects held
    std::shared_ptr<const PixRegion> clip;

    explicit JournalState(const DCState& s) : st(s) {
        st.clip.reset();
        for (HGDIOBJ h : handles()) holdObject(findObject(h));
    }
    ~JournalState() {
        for (HGDIOBJ h : handles()) releaseObject(findObject(h));
    }
    JournalState(const JournalState&) = delete;
    JournalState& operator=(const JournalState&) = delete;

    std::array<HGDIOBJ, 5> handles() const { return {st.pen, st.brush, st.font, st.palette, st.bitmap}; }
};

namespace {

// Every member of DCState but the clip region; a member added to DCState
// must be compared here, or calls would replay under a stale state.
static_assert(sizeof(void*) != 8 || sizeof(DCState) == 152, "compare the new DCState member in sameState");
bool samePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }
bool sameState(const DCState& a, const DCState& b) {
    return samePoint(a.viewportOrg, b.viewportOrg) && samePoint(a.windowOrg, b.windowOrg) &&
           samePoint(a.brushOrg, b.brushOrg) && samePoint(a.curPos, b.curPos) && a.bkColor == b.bkColor &&
           a.textColor == b.textColor && a.dcBrushColor == b.dcBrushColor && a.dcPenColor == b.dcPenColor &&
           a.bkMode == b.bkMode && a.rop2 == b.rop2 && a.polyFillMode == b.polyFillMode &&
           a.stretchMode == b.stretchMode && a.mapMode == b.mapMode && a.arcDirection == b.arcDirection &&
           a.graphicsMode == b.graphicsMode && a.textAlign == b.textAlign && a.pen == b.pen && a.brush == b.brush &&
           a.font == b.font && a.bitmap == b.bitmap && a.palette == b.palette;
}

std::shared_ptr<const JournalState> snapshot(const DC& dc, const std::shared_ptr<const JournalState>& last) {
    const std::optional<PixRegion>& clip = dc.st.clip;
    const bool sameClip = last && (clip ? last->clip && last->clip->equals(*clip) : !last->clip);
    if (sameClip && sameState(last->st, dc.st)) return last;
    auto s = std::make_shared<JournalState>(dc.st);
    if (sameClip)
        s->clip = last->clip;
    else if (clip)
        s->clip = std::make_shared<const PixRegion>(*clip);
    return s;
}

size_t g_bandBytes = 0;
constexpr size_t kDefaultBandBytes = size_t(32) << 20;

}  // namespace

void setPrinterBandBytes(size_t bytes) { g_bandBytes = bytes; }

DC* PageRecord::printerDC(HDC h) {
    DC* dc = findDC(h);
    return dc && dc->printer ? dc : nullptr;
}

bool PageRecord::recording(const DC& dc) {
    return dc.printer->depth == 0 && dc.printer->phase == PrinterDC::Phase::Page;
}

void PageRecord::enter(std::function<void(HDC)> replay) {
    PrinterDC& p = *dc_->printer;
    if (replay) {
        auto last = p.journal.empty() ? nullptr : p.journal.back().state;
        p.journal.push_back({snapshot(*dc_, last), std::move(replay)});
    }
    if (p.depth++ == 0) {
        p.savedVisible = std::move(dc_->visible);
        dc_->visible = PixRegion();
    }
}

void PageRecord::leave() {
    PrinterDC& p = *dc_->printer;
    if (--p.depth == 0) dc_->visible = std::move(p.savedVisible);
}

// ---------------------------------------------------------------------------
// Copies of the inputs

std::vector<POINT> keepPoints(const POINT* pts, long long n) { return keepArray(pts, n); }

KeptText keepText(LPCWSTR s, long long n) {
    KeptText t;
    if (!s) return t;
    t.null = false;
    t.text = n < 0 ? std::wstring(s) : std::wstring(s, static_cast<size_t>(n));
    return t;
}

KeptRect keepRect(const RECT* rc) {
    KeptRect k;
    if (rc) k.null = false, k.rc = *rc;
    return k;
}

KeptObject holdBrush(HBRUSH brush) {
    GdiObject* o = findObject(brush);
    if (!o) return KeptObject(static_cast<void*>(brush), [](void*) {});  // a system colour index, or no brush
    holdObject(o);
    return KeptObject(static_cast<void*>(brush), [](void* h) { releaseObject(findObject(h)); });
}

namespace {

KeptObject own(HGDIOBJ h) {
    if (!h) return nullptr;
    return KeptObject(static_cast<void*>(h), [](void* p) { DeleteObject(static_cast<HGDIOBJ>(p)); });
}

HBITMAP cloneBitmap(const Bitmap& b) {
    auto c = std::make_unique<Bitmap>();
    if (!c->allocate(b.width, b.height, b.bpp, b.dib, b.topDown) || c->byteSize != b.byteSize) return nullptr;
    std::memcpy(c->bits, b.bits, b.byteSize);
    c->colors = b.colors;
    c->header = b.header;
    std::memcpy(c->bitfields, b.bitfields, sizeof c->bitfields);
    return addTyped(std::move(c));
}

}  // namespace

KeptObject copyRegion(HRGN rgn) {
    Region* r = lookup<Region>(rgn);
    if (!r) return nullptr;
    auto c = std::make_unique<Region>();
    c->rgn = r->rgn;
    return own(addTyped(std::move(c)));
}

KeptObject copyBitmap(HBITMAP bmp) {
    Bitmap* b = lookup<Bitmap>(bmp);
    return b ? own(cloneBitmap(*b)) : nullptr;
}

KeptObject copySourceDC(HDC src) {
    DC* s = findDC(src);
    if (!s || s->printer) return nullptr;
    const Bitmap* b = s->bitmap();
    HBITMAP copy = b && b->bits ? cloneBitmap(*b) : nullptr;
    if (!copy) return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc || !SelectObject(dc, copy)) {
        DeleteDC(dc);
        DeleteObject(copy);
        return nullptr;
    }
    DC* d = findDC(dc);
    // What a blit reads from its source DC: the mapping and the colours.
    d->st.viewportOrg = s->st.viewportOrg;
    d->st.windowOrg = s->st.windowOrg;
    d->st.bkColor = s->st.bkColor;
    d->st.textColor = s->st.textColor;
    return KeptObject(static_cast<void*>(dc), [copy](void* h) {
        DeleteDC(static_cast<HDC>(h));
        DeleteObject(copy);
    });
}

KeptDib keepDib(HDC h, const BITMAPINFO* info, UINT usage, const void* bits, long long maxRows) {
    KeptDib k;
    DibFormat f;
    if (!info || !bits || !readDibFormat(info, SIZE_MAX, usage, findDC(h), f)) return k;
    const auto* head = reinterpret_cast<const uint8_t*>(info);
    k.header.assign(head, head + f.headerSize);
    const size_t rows = static_cast<size_t>(maxRows < 0 ? f.height : std::clamp<long long>(maxRows, 0, f.height));
    const size_t size = f.rle() ? f.compressedSize : f.stride * rows;
    const auto* b = static_cast<const uint8_t*>(bits);
    k.bits.assign(b, b + size);
    return k;
}

// ---------------------------------------------------------------------------
// Replaying a page

bool replayPage(PrinterDC& p, HDC printer, HDC band) {
    DC* dc = findDC(band);
    if (!dc || !p.writer) return false;
    const PrinterDevice& dev = p.device;
    const int bpp = dev.mono ? 1 : 32;
    const size_t pitch = dibStride(dev.width, bpp);
    const size_t budget = g_bandBytes ? g_bandBytes : kDefaultBandBytes;
    const int rows = static_cast<int>(std::clamp<size_t>(budget / pitch, 1, static_cast<size_t>(dev.height)));
    std::vector<uint8_t> store;
    try {
        store.resize(pitch * static_cast<size_t>(rows));
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!p.writer->beginPage()) return false;
    for (int y0 = 0; y0 < dev.height; y0 += rows) {
        const int y1 = std::min(dev.height, y0 + rows);
        // Paper white: 0x00FFFFFF, or index 1 of black and white.
        if (dev.mono)
            std::fill(store.begin(), store.end(), uint8_t{0xFF});
        else
            std::fill_n(reinterpret_cast<uint32_t*>(store.data()), store.size() / 4, 0x00FFFFFFu);
        Surface view;
        view.width = dev.width;
        view.height = dev.height;
        view.bpp = bpp;
        view.pitch = static_cast<ptrdiff_t>(pitch);
        // Row y of the page is at top + y * pitch; only rows [y0, y1) exist.
        view.top = store.data() - static_cast<ptrdiff_t>(pitch) * y0;
        if (dev.mono) view.palette = kMonoPalette, view.paletteSize = 2;
        const RECT bandRect{0, y0, dev.width, y1};
        const JournalState* current = nullptr;
        for (const JournalEntry& e : p.journal) {
            if (e.state.get() != current) {
                current = e.state.get();
                DCState s = current->st;
                for (HGDIOBJ h : current->handles()) holdObject(findObject(h));
                if (current->clip) s.clip = *current->clip;
                dc->replaceState(std::move(s));
                dc->surface = view;
                dc->visible.setRect(bandRect);
                if (dc->st.clip) dc->visible.intersect(*dc->st.clip);
                dc->invalidatePaints();
            }
            e.replay(band);
        }
        if (!p.writer->writeRows(view, y0, y1)) return false;
        if (p.abortProc && !p.abortProc(printer, 0)) return false;
    }
    return p.writer->endPage();
}

}  // namespace hmigfx::win32
