// The file library: loading pictures from memory and from a part of an open
// file, and reading and writing open files at an offset.
#include "backend_p.h"
#include "decoder_p.h"

#include <imagesdk/limits.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace imagesdk::detail {

// The Windows CRT has no pread or pwrite: it seeks first.
long long readAt(int fd, unsigned char* out, size_t n, uint64_t offset) {
#ifdef _WIN32
    if (_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) < 0) return -1;
    return _read(fd, out, static_cast<unsigned>(std::min<size_t>(n, 1u << 30)));
#else
    return ::pread(fd, out, n, off_t(offset));
#endif
}

long long writeAt(int fd, const unsigned char* in, size_t n, uint64_t offset) {
#ifdef _WIN32
    if (_lseeki64(fd, static_cast<long long>(offset), SEEK_SET) < 0) return -1;
    return _write(fd, in, static_cast<unsigned>(std::min<size_t>(n, 1u << 30)));
#else
    return ::pwrite(fd, in, n, off_t(offset));
#endif
}

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
        const long long n = readAt(fd, bytes.data() + done, bytes.size() - done, uint64_t(offset) + done);
        if (n < 0) return IMGSDK_ERROR_FILE_READ;
        if (n == 0) return IMGSDK_ERROR_FILE_CORRUPT;  // the file ends before the picture does
        done += size_t(n);
    }
    const MemorySource src(bytes.data(), bytes.size());
    return loadFromSource(src, bytes.data(), bitmap, bpp, order, flags, callback, user, options, info);
}

}  // namespace imagesdk::detail
