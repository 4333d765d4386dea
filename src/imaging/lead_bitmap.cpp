// CLeadBitmap: every member goes through the imaging SDK's dispatch table.
#include <hmigfx/lead_bitmap.h>

#include <imagesdk/dispatch.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

using imagesdk::call;
using imagesdk::Library;

namespace {

constexpr size_t kFlagsOffset = 32;
static_assert(offsetof(struct_LEAD_Bitmap, Flags) == kFlagsOffset);

HDC outputDC(CDC* pDC) { return pDC ? pDC->m_hDC : nullptr; }

// The path in the thread's ANSI code page, as the file library takes it.
std::string narrowPath(const wchar_t* path) {
    const int wide = static_cast<int>(std::wcslen(path)) + 1;
    const int bytes = ::WideCharToMultiByte(CP_THREAD_ACP, 0, path, wide, nullptr, 0, nullptr, nullptr);
    std::string out;
    if (bytes > 0) {
        out.resize(static_cast<size_t>(bytes));
        if (::WideCharToMultiByte(CP_THREAD_ACP, 0, path, wide, out.data(), bytes, nullptr, nullptr) == bytes) {
            out.resize(static_cast<size_t>(bytes) - 1);
            return out;
        }
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_NOT_ENOUGH_MEMORY) AfxThrowMemoryException();
    AfxThrowOleException(static_cast<SCODE>(error == 0 ? 0x80004005u : (error & 0xFFFFu) | 0x80070000u));
}

}  // namespace

// ---------------------------------------------------------------------------
// The object

CLeadBitmap::CLeadBitmap() {
    // Whatever the memory held, the record must not claim a picture before Init.
    auto* word = reinterpret_cast<unsigned char*>(static_cast<struct_LEAD_Bitmap*>(this)) + kFlagsOffset;
    uint32_t flags;
    std::memcpy(&flags, word, sizeof flags);
    flags &= ~uint32_t(1);
    std::memcpy(word, &flags, sizeof flags);
    Init(1, 1, 1);
}

CLeadBitmap::~CLeadBitmap() {}

CLeadBitmap& CLeadBitmap::operator=(const CLeadBitmap& other) {
    std::memcpy(static_cast<struct_LEAD_Bitmap*>(this), static_cast<const struct_LEAD_Bitmap*>(&other),
                sizeof(struct_LEAD_Bitmap));
    return *this;
}

// ---------------------------------------------------------------------------
// Kernel library

void CLeadBitmap::Access() { call<Library::Kernel, 100>(this); }
int CLeadBitmap::Allocate(int nMemory) { return call<Library::Kernel, 101>(this, nMemory); }
int CLeadBitmap::ChangeHeight(int nHeight) { return call<Library::Kernel, 102>(this, nHeight); }
int CLeadBitmap::ChangeFromDIB(void* hDIB) { return call<Library::Kernel, 104>(this, hDIB); }
void* CLeadBitmap::ChangeToDIB() { return call<Library::Kernel, 106>(this); }
int CLeadBitmap::Clear() { return call<Library::Kernel, 107>(this); }

int CLeadBitmap::ColorRes(struct_LEAD_Bitmap* pDest, int nBitsPerPixel, unsigned long uFlags, RGBQUAD* pPalette,
                          HPALETTE hPalette, unsigned int uColors, LEADFILECALLBACK pfnCallback, void* pUserData) {
    return call<Library::Kernel, 108>(this, pDest, nBitsPerPixel, uFlags, pPalette, hPalette, uColors, pfnCallback,
                                      pUserData);
}

int CLeadBitmap::ConvertFromDIB(BITMAPINFO* pInfo, unsigned char* pBits) {
    return call<Library::Kernel, 110>(this, pInfo, pBits);
}
void* CLeadBitmap::ConvertToDIB() { return call<Library::Kernel, 111>(this); }
int CLeadBitmap::Copy(struct_LEAD_Bitmap* pSource) { return call<Library::Kernel, 112>(this, pSource); }
int CLeadBitmap::CopyData(struct_LEAD_Bitmap* pSource) { return call<Library::Kernel, 113>(this, pSource); }
void CLeadBitmap::CopyHandle(struct_LEAD_Bitmap* pSource) { call<Library::Kernel, 114>(this, pSource); }

int CLeadBitmap::CopyRect(struct_LEAD_Bitmap* pSource, unsigned int uCol, unsigned int uRow, unsigned int uWidth,
                          unsigned int uHeight) {
    return call<Library::Kernel, 115>(this, pSource, uCol, uRow, uWidth, uHeight);
}

int CLeadBitmap::Create(unsigned int uWidth, unsigned int uHeight, unsigned int uBitsPerPixel, unsigned int uOrder,
                        unsigned int uViewPerspective, RGBQUAD* pPalette, unsigned int uMemory, unsigned char* pData,
                        unsigned long dwSize) {
    return call<Library::Kernel, 116>(this, uWidth, uHeight, uBitsPerPixel, uOrder, uViewPerspective, pPalette,
                                      uMemory, pData, dwSize);
}

HDC CLeadBitmap::CreateDCW() { return call<Library::Kernel, 117>(this); }
int CLeadBitmap::DeleteDC(HDC hDC) { return call<Library::Kernel, 120>(hDC); }

int CLeadBitmap::DitherLine(unsigned char* pBufferSrc, unsigned char* pBufferDst) {
    return call<Library::Kernel, 121>(this, pBufferSrc, pBufferDst);
}

int CLeadBitmap::Fill(unsigned long crFill) { return call<Library::Kernel, 123>(this, crFill); }
int CLeadBitmap::Flip() { return call<Library::Kernel, 124>(this); }
void CLeadBitmap::Free() { call<Library::Kernel, 125>(this); }

int CLeadBitmap::GetColors(int nIndex, int nCount, RGBQUAD* pPalette) {
    return call<Library::Kernel, 128>(this, nIndex, nCount, pPalette);
}
long CLeadBitmap::GetRow(unsigned char* pBuffer, int nRow, unsigned long uBytes) {
    return call<Library::Kernel, 129>(this, pBuffer, nRow, uBytes);
}
long CLeadBitmap::GetRowCol(unsigned char* pBuffer, int nRow, int nCol, unsigned long uBytes) {
    return call<Library::Kernel, 130>(this, pBuffer, nRow, nCol, uBytes);
}
unsigned long CLeadBitmap::GetPixelColor(int nRow, int nCol) { return call<Library::Kernel, 132>(this, nRow, nCol); }
int CLeadBitmap::GrayScale() { return call<Library::Kernel, 133>(this, 8); }

int CLeadBitmap::Init(int nWidth, int nHeight, int nBitsPerPixel) {
    return call<Library::Kernel, 134>(this, nWidth, nHeight, nBitsPerPixel);
}

int CLeadBitmap::PutColors(int nIndex, int nCount, RGBQUAD* pPalette) {
    return call<Library::Kernel, 136>(this, nIndex, nCount, pPalette);
}
long CLeadBitmap::PutRow(unsigned char* pBuffer, int nRow, unsigned long uBytes) {
    return call<Library::Kernel, 137>(this, pBuffer, nRow, uBytes);
}
long CLeadBitmap::PutRowCol(unsigned char* pBuffer, int nRow, int nCol, unsigned long uBytes) {
    return call<Library::Kernel, 138>(this, pBuffer, nRow, nCol, uBytes);
}
int CLeadBitmap::PutPixelColor(int nRow, int nCol, unsigned long crColor) {
    return call<Library::Kernel, 139>(this, nRow, nCol, crColor);
}

void CLeadBitmap::Release() { call<Library::Kernel, 141>(this); }
int CLeadBitmap::Resize(struct_LEAD_Bitmap* pDest) { return call<Library::Kernel, 143>(this, pDest); }
int CLeadBitmap::Reverse() { return call<Library::Kernel, 144>(this); }

int CLeadBitmap::RotateFine(long nAngle, int bResize, COLORREF crFill) {
    return call<Library::Kernel, 145>(this, nAngle, bResize ? 1 : 0, static_cast<unsigned long>(crFill));
}

int CLeadBitmap::Rotate(int nAngle, int bResize) {
    return call<Library::Kernel, 145>(this, static_cast<long>(nAngle) * 100, bResize ? 1 : 0, 0ul);
}

int CLeadBitmap::Shear(int nAngle, int bHorizontal, unsigned long crFill) {
    return call<Library::Kernel, 150>(this, nAngle, bHorizontal, crFill);
}

int CLeadBitmap::Resample(int nWidth, int nHeight) { return call<Library::Kernel, 151>(this, nWidth, nHeight, 2ul); }

int CLeadBitmap::Size(int nWidth, int nHeight, unsigned long uFlags) {
    return call<Library::Kernel, 151>(this, nWidth, nHeight, uFlags);
}

int CLeadBitmap::StartDithering(RGBQUAD* pPalette, unsigned int uColors) {
    return call<Library::Kernel, 152>(this, pPalette, uColors);
}
int CLeadBitmap::StopDithering() { return call<Library::Kernel, 154>(this); }

int CLeadBitmap::Combine(int nCol, int nRow, int nWidth, int nHeight, struct_LEAD_Bitmap* pSource, int nSrcCol,
                         int nSrcRow, unsigned long uFlags) {
    return call<Library::Kernel, 241>(this, nCol, nRow, nWidth, nHeight, pSource, nSrcCol, nSrcRow, uFlags);
}

// ---------------------------------------------------------------------------
// Image-processing library

int CLeadBitmap::AddNoise(unsigned int uRange, unsigned int uChannel) {
    return call<Library::Image, 100>(this, uRange, uChannel);
}
int CLeadBitmap::AverageFilter(unsigned int uDim) { return call<Library::Image, 101>(this, uDim); }
int CLeadBitmap::BinaryFilter(BINARYFLT* pFilter) { return call<Library::Image, 102>(this, pFilter); }
int CLeadBitmap::ChangeContrast(int nChange) { return call<Library::Image, 103>(this, nChange); }
int CLeadBitmap::ChangeHue(int nAngle) { return call<Library::Image, 104>(this, nAngle); }
int CLeadBitmap::ChangeIntensity(int nChange) { return call<Library::Image, 105>(this, nChange); }
int CLeadBitmap::ChangeSaturation(int nChange) { return call<Library::Image, 106>(this, nChange); }

int CLeadBitmap::ColorMerge(struct_LEAD_Bitmap** ppPlanes, unsigned long uFlags) {
    return call<Library::Image, 107>(this, ppPlanes, uFlags);
}

int CLeadBitmap::ColorMerge(CLeadBitmap** ppPlanes, unsigned long uFlags) {
    struct_LEAD_Bitmap* planes[4] = {nullptr, nullptr, nullptr, nullptr};
    const int count = uFlags == 1 ? 4 : 3;
    for (int i = 0; ppPlanes && i < count; ++i) planes[i] = ppPlanes[i];
    return ColorMerge(ppPlanes ? planes : nullptr, uFlags);
}

int CLeadBitmap::ColorSeparate(struct_LEAD_Bitmap** ppPlanes, unsigned long uFlags) {
    return call<Library::Image, 108>(this, ppPlanes, uFlags);
}

int CLeadBitmap::ColorSeparate(CLeadBitmap** ppPlanes, unsigned long uFlags) {
    struct_LEAD_Bitmap* planes[4] = {nullptr, nullptr, nullptr, nullptr};
    const int count = uFlags == 1 ? 4 : 3;
    for (int i = 0; ppPlanes && i < count; ++i) planes[i] = ppPlanes[i];
    return ColorSeparate(ppPlanes ? planes : nullptr, uFlags);
}

int CLeadBitmap::Deskew(long* pnAngle) { return call<Library::Image, 109>(this, pnAngle); }
int CLeadBitmap::Despeckle() { return call<Library::Image, 110>(this); }
int CLeadBitmap::Emboss(unsigned int uDirection, unsigned int uDepth) {
    return call<Library::Image, 111>(this, uDirection, uDepth);
}
int CLeadBitmap::GammaCorrect(unsigned int uGamma) { return call<Library::Image, 112>(this, uGamma); }
int CLeadBitmap::GetHistogram(unsigned long* pHistogram, unsigned int uChannel) {
    return call<Library::Image, 113>(this, pHistogram, uChannel);
}
int CLeadBitmap::HistoContrast(int nChange) { return call<Library::Image, 114>(this, nChange); }
int CLeadBitmap::HistoEqualize() { return call<Library::Image, 115>(this); }
int CLeadBitmap::IntensityDetect(unsigned int uLow, unsigned int uHigh) {
    return call<Library::Image, 116>(this, uLow, uHigh);
}
int CLeadBitmap::Invert() { return call<Library::Image, 117>(this); }
int CLeadBitmap::MedianFilter(unsigned int uDim) { return call<Library::Image, 118>(this, uDim); }
int CLeadBitmap::Mosaic(unsigned int uDim) { return call<Library::Image, 119>(this, uDim); }
int CLeadBitmap::Posterize(unsigned int uLevels) { return call<Library::Image, 120>(this, uLevels); }
int CLeadBitmap::RemapIntensity(unsigned char* pLUT, unsigned int uChannel) {
    return call<Library::Image, 121>(this, pLUT, uChannel);
}
int CLeadBitmap::Sharpen(int nSharpness) { return call<Library::Image, 122>(this, nSharpness); }
int CLeadBitmap::SpatialFilter(SPATIALFLT* pFilter) { return call<Library::Image, 123>(this, pFilter); }
int CLeadBitmap::StretchIntensity() { return call<Library::Image, 124>(this); }

int CLeadBitmap::WindowLevel(CWnd* pParent) {
    int result = -1;
    int lowBit = 0, highBit = 0;
    call<Library::Image, 134>(this, &lowBit, &highBit);
    int minimum = 0, maximum = 0;
    call<Library::Image, 133>(this, &minimum, &maximum);

    const unsigned centre = (static_cast<unsigned>(minimum) + static_cast<unsigned>(maximum)) / 2;
    int low = static_cast<int>(0.9 * centre);
    int high = static_cast<int>(centre + static_cast<unsigned>(0.1 * centre));

    // One table entry per grey level the record's significant bits can hold.
    const int bits = HighBit - LowBit + 1;
    if (bits < 0 || bits > 24) return result;
    const unsigned entries = 1u << bits;
    RGBQUAD* table = new (std::nothrow) RGBQUAD[entries];
    if (!table) return result;

    COLORREF start = 0x000000FF;  // red
    COLORREF end = 0x00FF0000;    // blue
    result = call<Library::Dialog, 111>(pParent ? pParent->GetSafeHwnd() : nullptr, this, table, entries, lowBit,
                                        highBit, &low, &high, &start, &end, 3u, 0, 0);
    delete[] table;
    return result;
}

// ---------------------------------------------------------------------------
// File library

int CLeadBitmap::GetBitmapFile(const wchar_t* pszFile) {
    std::string narrow;
    if (pszFile) narrow = narrowPath(pszFile);
    char* path = pszFile ? narrow.data() : nullptr;

    FILEINFO info;
    std::memset(&info, 0, sizeof info);
    if (call<Library::File, 100>(path, &info, 0u, static_cast<LOADFILEOPTION*>(nullptr)) != 1) return 0;
    if (call<Library::File, 102>(path, this, 0, 1, 3u, static_cast<LEADFILECALLBACK>(nullptr),
                                 static_cast<void*>(nullptr), static_cast<LOADFILEOPTION*>(nullptr),
                                 static_cast<FILEINFO*>(nullptr)) != 1)
        return 0;
    return 1;
}

int CLeadBitmap::Load(char* pszFile, int nBitsPerPixel, int nOrder, LOADFILEOPTION* pOptions, FILEINFO* pFileInfo) {
    return call<Library::File, 101>(pszFile, this, nBitsPerPixel, nOrder, pOptions, pFileInfo);
}

int CLeadBitmap::LoadFile(char* pszFile, int nBitsPerPixel, int nOrder, unsigned int uFlags,
                          LEADFILECALLBACK pfnCallback, void* pUserData, LOADFILEOPTION* pOptions,
                          FILEINFO* pFileInfo) {
    return call<Library::File, 102>(pszFile, this, nBitsPerPixel, nOrder, uFlags, pfnCallback, pUserData, pOptions,
                                    pFileInfo);
}

int CLeadBitmap::Save(char* pszFile, int nFormat, int nBitsPerPixel, int nQuality, SAVEFILEOPTION* pOptions) {
    return call<Library::File, 103>(pszFile, this, nFormat, nBitsPerPixel, nQuality, pOptions);
}

int CLeadBitmap::SaveFile(char* pszFile, int nFormat, int nBitsPerPixel, int nQuality, unsigned int uFlags,
                          LEADFILECALLBACK pfnCallback, void* pUserData, SAVEFILEOPTION* pOptions) {
    return call<Library::File, 104>(pszFile, this, nFormat, nBitsPerPixel, nQuality, uFlags, pfnCallback, pUserData,
                                    pOptions);
}

int CLeadBitmap::SaveFileOffset(int fd, long nOffset, long* pnSize, int nFormat, int nBitsPerPixel, int nQuality,
                                unsigned int uFlags, LEADFILECALLBACK pfnCallback, void* pUserData,
                                SAVEFILEOPTION* pOptions) {
    return call<Library::File, 112>(fd, nOffset, pnSize, this, nFormat, nBitsPerPixel, nQuality, uFlags, pfnCallback,
                                    pUserData, pOptions);
}

int CLeadBitmap::LoadFileOffset(int fd, long nOffset, long nSize, int nBitsPerPixel, int nOrder, unsigned int uFlags,
                                LEADFILECALLBACK pfnCallback, void* pUserData, LOADFILEOPTION* pOptions,
                                FILEINFO* pFileInfo) {
    return call<Library::File, 113>(fd, nOffset, nSize, this, nBitsPerPixel, nOrder, uFlags, pfnCallback, pUserData,
                                    pOptions, pFileInfo);
}

int CLeadBitmap::SaveMemory(void** phMemory, int nFormat, int nBitsPerPixel, int nQuality, unsigned long* puSize,
                            SAVEFILEOPTION* pOptions) {
    return call<Library::File, 116>(phMemory, this, nFormat, nBitsPerPixel, nQuality, puSize, pOptions);
}

int CLeadBitmap::LoadBitmapMemory(unsigned char* pBuffer, int nBitsPerPixel, int nOrder, long nSize,
                                  LOADFILEOPTION* pOptions, FILEINFO* pFileInfo) {
    return call<Library::File, 118>(pBuffer, this, nBitsPerPixel, nOrder, nSize, pOptions, pFileInfo);
}

int CLeadBitmap::DecompressBitmapMemory(unsigned char* pBuffer, int nBitsPerPixel, long nSize,
                                        LOADFILEOPTION* pOptions) {
    return call<Library::File, 119>(pBuffer, this, nBitsPerPixel, 4, 0x43u, static_cast<LEADFILECALLBACK>(nullptr),
                                    static_cast<void*>(nullptr), nSize, pOptions, static_cast<FILEINFO*>(nullptr));
}

int CLeadBitmap::DecompressMemory(unsigned char* pBuffer, LEADFILECALLBACK pfnCallback, int nBitsPerPixel,
                                  void* pUserData, int /*nReserved*/, long nSize, LOADFILEOPTION* pOptions) {
    return call<Library::File, 119>(pBuffer, this, nBitsPerPixel, 4, 0x43u, pfnCallback, pUserData, nSize, pOptions,
                                    static_cast<FILEINFO*>(nullptr));
}

int CLeadBitmap::LoadMemory(unsigned char* pBuffer, int nBitsPerPixel, int nOrder, unsigned int uFlags,
                            LEADFILECALLBACK pfnCallback, void* pUserData, long nSize, LOADFILEOPTION* pOptions,
                            FILEINFO* pFileInfo) {
    return call<Library::File, 119>(pBuffer, this, nBitsPerPixel, nOrder, uFlags, pfnCallback, pUserData, nSize,
                                    pOptions, pFileInfo);
}

int CLeadBitmap::GetCompressFileStamp(char* pszFile, LOADFILEOPTION* pOptions) {
    return call<Library::File, 145>(pszFile, this, pOptions);
}

int CLeadBitmap::CompressWithStamp(char* pszFile, int nFormat, int nQuality, int nStampWidth, int nStampHeight,
                                   int nStampBits, int bStampPalette, SAVEFILEOPTION* pOptions) {
    SAVEFILEOPTION defaults;
    if (!pOptions) {
        std::memset(&defaults, 0, sizeof defaults);
        defaults.uStructSize = sizeof defaults;
        call<Library::File, 106>(&defaults);
        defaults.StampWidth = nStampWidth;
        defaults.StampHeight = nStampHeight;
        defaults.StampBits = nStampBits;
        if (bStampPalette) defaults.Flags |= ESO_STAMPPALETTE;
        else defaults.Flags &= ~static_cast<uint32_t>(ESO_STAMPPALETTE);
        defaults.Flags |= ESO_SAVEWITHSTAMP;
        pOptions = &defaults;
    }
    return call<Library::File, 104>(pszFile, this, nFormat, 0, nQuality, 0u, static_cast<LEADFILECALLBACK>(nullptr),
                                    static_cast<void*>(nullptr), pOptions);
}

// ---------------------------------------------------------------------------
// Display library

int CLeadBitmap::ChangeFromDDB(HDC hDC, HBITMAP hBitmap, HPALETTE hPalette) {
    return call<Library::Display, 120>(hDC, this, hBitmap, hPalette);
}
HBITMAP CLeadBitmap::ChangeToDDB(HDC hDC) { return call<Library::Display, 121>(hDC, this); }
int CLeadBitmap::ConvertFromDDB(HDC hDC, HBITMAP hBitmap, HPALETTE hPalette) {
    return call<Library::Display, 124>(hDC, this, hBitmap, hPalette);
}
HBITMAP CLeadBitmap::ConvertToDDB(HDC hDC) { return call<Library::Display, 125>(hDC, this); }
HPALETTE CLeadBitmap::CreatePaintPalette(HDC hDC) { return call<Library::Display, 122>(hDC, this); }

CPalette* CLeadBitmap::CreatePaintPalette(CDC* pDC) {
    HPALETTE palette = call<Library::Display, 122>(outputDC(pDC), this);
    if (!palette) return nullptr;
    CPalette* result = new CPalette;
    result->Attach(palette);
    return result;
}

int CLeadBitmap::CopyFromClipboard(HWND hWnd) { return call<Library::Display, 126>(hWnd, this); }
int CLeadBitmap::CopyFromClipboard(CWnd* pWnd) { return CopyFromClipboard(pWnd ? pWnd->GetSafeHwnd() : nullptr); }
int CLeadBitmap::CopyToClipboard(HWND hWnd) { return call<Library::Display, 127>(hWnd, this); }
int CLeadBitmap::CopyToClipboard(CWnd* pWnd) { return CopyToClipboard(pWnd ? pWnd->GetSafeHwnd() : nullptr); }
int CLeadBitmap::CopyToClipboardExt(HWND hWnd, unsigned int uFlags) {
    return call<Library::Display, 128>(hWnd, this, uFlags);
}
int CLeadBitmap::CopyToClipboardExt(CWnd* pWnd, unsigned int uFlags) {
    return CopyToClipboardExt(pWnd ? pWnd->GetSafeHwnd() : nullptr, uFlags);
}
int CLeadBitmap::HalfTone(unsigned int uType) { return call<Library::Display, 130>(this, uType); }
int CLeadBitmap::HalfToneExt(unsigned int uType, long nAngle) { return call<Library::Display, 131>(this, uType, nAngle); }

int CLeadBitmap::PaintDC(HDC hDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP) {
    return call<Library::Display, 132>(hDC, this, pSrc, pClipSrc, pDst, pClipDst, uROP);
}
int CLeadBitmap::PaintDC(CDC* pDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP) {
    return PaintDC(outputDC(pDC), pSrc, pClipSrc, pDst, pClipDst, uROP);
}

int CLeadBitmap::PaintDCBuffer(HDC hDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP,
                               unsigned char* pBuffer, int nRow, int nCount) {
    return call<Library::Display, 133>(hDC, this, pSrc, pClipSrc, pDst, pClipDst, uROP, pBuffer, nRow, nCount);
}
int CLeadBitmap::PaintDCBuffer(CDC* pDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP,
                               unsigned char* pBuffer, int nRow, int nCount) {
    return PaintDCBuffer(outputDC(pDC), pSrc, pClipSrc, pDst, pClipDst, uROP, pBuffer, nRow, nCount);
}

HDC CLeadBitmap::Print(int nX, int nY, int nWidth, int nHeight, int bEndDoc) {
    return call<Library::Display, 134>(this, nX, nY, nWidth, nHeight, bEndDoc);
}
HDC CLeadBitmap::PrintExt(HDC hDC, int nX, int nY, int nWidth, int nHeight, int bEndDoc) {
    return call<Library::Display, 135>(hDC, this, nX, nY, nWidth, nHeight, bEndDoc);
}
HDC CLeadBitmap::PrintFast(HDC hDC, int nX, int nY, int nWidth, int nHeight, int bEndDoc) {
    return call<Library::Display, 136>(hDC, this, nX, nY, nWidth, nHeight, bEndDoc);
}
int CLeadBitmap::ScreenCapture(HDC hDC, RECT* pRect) { return call<Library::Display, 137>(hDC, this, pRect); }
int CLeadBitmap::ScreenCapture(CDC* pDC, RECT* pRect) { return ScreenCapture(outputDC(pDC), pRect); }
int CLeadBitmap::Underlay(struct_LEAD_Bitmap* pUnderlay, unsigned int uFlags) {
    return call<Library::Display, 139>(this, pUnderlay, uFlags);
}

// ---------------------------------------------------------------------------
// Effects library

int CLeadBitmap::EfxPaintBitmap(HDC hDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned int uEffect,
                                unsigned int uGrain, unsigned int uDelay, unsigned int uSpeed, unsigned int uCycles,
                                int nPass, unsigned long uMaxPass, unsigned int bTransparent,
                                unsigned long crTransparent, unsigned long uROP) {
    return call<Library::Effects, 100>(hDC, this, pSrc, pClipSrc, pDst, pClipDst, uEffect, uGrain, uDelay, uSpeed,
                                       uCycles, nPass, uMaxPass, bTransparent, crTransparent, uROP);
}

int CLeadBitmap::EfxPaintBitmap(CDC* pDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned int uEffect,
                                unsigned int uGrain, unsigned int uDelay, unsigned int uSpeed, unsigned int uCycles,
                                int nPass, unsigned long uMaxPass, unsigned int bTransparent,
                                unsigned long crTransparent, unsigned long uROP) {
    return EfxPaintBitmap(outputDC(pDC), pSrc, pClipSrc, pDst, pClipDst, uEffect, uGrain, uDelay, uSpeed, uCycles,
                          nPass, uMaxPass, bTransparent, crTransparent, uROP);
}

int CLeadBitmap::PaintDCEffect(HDC hDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP,
                               unsigned int uEffect) {
    return call<Library::Effects, 110>(hDC, this, pSrc, pClipSrc, pDst, pClipDst, uROP, uEffect);
}

int CLeadBitmap::PaintDCEffect(CDC* pDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP,
                               unsigned int uEffect) {
    return PaintDCEffect(outputDC(pDC), pSrc, pClipSrc, pDst, pClipDst, uROP, uEffect);
}
