// Painting a picture on a device context, shared by the display and effects
// libraries.
#pragma once

#include <imagesdk/records.h>

#include <vector>

namespace imagesdk::detail {

// The rectangles of a paint call with their defaults filled in: src the whole
// picture, dst the source's size at the origin, clips the rectangles themselves.
struct PaintRects {
    RECT src, dst;
    RECT clip;  // where the paint may reach, in the DC's logical coordinates
    bool empty = false;
};
PaintRects paintRects(const struct_LEAD_Bitmap& b, const RECT* src, const RECT* clipSrc, const RECT* dst,
                      const RECT* clipDst);

// Paints rows [firstRow, firstRow + rows) of the picture (shown from the top;
// bits holds just those rows, top row first, in the picture's layout) through
// StretchDIBits within r.clip and, when given, within the logical rectangles
// `only`.
int paintRows(HDC dc, const struct_LEAD_Bitmap& b, const unsigned char* bits, int firstRow, int rows,
              const PaintRects& r, DWORD rop, const std::vector<RECT>* only = nullptr);

// The whole picture, as paintRows over its own rows.
int paintPicture(HDC dc, const struct_LEAD_Bitmap& b, const PaintRects& r, DWORD rop,
                 const std::vector<RECT>* only = nullptr);

bool isDC(HDC dc);

}  // namespace imagesdk::detail
