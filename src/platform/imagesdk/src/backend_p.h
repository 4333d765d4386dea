// The entry points the built-in back end implements.
#pragma once

#include <imagesdk/records.h>

namespace imagesdk::detail {

// kernel library
int init(struct_LEAD_Bitmap* bitmap, int width, int height, int bpp);
void freeBitmap(struct_LEAD_Bitmap* bitmap);
int changeFromDib(struct_LEAD_Bitmap* bitmap, void* dib);
void* changeToDib(struct_LEAD_Bitmap* bitmap);
int convertFromDib(struct_LEAD_Bitmap* bitmap, BITMAPINFO* info, unsigned char* bits);
void* convertToDib(struct_LEAD_Bitmap* bitmap);

// display library
int changeFromDdb(HDC dc, struct_LEAD_Bitmap* bitmap, HBITMAP ddb, HPALETTE palette);
HBITMAP changeToDdb(HDC dc, struct_LEAD_Bitmap* bitmap);
int convertFromDdb(HDC dc, struct_LEAD_Bitmap* bitmap, HBITMAP ddb, HPALETTE palette);
HBITMAP convertToDdb(HDC dc, struct_LEAD_Bitmap* bitmap);

// file library
int fileInfo(char* path, FILEINFO* info, unsigned int flags, LOADFILEOPTION* options);
int loadFile(char* path, struct_LEAD_Bitmap* bitmap, int bpp, int order, unsigned int flags,
             LEADFILECALLBACK callback, void* user, LOADFILEOPTION* options, FILEINFO* info);

}  // namespace imagesdk::detail
