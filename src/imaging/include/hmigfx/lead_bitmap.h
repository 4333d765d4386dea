// CLeadBitmap: a picture of the imaging SDK. The object is the SDK's bitmap
// record, and nearly every member hands it, with the member's own arguments,
// to one entry point of the SDK's six libraries and returns what that returns
// (1 is success; the error codes are in imagesdk/results.h).
//
// Argument order towards the SDK: the record first, then the member's
// arguments; members whose first argument is a file name, a memory buffer, a
// device context or a window pass that first and the record second; the two
// offset members pass file handle, offset and size first.
//
// Ownership: the picture belongs to the SDK and is released with Free (the
// destructor releases nothing). Assignment copies the record, so two objects
// then share one picture, of which only one may Free it.
#pragma once

#include <afxwin.h>

#include <imagesdk/records.h>
#include <imagesdk/results.h>

class CLeadBitmap : public struct_LEAD_Bitmap {
public:
    // Clears the record's "owns a picture" flag and initialises it as Init(1, 1, 1).
    CLeadBitmap();
    ~CLeadBitmap();
    CLeadBitmap(const CLeadBitmap&) = default;
    CLeadBitmap& operator=(const CLeadBitmap& other);

    operator struct_LEAD_Bitmap*() { return this; }

    // ---- kernel library (ltkrn12n)
    void Access();
    int Allocate(int nMemory);
    int ChangeHeight(int nHeight);
    int ChangeFromDIB(void* hDIB);  // a packed DIB in movable global memory; the caller still frees it
    void* ChangeToDIB();            // hands the picture over as a packed DIB the caller owns
    int Clear();
    int ColorRes(struct_LEAD_Bitmap* pDest, int nBitsPerPixel, unsigned long uFlags, RGBQUAD* pPalette,
                 HPALETTE hPalette, unsigned int uColors, LEADFILECALLBACK pfnCallback, void* pUserData);
    int ConvertFromDIB(BITMAPINFO* pInfo, unsigned char* pBits);
    void* ConvertToDIB();
    int Copy(struct_LEAD_Bitmap* pSource);
    int CopyData(struct_LEAD_Bitmap* pSource);
    void CopyHandle(struct_LEAD_Bitmap* pSource);
    int CopyRect(struct_LEAD_Bitmap* pSource, unsigned int uCol, unsigned int uRow, unsigned int uWidth,
                 unsigned int uHeight);
    int Create(unsigned int uWidth, unsigned int uHeight, unsigned int uBitsPerPixel, unsigned int uOrder,
               unsigned int uViewPerspective, RGBQUAD* pPalette, unsigned int uMemory, unsigned char* pData,
               unsigned long dwSize);
    HDC CreateDCW();
    int DeleteDC(HDC hDC);  // the device context alone, without the record
    int DitherLine(unsigned char* pBufferSrc, unsigned char* pBufferDst);
    int Fill(unsigned long crFill);
    int Flip();
    void Free();
    int GetColors(int nIndex, int nCount, RGBQUAD* pPalette);
    long GetRow(unsigned char* pBuffer, int nRow, unsigned long uBytes);
    long GetRowCol(unsigned char* pBuffer, int nRow, int nCol, unsigned long uBytes);
    unsigned long GetPixelColor(int nRow, int nCol);
    int GrayScale();  // to 8 bits
    int Init(int nWidth, int nHeight, int nBitsPerPixel);
    int PutColors(int nIndex, int nCount, RGBQUAD* pPalette);
    long PutRow(unsigned char* pBuffer, int nRow, unsigned long uBytes);
    long PutRowCol(unsigned char* pBuffer, int nRow, int nCol, unsigned long uBytes);
    int PutPixelColor(int nRow, int nCol, unsigned long crColor);
    void Release();
    int Resize(struct_LEAD_Bitmap* pDest);
    int Reverse();
    int RotateFine(long nAngle, int bResize, COLORREF crFill);  // nAngle in hundredths of a degree
    int Rotate(int nAngle, int bResize);                        // whole degrees, filled with black
    int Shear(int nAngle, int bHorizontal, unsigned long crFill);
    int Resample(int nWidth, int nHeight);
    int Size(int nWidth, int nHeight, unsigned long uFlags);
    int StartDithering(RGBQUAD* pPalette, unsigned int uColors);
    int StopDithering();
    int Combine(int nCol, int nRow, int nWidth, int nHeight, struct_LEAD_Bitmap* pSource, int nSrcCol, int nSrcRow,
                unsigned long uFlags);

    // ---- image-processing library (ltimg12n)
    int AddNoise(unsigned int uRange, unsigned int uChannel);
    int AverageFilter(unsigned int uDim);
    int BinaryFilter(BINARYFLT* pFilter);
    int ChangeContrast(int nChange);
    int ChangeHue(int nAngle);
    int ChangeIntensity(int nChange);
    int ChangeSaturation(int nChange);
    int ColorMerge(struct_LEAD_Bitmap** ppPlanes, unsigned long uFlags);
    int ColorMerge(CLeadBitmap** ppPlanes, unsigned long uFlags);  // four planes when uFlags is 1, else three
    int ColorSeparate(struct_LEAD_Bitmap** ppPlanes, unsigned long uFlags);
    int ColorSeparate(CLeadBitmap** ppPlanes, unsigned long uFlags);
    int Deskew(long* pnAngle);
    int Despeckle();
    int Emboss(unsigned int uDirection, unsigned int uDepth);
    int GammaCorrect(unsigned int uGamma);
    int GetHistogram(unsigned long* pHistogram, unsigned int uChannel);
    int HistoContrast(int nChange);
    int HistoEqualize();
    int IntensityDetect(unsigned int uLow, unsigned int uHigh);
    int Invert();
    int MedianFilter(unsigned int uDim);
    int Mosaic(unsigned int uDim);
    int Posterize(unsigned int uLevels);
    int RemapIntensity(unsigned char* pLUT, unsigned int uChannel);
    int Sharpen(int nSharpness);
    int SpatialFilter(SPATIALFLT* pFilter);
    int StretchIntensity();
    // The interactive window-level dialog for grey pictures of more than 8 bits;
    // -1 when its lookup table cannot be allocated.
    int WindowLevel(CWnd* pParent);

    // ---- file library (ltfil12n)
    // Loads a picture file; 1 on success, 0 when the file cannot be identified
    // or loaded. Throws CMemoryException or COleException when the path cannot
    // be converted to the ANSI code page.
    int GetBitmapFile(const wchar_t* pszFile);
    int Load(char* pszFile, int nBitsPerPixel, int nOrder, LOADFILEOPTION* pOptions, FILEINFO* pFileInfo);
    int LoadFile(char* pszFile, int nBitsPerPixel, int nOrder, unsigned int uFlags, LEADFILECALLBACK pfnCallback,
                 void* pUserData, LOADFILEOPTION* pOptions, FILEINFO* pFileInfo);
    int Save(char* pszFile, int nFormat, int nBitsPerPixel, int nQuality, SAVEFILEOPTION* pOptions);
    int SaveFile(char* pszFile, int nFormat, int nBitsPerPixel, int nQuality, unsigned int uFlags,
                 LEADFILECALLBACK pfnCallback, void* pUserData, SAVEFILEOPTION* pOptions);
    int SaveFileOffset(int fd, long nOffset, long* pnSize, int nFormat, int nBitsPerPixel, int nQuality,
                       unsigned int uFlags, LEADFILECALLBACK pfnCallback, void* pUserData, SAVEFILEOPTION* pOptions);
    int LoadFileOffset(int fd, long nOffset, long nSize, int nBitsPerPixel, int nOrder, unsigned int uFlags,
                       LEADFILECALLBACK pfnCallback, void* pUserData, LOADFILEOPTION* pOptions, FILEINFO* pFileInfo);
    int SaveMemory(void** phMemory, int nFormat, int nBitsPerPixel, int nQuality, unsigned long* puSize,
                   SAVEFILEOPTION* pOptions);
    int LoadBitmapMemory(unsigned char* pBuffer, int nBitsPerPixel, int nOrder, long nSize, LOADFILEOPTION* pOptions,
                         FILEINFO* pFileInfo);
    int DecompressBitmapMemory(unsigned char* pBuffer, int nBitsPerPixel, long nSize, LOADFILEOPTION* pOptions);
    int DecompressMemory(unsigned char* pBuffer, LEADFILECALLBACK pfnCallback, int nBitsPerPixel, void* pUserData,
                         int nReserved, long nSize, LOADFILEOPTION* pOptions);
    int LoadMemory(unsigned char* pBuffer, int nBitsPerPixel, int nOrder, unsigned int uFlags,
                   LEADFILECALLBACK pfnCallback, void* pUserData, long nSize, LOADFILEOPTION* pOptions,
                   FILEINFO* pFileInfo);
    int GetCompressFileStamp(char* pszFile, LOADFILEOPTION* pOptions);
    // Saves with a stamp of nStampWidth x nStampHeight at nStampBits (a stamp
    // palette of its own when bStampPalette is nonzero); options of the caller
    // are used unchanged and the four stamp arguments are then ignored.
    int CompressWithStamp(char* pszFile, int nFormat, int nQuality, int nStampWidth, int nStampHeight, int nStampBits,
                          int bStampPalette, SAVEFILEOPTION* pOptions);

    // ---- display library (ltdis12n)
    int ChangeFromDDB(HDC hDC, HBITMAP hBitmap, HPALETTE hPalette);
    HBITMAP ChangeToDDB(HDC hDC);  // the caller owns and deletes the bitmap; null on failure
    int ConvertFromDDB(HDC hDC, HBITMAP hBitmap, HPALETTE hPalette);
    HBITMAP ConvertToDDB(HDC hDC);
    HPALETTE CreatePaintPalette(HDC hDC);
    CPalette* CreatePaintPalette(CDC* pDC);  // the caller deletes the palette; null on failure
    int CopyFromClipboard(HWND hWnd);
    int CopyFromClipboard(CWnd* pWnd);
    int CopyToClipboard(HWND hWnd);
    int CopyToClipboard(CWnd* pWnd);
    int CopyToClipboardExt(HWND hWnd, unsigned int uFlags);
    int CopyToClipboardExt(CWnd* pWnd, unsigned int uFlags);
    int HalfTone(unsigned int uType);
    int HalfToneExt(unsigned int uType, long nAngle);
    int PaintDC(HDC hDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP);
    int PaintDC(CDC* pDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP);
    int PaintDCBuffer(HDC hDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP,
                      unsigned char* pBuffer, int nRow, int nCount);
    int PaintDCBuffer(CDC* pDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP,
                      unsigned char* pBuffer, int nRow, int nCount);
    HDC Print(int nX, int nY, int nWidth, int nHeight, int bEndDoc);
    HDC PrintExt(HDC hDC, int nX, int nY, int nWidth, int nHeight, int bEndDoc);
    HDC PrintFast(HDC hDC, int nX, int nY, int nWidth, int nHeight, int bEndDoc);
    int ScreenCapture(HDC hDC, RECT* pRect);
    int ScreenCapture(CDC* pDC, RECT* pRect);
    int Underlay(struct_LEAD_Bitmap* pUnderlay, unsigned int uFlags);

    // ---- effects library (ltefx12n)
    int EfxPaintBitmap(HDC hDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned int uEffect,
                       unsigned int uGrain, unsigned int uDelay, unsigned int uSpeed, unsigned int uCycles,
                       int nPass, unsigned long uMaxPass, unsigned int bTransparent, unsigned long crTransparent,
                       unsigned long uROP);
    int EfxPaintBitmap(CDC* pDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned int uEffect,
                       unsigned int uGrain, unsigned int uDelay, unsigned int uSpeed, unsigned int uCycles,
                       int nPass, unsigned long uMaxPass, unsigned int bTransparent, unsigned long crTransparent,
                       unsigned long uROP);
    int PaintDCEffect(HDC hDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP,
                      unsigned int uEffect);
    int PaintDCEffect(CDC* pDC, RECT* pSrc, RECT* pClipSrc, RECT* pDst, RECT* pClipDst, unsigned long uROP,
                      unsigned int uEffect);
};
