// Every entry point of the imaging SDK's six libraries, by library and ordinal.
//
// HMIGFX_IMAGESDK_ENTRY_POINTS(X) calls X(library, ordinal, name, result, (parameters))
// once per entry point. Where several wrapper members reach one entry point
// (kernel 145, kernel 151, file 104, file 119) the list has that entry point
// once, under the name of its most general member.
//
// Parameter order: the bitmap record comes first, except that a file name, a
// memory buffer, a device context or a window comes before it, and the file
// handle, offset and size of the offset entry points come before it.
//
// The comment above each entry point says what the built-in back end does
// with the parameters after the record, and their ranges. Results: 1, or a
// code of imagesdk/results.h; the flag values are in imagesdk/records.h.
#pragma once

#include <imagesdk/records.h>

#define HMIGFX_IMAGESDK_ENTRY_POINTS(X)                                                                            \
    /* kernel library ltkrn12n */                                                                                  \
    /* nothing: the pixels stay locked while the record owns them */                                               \
    X(Kernel, 100, Access, void, (struct_LEAD_Bitmap*))                                                            \
    /* allocates zeroed pixels for a record described by Init (memory kind ignored); BITMAP_ALLOCATED if it has some */ \
    X(Kernel, 101, Allocate, int, (struct_LEAD_Bitmap*, int))                                                      \
    /* new height > 0; the top rows are kept, new rows are zero */                                                 \
    X(Kernel, 102, ChangeHeight, int, (struct_LEAD_Bitmap*, int))                                                  \
    /* takes a packed DIB (HGLOBAL) into the record; the caller still frees the block */                           \
    X(Kernel, 104, ChangeFromDIB, int, (struct_LEAD_Bitmap*, void*))                                               \
    /* hands the picture over as a packed DIB (HGLOBAL, bottom-up, BGR) the caller owns; null without a picture */ \
    X(Kernel, 106, ChangeToDIB, void*, (struct_LEAD_Bitmap*))                                                      \
    /* sets every pixel byte to zero */                                                                            \
    X(Kernel, 107, Clear, int, (struct_LEAD_Bitmap*))                                                              \
    /* dst (null: in place), bpp 1/4/8/16/24/32, flags CRF_* (dither | table source), table + colours or palette for CRF_USER*, callback per row */ \
    X(Kernel, 108, ColorRes, int,                                                                                  \
      (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*, int, unsigned long, RGBQUAD*, HPALETTE, unsigned int,             \
       LEADFILECALLBACK, void*))                                                                                   \
    /* reads a DIB given as header and bits (bits null: packed) */                                                 \
    X(Kernel, 110, ConvertFromDIB, int, (struct_LEAD_Bitmap*, BITMAPINFO*, unsigned char*))                        \
    /* a copy of the picture as a packed DIB (HGLOBAL) the caller owns */                                          \
    X(Kernel, 111, ConvertToDIB, void*, (struct_LEAD_Bitmap*))                                                     \
    /* dst, src: dst gets its own copy of src's picture */                                                         \
    X(Kernel, 112, Copy, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*))                                          \
    /* dst, src of equal size and depth: copies pixels and table */                                                \
    X(Kernel, 113, CopyData, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*))                                      \
    /* dst, src: copies the record only; both then reach one picture */                                            \
    X(Kernel, 114, CopyHandle, void, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*))                                   \
    /* dst, src, col, row, width, height (shown from the top-left, inside src): dst gets that part */              \
    X(Kernel, 115, CopyRect, int,                                                                                  \
      (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*, unsigned int, unsigned int, unsigned int, unsigned int))          \
    /* width, height, bpp, ORDER_*, TOP_LEFT/BOTTOM_LEFT, table (null: default), memory kind, data (null: 0), bytes */ \
    X(Kernel, 116, Create, int,                                                                                    \
      (struct_LEAD_Bitmap*, unsigned int, unsigned int, unsigned int, unsigned int, unsigned int, RGBQUAD*,        \
       unsigned int, unsigned char*, unsigned long))                                                               \
    /* a memory DC of our GDI over a copy of the picture; DeleteDC puts the drawing back; null (last error set) on failure */ \
    X(Kernel, 117, CreateDCW, HDC, (struct_LEAD_Bitmap*))                                                          \
    /* deletes a DC made by CreateDCW, writing what was drawn into its record; INV_PARAMETER for another DC */     \
    X(Kernel, 120, DeleteDC, int, (HDC))                                                                           \
    /* one row of 24-bit colours (record's order) to table indices, Floyd-Steinberg error carried from the row before */ \
    X(Kernel, 121, DitherLine, int, (struct_LEAD_Bitmap*, unsigned char*, unsigned char*))                         \
    /* COLORREF: every pixel (nearest table entry at 8 bits or less) */                                            \
    X(Kernel, 123, Fill, int, (struct_LEAD_Bitmap*, unsigned long))                                                \
    /* turns the picture upside down */                                                                            \
    X(Kernel, 124, Flip, int, (struct_LEAD_Bitmap*))                                                               \
    /* releases the picture; the description stays */                                                              \
    X(Kernel, 125, Free, void, (struct_LEAD_Bitmap*))                                                              \
    /* index >= 0, count > 0, index + count <= nColors: table entries out */                                       \
    X(Kernel, 128, GetColors, int, (struct_LEAD_Bitmap*, int, int, RGBQUAD*))                                      \
    /* buffer, row (0 = top as shown), bytes: copies up to one stored row; returns the bytes copied */             \
    X(Kernel, 129, GetRow, long, (struct_LEAD_Bitmap*, unsigned char*, int, unsigned long))                        \
    /* buffer, row, col, bytes: from pixel col (rounded down to a byte) to the end of the row at most; returns the bytes */ \
    X(Kernel, 130, GetRowCol, long, (struct_LEAD_Bitmap*, unsigned char*, int, int, unsigned long))                \
    /* row, col (0,0 = top-left as shown): COLORREF, or the error code cast to unsigned long */                    \
    X(Kernel, 132, GetPixelColor, unsigned long, (struct_LEAD_Bitmap*, int, int))                                  \
    /* bpp must be 8: to grey levels with the grey table (ORDER_GRAY) */                                           \
    X(Kernel, 133, GrayScale, int, (struct_LEAD_Bitmap*, int))                                                     \
    /* width, height >= 0, bpp 1/4/8/16/24/32: describes the record without a picture; BITMAP_ALLOCATED if it has one */ \
    X(Kernel, 134, Init, int, (struct_LEAD_Bitmap*, int, int, int))                                                \
    /* index >= 0, count > 0, index + count <= nColors: table entries in */                                        \
    X(Kernel, 136, PutColors, int, (struct_LEAD_Bitmap*, int, int, RGBQUAD*))                                      \
    /* buffer, row (0 = top), bytes: into one stored row; returns the bytes copied */                              \
    X(Kernel, 137, PutRow, long, (struct_LEAD_Bitmap*, unsigned char*, int, unsigned long))                        \
    /* buffer, row, col, bytes: into a row from pixel col on; returns the bytes copied */                          \
    X(Kernel, 138, PutRowCol, long, (struct_LEAD_Bitmap*, unsigned char*, int, int, unsigned long))                \
    /* row, col, COLORREF (nearest table entry at 8 bits or less) */                                               \
    X(Kernel, 139, PutPixelColor, int, (struct_LEAD_Bitmap*, int, int, unsigned long))                             \
    /* nothing: see Access */                                                                                      \
    X(Kernel, 141, Release, void, (struct_LEAD_Bitmap*))                                                           \
    /* src, dst: dst gets src resampled (bilinear; nearest for tables) to dst's Width x Height */                  \
    X(Kernel, 143, Resize, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*))                                        \
    /* mirrors left and right */                                                                                   \
    X(Kernel, 144, Reverse, int, (struct_LEAD_Bitmap*))                                                            \
    /* angle in 1/100 degree, clockwise; resize 0 (keep size) or 1 (hold the whole picture); fill COLORREF */      \
    X(Kernel, 145, RotateFine, int, (struct_LEAD_Bitmap*, long, int, unsigned long))                               \
    /* angle -4500..4500 (1/100 degree), horizontal nonzero (rows slide) or 0 (columns), fill COLORREF; the picture grows */ \
    X(Kernel, 150, Shear, int, (struct_LEAD_Bitmap*, int, int, unsigned long))                                     \
    /* width, height > 0, SIZE_NORMAL (nearest), SIZE_RESAMPLE (bilinear) or SIZE_BICUBIC; tables always nearest */ \
    X(Kernel, 151, Size, int, (struct_LEAD_Bitmap*, int, int, unsigned long))                                      \
    /* table, colours (1..2^bpp of the record): starts row-by-row dithering for this record */                     \
    X(Kernel, 152, StartDithering, int, (struct_LEAD_Bitmap*, RGBQUAD*, unsigned int))                             \
    /* ends row-by-row dithering; NOT_DITHERING if it was not started */                                           \
    X(Kernel, 154, StopDithering, int, (struct_LEAD_Bitmap*))                                                      \
    /* dst col, row, width, height, src, src col, row, CB_OP_* | CB_*_NOT: per component, clipped to both pictures */ \
    X(Kernel, 241, Combine, int,                                                                                   \
      (struct_LEAD_Bitmap*, int, int, int, int, struct_LEAD_Bitmap*, int, int, unsigned long))                     \
    /* image-processing library ltimg12n */                                                                        \
    /* range 0..1000 (per mille of 255), CHANNEL_*: uniform noise with a fixed seed */                             \
    X(Image, 100, AddNoise, int, (struct_LEAD_Bitmap*, unsigned int, unsigned int))                                \
    /* dim 1..255: mean of dim x dim neighbours */                                                                 \
    X(Image, 101, AverageFilter, int, (struct_LEAD_Bitmap*, unsigned int))                                         \
    /* BINARYFLT (odd dim 1..63): maximum (dilate) or minimum (erode) over the matrix's nonzero neighbours */      \
    X(Image, 102, BinaryFilter, int, (struct_LEAD_Bitmap*, BINARYFLT*))                                            \
    /* -1000..1000: flatter to steeper about mid grey (1000: a threshold) */                                       \
    X(Image, 103, ChangeContrast, int, (struct_LEAD_Bitmap*, int))                                                 \
    /* -360..360 degrees: turns every hue */                                                                       \
    X(Image, 104, ChangeHue, int, (struct_LEAD_Bitmap*, int))                                                      \
    /* -1000..1000: adds change * 255 / 1000 */                                                                    \
    X(Image, 105, ChangeIntensity, int, (struct_LEAD_Bitmap*, int))                                                \
    /* -1000..1000: saturation times (1000 + change) / 1000 */                                                     \
    X(Image, 106, ChangeSaturation, int, (struct_LEAD_Bitmap*, int))                                               \
    /* planes (8-bit, one size), COLORSEP_* (CMYK four planes, else three): the record becomes 24-bit */           \
    X(Image, 107, ColorMerge, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap**, unsigned long))                     \
    /* planes (records that get 8-bit grey pictures), COLORSEP_* */                                                \
    X(Image, 108, ColorSeparate, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap**, unsigned long))                  \
    /* angle out (1/100 degree, clockwise skew found between -45 and 45): turns the page straight, white corners */ \
    X(Image, 109, Deskew, int, (struct_LEAD_Bitmap*, long*))                                                       \
    /* median of 3 x 3 */                                                                                          \
    X(Image, 110, Despeckle, int, (struct_LEAD_Bitmap*))                                                           \
    /* EMBOSS_N..EMBOSS_NW (light's side), depth 0..1000 (100: one to one): relief about mid grey */               \
    X(Image, 111, Emboss, int, (struct_LEAD_Bitmap*, unsigned int, unsigned int))                                  \
    /* gamma 1..500 in 1/100 (100: none): out = in ^ (100 / gamma) */                                              \
    X(Image, 112, GammaCorrect, int, (struct_LEAD_Bitmap*, unsigned int))                                          \
    /* 256 counts out, CHANNEL_* (master: intensity): sums to the pixel count */                                   \
    X(Image, 113, GetHistogram, int, (struct_LEAD_Bitmap*, unsigned long*, unsigned int))                          \
    /* -1000..1000: like ChangeContrast about the picture's mean intensity */                                      \
    X(Image, 114, HistoContrast, int, (struct_LEAD_Bitmap*, int))                                                  \
    /* equalises the histogram (grey, or the luma of colour pictures) */                                           \
    X(Image, 115, HistoEqualize, int, (struct_LEAD_Bitmap*))                                                       \
    /* low <= high <= 255: pixels with intensity in [low, high] white, the rest black */                           \
    X(Image, 116, IntensityDetect, int, (struct_LEAD_Bitmap*, unsigned int, unsigned int))                         \
    /* 255 - each component */                                                                                     \
    X(Image, 117, Invert, int, (struct_LEAD_Bitmap*))                                                              \
    /* odd dim 1..255: median of dim x dim neighbours */                                                           \
    X(Image, 118, MedianFilter, int, (struct_LEAD_Bitmap*, unsigned int))                                          \
    /* dim 1..255: dim x dim blocks from the top-left take their mean colour */                                    \
    X(Image, 119, Mosaic, int, (struct_LEAD_Bitmap*, unsigned int))                                                \
    /* levels 2..64 per component */                                                                               \
    X(Image, 120, Posterize, int, (struct_LEAD_Bitmap*, unsigned int))                                             \
    /* 256-entry lookup table, CHANNEL_* */                                                                        \
    X(Image, 121, RemapIntensity, int, (struct_LEAD_Bitmap*, unsigned char*, unsigned int))                        \
    /* -1000..1000: unsharp mask, 1000 adds four times the detail, -1000 is a blur */                              \
    X(Image, 122, Sharpen, int, (struct_LEAD_Bitmap*, int))                                                        \
    /* SPATIALFLT (odd dim 1..63, divisor != 0): sum(matrix * neighbours) / divisor + bias */                      \
    X(Image, 123, SpatialFilter, int, (struct_LEAD_Bitmap*, SPATIALFLT*))                                          \
    /* stretches the darkest..lightest component to 0..255 */                                                      \
    X(Image, 124, StretchIntensity, int, (struct_LEAD_Bitmap*))                                                    \
    /* minimum, maximum out: the smallest and largest intensity */                                                 \
    X(Image, 133, GetMinMaxVal, int, (struct_LEAD_Bitmap*, int*, int*))                                            \
    /* low, high out: the lowest and highest bit set in any intensity */                                           \
    X(Image, 134, GetMinMaxBits, int, (struct_LEAD_Bitmap*, int*, int*))                                           \
    /* file library ltfil12n */                                                                                    \
    /* path, FILEINFO out, flags, options: identifies BMP/PNG/JPEG/TIFF/WebP/PNM/GIF from the header */            \
    X(File, 100, FileInfo, int, (char*, FILEINFO*, unsigned int, LOADFILEOPTION*))                                 \
    /* path, record, bpp (0: the file's), ORDER_*, options (PageNumber), info out: loads the whole picture */      \
    X(File, 101, Load, int, (char*, struct_LEAD_Bitmap*, int, int, LOADFILEOPTION*, FILEINFO*))                    \
    /* as Load, with LOADFILE_* flags and a row callback (top row first; a result other than 1 stops) */           \
    X(File, 102, LoadFile, int,                                                                                    \
      (char*, struct_LEAD_Bitmap*, int, int, unsigned int, LEADFILECALLBACK, void*, LOADFILEOPTION*, FILEINFO*))   \
    /* path, record, IMGFILE_*, bpp (0: the picture's), quality 0..100, options (PageNumber, stamp) */             \
    X(File, 103, Save, int, (char*, struct_LEAD_Bitmap*, int, int, int, SAVEFILEOPTION*))                          \
    /* as Save, with SAVEFILE_* flags and a row callback before writing */                                         \
    X(File, 104, SaveFile, int,                                                                                    \
      (char*, struct_LEAD_Bitmap*, int, int, int, unsigned int, LEADFILECALLBACK, void*, SAVEFILEOPTION*))         \
    /* fills the defaults: no page, no stamp, stamps of 96 x 96 at 24 bits */                                      \
    X(File, 106, GetDefaultSaveFileOption, int, (SAVEFILEOPTION*))                                                 \
    /* fd, offset, size out, record, format, bpp, quality, flags, callback, user, options: writes at offset */     \
    X(File, 112, SaveFileOffset, int,                                                                              \
      (int, long, long*, struct_LEAD_Bitmap*, int, int, int, unsigned int, LEADFILECALLBACK, void*,                \
       SAVEFILEOPTION*))                                                                                           \
    /* fd, offset, size, record, ...: loads the size bytes at offset */                                            \
    X(File, 113, LoadFileOffset, int,                                                                              \
      (int, long, long, struct_LEAD_Bitmap*, int, int, unsigned int, LEADFILECALLBACK, void*, LOADFILEOPTION*,     \
       FILEINFO*))                                                                                                 \
    /* HGLOBAL out (the caller frees it), record, format, bpp, quality, size out, options */                       \
    X(File, 116, SaveMemory, int, (void**, struct_LEAD_Bitmap*, int, int, int, unsigned long*, SAVEFILEOPTION*))   \
    /* buffer, record, bpp, order, size (<= the file limit), options, info: loads a picture file in memory */      \
    X(File, 118, LoadBitmapMemory, int,                                                                            \
      (unsigned char*, struct_LEAD_Bitmap*, int, int, long, LOADFILEOPTION*, FILEINFO*))                           \
    /* buffer, record, bpp, order, flags, callback, user, size, options, info */                                   \
    X(File, 119, LoadMemory, int,                                                                                  \
      (unsigned char*, struct_LEAD_Bitmap*, int, int, unsigned int, LEADFILECALLBACK, void*, long,                 \
       LOADFILEOPTION*, FILEINFO*))                                                                                \
    /* path, record, options: loads the stamp saved with a JPEG or PNG file; NO_STAMP without one */               \
    X(File, 145, GetCompressFileStamp, int, (char*, struct_LEAD_Bitmap*, LOADFILEOPTION*))                         \
    /* display library ltdis12n */                                                                                 \
    /* DC (null: the screen), record, bitmap, palette: reads the bitmap; the caller keeps it */                    \
    X(Display, 120, ChangeFromDDB, int, (HDC, struct_LEAD_Bitmap*, HBITMAP, HPALETTE))                             \
    /* DC (null: the screen): a bitmap of the picture, which is released; the caller deletes the bitmap */         \
    X(Display, 121, ChangeToDDB, HBITMAP, (HDC, struct_LEAD_Bitmap*))                                              \
    /* DC: a palette of the picture's table, or of 256 optimised colours; the caller deletes it */                 \
    X(Display, 122, CreatePaintPalette, HPALETTE, (HDC, struct_LEAD_Bitmap*))                                      \
    /* as ChangeFromDDB */                                                                                         \
    X(Display, 124, ConvertFromDDB, int, (HDC, struct_LEAD_Bitmap*, HBITMAP, HPALETTE))                            \
    /* as ChangeToDDB, the picture stays */                                                                        \
    X(Display, 125, ConvertToDDB, HBITMAP, (HDC, struct_LEAD_Bitmap*))                                             \
    /* owner window (may be null): reads CF_DIB, else CF_BITMAP; CLIPBOARD_EMPTY without either */                 \
    X(Display, 126, CopyFromClipboard, int, (HWND, struct_LEAD_Bitmap*))                                           \
    /* owner window (not null: a window-less owner cannot set data): empties, then CF_DIB, CF_BITMAP, CF_PALETTE */ \
    X(Display, 127, CopyToClipboard, int, (HWND, struct_LEAD_Bitmap*))                                             \
    /* owner window, COPY2CB_* flags */                                                                            \
    X(Display, 128, CopyToClipboardExt, int, (HWND, struct_LEAD_Bitmap*, unsigned int))                            \
    /* HT_PRINT (clustered dots at 45 degrees) or HT_VIEW (error diffusion): to 1 bit black and white */           \
    X(Display, 130, HalfTone, int, (struct_LEAD_Bitmap*, unsigned int))                                            \
    /* HT_*, screen angle in 1/100 degree */                                                                       \
    X(Display, 131, HalfToneExt, int, (struct_LEAD_Bitmap*, unsigned int, long))                                   \
    /* DC, src, src clip, dst, dst clip (null: the whole picture, src at the origin, no clip), ROP3: StretchDIBits */ \
    X(Display, 132, PaintDC, int, (HDC, struct_LEAD_Bitmap*, RECT*, RECT*, RECT*, RECT*, unsigned long))           \
    /* as PaintDC, with buffer, row, count: rows [row, row + count) of the record's layout, top first, painted where they belong */ \
    X(Display, 133, PaintDCBuffer, int,                                                                            \
      (HDC, struct_LEAD_Bitmap*, RECT*, RECT*, RECT*, RECT*, unsigned long, unsigned char*, int, int))             \
    /* x, y, width, height (0: the picture's physical size), end document: starts a job on the default printer and returns its DC (the caller deletes it) */ \
    X(Display, 134, Print, HDC, (struct_LEAD_Bitmap*, int, int, int, int, int))                                    \
    /* DC (null: the default printer), x, y, width, height, end document: paints with HALFTONE, returns the DC */  \
    X(Display, 135, PrintExt, HDC, (HDC, struct_LEAD_Bitmap*, int, int, int, int, int))                            \
    /* as PrintExt with COLORONCOLOR stretching */                                                                 \
    X(Display, 136, PrintFast, HDC, (HDC, struct_LEAD_Bitmap*, int, int, int, int, int))                           \
    /* DC, rectangle (null: the DC's whole surface): the record gets those pixels at 24 bits */                    \
    X(Display, 137, ScreenCapture, int, (HDC, struct_LEAD_Bitmap*, RECT*))                                         \
    /* underlay record, UNDERLAY_TILE or UNDERLAY_STRETCH: the picture times the underlay (a texture) */           \
    X(Display, 139, Underlay, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*, unsigned int))                       \
    /* effects library ltefx12n */                                                                                 \
    /* DC, rects as PaintDC, EFX_EFFECT_*, grain (px, 0: 8), delay (ms), speed (pieces a frame), cycles (slats), pass, max pass, transparent, colour, ROP3 */ \
    X(Effects, 100, EfxPaintBitmap, int,                                                                           \
      (HDC, struct_LEAD_Bitmap*, RECT*, RECT*, RECT*, RECT*, unsigned int, unsigned int, unsigned int,             \
       unsigned int, unsigned int, int, unsigned long, unsigned int, unsigned long, unsigned long))                \
    /* DC, rects, ROP3, EFX_EFFECT_*: EfxPaintBitmap with grain 8, no delay, 8 slats */                            \
    X(Effects, 110, PaintDCEffect, int,                                                                            \
      (HDC, struct_LEAD_Bitmap*, RECT*, RECT*, RECT*, RECT*, unsigned long, unsigned int))                         \
    /* dialog library ltdlg12n */                                                         \
    /* headless: fills the table (start colour up to low, a ramp, end colour from high) and, with WLDLG_APPLY, makes it the picture's table */ \
    X(Dialog, 111, WindowLevelDlg, int,                                                                            \
      (HWND, struct_LEAD_Bitmap*, RGBQUAD*, unsigned int, int, int, int*, int*, COLORREF*, COLORREF*,              \
       unsigned int, int, int))
