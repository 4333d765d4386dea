// The file library's load path, whatever decodes the pictures: the arguments,
// the file's header (our own readers), the page, and where the rows go.
#include "backend_p.h"
#include "decoder_p.h"
#include "picture_p.h"

#include <cstring>
#include <new>
#include <vector>

namespace imagesdk::detail {

namespace {

// Hands the picture's rows, top row first, to the caller's callback.
int deliverRows(const struct_LEAD_Bitmap& pic, FILEINFO& info, LEADFILECALLBACK callback, void* user) {
    struct_LEAD_Bitmap view = pic;
    for (int y = 0; y < pic.Height; ++y) {
        const int rc = callback(&info, &view, rowFromTop(pic, y), y, 1, user);
        if (rc != IMGSDK_SUCCESS) return rc < 0 ? rc : IMGSDK_ERROR_USER_ABORT;
    }
    return IMGSDK_SUCCESS;
}

bool validDepth(int bpp) { return bpp == 0 || supportedDepth(bpp); }


// The arguments of the load entry points, checked before anything is read.
int checkLoadArguments(struct_LEAD_Bitmap* bitmap, int bpp, int order, unsigned int flags, LEADFILECALLBACK callback,
                       LOADFILEOPTION* options) {
    if (!bitmap) return IMGSDK_ERROR_INV_PARAMETER;
    if (!validDepth(bpp)) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    if (order < ORDER_RGB || order > ORDER_BGRORGRAY) return IMGSDK_ERROR_INV_PARAMETER;
    if (options && options->uStructSize != sizeof(LOADFILEOPTION)) return IMGSDK_ERROR_INV_PARAMETER;
    const bool store = (flags & LOADFILE_STORE) != 0;
    const bool allocate = (flags & LOADFILE_ALLOCATE) != 0;
    if (!store && !callback) return IMGSDK_ERROR_INV_PARAMETER;
    // Without ALLOCATE the rows go into the record's own picture, which fixes the depth.
    if (store && !allocate) {
        if (!allocated(bitmap)) return IMGSDK_ERROR_NO_BITMAP;
        if (bpp != 0 && bpp != bitmap->BitsPerPixel) return IMGSDK_ERROR_INV_PARAMETER;
    }
    return IMGSDK_SUCCESS;
}

}  // namespace

int fileInfo(char* path, FILEINFO* info, unsigned int /*flags*/, LOADFILEOPTION* options) {
    if (!path || !info) return IMGSDK_ERROR_INV_PARAMETER;
    if (options && options->uStructSize != sizeof(LOADFILEOPTION)) return IMGSDK_ERROR_INV_PARAMETER;
    FileSource src;
    int rc = src.open(path);
    if (rc != IMGSDK_SUCCESS) {
        std::memset(info, 0, sizeof *info);
        info->uStructSize = sizeof(FILEINFO);
        return rc;
    }
    rc = identify(src, *info);
    if (rc == IMGSDK_SUCCESS && options && options->PageNumber > info->TotalPages) rc = IMGSDK_ERROR_PAGE_NOT_FOUND;
    return rc;
}

int loadFromSource(const ByteSource& src, const unsigned char* data, struct_LEAD_Bitmap* bitmap, int bpp, int order,
                   unsigned int flags, LEADFILECALLBACK callback, void* user, LOADFILEOPTION* options,
                   FILEINFO* infoOut) {
    int rc = checkLoadArguments(bitmap, bpp, order, flags, callback, options);
    if (rc != IMGSDK_SUCCESS) return rc;
    const bool store = (flags & LOADFILE_STORE) != 0;
    const bool allocate = (flags & LOADFILE_ALLOCATE) != 0;
    if (store && !allocate && bpp == 0) bpp = bitmap->BitsPerPixel;

    FILEINFO info;
    rc = identify(src, info);
    if (rc != IMGSDK_SUCCESS) return rc;
    const int page = options ? options->PageNumber : 0;
    if (page < 0) return IMGSDK_ERROR_INV_PARAMETER;
    if (page > info.TotalPages) return IMGSDK_ERROR_PAGE_NOT_FOUND;

    struct_LEAD_Bitmap pic;
    {
        std::vector<unsigned char> bytes;
        if (!data) {
            try {
                bytes.resize(static_cast<size_t>(src.size()));
            } catch (const std::bad_alloc&) {
                return IMGSDK_ERROR_NO_MEMORY;
            }
            if (!src.read(0, bytes.data(), bytes.size())) return IMGSDK_ERROR_FILE_READ;
            data = bytes.data();
        }
        rc = decodePicture(data, static_cast<size_t>(src.size()), info, bpp, order, flags, page, pic);
        if (rc != IMGSDK_SUCCESS) return rc;
    }
    pic.XResolution = info.XResolution;
    pic.YResolution = info.YResolution;

    if (callback) {
        rc = deliverRows(pic, info, callback, user);
        if (rc != IMGSDK_SUCCESS) {
            releasePicture(pic);
            return rc;
        }
    }
    if (!store) {
        releasePicture(pic);
    } else if (allocate) {
        replacePicture(*bitmap, pic);
    } else {
        if (pic.Width != bitmap->Width || pic.Height != bitmap->Height) {
            releasePicture(pic);
            return IMGSDK_ERROR_INV_PARAMETER;
        }
        for (int y = 0; y < pic.Height; ++y)
            std::memcpy(rowFromTop(*bitmap, y), rowFromTop(pic, y), static_cast<size_t>(pic.BytesPerLine));
        if (pic.nColors && bitmap->pPalette) {
            std::memcpy(bitmap->pPalette, pic.pPalette,
                        static_cast<size_t>(std::min(pic.nColors, bitmap->nColors)) * sizeof(RGBQUAD));
        }
        bitmap->Order = pic.Order;
        releasePicture(pic);
    }
    if (infoOut) *infoOut = info;
    return IMGSDK_SUCCESS;
}

int loadFile(char* path, struct_LEAD_Bitmap* bitmap, int bpp, int order, unsigned int flags,
             LEADFILECALLBACK callback, void* user, LOADFILEOPTION* options, FILEINFO* infoOut) {
    if (!path || !bitmap) return IMGSDK_ERROR_INV_PARAMETER;
    int rc = checkLoadArguments(bitmap, bpp, order, flags, callback, options);
    if (rc != IMGSDK_SUCCESS) return rc;
    FileSource src;
    rc = src.open(path);
    if (rc != IMGSDK_SUCCESS) return rc;
    return loadFromSource(src, nullptr, bitmap, bpp, order, flags, callback, user, options, infoOut);
}

int load(char* path, struct_LEAD_Bitmap* bitmap, int bpp, int order, LOADFILEOPTION* options, FILEINFO* info) {
    return loadFile(path, bitmap, bpp, order, LOADFILE_ALLOCATE | LOADFILE_STORE, nullptr, nullptr, options, info);
}

}  // namespace imagesdk::detail
