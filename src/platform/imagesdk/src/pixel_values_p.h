// Single pixels of a picture, whatever its depth: stored values, their
// colours, and the nearest entry of a colour table.
#pragma once

#include "picture_p.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace imagesdk::detail {

// 24 or 32 bits stored red first.
bool colorOrderRgb(const struct_LEAD_Bitmap& b);
// The table index of pixel x of a row of 1, 4 or 8 bits, and setting it.
unsigned indexAt(const unsigned char* row, int x, int bpp);
void putIndex(unsigned char* row, int x, int bpp, unsigned v);
// Stored row y (storage order).
unsigned char* storedRow(const struct_LEAD_Bitmap& b, int y);

// 8 bits whose table is the grey ramp, or ORDER_GRAY.
bool isGrayPicture(const struct_LEAD_Bitmap& b);

// Colour (COLORREF) of a stored pixel and the raw value for a colour.
COLORREF colorAt(const struct_LEAD_Bitmap& b, const unsigned char* storedRow, int x);
uint32_t rawFor(const struct_LEAD_Bitmap& b, COLORREF c);
void putRaw(const struct_LEAD_Bitmap& b, unsigned char* storedRow, int x, uint32_t raw);

// The index of the table entry equal or nearest to a colour.
class NearestIndex {
public:
    NearestIndex(const RGBQUAD* table, int count);
    unsigned operator()(int r, int g, int bl);

private:
    const RGBQUAD* table_;
    int count_;
    std::unordered_map<uint32_t, uint8_t> exact_;  // the table's own colours
    std::vector<int16_t> cache_;                    // 15-bit colour -> index + 1
};

// The intensity (0-255) of a colour.
inline int intensity(int r, int g, int bl) { return (r * 299 + g * 587 + bl * 114 + 500) / 1000; }

}  // namespace imagesdk::detail
