// The built-in back end on Windows: picture files through the Windows Imaging
// Component. Image processing, colour reduction and the geometric operations
// have no implementation here yet and answer IMGSDK_ERROR_NOT_SUPPORTED.
#include <imagesdk/dispatch.h>

#include "backend_p.h"
#include "wic_p.h"

namespace imagesdk::detail {

IWICImagingFactory* wicFactory() {
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
        return nullptr;
    return factory;
}

void setBackEndEntries(DispatchTable&) {}

}  // namespace imagesdk::detail
