// The entry points the built-in back end implements (what each does is in
// imagesdk/entry_points.h).
#pragma once

#include <imagesdk/records.h>
#include <imagesdk/results.h>

namespace imagesdk::detail {

// A handle result that failed: the code becomes the thread's last error.
template <class H>
H failWith(int code) {
    SetLastError(static_cast<DWORD>(code));
    return nullptr;
}

// kernel library: records, storage, DIBs
int init(struct_LEAD_Bitmap* bitmap, int width, int height, int bpp);
void freeBitmap(struct_LEAD_Bitmap* bitmap);
int changeFromDib(struct_LEAD_Bitmap* bitmap, void* dib);
void* changeToDib(struct_LEAD_Bitmap* bitmap);
int convertFromDib(struct_LEAD_Bitmap* bitmap, BITMAPINFO* info, unsigned char* bits);
void* convertToDib(struct_LEAD_Bitmap* bitmap);
void access(struct_LEAD_Bitmap* b);
void release(struct_LEAD_Bitmap* b);
int allocate(struct_LEAD_Bitmap* b, int memoryKind);
int changeHeight(struct_LEAD_Bitmap* b, int height);
int clear(struct_LEAD_Bitmap* b);
int copy(struct_LEAD_Bitmap* dst, struct_LEAD_Bitmap* src);
int copyData(struct_LEAD_Bitmap* dst, struct_LEAD_Bitmap* src);
void copyHandle(struct_LEAD_Bitmap* dst, struct_LEAD_Bitmap* src);
int copyRect(struct_LEAD_Bitmap* dst, struct_LEAD_Bitmap* src, unsigned col, unsigned row, unsigned width,
             unsigned height);
int create(struct_LEAD_Bitmap* b, unsigned width, unsigned height, unsigned bpp, unsigned order, unsigned perspective,
           RGBQUAD* table, unsigned memoryKind, unsigned char* data, unsigned long size);
int fill(struct_LEAD_Bitmap* b, unsigned long color);
int getColors(struct_LEAD_Bitmap* b, int index, int count, RGBQUAD* out);
int putColors(struct_LEAD_Bitmap* b, int index, int count, RGBQUAD* in);
long getRow(struct_LEAD_Bitmap* b, unsigned char* buffer, int row, unsigned long bytes);
long putRow(struct_LEAD_Bitmap* b, unsigned char* buffer, int row, unsigned long bytes);
long getRowCol(struct_LEAD_Bitmap* b, unsigned char* buffer, int row, int col, unsigned long bytes);
long putRowCol(struct_LEAD_Bitmap* b, unsigned char* buffer, int row, int col, unsigned long bytes);
unsigned long getPixelColor(struct_LEAD_Bitmap* b, int row, int col);
int putPixelColor(struct_LEAD_Bitmap* b, int row, int col, unsigned long color);

// kernel library: geometry, colour, combining, device contexts
int flip(struct_LEAD_Bitmap* b);
int reverse(struct_LEAD_Bitmap* b);
int rotate(struct_LEAD_Bitmap* b, long angle, int resize, unsigned long fill);
// Rotation by an angle that is not a turn keeping every pixel (the back end's).
int rotateFree(struct_LEAD_Bitmap* b, long angle, int resize, unsigned long fill);
int shear(struct_LEAD_Bitmap* b, int angle, int horizontal, unsigned long fill);
int size(struct_LEAD_Bitmap* b, int width, int height, unsigned long flags);
// Resizing that blends the pixels (SIZE_RESAMPLE or SIZE_BICUBIC) of a picture
// without a colour table (the back end's).
int resample(struct_LEAD_Bitmap* b, int width, int height, unsigned long flags);
int resize(struct_LEAD_Bitmap* src, struct_LEAD_Bitmap* dst);
int grayScale(struct_LEAD_Bitmap* b, int bpp);
int colorRes(struct_LEAD_Bitmap* b, struct_LEAD_Bitmap* dst, int bpp, unsigned long flags, RGBQUAD* table,
             HPALETTE palette, unsigned colors, LEADFILECALLBACK callback, void* user);
int startDithering(struct_LEAD_Bitmap* b, RGBQUAD* table, unsigned colors);
int ditherLine(struct_LEAD_Bitmap* b, unsigned char* src, unsigned char* dst);
int stopDithering(struct_LEAD_Bitmap* b);
int combine(struct_LEAD_Bitmap* dst, int col, int row, int w, int h, struct_LEAD_Bitmap* src, int srcCol, int srcRow,
            unsigned long flags);
HDC createPictureDC(struct_LEAD_Bitmap* b);
int deletePictureDC(HDC dc);

// image-processing library
int addNoise(struct_LEAD_Bitmap* b, unsigned range, unsigned channel);
int averageFilter(struct_LEAD_Bitmap* b, unsigned dim);
int binaryFilter(struct_LEAD_Bitmap* b, BINARYFLT* filter);
int changeContrast(struct_LEAD_Bitmap* b, int change);
int changeHue(struct_LEAD_Bitmap* b, int angle);
int changeIntensity(struct_LEAD_Bitmap* b, int change);
int changeSaturation(struct_LEAD_Bitmap* b, int change);
int colorMerge(struct_LEAD_Bitmap* b, struct_LEAD_Bitmap** planes, unsigned long flags);
int colorSeparate(struct_LEAD_Bitmap* b, struct_LEAD_Bitmap** planes, unsigned long flags);
int deskew(struct_LEAD_Bitmap* b, long* angle);
int despeckle(struct_LEAD_Bitmap* b);
int emboss(struct_LEAD_Bitmap* b, unsigned direction, unsigned depth);
int gammaCorrect(struct_LEAD_Bitmap* b, unsigned gamma);
int getHistogram(struct_LEAD_Bitmap* b, unsigned long* histogram, unsigned channel);
int histoContrast(struct_LEAD_Bitmap* b, int change);
int histoEqualize(struct_LEAD_Bitmap* b);
int intensityDetect(struct_LEAD_Bitmap* b, unsigned low, unsigned high);
int invert(struct_LEAD_Bitmap* b);
int medianFilter(struct_LEAD_Bitmap* b, unsigned dim);
int mosaic(struct_LEAD_Bitmap* b, unsigned dim);
int posterize(struct_LEAD_Bitmap* b, unsigned levels);
int remapIntensity(struct_LEAD_Bitmap* b, unsigned char* lut, unsigned channel);
int sharpen(struct_LEAD_Bitmap* b, int sharpness);
int spatialFilter(struct_LEAD_Bitmap* b, SPATIALFLT* filter);
int stretchIntensity(struct_LEAD_Bitmap* b);
int getMinMaxVal(struct_LEAD_Bitmap* b, int* minimum, int* maximum);
int getMinMaxBits(struct_LEAD_Bitmap* b, int* low, int* high);

// file library
int fileInfo(char* path, FILEINFO* info, unsigned int flags, LOADFILEOPTION* options);
int load(char* path, struct_LEAD_Bitmap* bitmap, int bpp, int order, LOADFILEOPTION* options, FILEINFO* info);
int loadFile(char* path, struct_LEAD_Bitmap* bitmap, int bpp, int order, unsigned int flags,
             LEADFILECALLBACK callback, void* user, LOADFILEOPTION* options, FILEINFO* info);
int loadFileOffset(int fd, long offset, long size, struct_LEAD_Bitmap* bitmap, int bpp, int order, unsigned flags,
                   LEADFILECALLBACK callback, void* user, LOADFILEOPTION* options, FILEINFO* info);
int loadBitmapMemory(unsigned char* buffer, struct_LEAD_Bitmap* bitmap, int bpp, int order, long size,
                     LOADFILEOPTION* options, FILEINFO* info);
int loadMemory(unsigned char* buffer, struct_LEAD_Bitmap* bitmap, int bpp, int order, unsigned flags,
               LEADFILECALLBACK callback, void* user, long size, LOADFILEOPTION* options, FILEINFO* info);
int save(char* path, struct_LEAD_Bitmap* bitmap, int format, int bpp, int quality, SAVEFILEOPTION* options);
int saveFile(char* path, struct_LEAD_Bitmap* bitmap, int format, int bpp, int quality, unsigned flags,
             LEADFILECALLBACK callback, void* user, SAVEFILEOPTION* options);
int defaultSaveOptions(SAVEFILEOPTION* options);
int saveFileOffset(int fd, long offset, long* size, struct_LEAD_Bitmap* bitmap, int format, int bpp, int quality,
                   unsigned flags, LEADFILECALLBACK callback, void* user, SAVEFILEOPTION* options);
int saveMemory(void** memory, struct_LEAD_Bitmap* bitmap, int format, int bpp, int quality, unsigned long* size,
               SAVEFILEOPTION* options);
int getCompressFileStamp(char* path, struct_LEAD_Bitmap* bitmap, LOADFILEOPTION* options);

// display library
int changeFromDdb(HDC dc, struct_LEAD_Bitmap* bitmap, HBITMAP ddb, HPALETTE palette);
HBITMAP changeToDdb(HDC dc, struct_LEAD_Bitmap* bitmap);
int convertFromDdb(HDC dc, struct_LEAD_Bitmap* bitmap, HBITMAP ddb, HPALETTE palette);
HBITMAP convertToDdb(HDC dc, struct_LEAD_Bitmap* bitmap);
HPALETTE createPaintPalette(HDC dc, struct_LEAD_Bitmap* b);
int copyFromClipboard(HWND owner, struct_LEAD_Bitmap* b);
int copyToClipboard(HWND owner, struct_LEAD_Bitmap* b);
int copyToClipboardExt(HWND owner, struct_LEAD_Bitmap* b, unsigned flags);
int halfTone(struct_LEAD_Bitmap* b, unsigned type);
int halfToneExt(struct_LEAD_Bitmap* b, unsigned type, long angle);
int paintDC(HDC dc, struct_LEAD_Bitmap* b, RECT* src, RECT* clipSrc, RECT* dst, RECT* clipDst, unsigned long rop);
int paintDCBuffer(HDC dc, struct_LEAD_Bitmap* b, RECT* src, RECT* clipSrc, RECT* dst, RECT* clipDst,
                  unsigned long rop, unsigned char* buffer, int row, int count);
HDC print(struct_LEAD_Bitmap* b, int x, int y, int width, int height, int endDoc);
HDC printExt(HDC dc, struct_LEAD_Bitmap* b, int x, int y, int width, int height, int endDoc);
HDC printFast(HDC dc, struct_LEAD_Bitmap* b, int x, int y, int width, int height, int endDoc);
int screenCapture(HDC dc, struct_LEAD_Bitmap* b, RECT* rect);
int underlay(struct_LEAD_Bitmap* b, struct_LEAD_Bitmap* under, unsigned flags);

// effects library
int efxPaintBitmap(HDC dc, struct_LEAD_Bitmap* b, RECT* src, RECT* clipSrc, RECT* dst, RECT* clipDst, unsigned effect,
                   unsigned grain, unsigned delay, unsigned speed, unsigned cycles, int pass, unsigned long maxPass,
                   unsigned transparent, unsigned long transparentColor, unsigned long rop);
int paintDCEffect(HDC dc, struct_LEAD_Bitmap* b, RECT* src, RECT* clipSrc, RECT* dst, RECT* clipDst,
                  unsigned long rop, unsigned effect);

// dialog library
int windowLevelDialog(HWND parent, struct_LEAD_Bitmap* b, RGBQUAD* table, unsigned entries, int lowBit, int highBit,
                      int* low, int* high, COLORREF* start, COLORREF* end, unsigned flags, int, int);


}  // namespace imagesdk::detail

namespace imagesdk {
class DispatchTable;
namespace detail {
// The entry points of the back end this build has chosen (OpenCV on Linux,
// the Windows Imaging Component on Windows), beside the shared ones.
void setBackEndEntries(DispatchTable& t);
}  // namespace detail
}  // namespace imagesdk
