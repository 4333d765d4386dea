// Result codes of the imaging SDK's entry points.
//
// 1 is success. Every failure is a negative code; entry points that return a
// handle or a pointer report failure with a null result instead.
#pragma once

// The operation succeeded.
#define IMGSDK_SUCCESS 1

// Memory for the picture or for a working buffer could not be allocated.
#define IMGSDK_ERROR_NO_MEMORY (-1)
// An argument is invalid: a null record or path, a bad size, an unknown order or flag.
#define IMGSDK_ERROR_INV_PARAMETER (-2)
// The record holds no picture, but the operation needs one.
#define IMGSDK_ERROR_NO_BITMAP (-3)
// Init on a record that still owns a picture; Free it first.
#define IMGSDK_ERROR_BITMAP_ALLOCATED (-4)
// The bits per pixel asked for, or those of a DIB or bitmap, are not supported.
#define IMGSDK_ERROR_BPP_NOT_SUPPORTED (-5)
// The picture would exceed the SDK's size limit (see imagesdk/limits.h).
#define IMGSDK_ERROR_IMAGE_TOO_LARGE (-6)
// This entry point is not implemented by the installed back end.
#define IMGSDK_ERROR_NOT_SUPPORTED (-7)
// A DIB's header or compression is not one the SDK reads.
#define IMGSDK_ERROR_INV_DIB (-8)
// A GDI call failed (bitmap creation, reading or writing a bitmap's bits).
#define IMGSDK_ERROR_GDI (-9)

// The file or a directory on its path does not exist.
#define IMGSDK_ERROR_FILE_NOT_FOUND (-10)
// The file exists but cannot be opened for reading (permissions, a directory).
#define IMGSDK_ERROR_FILE_OPEN (-11)
// Reading the file failed.
#define IMGSDK_ERROR_FILE_READ (-12)
// The content is not a picture format the SDK knows (this includes empty files).
#define IMGSDK_ERROR_FILE_FORMAT (-13)
// The file is of a known format but damaged or cut short.
#define IMGSDK_ERROR_FILE_CORRUPT (-14)
// The page asked for does not exist in the file.
#define IMGSDK_ERROR_PAGE_NOT_FOUND (-15)
// The file is longer than the SDK reads (see imagesdk/limits.h).
#define IMGSDK_ERROR_FILE_TOO_LARGE (-16)
// A callback asked the operation to stop (its own result is returned instead when negative).
#define IMGSDK_ERROR_USER_ABORT (-17)
// Writing the file failed (it cannot be created, or the disk is full).
#define IMGSDK_ERROR_FILE_WRITE (-18)
// Not a format the SDK writes, or one that cannot hold what was asked (a stamp, another page).
#define IMGSDK_ERROR_INV_FORMAT (-19)
// The file holds no stamp.
#define IMGSDK_ERROR_NO_STAMP (-20)
// No printer is available to print on.
#define IMGSDK_ERROR_NO_PRINTER (-21)
// The clipboard cannot be opened (another window holds it open) or refused the data.
#define IMGSDK_ERROR_CLIPBOARD (-22)
// The clipboard holds no picture.
#define IMGSDK_ERROR_CLIPBOARD_EMPTY (-23)
// DitherLine without a StartDithering on the record.
#define IMGSDK_ERROR_NOT_DITHERING (-24)
// The operation needs a grey picture (8 bits with the grey table).
#define IMGSDK_ERROR_NOT_GRAY (-25)

// Entry points that return a handle report failure as null; the code above
// that says why is then the thread's last error (GetLastError() returns it
// cast to DWORD).
