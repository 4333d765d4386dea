// The built-in back end on Windows: picture files and resampling through the
// Windows Imaging Component. The filters, the colour-space operations,
// shearing and rotation by other angles than quarter turns have no
// implementation here and answer IMGSDK_ERROR_NOT_SUPPORTED.
#include <imagesdk/dispatch.h>

#include "backend_p.h"
#include "pixel_values_p.h"
#include "wic_p.h"

#include <cstring>
#include <vector>

namespace imagesdk::detail {

int resample(struct_LEAD_Bitmap* b, int width, int height, unsigned long flags) {
    const WicSession wic;
    if (!wic) return IMGSDK_ERROR_NOT_SUPPORTED;
    IWICImagingFactory* const factory = wic.factory.get();
    Com<IWICBitmap> source;
    Com<IWICPalette> unused;
    Com<IWICBitmapScaler> scaler;
    WICPixelFormatGUID format{};
    if (FAILED(pictureSource(factory, *b, IMGFILE_PNG, source.put(), unused.put())) ||
        FAILED(source->GetPixelFormat(&format)) || FAILED(factory->CreateBitmapScaler(scaler.put())) ||
        FAILED(scaler->Initialize(source.get(), UINT(width), UINT(height),
                                  (flags & SIZE_BICUBIC) ? WICBitmapInterpolationModeCubic
                                                         : WICBitmapInterpolationModeLinear)))
        return IMGSDK_ERROR_NO_MEMORY;
    const UINT channels = IsEqualGUID(format, GUID_WICPixelFormat8bppGray)     ? 1
                        : IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) ? 4
                                                                             : 3;
    const UINT stride = UINT(width) * channels;
    std::vector<unsigned char> px(size_t(stride) * size_t(height));
    if (FAILED(scaler->CopyPixels(nullptr, stride, UINT(px.size()), px.data()))) return IMGSDK_ERROR_NO_MEMORY;
    struct_LEAD_Bitmap fresh;
    const int rc = createLike(*b, width, height, fresh, false);
    if (rc != IMGSDK_SUCCESS) return rc;
    std::vector<unsigned char> bgr(size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        const unsigned char* in = px.data() + size_t(stride) * size_t(y);
        unsigned char* row = rowFromTop(fresh, y);
        if (channels == 1 || (channels == 4 && !colorOrderRgb(fresh))) {
            std::memcpy(row, in, stride);
            continue;
        }
        for (int x = 0; x < width; ++x) std::memcpy(&bgr[3 * size_t(x)], in + channels * size_t(x), 3);
        rowFromBgr(fresh, row, bgr.data(), nullptr);
        for (int x = 0; channels == 4 && x < width; ++x) row[4 * x + 3] = in[4 * x + 3];
    }
    replacePicture(*b, fresh);
    return IMGSDK_SUCCESS;
}

int rotateFree(struct_LEAD_Bitmap*, long, int, unsigned long) { return IMGSDK_ERROR_NOT_SUPPORTED; }

void setBackEndEntries(DispatchTable&) {}

}  // namespace imagesdk::detail
