// The dispatch table and the built-in back end's table.
#include <imagesdk/dispatch.h>

#include "backend_p.h"

namespace imagesdk {

const char* libraryName(Library lib) {
    switch (lib) {
    case Library::Kernel: return "ltkrn12n";
    case Library::Image: return "ltimg12n";
    case Library::File: return "ltfil12n";
    case Library::Display: return "ltdis12n";
    case Library::Effects: return "ltefx12n";
    case Library::Dialog: return "ltdlg12n";
    }
    return "";
}

DispatchTable::DispatchTable() {
#define HMIGFX_IMAGESDK_SET_UNSUPPORTED(lib, ordinal, entryName, result, params) \
    set<Library::lib, ordinal>(nullptr);
    HMIGFX_IMAGESDK_ENTRY_POINTS(HMIGFX_IMAGESDK_SET_UNSUPPORTED)
#undef HMIGFX_IMAGESDK_SET_UNSUPPORTED
}

bool DispatchTable::has(Library lib, int ordinal) const {
    const int l = static_cast<int>(lib);
    return l >= 0 && l < kLibraryCount && ordinal >= 0 && ordinal < kOrdinalLimit && slots_[l][ordinal] != nullptr;
}

// The entry points every back end shares: records and storage, DIBs, device
// contexts, colour resolution, flips and quarter turns, combining, curves and
// level statistics, half-toning, underlays, painting, printing and the
// clipboard over GDI, the file library (its codecs are the back end's),
// effects and dialogs.
static void setSharedEntries(DispatchTable& t) {
    using namespace detail;
    t.set<Library::Kernel, 100>(&access);
    t.set<Library::Kernel, 101>(&allocate);
    t.set<Library::Kernel, 102>(&changeHeight);
    t.set<Library::Kernel, 104>(&changeFromDib);
    t.set<Library::Kernel, 106>(&changeToDib);
    t.set<Library::Kernel, 107>(&clear);
    t.set<Library::Kernel, 108>(&colorRes);
    t.set<Library::Kernel, 110>(&convertFromDib);
    t.set<Library::Kernel, 111>(&convertToDib);
    t.set<Library::Kernel, 112>(&copy);
    t.set<Library::Kernel, 113>(&copyData);
    t.set<Library::Kernel, 114>(&copyHandle);
    t.set<Library::Kernel, 115>(&copyRect);
    t.set<Library::Kernel, 116>(&create);
    t.set<Library::Kernel, 117>(&createPictureDC);
    t.set<Library::Kernel, 120>(&deletePictureDC);
    t.set<Library::Kernel, 121>(&ditherLine);
    t.set<Library::Kernel, 123>(&fill);
    t.set<Library::Kernel, 124>(&flip);
    t.set<Library::Kernel, 125>(&freeBitmap);
    t.set<Library::Kernel, 128>(&getColors);
    t.set<Library::Kernel, 129>(&getRow);
    t.set<Library::Kernel, 130>(&getRowCol);
    t.set<Library::Kernel, 132>(&getPixelColor);
    t.set<Library::Kernel, 133>(&grayScale);
    t.set<Library::Kernel, 134>(&init);
    t.set<Library::Kernel, 136>(&putColors);
    t.set<Library::Kernel, 137>(&putRow);
    t.set<Library::Kernel, 138>(&putRowCol);
    t.set<Library::Kernel, 139>(&putPixelColor);
    t.set<Library::Kernel, 141>(&release);
    t.set<Library::Kernel, 143>(&resize);
    t.set<Library::Kernel, 144>(&reverse);
    t.set<Library::Kernel, 145>(&rotate);
    t.set<Library::Kernel, 151>(&size);
    t.set<Library::Kernel, 152>(&startDithering);
    t.set<Library::Kernel, 154>(&stopDithering);
    t.set<Library::Kernel, 241>(&combine);
    t.set<Library::Image, 103>(&changeContrast);
    t.set<Library::Image, 105>(&changeIntensity);
    t.set<Library::Image, 112>(&gammaCorrect);
    t.set<Library::Image, 113>(&getHistogram);
    t.set<Library::Image, 114>(&histoContrast);
    t.set<Library::Image, 117>(&invert);
    t.set<Library::Image, 120>(&posterize);
    t.set<Library::Image, 121>(&remapIntensity);
    t.set<Library::Image, 124>(&stretchIntensity);
    t.set<Library::Image, 133>(&getMinMaxVal);
    t.set<Library::Image, 134>(&getMinMaxBits);
    t.set<Library::File, 100>(&fileInfo);
    t.set<Library::File, 101>(&load);
    t.set<Library::File, 102>(&loadFile);
    t.set<Library::File, 103>(&save);
    t.set<Library::File, 104>(&saveFile);
    t.set<Library::File, 106>(&defaultSaveOptions);
    t.set<Library::File, 112>(&saveFileOffset);
    t.set<Library::File, 113>(&loadFileOffset);
    t.set<Library::File, 118>(&loadBitmapMemory);
    t.set<Library::File, 116>(&saveMemory);
    t.set<Library::File, 119>(&loadMemory);
    t.set<Library::File, 145>(&getCompressFileStamp);
    t.set<Library::Display, 120>(&changeFromDdb);
    t.set<Library::Display, 121>(&changeToDdb);
    t.set<Library::Display, 122>(&createPaintPalette);
    t.set<Library::Display, 124>(&convertFromDdb);
    t.set<Library::Display, 125>(&convertToDdb);
    t.set<Library::Display, 126>(&copyFromClipboard);
    t.set<Library::Display, 127>(&copyToClipboard);
    t.set<Library::Display, 128>(&copyToClipboardExt);
    t.set<Library::Display, 130>(&halfTone);
    t.set<Library::Display, 131>(&halfToneExt);
    t.set<Library::Display, 132>(&paintDC);
    t.set<Library::Display, 133>(&paintDCBuffer);
    t.set<Library::Display, 134>(&print);
    t.set<Library::Display, 135>(&printExt);
    t.set<Library::Display, 136>(&printFast);
    t.set<Library::Display, 137>(&screenCapture);
    t.set<Library::Display, 139>(&underlay);
    t.set<Library::Effects, 100>(&efxPaintBitmap);
    t.set<Library::Effects, 110>(&paintDCEffect);
    t.set<Library::Dialog, 111>(&windowLevelDialog);
}

namespace {

const DispatchTable* active = nullptr;

}  // namespace

const DispatchTable& builtinBackEnd() {
    static const DispatchTable table = [] {
        DispatchTable t;
        setSharedEntries(t);
        detail::setBackEndEntries(t);
        return t;
    }();
    return table;
}

const DispatchTable& activeBackEnd() { return active ? *active : builtinBackEnd(); }

const DispatchTable* installBackEnd(const DispatchTable* table) {
    const DispatchTable* previous = &activeBackEnd();
    active = table;
    return previous;
}

}  // namespace imagesdk
