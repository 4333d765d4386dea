// Regions: banded half-open rectangles in pixman's region engine.
#pragma once

#include "handle_table_p.h"

#include <pixman.h>

namespace hmigfx::win32 {

// Value type over pixman_region32_t (copyable, movable).
class PixRegion {
public:
    PixRegion() { pixman_region32_init(&r_); }
    explicit PixRegion(const RECT& rc);
    PixRegion(const PixRegion& o) {
        pixman_region32_init(&r_);
        pixman_region32_copy(&r_, &o.r_);
    }
    PixRegion(PixRegion&& o) noexcept : PixRegion() { swap(o); }
    PixRegion& operator=(PixRegion o) noexcept {
        swap(o);
        return *this;
    }
    ~PixRegion() { pixman_region32_fini(&r_); }

    void swap(PixRegion& o) noexcept;
    pixman_region32_t* get() { return &r_; }
    const pixman_region32_t* get() const { return &r_; }

    bool empty() const { return !pixman_region32_not_empty(const_cast<pixman_region32_t*>(&r_)); }
    int rectCount() const { return pixman_region32_n_rects(const_cast<pixman_region32_t*>(&r_)); }
    const pixman_box32_t* rects(int* n) const { return pixman_region32_rectangles(const_cast<pixman_region32_t*>(&r_), n); }
    RECT box() const;  // {0,0,0,0} when empty
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int type() const;

    void setRect(const RECT& rc);  // normalised; an empty rectangle gives the empty region
    // Takes y-x banded boxes as they are, without merging equal neighbouring
    // rows (GDI's shaped regions keep one rectangle per row). Boxes must be
    // non-empty, sorted by row and not overlapping; false when out of memory.
    bool setBoxes(const pixman_box32_t* boxes, int n);
    // The same, with the boxes written straight into the region's storage:
    // fill(boxes) writes at most `capacity` of them and returns how many.
    template <class Fill>
    bool fillBoxes(int capacity, Fill&& fill) {
        pixman_region32_data_t* data = allocBoxes(capacity);
        if (!data) return false;
        adoptBoxes(data, fill(reinterpret_cast<pixman_box32_t*>(data + 1)));
        return true;
    }
    // Merges vertically adjacent bands with the same spans, the form every
    // combining operation leaves behind.
    void coalesce();
    void clear() { pixman_region32_clear(&r_); }
    void offset(int dx, int dy) { pixman_region32_translate(&r_, dx, dy); }
    void intersect(const PixRegion& o) { pixman_region32_intersect(&r_, &r_, &o.r_); }
    void intersectRect(const RECT& rc);
    void unite(const PixRegion& o) { pixman_region32_union(&r_, &r_, &o.r_); }
    void subtract(const PixRegion& o) { pixman_region32_subtract(&r_, &r_, &o.r_); }
    void exclusiveOr(const PixRegion& o);  // as GDI builds it: (a - b) | (b - a)
    bool contains(int x, int y) const {
        return pixman_region32_contains_point(const_cast<pixman_region32_t*>(&r_), x, y, nullptr);
    }
    bool equals(const PixRegion& o) const {
        return pixman_region32_equal(const_cast<pixman_region32_t*>(&r_), const_cast<pixman_region32_t*>(&o.r_));
    }

private:
    static pixman_region32_data_t* allocBoxes(int capacity);
    void adoptBoxes(pixman_region32_data_t* data, int n);  // takes ownership

    pixman_region32_t r_;
};

// dst = a MODE b (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF; RGN_COPY copies a) with
// the rectangle lists GDI's region engine produces; dst may alias a or b.
void combineRegions(PixRegion& dst, const PixRegion& a, const PixRegion& b, int mode);

// Whether the rectangle, normalised, meets the region: GDI counts a
// rectangle of zero width or height lying inside the region as meeting it.
bool rectMeetsRegion(const PixRegion& r, const RECT& rc);

struct Region : GdiObject {
    using Handle = HRGN;
    static bool accepts(Kind k) { return k == Kind::Region; }
    Region() : GdiObject(Kind::Region) {}
    PixRegion rgn;
};

}  // namespace hmigfx::win32
