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
#pragma once

#include <imagesdk/records.h>

#define HMIGFX_IMAGESDK_ENTRY_POINTS(X)                                                                            \
    /* kernel library ltkrn12n */                                                                                  \
    X(Kernel, 100, Access, void, (struct_LEAD_Bitmap*))                                                            \
    X(Kernel, 101, Allocate, int, (struct_LEAD_Bitmap*, int))                                                      \
    X(Kernel, 102, ChangeHeight, int, (struct_LEAD_Bitmap*, int))                                                  \
    X(Kernel, 104, ChangeFromDIB, int, (struct_LEAD_Bitmap*, void*))                                               \
    X(Kernel, 106, ChangeToDIB, void*, (struct_LEAD_Bitmap*))                                                      \
    X(Kernel, 107, Clear, int, (struct_LEAD_Bitmap*))                                                              \
    X(Kernel, 108, ColorRes, int,                                                                                  \
      (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*, int, unsigned long, RGBQUAD*, HPALETTE, unsigned int,             \
       LEADFILECALLBACK, void*))                                                                                   \
    X(Kernel, 110, ConvertFromDIB, int, (struct_LEAD_Bitmap*, BITMAPINFO*, unsigned char*))                        \
    X(Kernel, 111, ConvertToDIB, void*, (struct_LEAD_Bitmap*))                                                     \
    X(Kernel, 112, Copy, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*))                                          \
    X(Kernel, 113, CopyData, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*))                                      \
    X(Kernel, 114, CopyHandle, void, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*))                                   \
    X(Kernel, 115, CopyRect, int,                                                                                  \
      (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*, unsigned int, unsigned int, unsigned int, unsigned int))          \
    X(Kernel, 116, Create, int,                                                                                    \
      (struct_LEAD_Bitmap*, unsigned int, unsigned int, unsigned int, unsigned int, unsigned int, RGBQUAD*,        \
       unsigned int, unsigned char*, unsigned long))                                                               \
    X(Kernel, 117, CreateDCW, HDC, (struct_LEAD_Bitmap*))                                                          \
    X(Kernel, 120, DeleteDC, int, (HDC))                                                                           \
    X(Kernel, 121, DitherLine, int, (struct_LEAD_Bitmap*, unsigned char*, unsigned char*))                         \
    X(Kernel, 123, Fill, int, (struct_LEAD_Bitmap*, unsigned long))                                                \
    X(Kernel, 124, Flip, int, (struct_LEAD_Bitmap*))                                                               \
    X(Kernel, 125, Free, void, (struct_LEAD_Bitmap*))                                                              \
    X(Kernel, 128, GetColors, int, (struct_LEAD_Bitmap*, int, int, RGBQUAD*))                                      \
    X(Kernel, 129, GetRow, long, (struct_LEAD_Bitmap*, unsigned char*, int, unsigned long))                        \
    X(Kernel, 130, GetRowCol, long, (struct_LEAD_Bitmap*, unsigned char*, int, int, unsigned long))                \
    X(Kernel, 132, GetPixelColor, unsigned long, (struct_LEAD_Bitmap*, int, int))                                  \
    X(Kernel, 133, GrayScale, int, (struct_LEAD_Bitmap*, int))                                                     \
    X(Kernel, 134, Init, int, (struct_LEAD_Bitmap*, int, int, int))                                                \
    X(Kernel, 136, PutColors, int, (struct_LEAD_Bitmap*, int, int, RGBQUAD*))                                      \
    X(Kernel, 137, PutRow, long, (struct_LEAD_Bitmap*, unsigned char*, int, unsigned long))                        \
    X(Kernel, 138, PutRowCol, long, (struct_LEAD_Bitmap*, unsigned char*, int, int, unsigned long))                \
    X(Kernel, 139, PutPixelColor, int, (struct_LEAD_Bitmap*, int, int, unsigned long))                             \
    X(Kernel, 141, Release, void, (struct_LEAD_Bitmap*))                                                           \
    X(Kernel, 143, Resize, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*))                                        \
    X(Kernel, 144, Reverse, int, (struct_LEAD_Bitmap*))                                                            \
    X(Kernel, 145, RotateFine, int, (struct_LEAD_Bitmap*, long, int, unsigned long))                               \
    X(Kernel, 150, Shear, int, (struct_LEAD_Bitmap*, int, int, unsigned long))                                     \
    X(Kernel, 151, Size, int, (struct_LEAD_Bitmap*, int, int, unsigned long))                                      \
    X(Kernel, 152, StartDithering, int, (struct_LEAD_Bitmap*, RGBQUAD*, unsigned int))                             \
    X(Kernel, 154, StopDithering, int, (struct_LEAD_Bitmap*))                                                      \
    X(Kernel, 241, Combine, int,                                                                                   \
      (struct_LEAD_Bitmap*, int, int, int, int, struct_LEAD_Bitmap*, int, int, unsigned long))                     \
    /* image-processing library ltimg12n */                                                                        \
    X(Image, 100, AddNoise, int, (struct_LEAD_Bitmap*, unsigned int, unsigned int))                                \
    X(Image, 101, AverageFilter, int, (struct_LEAD_Bitmap*, unsigned int))                                         \
    X(Image, 102, BinaryFilter, int, (struct_LEAD_Bitmap*, BINARYFLT*))                                            \
    X(Image, 103, ChangeContrast, int, (struct_LEAD_Bitmap*, int))                                                 \
    X(Image, 104, ChangeHue, int, (struct_LEAD_Bitmap*, int))                                                      \
    X(Image, 105, ChangeIntensity, int, (struct_LEAD_Bitmap*, int))                                                \
    X(Image, 106, ChangeSaturation, int, (struct_LEAD_Bitmap*, int))                                               \
    X(Image, 107, ColorMerge, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap**, unsigned long))                     \
    X(Image, 108, ColorSeparate, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap**, unsigned long))                  \
    X(Image, 109, Deskew, int, (struct_LEAD_Bitmap*, long*))                                                       \
    X(Image, 110, Despeckle, int, (struct_LEAD_Bitmap*))                                                           \
    X(Image, 111, Emboss, int, (struct_LEAD_Bitmap*, unsigned int, unsigned int))                                  \
    X(Image, 112, GammaCorrect, int, (struct_LEAD_Bitmap*, unsigned int))                                          \
    X(Image, 113, GetHistogram, int, (struct_LEAD_Bitmap*, unsigned long*, unsigned int))                          \
    X(Image, 114, HistoContrast, int, (struct_LEAD_Bitmap*, int))                                                  \
    X(Image, 115, HistoEqualize, int, (struct_LEAD_Bitmap*))                                                       \
    X(Image, 116, IntensityDetect, int, (struct_LEAD_Bitmap*, unsigned int, unsigned int))                         \
    X(Image, 117, Invert, int, (struct_LEAD_Bitmap*))                                                              \
    X(Image, 118, MedianFilter, int, (struct_LEAD_Bitmap*, unsigned int))                                          \
    X(Image, 119, Mosaic, int, (struct_LEAD_Bitmap*, unsigned int))                                                \
    X(Image, 120, Posterize, int, (struct_LEAD_Bitmap*, unsigned int))                                             \
    X(Image, 121, RemapIntensity, int, (struct_LEAD_Bitmap*, unsigned char*, unsigned int))                        \
    X(Image, 122, Sharpen, int, (struct_LEAD_Bitmap*, int))                                                        \
    X(Image, 123, SpatialFilter, int, (struct_LEAD_Bitmap*, SPATIALFLT*))                                          \
    X(Image, 124, StretchIntensity, int, (struct_LEAD_Bitmap*))                                                    \
    /* the smallest and largest grey level of the picture */                                                      \
    X(Image, 133, GetMinMaxVal, int, (struct_LEAD_Bitmap*, int*, int*))                                            \
    /* the lowest and highest bit that the grey levels use */                                                     \
    X(Image, 134, GetMinMaxBits, int, (struct_LEAD_Bitmap*, int*, int*))                                           \
    /* file library ltfil12n */                                                                                    \
    X(File, 100, FileInfo, int, (char*, FILEINFO*, unsigned int, LOADFILEOPTION*))                                 \
    X(File, 101, Load, int, (char*, struct_LEAD_Bitmap*, int, int, LOADFILEOPTION*, FILEINFO*))                    \
    X(File, 102, LoadFile, int,                                                                                    \
      (char*, struct_LEAD_Bitmap*, int, int, unsigned int, LEADFILECALLBACK, void*, LOADFILEOPTION*, FILEINFO*))   \
    X(File, 103, Save, int, (char*, struct_LEAD_Bitmap*, int, int, int, SAVEFILEOPTION*))                          \
    X(File, 104, SaveFile, int,                                                                                    \
      (char*, struct_LEAD_Bitmap*, int, int, int, unsigned int, LEADFILECALLBACK, void*, SAVEFILEOPTION*))         \
    /* fills a save-options record with the defaults */                                                            \
    X(File, 106, GetDefaultSaveFileOption, int, (SAVEFILEOPTION*))                                                 \
    X(File, 112, SaveFileOffset, int,                                                                              \
      (int, long, long*, struct_LEAD_Bitmap*, int, int, int, unsigned int, LEADFILECALLBACK, void*,                \
       SAVEFILEOPTION*))                                                                                           \
    X(File, 113, LoadFileOffset, int,                                                                              \
      (int, long, long, struct_LEAD_Bitmap*, int, int, unsigned int, LEADFILECALLBACK, void*, LOADFILEOPTION*,     \
       FILEINFO*))                                                                                                 \
    X(File, 116, SaveMemory, int, (void**, struct_LEAD_Bitmap*, int, int, int, unsigned long*, SAVEFILEOPTION*))   \
    X(File, 118, LoadBitmapMemory, int,                                                                            \
      (unsigned char*, struct_LEAD_Bitmap*, int, int, long, LOADFILEOPTION*, FILEINFO*))                           \
    X(File, 119, LoadMemory, int,                                                                                  \
      (unsigned char*, struct_LEAD_Bitmap*, int, int, unsigned int, LEADFILECALLBACK, void*, long,                 \
       LOADFILEOPTION*, FILEINFO*))                                                                                \
    X(File, 145, GetCompressFileStamp, int, (char*, struct_LEAD_Bitmap*, LOADFILEOPTION*))                         \
    /* display library ltdis12n */                                                                                 \
    X(Display, 120, ChangeFromDDB, int, (HDC, struct_LEAD_Bitmap*, HBITMAP, HPALETTE))                             \
    X(Display, 121, ChangeToDDB, HBITMAP, (HDC, struct_LEAD_Bitmap*))                                              \
    X(Display, 122, CreatePaintPalette, HPALETTE, (HDC, struct_LEAD_Bitmap*))                                      \
    X(Display, 124, ConvertFromDDB, int, (HDC, struct_LEAD_Bitmap*, HBITMAP, HPALETTE))                            \
    X(Display, 125, ConvertToDDB, HBITMAP, (HDC, struct_LEAD_Bitmap*))                                             \
    X(Display, 126, CopyFromClipboard, int, (HWND, struct_LEAD_Bitmap*))                                           \
    X(Display, 127, CopyToClipboard, int, (HWND, struct_LEAD_Bitmap*))                                             \
    X(Display, 128, CopyToClipboardExt, int, (HWND, struct_LEAD_Bitmap*, unsigned int))                            \
    X(Display, 130, HalfTone, int, (struct_LEAD_Bitmap*, unsigned int))                                            \
    X(Display, 131, HalfToneExt, int, (struct_LEAD_Bitmap*, unsigned int, long))                                   \
    X(Display, 132, PaintDC, int, (HDC, struct_LEAD_Bitmap*, RECT*, RECT*, RECT*, RECT*, unsigned long))           \
    X(Display, 133, PaintDCBuffer, int,                                                                            \
      (HDC, struct_LEAD_Bitmap*, RECT*, RECT*, RECT*, RECT*, unsigned long, unsigned char*, int, int))             \
    X(Display, 134, Print, HDC, (struct_LEAD_Bitmap*, int, int, int, int, int))                                    \
    X(Display, 135, PrintExt, HDC, (HDC, struct_LEAD_Bitmap*, int, int, int, int, int))                            \
    X(Display, 136, PrintFast, HDC, (HDC, struct_LEAD_Bitmap*, int, int, int, int, int))                           \
    X(Display, 137, ScreenCapture, int, (HDC, struct_LEAD_Bitmap*, RECT*))                                         \
    X(Display, 139, Underlay, int, (struct_LEAD_Bitmap*, struct_LEAD_Bitmap*, unsigned int))                       \
    /* effects library ltefx12n */                                                                                 \
    X(Effects, 100, EfxPaintBitmap, int,                                                                           \
      (HDC, struct_LEAD_Bitmap*, RECT*, RECT*, RECT*, RECT*, unsigned int, unsigned int, unsigned int,             \
       unsigned int, unsigned int, int, unsigned long, unsigned int, unsigned long, unsigned long))                \
    X(Effects, 110, PaintDCEffect, int,                                                                            \
      (HDC, struct_LEAD_Bitmap*, RECT*, RECT*, RECT*, RECT*, unsigned long, unsigned int))                         \
    /* dialog library ltdlg12n: the window-level dialog */                                                         \
    X(Dialog, 111, WindowLevelDlg, int,                                                                            \
      (HWND, struct_LEAD_Bitmap*, RGBQUAD*, unsigned int, int, int, int*, int*, COLORREF*, COLORREF*,              \
       unsigned int, int, int))
