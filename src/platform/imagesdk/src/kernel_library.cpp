// The kernel library: initialising and freeing records, and moving pictures
// in and out of DIBs.
#include "backend_p.h"
#include "picture_p.h"

namespace imagesdk::detail {

int init(struct_LEAD_Bitmap* bitmap, int width, int height, int bpp) {
    if (!bitmap || width < 0 || height < 0) return IMGSDK_ERROR_INV_PARAMETER;
    // A record that owns a picture would lose it.
    if (bitmap->Flags & BITMAPFLAG_ALLOCATED) return IMGSDK_ERROR_BITMAP_ALLOCATED;
    if (!supportedDepth(bpp)) return IMGSDK_ERROR_BPP_NOT_SUPPORTED;
    describe(*bitmap, width, height, bpp);
    return IMGSDK_SUCCESS;
}

void freeBitmap(struct_LEAD_Bitmap* bitmap) {
    if (bitmap) releasePicture(*bitmap);
}

int changeFromDib(struct_LEAD_Bitmap* bitmap, void* dib) {
    if (!bitmap || !dib) return IMGSDK_ERROR_INV_PARAMETER;
    HGLOBAL block = static_cast<HGLOBAL>(dib);
    const SIZE_T size = GlobalSize(block);
    const void* data = GlobalLock(block);
    if (!data || size == 0) return IMGSDK_ERROR_INV_PARAMETER;
    struct_LEAD_Bitmap pic;
    const int rc = pictureFromDib(pic, data, nullptr, size);
    GlobalUnlock(block);
    if (rc != IMGSDK_SUCCESS) return rc;
    replacePicture(*bitmap, pic);
    return IMGSDK_SUCCESS;
}

void* changeToDib(struct_LEAD_Bitmap* bitmap) {
    if (!bitmap) return nullptr;
    return detachAsDib(*bitmap);
}

int convertFromDib(struct_LEAD_Bitmap* bitmap, BITMAPINFO* info, unsigned char* bits) {
    if (!bitmap || !info) return IMGSDK_ERROR_INV_PARAMETER;
    struct_LEAD_Bitmap pic;
    const int rc = pictureFromDib(pic, info, bits, 0);
    if (rc != IMGSDK_SUCCESS) return rc;
    replacePicture(*bitmap, pic);
    return IMGSDK_SUCCESS;
}

void* convertToDib(struct_LEAD_Bitmap* bitmap) {
    if (!bitmap) return nullptr;
    return copyAsDib(*bitmap);
}

}  // namespace imagesdk::detail
