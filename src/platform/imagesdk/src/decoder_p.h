// The load and save paths of the file library and the back end's codecs under them.
#pragma once

#include "formats_p.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imagesdk::detail {

// Loads from src (data: the same bytes when already in memory, else null).
int loadFromSource(const ByteSource& src, const unsigned char* data, struct_LEAD_Bitmap* bitmap, int bpp, int order,
                   unsigned int flags, LEADFILECALLBACK callback, void* user, LOADFILEOPTION* options,
                   FILEINFO* infoOut);

// Decodes page `page` (1-based, 0 the first) of a file that identify() accepted
// into a fresh picture at bpp (0: the file's own) and order. For a later page,
// info's size becomes that page's. The back end provides it.
int decodePicture(const unsigned char* data, size_t size, FILEINFO& info, int bpp, int order, unsigned int flags,
                  int page, struct_LEAD_Bitmap& pic);

// The bytes of a picture file of one page in PNG, JPEG, TIFF, WebP, PNM or GIF
// (pictures of up to 8 bits); quality as the save entry points take it. The
// back end provides it.
int encodePicture(const struct_LEAD_Bitmap& b, int format, int quality, std::vector<unsigned char>& out);

// The TIFF or GIF file `old` with page `page` (1-based) replaced by pic, or pic
// added when page is one past the last. IMGSDK_ERROR_INV_FORMAT when old is not
// such a file. The back end provides it.
int joinPage(const std::vector<unsigned char>& old, int format, int page, const struct_LEAD_Bitmap& pic,
             std::vector<unsigned char>& out);

// A whole file's bytes, written or read.
int writeBytes(const char* path, const std::vector<unsigned char>& bytes);
int readBytes(const char* path, std::vector<unsigned char>& out);

// Reading and writing an open file at an offset, whatever its position.
long long readAt(int fd, unsigned char* out, size_t n, uint64_t offset);
long long writeAt(int fd, const unsigned char* in, size_t n, uint64_t offset);

}  // namespace imagesdk::detail
