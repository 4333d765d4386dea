// Pictures inside bitmap records: allocating, releasing, handing over, and
// reading DIBs into them.
#pragma once

#include <imagesdk/records.h>
#include <imagesdk/results.h>

#include <cstddef>
#include <cstdint>

namespace imagesdk::detail {

inline bool supportedDepth(int bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

// Bytes of one stored row, padded to 32 bits.
inline uint64_t rowBytes(int width, int bpp) { return (uint64_t(width) * uint64_t(bpp) + 31) / 32 * 4; }

inline bool allocated(const struct_LEAD_Bitmap* b) { return b && (b->Flags & BITMAPFLAG_ALLOCATED) && b->pBits; }

// The fixed tables: black and white, the 16 VGA colours, 3-3-2 levels.
extern const RGBQUAD kVgaColors[16];
void fillFixedTable(RGBQUAD* table, int bpp);
// The grey ramp of 2, 16 or 256 levels.
void fillGrayTable(RGBQUAD* table, int bpp);

// The description of a record without a picture: the state Init leaves.
void describe(struct_LEAD_Bitmap& b, int width, int height, int bpp);

// Allocates a zeroed bottom-up picture of width x height at bpp into a fresh
// record `out` (which must not own a picture). Pictures of up to 8 bits get
// nColors table entries (1 << bpp when 0). order is the record's Order.
// Without `zeroed` only the table and the rows' padding are cleared, for a
// caller that writes every pixel.
int createPicture(struct_LEAD_Bitmap& out, int width, int height, int bpp, uint32_t order, int nColors = 0,
                  bool zeroed = true);

// A fresh picture of width x height with the depth, order, colour table,
// view perspective and resolution of `like`.
int createLike(const struct_LEAD_Bitmap& like, int width, int height, struct_LEAD_Bitmap& out, bool zeroed = true);

// A fresh picture of like's size, view perspective and resolution at bpp and
// order, with the grey table (ORDER_GRAY) or the fixed one.
int createDerived(const struct_LEAD_Bitmap& like, int bpp, uint32_t order, struct_LEAD_Bitmap& out);

// Says which way the stored rows are shown (TOP_LEFT or BOTTOM_LEFT) without
// moving them.
void setViewPerspective(struct_LEAD_Bitmap& b, uint32_t perspective);

// Releases the record's picture, if any; the description stays.
void releasePicture(struct_LEAD_Bitmap& b);

// A scratch picture that frees itself.
struct ScratchPicture {
    struct_LEAD_Bitmap pic{};
    ScratchPicture() { describe(pic, 1, 1, 1); }
    ~ScratchPicture() { releasePicture(pic); }
    ScratchPicture(const ScratchPicture&) = delete;
    ScratchPicture& operator=(const ScratchPicture&) = delete;
};

// Gives `target` the picture of `fresh`, releasing the one it had. fresh is
// left without a picture.
void replacePicture(struct_LEAD_Bitmap& target, struct_LEAD_Bitmap& fresh);

// Takes the picture out of the record as a packed DIB in movable global memory
// (bottom-up, BGR), which the caller owns. The record is left without one.
HGLOBAL detachAsDib(struct_LEAD_Bitmap& b);

// A copy of the picture as a packed DIB (bottom-up, BGR); null on failure.
HGLOBAL copyAsDib(const struct_LEAD_Bitmap& b);

// Row y of the picture counted from the top.
unsigned char* rowFromTop(const struct_LEAD_Bitmap& b, int y);

// Reads a DIB into a fresh record. header is a BITMAPINFOHEADER (or a larger
// one, or a BITMAPCOREHEADER) with its colour table; bits null means the rows
// follow the colour table (a packed DIB). available is the number of bytes
// readable from header on (for a packed DIB), or 0 when unknown.
int pictureFromDib(struct_LEAD_Bitmap& out, const void* header, const void* bits, size_t available);

// Packs the picture's header and colour table into a BITMAPINFO for GDI calls
// (storage holds at least sizeof(BITMAPINFOHEADER) + 256 RGBQUADs).
void fillBitmapInfo(const struct_LEAD_Bitmap& b, void* storage);

}  // namespace imagesdk::detail
