// The load path of the file library and the back end's decoder under it.
#pragma once

#include "formats_p.h"

#include <cstddef>

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

}  // namespace imagesdk::detail
