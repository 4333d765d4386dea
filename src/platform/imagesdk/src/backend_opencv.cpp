// The built-in back end on Linux: pictures processed with OpenCV (core,
// imgproc), files decoded and encoded by OpenCV's codecs and giflib.
#include <imagesdk/dispatch.h>

#include "backend_p.h"

namespace imagesdk::detail {

void setBackEndEntries(DispatchTable& t) {
    t.set<Library::Kernel, 150>(&shear);
    t.set<Library::Image, 100>(&addNoise);
    t.set<Library::Image, 101>(&averageFilter);
    t.set<Library::Image, 102>(&binaryFilter);
    t.set<Library::Image, 104>(&changeHue);
    t.set<Library::Image, 106>(&changeSaturation);
    t.set<Library::Image, 107>(&colorMerge);
    t.set<Library::Image, 108>(&colorSeparate);
    t.set<Library::Image, 109>(&deskew);
    t.set<Library::Image, 110>(&despeckle);
    t.set<Library::Image, 111>(&emboss);
    t.set<Library::Image, 115>(&histoEqualize);
    t.set<Library::Image, 116>(&intensityDetect);
    t.set<Library::Image, 118>(&medianFilter);
    t.set<Library::Image, 119>(&mosaic);
    t.set<Library::Image, 122>(&sharpen);
    t.set<Library::Image, 123>(&spatialFilter);
}

}  // namespace imagesdk::detail
