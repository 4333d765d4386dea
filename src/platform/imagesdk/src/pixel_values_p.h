// Single pixels of a picture, whatever its depth: stored values, their
// colours, and the nearest entry of a colour table.
#pragma once

#include "picture_p.h"

#include <cmath>
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

// Stored row `row` of b as blue-green-red samples, 3 bytes a pixel, whatever
// the depth (table entries past the table's end are black).
void rowToBgr(const struct_LEAD_Bitmap& b, const unsigned char* row, unsigned char* bgr);
// Writes blue-green-red samples into stored row `row` of b: the nearest table
// entry at up to 8 bits, opaque at 32.
void rowFromBgr(const struct_LEAD_Bitmap& b, unsigned char* row, const unsigned char* bgr, NearestIndex* nearest);

// Every stored row of a picture as blue-green-red samples.
struct BgrRows {
    int width = 0, height = 0;
    std::vector<unsigned char> px;
    const unsigned char* row(int y) const { return px.data() + size_t(y) * size_t(width) * 3; }
};
BgrRows bgrRows(const struct_LEAD_Bitmap& b);

// One curve per colour component (blue, green, red) applied to every pixel;
// pictures with a colour table change their table instead. Grey pictures use
// the green curve.
int applyCurves(struct_LEAD_Bitmap& b, const uint8_t* blue, const uint8_t* green, const uint8_t* red);
inline int applyCurve(struct_LEAD_Bitmap& b, const uint8_t* curve) { return applyCurves(b, curve, curve, curve); }

// The grey level of a colour, rounded as image codecs and OpenCV convert.
inline unsigned char grayLevel(int bl, int g, int r) {
    return static_cast<unsigned char>((bl * 1868 + g * 9617 + r * 4899 + 8192) >> 14);
}

// Two levels multiplied as fractions of full, rounded as image libraries do.
inline unsigned char multiplyLevels(int a, int b) {
    return static_cast<unsigned char>(std::lrint(float(a * b) * (1.0f / 255.0f)));
}

// The intensity (0-255) of a colour.
inline int intensity(int r, int g, int bl) { return (r * 299 + g * 587 + bl * 114 + 500) / 1000; }

}  // namespace imagesdk::detail
