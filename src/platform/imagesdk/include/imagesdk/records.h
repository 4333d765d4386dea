// The imaging SDK's records: the bitmap record every entry point works on,
// the file-information record and the option and filter records.
//
// The layouts are this SDK's own. The one fixed point is the flags word at
// byte offset 32 of the bitmap record, whose bit 0 says that the record owns
// a picture; the bitmap wrapper clears it before a record's first Init.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------
// Pixel order, view perspective and record flags

// Byte order of the colour components of 24- and 32-bit pixels, and the
// grey-level pictures (8 bits, grey colour table).
#define ORDER_RGB 0         // red, green, blue in memory order
#define ORDER_BGR 1         // blue, green, red: the order of DIBs
#define ORDER_GRAY 2        // grey levels
#define ORDER_RGBORGRAY 3   // grey pictures stay grey, colour pictures become RGB
#define ORDER_BGRORGRAY 4   // grey pictures stay grey, colour pictures become BGR

// Where row 0 of the pixel storage is shown.
#define TOP_LEFT 1          // row 0 is the top row
#define BOTTOM_LEFT 4       // row 0 is the bottom row, as in a bottom-up DIB

// Bits of struct_LEAD_Bitmap::Flags.
#define BITMAPFLAG_ALLOCATED 0x00000001u  // the record owns pixel storage

// ---------------------------------------------------------------------------
// The bitmap record

// A picture: its description and, when BITMAPFLAG_ALLOCATED is set, its pixels.
// The pixels and the colour table live in one block of movable global memory
// laid out as a packed DIB (BITMAPINFOHEADER, colour table, rows padded to
// 32 bits), which the SDK keeps locked while the record owns it. Copying the
// record copies the reference to the block, not the block.
struct struct_LEAD_Bitmap {
    uint32_t uStructSize;      //  0  sizeof(struct_LEAD_Bitmap) once initialised
    int32_t Width;             //  4  pixels
    int32_t Height;            //  8  rows
    int32_t BitsPerPixel;      // 12  1, 4, 8, 16 (5-5-5), 24 or 32
    int32_t BytesPerLine;      // 16  stored row length, a multiple of 4
    uint32_t Order;            // 20  ORDER_RGB, ORDER_BGR or ORDER_GRAY
    uint32_t ViewPerspective;  // 24  TOP_LEFT or BOTTOM_LEFT
    int32_t LowBit;            // 28  lowest significant bit of a grey level
    uint32_t Flags;            // 32  BITMAPFLAG_*
    int32_t HighBit;           // 36  highest significant bit of a grey level
    int32_t nColors;           // 40  entries of the colour table (pictures of up to 8 bits)
    int32_t XResolution;       // 44  dots per inch, 0 when unknown
    int32_t YResolution;       // 48
    uint32_t Reserved;         // 52
    HGLOBAL hData;             // the packed DIB holding colour table and pixels
    RGBQUAD* pPalette;         // the colour table inside hData (nColors entries)
    unsigned char* pBits;      // the first stored row inside hData
    uint64_t DataSize;         // bytes of pixel storage: BytesPerLine * Height
};

static_assert(offsetof(struct_LEAD_Bitmap, Flags) == 32, "the wrapper relies on the flags word at offset 32");

// ---------------------------------------------------------------------------
// Files

// File formats that the file library identifies.
#define IMGFILE_UNKNOWN 0
#define IMGFILE_BMP 1
#define IMGFILE_PNG 2
#define IMGFILE_JPEG 3
#define IMGFILE_TIFF 4
#define IMGFILE_WEBP 5
#define IMGFILE_PNM 6
#define IMGFILE_GIF 7

// Bits of FILEINFO::Flags.
#define FILEINFO_PALETTE 0x0001    // the file stores palette indices
#define FILEINFO_ALPHA 0x0002      // the file carries an alpha channel
#define FILEINFO_GRAY 0x0004       // the file stores grey levels
#define FILEINFO_PROGRESSIVE 0x0008  // interlaced PNG or progressive JPEG

// What the file library tells about a picture file without decoding it.
struct FILEINFO {
    uint32_t uStructSize;  // sizeof(FILEINFO); filled in by the library
    int32_t Format;        // IMGFILE_*
    int32_t Width;
    int32_t Height;
    int32_t BitsPerPixel;  // bits per pixel as stored in the file (all channels)
    int32_t Flags;         // FILEINFO_*
    int32_t XResolution;   // dots per inch, 0 when the file does not say
    int32_t YResolution;
    int32_t TotalPages;    // pictures in the file (TIFF may hold several)
    int32_t Reserved;
    int64_t SizeDisk;      // bytes of the file
    int64_t SizeMem;       // bytes of pixel storage once loaded at the file's own depth
    char Compression[24];  // the file's compression, e.g. "Deflate", "Huffman", "None"
};

// Bits of the flags argument of the load entry points.
#define LOADFILE_ALLOCATE 0x0001  // allocate the record's pixel storage
#define LOADFILE_STORE 0x0002     // store the decoded rows in the record
#define LOADFILE_FIXEDPALETTE 0x0040  // at 1, 4 or 8 bits: a fixed palette, not the picture's own colours

// Options of the load entry points; a null pointer means the defaults.
struct LOADFILEOPTION {
    uint32_t uStructSize;  // sizeof(LOADFILEOPTION)
    uint32_t Flags;        // reserved, 0
    int32_t PageNumber;    // 1-based page of a multi-page file; 0 or 1 for the first
    int32_t Passes;        // reserved, 0
};

// Bits of SAVEFILEOPTION::Flags.
#define ESO_SAVEWITHSTAMP 0x0080   // write a reduced copy (stamp) with the picture
#define ESO_STAMPPALETTE 0x0100    // the stamp uses a palette of its own

// Options of the save entry points; a null pointer means the defaults.
struct SAVEFILEOPTION {
    uint32_t uStructSize;  // sizeof(SAVEFILEOPTION)
    uint32_t Flags;        // ESO_*
    int32_t PageNumber;    // 1-based page to write in a multi-page file
    int32_t Passes;        // interlace passes, 0 for none
    int32_t StampWidth;    // stamp size and depth when ESO_SAVEWITHSTAMP is set
    int32_t StampHeight;
    int32_t StampBits;
    int32_t Reserved;
};

// The callback that load and save entry points call for each band of rows,
// top row first: bits holds `lines` rows of BytesPerLine bytes each in the
// record's order. A result other than 1 stops the operation with that result.
typedef int (*LEADFILECALLBACK)(FILEINFO* info, struct_LEAD_Bitmap* bitmap, unsigned char* bits, int row,
                                int lines, void* user);

// ---------------------------------------------------------------------------
// Filters

// A binary (morphological) filter: each pixel becomes the maximum (dilation)
// or the minimum (erosion) of the neighbours whose matrix entry is nonzero.
struct BINARYFLT {
    uint32_t uStructSize;    // sizeof(BINARYFLT)
    int32_t bMaximum;        // nonzero: maximum, zero: minimum
    uint32_t uDim;           // matrix is uDim x uDim, uDim odd
    const int32_t* pMatrix;  // uDim * uDim entries, row by row
};

// A convolution: each pixel becomes sum(matrix * neighbours) / Divisor + Bias.
struct SPATIALFLT {
    uint32_t uStructSize;    // sizeof(SPATIALFLT)
    int32_t Divisor;         // nonzero
    int32_t Bias;
    uint32_t uDim;           // matrix is uDim x uDim, uDim odd
    const int32_t* pMatrix;  // uDim * uDim entries, row by row
};

// ---------------------------------------------------------------------------
// Flags and selectors of the processing, file and display entry points

// Size: how the new pixels are found.
#define SIZE_NORMAL 0x0000    // nearest neighbour
#define SIZE_RESAMPLE 0x0002  // bilinear (what Resample passes)
#define SIZE_BICUBIC 0x0004   // bicubic

// ColorRes: dithering (low byte) and where the colour table comes from.
#define CRF_NODITHERING 0x0000
#define CRF_FLOYDSTEINBERG 0x0001   // error diffusion
#define CRF_ORDEREDDITHERING 0x0002 // 8 x 8 Bayer matrix
#define CRF_FIXEDPALETTE 0x0000     // black/white, the 16 VGA colours, or 3-3-2 levels
#define CRF_OPTIMIZEDPALETTE 0x0100 // the picture's own colours when they fit, else a median cut
#define CRF_USERPALETTE 0x0200      // the pPalette argument, uColors entries
#define CRF_USERHPALETTE 0x0400     // the hPalette argument
#define CRF_GRAYPALETTE 0x0800      // the grey ramp

// Combine: the operation (low byte) and its modifiers. Each colour
// component of the destination becomes op(destination, source).
#define CB_OP_COPY 0       // source
#define CB_OP_AND 1
#define CB_OP_OR 2
#define CB_OP_XOR 3
#define CB_OP_ADD 4        // clamped at 255
#define CB_OP_SUBSRC 5     // destination - source, clamped at 0
#define CB_OP_SUBDST 6     // source - destination, clamped at 0
#define CB_OP_MULTIPLY 7   // destination * source / 255
#define CB_OP_AVERAGE 8
#define CB_OP_ABSDIFF 9
#define CB_OP_DARKER 10    // the smaller
#define CB_OP_LIGHTER 11   // the larger
#define CB_SRC_NOT 0x0100  // invert the source first
#define CB_DST_NOT 0x0200  // invert the destination first
#define CB_RES_NOT 0x0400  // invert the result

// Colour channel selectors (GetHistogram, AddNoise, RemapIntensity).
#define CHANNEL_MASTER 0   // all channels; the intensity for GetHistogram
#define CHANNEL_RED 1
#define CHANNEL_GREEN 2
#define CHANNEL_BLUE 3

// ColorSeparate / ColorMerge: the colour space of the planes.
#define COLORSEP_RGB 0     // red, green, blue
#define COLORSEP_CMYK 1    // cyan, magenta, yellow, black: four planes
#define COLORSEP_HSV 2     // hue (0-255 for 0-360 degrees), saturation, value
#define COLORSEP_HLS 3     // hue, lightness, saturation
#define COLORSEP_CMY 4     // cyan, magenta, yellow

// Emboss directions (the side the light comes from).
#define EMBOSS_N 0
#define EMBOSS_NE 1
#define EMBOSS_E 2
#define EMBOSS_SE 3
#define EMBOSS_S 4
#define EMBOSS_SW 5
#define EMBOSS_W 6
#define EMBOSS_NW 7

// HalfTone types.
#define HT_PRINT 0  // clustered-dot screen (angle from HalfToneExt)
#define HT_VIEW 1   // error diffusion

// Underlay: how the underlay covers the picture.
#define UNDERLAY_TILE 0
#define UNDERLAY_STRETCH 1

// CopyToClipboardExt: what is put on the clipboard.
#define COPY2CB_EMPTY 0x0001    // empty the clipboard first
#define COPY2CB_DIB 0x0002      // CF_DIB
#define COPY2CB_DDB 0x0004      // CF_BITMAP
#define COPY2CB_PALETTE 0x0008  // CF_PALETTE (pictures of up to 8 bits)

// Save entry points: flags argument.
#define SAVEFILE_FIXEDPALETTE 0x0040  // at 1, 4 or 8 bits: a fixed palette, not an optimised one

// Transition styles of EfxPaintBitmap and PaintDCEffect.
#define EFX_EFFECT_NONE 0          // a plain paint
#define EFX_EFFECT_WIPE_RIGHT 1    // from the left edge to the right
#define EFX_EFFECT_WIPE_LEFT 2     // from the right edge to the left
#define EFX_EFFECT_WIPE_DOWN 3     // from the top edge down
#define EFX_EFFECT_WIPE_UP 4       // from the bottom edge up
#define EFX_EFFECT_BLINDS_H 5      // horizontal slats opening downwards
#define EFX_EFFECT_BLINDS_V 6      // vertical slats opening to the right
#define EFX_EFFECT_BOX_IN 7        // from the border to the centre
#define EFX_EFFECT_BOX_OUT 8       // from the centre to the border
#define EFX_EFFECT_DISSOLVE 9      // blocks in a fixed pseudo-random order
#define EFX_EFFECT_CHECKERBOARD 10 // alternate blocks, then the others
#define EFX_EFFECT_MAX 10

// The window-level dialog's flags.
#define WLDLG_FILLLUT 0x0001  // fill the caller's table with the window's ramp
#define WLDLG_APPLY 0x0002    // apply the table to the picture's colour table
