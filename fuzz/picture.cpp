// Picture files: every loader of the imaging back end (memory, file, file at
// an offset, stamps), the Win32 bitmap file loader, and the pattern library,
// which copies a picture into its directory, loads it and fills shapes with it.
//
// The input is the file itself, so real pictures are the seeds; the depth,
// order and page asked for are drawn from its length.
#include "pattern_dir.h"
#include "surface.h"

#include <hmigfx/hmigfx.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path g_dir;      // scratch: the picture file and the pattern directory
std::string g_file;  // the picture file, rewritten for every input

// The picture shown on a small DC, and handed over as a DIB, as hosts do.
void usePicture(CLeadBitmap& bitmap, CDC& dc) {
    RECT dst{0, 0, 24, 16};
    bitmap.PaintDC(&dc, nullptr, nullptr, &dst, nullptr, SRCCOPY);
    if (void* dib = bitmap.ChangeToDIB()) {
        CLeadBitmap back;
        back.ChangeFromDIB(dib);
        back.Free();
        GlobalFree(dib);
    }
    bitmap.Free();
}

// Shapes filled with the picture as pattern (kind 5) or user picture (kind 6).
void fillWithPattern(int kind, CDC& dc) {
    CString source(g_file.c_str());
    const int slot = CMyBrush::InsertPattern(kind, 0, source);
    if (slot < 0) return;
    CPoint origin(0, 0);
    CMyDC my(&dc, 150, origin);
    LOGPEN lp{PS_SOLID, {1, 0}, RGB(0, 0, 128)};
    LOGBRUSH lb{static_cast<UINT>(kind), 0, static_cast<ULONG_PTR>(slot)};
    CRect r(2, 3, 20, 17);
    my.ObjDrawEllipse(r, lp, lb, RGB(255, 255, 0), 0);
    CRect wide(-5, 1, 30, 9);
    my.ObjDrawRectangle(wide, lp, lb, RGB(0, 255, 0), 0);
    CMyBrush::DeletePattern(kind, slot);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_dir = fs::temp_directory_path() / ("hmigfx-fuzz-picture-" + std::to_string(getpid()));
    fs::create_directories(g_dir / "Sys" / "Brush");
    g_file = (g_dir / "input.pic").string();
    hmigfx::app::usePatternDirectory(g_dir / "Sys" / "Brush", nullptr);
    std::atexit([] {
        std::error_code ec;
        fs::remove_all(g_dir, ec);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static constexpr int kDepths[] = {0, 1, 4, 8, 16, 24, 32};
    const int bpp = kDepths[size % 7];
    const int order = static_cast<int>(size / 7 % 5);
    LOADFILEOPTION options{sizeof(LOADFILEOPTION), 0, static_cast<int32_t>(size / 35 % 3), 0};
    hmigfx::app::Surface surface(24, 16);
    CDC& dc = surface.dc();

    // In memory.
    auto* bytes = const_cast<unsigned char*>(data);
    {
        CLeadBitmap bitmap;
        if (bitmap.LoadMemory(bytes, 0, ORDER_BGR, LOADFILE_ALLOCATE | LOADFILE_STORE, nullptr, nullptr,
                              static_cast<long>(size), nullptr, nullptr) == IMGSDK_SUCCESS)
            usePicture(bitmap, dc);
        FILEINFO info{};
        if (bitmap.LoadBitmapMemory(bytes, bpp, order, static_cast<long>(size), &options, &info) == IMGSDK_SUCCESS)
            usePicture(bitmap, dc);
    }

    // From a file, whole and at an offset.
    {
        const int fd = open(g_file.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        if (fd < 0) return 0;
        const bool written = write(fd, "pre", 3) == 3 && write(fd, data, size) == static_cast<ssize_t>(size);
        close(fd);
        if (!written) return 0;
    }
    {
        CLeadBitmap bitmap;
        const int fd = open(g_file.c_str(), O_RDONLY);
        if (bitmap.LoadFileOffset(fd, 3, static_cast<long>(size), bpp, order, LOADFILE_ALLOCATE | LOADFILE_STORE,
                                  nullptr, nullptr, &options, nullptr) == IMGSDK_SUCCESS)
            usePicture(bitmap, dc);
        close(fd);
    }
    if (truncate(g_file.c_str(), 0) != 0) return 0;
    {
        const int fd = open(g_file.c_str(), O_WRONLY);
        const bool written = fd >= 0 && write(fd, data, size) == static_cast<ssize_t>(size);
        if (fd >= 0) close(fd);
        if (!written) return 0;
    }
    {
        CLeadBitmap bitmap;
        const std::wstring wide(g_file.begin(), g_file.end());
        if (bitmap.GetBitmapFile(wide.c_str())) usePicture(bitmap, dc);
        std::string path = g_file;
        if (bitmap.GetCompressFileStamp(path.data(), nullptr) == IMGSDK_SUCCESS) bitmap.Free();
        if (HANDLE h = LoadImageW(nullptr, wide.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)) {
            CDC mem;
            mem.CreateCompatibleDC(&dc);
            CBitmap* old = mem.SelectObject(CBitmap::FromHandle(static_cast<HBITMAP>(h)));
            dc.StretchBlt(0, 0, 24, 16, &mem, 0, 0, 40, 30, SRCCOPY);
            mem.SelectObject(old);
            DeleteObject(h);
        }
    }

    // Through the pattern library.
    fillWithPattern(size % 2 ? 5 : 6, dc);
    AfxUnlockTempMaps();
    return 0;
}
