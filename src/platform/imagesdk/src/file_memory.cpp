// The file library: loading pictures from memory and from a part of an open file.
#include "backend_p.h"
#include "codecs_p.h"

#include <imagesdk/limits.h>

#include <unistd.h>
#include <vector>

namespace imagesdk::detail {

int loadMemory(unsigned char* buffer, struct_LEAD_Bitmap* bitmap, int bpp, int order, unsigned flags,
               LEADFILECALLBACK callback, void* user, long size, LOADFILEOPTION* options, FILEINFO* info) {
    if (!buffer || !bitmap || size <= 0) return IMGSDK_ERROR_INV_PARAMETER;
    if (uint64_t(size) > kMaxFileBytes) return IMGSDK_ERROR_FILE_TOO_LARGE;
    const MemorySource src(buffer, uint64_t(size));
    return loadFromSource(src, buffer, bitmap, bpp, order, flags, callback, user, options, info);
}

int loadBitmapMemory(unsigned char* buffer, struct_LEAD_Bitmap* bitmap, int bpp, int order, long size,
                     LOADFILEOPTION* options, FILEINFO* info) {
    return loadMemory(buffer, bitmap, bpp, order, LOADFILE_ALLOCATE | LOADFILE_STORE, nullptr, nullptr, size, options,
                      info);
}

int loadFileOffset(int fd, long offset, long size, struct_LEAD_Bitmap* bitmap, int bpp, int order, unsigned flags,
                   LEADFILECALLBACK callback, void* user, LOADFILEOPTION* options, FILEINFO* info) {
    if (fd < 0 || offset < 0 || size <= 0 || !bitmap) return IMGSDK_ERROR_INV_PARAMETER;
    if (uint64_t(size) > kMaxFileBytes) return IMGSDK_ERROR_FILE_TOO_LARGE;
    std::vector<unsigned char> bytes;
    try {
        bytes.resize(size_t(size));
    } catch (const std::bad_alloc&) {
        return IMGSDK_ERROR_NO_MEMORY;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, off_t(offset) + off_t(done));
        if (n < 0) return IMGSDK_ERROR_FILE_READ;
        if (n == 0) return IMGSDK_ERROR_FILE_CORRUPT;  // the file ends before the picture does
        done += size_t(n);
    }
    const MemorySource src(bytes.data(), bytes.size());
    return loadFromSource(src, bytes.data(), bitmap, bpp, order, flags, callback, user, options, info);
}

}  // namespace imagesdk::detail
